// The database's side of undo and redo: bracketing operations into steps,
// naming them, and putting lists, filters and selections back after a step.
#include "model/database_engine.h"

namespace brondavel {

void DatabaseEngine::BeginChange() {
    if (!history_.Recording()) renumbered_ = {};
    history_.Begin(lists_);
}

void DatabaseEngine::EndChange(const std::string& label) {
    history_.End(label, lists_, renumbered_);
    if (!history_.Recording()) renumbered_ = {};
}

void DatabaseEngine::NoteRenumbered(int kind, const std::vector<uint16_t>& map) {
    std::vector<uint16_t>& total = renumbered_[kind];
    if (total.empty()) {
        total = map;
        return;
    }
    // A second renumbering in the same step follows the first.
    for (uint16_t& id : total)
        if (id != kNone) id = id < map.size() ? map[id] : kNone;
}

std::string DatabaseEngine::StoreLabel(int kind, const Record* before,
                                       std::span<const uint8_t> after) const {
    if (!before) return "Add " + KindLabel(kind, 1);
    const size_t nameStart = layout_->NameOffset(kind);
    const size_t nameEnd = nameStart + layout_->NameSize(kind);
    bool outsideName = false;
    for (size_t i = 0; i < after.size() && i < before->size; ++i)
        if (after[i] != before->data()[i] && (i < nameStart || i >= nameEnd)) outsideName = true;
    if (!outsideName) return "Rename " + KindLabel(kind, 1);
    if (kind == kTv || kind == kRadio) {
        const Record wanted(before->id, after);
        Record memberships = *before;
        for (int group = 0; group < 16; ++group)
            layout_->SetFavoriteMember(memberships, group,
                                       layout_->IsFavoriteMember(wanted, group));
        if (memberships == wanted) return "Change Favourites";
    }
    return "Edit " + KindLabel(kind, 1);
}

void DatabaseEngine::MarkSaved() {
    history_.MarkSaved();
    modified = 0;
}

int DatabaseEngine::Undo(const ListControls& controls) {
    return ApplyStep(true, controls);
}

int DatabaseEngine::Redo(const ListControls& controls) {
    return ApplyStep(false, controls);
}

int DatabaseEngine::ApplyStep(bool undo, const ListControls& controls) {
    if (history_.Recording()) return 0;
    std::array<std::vector<uint16_t>, 4> selected;
    for (int kind = 0; kind < 4; ++kind)
        if (ListControl* c = controls.at(kind)) selected[kind] = SelectedIds(lists_[kind], *c);
    UndoHistory::Applied applied;
    if (!(undo ? history_.Undo(lists_, applied) : history_.Redo(lists_, applied))) return 0;

    // Key filters name parents by id: they follow the parents' restored ids,
    // and the children's windows show other rows.
    std::array<bool, 4> refresh{};
    for (int kind = 0; kind < 4; ++kind) {
        if (!applied.changed[kind]) continue;
        refresh[kind] = true;
        RecordGraph::FollowRestoredIds(lists_, kind, applied.idMaps[kind]);
        for (int child : ChildKinds(kind)) refresh[child] = true;
    }
    UpdateActiveMarks();
    modified = history_.AtSavedState() ? 0 : 1;

    for (int kind = 0; kind < 4; ++kind) {
        ListControl* control = controls.at(kind);
        if (!refresh[kind] || !control) continue;
        Refresh(kind, control);
        if (applied.changed[kind]) {
            const std::vector<uint16_t>& map = applied.idMaps[kind];
            for (uint16_t& id : selected[kind]) id = id < map.size() ? map[id] : kNone;
        }
        SelectRowsOfIds(lists_[kind], *control, selected[kind]);
    }
    return 1;
}

int DatabaseEngine::RearrangeList(int kind, std::vector<Record> records, const std::string& label) {
    if (!ValidKind(kind, 3)) return 0;
    RecordList& list = lists_[kind];
    if (records.size() != list.records().size()) return 0;
    std::vector<bool> seen(records.size(), false);
    for (const Record& r : records) {
        const Record* current = list.FindById(r.id);
        if (!current || r.size != current->size) return 0;
        const int position = list.PositionOfId(r.id);
        if (seen[position]) return 0;
        seen[position] = true;
        if (graph_.ParentRef(kind, r) != graph_.ParentRef(kind, *current)) return 0;
    }
    if (records == list.records()) return 1;
    ChangeScope change(*this);
    change.label = label;
    list.ReplaceRecords(std::move(records));
    modified = 1;
    return 1;
}

}  // namespace brondavel
