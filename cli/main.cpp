// brondavel-cli: the editor's file, codec and link operations for scripts.
// Exit codes: 0 success, 1 the operation failed, 2 usage error, 130 stopped
// by Ctrl-C.
#include <CLI/CLI.hpp>
#include <csignal>
#include <exception>
#include <new>

#include "cli/commands.h"

namespace {

// Marks an argument that followed "--": the parser then takes it as a
// positional even when it begins with "-", and the mark comes off before
// any command sees the value.
constexpr char kVerbatim = '\x1F';

std::string Unmark(std::string value) {
    if (!value.empty() && value[0] == kVerbatim) value.erase(0, 1);
    return value;
}

void UnmarkPositionals(CLI::App& app) {
    for (CLI::Option* option : app.get_options())
        if (option->get_positional()) option->transform(Unmark);
    for (CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; }))
        UnmarkPositionals(*sub);
}

// "--" ends the options wherever it stands: every later argument is a
// positional as it is ("rename tv 0 -- -Sport-").
std::vector<std::string> EndOptionsAtMarker(int argc, char** argv) {
    std::vector<std::string> args;
    bool verbatim = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (!verbatim && arg == "--") {
            verbatim = true;
            continue;
        }
        if (verbatim && !arg.empty() && arg[0] == '-') arg.insert(arg.begin(), kVerbatim);
        args.push_back(std::move(arg));
    }
    return {args.rbegin(), args.rend()};  // the parser takes them from the back
}

}  // namespace

int main(int argc, char** argv) {
    using namespace brondavel::cli;
    // A file-size limit must surface as a failed write, not kill us mid-save.
    std::signal(SIGXFSZ, SIG_IGN);
    CLI::App app{
        "Brondavel command-line tool: receiver channel databases, LH5 and the serial link"};
    app.name("brondavel-cli");
    app.set_version_flag("--version", std::string("brondavel-cli ") + BRONDAVEL_VERSION);
    app.require_subcommand(1);
    app.footer("\"--\" ends the options: every argument after it is taken as it is.");
    CommonOptions common;
    for (CommandRegistrar add : kCommands) add(app, common);
    UnmarkPositionals(app);
    std::vector<std::string> args = EndOptionsAtMarker(argc, argv);
    try {
        app.parse(args);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        if (code != 0) return 2;
        return FlushStandardOutput() ? 0 : 1;
    } catch (const std::bad_alloc&) {
        // Nothing was written: every save replaces its file only when whole.
        FlushStandardOutput();
        return Fail("out of memory");
    } catch (const std::exception& e) {
        FlushStandardOutput();
        return Fail(e.what());
    }
    // Output a full disk or a closed pipe did not take is a failure too.
    if (!FlushStandardOutput() && ExitCode() == 0) return 1;
    return ExitCode();
}
