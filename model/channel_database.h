// The one interface the list windows, edit dialogs and files use to reach a
// channel database, addressed by record kind and row. Every operation of the
// base does nothing and returns 0 (or an empty text); each generation's
// database implements them over its own record layout.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/list_control.h"
#include "model/record.h"

namespace brondavel {

// Drop effects of drag and drop.
inline constexpr int kDropMove = 3;  // reorder within one list
inline constexpr int kDropReparent =
    4;  // transponders onto a satellite, channels onto a transponder

class ChannelDatabase {
  public:
    virtual ~ChannelDatabase() = default;

    virtual int ClearClipboard(int /*kind*/) { return 0; }
    virtual int ClipboardCount(int /*kind*/) { return 0; }
    virtual int PickUpSelection(int /*kind*/, ListControl* /*list*/) { return 0; }
    virtual int SelectClipboardRows(int /*kind*/, ListControl* /*list*/) { return 0; }
    virtual int UpdateActiveMarks() { return 0; }
    virtual uint32_t IsRowActive(int /*kind*/, int /*row*/) { return 0; }
    virtual int SetActiveOnly(int /*kind*/, ListControl* /*list*/, uint32_t /*value*/) { return 0; }
    virtual int ToggleActiveOnly(int /*kind*/, ListControl* /*list*/) { return 0; }
    virtual int AddRecords(int /*kind*/, const Record* /*anchor*/, const Record* /*records*/,
                           int /*count*/) {
        return 0;
    }
    virtual int StoreRecord(int /*kind*/, int /*row*/, std::span<const uint8_t> /*stored*/) {
        return 0;
    }
    virtual int GetRowData(int /*kind*/, int /*row*/, std::span<uint8_t> /*stored*/) { return 0; }
    virtual int Drop(int /*effect*/, int /*sourceKind*/, int /*targetKind*/, int /*targetRow*/,
                     ListControl* /*source*/, ListControl* /*target*/) {
        return 0;
    }
    virtual int AnchorRow(int /*kind*/) { return 0; }
    virtual int SetAnchor(int /*kind*/, int /*row*/) { return 0; }
    virtual int MoveClipboard(int /*kind*/, ListControl* /*list*/, int /*before*/) { return 0; }
    virtual int DeleteSelected(int /*kind*/, ListControl* /*list*/) { return 0; }
    virtual int SortList(int /*kind*/, int /*order*/, ListControl* /*list*/) { return 0; }
    virtual int Refresh(int /*kind*/, ListControl* /*list*/) { return 0; }
    virtual int ClearAllKeyFilters(int /*ignored*/, const ListControls& /*lists*/) { return 0; }
    virtual int ClearKeyFilter(int /*kind*/) { return 0; }
    virtual int AllKeyFiltersEmpty(int /*ignored*/) { return 0; }
    virtual int RefreshKeepSelection(int /*kind*/, ListControl* /*list*/, int /*row*/) { return 0; }
    virtual int FillPickList(int /*kind*/, ComboBox* /*combo*/) { return 0; }
    virtual int SelectionChanged(int /*kind*/, int /*row*/, const ListControls& /*lists*/) {
        return 0;
    }
    virtual int GetById(int /*kind*/, int /*id*/, std::span<uint8_t> /*stored*/) { return 0; }
    virtual int Count(int /*kind*/) { return 0; }
    virtual std::string Describe(int /*kind*/, int /*row*/) { return {}; }
    virtual uint32_t IsActiveOnly(int /*kind*/) { return 0; }
    virtual uint32_t GetSortState(int /*kind*/) { return 0; }
    virtual int KeyFilterCount(int /*kind*/) { return 0; }
    virtual std::vector<Record> ExportRecords(int /*kind*/) { return {}; }

    // Undo and redo of the changes that set `modified`. Both put the records
    // back exactly, refresh the lists of `lists` the step touched (keeping the
    // selection of records that still exist) and make `modified` follow the
    // saved state. 1 when a step was undone or redone.
    virtual int Undo(const ListControls& /*lists*/) { return 0; }
    virtual int Redo(const ListControls& /*lists*/) { return 0; }
    // What the next undo or redo changes ("Sort TV Channels"), empty when none.
    virtual std::string UndoLabel() { return {}; }
    virtual std::string RedoLabel() { return {}; }
    // Several operations between these two undo as one step named `label`.
    virtual void BeginUndoGroup() {}
    virtual void EndUndoGroup(const std::string& /*label*/) {}
    // The file objects call this once the database is on disk.
    virtual void MarkSaved() { modified = 0; }

    // Narrows a list to the records whose display name contains `text`, in
    // any case; empty text shows all. Beside the key and active-only filters,
    // so rows stay rows of the other operations. Refreshes `list` when given.
    virtual int SetNameFilter(int /*kind*/, std::string_view /*text*/, ListControl* /*list*/) {
        return 0;
    }

    // Set by every operation that changes the lists; the save commands clear it.
    uint32_t modified = 0;
};

}  // namespace brondavel
