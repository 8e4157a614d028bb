// The panel's status line: the port state, the transfer direction, a given
// text, or the idle text naming model, flash, compression and account.
#pragma once

#include <string>

#include "app/logic/transfer_session.h"

namespace brondavel::app {

struct StatusInputs {
    int model = 2;
    int flashType = 3;
    int compressMode = 2;
    int account = 0;
    TransferPhase transfer = TransferPhase::kIdle;
    bool portOpen = false;
    bool portPresent = false;  // the device of the configured port exists
    std::string text;          // shown when idle and not empty
};

// The receiver firmware whose serial protocol and database layout this
// program speaks; the status line starts with it.
inline constexpr const char* kFirmwareVersion = "Ver 2.13";
inline constexpr const char* kFirmwareDate = "2009.02.18.";

// "Ver 2.13-8C5AS2-RCIU-S ( 2009.02.18. )" with the defaults.
std::string IdleStatusText(int model, int flashType, int compressMode, int account);
std::string StatusLineText(const StatusInputs& in);

}  // namespace brondavel::app
