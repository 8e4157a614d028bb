#include "model/selection_move.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace brondavel {

namespace {

void SelectOnly(ListControl& list, const std::vector<int>& rows) {
    for (int row : list.SelectedRows()) list.SetRowSelected(row, false);
    for (int row : rows) list.SetRowSelected(row, true);
}

}  // namespace

int MoveSelectionByOne(DatabaseEngine& db, int kind, ListControl* list, int step) {
    if (kind < 0 || kind > 3 || !list || step == 0) return 0;
    const std::vector<int> selected = list->SelectedRows();
    const int rowCount = list->RowCount();
    if (selected.empty()) return 0;

    // Blocks of neighbouring rows, first and last row of each.
    std::vector<std::pair<int, int>> blocks;
    for (int row : selected) {
        if (!blocks.empty() && blocks.back().second + 1 == row)
            blocks.back().second = row;
        else
            blocks.push_back({row, row});
    }
    const bool up = step < 0;
    // Each block passes its unselected neighbour; going down, the lowest
    // block moves first so no block's rows shift under the next one.
    if (!up) std::reverse(blocks.begin(), blocks.end());

    std::vector<int> after;
    size_t movedRows = 0;
    db.BeginUndoGroup();
    for (auto [first, last] : blocks) {
        const int neighbour = up ? first - 1 : last + 1;
        bool moved = false;
        if (neighbour >= 0 && neighbour < rowCount) {
            std::vector<int> block;
            for (int row = first; row <= last; ++row) block.push_back(row);
            SelectOnly(*list, block);
            db.ClearClipboard(kind);
            db.PickUpSelection(kind, list);
            moved = db.SetAnchor(kind, neighbour) == 0 && db.MoveClipboard(kind, list, up ? 1 : 0);
        }
        const int shift = moved ? (up ? -1 : 1) : 0;
        for (int row = first; row <= last; ++row) after.push_back(row + shift);
        if (moved) movedRows += static_cast<size_t>(last - first + 1);
    }
    db.EndUndoGroup("Move " + KindLabel(kind, movedRows));
    db.ClearClipboard(kind);

    SelectOnly(*list, after);
    if (movedRows == 0) return 0;
    const int shown = up ? *std::min_element(after.begin(), after.end())
                         : *std::max_element(after.begin(), after.end());
    list->SetFocusedRow(shown);
    list->EnsureVisible(shown);
    return 1;
}

}  // namespace brondavel
