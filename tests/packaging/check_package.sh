#!/bin/bash
# Builds the Debian packages from the built tree and checks them as a user's
# machine would meet them: lintian, the unpacked files' validators, the man
# pages, and a C program built against the unpacked library.
# usage: check_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$build/packaging-check
rm -rf "$work"
mkdir -p "$work/root"
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack"; }
mapfile -t debs < <(ls "$work"/deb/*.deb)
[ ${#debs[@]} -eq 3 ] || fail "expected 3 packages, got: ${debs[*]}"

# Errors fail; warnings are listed for the log.
lintian --fail-on error --no-tag-display-limit "${debs[@]}" || fail "lintian reports errors"

for deb in "${debs[@]}"; do dpkg-deb -x "$deb" "$work/root"; done
usr=$work/root/usr
desktop-file-validate "$usr"/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml || fail "metainfo"
# The file type must compile into a MIME database without a complaint.
mime_out=$(update-mime-database "$usr/share/mime" 2>&1 | grep -v -e "not in the search path" \
    -e "XDG_DATA" -e "environment variables" -e "applications may not" -e "find it until" \
    -e "directories currently searched" -e "^- " -e "^$" || true)
[ -z "$mime_out" ] || fail "shared-mime-info: $mime_out"
grep -q "application/x-brondavel-channel-data" "$usr/share/mime/magic" || fail "no magic for the database type"
for size in 16 22 24 32 48 64 128 256; do
    file "$usr/share/icons/hicolor/${size}x${size}/apps/brondavel.png" | grep -q "$size x $size" ||
        fail "icon ${size}x${size}"
done
[ -f "$usr/share/icons/hicolor/scalable/apps/brondavel.svg" ] || fail "scalable icon"
[ -x "$usr/bin/brondavel" ] && [ -x "$usr/bin/brondavel-cli" ] && [ -x "$usr/bin/brondavel-receiver-sim" ] ||
    fail "programs"
complete_line() {
    bash -c 'source /usr/share/bash-completion/bash_completion
        source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
        _brondavel_cli; echo "${COMPREPLY[*]}"' _ "$usr/share/bash-completion/completions/brondavel-cli" \
        "$usr/bin/brondavel-cli" "$@"
}
[ "$(complete_line lh5 "")" = "compress decompress" ] || fail "completion of subcommands"
[ "$(complete_line dump --kind t)" = "transponders tv" ] || fail "completion of kinds"
complete_line dump --k | grep -qx -- "--kind" || fail "completion of options"

for page in "$usr"/share/man/man*/*.gz; do
    out=$(zcat "$page" | groff -man -ww -z 2>&1)
    [ -z "$out" ] || fail "$(basename "$page"): $out"
done

# The version the package carries is the programs' own.
version=$(dpkg-deb -f "$work"/deb/brondavel_*.deb Version)
[ "$("$usr/bin/brondavel-cli" --version)" = "brondavel-cli $version" ] || fail "brondavel-cli --version"
[ "$("$usr/bin/brondavel" --version)" = "brondavel $version" ] || fail "brondavel --version"

libdir=$(dirname "$(find "$usr/lib" -name lh5.pc)")/..
flags=$(PKG_CONFIG_PATH=$libdir/pkgconfig PKG_CONFIG_SYSROOT_DIR= \
    pkg-config --define-variable=prefix="$usr" --cflags --libs lh5)
cc -std=c99 -Wall -Wextra -Werror -pedantic "$source/tests/packaging/lh5_client.c" $flags -o "$work/lh5_client"
LD_LIBRARY_PATH=$libdir "$work/lh5_client" || fail "C program against the unpacked library"
# It must have been linked against the unpacked library, by its soname.
readelf -d "$work/lh5_client" | grep -q 'NEEDED.*\[liblh5\.so\.1\]' || fail "soname"
echo "packages ok: ${debs[*]##*/}"
