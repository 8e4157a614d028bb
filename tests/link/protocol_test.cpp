// Check values, block plan, block 0, received names, and the framings fed
// from byte buffers.
#include <gtest/gtest.h>

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
    auto data = linktest::RandomBytes(1024, 4);
    EXPECT_EQ(Crc16(data.data(), data.size()), Crc16Bitwise(data.data(), data.size()));
    const uint8_t sum[] = {0xFF, 0x02, 0x10};
    EXPECT_EQ(Checksum8(sum, 3), 0x11);
}

TEST(BlockPlanTest, FullBlocksThenSmallOnes) {
    using Plan = std::tuple<uint64_t, uint64_t, uint64_t>;  // size, full, small
    for (auto [size, full, small] : {Plan{0, 0, 0}, Plan{1000, 0, 8}, Plan{1024, 1, 0},
                                     Plan{1025, 1, 1}, Plan{336000, 328, 1}})
        EXPECT_EQ(std::pair(PlanBlocks(size).full, PlanBlocks(size).small), std::pair(full, small))
            << size;
}

TEST(BatchHeaderTest, BuildAndParseKeepTheirBounds) {
    auto parse = [](const std::string& s) {
        return ParseBatchHeader(reinterpret_cast<const uint8_t*>(s.data()), s.size());
    };
    // A long name is cut so that name and size still fit one block.
    for (const auto& [path, name] : std::initializer_list<std::pair<std::string, std::string>>{
             {"/home/u/db/chan.ZCS", "chan.ZCS"},
             {"C:\\dir\\" + std::string(300, 'n'), std::string(116, 'n')}}) {
        const std::string h = BuildBatchHeader(path, 4000000000u);
        ASSERT_EQ(h.size(), 128u);
        const BatchHeader p = parse(h);
        EXPECT_EQ(std::tie(p.name, p.size_valid, p.size), std::make_tuple(name, true, 4000000000u));
    }

    std::string raw(1024, 'x');
    raw[400] = 0;
    raw[401] = '1';
    BatchHeader p = parse(raw);
    EXPECT_EQ(p.name.size(), kMaxReceivedName);
    EXPECT_FALSE(p.size_valid) << "digits followed by x";
    EXPECT_LE(p.size_text.size(), kMaxSizeText);

    // The size ends at a space or NUL: no sign, no leading space, 32 bits.
    for (const auto& [text, size] : std::initializer_list<std::pair<std::string, long>>{
             {"1000 14570000 100644 0 1 1000", 1000}, {"", -1}, {"4294967296", -1}}) {
        std::string block = "a.bin" + std::string(1, '\0') + text;
        block.resize(128, '\0');
        p = parse(block);
        EXPECT_EQ(p.size_valid ? long{p.size} : -1, size) << text;
    }
}

