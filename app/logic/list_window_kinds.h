// What tells the five list windows apart, as data: titles, letter-button
// codes and their actions, columns, menu texts, row colours, default places
// and the names their rectangles are stored under.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace brondavel::app {

inline constexpr int kLetterButtons = 9;

enum class LetterAction { kNone, kShowAll, kActiveOff, kActiveOn, kSort };

struct LetterSpec {
    char letter = ' ';  // ' ' blank, '-' separator
    LetterAction action = LetterAction::kNone;
    int sortOrder = 0;  // 1..4 for kSort
    std::string tooltip;
};

// The nine buttons of a kind, left to right; the code is read from the right.
std::array<LetterSpec, kLetterButtons> LetterSpecsOf(int kind);

// Whether a button's state holds, from the list's sort state, active-only
// flag and whether no list is narrowed: it is then drawn bold.
bool LetterHolds(const LetterSpec& button, uint32_t sortState, uint32_t activeOnly,
                 bool allKeyFiltersEmpty);

enum class ColumnAlign { kLeft, kRight, kCenter };
struct ListColumn {
    int width;
    ColumnAlign align;
};
// Column 0 (width 0, never seen) first.
std::vector<ListColumn> ColumnsOf(int kind);
// The column that takes the window's extra width, and its base width.
int MainColumnOf(int kind);
int MainColumnWidthFor(int kind, int widthGrowth);

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kWhite{255, 255, 255};
// Background of a cell: active satellites green, active transponders and
// favourites red, everything else white.
Rgb CellBackground(int kind, int column, bool rowActive);

const char* TitleOf(int kind);
// The context menu's first item when it was opened on no row.
const char* MenuHeadingOf(int kind);
// The active toggle's label, or null for kinds without one.
const char* ActiveToggleLabel(int kind, bool activeOnly);
// The sort items, orders 1.. in menu order; empty for favourites.
std::vector<std::string> SortLabelsOf(int kind);
// Whether the menu has New, Delete and Move (not for favourites).
bool HasRecordCommands(int kind);

struct Point {
    int x, y;
};
Point DefaultTopLeft(int kind);
const char* RectangleValueName(int kind);

// Lists refilled after a deletion in a kind's window: a satellite takes its
// transponders and channels along, a transponder its channels.
std::vector<int> ListsRefreshedAfterDelete(int kind);

}  // namespace brondavel::app
