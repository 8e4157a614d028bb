// Files read with the settings they fit, and what brondavel-cli must never
// do to a user's files: save a database read with the wrong settings, write
// over its own input, or call a failed write a success.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/cli/cli_runner.h"

namespace {

using namespace clitest;
using testsupport::Slurp;
namespace fs = std::filesystem;

class CliSafety : public CliTest {};

TEST_F(CliSafety, OutputOverTheInputIsRefused) {
    const auto original = Slurp(P("demo.ZCS"));
    fs::create_symlink(P("demo.ZCS"), P("link.ZCS"));
    std::vector<Refusal> refusals;
    for (const char* args : {"export-source demo.ZCS ./demo.ZCS", "lh5 compress demo.ZCS demo.ZCS",
                             "lh5 decompress demo.ZCS link.ZCS"})
        refusals.push_back({args, 1, "is the input file"});
    ExpectRefusals(refusals);
    EXPECT_EQ(Slurp(P("demo.ZCS")), original);
    EXPECT_TRUE(fs::is_symlink(P("link.ZCS")));
    // A database saved over itself stays a database: that is what resave is for.
    Ok("resave demo.ZCS demo.ZCS");
    EXPECT_EQ(fs::file_size(P("demo.ZCS")), original.size());
}

TEST_F(CliSafety, EveryCommandFailsWhenStandardOutputCannotBeWritten) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    std::vector<Refusal> refusals;
    for (const char* args : {"check demo.ZCS --model 0", "dump demo.ZCS --kind tv", "edit --help"})
        refusals.push_back({args + std::string(" >/dev/full"), 1, "cannot write standard output"});
    refusals.push_back(
        {"info demo.ZCS >/dev/full", 1, "cannot write standard output: No space left on device"});
    ExpectRefusals(refusals);
}

TEST_F(CliSafety, FilesOpenWithTheSettingsTheyFitAndWrongOnesNeverDestroyThem) {
    // Model 1 and flash type 1 read as model 0 and flash type 3 do.
    const std::string right = "--model 1 --flash 1 --compress 1 ",
                      other = "--model 0 --flash 4 --compress 2 ",
                      expected = "--model 0 --flash 3 --compress 1";
    Ok("demo " + right + "b.bin");
    EXPECT_THAT(Ok("detect b.bin").out, HasSubstr("options:  " + expected));
    // A first-generation file read as a second-generation one opens empty; a
    // second-generation one read with other settings as nonsense: neither is saved.
    const auto first = Slurp(P("demo.ZCS")), second = Slurp(P("b.bin"));
    ExpectRefusals({{"resave demo.ZCS demo.ZCS --model 0", 1, "try --model 2"},
                    {"edit b.bin b.bin " + other + "sort tv name", 1, "try " + expected}});
    EXPECT_EQ(Slurp(P("demo.ZCS")), first);
    EXPECT_EQ(Slurp(P("b.bin")), second);
    Ok("resave demo.ZCS forced.bin --model 0 --flash 3 --compress 0 --force");
    EXPECT_TRUE(fs::exists(P("forced.bin")));
    // With the right settings commands are quiet and write; with others check says what to try.
    Ok("edit b.bin b.bin " + right + "sort tv name");
    const Result given = Ok("dump --kind tv " + right + "b.bin");
    EXPECT_EQ(given.err, "");
    Result check = Cli("check " + other + "b.bin");
    EXPECT_EQ(check.code, 1);
    EXPECT_THAT(check.out, HasSubstr("settings: the file looks like " + expected));
    // No settings: the file reads as it should, and one line says how.
    Result detected = Ok("dump b.bin --kind tv");
    EXPECT_EQ(detected.out, given.out);
    EXPECT_EQ(Count(detected.err, "\n"), 1u) << detected.err;
    EXPECT_THAT(detected.err, HasSubstr("read as model 0, SST 2M, file compression"));
    // A file edited without settings keeps its own.
    Ok("edit b.bin edited.bin delete tv 0");
    EXPECT_EQ(Ok("dump --kind tv " + right + "edited.bin").err, "");
    testsupport::Spit(P("noise.bin"), std::vector<uint8_t>(5000, 0x5A));
    Result noise = Cli("detect --json noise.bin");
    EXPECT_EQ(std::tuple(noise.code, nlohmann::json::parse(noise.out)["best"].is_null()),
              std::tuple(1, true));
}

}  // namespace
