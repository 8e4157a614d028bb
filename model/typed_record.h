// Base of the typed record views: a fixed-size stored part with field access
// and a name of NameSize bytes at NameOffset.
#pragma once

#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "model/byte_fields.h"
#include "model/record.h"

namespace brondavel {

template <size_t N, size_t NameOffset, size_t NameSize>
struct TypedRecord {
    static constexpr size_t kStoredSize = N;
    static constexpr size_t kNameOffset = NameOffset, kNameSize = NameSize;

    uint16_t id = kNone;
    std::array<uint8_t, N> stored{};

    // Whole-record equality over the stored part.
    bool operator==(const TypedRecord& other) const { return stored == other.stored; }

    std::string name() const { return Text(kNameOffset, kNameSize); }
    void setName(std::string_view v) { SetText(kNameOffset, kNameSize, v); }

    Record ToRecord() const { return Record(id, stored); }
    void FromRecord(const Record& r) {
        id = r.id;
        stored.fill(0);
        std::memcpy(stored.data(), r.data(), std::min<size_t>(N, r.size));
    }

  protected:
    uint16_t U16(size_t off) const { return ReadU16(stored.data() + off); }
    void SetU16(size_t off, uint16_t v) { WriteU16(stored.data() + off, v); }
    uint32_t U32(size_t off) const { return ReadU32(stored.data() + off); }
    void SetU32(size_t off, uint32_t v) { WriteU32(stored.data() + off, v); }
    uint32_t Bits(size_t off, unsigned first, unsigned count) const {
        return GetField32(stored.data(), off, first, count);
    }
    void SetBitsAt(size_t off, unsigned first, unsigned count, uint32_t v) {
        SetField32(stored.data(), off, first, count, v);
    }
    // Name bytes up to the NUL (or the field's end); no character conversion.
    std::string Text(size_t off, size_t size) const {
        const char* p = reinterpret_cast<const char*>(stored.data() + off);
        return std::string(p, strnlen(p, size));
    }
    // Whole field zeroed, then the bytes copied; one byte always stays NUL.
    void SetText(size_t off, size_t size, std::string_view text) {
        std::memset(stored.data() + off, 0, size);
        std::memcpy(stored.data() + off, text.data(), std::min(text.size(), size - 1));
    }
};

// A list's record seen through its typed accessors.
template <typename Typed>
Typed As(const Record& r) {
    Typed typed;
    typed.FromRecord(r);
    return typed;
}

}  // namespace brondavel
