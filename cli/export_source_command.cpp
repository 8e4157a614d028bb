// export-source: the default channel table as source arrays.
#include "cli/commands.h"
#include "cli/open_database.h"

namespace brondavel::cli {

namespace {

int ExportSource(const std::string& in, const std::string& out, const CommonOptions& common) {
    // The table would replace the database it was made from.
    if (!RefuseSameFile(in, out)) return 1;
    auto file = OpenDatabase(in, common);
    if (!file) return 1;
    if (!file->PrintSource(out))
        return Fail(file->lastError().empty() ? "this file kind has no default channel table"
                                              : file->lastError());
    return 0;
}

}  // namespace

void RegisterExportSourceCommand(CLI::App& app, CommonOptions& common) {
    auto* sub = app.add_subcommand("export-source", "Write the default channel table");
    AddCommonOptions(*sub, common);
    auto in = std::make_shared<std::string>(), out = std::make_shared<std::string>();
    sub->add_option("FILE", *in, "database file")->required();
    sub->add_option("OUT", *out, "text file to write")->required();
    sub->callback([&common, in, out] { ExitCode() = ExportSource(*in, *out, common); });
}

}  // namespace brondavel::cli
