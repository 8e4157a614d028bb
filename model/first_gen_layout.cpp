#include "model/first_gen_layout.h"

#include <cstdio>
#include <cstdlib>

#include "text/conexant_text.h"
#include "model/first_gen_records.h"
#include "model/text_format.h"

namespace brondavel {

namespace {

constexpr ImageSection kSections[] = {
    {kSatellite, 0, 2, 12, 64, 44},
    {kTransponder, 2828, 2830, 2840, 2040, 24},
    {kTv, 51800, 51802, 51812, 3500, 56},
    {kRadio, 247812, 247814, 247824, 1100, 56},
};

char PolarisationLetter(const TransponderRecord& t) {
    return t.polarisation() == 1 ? 'V' : 'H';
}

// Symbol rates below 256 (bits 8-19 of modWord clear) mark a terrestrial
// transponder in the pick list and the description.
bool TerrestrialForPickList(const TransponderRecord& t) {
    return (t.symbolRate() >> 8) == 0;
}

}  // namespace

FirstGenLayout::FirstGenLayout()
    : DatabaseLayout({{{44, 20, 24, 64},
                       {24, 8, 16, 2040},
                       {56, 32, 24, 3500},
                       {56, 32, 24, FirstGenImage::kRadioFileCapacity},
                       {16, 0, 16, 16}}}) {}

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

std::vector<RowCell> FirstGenLayout::RowCells(int kind, int row, const Record& r) const {
    std::vector<RowCell> cells(1);
    switch (kind) {
        case kSatellite: {
            const SatelliteRecord s = As<SatelliteRecord>(r);
            const int lon = s.longitude(), mag = std::abs(lon);
            cells.push_back({DisplayName(kind, r)});
            cells.push_back({s.IsTerrestrial() ? std::string("TERR")
                                               : FormatText("%d.%1d%c", mag / 10, mag % 10,
                                                            lon >= 0 ? 'E' : 'W')});
            break;
        }
        case kTransponder: {
            const TransponderRecord t = As<TransponderRecord>(r);
            const int f = static_cast<int>(t.frequency()), sr = static_cast<int>(t.symbolRate());
            cells.push_back({DisplayName(kind, r)});
            cells.push_back({sr < 11 ? FormatText("%5d.%1d", f / 10, f % 10)
                                     : FormatText("%5d/%c/%5d", f, PolarisationLetter(t), sr)});
            break;
        }
        case kTv:
        case kRadio: {
            const ServiceRecord c = As<ServiceRecord>(r);
            return ChannelRow(row, DisplayName(kind, r), c.locked(), c.favoriteMask() != 0,
                              c.scrambled() != 0);
        }
        case kFavorite:
            cells.push_back({DisplayName(kind, r)});
            break;
        default:
            break;
    }
    return cells;
}

std::string FirstGenLayout::PickListText(int kind, const Record& r) const {
    const std::string name =
        text::NameToDisplay(r.data() + NameOffset(kind), NameSize(kind), text::kListByteLimit);
    switch (kind) {
        case kSatellite: {
            const int lon = As<SatelliteRecord>(r).longitude(), mag = std::abs(lon);
            return FormatText("%3d.%1d%c - %s", mag / 10, mag % 10, lon >= 1 ? 'E' : 'W',
                              name.c_str());
        }
        case kTransponder: {
            const TransponderRecord t = As<TransponderRecord>(r);
            if (TerrestrialForPickList(t))
                return FormatText("%5d - %s", static_cast<int>(t.frequency()), name.c_str());
            return FormatText("%5d/%c/%5d - %s", static_cast<int>(t.frequency()),
                              PolarisationLetter(t), static_cast<int>(t.symbolRate()),
                              name.c_str());
        }
        default:
            return name;
    }
}

std::string FirstGenLayout::Describe(int kind, const Record& r) const {
    const std::string name =
        text::NameToDisplay(r.data() + NameOffset(kind), NameSize(kind), text::kListByteLimit);
    switch (kind) {
        case kSatellite: {
            const int lon = As<SatelliteRecord>(r).longitude(), mag = std::abs(lon);
            return FormatText("%s (%d.%1d %c)", name.c_str(), mag / 10, mag % 10,
                              lon >= 1 ? 'E' : 'W');
        }
        case kTransponder: {
            const TransponderRecord t = As<TransponderRecord>(r);
            if (TerrestrialForPickList(t))
                return FormatText("%s - %5d", name.c_str(), static_cast<int>(t.frequency()));
            return FormatText("%s (%5d/%c/%5d)", name.c_str(), static_cast<int>(t.frequency()),
                              PolarisationLetter(t), static_cast<int>(t.symbolRate()));
        }
        case kTv:
            return name + " (TV)";
        case kRadio:
            return name + " (Radio)";
        default:
            return name;
    }
}

}  // namespace brondavel
