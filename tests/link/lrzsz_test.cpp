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
    for (int i = 0; i < 3000; ++i) {
        if (fs::exists(path)) return true;
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

// What a peer wrote to its log, for the message of a failure.
std::string PeerLog(const std::string& path) {
    auto bytes = Slurp(path);
    return "peer log:\n" + std::string(bytes.begin(), bytes.end());
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
        ASSERT_TRUE(l.started);
        ASSERT_TRUE(l.link.StartSend(dir / "chan.ZCS", 2));
        ASSERT_TRUE(l.owner.WaitFor(kMsgResult, 1, 60s));
        EXPECT_EQ(l.owner.Result(), kResultOk);
        l.link.Stop();
        EXPECT_EQ(rb.Wait(), 0) << PeerLog(dir / "rb.log");
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
    EXPECT_TRUE(l.started);
    EXPECT_TRUE(l.link.StartReceive(dir / "got.bin", mode));
    EXPECT_TRUE(l.owner.WaitFor(mode == 2 ? kMsgReceiveFinished : kMsgResult, 1, 60s));
    EXPECT_EQ(l.owner.Result(), kResultOk);
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

TEST(Lrzsz, SxToOurMode1Receiver) {
    for (size_t size : {4096, 336000}) {
        SCOPED_TRACE(size);
        TempDir dir;
        auto data = FlashImage(size, 40);
        Spit(dir / "flash.bin", data);
        PeerSendsToUs(dir, "sx -k flash.bin", 1);
        EXPECT_EQ(Slurp(dir / "got.bin"), data);  // a multiple of 1024: no fill
    }
}

// sx pads the last block with its own fill byte; the packed image's block
// ends inside what arrived, so the EOT ends the transfer with success.
TEST(Lrzsz, SxSendsAPackedImageToOurMode1Receiver) {
    TempDir dir;
    const auto image = PackedDemoImage(dir / "m0f1c1.bin");
    ASSERT_FALSE(image.empty());
    PeerSendsToUs(dir, "sx -k m0f1c1.bin", 1);
    const auto got = Slurp(dir / "got.bin");
    ASSERT_GE(got.size(), image.size());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), got.begin()));
}

}  // namespace
