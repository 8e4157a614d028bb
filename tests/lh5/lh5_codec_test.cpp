// Block format, round trips and the compressor's decisions.
#include "files/lh5/lh5_codec.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "tests/lh5/lh5_test_util.h"

namespace {

using namespace brondavel::lh5;
using namespace lh5test;

void ExpectRoundTrip(const Bytes& in, const char* what) {
    SCOPED_TRACE(std::string(what) + " size " + std::to_string(in.size()));
    Bytes out(CompressBound(in.size()));
    std::int64_t n = Compress(in.data(), in.size(), out.data(), out.size());
    if (n < 0) {
        EXPECT_EQ(out[0], 0);  // reads as an empty archive
        return;
    }
    const auto size = static_cast<std::size_t>(n);
    ASSERT_LT(size, in.size() + kBlockOverhead);
    EXPECT_EQ(size, kBlockOverhead + ReadMemberHeader(out.data(), size)->compressedSize);
    EXPECT_EQ(out[size - 1], 0);
    EXPECT_TRUE(DecodeAll(Bytes(out.begin(), out.begin() + n), in.size()) ==
                std::pair(DecodeStatus::kOk, in));
}

TEST(Lh5Format, FfImageBlockAndRefusedInput) {
    const Bytes in(479232, 0xFF);
    const Bytes block = CompressOrDie(in);
    EXPECT_LT(block.size(), 1000u);
    // Header, checksum, CRC and end byte exactly as a level-1 member without a name.
    const Bytes stream(block.begin() + 27, block.end() - 1);
    EXPECT_TRUE(block == Member(stream, 479232, Crc16(in.data(), in.size())));
    ExpectRoundTrip(in, "ff");

    // Incompressible input or too little room: -1 and no usable block.
    Bytes out(64, 0xAA);
    const std::uint8_t one = 'x';
    EXPECT_EQ(Compress(&one, 1, out.data(), out.size()), -1);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(Compress(&one, 0, out.data(), out.size()), -1);

    // Exactly enough room works; one byte less fails without writing past the end.
    const Bytes text = Text(5000, 3);
    Bytes full = CompressOrDie(text);
    Bytes exact(full.size());
    EXPECT_EQ(Compress(text.data(), text.size(), exact.data(), exact.size()),
              static_cast<std::int64_t>(full.size()));
    EXPECT_TRUE(exact == full);
    Bytes small(full.size() - 1);
    EXPECT_EQ(Compress(text.data(), text.size(), small.data(), small.size()), -1);
    EXPECT_EQ(Compress(text.data(), text.size(), small.data(), 27), -1);
}

TEST(Lh5Decode, StoredAndLh4MembersAndExtendedHeaders) {
    const Bytes in = Text(3000, 9);
    const auto size = static_cast<std::uint32_t>(in.size());
    const std::uint16_t crc = Crc16(in.data(), in.size());
    const std::pair ok(DecodeStatus::kOk, in);
    EXPECT_EQ(DecodeAll(Member(in, size, crc, '0'), size), ok);
    // Under 4096 bytes every distance fits -lh4-, which the same decoder reads.
    const Bytes ours = CompressOrDie(in);
    const Bytes stream(ours.begin() + 27, ours.end() - 1);
    EXPECT_EQ(DecodeAll(Member(stream, size, crc, '4'), size), ok);
    // Named member with two extended headers (5 and 7 bytes) in front of the data.
    const Bytes ext = {0x00, 0xAB, 0xCD, 0x07, 0x00, 0x40, 1, 2, 3, 4, 0x00, 0x00};
    const Bytes named = Member(stream, size, crc, '5', "chan.bin", ext, 5);
    EXPECT_EQ(DecodeAll(named, size), ok);
    auto info = ReadMemberHeader(named.data(), named.size());
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(std::tuple(info->uncompressedSize, info->crc, info->headerSize),
              std::tuple(in.size(), crc, 2u + 25 + 8));
    EXPECT_EQ(DecodeAll(Member({}, 0, 0), 0), std::pair(DecodeStatus::kOk, Bytes{}));
    // A CRC mismatch still writes the data.
    EXPECT_EQ(DecodeAll(Member(stream, size, crc ^ 1), size),
              std::pair(DecodeStatus::kCrcMismatch, in));
}

TEST(Lh5RoundTrip, SizesAcrossWindowAndBlockBoundariesAndBlockFlushes) {
    std::vector<std::size_t> sizes;
    for (std::size_t n = 0; n <= 70000; n += 4999) sizes.push_back(n);
    for (std::size_t n = 1; n <= 40; ++n) sizes.push_back(n);
    for (std::size_t edge : {8192u, 8448u, 16384u, 16640u, 24576u, 65536u})
        for (std::size_t d = edge - 3; d <= edge + 3; ++d) sizes.push_back(d);
    sizes.push_back(70000);
    const std::pair<const char*, Bytes> sources[] = {{"ff", Bytes(70000, 0xFF)},
                                                     {"records", ReceiverRecords(70000, 11)},
                                                     {"text", Text(70000, 12)},
                                                     {"random", RandomBytes(70000, 13)}};
    for (std::size_t n : sizes)
        for (const auto& [what, data] : sources)
            ExpectRoundTrip(Bytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(n)),
                            what);

    // Literal-only input: a block is sent when the 14545th literal arrives (1818 flag
    // groups of 9 bytes fill the 16384-byte code buffer to its last 24 bytes).
    for (std::size_t edge : {14544u, 29088u})
        for (std::size_t n = edge - 2; n <= edge + 2; ++n) {
            CompressOrDie(MatchlessBytes(n));  // literals only, still smaller
            ExpectRoundTrip(MatchlessBytes(n), "matchless");
        }
    // Long input with every kind of data in turn crosses many blocks and window slides.
    Bytes mixed = ReceiverRecords(100000, 21);
    for (const Bytes& part : {Text(100000, 22), Bytes(30000, 0xFF), RandomBytes(20000, 23)})
        mixed.insert(mixed.end(), part.begin(), part.end());
    ExpectRoundTrip(mixed, "mixed");
}

}  // namespace
