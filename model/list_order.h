// Giving the channels the order of a shared text list, matched by service
// id and name, and on request the list's names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/database_engine.h"

namespace brondavel {

// One line of a shared channel list.
struct ReferenceEntry {
    int number = 0;
    std::string name;  // UTF-8
    bool hasIds = false;
    uint16_t networkId = 0, transportId = 0, serviceId = 0;
};

struct CutName {
    std::string wanted, stored;
};

struct ListOrderResult {
    int bySidAndName = 0, bySid = 0, byName = 0;
    int unmatched = 0;  // channels, kept in their order after the matched ones
    int renamed = 0;
    std::vector<CutName> cutNames;  // names the field could not hold whole
    int Matched() const { return bySidAndName + bySid + byName; }
};

// TV and radio channels take the order of their entries: matched by service
// id together with name, then by service id where it is unique on both
// sides, then by name (case and spaces ignored). With `takeNames` matched
// channels are renamed after the list. One undoable step, "Apply Order".
ListOrderResult ApplyListOrder(DatabaseEngine& db, const std::vector<ReferenceEntry>& entries,
                               bool takeNames);

// The channels of `kind` (2 or 3) in stored order as list entries, numbered
// from 1. The records keep no network or transport stream ids: those are 0.
std::vector<ReferenceEntry> ReferenceEntriesOf(const DatabaseEngine& db, int kind);

}  // namespace brondavel
