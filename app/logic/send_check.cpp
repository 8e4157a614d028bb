#include "app/logic/send_check.h"

#include "files/format_detect.h"

namespace brondavel::app {

std::string SendMismatchQuestion(const std::string& path, int model, int flashType,
                                 int compressMode) {
    FormatReport report;
    std::string error;
    // A file that cannot be read is reported by the transfer itself.
    if (!DetectFormat(path, report, error)) return {};
    if (!report.LooksLikeOther(model, flashType, compressMode)) return {};
    const FormatCandidate& best = *report.Best();
    std::string found;
    for (const std::string& phrase : best.evidence) found += (found.empty() ? "" : ", ") + phrase;
    std::string text = "\"" + path + "\" does not fit the configured receiver (model " +
                       std::to_string(model) + ", flash " + std::to_string(flashType) +
                       ", compress " + std::to_string(compressMode) + ").\nIt reads as " +
                       best.Options();
    if (!found.empty()) text += " (" + found + ")";
    return text + ".\nWrite it into the receiver all the same?";
}

}  // namespace brondavel::app
