#include "app/logic/stale_filters.h"

#include <algorithm>

#include "app/logic/kind_traits.h"
#include "model/database_engine.h"

namespace brondavel::app {

std::vector<RecordKind> KindsWithStaleFilters(const DatabaseEngine& db) {
    std::vector<RecordKind> stale;
    for (const KindTraits& parent : kKindTraits) {
        const RecordList& parents = db.list(parent.kind);
        for (RecordKind child : parent.children) {
            const std::vector<uint16_t>& keys = db.list(child).keyFilter();
            if (keys.empty()) continue;
            if (std::none_of(keys.begin(), keys.end(),
                             [&](uint16_t id) { return parents.FindById(id) != nullptr; }))
                stale.push_back(child);
        }
    }
    return stale;
}

}  // namespace brondavel::app
