// The commands for data users bring, run as scripts run them: a transponder
// update from the installed tables, merge, convert there and back, and a
// reference list that restores a reordered file.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/cli/cli_runner.h"

namespace {

using clitest::CliTest;
using clitest::Result;

using CliData = CliTest;

TEST_F(CliData, UpdateFromTheInstalledNilesatTables) {
    // Row 2 of the demo is Nilesat at 7.0W.
    const Result dry = Ok("update-transponders " + P("demo.ZCS") + " " + P("out.ZCS") +
                          " --satellite 2 --dry-run");
    EXPECT_NE(dry.out.find("Nilesat-201-7.0W"), std::string::npos);
    EXPECT_NE(dry.out.find("S2 left out"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(P("out.ZCS")));

    const Result done = Ok("update-transponders " + P("demo.ZCS") + " " + P("out.ZCS") +
                           " --satellite 2 --table /usr/share/dvb/dvb-s/Nilesat-201-7.0W --json");
    EXPECT_NE(done.out.find("\"s2LeftOut\""), std::string::npos);
    // Run again on its own output, nothing is left to add or correct.
    const Result again = Ok("update-transponders " + P("out.ZCS") + " " + P("out2.ZCS") +
                            " --satellite 2 --table /usr/share/dvb/dvb-s/Nilesat-201-7.0W");
    EXPECT_NE(again.out.find("added 0, corrected 0"), std::string::npos) << again.out;

    // A table for another position, a missing file and a binary file are refused.
    std::vector<clitest::Refusal> refusals;
    for (const std::string& table :
         {std::string("/usr/share/dvb/dvb-s/Astra-19.2E"), P("none"), clitest::CliPath()})
        refusals.push_back({"update-transponders " + P("demo.ZCS") + " " + P("bad.ZCS") +
                                " --satellite 2 --table " + table,
                            1, "brondavel-cli: "});
    ExpectRefusals(refusals);
    EXPECT_FALSE(std::filesystem::exists(P("bad.ZCS")));
}

TEST_F(CliData, MergeConvertAndReference) {
    Result r = Ok("merge " + P("demo.ZCS") + " " + P("demo.ZCS") + " " + P("merged.ZCS"));
    EXPECT_EQ(clitest::Count(r.out, ": 0 added,"), 4u) << r.out;
    EXPECT_EQ(Bytes("merged.ZCS"), Bytes("demo.ZCS"));

    r = Ok("convert " + P("demo.ZCS") + " " + P("second.bin") + " --to-model 0");
    r = Ok("convert " + P("second.bin") + " " + P("back.ZCS") + " --to-model 2");
    // The second generation merges into the first without doubles.
    r = Ok("merge " + P("demo.ZCS") + " " + P("second.bin") + " " + P("merged2.ZCS") + " --json");
    EXPECT_EQ(clitest::Count(r.out, "\"added\": 0"), 4u) << r.out;

    // A reference list restores the order of a sorted copy exactly.
    Ok("reference " + P("demo.ZCS") + " " + P("tv.txt") + " --kind tv");
    EXPECT_EQ(clitest::ReadText(P("tv.txt")).rfind("number;name;ONID-TSID-SID\n1;", 0), 0u);
    Ok("edit " + P("demo.ZCS") + " " + P("sorted.ZCS") + " sort tv name asc");
    ASSERT_NE(Bytes("sorted.ZCS"), Bytes("demo.ZCS"));
    r = Ok("apply-order " + P("sorted.ZCS") + " " + P("tv.txt") + " " + P("restored.ZCS"));
    EXPECT_EQ(Bytes("restored.ZCS"), Bytes("demo.ZCS"));

    std::ofstream(P("bad.txt")) << "1;bell\x07\n";
    r = Cli("apply-order " + P("demo.ZCS") + " " + P("bad.txt") + " " + P("x.ZCS") + " --names");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("control characters"), std::string::npos) << r.err;
}

}  // namespace
