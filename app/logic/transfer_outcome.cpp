#include "app/logic/transfer_outcome.h"

#include <cstdio>

#include "link/protocol.h"

namespace brondavel::app {

const char* CaptionOf(MessageLevel level) {
    switch (level) {
        case MessageLevel::kError:
            return "Error";
        case MessageLevel::kSuccess:
            return "Success";
        case MessageLevel::kMessage:
            return "Message";
        default:
            return "";
    }
}

TransferOutcome DecideTransferOutcome(uint16_t code, int kind, int mode, bool stopped) {
    const bool receiving = kind == kReadFromReceiver;
    TransferOutcome out;
    if (code != link::kResultOk && stopped) {
        // Whatever the protocol made of the stop, the user asked for it.
        out.text = kTransferStoppedText;
        out.level = MessageLevel::kMessage;
        return out;
    }
    if (code == link::kResultCancelled) return out;
    out.text = link::ResultText(code, receiving);
    if (code == link::kResultOk) {
        out.level = MessageLevel::kSuccess;
        out.openReceivedFile = receiving && mode == 1;
        return out;
    }
    out.level = MessageLevel::kError;
    if (out.text.empty()) {
        // Codes without a text of their own still end the transfer and say so.
        char text[64];
        std::snprintf(text, sizeof text, "Transfer failed (0x%04X)", code);
        out.text = text;
    }
    return out;
}

std::optional<int> ProgressPercent(uint64_t done, int64_t total) {
    if (total <= 0) return std::nullopt;
    if (done == 0) return 0;
    return static_cast<int>(done * 100 / static_cast<uint64_t>(total));
}

}  // namespace brondavel::app
