// The encoder's work memory may be refused: the call then fails cleanly with -1.
// This program replaces the global allocation functions, so it runs on its own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "files/lh5/lh5_codec.h"
#include "tests/lh5/lh5_test_util.h"

namespace {
bool g_refuse_large = false;
}

void* operator new(std::size_t n) {
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) {
    return operator new(n);
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    if (g_refuse_large && n >= 65536) return nullptr;
    return std::malloc(n ? n : 1);
}
void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept {
    return operator new(n, t);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace {

TEST(Lh5Alloc, RefusedWorkMemoryGivesMinusOne) {
    lh5test::Bytes in = lh5test::FfFill(100000);
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
