#include <gtest/gtest.h>

#include "tests/model/small_database.h"

namespace brondavel {
namespace {

using namespace test;
using Database = SmallDatabase;

TEST_F(Database, ActiveMarksFollowChannels) {
    auto active = [&](int kind) {
        std::vector<uint32_t> marks;
        for (int row = 0; row < db.Count(kind); ++row) marks.push_back(db.IsRowActive(kind, row));
        return marks;
    };
    // T0..T3 carry channels; every satellite has an active transponder.
    EXPECT_EQ(active(kTransponder), (std::vector<uint32_t>{1, 1, 1, 1}));
    EXPECT_EQ(active(kSatellite), (std::vector<uint32_t>{1, 1, 1}));
    // Delete c3, the only channel of T3 (the only transponder of S2).
    lists[kTv].Select({3});
    ASSERT_EQ(db.DeleteSelected(kTv, &lists[kTv]), 1);
    db.UpdateActiveMarks();
    RefreshAll();
    EXPECT_EQ(active(kTransponder), (std::vector<uint32_t>{1, 1, 1, 0}));
    EXPECT_EQ(active(kSatellite), (std::vector<uint32_t>{1, 1, 0}));
    // Active-only view of transponders hides T3 now.
    ASSERT_EQ(db.SetActiveOnly(kTransponder, &lists[kTransponder], 1), 1);
    EXPECT_EQ(lists[kTransponder].RowCount(), 3);
    EXPECT_EQ(db.SetActiveOnly(kTransponder, &lists[kTransponder], 1), 0);
    EXPECT_EQ(db.SetActiveOnly(kTv, &lists[kTv], 1), 0);
}

TEST_F(Database, CascadeDeleteOfSatelliteKeepsIdsDenseAndReferencesTrue) {
    lists[kSatellite].Select({0});
    ASSERT_EQ(db.DeleteSelected(kSatellite, &lists[kSatellite]), 1);
    EXPECT_EQ(Names(db, kSatellite), (Strings{"S1", "S2"}));
    EXPECT_EQ(Names(db, kTransponder), (Strings{"T2", "T3"}));
    EXPECT_EQ(Names(db, kTv), (Strings{"c2", "c3"}));
    EXPECT_EQ(db.list(kRadio).Count(), 0);
    for (int kind = 0; kind < 4; ++kind)
        for (int i = 0; i < db.list(kind).Count(); ++i) EXPECT_EQ(db.list(kind).records()[i].id, i);
    // Every reference still names the record it named before.
    EXPECT_EQ(ParentNames(db, kTransponder), (Strings{"S1", "S2"}));
    EXPECT_EQ(ParentNames(db, kTv), (Strings{"T2", "T3"}));
    // A new record takes the next free id.
    TransponderRecord t = Tp(0, 12000, "T9");
    ASSERT_EQ(db.StoreRecord(kTransponder, kNoRow, t.stored), 1);
    EXPECT_EQ(db.list(kTransponder).records().back().id, 2);
}

TEST_F(Database, DeleteRemapsKeyFiltersAnchorsAndClipboard) {
    // Filter the channel windows on T2 (S1), then delete T0 from another view.
    db.SelectionChanged(kSatellite, 1, Controls());
    ASSERT_EQ(lists[kTv].RowCount(), 1);
    MemoryListControl all;
    db.ClearKeyFilter(kTransponder);
    db.Refresh(kTransponder, &all);
    all.Select({0});
    ASSERT_EQ(db.DeleteSelected(kTransponder, &all), 1);
    db.Refresh(kTv, &lists[kTv]);
    ASSERT_EQ(lists[kTv].RowCount(), 1);
    EXPECT_EQ(lists[kTv].Text(0, 2), "c2");
    // Deleting the filtered transponder itself empties the view, never widens it.
    db.Refresh(kTransponder, &all);
    all.Select({1});  // T2, now id 1
    ASSERT_EQ(db.DeleteSelected(kTransponder, &all), 1);
    db.Refresh(kTv, &lists[kTv]);
    EXPECT_EQ(lists[kTv].RowCount(), 0);
}

TEST_F(Database, OrphanReferencesSurviveDeletions) {
    // A channel naming transponder 40 (which does not exist) stays untouched.
    AddAll(db, kTv, std::vector{Channel(40, "orphan")});
    EXPECT_TRUE(db.IsOrphan(kTv, db.list(kTv).records().back()));
    db.Refresh(kTransponder, &lists[kTransponder]);
    lists[kTransponder].Select({0});
    db.DeleteSelected(kTransponder, &lists[kTransponder]);
    EXPECT_EQ(db.layout().TransponderRefOf(db.list(kTv).records().back()), 40);
}

TEST_F(Database, PickUpFollowsSelectionAndAnAnchorInTheClipboardMovesNothing) {
    lists[kTv].Select({0, 3});
    db.PickUpSelection(kTv, &lists[kTv]);
    lists[kTv].Select({1, 2});
    db.PickUpSelection(kTv, &lists[kTv]);
    lists[kTv].Select({});  // an empty selection leaves the clipboard alone
    db.PickUpSelection(kTv, &lists[kTv]);
    db.SelectClipboardRows(kTv, &lists[kTv]);
    EXPECT_EQ(lists[kTv].SelectedRows(), (std::vector<int>{1, 2}));
    EXPECT_EQ(db.SetAnchor(kTv, 2), 1);
    EXPECT_EQ(db.MoveClipboard(kTv, &lists[kTv], 0), 0);
    EXPECT_EQ(Names(db, kTv), (Strings{"c0", "c1", "c2", "c3"}));
    EXPECT_EQ(db.modified, 0u);
    // With a free anchor the two land after it, in row order.
    EXPECT_EQ(db.SetAnchor(kTv, 3), 0);
    ASSERT_EQ(db.MoveClipboard(kTv, &lists[kTv], 0), 1);
    EXPECT_EQ(Names(db, kTv), (Strings{"c0", "c3", "c1", "c2"}));
    EXPECT_EQ(db.ClipboardCount(kTv), 0);
    EXPECT_EQ(db.AnchorRow(kTv), kNoRow);
    EXPECT_EQ(lists[kTv].SelectedRows(), std::vector<int>{1});
}

TEST_F(Database, DropReparentsAndMarksModified) {
    // Drag c0 (on T0) onto T3.
    lists[kTv].Select({0});
    ASSERT_EQ(db.Drop(kDropReparent, kTv, kTransponder, 3, &lists[kTv], &lists[kTransponder]), 1);
    EXPECT_EQ(ParentNames(db, kTv)[0], "T3");
    EXPECT_EQ(lists[kTransponder].SelectedRows(), std::vector<int>{3});
    EXPECT_EQ(db.ClipboardCount(kTv), 0);
    EXPECT_EQ(db.modified, 1u);
    // Onto the transponder it already has: nothing stored.
    db.modified = 0;
    lists[kTv].Select({0});
    db.Drop(kDropReparent, kTv, kTransponder, 3, &lists[kTv], &lists[kTransponder]);
    EXPECT_EQ(db.modified, 0u);
    // A target row without a record changes nothing.
    EXPECT_EQ(db.Drop(kDropReparent, kTv, kTransponder, 99, &lists[kTv], &lists[kTransponder]), 0);
    // Unrelated pairs do nothing and report 1; unknown effects 0.
    EXPECT_EQ(db.Drop(kDropReparent, kTv, kSatellite, 0, &lists[kTv], &lists[kSatellite]), 1);
    EXPECT_EQ(db.Drop(7, kTv, kTransponder, 0, &lists[kTv], &lists[kTransponder]), 0);
    // Within the list: after the target row.
    lists[kTv].Select({0});
    ASSERT_EQ(db.Drop(kDropMove, kNone, kTv, 2, nullptr, &lists[kTv]), 1);
    EXPECT_EQ(Names(db, kTv), (Strings{"c1", "c2", "c0", "c3"}));
}

TEST_F(Database, AddStopsAtTheCapacity) {
    // The radio list stops at 1096.
    std::vector<ServiceRecord> many;
    for (int i = 0; i < 1095; ++i) many.push_back(Channel(1, "r", static_cast<uint16_t>(i + 1)));
    AddAll(db, kRadio, many);
    ASSERT_EQ(db.Count(kRadio), 1096);
    EXPECT_EQ(db.StoreRecord(kRadio, kNoRow, Channel(1, "extra", 9999).stored), 0);
    Record one = Channel(1, "x", 5000).ToRecord();
    one.id = 1096;
    EXPECT_EQ(db.AddRecords(kRadio, nullptr, &one, 1), 0);
    EXPECT_EQ(db.Count(kRadio), 1096);
}

TEST_F(Database, BadArgumentsChangeNothing) {
    EXPECT_EQ(db.Refresh(7, &lists[0]), 0);
    EXPECT_EQ(db.Refresh(0, nullptr), 0);
    EXPECT_EQ(db.DeleteSelected(kFavorite, &lists[4]), 0);
    EXPECT_EQ(db.DeleteSelected(kTv, &lists[kTv]), 0);  // nothing selected
    EXPECT_EQ(db.ToggleActiveOnly(kTv, &lists[kTv]), 0);
    EXPECT_EQ(db.SortList(-1, 1, &lists[0]), 0);
    // Favourite groups (a blank image names them) are neither sorted nor
    // filtered; rows without a record have no data.
    EXPECT_EQ(db.Describe(kFavorite, 6), "Radio");
    EXPECT_EQ(db.SortList(kFavorite, 2, &lists[4]), 0);
    EXPECT_EQ(db.ToggleActiveOnly(kFavorite, &lists[4]), 0);
    ServiceRecord c;
    EXPECT_EQ(db.GetRowData(kTv, 50, c.stored), 0);
    EXPECT_EQ(db.GetRowData(kFavorite, 0, c.stored), 0);
    EXPECT_EQ(db.modified, 0u);
    ChannelDatabase base;
    EXPECT_EQ(base.Count(0), 0);
    EXPECT_EQ(base.Describe(0, 0), "");
}

}  // namespace
}  // namespace brondavel
