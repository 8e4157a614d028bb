// File names of the shell: extensions, the received-file placement, the
// single-instance lock and the command line.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "app/logic/command_line.h"
#include "app/logic/model_files.h"
#include "app/logic/received_file.h"
#include "app/logic/single_instance.h"

namespace brondavel::app {
namespace {

namespace fs = std::filesystem;

struct Folder {
    Folder() {
        path = fs::temp_directory_path() /
               ("brondavel-shell-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
    void Touch(const std::string& name, const std::string& text = "x") const {
        std::ofstream(path / name) << text;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(path / name);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static inline int count = 0;
    fs::path path;
};

TEST(ModelFiles, DefaultExtensionOnlyWhenTheNameHasNone) {
    EXPECT_EQ(WithDefaultExtension("/a/b/db", ".ZCS"), "/a/b/db.ZCS");
    EXPECT_EQ(WithDefaultExtension("/a/b/db.bin", ".ZCS"), "/a/b/db.bin");
    EXPECT_EQ(WithDefaultExtension("/a.d/db", ".bin"), "/a.d/db.bin");
    EXPECT_EQ(DefaultExtensionFor(2), ".ZCS");
    EXPECT_EQ(DefaultExtensionFor(0), ".bin");
    EXPECT_EQ(TransferModeFor(2), 2);
    EXPECT_EQ(TransferModeFor(1), 1);
    EXPECT_EQ(JoinPath("/x/", "a.bin"), "/x/a.bin");
    EXPECT_EQ(JoinPath("/x", "a.bin"), "/x/a.bin");
}

TEST(ReceivedFile, TakesTheFirstFreeNumberedName) {
    Folder dir;
    dir.Touch("a.bin", "old");
    dir.Touch("a(1).bin", "older");
    dir.Touch(kTemporaryReceiveName, "new");
    PlacedFile placed = PlaceReceivedFile(dir.path.string(), "a.bin");
    EXPECT_TRUE(placed.named);
    EXPECT_EQ(placed.path, (dir.path / "a(2).bin").string());
    EXPECT_EQ(dir.Read("a(2).bin"), "new");
    EXPECT_EQ(dir.Read("a.bin"), "old");
    EXPECT_FALSE(fs::exists(dir.path / kTemporaryReceiveName));
}

TEST(ReceivedFile, KeepsTheTemporaryNameWhenAllNamesAreTaken) {
    Folder dir;
    dir.Touch("a.bin");
    for (int n = 1; n <= 999; ++n) dir.Touch("a(" + std::to_string(n) + ").bin");
    dir.Touch(kTemporaryReceiveName, "new");
    PlacedFile placed = PlaceReceivedFile(dir.path.string(), "a.bin");
    EXPECT_FALSE(placed.named);
    EXPECT_EQ(placed.path, (dir.path / kTemporaryReceiveName).string());
    EXPECT_FALSE(placed.error.empty());
    EXPECT_EQ(dir.Read(kTemporaryReceiveName), "new");
}

TEST(SingleInstance, SecondLockRefusedUntilTheFirstEnds) {
    Folder dir;
    const std::string runtime = (dir.path / "run").string();
    {
        SingleInstanceLock first(runtime);
        EXPECT_TRUE(first.Acquired());
        SingleInstanceLock second(runtime);
        EXPECT_FALSE(second.Acquired());
    }
    SingleInstanceLock later(runtime);
    EXPECT_TRUE(later.Acquired());
    EXPECT_EQ(fs::status(runtime).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST(SingleInstance, SecondCopyHandsItsFileToTheRunningOne) {
    Folder dir;
    const std::string runtime = (dir.path / "run").string();
    SingleInstanceLock lock(runtime);
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

TEST(CommandLine, PrintPdfAndItsChoices) {
    CommandLine a =
        ParseCommandLine({"--print-pdf", "o.pdf", "db.ZCS", "--kind", "radio", "--by", "favorite"});
    EXPECT_TRUE(a.error.empty()) << a.error;
    EXPECT_EQ(a.printPdf, "o.pdf");
    EXPECT_EQ(a.file, "db.ZCS");
    const ChannelSheetOptions o = SheetOptionsOf(a);
    EXPECT_FALSE(o.tv);
    EXPECT_TRUE(o.radio);
    EXPECT_EQ(o.grouping, SheetGrouping::kPerFavoriteGroup);
    for (auto wrong :
         std::vector<std::vector<std::string>>{{"--print-pdf", "o.pdf"},
                                               {"db", "--kind", "tv"},
                                               {"--print-pdf", "o", "db", "--kind", "x"},
                                               {"--print-pdf", "o", "db", "--by", "x"}})
        EXPECT_FALSE(ParseCommandLine(wrong).error.empty()) << wrong.size();
}

TEST(CommandLine, FileModelAndPort) {
    CommandLine a = ParseCommandLine({"db.ZCS", "--model", "0", "--port", "/dev/pts/3"});
    EXPECT_TRUE(a.error.empty());
    EXPECT_EQ(a.file, "db.ZCS");
    EXPECT_EQ(a.model, 0);
    EXPECT_EQ(a.port, "/dev/pts/3");
    EXPECT_EQ(ParseCommandLine({}).model, -1);
    for (auto wrong : std::vector<std::vector<std::string>>{
             {"--model", "3"}, {"--model"}, {"--port"}, {"--bogus"}, {"a", "b"}})
        EXPECT_FALSE(ParseCommandLine(wrong).error.empty()) << wrong[0];
}

}  // namespace
}  // namespace brondavel::app
