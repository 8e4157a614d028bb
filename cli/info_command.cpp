// info: a database file's kind, header, date, size and counts, and whether
// it looks like a file of other settings.
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/open_database.h"
#include "files/channel_data_file.h"
#include "files/format_detect.h"

namespace brondavel::cli {

namespace {

std::string KindOfFile(const DatabaseFile& file) {
    return dynamic_cast<const ChannelDataFile*>(&file) ? "ChannelDataFile" : "FlashImageFile";
}

// "YYYYMMDD" as it is; anything else with its bytes escaped, so that control
// bytes never reach the terminal and every byte can be read off.
std::string DateOfFile(const DatabaseFile& file) {
    auto* f = dynamic_cast<const ChannelDataFile*>(&file);
    if (!f) return "";
    const std::string date = f->HeaderDate();
    bool digits = true;
    for (char c : date) digits = digits && c >= '0' && c <= '9';
    if (digits) return date;
    std::string out;
    for (char c : date) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b == '\\') {
            out += "\\\\";
        } else if (b >= 0x20 && b < 0x7F) {
            out += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        }
    }
    return out;
}

int Info(const std::string& path, const CommonOptions& common, bool json) {
    auto file = OpenDatabase(path, common);
    if (!file) return 1;
    const DatabaseEngine& db = file->db();
    const DetectedDatabase& opened = OpeningOf(*file);
    const FormatReport& report = opened.report;
    const FormatCandidate* given = report.Find(file->model, file->flashType, file->compressMode);
    uint64_t missing = 0;
    if (given && given->expectedSize && *given->expectedSize > report.fileSize)
        missing = *given->expectedSize - report.fileSize;
    const FormatCandidate* best = report.Best();
    if (opened.fitsOtherBetter)
        Warn("\"" + path + "\" looks like a file of other settings; try " + best->Options());

    nlohmann::ordered_json out;
    out["kind"] = KindOfFile(*file);
    out["headerValid"] = file->headerValid();
    out["date"] = DateOfFile(*file);
    out["size"] = report.fileSize;
    out["missingBytes"] = missing;
    nlohmann::ordered_json counts;
    for (int kind = 0; kind < 5; ++kind) counts[KindName(kind)] = db.list(kind).Count();
    out["counts"] = counts;
    out["warnings"] = file->loadWarnings();
    out["detected"] = best ? best->Options() : "";
    if (json) {
        std::cout << out.dump() << '\n';
        return 0;
    }
    std::cout << "file:         " << path << '\n'
              << "kind:         " << out["kind"].get<std::string>() << '\n'
              << "header:       " << (file->headerValid() ? "valid" : "NOT a database header")
              << '\n'
              << "date:         " << out["date"].get<std::string>() << '\n'
              << "size:         " << report.fileSize << " bytes";
    if (missing > 0) std::cout << ", " << missing << " bytes missing";
    std::cout << '\n';
    for (int kind = 0; kind < 5; ++kind)
        std::cout << std::string(KindName(kind)) + ":" +
                         std::string(13 - std::string(KindName(kind)).size(), ' ')
                  << db.list(kind).Count() << '\n';
    std::cout << "detected:     " << (best ? best->Options() : "no known settings") << '\n';
    return 0;
}

}  // namespace

void RegisterInfoCommand(CLI::App& app, CommonOptions& common) {
    auto* sub = app.add_subcommand("info", "Show a database file's kind, header and counts");
    AddCommonOptions(*sub, common);
    auto path = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    sub->add_option("FILE", *path, "database file")->required();
    sub->add_flag("--json", *json, "print JSON");
    sub->callback([&common, path, json] { ExitCode() = Info(*path, common, *json); });
}

}  // namespace brondavel::cli
