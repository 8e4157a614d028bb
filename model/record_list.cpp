#include "model/record_list.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace brondavel {

int RecordList::FindIds(std::vector<uint16_t>& out, uint32_t key,
                        const Predicate& predicate) const {
    out.clear();
    if (!predicate) return 0;
    for (const Record& r : records_)
        if (predicate(key, r)) out.push_back(r.id);
    return static_cast<int>(out.size());
}

void RecordList::BuildIndex() const {
    positionOfId_.assign(0, -1);
    uint16_t maxId = 0;
    for (const Record& r : records_) maxId = std::max(maxId, r.id);
    positionOfId_.assign(records_.empty() ? 0 : size_t(maxId) + 1, -1);
    for (size_t i = 0; i < records_.size(); ++i) {
        int& slot = positionOfId_[records_[i].id];
        if (slot < 0) slot = static_cast<int>(i);  // the first record with an id wins
    }
    indexValid_ = true;
}

int RecordList::PositionOfId(uint16_t id) const {
    if (!indexValid_) BuildIndex();
    return id < positionOfId_.size() ? positionOfId_[id] : -1;
}

const Record* RecordList::FindById(uint16_t id) const {
    const int p = PositionOfId(id);
    return p < 0 ? nullptr : &records_[p];
}

int RecordList::GetById(uint16_t id, std::span<uint8_t> out) const {
    const Record* r = FindById(id);
    if (!r) return 0;
    std::memcpy(out.data(), r->data(), std::min(out.size(), size_t(r->size)));
    return 1;
}

bool RecordList::IsDuplicate(std::span<const uint8_t> stored) const {
    const size_t n = std::min(duplicateBytes_, stored.size());
    for (const Record& r : records_)
        if (std::memcmp(r.data(), stored.data(), n) == 0) return true;
    return false;
}

int RecordList::Add(std::span<const uint8_t> stored) {
    if (stored.size() < storedSize_) return 0;
    stored = stored.first(storedSize_);
    if (IsDuplicate(stored)) return 0;
    records_.emplace_back(static_cast<uint16_t>(records_.size()), stored);
    InvalidateIndex();
    return 1;
}

int RecordList::InsertBatch(const Record* anchor, const Record* records, int count, int before) {
    if (count < 0 || (count > 0 && !records)) return 0;
    auto at = records_.end();
    if (!records_.empty() && anchor) {
        at = std::find(records_.begin(), records_.end(), *anchor);
        if (at == records_.end()) return 0;
        if (!before) ++at;
    }
    records_.insert(at, records, records + count);
    InvalidateIndex();
    return 1;
}

int RecordList::DeleteByIds(const uint16_t* ids, int count) {
    if (!ids || count <= 0) return 0;
    // Each id removes the first record that carries it.
    std::vector<bool> gone(records_.size(), false);
    for (int i = 0; i < count; ++i) {
        const int first = PositionOfId(ids[i]);
        if (first < 0) continue;
        if (!gone[first]) {
            gone[first] = true;
            continue;
        }
        // The same id asked for twice: the next record carrying it goes.
        for (size_t p = size_t(first) + 1; p < records_.size(); ++p) {
            if (!gone[p] && records_[p].id == ids[i]) {
                gone[p] = true;
                break;
            }
        }
    }
    size_t w = 0;
    for (size_t p = 0; p < records_.size(); ++p)
        if (!gone[p]) records_[w++] = records_[p];
    records_.resize(w);
    InvalidateIndex();
    return 0;
}

int RecordList::DeleteRecord(const Record& record) {
    auto it = std::find(records_.begin(), records_.end(), record);
    if (it == records_.end()) return 0;
    records_.erase(it);
    InvalidateIndex();
    return 1;
}

uint32_t RecordList::NextSortState(int order) const {
    if (static_cast<uint32_t>(order & 0xF) == (sortState_ & 0xF)) {
        const uint32_t direction = (sortState_ >> 4) & 0xF;
        return (sortState_ & ~0xF0u) | ((direction == 1 ? 2u : 1u) << 4);
    }
    return static_cast<uint32_t>(order & 0xF) | (1u << 4);
}

