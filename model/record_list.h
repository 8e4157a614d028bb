// All records of one kind in stored order, with the state of the window that
// shows them: view, key filter, active marks, sort state and move clipboard.
// One class serves every kind and both generations; what differs per kind is
// passed in as the stored size, the duplicate rule and the callbacks.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "model/list_control.h"
#include "model/record.h"
#include "model/sort_state.h"

namespace brondavel {

class RecordList {
  public:
    using Predicate = std::function<bool(uint32_t key, const Record&)>;
    using Less = std::function<bool(const Record&, const Record&)>;
    using KeyOf = std::function<uint32_t(int index)>;
    using RowFormatter = std::function<void(int row, ListControl&, const Record&)>;
    // The value a record is filtered by; the record passes when that value is
    // one of the keys. Empty: every record passes.
    using FilterKey = std::function<uint32_t(const Record&)>;
    using PickListItem = std::function<void(int id, ComboBox&, const Record&)>;
    using Visitor = std::function<void(int position, const Record&)>;
    // A further test a record must pass to be shown (the name filter).
    using Shows = std::function<bool(const Record&)>;

    // `duplicateBytes`: how many leading stored bytes decide that two records
    // are the same (the whole part, or a favourite group's 16-byte name).
    RecordList(size_t storedSize, size_t duplicateBytes)
        : storedSize_(storedSize), duplicateBytes_(duplicateBytes) {}

    // The operations the database builds on.
    int Count() const { return static_cast<int>(records_.size()); }
    int FindIds(std::vector<uint16_t>& out, uint32_t key, const Predicate& predicate) const;
    int GetById(uint16_t id, std::span<uint8_t> out) const;
    int Add(std::span<const uint8_t> stored);
    int InsertBatch(const Record* anchor, const Record* records, int count, int before);
    int DeleteByIds(const uint16_t* ids, int count);
    int DeleteRecord(const Record& record);
    int BucketSort(int order, int keyCount, const KeyOf& keyOf, const Predicate& matches);
    // Sorts with `ascending` or, when the new state is descending, with its
    // mirror; 0, changing nothing, without a comparator.
    int Sort(int order, const Less& ascending);
    int MoveClipboard(int before);
    int UpdateById(uint16_t id, std::span<const uint8_t> stored);
    int ForEach(const Visitor& visit) const;
    int FillPickList(ComboBox* combo, const PickListItem& item) const;
    int Populate(ListControl* list, const RowFormatter& format, const FilterKey& filterKey,
                 const Shows& shows = {});

    // Lookups the database uses; indexed, so they cost O(1).
    const Record* FindById(uint16_t id) const;
    int PositionOfId(uint16_t id) const;  // -1 when absent
    int RowOfId(uint16_t id) const;       // kNoRow when not in the view
    uint16_t IdOfRow(int row) const;      // kNone when the row has no record

    // Renumbers the ids 0..n-1 in stored order after a deletion and returns
    // the map old id -> new id (kNone for ids that no longer exist). The
    // list's own active marks, clipboard, anchor and view follow the map.
    std::vector<uint16_t> Renumber();
    // Rewrites the keys (ids of the parent kind) through the parent's
    // renumber map; keys of records that are gone become kNone.
    void RemapKeys(const std::vector<uint16_t>& parentMap);

    size_t storedSize() const { return storedSize_; }
    const std::vector<Record>& records() const { return records_; }
    // For edits that must reach every record; ids may change, so the id
    // index is rebuilt on the next lookup.
    std::vector<Record>& mutableRecords() {
        InvalidateIndex();
        return records_;
    }
    const std::vector<Record>& view() const { return view_; }
    void ClearView() {
        view_.clear();
        rowOfId_.clear();
    }

    // Puts back a whole earlier state of the records (undo and redo); the
    // view, clipboard and anchor no longer match it and are cleared.
    void ReplaceRecords(std::vector<Record> records);

    uint32_t sortState() const { return sortState_; }
    SortState typedSortState() const { return DecodeSortState(sortState_); }
    void setSortState(uint32_t state) { sortState_ = state; }
    std::vector<uint16_t>& keyFilter() { return keyFilter_; }
    const std::vector<uint16_t>& keyFilter() const { return keyFilter_; }

    // Active marks, looked up by id.
    void ClearActive() { active_.clear(); }
    void SetActive(uint16_t id, uint32_t value);
    uint32_t ActiveOf(uint16_t id) const { return id < active_.size() ? active_[id] : 0; }
    uint32_t activeOnly() const { return activeOnly_; }
    void setActiveOnly(uint32_t v) { activeOnly_ = v; }

    // The find text, case-folded; empty shows every name.
    const std::string& nameFilter() const { return nameFilter_; }
    void setNameFilter(std::string folded) { nameFilter_ = std::move(folded); }

    std::vector<Record>& clipboard() { return clipboard_; }
    const std::vector<Record>& clipboard() const { return clipboard_; }
    bool InClipboard(uint16_t id) const;
    uint16_t anchorId() const { return anchorId_; }
    void setAnchorId(uint16_t id) { anchorId_ = id; }

  private:
    uint32_t NextSortState(int order) const;
    void InvalidateIndex() { indexValid_ = false; }
    void BuildIndex() const;
    bool IsDuplicate(std::span<const uint8_t> stored) const;

    size_t storedSize_;
    size_t duplicateBytes_;
    std::vector<Record> records_;
    std::vector<Record> view_;
    uint32_t sortState_ = 0x11;
    std::vector<uint16_t> keyFilter_;
    std::vector<uint32_t> active_;  // by id; 0 = no mark
    uint32_t activeOnly_ = 0;
    std::string nameFilter_;
    std::vector<Record> clipboard_;
    uint16_t anchorId_ = kNone;

    // id -> first position in records_, rebuilt lazily after changes.
    mutable std::vector<int> positionOfId_;
    mutable bool indexValid_ = false;
    // id -> row in view_, rebuilt by Populate.
    std::vector<int> rowOfId_;
};

// The five lists of a database, indexed by kind.
using RecordLists = std::array<RecordList, kKindCount>;

// The ids of the records in the selected rows of `control`.
std::vector<uint16_t> SelectedIds(const RecordList& list, const ListControl& control);
// Adds the rows that show `ids` to the selection of `control`; ids not shown
// are passed over.
void SelectRowsOfIds(const RecordList& list, ListControl& control,
                     const std::vector<uint16_t>& ids);

}  // namespace brondavel
