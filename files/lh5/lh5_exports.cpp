// The C entry points of liblh5.so, on top of the bounded C++ codec.
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "files/lh5/lh5.h"
#include "files/lh5/lh5_codec.h"
#include "files/lh5/lh5_format.h"

#define LH5_EXPORT __attribute__((visibility("default")))

using namespace brondavel::lh5;

extern "C" LH5_EXPORT size_t lh5_compress_bound(size_t input_size) {
    return input_size > SIZE_MAX - kBlockOverhead ? 0 : CompressBound(input_size);
}

extern "C" LH5_EXPORT lh5_status lh5_compress(const unsigned char* input, size_t input_size,
                                              unsigned char* output, size_t output_capacity,
                                              size_t* output_size) {
    if (output_size == nullptr) return LH5_BAD_ARGUMENT;
    *output_size = 0;
    if ((input == nullptr && input_size != 0) || (output == nullptr && output_capacity != 0) ||
        input_size > kMaxInputSize)
        return LH5_BAD_ARGUMENT;
    if (input_size == 0) return LH5_INCOMPRESSIBLE;
    const std::size_t bound = CompressBound(input_size);
    if (output_capacity >= bound) {
        const std::int64_t n = Compress(input, input_size, output, output_capacity);
        if (n < 0) return LH5_INCOMPRESSIBLE;
        *output_size = static_cast<size_t>(n);
        return LH5_OK;
    }
    // A smaller area may still hold the block: compress aside, then see whether it fits.
    std::unique_ptr<std::uint8_t[]> aside(new (std::nothrow) std::uint8_t[bound]);
    if (!aside) return LH5_INCOMPRESSIBLE;
    const std::int64_t n = Compress(input, input_size, aside.get(), bound);
    if (n < 0) return LH5_INCOMPRESSIBLE;
    if (static_cast<size_t>(n) > output_capacity) {
        *output_size = static_cast<size_t>(n);
        return LH5_OUTPUT_TOO_SMALL;
    }
    std::memcpy(output, aside.get(), static_cast<size_t>(n));
    *output_size = static_cast<size_t>(n);
    return LH5_OK;
}

extern "C" LH5_EXPORT lh5_status lh5_decompress(const unsigned char* input, size_t input_size,
                                                unsigned char* output, size_t output_capacity,
                                                size_t* output_size) {
    if (output_size == nullptr) return LH5_BAD_ARGUMENT;
    *output_size = 0;
    if ((input == nullptr && input_size != 0) || (output == nullptr && output_capacity != 0))
        return LH5_BAD_ARGUMENT;
    const DecodeResult r = Decode(input, input_size, output, output_capacity);
    switch (r.status) {
        case DecodeStatus::kOk:
            *output_size = r.size;
            return LH5_OK;
        case DecodeStatus::kCrcMismatch:
            *output_size = r.size;
            return LH5_CRC_MISMATCH;
        case DecodeStatus::kOutputTooSmall:
            if (auto info = ReadMemberHeader(input, input_size))
                *output_size = info->uncompressedSize;
            return LH5_OUTPUT_TOO_SMALL;
        default:
            return LH5_BAD_DATA;
    }
}

extern "C" LH5_EXPORT const char* lh5_status_text(lh5_status status) {
    switch (status) {
        case LH5_OK:
            return "ok";
        case LH5_BAD_DATA:
            return "not a usable -lh5- archive member";
        case LH5_OUTPUT_TOO_SMALL:
            return "output buffer too small";
        case LH5_CRC_MISMATCH:
            return "CRC mismatch";
        case LH5_INCOMPRESSIBLE:
            return "data does not get smaller";
        case LH5_BAD_ARGUMENT:
            return "bad argument";
    }
    return "unknown status";
}

extern "C" LH5_EXPORT int F_COMPRESS_Data(const unsigned char* input, unsigned char* output,
                                          int inputSize) {
    if (inputSize < 0 || static_cast<std::size_t>(inputSize) > INT_MAX - kBlockOverhead) return -1;
    const auto size = static_cast<std::size_t>(inputSize);
    return static_cast<int>(Compress(input, size, output, CompressBound(size)));
}

extern "C" LH5_EXPORT unsigned int F_DECOMPRESS_Decode(const unsigned char* input,
                                                       unsigned char* output) {
    using namespace brondavel::lh5::detail;
    // No input length comes with the call: the header states it. Read the header size
    // byte first, then only the header, then decode within the sizes it states.
    if (input == nullptr || input[0] < kBaseHeaderSize) return 0;
    const std::size_t headerEnd = 2u + input[0];
    std::optional<MemberInfo> info = ReadMemberHeader(input, headerEnd);
    if (!info) return 0;
    DecodeResult r =
        Decode(input, headerEnd + info->compressedSize, output, info->uncompressedSize);
    return r.ok() ? static_cast<unsigned int>(r.size) : 0u;
}
