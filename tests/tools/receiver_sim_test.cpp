// The simulator run from scripts: stopped by a signal, it takes its --link
// with it, so the next run never finds a link to a pty that is gone.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/support/build_paths.h"
#include "tests/support/temp_files.h"

namespace {

namespace fs = std::filesystem;

TEST(ReceiverSim, ASignalRemovesTheLink) {
    testsupport::TempDir dir;
    const std::string link = dir / "ttySim",
                      sim = buildpaths::BinaryDir() + "/bin/brondavel-receiver-sim";
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::execl(sim.c_str(), sim.c_str(), "--pty", "--link", link.c_str(), "--mode", "2",
                "--accept", dir.path.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // The pty's name comes out once the link is there and the signals are taken.
    ::close(out[1]);
    pollfd ready{out[0], POLLIN, 0};
    ASSERT_EQ(::poll(&ready, 1, 30000), 1);
    ASSERT_TRUE(fs::is_symlink(link));
    ::kill(pid, SIGTERM);
    ASSERT_EQ(::waitpid(pid, nullptr, 0), pid);
    ::close(out[0]);
    EXPECT_FALSE(fs::is_symlink(link));
}

}  // namespace
