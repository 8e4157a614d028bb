// brondavel-cli send and receive against the simulator: exit codes, texts,
// the numbering of received names, and a failed receive that keeps its file.
#include <gtest/gtest.h>

#include "link_test_util.h"
#include "tests/cli/cli_runner.h"

namespace {

using namespace linktest;
using brondavel::sim::SimOptions;

TEST(CliLink, TransfersSayHowTheyEnded) {
    TempDir dir, in;
    const auto data = RandomBytes(3000, 50), keep = RandomBytes(336000, 52);
    Spit(dir / "a.bin", data);
    Spit(dir / "keep.bin", keep);
    Spit(dir / "flash.bin", FlashImage(336000, 53));
    Spit(in / "a.bin", {1});
    Spit(in / "a(1).bin", {2});
    SimOptions refusing = Accepting(2, dir.path), hangingUp = Sending(1, dir / "flash.bin");
    refusing.refuse_first = true;
    refusing.timeout_ms = 3000;
    hangingUp.hangup_after = 9000;
    struct Case {
        SimOptions o;
        std::string command;  // after the port
        int code;
        const char* text;
    };
    for (const Case& c : {
             Case{Sending(2, dir / "a.bin"), "--mode 2 " + in.path.string(), 0, "Download Success"},
             Case{Accepting(1, dir / "got.bin"), "--mode 1 " + dir / "a.bin", 0, "Upload Success"},
             Case{refusing, "--mode 2 " + dir / "a.bin", 1, "Model Version Check"},
             Case{hangingUp, "--mode 1 " + dir / "keep.bin", 1, "No Send Data"},
         }) {
        SCOPED_TRACE(c.text);
        Pty pty;
        if (c.o.hangup_after >= 0) pty.CloseSlave();  // the sim's close is a real hang-up
        SimThread sim(pty, c.o);
        const clitest::Result r =
            clitest::Shell(clitest::CliPath() + (c.o.send ? " receive" : " send") + " --port " +
                           pty.path + " " + c.command + " 2>&1");
        EXPECT_EQ(r.code, c.code) << r.out;
        EXPECT_NE(r.out.find(c.text), std::string::npos) << r.out;
    }
    // A received name is numbered; a failed mode-1 receive keeps its file.
    EXPECT_EQ(Slurp(in / "a(2).bin"), data);
    EXPECT_EQ(NamesIn(in), (std::vector<std::string>{"a(1).bin", "a(2).bin", "a.bin"}));
    EXPECT_EQ(Slurp(dir / "keep.bin"), keep);
    EXPECT_EQ(NamesIn(dir),
              (std::vector<std::string>{"a.bin", "flash.bin", "got.bin", "keep.bin"}));
}

}  // namespace
