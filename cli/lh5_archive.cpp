#include "cli/lh5_archive.h"

#include <cstring>

#include "files/lh5/lh5_codec.h"

namespace brondavel::cli {

namespace {

void PutLe16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void PutLe32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

std::uint32_t DosTime(std::time_t moment) {
    std::tm t{};
    if (!::localtime_r(&moment, &t) || t.tm_year < 80) return (1u << 21) | (1u << 16);
    return static_cast<std::uint32_t>(t.tm_year - 80) << 25 |
           static_cast<std::uint32_t>(t.tm_mon + 1) << 21 |
           static_cast<std::uint32_t>(t.tm_mday) << 16 |
           static_cast<std::uint32_t>(t.tm_hour) << 11 | static_cast<std::uint32_t>(t.tm_min) << 5 |
           static_cast<std::uint32_t>(t.tm_sec / 2);
}

std::optional<std::vector<std::uint8_t>> NamedArchive(const std::vector<std::uint8_t>& block,
                                                      const std::string& name,
                                                      std::time_t modified) {
    const auto info = lh5::ReadMemberHeader(block.data(), block.size());
    if (!info || name.size() > kMaxMemberName ||
        info->headerSize + info->compressedSize > block.size())
        return std::nullopt;
    // Level 1: size, checksum, method, sizes, time, attribute, level, name,
    // CRC, operating system and an empty extended-header chain.
    const std::size_t base = 25 + name.size();
    std::vector<std::uint8_t> out(2 + base);
    std::uint8_t* h = out.data() + 2;
    std::memcpy(h, block.data() + 2, 5);  // "-lh5-"
    PutLe32(h + 5, info->compressedSize);
    PutLe32(h + 9, info->uncompressedSize);
    PutLe32(h + 13, DosTime(modified));
    h[17] = 0x20;  // archive attribute
    h[18] = 1;     // header level
    h[19] = static_cast<std::uint8_t>(name.size());
    std::memcpy(h + 20, name.data(), name.size());
    std::uint8_t* tail = h + 20 + name.size();
    PutLe16(tail, info->crc);
    tail[2] = 'U';  // written on a Unix system
    PutLe16(tail + 3, 0);
    unsigned sum = 0;
    for (std::size_t i = 0; i < base; ++i) sum += h[i];
    out[0] = static_cast<std::uint8_t>(base);
    out[1] = static_cast<std::uint8_t>(sum);
    const auto data = block.begin() + static_cast<std::ptrdiff_t>(info->headerSize);
    out.insert(out.end(), data, data + info->compressedSize);
    out.push_back(0);  // end of archive
    return out;
}

}  // namespace brondavel::cli
