#include "cli/detected_database.h"

#include <cstdio>

#include "cli/cli_common.h"
#include "files/detected_database.h"

namespace brondavel::cli {

std::unique_ptr<DatabaseFile> OpenDetectedDatabase(const std::string& path) {
    std::string error;
    auto file = brondavel::OpenDetectedDatabase(path, error);
    if (!file) {
        Fail(error);
        return nullptr;
    }
    for (const std::string& warning : file->loadWarnings()) Warn(warning);
    return file;
}

std::string QuotedForTerminal(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (b < 0x20 || b == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace brondavel::cli
