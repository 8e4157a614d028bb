#include "app/logic/channel_sheet.h"

#include <map>

#include "model/favorite_record.h"
#include "model/record_text.h"

namespace brondavel::app {

namespace {

constexpr int kFavoriteGroups = 16;

const Record* ById(const std::map<uint16_t, const Record*>& index, uint16_t id) {
    auto it = index.find(id);
    return it == index.end() ? nullptr : it->second;
}

std::map<uint16_t, const Record*> IndexById(const std::vector<Record>& records) {
    std::map<uint16_t, const Record*> index;
    for (const Record& r : records) index.emplace(r.id, &r);
    return index;
}

std::string KindTitle(int kind) {
    return kind == kTv ? "TV channels" : "Radio channels";
}

}  // namespace

std::vector<ChannelSheetSection> BuildChannelSheet(const DatabaseEngine& db,
                                                   const ChannelSheetOptions& options) {
    const DatabaseLayout& layout = db.layout();
    const std::vector<Record>& satellites = db.list(kSatellite).records();
    const auto satelliteIndex = IndexById(satellites);
    const auto transponderIndex = IndexById(db.list(kTransponder).records());
    const auto favoriteIndex = IndexById(db.list(kFavorite).records());

    std::vector<ChannelSheetSection> sections;
    for (int kind : {kTv, kRadio}) {
        if ((kind == kTv && !options.tv) || (kind == kRadio && !options.radio)) continue;
        const std::vector<Record>& channels = db.list(kind).records();
        std::vector<ChannelSheetRow> rows;
        std::vector<uint16_t> satelliteOf;  // per row, 0xFFFF when unknown
        for (size_t i = 0; i < channels.size(); ++i) {
            const Record& channel = channels[i];
            // The cells a list row shows: number, name, lock, favourite, scramble.
            const std::vector<RowCell> cells = layout.RowCells(kind, static_cast<int>(i), channel);
            ChannelSheetRow row;
            row.number = cells.size() > 1 ? cells[1].text : std::to_string(i + 1);
            // The whole name: paper has room for what a list row cuts.
            row.name = WholeName(layout, kind, channel);
            row.locked = cells.size() > 3 && cells[3].image >= 0;
            row.favorite = cells.size() > 4 && cells[4].image >= 0;
            row.scrambled = cells.size() > 5 && cells[5].image >= 0;
            uint16_t satelliteId = 0xFFFF;
            if (const Record* tp = ById(transponderIndex, layout.TransponderRefOf(channel))) {
                row.transponder = layout.PickListText(kTransponder, *tp);
                satelliteId = layout.SatelliteRefOf(*tp);
                if (const Record* sat = ById(satelliteIndex, satelliteId))
                    row.satellite = layout.DisplayName(kSatellite, *sat);
            }
            rows.push_back(std::move(row));
            satelliteOf.push_back(satelliteId);
        }

        switch (options.grouping) {
            case SheetGrouping::kWholeList:
                sections.push_back({KindTitle(kind), std::move(rows)});
                break;
            case SheetGrouping::kPerSatellite:
                for (const Record& sat : satellites) {
                    ChannelSheetSection section{
                        KindTitle(kind) + ": " + layout.PickListText(kSatellite, sat), {}};
                    for (size_t i = 0; i < rows.size(); ++i)
                        if (satelliteOf[i] == sat.id) section.rows.push_back(rows[i]);
                    if (!section.rows.empty()) sections.push_back(std::move(section));
                }
                break;
            case SheetGrouping::kPerFavoriteGroup:
                for (uint16_t group = 0; group < kFavoriteGroups; ++group) {
                    // A database made in memory may have no group records yet.
                    const Record* named = ById(favoriteIndex, group);
                    ChannelSheetSection section{
                        KindTitle(kind) + ": " +
                            (named ? layout.DisplayName(kFavorite, *named)
                                   : std::string(kDefaultFavoriteNames[group])),
                        {}};
                    for (size_t i = 0; i < rows.size(); ++i)
                        if (layout.IsFavoriteMember(channels[i], group))
                            section.rows.push_back(rows[i]);
                    if (!section.rows.empty()) sections.push_back(std::move(section));
                }
                break;
        }
    }
    return sections;
}

}  // namespace brondavel::app
