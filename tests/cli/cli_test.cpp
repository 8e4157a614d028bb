// brondavel-cli as scripts see it: output, exit codes, files written.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "model/byte_fields.h"

namespace {

namespace fs = std::filesystem;

struct Result {
    int code;
    std::string out;
};

// Runs the tool with a shell command line; stderr goes to `err` file.
Result Cli(const std::string& args, const std::string& errFile = "/dev/null") {
    const std::string cmd =
        std::string(BRONDAVEL_BINARY_DIR) + "/bin/brondavel-cli " + args + " 2>" + errFile;
    FILE* p = ::popen(cmd.c_str(), "r");
    Result r{-1, ""};
    std::array<char, 4096> buf;
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int status = ::pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/brondavel-cli-XXXXXX";
        dir = ::mkdtemp(tmpl);
        ASSERT_EQ(Cli("demo " + P("demo.ZCS")).code, 0);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string P(const std::string& name) const { return (dir / name).string(); }
    fs::path dir;
};

TEST_F(CliTest, InfoReportsKindHeaderDateAndCounts) {
    Result r = Cli("info --json " + P("demo.ZCS"));
    ASSERT_EQ(r.code, 0);
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["kind"], "ChannelDataFile");
    EXPECT_EQ(j["headerValid"], true);
    EXPECT_EQ(j["date"].get<std::string>().size(), 8u);
    EXPECT_EQ(j["counts"]["satellites"], 6);
    EXPECT_EQ(j["counts"]["favorites"], 16);
    EXPECT_GT(j["counts"]["tv"].get<int>(), 100);
    EXPECT_EQ(r.out.find("{\"kind\""), 0u);
}

TEST_F(CliTest, ResaveAndCheck) {
    ASSERT_EQ(Cli("resave " + P("demo.ZCS") + " " + P("again.ZCS")).code, 0);
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
    Result json = Cli("info --json " + P("again.ZCS"));
    EXPECT_EQ(nlohmann::json::parse(json.out)["headerValid"], false);
}

TEST_F(CliTest, ExitCodesAndMessages) {
    Result missing = Cli("info " + P("missing.ZCS"), P("err.txt"));
    EXPECT_EQ(missing.code, 1);
    const std::string err = ReadText(P("err.txt"));
    EXPECT_NE(err.find("does not exist"), std::string::npos);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    EXPECT_EQ(Cli("info").code, 2);
    EXPECT_EQ(Cli("nonsense").code, 2);
    EXPECT_EQ(Cli("info --model 7 " + P("demo.ZCS")).code, 2);
    EXPECT_EQ(Cli("resave " + P("demo.ZCS") + " /proc/nope/x.ZCS").code, 1);
}

TEST_F(CliTest, DumpListsRowsAsTheWindowsShowThem) {
    Result sats = Cli("dump " + P("demo.ZCS") + " --kind satellites");
    ASSERT_EQ(sats.code, 0);
    EXPECT_EQ(sats.out.substr(0, sats.out.find('\n')), "Astra 1\t19.2E");
    Result tv = Cli("dump " + P("demo.ZCS") + " --kind tv --json");
    ASSERT_EQ(tv.code, 0);
    const auto rows = nlohmann::json::parse(tv.out);
    ASSERT_GT(rows.size(), 100u);
    EXPECT_EQ(rows[0]["id"], 0);
    EXPECT_EQ(rows[0]["columns"][0], "1");
    EXPECT_EQ(rows[0]["fields"]["name"], rows[0]["columns"][1]);
    EXPECT_TRUE(rows[0]["fields"].contains("favoriteMask"));
    EXPECT_TRUE(rows[0]["fields"].contains("nameBytes"));
}

nlohmann::json Dump(const std::string& file, const std::string& kind) {
    return nlohmann::json::parse(Cli("dump " + file + " --kind " + kind + " --json").out);
}

