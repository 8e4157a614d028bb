// The commands for data users bring, as scripts run them: transponder updates
// from the installed tables, merge, convert, order restored, and diff.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "tests/cli/cli_runner.h"

namespace {

using namespace clitest;

using CliData = CliTest;

TEST_F(CliData, UpdateFromTheInstalledNilesatTables) {
    // Row 2 of the demo is Nilesat at 7.0W.
    const std::string update = "update-transponders demo.ZCS out.ZCS --satellite 2 ";
    const Result dry = Ok(update + "--dry-run");
    EXPECT_THAT(dry.out, HasSubstr("Nilesat-201-7.0W"));
    EXPECT_THAT(dry.out, HasSubstr("S2 left out"));
    EXPECT_FALSE(std::filesystem::exists(P("out.ZCS")));
    EXPECT_THAT(Ok(update + "--table /usr/share/dvb/dvb-s/Nilesat-201-7.0W --json").out,
                HasSubstr("\"s2LeftOut\""));
    // A table for another position and a file that is no table are refused.
    const std::string bad = "update-transponders demo.ZCS bad.ZCS --satellite 2 --table ";
    ExpectRefusals({{bad + "/usr/share/dvb/dvb-s/Astra-19.2E", 1, "is for the position 7.0W"},
                    {bad + "none", 1, "brondavel-cli: "}});
    EXPECT_FALSE(std::filesystem::exists(P("bad.ZCS")));
}

TEST_F(CliData, MergeConvertAndRestoreTheOrder) {
    Result r = Ok("merge demo.ZCS demo.ZCS merged.ZCS");
    EXPECT_EQ(Count(r.out, ": 0 added,"), 4u) << r.out;
    EXPECT_EQ(Bytes("merged.ZCS"), Bytes("demo.ZCS"));
    // The second generation merges into the first without doubles.
    Ok("convert demo.ZCS second.bin --to-model 0");
    r = Ok("merge demo.ZCS second.bin merged2.ZCS --json");
    EXPECT_EQ(Count(r.out, "\"added\": 0"), 4u) << r.out;

    // Sorted by name, nearly every channel moves; a reference list, or a
    // file of the other generation, restores the order exactly.
    Ok("edit demo.ZCS sorted.ZCS sort tv name asc");
    const auto j = nlohmann::json::parse(Ok("diff --json demo.ZCS sorted.ZCS").out);
    EXPECT_GT(j["tv"]["moved"].size(), 100u);
    EXPECT_TRUE(j["tv"]["added"].empty() && j["radio"]["moved"].empty());
    Ok("reference demo.ZCS tv.txt --kind tv");
    EXPECT_EQ(ReadText(P("tv.txt")).rfind("number;name;ONID-TSID-SID\n1;", 0), 0u);
    Ok("apply-order sorted.ZCS tv.txt restored.ZCS");
    EXPECT_EQ(Bytes("restored.ZCS"), Bytes("demo.ZCS"));
    EXPECT_THAT(Ok("apply-order sorted.ZCS second.bin back.ZCS").out,
                HasSubstr("matched by key: 380\nmatched by name: 0\nunmatched: 0\n"));
    const Result same = Cli("diff demo.ZCS back.ZCS");
    EXPECT_EQ(std::tuple(same.code, same.out), std::tuple(0, ""));

    std::ofstream(P("bad.txt")) << "1;bell\x07\n";
    ExpectRefusals({{"apply-order demo.ZCS bad.txt x.ZCS --names", 1, "control characters"}});
}

TEST_F(CliData, DiffListsARenameAndANewParent) {
    Ok("edit demo.ZCS renamed.ZCS rename tv 3 'A\"B'");
    Result r = Ok("diff demo.ZCS renamed.ZCS");
    EXPECT_EQ(
        r.out.rfind("tv: 0 added, 0 removed, 0 moved, 1 changed\n~ tv #4 -> #4 \"A\\\"B\"", 0), 0u)
        << r.out;
    EXPECT_THAT(r.out, HasSubstr(": name \"Kids Club\" -> \"A\\\"B\"\n"));

    // A new parent is a change of the record pointed to, named by what it is.
    Ok("edit demo.ZCS moved.ZCS reparent transponders 5 0");
    Result reparented = Ok("diff demo.ZCS moved.ZCS");
    EXPECT_EQ(Count(reparented.out, ": satellite \""), 1u) << reparented.out;
    EXPECT_EQ(Count(reparented.out, "\n~ "), 1u) << reparented.out;
}

}  // namespace
