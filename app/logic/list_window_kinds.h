// The rules the list windows derive from the kind traits: which letter
// button sits where and when it is drawn bold, cell colours, the width of
// the name column and the lists a deletion refills.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "app/logic/kind_traits.h"

namespace brondavel::app {

// The nine buttons of a kind, left to right; the code is read from the right.
std::array<LetterSpec, kLetterButtons> LetterSpecsOf(RecordKind kind);

// Whether a button's state holds, from the list's sort state, active-only
// flag and whether no list is narrowed: it is then drawn bold.
bool LetterHolds(const LetterSpec& button, SortState sort, bool activeOnly,
                 bool allKeyFiltersEmpty);

// Background of a cell: the kind's active colour on the visible cells of an
// active row, white everywhere else.
Rgb CellBackground(RecordKind kind, int column, bool rowActive);

// The base width of the name column plus what the window grew by.
int MainColumnWidthFor(RecordKind kind, int widthGrowth);

// Lists refilled after a deletion in a kind's window: the kind, every kind
// below it and, when channels go along, the favourite groups.
std::vector<RecordKind> ListsRefreshedAfterDelete(RecordKind kind);

}  // namespace brondavel::app
