#include "app/logic/database_opening.h"

#include <sys/stat.h>

#include "files/format_detect.h"

namespace brondavel::app {

namespace {

FileSettings SettingsOf(const FormatCandidate& candidate) {
    return {candidate.model, candidate.flashType, candidate.compressMode};
}

bool Fits(const FormatReport& report, const FileSettings& s) {
    const FormatCandidate* given = report.Find(s.model, s.flashType, s.compressMode);
    return given && given->score > 0 &&
           !report.LooksLikeOther(s.model, s.flashType, s.compressMode);
}

}  // namespace

OpenedDatabase OpenFittingDatabase(const std::string& path, const FileSettings& preferred) {
    OpenedDatabase opened;
    FormatReport report;
    if (!DetectFormat(path, report, opened.error)) return opened;
    const FormatCandidate* best = report.Best();
    if (!best) {
        opened.fitsNothing = true;
        opened.settings = preferred;
        opened.error = "it is no channel database of any receiver setting (" +
                       std::to_string(report.fileSize) + " bytes)";
        opened.file =
            MakeDatabaseFile(path, preferred.model, preferred.flashType, preferred.compressMode);
        return opened;
    }
    opened.settings = Fits(report, preferred) ? preferred : SettingsOf(*best);
    const FileSettings& s = opened.settings;
    opened.file = MakeDatabaseFile(path, s.model, s.flashType, s.compressMode);
    if (!opened.file->Load()) {
        opened.error =
            opened.file->lastError().empty() ? "the file cannot be read" : opened.file->lastError();
        opened.file.reset();
    }
    return opened;
}

std::optional<FileSettings> OtherSettingsOf(const std::string& path, const FileSettings& settings) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0)
        return std::nullopt;
    FormatReport report;
    std::string error;
    if (!DetectFormat(path, report, error)) return std::nullopt;
    const FormatCandidate* best = report.Best();
    if (!best || !report.LooksLikeOther(settings.model, settings.flashType, settings.compressMode))
        return std::nullopt;
    return SettingsOf(*best);
}

}  // namespace brondavel::app
