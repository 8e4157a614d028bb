// Copying the records of another database (of either generation) into this
// one without doubling what is already there.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/record_convert.h"

namespace brondavel {

struct MergeOptions {
    // Which kinds to copy (satellites, transponders, TV, radio); parents of a
    // copied record come along whatever is chosen.
    std::array<bool, 4> kinds{true, true, true, true};
    bool favorites = false;  // new channels keep their favourite groups
};

struct MergeResult {
    std::array<int, 4> added{};
    std::array<int, 4> matched{};  // kept as they are
    int orphansSkipped = 0;        // records of the other file without a parent
    ConversionLosses losses;
    std::string error;  // why nothing was added
    int Added() const { return added[0] + added[1] + added[2] + added[3]; }
};

// Satellites match by position (and name where two share one), transponders
// by satellite, frequency (within 2 MHz) and polarisation, channels by
// transponder and service id, then by name. Matched records stay as they
// are. One undoable step, "Merge"; nothing is added when a list would
// overflow.
MergeResult MergeDatabase(DatabaseEngine& db, const DatabaseEngine& other,
                          const MergeOptions& options);

// The counts as lines of a report ("TV channels: 12 added, 300 already there").
std::vector<std::string> MergeReportLines(const MergeResult& result);

}  // namespace brondavel
