#include "model/field_table.h"

#include <cstdio>
#include <cstring>

#include "model/byte_fields.h"
#include "text/conexant_text.h"

namespace brondavel {

namespace {

using S = FieldShow;

constexpr FieldSpec Num(const char* name, uint8_t offset, uint8_t width, S show = S::kNumber) {
    return {name, offset, width, 0, 0, 1, show};
}
constexpr FieldSpec Bits(const char* name, uint8_t offset, uint8_t width, uint8_t first,
                         uint8_t count, S show = S::kNumber) {
    return {name, offset, width, first, count, 1, show};
}
constexpr FieldSpec Array(const char* name, uint8_t offset, uint8_t width, uint8_t count) {
    return {name, offset, width, 0, 0, count, S::kNumber};
}
constexpr FieldSpec Name(uint8_t offset, uint8_t size, S show) {
    return {"name", offset, size, 0, 0, 1, show};
}

// The first 24 bytes of a channel, alike in both generations.
#define BRONDAVEL_CHANNEL_HEAD                                                         \
    Num("transponderRef", 0, 2, S::kRef), Num("serviceId", 2, 2), Num("pmtPid", 4, 2), \
        Num("pcrPid", 6, 2), Num("videoPid", 8, 2), Num("teletextPid", 10, 2),         \
        Array("audio", 12, 2, 4), Array("audioLanguage", 20, 1, 4)

constexpr FieldSpec kFirstSatellite[] = {
    Num("typeCode", 0, 2),
    Num("longitude", 4, 2, S::kSigned),
    Bits("lnbType", 8, 4, 0, 4),
    Bits("lnbHighFreq", 8, 4, 4, 28),
    Bits("lnbLowFreq", 12, 4, 0, 28),
    Num("switchWord", 16, 4, S::kWord),
    Bits("diseqcVersion", 16, 4, 2, 1),
    Bits("diseqcPort", 16, 4, 3, 5),
    Bits("tone22k", 16, 4, 17, 2),
    Bits("lnbPower", 16, 4, 26, 2),
    Name(20, 24, S::kReceiverName),
};
constexpr FieldSpec kFirstTransponder[] = {
    Bits("satelliteRef", 0, 4, 0, 12, S::kRef),
    Bits("frequency", 0, 4, 12, 20),
    Bits("symbolRate", 4, 4, 0, 20),
    Bits("polarisation", 4, 4, 20, 4),
    Bits("fec", 4, 4, 24, 4),
    Name(8, 16, S::kReceiverName),
};
constexpr FieldSpec kFirstChannel[] = {
    BRONDAVEL_CHANNEL_HEAD,
    Num("flags", 24, 4, S::kWord),
    Bits("locked", 24, 4, 0, 1, S::kFlag),
    Bits("scrambled", 24, 4, 3, 1, S::kFlag),
    Bits("accessSystems", 24, 4, 4, 11),
    Bits("hideAudio", 24, 4, 18, 1, S::kFlag),
    Bits("audioIndex", 24, 4, 19, 6),
    Num("modeWord", 28, 4, S::kWord),
    Bits("audioMode", 28, 4, 0, 4),
    Bits("favoriteMask", 28, 4, 12, 16),
    Name(32, 24, S::kReceiverName),
};
// Group names are plain bytes in both generations.
constexpr FieldSpec kGroupFields[] = {Name(0, 16, S::kAnsiName)};

constexpr FieldSpec kSecondSatellite[] = {
    Num("positionCode", 0, 2), Num("longitude", 4, 2, S::kSigned), Num("lnbPower", 8, 2),
    Num("lnbType", 12, 4),     Num("lnbHighFreq", 16, 4),          Num("lnbLowFreq", 20, 4),
    Num("diseqcPort", 24, 2),  Num("diseqcVersion", 26, 2),        Num("tone22k", 30, 2),
    Num("switch12V", 32, 2),   Name(40, 20, S::kAnsiName),
};
constexpr FieldSpec kSecondTransponder[] = {
    Num("satelliteRef", 0, 2, S::kRef),
    Num("polarisation", 2, 2),
    Num("frequency", 4, 4),
    Num("symbolRate", 8, 4),
    Num("fec", 12, 2),
    Name(16, 16, S::kAnsiName),
};
constexpr FieldSpec kSecondChannel[] = {
    BRONDAVEL_CHANNEL_HEAD,
    Num("flags", 24, 2, S::kWord),
    Bits("locked", 24, 2, 0, 1, S::kFlag),
    Bits("hideAudio", 24, 2, 2, 1, S::kFlag),
    Bits("accessSystems", 24, 2, 5, 11),
    Num("favoriteMask", 28, 2),
    Name(32, 16, S::kAnsiName),
};

#undef BRONDAVEL_CHANNEL_HEAD

uint32_t Word(const FieldSpec& f, const Record& r, int element) {
    const size_t at = f.offset + size_t(element) * f.width;
    if (at + f.width > r.size) return 0;
    const uint8_t* p = r.data() + at;
    switch (f.width) {
        case 1:
            return p[0];
        case 2:
            return ReadU16(p);
        default:
            return ReadU32(p);
    }
}

size_t NameLength(const FieldSpec& f, const Record& r) {
    if (f.offset >= r.size) return 0;
    const size_t size = std::min<size_t>(f.width, r.size - f.offset);
    return strnlen(reinterpret_cast<const char*>(r.data() + f.offset), size);
}

}  // namespace

Generation GenerationOf(const DatabaseLayout& layout) {
    return layout.Generation();
}

FieldTable FieldsOf(Generation generation, int kind) {
    const bool first = generation == Generation::kFirst;
    switch (kind) {
        case kSatellite:
            return first ? FieldTable(kFirstSatellite) : FieldTable(kSecondSatellite);
        case kTransponder:
            return first ? FieldTable(kFirstTransponder) : FieldTable(kSecondTransponder);
        case kTv:
        case kRadio:
            return first ? FieldTable(kFirstChannel) : FieldTable(kSecondChannel);
        case kFavorite:
            return kGroupFields;
        default:
            return {};
    }
}

const FieldSpec* FindField(FieldTable table, std::string_view name) {
    for (const FieldSpec& f : table)
        if (name == f.name) return &f;
    return nullptr;
}

const FieldSpec* NameField(FieldTable table) {
    for (const FieldSpec& f : table)
        if (f.IsName()) return &f;
    return nullptr;
}

int64_t FieldNumber(const FieldSpec& f, const Record& r, int element) {
    const unsigned bits = f.bitCount ? f.bitCount : f.width * 8u;
    const uint32_t value = GetBits(Word(f, r, element), f.firstBit, bits);
    if (f.show != S::kSigned || bits >= 64) return value;
    const uint32_t sign = 1u << (bits - 1);
    return static_cast<int64_t>(value ^ sign) - static_cast<int64_t>(sign);
}

uint32_t NamedBitsOf(FieldTable table, const FieldSpec& word) {
    uint32_t named = 0;
    for (const FieldSpec& f : table)
        if (&f != &word && f.offset == word.offset && f.width == word.width && f.bitCount)
            named |= BitMask(f.firstBit, f.bitCount);
    return named;
}

std::string FieldName(const FieldSpec& f, const Record& r) {
    const size_t n = NameLength(f, r);
    if (n == 0) return {};
    const auto* p = r.data() + f.offset;
    if (f.show == S::kReceiverName)
        return text::NameToDisplay(p, std::min<size_t>(f.width, r.size - f.offset));
    return text::AnsiToUtf8(std::string_view(reinterpret_cast<const char*>(p), n));
}

std::string NameBytesHex(const FieldSpec& f, const Record& r) {
    std::string out;
    const size_t n = NameLength(f, r);
    char b[3];
    for (size_t i = 0; i < n; ++i) {
        std::snprintf(b, sizeof b, "%02x", r.data()[f.offset + i]);
        out += b;
    }
    return out;
}

std::string FieldText(const FieldSpec& f, const Record& r) {
    if (f.IsName()) return FieldName(f, r);
    std::string out;
    for (int i = 0; i < f.count; ++i) {
        if (i) out += ' ';
        const int64_t v = FieldNumber(f, r, i);
        if (f.show == S::kWord) {
            char hex[16];
            std::snprintf(hex, sizeof hex, f.width == 2 ? "0x%04X" : "0x%08X",
                          static_cast<unsigned>(v));
            out += hex;
        } else {
            out += std::to_string(v);
        }
    }
    return out;
}

}  // namespace brondavel
