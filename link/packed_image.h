// How a mode-1 receive tells a complete compressed flash image from a cut one.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brondavel::link {

// The flash-image header that precedes the payload.
inline constexpr size_t kImageHeaderSize = 128;
// Bytes from the start of a file that hold the header and any LH5 block header.
inline constexpr size_t kPackedHeadBytes = kImageHeaderSize + 2 + 255;

// True when the first bytes of a file (head, head_size of them) show a payload
// packed as one LH5 block whose header and packed data lie within the written
// bytes. Such an image is shorter than the payload length its header states.
bool HoldsWholePackedPayload(const uint8_t* head, size_t head_size, uint64_t written);

}  // namespace brondavel::link
