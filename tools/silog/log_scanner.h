// A cursor over one log line that reads the few scanf-style conversions the
// receiver's debug logs use, without scanf's undefined behaviour: a number
// that does not fit, or a line that ends early, is a failed scan.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brondavel::silog {

class LogScanner {
  public:
    explicit LogScanner(std::string_view text) : text_(text) {}

    // Matches `literal`; a space in it matches any run of white space, none
    // included, as in a scanf format.
    bool Literal(std::string_view literal);
    // A signed decimal of at most `width` characters (sign included) after
    // optional white space; empty when no digit or when out of int32 range.
    std::optional<int32_t> Decimal(size_t width = SIZE_MAX);
    // At most `width` hexadecimal digits (at least one) after optional white space.
    std::optional<uint32_t> Hex(size_t width);
    // The next `count` characters as they are, white space included.
    std::optional<std::string> Characters(size_t count);

  private:
    void SkipSpace();

    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace brondavel::silog
