// The link against the receiver simulator over real ptys: both modes, both
// directions, line faults and the start/stop rules of the threads.
#include <gtest/gtest.h>

#include "link_test_util.h"

namespace {

using namespace linktest;
using namespace brondavel::link;
using brondavel::sim::SimOptions;

// A mode-1 sender sends no EOT: the sim ends the file after this much silence,
// which must outlast any pause of a busy machine between two blocks.
constexpr int kIdleEndMs = 2000;

SimOptions Accepting(int mode, const std::string& path) {
    SimOptions o;
    o.mode = mode;
    o.path = path;
    o.idle_end_ms = kIdleEndMs;
    o.timeout_ms = 5000;
    return o;
}

SimOptions Sending(int mode, const std::string& path) {
    SimOptions o = Accepting(mode, path);
    o.send = true;
    return o;
}

uint16_t Send(LinkOn& l, const std::string& file, int mode) {
    EXPECT_TRUE(l.link.StartSend(file, mode));
    EXPECT_TRUE(l.owner.WaitFor(kMsgResult));
    l.link.StopSend();
    return l.owner.Result();
}

uint16_t Receive(LinkOn& l, const std::string& file, int mode) {
    EXPECT_TRUE(l.link.StartReceive(file, mode));
    EXPECT_TRUE(l.owner.WaitFor(mode == 2 ? kMsgReceiveFinished : kMsgResult));
    l.link.StopReceive();
    return l.owner.Result();
}

TEST(LinkWithSimulator, Mode2SendStoresIdenticalFiles) {
    for (size_t size : {0, 1000, 1024, 1025, 336000}) {
        SCOPED_TRACE(size);
        TempDir dir;
        auto data = RandomBytes(size, static_cast<unsigned>(size));
        Spit(dir / "db.ZCS", data);
        fs::create_directory(dir.path / "rx");
        Pty pty;
        LinkOn l(pty.path);
        ASSERT_TRUE(l.started);
        SimThread sim(pty, Accepting(2, dir / "rx"));
        EXPECT_EQ(Send(l, dir / "db.ZCS", 2), kResultOk);
        sim.Join();
        EXPECT_EQ(sim.rc, 0) << sim.message;
        EXPECT_EQ(Slurp(dir / "rx/db.ZCS"), data);
        auto progress = l.owner.Of(kMsgSendProgress);
        ASSERT_FALSE(progress.empty());
        EXPECT_EQ(progress.back().wparam, 0u);  // (0, 0) when the thread ends
        if (size == 1000) {
            // Eight 128-byte blocks, whole blocks counted.
            ASSERT_EQ(progress.size(), 9u);
            EXPECT_EQ(progress[7].wparam, 1024u);
            EXPECT_EQ(progress[7].lparam, 1000u);
        }
        if (size == 1025) {
            ASSERT_EQ(progress.size(), 3u);
            EXPECT_EQ(progress[0].wparam, 1024u);
            EXPECT_EQ(progress[1].wparam, 1152u);
        }
        EXPECT_EQ(l.owner.Count(kMsgWaitNotice), 1);
        EXPECT_TRUE(l.link.MonitorRunning());
    }
}

TEST(LinkWithSimulator, Mode2ReceiveCutsToAnnouncedSize) {
    for (size_t size : {0, 1000, 1025, 336000}) {
        SCOPED_TRACE(size);
        TempDir dir;
        auto data = RandomBytes(size, 7u + static_cast<unsigned>(size));
        Spit(dir / "chan.ZCS", data);
        Pty pty;
        LinkOn l(pty.path);
        ASSERT_TRUE(l.started);
        SimThread sim(pty, Sending(2, dir / "chan.ZCS"));
        EXPECT_EQ(Receive(l, dir / "tmp_upload.ZCS", 2), kResultOk);
        sim.Join();
        EXPECT_EQ(sim.rc, 0) << sim.message;
        EXPECT_EQ(Slurp(dir / "tmp_upload.ZCS"), data);
        EXPECT_EQ(l.link.ReceivedName(), "chan.ZCS");
        EXPECT_EQ(l.owner.Count(kMsgNameReceived), 1);
        EXPECT_EQ(l.owner.Of(kMsgReceiveFinished).back().wparam, 0u);
    }
}

TEST(LinkWithSimulator, Mode1SendWritesWholeBlocksWrappingNumbers) {
    for (size_t size : {0, 1000, 1025, 336000}) {
        SCOPED_TRACE(size);
        TempDir dir;
        auto data = RandomBytes(size, 11u + static_cast<unsigned>(size));
        Spit(dir / "img.bin", data);
        Pty pty;
        LinkOn l(pty.path);
        ASSERT_TRUE(l.started);
        SimOptions o = Accepting(1, dir / "got.bin");
        if (size == 0) o.timeout_ms = 2500;  // nothing goes out; the sim waits in vain
        SimThread sim(pty, o);
        EXPECT_EQ(Send(l, dir / "img.bin", 1), kResultOk);
        sim.Join();
        if (size == 0) continue;
        EXPECT_EQ(sim.rc, 0) << sim.message;
        auto got = Slurp(dir / "got.bin");
        BlockPlan plan = PlanBlocks(size);
        ASSERT_EQ(got.size(), plan.full * 1024 + plan.small * 128);
        EXPECT_TRUE(std::equal(data.begin(), data.end(), got.begin()));
        EXPECT_TRUE(std::all_of(got.begin() + static_cast<long>(size), got.end(),
                                [](uint8_t b) { return b == 0; }));
    }
}

TEST(LinkWithSimulator, Mode1ReceiveKeepsFillBytes) {
    for (size_t size : {2000, 336000}) {
        SCOPED_TRACE(size);
        TempDir dir;
        auto data = FlashImage(size, 3);
        Spit(dir / "flash.bin", data);
        Pty pty;
        LinkOn l(pty.path);
        ASSERT_TRUE(l.started);
        SimThread sim(pty, Sending(1, dir / "flash.bin"));
        EXPECT_EQ(Receive(l, dir / "out.bin", 1), kResultOk);
        sim.Join();
        EXPECT_EQ(sim.rc, 0) << sim.message;
        auto got = Slurp(dir / "out.bin");
        ASSERT_GE(got.size(), data.size());
        EXPECT_TRUE(std::equal(data.begin(), data.end(), got.begin()));
        auto progress = l.owner.Of(kMsgReceiveProgress);
        ASSERT_GE(progress.size(), 2u);
        EXPECT_EQ(progress[0].lparam, size - 128);  // the total from offset 12 of block 1
    }
}

// A mode-1 receive writes beside its target and replaces it only on success.
TEST(LinkMode1Receive, FailureOrStopLeavesThePreviousFile) {
    TempDir dir;
    const auto keep = RandomBytes(336000, 77);
    Spit(dir / "keep.bin", keep);
    Spit(dir / "flash.bin", FlashImage(336000, 6));
    {  // the receiver hangs up half-way
        Pty pty;
        LinkOn l(pty.path);
        SimOptions o = Sending(1, dir / "flash.bin");
        o.hangup_after = 9000;
        ::close(pty.slave);  // without it the sim's close is a real hang-up
        pty.slave = -1;
        SimThread sim(pty, o);
        EXPECT_EQ(Receive(l, dir / "keep.bin", 1), kResultFailed);
        EXPECT_EQ(Slurp(dir / "keep.bin"), keep);
    }
    {  // stopped by the user while blocks arrive
        Pty pty;
        LinkOn l(pty.path);
        SimThread sim(pty, Sending(1, dir / "flash.bin"));
        ASSERT_TRUE(l.link.StartReceive(dir / "keep.bin", 1));
        ASSERT_TRUE(l.owner.WaitFor(kMsgReceiveProgress, 3));
        l.link.StopReceive();
        EXPECT_EQ(l.owner.Result(), kResultCancelled);
        EXPECT_EQ(Slurp(dir / "keep.bin"), keep);
    }
    EXPECT_EQ(NamesIn(dir), (std::vector<std::string>{"flash.bin", "keep.bin"}));
    {  // a success replaces the file that a link names, and the link stays
        fs::create_symlink("keep.bin", dir.path / "link.bin");
        Pty pty;
        LinkOn l(pty.path);
        SimThread sim(pty, Sending(1, dir / "flash.bin"));
        EXPECT_EQ(Receive(l, dir / "link.bin", 1), kResultOk);
        EXPECT_TRUE(fs::is_symlink(dir.path / "link.bin"));
        EXPECT_EQ(Slurp(dir / "keep.bin"), Slurp(dir / "flash.bin"));
    }
    EXPECT_EQ(NamesIn(dir), (std::vector<std::string>{"flash.bin", "keep.bin", "link.bin"}));
}

TEST(LinkMode1Receive, PackedImageSucceedsATruncatedOneFails) {
    TempDir dir;
    const auto image = PackedDemoImage(dir / "m0f1c1.bin");
    ASSERT_GT(image.size(), 4096u);
    ASSERT_LT(image.size(), 20000u);
    {
        Pty pty;
        LinkOn l(pty.path);
        SimThread sim(pty, Sending(1, dir / "m0f1c1.bin"));
        EXPECT_EQ(Receive(l, dir / "got.bin", 1), kResultOk);
        sim.Join();
        EXPECT_EQ(sim.rc, 0) << sim.message;
    }
    const auto got = Slurp(dir / "got.bin");
    ASSERT_GE(got.size(), image.size());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), got.begin()));
    brondavel::FlashImageFile received(dir / "got.bin", 0, 1, 1);
    ASSERT_EQ(received.Load(), 1);
    EXPECT_TRUE(received.loadWarnings().empty());
    EXPECT_EQ(received.db().Count(brondavel::kTv), brondavel::DemoSize{}.tv);

    Spit(dir / "cut.bin", std::vector<uint8_t>(image.begin(), image.begin() + 4096));
    Pty pty;
    LinkOn l(pty.path);
    SimThread sim(pty, Sending(1, dir / "cut.bin"));
    EXPECT_EQ(Receive(l, dir / "got.bin", 1), kResultFailed);
    EXPECT_EQ(Slurp(dir / "got.bin"), got);
}

