// In-memory list control and combo box: the command-line editor drives the
// database through them, and the tests inspect what the database showed.
#pragma once

#include <algorithm>
#include <map>
#include <set>

#include "model/list_control.h"

namespace brondavel {

class MemoryListControl : public ListControl {
  public:
    std::vector<std::vector<RowCell>> rows;
    std::set<int> selected;
    int focused = -1;
    int visible = -1;

    void DeleteAllRows() override {
        rows.clear();
        selected.clear();
        focused = -1;
    }
    void InsertRow(int row, std::vector<RowCell> cells) override {
        row = std::clamp(row, 0, static_cast<int>(rows.size()));
        rows.insert(rows.begin() + row, std::move(cells));
    }
    int RowCount() const override { return static_cast<int>(rows.size()); }
    std::vector<int> SelectedRows() const override { return {selected.begin(), selected.end()}; }
    void SetRowSelected(int row, bool on) override {
        if (row < 0 || row >= RowCount()) return;
        if (on)
            selected.insert(row);
        else
            selected.erase(row);
    }
    void SetFocusedRow(int row) override { focused = row; }
    void EnsureVisible(int row) override { visible = row; }

    void Select(std::initializer_list<int> list) {
        selected.clear();
        for (int r : list) SetRowSelected(r, true);
    }
    std::string Text(int row, int column) const {
        if (row < 0 || row >= RowCount() || column >= static_cast<int>(rows[row].size())) return {};
        return rows[row][column].text;
    }
};

class MemoryComboBox : public ComboBox {
  public:
    std::vector<std::string> items;
    void ResetContent() override { items.clear(); }
    void InsertItem(int index, const std::string& text) override {
        index = std::clamp(index, 0, static_cast<int>(items.size()));
        items.insert(items.begin() + index, text);
    }
};

}  // namespace brondavel
