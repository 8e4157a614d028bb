// Interchange with other LHA implementations: 7-Zip, lhasa and bsdtar extract our
// blocks, and our decoder reads what jLHA writes. The tools are installed by the
// Makefile, so a missing one is a failure, not a skip.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
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
    fs::path Write(const std::string& name, const Bytes& data) {
        testsupport::Spit(dir_ / name, data);
        return dir_.path / name;
    }
    static Bytes Read(const fs::path& p) { return testsupport::Slurp(p.string()); }
    // Runs a shell command in the scratch folder and returns its standard output.
    Bytes Run(const std::string& command, int* status) {
        std::string full = "cd '" + dir_.path.string() + "' && " + command + " 2>/dev/null";
        FILE* p = popen(full.c_str(), "r");
        Bytes out;
        if (p == nullptr) {
            *status = -1;
            return out;
        }
        std::uint8_t buf[65536];
        std::size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.insert(out.end(), buf, buf + n);
        int rc = pclose(p);
        *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
        return out;
    }

    static std::vector<std::pair<std::string, Bytes>> Inputs() {
        return {{"ff", FfFill(479232)},
                {"records", ReceiverRecords(300000, 61)},
                {"text", Text(120000, 62)},
                {"small", Text(300, 63)},
                {"matchless", MatchlessBytes(29089)}};
    }

    testsupport::TempDir dir_;
};

TEST_F(Lh5Peers, SevenZipExtractsOurBlocks) {
    for (auto& [name, data] : Inputs()) {
        SCOPED_TRACE(name);
        Bytes block = CompressOrDie(data);
        ASSERT_FALSE(block.empty());
        Write("a.lzh", block);
        int status = 0;
        Bytes out = Run("7z e -so a.lzh", &status);
        EXPECT_EQ(status, 0);
        EXPECT_TRUE(out == data) << "7z gave " << out.size() << " bytes";
    }
}

TEST_F(Lh5Peers, LhasaAndBsdtarExtractOurBlocksOnceNamed) {
    for (auto& [name, data] : Inputs()) {
        SCOPED_TRACE(name);
        Bytes block = CompressOrDie(data);
        ASSERT_FALSE(block.empty());
        Bytes named = WithName(block, 'a');
        // Our decoder reads the named form as well.
        Bytes back(data.size());
        ASSERT_TRUE(Decode(named.data(), named.size(), back.data(), back.size()).ok());
        Write("n.lzh", named);
        int status = 0;
        Bytes out = Run("lhasa pq n.lzh", &status);
        EXPECT_EQ(status, 0);
        EXPECT_TRUE(out == data) << "lhasa gave " << out.size() << " bytes";
        out = Run("bsdtar -xOf n.lzh", &status);
        EXPECT_EQ(status, 0);
        EXPECT_TRUE(out == data) << "bsdtar gave " << out.size() << " bytes";
    }
}

TEST_F(Lh5Peers, WeDecodeJlhaArchives) {
    for (auto& [name, data] : Inputs()) {
        SCOPED_TRACE(name);
        Write("in.bin", data);
        fs::remove(dir_.path / "j.lzh");
        int status = 0;
        Run("lha -a1o5q j.lzh in.bin", &status);
        ASSERT_EQ(status, 0);
        Bytes archive = Read(dir_.path / "j.lzh");
        auto info = ReadMemberHeader(archive.data(), archive.size());
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->method, '5');
        EXPECT_EQ(info->uncompressedSize, data.size());
        Bytes back(data.size());
        DecodeResult r = Decode(archive.data(), archive.size(), back.data(), back.size());
        EXPECT_EQ(r.status, DecodeStatus::kOk);
        EXPECT_TRUE(back == data);
        // On the data the receiver keeps, ours is not larger than jLHA's.
        if (name == "records" || name == "ff" || name == "text") {
            Bytes ours = CompressOrDie(data);
            EXPECT_LE(ours.size() - kBlockOverhead, info->compressedSize);
        }
    }
}

}  // namespace
