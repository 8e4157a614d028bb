// Mode 1: plain numbered blocks, CRC or checksum as the receiver asks.
#include "link/packed_image.h"
#include "link/protocol.h"
#include "link/protocol_line.h"

namespace brondavel::link {

namespace {

uint16_t SendBlock1(TransferIo& io, uint8_t number, const uint8_t* data, size_t size,
                    uint8_t check_mode) {
    std::vector<uint8_t> frame = Frame(number, data, size, check_mode == kCrcRequest);
    for (int send = 0; send < 60; ++send) {
        if (!Alive(io)) return kResultTimeout;
        if (!Put(io, frame.data(), frame.size())) return kResultFailed;
        int reply = ReadByte(io, 100000);
        if (reply == kAck) return kResultOk;
        if (reply == kCan || reply == kEsc) return kResultCancelled;
        if (reply == kNak || reply < 0) continue;
        return kResultUnexpected;
    }
    return kResultTimeout;
}

struct Mode1Block {
    uint16_t code = kResultOk;
    bool eot = false;
    size_t size = 0;
};

Mode1Block ReceiveBlock1(TransferIo& io, uint64_t expected, int first_header, uint8_t* data) {
    Mode1Block out;
    for (int attempt = 0; attempt < 60; ++attempt) {
        io.SleepMs(10);
        if (!io.Running()) {
            WriteByte(io, kCan);
            out.code = kResultCancelled;
            return out;
        }
        if (io.HungUp()) break;
        if (attempt > 0 && !WriteByte(io, kNak)) break;
        // The first block's header byte answered the CRC request already; a
        // repeated block brings its header again.
        int header = (attempt == 0 && first_header >= 0) ? first_header : ReadByte(io, 10000);
        size_t size = 0;
        if (header == kSoh) {
            size = 128;
        } else if (header == kStx) {
            size = 1024;
        } else if (header == kEot) {
            if (!WriteByte(io, kAck)) break;
            out.eot = true;
            return out;
        } else if (header == kCan || header == kEsc) {
            out.code = kResultCancelled;
            return out;
        } else {
            continue;
        }
        uint8_t number[2];
        if (io.ReadTimed(number, 2, 10000) != 2) continue;
        if ((number[0] | number[1]) != 0xFF) continue;
        if (io.ReadTimed(data, size, 10000) != size) continue;
        uint8_t check[2];
        if (io.ReadTimed(check, 2, 10000) != 2) continue;
        if (((check[0] << 8) | check[1]) != Crc16(data, size)) continue;
        if (!WriteByte(io, kAck)) break;
        out.size = size;
        out.code =
            number[0] == static_cast<uint8_t>(expected & 0xFF) ? kResultOk : kResultNoHandshake;
        return out;
    }
    WriteByte(io, kCan);
    out.code = kResultFailed;
    return out;
}

}  // namespace

uint16_t SendMode1(TransferIo& io, ByteSource& file) {
    uint8_t check_mode = 0;
    for (int attempt = 0; attempt < 50 && Alive(io); ++attempt) {
        int b = ReadByte(io, 20000);
        if (b == kNak || b == kCrcRequest) {
            check_mode = static_cast<uint8_t>(b);
            break;
        }
    }
    if (check_mode == 0) return io.Running() ? kResultNoHandshake : kResultCancelled;
    return SendDataBlocks(io, file, 10, [&](uint8_t number, const uint8_t* data, size_t size) {
        return SendBlock1(io, number, data, size, check_mode);
    });
}

uint16_t ReceiveMode1(TransferIo& io, ByteSink& file) {
    std::vector<uint8_t> block(1056, 0);
    int first = -1;
    for (int ask = 0; ask < 61 && Alive(io); ++ask) {
        if (!WriteByte(io, kCrcRequest)) return io.Running() ? kResultFailed : kResultCancelled;
        io.SleepMs(5);
        first = ReadByte(io, 500);
        if (first >= 0) break;
    }
    uint64_t expected_total = 0;
    uint64_t written = 0;
    // The first bytes of the file, where a packed image shows its block.
    std::vector<uint8_t> head;
    uint16_t result = kResultFailed;
    for (uint64_t b = 1;;) {
        WaitWhilePaused(io);
        if (!io.Running()) break;
        Mode1Block r = ReceiveBlock1(io, b, b == 1 ? first : -1, block.data());
        if (b == 1) first = -1;
        if (r.code == kResultNoHandshake) continue;
        if (r.code != kResultOk) break;
        if (r.eot) {
            // A short file after the end of transmission will not grow any
            // more; a packed image states its unpacked length, though, and is
            // whole once its one block has arrived.
            if (written >= expected_total ||
                HoldsWholePackedPayload(head.data(), head.size(), written)) {
                file.Close();
                result = kResultOk;
            }
            break;
        }
        if (b == 1) {
            expected_total = static_cast<uint64_t>(block[12]) | (uint64_t{block[13]} << 8) |
                             (uint64_t{block[14]} << 16) | (uint64_t{block[15]} << 24);
        }
        if (!file.Write(block.data(), r.size)) {
            WriteDoubleCancel(io);
            break;
        }
        const size_t keep = std::min(r.size, kPackedHeadBytes - head.size());
        head.insert(head.end(), block.begin(), block.begin() + static_cast<long>(keep));
        written += r.size;
        ++b;
        io.Notify(kMsgReceiveProgress, written, expected_total);
    }
    if (!io.Running()) return kResultCancelled;
    return result;
}

}  // namespace brondavel::link
