// dump: one kind's rows as the list window shows them, each led by the row
// index that `edit` takes.
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/open_database.h"
#include "cli/record_fields.h"
#include "files/record_export.h"
#include "model/memory_controls.h"
#include "model/record_text.h"

namespace brondavel::cli {

namespace {

// Names for the columns a kind's rows show after the row index.
std::vector<std::string> ColumnNames(int kind) {
    switch (kind) {
        case kSatellite:
            return {"name", "position"};
        case kTransponder:
            return {"name", "frequency"};
        case kTv:
        case kRadio:
            return {"number", "name", "lock", "favorite", "scramble"};
        default:
            return {"name"};
    }
}

// A cell as text: the lock, favourite and scramble images become L, F and S,
// a column without its image "-".
std::string CellText(const RowCell& cell, bool imageColumn) {
    if (!imageColumn) return cell.text;
    switch (cell.image) {
        case 1:
            return "L";
        case 2:
            return "F";
        case 3:
            return "S";
        default:
            return "-";
    }
}

struct DumpArguments {
    std::string path, kind;
    bool json = false, csv = false, header = false;
};

int Dump(const DumpArguments& a, const CommonOptions& common) {
    const int kind = KindFromName(a.kind);
    auto file = OpenDatabase(a.path, common);
    if (!file) return 1;
    DatabaseEngine& db = file->db();
    MemoryListControl list;
    db.Refresh(kind, &list);
    const auto& view = db.list(kind).view();
    if (a.csv) {
        std::cout << RecordsCsv(GenerationOfModel(file->model), kind, view);
        return 0;
    }
    const bool channels = kind == kTv || kind == kRadio;
    if (a.header && !a.json) {
        std::string line = "row";
        for (const std::string& name : ColumnNames(kind)) line += "\t" + name;
        std::cout << line << '\n';
    }
    nlohmann::json rows = nlohmann::json::array();
    for (int row = 0; row < list.RowCount(); ++row) {
        // Column 0 of every row is empty and never seen.
        std::vector<std::string> columns;
        for (size_t c = 1; c < list.rows[row].size(); ++c)
            columns.push_back(CellText(list.rows[row][c], channels && c >= 3));
        // A row shows the beginning of a long name; the dump prints it whole.
        const size_t nameColumn = channels ? 1 : 0;
        if (kind != kFavorite && columns.size() > nameColumn)
            columns[nameColumn] = WholeName(db.layout(), kind, view[row]);
        if (a.json) {
            rows.push_back({{"row", row},
                            {"id", view[row].id},
                            {"columns", columns},
                            {"fields", RecordFields(file->model, kind, view[row])}});
        } else {
            std::string line = std::to_string(row);
            for (const std::string& text : columns) line += "\t" + text;
            std::cout << line << '\n';
        }
    }
    if (a.json) std::cout << rows.dump(1) << '\n';
    return 0;
}

}  // namespace

void RegisterDumpCommand(CLI::App& app, CommonOptions& common) {
    auto* sub =
        app.add_subcommand("dump", "Print one kind's records as the list window shows them");
    AddCommonOptions(*sub, common);
    auto a = std::make_shared<DumpArguments>();
    sub->add_option("FILE", a->path, "database file")->required();
    sub->add_option("--kind", a->kind, "satellites|transponders|tv|radio|favorites")
        ->required()
        ->check(CLI::IsMember({"satellites", "transponders", "tv", "radio", "favorites"}));
    auto* json = sub->add_flag("--json", a->json, "print JSON with every field");
    sub->add_flag("--csv", a->csv, "print CSV with every field, names in UTF-8")->excludes(json);
    sub->add_flag("--header", a->header, "print the column names first");
    sub->footer(
        "Columns, tab-separated: the row index (the row `edit` takes, from 0), then the\n"
        "list window's columns. Channels: number (from 1), name, lock (L), favourite (F)\n"
        "and scramble (S) marks, \"-\" where a mark is not set.\n"
        "--csv: a header line, then per row the row index, id and every field.");
    sub->callback([&common, a] { ExitCode() = Dump(*a, common); });
}

}  // namespace brondavel::cli
