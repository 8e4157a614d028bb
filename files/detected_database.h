// Opening a database file with the settings it fits best, for work that takes
// files of either generation side by side (a reference order, a diff).
#pragma once

#include <memory>
#include <string>

#include "files/database_file.h"

namespace brondavel {

// The loaded file, or nullptr with `error` saying why: it cannot be read, or
// it fits no receiver settings. Repairs made while loading are in the file's
// loadWarnings().
std::unique_ptr<DatabaseFile> OpenDetectedDatabase(const std::string& path, std::string& error);

}  // namespace brondavel
