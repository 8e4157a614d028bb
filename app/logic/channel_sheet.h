// The TV and radio lists as a printed sheet shows them: sections of rows with
// the channel's number, name, satellite and transponder and its marks. Plain
// data, so the printing code only lays it out.
#pragma once

#include <string>
#include <vector>

#include "model/database_engine.h"

namespace brondavel::app {

struct ChannelSheetRow {
    std::string number;  // the channel's place in its list, from 1
    std::string name;
    std::string satellite;
    std::string transponder;
    bool locked = false;
    bool favorite = false;
    bool scrambled = false;
};

struct ChannelSheetSection {
    std::string title;
    std::vector<ChannelSheetRow> rows;
};

enum class SheetGrouping { kWholeList, kPerSatellite, kPerFavoriteGroup };

struct ChannelSheetOptions {
    bool tv = true;
    bool radio = true;
    SheetGrouping grouping = SheetGrouping::kWholeList;
};

// Sections in list order: TV before radio, satellites and favourite groups in
// their lists' order. Empty sections of a grouping are left out; a whole list
// is kept even when empty, so the sheet says so.
std::vector<ChannelSheetSection> BuildChannelSheet(const DatabaseEngine& db,
                                                   const ChannelSheetOptions& options);

}  // namespace brondavel::app