int RecordList::BucketSort(int order, int keyCount, const KeyOf& keyOf, const Predicate& matches) {
    sortState_ = NextSortState(order);
    if (!keyOf || !matches || keyCount <= 0) return 0;
    const bool descending = typedSortState().direction == SortDirection::kDescending;
    std::vector<Record> sorted;
    sorted.reserve(records_.size());
    for (int n = 0; n < keyCount; ++n) {
        const uint32_t key = keyOf(descending ? keyCount - 1 - n : n);
        for (const Record& r : records_)
            if (matches(key, r)) sorted.push_back(r);
    }
    if (sorted.empty()) return 0;
    records_ = std::move(sorted);
    InvalidateIndex();
    return 1;
}

int RecordList::Sort(int order, const Less& ascending) {
    if (!ascending) return 0;
    sortState_ = NextSortState(order);
    if (typedSortState().direction == SortDirection::kDescending)
        std::sort(records_.begin(), records_.end(),
                  [&ascending](const Record& a, const Record& b) { return ascending(b, a); });
    else
        std::sort(records_.begin(), records_.end(), ascending);
    InvalidateIndex();
    return 1;
}

bool RecordList::InClipboard(uint16_t id) const {
    return std::any_of(clipboard_.begin(), clipboard_.end(),
                       [id](const Record& r) { return r.id == id; });
}

int RecordList::MoveClipboard(int before) {
    if (clipboard_.empty() || anchorId_ == kNone) return 0;
    const Record* anchor = FindById(anchorId_);
    if (!anchor) return 0;
    const Record anchorCopy = *anchor;
    // The records move as they are now, not as they were when picked up, so
    // an edit made after the pick-up is never undone by the move.
    std::vector<uint16_t> ids;
    std::vector<Record> moving;
    for (const Record& c : clipboard_) {
        if (const Record* current = FindById(c.id)) {
            ids.push_back(c.id);
            moving.push_back(*current);
        }
    }
    if (moving.empty()) return 0;
    DeleteByIds(ids.data(), static_cast<int>(ids.size()));
    return InsertBatch(&anchorCopy, moving.data(), static_cast<int>(moving.size()), before);
}

int RecordList::UpdateById(uint16_t id, std::span<const uint8_t> stored) {
    const int p = PositionOfId(id);
    if (p < 0 || stored.size() < storedSize_) return 0;
    records_[p].Assign(stored.first(storedSize_));
    return 1;
}

int RecordList::ForEach(const Visitor& visit) const {
    if (!visit) return 0;
    for (size_t i = 0; i < records_.size(); ++i) visit(static_cast<int>(i), records_[i]);
    return 1;
}

int RecordList::FillPickList(ComboBox* combo, const PickListItem& item) const {
    if (!combo || !item) return 0;
    combo->ResetContent();
    for (int id = 0; id < Count(); ++id)
        if (const Record* r = FindById(static_cast<uint16_t>(id))) item(id, *combo, *r);
    return 1;
}

int RecordList::Populate(ListControl* list, const RowFormatter& format, const FilterKey& filterKey,
                         const Shows& shows) {
    if (!list || !format) return 0;
    list->DeleteAllRows();
    view_.clear();
    rowOfId_.clear();
    // A key set answers "is this value one of the keys" without scanning them.
    std::unordered_set<uint32_t> keys;
    const bool filtered = !keyFilter_.empty() && filterKey;
    if (filtered) keys.insert(keyFilter_.begin(), keyFilter_.end());
    for (const Record& r : records_) {
        if (filtered && !keys.count(filterKey(r))) continue;
        if (activeOnly_ && ActiveOf(r.id) == 0) continue;
        if (shows && !shows(r)) continue;
        const int row = static_cast<int>(view_.size());
        format(row, *list, r);
        view_.push_back(r);
        if (r.id >= rowOfId_.size()) rowOfId_.resize(size_t(r.id) + 1, kNoRow);
        if (rowOfId_[r.id] == kNoRow) rowOfId_[r.id] = row;
    }
    return 1;
}

