#include "cli/cli_common.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace brondavel::cli {

int& ExitCode() {
    static int code = 0;
    return code;
}

int Fail(const std::string& message) {
    std::cerr << "brondavel-cli: " << message << '\n';
    return 1;
}

void AddCommonOptions(CLI::App& command, CommonOptions& common) {
    command
        .add_option("--model", common.model, "receiver model: 0 or 1 second generation, 2 first")
        ->check(CLI::Range(0, 2));
    command.add_option("--flash", common.flash, "flash type 0-4")->check(CLI::Range(0, 4));
    command.add_option("--compress", common.compress, "compress mode 0-2")->check(CLI::Range(0, 2));
}

}  // namespace brondavel::cli