TEST(LinkLineFaults, FlippedByteIsRetried) {
    TempDir dir;
    auto data = RandomBytes(5000, 99);
    Spit(dir / "f.bin", data);
    fs::create_directory(dir.path / "rx");
    {  // PC sends, a data byte is damaged on the way
        Pty pty;
        LinkOn l(pty.path);
        SimOptions o = Accepting(2, dir / "rx");
        o.flip_in = 1500;
        SimThread sim(pty, o);
        EXPECT_EQ(Send(l, dir / "f.bin", 2), kResultOk);
        sim.Join();
        EXPECT_EQ(Slurp(dir / "rx/f.bin"), data);
    }
    {  // receiver sends, a data byte is damaged on the way
        Pty pty;
        LinkOn l(pty.path);
        SimOptions o = Sending(2, dir / "f.bin");
        o.flip_out = 2500;
        SimThread sim(pty, o);
        EXPECT_EQ(Receive(l, dir / "in.bin", 2), kResultOk);
        sim.Join();
        EXPECT_EQ(Slurp(dir / "in.bin"), data);
    }
    {  // mode 1, and a lost byte instead of a damaged one
        Pty pty;
        LinkOn l(pty.path);
        SimOptions o = Accepting(1, dir / "m1.bin");
        o.drop_in = 2000;
        SimThread sim(pty, o);
        EXPECT_EQ(Send(l, dir / "f.bin", 1), kResultOk);
        sim.Join();
        auto got = Slurp(dir / "m1.bin");
        ASSERT_GE(got.size(), data.size());
        EXPECT_TRUE(std::equal(data.begin(), data.end(), got.begin()));
    }
}

