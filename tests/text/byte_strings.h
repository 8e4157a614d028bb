// Byte strings written as lists of byte values, for stored names.
#pragma once

#include <initializer_list>
#include <string>

namespace brondavel::text {

inline std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s.push_back(static_cast<char>(b));
    return s;
}

}  // namespace brondavel::text
