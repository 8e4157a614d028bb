#include "app/logic/status_line.h"

namespace brondavel::app {

namespace {

const char* ModelId(int model) {
    switch (model) {
        case 0:
            return "4B21";
        case 1:
            return "4B2D";
        case 2:
            return "8C5A";
        default:
            return "";
    }
}

const char* FlashCode(int flashType) {
    static const char* const codes[] = {"", "A2", "A4", "S2", "S4"};
    return flashType >= 0 && flashType <= 4 ? codes[flashType] : "";
}

const char* CompressCode(int compressMode) {
    return compressMode == 1 ? "CF" : compressMode == 2 ? "CI" : "";
}

const char* AccountLetter(int account) {
    return account == 1 ? "B" : account == 2 ? "A" : "U";
}

}  // namespace

std::string IdleStatusText(int model, int flashType, int compressMode, int account) {
    std::string text = kFirmwareVersion;
    text += "-";
    text += ModelId(model);
    text += FlashCode(flashType);
    text += "-";
    text += "R";
    text += CompressCode(compressMode);
    text += AccountLetter(account);
    if (model == 2) text += "-S";
    text += std::string(" ( ") + kFirmwareDate + " )";
    return text;
}

std::string StatusLineText(const StatusInputs& in) {
    if (!in.portOpen)
        return in.portPresent ? "Disconnect !!! ( Another Comm Program Exit )"
                              : "Disconnect !!! ( Port Resetting )";
    if (in.transfer == TransferPhase::kSending) return "Downloading..";
    if (in.transfer == TransferPhase::kReceiving) return "Uploading..";
    if (!in.text.empty()) return in.text;
    return IdleStatusText(in.model, in.flashType, in.compressMode, in.account);
}

}  // namespace brondavel::app