TEST(LinkLineFaults, HangUpEndsWithFailureAtOnce) {
    TempDir dir;
    Spit(dir / "f.bin", RandomBytes(40000, 5));
    Spit(dir / "flash.bin", FlashImage(40000, 6));
    fs::create_directory(dir.path / "rx");
    struct Case {
        int mode;
        bool pc_sends;
        uint16_t expected;
    };
    for (Case c : {Case{2, true, kResultFailed}, Case{2, false, kResultFailed},
                   Case{1, true, kResultFailed}, Case{1, false, kResultFailed}}) {
        SCOPED_TRACE(c.mode * 10 + c.pc_sends);
        Pty pty;
        LinkOn l(pty.path);
        SimOptions o = c.pc_sends
                           ? Accepting(c.mode, c.mode == 2 ? dir / "rx" : dir / "x.bin")
                           : Sending(c.mode, c.mode == 2 ? dir / "f.bin" : dir / "flash.bin");
        o.hangup_after = 9000;
        // Without the test's own slave handle the sim's close is a real hang-up.
        ::close(pty.slave);
        pty.slave = -1;
        SimThread sim(pty, o);
        auto start = std::chrono::steady_clock::now();
        uint16_t r =
            c.pc_sends ? Send(l, dir / "f.bin", c.mode) : Receive(l, dir / "y.bin", c.mode);
        EXPECT_EQ(r, c.expected);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 8s);
    }
}

