// Writing a file so that the previous one survives any failure: the data goes
// to a temporary file beside the target, is flushed to disk and then renamed
// over it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace brondavel {

// Writes the parts one after another. Returns true on success; on failure
// `error` says why and the target is untouched.
bool WriteFileAtomically(const std::string& path,
                         const std::vector<std::span<const uint8_t>>& parts, std::string& error);

// Reads a whole file (at most maxBytes). False with `error` set when it
// cannot be read.
bool ReadFile(const std::string& path, std::vector<uint8_t>& data, std::string& error,
              size_t maxBytes = SIZE_MAX);

}  // namespace brondavel
