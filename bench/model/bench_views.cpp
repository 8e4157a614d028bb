// The operations the list windows run on every click, on a full
// first-generation database: 64 satellites (one with 300 transponders),
// 2040 transponders, 3500 TV and 1096 radio channels.
#include <benchmark/benchmark.h>

#include <random>

#include "model/first_gen_database.h"
#include "model/first_gen_records.h"
#include "model/memory_controls.h"
#include "text/conexant_text.h"

namespace {

using namespace brondavel;

const char* const kNames[] = {"News 24",   "الجزيرة",    "Sport One", "العربية",
                              "Movie Max", "قناة النيل", "Kids Club", "Music Hits"};

template <typename Typed>
void AddAll(DatabaseEngine& db, int kind, std::vector<Typed>& typed) {
    std::vector<Record> records;
    for (size_t i = 0; i < typed.size(); ++i) {
        typed[i].id = static_cast<uint16_t>(i);
        records.push_back(typed[i].ToRecord());
    }
    db.AddRecords(kind, nullptr, records.data(), static_cast<int>(records.size()));
}

struct Full {
    FirstGenDatabase db;
    MemoryListControl lists[5];
    ListControls Controls() { return {&lists[0], &lists[1], &lists[2], &lists[3]}; }

    Full() {
        std::mt19937 rng(42);
        db.LoadImage(std::vector<uint8_t>(FirstGenImage::kSize, 0));  // the 16 groups
        std::vector<SatelliteRecord> sats;
        for (int i = 0; i < 64; ++i) {
            SatelliteRecord s = SatelliteRecord::Default(i);
            s.setLongitude(static_cast<int16_t>(int(rng() % 3600) - 1800));
            sats.push_back(s);
        }
        AddAll(db, kSatellite, sats);
        std::vector<TransponderRecord> tps;
        for (int i = 0; i < 2040; ++i) {
            TransponderRecord t = TransponderRecord::Default();
            t.setSatelliteRef(i < 300 ? 0 : 1 + i % 63);
            t.setFrequency(10700 + rng() % 2050);
            t.setSymbolRate(27500);
            t.setName("TP " + std::to_string(i));
            tps.push_back(t);
        }
        AddAll(db, kTransponder, tps);
        for (int kind : {kTv, kRadio}) {
            std::vector<ServiceRecord> channels;
            const int n = kind == kTv ? 3500 : 1096;
            for (int i = 0; i < n; ++i) {
                ServiceRecord c = ServiceRecord::Default();
                c.setTransponderRef(static_cast<uint16_t>(rng() % 2040));
                c.setServiceId(static_cast<uint16_t>(i));
                c.setScrambled(i % 3 == 0);
                c.setAccessSystems(i % 3 == 0 ? 1u << (rng() % 11) : 0);
                c.setLocked(i % 7 == 0);
                text::StoreName(std::string(kNames[i % 8]) + " " + std::to_string(i),
                                c.stored.data() + ServiceRecord::kNameOffset,
                                ServiceRecord::kNameSize, 16);
                channels.push_back(c);
            }
            AddAll(db, kind, channels);
        }
        db.UpdateActiveMarks();
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
        text::StoreName(std::string(kNames[i % 8]) + " " + std::to_string(i), names[i].data(), 24,
                        16);
    for (auto _ : state)
        for (const auto& n : names) benchmark::DoNotOptimize(text::NameToDisplay(n.data(), 24, 16));
}
BENCHMARK(BM_NamesForDisplay5000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
