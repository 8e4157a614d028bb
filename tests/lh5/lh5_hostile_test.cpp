// Crafted members that have broken LHA decoders: each must be refused without reading
// past the input or writing past the output (the sanitizer build checks the latter).
#include <gtest/gtest.h>

#include "files/lh5/lh5_codec.h"
#include "tests/lh5/lh5_test_util.h"

namespace {

using namespace brondavel::lh5;
using namespace lh5test;

// Decodes exactly the given bytes (copied, so any overread hits the heap boundary) into
// an output of exactly the capacity.
DecodeResult DecodeExact(const Bytes& member, std::size_t capacity) {
    std::vector<std::uint8_t> in(member);
    std::vector<std::uint8_t> out(capacity);
    return Decode(in.data(), in.size(), out.data(), out.size());
}

DecodeResult DecodeStream(const BitSink& s, std::uint32_t size) {
    Bytes member = Member(s.Finish(), size, 0);
    return DecodeExact(member, size);
}

// Block start: code count and the standard tables.
BitSink Block(unsigned codes, const Tables& t) {
    BitSink s;
    s.Put(16, codes);
    t.Put(s);
    return s;
}

TEST(Lh5Hostile, CraftedValidBlockDecodes) {
    // Sanity check of the crafting helpers: "ab" then a 6-byte overlapping copy.
    Tables t;
    BitSink s = Block(3, t);
    t.Literal(s, 'a');
    t.Literal(s, 'b');
    t.Match(s, 6, 2);
    Bytes want = {'a', 'b', 'a', 'b', 'a', 'b', 'a', 'b'};
    Bytes member = Member(s.Finish(), 8, Crc16(want.data(), want.size()));
    Bytes out(8);
    DecodeResult r = Decode(member.data(), member.size(), out.data(), out.size());
    EXPECT_EQ(r.status, DecodeStatus::kOk);
    EXPECT_TRUE(out == want);
}

TEST(Lh5Hostile, TableCountsBeyondTheirAlphabets) {
    Tables t;
    {  // pre-tree count 20
        BitSink s;
        s.Put(16, 1);
        s.Put(5, 20);
        for (int i = 0; i < 20; ++i) s.Put(3, 0);
        EXPECT_EQ(DecodeStream(s, 10).status, DecodeStatus::kCorruptData);
    }
    {  // position count 15
        BitSink s;
        s.Put(16, 1);
        PutPtLengths(s, t.pt, 5, 3);
        PutCLengths(s, t.c, t.pt);
        s.Put(4, 15);
        for (int i = 0; i < 15; ++i) s.Put(3, 4);
        EXPECT_EQ(DecodeStream(s, 10).status, DecodeStatus::kCorruptData);
    }
    {  // literal count 511
        BitSink s;
        s.Put(16, 1);
        PutPtLengths(s, t.pt, 5, 3);
        s.Put(9, 511);
        EXPECT_EQ(DecodeStream(s, 10).status, DecodeStatus::kCorruptData);
    }
}

TEST(Lh5Hostile, ZeroRunsPastTheirTable) {
    {  // a 9-bit zero run of 531 in a 510-entry literal table
        std::vector<int> pt(12, 0);
        pt[2] = 1;
        pt[11] = 1;
        auto code = CanonicalCodes(pt);
        BitSink s;
        s.Put(16, 1);
        PutPtLengths(s, pt, 5, 3);
        s.Put(9, 510);
        s.Put(pt[2], code[2]);
        s.Put(9, 511);
        EXPECT_EQ(DecodeStream(s, 10).status, DecodeStatus::kCorruptData);
    }
    {  // a 4-bit run that overshoots a short table
        std::vector<int> pt(12, 0);
        pt[1] = 1;
        pt[11] = 1;
        auto code = CanonicalCodes(pt);
        BitSink s;
        s.Put(16, 1);
        PutPtLengths(s, pt, 5, 3);
        s.Put(9, 10);
        s.Put(pt[1], code[1]);
        s.Put(4, 15);  // 18 zeros
        EXPECT_EQ(DecodeStream(s, 10).status, DecodeStatus::kCorruptData);
    }
    {  // the 2-bit zero count after the third pre-tree length: 3 zeros with 1 entry left
        BitSink s;
        s.Put(16, 1);
        PutPtLengths(s, {1, 1, 0, 0}, 5, 3, 3);
        EXPECT_EQ(DecodeStream(s, 10).status, DecodeStatus::kCorruptData);
    }
}

TEST(Lh5Hostile, CodeLengthsAbove16) {
    {
        std::vector<int> pt(19, 0);
        pt[0] = 17;
        BitSink s;
        s.Put(16, 1);
        PutPtLengths(s, pt, 5, 3);
        EXPECT_EQ(DecodeStream(s, 10).status, DecodeStatus::kCorruptData);
    }
    {  // 7 followed by nothing but 1 bits to the end of the input
        BitSink s;
        s.Put(16, 1);
        s.Put(5, 19);
        s.Put(3, 7);
        for (int i = 0; i < 200; ++i) s.Put(8, 0xFF);
        DecodeResult r = DecodeStream(s, 10);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.size, 0u);
    }
}

