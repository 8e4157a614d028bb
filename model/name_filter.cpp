#include "model/name_filter.h"

namespace brondavel {

std::string FoldCaseForFind(std::string_view utf8) {
    std::string folded(utf8);
    for (size_t i = 0; i < folded.size(); ++i) {
        auto c = static_cast<unsigned char>(folded[i]);
        if (c >= 'A' && c <= 'Z') {
            folded[i] = static_cast<char>(c + 0x20);
        } else if (c == 0xC3 && i + 1 < folded.size()) {
            // U+00C0-U+00DE (but U+00D7, the multiplication sign) are C3 80-9E.
            const auto next = static_cast<unsigned char>(folded[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                folded[i + 1] = static_cast<char>(next + 0x20);
            ++i;
        }
    }
    return folded;
}

}  // namespace brondavel
