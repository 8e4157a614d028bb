#include "app/logic/delete_question.h"

#include <unordered_set>

#include "model/database_engine.h"

namespace brondavel::app {

namespace {

std::string Counted(size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

DeleteCounts RecordsDeletedWith(const DatabaseEngine& db, RecordKind kind,
                                const std::vector<int>& rows) {
    DeleteCounts counts;
    if (kind != kSatellite && kind != kTransponder) return counts;
    const DatabaseLayout& layout = db.layout();
    std::unordered_set<uint16_t> parents;
    for (int row : rows)
        if (const uint16_t id = db.list(kind).IdOfRow(row); id != kNone) parents.insert(id);
    std::unordered_set<uint16_t> transponders;
    if (kind == kSatellite) {
        for (const Record& t : db.list(kTransponder).records())
            if (parents.count(layout.SatelliteRefOf(t))) transponders.insert(t.id);
        counts.transponders = transponders.size();
    } else {
        transponders = parents;
    }
    for (RecordKind channels : {kTv, kRadio})
        for (const Record& c : db.list(channels).records())
            if (transponders.count(layout.TransponderRefOf(c))) ++counts.channels;
    return counts;
}

std::string DeleteQuestion(const DatabaseEngine& db, RecordKind kind,
                           const std::vector<int>& rows) {
    const DeleteCounts counts = RecordsDeletedWith(db, kind, rows);
    if (counts.transponders == 0 && counts.channels == 0) return {};
    std::string what;
    const Record* only =
        rows.size() == 1 ? db.list(kind).FindById(db.list(kind).IdOfRow(rows[0])) : nullptr;
    if (only)
        what = db.layout().DisplayName(kind, *only);
    else if (kind == kSatellite)
        what = Counted(rows.size(), "satellite", "satellites");
    else
        what = Counted(rows.size(), "transponder", "transponders");
    std::string along;
    if (counts.transponders > 0)
        along = Counted(counts.transponders, "transponder", "transponders");
    if (counts.channels > 0)
        along += (along.empty() ? "" : " and ") + Counted(counts.channels, "channel", "channels");
    return "Delete " + what + " with " + along + "?";
}

}  // namespace brondavel::app
