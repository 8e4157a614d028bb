// Check values, block plan, block 0, received names, and the framings fed
// from byte buffers.
#include <gtest/gtest.h>

#include <random>

#include "link/scripted_io.h"
#include "link_test_util.h"

namespace {

using namespace brondavel::link;
using Bytes = std::vector<uint8_t>;

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(CheckValues, CrcAndChecksum) {
    const uint8_t text[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(Crc16(text, 9), 0x31C3);
    Bytes zeros(1024, 0);
    EXPECT_EQ(Crc16(zeros.data(), zeros.size()), 0);
    auto data = linktest::RandomBytes(1024, 4);
    EXPECT_EQ(Crc16(data.data(), data.size()), Crc16Bitwise(data.data(), data.size()));
    const uint8_t sum[] = {0xFF, 0x02, 0x10};
    EXPECT_EQ(Checksum8(sum, 3), 0x11);
}

TEST(BlockPlanTest, FullBlocksThenSmallOnes) {
    auto plan = [](uint64_t s) {
        BlockPlan p = PlanBlocks(s);
        return std::make_pair(p.full, p.small);
    };
    EXPECT_EQ(plan(0), std::make_pair(uint64_t{0}, uint64_t{0}));
    EXPECT_EQ(plan(1000), std::make_pair(uint64_t{0}, uint64_t{8}));
    EXPECT_EQ(plan(1024), std::make_pair(uint64_t{1}, uint64_t{0}));
    EXPECT_EQ(plan(1025), std::make_pair(uint64_t{1}, uint64_t{1}));
    EXPECT_EQ(plan(336000), std::make_pair(uint64_t{328}, uint64_t{1}));
    EXPECT_EQ(PlanBlocks(1025).SizeOf(2), 128u);
}

TEST(BatchHeaderTest, BuildAndParseKeepTheirBounds) {
    std::string h = BuildBatchHeader("/home/u/db/chan.ZCS", 336000);
    ASSERT_EQ(h.size(), 128u);
    BatchHeader p = ParseBatchHeader(reinterpret_cast<const uint8_t*>(h.data()), h.size());
    EXPECT_EQ(p.name, "chan.ZCS");
    EXPECT_TRUE(p.size_valid);
    EXPECT_EQ(p.size, 336000u);

    // A long name is cut so that name and size still fit one block.
    std::string lng = BuildBatchHeader("C:\\dir\\" + std::string(300, 'n'), 4000000000u);
    ASSERT_EQ(lng.size(), 128u);
    p = ParseBatchHeader(reinterpret_cast<const uint8_t*>(lng.data()), lng.size());
    EXPECT_LE(p.name.size(), kMaxSentName);
    EXPECT_EQ(p.size, 4000000000u);

    Bytes raw(1024, 'x');
    raw[400] = 0;
    raw[401] = '1';
    p = ParseBatchHeader(raw.data(), raw.size());
    EXPECT_EQ(p.name.size(), kMaxReceivedName);
    EXPECT_FALSE(p.size_valid) << "digits followed by x";
    EXPECT_LE(p.size_text.size(), kMaxSizeText);

    const char sb[] =
        "a.bin\0"
        "1000 14570000 100644 0 1 1000";
    p = ParseBatchHeader(reinterpret_cast<const uint8_t*>(sb), sizeof sb);
    EXPECT_TRUE(p.size_valid);
    EXPECT_EQ(p.size, 1000u);
    for (const char* bad : {"a\0\0", "a\0-5\0", "a\0 12\0",
                            "a\0"
                            "99999999999\0"}) {
        p = ParseBatchHeader(reinterpret_cast<const uint8_t*>(bad), 14);
        EXPECT_FALSE(p.size_valid);
    }
}

TEST(ReceivedNames, StayPlainNamesInTheFolder) {
    for (const auto& [sent, kept] : std::initializer_list<std::pair<std::string, std::string>>{
             {"chan.ZCS", "chan.ZCS"},
             {"../../etc/passwd", ".._.._etc_passwd"},
             {"..\\x", ".._x"},
             {"..", "__"},
             {".", "_"},
             {"", "unnamed"},
             {std::string("a\nb\x7f", 4), "a_b_"}})
        EXPECT_EQ(SafeFileName(sent), kept);
    EXPECT_LE(SafeFileName(std::string(259, 'q')).size(), 240u);

    linktest::TempDir dir;
    EXPECT_EQ(FreeTargetName(dir.path.string(), "a.bin"), "a.bin");
    linktest::Spit(dir / "a.bin", {});
    linktest::Spit(dir / "a(1).bin", {});
    EXPECT_EQ(FreeTargetName(dir.path.string(), "a.bin"), "a(2).bin");
    linktest::Spit(dir / "noext", {});
    EXPECT_EQ(FreeTargetName(dir.path.string(), "noext"), "noext(1)");
    linktest::Spit(dir / "x.tar.gz", {});
    EXPECT_EQ(FreeTargetName(dir.path.string(), "x.tar.gz"), "x.tar(1).gz");
    linktest::Spit(dir / "f.z", {});
    for (int n = 1; n <= 999; ++n) linktest::Spit(dir / ("f(" + std::to_string(n) + ").z"), {});
    EXPECT_EQ(FreeTargetName(dir.path.string(), "f.z"), "") << "never an empty rename target";
}

// A first block whose header states the payload length at offset 12, as a
// flash image's does.
Bytes Announcing(size_t blockSize, uint32_t payload, uint8_t fill) {
    Bytes b(blockSize, fill);
    for (int i = 0; i < 4; ++i) b[12 + i] = static_cast<uint8_t>(payload >> (8 * i));
    return b;
}

// Block 0 of a batch: the name, a NUL and the size text.
Bytes Block0(const std::string& nameAndSize) {
    Bytes b(nameAndSize.begin(), nameAndSize.end());
    b.resize(128, 0);
    return ScriptedFrame(kSoh, 0, b);
}

TEST(ScriptedReceivers, TakeWhatTheSenderMeant) {
    const Bytes b1 = Announcing(1024, 1024, 0x11), b2(128, 0x22), small = Announcing(128, 0, 0x33);
    Bytes damaged = ScriptedFrame(kSoh, 1, small);
    damaged[10] ^= 1;
    const Bytes d1(128, 1), d2(128, 2);
    struct Case {
        const char* what;
        int mode;
        Bytes script;
        uint16_t result;
        Bytes data;
        std::string name;
        long acks;  // -1: not counted
    };
    const Case cases[] = {
        {"a repeated block is acknowledged, not written twice", 1,
         Cat({ScriptedFrame(kStx, 1, b1),
              ScriptedFrame(kStx, 1, b1),
              ScriptedFrame(kSoh, 2, b2),
              {kEot}}),
         kResultOk, Cat({b1, b2}), "", 4},
        {"a file short at EOT", 1, Cat({ScriptedFrame(kSoh, 1, Announcing(128, 4096, 0)), {kEot}}),
         kResultFailed, Bytes(), "", -1},
        {"a damaged first block is taken when repeated", 1,
         Cat({damaged, ScriptedFrame(kSoh, 1, small), {kEot}}), kResultOk, small, "", -1},
        {"a size that is no number", 2, Block0(std::string("a.bin\00012z4", 10)), kResultFailed,
         Bytes(), "", -1},
        {"cut to size, the name cleaned", 2,
         Cat({Block0(std::string("../evil\000130", 11)),
              ScriptedFrame(kSoh, 1, d1),
              ScriptedFrame(kSoh, 1, d1),
              ScriptedFrame(kSoh, 2, d2),
              {kEot, kEot},
              Block0("")}),
         kResultOk, Cat({d1, {2, 2}}), ".._evil", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedIo io(c.script.data(), c.script.size());
        MemorySink sink;
        EXPECT_EQ(c.mode == 1 ? ReceiveMode1(io, sink) : ReceiveMode2(io, sink), c.result);
        if (c.result == kResultOk) {
            EXPECT_EQ(sink.data, c.data);
            EXPECT_TRUE(sink.closed || c.mode == 2);
        } else if (c.mode == 2) {
            EXPECT_EQ(io.output.back(), kCan);  // a batch receiver tells the sender to stop
        }
        EXPECT_EQ(io.name, c.name);
        if (c.acks >= 0) {
            EXPECT_EQ(std::count(io.output.begin(), io.output.end(), kAck), c.acks);
        }
    }
}

TEST(ScriptedMode1, SenderTakesChecksumModeFromNak) {
    Bytes file(200, 0x44);
    Bytes script{kNak, kAck, kAck};
    ScriptedIo io(script.data(), script.size());
    MemorySource src(file);
    EXPECT_EQ(SendMode1(io, src), kResultOk);
    ASSERT_EQ(io.output.size(), 2u * (3 + 128 + 1));
    EXPECT_EQ(io.output[0], kSoh);
    EXPECT_EQ(io.output[131], Checksum8(io.output.data() + 3, 128));
    Bytes cancel{kCrcRequest, kCan};
    ScriptedIo io2(cancel.data(), cancel.size());
    MemorySource src2(file);
    EXPECT_EQ(SendMode1(io2, src2), kResultFirstBlockRefused);
}

TEST(ScriptedMode2, SenderEndsTheBatchWithAReceiverThatAcksTheFirstEot) {
    // rb: ACK after the first EOT, then at once the request for block 0.
    Bytes script{kCrcRequest, kAck, kCrcRequest, kAck, kAck, kCrcRequest, kAck};
    ScriptedIo io(script.data(), script.size());
    MemorySource src(Bytes(100, 0x55));
    EXPECT_EQ(SendMode2(io, src, "/x/y.ZCS"), kResultOk);
    // The written exchange: NAK, then ACK and the request.
    Bytes classic{kCrcRequest, kAck, kCrcRequest, kAck, kNak, kAck, kCrcRequest, kAck};
    ScriptedIo io2(classic.data(), classic.size());
    MemorySource src2(Bytes(100, 0x55));
    EXPECT_EQ(SendMode2(io2, src2, "y.ZCS"), kResultOk);
    EXPECT_EQ(std::count(io2.output.begin(), io2.output.end(), kEot), 2);
}

TEST(ScriptedMode2, EndOfBatchIsBounded) {
    Bytes script{kCrcRequest, kAck, kCrcRequest};
    script.insert(script.end(), 200, kNak);
    ScriptedIo io(script.data(), script.size());
    MemorySource src(Bytes{});
    EXPECT_EQ(SendMode2(io, src, "e.ZCS"), kResultFailed);
}

TEST(ScriptedMode1, PackedImageEndsAtEotOnceItsBlockIsWhole) {
    linktest::TempDir dir;
    const Bytes image = linktest::PackedDemoImage(dir / "packed.bin");
    ASSERT_GT(image.size(), 4096u);
    ASSERT_LT(image.size(), 20000u);
    MemorySink sink;
    auto receive = [&sink](const Bytes& file) {
        const Bytes script = Cat({ScriptedBlocks(file), {kEot}});
        ScriptedIo io(script.data(), script.size());
        sink = MemorySink();
        return ReceiveMode1(io, sink);
    };
    EXPECT_EQ(receive(image), kResultOk);
    ASSERT_GE(sink.data.size(), image.size());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), sink.data.begin()));
    EXPECT_TRUE(sink.closed);
    // Cut anywhere before the block's end, the image is still incomplete.
    for (size_t cut = 0; cut + 128 < image.size(); cut += 128)
        EXPECT_EQ(receive(Bytes(image.begin(), image.begin() + static_cast<long>(cut))),
                  kResultFailed)
            << cut;
    // An unpacked image still needs the whole stated length.
    Bytes plain = image;
    plain[130] = 'x';  // no method string where a block would have it
    EXPECT_EQ(receive(plain), kResultFailed);
}

