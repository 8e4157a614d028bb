// Splits a log into lines of bounded length, as the receiver's logs are read:
// a line longer than the bound is cut there and the rest of it is dropped, so
// the tail of a long text is never taken for a line of its own.
#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <string_view>

namespace brondavel::silog {

inline constexpr size_t kNetworkLogLineLength = 1023;
inline constexpr size_t kEventLogLineLength = 2047;

// Calls `line` for every line without its line feed (a carriage return
// before it stays; the readers drop it).
void ForEachLogLine(std::istream& in, size_t maxLength,
                    const std::function<void(std::string_view)>& line);

}  // namespace brondavel::silog
