#include "model/undo_history.h"

namespace brondavel {

void UndoHistory::Begin(const RecordLists& lists) {
    if (depth_++ > 0) return;
    for (int kind = 0; kind < kKindCount; ++kind) {
        before_[kind] = lists[kind].records();
        sortBefore_[kind] = lists[kind].sortState();
    }
}

bool UndoHistory::End(const std::string& label, const RecordLists& lists,
                      const IdMaps& renumbered) {
    if (depth_ == 0 || --depth_ > 0) return false;
    Step step;
    step.label = label;
    for (int kind = 0; kind < kKindCount; ++kind) {
        const RecordList& now = lists[kind];
        std::vector<Record>& was = before_[kind];
        if (was == now.records() && sortBefore_[kind] == now.sortState()) continue;
        // Each earlier record is described against the record it became.
        const std::vector<uint16_t>& map = renumbered[kind];
        std::vector<int> partnerOf(was.size(), -1);
        for (size_t i = 0; i < was.size(); ++i) {
            uint16_t id = was[i].id;
            if (!map.empty()) id = id < map.size() ? map[id] : kNone;
            if (id != kNone) partnerOf[i] = now.PositionOfId(id);
        }
        step.lists.push_back(
            {kind, RecordsDelta::Encode(was, now.records(), partnerOf), sortBefore_[kind]});
    }
    for (auto& was : before_) std::vector<Record>().swap(was);
    if (step.lists.empty()) return false;

    // A new change ends every redo; a saved state among them is lost.
    if (savedAt_ > static_cast<long>(position_)) savedAt_ = -1;
    while (steps_.size() > position_) {
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
    step.bytes = BytesOf(step);
    bytes_ += step.bytes;
    steps_.push_back(std::move(step));
    ++position_;
    while (bytes_ > kByteBudget && steps_.size() > 1) DropOldest();
    return true;
}

void UndoHistory::DropOldest() {
    bytes_ -= steps_.front().bytes;
    steps_.erase(steps_.begin());
    --position_;
    savedAt_ = savedAt_ > 0 ? savedAt_ - 1 : -1;
}

size_t UndoHistory::BytesOf(const Step& step) {
    size_t bytes = sizeof(Step) + step.label.capacity();
    for (const ListState& s : step.lists) bytes += sizeof(ListState) + s.records.Bytes();
    return bytes;
}

void UndoHistory::Swap(Step& step, RecordLists& lists, Applied& applied) {
    applied = {};
    for (ListState& s : step.lists) {
        RecordList& list = lists[s.kind];
        const std::vector<Record>& current = list.records();
        std::vector<int> partnerOf;
        std::vector<Record> restored = s.records.Decode(current, &partnerOf);
        // The current records are kept against the restored ones, paired the
        // same way, for the way back.
        std::vector<int> currentPartner(current.size(), -1);
        std::vector<uint16_t>& map = applied.idMaps[s.kind];
        for (size_t i = 0; i < restored.size(); ++i) {
            const int p = partnerOf[i];
            if (p < 0 || currentPartner[p] >= 0) continue;
            currentPartner[p] = static_cast<int>(i);
            const uint16_t from = current[p].id;
            if (from >= map.size()) map.resize(size_t(from) + 1, kNone);
            if (map[from] == kNone) map[from] = restored[i].id;
        }
        RecordsDelta back = RecordsDelta::Encode(current, restored, currentPartner);
        const uint32_t sortState = list.sortState();
        list.ReplaceRecords(std::move(restored));
        list.setSortState(s.sortState);
        s.records = std::move(back);
        s.sortState = sortState;
        applied.changed[s.kind] = true;
    }
    bytes_ -= step.bytes;
    step.bytes = BytesOf(step);
    bytes_ += step.bytes;
}

bool UndoHistory::Undo(RecordLists& lists, Applied& applied) {
    if (Recording() || !CanUndo()) return false;
    Swap(steps_[--position_], lists, applied);
    return true;
}

bool UndoHistory::Redo(RecordLists& lists, Applied& applied) {
    if (Recording() || !CanRedo()) return false;
    Swap(steps_[position_++], lists, applied);
    return true;
}

void UndoHistory::Clear() {
    steps_.clear();
    bytes_ = 0;
    savedAt_ = AtSavedState() ? 0 : -1;
    position_ = 0;
}

}  // namespace brondavel
