// Undo and redo of every kind of change, checked on the bytes of the file.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "files/channel_data_file.h"
#include "model/demo_database.h"
#include "model/memory_controls.h"
#include "tests/model/test_builders.h"
#include "tests/support/temp_files.h"

namespace brondavel {
namespace {

class Undo : public ::testing::Test {
  public:
    void SetUp() override {
        FillFirstGenDemo(db(), DemoSize{6, 10, 300, 80});
        RefreshAll();
        ASSERT_TRUE(file.Save(dir / "start.ZCS"));
        ASSERT_EQ(db().modified, 0u);
    }

    DatabaseEngine& db() { return file.db(); }
    ListControls Controls() { return {&lists[0], &lists[1], &lists[2], &lists[3]}; }
    void RefreshAll() {
        for (int kind = 0; kind < 5; ++kind) db().Refresh(kind, &lists[kind]);
    }
    // The file Save would write, its save date blanked.
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> bytes = file.BuildFile();
        std::fill(bytes.begin() + 16, bytes.begin() + 24, 0);
        return bytes;
    }
    Record RowRecord(int kind, int row) {
        Record r(0, std::vector<uint8_t>(db().list(kind).storedSize()));
        db().GetRowData(kind, row, r.stored());
        return r;
    }
    // Changes one row's record through the edit path.
    void Edit(int kind, int row, const std::function<void(Record&)>& change) {
        Record r = RowRecord(kind, row);
        change(r);
        db().StoreRecord(kind, row, r.stored());
    }
    void Delete(int kind, std::initializer_list<int> rows) {
        lists[kind].Select(rows);
        db().DeleteSelected(kind, &lists[kind]);
    }
    // Drops the rows of `kind` on row `target` of `targetKind`.
    void Drop(int kind, std::initializer_list<int> rows, int targetKind, int target) {
        lists[kind].Select(rows);
        db().Drop(kind == targetKind ? kDropMove : kDropReparent, kind, targetKind, target,
                  &lists[kind], &lists[targetKind]);
    }
    // Picks up the rows of `kind` and moves them to `anchor` (after it on 1).
    void Move(int kind, std::initializer_list<int> rows, int anchor, int after) {
        lists[kind].Select(rows);
        db().ClearClipboard(kind);
        db().PickUpSelection(kind, &lists[kind]);
        db().SetAnchor(kind, anchor);
        db().MoveClipboard(kind, &lists[kind], after);
    }
    // The id and bytes of every record of every kind.
    std::array<std::vector<Record>, 5> Records() {
        std::array<std::vector<Record>, 5> all;
        for (int kind = 0; kind < 5; ++kind) all[kind] = db().list(kind).records();
        return all;
    }

    // Runs `operation`, then checks that undo goes back to the bytes, records
    // and `modified` before it and redo forward to those after, under `label`.
    void Check(const char* label, const std::function<void()>& operation) {
        SCOPED_TRACE(label);
        RefreshAll();
        const std::vector<uint8_t> before = Bytes();
        const auto recordsBefore = Records();
        operation();
        const std::vector<uint8_t> after = Bytes();
        const auto recordsAfter = Records();
        ASSERT_NE(before, after);
        EXPECT_EQ(db().UndoLabel(), label);
        EXPECT_EQ(db().modified, 1u);

        ASSERT_TRUE(db().Undo(Controls()));
        EXPECT_EQ(Bytes(), before);
        EXPECT_EQ(Records(), recordsBefore);  // ids and stored order too
        EXPECT_EQ(db().modified, 0u);
        EXPECT_EQ(db().RedoLabel(), label);

        ASSERT_TRUE(db().Redo(Controls()));
        EXPECT_EQ(Bytes(), after);
        EXPECT_EQ(Records(), recordsAfter);
        EXPECT_EQ(db().modified, 1u);

        ASSERT_TRUE(db().Undo(Controls()));
        EXPECT_EQ(Bytes(), before);
    }

