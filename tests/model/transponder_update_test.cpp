// Updating a satellite's transponders from a table.
#include "model/transponder_update.h"

#include <gtest/gtest.h>

#include "model/second_gen_database.h"
#include "model/second_gen_records.h"
#include "model/transponder_naming.h"
#include "tests/model/test_builders.h"

namespace brondavel {
namespace {

using test::AddAll;

TransponderTable Table(int longitude, std::vector<TableTransponder> entries) {
    TransponderTable t;
    t.name = "Test";
    t.longitude = longitude;
    t.transponders = std::move(entries);
    return t;
}

// Satellite 0 at 7.0W with 11747 V (2 channels), 11766 H and 12000 V; satellite
// 1 at 19.2E with one transponder.
void Fill(FirstGenDatabase& db) {
    AddAll(db, kSatellite, std::vector{test::Sat(-70, "Nilesat"), test::Sat(192, "Astra")});
    TransponderRecord v = test::Tp(0, 11747, "11747 V", 27500);
    v.setPolarisation(1);
    TransponderRecord far = test::Tp(0, 12000, "12000 V", 27500);
    far.setPolarisation(1);
    AddAll(db, kTransponder,
           std::vector{v, test::Tp(0, 11766, "11766 H", 27500), far, test::Tp(1, 11000, "x")});
    AddAll(db, kTv, std::vector{test::Channel(0, "a", 1), test::Channel(0, "b", 2)});
    AddAll(db, kRadio, std::vector{test::Channel(2, "r", 3)});
    db.UpdateActiveMarks();
}

TEST(TransponderUpdate, PlansAdditionsCorrectionsAndMissing) {
    FirstGenDatabase db;
    Fill(db);
    const TransponderTable table = Table(-70, {{11748, 27500, 'V', 3},  // 1 MHz off: corrects FEC
                                               {11766, 27500, 'H'},     // already right
                                               {11766, 30000, 'V'},     // other polarisation: new
                                               {12226, 27500, 'R', 5},  // circular right: V
                                               {11727, 30000, 'H', 0, true}});  // S2: left out
    const TransponderUpdatePlan plan = PlanTransponderUpdate(db, 0, {table}, {});
    ASSERT_EQ(SummaryText(plan), "added 2, corrected 1, not in the table 1, S2 left out 1");
    EXPECT_EQ(plan.corrections[0].id, 0);
    EXPECT_EQ(plan.corrections[0].newFec, 3);
    EXPECT_EQ(plan.unchanged, 1);
    EXPECT_EQ(plan.circular, 1);
    // Names follow the list's own "frequency polarisation" naming.
    EXPECT_EQ(plan.additions[0].name, "11766 V");
    EXPECT_EQ(plan.additions[1].name, "12226 V");
    EXPECT_EQ(plan.missing[0].frequency, 12000u);
    EXPECT_EQ(plan.missing[0].channels, 1);
    EXPECT_FALSE(plan.missing[0].chosen);

    // With S2 asked for, the S2 entry is added too.
    EXPECT_EQ(PlanTransponderUpdate(db, 0, {table}, {true, false}).additions.size(), 3u);
}

TEST(TransponderUpdate, AppliesChosenPartsAsOneUndoStep) {
    FirstGenDatabase db;
    Fill(db);
    const auto before = db.list(kTransponder).records();
    TransponderUpdatePlan plan = PlanTransponderUpdate(
        db, 0, {Table(-70, {{11747, 22000, 'V', 2}, {11900, 27500, 'H'}})}, {false, true});
    plan.missing[0].chosen = false;  // keep 11766 H, remove 12000 V with its radio channel
    const TransponderUpdateResult r = ApplyTransponderUpdate(db, plan);
    EXPECT_TRUE(r.error.empty());
    EXPECT_EQ(std::tuple(r.added, r.corrected, r.removed, r.channelsRemoved),
              std::tuple(1, 1, 1, 1));
    EXPECT_EQ(db.Count(kTransponder), 4);
    EXPECT_EQ(db.Count(kRadio), 0);
    EXPECT_EQ(As<TransponderRecord>(db.list(kTransponder).records()[0]).symbolRate(), 22000u);
    EXPECT_EQ(db.modified, 1u);
    EXPECT_EQ(db.UndoLabel(), "Update Transponders");
    ASSERT_EQ(db.Undo({}), 1);
    EXPECT_EQ(db.list(kTransponder).records(), before);
    EXPECT_EQ(db.Count(kRadio), 1);
}

TEST(TransponderUpdate, OverflowChangesNothing) {
    FirstGenDatabase db;
    Fill(db);
    std::vector<TableTransponder> many;
    for (uint32_t f = 0; f < 2100; ++f) many.push_back(TableTransponder{10000 + 5 * f, 27500, 'H'});
    TransponderUpdatePlan plan = PlanTransponderUpdate(db, 0, {Table(-70, many)}, {});
    const TransponderUpdateResult r = ApplyTransponderUpdate(db, plan);
    EXPECT_NE(r.error.find("nothing was changed"), std::string::npos);
    EXPECT_EQ(db.Count(kTransponder), 4);
    EXPECT_EQ(db.UndoLabel(), "");
}

TEST(TransponderUpdate, NewSatelliteFromATableInTheSecondGeneration) {
    SecondGenDatabase db;
    std::string error;
    const uint16_t id = AddSatelliteFromTable(
        db, Table(260, {{11900, 27500, 'V'}, {12000, 27500, 'H', 0, true}}), false, error);
    ASSERT_NE(id, kNone) << error;
    EXPECT_EQ(As<gen2::SatelliteRecord>(db.list(kSatellite).records()[0]).longitude(), 260);
    ASSERT_EQ(db.Count(kTransponder), 1);
    const auto t = As<gen2::TransponderRecord>(db.list(kTransponder).records()[0]);
    EXPECT_EQ(t.satelliteRef(), id);
    EXPECT_EQ(t.frequency(), 11900u);
    EXPECT_EQ(t.polarisation(), 1);
    EXPECT_EQ(db.UndoLabel(), "New Satellite");
}

TEST(TransponderNaming, FollowsTheListsStyle) {
    struct Case {
        std::vector<NamedTransponder> existing;
        std::string expected;
    };
    for (const Case& c :
         std::vector<Case>{{{{"TP 11747", 11747, 'V'}, {"TP 11766", 11766, 'H'}}, "TP 12000"},
                           {{{"11747v", 11747, 'V'}, {"11766h", 11766, 'H'}}, "12000h"},
                           {{{"TP 3", 1, 'V'}, {"TP 7", 2, 'H'}}, "TP 8"},
                           {{{"User", 1, 'V'}, {"User", 2, 'H'}}, "User"},
                           {{}, "12000 H"}}) {
        TransponderNaming naming(c.existing);
        EXPECT_EQ(naming.NameFor(12000, 'H'), c.expected);
    }
}

}  // namespace
}  // namespace brondavel
