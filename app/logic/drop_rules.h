// Where a drop on a list window lands, decided from plain numbers so the
// rules hold without a display: the row under the cursor, the top and end
// zones, the refused gap, and the drag header that tells our own drags from
// foreign data.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace brondavel::app {

// The drop was refused without a message (the cursor was in no row's zone).
inline constexpr int kDropRefused = -1;

// What a drop of our own rows does: reorder within the list it came from, or
// hang the rows under the parent they are dropped on.
enum class DropEffect { kMove, kReparent };

// What the target list shows where the cursor is, in the list's own pixels.
struct DropSpot {
    int rowCount = 0;
    int rowUnderCursor = -1;  // -1: the cursor is over no row
    int cursorY = 0;
    int firstVisibleTop = 0;  // top of the first visible row
    int lastVisibleTop = 0;   // top of the last visible row
};

// The row a drop goes to: 0 in an empty list, the row under the cursor, 0 up
// to 5 px below the first visible row's top, the row count (after the end)
// below the last visible row's top; anything in between is refused.
int DropRow(const DropSpot& spot);

// True when a drop inside the list it came from lands within the dragged
// block (first to last dragged row, inclusive).
bool DropsOntoItself(int dropRow, std::span<const int> dragged);

// A move within one list goes after the record of the row it is dropped on;
// "after the end" means after the last row.
int MoveAnchorRow(int dropRow, int rowCount);

// Auto-scroll while dragging over a list: 300 ms before the first step, then
// one line every 100 ms while the cursor stays in the 10 px margins.
inline constexpr int kScrollStartDelayMs = 300;
inline constexpr int kScrollRepeatMs = 100;
inline constexpr int kScrollMargin = 10;
// -1 one line up, +1 one line down, 0 no scrolling.
int ScrollDirection(int cursorY, int viewportHeight);

// The private drag payload of the list windows: the marker (0), the number
// of dragged rows, the process and the source list control, then the rows.
struct DragHeader {
    uint32_t marker = 0;
    uint32_t rowCount = 0;
    uint32_t process = 0;
    uint64_t source = 0;  // identity of the source list control
};
std::vector<uint8_t> EncodeDragPayload(const DragHeader& header, std::span<const int> rows);
// The header of a payload; nothing when it is too short to hold one.
std::optional<DragHeader> DecodeDragHeader(std::span<const uint8_t> payload);
// The dragged rows that follow the header, as many as the header counts and
// the payload holds.
std::vector<int> DecodeDraggedRows(std::span<const uint8_t> payload);

}  // namespace brondavel::app
