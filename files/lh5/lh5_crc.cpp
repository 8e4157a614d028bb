#include <array>

#include "files/lh5/lh5_codec.h"

namespace brondavel::lh5 {
namespace {

// Slicing-by-8 tables: the CRC runs over every decoded byte, so it has to keep pace.
constexpr std::array<std::array<std::uint16_t, 256>, 8> MakeTables() {
    std::array<std::array<std::uint16_t, 256>, 8> t{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xA001u : c >> 1;
        t[0][i] = static_cast<std::uint16_t>(c);
    }
    for (int s = 1; s < 8; ++s)
        for (unsigned i = 0; i < 256; ++i)
            t[s][i] = static_cast<std::uint16_t>((t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF]);
    return t;
}

constexpr auto kTables = MakeTables();

}  // namespace

std::uint16_t Crc16(const std::uint8_t* data, std::size_t size, std::uint16_t crc) {
    unsigned c = crc;
    while (size >= 8) {
        c ^= data[0] | (data[1] << 8);
        c = kTables[7][c & 0xFF] ^ kTables[6][c >> 8] ^ kTables[5][data[2]] ^ kTables[4][data[3]] ^
            kTables[3][data[4]] ^ kTables[2][data[5]] ^ kTables[1][data[6]] ^ kTables[0][data[7]];
        data += 8;
        size -= 8;
    }
    while (size--) c = (c >> 8) ^ kTables[0][(c ^ *data++) & 0xFF];
    return static_cast<std::uint16_t>(c);
}

}  // namespace brondavel::lh5
