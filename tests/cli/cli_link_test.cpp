// Ctrl-C ends a transfer with exit code 130 and leaves no file behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/cli/cli_runner.h"

namespace {

using namespace clitest;
namespace fs = std::filesystem;

class CliLink : public CliTest {};

TEST_F(CliLink, CtrlCStopsAReceiveWithExitCode130) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string port = ::ptsname(master);
    const std::string target = P("in.bin"), errors = P("receive.err");
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(err, STDERR_FILENO);
        const std::string cli = CliPath();
        ::execl(cli.c_str(), cli.c_str(), "receive", "--port", port.c_str(), "--mode", "1",
                target.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // The receiving side asks for the first block at once: then the transfer runs.
    pollfd p{master, POLLIN, 0};
    char byte;
    if (::poll(&p, 1, 30000) == 1) (void)::read(master, &byte, 1);
    ::kill(pid, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ::close(master);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 130);
    EXPECT_THAT(ReadText(errors), HasSubstr("stopped"));
    EXPECT_FALSE(fs::exists(target));
}

}  // namespace
