// demo: writes the bundled demonstration database.
#include "cli/commands.h"
#include "cli/open_database.h"
#include "model/demo_database.h"

namespace brondavel::cli {

void RegisterDemoCommand(CLI::App& app, CommonOptions& common) {
    auto* sub = app.add_subcommand("demo", "Write a demonstration database made by Brondavel");
    AddCommonOptions(*sub, common);
    auto out = std::make_shared<std::string>();
    sub->add_option("OUT", *out, "file to write")->required();
    sub->callback([&common, out] {
        auto file = NewDatabase(*out, common);
        if (!file) {
            ExitCode() = 1;
            return;
        }
        if (common.model == 2)
            FillFirstGenDemo(file->db());
        else
            FillSecondGenDemo(file->db());
        ExitCode() = SaveDatabase(*file, *out) ? 0 : 1;
    });
}

}  // namespace brondavel::cli
