// `lh5 compress` writes archives the common archivers list and extract, with
// the member's name and time; `--raw` keeps the codec's block.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include "tests/cli/cli_runner.h"

namespace {

using clitest::CliTest;
using clitest::HasSubstr;
using testsupport::Slurp;
namespace fs = std::filesystem;

bool Have(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

class CliLh5 : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        input = P("channels.ZCS");
        fs::copy_file(P("demo.ZCS"), input);
        const utimbuf times{modified, modified};
        ASSERT_EQ(::utime(input.c_str(), &times), 0);
        Ok("lh5 compress " + input + " " + P("channels.lzh"));
    }
    std::string input;
    const std::time_t modified = 1614834368;  // March 2021
};

TEST_F(CliLh5, ArchiversListAndExtractTheNamedMember) {
    const auto original = Slurp(input);
    struct Peer {
        std::string tool, list, extract;
    };
    const std::string archive = P("channels.lzh");
    int tried = 0;
    for (const Peer& peer :
         {Peer{"lhasa", "lhasa -l " + archive, "cd %s && lhasa x " + archive},
          Peer{"bsdtar", "bsdtar -tvf " + archive, "bsdtar -xf " + archive + " -C %s"},
          Peer{"7z", "7z l " + archive, "7z x -o%s " + archive}}) {
        if (!Have(peer.tool)) continue;
        SCOPED_TRACE(peer.tool);
        ++tried;
        const std::string listing = clitest::Shell(peer.list + " 2>&1").out;
        EXPECT_THAT(listing, HasSubstr("channels.ZCS"));
        EXPECT_THAT(listing, HasSubstr("2021"));
        const std::string out = P("x-" + peer.tool);
        fs::create_directory(out);
        std::string extract = peer.extract;
        extract.replace(extract.find("%s"), 2, out);
        clitest::Shell(extract + " 2>&1");
        EXPECT_EQ(Slurp(out + "/channels.ZCS"), original);
        struct stat st {};
        ASSERT_EQ(::stat((out + "/channels.ZCS").c_str(), &st), 0);
        EXPECT_LE(std::abs(static_cast<long>(st.st_mtime - modified)), 2);
    }
    if (tried == 0) GTEST_SKIP() << "no LHA archiver installed";
}

TEST_F(CliLh5, RawBlocksAndNamedArchivesBothExpand) {
    const auto original = Slurp(input);
    Ok("lh5 compress --raw " + input + " " + P("raw.lh5"));
    // The codec's block has no name; the archive adds only the name.
    EXPECT_EQ(Slurp(P("channels.lzh")).size(), Slurp(P("raw.lh5")).size() + 12);
    for (const std::string& file : {P("raw.lh5"), P("channels.lzh")}) {
        fs::remove(P("back.ZCS"));
        Ok("lh5 decompress " + file + " " + P("back.ZCS"));
        EXPECT_EQ(Slurp(P("back.ZCS")), original);
    }
}

}  // namespace
