// `lh5 compress` writes archives the common archivers list and extract, with
// the member's name and time; `--raw` keeps the codec's block.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include "tests/cli/cli_runner.h"

namespace {

using namespace clitest;
using testsupport::Slurp;
namespace fs = std::filesystem;

bool Have(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

class CliLh5 : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        fs::copy_file(P("demo.ZCS"), P("channels.ZCS"));
        const utimbuf times{modified, modified};
        ASSERT_EQ(::utime(P("channels.ZCS").c_str(), &times), 0);
        Ok("lh5 compress channels.ZCS channels.lzh");
    }
    const std::time_t modified = 1614834368;  // March 2021
};

TEST_F(CliLh5, ArchiversListAndExtractTheNamedMember) {
    struct Peer {
        const char *tool, *list, *extract;  // extracting into x-<tool>
    };
    int tried = 0;
    for (const Peer& peer : {Peer{"lhasa", "lhasa -l channels.lzh",
                                  "mkdir x-lhasa && cd x-lhasa && lhasa x ../channels.lzh"},
                             Peer{"bsdtar", "bsdtar -tvf channels.lzh",
                                  "mkdir x-bsdtar && bsdtar -xf channels.lzh -C x-bsdtar"},
                             Peer{"7z", "7z l channels.lzh", "7z x -ox-7z channels.lzh"}}) {
        if (!Have(peer.tool)) continue;
        SCOPED_TRACE(peer.tool);
        ++tried;
        const std::string listing = Run(peer.list).out;
        EXPECT_THAT(listing, HasSubstr("channels.ZCS"));
        EXPECT_THAT(listing, HasSubstr("2021"));
        Run(peer.extract + std::string(" >/dev/null"));
        const std::string extracted = P("x-" + std::string(peer.tool) + "/channels.ZCS");
        EXPECT_EQ(Slurp(extracted), Slurp(P("channels.ZCS")));
        struct stat st {};
        ASSERT_EQ(::stat(extracted.c_str(), &st), 0);
        EXPECT_LE(std::abs(static_cast<long>(st.st_mtime - modified)), 2);
    }
    if (tried == 0) GTEST_SKIP() << "no LHA archiver installed";
}

TEST_F(CliLh5, RawBlocksAndNamedArchivesBothExpand) {
    Ok("lh5 compress --raw channels.ZCS raw.lh5");
    for (const char* file : {"raw.lh5", "channels.lzh"}) {
        Ok("lh5 decompress " + std::string(file) + " " + file + ".ZCS");
        EXPECT_EQ(Slurp(P(file + std::string(".ZCS"))), Slurp(P("channels.ZCS")));
    }
}

}  // namespace
