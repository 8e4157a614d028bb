// Opening and saving a database file the way the main panel does, for the
// commands.
#pragma once

#include <memory>
#include <string>

#include "cli/cli_common.h"
#include "files/database_file.h"
#include "files/detected_database.h"

namespace brondavel::cli {

// Loads `path` (a pipe or FIFO too): with --model, --flash and --compress as
// given when any of them was, else with the settings the file fits best,
// saying once on stderr when those are not the defaults. Returns nullptr
// after printing why when the file cannot be read. Load warnings go to
// stderr unless `quiet` (for commands that report them themselves). The
// file's model, flashType and compressMode are the settings it was read with.
std::unique_ptr<DatabaseFile> OpenDatabase(const std::string& path, const CommonOptions& common,
                                           bool quiet = false);

// How a file returned by OpenDatabase was opened (its settings report).
const DetectedDatabase& OpeningOf(const DatabaseFile& file);

// A new, empty file object of the configured model (nothing read).
std::unique_ptr<DatabaseFile> NewDatabase(const std::string& path, const CommonOptions& common);

// Before a database read by OpenDatabase is written anywhere: a file whose
// header did not match opened empty, one that fits other settings clearly
// better read as nonsense, one that ended early lost its last records, and
// one that gave no records at all is no database of these settings; saving
// any of them would destroy data. Refused (false, after a message) unless
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
