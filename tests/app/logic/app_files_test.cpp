// Files of the shell: reading a database with the settings it fits, the File
// commands' greying, extensions, the received-file placement, the
// single-instance lock and the command line.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "app/logic/command_line.h"
#include "app/logic/database_opening.h"
#include "app/logic/file_menu_state.h"
#include "app/logic/model_files.h"
#include "app/logic/received_file.h"
#include "app/logic/single_instance.h"
#include "model/demo_database.h"
#include "tests/support/temp_files.h"

namespace brondavel::app {
namespace {

namespace fs = std::filesystem;

// A scratch folder with small text files.
struct Folder : testsupport::TempDir {
    void Touch(const std::string& name, const std::string& text = "x") const {
        std::ofstream(path / name) << text;
    }
    std::string Read(const std::string& name) const {
        const std::vector<uint8_t> bytes = testsupport::Slurp(*this / name);
        return {bytes.begin(), bytes.end()};
    }
};

std::string WriteDemo(const Folder& dir, const FileSettings& s) {
    const std::string path = dir / ("demo" + EncodeSettings(s) + ".bin");
    auto file = MakeDatabaseFile(path, s.model, s.flashType, s.compressMode);
    if (s.model == 2)
        FillFirstGenDemo(file->db());
    else
        FillSecondGenDemo(file->db());
    EXPECT_TRUE(file->Save(path));
    return path;
}

TEST(DatabaseOpening, AFileIsReadWithTheSettingsItFits) {
    Folder dir;
    const FileSettings conexant{2, 3, 2};
    const FileSettings plain2M{0, 3, 0};
    struct Case {
        FileSettings written, preferred, expected;
    } cases[] = {
        {plain2M, conexant, plain2M},      // the configuration does not fit: the file's own
        {conexant, {0, 4, 2}, {2, 0, 0}},  // either generation
        {plain2M, {1, 1, 0}, {1, 1, 0}},   // what fits alike keeps the preference
    };
    for (const Case& c : cases) {
        const std::string path = WriteDemo(dir, c.written);
        SCOPED_TRACE(path);
        OpenedDatabase opened = OpenFittingDatabase(path, c.preferred);
        ASSERT_TRUE(opened.file) << opened.error;
        EXPECT_EQ(std::tuple(opened.settings, opened.file->model, opened.fitsNothing,
                             opened.file->loadWarnings().size()),
                  std::tuple(c.expected, c.expected.model, false, 0u));
        EXPECT_GT(opened.file->db().Count(2), 0);
        // Saving it back replaces a file of its own kind without a question.
        EXPECT_FALSE(OtherSettingsOf(path, opened.settings));
    }
    // ...but a file of another kind is named before it is replaced.
    const std::string plain = WriteDemo(dir, plain2M);
    EXPECT_EQ(OtherSettingsOf(plain, conexant), plain2M);
    EXPECT_FALSE(OtherSettingsOf(dir / "new.bin", conexant));
    // A file that fits nothing opens empty, a missing one not at all.
    dir.Touch("notes.bin", std::string(336000, 'x'));
    OpenedDatabase junk = OpenFittingDatabase(dir / "notes.bin", conexant);
    ASSERT_TRUE(junk.file);
    EXPECT_EQ(std::tuple(junk.fitsNothing, junk.error.empty(), junk.file->db().Count(2)),
              std::tuple(true, false, 0));
    OpenedDatabase missing = OpenFittingDatabase(dir / "gone.bin", conexant);
    EXPECT_FALSE(missing.file);
    EXPECT_NE(missing.error.find("gone.bin"), std::string::npos);
}

TEST(FileSettings, LabelsAndTheStoredForm) {
    EXPECT_EQ(SettingsLabel({0, 4, 0}), "model 0, SST 4M, no compression");
    EXPECT_EQ(SettingsLabel({2, 0, 0}), "CONEXANT");
    EXPECT_TRUE(ReadsAlike({2, 0, 0}, {2, 3, 2}));
    EXPECT_FALSE(ReadsAlike({0, 3, 0}, {0, 3, 2}));
    EXPECT_EQ(DecodeSettings(EncodeSettings({1, 4, 2})), (FileSettings{1, 4, 2}));
    for (const char* bad : {"", "0 4", "3 0 0", "0 4 0 x", "0 -1 0"})
        EXPECT_FALSE(DecodeSettings(bad)) << bad;
}

TEST(FileMenuState, NothingToSaveNoSaveAndNothingDuringATransfer) {
    FileMenuInputs in;
    EXPECT_TRUE(FileMenuStateOf(in).open && !FileMenuStateOf(in).saveAs);
    in.loaded = true;
    EXPECT_TRUE(FileMenuStateOf(in).saveAs && !FileMenuStateOf(in).save);
    in.modified = true;
    EXPECT_TRUE(FileMenuStateOf(in).save);
    in.transferring = true;
    const FileMenuState s = FileMenuStateOf(in);
    EXPECT_FALSE(s.open || s.read || s.save || s.saveAs || s.write || s.undo || s.restore);
}

TEST(ModelFiles, DefaultExtensionOnlyWhenTheNameHasNone) {
    EXPECT_EQ(WithDefaultExtension("/a/b/db.bin", ".ZCS"), "/a/b/db.bin");
    EXPECT_EQ(WithDefaultExtension("/a.d/db", ".bin"), "/a.d/db.bin");
    EXPECT_EQ(JoinPath("/x/", "a.bin"), "/x/a.bin");
    EXPECT_EQ(JoinPath("/x", "a.bin"), "/x/a.bin");
}

// A read has a file of its own beside the target, and the received name never
// replaces a file that is there.
TEST(ReceivedFile, OwnTemporaryFileAndTheFirstFreeName) {
    Folder dir;
    dir.Touch("a.bin", "old");
    dir.Touch("a(1).bin", "older");
    std::string error;
    const std::string first = MakeReceiveFile(dir.path.string(), error);
    const std::string second = MakeReceiveFile(dir.path.string(), error);
    ASSERT_FALSE(first.empty()) << error;
    EXPECT_NE(first, second);
    EXPECT_EQ(fs::path(first).parent_path(), dir.path);
    std::ofstream(first) << "new";
    PlacedFile placed = PlaceReceivedFile(first, dir.path.string(), "a.bin");
    EXPECT_EQ(std::tie(placed.named, placed.path), std::tuple(true, dir / "a(2).bin"));
    EXPECT_EQ(dir.Read("a(2).bin"), "new");
    EXPECT_EQ(dir.Read("a.bin"), "old");
    EXPECT_FALSE(fs::exists(first));

    for (int n = 2; n <= 999; ++n) dir.Touch("a(" + std::to_string(n) + ").bin");
    placed = PlaceReceivedFile(second, dir.path.string(), "a.bin");
    EXPECT_EQ(std::tie(placed.named, placed.path), std::tuple(false, second));
    EXPECT_FALSE(placed.error.empty());
    EXPECT_TRUE(fs::exists(second));
    EXPECT_EQ(MakeReceiveFile(dir / "none", error), "");
    EXPECT_FALSE(error.empty());
}

TEST(ReceivedFile, NamesInTheReceiversCodePage) {
    EXPECT_EQ(ReceivedFileName("\xE3\xCD\xD8\xC9.ZCS"), "\u0645\u062D\u0637\u0629.ZCS");
    EXPECT_EQ(ReceivedFileName("a/b\x01%.bin"), "a%2Fb%01%.bin");
    EXPECT_EQ(ReceivedFileName(".."), "%2E%2E");
    // Every byte makes a character of its own, never a replacement one.
    for (int byte = 1; byte < 256; ++byte) {
        const std::string name = ReceivedFileName(std::string(1, static_cast<char>(byte)));
        EXPECT_FALSE(name.empty()) << byte;
        EXPECT_EQ(name.find("\xEF\xBF\xBD"), std::string::npos) << byte;
    }
    // 240 Arabic bytes would be 480 bytes of UTF-8: cut before the extension.
    const std::string longName = ReceivedFileName(std::string(240, '\xE3') + ".ZCS");
    EXPECT_LE(longName.size(), kMaxReceivedFileName);
    EXPECT_EQ(longName.substr(longName.size() - 6), "\xD9\x85.ZCS");
}

TEST(SingleInstance, ASecondCopyIsRefusedTheLockAndHandsItsFileOver) {
    Folder dir;
    const std::string runtime = dir / "run";
    {
        SingleInstanceLock first(runtime);
        EXPECT_TRUE(first.Acquired());
        EXPECT_FALSE(SingleInstanceLock(runtime).Acquired());
    }
    SingleInstanceLock lock(runtime);
    EXPECT_TRUE(lock.Acquired());
    EXPECT_EQ(fs::status(runtime).permissions() & fs::perms::all, fs::perms::owner_all);
    // Nobody listening: the second copy says so instead of ending silently.
    EXPECT_FALSE(HandOverToRunningCopy(runtime, "a.ZCS", 200).empty());

    HandoverServer server(runtime);
    ASSERT_GE(server.Fd(), 0);
    std::vector<std::string> handed;
    bool busy = false;
    // Plays the running copy's event loop until the second copy has its answer.
    auto handOver = [&](const std::string& file) {
        std::atomic<bool> answered{false};
        std::string answer;
        std::thread copy([&] {
            answer = HandOverToRunningCopy(runtime, file);
            answered = true;
        });
        while (!answered) {
            server.Serve([&](const std::string& path) {
                handed.push_back(path);
                return !busy;
            });
            ::usleep(5 * 1000);
        }
        copy.join();
        return answer;
    };
    EXPECT_EQ(handOver("sub/a.ZCS"), "");
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0], fs::current_path().string() + "/sub/a.ZCS");

