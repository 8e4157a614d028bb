// Opening a database file with the settings it fits best. Neither file kind
// records its flash type or compress mode, so the file is read with every
// configuration and the best-fitting one is used (see format_detect.h).
#pragma once

#include <memory>
#include <string>

#include "files/database_file.h"
#include "files/format_detect.h"

namespace brondavel {

// The receiver settings a database file is read and written with.
struct FileSettings {
    int model = 2;         // 0 and 1: second generation, 2: first generation
    int flashType = 3;     // 0 "Unknow", 1 "AMD 2M", 2 "AMD 4M", 3 "SST 2M", 4 "SST 4M"
    int compressMode = 2;  // 0 none, 1 whole file, 2 per section

    // "model 0, SST 4M, no compression"; "model 2" for the first generation,
    // which has neither setting.
    std::string Describe() const;
    // "--model 0 --flash 4 --compress 0", as the command line takes them.
    std::string Options() const;
    // True when a file read with `other` reads as with these (models 0 and 1
    // alike, flash types of one class alike).
    bool ReadsLike(const FileSettings& other) const;
    bool operator==(const FileSettings&) const = default;
};

// A database file opened by OpenDetectedDatabase or OpenDatabaseAs.
struct DetectedDatabase {
    // The loaded file; nullptr only when it could not be read (`error`).
    std::unique_ptr<DatabaseFile> file;
    std::string error;
    // The settings it was read with: keep them for saving it again.
    FileSettings used;
    // True when `used` reads differently from the configured settings.
    bool differsFromConfigured = false;
    // True when the file fits no settings at all: it was read with the
    // configured ones (usually as an empty database); `noFitReason` says why.
    bool fitsNoSettings = false;
    std::string noFitReason;
    // True when the file fits other settings clearly better than `used`
    // (only with OpenDatabaseAs): writing this database over it destroys it.
    bool fitsOtherBetter = false;
    // Every configuration tried on the file.
    FormatReport report;
};

// Reads `path` once (a pipe or FIFO too) and opens it with the settings it
// fits best; the configured settings are used when they read it alike or
// when it fits none.
DetectedDatabase OpenDetectedDatabase(const std::string& path, const FileSettings& configured);

// Reads `path` with the given settings, as they are; the report and
// fitsOtherBetter tell whether it fits others better.
DetectedDatabase OpenDatabaseAs(const std::string& path, const FileSettings& settings);

// The file read with the settings it fits best, or nullptr with `error`
// saying why: it cannot be read, or it fits no receiver settings.
std::unique_ptr<DatabaseFile> OpenDetectedDatabase(const std::string& path, std::string& error);

}  // namespace brondavel
