#include "app/logic/new_record.h"

namespace brondavel::app {

std::optional<int> ParentKindOf(int kind) {
    if (kind == kTransponder) return kSatellite;
    if (kind == kTv || kind == kRadio) return kTransponder;
    return std::nullopt;
}

std::string NewRecordRefusal(const DatabaseEngine& db, int kind) {
    const std::optional<int> parent = ParentKindOf(kind);
    if (!parent || db.list(*parent).Count() > 0) return {};
    // A record without its parent would refer to nothing and never be shown.
    if (*parent == kSatellite)
        return "There is no satellite for a new transponder. Add a satellite first.";
    return "There is no transponder for a new channel. Add a transponder first.";
}

int DefaultParentId(const DatabaseEngine& db, int kind) {
    const std::optional<int> parent = ParentKindOf(kind);
    if (!parent) return 0;
    // Selecting a parent narrows the child list to its children: the first
    // parent of that filter is the one the user looks at.
    const std::vector<uint16_t>& shown = db.list(kind).keyFilter();
    if (!shown.empty() && db.list(*parent).FindById(shown.front())) return shown.front();
    return 0;
}

}  // namespace brondavel::app
