// What brondavel-cli must never do to a user's files: save a database read
// with the wrong settings, write over its own input, or call a failed write
// a success.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/cli/cli_runner.h"

namespace {

using clitest::CliTest;
using clitest::HasSubstr;
using clitest::Result;
using testsupport::Slurp;
namespace fs = std::filesystem;

class CliSafety : public CliTest {};

TEST_F(CliSafety, WrongSettingsNeverDestroyADatabase) {
    // A first-generation file read as a second-generation one opens empty; a
    // second-generation one read with another compress mode as nonsense.
    const std::string a = P("demo.ZCS"), b = P("b.bin");
    Ok("demo --model 1 --flash 3 --compress 1 " + b);
    const auto first = Slurp(a), second = Slurp(b);
    std::vector<clitest::Refusal> refusals{
        {"resave " + a + " " + a + " --model 0", 1, "try --model 2"}};
    for (const char* wrong :
         {"--model 1 --flash 3 --compress 2", "--model 1 --flash 4 --compress 1", "--model 2"})
        refusals.push_back({"edit " + b + " " + b + " " + wrong + " sort tv name", 1,
                            "try --model 0 --flash 3 --compress 1"});
    ExpectRefusals(refusals);
    EXPECT_EQ(Slurp(a), first);
    EXPECT_EQ(Slurp(b), second);
    // The right settings, and --force, still write.
    Ok("edit " + b + " " + b + " --model 1 --flash 1 --compress 1 sort tv name");
    Ok("resave " + a + " " + P("forced.bin") + " --model 0 --flash 3 --compress 0 --force");
    EXPECT_TRUE(fs::exists(P("forced.bin")));
}

TEST_F(CliSafety, OutputOverTheInputIsRefused) {
    const std::string a = P("demo.ZCS");
    const auto original = Slurp(a);
    fs::create_symlink(a, P("link.ZCS"));
    std::vector<clitest::Refusal> refusals;
    for (const std::string& args :
         {"export-source " + a + " " + a, "export-source " + a + " " + P("link.ZCS"),
          "export-source " + a + " " + dir.path.string() + "/./demo.ZCS",
          "lh5 compress " + a + " " + a, "lh5 decompress " + a + " " + P("link.ZCS")})
        refusals.push_back({args, 1, "is the input file"});
    ExpectRefusals(refusals);
    EXPECT_EQ(Slurp(a), original);
    EXPECT_TRUE(fs::is_symlink(P("link.ZCS")));
    // A database saved over itself stays a database: that is what resave is for.
    Ok("resave " + a + " " + a);
    EXPECT_EQ(fs::file_size(a), original.size());
}

TEST_F(CliSafety, EveryCommandFailsWhenStandardOutputCannotBeWritten) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const std::string a = P("demo.ZCS");
    std::vector<clitest::Refusal> refusals;
    for (const std::string& args :
         {"info " + a, "info --json " + a, "detect " + a, "check " + a + " --model 0",
          "dump " + a + " --kind tv", "dump " + a + " --kind tv --json", std::string("--help"),
          std::string("edit --help")})
        refusals.push_back({args + " >/dev/full", 1, "cannot write standard output"});
    refusals.push_back(
        {"info " + a + " >/dev/full", 1, "cannot write standard output: No space left on device"});
    ExpectRefusals(refusals);
}

TEST_F(CliSafety, DetectNamesTheSettingsAFileNeeds) {
    // Model 1 and flash type 1 read as model 0 and flash type 3 do.
    const std::string right = "--model 1 --flash 1 --compress 1 ",
                      other = "--model 0 --flash 4 --compress 2 ";
    const std::string file = P("b.bin"), expected = "--model 0 --flash 3 --compress 1";
    Ok("demo " + right + file);
    EXPECT_THAT(Ok("detect " + file).out, HasSubstr("options:  " + expected));
    // With the right settings info is quiet and check passes; with others
    // they say what to try.
    EXPECT_EQ(Ok("info " + right + file).err, "");
    Ok("check " + right + file);
    EXPECT_THAT(Cli("info " + other + file).err, HasSubstr("try " + expected));
    Result check = Cli("check " + other + file);
    EXPECT_EQ(check.code, 1);
    EXPECT_THAT(check.out, HasSubstr("settings: the file looks like " + expected));
    testsupport::Spit(P("noise.bin"), std::vector<uint8_t>(5000, 0x5A));
    Result noise = Cli("detect --json " + P("noise.bin"));
    EXPECT_EQ(noise.code, 1);
    EXPECT_TRUE(nlohmann::json::parse(noise.out)["best"].is_null());
    EXPECT_THAT(noise.err, HasSubstr("no database file"));
}

}  // namespace
