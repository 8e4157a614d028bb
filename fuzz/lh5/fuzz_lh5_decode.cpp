// Arbitrary members through the bounded decoder and through F_DECOMPRESS_Decode with
// exactly the bytes its header states.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "files/lh5/lh5.h"
#include "files/lh5/lh5_codec.h"

namespace {
constexpr std::uint32_t kMaxOutput = 256u << 10;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brondavel::lh5;
    auto info = ReadMemberHeader(data, size);
    std::size_t capacity = info ? std::min(info->uncompressedSize, kMaxOutput) : 4096;
    // Exactly the capacity, left uninitialised: the sanitizers see any stray byte.
    std::unique_ptr<std::uint8_t[]> out(new std::uint8_t[capacity]);
    DecodeResult r = Decode(data, size, out.get(), capacity);
    if (!r.ok() && r.status != DecodeStatus::kCrcMismatch && r.size != 0) std::abort();
    if (r.size > capacity) std::abort();

    if (info && info->uncompressedSize <= kMaxOutput &&
        info->headerSize + info->compressedSize <= size) {
        std::vector<std::uint8_t> in(data, data + info->headerSize + info->compressedSize);
        std::unique_ptr<std::uint8_t[]> out2(new std::uint8_t[info->uncompressedSize]);
        unsigned n = F_DECOMPRESS_Decode(in.data(), out2.get());
        if (n != 0 && n != info->uncompressedSize) std::abort();
    }
    return 0;
}
