// brondavel-cli send and receive against the simulator: exit codes, texts
// and the numbering of received names.
#include <gtest/gtest.h>

#include <cstdio>

#include "link_test_util.h"
#include "tests/support/build_paths.h"

namespace {

using namespace linktest;
using brondavel::sim::SimOptions;

const std::string kCli = buildpaths::BinaryDir() + "/bin/brondavel-cli";

// Runs the CLI; returns its exit code and collects stdout and stderr.
int RunCli(const std::string& args, std::string* out) {
    FILE* p = ::popen((kCli + " " + args + " 2>&1").c_str(), "r");
    if (!p) return -1;
    char buf[512];
    out->clear();
    while (size_t n = std::fread(buf, 1, sizeof buf, p)) out->append(buf, n);
    int status = ::pclose(p);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CliLink, ReceiveNumbersAnExistingName) {
    TempDir dir;
    fs::create_directory(dir.path / "in");
    auto data = RandomBytes(3000, 50);
    Spit(dir / "a.bin", data);
    Spit(dir / "in/a.bin", {1});
    Spit(dir / "in/a(1).bin", {2});
    Pty pty;
    SimOptions o;
    o.mode = 2;
    o.send = true;
    o.path = dir / "a.bin";
    o.timeout_ms = 5000;
    SimThread sim(pty, o);
    std::string out;
    EXPECT_EQ(RunCli("receive --port " + pty.path + " --mode 2 " + (dir / "in"), &out), 0) << out;
    EXPECT_NE(out.find("Download Success"), std::string::npos);
    EXPECT_EQ(Slurp(dir / "in/a(2).bin"), data);
    EXPECT_EQ(Slurp(dir / "in/a.bin"), std::vector<uint8_t>{1});
    EXPECT_FALSE(fs::exists(dir / "in/tmp_upload.ZCS"));
}

TEST(CliLink, SendReportsThePanelsTexts) {
    TempDir dir;
    Spit(dir / "f.bin", RandomBytes(2000, 51));
    {
        Pty pty;
        SimOptions o;
        o.mode = 1;
        o.path = dir / "got.bin";
        o.idle_end_ms = 2000;  // outlasts any pause between the CLI's blocks
        SimThread sim(pty, o);
        std::string out;
        EXPECT_EQ(RunCli("send --port " + pty.path + " --mode 1 " + (dir / "f.bin"), &out), 0)
            << out;
        EXPECT_NE(out.find("Upload Success"), std::string::npos);
    }
    {
        Pty pty;
        SimOptions o;
        o.mode = 2;
        o.path = dir.path.string();
        o.refuse_first = true;
        o.timeout_ms = 3000;
        SimThread sim(pty, o);
        std::string out;
        EXPECT_EQ(RunCli("send --port " + pty.path + " --mode 2 " + (dir / "f.bin"), &out), 1);
        EXPECT_NE(out.find("Model Version Check"), std::string::npos) << out;
    }
    std::string out;
    EXPECT_EQ(RunCli("send --port /dev/brondavel-none --mode 2 " + (dir / "f.bin"), &out), 1);
    EXPECT_EQ(RunCli("send --port x --mode 3 " + (dir / "f.bin"), &out), 2);
}

// A mode-1 receive that fails keeps the file it was to replace.
TEST(CliLink, FailedMode1ReceiveKeepsTheFile) {
    TempDir dir;
    const auto keep = RandomBytes(336000, 52);
    Spit(dir / "keep.bin", keep);
    Spit(dir / "flash.bin", FlashImage(336000, 53));
    Pty pty;
    SimOptions o;
    o.mode = 1;
    o.send = true;
    o.path = dir / "flash.bin";
    o.timeout_ms = 5000;
    o.hangup_after = 9000;
    ::close(pty.slave);  // without it the sim's close is a real hang-up
    pty.slave = -1;
    SimThread sim(pty, o);
    std::string out;
    EXPECT_EQ(RunCli("receive --port " + pty.path + " --mode 1 " + (dir / "keep.bin"), &out), 1)
        << out;
    EXPECT_NE(out.find("No Send Data"), std::string::npos) << out;
    EXPECT_EQ(Slurp(dir / "keep.bin"), keep);
    EXPECT_EQ(NamesIn(dir), (std::vector<std::string>{"flash.bin", "keep.bin"}));
}

}  // namespace
