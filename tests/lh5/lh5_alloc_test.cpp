// The encoder's work memory may be refused: the call then fails cleanly with -1.
// This program replaces the non-throwing allocation functions, so it runs on its own.
#include <gtest/gtest.h>

#include <new>

#include "files/lh5/lh5_codec.h"
#include "tests/lh5/lh5_test_util.h"

namespace {
bool g_refuse_large = false;
}

// Large requests are refused while asked; the rest go to the ordinary allocator,
// whose delete the default non-throwing delete calls.
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    if (g_refuse_large && n >= 65536) return nullptr;
    try {
        return ::operator new(n);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept {
    if (g_refuse_large && n >= 65536) return nullptr;
    try {
        return ::operator new[](n);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

namespace {

TEST(Lh5Alloc, RefusedWorkMemoryGivesMinusOne) {
    lh5test::Bytes in(100000, 0xFF);
    lh5test::Bytes out(in.size() + 28, 0x55);
    g_refuse_large = true;
    std::int64_t n = brondavel::lh5::Compress(in.data(), in.size(), out.data(), out.size());
    g_refuse_large = false;
    EXPECT_EQ(n, -1);
    EXPECT_EQ(out[0], 0);
    // With memory back the same call succeeds.
    EXPECT_GT(brondavel::lh5::Compress(in.data(), in.size(), out.data(), out.size()), 0);
}

}  // namespace
