// Inputs a user or a script may really give: files of either generation
// without settings, cut files, pipes and FIFOs, huge ranges and archives,
// and signals while waiting.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/cli/cli_runner.h"

namespace {

using clitest::CliTest;
using clitest::Count;
using clitest::HasSubstr;
using clitest::Result;
using testsupport::Slurp;
namespace fs = std::filesystem;

using CliHostileInput = CliTest;

TEST_F(CliHostileInput, FilesOpenWithTheSettingsTheyFitUnlessSettingsAreGiven) {
    const std::string second = P("gen2.bin");
    Ok("demo --model 0 --flash 4 --compress 0 " + second);
    Result given = Ok("dump --model 0 --flash 4 --compress 0 " + second + " --kind tv");
    EXPECT_EQ(given.err, "");
    // No settings: the second-generation file reads as it should, and one line says how.
    Result detected = Ok("dump " + second + " --kind tv");
    EXPECT_EQ(detected.out, given.out);
    EXPECT_EQ(Count(detected.err, "\n"), 1u) << detected.err;
    EXPECT_THAT(detected.err, HasSubstr("read as model 0, SST 4M, no compression"));
    // A file that fits the defaults says nothing; one edited without settings keeps its own.
    EXPECT_EQ(Cli("dump " + P("demo.ZCS") + " --kind tv").err, "");
    Ok("edit " + second + " " + P("edited.bin") + " delete tv 0");
    EXPECT_EQ(Cli("dump --model 0 --flash 4 --compress 0 " + P("edited.bin") + " --kind tv").err,
              "");
}

TEST_F(CliHostileInput, CutFilesAreNeverWrittenBackWithoutForce) {
    const std::string whole = P("demo.ZCS"), cut = P("cut.ZCS"), gen2 = P("gen2.bin");
    Cut("demo.ZCS", "cut.ZCS", 274000);
    Result dump = Ok("dump " + cut + " --kind radio");
    EXPECT_THAT(dump.err, HasSubstr("ends 62000 bytes early"));
    // Records beyond the end are not loaded: no rows of erased flash.
    EXPECT_EQ(dump.out.find("\u06D2"), std::string::npos);
    EXPECT_LT(Count(dump.out, "\n"), Count(Cli("dump " + whole + " --kind radio").out, "\n"));
    // Nor is a cut second-generation file read with a flash type that finds no records.
    Ok("demo --model 0 --flash 3 --compress 0 " + gen2);
    Cut("gen2.bin", "cut2.bin", 150000);
    ExpectRefusals({{"resave " + cut + " " + P("out.ZCS"), 1, "ends early"},
                    {"edit " + cut + " " + P("out.ZCS") + " sort tv 2", 1, "ends early"},
                    {"apply-order " + cut + " " + whole + " " + P("out.ZCS"), 1, "ends early"},
                    {"resave --model 0 --flash 0 " + P("cut2.bin") + " " + P("out.ZCS"), 1,
                     "no records were read"}});
    EXPECT_FALSE(fs::exists(P("out.ZCS")));
    Ok("resave --force " + cut + " " + P("out.ZCS"));
}

TEST_F(CliHostileInput, PipesAndFifosReadAsStreamsInEveryCommand) {
    const std::string demo = P("demo.ZCS");
    const std::string pipe = "cat " + demo + " | " + clitest::CliPath() + " ";
    for (const std::string& command :
         {std::string("info /dev/stdin"), std::string("check /dev/stdin"),
          std::string("dump /dev/stdin --kind tv"), "resave /dev/stdin " + P("r.ZCS"),
          "edit /dev/stdin " + P("e.ZCS") + " sort tv 2", "export-source /dev/stdin " + P("s.c"),
          "diff /dev/stdin " + demo, "apply-order /dev/stdin " + demo + " " + P("a.ZCS"),
          "lh5 compress /dev/stdin " + P("z.lzh")}) {
        SCOPED_TRACE(command);
        const int code = std::system((pipe + command + " >/dev/null 2>" + P("err")).c_str());
        EXPECT_EQ(code, 0) << clitest::ReadText(P("err"));
    }
    EXPECT_EQ(Slurp(P("r.ZCS")).size(), Slurp(demo).size());

    // A FIFO nobody writes: every command still ends at Ctrl-C or `timeout`.
    const std::string fifo = P("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& command :
         {"dump " + fifo + " --kind tv", "lh5 decompress " + fifo + " " + P("x"),
          "send --port /dev/null --mode 1 " + fifo}) {
        SCOPED_TRACE(command);
        for (const char* signal : {"INT", "TERM"}) {
            const int status = std::system(("timeout -s " + std::string(signal) + " 0.3 " +
                                            clitest::CliPath() + " " + command + " 2>/dev/null")
                                               .c_str());
            EXPECT_EQ(WEXITSTATUS(status), 124);
        }
    }
}

TEST_F(CliHostileInput, RefusedOperationsAndHugeInputsWriteNothing) {
    // Ranges are checked against the list before they are expanded.
    const std::string edit = "edit " + P("demo.ZCS") + " " + P("out.ZCS") + " ";
    ExpectRefusals({{edit + "delete tv 0-2000000000", 1, "tv row 2000000000 does not exist"},
                    {edit + "delete tv 0-2147483647", 1, "tv row 2147483647 does not exist"},
                    {edit + "delete tv 0-99999999999", 1, "tv row 99999999999 does not exist"},
                    {edit + "delete tv +1", 1, "\"+1\" is not a valid row"},
                    {edit + "delete tv ' 1'", 1, "\" 1\" is not a valid row"},
                    {edit + "rename tv 0 ' '", 1, "a name cannot be empty"},
                    {edit + "rename tv 0 ''", 1, "a name cannot be empty"},
                    {edit + "move tv 1-2 after 2", 1, "refused"},
                    {edit + "sort satellites lock", 1, "refused"},
                    {edit + "favorite tv 1 16 on", 1, "favourite groups are 0 to 15"},
                    {edit + "rename favorites 0 X", 1, "refused"},
                    {edit + "sort tv", 1, "needs more arguments"},
                    {edit + "sort tv 2 delete tv 1 bogus", 1, "operation 3 (bogus)"}});
    EXPECT_FALSE(fs::exists(P("out.ZCS")));
    // A sparse 4 GB file: its size, or its member header, refuses it at once.
    Ok("lh5 compress --raw " + P("demo.ZCS") + " " + P("big.lzh"));
    Patch("big.lzh", 11, "\xFF\xFF\xFF\xFF");  // the original size
    fs::resize_file(P("big.lzh"), 4ull << 30);
    ExpectRefusals(
        {{"lh5 decompress " + P("big.lzh") + " " + P("out"), 1,
          "the member states 4294967295 bytes"},
         {"lh5 compress " + P("big.lzh") + " " + P("out"), 1, "larger than any receiver file"}});
    EXPECT_FALSE(fs::exists(P("out")));
}

TEST_F(CliHostileInput, AFailedBatchReadLeavesTheFolderAsItWas) {
    // A batch read into a folder never touches a file of the user's there,
    // a FIFO included, and leaves no file of its own behind when it fails.
    ASSERT_EQ(::mkfifo(P("tmp_upload.ZCS").c_str(), 0600), 0);
    ExpectRefusals(
        {{"receive --port /dev/null --mode 2 " + dir.path.string(), 1, "cannot open port"}});
    EXPECT_TRUE(fs::is_fifo(P("tmp_upload.ZCS")));
    EXPECT_EQ(testsupport::NamesIn(dir),
              (std::vector<std::string>{"demo.ZCS", "stderr.txt", "tmp_upload.ZCS"}));
}

}  // namespace
