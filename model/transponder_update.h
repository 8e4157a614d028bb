// Bringing one satellite's transponders up to date with published tables:
// a plan of additions, corrections and transponders the tables lack, which
// the user may trim before it is applied as one undoable step.
#pragma once

#include <string>
#include <vector>

#include "model/database_engine.h"
#include "model/transponder_table.h"

namespace brondavel {

struct PlannedAddition {
    TableTransponder entry;
    std::string name;  // after the list's naming
    bool chosen = true;
};

struct PlannedCorrection {
    uint16_t id = kNone;  // transponder
    uint32_t frequency = 0;
    char polarisation = 'H';
    uint32_t oldSymbolRate = 0, newSymbolRate = 0;
    uint16_t oldFec = 0, newFec = 0;
    bool chosen = true;
};

struct PlannedRemoval {
    uint16_t id = kNone;  // transponder the tables do not have
    uint32_t frequency = 0;
    char polarisation = 'H';
    uint32_t symbolRate = 0;
    int channels = 0;     // TV and radio channels on it
    bool chosen = false;  // deleted only when asked
};

struct TransponderUpdatePlan {
    uint16_t satelliteId = kNone;
    int longitude = 0;
    std::vector<std::string> sources;  // the tables used
    std::vector<PlannedAddition> additions;
    std::vector<PlannedCorrection> corrections;
    std::vector<PlannedRemoval> missing;
    int unchanged = 0;  // matched and already right
    int s2LeftOut = 0;  // DVB-S2 entries not taken
    int circular = 0;   // entries with circular polarisation, taken as V (R) or H (L)
    int rejected = 0;   // table entries with missing or impossible values
};

struct TransponderUpdateOptions {
    bool includeS2 = false;
    bool removeMissing = false;  // pre-chooses every removal
};

// The tables whose position is within 0.1 degree of `longitude`.
std::vector<TransponderTable> TablesAt(const std::vector<TransponderTable>& tables, int longitude);

// What updating satellite `satelliteId` from `tables` would change. A
// transponder matches an entry by frequency (within 2 MHz) and polarisation.
TransponderUpdatePlan PlanTransponderUpdate(const DatabaseEngine& db, uint16_t satelliteId,
                                            const std::vector<TransponderTable>& tables,
                                            const TransponderUpdateOptions& options);

struct TransponderUpdateResult {
    int added = 0, corrected = 0, removed = 0;
    int channelsRemoved = 0;
    std::string error;  // why nothing was changed
};

// Applies the chosen parts of `plan` as one undoable step, "Update
// Transponders". Nothing changes when the additions would overflow the list.
TransponderUpdateResult ApplyTransponderUpdate(DatabaseEngine& db,
                                               const TransponderUpdatePlan& plan);

// A new satellite named and placed after `table`, with all its DVB-S
// transponders (and the S2 ones on request), as one undoable step.
// Returns the new satellite's id, or kNone with `error` set.
uint16_t AddSatelliteFromTable(DatabaseEngine& db, const TransponderTable& table, bool includeS2,
                               std::string& error);

// The summary line: "added 3, corrected 2, not in the table 1, S2 left out 4".
std::string SummaryText(const TransponderUpdatePlan& plan);

}  // namespace brondavel
