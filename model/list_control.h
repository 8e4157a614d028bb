// What the database needs of a list window's report view and of an edit
// dialog's combo box. The GUI implements these with its widgets; scripts and
// tests use the in-memory versions of memory_controls.h.
#pragma once

#include <string>
#include <vector>

namespace brondavel {

struct RowCell {
    std::string text;  // UTF-8
    int image = -1;    // index into the window's image list, -1 = none
};

class ListControl {
  public:
    virtual ~ListControl() = default;
    virtual void DeleteAllRows() = 0;
    // Inserts a row at `row` with the cells of columns 0, 1, ...
    virtual void InsertRow(int row, std::vector<RowCell> cells) = 0;
    virtual int RowCount() const = 0;
    // Selected rows in ascending order.
    virtual std::vector<int> SelectedRows() const = 0;
    virtual void SetRowSelected(int row, bool selected) = 0;
    virtual void SetFocusedRow(int row) = 0;
    virtual void EnsureVisible(int row) = 0;
};

// Clears every other row's selection, selects and focuses `row`, scrolls to it.
inline void SelectOnlyRow(ListControl& list, int row) {
    for (int r : list.SelectedRows())
        if (r != row) list.SetRowSelected(r, false);
    list.SetRowSelected(row, true);
    list.SetFocusedRow(row);
    list.EnsureVisible(row);
}

class ComboBox {
  public:
    virtual ~ComboBox() = default;
    virtual void ResetContent() = 0;
    virtual void InsertItem(int index, const std::string& text) = 0;
};

// The list controls of the satellite, transponder, TV and radio windows.
struct ListControls {
    ListControl* satellites = nullptr;
    ListControl* transponders = nullptr;
    ListControl* tv = nullptr;
    ListControl* radio = nullptr;
    ListControl* at(int kind) const {
        switch (kind) {
            case 0:
                return satellites;
            case 1:
                return transponders;
            case 2:
                return tv;
            case 3:
                return radio;
            default:
                return nullptr;
        }
    }
};

}  // namespace brondavel
