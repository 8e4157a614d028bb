#include "files/detected_database.h"

#include "files/format_detect.h"

namespace brondavel {

std::unique_ptr<DatabaseFile> OpenDetectedDatabase(const std::string& path, std::string& error) {
    FormatReport report;
    if (!DetectFormat(path, report, error)) return nullptr;
    const FormatCandidate* best = report.Best();
    if (!best) {
        error = "\"" + path + "\" is no database file of any model setting";
        return nullptr;
    }
    auto file = MakeDatabaseFile(path, best->model, best->flashType, best->compressMode);
    if (!file || !file->Load()) {
        error =
            file && !file->lastError().empty() ? file->lastError() : "cannot read \"" + path + "\"";
        return nullptr;
    }
    return file;
}

}  // namespace brondavel
