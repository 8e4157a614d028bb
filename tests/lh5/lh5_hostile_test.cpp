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

// A block of one code whose pre-tree has the given lengths.
BitSink WithPt(const std::vector<int>& pt, unsigned zerosAfterThird = 0) {
    BitSink s;
    s.Put(16, 1);
    PutPtLengths(s, pt, 5, 3, zerosAfterThird);
    return s;
}

BitSink WithC(const std::vector<int>& pt, const std::vector<int>& c) {
    BitSink s = WithPt(pt);
    PutCLengths(s, c, pt);
    return s;
}

BitSink Then(BitSink s, int bits, unsigned value) {
    s.Put(bits, value);
    return s;
}

// Standard literal tables, then position lengths as given.
BitSink WithP(const std::vector<int>& p) {
    const Tables t;
    BitSink s = WithC(t.pt, t.c);
    PutPtLengths(s, p, 4, -1);
    return s;
}

// A literal table of `count` entries that opens with a zero run of the pre-tree's
// symbol 1 (4-bit count) or 2 (9-bit count).
BitSink ZeroRun(int symbol, unsigned count, unsigned run) {
    std::vector<int> pt(12, 0);
    pt[symbol] = pt[11] = 1;
    BitSink s = Then(WithPt(pt), 9, count);
    s.Put(pt[symbol], CanonicalCodes(pt)[symbol]);
    return Then(s, symbol == 1 ? 4 : 9, run);
}

// A block of the standard tables with the given literals, then the given matches
// (length, distance).
BitSink Codes(const std::string& literals,
              const std::vector<std::pair<unsigned, unsigned>>& matches) {
    const Tables t;
    BitSink s;
    s.Put(16, static_cast<unsigned>(literals.size() + matches.size()));
    t.Put(s);
    for (char c : literals) t.Literal(s, static_cast<std::uint8_t>(c));
    for (auto [length, distance] : matches) t.Match(s, length, distance);
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
    const Bytes want = {'a', 'b', 'a', 'b', 'a', 'b', 'a', 'b'};
    const std::uint16_t crc = Crc16(want.data(), want.size());
    EXPECT_EQ(DecodeStream(Codes("ab", {{6, 2}}), 8, crc).status, DecodeStatus::kOk);
    // Single-symbol tables inside their alphabets: one literal, no bits.
    EXPECT_TRUE(DecodeStream(Single(0, 'a', 0), 1, Crc16(want.data(), 1)).ok());
    // A match across the 8192-byte window-chunk edge decodes in full.
    const Bytes qs(8449, 'q');  // 1 + 33*256 bytes
    const Bytes member = Member(Codes("q", std::vector(33, std::pair(256u, 1u))).Finish(), 8449,
                                Crc16(qs.data(), qs.size()));
    Bytes out(8449);
    EXPECT_TRUE(Decode(member.data(), member.size(), out.data(), out.size()).ok());
    EXPECT_TRUE(out == qs);
    EXPECT_EQ(DecodeExact(member, 8448).status, DecodeStatus::kOutputTooSmall);
}

TEST(Lh5Hostile, BrokenTablesAndCodesAreCorrupt) {
    const Tables t;
    std::vector<int> overfullC = t.c, incompleteC = t.c, incompletePt(12, 0), length17(19, 0);
    overfullC[300] = 8;
    incompleteC[300] = 0;
    incompletePt[0] = incompletePt[10] = 2;
    incompletePt[11] = 1;
    length17[0] = 17;
    struct Case {
        const char* what;
        BitSink stream;
        std::uint32_t size = 10;
    };
    const Case cases[] = {
        {"pre-tree count 20", WithPt(std::vector<int>(20, 0))},
        {"literal count 511", Then(WithPt(t.pt), 9, 511)},
        {"position count 15", WithP(std::vector<int>(15, 4))},
        {"9-bit zero run of 531 in 510 entries", ZeroRun(2, 510, 511)},
        {"4-bit run of 18 zeros in 10 entries", ZeroRun(1, 10, 15)},
        {"3 zeros after the third length, 1 entry left", WithPt({1, 1, 0, 0}, 3)},
        {"length 17", WithPt(length17)},
        {"pre-tree overfull", WithPt({1, 1, 1})},
        {"pre-tree incomplete", WithPt({1, 0, 0, 0})},
        {"pre-tree empty", WithPt({0, 0, 0, 0})},
        {"literals overfull", WithC(t.pt, overfullC)},
        {"literals incomplete", WithC(incompletePt, incompleteC)},
        {"positions overfull", WithP(std::vector<int>(14, 3))},
        {"pre-tree symbol 19", Single(19, 'a', 0), 1},
        {"pre-tree symbol 31", Single(31, 'a', 0), 1},
        {"literal symbol 510", Single(0, 510, 0), 1},
        {"literal symbol 511", Single(0, 511, 0), 1},
        {"position symbol 14", Single(0, 'a', 14), 1},
        {"position symbol 15", Single(0, 'a', 15), 1},
        {"a block of 0 codes", Codes("", {}), 4},
        {"a match before any output", Codes("", {{3, 1}}), 3},
        {"a distance one byte before the start", Codes("xy", {{3, 3}}), 5},
        {"the last match past the size", Codes("x", {{10, 1}}), 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeStream(c.stream, c.size).status, DecodeStatus::kCorruptData) << c.what;

    // A length 7 followed by nothing but 1 bits to the end of the input.
    BitSink ones;
    for (auto [bits, value] : {std::pair{16, 1u}, {5, 19u}, {3, 7u}}) ones.Put(bits, value);
    for (int i = 0; i < 200; ++i) ones.Put(8, 0xFF);
    const DecodeResult r = DecodeStream(ones, 10);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.size, 0u);
}

TEST(Lh5Hostile, TruncatedStreamsAndSizesThatDoNotFit) {
    Bytes in = Text(20000, 41);
    Bytes block = CompressOrDie(in);
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
