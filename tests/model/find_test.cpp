// The name filter of the list views, beside the satellite and transponder clicks.
#include <gtest/gtest.h>

#include "model/name_filter.h"
#include "tests/model/small_database.h"
#include "text/conexant_text.h"

namespace brondavel {
namespace {

using test::Channel;
using test::Column;

// Whole names of the rows shown (a row may show only the start of one).
std::vector<std::string> ViewNames(const DatabaseEngine& db, int kind) {
    std::vector<std::string> names;
    for (const Record& r : db.list(kind).view())
        names.push_back(text::NameToDisplay(r.data() + db.layout().NameOffset(kind),
                                            db.layout().NameSize(kind)));
    return names;
}

class Find : public test::SmallDatabase {
  protected:
    void SetUp() override {
        SmallDatabase::SetUp();
        // Channels on T0 (satellite S0) and T3 (satellite S2), named as the
        // edit dialog stores what the user typed.
        std::vector<Record> named;
        const std::pair<uint16_t, const char*> channels[] = {
            {0, "قناة النيل"}, {0, "NEWS 24"}, {3, "News Live"}, {3, "Café Olé"}, {0, "الجزيرة"}};
        for (const auto& [transponder, name] : channels) {
            Record r = Channel(transponder, "").ToRecord();
            r.id = static_cast<uint16_t>(db.Count(kTv) + named.size());
            db.layout().StoreNameText(kTv, r, name);
            named.push_back(r);
        }
        db.AddRecords(kTv, nullptr, named.data(), static_cast<int>(named.size()));
        RefreshAll();
    }
};

TEST(FoldCaseForFind, AsciiAndLatin1LettersOnly) {
    EXPECT_EQ(FoldCaseForFind("News ÀÉÞ×ß"), "news àéþ×ß");
    EXPECT_EQ(FoldCaseForFind("قناة"), "قناة");
    EXPECT_EQ(FoldCaseForFind("\xC3"), "\xC3");  // a cut sequence stays as it is
}

TEST_F(Find, ArabicWordsAndLatinLettersOfAnyCase) {
    ASSERT_TRUE(db.SetNameFilter(kTv, "النيل", &lists[kTv]));
    EXPECT_EQ(ViewNames(db, kTv), std::vector<std::string>{"قناة النيل"});
    // A found row keeps the number the receiver shows, its place in the whole list.
    EXPECT_EQ(Column(lists[kTv], 1), std::vector<std::string>{"5"});
    db.SetNameFilter(kTv, "news", &lists[kTv]);
    EXPECT_EQ(ViewNames(db, kTv), (std::vector<std::string>{"NEWS 24", "News Live"}));
    db.SetNameFilter(kTv, "CAFÉ", &lists[kTv]);
    EXPECT_EQ(ViewNames(db, kTv), std::vector<std::string>{"Café Olé"});
    db.SetNameFilter(kTv, "", &lists[kTv]);
    EXPECT_EQ(lists[kTv].RowCount(), db.Count(kTv));
    EXPECT_EQ(db.SetNameFilter(5, "x", nullptr), 0);
}

TEST_F(Find, CombinesWithASatelliteClickEitherWayRound) {
    db.SetNameFilter(kTv, "news", &lists[kTv]);
    db.SelectionChanged(kSatellite, 2, Controls());  // S2: only T3
    EXPECT_EQ(ViewNames(db, kTv), std::vector<std::string>{"News Live"});
    db.SetNameFilter(kTv, "", &lists[kTv]);
    EXPECT_EQ(ViewNames(db, kTv), (std::vector<std::string>{"c3", "News Live", "Café Olé"}));
    db.SelectionChanged(kSatellite, 0, Controls());
    db.SetNameFilter(kTv, "c", &lists[kTv]);
    EXPECT_EQ(ViewNames(db, kTv), (std::vector<std::string>{"c0", "c1"}));
}

TEST_F(Find, DeleteInAFilteredViewDeletesTheRowsShown) {
    db.SetNameFilter(kTv, "news", &lists[kTv]);
    lists[kTv].Select({1});  // "News Live"
    ASSERT_TRUE(db.DeleteSelected(kTv, &lists[kTv]));
    db.Refresh(kTv, &lists[kTv]);
    EXPECT_EQ(ViewNames(db, kTv), std::vector<std::string>{"NEWS 24"});
    db.SetNameFilter(kTv, "", &lists[kTv]);
    EXPECT_EQ(ViewNames(db, kTv), (std::vector<std::string>{"c0", "c1", "c2", "c3", "قناة النيل",
                                                            "NEWS 24", "Café Olé", "الجزيرة"}));
    // Undo brings it back, and the filter still applies to the refreshed list.
    db.SetNameFilter(kTv, "live", &lists[kTv]);
    EXPECT_EQ(lists[kTv].RowCount(), 0);
    ASSERT_TRUE(db.Undo(Controls()));
    EXPECT_EQ(ViewNames(db, kTv), std::vector<std::string>{"News Live"});
}

}  // namespace
}  // namespace brondavel