TEST(Lh5Hostile, IncompleteOrOverfullCodes) {
    Tables t;
    auto withPt = [](const std::vector<int>& pt) {
        BitSink s;
        s.Put(16, 1);
        PutPtLengths(s, pt, 5, 3);
        return s;
    };
    EXPECT_EQ(DecodeStream(withPt({1, 1, 1}), 10).status, DecodeStatus::kCorruptData);     // over
    EXPECT_EQ(DecodeStream(withPt({1, 0, 0, 0}), 10).status, DecodeStatus::kCorruptData);  // under
    EXPECT_EQ(DecodeStream(withPt({0, 0, 0, 0}), 10).status, DecodeStatus::kCorruptData);  // empty
    {  // literal lengths that overfill the code space
        std::vector<int> c = t.c;
        c[300] = 8;
        BitSink s;
        s.Put(16, 1);
        PutPtLengths(s, t.pt, 5, 3);
        PutCLengths(s, c, t.pt);
        EXPECT_EQ(DecodeStream(s, 10).status, DecodeStatus::kCorruptData);
    }
    {  // literal lengths that leave codes unassigned
        std::vector<int> c = t.c;
        c[300] = 0;
        std::vector<int> pt = t.pt;
        pt[0] = 2;
        pt[10] = 2;
        pt[11] = 1;
        BitSink s;
        s.Put(16, 1);
        PutPtLengths(s, pt, 5, 3);
        PutCLengths(s, c, pt);
        EXPECT_EQ(DecodeStream(s, 10).status, DecodeStatus::kCorruptData);
    }
    {  // position lengths overfull
        BitSink s;
        s.Put(16, 1);
        PutPtLengths(s, t.pt, 5, 3);
        PutCLengths(s, t.c, t.pt);
        PutPtLengths(s, std::vector<int>(14, 3), 4, -1);
        EXPECT_EQ(DecodeStream(s, 10).status, DecodeStatus::kCorruptData);
    }
}

TEST(Lh5Hostile, SingleSymbolTablesOutsideTheirAlphabet) {
    auto single = [](int ptSym, int cSym, int pSym) {
        BitSink s;
        s.Put(16, 1);
        s.Put(5, 0);
        s.Put(5, static_cast<unsigned>(ptSym));
        s.Put(9, 0);
        s.Put(9, static_cast<unsigned>(cSym));
        s.Put(4, 0);
        s.Put(4, static_cast<unsigned>(pSym));
        return s;
    };
    EXPECT_EQ(DecodeStream(single(19, 'a', 0), 1).status, DecodeStatus::kCorruptData);
    EXPECT_EQ(DecodeStream(single(31, 'a', 0), 1).status, DecodeStatus::kCorruptData);
    EXPECT_EQ(DecodeStream(single(0, 510, 0), 1).status, DecodeStatus::kCorruptData);
    EXPECT_EQ(DecodeStream(single(0, 511, 0), 1).status, DecodeStatus::kCorruptData);
    EXPECT_EQ(DecodeStream(single(0, 'a', 14), 1).status, DecodeStatus::kCorruptData);
    EXPECT_EQ(DecodeStream(single(0, 'a', 15), 1).status, DecodeStatus::kCorruptData);
    // The same shape inside the alphabets is a valid block: one literal, no bits.
    Bytes want = {'a'};
    BitSink ok = single(0, 'a', 0);
    Bytes member = Member(ok.Finish(), 1, Crc16(want.data(), 1));
    EXPECT_TRUE(DecodeExact(member, 1).ok());
}

