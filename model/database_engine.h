// The channel database of both receiver generations: five record lists and
// the 32 operations, parameterised by a DatabaseLayout. The members are
// defined by concern: editing in database_engine.cpp, and database_views,
// database_sort, database_image and database_undo; which record names which
// is the RecordGraph's.
#pragma once

#include <array>
#include <memory>

#include "model/channel_database.h"
#include "model/database_layout.h"
#include "model/record_graph.h"
#include "model/record_list.h"
#include "model/sort_state.h"
#include "model/undo_history.h"

namespace brondavel {

// "TV Channel", "Transponders": what a step of the undo history names.
std::string KindLabel(int kind, size_t count);

class DatabaseEngine : public ChannelDatabase {
  public:
    explicit DatabaseEngine(std::unique_ptr<DatabaseLayout> layout);

    int ClearClipboard(int kind) override;
    int ClipboardCount(int kind) override;
    int PickUpSelection(int kind, ListControl* list) override;
    int SelectClipboardRows(int kind, ListControl* list) override;
    int UpdateActiveMarks() override;
    uint32_t IsRowActive(int kind, int row) override;
    int SetActiveOnly(int kind, ListControl* list, uint32_t value) override;
    int ToggleActiveOnly(int kind, ListControl* list) override;
    int AddRecords(int kind, const Record* anchor, const Record* records, int count) override;
    int StoreRecord(int kind, int row, std::span<const uint8_t> stored) override;
    int GetRowData(int kind, int row, std::span<uint8_t> stored) override;
    int Drop(int effect, int sourceKind, int targetKind, int targetRow, ListControl* source,
             ListControl* target) override;
    int AnchorRow(int kind) override;
    int SetAnchor(int kind, int row) override;
    int MoveClipboard(int kind, ListControl* list, int before) override;
    int DeleteSelected(int kind, ListControl* list) override;
    int SortList(int kind, int order, ListControl* list) override;
    int Refresh(int kind, ListControl* list) override;
    int ClearAllKeyFilters(int ignored, const ListControls& lists) override;
    int ClearKeyFilter(int kind) override;
    int AllKeyFiltersEmpty(int ignored) override;
    int RefreshKeepSelection(int kind, ListControl* list, int row) override;
    int FillPickList(int kind, ComboBox* combo) override;
    int SelectionChanged(int kind, int row, const ListControls& lists) override;
    int GetById(int kind, int id, std::span<uint8_t> stored) override;
    int Count(int kind) override;
    std::string Describe(int kind, int row) override;
    uint32_t IsActiveOnly(int kind) override;
    uint32_t GetSortState(int kind) override;
    int KeyFilterCount(int kind) override;
    std::vector<Record> ExportRecords(int kind) override;
    int Undo(const ListControls& lists) override;
    int Redo(const ListControls& lists) override;
    std::string UndoLabel() override { return history_.UndoLabel(); }
    std::string RedoLabel() override { return history_.RedoLabel(); }
    void BeginUndoGroup() override { BeginChange(); }
    void EndUndoGroup(const std::string& label) override { EndChange(label); }
    void MarkSaved() override;
    int SetNameFilter(int kind, std::string_view text, ListControl* list) override;

    const UndoHistory& undoHistory() const { return history_; }

    // The sort order and direction of `kind` (0-3); order kNone for others.
    SortState SortStateOf(int kind) const;
    ::brondavel::Generation Generation() const { return layout_->Generation(); }

    // The record shown in `row` of `kind` (0-3), its stored part only. False
    // when no record is shown there.
    bool RowRecord(int kind, int row, Record& record);

    // Puts `records` in place of the list of `kind` (0-3) as one undoable step
    // named `label`: the same ids in a new order, each with a stored part
    // whose parent reference is unchanged. 0, changing nothing, when they are
    // not that; 1 otherwise.
    int RearrangeList(int kind, std::vector<Record> records, const std::string& label);

    // Builds the lists from a receiver image (ids 0..n-1, favourite groups,
    // active marks). A count beyond a section's capacity is clamped to it.
    void LoadImage(std::span<const uint8_t> image);
    // Writes the records back into `image`, ids turned into positions; header
    // words, header bytes and the sections the database does not own keep
    // what the image holds.
    void RebuildImage(std::span<uint8_t> image) const;
    // The counts the loaded image stated, before clamping.
    int StatedCount(int kind) const { return kind >= 0 && kind < 4 ? statedCounts_[kind] : 0; }

    const DatabaseLayout& layout() const { return *layout_; }
    const RecordList& list(int kind) const { return lists_[kind]; }

    // A record whose parent does not exist (a file may hold such orphans).
    bool IsOrphan(int kind, const Record& record) const;

  private:
    // Brackets one operation for the undo history; the label names the step.
    class ChangeScope {
      public:
        explicit ChangeScope(DatabaseEngine& db) : db_(db) { db_.BeginChange(); }
        ~ChangeScope() { db_.EndChange(label); }
        ChangeScope(const ChangeScope&) = delete;
        ChangeScope& operator=(const ChangeScope&) = delete;
        std::string label;

      private:
        DatabaseEngine& db_;
    };
    void BeginChange();
    void EndChange(const std::string& label);
    void NoteRenumbered(int kind, const std::vector<uint16_t>& map);
    int ApplyStep(bool undo, const ListControls& controls);
    std::string StoreLabel(int kind, const Record* before, std::span<const uint8_t> after) const;

    static bool ValidKind(int kind, int last) { return kind >= 0 && kind <= last; }
    RecordList* List(int kind) { return ValidKind(kind, 4) ? &lists_[kind] : nullptr; }
    void SelectRowIfShown(ListControl* list, int kind, uint16_t id);
    int Reparent(int childKind, int parentKind, int targetRow, ListControl* childControl,
                 ListControl* parentControl);
    void DeleteAndRenumber(const IdsByKind& idsByKind);
    void SortWith(int kind, const SortSpec& spec, int order);

    std::unique_ptr<DatabaseLayout> layout_;
    RecordLists lists_;
    RecordGraph graph_{*layout_};
    std::array<int, 4> statedCounts_{};
    UndoHistory history_;
    IdMaps renumbered_;  // of the change being recorded
};

}  // namespace brondavel
