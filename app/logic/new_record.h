// What a new satellite, transponder or channel starts with: a transponder
// needs a satellite and a channel a transponder, and the new record belongs
// to the one the user is looking at.
#pragma once

#include <optional>
#include <string>

#include "model/database_engine.h"

namespace brondavel::app {

// The kind a record of `kind` refers to (satellites for transponders,
// transponders for TV and radio channels), or nullopt.
std::optional<int> ParentKindOf(int kind);

// Why no new record of `kind` can be made ("There is no satellite..."), empty
// when one can.
std::string NewRecordRefusal(const DatabaseEngine& db, int kind);

// The id of the parent a new record of `kind` starts with: the parent whose
// children the list shows, else the first; 0 when the kind has no parent.
int DefaultParentId(const DatabaseEngine& db, int kind);

}  // namespace brondavel::app
