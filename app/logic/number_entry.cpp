#include "app/logic/number_entry.h"

#include <cstdio>
#include <cstdlib>

#include "app/logic/record_options.h"

namespace brondavel::app {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits in base 10, held at a ceiling far above any valid longitude so a long
// run of digits cannot wrap back into range.
int64_t ReadDigitsSaturated(std::string_view text) {
    constexpr int64_t kCeiling = 1'000'000'000;
    int64_t value = 0;
    for (char c : text)
        if (IsDigit(c) && value < kCeiling) value = value * 10 + (c - '0');
    return value;
}

}  // namespace

uint32_t ReadDigits(std::string_view text) {
    uint32_t value = 0;
    for (char c : text)
        if (IsDigit(c)) value = value * 10u + static_cast<uint32_t>(c - '0');
    return value;
}

std::string NumberText(int64_t value) {
    return std::to_string(value);
}

int16_t ReadLongitude(std::string_view degreeText, bool west) {
    int64_t tenths;
    const size_t dot = degreeText.find('.');
    if (dot == std::string_view::npos) {
        tenths = ReadDigitsSaturated(degreeText) * 10;
    } else {
        int firstDecimal = 0;
        for (char c : degreeText.substr(dot + 1))
            if (IsDigit(c)) {
                firstDecimal = c - '0';
                break;
            }
        tenths = ReadDigitsSaturated(degreeText.substr(0, dot)) * 10 + firstDecimal;
    }
    if (west) tenths = -tenths;
    if (tenths > 3600 || tenths < -3600) return 0;
    return static_cast<int16_t>(tenths);
}

std::string LongitudeDegreeText(int16_t tenths) {
    if (tenths == 0) return "0";
    const int magnitude = std::abs(static_cast<int>(tenths));
    char text[16];
    std::snprintf(text, sizeof text, "%d.%1d", magnitude / 10, magnitude % 10);
    return text;
}

int LongitudeSide(int16_t tenths) {
    return tenths < 0 ? kWest : kEast;
}

bool IsValidPidText(std::string_view text) {
    if (text.empty() || !IsDigit(text.front())) return false;
    for (char c : text)
        if (c == ' ' || c == '\t') return false;
    return true;
}

}  // namespace brondavel::app
