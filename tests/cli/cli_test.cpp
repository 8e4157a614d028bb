// brondavel-cli as scripts see it: output, exit codes, files written.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "tests/cli/cli_runner.h"

namespace {

using clitest::CliTest;
using clitest::Count;
using clitest::ReadText;
using clitest::Result;
namespace fs = std::filesystem;

bool Truthy(const nlohmann::json& j) {
    return j.is_boolean() ? j.get<bool>() : j.get<int>() != 0;
}

class CliCommands : public CliTest {
  protected:
    nlohmann::json Dump(const std::string& file, const std::string& kind) {
        return nlohmann::json::parse(Cli("dump " + file + " --kind " + kind + " --json").out);
    }
    std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::stringstream in(text);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
};

TEST_F(CliCommands, InfoReportsKindHeaderDateAndCounts) {
    Result r = Ok("info --json " + P("demo.ZCS"));
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["kind"], "ChannelDataFile");
    EXPECT_EQ(j["headerValid"], true);
    EXPECT_EQ(j["date"].get<std::string>().size(), 8u);
    EXPECT_EQ(j["counts"]["satellites"], 6);
    EXPECT_EQ(j["missingBytes"], 0);
    EXPECT_EQ(j["detected"], "--model 2 --flash 0 --compress 0");
}

