// brondavel-cli as scripts see it: output, exit codes, files written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include "tests/cli/cli_runner.h"

namespace {

using namespace clitest;
namespace fs = std::filesystem;

class CliCommands : public CliTest {
  protected:
    nlohmann::json Dump(const std::string& file, const std::string& kind) {
        return nlohmann::json::parse(Cli("dump " + file + " --kind " + kind + " --json").out);
    }
};

TEST_F(CliCommands, InfoReportsTheFileAndWhatIsWrongWithIt) {
    const auto j = nlohmann::json::parse(Ok("info --json demo.ZCS").out);
    EXPECT_EQ(std::tuple(j["kind"], j["counts"]["satellites"], j["detected"]),
              std::tuple("ChannelDataFile", 6, "--model 2 --flash 0 --compress 0"));
    Cut("demo.ZCS", "short.ZCS", 100000);
    EXPECT_THAT(Ok("info short.ZCS").out, HasSubstr("100000 bytes, 236000 bytes missing"));
    // A date of control bytes is shown escaped, never raw.
    Patch("demo.ZCS", 16, "20\x1b[2J\\\x7f");
    EXPECT_EQ(nlohmann::json::parse(Cli("info --json demo.ZCS").out)["date"],
              "20\\x1B[2J\\\\\\x7F");
    EXPECT_EQ(Cli("info demo.ZCS").out.find('\x1b'), std::string::npos);
}

TEST_F(CliCommands, ResaveExportAndCheck) {
    Ok("resave demo.ZCS again.ZCS");
    Ok("export-source again.ZCS table.txt");
    const std::string table = ReadText(P("table.txt"));
    EXPECT_EQ(table.find("\nDEFDB_CHDATA_t\tCH_"), 0u);
    EXPECT_EQ(table.find('\r'), std::string::npos);
    Ok("check again.ZCS");
    // Findings go to stdout, one line each, and are not repeated as warnings.
    Patch("again.ZCS", 128 + 73728 + 12, "\xE8\x03");  // tv 0 on transponder 1000
    const Result orphan = Cli("check again.ZCS");
    EXPECT_EQ(std::tuple(orphan.code, orphan.out),
              std::tuple(1, "tv 0: transponder 1000 does not exist\n"));
    Patch("again.ZCS", 0, "ZCXX");
    const Result bad = Cli("check again.ZCS");
    EXPECT_EQ(std::tuple(bad.code, bad.out, bad.err),
              std::tuple(1, "header: the magics do not match\n", ""));
    EXPECT_EQ(nlohmann::json::parse(Cli("info --json again.ZCS").out)["headerValid"], false);
}

TEST_F(CliCommands, RefusalsSayWhy) {
    testsupport::Spit(P("junk.bin"), std::vector<uint8_t>(100, 0x55));
    // A failed batch read leaves a file of the user's, a FIFO included, alone.
    ASSERT_EQ(::mkfifo(P("tmp_upload.ZCS").c_str(), 0600), 0);
    ExpectRefusals({
        {"info missing.ZCS", 1, "Cannot open"},
        {"detect missing.ZCS", 1, "No such file or directory"},
        {"info", 2, "FILE is required"},
        {"nonsense", 2, "A subcommand is required"},
        {"info --model 7 demo.ZCS", 2, "--model"},
        {"edit demo.ZCS out.ZCS", 2, "At least 3 required"},
        {"dump --csv --json demo.ZCS --kind radio", 2, "--json excludes --csv"},
        {"resave demo.ZCS /proc/nope/x.ZCS", 1, "Cannot create a file beside"},
        {"lh5 compress missing out", 1, "No such file or directory"},
        {"lh5 compress demo.ZCS no/such/folder.lzh", 1, "No such file or directory"},
        {"diff demo.ZCS junk.bin", 1, "junk.bin\" is no database file"},
        {"apply-order demo.ZCS junk.bin out.ZCS", 1, "junk.bin\""},
        // A stream longer than any database file is refused, not read forever.
        {"dump /dev/zero --kind tv", 1, "holds more than"},
        {"lh5 compress /dev/zero out", 1, "larger than any receiver file"},
        {"send --port x --mode 3 demo.ZCS", 2, "--mode"},
        {"send --port /dev/null --mode 2 demo.ZCS", 1, "cannot open port /dev/null: Not a tty"},
        {"receive --port ttyNone --mode 1 out", 1, "No such file"},
        {"receive --port /dev/null --mode 1 .", 1, "is a folder"},
        {"receive --port /dev/null --mode 1 /dev/null", 1, "is not a regular file"},
        {"receive --port /dev/null --mode 2 .", 1, "cannot open port"},
    });
    EXPECT_TRUE(fs::is_fifo(P("tmp_upload.ZCS")));
    EXPECT_EQ(testsupport::NamesIn(dir),
              (std::vector<std::string>{"demo.ZCS", "junk.bin", "stderr.txt", "tmp_upload.ZCS"}));
    // A warning is said once, on stderr only.
    Result wrong = Ok("info --model 0 demo.ZCS");
    EXPECT_EQ(Count(wrong.err, "not a flash-image header"), 1u);
    EXPECT_EQ(Count(wrong.err, "try --model 2"), 1u);
    EXPECT_EQ(wrong.out.find("warning"), std::string::npos);
}

TEST_F(CliCommands, DumpRowsAreTheRowsEditTakes) {
    const std::string sats = Ok("dump demo.ZCS --kind satellites --header").out;
    EXPECT_EQ(sats.rfind("row\tname\tposition\n0\tAstra 1\t19.2E\n", 0), 0u) << sats;
    EXPECT_EQ(Count(sats, "\n"), 7u);
    // Channel rows: row index, number, name and the lock, favourite and scramble marks.
    Ok("edit demo.ZCS out.ZCS favorite tv 4 0 on");
    const std::string tv = Ok("dump out.ZCS --kind tv --header").out;
    EXPECT_EQ(tv.rfind("row\tnumber\tname\tlock\tfavorite\tscramble\n", 0), 0u);
    const auto json = Dump("out.ZCS", "tv");
    const std::string name4 = json[4]["fields"]["name"];
    EXPECT_THAT(tv, HasSubstr("\n4\t5\t" + name4 + "\t-\tF\t"));
    EXPECT_THAT(tv, HasSubstr("\n5\t6\t" + json[5]["fields"]["name"].get<std::string>() +
                              "\tL\t-\t-\n6\t7\t"));
    EXPECT_EQ(std::tuple(json[6]["row"], json[6]["columns"][4]), std::tuple(6, "S"));
    const std::string csv = Ok("dump --csv demo.ZCS --kind radio").out;
    EXPECT_EQ(csv.rfind("row,id,transponderRef,serviceId,", 0), 0u);
    EXPECT_EQ(Count(csv, "\r\n"), 81u);
}

TEST_F(CliCommands, EditAppliesOperationsInOrder) {
    const auto before = Dump("demo.ZCS", "tv");
    // After "--" texts that look like options are taken as they are.
    Ok("edit demo.ZCS out.ZCS move tv 0-1 after 4 favorite tv 0 15 on -- rename tv 1 --json "
       "rename tv 2 -Sport- reparent tv 0 7");
    const auto after = Dump("out.ZCS", "tv");
    // Rows 0-1 went behind the old row 4, so the old row 2 leads now.
    EXPECT_EQ(after[0]["fields"]["name"], before[2]["fields"]["name"]);
    EXPECT_EQ(after[3]["fields"]["name"], before[0]["fields"]["name"]);
    EXPECT_EQ(after[0]["fields"]["favoriteMask"].get<int>() & 0x8000, 0x8000);
    EXPECT_EQ(std::tuple(after[1]["fields"]["name"], after[2]["fields"]["name"]),
              std::tuple("--json", "-Sport-"));
    EXPECT_EQ(after[0]["fields"]["transponderRef"], Dump("out.ZCS", "transponders")[7]["id"]);
    // Sorting and deleting with cascade.
    Ok("edit out.ZCS out.ZCS sort satellites longitude delete satellites 0");
    const auto sats = Dump("out.ZCS", "satellites");
    ASSERT_EQ(sats.size(), 5u);
    EXPECT_EQ(sats[0]["columns"][1], "19.2E");  // 13.0E came first and went
    Ok("check out.ZCS");
    // An option after "--" is an argument, not an option.
    EXPECT_EQ(Cli("dump -- out.ZCS --kind tv").code, 2);
    Ok("dump --kind tv -- out.ZCS");
}

TEST_F(CliCommands, SortDirectionWordsAndTheToggle) {
    // Every field of every row: ids are positions again after a save.
    auto rowsAfter = [&](const std::string& ops, bool reverse = false) {
        if (!ops.empty()) Ok("edit demo.ZCS out.ZCS " + ops);
        std::vector<std::string> rows;
        for (const auto& r : Dump(ops.empty() ? "demo.ZCS" : "out.ZCS", "tv"))
            rows.insert(reverse ? rows.begin() : rows.end(), r["fields"].dump());
        return rows;
    };
    const auto original = rowsAfter("");
    // Without a direction word a repeated order toggles: the fresh file is
    // in original order, so this reverses it.
    EXPECT_EQ(rowsAfter("sort tv original", true), original);
    EXPECT_EQ(rowsAfter("sort tv original asc"), original);
    // A direction word gets its direction whatever came before: descending
    // is ascending reversed, ties included.
    EXPECT_EQ(rowsAfter("sort tv name desc sort tv name desc"),
              rowsAfter("sort tv name asc", true));
    // Favourite groups keep their order and number.
    ExpectRefusals({{"edit demo.ZCS fav.ZCS move favorites 0 after 3", 1, "groups cannot be"}});
}

TEST_F(CliCommands, RenameSaysWhatItCouldNotKeep) {
    EXPECT_EQ(Ok("edit demo.ZCS out.ZCS rename tv 0 \"Canal Sport\"").err, "");
    EXPECT_THAT(Ok("edit demo.ZCS out.ZCS rename tv 0 \"A name far too long for it\"").err,
                HasSubstr("cut to the field's limit"));
    Result replaced = Ok("edit demo.ZCS out.ZCS rename tv 0 \"Snow \xE2\x98\x83\"");
    EXPECT_THAT(replaced.err, HasSubstr("characters replaced"));
    EXPECT_EQ(Count(replaced.err, "\n"), 1u);
}

// A change undone saves the bytes it started from, redone the bytes it made.
TEST_F(CliCommands, EditUndoGoesBackToTheInputAndRedoForwardToTheChange) {
    const std::string change = "move tv 3-5 before 0";
    Ok("edit demo.ZCS changed.ZCS " + change);
    ASSERT_NE(Bytes("changed.ZCS"), Bytes("demo.ZCS"));
    Ok("edit demo.ZCS undone.ZCS " + change + " undo");
    EXPECT_EQ(Bytes("undone.ZCS"), Bytes("demo.ZCS"));
    Ok("edit demo.ZCS redone.ZCS " + change + " rename tv 0 Other undo undo redo");
    EXPECT_EQ(Bytes("redone.ZCS"), Bytes("changed.ZCS"));
    ExpectRefusals({{"edit demo.ZCS never.ZCS sort tv name undo undo", 1, "nothing to undo"},
                    {"edit demo.ZCS never.ZCS redo", 1, "nothing to redo"}});
    EXPECT_FALSE(fs::exists(P("never.ZCS")));
}

}  // namespace