TEST(ReceivedNames, StayPlainNamesInTheFolder) {
    for (const auto& [sent, kept] : std::initializer_list<std::pair<std::string, std::string>>{
             {"chan.ZCS", "chan.ZCS"},
             {"../../etc/passwd", ".._.._etc_passwd"},
             {"..\\x", ".._x"},
             {"..", "__"},
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

// Block 0 of a batch: the name, a NUL and the size text.
Bytes Block0(const std::string& nameAndSize) {
    Bytes b(nameAndSize.begin(), nameAndSize.end());
    b.resize(128, 0);
    return ScriptedFrame(kSoh, 0, b);
}

// One transfer against a script of the peer's bytes.
struct Scripted {
    const char* what;
    int mode;
    bool receive;
    Bytes script;
    uint16_t result;
    Bytes data = {};        // what a receiver writes, or the file a sender sends
    std::string name = "";  // the name a batch receiver was given
    uint8_t counted = 0;    // a byte of ours counted, when count >= 0
    long count = -1;
};

uint16_t Play(const Scripted& s, ScriptedIo& io, MemorySink& sink) {
    MemorySource file(s.data);
    if (s.receive) return s.mode == 1 ? ReceiveMode1(io, sink) : ReceiveMode2(io, sink);
    return s.mode == 1 ? SendMode1(io, file) : SendMode2(io, file, "/x/y.ZCS");
}

std::vector<Scripted> Transfers() {
    const Bytes b1 = linktest::Announcing(Bytes(1024, 0x11), 1024), b2(128, 0x22);
    const Bytes small = linktest::Announcing(Bytes(128, 0x33), 0), d1(128, 1), d2(128, 2);
    const Bytes b1frame = ScriptedFrame(kStx, 1, b1);
    Bytes damaged = ScriptedFrame(kSoh, 1, small);
    damaged[10] ^= 1;
    Bytes endless{kCrcRequest, kAck, kCrcRequest};
    endless.insert(endless.end(), 200, kNak);
    const Bytes file(200, 0x55);
    // Two EOTs, then block 0 asked for at once (rb) or after ACK, or NAK, ACK and the request.
    const Bytes rb{kCrcRequest, kAck, kCrcRequest, kAck, kAck, kAck, kCrcRequest, kAck};
    const Bytes classic{kCrcRequest, kAck, kCrcRequest, kAck, kAck, kNak, kAck, kCrcRequest, kAck};
    return {
        {"a repeated block is acknowledged, not written twice", 1, true,
         Cat({b1frame, b1frame, ScriptedFrame(kSoh, 2, b2), {kEot}}), kResultOk, Cat({b1, b2}), "",
         kAck, 4},
        {"a file short at EOT", 1, true,
         Cat({ScriptedFrame(kSoh, 1, linktest::Announcing(Bytes(128, 0), 4096)), {kEot}}),
         kResultFailed},
        {"a sender that cancels after a block", 1, true, Cat({b1frame, {kCan}}), kResultFailed},
        {"a block cut short", 1, true, Bytes(b1frame.begin(), b1frame.begin() + 600),
         kResultFailed},
        {"a damaged first block is taken when repeated", 1, true,
         Cat({damaged, ScriptedFrame(kSoh, 1, small), {kEot}}), kResultOk, small},
        {"a size that is no number", 2, true, Block0(std::string("a.bin\00012z4", 10)),
         kResultFailed},
        // Noise and a block with the wrong number before block 0 are refused.
        {"cut to size, the name cleaned", 2, true,
         Cat({{'x', kSoh, 1, 0xFE},
              Block0(std::string("../evil\000130", 11)),
              ScriptedFrame(kSoh, 1, d1),
              ScriptedFrame(kSoh, 1, d1),
              ScriptedFrame(kSoh, 2, d2),
              {kEot, kEot},
              Block0("")}),
         kResultOk, Cat({d1, {2, 2}}), ".._evil"},
        {"CRC blocks", 1, false, {kCrcRequest, kAck, kAck}, kResultOk, Cat({b1, b2})},
        {"an empty file", 1, false, {kCrcRequest}, kResultOk},
        {"checksum blocks, asked for by a NAK", 1, false, {kNak, kAck, kAck}, kResultOk, file},
        {"the first block refused", 1, false, {kCrcRequest, kCan}, kResultFirstBlockRefused, file},
        {"the first EOT taken, as rb does", 2, false, rb, kResultOk, file, "", kEot, 2},
        {"the written end: NAK, then ACK and the request", 2, false, classic, kResultOk, file, "",
         kEot, 2},
        {"an end of batch never acknowledged", 2, false, endless, kResultFailed},
        {"a silent receiver", 1, false, {}, kResultNoHandshake, file},
        {"a silent batch receiver", 2, false, {}, kResultNoHandshake, file},
        {"the batch's first block refused",
         2,
         false,
         {kCrcRequest, kAck, kCrcRequest},
         kResultFirstBlockRefused,
         file},
    };
}

TEST(ScriptedTransfers, FollowWhatThePeerMeant) {
    for (const Scripted& c : Transfers()) {
        SCOPED_TRACE(c.what);
        ScriptedIo io(c.script.data(), c.script.size());
        MemorySink sink;
        EXPECT_EQ(Play(c, io, sink), c.result);
        if (c.receive && c.result == kResultOk) {
            EXPECT_EQ(sink.data, c.data);
        } else if (c.receive && c.mode == 2) {
            EXPECT_EQ(io.output.back(), kCan);  // a batch receiver tells the sender to stop
        }
        EXPECT_EQ(io.name, c.name);
        if (c.count >= 0) {
            EXPECT_EQ(std::count(io.output.begin(), io.output.end(), c.counted), c.count);
        }
        if (!c.script.empty() && c.script[0] == kNak) {  // one check byte after each 128-byte block
            ASSERT_EQ(io.output.size(), 2u * (3 + 128 + 1));
            EXPECT_EQ(io.output[131], Checksum8(io.output.data() + 3, 128));
        }
    }
}

// Each successful script is run again with every write in turn failing: the
// transfer must end with a failure code.
TEST(ScriptedTransfers, EveryFailedWriteEndsTheTransferFailed) {
    for (const Scripted& c : Transfers()) {
        if (c.result != kResultOk) continue;
        SCOPED_TRACE(c.what);
        ScriptedIo clean(c.script.data(), c.script.size());
        MemorySink sink;
        ASSERT_EQ(Play(c, clean, sink), kResultOk);
        // The closing ACK of a batch comes after the file is whole.
        const size_t writes = clean.writes - (c.receive && c.mode == 2 ? 1 : 0);
        for (size_t failing = 0; failing < writes; ++failing) {
            SCOPED_TRACE(failing);
            ScriptedIo io(c.script.data(), c.script.size());
            io.failing_write = failing;
            const uint16_t r = Play(c, io, sink);
            if (c.receive) {
                EXPECT_EQ(r, kResultFailed);
            } else {
                EXPECT_TRUE(r == kResultFailed || r == kResultFirstBlockRefused ||
                            r == kResultNoHandshake)
                    << std::hex << r;
            }
        }
    }
}

TEST(ScriptedMode1, PackedImageEndsAtEotOnceItsBlockIsWhole) {
    linktest::TempDir dir;
    const Bytes image = linktest::PackedDemoImage(dir / "packed.bin");
    ASSERT_GT(image.size(), 4096u);
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

}  // namespace
