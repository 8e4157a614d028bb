// Opening a database file with the settings it fits best, for commands that
// take files of either generation side by side.
#pragma once

#include <memory>
#include <string>

#include "files/database_file.h"

namespace brondavel::cli {

// nullptr, after a message, when the file cannot be read or fits no settings.
std::unique_ptr<DatabaseFile> OpenDetectedDatabase(const std::string& path);

// Text for a terminal line: control bytes and backslashes escaped, quoted.
std::string QuotedForTerminal(const std::string& text);

}  // namespace brondavel::cli
