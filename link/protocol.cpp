#include "link/protocol.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "link/packed_image.h"

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

// Bounds of loops that would otherwise wait for ever on a peer that never
// finishes its end of the batch.
constexpr int kEndOfBatchRounds = 10;
constexpr int kFinishEotTries = 10;

int ReadByte(TransferIo& io, int polls) {
    uint8_t b = 0;
    return io.ReadTimed(&b, 1, polls) == 1 ? b : -1;
}

// Reads count bytes, each byte with its own poll budget.
bool ReadEach(TransferIo& io, uint8_t* buffer, size_t count, int polls) {
    for (size_t i = 0; i < count; ++i) {
        if (io.ReadTimed(buffer + i, 1, polls) != 1) return false;
    }
    return true;
}

// Every write is checked: a line that does not take the bytes ends the step.
bool Put(TransferIo& io, const uint8_t* data, size_t size) {
    return io.WriteAll(data, size) == size;
}

bool WriteByte(TransferIo& io, uint8_t b) {
    return Put(io, &b, 1);
}

// How either side gives up on the other. The transfer has failed already, so
// whether the line took the bytes changes nothing.
void WriteDoubleCancel(TransferIo& io) {
    const uint8_t cancel[2] = {kCan, kCan};
    io.WriteAll(cancel, 2);
}

// The CRC after a block's data, high byte first, each byte with its own wait.
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

// Header, number, complement, data, check.
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

// The block loop of both senders: the file goes out block by block, whole
// blocks counted as sent, with a progress message after each. send_one gives
// kResultOk when the receiver took the block.
template <typename SendOne>
uint16_t SendDataBlocks(TransferIo& io, ByteSource& file, int pause_ms, SendOne send_one) {
    const uint64_t size = file.Size();
    const BlockPlan plan = PlanBlocks(size);
    uint64_t sent = 0;
    std::vector<uint8_t> block(1024);
    for (uint64_t k = 1; k <= plan.Total(); ++k) {
        if (!io.Running()) return kResultCancelled;
        WaitWhilePaused(io);
        const size_t block_size = plan.SizeOf(k);
        std::fill(block.begin(), block.end(), 0);
        file.Read(block.data(), block_size);
        sent += block_size;
        if (send_one(static_cast<uint8_t>(k & 0xFF), block.data(), block_size) != kResultOk) {
            return k == 1 ? kResultFirstBlockRefused : kResultFailed;
        }
        io.Notify(kMsgSendProgress, sent, size);
        if (pause_ms > 0) io.SleepMs(pause_ms);
    }
    return kResultOk;
}

// ---- mode 1, sending ----

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

// ---- mode 2, sending ----

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

// ---- mode 1, receiving ----

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

// ---- mode 2, receiving ----

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

BatchHeader ParseBatchHeader(const uint8_t* data, size_t size) {
    BatchHeader h;
    size_t i = 0;
    for (; i < size && data[i] != 0; ++i) {
        if (h.name.size() < kMaxReceivedName) h.name.push_back(static_cast<char>(data[i]));
    }
    ++i;  // the name's zero byte
    size_t text_length = 0;
    for (; i < size && data[i] != 0 && data[i] != ' '; ++i, ++text_length) {
        if (h.size_text.size() < kMaxSizeText) h.size_text.push_back(static_cast<char>(data[i]));
    }
    uint64_t value = 0;
    h.size_valid = text_length > 0 && text_length <= 10;
    for (char c : h.size_text) {
        if (c < '0' || c > '9') h.size_valid = false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > 0xFFFFFFFFu) h.size_valid = false;
    h.size = h.size_valid ? static_cast<uint32_t>(value) : 0;
    return h;
}

std::string BuildBatchHeader(std::string_view path, uint64_t file_size) {
    size_t cut = path.find_last_of("/\\");
    std::string_view name = cut == std::string_view::npos ? path : path.substr(cut + 1);
    std::string size_text = std::to_string(file_size);
    // Name, size and their zero bytes stay within one 128-byte block.
    size_t room = std::min(kMaxSentName, 128 - 2 - size_text.size());
    std::string data(name.substr(0, std::min(room, name.size())));
    data.push_back('\0');
    data += size_text;
    data.push_back('\0');
    data.resize(128, '\0');
    return data;
}

std::string SafeFileName(std::string_view name) {
    std::string out;
    for (char c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        out.push_back((u < 0x20 || u == 0x7F || c == '/' || c == '\\') ? '_' : c);
    }
    // Room for the "(999)" of a numbered name within the file system's limit.
    if (out.size() > 240) out.resize(240);
    if (out.find_first_not_of('.') == std::string::npos) {
        std::replace(out.begin(), out.end(), '.', '_');
    }
    if (out.empty()) out = "unnamed";
    return out;
}

std::string FreeTargetName(const std::string& folder, const std::string& name) {
    auto exists = [&](const std::string& n) {
        struct stat st;
        return ::lstat((folder + "/" + n).c_str(), &st) == 0;
    };
    if (!exists(name)) return name;
    size_t dot = name.rfind('.');
    std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
    for (int n = 1; n <= 999; ++n) {
        std::string candidate = base + "(" + std::to_string(n) + ")";
        if (dot != std::string::npos) candidate += "." + ext;
        if (!exists(candidate)) return candidate;
    }
    return {};
}

}  // namespace brondavel::link
