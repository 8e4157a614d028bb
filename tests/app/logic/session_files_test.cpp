// What the panel keeps of a session's files: the originals saved over, and
// the recent files.
#include <gtest/gtest.h>

#include "app/logic/recent_files.h"
#include "app/logic/session_backups.h"
#include "tests/support/temp_files.h"

namespace brondavel::app {
namespace {

using testsupport::TempDir;

std::string Get(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct SessionBackup : ::testing::Test {
    TempDir dir;
    const std::string file = dir / "db.ZCS";
    SessionBackups backups;
    std::string error;
};

TEST_F(SessionBackup, TheFirstSaveKeepsTheOriginalAndLaterSavesLeaveIt) {
    std::ofstream(file) << "original";
    std::ofstream(dir / "db.ZCS.bak") << "from an earlier session";
    ASSERT_TRUE(backups.BeforeSave(file, error)) << error;
    EXPECT_EQ(Get(dir / "db.ZCS.bak"), "original");
    EXPECT_EQ(backups.BackupOf(file), dir / "db.ZCS.bak");

    // Another name of the same file shares its backup.
    std::filesystem::create_symlink(file, dir / "link.ZCS");
    std::ofstream(file) << "first save";
    ASSERT_TRUE(backups.BeforeSave(dir / "link.ZCS", error));
    std::ofstream(file) << "second save";
    EXPECT_EQ(Get(dir / "db.ZCS.bak"), "original");
    EXPECT_EQ(backups.BackupOf(dir / "link.ZCS"), dir / "db.ZCS.bak");
    EXPECT_FALSE(std::filesystem::exists(dir / "link.ZCS.bak"));

    ASSERT_TRUE(backups.RestoreOriginal(file, error)) << error;
    EXPECT_EQ(Get(file), "original");
    EXPECT_EQ(Get(dir / "db.ZCS.bak"), "original");
}

TEST_F(SessionBackup, ANewFileHasNoOriginalAndGetsNoneLater) {
    ASSERT_TRUE(backups.BeforeSave(file, error));
    std::ofstream(file) << "our own first save";
    ASSERT_TRUE(backups.BeforeSave(file, error));
    EXPECT_FALSE(std::filesystem::exists(dir / "db.ZCS.bak"));
    EXPECT_EQ(backups.BackupOf(file), "");
    EXPECT_FALSE(backups.RestoreOriginal(file, error));
    EXPECT_NE(error.find("no original"), std::string::npos);
}

TEST_F(SessionBackup, ABackupThatCannotBeWrittenStopsTheSaveAndIsTriedAgain) {
    std::ofstream(file) << "original";
    std::filesystem::create_directory(dir / "db.ZCS.bak");
    EXPECT_FALSE(backups.BeforeSave(file, error));
    EXPECT_NE(error.find("db.ZCS.bak"), std::string::npos) << error;
    std::filesystem::remove(dir / "db.ZCS.bak");
    ASSERT_TRUE(backups.BeforeSave(file, error)) << error;
    EXPECT_EQ(Get(dir / "db.ZCS.bak"), "original");
}

TEST(RecentFiles, NewestFirstEachOnceAtMostEight) {
    RecentFiles recent({"/b", "", "/a", "/b"});
    EXPECT_EQ(recent.Paths(), (std::vector<std::string>{"/b", "/a"}));
    for (int i = 0; i < 10; ++i) recent.Add("/f" + std::to_string(i));
    EXPECT_TRUE(recent.Add("/f4"));
    EXPECT_FALSE(recent.Add("/f4"));
    recent.Remove("/f8");
    EXPECT_EQ(recent.Paths(),
              (std::vector<std::string>{"/f4", "/f9", "/f7", "/f6", "/f5", "/f3", "/f2"}));
}

}  // namespace
}  // namespace brondavel::app