void RecordList::ReplaceRecords(std::vector<Record> records) {
    records_ = std::move(records);
    ClearView();
    clipboard_.clear();
    anchorId_ = kNone;
    InvalidateIndex();
}

int RecordList::RowOfId(uint16_t id) const {
    return id < rowOfId_.size() ? rowOfId_[id] : kNoRow;
}

uint16_t RecordList::IdOfRow(int row) const {
    return row >= 0 && row < static_cast<int>(view_.size()) ? view_[row].id : kNone;
}

void RecordList::SetActive(uint16_t id, uint32_t value) {
    if (id == kNone) return;
    if (id >= active_.size()) active_.resize(size_t(id) + 1, 0);
    active_[id] = value;
}

std::vector<uint16_t> RecordList::Renumber() {
    uint16_t maxId = 0;
    for (const Record& r : records_) maxId = std::max(maxId, r.id);
    for (const Record& r : view_) maxId = std::max(maxId, r.id);
    for (const Record& r : clipboard_) maxId = std::max(maxId, r.id);
    maxId = std::max<uint16_t>(maxId, anchorId_ == kNone ? 0 : anchorId_);
    maxId =
        std::max<uint16_t>(maxId, static_cast<uint16_t>(active_.empty() ? 0 : active_.size() - 1));
    std::vector<uint16_t> map(size_t(maxId) + 1, kNone);
    for (size_t i = 0; i < records_.size(); ++i) {
        if (map[records_[i].id] == kNone) map[records_[i].id] = static_cast<uint16_t>(i);
        records_[i].id = static_cast<uint16_t>(i);
    }
    auto remap = [&map](std::vector<Record>& list) {
        std::erase_if(list, [&map](const Record& r) { return map[r.id] == kNone; });
        for (Record& r : list) r.id = map[r.id];
    };
    remap(clipboard_);
    remap(view_);
    rowOfId_.clear();
    for (size_t row = 0; row < view_.size(); ++row) {
        if (view_[row].id >= rowOfId_.size()) rowOfId_.resize(size_t(view_[row].id) + 1, kNoRow);
        if (rowOfId_[view_[row].id] == kNoRow) rowOfId_[view_[row].id] = static_cast<int>(row);
    }
    if (anchorId_ != kNone) anchorId_ = map[anchorId_];
    std::vector<uint32_t> active(records_.size(), 0);
    for (size_t old = 0; old < active_.size(); ++old)
        if (map[old] != kNone) active[map[old]] = active_[old];
    active_ = std::move(active);
    InvalidateIndex();
    return map;
}

void RecordList::RemapKeys(const std::vector<uint16_t>& parentMap) {
    // A key whose record is gone keeps restricting the view (to nothing),
    // as it did before the renumbering; it never widens the filter.
    std::vector<uint16_t> kept;
    for (uint16_t k : keyFilter_) {
        const uint16_t mapped = k < parentMap.size() ? parentMap[k] : kNone;
        if (std::find(kept.begin(), kept.end(), mapped) == kept.end()) kept.push_back(mapped);
    }
    keyFilter_ = std::move(kept);
}

std::vector<uint16_t> SelectedIds(const RecordList& list, const ListControl& control) {
    std::vector<uint16_t> ids;
    for (int row : control.SelectedRows()) {
        const uint16_t id = list.IdOfRow(row);
        if (id != kNone) ids.push_back(id);
    }
    return ids;
}

void SelectRowsOfIds(const RecordList& list, ListControl& control,
                     const std::vector<uint16_t>& ids) {
    for (uint16_t id : ids) {
        const int row = list.RowOfId(id);
        if (row != kNoRow) control.SetRowSelected(row, true);
    }
}

}  // namespace brondavel
