#include "cli/open_database.h"

#include <CLI/CLI.hpp>

#include "files/format_detect.h"

namespace brondavel::cli {

std::unique_ptr<DatabaseFile> NewDatabase(const std::string& path, const CommonOptions& common) {
    auto file = MakeDatabaseFile(path, common.model, common.flash, common.compress);
    if (!file) Fail("model " + std::to_string(common.model) + " files are not supported");
    return file;
}

std::unique_ptr<DatabaseFile> OpenDatabase(const std::string& path, const CommonOptions& common,
                                           bool quiet) {
    auto file = NewDatabase(path, common);
    if (!file) return nullptr;
    if (!file->Load()) {
        Fail(file->lastError().empty() ? "cannot read \"" + path + "\"" : file->lastError());
        return nullptr;
    }
    if (!quiet)
        for (const std::string& warning : file->loadWarnings()) Warn(warning);
    return file;
}

bool MayWriteLoaded(const DatabaseFile& file, const CommonOptions& common, bool force) {
    FormatReport report;
    std::string error;
    const bool detected = DetectFormat(file.path, report, error);
    const bool otherSettings =
        detected && report.LooksLikeOther(common.model, common.flash, common.compress);
    if (file.headerValid() && !otherSettings) return true;
    if (force) {
        Warn("\"" + file.path +
             "\" was read with settings it does not fit; written anyway (--force)");
        return true;
    }
    std::string why = file.headerValid()
                          ? "\"" + file.path + "\" fits other settings better"
                          : "the header of \"" + file.path + "\" does not match model " +
                                std::to_string(common.model) +
                                " files, so it opened as an empty database";
    const FormatCandidate* best = detected ? report.Best() : nullptr;
    std::string hint =
        best ? "; try " + best->Options() : "; it is no database file of any model setting";
    Fail(why + hint + ". Nothing was written (--force writes it anyway)");
    return false;
}

bool SaveDatabase(DatabaseFile& file, const std::string& path) {
    if (file.Save(path)) {
        file.db().modified = 0;
        return true;
    }
    Fail(file.lastError().empty() ? "cannot write \"" + path + "\"" : file.lastError());
    return false;
}

void AddForceOption(CLI::App& command, bool& force) {
    command.add_flag("--force", force,
                     "write also a database read from a file that does not fit the settings");
}

const char* KindName(int kind) {
    static const char* names[] = {"satellites", "transponders", "tv", "radio", "favorites"};
    return kind >= 0 && kind < 5 ? names[kind] : "?";
}

int KindFromName(const std::string& name) {
    for (int kind = 0; kind < 5; ++kind)
        if (name == KindName(kind)) return kind;
    return -1;
}

}  // namespace brondavel::cli
