// Key filters that name no record: a list narrowed to the children of
// records that are gone (an undone delete renumbers them away) would show
// nothing until the user clears it.
#pragma once

#include <vector>

#include "model/record.h"

namespace brondavel {
class DatabaseEngine;
}

namespace brondavel::app {

// The kinds whose key filter holds keys, none of which names an existing
// parent record.
std::vector<RecordKind> KindsWithStaleFilters(const DatabaseEngine& db);

}  // namespace brondavel::app
