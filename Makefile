# Brondavel: `make run` and `make test` do all the set-up on a fresh Debian 12 machine.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz

# Debian packages the build, the tests and the test peers need.
PACKAGES := build-essential cmake pkg-config python3 clang-14 libclang-rt-14-dev clang-format \
	qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev \
	lrzsz socat lhasa jlha-utils p7zip-full libarchive-tools xvfb xauth unicode-data \
	ccache qt6-base-dev-tools fonts-liberation2 fonts-wine fonts-dejavu-core fonts-noto-core x11-utils \
	dtv-scan-tables libdvbv5-dev libpugixml-dev \
	dpkg-dev fakeroot file lintian desktop-file-utils appstream groff-base poppler-utils shared-mime-info bash-completion

# The compiler cache serves every clone of the tree: paths are hashed relative
# to the clone, and the build folder's own path is left out.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
# Objects built with a precompiled header can be cached too.
export CCACHE_SLOPPINESS := pch_defines,time_macros,include_file_mtime,include_file_ctime

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build deb install build-asan build-fuzz run screenshots test test-release test-asan test-fuzz bench format format-check clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing: $$missing"; \
		$(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

# The release tree builds the programs, the core's tests and the benchmarks;
# the Qt tests are built and run once, in the sanitizer tree.
configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRONDAVEL_GUI_TESTS=OFF

build: configure
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DBRONDAVEL_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

build-fuzz: deps
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRONDAVEL_FUZZ=ON -DBRONDAVEL_GUI=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# The Debian packages, into $(BUILD)/deb/: brondavel, liblh5-1 and liblh5-dev.
deb: build
	cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/deb/*.deb

# make install [PREFIX=/usr/local] [DESTDIR=/tmp/stage]
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Opens the application on the demo database; without a display, prints the
# command-line summary instead.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target brondavel brondavel-cli demo_database
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then exec $(BUILD)/bin/brondavel $(BUILD)/share/demo.ZCS; fi; \
	echo "No display (DISPLAY and WAYLAND_DISPLAY are empty): showing the command-line summary instead."
	@$(BUILD)/bin/brondavel-cli info $(BUILD)/share/demo.ZCS
	@echo; echo "Satellites:"
	@$(BUILD)/bin/brondavel-cli dump $(BUILD)/share/demo.ZCS --kind satellites
	@echo; echo "First TV channels:"
	@$(BUILD)/bin/brondavel-cli dump $(BUILD)/share/demo.ZCS --kind tv | head -n 20

# Only the tests labelled "serial", which talk to real peers over ptys where a
# busy machine can starve an exchange, are run once more before they count as
# failed. Every other test must pass at its first run.
CTEST := ctest --output-on-failure -j $(JOBS)
ctest_suite = $(CTEST) --timeout $(1) -LE serial && $(CTEST) --timeout $(1) -L serial --repeat until-pass:2

test-release: build
	cd $(BUILD) && $(call ctest_suite,600)

test-asan: build-asan
	cd $(ASAN_BUILD) && export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 && $(call ctest_suite,900)

test-fuzz: build-fuzz
	cd $(FUZZ_BUILD) && ctest --output-on-failure -j $(JOBS)

test: test-release test-asan test-fuzz
	@echo "All suites passed."

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done

# Pictures of real windows under Xvfb, into build/screenshots/.
screenshots: configure
	cmake --build $(BUILD) -j $(JOBS) --target brondavel-screenshots demo_database
	mkdir -p $(BUILD)/screenshots $(BUILD)/screenshot-home/config
	mkdir -m 700 -p $(BUILD)/screenshot-home/runtime
	XDG_CONFIG_HOME=$(CURDIR)/$(BUILD)/screenshot-home/config XDG_RUNTIME_DIR=$(CURDIR)/$(BUILD)/screenshot-home/runtime \
		QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
		$(BUILD)/bin/brondavel-screenshots $(BUILD)/screenshots

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