    testsupport::TempDir dir;
    ChannelDataFile file{"", 2, 3, 2};
    MemoryListControl lists[5];
};

TEST_F(Undo, EveryOperationGoesBackToTheBytesBeforeAndForwardToTheBytesAfter) {
    const DatabaseLayout& layout = db().layout();
    Check("Edit TV Channel", [&] { Edit(kTv, 5, [](Record& r) { r.data()[10] ^= 0xFF; }); });
    Check("Add Satellite", [&] { Edit(kSatellite, kNoRow, [](Record&) {}); });
    Check("Rename Transponder", [&] {
        Edit(kTransponder, 3, [&](Record& r) { layout.StoreNameText(kTransponder, r, "Renamed"); });
    });
    Check("Change Favourites", [&] {
        Edit(kRadio, 2,
             [&](Record& r) { layout.SetFavoriteMember(r, 7, !layout.IsFavoriteMember(r, 7)); });
    });
    Check("Delete TV Channels", [&] { Delete(kTv, {0, 7, 299}); });
    Check("Delete Satellite", [&] { Delete(kSatellite, {1}); });
    Check("Delete Transponders", [&] { Delete(kTransponder, {0, 30}); });
    Check("Move Radio Channels", [&] { Move(kRadio, {2, 3, 40}, 70, 1); });
    Check("Move TV Channel", [&] { Drop(kTv, {100}, kTv, 3); });
    Check("Move TV Channels to Transponder", [&] { Drop(kTv, {1, 2, 3}, kTransponder, 59); });
    Check("Move Transponder to Satellite", [&] { Drop(kTransponder, {0}, kSatellite, 5); });
    Check("Sort Satellites", [&] { db().SortList(kSatellite, 3, &lists[0]); });
    Check("Sort TV Channels", [&] { db().SortList(kTv, 2, &lists[2]); });
    EXPECT_FALSE(db().Undo(Controls()));
    EXPECT_EQ(db().UndoLabel(), "");
}

TEST_F(Undo, CascadeDeleteComesBackWithItsReferencesAndFilters) {
    // Satellite 1 clicked: the transponders and channels are narrowed to it.
    db().SelectionChanged(kSatellite, 1, Controls());
    const auto recordsBefore = Records();
    const int tvShown = lists[kTv].RowCount();
    ASSERT_GT(tvShown, 0);

    lists[kSatellite].Select({0});
    ASSERT_TRUE(db().DeleteSelected(kSatellite, &lists[kSatellite]));
    ASSERT_EQ(db().Count(kTransponder), 50);  // its ten transponders went with it
    ASSERT_TRUE(db().Undo(Controls()));

    EXPECT_EQ(Records(), recordsBefore);
    for (const Record& t : db().list(kTransponder).records())
        EXPECT_FALSE(db().IsOrphan(kTransponder, t));
    for (int ch : {kTv, kRadio})
        for (const Record& c : db().list(ch).records()) EXPECT_FALSE(db().IsOrphan(ch, c));
    // The filters name satellite 1 and its transponders again, not others
    // that took over their ids.
    EXPECT_EQ(lists[kTv].RowCount(), tvShown);
    EXPECT_EQ(db().list(kTransponder).keyFilter(),
              std::vector<uint16_t>{db().list(kSatellite).IdOfRow(1)});
    EXPECT_EQ(db().IsRowActive(kSatellite, 0), 1u);
}

TEST_F(Undo, SelectionStaysOnTheSameRecords) {
    const test::Strings before = test::Column(lists[kTv], 2);
    db().SortList(kTv, 2, &lists[kTv]);
    lists[kTv].Select({0});
    const std::string sortedFirst = lists[kTv].Text(0, 2);
    db().Undo(Controls());
    EXPECT_EQ(test::Column(lists[kTv], 2), before);
    ASSERT_EQ(lists[kTv].SelectedRows().size(), 1u);
    EXPECT_EQ(lists[kTv].Text(lists[kTv].SelectedRows()[0], 2), sortedFirst);
}

TEST_F(Undo, ModifiedFollowsTheSavedState) {
    Delete(kTv, {0});
    ASSERT_TRUE(file.Save(dir / "saved.ZCS"));
    EXPECT_EQ(db().modified, 0u);
    Delete(kRadio, {0});
    db().Undo(Controls());
    EXPECT_EQ(db().modified, 0u);  // back at what is on disk
    db().Undo(Controls());
    EXPECT_EQ(db().modified, 1u);  // before the save
    db().Redo(Controls());
    EXPECT_EQ(db().modified, 0u);

    // A new change while the saved state is a redo away loses it for good.
    db().Undo(Controls());
    Delete(kSatellite, {0});
    db().Undo(Controls());
    EXPECT_EQ(db().modified, 1u);
    EXPECT_EQ(db().RedoLabel(), "Delete Satellite");
    EXPECT_FALSE(db().Undo(Controls()));
}

TEST_F(Undo, GroupsAndRefusedOperationsMakeOneOrNoStep) {
    const std::vector<uint8_t> before = Bytes();
    db().BeginUndoGroup();
    for (int row : {1, 2, 3})
        Edit(kTv, row, [&](Record& r) { db().layout().SetFavoriteMember(r, 0, true); });
    db().EndUndoGroup("Add to Favourite Group 1");
    EXPECT_EQ(db().UndoLabel(), "Add to Favourite Group 1");
    db().Undo(Controls());
    EXPECT_EQ(Bytes(), before);
    EXPECT_FALSE(db().Undo(Controls()));

    // A new record that twins an existing one is refused and leaves no step,
    // so the redo stays.
    const Record twin = RowRecord(kTv, 4);
    EXPECT_EQ(db().StoreRecord(kTv, kNoRow, twin.stored()), 0);
    Delete(kTv, {});
    EXPECT_EQ(db().UndoLabel(), "");
    EXPECT_EQ(db().RedoLabel(), "Add to Favourite Group 1");
    // Loading another database starts a new history.
    FillFirstGenDemo(db(), DemoSize{1, 1, 1, 1}, 9);
    EXPECT_EQ(db().RedoLabel(), "");
}

TEST_F(Undo, TwoHundredRandomOperationsUndoToTheOriginalFile) {
    std::mt19937 rng(7);
    auto below = [&](int n) { return n > 0 ? static_cast<int>(rng() % unsigned(n)) : 0; };
    const std::vector<uint8_t> original = Bytes();
    const auto originalRecords = Records();
    for (int i = 0; i < 200; ++i) {
        RefreshAll();
        const int kind = below(4);
        const int rows = lists[kind].RowCount();
        const int parent = kind == kTransponder ? kSatellite : kTransponder;
        const DatabaseLayout& layout = db().layout();
        const std::function<void()> steps[] = {
            [&] { db().SortList(kind, 1 + below(4), &lists[kind]); },
            [&] {  // satellites seldom, to keep something to work on
                if (kind != kSatellite || !below(4)) Delete(kind, {below(rows), below(rows)});
            },
            [&] {
                Move(kind, {below(rows), below(rows), below(rows)}, below(rows), below(2));
            },
            [&] {
                db().ClearClipboard(kind);
                if (kind != kSatellite)
                    Drop(kind, {below(rows)}, parent, below(lists[parent].RowCount()));
            },
            [&] {
                Edit(kind, below(rows),
                     [&](Record& r) { layout.StoreNameText(kind, r, "N" + std::to_string(i)); });
            },
            [&] {
                if (kind >= kTv)
                    Edit(kind, below(rows),
                         [&](Record& r) { layout.SetFavoriteMember(r, below(16), below(2)); });
            },
        };
        steps[below(6)]();
    }
    const std::vector<uint8_t> end = Bytes();
    ASSERT_NE(end, original);
    int undone = 0;
    while (db().Undo(Controls())) ++undone;
    EXPECT_GT(undone, 100);
    EXPECT_EQ(Bytes(), original);
    EXPECT_EQ(Records(), originalRecords);
    EXPECT_EQ(db().modified, 0u);
    while (db().Redo(Controls())) {
    }
    EXPECT_EQ(Bytes(), end);
    EXPECT_EQ(db().modified, 1u);
}

}  // namespace
}  // namespace brondavel
