#include "app/logic/list_window_kinds.h"

#include <string_view>

namespace brondavel::app {

namespace {

constexpr const char* kShowAllTip = "Show all satellites, transponders, channel";
constexpr const char* kOriginalTip = "Show satellites sorted by original order";
constexpr const char* kNamesTip = "Show satellites sorted by names";

struct KindButtons {
    std::string_view code;
    std::vector<LetterSpec> actions;  // one per letter other than '-', in order
};

KindButtons ButtonsFor(int kind) {
    using A = LetterAction;
    switch (kind) {
        case 0:
            return {"A-AP-ONL",
                    {{'A', A::kShowAll, 0, kShowAllTip},
                     {'A', A::kActiveOff, 0, "Show all satellites"},
                     {'P', A::kActiveOn, 0, "Show only Channel active satellites"},
                     {'O', A::kSort, 1, kOriginalTip},
                     {'N', A::kSort, 2, kNamesTip},
                     {'L', A::kSort, 3, "Show satellites sorted by geographic position"}}};
        case 1:
            return {"A-AP-ONSF",
                    {{'A', A::kShowAll, 0, kShowAllTip},
                     {'A', A::kActiveOff, 0, "Show all Transponders"},
                     {'P', A::kActiveOn, 0, "Show only Channel active Transponders"},
                     {'O', A::kSort, 1, kOriginalTip},
                     {'N', A::kSort, 2, kNamesTip},
                     {'S', A::kSort, 3, "Show satellites sorted by satellites order"},
                     {'F', A::kSort, 4, "Show satellites sorted by frequency order"}}};
        case 2:
        case 3:
            return {"A-ONSL",
                    {{'A', A::kShowAll, 0, kShowAllTip},
                     {'O', A::kSort, 1, kOriginalTip},
                     {'N', A::kSort, 2, kNamesTip},
                     {'S', A::kSort, 3, "Show satellites sorted by scramble Channel"},
                     {'L', A::kSort, 4, "Show satellites sorted by lock channel"}}};
        case 4:
            return {"A-AP",
                    {{'A', A::kShowAll, 0, kShowAllTip},
                     {'A', A::kActiveOff, 0, "Show all Favorite"},
                     {'P', A::kActiveOn, 0, "Show only Channel active Favorite"}}};
        default:
            return {};
    }
}

}  // namespace

std::array<LetterSpec, kLetterButtons> LetterSpecsOf(int kind) {
    std::array<LetterSpec, kLetterButtons> buttons;
    const KindButtons kb = ButtonsFor(kind);
    const size_t first = kLetterButtons - kb.code.size();
    size_t next = 0;
    for (size_t i = 0; i < kb.code.size(); ++i) {
        LetterSpec& b = buttons[first + i];
        if (kb.code[i] == '-') {
            b.letter = '-';
        } else if (next < kb.actions.size()) {
            b = kb.actions[next++];
        }
    }
    return buttons;
}

bool LetterHolds(const LetterSpec& button, uint32_t sortState, uint32_t activeOnly,
                 bool allKeyFiltersEmpty) {
    switch (button.action) {
        case LetterAction::kShowAll:
            return allKeyFiltersEmpty;
        case LetterAction::kActiveOff:
            return activeOnly == 0;
        case LetterAction::kActiveOn:
            return activeOnly != 0;
        case LetterAction::kSort:
            return static_cast<int>(sortState & 0xF) == button.sortOrder;
        case LetterAction::kNone:
            break;
    }
    return false;
}

std::vector<ListColumn> ColumnsOf(int kind) {
    using C = ColumnAlign;
    switch (kind) {
        case 0:
            return {{0, C::kLeft}, {195, C::kLeft}, {60, C::kRight}};
        case 1:
            return {{0, C::kLeft}, {145, C::kLeft}, {110, C::kLeft}};
        case 2:
        case 3:
            return {{0, C::kLeft},    {48, C::kLeft},   {159, C::kLeft},
                    {16, C::kCenter}, {16, C::kCenter}, {16, C::kCenter}};
        case 4:
            return {{0, C::kLeft}, {260, C::kLeft}};
        default:
            return {};
    }
}

int MainColumnOf(int kind) {
    return kind == 2 || kind == 3 ? 2 : 1;
}

int MainColumnWidthFor(int kind, int widthGrowth) {
    const std::vector<ListColumn> columns = ColumnsOf(kind);
    const int column = MainColumnOf(kind);
    if (column >= static_cast<int>(columns.size())) return 0;
    return columns[column].width + widthGrowth;
}

Rgb CellBackground(int kind, int column, bool rowActive) {
    if (!rowActive) return kWhite;
    if (kind == 0 && (column == 1 || column == 2)) return {200, 255, 200};
    if (kind == 1 && (column == 1 || column == 2)) return {255, 200, 200};
    if (kind == 4) return {255, 200, 200};
    return kWhite;
}

const char* TitleOf(int kind) {
    static const char* const kTitles[] = {"Satellite", "Transponder", "TV Channel", "Radio Channel",
                                          "Favorite"};
    return kind >= 0 && kind < 5 ? kTitles[kind] : "";
}

const char* MenuHeadingOf(int kind) {
    static const char* const kHeadings[] = {"Satellites", "Transponder", "TV Channel",
                                            "Radio Channel", "Favorite"};
    return kind >= 0 && kind < 5 ? kHeadings[kind] : "";
}

const char* ActiveToggleLabel(int kind, bool activeOnly) {
    switch (kind) {
        case 0:
            return activeOnly ? "Show All Satellites" : "Show Active Satellites";
        case 1:
            return activeOnly ? "Show All Transponders" : "Show Active Transponders";
        case 4:
            return activeOnly ? "Show All Favorite" : "Show Active Favorite";
        default:
            return nullptr;
    }
}

std::vector<std::string> SortLabelsOf(int kind) {
    switch (kind) {
        case 0:
            return {"Original", "Name( Alphabetic )", "Longitude"};
        case 1:
            return {"Original", "Name( Alphabetic )", "Satellites", "Frequency"};
        case 2:
        case 3:
            return {"Original", "Name( Alphabetic )", "Scramble", "Lock"};
        default:
            return {};
    }
}

bool HasRecordCommands(int kind) {
    return kind >= 0 && kind <= 3;
}

Point DefaultTopLeft(int kind) {
    static const Point kPlaces[] = {{309, 3}, {309, 153}, {615, 3}, {615, 153}, {3, 153}};
    return kind >= 0 && kind < 5 ? kPlaces[kind] : Point{0, 0};
}

const char* RectangleValueName(int kind) {
    static const char* const kNames[] = {"SAT_RECT", "TP_RECT", "TV_RECT", "RADIO_RECT",
                                         "FAV_RECT"};
    return kind >= 0 && kind < 5 ? kNames[kind] : "";
}

std::vector<int> ListsRefreshedAfterDelete(int kind) {
    if (kind == 0) return {0, 1, 2, 3, 4};
    if (kind == 1) return {1, 2, 3, 4};
    return {kind};
}

}  // namespace brondavel::app
