// One transfer with the receiver, from its start to its message: idle, then
// sending or receiving, back to idle with the result; a batch read then still
// places its file when the link says it has finished.
#pragma once

#include <cstdint>

#include "app/logic/transfer_outcome.h"

namespace brondavel::app {

enum class TransferPhase { kIdle, kSending, kReceiving };

class TransferSession {
  public:
    TransferPhase Phase() const { return phase_; }
    bool Idle() const { return phase_ == TransferPhase::kIdle; }
    bool Reading() const { return kind_ == kReadFromReceiver; }
    // 1 plain blocks, 2 batch; fixed for the transfer by the model it began with.
    int Mode() const { return mode_; }

    // Starts a transfer of `kind` for `model`; false while one runs.
    bool Begin(int kind, int model);
    // The transfer never got going; back to idle with nothing to say. Once
    // idle, nothing changes.
    void Abandon();
    // The user asked the transfer to stop.
    void RequestStop();
    bool StopRequested() const { return stopRequested_; }
    // The link's result: what to tell, and back to idle.
    TransferOutcome Finish(uint16_t code);
    // The link says a read has finished with its file: true once after a
    // batch read that had a result, when that file is the panel's to place.
    bool TakeReceivedFile();

  private:
    TransferPhase phase_ = TransferPhase::kIdle;
    int kind_ = kWriteIntoReceiver;
    int mode_ = 0;
    bool stopRequested_ = false;
    bool placing_ = false;
};

}  // namespace brondavel::app
