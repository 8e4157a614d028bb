// A record as the lists hold it: a 16-bit id and the stored part that the
// receiver image carries. One type serves every kind and both generations;
// the list knows how many stored bytes are meaningful.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace brondavel {

// Record kinds, also the index of the list windows.
enum RecordKind : int {
    kSatellite = 0,
    kTransponder = 1,
    kTv = 2,
    kRadio = 3,
    kFavorite = 4,
};
inline constexpr int kKindCount = 5;

// No record, no row, no anchor, a new record.
inline constexpr uint16_t kNone = 0xFFFF;
inline constexpr int kNoRow = 0xFFFF;

// The largest stored part of any layout (second-generation satellite).
inline constexpr size_t kMaxStoredSize = 60;

struct Record {
    uint16_t id = kNone;
    uint8_t size = 0;
    std::array<uint8_t, kMaxStoredSize> bytes{};

    Record() = default;
    Record(uint16_t recordId, std::span<const uint8_t> stored) : id(recordId) { Assign(stored); }

    void Assign(std::span<const uint8_t> stored) {
        size = static_cast<uint8_t>(std::min(stored.size(), kMaxStoredSize));
        bytes.fill(0);
        std::memcpy(bytes.data(), stored.data(), size);
    }
    uint8_t* data() { return bytes.data(); }
    const uint8_t* data() const { return bytes.data(); }
    std::span<const uint8_t> stored() const { return {bytes.data(), size}; }
    std::span<uint8_t> stored() { return {bytes.data(), size}; }

    bool SameStored(const Record& other) const {
        return size == other.size && std::memcmp(bytes.data(), other.bytes.data(), size) == 0;
    }
    // Whole-record equality, id included.
    bool operator==(const Record& other) const { return id == other.id && SameStored(other); }
};

}  // namespace brondavel
