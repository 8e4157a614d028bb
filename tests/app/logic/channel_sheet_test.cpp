// The printed sheet: every channel once per list, in its own section, with
// its place, satellite and marks as the lists show them.
#include "app/logic/channel_sheet.h"

#include <gtest/gtest.h>

#include "model/demo_database.h"
#include "model/first_gen_database.h"
#include "model/memory_controls.h"
#include "model/record_rename.h"

namespace brondavel::app {
namespace {

struct DemoSheet : ::testing::Test {
    DemoSheet() { FillFirstGenDemo(db, DemoSize{3, 4, 60, 20}); }
    size_t Rows(const std::vector<ChannelSheetSection>& sections) {
        size_t n = 0;
        for (const auto& s : sections) n += s.rows.size();
        return n;
    }
    FirstGenDatabase db;
};

TEST_F(DemoSheet, WholeListsMatchTheListWindows) {
    const auto sheet = BuildChannelSheet(db, {});
    ASSERT_EQ(sheet.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        MemoryListControl list;
        db.Refresh(k == 0 ? kTv : kRadio, &list);
        ASSERT_EQ(sheet[k].rows.size(), static_cast<size_t>(list.RowCount()));
        for (int row = 0; row < list.RowCount(); ++row) {
            const ChannelSheetRow& r = sheet[k].rows[row];
            // The whole name, never cut.
            EXPECT_EQ(std::tie(r.number, r.name, r.locked, r.scrambled),
                      std::tuple(list.Text(row, 1), FullName(db, k == 0 ? kTv : kRadio, row),
                                 list.rows[row][3].image >= 0, list.rows[row][5].image >= 0));
            EXPECT_FALSE(r.satellite.empty() || r.transponder.empty());
        }
    }
}

TEST_F(DemoSheet, GroupingsDivideTheListsWithoutLosingAChannel) {
    ChannelSheetOptions tvOnly;
    tvOnly.radio = false;
    const size_t tv = BuildChannelSheet(db, tvOnly)[0].rows.size();

    tvOnly.grouping = SheetGrouping::kPerSatellite;
    const auto bySatellite = BuildChannelSheet(db, tvOnly);
    EXPECT_EQ(Rows(bySatellite), tv);
    for (const auto& section : bySatellite)
        for (const auto& row : section.rows)
            EXPECT_NE(section.title.find(row.satellite), std::string::npos) << section.title;

    // Favourite groups: a channel is in as many sections as it has groups, and
    // a channel with no group in none.
    tvOnly.grouping = SheetGrouping::kPerFavoriteGroup;
    const auto byGroup = BuildChannelSheet(db, tvOnly);
    size_t memberships = 0;
    for (const Record& channel : db.list(kTv).records())
        for (int g = 0; g < 16; ++g) memberships += db.layout().IsFavoriteMember(channel, g);
    EXPECT_GT(memberships, 0u);
    EXPECT_EQ(Rows(byGroup), memberships);
    for (const auto& section : byGroup)
        for (const auto& row : section.rows) EXPECT_TRUE(row.favorite);
}

}  // namespace
}  // namespace brondavel::app
