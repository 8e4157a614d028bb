// diff: the satellites, transponders and channels added, removed, moved and
// changed between two database files of either generation.
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/detected_database.h"
#include "cli/open_database.h"
#include "files/database_diff.h"

namespace brondavel::cli {

namespace {

nlohmann::ordered_json EntryJson(int kind, const DiffEntry& e) {
    nlohmann::ordered_json j;
    j["name"] = e.identity.name;
    if (e.identity.keyed) {
        j["satellite"] = e.identity.longitude;
        if (kind != kSatellite) {
            j["frequency"] = e.identity.frequency;
            j["polarisation"] = std::string(1, e.identity.polarisation);
        }
        if (kind == kTv || kind == kRadio) j["serviceId"] = e.identity.serviceId;
    }
    // Numbers as the lists show them, from 1.
    if (e.positionBefore >= 0) j["numberBefore"] = e.positionBefore + 1;
    if (e.positionAfter >= 0) j["numberAfter"] = e.positionAfter + 1;
    if (!e.changes.empty()) {
        j["changes"] = nlohmann::ordered_json::array();
        for (const FieldChange& c : e.changes)
            j["changes"].push_back({{"field", c.field}, {"before", c.before}, {"after", c.after}});
    }
    return j;
}

std::string EntryLine(char mark, int kind, const DiffEntry& e) {
    std::string line = std::string(1, mark) + " " + KindName(kind) + " ";
    if (mark == '+')
        line += "#" + std::to_string(e.positionAfter + 1);
    else if (mark == '-')
        line += "#" + std::to_string(e.positionBefore + 1);
    else
        line += "#" + std::to_string(e.positionBefore + 1) + " -> #" +
                std::to_string(e.positionAfter + 1);
    line += " " + QuotedForTerminal(e.identity.name) + " " + e.identity.Describe(kind);
    for (size_t i = 0; i < e.changes.size(); ++i) {
        const FieldChange& c = e.changes[i];
        line += (i ? ", " : ": ") + c.field + " " + QuotedForTerminal(c.before) + " -> " +
                QuotedForTerminal(c.after);
    }
    return line;
}

int Diff(const std::string& pathA, const std::string& pathB, bool json) {
    auto a = OpenDetectedDatabase(pathA);
    if (!a) return 1;
    auto b = OpenDetectedDatabase(pathB);
    if (!b) return 1;
    const DatabaseDiff diff = DiffDatabases(a->db(), b->db());
    if (json) {
        nlohmann::ordered_json out;
        for (int kind = 0; kind < 4; ++kind) {
            const KindDiff& k = diff.kinds[kind];
            nlohmann::ordered_json j;
            const std::pair<const char*, const std::vector<DiffEntry>*> parts[] = {
                {"added", &k.added},
                {"removed", &k.removed},
                {"moved", &k.moved},
                {"changed", &k.changed}};
            for (const auto& [name, entries] : parts) {
                j[name] = nlohmann::ordered_json::array();
                for (const DiffEntry& e : *entries) j[name].push_back(EntryJson(kind, e));
            }
            out[KindName(kind)] = j;
        }
        std::cout << out.dump(1) << '\n';
        return 0;
    }
    for (int kind = 0; kind < 4; ++kind) {
        const KindDiff& k = diff.kinds[kind];
        if (k.Empty()) continue;
        std::cout << KindName(kind) << ": " << k.added.size() << " added, " << k.removed.size()
                  << " removed, " << k.moved.size() << " moved, " << k.changed.size()
                  << " changed\n";
        for (const DiffEntry& e : k.removed) std::cout << EntryLine('-', kind, e) << '\n';
        for (const DiffEntry& e : k.added) std::cout << EntryLine('+', kind, e) << '\n';
        for (const DiffEntry& e : k.moved) std::cout << EntryLine('>', kind, e) << '\n';
        for (const DiffEntry& e : k.changed) std::cout << EntryLine('~', kind, e) << '\n';
    }
    return 0;
}

}  // namespace

void RegisterDiffCommand(CLI::App& app, CommonOptions&) {
    auto* sub = app.add_subcommand(
        "diff", "List the records added, removed, moved and changed between two database files");
    auto a = std::make_shared<std::string>();
    auto b = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    sub->add_option("A", *a, "database file before")->required();
    sub->add_option("B", *b, "database file after")->required();
    sub->add_flag("--json", *json, "print JSON");
    sub->footer(
        "Each file is read with the settings it fits best, so the two may be of different\n"
        "generations. Records pair by satellite position, frequency, polarisation and service\n"
        "id, by name when those find nothing. Lines: \"-\" removed, \"+\" added, \">\" moved\n"
        "(#before -> #after, numbers from 1), \"~\" changed with the fields that differ.\n"
        "Nothing is printed when the files hold the same records in the same order.");
    sub->callback([a, b, json] { ExitCode() = Diff(*a, *b, *json); });
}

}  // namespace brondavel::cli
