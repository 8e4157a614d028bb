#include "app/logic/transfer_session.h"

#include "app/logic/model_files.h"

namespace brondavel::app {

bool TransferSession::Begin(int kind, int model) {
    if (!Idle()) return false;
    kind_ = kind;
    mode_ = TransferModeFor(model);
    phase_ = kind == kReadFromReceiver ? TransferPhase::kReceiving : TransferPhase::kSending;
    stopRequested_ = false;
    placing_ = false;
    return true;
}

void TransferSession::Abandon() {
    // After a result the batch read still has its file to place.
    if (Idle()) return;
    phase_ = TransferPhase::kIdle;
    stopRequested_ = false;
    placing_ = false;
}

void TransferSession::RequestStop() {
    if (!Idle()) stopRequested_ = true;
}

TransferOutcome TransferSession::Finish(uint16_t code) {
    if (Idle()) return {};
    const TransferOutcome outcome = DecideTransferOutcome(code, kind_, mode_, stopRequested_);
    placing_ = Reading() && mode_ == 2;
    phase_ = TransferPhase::kIdle;
    stopRequested_ = false;
    return outcome;
}

bool TransferSession::TakeReceivedFile() {
    const bool placing = placing_;
    placing_ = false;
    return placing;
}

}  // namespace brondavel::app
