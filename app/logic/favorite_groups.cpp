#include "app/logic/favorite_groups.h"

#include "model/database_engine.h"

namespace brondavel::app {

namespace {

// Both generations hold 16 groups.
constexpr size_t kFavoriteGroups = 16;

}  // namespace

std::vector<std::string> FavoriteGroupNames(const DatabaseEngine& db) {
    std::vector<std::string> names;
    for (const Record& group : db.list(kFavorite).records()) {
        if (names.size() == kFavoriteGroups) break;
        names.push_back(db.layout().DisplayName(kFavorite, group));
    }
    return names;
}

int SetFavoriteMembership(DatabaseEngine& db, RecordKind kind, const std::vector<int>& rows,
                          int group, bool member) {
    if ((kind != kTv && kind != kRadio) || group < 0 ||
        static_cast<size_t>(group) >= FavoriteGroupNames(db).size())
        return 0;
    const std::string groupName = FavoriteGroupNames(db)[group];
    int changed = 0;
    db.BeginUndoGroup();
    for (int row : rows) {
        Record channel;
        if (!db.RowRecord(kind, row, channel)) continue;
        if (db.layout().IsFavoriteMember(channel, group) == member) continue;
        db.layout().SetFavoriteMember(channel, group, member);
        changed += db.StoreRecord(kind, row, channel.stored());
    }
    const std::string channels = KindLabel(kind, static_cast<size_t>(changed));
    db.EndUndoGroup(member ? "Add " + channels + " to " + groupName
                           : "Remove " + channels + " from " + groupName);
    return changed;
}

}  // namespace brondavel::app
