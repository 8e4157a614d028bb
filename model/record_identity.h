// How a record of one file is found again in another, of either generation:
// satellites by position, transponders by satellite position, frequency and
// polarisation, channels by those and their service id; the name when the
// key finds nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/database_engine.h"

namespace brondavel {

struct RecordIdentity {
    // False for a record whose parents are missing: only its name can match it.
    bool keyed = false;
    int longitude = 0;  // tenths of a degree of the satellite, positive = East
    uint32_t frequency = 0;
    char polarisation = 'H';
    uint32_t serviceId = 0;
    std::string name;  // UTF-8, whole

    // The key as one text, for lookups ("192/11778/V/1234").
    std::string Key(int kind) const;
    // As a line of text shows it ("19.2E 11778 V sid 1234").
    std::string Describe(int kind) const;
};

// The identities of the records of `kind` (0-3) in stored order.
std::vector<RecordIdentity> IdentitiesOf(const DatabaseEngine& db, int kind);

struct RecordMatching {
    // For each position in the first list, the matched position in the
    // second, or -1.
    std::vector<int> partnerOf;
    int byKey = 0;
    int byName = 0;
    int unmatched = 0;  // of the first list
};

// Pairs records one to one: key and name alike first, then key alone, then
// the name alone (case folded) among those left; equal keys pair in order.
RecordMatching MatchRecords(int kind, const std::vector<RecordIdentity>& first,
                            const std::vector<RecordIdentity>& second);

// Positions of a list in their new order: the matched ones by their
// partner's position, then the rest as they stand.
std::vector<int> OrderByPartner(const std::vector<int>& partnerOf);

}  // namespace brondavel
