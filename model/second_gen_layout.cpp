#include "model/second_gen_layout.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/second_gen_records.h"
#include "text/conexant_text.h"

namespace brondavel {

namespace {

constexpr ImageSection kSections[] = {
    {kSatellite, 352036, 352038, 352048, 64, 60},
    {kTransponder, 288024, 288026, 288036, 2000, 32},
    {kTv, 0, 2, 12, 4000, 48},
    {kRadio, 192012, 192014, 192024, 2000, 48},
};

// Longitude 0 shows as West everywhere; transponders always show their full
// tuning.
constexpr RecordTextStyle kTextStyle{1, 1, 0, 0};

}  // namespace

// Editing is limited by the image; what a flash class can store is checked
// when saving.
SecondGenLayout::SecondGenLayout()
    : RecordTextLayout({{{60, 40, 20, 64},
                         {32, 16, 16, 2000},
                         {48, 32, 16, 4000},
                         {48, 32, 16, 2000},
                         {16, 0, 16, 16}}},
                       kTextStyle) {}

uint16_t SecondGenLayout::SatelliteRefOf(const Record& t) const {
    return ReadU16(t.data());
}

void SecondGenLayout::SetSatelliteRef(Record& t, uint16_t satellite) const {
    WriteU16(t.data(), satellite);
}

Record SecondGenLayout::NewRecord(int kind) const {
    switch (kind) {
        case kSatellite: {
            gen2::SatelliteRecord s = gen2::SatelliteRecord::Default(0);
            s.setName("");
            return s.ToRecord();
        }
        case kTransponder: {
            gen2::TransponderRecord t = gen2::TransponderRecord::Default();
            t.setName("");
            return t.ToRecord();
        }
        default: {
            Record r;
            r.size = static_cast<uint8_t>(StoredSize(kind));
            return r;
        }
    }
}

std::span<const ImageSection> SecondGenLayout::Sections() const {
    return kSections;
}

std::vector<Record> SecondGenLayout::FavoritesFromImage(std::span<const uint8_t> image) const {
    std::vector<Record> groups;
    for (uint16_t g = 0; g < 16; ++g) {
        gen2::FavoriteRecord f;
        f.id = g;
        const size_t at =
            SecondGenImage::kFavoriteNamesOffset + g * SecondGenImage::kFavoriteNameSize;
        if (at + SecondGenImage::kFavoriteNameSize <= image.size())
            std::memcpy(f.stored.data(), image.data() + at, SecondGenImage::kFavoriteNameSize);
        groups.push_back(f.ToRecord());
    }
    return groups;
}

void SecondGenLayout::FinishImage(std::span<uint8_t> image) const {
    const ImageSection& s = kSections[kSatellite];
    if (image.size() < s.recordsOffset + size_t(s.capacity) * s.recordSize) return;
    const int n = std::min<int>(ReadU16(image.data() + s.countOffset), s.capacity);
    auto at = [&](int i) { return image.data() + s.recordsOffset + size_t(i) * s.recordSize; };
    for (int i = 0; i < n; ++i) {
        if (ReadU16(at(i)) != 0) continue;
        const uint16_t longitude = ReadU16(at(i) + 4);
        for (int j = 0; j < n; ++j) {
            if (j == i || ReadU16(at(j)) == 0 || ReadU16(at(j) + 4) != longitude) continue;
            WriteU16(at(i), ReadU16(at(j)));
            break;
        }
    }
}

uint32_t SecondGenLayout::AccessClass(const Record& channel) {
    const uint32_t c = GetField32(channel.data(), 24, 5, 11);
    if (c == 0) return 0;
    for (uint32_t bit : {1u, 2u, 4u, 8u, 16u, 32u, 512u, 64u, 256u, 128u})
        if (c & bit) return bit;
    return c >= 1024 ? 1024 : 0;
}

uint32_t SecondGenLayout::FrequencyOf(const Record& t) const {
    return ReadU32(t.data() + 4);
}

std::string SecondGenLayout::DisplayName(int kind, const Record& r) const {
    const size_t size = NameSize(kind);
    if (size == 0) return {};
    const char* p = reinterpret_cast<const char*>(r.data() + NameOffset(kind));
    return text::AnsiToUtf8(std::string_view(p, strnlen(p, size)));
}

void SecondGenLayout::StoreNameText(int kind, Record& r, std::string_view utf8) const {
    const size_t size = NameSize(kind);
    if (size == 0) return;
    std::string ansi = text::Utf8ToAnsi(utf8);
    if (ansi.size() > size - 1) ansi.resize(size - 1);
    // The edit dialogs print the name into the field: the bytes after its NUL
    // keep what they held.
    uint8_t* field = r.data() + NameOffset(kind);
    std::memcpy(field, ansi.data(), ansi.size());
    field[ansi.size()] = 0;
}

bool SecondGenLayout::IsFavoriteMember(const Record& channel, int group) const {
    return group >= 0 && group < 16 && ((ReadU16(channel.data() + 28) >> group) & 1);
}

void SecondGenLayout::SetFavoriteMember(Record& channel, int group, bool member) const {
    if (group < 0 || group >= 16) return;
    const uint16_t mask = ReadU16(channel.data() + 28), bit = static_cast<uint16_t>(1u << group);
    WriteU16(channel.data() + 28, static_cast<uint16_t>(member ? mask | bit : mask & ~bit));
}

RecordTextFacts SecondGenLayout::TextFacts(int kind, const Record& r) const {
    using namespace gen2;
    RecordTextFacts f = CommonTextFacts<SatelliteRecord, TransponderRecord, ServiceRecord>(kind, r);
    // No scrambled bit: any access system marks the channel.
    if (kind == kTv || kind == kRadio) f.scrambled = As<ServiceRecord>(r).accessSystems() != 0;
    return f;
}

}  // namespace brondavel
