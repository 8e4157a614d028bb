// The commands for data users bring, run as scripts run them: a transponder
// update from the installed tables, merge, convert there and back, and a
// reference list that restores a reordered file.
#include <gtest/gtest.h>

#include <fstream>

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
    const std::string nilesat = " --table /usr/share/dvb/dvb-s/Nilesat-201-7.0W";
    EXPECT_THAT(Ok(update + nilesat + " --json").out, HasSubstr("\"s2LeftOut\""));
    // Run again on its own output, nothing is left to add or correct.
    EXPECT_THAT(Ok("update-transponders out.ZCS out2.ZCS --satellite 2" + nilesat).out,
                HasSubstr("added 0, corrected 0"));
    // A table for another position, a missing file and a binary file are refused.
    std::vector<Refusal> refusals;
    for (const std::string& table :
         {std::string("/usr/share/dvb/dvb-s/Astra-19.2E"), P("none"), CliPath()})
        refusals.push_back({"update-transponders demo.ZCS bad.ZCS --satellite 2 --table " + table,
                            1, "brondavel-cli: "});
    ExpectRefusals(refusals);
    EXPECT_FALSE(std::filesystem::exists(P("bad.ZCS")));
}

TEST_F(CliData, MergeConvertAndReference) {
    Result r = Ok("merge demo.ZCS demo.ZCS merged.ZCS");
    EXPECT_EQ(Count(r.out, ": 0 added,"), 4u) << r.out;
    EXPECT_EQ(Bytes("merged.ZCS"), Bytes("demo.ZCS"));

    Ok("convert demo.ZCS second.bin --to-model 0");
    Ok("convert second.bin back.ZCS --to-model 2");
    // The second generation merges into the first without doubles.
    r = Ok("merge demo.ZCS second.bin merged2.ZCS --json");
    EXPECT_EQ(Count(r.out, "\"added\": 0"), 4u) << r.out;

    // A reference list restores the order of a sorted copy exactly.
    Ok("reference demo.ZCS tv.txt --kind tv");
    EXPECT_EQ(ReadText(P("tv.txt")).rfind("number;name;ONID-TSID-SID\n1;", 0), 0u);
    Ok("edit demo.ZCS sorted.ZCS sort tv name asc");
    ASSERT_NE(Bytes("sorted.ZCS"), Bytes("demo.ZCS"));
    Ok("apply-order sorted.ZCS tv.txt restored.ZCS");
    EXPECT_EQ(Bytes("restored.ZCS"), Bytes("demo.ZCS"));

    std::ofstream(P("bad.txt")) << "1;bell\x07\n";
    ExpectRefusals({{"apply-order demo.ZCS bad.txt x.ZCS --names", 1, "control characters"}});
}

}  // namespace
