// How the panel answers the link's transfer messages: the result message and
// whether it returns to idle, and the progress bar's percentage.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brondavel::app {

// The three message-box levels, each with its caption.
enum class MessageLevel { kNone, kError, kSuccess, kMessage };
const char* CaptionOf(MessageLevel level);

// Transfer kinds: 0 writes into the receiver, 1 reads from it.
inline constexpr int kWriteIntoReceiver = 0;
inline constexpr int kReadFromReceiver = 1;

struct TransferOutcome {
    std::string text;  // empty with kNone
    MessageLevel level = MessageLevel::kNone;
    // A plain-block read that succeeded opens the received file.
    bool openReceivedFile = false;
};
// `mode` 1 plain blocks, 2 batch; `stopped`: the user asked the transfer to stop.
TransferOutcome DecideTransferOutcome(uint16_t code, int kind, int mode, bool stopped = false);

// What the panel says after a transfer that the user stopped.
inline constexpr const char* kTransferStoppedText = "The transfer was stopped.";

// done × 100 / total; nothing when total is not positive.
std::optional<int> ProgressPercent(uint64_t done, int64_t total);

}  // namespace brondavel::app
