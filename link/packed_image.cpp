#include "link/packed_image.h"

#include <algorithm>

#include "files/lh5/lh5_codec.h"

namespace brondavel::link {

bool HoldsWholePackedPayload(const uint8_t* head, size_t head_size, uint64_t written) {
    const size_t available = std::min<uint64_t>(head_size, written);
    if (available <= kImageHeaderSize) return false;
    const auto member =
        lh5::ReadMemberHeader(head + kImageHeaderSize, available - kImageHeaderSize);
    if (!member) return false;
    return kImageHeaderSize + member->headerSize + uint64_t{member->compressedSize} <= written;
}

}  // namespace brondavel::link
