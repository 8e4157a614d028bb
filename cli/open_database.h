// Opening and saving a database file the way the main panel does, for the
// commands.
#pragma once

#include <memory>
#include <string>

#include "cli/cli_common.h"
#include "files/database_file.h"

namespace brondavel::cli {

// Loads `path` with the file kind of the configured model. Returns nullptr
// after printing why when the file cannot be read. Load warnings go to
// stderr unless `quiet` (for commands that report them themselves).
std::unique_ptr<DatabaseFile> OpenDatabase(const std::string& path, const CommonOptions& common,
                                           bool quiet = false);

// A new, empty file object of the configured model (nothing read).
std::unique_ptr<DatabaseFile> NewDatabase(const std::string& path, const CommonOptions& common);

// Before a database read from `file` is written anywhere: a file whose
// header did not match opened empty, and one that fits other settings
// clearly better read as nonsense, so saving either would destroy the data.
// Refused (false, after a message naming the settings to try) unless
// `force`.
bool MayWriteLoaded(const DatabaseFile& file, const CommonOptions& common, bool force);

// Saves, printing why when it fails. True on success.
bool SaveDatabase(DatabaseFile& file, const std::string& path);

// Adds --force, which writes a database that MayWriteLoaded would refuse.
void AddForceOption(CLI::App& command, bool& force);

const char* KindName(int kind);
// "satellites" ... "favorites" -> kind, -1 when unknown.
int KindFromName(const std::string& name);

}  // namespace brondavel::cli
