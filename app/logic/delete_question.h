// The question a delete asks first when it takes records along: deleting a
// satellite takes its transponders and their channels, a transponder its
// channels.
#pragma once

#include <string>
#include <vector>

#include "model/record.h"

namespace brondavel {
class DatabaseEngine;
}

namespace brondavel::app {

struct DeleteCounts {
    size_t transponders = 0;
    size_t channels = 0;  // TV and radio
};

// What deleting `rows` of `kind` takes along.
DeleteCounts RecordsDeletedWith(const DatabaseEngine& db, RecordKind kind,
                                const std::vector<int>& rows);

// "Delete Thor with 10 transponders and 68 channels?"; empty when the delete
// takes nothing along and needs no question.
std::string DeleteQuestion(const DatabaseEngine& db, RecordKind kind, const std::vector<int>& rows);

}  // namespace brondavel::app
