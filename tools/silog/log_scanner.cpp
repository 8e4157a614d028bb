#include "tools/silog/log_scanner.h"

#include <limits>

namespace brondavel::silog {

static bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

static int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void LogScanner::SkipSpace() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
}

bool LogScanner::Literal(std::string_view literal) {
    for (char c : literal) {
        if (c == ' ') {
            SkipSpace();
            continue;
        }
        if (pos_ >= text_.size() || text_[pos_] != c) return false;
        ++pos_;
    }
    return true;
}

std::optional<int32_t> LogScanner::Decimal(size_t width) {
    SkipSpace();
    size_t end = pos_ + std::min(width, text_.size() - pos_);
    size_t p = pos_;
    bool negative = false;
    if (p < end && (text_[p] == '+' || text_[p] == '-')) negative = text_[p++] == '-';
    int64_t value = 0;
    size_t digits = 0;
    while (p < end && text_[p] >= '0' && text_[p] <= '9') {
        value = value * 10 + (text_[p++] - '0');
        ++digits;
        if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
    pos_ = p;
    return static_cast<int32_t>(value);
}

std::optional<uint32_t> LogScanner::Hex(size_t width) {
    SkipSpace();
    uint32_t value = 0;
    size_t digits = 0;
    while (digits < width && digits < 8 && pos_ < text_.size() && HexValue(text_[pos_]) >= 0) {
        value = value * 16 + static_cast<uint32_t>(HexValue(text_[pos_++]));
        ++digits;
    }
    if (digits == 0) return std::nullopt;
    return value;
}

std::optional<std::string> LogScanner::Characters(size_t count) {
    if (text_.size() - pos_ < count) return std::nullopt;
    std::string chars(text_.substr(pos_, count));
    pos_ += count;
    return chars;
}

}  // namespace brondavel::silog
