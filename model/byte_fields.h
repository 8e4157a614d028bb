// Little-endian field access on stored record bytes. Every setter is a
// read-modify-write of its own bits, so bits nobody names survive edits.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brondavel {

inline uint16_t ReadU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline void WriteU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

inline void WriteU32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

inline constexpr uint32_t BitMask(unsigned first, unsigned count) {
    return count >= 32 ? 0xFFFFFFFFu : (((1u << count) - 1u) << first);
}

inline uint32_t GetBits(uint32_t word, unsigned first, unsigned count) {
    return (word & BitMask(first, count)) >> first;
}

inline uint32_t SetBits(uint32_t word, unsigned first, unsigned count, uint32_t value) {
    const uint32_t mask = BitMask(first, count);
    return (word & ~mask) | ((value << first) & mask);
}

// A bit range inside a little-endian u32 at a byte offset of a record.
inline uint32_t GetField32(const uint8_t* rec, size_t offset, unsigned first, unsigned count) {
    return GetBits(ReadU32(rec + offset), first, count);
}

inline void SetField32(uint8_t* rec, size_t offset, unsigned first, unsigned count,
                       uint32_t value) {
    WriteU32(rec + offset, SetBits(ReadU32(rec + offset), first, count, value));
}

}  // namespace brondavel
