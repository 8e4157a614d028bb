#include "cli/cli_common.h"

#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <set>

namespace brondavel::cli {

int& ExitCode() {
    static int code = 0;
    return code;
}

int Fail(const std::string& message) {
    std::cerr << "brondavel-cli: " << message << '\n';
    return 1;
}

bool Refuse(const std::string& message) {
    Fail(message);
    return false;
}

void Warn(const std::string& message) {
    static std::set<std::string> said;
    if (said.insert(message).second) std::cerr << "brondavel-cli: warning: " << message << '\n';
}

void AddCommonOptions(CLI::App& command, CommonOptions& common) {
    const auto given = [&common](const std::string&) { common.given = true; };
    command
        .add_option("--model", common.model, "receiver model: 0 or 1 second generation, 2 first")
        ->check(CLI::Range(0, 2))
        ->each(given);
    command.add_option("--flash", common.flash, "flash type 0-4")
        ->check(CLI::Range(0, 4))
        ->each(given);
    command.add_option("--compress", common.compress, "compress mode 0-2")
        ->check(CLI::Range(0, 2))
        ->each(given);
}

std::string ErrnoText() {
    return std::strerror(errno);
}

bool SameFile(const std::string& input, const std::string& output) {
    struct stat in {
    }, out{};
    if (::stat(input.c_str(), &in) != 0 || ::stat(output.c_str(), &out) != 0) return false;
    return in.st_dev == out.st_dev && in.st_ino == out.st_ino;
}

bool RefuseSameFile(const std::string& input, const std::string& output) {
    if (!SameFile(input, output)) return true;
    Fail("\"" + output + "\" is the input file; it would be overwritten. Choose another output");
    return false;
}

bool FlushStandardOutput() {
    // The stream flushes through stdio; the first failure's errno is the reason.
    errno = 0;
    std::cout.flush();
    int err = errno;
    const bool flushed = std::fflush(stdout) == 0;
    if (err == 0) err = errno;
    if (flushed && !std::ferror(stdout) && std::cout.good()) return true;
    // A failure met earlier in a long output leaves no errno behind.
    Fail(err != 0 ? std::string("cannot write standard output: ") + std::strerror(err)
                  : std::string("cannot write standard output"));
    return false;
}

}  // namespace brondavel::cli
