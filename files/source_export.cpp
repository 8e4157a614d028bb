#include "files/source_export.h"

#include <cstdio>
#include <cstring>

#include "model/byte_fields.h"
#include "model/first_gen_layout.h"

namespace brondavel {

namespace {

struct SectionView {
    const uint8_t* records;
    int count;
    size_t recordSize;
    const uint8_t* At(int i) const { return records + size_t(i) * recordSize; }
};

SectionView Section(std::span<const uint8_t> image, const ImageSection& s) {
    const int count = std::min<int>(ReadU16(image.data() + s.countOffset), s.capacity);
    return {image.data() + s.recordsOffset, count, s.recordSize};
}

// The raw name bytes up to the NUL, never past the field.
std::string RawName(const uint8_t* field, size_t size) {
    const char* p = reinterpret_cast<const char*>(field);
    return std::string(p, strnlen(p, size));
}

template <typename... Args>
void Append(std::string& out, const char* format, Args... args) {
    const int n = std::snprintf(nullptr, 0, format, args...);
    if (n <= 0) return;
    const size_t at = out.size();
    out.resize(at + size_t(n) + 1);
    std::snprintf(out.data() + at, size_t(n) + 1, format, args...);
    out.resize(at + size_t(n));
}

}  // namespace

std::string DefaultChannelTable(std::span<const uint8_t> image) {
    std::string out;
    if (image.size() < FirstGenImage::kSize) return out;
    FirstGenLayout layout;
    const auto sections = layout.Sections();
    const SectionView sats = Section(image, sections[kSatellite]);
    const SectionView tps = Section(image, sections[kTransponder]);
    const SectionView channels[2] = {Section(image, sections[kTv]),
                                     Section(image, sections[kRadio])};

    for (int t = 0; t < tps.count; ++t) {
        int carried = 0;
        for (const SectionView& list : channels)
            for (int c = 0; c < list.count; ++c) carried += ReadU16(list.At(c)) == t;
        if (carried == 0) continue;

        const uint8_t* tp = tps.At(t);
        const int satellite = static_cast<int>(GetField32(tp, 0, 0, 12));
        // A transponder whose satellite is missing prints an empty name.
        std::string satName = satellite < sats.count ? RawName(sats.At(satellite) + 20, 24) : "";
        for (char& ch : satName)
            if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
        const int frequency = static_cast<int>(GetField32(tp, 0, 12, 20));
        const bool horizontal = GetField32(tp, 4, 20, 4) == 2;
        Append(out, "\nDEFDB_CHDATA_t\tCH_%s_%05d%s[] = \n{\n", satName.c_str(), frequency,
               horizontal ? "_HOR_" : "_VER_");
        for (const SectionView& list : channels) {
            for (int c = 0; c < list.count; ++c) {
                const uint8_t* ch = list.At(c);
                if (ReadU16(ch) != t) continue;
                const std::string quoted = "\"" + RawName(ch + 32, 24) + "\"";
                Append(out, "\t{ 0x%04X,\t%4d,\t%4d,\t%4d,\t0x%04X,\t%-18s },\n", ReadU16(ch + 2),
                       ReadU16(ch + 6), ReadU16(ch + 8), ReadU16(ch + 12),
                       GetField32(ch, 24, 4, 12), quoted.c_str());
            }
        }
        out += "\t{ 0, },\n};\n";
    }
    return out;
}

}  // namespace brondavel
