// Inputs a user or a script may really give: cut files, pipes and FIFOs,
// huge ranges and archives, and signals while waiting.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/cli/cli_runner.h"

namespace {

using namespace clitest;
namespace fs = std::filesystem;

using CliHostileInput = CliTest;

TEST_F(CliHostileInput, CutFilesAreNeverWrittenBackWithoutForce) {
    Cut("demo.ZCS", "cut.ZCS", 274000);
    Result dump = Ok("dump cut.ZCS --kind radio");
    EXPECT_THAT(dump.err, HasSubstr("ends 62000 bytes early"));
    // Records beyond the end are not loaded: no rows of erased flash.
    EXPECT_EQ(dump.out.find("\u06D2"), std::string::npos);
    // Nor is a cut second-generation file read with a flash type that finds no records.
    Ok("demo --model 0 --flash 3 --compress 0 gen2.bin");
    Cut("gen2.bin", "cut2.bin", 150000);
    ExpectRefusals({{"resave cut.ZCS out.ZCS", 1, "ends early"},
                    {"edit cut.ZCS out.ZCS sort tv 2", 1, "ends early"},
                    {"apply-order cut.ZCS demo.ZCS out.ZCS", 1, "ends early"},
                    {"resave --model 0 --flash 0 cut2.bin out.ZCS", 1, "no records were read"}});
    EXPECT_FALSE(fs::exists(P("out.ZCS")));
    Ok("resave --force cut.ZCS out.ZCS");
}

TEST_F(CliHostileInput, PipesAndFifosReadAsStreams) {
    const std::string cli = CliPath() + " ";
    for (const char* command :
         {"info /dev/stdin", "dump /dev/stdin --kind tv", "resave /dev/stdin r.ZCS",
          "diff /dev/stdin demo.ZCS", "apply-order /dev/stdin demo.ZCS a.ZCS",
          "lh5 compress /dev/stdin z.lzh"}) {
        const Result r = Run("cat demo.ZCS | " + cli + command + " >/dev/null");
        EXPECT_EQ(r.code, 0) << command << "\n" << r.err;
    }
    EXPECT_EQ(fs::file_size(P("r.ZCS")), fs::file_size(P("demo.ZCS")));
    // A FIFO nobody writes: every command still ends at Ctrl-C or `timeout`.
    ASSERT_EQ(::mkfifo(P("fifo").c_str(), 0600), 0);
    for (const char* command :
         {"dump fifo --kind tv", "lh5 decompress fifo x", "send --port /dev/null --mode 1 fifo"})
        for (const char* signal : {"INT", "TERM"})
            EXPECT_EQ(Run("timeout -s " + std::string(signal) + " 0.3 " + cli + command).code, 124)
                << command << " " << signal;
}

TEST_F(CliHostileInput, RefusedOperationsAndHugeInputsWriteNothing) {
    // Ranges are checked against the list before they are expanded.
    const std::string edit = "edit demo.ZCS out.ZCS ";
    ExpectRefusals({{edit + "delete tv 0-99999999999", 1, "tv row 99999999999 does not exist"},
                    {edit + "delete tv +1", 1, "\"+1\" is not a valid row"},
                    {edit + "rename tv 0 ' '", 1, "a name cannot be empty"},
                    {edit + "move tv 1-2 after 2", 1, "is one of the rows being moved"},
                    {edit + "sort satellites lock", 1, "unknown sort order"},
                    {edit + "favorite tv 1 16 on", 1, "favourite groups are 0 to 15"},
                    {edit + "rename favorites 0 X", 1, "names are not kept"},
                    {edit + "sort tv", 1, "needs more arguments"},
                    {edit + "sort tv 2 delete tv 1 bogus", 1, "operation 3 (bogus)"}});
    EXPECT_FALSE(fs::exists(P("out.ZCS")));
    // A sparse 4 GB file: its size, or its member header, refuses it at once.
    Ok("lh5 compress --raw demo.ZCS big.lzh");
    Patch("big.lzh", 11, "\xFF\xFF\xFF\xFF");  // the original size
    fs::resize_file(P("big.lzh"), 4ull << 30);
    ExpectRefusals({{"lh5 decompress big.lzh out", 1, "the member states 4294967295 bytes"},
                    {"lh5 compress big.lzh out", 1, "larger than any receiver file"}});
    EXPECT_FALSE(fs::exists(P("out")));
}

}  // namespace
