// convert: writes a database as the other receiver generation.
#include <iostream>

#include "cli/commands.h"
#include "cli/detected_database.h"
#include "cli/open_database.h"
#include "model/database_convert.h"

namespace brondavel::cli {

namespace {

struct ConvertArguments {
    std::string in, out;
    CommonOptions target;
};

int Convert(const ConvertArguments& a) {
    if (!RefuseSameFile(a.in, a.out)) return 1;
    auto source = OpenDetectedDatabase(a.in);
    if (!source) return 1;
    auto file = NewDatabase(a.out, a.target);
    if (!file) return 1;
    ConversionLosses losses;
    std::string error;
    if (!ConvertDatabase(source->db(), file->db(), losses, error)) return Fail(error);
    if (!SaveDatabase(*file, a.out)) return 1;
    std::cout << "read \"" << a.in << "\" as model " << source->model << ", wrote model "
              << a.target.model << '\n';
    for (int kind = 0; kind < 4; ++kind)
        std::cout << KindName(kind) << ": " << file->db().Count(kind) << '\n';
    for (const auto& [field, count] : losses.fields)
        std::cout << "not carried over: " << field << " (" << count << " records)\n";
    if (losses.cutNames) std::cout << "names cut: " << losses.cutNames << '\n';
    return 0;
}

}  // namespace

void RegisterConvertCommand(CLI::App& app, CommonOptions&) {
    auto* sub = app.add_subcommand("convert", "Write a database as another receiver generation");
    auto a = std::make_shared<ConvertArguments>();
    sub->add_option("IN", a->in, "database file, read with the settings it fits best")->required();
    sub->add_option("OUT", a->out, "file to write")->required();
    sub->add_option("--to-model", a->target.model, "model of the file to write (0, 1 or 2)")
        ->required()
        ->check(CLI::Range(0, 2));
    sub->add_option("--to-flash", a->target.flash, "flash type of the file to write")
        ->check(CLI::Range(0, 4));
    sub->add_option("--to-compress", a->target.compress, "compress mode of the file to write")
        ->check(CLI::Range(0, 2));
    sub->footer(
        "Every field both generations have is carried over; fields the target lacks are\n"
        "counted, fields only the target has get the values of a new record.");
    sub->callback([a] { ExitCode() = Convert(*a); });
}

}  // namespace brondavel::cli
