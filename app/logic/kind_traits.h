// What tells the five list windows apart, as one table: titles, letter
// buttons, columns, menu texts, the commands each kind offers, its default
// place and the kinds whose records hang below it.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/record.h"
#include "model/sort_state.h"

namespace brondavel::app {

inline constexpr int kLetterButtons = 9;

enum class LetterAction { kNone, kShowAll, kActiveOff, kActiveOn, kSort };

struct LetterSpec {
    char letter = ' ';  // ' ' blank, '-' separator
    LetterAction action = LetterAction::kNone;
    SortOrder sortOrder = SortOrder::kNone;  // for kSort
    const char* tooltip = "";
};

enum class ColumnAlign { kLeft, kRight, kCenter };
struct ListColumn {
    int width;
    ColumnAlign align;
};

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kWhite{255, 255, 255};

// A place in the grid of list windows under the panel, counted in windows.
struct GridCell {
    int column, row;
};

// The panel button that shows and hides the kind's window.
struct PanelToggle {
    int controlId;
    // Kept as the button's text for accessibility; only the icon is shown.
    const char* text;
    const char* tooltip;
    const char* icon;
    // The Registry.ini flag that remembers whether the window is shown.
    const char* viewFlag;
};

struct KindTraits {
    RecordKind kind;
    const char* title;
    // The context menu's first item when it was opened on no row.
    const char* menuHeading;
    // The name the window's rectangle is stored under.
    const char* rectangleName;
    GridCell defaultCell;
    PanelToggle toggle;
    // The letter code read from the right ('-' a separator), and the buttons
    // of its letters in order.
    const char* letterCode;
    std::span<const LetterSpec> letters;
    // Column 0 (width 0, never seen) first; `mainColumn` takes the window's
    // extra width and holds the name.
    std::span<const ListColumn> columns;
    int mainColumn;
    // The sort items, orders 1.. in menu order.
    std::span<const char* const> sortLabels;
    // The active toggle's labels; null for kinds without one.
    const char* showActiveLabel;
    const char* showAllLabel;
    // Background of the visible cells of an active row.
    Rgb activeBackground;
    bool find;            // Ctrl+F narrows the list by name
    bool rename;          // F2 renames in place
    bool move;            // Alt+Up/Down and the Move menu
    bool recordCommands;  // New and Delete
    bool editDialog;      // a dialog edits a row
    bool update;          // the "Update" item
    bool favoriteGroups;  // rows join and leave favourite groups
    // The kinds whose records refer to a record of this kind.
    std::span<const RecordKind> children;
};

namespace kinds {

using A = LetterAction;
using C = ColumnAlign;
inline constexpr const char* kShowAllTip = "Show all satellites, transponders, channel";
inline constexpr const char* kOriginalTip = "Show satellites sorted by original order";
inline constexpr const char* kNamesTip = "Show satellites sorted by names";

inline constexpr LetterSpec kSatelliteLetters[] = {
    {'A', A::kShowAll, SortOrder::kNone, kShowAllTip},
    {'A', A::kActiveOff, SortOrder::kNone, "Show all satellites"},
    {'P', A::kActiveOn, SortOrder::kNone, "Show only Channel active satellites"},
    {'O', A::kSort, SortOrder::kOriginal, kOriginalTip},
    {'N', A::kSort, SortOrder::kName, kNamesTip},
    {'L', A::kSort, SortOrder::kLongitude, "Show satellites sorted by geographic position"}};
inline constexpr LetterSpec kTransponderLetters[] = {
    {'A', A::kShowAll, SortOrder::kNone, kShowAllTip},
    {'A', A::kActiveOff, SortOrder::kNone, "Show all Transponders"},
    {'P', A::kActiveOn, SortOrder::kNone, "Show only Channel active Transponders"},
    {'O', A::kSort, SortOrder::kOriginal, kOriginalTip},
    {'N', A::kSort, SortOrder::kName, kNamesTip},
    {'S', A::kSort, SortOrder::kSatellite, "Show satellites sorted by satellites order"},
    {'F', A::kSort, SortOrder::kFrequency, "Show satellites sorted by frequency order"}};
inline constexpr LetterSpec kChannelLetters[] = {
    {'A', A::kShowAll, SortOrder::kNone, kShowAllTip},
    {'O', A::kSort, SortOrder::kOriginal, kOriginalTip},
    {'N', A::kSort, SortOrder::kName, kNamesTip},
    {'S', A::kSort, SortOrder::kScramble, "Show satellites sorted by scramble Channel"},
    {'L', A::kSort, SortOrder::kLock, "Show satellites sorted by lock channel"}};
inline constexpr LetterSpec kFavoriteLetters[] = {
    {'A', A::kShowAll, SortOrder::kNone, kShowAllTip},
    {'A', A::kActiveOff, SortOrder::kNone, "Show all Favorite"},
    {'P', A::kActiveOn, SortOrder::kNone, "Show only Channel active Favorite"}};

inline constexpr ListColumn kSatelliteColumns[] = {{0, C::kLeft}, {195, C::kLeft}, {60, C::kRight}};
inline constexpr ListColumn kTransponderColumns[] = {
    {0, C::kLeft}, {145, C::kLeft}, {110, C::kLeft}};
inline constexpr ListColumn kChannelColumns[] = {{0, C::kLeft},    {48, C::kLeft},
                                                 {159, C::kLeft},  {16, C::kCenter},
                                                 {16, C::kCenter}, {16, C::kCenter}};
inline constexpr ListColumn kFavoriteColumns[] = {{0, C::kLeft}, {260, C::kLeft}};

inline constexpr const char* kSatelliteSorts[] = {"Original", "Name( Alphabetic )", "Longitude"};
inline constexpr const char* kTransponderSorts[] = {"Original", "Name( Alphabetic )", "Satellites",
                                                    "Frequency"};
inline constexpr const char* kChannelSorts[] = {"Original", "Name( Alphabetic )", "Scramble",
                                                "Lock"};

inline constexpr RecordKind kSatelliteChildren[] = {kTransponder};
inline constexpr RecordKind kTransponderChildren[] = {kTv, kRadio};

inline constexpr Rgb kGreen{200, 255, 200};
inline constexpr Rgb kRed{255, 200, 200};

}  // namespace kinds

// Indexed by RecordKind.
inline constexpr std::array<KindTraits, kKindCount> kKindTraits{{
    {kSatellite,
     "Satellite",
     "Satellites",
     "SAT_RECT",
     {0, 0},
     {1004, "SAT", "Satellite Window", ":/panel/satellite.xpm", "SAT_VIEW"},
     "A-AP-ONL",
     kinds::kSatelliteLetters,
     kinds::kSatelliteColumns,
     1,
     kinds::kSatelliteSorts,
     "Show Active Satellites",
     "Show All Satellites",
     kinds::kGreen,
     /*find*/ false,
     /*rename*/ true,
     /*move*/ true,
     /*recordCommands*/ true,
     /*editDialog*/ true,
     /*update*/ true,
     /*favoriteGroups*/ false,
     kinds::kSatelliteChildren},
    {kTransponder,
     "Transponder",
     "Transponder",
     "TP_RECT",
     {0, 1},
     {1002, "TP", "Transponder Window", ":/panel/transponder.xpm", "TP_VIEW"},
     "A-AP-ONSF",
     kinds::kTransponderLetters,
     kinds::kTransponderColumns,
     1,
     kinds::kTransponderSorts,
     "Show Active Transponders",
     "Show All Transponders",
     kinds::kRed,
     /*find*/ true,
     /*rename*/ true,
     /*move*/ true,
     /*recordCommands*/ true,
     /*editDialog*/ true,
     /*update*/ false,
     /*favoriteGroups*/ false,
     kinds::kTransponderChildren},
    {kTv,
     "TV Channel",
     "TV Channel",
     "TV_RECT",
     {1, 0},
     {1005, "TV", "TV Channel Window", ":/panel/tv.xpm", "TV_VIEW"},
     "A-ONSL",
     kinds::kChannelLetters,
     kinds::kChannelColumns,
     2,
     kinds::kChannelSorts,
     nullptr,
     nullptr,
     kWhite,
     /*find*/ true,
     /*rename*/ true,
     /*move*/ true,
     /*recordCommands*/ true,
     /*editDialog*/ true,
     /*update*/ false,
     /*favoriteGroups*/ true,
     {}},
    {kRadio,
     "Radio Channel",
     "Radio Channel",
     "RADIO_RECT",
     {1, 1},
     {1003, "RAD", "Radio Channel Window", ":/panel/radio.xpm", "RADIO_VIEW"},
     "A-ONSL",
     kinds::kChannelLetters,
     kinds::kChannelColumns,
     2,
     kinds::kChannelSorts,
     nullptr,
     nullptr,
     kWhite,
     /*find*/ true,
     /*rename*/ true,
     /*move*/ true,
     /*recordCommands*/ true,
     /*editDialog*/ true,
     /*update*/ false,
     /*favoriteGroups*/ true,
     {}},
    {kFavorite,
     "Favorite",
     "Favorite",
     "FAV_RECT",
     {2, 0},
     {1009, "FAV", "Favorite Window", ":/panel/favorites.xpm", "FAV_VIEW"},
     "A-AP",
     kinds::kFavoriteLetters,
     kinds::kFavoriteColumns,
     1,
     {},
     "Show Active Favorite",
     "Show All Favorite",
     kinds::kRed,
     /*find*/ false,
     /*rename*/ false,
     /*move*/ false,
     /*recordCommands*/ false,
     /*editDialog*/ false,
     /*update*/ false,
     /*favoriteGroups*/ false,
     {}},
}};

constexpr const KindTraits& TraitsOf(RecordKind kind) {
    return kKindTraits[static_cast<size_t>(kind)];
}

// Every row lies in the table at its own kind.
static_assert([] {
    for (size_t i = 0; i < kKindTraits.size(); ++i)
        if (static_cast<size_t>(kKindTraits[i].kind) != i) return false;
    return true;
}());

}  // namespace brondavel::app
