// Everything that differs between the two receiver generations: record
// layouts, image geometry, sort keys and display texts. The database engine
// is written once against this interface.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/byte_fields.h"
#include "model/list_control.h"
#include "model/receiver_generation.h"
#include "model/record.h"

namespace brondavel {

// Where one record list lives in the receiver image.
struct ImageSection {
    int kind;
    size_t offset;         // start of the section (its 12-byte header)
    size_t countOffset;    // u16 number of records
    size_t recordsOffset;  // first record
    int capacity;          // record slots in the image
    size_t recordSize;
};

// How one sort order of one kind sorts.
struct SortSpec {
    enum Method { kNone, kById, kByName, kByKey, kBucket };
    Method method = kNone;
    size_t nameOffset = 0, nameSize = 0;        // kByName
    std::function<int64_t(const Record&)> key;  // kByKey
    std::vector<uint32_t> bucketKeys;           // kBucket, in ascending order
    std::function<uint32_t(const Record&)> bucketOf;
};

// The fixed facts of one record kind in a layout.
struct KindGeometry {
    size_t storedSize;
    size_t nameOffset;
    size_t nameSize;
    int editCapacity;  // how many records editing may create in the list
};

class DatabaseLayout {
  public:
    explicit DatabaseLayout(const std::array<KindGeometry, kKindCount>& kinds) : kinds_(kinds) {}
    virtual ~DatabaseLayout() = default;

    virtual ::brondavel::Generation Generation() const = 0;

    // Records; 0 for a kind outside 0-4.
    size_t StoredSize(int kind) const { return Valid(kind) ? kinds_[kind].storedSize : 0; }
    size_t NameOffset(int kind) const { return Valid(kind) ? kinds_[kind].nameOffset : 0; }
    size_t NameSize(int kind) const { return Valid(kind) ? kinds_[kind].nameSize : 0; }
    int EditCapacity(int kind) const { return Valid(kind) ? kinds_[kind].editCapacity : 0; }
    virtual uint16_t SatelliteRefOf(const Record& transponder) const = 0;
    virtual void SetSatelliteRef(Record& transponder, uint16_t satellite) const = 0;
    // Both generations keep a channel's transponder in its first u16.
    uint16_t TransponderRefOf(const Record& channel) const { return ReadU16(channel.data()); }
    void SetTransponderRef(Record& channel, uint16_t transponder) const {
        WriteU16(channel.data(), transponder);
    }
    // Both generations keep a satellite's longitude (tenths of a degree, west
    // negative) as the i16 at offset 4 and a channel's lock in bit 0 of its
    // flags at offset 24.
    int16_t LongitudeOf(const Record& satellite) const {
        return static_cast<int16_t>(ReadU16(satellite.data() + 4));
    }
    bool IsLocked(const Record& channel) const { return channel.data()[24] & 1; }
    // A new record with every default except the name, which stays empty.
    virtual Record NewRecord(int kind) const = 0;
    // The name a new record gets ("User-%02d", "User", "New Channel").
    std::string DefaultName(int kind, int satelliteCount) const;

    // Image.
    virtual size_t ImageSize() const = 0;
    // Satellites, transponders, TV and radio, in the order the loader reads them.
    virtual std::span<const ImageSection> Sections() const = 0;
    // True: a record whose parent is missing is written with its reference as
    // it stands; false: its slot is left 0xFF (the count still includes it).
    virtual bool KeepsOrphans() const = 0;
    virtual std::vector<Record> FavoritesFromImage(std::span<const uint8_t> image) const = 0;
    // Last step of a rebuild, on the finished image.
    virtual void FinishImage(std::span<uint8_t> /*image*/) const {}

    // Views.
    // How `order` (1-4, the Sort menu's entries) sorts a kind; kNone for an
    // order the kind does not have.
    SortSpec SortFor(int kind, int order) const;
    virtual uint32_t FrequencyOf(const Record& transponder) const = 0;
    // The "Scramble" bucket of a channel and how many buckets there are
    // (keys 0, 1, 2, 4, ...).
    virtual uint32_t AccessClassOf(const Record& channel) const = 0;
    virtual int AccessClassKeyCount() const = 0;
    virtual std::vector<RowCell> RowCells(int kind, int row, const Record& record) const = 0;
    virtual std::string PickListText(int kind, const Record& record) const = 0;
    virtual std::string Describe(int kind, const Record& record) const = 0;
    // The name as the user sees it (UTF-8), cut to the byte limit of the list rows.
    virtual std::string DisplayName(int kind, const Record& record) const = 0;
    // Stores UTF-8 text from the user as the record's name, the way the edit
    // dialogs do (the edit box's character limit, then the field's limits).
    virtual void StoreNameText(int kind, Record& record, std::string_view utf8) const = 0;

    // Favourite-group membership of a channel (group 0 to 15).
    virtual bool IsFavoriteMember(const Record& channel, int group) const = 0;
    virtual void SetFavoriteMember(Record& channel, int group, bool member) const = 0;

  protected:
    // The row of a channel: number, name, then the lock, favourite and
    // scramble images (column 0 is always empty).
    static std::vector<RowCell> ChannelRow(int row, std::string name, bool locked, bool favorite,
                                           bool scrambled) {
        return {{},
                {std::to_string(row + 1)},
                {std::move(name)},
                {"", locked ? 1 : -1},
                {"", favorite ? 2 : -1},
                {"", scrambled ? 3 : -1}};
    }

  private:
    static bool Valid(int kind) { return kind >= 0 && kind < kKindCount; }
    std::array<KindGeometry, kKindCount> kinds_;
};

}  // namespace brondavel
