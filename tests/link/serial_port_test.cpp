// The port over a pty: opening rules, line settings, timed reads, hang-ups
// and the Serial.ini settings.
#include <gtest/gtest.h>

#include "link_test_util.h"

namespace {

using namespace linktest;
using namespace brondavel::link;

// A port opened as number 7 on a fresh pty.
struct OpenPort {
    OpenPort() {
        AssignPortDevice(7, pty.path);
        port.SetPortNumber(7);
        opened = port.Open();
    }
    Pty pty;
    SerialPort port;
    bool opened = false;
};

TEST(SerialPortOpen, OpensOnlyAChosenFreePort) {
    SerialPort none;
    EXPECT_FALSE(none.Open());  // port number -1
    EXPECT_FALSE(none.Purge());
    EXPECT_EQ(none.ReadTimed(nullptr, 1, 0), 0u);

    OpenPort a;
    ASSERT_TRUE(a.opened);
    EXPECT_TRUE(a.port.Open());  // already open
    EXPECT_FALSE(a.port.SetPortNumber(3));
    EXPECT_FALSE(a.port.Configure(3, LineSettings{}));
    SerialPort b;
    ASSERT_TRUE(b.SetPortNumber(7));
    EXPECT_FALSE(b.Open()) << "a second open of a held port";
    EXPECT_TRUE(a.port.Close());
    EXPECT_TRUE(b.Open());

    AssignPortDevice(8, "/dev/brondavel-no-such-tty");
    EXPECT_FALSE(ProbePort(8));
    EXPECT_TRUE(ProbePort(7)) << "a port held by another program is present";
    AssignPortDevice(8, "");
    EXPECT_NO_THROW(ListSerialDevices());
    // Only a terminal serves as a port.
    EXPECT_EQ(TerminalProblem(a.pty.path), "");
    EXPECT_EQ(TerminalProblem("/dev/null"), "it is not a terminal");
    TempDir dir;
    EXPECT_EQ(TerminalProblem(dir.path.string()), "it is not a device");
    EXPECT_NE(TerminalProblem(dir / "none"), "");
}

TEST(SerialPortOpen, LineSettingsApplyAtOnceWhileOpen) {
    OpenPort p;
    ASSERT_TRUE(p.opened);
    const LineSettings s{.baud_rate = 9600, .parity = 2, .stop_bits = 2};
    ASSERT_TRUE(p.port.SetLineSettings(s));
    termios t{};
    ASSERT_EQ(tcgetattr(p.pty.slave, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), B9600);
    // A pty forces 8 bits without parity; the stop bits and the rate stick.
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    LineSettings bad = s;
    bad.baud_rate = 12345;
    EXPECT_FALSE(p.port.SetLineSettings(bad));
    EXPECT_EQ(p.port.Settings(), s);
    EXPECT_TRUE(p.port.Configure(7, LineSettings{}));
}

TEST(SerialPortRead, TimedReadsYieldWholeCountsOrNothing) {
    OpenPort p;
    ASSERT_TRUE(p.opened);
    p.port.SetTransferCheck([] { return true; });
    std::vector<uint8_t> out(1024, 0x5A);
    ASSERT_EQ(::write(p.pty.master, out.data(), 1000), 1000);
    std::this_thread::sleep_for(20ms);
    std::vector<uint8_t> in(1024);
    EXPECT_EQ(p.port.ReadTimed(in.data(), 1024, 50), 0u) << "never a partial block";
    ASSERT_EQ(::write(p.pty.master, out.data(), 24), 24);
    EXPECT_EQ(p.port.ReadTimed(in.data(), 1024, 2000), 1024u);
    EXPECT_EQ(in, out);
    ASSERT_EQ(::write(p.pty.master, "abc", 3), 3);
    // The pty hands bytes over in the background: wait until all three are queued.
    size_t queued = 0;
    for (int i = 0; i < 3000 && queued < 3; ++i) {
        std::this_thread::sleep_for(1ms);
        p.port.ClearErrors(nullptr, &queued);
    }
    EXPECT_EQ(p.port.ReadTimed(in.data(), 10, 0), 3u) << "polls 0 takes what is queued";
    EXPECT_EQ(p.port.Read(in.data(), 10), 0);
    EXPECT_FALSE(p.port.HungUp()) << "an empty queue is no hang-up";
    EXPECT_EQ(p.port.ReadOrTimeout(in.data(), 1, 5), kReadTimeout);
    // A wait ends at once when no transfer runs, and when the line hangs up.
    auto endsAtOnce = [&] {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(p.port.ReadTimed(in.data(), 1, 100000), 0u);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    };
    p.port.SetTransferCheck([] { return false; });
    endsAtOnce();
    p.port.SetTransferCheck([] { return true; });
    p.pty.HangUp();
    endsAtOnce();
    EXPECT_TRUE(p.port.HungUp());
    EXPECT_EQ(p.port.WriteAll(in.data(), 1), 0u);
    EXPECT_TRUE(p.port.Close());
}

// Spaces around "=" as a hand edit leaves them. A value the port cannot use
// takes its default, is named once, and is never written back; a port for
// the run is not stored either.
TEST(SerialPortSettings, SerialIniRoundTripWithoutInvalidValuesOrTheRunPort) {
    TempDir dir;
    std::ofstream(dir / "Serial.ini") << "[COM]\r\nId = 4\r\nBaudRate=57600\r\nParity =1\r\n"
                                         "ParityCheck= 1\r\nDevice = /dev/ttyUSB3\r\n";
    std::ofstream(dir / "bad.ini")
        << "[COM]\nId=12\nBaudRate=1234\nDataBits=99\nStopBits=2\nParity=x\n";
    Recorder owner;
    ReceiverLink link(&owner), other(&owner), defaults(&owner), bad(&owner);
    EXPECT_TRUE(link.LoadSettings(dir / "Serial.ini"));
    EXPECT_EQ(link.SettingsNotice(), "");
    EXPECT_EQ(link.Port().PortNumber(), 4);
    EXPECT_EQ(PortDevicePath(4), "/dev/ttyUSB3");
    // DataBits missing: its default.
    EXPECT_EQ(link.Port().Settings(),
              (LineSettings{.baud_rate = 57600, .parity = 1, .parity_check = true}));
    ASSERT_TRUE(link.SaveSettings(dir / "copy.ini"));
    other.LoadSettings(dir / "copy.ini");
    EXPECT_EQ(std::pair(other.Port().PortNumber(), other.Port().Settings()),
              std::pair(4, link.Port().Settings()));
    EXPECT_FALSE(defaults.LoadSettings(dir / "missing.ini"));
    EXPECT_EQ(std::pair(defaults.Port().PortNumber(), defaults.Port().Settings()),
              std::pair(1, LineSettings{}));
    AssignPortDevice(4, "");

    bad.LoadSettings(dir / "bad.ini");
    const std::string notice = bad.SettingsNotice();
    for (const char* named : {"Id=12", "BaudRate=1234", "DataBits=99", "Parity=x"})
        EXPECT_NE(notice.find(named), std::string::npos) << named;
    EXPECT_EQ(notice.find("StopBits"), std::string::npos);
    EXPECT_EQ(bad.Port().Settings(), LineSettings{.stop_bits = 2});
    bad.UseRunPort("/dev/pts/77");
    EXPECT_EQ(PortDevicePath(1), "/dev/pts/77");
    auto saved = [&] {
        EXPECT_TRUE(bad.SaveSettings(dir / "Serial.ini"));
        return ReadText(dir / "Serial.ini");
    };
    EXPECT_NE(saved().find("Id=1\nBaudRate=115200\nDataBits=8\nStopBits=2\nParity=0\n"),
              std::string::npos);
    EXPECT_NE(saved().find("Device=/dev/ttyS0"), std::string::npos);
    // Chosen in the dialog, the same device is stored.
    bad.ChoosePort(1, "");
    EXPECT_NE(saved().find("Device=/dev/pts/77"), std::string::npos);
    AssignPortDevice(1, "");
}

}  // namespace
