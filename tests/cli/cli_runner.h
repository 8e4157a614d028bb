// Running brondavel-cli as scripts do: exit code, standard output, and
// standard error kept in a file of the test's scratch folder.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "tests/support/build_paths.h"
#include "tests/support/temp_files.h"

namespace clitest {

struct Result {
    int code;
    std::string out;
    std::string err;
};

inline std::string CliPath() {
    return buildpaths::BinaryDir() + "/bin/brondavel-cli";
}

inline std::string ReadText(const std::string& path) {
    const std::vector<uint8_t> bytes = testsupport::Slurp(path);
    return {bytes.begin(), bytes.end()};
}

inline size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(Cli("demo " + P("demo.ZCS")).code, 0); }
    std::string P(const std::string& name) const { return dir / name; }

    // `args` is a shell command line fragment.
    Result Cli(const std::string& args) const {
        const std::string errFile = P("stderr.txt");
        const std::string cmd = CliPath() + " " + args + " 2>" + errFile;
        FILE* p = ::popen(cmd.c_str(), "r");
        Result r{-1, "", ""};
        std::array<char, 4096> buf;
        size_t n;
        while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
        const int status = ::pclose(p);
        r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.err = ReadText(errFile);
        return r;
    }

    testsupport::TempDir dir;
};

}  // namespace clitest
