// Each subcommand of brondavel-cli registers itself through one function; a
// new command is one more file and one more entry in kCommands.
#pragma once

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"

namespace brondavel::cli {

using CommandRegistrar = void (*)(CLI::App& app, CommonOptions& common);

void RegisterInfoCommand(CLI::App& app, CommonOptions& common);
void RegisterDetectCommand(CLI::App& app, CommonOptions& common);
void RegisterCheckCommand(CLI::App& app, CommonOptions& common);
void RegisterResaveCommand(CLI::App& app, CommonOptions& common);
void RegisterDumpCommand(CLI::App& app, CommonOptions& common);
void RegisterDemoCommand(CLI::App& app, CommonOptions& common);
void RegisterEditCommand(CLI::App& app, CommonOptions& common);
void RegisterExportSourceCommand(CLI::App& app, CommonOptions& common);
void RegisterLh5Command(CLI::App& app, CommonOptions& common);
void RegisterLinkCommands(CLI::App& app, CommonOptions& common);
void RegisterDiffCommand(CLI::App& app, CommonOptions& common);
void RegisterApplyOrderCommand(CLI::App& app, CommonOptions& common);
void RegisterUpdateTranspondersCommand(CLI::App& app, CommonOptions& common);
void RegisterMergeCommand(CLI::App& app, CommonOptions& common);
void RegisterConvertCommand(CLI::App& app, CommonOptions& common);
void RegisterReferenceCommand(CLI::App& app, CommonOptions& common);

// In the order `--help` lists them.
inline constexpr CommandRegistrar kCommands[] = {
    RegisterDemoCommand,
    RegisterInfoCommand,
    RegisterDetectCommand,
    RegisterCheckCommand,
    RegisterResaveCommand,
    RegisterDumpCommand,
    RegisterEditCommand,
    RegisterDiffCommand,
    RegisterApplyOrderCommand,
    RegisterExportSourceCommand,
    RegisterLh5Command,
    RegisterLinkCommands,
    RegisterUpdateTranspondersCommand,
    RegisterMergeCommand,
    RegisterConvertCommand,
    RegisterReferenceCommand,
};

}  // namespace brondavel::cli
