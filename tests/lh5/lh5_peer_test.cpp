// Interchange with other LHA implementations: 7-Zip, lhasa and bsdtar extract our
// blocks, and our decoder reads what jLHA writes. The tools are installed by the
// Makefile, so a missing one is a failure, not a skip.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "files/lh5/lh5_codec.h"
#include "tests/lh5/lh5_test_util.h"
#include "tests/support/temp_files.h"

namespace {

using namespace brondavel::lh5;
using namespace lh5test;
namespace fs = std::filesystem;

class Lh5Peers : public ::testing::Test {
  protected:
    // Runs a command in the scratch folder; returns its standard output, or an
    // empty result with a note when it fails.
    Bytes Run(const std::string& command) {
        const std::string full =
            "cd '" + dir_.path.string() + "' && " + command + " > out 2>/dev/null";
        const int rc = std::system(full.c_str());
        EXPECT_TRUE(WIFEXITED(rc) && WEXITSTATUS(rc) == 0) << command;
        return testsupport::Slurp(dir_ / "out");
    }

    const std::vector<std::pair<std::string, Bytes>> inputs_ = {
        {"ff", Bytes(479232, 0xFF)},
        {"records", ReceiverRecords(300000, 61)},
        {"text", Text(120000, 62)},
        {"small", Text(300, 63)},
        {"matchless", MatchlessBytes(29089)}};
    testsupport::TempDir dir_;
};

TEST_F(Lh5Peers, PeersExtractOurBlocks) {
    for (auto& [name, data] : inputs_) {
        SCOPED_TRACE(name);
        Bytes block = CompressOrDie(data);
        testsupport::Spit(dir_ / "a.lzh", block);
        EXPECT_TRUE(Run("7z e -so a.lzh") == data);
        // lhasa and bsdtar want a file name.
        testsupport::Spit(dir_ / "n.lzh", Member({block.begin() + 27, block.end() - 1},
                                                 static_cast<std::uint32_t>(data.size()),
                                                 Crc16(data.data(), data.size()), '5', "a"));
        EXPECT_TRUE(Run("lhasa pq n.lzh") == data);
        EXPECT_TRUE(Run("bsdtar -xOf n.lzh") == data);
    }
}

TEST_F(Lh5Peers, WeDecodeJlhaArchives) {
    for (auto& [name, data] : inputs_) {
        SCOPED_TRACE(name);
        testsupport::Spit(dir_ / "in.bin", data);
        fs::remove(dir_.path / "j.lzh");
        Run("lha -a1o5q j.lzh in.bin");
        const Bytes archive = testsupport::Slurp(dir_ / "j.lzh");
        auto info = ReadMemberHeader(archive.data(), archive.size());
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->method, '5');
        EXPECT_TRUE(DecodeAll(archive, data.size()) == std::pair(DecodeStatus::kOk, data));
        // On the data the receiver keeps, ours is not larger than jLHA's.
        if (name == "records" || name == "ff" || name == "text") {
            EXPECT_LE(CompressOrDie(data).size() - kBlockOverhead, info->compressedSize);
        }
    }
}

}  // namespace
