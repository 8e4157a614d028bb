#include "model/database_engine.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "model/record_graph.h"

namespace brondavel {

namespace {

RecordList MakeList(const DatabaseLayout& layout, int kind) {
    const size_t size = layout.StoredSize(kind);
    // Favourite groups are told apart by their name alone.
    return RecordList(size, kind == kFavorite ? layout.NameSize(kind) : size);
}

}  // namespace

std::string KindLabel(int kind, size_t count) {
    static const char* const kNames[] = {"Satellite", "Transponder", "TV Channel", "Radio Channel",
                                         "Favourite Group"};
    std::string name = kind >= 0 && kind < kKindCount ? kNames[kind] : "Record";
    return count == 1 ? name : name + "s";
}

DatabaseEngine::DatabaseEngine(std::unique_ptr<DatabaseLayout> layout)
    : layout_(std::move(layout)),
      lists_{MakeList(*layout_, 0), MakeList(*layout_, 1), MakeList(*layout_, 2),
             MakeList(*layout_, 3), MakeList(*layout_, 4)} {}

bool DatabaseEngine::IsOrphan(int kind, const Record& record) const {
    return graph_.IsOrphan(lists_, kind, record);
}

int DatabaseEngine::ClearClipboard(int kind) {
    if (!ValidKind(kind, 3)) return 0;
    lists_[kind].clipboard().clear();
    lists_[kind].setAnchorId(kNone);
    return 0;
}

int DatabaseEngine::ClipboardCount(int kind) {
    return ValidKind(kind, 3) ? static_cast<int>(lists_[kind].clipboard().size()) : 0;
}

int DatabaseEngine::PickUpSelection(int kind, ListControl* control) {
    if (!ValidKind(kind, 3) || !control) return 0;
    RecordList& list = lists_[kind];
    const std::vector<uint16_t> ids = SelectedIds(list, *control);
    if (ids.empty()) return 0;
    std::unordered_set<uint16_t> selected(ids.begin(), ids.end());
    auto& clip = list.clipboard();
    std::erase_if(clip, [&](const Record& r) { return !selected.count(r.id); });
    for (uint16_t id : ids) {
        if (list.InClipboard(id)) continue;
        if (const Record* r = list.FindById(id)) clip.push_back(*r);
    }
    return 0;
}

int DatabaseEngine::SelectClipboardRows(int kind, ListControl* control) {
    if (!ValidKind(kind, 3) || !control) return 0;
    const RecordList& list = lists_[kind];
    std::vector<uint16_t> ids;
    for (const Record& r : list.clipboard()) ids.push_back(r.id);
    SelectRowsOfIds(list, *control, ids);
    return 1;
}

int DatabaseEngine::AddRecords(int kind, const Record* anchor, const Record* records, int count) {
    RecordList* list = List(kind);
    if (!list || count < 0 || (count > 0 && !records)) return 0;
    if (list->Count() + count > layout_->EditCapacity(kind)) return 0;
    for (int i = 0; i < count; ++i)
        if (records[i].size != list->storedSize()) return 0;
    // Filling a database is no edit: the records are where undo starts.
    if (!history_.Recording()) history_.Clear();
    return list->InsertBatch(anchor, records, count, 0);
}

int DatabaseEngine::StoreRecord(int kind, int row, std::span<const uint8_t> stored) {
    RecordList* list = List(kind);
    if (!list || stored.size() < list->storedSize()) return 0;
    ChangeScope change(*this);
    change.label = StoreLabel(kind, row == kNoRow ? nullptr : list->FindById(list->IdOfRow(row)),
                              stored.first(list->storedSize()));
    int done = 0;
    if (row == kNoRow) {
        if (list->Count() < layout_->EditCapacity(kind)) done = list->Add(stored);
    } else {
        const uint16_t id = list->IdOfRow(row);
        if (id != kNone) done = list->UpdateById(id, stored);
    }
    if (done) modified = 1;
    return done;
}

bool DatabaseEngine::RowRecord(int kind, int row, Record& record) {
    if (!ValidKind(kind, 3) || row < 0) return false;
    record.size = static_cast<uint8_t>(layout_->StoredSize(kind));
    return GetRowData(kind, row, record.stored()) != 0;
}

int DatabaseEngine::GetRowData(int kind, int row, std::span<uint8_t> stored) {
    if (!ValidKind(kind, 3) || stored.size() < lists_[kind].storedSize()) return 0;
    if (row == kNoRow) {
        const size_t offset = layout_->NameOffset(kind), size = layout_->NameSize(kind);
        const std::string name = layout_->DefaultName(kind, lists_[kSatellite].Count());
        std::memset(stored.data() + offset, 0, size);
        std::memcpy(stored.data() + offset, name.data(), std::min(name.size(), size - 1));
        return 1;
    }
    const uint16_t id = lists_[kind].IdOfRow(row);
    return id == kNone ? 0 : lists_[kind].GetById(id, stored);
}

int DatabaseEngine::Reparent(int childKind, int parentKind, int targetRow,
                             ListControl* childControl, ListControl* parentControl) {
    RecordList& children = lists_[childKind];
    RecordList& parents = lists_[parentKind];
    const uint16_t parentId = parents.IdOfRow(targetRow);
    if (parentId == kNone) return 0;
    ChangeScope change(*this);
    if (children.clipboard().empty()) PickUpSelection(childKind, childControl);
    change.label = "Move " + KindLabel(childKind, children.clipboard().size()) + " to " +
                   KindLabel(parentKind, 1);
    bool changed = false;
    for (const Record& picked : children.clipboard()) {
        const Record* current = children.FindById(picked.id);
        if (!current || graph_.ParentRef(childKind, *current) == parentId) continue;
        Record moved = *current;
        graph_.SetParentRef(childKind, moved, parentId);
        changed |= children.UpdateById(moved.id, moved.stored()) != 0;
    }
    ClearClipboard(childKind);
    ClearClipboard(parentKind);
    UpdateActiveMarks();
    children.ClearView();
    Refresh(childKind, childControl);
    SelectRowIfShown(parentControl, parentKind, parentId);
    // A drop changes records like an edit does, so the change is saved.
    if (changed) modified = 1;
    return 1;
}

int DatabaseEngine::Drop(int effect, int sourceKind, int targetKind, int targetRow,
                         ListControl* source, ListControl* target) {
    if (effect == kDropMove) {
        if (!ValidKind(targetKind, 3) || !target) return 0;
        if (lists_[targetKind].clipboard().empty()) PickUpSelection(targetKind, target);
        if (lists_[targetKind].clipboard().empty()) return 0;
        SetAnchor(targetKind, targetRow);
        return MoveClipboard(targetKind, target, 0);
    }
    if (effect != kDropReparent) return 0;
    // Records move onto a record of the kind they name; other drops do nothing.
    if (ParentKind(sourceKind) >= 0 && ParentKind(sourceKind) == targetKind)
        return Reparent(sourceKind, targetKind, targetRow, source, target);
    return 1;
}

int DatabaseEngine::AnchorRow(int kind) {
    if (!ValidKind(kind, 3)) return kNoRow;
    const uint16_t anchor = lists_[kind].anchorId();
    return anchor == kNone ? kNoRow : lists_[kind].RowOfId(anchor);
}

int DatabaseEngine::SetAnchor(int kind, int row) {
    if (!ValidKind(kind, 3)) return 0;
    const uint16_t id = lists_[kind].IdOfRow(row);
    if (id == kNone) return 1;
    lists_[kind].setAnchorId(id);
    return lists_[kind].InClipboard(id) ? 1 : 0;
}

int DatabaseEngine::MoveClipboard(int kind, ListControl* control, int before) {
    if (!ValidKind(kind, 3) || !control) return 0;
    RecordList& list = lists_[kind];
    if (list.clipboard().empty()) return 0;
    if (list.InClipboard(list.anchorId())) return 0;
    ChangeScope change(*this);
    change.label = "Move " + KindLabel(kind, list.clipboard().size());
    if (!list.MoveClipboard(before)) return 0;
    Refresh(kind, control);
    const int row = list.RowOfId(list.anchorId());
    if (row != kNoRow) SelectOnlyRow(*control, row);
    ClearClipboard(kind);
    modified = 1;
    return 1;
}

void DatabaseEngine::DeleteAndRenumber(const IdsByKind& ids) {
    for (int kind = 0; kind < 4; ++kind)
        if (!ids[kind].empty())
            lists_[kind].DeleteByIds(ids[kind].data(), static_cast<int>(ids[kind].size()));

    // Ids stay dense: renumber each list that lost records and carry every
    // reference and key that named them along.
    for (int kind = 0; kind < 4; ++kind) {
        if (ids[kind].empty()) continue;
        const std::vector<uint16_t> map = lists_[kind].Renumber();
        NoteRenumbered(kind, map);
        graph_.FollowRenumbered(lists_, kind, map);
    }
}

int DatabaseEngine::DeleteSelected(int kind, ListControl* control) {
    if (!ValidKind(kind, 3) || !control) return 0;
    const std::vector<uint16_t> selected = SelectedIds(lists_[kind], *control);
    if (selected.empty()) return 0;
    ChangeScope change(*this);
    change.label = "Delete " + KindLabel(kind, selected.size());
    DeleteAndRenumber(graph_.WithDescendants(lists_, kind, selected));
    modified = 1;
    return 1;
}

int DatabaseEngine::GetById(int kind, int id, std::span<uint8_t> stored) {
    if (!ValidKind(kind, 4) || id < 0 || id >= kNone) return 0;
    if (stored.size() < lists_[kind].storedSize()) return 0;
    return lists_[kind].GetById(static_cast<uint16_t>(id), stored);
}

int DatabaseEngine::Count(int kind) {
    return ValidKind(kind, 3) ? lists_[kind].Count() : 0;
}

std::vector<Record> DatabaseEngine::ExportRecords(int kind) {
    return ValidKind(kind, 3) ? lists_[kind].records() : std::vector<Record>{};
}

}  // namespace brondavel