// The idle listener says once that the line went away, and ends; the port
// then closes, and opens again only when a device is there.
TEST(LinkLineFaults, IdleListenerReportsAHangUp) {
    Pty pty;
    LinkOn l(pty.path);
    ASSERT_TRUE(l.started);
    ::close(pty.slave);
    pty.slave = -1;
    ::close(pty.master);
    pty.master = -1;
    ASSERT_TRUE(l.owner.WaitFor(kMsgLineHungUp, 1, 5s));
    EXPECT_TRUE(l.link.Port().HungUp());
    EXPECT_TRUE(l.link.Stop());
    EXPECT_FALSE(l.link.Start());
    Pty back;
    AssignPortDevice(7, back.path);
    EXPECT_TRUE(l.link.Start());
    EXPECT_EQ(l.owner.Count(kMsgLineHungUp), 1);
}

TEST(LinkLineFaults, SilentReceiverAsksForPowerCycle) {
    TempDir dir;
    Spit(dir / "f.bin", RandomBytes(3000, 8));
    for (int mode : {1, 2}) {
        SCOPED_TRACE(mode);
        Pty pty;
        LinkOn l(pty.path);
        l.link.SetPollDivisor(10000);
        SimOptions o;
        o.silent = true;
        o.timeout_ms = 500;
        SimThread sim(pty, o);
        EXPECT_EQ(Send(l, dir / "f.bin", mode), kResultNoHandshake);
        EXPECT_STREQ(ResultText(l.owner.Result(), false), "SetTop Power Off and On");
    }
}

TEST(LinkLineFaults, RefusedFirstBlockIsModelVersionCheck) {
    TempDir dir;
    Spit(dir / "f.bin", RandomBytes(3000, 9));
    fs::create_directory(dir.path / "rx");
    for (int mode : {1, 2}) {
        SCOPED_TRACE(mode);
        Pty pty;
        LinkOn l(pty.path);
        SimOptions o = Accepting(mode, mode == 2 ? dir / "rx" : dir / "x.bin");
        o.refuse_first = true;
        // Long enough to ask again after the idle monitor took the first request.
        o.timeout_ms = 3000;
        SimThread sim(pty, o);
        EXPECT_EQ(Send(l, dir / "f.bin", mode), kResultFirstBlockRefused);
        EXPECT_STREQ(ResultText(l.owner.Result(), false), "Model Version Check");
    }
}

TEST(LinkThreads, StopDuringReceiveReportsCancelAndRestartsMonitor) {
    TempDir dir;
    for (int mode : {1, 2}) {
        Pty pty;
        LinkOn l(pty.path);
        ASSERT_TRUE(l.started);
        ASSERT_TRUE(l.link.StartReceive(dir / "r.bin", mode));
        EXPECT_FALSE(l.link.MonitorRunning());
        std::this_thread::sleep_for(200ms);
        l.link.StopReceive();
        EXPECT_FALSE(l.link.Receiving());
        EXPECT_TRUE(l.link.MonitorRunning());
        EXPECT_EQ(l.owner.Count(kMsgResult), 1);
        EXPECT_EQ(l.owner.Result(), kResultCancelled);
        if (mode == 2) {
            EXPECT_EQ(l.owner.Of(kMsgReceiveFinished).back().wparam, kResultCancelled);
        }
    }
}

TEST(LinkThreads, OneTransferAtATime) {
    TempDir dir;
    Spit(dir / "f.bin", RandomBytes(100, 1));
    Pty pty;
    LinkOn l(pty.path);
    ASSERT_TRUE(l.link.StartSend(dir / "f.bin", 2));
    EXPECT_FALSE(l.link.StartReceive(dir / "r.bin", 2));
    EXPECT_FALSE(l.link.StartSend(dir / "f.bin", 2));
    EXPECT_FALSE(fs::exists(dir / "r.bin"));
    l.link.StopSend();
    EXPECT_EQ(l.owner.Result(), kResultCancelled);  // stopped in the handshake
    EXPECT_FALSE(l.link.StartSend(dir / "missing.bin", 2));
    EXPECT_FALSE(l.link.StartSend(dir / "f.bin", 3));
    EXPECT_TRUE(l.link.MonitorRunning());
}

