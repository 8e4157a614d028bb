// merge: copies the satellites, transponders and channels of another file,
// of either generation, into a database without doubling any.
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/commands.h"
#include "cli/detected_database.h"
#include "cli/open_database.h"
#include "model/database_merge.h"

namespace brondavel::cli {

namespace {

struct MergeArguments {
    std::string in, other, out, kinds = "satellites,transponders,tv,radio";
    bool favorites = false, json = false, force = false;
};

bool ParseKinds(const std::string& text, std::array<bool, 4>& kinds) {
    kinds = {};
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        const int kind = KindFromName(item);
        if (kind < 0 || kind > 3) return false;
        kinds[kind] = true;
    }
    return true;
}

int Merge(const MergeArguments& a, const CommonOptions& common) {
    MergeOptions options;
    options.favorites = a.favorites;
    if (!ParseKinds(a.kinds, options.kinds))
        return Fail("--kinds takes satellites, transponders, tv and radio, not \"" + a.kinds +
                    "\"");
    auto file = OpenDatabase(a.in, common);
    if (!file) return 1;
    if (!MayWriteLoaded(*file, common, a.force)) return 1;
    auto other = OpenDetectedDatabase(a.other);
    if (!other) return 1;
    const MergeResult r = MergeDatabase(file->db(), other->db(), options);
    if (!r.error.empty()) return Fail(r.error);
    if (!SaveDatabase(*file, a.out)) return 1;
    if (a.json) {
        nlohmann::ordered_json j;
        for (int kind = 0; kind < 4; ++kind)
            j[KindName(kind)] = {{"added", r.added[kind]}, {"matched", r.matched[kind]}};
        j["orphansSkipped"] = r.orphansSkipped;
        j["lostFields"] = r.losses.fields;
        j["cutNames"] = r.losses.cutNames;
        std::cout << j.dump(2) << '\n';
        return 0;
    }
    for (const std::string& line : MergeReportLines(r)) std::cout << line << '\n';
    return 0;
}

}  // namespace

void RegisterMergeCommand(CLI::App& app, CommonOptions& common) {
    auto* sub = app.add_subcommand("merge", "Copy the records of another file into a database");
    AddCommonOptions(*sub, common);
    auto a = std::make_shared<MergeArguments>();
    sub->add_option("IN", a->in, "database file to add to")->required();
    sub->add_option("OTHER", a->other, "file to copy from, of either generation")->required();
    sub->add_option("OUT", a->out, "file to write (may be IN)")->required();
    sub->add_option("--kinds", a->kinds, "what to copy: satellites,transponders,tv,radio");
    sub->add_flag("--favorites", a->favorites, "new channels keep their favourite groups");
    sub->add_flag("--json", a->json, "print the counts as JSON");
    AddForceOption(*sub, a->force);
    sub->footer(
        "Records already in IN are kept as they are: satellites match by position (and\n"
        "name), transponders by satellite, frequency within 2 MHz and polarisation,\n"
        "channels by transponder and service id, then by name. Parents of copied records\n"
        "come along. A merge that would overflow a list adds nothing.");
    sub->callback([&common, a] { ExitCode() = Merge(*a, common); });
}

}  // namespace brondavel::cli
