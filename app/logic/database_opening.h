// Reading a database file with the receiver settings it fits, and checking
// that a save does not replace a file of other settings unasked. The one
// place the application asks the format detector.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/logic/file_settings.h"
#include "files/database_file.h"

namespace brondavel::app {

struct OpenedDatabase {
    // Null when the file cannot be read at all (`error` says why).
    std::unique_ptr<DatabaseFile> file;
    // The settings the file was read with; they stay with it for saving.
    FileSettings settings;
    // The file fits no settings: `file` holds an empty database and `error`
    // says what was found.
    bool fitsNothing = false;
    std::string error;
};

// Reads `path` with `preferred` when the file fits them about as well as
// anything else, otherwise with the settings it fits best.
OpenedDatabase OpenFittingDatabase(const std::string& path, const FileSettings& preferred);

// The settings an existing file at `path` fits clearly better than
// `settings`, when saving a database of `settings` over it would replace a
// file of another kind; nullopt when it does not exist or fits them.
std::optional<FileSettings> OtherSettingsOf(const std::string& path, const FileSettings& settings);

}  // namespace brondavel::app
