// What differs between two channel databases of either generation: the
// records added, removed, moved and changed, kind by kind. Records are
// paired by RecordIdentity, and changes listed field by field from the
// field tables.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/database_engine.h"
#include "model/record_identity.h"

namespace brondavel {

struct FieldChange {
    std::string field;
    std::string before, after;  // as FieldText shows them
};

struct DiffEntry {
    RecordIdentity
        identity;  // as the record stands in the second database, or the first when removed
    int positionBefore = -1;  // stored position in the first database, -1 when added
    int positionAfter = -1;   // in the second, -1 when removed
    std::vector<FieldChange> changes;
};

struct KindDiff {
    std::vector<DiffEntry> added, removed, moved, changed;
    bool Empty() const {
        return added.empty() && removed.empty() && moved.empty() && changed.empty();
    }
};

struct DatabaseDiff {
    std::array<KindDiff, 4> kinds;  // satellites, transponders, TV, radio
    bool Empty() const {
        for (const KindDiff& k : kinds)
            if (!k.Empty()) return false;
        return true;
    }
};

// Moved: the fewest records whose going elsewhere explains the new order, so
// one channel inserted at the top moves nothing else. A reference is compared
// by the record it points to (a change of parent is a "satellite" or
// "transponder" change), never by its stored id.
DatabaseDiff DiffDatabases(const DatabaseEngine& before, const DatabaseEngine& after);

}  // namespace brondavel
