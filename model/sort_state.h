// A list's sort state as typed values. The lists keep it packed in one word
// (order in the low nibble, direction in the next), as files and the undo
// history carry it.
#pragma once

#include <cstdint>

namespace brondavel {

// The orders a list can be sorted by; the third and fourth mean a different
// field per kind.
enum class SortOrder : uint8_t {
    kNone = 0,
    kOriginal = 1,
    kName = 2,
    kLongitude = 3,  // satellites
    kSatellite = 3,  // transponders
    kScramble = 3,   // channels
    kFrequency = 4,  // transponders
    kLock = 4,       // channels
};

enum class SortDirection : uint8_t { kAscending, kDescending };

struct SortState {
    SortOrder order = SortOrder::kOriginal;
    SortDirection direction = SortDirection::kAscending;
    bool operator==(const SortState&) const = default;
};

constexpr SortState DecodeSortState(uint32_t packed) {
    return {static_cast<SortOrder>(packed & 0xF),
            ((packed >> 4) & 0xF) == 2 ? SortDirection::kDescending : SortDirection::kAscending};
}

}  // namespace brondavel
