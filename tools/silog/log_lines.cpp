#include "tools/silog/log_lines.h"

#include <string>

namespace brondavel::silog {

void ForEachLogLine(std::istream& in, size_t maxLength,
                    const std::function<void(std::string_view)>& line) {
    std::string text;
    text.reserve(maxLength);
    std::streambuf* buffer = in.rdbuf();
    if (!buffer) return;
    bool pending = false;  // characters seen since the last line feed
    for (;;) {
        const int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) break;
        if (c == '\n') {
            line(text);
            text.clear();
            pending = false;
            continue;
        }
        pending = true;
        if (text.size() < maxLength) text.push_back(static_cast<char>(c));
    }
    if (pending) line(text);
}

}  // namespace brondavel::silog
