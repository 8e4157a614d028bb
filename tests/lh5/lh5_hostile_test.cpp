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

DecodeResult DecodeStream(const BitSink& s, std::uint32_t size, std::uint16_t crc = 0) {
    return DecodeExact(Member(s.Finish(), size, crc), size);
}

// A block of `codes` codes whose pre-tree has the given lengths.
BitSink WithPt(const std::vector<int>& pt, unsigned zerosAfterThird = 0, unsigned codes = 1) {
    BitSink s;
    s.Put(16, codes);
    PutPtLengths(s, pt, 5, 3, zerosAfterThird);
    return s;
}

BitSink WithC(const std::vector<int>& pt, const std::vector<int>& c) {
    BitSink s = WithPt(pt);
    PutCLengths(s, c, pt);
    return s;
}

// Block start: code count and the standard tables.
BitSink Block(unsigned codes, const Tables& t) {
    BitSink s;
    s.Put(16, codes);
    t.Put(s);
    return s;
}

// Tables of one symbol each, sent as count 0 and the symbol.
BitSink Single(int ptSym, int cSym, int pSym) {
    BitSink s;
    s.Put(16, 1);
    for (auto [bits, sym] : {std::pair{5, ptSym}, {9, cSym}, {4, pSym}}) {
        s.Put(bits, 0);
        s.Put(bits, static_cast<unsigned>(sym));
    }
    return s;
}

TEST(Lh5Hostile, CraftedValidBlocksDecode) {
    // "ab" then a 6-byte overlapping copy.
    Tables t;
    BitSink s = Block(3, t);
    t.Literal(s, 'a');
    t.Literal(s, 'b');
    t.Match(s, 6, 2);
    const Bytes want = {'a', 'b', 'a', 'b', 'a', 'b', 'a', 'b'};
    EXPECT_EQ(DecodeStream(s, 8, Crc16(want.data(), want.size())).status, DecodeStatus::kOk);
    // Single-symbol tables inside their alphabets: one literal, no bits.
    EXPECT_TRUE(DecodeStream(Single(0, 'a', 0), 1, Crc16(want.data(), 1)).ok());
    // A match across the 8192-byte window-chunk edge decodes in full.
    s = Block(34, t);
    t.Literal(s, 'q');
    for (int i = 0; i < 33; ++i) t.Match(s, 256, 1);  // 1 + 33*256 = 8449 bytes
    const Bytes qs(8449, 'q');
    const Bytes member = Member(s.Finish(), 8449, Crc16(qs.data(), qs.size()));
    Bytes out(8449);
    EXPECT_TRUE(Decode(member.data(), member.size(), out.data(), out.size()).ok());
    EXPECT_TRUE(out == qs);
    EXPECT_EQ(DecodeExact(member, 8448).status, DecodeStatus::kOutputTooSmall);
}

