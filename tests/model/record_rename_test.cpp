// Renaming in place, as `edit rename` and the list windows' F2 do it.
#include "model/record_rename.h"

#include <gtest/gtest.h>

#include "tests/model/small_database.h"

namespace brondavel {
namespace {

class Rename : public test::SmallDatabase {
  protected:
    std::vector<Record> Records(int kind) { return db.list(kind).records(); }
};

TEST_F(Rename, StoresTheWholeNameAsOneUndoableStep) {
    const RenameResult r = RenameRow(db, kTv, 1, "Canal Sport");
    EXPECT_EQ(r.status, RenameStatus::kRenamed);
    EXPECT_EQ(r.stored, "Canal Sport");
    EXPECT_FALSE(r.Changed());
    EXPECT_EQ(RenameChangeText(r), "");
    EXPECT_EQ(FullName(db, kTv, 1), "Canal Sport");
    EXPECT_EQ(db.modified, 1u);
    EXPECT_EQ(db.UndoLabel(), "Rename TV Channel");

    ASSERT_EQ(RenameRow(db, kSatellite, 0, "Astra 1KR/1L/1M").status, RenameStatus::kRenamed);
    EXPECT_EQ(FullName(db, kSatellite, 0), "Astra 1KR/1L/1M");

    const std::vector<Record> before = Records(kTv);
    for (int step = 0; step < 2; ++step) ASSERT_TRUE(db.Undo(Controls()));
    EXPECT_EQ(FullName(db, kTv, 1), "c1");
    EXPECT_NE(Records(kTv), before);
}

TEST_F(Rename, RefusalsChangeNothing) {
    const std::vector<Record> before = Records(kTv);
    for (const char* blank : {"", " ", "   \t"}) {
        const RenameResult empty = RenameRow(db, kTv, 0, blank);
        EXPECT_EQ(empty.status, RenameStatus::kEmpty) << '"' << blank << '"';
        EXPECT_EQ(RenameRefusalText(empty), "a name cannot be empty");
    }

    for (auto [kind, row] : {std::pair<int, int>{kTv, 4}, {kTv, -1}, {kFavorite, 0}, {7, 0}}) {
        const RenameResult none = RenameRow(db, kind, row, "X");
        EXPECT_EQ(none.status, RenameStatus::kNoSuchRow) << kind << " " << row;
        EXPECT_FALSE(RenameRefusalText(none).empty());
        EXPECT_EQ(FullName(db, kind, row), "");
    }

    // The name it has already: no step that changes nothing.
    const RenameResult same = RenameRow(db, kTv, 2, "c2");
    EXPECT_EQ(same.status, RenameStatus::kUnchanged);
    EXPECT_TRUE(same.Stored());
    EXPECT_EQ(RenameRefusalText(same), "");

    EXPECT_EQ(Records(kTv), before);
    EXPECT_EQ(db.modified, 0u);
    EXPECT_EQ(db.UndoLabel(), "");
}

TEST_F(Rename, RenamesTheRecordOfTheRowAsFilteredAndSorted) {
    db.SortList(kTv, 2, &lists[kTv]);
    db.SortList(kTv, 2, &lists[kTv]);  // names descending: c3 c2 c1 c0
    db.SetNameFilter(kTv, "c", &lists[kTv]);
    db.SelectionChanged(kSatellite, 0, Controls());
    ASSERT_EQ(lists[kTv].RowCount(), 2);  // c1 c0, on S0's transponders
    ASSERT_EQ(FullName(db, kTv, 1), "c0");
    ASSERT_EQ(RenameRow(db, kTv, 1, "first").status, RenameStatus::kRenamed);
    EXPECT_EQ(test::Names(db, kTv), (std::vector<std::string>{"c3", "c2", "c1", "first"}));
}

}  // namespace
}  // namespace brondavel
