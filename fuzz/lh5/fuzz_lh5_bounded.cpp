// liblh5's bounded C calls on arbitrary input and arbitrary capacities: every
// buffer is a heap block of exactly the length passed, so the sanitizers see
// any byte read or written outside it.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "files/lh5/lh5.h"

namespace {
constexpr std::size_t kMaxCapacity = 256u << 10;

std::unique_ptr<unsigned char[]> Copy(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<unsigned char[]> copy(new unsigned char[size]);
    if (size) std::memcpy(copy.get(), data, size);
    return copy;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    // The first three bytes choose the output capacity.
    const std::size_t capacity = (data[0] | (data[1] << 8) | (data[2] << 16)) % kMaxCapacity;
    data += 3;
    size -= 3;
    auto input = Copy(data, size);
    std::unique_ptr<unsigned char[]> output(new unsigned char[capacity]);

    std::size_t written = 12345;
    const lh5_status d = lh5_decompress(input.get(), size, output.get(), capacity, &written);
    if ((d == LH5_OK || d == LH5_CRC_MISMATCH) && written > capacity) std::abort();
    if (d == LH5_BAD_DATA && written != 0) std::abort();
    if (d == LH5_OUTPUT_TOO_SMALL && written != 0 && written <= capacity) std::abort();

    const lh5_status c = lh5_compress(input.get(), size, output.get(), capacity, &written);
    if (c == LH5_OK) {
        if (written > capacity) std::abort();
        // What was written expands to the input again.
        auto archive = Copy(output.get(), written);
        std::unique_ptr<unsigned char[]> back(new unsigned char[size]);
        std::size_t n = 0;
        if (lh5_decompress(archive.get(), written, back.get(), size, &n) != LH5_OK || n != size ||
            std::memcmp(back.get(), input.get(), size) != 0)
            std::abort();
    } else if (c == LH5_OUTPUT_TOO_SMALL && written <= capacity) {
        std::abort();
    }
    return 0;
}
