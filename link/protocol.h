// The two transfer framings: mode 1 (plain blocks) and mode 2 (a batch whose
// block 0 carries the file name and size), both directions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace brondavel::link {

inline constexpr uint8_t kSoh = 0x01;
inline constexpr uint8_t kStx = 0x02;
inline constexpr uint8_t kEot = 0x04;
inline constexpr uint8_t kAck = 0x06;
inline constexpr uint8_t kNak = 0x15;
inline constexpr uint8_t kCan = 0x18;
inline constexpr uint8_t kEsc = 0x1B;
inline constexpr uint8_t kCrcRequest = 0x43;

// Transfer result codes.
inline constexpr uint16_t kResultOk = 0;
inline constexpr uint16_t kResultNoHandshake = 0x8000;
inline constexpr uint16_t kResultCancelled = 0x8100;
inline constexpr uint16_t kResultFailed = 0x8200;
inline constexpr uint16_t kResultUnexpected = 0x8400;
inline constexpr uint16_t kResultStopped = 0x8500;
inline constexpr uint16_t kResultTimeout = 0x8800;
inline constexpr uint16_t kResultFirstBlockRefused = 0x8900;

// Messages to the link's owner.
inline constexpr uint32_t kMsgIdleData = 0x500;
inline constexpr uint32_t kMsgResult = 0x502;
inline constexpr uint32_t kMsgSendProgress = 0x503;
inline constexpr uint32_t kMsgReceiveProgress = 0x504;
inline constexpr uint32_t kMsgReceiveFinished = 0x506;
inline constexpr uint32_t kMsgWaitNotice = 0x507;
inline constexpr uint32_t kMsgNameReceived = 0x508;

// Bounds of the batch header fields.
inline constexpr size_t kMaxReceivedName = 259;
inline constexpr size_t kMaxSizeText = 15;
inline constexpr size_t kMaxSentName = 127;

// The main panel's texts for the reported codes; empty for the silent ones.
const char* ResultText(uint16_t code, bool receiving);

uint16_t Crc16(const uint8_t* data, size_t size, uint16_t crc = 0);
uint16_t Crc16Bitwise(const uint8_t* data, size_t size);
uint8_t Checksum8(const uint8_t* data, size_t size);

struct BlockPlan {
    uint64_t full = 0;   // 1024-byte blocks
    uint64_t small = 0;  // 128-byte blocks after them
    uint64_t Total() const { return full + small; }
    size_t SizeOf(uint64_t k) const { return k <= full ? 1024 : 128; }
};
BlockPlan PlanBlocks(uint64_t file_size);

// What the transfer steps need of the line, the run flags and the owner.
class TransferIo {
  public:
    virtual ~TransferIo() = default;
    // count bytes within polls polls, or nothing (0).
    virtual size_t ReadTimed(uint8_t* buffer, size_t count, int polls) = 0;
    virtual size_t WriteAll(const uint8_t* buffer, size_t count) = 0;
    virtual void Purge() = 0;
    // The line is gone (EOF, EIO, unplugged): no step waits for it any more.
    virtual bool HungUp() = 0;
    // The run flag of this transfer's direction.
    virtual bool Running() = 0;
    virtual bool Paused() = 0;
    virtual void SleepMs(int ms) = 0;
    virtual void Notify(uint32_t message, uintptr_t wparam, uintptr_t lparam) = 0;
    // The mode-2 receiver's name from block 0, already made a plain file name.
    virtual void NameReceived(const std::string&) {}
};

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() = 0;
    // Fills up to count bytes; returns how many.
    virtual size_t Read(uint8_t* buffer, size_t count) = 0;
};

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual bool Write(const uint8_t* data, size_t count) = 0;
    virtual void Close() {}
    virtual uint64_t Written() const = 0;
};

uint16_t SendMode1(TransferIo& io, ByteSource& file);
uint16_t SendMode2(TransferIo& io, ByteSource& file, std::string_view path);
uint16_t ReceiveMode1(TransferIo& io, ByteSink& file);
uint16_t ReceiveMode2(TransferIo& io, ByteSink& file);

// Block 0 of a batch, parsed.
struct BatchHeader {
    std::string name;       // as sent, cut to kMaxReceivedName
    std::string size_text;  // cut to kMaxSizeText
    bool size_valid = false;
    uint32_t size = 0;
};
BatchHeader ParseBatchHeader(const uint8_t* data, size_t size);
// Builds the data part of block 0 (at least 128 bytes; exactly 128 when it fits).
std::string BuildBatchHeader(std::string_view path, uint64_t file_size);

// A received name made safe as a plain file name in a folder.
std::string SafeFileName(std::string_view name);
// "%s(%d).%s" numbering: the first free name in folder for name, or empty
// when name and all 999 numbered names exist.
std::string FreeTargetName(const std::string& folder, const std::string& name);

}  // namespace brondavel::link
