// Undo and redo on a full first-generation database (64 satellites, 2040
// transponders, 3500 TV and 1096 radio channels): a TV sort and a satellite
// delete each way, with and without refreshing the four lists, and what 200
// steps of history keep in memory.
#include <benchmark/benchmark.h>

#include <memory>

#include "model/demo_database.h"
#include "model/first_gen_database.h"
#include "model/memory_controls.h"

namespace {

using namespace brondavel;

struct Full {
    FirstGenDatabase db;
    MemoryListControl lists[5];

    Full() {
        db.LoadImage(std::vector<uint8_t>(FirstGenImage::kSize, 0));  // the 16 groups
        FillFirstGenDemo(db, DemoSize{64, 32, 3500, 1096});
        db.UpdateActiveMarks();
        for (int kind = 0; kind < 5; ++kind) db.Refresh(kind, &lists[kind]);
    }
    ListControls Controls(bool refresh) {
        if (!refresh) return {};
        return {&lists[0], &lists[1], &lists[2], &lists[3]};
    }
};

// range(0): 0 times the undo, 1 the redo; range(1): 1 refreshes the lists.
void UndoRedo(benchmark::State& state, const std::function<void(Full&)>& change) {
    auto full = std::make_unique<Full>();
    change(*full);
    const bool timeRedo = state.range(0) == 1;
    const ListControls controls = full->Controls(state.range(1) == 1);
    for (auto _ : state) {
        if (timeRedo) {
            state.PauseTiming();
            full->db.Undo(controls);
            state.ResumeTiming();
            full->db.Redo(controls);
        } else {
            full->db.Undo(controls);
            state.PauseTiming();
            full->db.Redo(controls);
            state.ResumeTiming();
        }
    }
}

void BM_TvSortByName(benchmark::State& state) {
    UndoRedo(state, [](Full& f) { f.db.SortList(kTv, 2, &f.lists[kTv]); });
}
BENCHMARK(BM_TvSortByName)
    ->ArgNames({"redo", "refresh"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

void BM_SatelliteDelete(benchmark::State& state) {
    UndoRedo(state, [](Full& f) {
        f.lists[kSatellite].Select({0});
        f.db.DeleteSelected(kSatellite, &f.lists[kSatellite]);
    });
}
BENCHMARK(BM_SatelliteDelete)
    ->ArgNames({"redo", "refresh"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// 200 steps: TV sorts (0), deletes of the first transponder, each renumbering
// every transponder and channel reference (1), or a mix with satellite
// deletes, moves and edits (2). Reports the bytes the history keeps.
void BM_HistoryOf200Steps(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto full = std::make_unique<Full>();
        Full& f = *full;
        state.ResumeTiming();
        for (int i = 0; i < 200; ++i) {
            const int pattern = state.range(0) == 2 ? i % 4 : static_cast<int>(state.range(0));
            switch (pattern) {
                case 0:
                    f.db.SortList(kTv, 2 + i % 3, &f.lists[kTv]);
                    break;
                case 1:
                    f.db.Refresh(kTransponder, &f.lists[kTransponder]);
                    f.lists[kTransponder].Select({0});
                    f.db.DeleteSelected(kTransponder, &f.lists[kTransponder]);
                    break;
                case 2:
                    f.db.Refresh(kSatellite, &f.lists[kSatellite]);
                    f.lists[kSatellite].Select({i % 5});
                    f.db.DeleteSelected(kSatellite, &f.lists[kSatellite]);
                    break;
                case 3: {
                    f.db.Refresh(kRadio, &f.lists[kRadio]);
                    f.lists[kRadio].Select({1, 2, 3});
                    f.db.PickUpSelection(kRadio, &f.lists[kRadio]);
                    f.db.SetAnchor(kRadio, 500);
                    f.db.MoveClipboard(kRadio, &f.lists[kRadio], 0);
                    break;
                }
            }
        }
        state.counters["steps"] = static_cast<double>(f.db.undoHistory().StepCount());
        state.counters["history_MB"] =
            static_cast<double>(f.db.undoHistory().Bytes()) / (1024.0 * 1024.0);
        state.PauseTiming();
        full.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HistoryOf200Steps)
    ->ArgNames({"pattern"})
    ->DenseRange(0, 2)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
