// Scratch folders and whole-file reads and writes for tests.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace testsupport {

namespace fs = std::filesystem;

// A fresh folder under the temporary directory, removed with everything in
// it afterwards (also when a test took away its permissions).
struct TempDir {
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "brondavel-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, ec);
        fs::remove_all(path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    fs::path path;
};

// The names in a folder, sorted: a temporary file left behind shows here.
inline std::vector<std::string> NamesIn(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// The whole file; empty when it cannot be read.
inline std::vector<uint8_t> Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string ReadText(const std::string& path) {
    const std::vector<uint8_t> bytes = Slurp(path);
    return {bytes.begin(), bytes.end()};
}

inline void Spit(const std::string& path, const std::vector<uint8_t>& data) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data.data()),
               static_cast<std::streamsize>(data.size()));
}

}  // namespace testsupport
