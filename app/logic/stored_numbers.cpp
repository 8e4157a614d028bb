#include "app/logic/stored_numbers.h"

#include <cstdio>

namespace brondavel::app {

std::vector<int> ReadStoredNumbers(const std::string& text, int count) {
    std::vector<int> numbers;
    size_t i = 0;
    while (i < text.size() && static_cast<int>(numbers.size()) < count) {
        const bool negative =
            text[i] == '-' && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9';
        if (negative) ++i;
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        long long value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            if (value < 0x7FFFFFFF) value = value * 10 + (text[i] - '0');
        if (value > 0x7FFFFFFF) value = 0x7FFFFFFF;
        numbers.push_back(static_cast<int>(negative ? -value : value));
    }
    return numbers;
}

std::string WritePair(int a, int b) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d,%d)", a, b);
    return text;
}

std::string WriteRectangle(int left, int top, int width, int height) {
    char text[64];
    std::snprintf(text, sizeof text, "(%d,%d,%d,%d)", left, top, width, height);
    return text;
}

}  // namespace brondavel::app
