// Channels joining and leaving favourite groups from the TV and radio lists.
#pragma once

#include <string>
#include <vector>

#include "model/record.h"

namespace brondavel {
class DatabaseEngine;
}

namespace brondavel::app {

// The groups' names, group 0 first.
std::vector<std::string> FavoriteGroupNames(const DatabaseEngine& db);

// Puts the channels of `rows` into group `group`, or takes them out, as one
// undo step. The number of channels changed; 0 changes nothing.
int SetFavoriteMembership(DatabaseEngine& db, RecordKind kind, const std::vector<int>& rows,
                          int group, bool member);

}  // namespace brondavel::app
