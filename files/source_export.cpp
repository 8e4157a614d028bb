#include "files/source_export.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string_view>

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

// The array's name: the upper-cased satellite name with every character that
// cannot stand in a C identifier written as '_'.
std::string ArrayName(std::string satellite, int frequency, bool horizontal) {
    for (char& ch : satellite) {
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
        const bool letterOrDigit = (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
        if (!letterOrDigit) ch = '_';
    }
    char number[16];
    std::snprintf(number, sizeof number, "%05d", frequency);
    return "CH_" + satellite + "_" + number + (horizontal ? "_HOR_" : "_VER_");
}

bool StartsTrigraph(std::string_view rest) {
    return rest.size() >= 2 && rest[0] == '?' &&
           std::string_view("=/'()!<>-").find(rest[1]) != std::string_view::npos;
}

// A name as a C string literal. Quotes and backslashes are escaped, control
// bytes written as three-digit octal escapes (a following digit cannot join
// them), and a "??" that would start a trigraph is broken up; other bytes are
// copied as they are.
std::string Quoted(std::string_view name) {
    std::string out = "\"";
    for (size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += static_cast<char>(byte);
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03o", byte);
            out += escape;
        } else if (byte == '?' && i > 0 && name[i - 1] == '?' && StartsTrigraph(name.substr(i))) {
            out += "\\?";
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out + "\"";
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
    std::map<std::string, int> namesSeen;

    for (int t = 0; t < tps.count; ++t) {
        int carried = 0;
        for (const SectionView& list : channels)
            for (int c = 0; c < list.count; ++c) carried += ReadU16(list.At(c)) == t;
        if (carried == 0) continue;

        const uint8_t* tp = tps.At(t);
        const int satellite = static_cast<int>(GetField32(tp, 0, 0, 12));
        // A transponder whose satellite is missing prints an empty name.
        const std::string satName =
            satellite < sats.count ? RawName(sats.At(satellite) + 20, 24) : "";
        const int frequency = static_cast<int>(GetField32(tp, 0, 12, 20));
        const bool horizontal = GetField32(tp, 4, 20, 4) == 2;
        std::string name = ArrayName(satName, frequency, horizontal);
        // Two arrays of one name would not compile: a repeated name gets its
        // occurrence number (the base names all end in '_', so none can clash).
        if (const int seen = ++namesSeen[name]; seen > 1) name += std::to_string(seen);
        Append(out, "\nDEFDB_CHDATA_t\t%s[] = \n{\n", name.c_str());
        for (const SectionView& list : channels) {
            for (int c = 0; c < list.count; ++c) {
                const uint8_t* ch = list.At(c);
                if (ReadU16(ch) != t) continue;
                const std::string quoted = Quoted(RawName(ch + 32, 24));
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