    busy = true;
    const std::string answer = handOver("/x/b.ZCS");
    EXPECT_NE(answer.find("busy"), std::string::npos) << answer;
}

TEST(CommandLine, FileModelPortAndPrintPdf) {
    const CommandLine a = ParseCommandLine({"db.ZCS", "--model", "0", "--port", "/dev/pts/3"});
    EXPECT_EQ(std::tie(a.error, a.file, a.model, a.port),
              std::tuple("", "db.ZCS", 0, "/dev/pts/3"));
    const CommandLine p =
        ParseCommandLine({"--print-pdf", "o.pdf", "db.ZCS", "--kind", "radio", "--by", "favorite"});
    EXPECT_EQ(std::tie(p.error, p.printPdf, p.file), std::tuple("", "o.pdf", "db.ZCS"));
    const ChannelSheetOptions o = SheetOptionsOf(p);
    EXPECT_EQ(std::tie(o.tv, o.radio, o.grouping),
              std::tuple(false, true, SheetGrouping::kPerFavoriteGroup));
    for (const char* wrong :
         {"--model 3", "--model", "--port", "--bogus", "a b", "--print-pdf o.pdf", "db --kind tv",
          "--print-pdf o db --kind x", "--print-pdf o db --by x"}) {
        std::istringstream words(wrong);
        EXPECT_FALSE(
            ParseCommandLine({std::istream_iterator<std::string>(words), {}}).error.empty())
            << wrong;
    }
}

}  // namespace
}  // namespace brondavel::app
