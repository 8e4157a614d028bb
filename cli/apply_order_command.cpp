// apply-order: the TV and radio channels of a file take the order (and,
// when asked, the favourite groups) of a reference file of either
// generation.
#include <iostream>

#include "cli/commands.h"
#include "cli/detected_database.h"
#include "cli/open_database.h"
#include "files/reference_list.h"
#include "model/reference_order.h"

namespace brondavel::cli {

namespace {

struct ApplyOrderArguments {
    std::string in, reference, out;
    bool favorites = false, force = false, names = false;
};

// A shared text list: order and, on request, names.
int ApplyTextList(DatabaseFile& file, const ApplyOrderArguments& a) {
    std::vector<ReferenceEntry> entries;
    std::string error;
    if (!ReadReferenceList(a.reference, entries, error)) return Fail(error);
    const ListOrderResult r = ApplyListOrder(file.db(), entries, a.names);
    if (!SaveDatabase(file, a.out)) return 1;
    std::cout << "matched by service id and name: " << r.bySidAndName
              << "\nmatched by service id: " << r.bySid << "\nmatched by name: " << r.byName
              << "\nunmatched: " << r.unmatched << '\n';
    if (a.names) std::cout << "renamed: " << r.renamed << '\n';
    for (const CutName& c : r.cutNames)
        std::cout << "name cut: " << QuotedForTerminal(c.wanted) << " -> "
                  << QuotedForTerminal(c.stored) << '\n';
    return 0;
}

int ApplyOrder(const ApplyOrderArguments& a, const CommonOptions& common) {
    auto file = OpenDatabase(a.in, common);
    if (!file) return 1;
    if (!MayWriteLoaded(*file, common, a.force)) return 1;
    if (LooksLikeReferenceList(a.reference)) return ApplyTextList(*file, a);
    if (a.names) return Fail("--names needs a text list as REF");
    auto reference = OpenDetectedDatabase(a.reference);
    if (!reference) return 1;
    const ReferenceOrderResult r = ApplyReferenceOrder(file->db(), reference->db(), a.favorites);
    if (!SaveDatabase(*file, a.out)) return 1;
    std::cout << "matched by key: " << r.byKey << "\nmatched by name: " << r.byName
              << "\nunmatched: " << r.unmatched << '\n';
    return 0;
}

}  // namespace

void RegisterApplyOrderCommand(CLI::App& app, CommonOptions& common) {
    auto* sub = app.add_subcommand("apply-order",
                                   "Give the TV and radio channels the order of a reference file");
    AddCommonOptions(*sub, common);
    auto a = std::make_shared<ApplyOrderArguments>();
    sub->add_option("IN", a->in, "database file to reorder")->required();
    sub->add_option("REF", a->reference,
                    "reference file, of either generation, or a \"number;name;ONID-TSID-SID\" list")
        ->required();
    sub->add_option("OUT", a->out, "file to write (may be IN)")->required();
    sub->add_flag("--favorites", a->favorites,
                  "also take the favourite groups of the matched channels");
    sub->add_flag("--names", a->names, "matched channels also take the text list's names");
    AddForceOption(*sub, a->force);
    sub->footer(
        "Channels match by satellite position, frequency, polarisation and service id, then\n"
        "by name; from a text list by service id and name, by service id where it is unique,\n"
        "then by name. Unmatched channels keep their relative order after the matched ones. IN is\n"
        "read with --model, --flash and --compress; REF with the settings it fits best.");
    sub->callback([&common, a] { ExitCode() = ApplyOrder(*a, common); });
}

}  // namespace brondavel::cli
