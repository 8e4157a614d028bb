// liblh5.so: exactly the two C entry points, with their callers' contract.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "files/lh5/lh5.h"
#include "tests/lh5/lh5_test_util.h"

namespace {

using namespace lh5test;

TEST(Lh5Exports, SharedLibraryExportsOnlyTheTwoEntryPoints) {
    std::string cmd = std::string("nm -D --defined-only '") + LH5_SHARED_LIBRARY + "'";
    FILE* p = popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::set<std::string> names;
    char line[512];
    while (fgets(line, sizeof line, p)) {
        char addr[64], type[8], name[400];
        if (sscanf(line, "%63s %7s %399s", addr, type, name) == 3) names.insert(name);
    }
    ASSERT_EQ(pclose(p), 0);
    EXPECT_EQ(names, (std::set<std::string>{"F_COMPRESS_Data", "F_DECOMPRESS_Decode"}));
}

TEST(Lh5Exports, RoundTripAndFailureValues) {
    Bytes in = ReceiverRecords(100000, 71);
    Bytes block(in.size() + 28);
    int n = F_COMPRESS_Data(in.data(), block.data(), static_cast<int>(in.size()));
    ASSERT_GT(n, 28);
    Bytes out(in.size());
    EXPECT_EQ(F_DECOMPRESS_Decode(block.data(), out.data()), in.size());
    EXPECT_TRUE(out == in);

    // Altered CRC: the data is written, 0 returned.
    block[22] ^= 0x40;
    std::fill(out.begin(), out.end(), 0);
    EXPECT_EQ(F_DECOMPRESS_Decode(block.data(), out.data()), 0u);
    EXPECT_TRUE(out == in);

    const unsigned char one = 1;
    EXPECT_EQ(F_COMPRESS_Data(&one, block.data(), 1), -1);
    EXPECT_EQ(F_COMPRESS_Data(in.data(), block.data(), -5), -1);
    EXPECT_EQ(F_DECOMPRESS_Decode(block.data(), out.data()), 0u);  // header size byte 0 now

    // -lh0- member: the stated bytes copied.
    Bytes raw = Text(500, 72);
    Bytes stored = Member(raw, 500, brondavel::lh5::Crc16(raw.data(), raw.size()), '0');
    Bytes back(500);
    EXPECT_EQ(F_DECOMPRESS_Decode(stored.data(), back.data()), 500u);
    EXPECT_TRUE(back == raw);
}

TEST(Lh5Exports, DecoderStaysInsideWhatTheHeaderStates) {
    // A member whose stream asks for more than the compressed size it states: the
    // decoder must stop at the stated end (the sanitizer build catches a read past it).
    Bytes in = Text(4000, 73);
    Bytes block = CompressOrDie(in);
    ASSERT_FALSE(block.empty());
    Bytes cut(block.begin(), block.begin() + 27 + 20);
    cut[7] = 20;
    cut[8] = cut[9] = cut[10] = 0;
    Bytes out(in.size());
    EXPECT_EQ(F_DECOMPRESS_Decode(cut.data(), out.data()), 0u);
}

}  // namespace
