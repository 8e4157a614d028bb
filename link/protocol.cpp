#include "link/protocol.h"

#include <array>

#include "link/protocol_line.h"

namespace brondavel::link {

namespace {

constexpr std::array<uint16_t, 256> MakeCrcTable() {
    std::array<uint16_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        uint16_t crc = static_cast<uint16_t>(i << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = static_cast<uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
        }
        table[i] = crc;
    }
    return table;
}

constexpr std::array<uint16_t, 256> kCrcTable = MakeCrcTable();

}  // namespace

int ReadByte(TransferIo& io, int polls) {
    uint8_t b = 0;
    return io.ReadTimed(&b, 1, polls) == 1 ? b : -1;
}

bool ReadEach(TransferIo& io, uint8_t* buffer, size_t count, int polls) {
    for (size_t i = 0; i < count; ++i) {
        if (io.ReadTimed(buffer + i, 1, polls) != 1) return false;
    }
    return true;
}

bool Put(TransferIo& io, const uint8_t* data, size_t size) {
    return io.WriteAll(data, size) == size;
}

bool WriteByte(TransferIo& io, uint8_t b) {
    return Put(io, &b, 1);
}

void WriteDoubleCancel(TransferIo& io) {
    const uint8_t cancel[2] = {kCan, kCan};
    io.WriteAll(cancel, 2);
}

bool CrcTrailerMatches(TransferIo& io, const uint8_t* data, size_t size) {
    const int high = ReadByte(io, 10000);
    const int low = ReadByte(io, 10000);
    return high >= 0 && low >= 0 && ((high << 8) | low) == Crc16(data, size);
}

void WaitWhilePaused(TransferIo& io) {
    while (io.Paused() && io.Running() && !io.HungUp()) io.SleepMs(10);
}

bool Alive(TransferIo& io) {
    return io.Running() && !io.HungUp();
}

std::vector<uint8_t> Frame(uint8_t number, const uint8_t* data, size_t size, bool crc) {
    std::vector<uint8_t> f;
    f.reserve(size + 5);
    f.push_back(size == 1024 ? kStx : kSoh);
    f.push_back(number);
    f.push_back(static_cast<uint8_t>(0xFF - number));
    f.insert(f.end(), data, data + size);
    if (crc) {
        uint16_t c = Crc16(data, size);
        f.push_back(static_cast<uint8_t>(c >> 8));
        f.push_back(static_cast<uint8_t>(c & 0xFF));
    } else {
        f.push_back(Checksum8(data, size));
    }
    return f;
}

const char* ResultText(uint16_t code, bool receiving) {
    switch (code) {
        case kResultOk:
            return receiving ? "Download Success" : "Upload Success";
        case kResultFirstBlockRefused:
            return "Model Version Check";
        case kResultFailed:
            return "No Send Data";
        case kResultNoHandshake:
            return "SetTop Power Off and On";
        default:
            return "";
    }
}

uint16_t Crc16(const uint8_t* data, size_t size, uint16_t crc) {
    for (size_t i = 0; i < size; ++i) {
        crc = static_cast<uint16_t>((crc << 8) ^ kCrcTable[((crc >> 8) ^ data[i]) & 0xFF]);
    }
    return crc;
}

uint16_t Crc16Bitwise(const uint8_t* data, size_t size) {
    uint16_t crc = 0;
    for (size_t i = 0; i < size; ++i) {
        crc ^= static_cast<uint16_t>(data[i] << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = static_cast<uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
        }
    }
    return crc;
}

uint8_t Checksum8(const uint8_t* data, size_t size) {
    uint8_t sum = 0;
    for (size_t i = 0; i < size; ++i) sum = static_cast<uint8_t>(sum + data[i]);
    return sum;
}

BlockPlan PlanBlocks(uint64_t file_size) {
    BlockPlan plan;
    plan.full = file_size / 1024;
    plan.small = (file_size % 1024 + 127) / 128;
    return plan;
}

}  // namespace brondavel::link
