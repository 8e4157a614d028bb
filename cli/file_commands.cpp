// info, check, resave and dump: reading and rewriting database files.
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/open_database.h"
#include "cli/record_fields.h"
#include "files/channel_data_file.h"
#include "files/flash_image_file.h"
#include "model/memory_controls.h"

namespace brondavel::cli {

namespace {

std::string KindOfFile(const DatabaseFile& file) {
    return dynamic_cast<const ChannelDataFile*>(&file) ? "ChannelDataFile" : "FlashImageFile";
}

std::string DateOfFile(const DatabaseFile& file) {
    if (auto* f = dynamic_cast<const ChannelDataFile*>(&file)) {
        std::string date = f->HeaderDate();
        for (char& c : date)
            if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E)
                c = '?';
        return date;
    }
    return "";
}

int Info(const std::string& path, const CommonOptions& common, bool json) {
    auto file = OpenDatabase(path, common);
    if (!file) return 1;
    const DatabaseEngine& db = file->db();
    nlohmann::ordered_json out;
    out["kind"] = KindOfFile(*file);
    out["headerValid"] = file->headerValid();
    out["date"] = DateOfFile(*file);
    nlohmann::ordered_json counts;
    for (int kind = 0; kind < 5; ++kind) counts[KindName(kind)] = db.list(kind).Count();
    out["counts"] = counts;
    out["warnings"] = file->loadWarnings();
    if (json) {
        std::cout << out.dump() << '\n';
        return 0;
    }
    std::cout << "file:         " << path << '\n'
              << "kind:         " << out["kind"].get<std::string>() << '\n'
              << "header:       " << (file->headerValid() ? "valid" : "NOT a database header")
              << '\n'
              << "date:         " << out["date"].get<std::string>() << '\n';
    for (int kind = 0; kind < 5; ++kind)
        std::printf("%-13s %d\n", (std::string(KindName(kind)) + ":").c_str(),
                    db.list(kind).Count());
    for (const std::string& w : file->loadWarnings()) std::cout << "warning:      " << w << '\n';
    return 0;
}

int Check(const std::string& path, const CommonOptions& common) {
    auto file = OpenDatabase(path, common);
    if (!file) return 1;
    const DatabaseEngine& db = file->db();
    std::vector<std::string> problems;
    if (!file->headerValid()) problems.push_back("header: the magics do not match");
    for (const std::string& w : file->loadWarnings())
        if (w.find("header") == std::string::npos) problems.push_back("load: " + w);
    for (const ImageSection& s : db.layout().Sections()) {
        const std::string name = KindName(s.kind);
        const int stated = db.StatedCount(s.kind);
        if (stated > s.capacity)
            problems.push_back(name + ": the file states " + std::to_string(stated) +
                               " records, the image holds " + std::to_string(s.capacity));
        const int count = db.list(s.kind).Count();
        const int editable = db.layout().EditCapacity(s.kind);
        if (count > editable)
            problems.push_back(name + ": " + std::to_string(count) +
                               " records, more than a saved file can keep (" +
                               std::to_string(editable) + ")");
        int position = 0;
        for (const Record& r : db.list(s.kind).records()) {
            if (db.IsOrphan(s.kind, r)) {
                const bool tp = s.kind == kTransponder;
                const int ref =
                    tp ? db.layout().SatelliteRefOf(r) : db.layout().TransponderRefOf(r);
                problems.push_back(name + " " + std::to_string(position) + ": " +
                                   (tp ? "satellite " : "transponder ") + std::to_string(ref) +
                                   " does not exist");
            }
            ++position;
        }
    }
    if (auto* flash = dynamic_cast<FlashImageFile*>(file.get())) {
        // What a save in this flash class and mode would refuse.
        const bool perSection = flash->compressMode == FlashImageFile::kPerSection &&
                                FlashImageFile::PayloadLength(flash->flashType) > 0;
        std::vector<std::string> full;
        if (!perSection) full = flash->CapacityProblems();
        for (const std::string& p : full) problems.push_back("capacity: " + p);
        std::vector<uint8_t> image;
        std::string error;
        if (full.empty() && !flash->BuildFile(image, error)) problems.push_back("save: " + error);
    }
    for (const std::string& p : problems) std::cout << p << '\n';
    return problems.empty() ? 0 : 1;
}

int Resave(const std::string& in, const std::string& out, const CommonOptions& common) {
    auto file = OpenDatabase(in, common);
    if (!file) return 1;
    return SaveDatabase(*file, out) ? 0 : 1;
}

int Dump(const std::string& path, const std::string& kindName, const CommonOptions& common,
         bool json) {
    const int kind = KindFromName(kindName);
    auto file = OpenDatabase(path, common);
    if (!file) return 1;
    DatabaseEngine& db = file->db();
    MemoryListControl list;
    db.Refresh(kind, &list);
    const auto& view = db.list(kind).view();
    nlohmann::json rows = nlohmann::json::array();
    for (int row = 0; row < list.RowCount(); ++row) {
        std::vector<std::string> columns;
        // The texts of columns 1 and up; the lock, favourite and scramble
        // images are in the JSON fields.
        for (size_t c = 1; c < list.rows[row].size(); ++c)
            columns.push_back(list.rows[row][c].text);
        if (json) {
            rows.push_back({{"id", view[row].id},
                            {"columns", columns},
                            {"fields", RecordFields(common.model, kind, view[row])}});
        } else {
            std::string line;
            for (size_t c = 0; c < columns.size(); ++c) line += (c ? "\t" : "") + columns[c];
            std::cout << line << '\n';
        }
    }
    if (json) std::cout << rows.dump(1) << '\n';
    return 0;
}

}  // namespace

