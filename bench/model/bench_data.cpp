// The data users bring, on a full first-generation database: updating the
// satellite with 300 transponders from a 200-entry table, merging a second
// full database, and applying a 3,500-line channel list.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench/support/full_first_gen.h"
#include "model/database_merge.h"
#include "model/list_order.h"
#include "model/transponder_update.h"

namespace {

using namespace brondavel;

void BM_UpdateSatelliteFrom200EntryTable(benchmark::State& state) {
    FirstGenDatabase db;
    bench::FillFullFirstGen(db);
    const int longitude = As<SatelliteRecord>(db.list(kSatellite).records()[0]).longitude();
    TransponderTable table;
    table.longitude = longitude;
    for (uint32_t i = 0; i < 200; ++i) {
        TableTransponder t;
        t.frequency = 10700 + 9 * i;
        t.symbolRate = 27500 + (i % 3) * 500;
        t.polarisation = i % 2 ? 'V' : 'H';
        t.fec = 3;
        t.s2 = i % 7 == 0;
        table.transponders.push_back(t);
    }
    for (auto _ : state) {
        TransponderUpdatePlan plan = PlanTransponderUpdate(db, 0, {table}, {false, true});
        const TransponderUpdateResult r = ApplyTransponderUpdate(db, plan);
        benchmark::DoNotOptimize(r);
        state.PauseTiming();
        db.Undo({});
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UpdateSatelliteFrom200EntryTable)->Unit(benchmark::kMillisecond);

void BM_MergeTwoFullDatabases(benchmark::State& state) {
    FirstGenDatabase db, other;
    bench::FillFullFirstGen(db);
    bench::FillFullFirstGen(other);
    for (auto _ : state) benchmark::DoNotOptimize(MergeDatabase(db, other, {}));
}
BENCHMARK(BM_MergeTwoFullDatabases)->Unit(benchmark::kMillisecond);

void BM_Apply3500LineList(benchmark::State& state) {
    FirstGenDatabase db;
    bench::FillFullFirstGen(db);
    std::vector<ReferenceEntry> entries = ReferenceEntriesOf(db, kTv);
    std::reverse(entries.begin(), entries.end());
    for (auto _ : state) {
        benchmark::DoNotOptimize(ApplyListOrder(db, entries, true));
        std::reverse(entries.begin(), entries.end());
    }
    state.counters["lines"] = static_cast<double>(entries.size());
}
BENCHMARK(BM_Apply3500LineList)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
