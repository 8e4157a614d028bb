// The line steps both framings share: reading and writing single bytes
// with their budgets, giving up, block frames and the sender's block loop.
#pragma once

#include <algorithm>
#include <vector>

#include "link/protocol.h"

namespace brondavel::link {

// One byte within polls polls, or -1.
int ReadByte(TransferIo& io, int polls);
// Reads count bytes, each byte with its own poll budget.
bool ReadEach(TransferIo& io, uint8_t* buffer, size_t count, int polls);
// Every write is checked: a line that does not take the bytes ends the step.
bool Put(TransferIo& io, const uint8_t* data, size_t size);
bool WriteByte(TransferIo& io, uint8_t b);
// How either side gives up on the other. The transfer has failed already, so
// whether the line took the bytes changes nothing.
void WriteDoubleCancel(TransferIo& io);
// The CRC after a block's data, high byte first, each byte with its own wait.
bool CrcTrailerMatches(TransferIo& io, const uint8_t* data, size_t size);
void WaitWhilePaused(TransferIo& io);
bool Alive(TransferIo& io);
// Header, number, complement, data, check (CRC or 8-bit sum).
std::vector<uint8_t> Frame(uint8_t number, const uint8_t* data, size_t size, bool crc);

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

}  // namespace brondavel::link
