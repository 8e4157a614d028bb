// Options and helpers shared by every brondavel-cli command.
#pragma once

#include <string>

namespace CLI {
class App;
}

namespace brondavel::cli {

// Receiver settings every command accepts; the defaults are the main panel's.
struct CommonOptions {
    int model = 2;     // 0 and 1: second generation, 2: first generation
    int flash = 3;     // 0 "Unknow" .. 4 "SST 4M"
    int compress = 2;  // 0 none, 1 whole file, 2 per section
};

// The exit code the selected command leaves behind (0 success, 1 failure).
int& ExitCode();

// Prints one line "brondavel-cli: <message>" on stderr and returns 1.
int Fail(const std::string& message);

// Adds --model, --flash and --compress to a command.
void AddCommonOptions(CLI::App& command, CommonOptions& common);

}  // namespace brondavel::cli
