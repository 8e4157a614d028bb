// Interoperation with lrzsz, an independent YMODEM/XMODEM implementation.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include "link_test_util.h"

extern char** environ;

namespace {

using namespace linktest;
using namespace brondavel::link;

// A shell command in the background, in a process group of its own that is
// killed if it outlives the test, and that dies with the test process even
// when a time-out kills that.
class Child {
  public:
    explicit Child(const std::string& command) {
        const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
        const pid_t parent = ::getpid();
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setpgid(0, 0);
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent) ::_exit(127);
            ::execve("/bin/sh", const_cast<char**>(argv), environ);
            ::_exit(127);
        }
        if (pid_ > 0) ::setpgid(pid_, pid_);
    }
    ~Child() {
        if (pid_ > 0) {
            ::kill(-pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    // Exit status, or -1 when it did not end in time.
    int Wait(std::chrono::milliseconds limit = 30s) {
        auto end = std::chrono::steady_clock::now() + limit;
        while (pid_ > 0 && std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
            }
            std::this_thread::sleep_for(10ms);
        }
        return -1;
    }

  private:
    pid_t pid_ = -1;
};

bool WaitForPath(const std::string& path) {
    for (int i = 0; i < 3000 && !fs::exists(path); ++i) std::this_thread::sleep_for(10ms);
    return fs::exists(path);
}

const size_t kSizes[] = {0, 1000, 1024, 1025, 336000};

TEST(Lrzsz, OurMode2SenderToRb) {
    for (size_t size : kSizes) {
        SCOPED_TRACE(size);
        TempDir dir;
        fs::create_directory(dir.path / "rx");
        auto data = RandomBytes(size, 20u + static_cast<unsigned>(size));
        Spit(dir / "chan.ZCS", data);
        // rb on pipes behind one pty: its flush after the last ACK cannot lose it there.
        Child rb("cd '" + dir / "rx" + "' && exec socat pty,raw,echo=0,link='" + dir / "tty" +
                 "' SYSTEM:'rb -vv -y 2>../rb.log',pipes 2>/dev/null");
        ASSERT_TRUE(WaitForPath(dir / "tty"));
        LinkOn l(dir / "tty");
        EXPECT_EQ(Send(l, dir / "chan.ZCS", 2), kResultOk);
        l.link.Stop();
        EXPECT_EQ(rb.Wait(), 0) << "rb's log:\n" << ReadText(dir / "rb.log");
        EXPECT_EQ(Slurp(dir / "rx/chan.ZCS"), data);
    }
}

// A peer started in dir with `command` sends over a pty pair to our receiver
// in `mode`, which writes dir/got.bin; returns the name the batch gave.
std::string PeerSendsToUs(const TempDir& dir, const std::string& command, int mode) {
    Child wire("exec socat pty,raw,echo=0,link='" + dir / "A" + "' pty,raw,echo=0,link='" +
               dir / "B" + "' 2>/dev/null");
    EXPECT_TRUE(WaitForPath(dir / "A") && WaitForPath(dir / "B"));
    Child peer("cd '" + dir.path.string() + "' && exec " + command + " < A > A 2>/dev/null");
    LinkOn l(dir / "B");
    EXPECT_EQ(Receive(l, dir / "got.bin", mode), kResultOk);
    l.link.Stop();
    EXPECT_EQ(peer.Wait(), 0);
    return l.link.ReceivedName();
}

TEST(Lrzsz, SbToOurMode2Receiver) {
    for (const char* flags : {"-k", ""}) {
        for (size_t size : kSizes) {
            SCOPED_TRACE(std::string(flags) + " " + std::to_string(size));
            TempDir dir;
            auto data = RandomBytes(size, 30u + static_cast<unsigned>(size));
            Spit(dir / "sent.bin", data);
            EXPECT_EQ(PeerSendsToUs(dir, std::string("sb ") + flags + " sent.bin", 2), "sent.bin");
            EXPECT_EQ(Slurp(dir / "got.bin"), data);
        }
    }
}

// sx pads the last block with its own fill byte: a flash image whose length
// is a multiple of 1024 arrives as it is; the packed image's block ends
// inside what arrived, so the EOT ends the transfer with success.
TEST(Lrzsz, SxToOurMode1Receiver) {
    TempDir scratch;
    for (const auto& image :
         {FlashImage(4096, 40), FlashImage(336000, 40), PackedDemoImage(scratch / "packed.bin")}) {
        SCOPED_TRACE(image.size());
        ASSERT_FALSE(image.empty());
        TempDir dir;
        Spit(dir / "flash.bin", image);
        PeerSendsToUs(dir, "sx -k flash.bin", 1);
        const auto got = Slurp(dir / "got.bin");
        ASSERT_GE(got.size(), image.size());
        EXPECT_TRUE(std::equal(image.begin(), image.end(), got.begin()));
        EXPECT_TRUE(image.size() % 1024 || got.size() == image.size()) << got.size();
    }
}

}  // namespace