TEST(Lh5Hostile, CopiesOutsideTheOutput) {
    Tables t;
    {  // a match before anything was written
        BitSink s = Block(1, t);
        t.Match(s, 3, 1);
        EXPECT_EQ(DecodeStream(s, 3).status, DecodeStatus::kCorruptData);
    }
    {  // a distance reaching one byte before the start
        BitSink s = Block(3, t);
        t.Literal(s, 'x');
        t.Literal(s, 'y');
        t.Match(s, 3, 3);
        EXPECT_EQ(DecodeStream(s, 5).status, DecodeStatus::kCorruptData);
    }
    {  // the last match running past the uncompressed size
        BitSink s = Block(2, t);
        t.Literal(s, 'x');
        t.Match(s, 10, 1);
        EXPECT_EQ(DecodeStream(s, 8).status, DecodeStatus::kCorruptData);
    }
    {  // a match across the 8192-byte window-chunk edge decodes in full
        BitSink s = Block(34, t);
        t.Literal(s, 'q');
        for (int i = 0; i < 33; ++i) t.Match(s, 256, 1);  // 1 + 33*256 = 8449 bytes
        Bytes want(8449, 'q');
        Bytes member = Member(s.Finish(), 8449, Crc16(want.data(), want.size()));
        Bytes out(8449);
        DecodeResult r = Decode(member.data(), member.size(), out.data(), out.size());
        EXPECT_EQ(r.status, DecodeStatus::kOk);
        EXPECT_TRUE(out == want);
        EXPECT_EQ(DecodeExact(member, 8448).status, DecodeStatus::kOutputTooSmall);
    }
}

TEST(Lh5Hostile, BlockCountsAndTruncatedStreams) {
    Tables t;
    {  // a block of 0 codes
        BitSink s;
        s.Put(16, 0);
        t.Put(s);
        EXPECT_EQ(DecodeStream(s, 4).status, DecodeStatus::kCorruptData);
    }
    Bytes in = Text(20000, 41);
    Bytes block = CompressOrDie(in);
    ASSERT_FALSE(block.empty());
    const std::uint32_t packed = block[7] | (block[8] << 8) | (block[9] << 16);
    for (std::size_t keep : {std::size_t{0}, std::size_t{1}, std::size_t{40},
                             std::size_t{packed / 2}, std::size_t{packed - 2}}) {
        SCOPED_TRACE(keep);
        // The stream cut short, with the header telling the truth about it...
        Bytes stream(block.begin() + 27, block.begin() + 27 + static_cast<std::ptrdiff_t>(keep));
        Bytes cut =
            Member(stream, static_cast<std::uint32_t>(in.size()), Crc16(in.data(), in.size()));
        EXPECT_FALSE(DecodeExact(cut, in.size()).ok());
        // ...or claiming more compressed bytes than the input holds.
        Bytes lying(block.begin(), block.begin() + 27 + static_cast<std::ptrdiff_t>(keep));
        EXPECT_EQ(DecodeExact(lying, in.size()).status, DecodeStatus::kTruncated);
    }
    // A stream that ends mid-code while the uncompressed size asks for more.
    Bytes big = block;
    big[11] = 0xFF;
    big[12] = 0xFF;
    big[13] = 0x0F;
    EXPECT_FALSE(DecodeExact(big, 0x0FFFFF + 1).ok());
}

