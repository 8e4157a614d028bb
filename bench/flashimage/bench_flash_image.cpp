// Load and save of a full 4 MB-class flash-image file (64 satellites, 2000
// transponders, 4000 TV and 2000 radio channels) in each compression mode;
// the argument is the mode.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "files/flash_image_file.h"
#include "model/demo_database.h"

namespace {

using brondavel::FlashImageFile;

constexpr int kFlashType = 4;

std::string PathFor(int mode) {
    return "/tmp/bench-flash-" + std::to_string(::getpid()) + "-" + std::to_string(mode) + ".bin";
}

// A full file per mode, written once.
const std::string& FullFile(int mode) {
    static std::string paths[3];
    if (paths[mode].empty()) {
        const std::string p = PathFor(mode);
        FlashImageFile file(p, 0, kFlashType, mode);
        brondavel::FillSecondGenDemo(file.db(), {64, 32, 4000, 2000});
        if (!file.Save(p)) std::fprintf(stderr, "setup failed: %s\n", file.lastError().c_str());
        paths[mode] = p;
    }
    return paths[mode];
}

void BM_Load(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    const std::string& path = FullFile(mode);
    for (auto _ : state) {
        FlashImageFile file(path, 0, kFlashType, mode);
        benchmark::DoNotOptimize(file.Load());
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}
BENCHMARK(BM_Load)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    FlashImageFile file(FullFile(mode), 0, kFlashType, mode);
    file.Load();
    const std::string out = PathFor(mode) + ".out";
    for (auto _ : state) benchmark::DoNotOptimize(file.Save(out));
    std::filesystem::remove(out);
}
BENCHMARK(BM_Save)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    for (int mode = 0; mode < 3; ++mode) std::filesystem::remove(PathFor(mode));
    return 0;
}
