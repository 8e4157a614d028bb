// Opening a database file the way the main panel does, for the commands.
#pragma once

#include <memory>
#include <string>

#include "cli/cli_common.h"
#include "files/database_file.h"

namespace brondavel::cli {

// Loads `path` with the file kind of the configured model. Returns nullptr
// after printing why when the file cannot be read.
std::unique_ptr<DatabaseFile> OpenDatabase(const std::string& path, const CommonOptions& common);

// A new, empty file object of the configured model (nothing read).
std::unique_ptr<DatabaseFile> NewDatabase(const std::string& path, const CommonOptions& common);

// Saves, printing why when it fails. True on success.
bool SaveDatabase(DatabaseFile& file, const std::string& path);

const char* KindName(int kind);
// "satellites" ... "favorites" -> kind, -1 when unknown.
int KindFromName(const std::string& name);

}  // namespace brondavel::cli
