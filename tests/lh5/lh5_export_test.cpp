// liblh5.so: exactly its C entry points, with their callers' contract.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>

#include "files/lh5/lh5.h"
#include "tests/lh5/lh5_test_util.h"

namespace {

using namespace lh5test;

TEST(Lh5Exports, SharedLibraryExportsOnlyTheCEntryPoints) {
    std::string cmd = std::string("nm -D --defined-only '") + LH5_SHARED_LIBRARY + "'";
    FILE* p = popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::set<std::string> names;
    char line[512];
    while (fgets(line, sizeof line, p)) {
        char addr[64], type[8], name[400];
        // "A" lines are the version nodes themselves, which only some linkers list.
        if (sscanf(line, "%63s %7s %399s", addr, type, name) == 3 && std::string(type) != "A")
            names.insert(std::string(type) + " " + name);
    }
    ASSERT_EQ(pclose(p), 0);
    // The first two keep their first version; the bounded calls came with 1.1.
    EXPECT_EQ(names,
              (std::set<std::string>{"T F_COMPRESS_Data@@LH5_1.0", "T F_DECOMPRESS_Decode@@LH5_1.0",
                                     "T lh5_compress@@LH5_1.1", "T lh5_compress_bound@@LH5_1.1",
                                     "T lh5_decompress@@LH5_1.1", "T lh5_status_text@@LH5_1.1"}));
}

TEST(Lh5Exports, RoundTripAndFailureValues) {
    const Bytes in = ReceiverRecords(100000, 71);
    Bytes block(in.size() + 28), out(in.size());
    ASSERT_GT(F_COMPRESS_Data(in.data(), block.data(), static_cast<int>(in.size())), 28);
    EXPECT_EQ(F_DECOMPRESS_Decode(block.data(), out.data()), in.size());
    EXPECT_TRUE(out == in);

    // A stream that asks for more than the compressed size its header states: the
    // decoder stops at the stated end (the sanitizer build catches a read past it).
    const Bytes cut = Patched(Bytes(block.begin(), block.begin() + 27 + 20), 7, {20, 0, 0, 0});
    EXPECT_EQ(F_DECOMPRESS_Decode(cut.data(), out.data()), 0u);

    // Altered CRC: the data is written, 0 returned.
    block[22] ^= 0x40;
    std::fill(out.begin(), out.end(), 0);
    EXPECT_EQ(F_DECOMPRESS_Decode(block.data(), out.data()), 0u);
    EXPECT_TRUE(out == in);

    const unsigned char one = 1;
    EXPECT_EQ(F_COMPRESS_Data(&one, block.data(), 1), -1);
    EXPECT_EQ(F_COMPRESS_Data(in.data(), block.data(), -5), -1);
    EXPECT_EQ(F_DECOMPRESS_Decode(block.data(), out.data()), 0u);  // header size byte 0 now
}

TEST(Lh5Exports, BoundedCallsSayWhatIsWrong) {
    Bytes in = Text(20000, 74);
    const size_t bound = lh5_compress_bound(in.size());
    Bytes block(bound);
    size_t n = 0;
    ASSERT_EQ(lh5_compress(in.data(), in.size(), block.data(), bound, &n), LH5_OK);

    // Less than the bound but enough: the same block. One byte short: the size needed.
    Bytes tight(n);
    size_t m = 0;
    EXPECT_EQ(lh5_compress(in.data(), in.size(), tight.data(), n, &m), LH5_OK);
    EXPECT_EQ(m, n);
    EXPECT_TRUE(std::equal(tight.begin(), tight.end(), block.begin()));
    EXPECT_EQ(lh5_compress(in.data(), in.size(), tight.data(), n - 1, &m), LH5_OUTPUT_TOO_SMALL);
    EXPECT_EQ(m, n);

    Bytes out(in.size());
    EXPECT_EQ(lh5_decompress(block.data(), n, out.data(), out.size() - 1, &m),
              LH5_OUTPUT_TOO_SMALL);
    EXPECT_EQ(m, in.size());
    // A cut block is bad data, never a read past the cut.
    const Bytes cut(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(n / 2));
    EXPECT_EQ(lh5_decompress(cut.data(), cut.size(), out.data(), out.size(), &m), LH5_BAD_DATA);

    EXPECT_EQ(lh5_compress(nullptr, 5, block.data(), bound, &m), LH5_BAD_ARGUMENT);
    EXPECT_EQ(lh5_compress(in.data(), in.size(), block.data(), bound, nullptr), LH5_BAD_ARGUMENT);
    EXPECT_EQ(lh5_decompress(block.data(), n, nullptr, 10, &m), LH5_BAD_ARGUMENT);
    EXPECT_EQ(lh5_compress_bound(SIZE_MAX), 0u);
}

}  // namespace
