// Reading a whole file into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace brondavel {

// Reads a whole file (at most maxBytes). False with `error` set when it
// cannot be read.
bool ReadFile(const std::string& path, std::vector<uint8_t>& data, std::string& error,
              size_t maxBytes = SIZE_MAX);

}  // namespace brondavel
