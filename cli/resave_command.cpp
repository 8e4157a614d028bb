// resave: load a database and save it again (the image rebuilt from it).
#include "cli/commands.h"
#include "cli/open_database.h"

namespace brondavel::cli {

namespace {

struct ResaveArguments {
    std::string in, out;
    bool force = false;
};

int Resave(const ResaveArguments& a, const CommonOptions& common) {
    auto file = OpenDatabase(a.in, common);
    if (!file) return 1;
    if (!MayWriteLoaded(*file, common, a.force)) return 1;
    return SaveDatabase(*file, a.out) ? 0 : 1;
}

}  // namespace

void RegisterResaveCommand(CLI::App& app, CommonOptions& common) {
    auto* sub = app.add_subcommand("resave", "Load a database and save it again");
    AddCommonOptions(*sub, common);
    auto a = std::make_shared<ResaveArguments>();
    sub->add_option("IN", a->in, "database file to read")->required();
    sub->add_option("OUT", a->out, "file to write")->required();
    AddForceOption(*sub, a->force);
    sub->callback([&common, a] { ExitCode() = Resave(*a, common); });
}

}  // namespace brondavel::cli