// The next transfer starts the moment the last one has given up by itself:
// the monitor that the ending thread restarts must not run beside it.
TEST(LinkThreads, TransferStartedRightAfterAnotherEndsRunsAlone) {
    TempDir dir;
    Spit(dir / "f.bin", RandomBytes(100, 3));
    Pty pty;
    LinkOn l(pty.path);
    ASSERT_TRUE(l.started);
    l.link.SetPollDivisor(10000);  // no receiver: the handshake gives up soon
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(l.link.StartSend(dir / "f.bin", 1));
        auto limit = std::chrono::steady_clock::now() + 60s;
        bool started = false;
        while (!started && std::chrono::steady_clock::now() < limit) {
            started = l.link.StartReceive(dir / "r.bin", 1);
        }
        ASSERT_TRUE(started);
        EXPECT_FALSE(l.link.MonitorRunning());
        l.link.StopReceive();
        EXPECT_TRUE(l.link.MonitorRunning());
    }
    EXPECT_EQ(l.owner.Count(kMsgResult), 10);
}

TEST(LinkThreads, StopAfterTheTransferEndedClosesNothingTwice) {
    TempDir dir;
    Spit(dir / "f.bin", RandomBytes(2000, 2));
    fs::create_directory(dir.path / "rx");
    Pty pty;
    LinkOn l(pty.path);
    SimThread sim(pty, Accepting(2, dir / "rx"));
    ASSERT_TRUE(l.link.StartSend(dir / "f.bin", 2));
    ASSERT_TRUE(l.owner.WaitFor(kMsgResult));
    l.link.StopSend();
    l.link.StopSend();
    EXPECT_TRUE(l.link.MonitorRunning());
    EXPECT_EQ(l.owner.Count(kMsgResult), 1);
    EXPECT_EQ(l.owner.Result(), kResultOk);
    sim.Join();
    // The link is usable again at once.
    SimThread again(pty, Accepting(2, dir / "rx"));
    EXPECT_TRUE(l.link.StartSend(dir / "f.bin", 2));
    EXPECT_TRUE(l.owner.WaitFor(kMsgResult, 2));
    EXPECT_TRUE(l.link.Stop());
    EXPECT_TRUE(l.link.Stop());  // on a closed link: nothing
    EXPECT_FALSE(l.link.Port().IsOpen());
}

TEST(LinkThreads, IdleDataReachesTheOwner) {
    TempDir dir;
    Spit(dir / "f.bin", RandomBytes(3000, 4));
    fs::create_directory(dir.path / "rx");
    Pty pty;
    LinkOn l(pty.path);
    ASSERT_TRUE(l.started);
    ASSERT_EQ(::write(pty.master, "hello", 5), 5);
    ASSERT_TRUE(l.owner.WaitFor(kMsgIdleData, 1, 30s));
    for (int i = 0; i < 3000 && l.owner.IdleBytes().size() < 5; ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(l.owner.IdleBytes(), "hello");
    // The monitor has read the queue empty since: an empty queue is no hang-up,
    // and a transfer right after idle data works.
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(l.link.Port().HungUp());
    SimThread sim(pty, Accepting(2, dir / "rx"));
    EXPECT_EQ(Send(l, dir / "f.bin", 2), kResultOk);
    sim.Join();
    EXPECT_EQ(Slurp(dir / "rx/f.bin"), Slurp(dir / "f.bin"));
}

// The owner dispatches nothing by itself: only the stopping call delivers.
TEST(LinkThreads, QueuedDeliveryNeverDeadlocksAStop) {
    TempDir dir;
    Pty pty;
    LinkOn l(pty.path, Delivery::kQueued);
    ASSERT_TRUE(l.started);
    ASSERT_TRUE(l.link.StartReceive(dir / "r.bin", 2));
    std::this_thread::sleep_for(100ms);
    l.link.StopReceive();
    EXPECT_EQ(l.owner.Result(), kResultCancelled);
    EXPECT_EQ(l.owner.Count(kMsgReceiveFinished), 1);
    l.link.Stop();
}

}  // namespace