TEST_F(CliCommands, InfoOnDamagedFilesSaysWhatIsWrong) {
    // A file cut short: how many bytes are missing.
    fs::copy_file(P("demo.ZCS"), P("short.ZCS"));
    fs::resize_file(P("short.ZCS"), 100000);
    Result cut = Ok("info " + P("short.ZCS"));
    EXPECT_NE(cut.out.find("100000 bytes, 236000 bytes missing"), std::string::npos) << cut.out;
    // A date of control bytes is shown escaped, never raw.
    {
        std::fstream f(P("demo.ZCS"), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(16);
        f.write("20\x1b[2J\\\x7f", 8);
    }
    Result date = Cli("info --json " + P("demo.ZCS"));
    EXPECT_EQ(nlohmann::json::parse(date.out)["date"], "20\\x1B[2J\\\\\\x7F");
    EXPECT_EQ(Cli("info " + P("demo.ZCS")).out.find('\x1b'), std::string::npos);
}

TEST_F(CliCommands, ResaveAndCheck) {
    Ok("resave " + P("demo.ZCS") + " " + P("again.ZCS"));
    EXPECT_EQ(fs::file_size(P("again.ZCS")), 336000u);
    EXPECT_EQ(Cli("check " + P("again.ZCS")).code, 0);
    // An orphaned channel and a bad header are reported, one line each.
    std::fstream f(P("again.ZCS"), std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(128 + 73728 + 12);
    const char ref[2] = {char(0xE8), 0x03};  // transponder 1000
    f.write(ref, 2);
    f.seekp(0);
    f.write("ZCXX", 4);
    f.close();
    Result bad = Cli("check " + P("again.ZCS"));
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.out.find("header"), std::string::npos);
    // check reports its findings on stdout and does not repeat them as warnings.
    EXPECT_EQ(bad.err, "");
    Result json = Cli("info --json " + P("again.ZCS"));
    EXPECT_EQ(nlohmann::json::parse(json.out)["headerValid"], false);
}

TEST_F(CliCommands, RefusalsSayWhy) {
    const std::string demo = P("demo.ZCS");
    testsupport::Spit(P("junk.bin"), std::vector<uint8_t>(100, 0x55));
    ExpectRefusals({
        {"info " + P("missing.ZCS"), 1, "Cannot open"},
        {"detect " + P("missing.ZCS"), 1, "No such file or directory"},
        {"info", 2, "FILE is required"},
        {"nonsense", 2, "A subcommand is required"},
        {"info --model 7 " + demo, 2, "--model"},
        {"edit " + demo + " " + P("out.ZCS"), 2, "At least 3 required"},
        {"dump --csv --json " + demo + " --kind radio", 2, "--json excludes --csv"},
        {"resave " + demo + " /proc/nope/x.ZCS", 1, "Cannot create a file beside"},
        {"lh5 compress " + P("missing") + " " + P("out"), 1, "No such file or directory"},
        {"lh5 compress " + demo + " " + P("no/such/folder.lzh"), 1, "No such file or directory"},
        {"diff " + demo + " " + P("junk.bin"), 1, "junk.bin\" is no database file"},
        {"apply-order " + demo + " " + P("junk.bin") + " " + P("out.ZCS"), 1, "junk.bin\""},
        // A stream longer than any database file is refused, not read forever.
        {"dump /dev/zero --kind tv", 1, "holds more than"},
        {"lh5 compress /dev/zero " + P("out"), 1, "larger than any receiver file"},
        {"send --port x --mode 3 " + demo, 2, "--mode"},
        {"send --port /dev/null --mode 2 " + demo, 1, "cannot open port /dev/null: Not a tty"},
        {"receive --port " + P("ttyNone") + " --mode 1 " + P("out"), 1, "No such file"},
        {"receive --port /dev/null --mode 1 " + dir.path.string(), 1, "is a folder"},
        {"receive --port /dev/null --mode 1 /dev/null", 1, "is not a regular file"},
    });
    EXPECT_EQ(testsupport::NamesIn(dir),
              (std::vector<std::string>{"demo.ZCS", "junk.bin", "stderr.txt"}));
    // A warning is said once, on stderr only.
    Result wrong = Cli("info --model 0 " + demo);
    EXPECT_EQ(wrong.code, 0);
    EXPECT_EQ(Count(wrong.err, "not a flash-image header"), 1u);
    EXPECT_EQ(Count(wrong.err, "try --model 2"), 1u);
    EXPECT_EQ(wrong.out.find("warning"), std::string::npos);
}

TEST_F(CliCommands, DumpRowsAreTheRowsEditTakes) {
    Result sats = Ok("dump " + P("demo.ZCS") + " --kind satellites --header");
    const auto lines = Lines(sats.out);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "row\tname\tposition");
    EXPECT_EQ(lines[1], "0\tAstra 1\t19.2E");
    // Channel rows: row index, number, name and the lock, favourite and scramble marks.
    const std::string in = P("demo.ZCS"), out = P("marked.ZCS");
    ASSERT_EQ(Cli("edit " + in + " " + out + " favorite tv 4 0 on").code, 0);
    const auto tv = Lines(Cli("dump " + out + " --kind tv --header").out);
    EXPECT_EQ(tv[0], "row\tnumber\tname\tlock\tfavorite\tscramble");
    const auto json = Dump(out, "tv");
    const std::string name4 = json[4]["fields"]["name"];
    EXPECT_EQ(tv[5].substr(0, tv[5].find('\t', 2) + 1), "4\t5\t");
    EXPECT_NE(tv[5].find("\t" + name4 + "\t"), std::string::npos);
    EXPECT_EQ(json[4]["row"], 4);
    EXPECT_EQ(json[4]["columns"][3], "F");
    for (size_t r = 0; r < json.size(); ++r) {
        const auto& fields = json[r]["fields"];
        const auto& columns = json[r]["columns"];
        EXPECT_EQ(columns[2], Truthy(fields["locked"]) ? "L" : "-");
        EXPECT_EQ(columns[3], Truthy(fields["favoriteMask"]) ? "F" : "-");
    }
    EXPECT_GT(Count(Cli("dump " + out + " --kind tv").out, "\tS\n"), 0u);
    // The row read off dump is the row edit renames.
    Ok("edit " + out + " " + out + " rename tv 4 Renamed");
    EXPECT_EQ(Dump(out, "tv")[4]["fields"]["name"], "Renamed");
}

TEST_F(CliCommands, EditAppliesOperationsInOrder) {
    const std::string in = P("demo.ZCS"), out = P("edited.ZCS");
    const auto before = Dump(in, "tv");
    const std::string row2 = before[2]["fields"]["name"];
    Ok("edit " + in + " " + out + " move tv 0-1 after 4 favorite tv 0 15 on" +
       " rename tv 1 \"Nouvelle 1\" reparent tv 0 7");
    const auto after = Dump(out, "tv");
    // Rows 0-1 went behind the old row 4, so the old row 2 leads now.
    EXPECT_EQ(after[0]["fields"]["name"], row2);
    EXPECT_EQ(after[3]["fields"]["name"], before[0]["fields"]["name"]);
    EXPECT_EQ(after[0]["fields"]["favoriteMask"].get<int>() & 0x8000, 0x8000);
    EXPECT_EQ(after[1]["fields"]["name"], "Nouvelle 1");
    const auto tps = Dump(out, "transponders");
    EXPECT_EQ(after[0]["fields"]["transponderRef"], tps[7]["id"]);
    // Sorting and deleting with cascade.
    Ok("edit " + out + " " + out + " sort satellites longitude delete satellites 0");
    const auto sats = Dump(out, "satellites");
    ASSERT_EQ(sats.size(), 5u);
    EXPECT_EQ(sats[0]["columns"][1], "19.2E");  // 13.0E came first and went
    EXPECT_EQ(Cli("check " + out).code, 0);
}

