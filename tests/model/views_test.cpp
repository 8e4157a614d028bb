// What the list windows show, how they sort, and their linked selection.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/model/small_database.h"

namespace brondavel {
namespace {

using namespace test;

TEST(RowText, SatellitePositionsInRowPickListAndDescription) {
    FirstGenDatabase db;
    std::vector sats{Sat(0, "Zero"), Sat(1, "One"), Sat(-12, "West"), Sat(1300, "a")};
    for (uint16_t code : {4000, 4064, 3999, 4065}) {  // 4000..4064 mark a terrestrial entry
        sats.push_back(Sat(100, "a"));
        sats.back().setTypeCode(code);
    }
    AddAll(db, kSatellite, sats);
    EXPECT_EQ(Shown(db, kSatellite, 2),
              (Strings{"0.0E", "0.1E", "1.2W", "130.0E", "TERR", "TERR", "10.0E", "10.0E"}));
    // Longitude zero is west in the pick list and the description.
    const Strings picks = PickList(db, kSatellite);
    EXPECT_EQ(Strings(picks.begin(), picks.begin() + 3),
              (Strings{"  0.0W - Zero", "  0.1E - One", "  1.2W - West"}));
    EXPECT_EQ(db.Describe(kSatellite, 0), "Zero (0.0 W)");
    EXPECT_EQ(db.Describe(kSatellite, 1), "One (0.1 E)");
    // A row without a record describes the new-record defaults, unnamed.
    EXPECT_EQ(db.Describe(kSatellite, 50), " (0.0 W)");
}

TEST(RowText, TransponderFormsInRowPickListAndDescription) {
    FirstGenDatabase db;
    auto v = Tp(0, 10001, "Pol1");
    v.setPolarisation(1);
    AddAll(db, kTransponder,
           std::vector{Tp(0, 5005, "T10", 10), Tp(0, 11739, "T11", 11), Tp(0, 12000, "T100", 100),
                       Tp(0, 12100, "T256", 256), v});
    EXPECT_EQ(Shown(db, kTransponder, 2), (Strings{"  500.5", "11739/H/   11", "12000/H/  100",
                                                   "12100/H/  256", "10001/V/27500"}));
    const Strings picks = PickList(db, kTransponder);
    EXPECT_EQ(Strings(picks.begin() + 2, picks.begin() + 4),
              (Strings{"12000 - T100", "12100/H/  256 - T256"}));
    EXPECT_EQ(db.Describe(kTransponder, 2), "T100 - 12000");
    EXPECT_EQ(db.Describe(kTransponder, 3), "T256 (12100/H/  256)");
}

TEST(RowText, ChannelRowsCarryImagesAndNumbers) {
    FirstGenDatabase db;
    ServiceRecord marked = Channel(0, "Marked"), systemsOnly = Channel(0, "Sys");
    marked.setLocked(true);
    marked.setInFavorite(3, true);
    marked.setScrambled(true);
    systemsOnly.setAccessSystems(2);  // ignored while `scrambled` is clear
    AddAll(db, kTv, std::vector{Channel(0, "Plain"), marked, systemsOnly});
    MemoryListControl list;
    db.Refresh(kTv, &list);
    EXPECT_EQ(Column(list, 1), (Strings{"1", "2", "3"}));
    EXPECT_EQ(Column(list, 2), (Strings{"Plain", "Marked", "Sys"}));
    std::vector<std::vector<int>> images;
    for (const auto& row : list.rows) images.push_back({row[3].image, row[4].image, row[5].image});
    EXPECT_EQ(images, (std::vector<std::vector<int>>{{-1, -1, -1}, {1, 2, 3}, {-1, -1, -1}}));
}

class Sorting : public ::testing::Test {
  protected:
    Strings Sorted(int kind, int order) {
        db.SortList(kind, order, &list);
        return Column(list, kind >= kTv ? 2 : 1);
    }
    FirstGenDatabase db;
    MemoryListControl list;
};

TEST_F(Sorting, LongitudeRunsEastwardsAndFlips) {
    AddAll(db, kSatellite,
           std::vector{Sat(-1, "0.1W"), Sat(1800, "180E"), Sat(0, "0E"), Sat(-1799, "179.9W"),
                       Sat(192, "19.2E")});
    EXPECT_EQ(Sorted(kSatellite, 3), (Strings{"0E", "19.2E", "180E", "179.9W", "0.1W"}));
    EXPECT_EQ(Sorted(kSatellite, 3), (Strings{"0.1W", "179.9W", "180E", "19.2E", "0E"}));
    EXPECT_EQ(db.GetSortState(kSatellite), 0x23u);
    EXPECT_EQ(db.SortStateOf(kSatellite),
              (SortState{SortOrder::kLongitude, SortDirection::kDescending}));
    EXPECT_EQ(db.modified, 1u);
    // Order 4 does not exist for satellites: refresh only.
    db.modified = 0;
    EXPECT_EQ(db.SortList(kSatellite, 4, &list), 0);
    EXPECT_EQ(db.modified, 0u);
    EXPECT_EQ(list.RowCount(), 5);
}

TEST_F(Sorting, EqualKeysFallBackToIdBothWaysAndNamesIgnoreCase) {
    AddAll(db, kTransponder,
           std::vector{Tp(3, 11000, "b"), Tp(1, 10000, "a"), Tp(2, 11000, "c"), Tp(0, 11000, "d")});
    EXPECT_EQ(Sorted(kTransponder, 4), (Strings{"a", "b", "c", "d"}));
    EXPECT_EQ(Sorted(kTransponder, 4), (Strings{"d", "c", "b", "a"}));
    EXPECT_EQ(Sorted(kTransponder, 3), (Strings{"d", "a", "c", "b"}));
    // Prefixes come first.
    AddAll(db, kRadio,
           std::vector{Channel(0, "beta", 1), Channel(0, "Alpha", 2), Channel(0, "BETA", 3),
                       Channel(0, "alp", 4)});
    EXPECT_EQ(Sorted(kRadio, 2), (Strings{"alp", "Alpha", "beta", "BETA"}));
    EXPECT_EQ(Sorted(kRadio, 2), (Strings{"BETA", "beta", "Alpha", "alp"}));
}

ServiceRecord WithSystems(const std::string& name, uint32_t systems) {
    ServiceRecord c = Channel(0, name);
    c.setScrambled(systems != 0);
    c.setAccessSystems(systems);
    return c;
}

TEST_F(Sorting, ScrambleClassesInPriorityOrder) {
    // Bits: 0 VIACCESS, 1 IRDETO, 5 CONAX, 6 CRYPTWORKS, 8 BISS, 9 XCRYPT.
    AddAll(db, kTv,
           std::vector{WithSystems("conax", 1u << 5), WithSystems("free", 0),
                       WithSystems("irdetobiss", (1u << 1) | (1u << 8)),
                       WithSystems("bisscryptworks", (1u << 8) | (1u << 6)),
                       WithSystems("xcrypt", 1u << 9), WithSystems("3rdcas", 1u << 10),
                       WithSystems("via", 1u), WithSystems("free2", 0)});
    EXPECT_EQ(Sorted(kTv, 3), (Strings{"free", "free2", "via", "irdetobiss", "conax",
                                       "bisscryptworks", "xcrypt", "3rdcas"}));
    ServiceRecord top = WithSystems("x", 1u << 9);
    top.setFlags(top.flags() | (1u << 15));  // bit 11 of the class bits
    EXPECT_EQ(FirstGenLayout::AccessClass(top.ToRecord()), 2048u);
    // Descending reverses the classes but keeps stored order inside one.
    EXPECT_EQ(Sorted(kTv, 3), (Strings{"3rdcas", "xcrypt", "bisscryptworks", "conax", "irdetobiss",
                                       "via", "free", "free2"}));
}

class Cascade : public SmallDatabase {
  protected:
    void SetUp() override {
        SmallDatabase::SetUp();
        AddAll(db, kSatellite, std::vector{Sat(100, "S3")});  // no transponders
        RefreshAll();
    }
};

TEST_F(Cascade, SatelliteNarrowsTranspondersAndChannels) {
    db.SelectionChanged(kSatellite, 0, Controls());
    EXPECT_EQ(Rows(kTransponder), (Strings{"T0", "T1"}));
    EXPECT_EQ(Rows(kTv), (Strings{"c0", "c1"}));
    EXPECT_EQ(Rows(kRadio), (Strings{"r0"}));
    EXPECT_EQ(db.KeyFilterCount(kTv), 2);
    // A satellite without transponders empties both channel windows.
    db.SelectionChanged(kSatellite, 3, Controls());
    EXPECT_EQ(Rows(kTransponder).size() + Rows(kTv).size() + Rows(kRadio).size(), 0u);
    EXPECT_EQ(db.KeyFilterCount(kTv), 2);  // the keys stay as they were
    // Clearing all filters shows everything; a satellite restricts again.
    EXPECT_EQ(db.ClearAllKeyFilters(0, Controls()), 1);
    EXPECT_EQ(db.AllKeyFiltersEmpty(0), 1);
    EXPECT_EQ(db.ClearAllKeyFilters(0, Controls()), 0);
    EXPECT_EQ(lists[kTv].RowCount(), 4);
    db.SelectionChanged(kSatellite, 1, Controls());
    EXPECT_EQ(Rows(kTransponder), (Strings{"T2"}));
}

TEST_F(Cascade, TransponderAndChannelHighlightTheirParents) {
    db.SelectionChanged(kTransponder, 2, Controls());  // T2 on S1
    EXPECT_EQ(lists[kSatellite].SelectedRows(), std::vector<int>{1});
    EXPECT_EQ(lists[kSatellite].focused, 1);
    EXPECT_EQ(Rows(kTv), (Strings{"c2"}));
    EXPECT_TRUE(Rows(kRadio).empty());
    db.ClearAllKeyFilters(0, Controls());
    lists[kSatellite].Select({0, 2});
    db.SelectionChanged(kTv, 3, Controls());  // c3 on T3 on S2
    EXPECT_EQ(lists[kTransponder].SelectedRows(), std::vector<int>{3});
    EXPECT_EQ(lists[kSatellite].SelectedRows(), std::vector<int>{2});
    EXPECT_EQ(lists[kTv].RowCount(), 4);  // channels filter nothing
}

TEST_F(Cascade, RefreshKeepSelectionFollowsIds) {
    lists[kTv].Select({1, 3});
    db.SortList(kTv, 1, &lists[kTv]);  // Original, already ascending: flips
    EXPECT_EQ(Rows(kTv), (Strings{"c3", "c2", "c1", "c0"}));
    EXPECT_EQ(lists[kTv].SelectedRows(), (std::vector<int>{0, 2}));
    db.RefreshKeepSelection(kTv, &lists[kTv], 0);
    EXPECT_EQ(lists[kTv].SelectedRows(), (std::vector<int>{0, 2}));
}

}  // namespace
}  // namespace brondavel