TEST_F(CliTest, EditAppliesOperationsInOrder) {
    const std::string in = P("demo.ZCS"), out = P("edited.ZCS");
    const auto before = Dump(in, "tv");
    const std::string row2 = before[2]["fields"]["name"];
    ASSERT_EQ(Cli("edit " + in + " " + out + " move tv 0-1 after 4 favorite tv 0 15 on" +
                  " rename tv 1 \"Nouvelle 1\" reparent tv 0 7")
                  .code,
              0);
    const auto after = Dump(out, "tv");
    // Rows 0-1 went behind the old row 4, so the old row 2 leads now.
    EXPECT_EQ(after[0]["fields"]["name"], row2);
    EXPECT_EQ(after[3]["fields"]["name"], before[0]["fields"]["name"]);
    EXPECT_EQ(after[0]["fields"]["favoriteMask"].get<int>() & 0x8000, 0x8000);
    EXPECT_EQ(after[1]["fields"]["name"], "Nouvelle 1");
    const auto tps = Dump(out, "transponders");
    EXPECT_EQ(after[0]["fields"]["transponderRef"], tps[7]["id"]);
    // Sorting and deleting with cascade.
    ASSERT_EQ(
        Cli("edit " + out + " " + out + " sort satellites longitude delete satellites 0").code, 0);
    const auto sats = Dump(out, "satellites");
    ASSERT_EQ(sats.size(), 5u);
    EXPECT_EQ(sats[0]["columns"][1], "19.2E");  // 13.0E came first and went
    EXPECT_EQ(Cli("check " + out).code, 0);
}

TEST_F(CliTest, RefusedEditWritesNothing) {
    const std::string in = P("demo.ZCS"), out = P("never.ZCS");
    EXPECT_EQ(Cli("edit " + in + " " + out + " move tv 1-2 after 2").code, 1);
    EXPECT_EQ(Cli("edit " + in + " " + out + " delete tv 100000").code, 1);
    EXPECT_EQ(Cli("edit " + in + " " + out + " sort satellites lock").code, 1);
    EXPECT_EQ(Cli("edit " + in + " " + out + " favorite tv 1 16 on").code, 1);
    EXPECT_EQ(Cli("edit " + in + " " + out + " rename favorites 0 X").code, 1);
    EXPECT_EQ(Cli("edit " + in + " " + out + " frobnicate").code, 1);
    EXPECT_EQ(Cli("edit " + in + " " + out + " sort tv").code, 1);
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(CliTest, ExportSourceWritesTheChannelTable) {
    ASSERT_EQ(Cli("export-source " + P("demo.ZCS") + " " + P("table.txt")).code, 0);
    const std::string text = ReadText(P("table.txt"));
    EXPECT_EQ(text.find("\nDEFDB_CHDATA_t\tCH_"), 0u);
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST_F(CliTest, SecondGenerationFilesInEveryMode) {
    for (const char* mode : {"--model 0 --flash 4 --compress 0", "--model 1 --flash 2 --compress 1",
                             "--model 0 --flash 4 --compress 2"}) {
        SCOPED_TRACE(mode);
        const std::string m = std::string(" ") + mode + " ";
        ASSERT_EQ(Cli("demo" + m + P("gen2.bin")).code, 0);
        Result info = Cli("info --json" + m + P("gen2.bin"));
        ASSERT_EQ(info.code, 0);
        const auto j = nlohmann::json::parse(info.out);
        EXPECT_EQ(j["kind"], "FlashImageFile");
        EXPECT_EQ(j["counts"]["satellites"], 6);
        EXPECT_EQ(Cli("check" + m + P("gen2.bin")).code, 0);
        ASSERT_EQ(Cli("edit" + m + P("gen2.bin") + " " + P("gen2e.bin") + " sort tv name").code, 0);
        Result dump = Cli("dump --kind satellites" + m + P("gen2e.bin"));
        EXPECT_EQ(dump.out.substr(0, dump.out.find('\n')), "Astra 1\t19.2E");
        // Opened as a first-generation file it is simply not a database.
        EXPECT_EQ(nlohmann::json::parse(Cli("info --json " + P("gen2.bin")).out)["headerValid"],
                  false);
    }
}

}  // namespace
