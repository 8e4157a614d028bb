// brondavel-cli send and receive against the simulator: exit codes, texts,
// the numbering of received names, and a failed receive that keeps its file.
#include <gtest/gtest.h>

#include "link_test_util.h"
#include "tests/cli/cli_runner.h"

namespace {

using namespace linktest;
using brondavel::sim::SimOptions;
using CliLink = clitest::CliTest;

TEST_F(CliLink, TransfersSayHowTheyEnded) {
    TempDir in;
    const auto data = RandomBytes(3000, 50), keep = RandomBytes(336000, 52);
    Spit(P("a.bin"), data);
    Spit(P("keep.bin"), keep);
    Spit(P("flash.bin"), FlashImage(336000, 53));
    Spit(in / "a.bin", {1});
    SimOptions hangingUp = Sending(1, P("flash.bin"));
    hangingUp.hangup_after = 9000;
    struct Case {
        SimOptions o;
        std::string command;  // after the port
        int code;
        const char* text;
    };
    for (const Case& c : {
             Case{Sending(2, P("a.bin")), "--mode 2 " + in.path.string(), 0, "Download Success"},
             Case{Accepting(1, P("got.bin")), "--mode 1 a.bin", 0, "Upload Success"},
             Case{hangingUp, "--mode 1 keep.bin", 1, "No Send Data"},
         }) {
        SCOPED_TRACE(c.text);
        Pty pty;
        if (c.o.hangup_after >= 0) pty.CloseSlave();  // the sim's close is a real hang-up
        SimThread sim(pty, c.o);
        const clitest::Result r = Cli(std::string(c.o.send ? "receive" : "send") + " --port " +
                                      pty.path + " " + c.command);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_NE((r.out + r.err).find(c.text), std::string::npos) << r.out << r.err;
    }
    // A received name is numbered; a failed mode-1 receive keeps its file.
    EXPECT_EQ(Slurp(in / "a(1).bin"), data);
    EXPECT_EQ(NamesIn(in), (std::vector<std::string>{"a(1).bin", "a.bin"}));
    EXPECT_EQ(Slurp(P("keep.bin")), keep);
}

}  // namespace
