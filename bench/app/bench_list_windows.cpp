// The list windows on a full first-generation database (64 satellites, one
// with 300 transponders, 2040 transponders, 3500 TV and 1096 radio channels),
// with the Qt views: each measured step ends with the windows repainted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <array>
#include <memory>
#include <random>

#include "app/lists/list_view.h"
#include "app/lists/list_window.h"
#include "model/first_gen_database.h"
#include "model/first_gen_records.h"
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

void FillFull(FirstGenDatabase& db) {
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
            c.setInFavorite(i % 16, i % 5 == 0);
            text::StoreName(std::string(kNames[i % 8]) + " " + std::to_string(i),
                            c.stored.data() + ServiceRecord::kNameOffset, ServiceRecord::kNameSize,
                            16);
            channels.push_back(c);
        }
        AddAll(db, kind, channels);
    }
    db.UpdateActiveMarks();
}

struct Windows {
    FirstGenDatabase db;
    app::ListControlArray controls{};
    app::ListWindowArray windows{};
    std::array<std::unique_ptr<app::ListWindow>, 5> owned;

    Windows() {
        FillFull(db);
        for (int kind = 0; kind < 5; ++kind) {
            owned[kind] = std::make_unique<app::ListWindow>(nullptr, 2, kind, &controls, &windows);
            owned[kind]->SetDatabase(&db, 2);
            owned[kind]->RefreshList();
            owned[kind]->show();
        }
        Paint();
    }
    // What the user sees change: every window painted again.
    void Paint() {
        for (auto& w : owned) w->repaint();
    }
};

Windows& Full() {
    static Windows* windows = new Windows;  // lives as long as the application
    return *windows;
}

void BM_RefreshTvWindow(benchmark::State& state) {
    Windows& w = Full();
    for (auto _ : state) {
        w.owned[kTv]->RefreshList();
        w.owned[kTv]->repaint();
    }
}
BENCHMARK(BM_RefreshTvWindow)->Unit(benchmark::kMillisecond);

void BM_SatelliteClickNarrowsThreeWindows(benchmark::State& state) {
    Windows& w = Full();
    app::ListWindow& satellites = *w.owned[kSatellite];
    satellites.View()->selectRow(0);  // the satellite with 300 transponders
    for (auto _ : state) {
        satellites.ClickRow(0);
        w.Paint();
    }
    w.owned[kTv]->ClickLetter(3);  // show all again
}
BENCHMARK(BM_SatelliteClickNarrowsThreeWindows)->Unit(benchmark::kMillisecond);

void BM_SortTvList(benchmark::State& state) {
    Windows& w = Full();
    const int order = static_cast<int>(state.range(0));
    for (auto _ : state) {
        w.owned[kTv]->Sort(order);  // each run flips the direction
        w.owned[kTv]->repaint();
    }
}
BENCHMARK(BM_SortTvList)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
