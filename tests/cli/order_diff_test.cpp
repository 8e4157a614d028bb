// brondavel-cli apply-order, diff and dump --csv as scripts use them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/cli/cli_runner.h"

namespace {

using namespace clitest;

class CliOrderDiff : public CliTest {};

TEST_F(CliOrderDiff, SortedFileGetsItsOrderBackFromAnotherGenerationAndDiffSaysSo) {
    Ok("demo --model 0 --flash 4 --compress 2 gen2.bin");
    // Sorted by name: nearly every channel moves.
    Ok("edit demo.ZCS sorted.ZCS sort tv 2");
    Result moved = Ok("diff --json demo.ZCS sorted.ZCS");
    const auto j = nlohmann::json::parse(moved.out);
    EXPECT_GT(j["tv"]["moved"].size(), 100u);
    EXPECT_TRUE(j["tv"]["added"].empty());
    EXPECT_TRUE(j["radio"]["moved"].empty());

    // The second-generation demo holds the same channels in the original order.
    Result applied = Ok("apply-order sorted.ZCS gen2.bin back.ZCS");
    EXPECT_THAT(applied.out, HasSubstr("matched by key: 380\nmatched by name: 0\nunmatched: 0\n"));
    Result same = Cli("diff demo.ZCS back.ZCS");
    EXPECT_EQ(same.code, 0);
    EXPECT_EQ(same.out, "");
}

TEST_F(CliOrderDiff, DiffListsARenameAndANewParent) {
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

TEST_F(CliOrderDiff, DumpCsvHasAHeaderAndOneLinePerRow) {
    Result r = Ok("dump --csv demo.ZCS --kind radio");
    EXPECT_EQ(r.out.rfind("row,id,transponderRef,serviceId,", 0), 0u);
    EXPECT_EQ(Count(r.out, "\r\n"), 81u);
}

}  // namespace