void RegisterFileCommands(CLI::App& app, CommonOptions& common) {
    {
        auto* sub = app.add_subcommand("info", "Show a database file's kind, header and counts");
        AddCommonOptions(*sub, common);
        auto path = std::make_shared<std::string>();
        auto json = std::make_shared<bool>(false);
        sub->add_option("FILE", *path, "database file")->required();
        sub->add_flag("--json", *json, "print JSON");
        sub->callback([&common, path, json] { ExitCode() = Info(*path, common, *json); });
    }
    {
        auto* sub = app.add_subcommand(
            "check", "Report a bad header, over-full lists and references to missing records");
        AddCommonOptions(*sub, common);
        auto path = std::make_shared<std::string>();
        sub->add_option("FILE", *path, "database file")->required();
        sub->callback([&common, path] { ExitCode() = Check(*path, common); });
    }
    {
        auto* sub = app.add_subcommand("resave", "Load a database and save it again");
        AddCommonOptions(*sub, common);
        auto in = std::make_shared<std::string>(), out = std::make_shared<std::string>();
        sub->add_option("IN", *in, "database file to read")->required();
        sub->add_option("OUT", *out, "file to write")->required();
        sub->callback([&common, in, out] { ExitCode() = Resave(*in, *out, common); });
    }
    {
        auto* sub =
            app.add_subcommand("dump", "Print one kind's records as the list window shows them");
        AddCommonOptions(*sub, common);
        auto path = std::make_shared<std::string>(), kind = std::make_shared<std::string>();
        auto json = std::make_shared<bool>(false);
        sub->add_option("FILE", *path, "database file")->required();
        sub->add_option("--kind", *kind, "satellites|transponders|tv|radio|favorites")
            ->required()
            ->check(CLI::IsMember({"satellites", "transponders", "tv", "radio", "favorites"}));
        sub->add_flag("--json", *json, "print JSON with every field");
        sub->callback(
            [&common, path, kind, json] { ExitCode() = Dump(*path, *kind, common, *json); });
    }
}

}  // namespace brondavel::cli
