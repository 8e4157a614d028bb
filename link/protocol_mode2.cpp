// Mode 2: a batch whose block 0 carries the file name and size, CRC only,
// closed by a second EOT and an empty block 0.
#include "link/protocol.h"
#include "link/protocol_line.h"

namespace brondavel::link {

namespace {

// Bounds of loops that would otherwise wait for ever on a peer that never
// finishes its end of the batch.
constexpr int kEndOfBatchRounds = 10;
constexpr int kFinishEotTries = 10;

uint16_t SendBlock2(TransferIo& io, uint8_t number, const uint8_t* data, size_t size) {
    std::vector<uint8_t> frame = Frame(number, data, size, true);
    for (int send = 0; send < 59; ++send) {
        if (!io.Running()) return kResultStopped;
        if (io.HungUp()) return kResultTimeout;
        if (!Put(io, frame.data(), frame.size())) return kResultFailed;
        int reply = ReadByte(io, 10000);
        if (reply == kAck) return kResultOk;
        if (reply == kNak) continue;
        io.Purge();
        if (!WriteByte(io, kNak)) return kResultFailed;
    }
    WriteDoubleCancel(io);
    return kResultTimeout;
}

uint16_t SendHeader2(TransferIo& io, std::string_view path, uint64_t size) {
    int examined = 0;
    int tries = 0;
    for (;;) {
        if (!io.Running()) return kResultStopped;
        if (io.HungUp()) return kResultFailed;
        int b = ReadByte(io, 10000);
        bool fresh = b >= 0;
        if (fresh) examined = b;
        if (examined == kCrcRequest) break;
        // Only a NAK that just arrived is free: a silent line after one still
        // counts, or the wait would never end.
        if (!(fresh && examined == kNak) && ++tries >= 1000) return kResultFailed;
    }
    std::string data = BuildBatchHeader(path, size);
    auto bytes = reinterpret_cast<const uint8_t*>(data.data());
    std::vector<uint8_t> frame = Frame(0, bytes, data.size(), true);
    frame[0] = kSoh;  // block 0 always announces 128 bytes
    if (!Put(io, frame.data(), frame.size())) return kResultFailed;
    ReadByte(io, 500);  // ACK
    ReadByte(io, 500);  // CRC request
    return kResultOk;
}

uint16_t EndBatch2(TransferIo& io) {
    for (int round = 0; round < kEndOfBatchRounds; ++round) {
        if (!io.Running()) return kResultStopped;
        if (io.HungUp()) return kResultFailed;
        if (!WriteByte(io, kEot)) return kResultFailed;
        ReadByte(io, 10000);
        if (!WriteByte(io, kEot)) return kResultFailed;
        int first = ReadByte(io, 10000);
        // A receiver that took the first EOT asks for the closing block at once.
        bool closing = first == kCrcRequest;
        if (!closing) {
            int second = ReadByte(io, 10000);
            closing = first == kAck && second == kCrcRequest;
        }
        if (!closing) {
            if (!WriteByte(io, kNak)) return kResultFailed;
            continue;
        }
        uint8_t zeros[128] = {};
        std::vector<uint8_t> frame = Frame(0, zeros, sizeof zeros, true);
        if (!Put(io, frame.data(), frame.size())) return kResultFailed;
        if (ReadByte(io, 10000) == kAck) return kResultOk;
        io.Purge();
        if (!WriteByte(io, kNak)) return kResultFailed;
    }
    return kResultFailed;
}

struct Mode2Block {
    uint16_t code = kResultOk;
    bool eot = false;
    size_t size = 0;
};

// Block 0: repeated until it arrives whole, the receive stops or the line is gone.
uint16_t ReceiveHeader2(TransferIo& io, BatchHeader* header) {
    std::vector<uint8_t> data(1024);
    for (;;) {
        if (!io.Running()) return kResultStopped;
        if (io.HungUp()) return kResultFailed;
        io.Purge();
        if (!WriteByte(io, kCrcRequest)) return kResultFailed;
        int first = ReadByte(io, 10000);
        if (first < 0) continue;
        if (first != kSoh && first != kStx) {
            io.Purge();
            if (!WriteByte(io, kNak)) return kResultFailed;
            continue;
        }
        size_t size = first == kStx ? 1024 : 128;
        int number = ReadByte(io, 500);
        int complement = ReadByte(io, 500);
        if (number != 0x00 || complement != 0xFF) {
            io.Purge();
            if (!WriteByte(io, kNak)) return kResultFailed;
            continue;
        }
        if (!ReadEach(io, data.data(), size, 10000) || !CrcTrailerMatches(io, data.data(), size)) {
            if (!WriteByte(io, kNak)) return kResultFailed;
            continue;
        }
        *header = ParseBatchHeader(data.data(), size);
        if (!header->size_valid) {
            // A size that is no number would give a file of garbage length.
            WriteDoubleCancel(io);
            return kResultFailed;
        }
        if (!WriteByte(io, kAck) || !WriteByte(io, kCrcRequest)) return kResultFailed;
        return kResultOk;
    }
}

Mode2Block ReceiveBlock2(TransferIo& io, uint64_t& expected, uint64_t acknowledged, uint8_t* data) {
    Mode2Block out;
    int retries = 0;
    for (;;) {
        size_t size = 0;
        for (int reads = 0;; ++reads) {
            if (!io.Running()) {
                out.code = kResultStopped;
                return out;
            }
            if (io.HungUp() || reads >= 60) {
                WriteByte(io, kCan);
                out.code = kResultFailed;
                return out;
            }
            int header = ReadByte(io, 10000);
            if (header == kStx || header == kSoh) {
                size = header == kStx ? 1024 : 128;
                break;
            }
            if (header == kEot) {
                out.eot = true;
                return out;
            }
            if (retries > 0) {
                io.Purge();
                if (!WriteByte(io, acknowledged == 0 ? kCrcRequest : kNak)) {
                    out.code = kResultFailed;
                    return out;
                }
            }
        }
        int number = ReadByte(io, 10000);
        int complement = ReadByte(io, 10000);
        uint8_t want = static_cast<uint8_t>(expected & 0xFF);
        // A lost ACK brings the previous block again: take it, write nothing.
        bool repeat = acknowledged > 0 && number == static_cast<uint8_t>(want - 1);
        if (retries >= 60 || number < 0 || complement != 0xFF - number ||
            (number != want && !repeat)) {
            WriteDoubleCancel(io);
            out.code = kResultFailed;
            return out;
        }
        // A block cut short or damaged is asked for again.
        const bool whole = ReadEach(io, data, size, 10000) && CrcTrailerMatches(io, data, size);
        if (!whole) io.Purge();
        if (!WriteByte(io, whole ? kAck : kNak)) {
            out.code = kResultFailed;
            return out;
        }
        if (!whole) {
            ++retries;
            continue;
        }
        if (repeat) {
            retries = 0;
            continue;
        }
        ++expected;
        out.size = size;
        return out;
    }
}

uint16_t FinishBatch2(TransferIo& io) {
    int tries = 0;
    for (;;) {
        if (!io.Running()) return kResultStopped;
        if (io.HungUp() || ++tries > kFinishEotTries) return kResultFailed;
        if (!WriteByte(io, kNak)) return kResultFailed;
        if (ReadByte(io, 10000) == kEot) break;
        io.Purge();
        if (!WriteByte(io, kNak)) return kResultFailed;
    }
    if (!WriteByte(io, kAck) || !WriteByte(io, kCrcRequest)) return kResultFailed;
    if (ReadByte(io, 10000) != kSoh) return kResultOk;
    if (ReadByte(io, 10000) != 0x00 || ReadByte(io, 10000) != 0xFF) return kResultOk;
    uint8_t data[128];
    if (!ReadEach(io, data, sizeof data, 10000)) {
        WriteDoubleCancel(io);
        return kResultOk;
    }
    // The file is complete; a lost ACK for the closing block changes nothing.
    if (CrcTrailerMatches(io, data, sizeof data)) WriteByte(io, kAck);
    return kResultOk;
}

}  // namespace

uint16_t SendMode2(TransferIo& io, ByteSource& file, std::string_view path) {
    if (SendHeader2(io, path, file.Size()) != kResultOk) {
        return io.Running() ? kResultNoHandshake : kResultCancelled;
    }
    const uint16_t blocks =
        SendDataBlocks(io, file, 0, [&](uint8_t number, const uint8_t* data, size_t size) {
            return SendBlock2(io, number, data, size);
        });
    if (blocks != kResultOk) return blocks;
    io.Notify(kMsgWaitNotice, 0, 0);
    uint16_t r = EndBatch2(io);
    if (r == kResultOk) return kResultOk;
    return io.Running() ? kResultFailed : kResultCancelled;
}

uint16_t ReceiveMode2(TransferIo& io, ByteSink& file) {
    BatchHeader header;
    uint16_t r = ReceiveHeader2(io, &header);
    if (r != kResultOk) return io.Running() ? kResultFailed : kResultCancelled;
    io.NameReceived(SafeFileName(header.name));
    io.Notify(kMsgNameReceived, 0, 0);
    const uint64_t expected_total = header.size;
    uint64_t counted = 0;
    uint64_t expected_block = 1;
    uint64_t acknowledged = 0;
    bool ok = false;
    std::vector<uint8_t> block(1024);
    while (io.Running()) {
        WaitWhilePaused(io);
        Mode2Block got = ReceiveBlock2(io, expected_block, acknowledged, block.data());
        if (got.eot) {
            io.Notify(kMsgWaitNotice, 0, 0);
            ok = FinishBatch2(io) == kResultOk;
            break;
        }
        if (got.code != kResultOk) break;
        ++acknowledged;
        uint64_t next = counted + got.size;
        if (next > expected_total + got.size) break;
        size_t keep =
            next > expected_total ? static_cast<size_t>(expected_total - counted) : got.size;
        if (!file.Write(block.data(), keep)) {
            WriteDoubleCancel(io);
            break;
        }
        counted = next;
        io.Notify(kMsgReceiveProgress, counted, expected_total);
    }
    if (!io.Running()) return kResultCancelled;
    return ok ? kResultOk : kResultFailed;
}

}  // namespace brondavel::link
