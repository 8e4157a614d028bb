// The link against the receiver simulator over real ptys: both modes, both
// directions, line faults and the start/stop rules of the threads.
#include <gtest/gtest.h>

#include <optional>

#include "link_test_util.h"

namespace {

using namespace linktest;
using namespace brondavel::link;
using brondavel::sim::SimOptions;

// Both modes, both directions, sizes around the block edges, and lines that
// damage or lose a byte: the file arrives whole; mode 1 fills its last block.
// A hang-up ends the transfer with a failure at once; a mode-1 receive then
// keeps the file it was to replace.
TEST(LinkWithSimulator, FilesArriveWholeOrFailAtAHangUp) {
    struct Case {
        int mode;
        bool pcSends;
        std::vector<size_t> sizes;
        long SimOptions::*fault = nullptr;
        long at = 0;
    };
    const Case cases[] = {
        {2, true, {0, 1000, 1024, 1025, 336000}},
        {2, false, {0, 1000, 1025, 336000}},
        {1, true, {1000, 1025, 336000}},
        {1, false, {2000, 336000}},
        {2, true, {5000}, &SimOptions::flip_in, 1500},
        {2, false, {5000}, &SimOptions::flip_out, 2500},
        {1, true, {5000}, &SimOptions::drop_in, 2000},
        {2, true, {40000}, &SimOptions::hangup_after, 9000},
        {2, false, {40000}, &SimOptions::hangup_after, 9000},
        {1, true, {40000}, &SimOptions::hangup_after, 9000},
        {1, false, {40000}, &SimOptions::hangup_after, 9000},
    };
    for (const Case& c : cases) {
        for (size_t size : c.sizes) {
            SCOPED_TRACE(testing::Message() << c.mode << c.pcSends << " " << size << " " << c.at);
            TempDir dir;
            // A mode-1 receiver learns the length from a flash image's header.
            const auto data = c.mode == 1 && !c.pcSends
                                  ? FlashImage(size, 3)
                                  : RandomBytes(size, static_cast<unsigned>(size));
            Spit(dir / "f.bin", data);
            fs::create_directory(dir.path / "rx");
            const std::string got = c.pcSends && c.mode == 2 ? dir / "rx/f.bin" : dir / "got.bin";
            SimOptions o = !c.pcSends ? Sending(c.mode, dir / "f.bin")
                                      : Accepting(c.mode, c.mode == 2 ? dir / "rx" : got);
            if (c.fault) o.*c.fault = c.at;
            const bool hangUp = c.fault == &SimOptions::hangup_after;
            if (hangUp && !c.pcSends) Spit(got, {7});
            const auto start = std::chrono::steady_clock::now();
            Pty pty;
            LinkOn l(pty.path);
            if (hangUp) pty.CloseSlave();  // the sim's close is then a real hang-up
            SimThread sim(pty, o);
            const uint16_t r = c.pcSends ? Send(l, dir / "f.bin", c.mode) : Receive(l, got, c.mode);
            sim.Join();
            if (hangUp) {
                EXPECT_EQ(r, kResultFailed);
                EXPECT_LT(std::chrono::steady_clock::now() - start, 8s);
                if (c.mode == 1 && !c.pcSends) {  // nothing staged is left behind
                    EXPECT_EQ(Slurp(got), std::vector<uint8_t>{7});
                    EXPECT_EQ(NamesIn(dir), (std::vector<std::string>{"f.bin", "got.bin", "rx"}));
                }
                continue;
            }
            EXPECT_EQ(r, kResultOk);
            EXPECT_EQ(sim.rc, 0) << sim.message;
            const auto arrived = Slurp(got);
            const BlockPlan plan = PlanBlocks(size);
            ASSERT_EQ(arrived.size(), c.mode == 2 ? size : plan.full * 1024 + plan.small * 128);
            EXPECT_TRUE(std::equal(data.begin(), data.end(), arrived.begin()));
            if (c.mode == 1 && c.pcSends) {
                EXPECT_TRUE(std::all_of(arrived.begin() + static_cast<long>(size), arrived.end(),
                                        [](uint8_t b) { return b == 0; }));
            }
            if (c.fault) continue;
            if (c.mode == 2 && c.pcSends) {
                // Whole blocks counted, then (0, 0) when the thread ends.
                std::vector<Message> progress;
                for (uint64_t k = 1, sent = 0; k <= plan.Total(); ++k)
                    progress.push_back({kMsgSendProgress, sent += plan.SizeOf(k), size});
                progress.push_back({kMsgSendProgress, 0, 0});
                EXPECT_EQ(l.owner.Of(kMsgSendProgress), progress);
                EXPECT_EQ(l.owner.Of(kMsgWaitNotice).size(), 1u);
            } else if (c.mode == 2) {
                EXPECT_EQ(l.link.ReceivedName(), "f.bin");
                EXPECT_EQ(l.owner.Of(kMsgNameReceived).size(), 1u);
                EXPECT_EQ(l.owner.Of(kMsgReceiveFinished).back().wparam, 0u);
            } else if (!c.pcSends) {  // the total from offset 12 of block 1
                EXPECT_EQ(l.owner.Of(kMsgReceiveProgress).at(0).lparam, size - 128);
            }
        }
    }
}

// The idle listener passes bytes on, and takes an empty queue for no
// hang-up. It says once that the line went away, and ends; the port then
// closes, and opens again only when a device is there.
TEST(LinkLineFaults, IdleListenerPassesDataOnAndReportsAHangUp) {
    Pty pty;
    LinkOn l(pty.path);
    ASSERT_TRUE(l.started);
    ASSERT_EQ(::write(pty.master, "hello", 5), 5);
    for (int i = 0; i < 3000 && l.owner.IdleBytes().size() < 5; ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(l.owner.IdleBytes(), "hello");
    std::this_thread::sleep_for(50ms);  // the monitor has read the queue empty since
    EXPECT_FALSE(l.link.Port().HungUp());
    pty.HangUp();
    ASSERT_TRUE(l.owner.WaitFor(kMsgLineHungUp, 1, 5s));
    EXPECT_TRUE(l.link.Port().HungUp());
    EXPECT_TRUE(l.link.Stop());
    EXPECT_FALSE(l.link.Start());
    Pty back;
    AssignPortDevice(7, back.path);
    EXPECT_TRUE(l.link.Start());
    EXPECT_EQ(l.owner.Of(kMsgLineHungUp).size(), 1u);
}

// One transfer at a time; stopped early, it reports a cancel and the monitor
// runs again; a mode-1 receive keeps the file it was to replace. With queued
// delivery only the stopping call delivers, and must not deadlock.
TEST(LinkThreads, StopReportsCancelAndRestartsMonitor) {
    TempDir dir;
    const auto keep = RandomBytes(100, 77);
    Spit(dir / "keep.bin", keep);
    Spit(dir / "flash.bin", FlashImage(336000, 6));
    struct Case {
        int mode;
        bool send;
        Delivery delivery;
    };
    for (auto [mode, send, delivery] :
         {Case{1, false, Delivery::kDirect}, Case{2, false, Delivery::kDirect},
          Case{2, false, Delivery::kQueued}, Case{2, true, Delivery::kDirect}}) {
        SCOPED_TRACE(mode * 100 + send * 10 + (delivery == Delivery::kQueued));
        Pty pty;
        LinkOn l(pty.path, delivery);
        std::optional<SimThread> sim;
        if (mode == 1) sim.emplace(pty, Sending(1, dir / "flash.bin"));
        ASSERT_TRUE(send ? l.link.StartSend(dir / "flash.bin", mode)
                         : l.link.StartReceive(dir / (mode == 1 ? "keep.bin" : "r.bin"), mode));
        EXPECT_FALSE(l.link.MonitorRunning());
        EXPECT_FALSE(l.link.StartSend(dir / "flash.bin", 2));
        EXPECT_FALSE(l.link.StartReceive(dir / "other.bin", 2));
        ASSERT_TRUE(mode == 2 || l.owner.WaitFor(kMsgReceiveProgress, 3));  // blocks arrive
        if (mode == 2) std::this_thread::sleep_for(200ms);                  // in the handshake
        send ? l.link.StopSend() : l.link.StopReceive();
        EXPECT_TRUE(l.link.MonitorRunning());
        EXPECT_EQ(l.owner.Of(kMsgResult).size(), 1u);
        EXPECT_EQ(l.owner.Result(), kResultCancelled);
        EXPECT_EQ(l.owner.Of(kMsgReceiveFinished).size(), mode == 2 && !send ? 1u : 0u);
        for (const Message& m : l.owner.Of(kMsgReceiveFinished))
            EXPECT_EQ(m.wparam, kResultCancelled);
        EXPECT_FALSE(l.link.StartSend(dir / "missing.bin", 2));
        EXPECT_FALSE(l.link.StartSend(dir / "flash.bin", 3));
        EXPECT_TRUE(l.link.Stop());
        EXPECT_TRUE(l.link.Stop());  // on a closed link: nothing
        EXPECT_FALSE(l.link.Port().IsOpen());
    }
    EXPECT_EQ(Slurp(dir / "keep.bin"), keep);
    EXPECT_EQ(NamesIn(dir), (std::vector<std::string>{"flash.bin", "keep.bin", "r.bin"}));
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
        bool started = false;
        for (auto end = std::chrono::steady_clock::now() + 60s;
             !started && std::chrono::steady_clock::now() < end;)
            started = l.link.StartReceive(dir / "r.bin", 1);
        ASSERT_TRUE(started);
        EXPECT_STREQ(ResultText(l.owner.Result(), false), "SetTop Power Off and On");
        EXPECT_FALSE(l.link.MonitorRunning());
        l.link.StopReceive();
        EXPECT_TRUE(l.link.MonitorRunning());
    }
    EXPECT_EQ(l.owner.Of(kMsgResult).size(), 10u);
}

}  // namespace