TEST_F(CliCommands, DoubleDashEndsTheOptions) {
    const std::string in = P("demo.ZCS"), out = P("dash.ZCS");
    // Before the operations or inside them, and with texts that look like options.
    Ok("edit " + in + " " + out + " -- rename tv 0 --json rename tv 1 -Sport-");
    auto tv = Dump(out, "tv");
    EXPECT_EQ(tv[0]["fields"]["name"], "--json");
    EXPECT_EQ(tv[1]["fields"]["name"], "-Sport-");
    Ok("edit " + in + " " + out + " rename tv 2 -- -Minus");
    EXPECT_EQ(Dump(out, "tv")[2]["fields"]["name"], "-Minus");
    // An option after "--" is an argument, not an option.
    EXPECT_EQ(Cli("dump -- " + out + " --kind tv").code, 2);
    EXPECT_EQ(Cli("dump --kind tv -- " + out).code, 0);
}

TEST_F(CliCommands, SortDirectionWordsAndTheToggle) {
    const std::string in = P("demo.ZCS"), out = P("sorted.ZCS");
    const auto original = Dump(in, "tv");
    auto idsOf = [](const nlohmann::json& rows) {
        // Every field: ids are positions again after a save.
        std::vector<std::string> ids;
        for (const auto& r : rows) ids.push_back(r["fields"].dump());
        return ids;
    };
    auto reversed = idsOf(original);
    std::reverse(reversed.begin(), reversed.end());
    auto sorted = [&](const std::string& ops) {
        EXPECT_EQ(Cli("edit " + in + " " + out + " " + ops).code, 0) << ops;
        return idsOf(Dump(out, "tv"));
    };
    // Without a direction word a repeated order toggles: the fresh file is
    // in original order, so this reverses it.
    EXPECT_EQ(sorted("sort tv original"), reversed);
    EXPECT_EQ(sorted("sort tv original asc"), idsOf(original));
    EXPECT_EQ(sorted("sort tv original desc"), reversed);
    // A direction word gets its direction whatever came before: descending
    // is ascending reversed, ties included.
    auto ascending = sorted("sort tv name asc");
    std::reverse(ascending.begin(), ascending.end());
    EXPECT_EQ(sorted("sort tv name desc sort tv name desc"), ascending);
    Ok("edit " + in + " " + out + " sort satellites longitude asc");
    EXPECT_EQ(Dump(out, "satellites")[0]["columns"][1], "13.0E");
    // Favourite groups keep their order and number.
    std::vector<clitest::Refusal> favourites;
    for (const char* op : {"sort favorites name", "move favorites 0 after 3", "delete favorites 0"})
        favourites.push_back({"edit " + in + " " + P("fav.ZCS") + " " + op, 1, "groups cannot be"});
    ExpectRefusals(favourites);
    EXPECT_FALSE(fs::exists(P("fav.ZCS")));
}

TEST_F(CliCommands, RenameSaysWhatItCouldNotKeep) {
    const std::string in = P("demo.ZCS"), out = P("renamed.ZCS");
    Result exact = Ok("edit " + in + " " + out + " rename tv 0 \"Canal Sport\"");
    EXPECT_EQ(exact.err, "");
    Result cut = Ok("edit " + in + " " + out + " rename tv 0 \"A name far too long for it\"");
    EXPECT_NE(cut.err.find("cut to the field's limit"), std::string::npos) << cut.err;
    const std::string stored = Dump(out, "tv")[0]["fields"]["name"];
    EXPECT_EQ(stored, std::string("A name far too long for it").substr(0, stored.size()));
    Result replaced = Ok("edit " + in + " " + out + " rename tv 0 \"Snow \xE2\x98\x83\"");
    EXPECT_NE(replaced.err.find("characters replaced"), std::string::npos) << replaced.err;
    EXPECT_EQ(Count(replaced.err, "\n"), 1u);
}

TEST_F(CliCommands, ExportSourceWritesTheChannelTable) {
    Ok("export-source " + P("demo.ZCS") + " " + P("table.txt"));
    const std::string text = ReadText(P("table.txt"));
    EXPECT_EQ(text.find("\nDEFDB_CHDATA_t\tCH_"), 0u);
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

}  // namespace
