// The receiver settings a database file is read and written with, as the
// user reads them and as they are stored beside a recent file.
#pragma once

#include <optional>
#include <string>

namespace brondavel::app {

struct FileSettings {
    int model = 2;
    int flashType = 3;
    int compressMode = 2;
    bool operator==(const FileSettings&) const = default;
};

// Whether a file reads the same with both: the first generation has no
// flash type or compression to differ in.
bool ReadsAlike(const FileSettings& a, const FileSettings& b);
// "CONEXANT" for the model the configuration names, "model 0" otherwise.
std::string ModelLabel(int model);
// "model 0, SST 4M, no compression"; the first generation has neither flash
// type nor compression.
std::string SettingsLabel(const FileSettings& settings);
// "0 4 0", and back; nullopt for anything else.
std::string EncodeSettings(const FileSettings& settings);
std::optional<FileSettings> DecodeSettings(const std::string& text);

}  // namespace brondavel::app
