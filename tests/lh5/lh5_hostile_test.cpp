// Crafted members that have broken LHA decoders: each must be refused without reading
// past the input or writing past the output (the sanitizer build checks the latter).
#include <gtest/gtest.h>

#include "files/lh5/lh5_codec.h"
#include "tests/lh5/lh5_test_util.h"

namespace {

using namespace brondavel::lh5;
using namespace lh5test;

DecodeStatus DecodeStream(const BitSink& s, std::uint32_t size, std::uint16_t crc = 0) {
    return DecodeAll(Member(s.Finish(), size, crc), size).first;
}

// A block of one code whose pre-tree has the given lengths.
BitSink WithPt(const std::vector<int>& pt, unsigned zerosAfterThird = 0) {
    BitSink s;
    return PutPtLengths(s.Put(16, 1), pt, 5, 3, zerosAfterThird);
}

// A block of `codes` codes with the given pre-tree, literal and position lengths.
BitSink Block(unsigned codes, const std::vector<int>& pt, const std::vector<int>& c,
              const std::vector<int>& p) {
    BitSink s;
    PutCLengths(PutPtLengths(s.Put(16, codes), pt, 5, 3), c, pt);
    return PutPtLengths(s, p, 4, -1);
}

// A literal table of `count` entries that opens with a zero run of the pre-tree's
// symbol 1 (4-bit count) or 2 (9-bit count).
BitSink ZeroRun(int symbol, unsigned count, unsigned run) {
    std::vector<int> pt(12, 0);
    pt[symbol] = pt[11] = 1;
    return WithPt(pt)
        .Put(9, count)
        .Put(1, CanonicalCodes(pt)[symbol])
        .Put(symbol == 1 ? 4 : 9, run);
}

// A block of the standard tables with the given literals, then the given matches
// (length, distance).
BitSink Codes(const std::string& literals,
              const std::vector<std::pair<unsigned, unsigned>>& matches) {
    const Tables t;
    BitSink s = Block(static_cast<unsigned>(literals.size() + matches.size()), t.pt, t.c, t.p);
    for (char c : literals) t.Literal(s, static_cast<std::uint8_t>(c));
    for (auto [length, distance] : matches) t.Match(s, length, distance);
    return s;
}

// Tables of one symbol each, sent as count 0 and the symbol.
BitSink Single(unsigned ptSym, unsigned cSym, unsigned pSym) {
    BitSink s;
    return s.Put(16, 1).Put(5, 0).Put(5, ptSym).Put(9, 0).Put(9, cSym).Put(4, 0).Put(4, pSym);
}

TEST(Lh5Hostile, CraftedValidBlocksDecode) {
    // "ab" then a 6-byte overlapping copy.
    const Bytes want = {'a', 'b', 'a', 'b', 'a', 'b', 'a', 'b'};
    const std::uint16_t crc = Crc16(want.data(), want.size());
    EXPECT_EQ(DecodeStream(Codes("ab", {{6, 2}}), 8, crc), DecodeStatus::kOk);
    // Single-symbol tables inside their alphabets: one literal, no bits.
    EXPECT_EQ(DecodeStream(Single(0, 'a', 0), 1, Crc16(want.data(), 1)), DecodeStatus::kOk);
    // A match across the 8192-byte window-chunk edge decodes in full.
    const Bytes qs(8449, 'q');  // 1 + 33*256 bytes
    const Bytes member = Member(Codes("q", std::vector(33, std::pair(256u, 1u))).Finish(), 8449,
                                Crc16(qs.data(), qs.size()));
    EXPECT_TRUE(DecodeAll(member, 8449) == std::pair(DecodeStatus::kOk, qs));
}

TEST(Lh5Hostile, BrokenTablesAndCodesAreCorrupt) {
    const Tables t;
    std::vector<int> overfullC = t.c, length17(19, 0);
    overfullC[300] = 8;
    length17[0] = 17;
    struct Case {
        const char* what;
        BitSink stream;
        std::uint32_t size = 10;
    };
    const Case cases[] = {
        {"pre-tree count 20", WithPt(std::vector<int>(20, 0))},
        {"literal count 511", WithPt(t.pt).Put(9, 511)},
        {"position count 15", Block(1, t.pt, t.c, std::vector<int>(15, 4))},
        {"9-bit zero run of 531 in 510 entries", ZeroRun(2, 510, 511)},
        {"4-bit run of 18 zeros in 10 entries", ZeroRun(1, 10, 15)},
        {"3 zeros after the third length, 1 entry left", WithPt({1, 1, 0, 0}, 3)},
        {"length 17", WithPt(length17)},
        {"pre-tree overfull", WithPt({1, 1, 1})},
        {"pre-tree incomplete", WithPt({1, 0, 0, 0})},
        {"literals overfull", Block(1, t.pt, overfullC, t.p)},
        {"positions overfull", Block(1, t.pt, t.c, std::vector<int>(14, 3))},
        {"pre-tree symbol 19", Single(19, 'a', 0), 1},
        {"literal symbol 510", Single(0, 510, 0), 1},
        {"position symbol 14", Single(0, 'a', 14), 1},
        {"a block of 0 codes", Codes("", {}), 4},
        {"a distance one byte before the start", Codes("xy", {{3, 3}}), 5},
        {"the last match past the size", Codes("x", {{10, 1}}), 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeStream(c.stream, c.size), DecodeStatus::kCorruptData) << c.what;
}

// Members cut short, and members whose headers or sizes cannot be used, with the
// status each gets.
TEST(Lh5Hostile, CutStreamsAndUnusableHeadersAndSizes) {
    const Bytes in = Text(1000, 44), block = CompressOrDie(in);
    const Bytes stream(block.begin() + 27, block.end() - 1), ext = {0x00, 0x11, 0x22, 0x00, 0x00};
    const std::uint16_t crc = Crc16(in.data(), in.size());
    auto withExt = [&](const Bytes& ext, std::uint16_t first) {
        return Member(stream, 1000, crc, '5', "", ext, first);
    };
    ASSERT_EQ(DecodeAll(withExt(ext, 5), 1000).first, DecodeStatus::kOk);
    ASSERT_EQ(DecodeAll(block, 1000).first, DecodeStatus::kOk);
    // The stream cut short, with the header telling the truth about it.
    for (std::size_t keep : {std::size_t{0}, stream.size() / 2, stream.size() - 2})
        EXPECT_NE(
            DecodeAll(Member({stream.begin(), stream.begin() + std::ptrdiff_t(keep)}, 1000, crc),
                      1000)
                .first,
            DecodeStatus::kOk)
            << keep;
    Bytes chain;
    for (int i = 0; i < 50; ++i) chain.insert(chain.end(), {0x00, 0x11, 0x22, 0x05, 0x00});
    const Bytes stored = Member(in, 1001, crc, '0');
    struct Case {
        const char* what;
        Bytes member;
        DecodeStatus want;
        std::size_t capacity = 1000;
    };
    using enum DecodeStatus;
    const Case cases[] = {
        {"extended header of size 1", withExt({}, 1), kBadHeader},
        {"extended header sizes summing past the data", withExt(ext, 0x7000), kBadHeader},
        {"a chain of extended headers never ending in 0", withExt(chain, 5), kBadHeader},
        {"a compressed size smaller than its extended headers",
         Patched(withExt(ext, 5), 7, {3, 0, 0, 0}), kBadHeader},
        {"header size 0", Patched(block, 0, {0}), kBadHeader},
        {"header size 24", Patched(block, 0, {24}), kBadHeader},
        {"a name the header has no room for", Patched(block, 21, {1}), kBadHeader},
        {"method -lh6-", Patched(block, 5, {'6'}), kBadMethod},
        {"20 bytes of header", Bytes(block.begin(), block.begin() + 20), kTruncated},
        {"a compressed size past the input", Bytes(block.begin(), block.end() - 10), kTruncated},
        {"only a header size", Bytes{25}, kBadHeader},
        {"-lh0- stating more bytes than the input has", stored, kTruncated, 1001},
        {"-lh0- stating one byte past the end", Patched(stored, 7, {0xEA, 0x03}), kTruncated, 1001},
        {"one byte too little room", block, kOutputTooSmall, 999},
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeAll(c.member, c.capacity).first, c.want) << c.what;
}

}  // namespace
