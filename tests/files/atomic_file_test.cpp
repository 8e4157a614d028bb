// Saving never destroys what stands at the target: regular files are
// replaced whole or not at all, links are followed, devices and FIFOs are
// written through and stay what they are.
#include "files/atomic_file.h"

#include <gmock/gmock.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "tests/support/temp_files.h"

namespace brondavel {
namespace {

using testing::HasSubstr;

namespace fs = std::filesystem;
using namespace testsupport;
using Bytes = std::vector<uint8_t>;

// Saves `data` at `path`: "" when the save succeeded, else its message.
std::string Save(const std::string& path, const Bytes& data) {
    std::string error;
    if (WriteFileAtomically(path, {data}, error)) return "";
    return error.empty() ? "failed without a message" : error;
}

fs::file_type TypeOf(const std::string& path) {
    return fs::symlink_status(path).type();
}

TEST(AtomicSave, DeviceNodesAreWrittenThroughAndStayDevices) {
    if (::geteuid() != 0) GTEST_SKIP() << "mknod needs root";
    TempDir dir;
    ASSERT_EQ(::mknod((dir / "full").c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
    ASSERT_EQ(::mknod((dir / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    const Bytes data(5000, 0x5A);

    EXPECT_THAT(Save(dir / "full", data), HasSubstr(std::strerror(ENOSPC)));
    EXPECT_EQ(Save(dir / "null", data), "");
    EXPECT_EQ(TypeOf(dir / "full"), fs::file_type::character);
    EXPECT_EQ(TypeOf(dir / "null"), fs::file_type::character);
    EXPECT_EQ(NamesIn(dir), (std::vector<std::string>{"full", "null"}));
}

TEST(AtomicSave, FifoGetsEveryByteAndStaysAFifo) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    Bytes data(200000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7);
    Bytes got;
    std::thread reader([&] { got = Slurp(dir / "pipe"); });
    EXPECT_EQ(Save(dir / "pipe", data), "");
    reader.join();
    EXPECT_EQ(got, data);
    EXPECT_EQ(TypeOf(dir / "pipe"), fs::file_type::fifo);
}

TEST(AtomicSave, LinksAreFollowedAndKept) {
    TempDir dir;
    fs::create_directory(dir.path / "real");
    Spit(dir / "real/db.ZCS", Bytes(10, 1));
    ::chmod((dir / "real/db.ZCS").c_str(), 0640);
    // A relative link to a relative link: each resolved from its own folder.
    fs::create_symlink("real/db.ZCS", dir.path / "hop");
    fs::create_directory(dir.path / "links");
    fs::create_symlink("../hop", dir.path / "links/db.ZCS");

    EXPECT_EQ(Save(dir / "links/db.ZCS", Bytes(20, 2)), "");
    EXPECT_EQ(TypeOf(dir / "links/db.ZCS"), fs::file_type::symlink);
    EXPECT_EQ(TypeOf(dir / "hop"), fs::file_type::symlink);
    EXPECT_EQ(Slurp(dir / "real/db.ZCS"), Bytes(20, 2));
    EXPECT_EQ(fs::status(dir / "real/db.ZCS").permissions(), fs::perms(0640));

    // A link to a name that does not exist yet makes that file.
    fs::create_symlink("real/new.bin", dir.path / "dangling");
    EXPECT_EQ(Save(dir / "dangling", Bytes(3, 3)), "");
    EXPECT_EQ(TypeOf(dir / "dangling"), fs::file_type::symlink);
    EXPECT_EQ(Slurp(dir / "real/new.bin"), Bytes(3, 3));

    // A loop of links is an error, not a hang, and nothing is made.
    fs::create_symlink("loop2", dir.path / "loop1");
    fs::create_symlink("loop1", dir.path / "loop2");
    EXPECT_THAT(Save(dir / "loop1", Bytes(1, 1)), HasSubstr("loop1"));
    EXPECT_EQ(NamesIn(dir),
              (std::vector<std::string>{"dangling", "hop", "links", "loop1", "loop2", "real"}));
}

TEST(AtomicSave, FoldersAndSocketsAreRefusedWithAReason) {
    TempDir dir;
    fs::create_directory(dir.path / "sub");
    EXPECT_THAT(Save(dir / "sub", Bytes(1)), HasSubstr(std::strerror(EISDIR)));

    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = dir / "sock";
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_THAT(Save(socketPath, Bytes(1)), HasSubstr("socket"));
    EXPECT_EQ(TypeOf(socketPath), fs::file_type::socket);
    ::close(s);
}

TEST(AtomicSave, UnfinishedFileLeavesTargetAndFolderAsTheyWere) {
    TempDir dir;
    Spit(dir / "keep.bin", Bytes(100, 9));
    {
        AtomicFile file;
        std::string error;
        ASSERT_TRUE(file.Open(dir / "keep.bin", error));
        ASSERT_TRUE(file.Write(Bytes(50, 1).data(), 50, error));
    }
    EXPECT_EQ(Slurp(dir / "keep.bin"), Bytes(100, 9));
    EXPECT_EQ(NamesIn(dir), std::vector<std::string>{"keep.bin"});
}

// Reading the mask by setting it would open a window in which another
// thread's new files come out without it.
TEST(AtomicSave, NewFilesFollowTheUmaskWhichIsNeverChanged) {
    TempDir dir;
    const mode_t saved = ::umask(027);
    EXPECT_EQ(CurrentUmask(), 027u);
    EXPECT_EQ(CurrentUmask(dir.path.string()), 027u);
    ASSERT_EQ(Save(dir / "new.bin", Bytes(1)), "");
    EXPECT_EQ(fs::status(dir / "new.bin").permissions(), fs::perms(0640));

    std::atomic<bool> reading{true};
    std::thread reader([&] {
        for (int i = 0; i < 5000; ++i) CurrentUmask();
        reading = false;
    });
    int unmasked = 0;
    while (reading) {
        Spit(dir / "other", {});
        unmasked += fs::status(dir / "other").permissions() != fs::perms(0640);
        fs::remove(dir / "other");
    }
    reader.join();
    EXPECT_EQ(unmasked, 0);
    EXPECT_EQ(::umask(saved), 027u);
}

}  // namespace
}  // namespace brondavel