TEST(Lh5Hostile, BrokenTablesAndCodesAreCorrupt) {
    const Tables t;
    struct Case {
        const char* what;
        BitSink stream;
        std::uint32_t size = 10;
    };
    auto pre = [&](auto&& edit) {
        std::vector<int> pt(12, 0);
        edit(pt);
        return pt;
    };
    auto lit = [&](auto&& edit) {
        std::vector<int> c = t.c;
        edit(c);
        return c;
    };
    const std::vector<Case> cases = {
        {"pre-tree count 20", WithPt(std::vector<int>(20, 0))},
        {"position count 15",
         [&] {
             BitSink s = WithC(t.pt, t.c);
             PutPtLengths(s, std::vector<int>(15, 4), 4, -1);
             return s;
         }()},
        {"literal count 511",
         [&] {
             BitSink s = WithPt(t.pt);
             s.Put(9, 511);
             return s;
         }()},
        {"9-bit zero run of 531 in 510 entries",
         [&] {
             const auto pt = pre([](auto& p) { p[2] = p[11] = 1; });
             BitSink s = WithPt(pt);
             s.Put(9, 510);
             s.Put(pt[2], CanonicalCodes(pt)[2]);
             s.Put(9, 511);
             return s;
         }()},
        {"4-bit zero run past a short table",
         [&] {
             const auto pt = pre([](auto& p) { p[1] = p[11] = 1; });
             BitSink s = WithPt(pt);
             s.Put(9, 10);
             s.Put(pt[1], CanonicalCodes(pt)[1]);
             s.Put(4, 15);  // 18 zeros
             return s;
         }()},
        {"3 zeros after the third length, 1 entry left", WithPt({1, 1, 0, 0}, 3)},
        {"length 17", WithPt(pre([](auto& p) { p.resize(19), p[0] = 17; }))},
        {"pre-tree overfull", WithPt({1, 1, 1})},
        {"pre-tree incomplete", WithPt({1, 0, 0, 0})},
        {"pre-tree empty", WithPt({0, 0, 0, 0})},
        {"literals overfull", WithC(t.pt, lit([](auto& c) { c[300] = 8; }))},
        {"literals incomplete", WithC(pre([](auto& p) { p[0] = p[10] = 2, p[11] = 1; }),
                                      lit([](auto& c) { c[300] = 0; }))},
        {"positions overfull",
         [&] {
             BitSink s = WithC(t.pt, t.c);
             PutPtLengths(s, std::vector<int>(14, 3), 4, -1);
             return s;
         }()},
        {"pre-tree symbol 19", Single(19, 'a', 0), 1},
        {"pre-tree symbol 31", Single(31, 'a', 0), 1},
        {"literal symbol 510", Single(0, 510, 0), 1},
        {"literal symbol 511", Single(0, 511, 0), 1},
        {"position symbol 14", Single(0, 'a', 14), 1},
        {"position symbol 15", Single(0, 'a', 15), 1},
        {"a block of 0 codes", Block(0, t), 4},
        {"a match before any output",
         [&] {
             BitSink s = Block(1, t);
             t.Match(s, 3, 1);
             return s;
         }(),
         3},
        {"a distance one byte before the start",
         [&] {
             BitSink s = Block(3, t);
             t.Literal(s, 'x');
             t.Literal(s, 'y');
             t.Match(s, 3, 3);
             return s;
         }(),
         5},
        {"the last match past the size",
         [&] {
             BitSink s = Block(2, t);
             t.Literal(s, 'x');
             t.Match(s, 10, 1);
             return s;
         }(),
         8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeStream(c.stream, c.size).status, DecodeStatus::kCorruptData) << c.what;

    // A length 7 followed by nothing but 1 bits to the end of the input.
    BitSink ones;
    ones.Put(16, 1);
    ones.Put(5, 19);
    ones.Put(3, 7);
    for (int i = 0; i < 200; ++i) ones.Put(8, 0xFF);
    const DecodeResult r = DecodeStream(ones, 10);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.size, 0u);
}

TEST(Lh5Hostile, TruncatedStreamsAndSizesThatDoNotFit) {
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

    in.resize(1000);
    const std::uint16_t crc = Crc16(in.data(), in.size());
    // -lh0- stating more bytes than the input has.
    Bytes stored = Member(in, 1001, crc, '0');
    EXPECT_EQ(DecodeExact(stored, 1001).status, DecodeStatus::kTruncated);
    stored[7] = 0xEA;  // compressed size 1002: one past the end byte
    stored[8] = 0x03;
    EXPECT_EQ(DecodeExact(stored, 1001).status, DecodeStatus::kTruncated);
    block = CompressOrDie(in);
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
    const Bytes block = CompressOrDie(Text(1000, 45));
    ASSERT_FALSE(block.empty());
    auto with = [&](std::size_t at, std::uint8_t value) {
        Bytes b = block;
        b[at] = value;
        return DecodeExact(b, 1000).status;
    };
    EXPECT_EQ(with(0, 0), DecodeStatus::kBadHeader);
    for (std::uint8_t h : {1, 2, 20, 24}) EXPECT_NE(with(0, h), DecodeStatus::kOk) << int(h);
    EXPECT_EQ(with(21, 1), DecodeStatus::kBadHeader);  // a name the header has no room for
    EXPECT_EQ(with(5, '6'), DecodeStatus::kBadMethod);
    EXPECT_FALSE(DecodeExact(Bytes(block.begin(), block.begin() + 20), 1000).ok());
    EXPECT_FALSE(DecodeExact(Bytes{}, 1000).ok());
    EXPECT_FALSE(DecodeExact(Bytes{25}, 1000).ok());
}

}  // namespace
