// reference: writes the channel order as a shared text list.
#include "cli/commands.h"
#include "cli/open_database.h"
#include "files/atomic_file.h"
#include "files/reference_list.h"

namespace brondavel::cli {

namespace {

struct ReferenceArguments {
    std::string in, out, kind = "tv";
};

int WriteReference(const ReferenceArguments& a, const CommonOptions& common) {
    const int kind = KindFromName(a.kind);
    if (kind != kTv && kind != kRadio)
        return Fail("--kind takes tv or radio, not \"" + a.kind + "\"");
    if (!RefuseSameFile(a.in, a.out)) return 1;
    auto file = OpenDatabase(a.in, common);
    if (!file) return 1;
    const std::string text = FormatReferenceList(ReferenceEntriesOf(file->db(), kind));
    std::string error;
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    if (!WriteFileAtomically(a.out, {{bytes, text.size()}}, error)) return Fail(error);
    return 0;
}

}  // namespace

void RegisterReferenceCommand(CLI::App& app, CommonOptions& common) {
    auto* sub = app.add_subcommand("reference", "Write the channel order as a text list");
    AddCommonOptions(*sub, common);
    auto a = std::make_shared<ReferenceArguments>();
    sub->add_option("IN", a->in, "database file")->required();
    sub->add_option("OUT", a->out, "text file to write")->required();
    sub->add_option("--kind", a->kind, "tv or radio");
    sub->footer(
        "Lines are \"number;name;ONID-TSID-SID\". The records keep no network or transport\n"
        "stream ids, so those are written as 0.");
    sub->callback([&common, a] { ExitCode() = WriteReference(*a, common); });
}

}  // namespace brondavel::cli
