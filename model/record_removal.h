// Deleting records named by id, the way the Delete command does (with their
// children), for changes that are not made through a list window.
#pragma once

#include <vector>

#include "model/database_engine.h"

namespace brondavel {

// Deletes the records of `kind` (0-3) with these ids and everything under
// them. The list's key filter is cleared on the way (the whole list must be
// shown to be selected); its find text and active-only mark are kept.
// Returns the number of records deleted, children included.
int DeleteRecordsById(DatabaseEngine& db, int kind, const std::vector<uint16_t>& ids);

}  // namespace brondavel
