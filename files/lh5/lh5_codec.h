// LH5 codec: one-member LHA archives ("-lh5-" method, level-1 header, CRC-16/ARC).
// Every call takes the sizes of its buffers and never reads or writes past them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace brondavel::lh5 {

// Header size byte, checksum byte and the 25 bytes of an empty-named level-1 header.
inline constexpr std::size_t kHeaderBytes = 27;
// Header plus the end-of-archive byte.
inline constexpr std::size_t kBlockOverhead = 28;

// The largest input the encoder takes: more would overflow its 32-bit positions.
inline constexpr std::size_t kMaxInputSize = 0x7FFFFFFFu - 4 * 8192;

// An output area this large always holds a compressed block of inputSize bytes.
constexpr std::size_t CompressBound(std::size_t inputSize) {
    return inputSize + kBlockOverhead;
}

// CRC-16/ARC (reflected 0xA001, initial 0, no final inversion); pass the previous
// result as crc to continue over several pieces.
std::uint16_t Crc16(const std::uint8_t* data, std::size_t size, std::uint16_t crc = 0);

// Compresses input into one archive block at output. Returns the block length
// (28 + compressed size), or -1 when the data cannot be compressed to fewer bytes
// than it has, when output is too small, or when work memory cannot be had. After -1
// output[0] is 0, so the area reads as an empty archive.
std::int64_t Compress(const std::uint8_t* input, std::size_t inputSize, std::uint8_t* output,
                      std::size_t outputCapacity);

// The same, into a new buffer; nothing when the data cannot be compressed smaller.
std::optional<std::vector<std::uint8_t>> Compress(std::span<const std::uint8_t> input);

enum class DecodeStatus {
    kOk,
    kCrcMismatch,     // fully decoded, but the CRC differs from the header's
    kBadHeader,       // header size, name length or extended headers unusable
    kBadMethod,       // not "-lh0-", "-lh4-" or "-lh5-"
    kTruncated,       // the member or its bit stream runs past the input
    kCorruptData,     // the bit stream cannot be decoded
    kOutputTooSmall,  // the uncompressed size exceeds the output capacity
};

const char* DescribeStatus(DecodeStatus status);

struct MemberInfo {
    char method = '5';                 // '0', '4' or '5'
    std::size_t headerSize = 0;        // bytes before the member data (header size byte + 2)
    std::uint32_t compressedSize = 0;  // as stated, extended headers included
    std::uint32_t uncompressedSize = 0;
    std::uint16_t crc = 0;
};

// Reads the member header at input (only the header bytes are looked at).
std::optional<MemberInfo> ReadMemberHeader(const std::uint8_t* input, std::size_t inputSize);

struct DecodeResult {
    DecodeStatus status = DecodeStatus::kBadHeader;
    // Bytes written: the uncompressed size for kOk and kCrcMismatch, else 0.
    std::size_t size = 0;
    bool ok() const { return status == DecodeStatus::kOk; }
};

// Expands the first member of the archive at input into output.
DecodeResult Decode(const std::uint8_t* input, std::size_t inputSize, std::uint8_t* output,
                    std::size_t outputCapacity);

}  // namespace brondavel::lh5
