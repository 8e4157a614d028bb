// Row texts, pick-list items and one-line descriptions, written once for both
// receiver generations: each layout reads the facts of a record, and a small
// style says where the generations show them differently.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/database_layout.h"
#include "model/typed_record.h"

namespace brondavel {

// What the texts show of a record besides its name.
struct RecordTextFacts {
    // Satellites.
    int longitude = 0;         // tenths of a degree, positive = East
    bool terrestrial = false;  // the row shows "TERR" instead of the position
    // Transponders.
    uint32_t frequency = 0;
    uint32_t symbolRate = 0;
    char polarisation = 'H';
    // Channels: the row's lock, favourite and scramble images.
    bool locked = false;
    bool favorite = false;
    bool scrambled = false;
};

struct RecordTextStyle {
    // Smallest longitude shown as East in the satellite row, and in the pick
    // list and the description.
    int rowEastFrom;
    int listEastFrom;
    // Transponders whose symbol rate is below this show their frequency in
    // tenths in the row, and the frequency only in the pick list and the
    // description (0: never).
    uint32_t rowTenthsBelow;
    uint32_t listFrequencyOnlyBelow;
};

// The facts that the typed records of both generations give alike; whether a
// satellite is terrestrial and a channel scrambled is each layout's own rule.
template <typename Satellite, typename Transponder, typename Service>
RecordTextFacts CommonTextFacts(int kind, const Record& record) {
    RecordTextFacts f;
    if (kind == kSatellite) {
        f.longitude = As<Satellite>(record).longitude();
    } else if (kind == kTransponder) {
        const Transponder t = As<Transponder>(record);
        f.frequency = t.frequency();
        f.symbolRate = t.symbolRate();
        f.polarisation = t.polarisation() == 1 ? 'V' : 'H';
    } else if (kind == kTv || kind == kRadio) {
        const Service c = As<Service>(record);
        f.locked = c.locked();
        f.favorite = c.favoriteMask() != 0;
    }
    return f;
}

// Names for the list windows. A row shows layout.DisplayName(kind, record):
// the logical beginning of the name, as much as a row holds. These give the
// rest.

// The whole name of a record, UTF-8 (what exports and the command line print).
std::string WholeName(const DatabaseLayout& layout, int kind, const Record& record);
// True when the record's name reads right to left (its cell is right-aligned).
bool NameIsRightToLeft(const DatabaseLayout& layout, int kind, const Record& record);

class RecordTextLayout : public DatabaseLayout {
  public:
    RecordTextLayout(const std::array<KindGeometry, kKindCount>& kinds, RecordTextStyle style)
        : DatabaseLayout(kinds), style_(style) {}

    std::vector<RowCell> RowCells(int kind, int row, const Record& record) const final;
    std::string PickListText(int kind, const Record& record) const final;
    std::string Describe(int kind, const Record& record) const final;

  protected:
    // The facts of the record's kind; the others may stay at their defaults.
    virtual RecordTextFacts TextFacts(int kind, const Record& record) const = 0;

  private:
    RecordTextStyle style_;
};

}  // namespace brondavel
