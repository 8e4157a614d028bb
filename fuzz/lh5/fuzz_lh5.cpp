// The LH5 readers on arbitrary bytes, one target each (LH5_TARGET): 0, members
// through the bounded decoder and through F_DECOMPRESS_Decode with exactly the
// bytes its header states; 1, compress then decompress gives the input back;
// 2, liblh5's bounded C calls with arbitrary capacities. Every buffer is a heap
// block of exactly its length, so the sanitizers see any stray byte.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "files/lh5/lh5.h"
#include "files/lh5/lh5_codec.h"

namespace {

using Buffer = std::unique_ptr<std::uint8_t[]>;
[[maybe_unused]] constexpr std::size_t kMaxOutput = 256u << 10;

[[maybe_unused]] Buffer Copy(const std::uint8_t* data, std::size_t size) {
    Buffer copy(new std::uint8_t[size]);
    if (size) std::memcpy(copy.get(), data, size);
    return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brondavel::lh5;
#if LH5_TARGET == 0
    const auto info = ReadMemberHeader(data, size);
    const std::size_t capacity =
        info ? std::min<std::size_t>(info->uncompressedSize, kMaxOutput) : 4096;
    Buffer out(new std::uint8_t[capacity]);  // left uninitialised
    const DecodeResult r = Decode(data, size, out.get(), capacity);
    if ((!r.ok() && r.status != DecodeStatus::kCrcMismatch && r.size != 0) || r.size > capacity)
        std::abort();
    if (info && info->uncompressedSize <= kMaxOutput &&
        info->headerSize + info->compressedSize <= size) {
        const Buffer in = Copy(data, info->headerSize + info->compressedSize);
        out.reset(new std::uint8_t[info->uncompressedSize]);
        const unsigned n = F_DECOMPRESS_Decode(in.get(), out.get());
        if (n != 0 && n != info->uncompressedSize) std::abort();
    }
#elif LH5_TARGET == 1
    // A refused input leaves no member.
    const Buffer block(new std::uint8_t[CompressBound(size)]);
    const std::int64_t n = Compress(data, size, block.get(), CompressBound(size));
    if (n < 0) {
        if (block[0] != 0) std::abort();
        return 0;
    }
    if (static_cast<std::size_t>(n) >= size + kBlockOverhead) std::abort();
    const Buffer back(new std::uint8_t[size]);
    const DecodeResult r = Decode(block.get(), static_cast<std::size_t>(n), back.get(), size);
    if (!r.ok() || r.size != size || (size != 0 && std::memcmp(back.get(), data, size) != 0))
        std::abort();
#else
    if (size < 3) return 0;
    // The first three bytes choose the output capacity.
    const std::size_t capacity = (data[0] | (data[1] << 8) | (data[2] << 16)) % kMaxOutput;
    const Buffer input = Copy(data + 3, size - 3), output(new std::uint8_t[capacity]);
    size -= 3;
    std::size_t written = 12345;
    const lh5_status d = lh5_decompress(input.get(), size, output.get(), capacity, &written);
    if (((d == LH5_OK || d == LH5_CRC_MISMATCH) && written > capacity) ||
        (d == LH5_BAD_DATA && written != 0) ||
        (d == LH5_OUTPUT_TOO_SMALL && written != 0 && written <= capacity))
        std::abort();
    const lh5_status c = lh5_compress(input.get(), size, output.get(), capacity, &written);
    if (c == LH5_OK) {
        if (written > capacity) std::abort();
        // What was written expands to the input again.
        const Buffer archive = Copy(output.get(), written), back(new std::uint8_t[size]);
        std::size_t n = 0;
        if (lh5_decompress(archive.get(), written, back.get(), size, &n) != LH5_OK || n != size ||
            std::memcmp(back.get(), input.get(), size) != 0)
            std::abort();
    } else if (c == LH5_OUTPUT_TOO_SMALL && written <= capacity) {
        std::abort();
    }
#endif
    return 0;
}
