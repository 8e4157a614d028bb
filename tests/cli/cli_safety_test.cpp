// What brondavel-cli must never do to a user's files: save a database read
// with the wrong settings, write over its own input, or call a failed write
// a success.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/cli/cli_runner.h"

namespace {

using clitest::CliTest;
using clitest::Result;
using testsupport::Slurp;
namespace fs = std::filesystem;

class CliSafety : public CliTest {};

TEST_F(CliSafety, WrongSettingsNeverDestroyADatabase) {
    const std::string a = P("demo.ZCS");
    const auto original = Slurp(a);
    // A first-generation file read as a second-generation one opens empty.
    Result resave = Cli("resave " + a + " " + a + " --model 0");
    EXPECT_EQ(resave.code, 1);
    EXPECT_NE(resave.err.find("try --model 2"), std::string::npos) << resave.err;
    EXPECT_EQ(Slurp(a), original);
    // A second-generation file read with the wrong compress mode reads as nonsense.
    const std::string b = P("b.bin");
    Ok("demo --model 1 --flash 3 --compress 1 " + b);
    const auto flash = Slurp(b);
    for (const char* wrong :
         {"--model 1 --flash 3 --compress 2", "--model 1 --flash 4 --compress 1", "--model 2"}) {
        SCOPED_TRACE(wrong);
        Result edit = Cli("edit " + b + " " + b + " " + wrong + " sort tv name");
        EXPECT_EQ(edit.code, 1);
        EXPECT_NE(edit.err.find("try --model 0 --flash 3 --compress 1"), std::string::npos)
            << edit.err;
        EXPECT_EQ(Slurp(b), flash);
    }
    // The right settings, and --force, still write.
    EXPECT_EQ(Cli("edit " + b + " " + b + " --model 1 --flash 1 --compress 1 sort tv name").code,
              0);
    EXPECT_EQ(
        Cli("resave " + a + " " + P("forced.bin") + " --model 0 --flash 3 --compress 0 --force")
            .code,
        0);
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
    EXPECT_EQ(Cli("resave " + a + " " + a).code, 0);
    EXPECT_EQ(fs::file_size(a), original.size());
}

TEST_F(CliSafety, EveryCommandFailsWhenStandardOutputCannotBeWritten) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const std::string a = P("demo.ZCS");
    for (const std::string& args :
         {"info " + a, "info --json " + a, "detect " + a, "check " + a + " --model 0",
          "dump " + a + " --kind tv", "dump " + a + " --kind tv --json", std::string("--help"),
          std::string("edit --help")}) {
        SCOPED_TRACE(args);
        Result r = Cli(args + " >/dev/full");
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find("cannot write standard output"), std::string::npos) << r.err;
    }
    Result full = Cli("info " + a + " >/dev/full");
    EXPECT_NE(full.err.find("No space left on device"), std::string::npos) << full.err;
}

TEST_F(CliSafety, DetectNamesTheSettingsAFileNeeds) {
    struct Case {
        const char* settings;
        const char* expected;
    };
    for (const Case& c :
         {Case{"--model 2", "--model 2 --flash 0 --compress 0"},
          Case{"--model 1 --flash 1 --compress 1", "--model 0 --flash 3 --compress 1"},
          Case{"--model 1 --flash 4 --compress 2", "--model 0 --flash 4 --compress 2"}}) {
        SCOPED_TRACE(c.settings);
        const std::string file = P("case.bin");
        Ok(std::string("demo ") + c.settings + " " + file);
        Result detect = Ok("detect " + file);
        EXPECT_NE(detect.out.find(std::string("options:  ") + c.expected), std::string::npos)
            << detect.out;
        // With the right settings info is quiet, check passes and an edit
        // reads back; with others they say what to try.
        const std::string right = std::string(" ") + c.settings + " ";
        EXPECT_EQ(Cli("info" + right + file).err, "");
        EXPECT_EQ(Cli("check" + right + file).code, 0);
        Ok("edit" + right + file + " " + P("edited.bin") + " sort tv name");
        Result dump = Cli("dump --kind satellites" + right + P("edited.bin"));
        EXPECT_EQ(dump.out.substr(0, dump.out.find('\n')), "0\tAstra 1\t19.2E");
        const char* other = std::string(c.expected).find("--compress 2") != std::string::npos
                                ? "--model 0 --flash 4 --compress 1"
                                : "--model 0 --flash 4 --compress 2";
        Result info = Cli(std::string("info ") + other + " " + file);
        EXPECT_NE(info.err.find(std::string("try ") + c.expected), std::string::npos) << info.err;
        Result check = Cli(std::string("check ") + other + " " + file);
        EXPECT_EQ(check.code, 1);
        EXPECT_NE(check.out.find(std::string("settings: the file looks like ") + c.expected),
                  std::string::npos);
    }
    testsupport::Spit(P("noise.bin"), std::vector<uint8_t>(5000, 0x5A));
    Result noise = Cli("detect --json " + P("noise.bin"));
    EXPECT_EQ(noise.code, 1);
    EXPECT_TRUE(nlohmann::json::parse(noise.out)["best"].is_null());
    EXPECT_NE(noise.err.find("no database file"), std::string::npos);
}

}  // namespace
