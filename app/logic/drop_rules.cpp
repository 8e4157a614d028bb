#include "app/logic/drop_rules.h"

#include <algorithm>

namespace brondavel::app {

int DropRow(const DropSpot& spot) {
    if (spot.rowCount <= 0) return 0;
    if (spot.rowUnderCursor >= 0 && spot.rowUnderCursor < spot.rowCount) return spot.rowUnderCursor;
    if (spot.cursorY <= spot.firstVisibleTop + 5) return 0;
    if (spot.cursorY > spot.lastVisibleTop) return spot.rowCount;
    return kDropRefused;
}

bool DropsOntoItself(int dropRow, std::span<const int> dragged) {
    if (dragged.empty()) return false;
    const auto [low, high] = std::minmax_element(dragged.begin(), dragged.end());
    return dropRow >= *low && dropRow <= *high;
}

int MoveAnchorRow(int dropRow, int rowCount) {
    return rowCount > 0 && dropRow >= rowCount ? rowCount - 1 : dropRow;
}

int ScrollDirection(int cursorY, int viewportHeight) {
    if (cursorY < kScrollMargin) return -1;
    if (cursorY >= viewportHeight - kScrollMargin) return 1;
    return 0;
}

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t Get32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

constexpr size_t kHeaderSize = 20;

}  // namespace

std::vector<uint8_t> EncodeDragPayload(const DragHeader& header, std::span<const int> rows) {
    std::vector<uint8_t> out;
    out.reserve(kHeaderSize + 4 * rows.size());
    Put32(out, header.marker);
    Put32(out, header.rowCount);
    Put32(out, header.process);
    Put32(out, static_cast<uint32_t>(header.source));
    Put32(out, static_cast<uint32_t>(header.source >> 32));
    for (int row : rows) Put32(out, static_cast<uint32_t>(row));
    return out;
}

std::optional<DragHeader> DecodeDragHeader(std::span<const uint8_t> payload) {
    if (payload.size() < kHeaderSize) return std::nullopt;
    DragHeader h;
    h.marker = Get32(payload.data());
    h.rowCount = Get32(payload.data() + 4);
    h.process = Get32(payload.data() + 8);
    h.source = uint64_t(Get32(payload.data() + 12)) | uint64_t(Get32(payload.data() + 16)) << 32;
    return h;
}

std::vector<int> DecodeDraggedRows(std::span<const uint8_t> payload) {
    std::vector<int> rows;
    const std::optional<DragHeader> header = DecodeDragHeader(payload);
    if (!header) return rows;
    const size_t room = (payload.size() - kHeaderSize) / 4;
    const size_t count = std::min<size_t>(header->rowCount, room);
    rows.reserve(count);
    for (size_t i = 0; i < count; ++i)
        rows.push_back(static_cast<int>(Get32(payload.data() + kHeaderSize + 4 * i)));
    return rows;
}

}  // namespace brondavel::app
