#include "model/record_convert.h"

#include "model/field_table.h"

namespace brondavel {

namespace {

const char* KindWord(int kind) {
    static const char* words[] = {"satellites", "transponders", "tv", "radio"};
    return kind >= 0 && kind < 4 ? words[kind] : "records";
}

}  // namespace

bool SetFieldNumber(const FieldSpec& f, Record& r, int64_t value, int element) {
    const size_t at = f.offset + size_t(element) * f.width;
    if (at + f.width > r.size || f.IsName()) return false;
    const unsigned bits = f.bitCount ? f.bitCount : f.width * 8u;
    const int64_t low = f.show == FieldShow::kSigned ? -(int64_t{1} << (bits - 1)) : 0;
    const int64_t high =
        f.show == FieldShow::kSigned ? (int64_t{1} << (bits - 1)) - 1 : (int64_t{1} << bits) - 1;
    const bool fits = value >= low && value <= high;
    const auto raw = static_cast<uint32_t>(value) & BitMask(0, bits);
    uint8_t* p = r.data() + at;
    switch (f.width) {
        case 1:
            p[0] = static_cast<uint8_t>(SetBits(p[0], f.firstBit, bits, raw));
            break;
        case 2:
            WriteU16(p, static_cast<uint16_t>(SetBits(ReadU16(p), f.firstBit, bits, raw)));
            break;
        default:
            WriteU32(p, SetBits(ReadU32(p), f.firstBit, bits, raw));
    }
    return fits;
}

Record ConvertRecord(int kind, const DatabaseLayout& from, const DatabaseLayout& to,
                     const Record& record, ConversionLosses& losses) {
    // Within one generation every byte has its place, named or not.
    if (GenerationOf(from) == GenerationOf(to)) return record;
    const FieldTable source = FieldsOf(GenerationOf(from), kind);
    const FieldTable target = FieldsOf(GenerationOf(to), kind);
    Record out = to.NewRecord(kind);
    out.id = record.id;
    auto lose = [&](const std::string& what) {
        ++losses.fields[std::string(KindWord(kind)) + " " + what];
    };

    for (const FieldSpec& f : source) {
        if (f.IsName()) {
            const std::string name = FieldName(f, record);
            to.StoreNameText(kind, out, name);
            const FieldSpec* t = NameField(target);
            if (t && FieldName(*t, out) != name) ++losses.cutNames;
            continue;
        }
        const FieldSpec* t = FindField(target, f.name);
        if (f.show == FieldShow::kWord) {
            // A word that named fields split up: those travel by name; bits
            // no field names have no place in the other layout.
            if (FieldNumber(f, record) & ~NamedBitsOf(source, f))
                lose(std::string(f.name) + " (unnamed bits)");
            continue;
        }
        if (!t) {
            if (FieldNumber(f, record) != 0) lose(f.name);
            continue;
        }
        bool fits = true;
        for (int i = 0; i < f.count && i < t->count; ++i)
            fits &= SetFieldNumber(*t, out, FieldNumber(f, record, i), i);
        if (!fits && f.show != FieldShow::kRef) lose(std::string(f.name) + " (too large)");
    }
    // The first generation marks a scrambled channel with a bit of its own;
    // the second knows it from the access systems alone.
    const FieldSpec* scrambled = FindField(target, "scrambled");
    const FieldSpec* systems = FindField(target, "accessSystems");
    if (scrambled && systems && !FindField(source, "scrambled"))
        SetFieldNumber(*scrambled, out, FieldNumber(*systems, out) != 0 ? 1 : 0);
    return out;
}

}  // namespace brondavel
