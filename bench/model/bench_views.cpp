// The operations the list windows run on every click, on a full
// first-generation database: 64 satellites (one with 300 transponders),
// 2040 transponders, 3500 TV and 1096 radio channels.
#include <benchmark/benchmark.h>

#include "bench/support/full_first_gen.h"
#include "model/memory_controls.h"

namespace {

using namespace brondavel;

struct Full {
    FirstGenDatabase db;
    MemoryListControl lists[5];
    ListControls Controls() { return {&lists[0], &lists[1], &lists[2], &lists[3]}; }

    Full() {
        bench::FillFullFirstGen(db);
        for (int kind = 0; kind < 5; ++kind) db.Refresh(kind, &lists[kind]);
    }
};

Full& Db() {
    static Full full;
    return full;
}

void BM_Refresh(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    for (auto _ : state) Db().db.Refresh(kind, &Db().lists[kind]);
}
BENCHMARK(BM_Refresh)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void BM_SelectSatelliteWith300Transponders(benchmark::State& state) {
    for (auto _ : state) Db().db.SelectionChanged(kSatellite, 0, Db().Controls());
    Db().db.ClearAllKeyFilters(0, Db().Controls());
}
BENCHMARK(BM_SelectSatelliteWith300Transponders)->Unit(benchmark::kMillisecond);

void BM_SelectTransponder(benchmark::State& state) {
    for (auto _ : state) Db().db.SelectionChanged(kTransponder, 1500, Db().Controls());
    Db().db.ClearAllKeyFilters(0, Db().Controls());
}
BENCHMARK(BM_SelectTransponder)->Unit(benchmark::kMillisecond);

void BM_Sort(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0)), order = static_cast<int>(state.range(1));
    for (auto _ : state) Db().db.SortList(kind, order, &Db().lists[kind]);
}
BENCHMARK(BM_Sort)
    ->ArgsProduct({{0}, {1, 2, 3}})
    ->ArgsProduct({{1}, {1, 2, 3, 4}})
    ->ArgsProduct({{2, 3}, {1, 2, 3, 4}})
    ->Unit(benchmark::kMillisecond);

void BM_NamesForDisplay5000(benchmark::State& state) {
    std::vector<std::array<uint8_t, 24>> names(5000);
    for (size_t i = 0; i < names.size(); ++i)
        text::StoreName(std::string(bench::kChannelNames[i % 8]) + " " + std::to_string(i),
                        names[i].data(), 24, 16);
    for (auto _ : state)
        for (const auto& n : names) benchmark::DoNotOptimize(text::NameToDisplay(n.data(), 24, 16));
}
BENCHMARK(BM_NamesForDisplay5000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
