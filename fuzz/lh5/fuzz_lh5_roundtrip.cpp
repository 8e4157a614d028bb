// Compress then decompress gives the input back; a refused input leaves no member.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "files/lh5/lh5_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brondavel::lh5;
    std::vector<std::uint8_t> block(CompressBound(size));
    std::int64_t n = Compress(data, size, block.data(), block.size());
    if (n < 0) {
        if (block[0] != 0) std::abort();
        return 0;
    }
    if (static_cast<std::size_t>(n) >= size + kBlockOverhead) std::abort();
    std::vector<std::uint8_t> back(size);
    DecodeResult r = Decode(block.data(), static_cast<std::size_t>(n), back.data(), back.size());
    if (!r.ok() || r.size != size) std::abort();
    if (size != 0 && std::memcmp(back.data(), data, size) != 0) std::abort();
    return 0;
}
