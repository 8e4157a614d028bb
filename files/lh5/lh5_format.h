// Constants and byte helpers shared by the LH5 encoder and decoder.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brondavel::lh5::detail {

inline constexpr int kDicBits = 13;
inline constexpr int kDicSize = 1 << kDicBits;
inline constexpr int kMaxMatch = 256;
inline constexpr int kThreshold = 3;
// Literal/length alphabet: 256 literals, then lengths 3..256 as symbol length + 253.
inline constexpr int kNC = 256 + kMaxMatch - kThreshold + 1;
inline constexpr int kNP = kDicBits + 1;  // position alphabet
inline constexpr int kNT = 19;            // code-length pre-tree
inline constexpr int kCBits = 9;
inline constexpr int kPBits = 4;
inline constexpr int kTBits = 5;
inline constexpr int kMaxCodeLen = 16;

// Offsets into the 25 header bytes that follow the size and checksum bytes.
inline constexpr int kBaseHeaderSize = 25;
inline constexpr int kMethodAt = 0;
inline constexpr int kCompressedSizeAt = 5;
inline constexpr int kUncompressedSizeAt = 9;
inline constexpr int kNameLengthAt = 19;

inline std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void PutLe16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void PutLe32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace brondavel::lh5::detail
