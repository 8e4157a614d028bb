#include "cli/open_database.h"

#include <CLI/CLI.hpp>
#include <map>

namespace brondavel::cli {

namespace {

FileSettings SettingsOf(const CommonOptions& common) {
    return {common.model, common.flash, common.compress};
}

// How each file OpenDatabase returned was opened; a run opens a handful.
std::map<const DatabaseFile*, DetectedDatabase>& Openings() {
    static std::map<const DatabaseFile*, DetectedDatabase> openings;
    return openings;
}

int RecordCount(const DatabaseFile& file) {
    int records = 0;
    for (int kind = 0; kind < 4; ++kind) records += file.db().list(kind).Count();
    return records;
}

}  // namespace

std::unique_ptr<DatabaseFile> NewDatabase(const std::string& path, const CommonOptions& common) {
    auto file = MakeDatabaseFile(path, common.model, common.flash, common.compress);
    if (!file) Fail("model " + std::to_string(common.model) + " files are not supported");
    return file;
}

std::unique_ptr<DatabaseFile> OpenDatabase(const std::string& path, const CommonOptions& common,
                                           bool quiet) {
    DetectedDatabase opened = common.given ? OpenDatabaseAs(path, SettingsOf(common))
                                           : OpenDetectedDatabase(path, SettingsOf(common));
    if (!opened.file) {
        Fail(opened.error);
        return nullptr;
    }
    if (opened.differsFromConfigured)
        Warn("\"" + path + "\" was read as " + opened.used.Describe() + ", the settings it fits (" +
             opened.used.Options() + ")");
    if (!quiet)
        for (const std::string& warning : opened.file->loadWarnings()) Warn(warning);
    std::unique_ptr<DatabaseFile> file = std::move(opened.file);
    Openings()[file.get()] = std::move(opened);
    return file;
}

const DetectedDatabase& OpeningOf(const DatabaseFile& file) {
    static const DetectedDatabase none;
    const auto it = Openings().find(&file);
    return it == Openings().end() ? none : it->second;
}

bool MayWriteLoaded(const DatabaseFile& file, const CommonOptions&, bool force) {
    const DetectedDatabase& opened = OpeningOf(file);
    const std::string name = "\"" + file.path + "\"";
    std::string why;
    if (!file.headerValid())
        why = "the header of " + name + " does not match model " + std::to_string(file.model) +
              " files, so it opened as an empty database";
    else if (opened.fitsOtherBetter)
        why = name + " fits other settings better";
    else if (file.truncated())
        why = name + " ends early, so the records beyond its end were not read";
    else if (RecordCount(file) == 0 && file.loadedSize() > 0)
        why = "no records were read from " + name;
    if (why.empty()) return true;
    if (force) {
        Warn(why + "; written anyway (--force)");
        return true;
    }
    const FormatCandidate* best = opened.report.Best();
    std::string hint;
    if (!best)
        hint = "; it is no database file of any model setting";
    else if (!best->Matches(file.model, file.flashType, file.compressMode))
        hint = "; try " + best->Options();
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
                     "write also a database read from a file that does not fit the settings, "
                     "ended early or gave no records");
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
