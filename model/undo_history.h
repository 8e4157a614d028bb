// Undo and redo of the changes made through the database operations. Each
// step keeps, for every list the change touched, the list's other state as a
// RecordsDelta against its current state and its sort state; undoing or
// redoing a step swaps the two, so one delta serves both directions.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "model/record_list.h"
#include "model/undo_delta.h"

namespace brondavel {

// Per kind, old id -> new id for a list whose ids a change renumbered; an
// empty map: the ids stayed.
using IdMaps = std::array<std::vector<uint16_t>, kKindCount>;

class UndoHistory {
  public:
    // Oldest steps are dropped beyond this many bytes of kept states.
    static constexpr size_t kByteBudget = size_t{48} << 20;

    // What an undo or redo changed: the kinds whose records it replaced and,
    // for them, the map current id -> restored id (kNone: gone).
    struct Applied {
        std::array<bool, kKindCount> changed{};
        IdMaps idMaps;
    };

    // Brackets one change; brackets nest, and the outermost End records one
    // step (when records or a sort state changed) under its label.
    void Begin(const RecordLists& lists);
    bool End(const std::string& label, const RecordLists& lists, const IdMaps& renumbered);
    bool Recording() const { return depth_ > 0; }

    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < steps_.size(); }
    std::string UndoLabel() const { return CanUndo() ? steps_[position_ - 1].label : ""; }
    std::string RedoLabel() const { return CanRedo() ? steps_[position_].label : ""; }
    bool Undo(RecordLists& lists, Applied& applied);
    bool Redo(RecordLists& lists, Applied& applied);

    // The current state is the one on disk.
    void MarkSaved() { savedAt_ = static_cast<long>(position_); }
    bool AtSavedState() const { return savedAt_ == static_cast<long>(position_); }
    // Forgets every step (the lists were changed behind the history's back).
    void Clear();

    size_t StepCount() const { return steps_.size(); }
    size_t Bytes() const { return bytes_; }

  private:
    struct ListState {
        int kind;
        RecordsDelta records;
        uint32_t sortState;
    };
    struct Step {
        std::string label;
        std::vector<ListState> lists;
        size_t bytes = 0;
    };

    void Swap(Step& step, RecordLists& lists, Applied& applied);
    static size_t BytesOf(const Step& step);
    void DropOldest();

    int depth_ = 0;
    std::array<std::vector<Record>, kKindCount> before_;
    std::array<uint32_t, kKindCount> sortBefore_{};
    std::vector<Step> steps_;
    size_t position_ = 0;  // steps applied; the rest can be redone
    long savedAt_ = 0;     // position of the saved state, -1 when unreachable
    size_t bytes_ = 0;
};

}  // namespace brondavel
