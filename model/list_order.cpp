#include "model/list_order.h"

#include <algorithm>
#include <unordered_map>

#include "model/field_table.h"
#include "model/name_filter.h"
#include "model/record_identity.h"
#include "model/record_rename.h"

namespace brondavel {

namespace {

std::string NameKey(const std::string& utf8) {
    std::string key;
    for (char c : FoldCaseForFind(utf8))
        if (c != ' ' && c != '\t') key += c;
    return key;
}

uint16_t ServiceIdOf(const Record& channel) {
    return ReadU16(channel.data() + 2);
}

// Candidates by key, taken in order, each once.
template <typename Key>
class Pool {
  public:
    void Add(const Key& key, int position) { slots_[key].push_back(position); }
    int Take(const Key& key, std::vector<bool>& taken) {
        auto it = slots_.find(key);
        if (it == slots_.end()) return -1;
        for (int p : it->second)
            if (!taken[p]) {
                taken[p] = true;
                return p;
            }
        return -1;
    }
    size_t CountOf(const Key& key) const {
        auto it = slots_.find(key);
        return it == slots_.end() ? 0 : it->second.size();
    }

  private:
    std::unordered_map<Key, std::vector<int>> slots_;
};

}  // namespace

ListOrderResult ApplyListOrder(DatabaseEngine& db, const std::vector<ReferenceEntry>& entries,
                               bool takeNames) {
    ListOrderResult result;
    std::vector<bool> taken(entries.size(), false);
    std::vector<std::string> entryNames(entries.size());
    for (size_t j = 0; j < entries.size(); ++j) entryNames[j] = NameKey(entries[j].name);

    db.BeginUndoGroup();
    for (int kind : {kTv, kRadio}) {
        const std::vector<Record>& current = db.list(kind).records();
        const FieldSpec* nameField = NameField(FieldsOf(GenerationOf(db.layout()), kind));
        std::vector<std::string> names(current.size());
        for (size_t i = 0; i < current.size(); ++i)
            names[i] = NameKey(FieldName(*nameField, current[i]));

        Pool<std::string> bySidName, byName;
        Pool<uint32_t> bySid;
        std::unordered_map<uint16_t, int> ourSidCount;
        for (const Record& r : current) ++ourSidCount[ServiceIdOf(r)];
        for (size_t j = 0; j < entries.size(); ++j) {
            const int p = static_cast<int>(j);
            if (entries[j].hasIds) {
                bySidName.Add(std::to_string(entries[j].serviceId) + '\n' + entryNames[j], p);
                bySid.Add(entries[j].serviceId, p);
            }
            byName.Add(entryNames[j], p);
        }
        std::vector<int> partner(current.size(), -1);
        for (size_t i = 0; i < current.size(); ++i) {
            const int j =
                bySidName.Take(std::to_string(ServiceIdOf(current[i])) + '\n' + names[i], taken);
            if (j >= 0) {
                partner[i] = j;
                ++result.bySidAndName;
            }
        }
        for (size_t i = 0; i < current.size(); ++i) {
            const uint16_t sid = ServiceIdOf(current[i]);
            if (partner[i] >= 0 || ourSidCount[sid] != 1 || bySid.CountOf(sid) != 1) continue;
            const int j = bySid.Take(sid, taken);
            if (j >= 0) {
                partner[i] = j;
                ++result.bySid;
            }
        }
        for (size_t i = 0; i < current.size(); ++i) {
            if (partner[i] >= 0 || names[i].empty()) continue;
            const int j = byName.Take(names[i], taken);
            if (j >= 0) {
                partner[i] = j;
                ++result.byName;
            }
        }

        const std::vector<int> positions = OrderByPartner(partner);
        std::vector<Record> arranged;
        arranged.reserve(current.size());
        for (int p : positions) {
            Record r = current[p];
            if (partner[p] < 0) {
                ++result.unmatched;
            } else if (takeNames) {
                const RenameResult renamed =
                    NameRecord(db.layout(), kind, r, entries[partner[p]].name);
                result.renamed += renamed.status == RenameStatus::kRenamed;
                if (renamed.Stored() && renamed.Changed())
                    result.cutNames.push_back({renamed.wanted, renamed.stored});
            }
            arranged.push_back(r);
        }
        db.RearrangeList(kind, std::move(arranged), "Apply Order");
    }
    db.EndUndoGroup("Apply Order");
    return result;
}

std::vector<ReferenceEntry> ReferenceEntriesOf(const DatabaseEngine& db, int kind) {
    std::vector<ReferenceEntry> out;
    if (kind != kTv && kind != kRadio) return out;
    const FieldSpec* nameField = NameField(FieldsOf(GenerationOf(db.layout()), kind));
    int number = 0;
    for (const Record& r : db.list(kind).records()) {
        ReferenceEntry e;
        e.number = ++number;
        e.name = FieldName(*nameField, r);
        e.hasIds = true;
        e.serviceId = ServiceIdOf(r);
        out.push_back(std::move(e));
    }
    return out;
}

}  // namespace brondavel
