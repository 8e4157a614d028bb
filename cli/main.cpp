// brondavel-cli: the editor's file, codec and link operations for scripts.
// Exit codes: 0 success, 1 the operation failed, 2 usage error.
#include <CLI/CLI.hpp>
#include <csignal>

#include "cli/commands.h"

int main(int argc, char** argv) {
    using namespace brondavel::cli;
    // A file-size limit must surface as a failed write, not kill us mid-save.
    std::signal(SIGXFSZ, SIG_IGN);
    CLI::App app{
        "Brondavel command-line tool: receiver channel databases, LH5 and the serial link"};
    app.require_subcommand(1);
    CommonOptions common;
    RegisterFileCommands(app, common);
    RegisterDemoCommand(app, common);
    RegisterEditCommands(app, common);
    RegisterLh5Command(app, common);
    RegisterLinkCommands(app, common);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }
    return ExitCode();
}
