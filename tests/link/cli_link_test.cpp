// brondavel-cli send and receive against the simulator: exit codes, texts
// and the numbering of received names.
#include <gtest/gtest.h>

#include "link_test_util.h"
#include "tests/cli/cli_runner.h"

namespace {

using namespace linktest;

// The exit code, and what the CLI printed on both streams.
clitest::Result RunCli(const std::string& args) {
    return clitest::Shell(clitest::CliPath() + " " + args + " 2>&1");
}

TEST(CliLink, ReceiveNumbersAnExistingName) {
    TempDir dir;
    fs::create_directory(dir.path / "in");
    auto data = RandomBytes(3000, 50);
    Spit(dir / "a.bin", data);
    Spit(dir / "in/a.bin", {1});
    Spit(dir / "in/a(1).bin", {2});
    Pty pty;
    SimThread sim(pty, Sending(2, dir / "a.bin"));
    const clitest::Result r = RunCli("receive --port " + pty.path + " --mode 2 " + (dir / "in"));
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_NE(r.out.find("Download Success"), std::string::npos);
    EXPECT_EQ(Slurp(dir / "in/a(2).bin"), data);
    EXPECT_EQ(Slurp(dir / "in/a.bin"), std::vector<uint8_t>{1});
    EXPECT_FALSE(fs::exists(dir / "in/tmp_upload.ZCS"));
}

TEST(CliLink, SendReportsThePanelsTexts) {
    TempDir dir;
    Spit(dir / "f.bin", RandomBytes(2000, 51));
    brondavel::sim::SimOptions refusing = Accepting(2, dir.path.string());
    refusing.refuse_first = true;
    refusing.timeout_ms = 3000;
    struct Case {
        brondavel::sim::SimOptions o;
        int code;
        const char* text;
    };
    for (const Case& c : {Case{Accepting(1, dir / "got.bin"), 0, "Upload Success"},
                          Case{refusing, 1, "Model Version Check"}}) {
        SCOPED_TRACE(c.text);
        Pty pty;
        SimThread sim(pty, c.o);
        const std::string mode = std::to_string(c.o.mode);
        const clitest::Result r =
            RunCli("send --port " + pty.path + " --mode " + mode + " " + (dir / "f.bin"));
        EXPECT_EQ(r.code, c.code) << r.out;
        EXPECT_NE(r.out.find(c.text), std::string::npos) << r.out;
    }
}

// A mode-1 receive that fails keeps the file it was to replace.
TEST(CliLink, FailedMode1ReceiveKeepsTheFile) {
    TempDir dir;
    const auto keep = RandomBytes(336000, 52);
    Spit(dir / "keep.bin", keep);
    Spit(dir / "flash.bin", FlashImage(336000, 53));
    Pty pty;
    brondavel::sim::SimOptions o = Sending(1, dir / "flash.bin");
    o.hangup_after = 9000;
    pty.CloseSlave();
    SimThread sim(pty, o);
    const clitest::Result r =
        RunCli("receive --port " + pty.path + " --mode 1 " + (dir / "keep.bin"));
    EXPECT_EQ(r.code, 1) << r.out;
    EXPECT_NE(r.out.find("No Send Data"), std::string::npos) << r.out;
    EXPECT_EQ(Slurp(dir / "keep.bin"), keep);
    EXPECT_EQ(NamesIn(dir), (std::vector<std::string>{"flash.bin", "keep.bin"}));
}

}  // namespace
