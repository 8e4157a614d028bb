// Each subcommand of brondavel-cli registers itself here.
#pragma once

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"

namespace brondavel::cli {

void RegisterFileCommands(CLI::App& app, CommonOptions& common);
void RegisterDemoCommand(CLI::App& app, CommonOptions& common);
void RegisterEditCommands(CLI::App& app, CommonOptions& common);
void RegisterLh5Command(CLI::App& app, CommonOptions& common);
void RegisterLinkCommands(CLI::App& app, CommonOptions& common);

}  // namespace brondavel::cli
