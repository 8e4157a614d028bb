// update-transponders: brings one satellite's transponders up to date with
// published tables (installed dvbv5 tables or files the user names).
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/open_database.h"
#include "files/table_source.h"
#include "model/transponder_update.h"

namespace brondavel::cli {

namespace {

struct UpdateArguments {
    std::string in, out;
    int satellite = -1;
    std::vector<std::string> tables;
    bool removeMissing = false, includeS2 = false, dryRun = false, json = false, force = false;
};

std::string Transponder(uint32_t frequency, char polarisation) {
    return std::to_string(frequency) + " " + polarisation;
}

void PrintPlan(const TransponderUpdatePlan& plan, const TransponderUpdateResult& done, bool json) {
    if (json) {
        nlohmann::ordered_json j;
        j["position"] = PositionText(plan.longitude);
        j["tables"] = plan.sources;
        j["added"] = nlohmann::ordered_json::array();
        for (const PlannedAddition& a : plan.additions)
            j["added"].push_back({{"frequency", a.entry.frequency},
                                  {"polarisation", std::string(1, a.entry.polarisation)},
                                  {"symbolRate", a.entry.symbolRate},
                                  {"fec", a.entry.fec},
                                  {"name", a.name}});
        j["corrected"] = nlohmann::ordered_json::array();
        for (const PlannedCorrection& c : plan.corrections)
            j["corrected"].push_back({{"frequency", c.frequency},
                                      {"polarisation", std::string(1, c.polarisation)},
                                      {"symbolRate", {c.oldSymbolRate, c.newSymbolRate}},
                                      {"fec", {c.oldFec, c.newFec}}});
        j["notInTable"] = nlohmann::ordered_json::array();
        for (const PlannedRemoval& m : plan.missing)
            j["notInTable"].push_back({{"frequency", m.frequency},
                                       {"polarisation", std::string(1, m.polarisation)},
                                       {"channels", m.channels},
                                       {"removed", m.chosen}});
        j["unchanged"] = plan.unchanged;
        j["s2LeftOut"] = plan.s2LeftOut;
        j["circular"] = plan.circular;
        j["rejected"] = plan.rejected;
        j["channelsRemoved"] = done.channelsRemoved;
        std::cout << j.dump(2) << '\n';
        return;
    }
    std::cout << "satellite at " << PositionText(plan.longitude) << ", tables:";
    for (const std::string& s : plan.sources) std::cout << ' ' << s;
    std::cout << '\n';
    for (const PlannedAddition& a : plan.additions)
        std::cout << "add      " << Transponder(a.entry.frequency, a.entry.polarisation) << " "
                  << a.entry.symbolRate << " \"" << a.name << "\"\n";
    for (const PlannedCorrection& c : plan.corrections)
        std::cout << "correct  " << Transponder(c.frequency, c.polarisation) << " symbol rate "
                  << c.oldSymbolRate << " -> " << c.newSymbolRate << ", fec " << c.oldFec << " -> "
                  << c.newFec << '\n';
    for (const PlannedRemoval& m : plan.missing)
        std::cout << (m.chosen ? "remove   " : "missing  ")
                  << Transponder(m.frequency, m.polarisation) << " (" << m.channels
                  << " channels)\n";
    std::cout << SummaryText(plan) << '\n';
    if (done.channelsRemoved) std::cout << "channels removed: " << done.channelsRemoved << '\n';
    if (plan.rejected)
        std::cout << "table entries with impossible values ignored: " << plan.rejected << '\n';
    if (plan.circular)
        std::cout << "note: " << plan.circular
                  << " circular entries were taken as V (right) and H (left)\n";
}

int Update(const UpdateArguments& a, const CommonOptions& common) {
    auto file = OpenDatabase(a.in, common);
    if (!file) return 1;
    if (!a.dryRun && !MayWriteLoaded(*file, common, a.force)) return 1;
    DatabaseEngine& db = file->db();
    if (a.satellite < 0 || a.satellite >= db.Count(kSatellite))
        return Fail("there is no satellite in row " + std::to_string(a.satellite));
    const Record& satellite = db.list(kSatellite).records()[a.satellite];
    const int longitude = static_cast<int16_t>(ReadU16(satellite.data() + 4));

    std::vector<TransponderTable> tables;
    if (a.tables.empty()) {
        std::vector<std::string> skipped;
        tables = InstalledTablesAt(longitude, skipped);
        for (const std::string& s : skipped) Warn(s);
        if (tables.empty())
            return Fail("no installed table is at " + PositionText(longitude) + " (looked in " +
                        kInstalledTableFolder + ")");
    } else {
        for (const std::string& path : a.tables) {
            std::vector<TransponderTable> read;
            std::string error;
            if (!ReadTableFile(path, read, error)) return Fail(error);
            for (TransponderTable& t : TablesAt(read, longitude)) tables.push_back(std::move(t));
        }
        if (tables.empty())
            return Fail("no table given is for the position " + PositionText(longitude));
    }
    const TransponderUpdatePlan plan =
        PlanTransponderUpdate(db, satellite.id, tables, {a.includeS2, a.removeMissing});
    TransponderUpdateResult done;
    if (!a.dryRun) {
        done = ApplyTransponderUpdate(db, plan);
        if (!done.error.empty()) return Fail(done.error);
    }
    PrintPlan(plan, done, a.json);
    if (a.dryRun) return 0;
    return SaveDatabase(*file, a.out) ? 0 : 1;
}

}  // namespace

void RegisterUpdateTranspondersCommand(CLI::App& app, CommonOptions& common) {
    auto* sub = app.add_subcommand("update-transponders",
                                   "Update a satellite's transponders from published tables");
    AddCommonOptions(*sub, common);
    auto a = std::make_shared<UpdateArguments>();
    sub->add_option("IN", a->in, "database file")->required();
    sub->add_option("OUT", a->out, "file to write (may be IN)")->required();
    sub->add_option("--satellite", a->satellite, "row of the satellite, from 0 in stored order")
        ->required();
    sub->add_option("--table", a->tables,
                    "a dvbv5 table or a satellites.xml list; repeatable (default: the installed "
                    "tables at the satellite's position)");
    sub->add_flag("--remove-missing", a->removeMissing,
                  "delete transponders the tables do not have, with their channels");
    sub->add_flag("--include-s2", a->includeS2,
                  "take DVB-S2 entries too (the receiver's record cannot mark them)");
    sub->add_flag("--dry-run", a->dryRun, "show the changes, write nothing");
    sub->add_flag("--json", a->json, "print the changes as JSON");
    AddForceOption(*sub, a->force);
    sub->footer(
        "Tables match the satellite by position within 0.1 degree; transponders match by\n"
        "frequency within 2 MHz and polarisation. Circular polarisations are taken as V\n"
        "(right) and H (left).");
    sub->callback([&common, a] { ExitCode() = Update(*a, common); });
}

}  // namespace brondavel::cli
