// Alt+Up / Alt+Down: each selected block passes one unselected neighbour shown.
#include "model/selection_move.h"

#include <gtest/gtest.h>

#include "tests/model/small_database.h"

namespace brondavel {
namespace {

class SelectionMove : public test::SmallDatabase {
  protected:
    void SetUp() override {
        SmallDatabase::SetUp();  // TV c0 c1 on T0, c2 on T2, c3 on T3
        test::AddAll(db, kTv, std::vector{test::Channel(0, "c4")});
        RefreshAll();
    }
    test::Strings Stored() { return test::Names(db, kTv); }
    using Names = test::Strings;
};

TEST_F(SelectionMove, BlocksPassOneNeighbourAndStaySelected) {
    MemoryListControl& tv = lists[kTv];
    tv.Select({1, 3, 4});
    ASSERT_EQ(MoveSelectionByOne(db, kTv, &tv, -1), 1);
    EXPECT_EQ(Stored(), (Names{"c1", "c0", "c3", "c4", "c2"}));
    EXPECT_EQ(tv.selected, (std::set<int>{0, 2, 3}));
    EXPECT_EQ(db.UndoLabel(), "Move TV Channels");
    EXPECT_EQ(db.ClipboardCount(kTv), 0);

    // The block at the top stays; the one below still moves up.
    ASSERT_EQ(MoveSelectionByOne(db, kTv, &tv, -1), 1);
    EXPECT_EQ(Stored(), (Names{"c1", "c3", "c4", "c0", "c2"}));
    EXPECT_EQ(tv.selected, (std::set<int>{0, 1, 2}));

    ASSERT_EQ(MoveSelectionByOne(db, kTv, &tv, +1), 1);
    EXPECT_EQ(Stored(), (Names{"c0", "c1", "c3", "c4", "c2"}));
    EXPECT_EQ(tv.selected, (std::set<int>{1, 2, 3}));
    EXPECT_EQ(tv.focused, 3);

    // Both moves of the first call go back as one step.
    for (int step = 0; step < 3; ++step) ASSERT_TRUE(db.Undo(Controls()));
    EXPECT_EQ(Stored(), (Names{"c0", "c1", "c2", "c3", "c4"}));
    EXPECT_EQ(db.UndoLabel(), "");
}

TEST_F(SelectionMove, NothingToPassChangesNothing) {
    MemoryListControl& tv = lists[kTv];
    tv.Select({0, 1});
    EXPECT_EQ(MoveSelectionByOne(db, kTv, &tv, -1), 0);
    tv.Select({4});
    EXPECT_EQ(MoveSelectionByOne(db, kTv, &tv, +1), 0);
    EXPECT_EQ(tv.selected, std::set<int>{4});
    tv.Select({});
    EXPECT_EQ(MoveSelectionByOne(db, kTv, &tv, +1) +
                  MoveSelectionByOne(db, kFavorite, &lists[kFavorite], +1),
              0);
    EXPECT_EQ(db.modified, 0u);
    EXPECT_EQ(db.UndoLabel(), "");
}

TEST_F(SelectionMove, PassesTheNeighbourShownInAFilteredList) {
    db.SelectionChanged(kSatellite, 0, Controls());  // S0: c0 c1 c4 shown
    MemoryListControl& tv = lists[kTv];
    ASSERT_EQ(tv.RowCount(), 3);
    tv.Select({2});
    ASSERT_EQ(MoveSelectionByOne(db, kTv, &tv, -1), 1);
    EXPECT_EQ(Stored(), (Names{"c0", "c4", "c1", "c2", "c3"}));
    EXPECT_EQ(tv.Text(1, 2), "c4");
    EXPECT_EQ(tv.selected, std::set<int>{1});
}

}  // namespace
}  // namespace brondavel
