#include "model/record_graph.h"

#include <unordered_set>

namespace brondavel {

namespace {

constexpr int kTransponderKinds[] = {kTransponder};
constexpr int kChannelKinds[] = {kTv, kRadio};

}  // namespace

int ParentKind(int kind) {
    if (kind == kTransponder) return kSatellite;
    if (kind == kTv || kind == kRadio) return kTransponder;
    return -1;
}

std::span<const int> ChildKinds(int kind) {
    if (kind == kSatellite) return kTransponderKinds;
    if (kind == kTransponder) return kChannelKinds;
    return {};
}

uint16_t RecordGraph::ParentRef(int kind, const Record& record) const {
    switch (ParentKind(kind)) {
        case kSatellite:
            return layout_.SatelliteRefOf(record);
        case kTransponder:
            return layout_.TransponderRefOf(record);
        default:
            return kNone;
    }
}

void RecordGraph::SetParentRef(int kind, Record& record, uint16_t parent) const {
    switch (ParentKind(kind)) {
        case kSatellite:
            layout_.SetSatelliteRef(record, parent);
            break;
        case kTransponder:
            layout_.SetTransponderRef(record, parent);
            break;
        default:
            break;
    }
}

bool RecordGraph::IsOrphan(const RecordLists& lists, int kind, const Record& record) const {
    const int parent = ParentKind(kind);
    return parent >= 0 && !lists[parent].FindById(ParentRef(kind, record));
}

IdsByKind RecordGraph::WithDescendants(const RecordLists& lists, int kind,
                                       const std::vector<uint16_t>& ids) const {
    IdsByKind found;
    if (kind < 0 || kind >= 4) return found;
    found[kind] = ids;
    // Parents come before their children in kind order.
    for (int parent = kind; parent < 4; ++parent) {
        if (found[parent].empty()) continue;
        const std::unordered_set<uint16_t> parents(found[parent].begin(), found[parent].end());
        for (int child : ChildKinds(parent))
            for (const Record& r : lists[child].records())
                if (parents.count(ParentRef(child, r))) found[child].push_back(r.id);
    }
    return found;
}

void RecordGraph::FollowRenumbered(RecordLists& lists, int parentKind,
                                   const std::vector<uint16_t>& map) const {
    for (int child : ChildKinds(parentKind)) {
        auto follow = [&](Record& r) {
            const uint16_t ref = ParentRef(child, r);
            if (ref < map.size() && map[ref] != kNone) SetParentRef(child, r, map[ref]);
        };
        for (Record& r : lists[child].mutableRecords()) follow(r);
        for (Record& r : lists[child].clipboard()) follow(r);
        lists[child].RemapKeys(map);
    }
}

void RecordGraph::FollowRestoredIds(RecordLists& lists, int parentKind,
                                    const std::vector<uint16_t>& map) {
    for (int child : ChildKinds(parentKind)) lists[child].RemapKeys(map);
}

}  // namespace brondavel
