// Alt+Up / Alt+Down in a list window: the selected rows each go one place up
// or down the rows shown, past the neighbour that is not selected.
#pragma once

#include "model/database_engine.h"

namespace brondavel {

// Moves the selected rows of `list` (kinds 0-3) one row up (`step` < 0) or
// down (`step` > 0) as one undoable step. A block of rows already at the top
// (bottom) stays; the others still move. The moved rows stay selected, the
// clipboard is emptied. 1 when anything moved.
int MoveSelectionByOne(DatabaseEngine& db, int kind, ListControl* list, int step);

}  // namespace brondavel