TEST(Lh5Hostile, SizesThatDoNotFit) {
    Bytes in = Text(1000, 43);
    const std::uint16_t crc = Crc16(in.data(), in.size());
    {  // -lh0- stating more bytes than the input has
        Bytes stored = Member(in, 1001, crc, '0');
        EXPECT_EQ(DecodeExact(stored, 1001).status, DecodeStatus::kTruncated);
        stored[7] = 0xEA;  // compressed size 1002: one past the end byte
        stored[8] = 0x03;
        EXPECT_EQ(DecodeExact(stored, 1001).status, DecodeStatus::kTruncated);
    }
    Bytes block = CompressOrDie(in);
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(DecodeExact(block, 999).status, DecodeStatus::kOutputTooSmall);
    EXPECT_EQ(DecodeExact(block, 0).status, DecodeStatus::kOutputTooSmall);
    EXPECT_TRUE(DecodeExact(block, 1000).ok());
}

TEST(Lh5Hostile, ExtendedHeadersThatDoNotFit) {
    Bytes in = Text(1000, 44);
    const std::uint16_t crc = Crc16(in.data(), in.size());
    Bytes block = CompressOrDie(in);
    ASSERT_FALSE(block.empty());
    Bytes stream(block.begin() + 27, block.end() - 1);
    auto decode = [&](const Bytes& ext, std::uint16_t first) {
        return DecodeExact(Member(stream, 1000, crc, '5', "", ext, first), 1000);
    };
    EXPECT_TRUE(decode({0x00, 0x11, 0x22, 0x00, 0x00}, 5).ok());
    EXPECT_FALSE(decode({}, 1).ok());
    EXPECT_FALSE(decode({}, 2).ok());
    EXPECT_FALSE(decode({0x00, 0x11, 0x22, 0x01, 0x00}, 5).ok());  // next of size 1
    // Sizes summing past the data, and a chain never ending in 0.
    EXPECT_FALSE(decode({0x00, 0x11, 0x22, 0x00, 0x00}, 0x7000).ok());
    EXPECT_FALSE(decode({0x00, 0x05, 0x00, 0x05, 0x00}, 5).ok());
    Bytes chain;
    for (int i = 0; i < 50; ++i) chain.insert(chain.end(), {0x00, 0x11, 0x22, 0x05, 0x00});
    EXPECT_FALSE(decode(chain, 5).ok());
    // A compressed size smaller than the extended headers it carries.
    Bytes member = Member(stream, 1000, crc, '5', "", {0x00, 0x11, 0x22, 0x00, 0x00}, 5);
    member[7] = 3;
    member[8] = member[9] = member[10] = 0;
    EXPECT_FALSE(DecodeExact(member, 1000).ok());
}

TEST(Lh5Hostile, UnusableBaseHeaders) {
    Bytes in = Text(1000, 45);
    Bytes block = CompressOrDie(in);
    ASSERT_FALSE(block.empty());
    Bytes zero = block;
    zero[0] = 0;
    EXPECT_EQ(DecodeExact(zero, 1000).status, DecodeStatus::kBadHeader);
    for (std::uint8_t h : {1, 2, 20, 24}) {
        Bytes small = block;
        small[0] = h;
        EXPECT_FALSE(DecodeExact(small, 1000).ok()) << int(h);
    }
    Bytes name = block;
    name[21] = 1;  // a name byte the 25-byte header has no room for
    EXPECT_EQ(DecodeExact(name, 1000).status, DecodeStatus::kBadHeader);
    Bytes method = block;
    method[5] = '6';
    EXPECT_EQ(DecodeExact(method, 1000).status, DecodeStatus::kBadMethod);
    Bytes header(block.begin(), block.begin() + 20);  // header cut short
    EXPECT_FALSE(DecodeExact(header, 1000).ok());
    EXPECT_FALSE(DecodeExact(Bytes{}, 1000).ok());
    EXPECT_FALSE(DecodeExact(Bytes{25}, 1000).ok());
}

}  // namespace
