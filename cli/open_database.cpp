#include "cli/open_database.h"

#include <iostream>

namespace brondavel::cli {

std::unique_ptr<DatabaseFile> NewDatabase(const std::string& path, const CommonOptions& common) {
    auto file = MakeDatabaseFile(path, common.model, common.flash, common.compress);
    if (!file) Fail("model " + std::to_string(common.model) + " files are not supported");
    return file;
}

std::unique_ptr<DatabaseFile> OpenDatabase(const std::string& path, const CommonOptions& common) {
    auto file = NewDatabase(path, common);
    if (!file) return nullptr;
    if (!file->Load()) {
        Fail(file->lastError().empty() ? "cannot read \"" + path + "\"" : file->lastError());
        return nullptr;
    }
    for (const std::string& warning : file->loadWarnings())
        std::cerr << "brondavel-cli: warning: " << warning << '\n';
    return file;
}

bool SaveDatabase(DatabaseFile& file, const std::string& path) {
    if (file.Save(path)) {
        file.db().modified = 0;
        return true;
    }
    Fail(file.lastError().empty() ? "cannot write \"" + path + "\"" : file.lastError());
    return false;
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
