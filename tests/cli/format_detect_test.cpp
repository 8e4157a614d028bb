// The settings detector on files saved in every configuration, cut short or
// damaged, and the named LHA archive it shares the LH5 header knowledge with.
#include "files/format_detect.h"

#include <gtest/gtest.h>

#include "cli/lh5_archive.h"
#include "files/database_file.h"
#include "files/detected_database.h"
#include "files/lh5/lh5_codec.h"
#include "model/demo_database.h"
#include "tests/support/temp_files.h"

namespace {

using namespace brondavel;
using testsupport::Slurp;
using testsupport::Spit;
using testsupport::TempDir;

std::string SaveDemo(const TempDir& dir, int model, int flash, int compress) {
    const std::string path = dir / ("demo" + std::to_string(model) + std::to_string(flash) +
                                    std::to_string(compress) + ".bin");
    auto file = MakeDatabaseFile(path, model, flash, compress);
    if (model == 2)
        FillFirstGenDemo(file->db());
    else
        FillSecondGenDemo(file->db());
    EXPECT_TRUE(file->Save(path));
    return path;
}

FormatReport Detect(const std::string& path) {
    FormatReport report;
    std::string error;
    EXPECT_TRUE(DetectFormat(path, report, error)) << error;
    return report;
}

TEST(FormatDetect, EverySavedConfigurationIsRecognised) {
    TempDir dir;
    struct Case {
        int model, flash, compress;
    };
    for (const Case& c : {Case{2, 0, 0}, Case{0, 1, 0}, Case{0, 3, 1}, Case{1, 3, 2}, Case{0, 2, 0},
                          Case{1, 4, 1}, Case{0, 4, 2}}) {
        SCOPED_TRACE(testing::Message() << c.model << "/" << c.flash << "/" << c.compress);
        const FormatReport report = Detect(SaveDemo(dir, c.model, c.flash, c.compress));
        ASSERT_NE(report.Best(), nullptr);
        EXPECT_TRUE(report.Best()->Matches(c.model, c.flash, c.compress))
            << report.Best()->Options();
        EXPECT_EQ(report.Best()->expectedSize, report.fileSize);
        // Any other reading of a second-generation file is a wrong one.
        if (c.model != 2) {
            EXPECT_TRUE(report.LooksLikeOther(c.model, c.flash, (c.compress + 1) % 3));
            EXPECT_TRUE(
                report.LooksLikeOther(c.model, c.flash == 3 || c.flash == 1 ? 4 : 3, c.compress));
        }
        EXPECT_TRUE(report.LooksLikeOther(c.model == 2 ? 0 : 2, c.flash, c.compress));
    }
}

// What the panel gets when it opens a file: the settings used, kept in the
// configured spelling where they read alike, and whether they differ.
TEST(DetectedDatabase, OpensWithTheSettingsTheFileFits) {
    TempDir dir;
    struct Case {
        FileSettings saved, configured, used;
        bool differs;
        const char* described;
    };
    for (const Case& c :
         {Case{{2, 3, 2}, {0, 4, 1}, {2, 4, 1}, true, "model 2"},
          Case{{0, 3, 0}, {0, 4, 2}, {0, 3, 0}, true, "model 0, SST 2M, no compression"},
          Case{{1, 1, 1}, {1, 3, 1}, {1, 3, 1}, false, "model 1, SST 2M, file compression"},
          Case{{0, 4, 2}, {1, 2, 0}, {1, 2, 2}, true, "model 1, AMD 4M, section compression"}}) {
        SCOPED_TRACE(c.described);
        const std::string path =
            SaveDemo(dir, c.saved.model, c.saved.flashType, c.saved.compressMode);
        const DetectedDatabase opened = OpenDetectedDatabase(path, c.configured);
        ASSERT_TRUE(opened.file) << opened.error;
        EXPECT_EQ(opened.used, c.used);
        EXPECT_EQ(std::tuple(opened.used.Describe(), opened.differsFromConfigured,
                             opened.fitsNoSettings, opened.file->model),
                  std::tuple(c.described, c.differs, false, c.used.model));
        EXPECT_GT(opened.file->db().Count(kTv), 0);
    }
    // A file of no settings opens empty with the configured ones and says why.
    Spit(dir / "junk.bin", std::vector<uint8_t>(3000, 0x41));
    const DetectedDatabase junk = OpenDetectedDatabase(dir / "junk.bin", FileSettings{});
    ASSERT_TRUE(junk.file);
    EXPECT_TRUE(junk.fitsNoSettings);
    EXPECT_NE(junk.noFitReason.find("junk.bin\" is no database file"), std::string::npos);
    EXPECT_EQ(junk.file->db().Count(kTv), 0);
    const DetectedDatabase missing = OpenDetectedDatabase(dir / "none.bin", FileSettings{});
    EXPECT_FALSE(missing.file);
    EXPECT_NE(missing.error.find("No such file"), std::string::npos);
}

TEST(FormatDetect, DamagedFilesStillPointTheWay) {
    TempDir dir;
    // A cut whole-file image keeps its block header: still compress 1, and
    // the missing bytes can be counted.
    auto whole = Slurp(SaveDemo(dir, 0, 4, 1));
    const size_t full = whole.size();
    whole.resize(full / 2);
    Spit(dir / "cut.bin", whole);
    FormatReport cut = Detect(dir / "cut.bin");
    ASSERT_NE(cut.Best(), nullptr);
    EXPECT_TRUE(cut.Best()->Matches(0, 4, 1));
    EXPECT_EQ(*cut.Best()->expectedSize, full);
    // A header with nothing after it needs no flash class.
    auto header = Slurp(SaveDemo(dir, 0, 3, 0));
    header.resize(128);
    header[12] = header[13] = header[14] = header[15] = 0;
    Spit(dir / "header.bin", header);
    EXPECT_TRUE(Detect(dir / "header.bin").Best()->Matches(0, 0, 0));
    // A first-generation header over noise is still a first-generation file.
    auto noisy = Slurp(SaveDemo(dir, 2, 0, 0));
    for (size_t i = 128; i < noisy.size(); ++i) noisy[i] = static_cast<uint8_t>(i * 7919 >> 3);
    Spit(dir / "noisy.ZCS", noisy);
    EXPECT_EQ(Detect(dir / "noisy.ZCS").Best()->model, 2);
    // Neither header: no configuration fits, and none is said to fit better.
    Spit(dir / "empty.bin", {});
    const FormatReport none = Detect(dir / "empty.bin");
    EXPECT_EQ(none.Best(), nullptr);
    EXPECT_FALSE(none.LooksLikeOther(2, 0, 0));
    FormatReport report;
    std::string error;
    EXPECT_FALSE(DetectFormat(dir.path.string(), report, error));
    EXPECT_NE(error.find("it is a folder"), std::string::npos);
}

// The archive itself is read by the archivers in the lh5 command's tests;
// here are its bounds.
TEST(NamedArchive, RefusesWhatItCannotCarry) {
    const auto block = lh5::Compress(std::vector<uint8_t>(5000, 7));
    ASSERT_TRUE(block);
    EXPECT_FALSE(cli::NamedArchive(*block, std::string(cli::kMaxMemberName + 1, 'x'), 0));
    EXPECT_TRUE(cli::NamedArchive(*block, std::string(cli::kMaxMemberName, 'x'), 0));
    EXPECT_FALSE(cli::NamedArchive({1, 2, 3}, "x", 0));
    // Before 1980 DOS time has no value: the earliest one stands in.
    EXPECT_EQ(cli::DosTime(0) >> 16, (1u << 5) | 1u);
}

}  // namespace
