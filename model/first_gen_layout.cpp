#include "model/first_gen_layout.h"

#include <cstdio>
#include <cstdlib>

#include "model/first_gen_records.h"
#include "text/conexant_text.h"

namespace brondavel {

namespace {

constexpr ImageSection kSections[] = {
    {kSatellite, 0, 2, 12, 64, 44},
    {kTransponder, 2828, 2830, 2840, 2040, 24},
    {kTv, 51800, 51802, 51812, 3500, 56},
    {kRadio, 247812, 247814, 247824, 1100, 56},
};

// Longitude 0 is East in the row but West in the pick list and the
// description; symbol rates below 11 show the frequency in tenths in the row,
// below 256 (bits 8-19 of modWord clear) a terrestrial form in the pick list
// and the description.
constexpr RecordTextStyle kTextStyle{0, 1, 11, 256};

}  // namespace

FirstGenLayout::FirstGenLayout()
    : RecordTextLayout({{{44, 20, 24, 64},
                         {24, 8, 16, 2040},
                         {56, 32, 24, 3500},
                         {56, 32, 24, FirstGenImage::kRadioFileCapacity},
                         {16, 0, 16, 16}}},
                       kTextStyle) {}

uint16_t FirstGenLayout::SatelliteRefOf(const Record& t) const {
    return static_cast<uint16_t>(GetField32(t.data(), 0, 0, 12));
}

void FirstGenLayout::SetSatelliteRef(Record& t, uint16_t satellite) const {
    SetField32(t.data(), 0, 0, 12, satellite);
}

Record FirstGenLayout::NewRecord(int kind) const {
    Record r;
    switch (kind) {
        case kSatellite: {
            SatelliteRecord s = SatelliteRecord::Default(0);
            s.setName("");
            return s.ToRecord();
        }
        case kTransponder: {
            TransponderRecord t = TransponderRecord::Default();
            t.setName("");
            return t.ToRecord();
        }
        default:
            r.size = static_cast<uint8_t>(StoredSize(kind));
            return r;
    }
}

std::span<const ImageSection> FirstGenLayout::Sections() const {
    return kSections;
}

std::vector<Record> FirstGenLayout::FavoritesFromImage(std::span<const uint8_t>) const {
    // The first-generation image holds no group names: every load starts
    // from the 16 default groups.
    std::vector<Record> groups;
    for (uint16_t g = 0; g < 16; ++g) {
        FavoriteRecord f;
        f.id = g;
        f.setName(kDefaultFavoriteNames[g]);
        groups.push_back(f.ToRecord());
    }
    return groups;
}

uint32_t FirstGenLayout::AccessClass(const Record& channel) {
    const uint32_t c = GetField32(channel.data(), 24, 4, 12);
    if (c == 0) return 0;
    for (uint32_t bit : {1u, 2u, 4u, 8u, 16u, 32u, 256u, 64u, 128u, 1024u})
        if (c & bit) return bit;
    if (c >= 2048) return 2048;
    // Only XCRYPT is left: it keeps a class of its own (never the free class).
    return 512;
}

uint32_t FirstGenLayout::FrequencyOf(const Record& t) const {
    return GetField32(t.data(), 0, 12, 20);
}

std::string FirstGenLayout::DisplayName(int kind, const Record& r) const {
    return text::NameToDisplay(r.data() + NameOffset(kind), NameSize(kind), text::kListByteLimit);
}

void FirstGenLayout::StoreNameText(int kind, Record& r, std::string_view utf8) const {
    // What the edit boxes accept: 19 characters for satellites, 15 otherwise.
    const size_t boxChars = kind == kSatellite  ? text::kSatelliteNameChars
                            : kind == kFavorite ? text::kFavoriteNameBytes - 1
                                                : text::kChannelNameChars;
    size_t cut = 0, chars = 0;
    while (cut < utf8.size() && chars < boxChars) {
        ++cut;
        while (cut < utf8.size() && (static_cast<uint8_t>(utf8[cut]) & 0xC0) == 0x80) ++cut;
        ++chars;
    }
    text::StoreName(utf8.substr(0, cut), r.data() + NameOffset(kind), NameSize(kind),
                    text::kEditCharLimit);
}

bool FirstGenLayout::IsFavoriteMember(const Record& channel, int group) const {
    return group >= 0 && group < 16 && GetField32(channel.data(), 28, 12 + group, 1);
}

void FirstGenLayout::SetFavoriteMember(Record& channel, int group, bool member) const {
    if (group >= 0 && group < 16) SetField32(channel.data(), 28, 12 + group, 1, member);
}

RecordTextFacts FirstGenLayout::TextFacts(int kind, const Record& r) const {
    RecordTextFacts f = CommonTextFacts<SatelliteRecord, TransponderRecord, ServiceRecord>(kind, r);
    if (kind == kSatellite) f.terrestrial = As<SatelliteRecord>(r).IsTerrestrial();
    // The access-system bits count only while the scrambled bit is set.
    if (kind == kTv || kind == kRadio) f.scrambled = As<ServiceRecord>(r).scrambled();
    return f;
}

}  // namespace brondavel
