// Running brondavel-cli as scripts do: exit code, standard output, and
// standard error kept in a file of the test's scratch folder.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/build_paths.h"
#include "tests/support/temp_files.h"

namespace clitest {

using ::testing::HasSubstr;

struct Result {
    int code;
    std::string out;
    std::string err;
};

inline std::string CliPath() {
    return buildpaths::BinaryDir() + "/bin/brondavel-cli";
}

using testsupport::ReadText;

inline size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// A command that must fail with this exit code and say why on stderr.
struct Refusal {
    std::string args;
    int code;
    std::string message;
};

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(Cli("demo demo.ZCS").code, 0); }
    std::string P(const std::string& name) const { return dir / name; }

    // A shell command line run in the scratch folder: its exit code and
    // standard output, and its standard error kept in a file there.
    Result Run(const std::string& line) const {
        const std::string command = "cd '" + dir.path.string() + "' && " + line + " 2>stderr.txt";
        FILE* p = ::popen(command.c_str(), "r");
        Result r{-1, "", ""};
        if (p == nullptr) return r;
        std::array<char, 4096> buf;
        for (size_t n; (n = std::fread(buf.data(), 1, buf.size(), p)) > 0;)
            r.out.append(buf.data(), n);
        const int status = ::pclose(p);
        r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.err = ReadText(P("stderr.txt"));
        return r;
    }
    Result Cli(const std::string& args) const { return Run(CliPath() + " " + args); }

    // A command that must succeed; its output for further checks.
    Result Ok(const std::string& args) const {
        Result r = Cli(args);
        EXPECT_EQ(r.code, 0) << args << "\n" << r.err;
        return r;
    }

    // A failure a user can meet is one line on stderr, beside any warnings
    // and the pointer to --help after a usage error.
    void ExpectRefusals(const std::vector<Refusal>& cases) const {
        for (const Refusal& c : cases) {
            SCOPED_TRACE(c.args);
            const Result r = Cli(c.args);
            EXPECT_EQ(r.code, c.code);
            EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
            EXPECT_EQ(Count(r.err, "\n") - Count(r.err, ": warning: ") -
                          Count(r.err, "\nRun with --help"),
                      1u)
                << r.err;
        }
    }

    // Bytes of a file in the scratch folder overwritten in place.
    void Patch(const std::string& name, long at, const std::string& bytes) const {
        std::fstream f(P(name), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(at);
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    // A copy of a file in the scratch folder, cut to `length` bytes.
    void Cut(const std::string& from, const std::string& to, uintmax_t length) const {
        std::filesystem::copy_file(P(from), P(to));
        std::filesystem::resize_file(P(to), length);
    }

    // A saved file with its save date blanked.
    std::vector<uint8_t> Bytes(const std::string& name) const {
        std::vector<uint8_t> bytes = testsupport::Slurp(P(name));
        if (bytes.size() >= 24) std::fill(bytes.begin() + 16, bytes.begin() + 24, 0);
        return bytes;
    }

    testsupport::TempDir dir;
};

}  // namespace clitest
