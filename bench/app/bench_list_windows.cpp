// The list windows on a full first-generation database (64 satellites, one
// with 300 transponders, 2040 transponders, 3500 TV and 1096 radio channels),
// with the Qt views: each measured step ends with the windows repainted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <memory>

#include "app/lists/list_view.h"
#include "app/lists/list_view_control.h"
#include "app/lists/list_window.h"
#include "bench/support/full_first_gen.h"

namespace {

using namespace brondavel;

struct Windows {
    FirstGenDatabase db;
    app::ListControlArray controls{};
    app::ListWindowArray windows{};
    std::array<std::unique_ptr<app::ListWindow>, 5> owned;

    Windows() {
        bench::FillFullFirstGen(db);
        for (int kind = 0; kind < 5; ++kind) {
            owned[kind] = std::make_unique<app::ListWindow>(nullptr, kind, &controls, &windows);
            owned[kind]->SetDatabase(&db);
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
    const auto order = static_cast<SortOrder>(state.range(0));
    for (auto _ : state) {
        w.owned[kTv]->Sort(order);  // each run flips the direction
        w.owned[kTv]->repaint();
    }
}
BENCHMARK(BM_SortTvList)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// What the panel's Ctrl+Z and Ctrl+Y do: the core's step, then every window
// shows what it refilled.
void Step(Windows& w, bool back) {
    const ListControls lists{w.controls[0], w.controls[1], w.controls[2], w.controls[3]};
    if (back)
        w.db.Undo(lists);
    else
        w.db.Redo(lists);
    for (auto& window : w.owned) static_cast<app::ListViewControl*>(window->Control())->Commit();
    w.Paint();
}

// One iteration is an undo and a redo of the same step, each repainted.
void UndoAndRedo(benchmark::State& state, Windows& w) {
    for (auto _ : state) {
        Step(w, true);
        Step(w, false);
    }
    Step(w, true);  // the database as the other benchmarks expect it
}

void BM_UndoRedoTvSort(benchmark::State& state) {
    Windows& w = Full();
    w.owned[kTv]->Sort(SortOrder::kOriginal);
    UndoAndRedo(state, w);
}
BENCHMARK(BM_UndoRedoTvSort)->Unit(benchmark::kMillisecond);

void BM_UndoRedoSatelliteDelete(benchmark::State& state) {
    Windows& w = Full();
    app::ListWindow& satellites = *w.owned[kSatellite];
    // Selected without the click's filters, so every window shows whole lists:
    // 300 transponders and their channels go with it.
    satellites.View()->selectRow(0);
    // The delete asks first; the question is answered Yes once it shows.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&answer] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            answer.stop();
            box->button(QMessageBox::Yes)->click();
        }
    });
    answer.start(10);
    satellites.DeleteSelection();
    UndoAndRedo(state, w);
}
BENCHMARK(BM_UndoRedoSatelliteDelete)->Unit(benchmark::kMillisecond);

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
