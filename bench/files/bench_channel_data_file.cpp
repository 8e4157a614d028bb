// Load, rebuild and save of a full first-generation file
// (64 satellites, 2040 transponders, 3500 TV and 1096 radio channels).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include "files/channel_data_file.h"
#include "model/demo_database.h"

namespace {

using brondavel::ChannelDataFile;

const std::string& FullFile() {
    static const std::string path = [] {
        std::string p = "/tmp/bench-full-" + std::to_string(::getpid()) + ".ZCS";
        ChannelDataFile file(p, 2, 3, 2);
        brondavel::FillFirstGenDemo(file.db(), {64, 32, 3500, 1096});
        file.Save(p);
        return p;
    }();
    return path;
}

void BM_Load(benchmark::State& state) {
    for (auto _ : state) {
        ChannelDataFile file(FullFile(), 2, 3, 2);
        benchmark::DoNotOptimize(file.Load());
    }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_Rebuild(benchmark::State& state) {
    ChannelDataFile file(FullFile(), 2, 3, 2);
    file.Load();
    for (auto _ : state) file.RebuildImage();
}
BENCHMARK(BM_Rebuild)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
    ChannelDataFile file(FullFile(), 2, 3, 2);
    file.Load();
    const std::string out = FullFile() + ".out";
    for (auto _ : state) benchmark::DoNotOptimize(file.Save(out));
    ::unlink(out.c_str());
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
