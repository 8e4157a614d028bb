// The find text of the list windows: names match when the display text holds
// the typed text, whatever the case. Folding covers ASCII and Latin-1 letters
// in UTF-8; Arabic has no case and matches as shown.
#pragma once

#include <string>
#include <string_view>

namespace brondavel {

std::string FoldCaseForFind(std::string_view utf8);

}  // namespace brondavel
