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
    // True when any of the three was given: files are then read with them
    // as they are, else with the settings each file fits best.
    bool given = false;
};

// Exit codes beyond 0 success, 1 failure and 2 usage error.
inline constexpr int kExitInterrupted = 130;

// The exit code the selected command leaves behind.
int& ExitCode();

// Prints one line "brondavel-cli: <message>" on stderr and returns 1.
int Fail(const std::string& message);

// Fail for functions that answer whether to go on: prints and returns false.
bool Refuse(const std::string& message);

// Prints "brondavel-cli: warning: <message>" on stderr, once per text.
void Warn(const std::string& message);

// Adds --model, --flash and --compress to a command.
void AddCommonOptions(CLI::App& command, CommonOptions& common);

// strerror of the current errno.
std::string ErrnoText();

// True when `output` names the file `input` names (compared by device and
// inode, so other spellings and links count too).
bool SameFile(const std::string& input, const std::string& output);

// Fails with a message when `output` is `input`, for commands that would
// overwrite what they read with something else. True when they differ.
bool RefuseSameFile(const std::string& input, const std::string& output);

// Flushes standard output; false (after a message) when it could not be
// written, for example to a full device.
bool FlushStandardOutput();

}  // namespace brondavel::cli
