#include "app/logic/file_settings.h"

#include <sstream>

#include "app/logic/configuration_options.h"

namespace brondavel::app {

namespace {

const char* LabelOf(OptionTable table, int value) {
    const int row = FirstRowWithValue(table, value);
    return row >= 0 ? table[row].label : nullptr;
}

const char* CompressionLabel(int compressMode) {
    switch (compressMode) {
        case 1:
            return "file compression";
        case 2:
            return "section compression";
        default:
            return "no compression";
    }
}

}  // namespace

bool ReadsAlike(const FileSettings& a, const FileSettings& b) {
    return (a.model == 2 && b.model == 2) || a == b;
}

std::string ModelLabel(int model) {
    if (const char* label = LabelOf(kModelTypeOptions, model)) return label;
    return "model " + std::to_string(model);
}

std::string SettingsLabel(const FileSettings& settings) {
    std::string text = ModelLabel(settings.model);
    if (settings.model == 2) return text;
    const char* flash = LabelOf(kFlashTypeOptions, settings.flashType);
    if (settings.flashType != 0 && flash) text += std::string(", ") + flash;
    return text + ", " + CompressionLabel(settings.compressMode);
}

std::string EncodeSettings(const FileSettings& settings) {
    return std::to_string(settings.model) + " " + std::to_string(settings.flashType) + " " +
           std::to_string(settings.compressMode);
}

std::optional<FileSettings> DecodeSettings(const std::string& text) {
    std::istringstream in(text);
    FileSettings s;
    if (!(in >> s.model >> s.flashType >> s.compressMode)) return std::nullopt;
    in >> std::ws;
    if (!in.eof() || s.model < 0 || s.model > 2 || s.flashType < 0 || s.flashType > 4 ||
        s.compressMode < 0 || s.compressMode > 2)
        return std::nullopt;
    return s;
}

}  // namespace brondavel::app