// Each run first succeeds with a line that takes everything; then every write
// in turn is made to fail, and the transfer must end with a failure code.
TEST(ScriptedTransfers, EveryFailedWriteEndsTheTransferFailed) {
    const Bytes d1 = Announcing(1024, 0x480, 1), d2(128, 2);
    const Bytes receive1 = Cat({ScriptedFrame(kStx, 1, d1), ScriptedFrame(kSoh, 2, d2), {kEot}});
    const Bytes receive2 = Cat({Block0(std::string("f.bin\0001152", 10)),
                                ScriptedFrame(kStx, 1, d1),
                                ScriptedFrame(kSoh, 2, d2),
                                {kEot, kEot},
                                Block0("")});
    const Bytes send1{kCrcRequest, kAck, kAck};
    const Bytes send2{kCrcRequest, kAck, kCrcRequest, kAck, kAck, kNak, kAck, kCrcRequest, kAck};
    const Bytes file = Cat({d1, d2});
    auto transfer = [&](const std::string& which, ScriptedIo& io) -> uint16_t {
        MemorySink sink;
        MemorySource src(file);
        if (which == "receive 1") return ReceiveMode1(io, sink);
        if (which == "receive 2") return ReceiveMode2(io, sink);
        if (which == "send 1") return SendMode1(io, src);
        return SendMode2(io, src, "f.bin");
    };
    struct Run {
        std::string name;
        const Bytes& script;
        size_t writes_that_matter;  // the closing ACK of a batch comes after the file is whole
    };
    for (const Run& run : {Run{"receive 1", receive1, 0}, Run{"receive 2", receive2, 1},
                           Run{"send 1", send1, 0}, Run{"send 2", send2, 0}}) {
        SCOPED_TRACE(run.name);
        ScriptedIo clean(run.script.data(), run.script.size());
        ASSERT_EQ(transfer(run.name, clean), kResultOk);
        const size_t writes = clean.writes - run.writes_that_matter;
        ASSERT_GT(writes, 1u);
        for (size_t failing = 0; failing < writes; ++failing) {
            SCOPED_TRACE(failing);
            ScriptedIo io(run.script.data(), run.script.size());
            io.failing_write = failing;
            const uint16_t r = transfer(run.name, io);
            if (run.name[0] == 'r') {
                EXPECT_EQ(r, kResultFailed);
            } else {
                EXPECT_TRUE(r == kResultFailed || r == kResultFirstBlockRefused ||
                            r == kResultNoHandshake)
                    << std::hex << r;
            }
        }
    }
}

TEST(ScriptedReceivers, RandomBytesEndInAFailureCode) {
    std::mt19937 rng(1234);
    for (int i = 0; i < 300; ++i) {
        Bytes noise(rng() % 3000);
        for (auto& b : noise) b = static_cast<uint8_t>(rng());
        if (i % 3 == 0 && noise.size() > 3) noise[0] = (i % 2) ? kSoh : kStx;
        ScriptedIo io(noise.data(), noise.size());
        MemorySink sink;
        uint16_t r = (i % 2) ? ReceiveMode1(io, sink) : ReceiveMode2(io, sink);
        EXPECT_TRUE(r == kResultFailed || r == kResultOk) << r;
    }
}

}  // namespace
