// The two C entry points of liblh5.so, on top of the bounded C++ codec.
#include <climits>

#include "files/lh5/lh5.h"
#include "files/lh5/lh5_codec.h"
#include "files/lh5/lh5_format.h"

#define LH5_EXPORT __attribute__((visibility("default")))

extern "C" LH5_EXPORT int F_COMPRESS_Data(const unsigned char* input, unsigned char* output,
                                          int inputSize) {
    using namespace brondavel::lh5;
    if (inputSize < 0 || static_cast<std::size_t>(inputSize) > INT_MAX - kBlockOverhead) return -1;
    const auto size = static_cast<std::size_t>(inputSize);
    return static_cast<int>(Compress(input, size, output, CompressBound(size)));
}

extern "C" LH5_EXPORT unsigned int F_DECOMPRESS_Decode(const unsigned char* input,
                                                       unsigned char* output) {
    using namespace brondavel::lh5;
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
