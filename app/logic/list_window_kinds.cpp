#include "app/logic/list_window_kinds.h"

#include <algorithm>
#include <string_view>

namespace brondavel::app {

std::array<LetterSpec, kLetterButtons> LetterSpecsOf(RecordKind kind) {
    std::array<LetterSpec, kLetterButtons> buttons;
    const KindTraits& traits = TraitsOf(kind);
    const std::string_view code = traits.letterCode;
    const size_t first = kLetterButtons - code.size();
    size_t next = 0;
    for (size_t i = 0; i < code.size(); ++i) {
        LetterSpec& b = buttons[first + i];
        if (code[i] == '-')
            b.letter = '-';
        else if (next < traits.letters.size())
            b = traits.letters[next++];
    }
    return buttons;
}

bool LetterHolds(const LetterSpec& button, SortState sort, bool activeOnly,
                 bool allKeyFiltersEmpty) {
    switch (button.action) {
        case LetterAction::kShowAll:
            return allKeyFiltersEmpty;
        case LetterAction::kActiveOff:
            return !activeOnly;
        case LetterAction::kActiveOn:
            return activeOnly;
        case LetterAction::kSort:
            return sort.order == button.sortOrder;
        case LetterAction::kNone:
            break;
    }
    return false;
}

Rgb CellBackground(RecordKind kind, int column, bool rowActive) {
    return rowActive && column >= 1 ? TraitsOf(kind).activeBackground : kWhite;
}

int MainColumnWidthFor(RecordKind kind, int widthGrowth) {
    const KindTraits& traits = TraitsOf(kind);
    return traits.columns[traits.mainColumn].width + widthGrowth;
}

std::vector<RecordKind> ListsRefreshedAfterDelete(RecordKind kind) {
    std::vector<RecordKind> kinds{kind};
    for (size_t i = 0; i < kinds.size(); ++i)
        for (RecordKind child : TraitsOf(kinds[i]).children) kinds.push_back(child);
    const bool channelsGo = std::any_of(kinds.begin(), kinds.end(),
                                        [](RecordKind k) { return TraitsOf(k).favoriteGroups; });
    if (kinds.size() > 1 && channelsGo) kinds.push_back(kFavorite);
    return kinds;
}

}  // namespace brondavel::app
