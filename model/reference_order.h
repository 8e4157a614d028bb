// Giving the channels of a database the order of another file's channels,
// the way a user gets the old order back after a new scan on the receiver.
#pragma once

#include "model/database_engine.h"

namespace brondavel {

struct ReferenceOrderResult {
    int byKey = 0;      // TV and radio channels matched by their key
    int byName = 0;     // matched by name when the key found nothing
    int unmatched = 0;  // kept in their relative order after the matched ones
};

// The TV and radio channels of `db` take the order of their matches in
// `reference` (of either generation), and with `favorites` also their
// favourite-group memberships. One undoable step, "Apply Order".
ReferenceOrderResult ApplyReferenceOrder(DatabaseEngine& db, const DatabaseEngine& reference,
                                         bool favorites);

}  // namespace brondavel
