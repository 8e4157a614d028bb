#include "app/lists/list_view_control.h"

#include <QColor>
#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>

#include "app/lists/channel_icons.h"
#include "app/logic/list_window_kinds.h"

namespace brondavel::app {

ListViewControl::ListViewControl(int kind, QObject* parent)
    : QAbstractTableModel(parent),
      kind_(kind),
      columns_(static_cast<int>(ColumnsOf(kind).size())) {}

void ListViewControl::AttachView(QTableView* view) {
    view_ = view;
}

void ListViewControl::SetRowActive(std::function<bool(int)> rowActive) {
    rowActive_ = std::move(rowActive);
}

void ListViewControl::ScheduleCommit() {
    if (commitScheduled_) return;
    commitScheduled_ = true;
    QMetaObject::invokeMethod(this, &ListViewControl::Commit, Qt::QueuedConnection);
}

void ListViewControl::Commit() {
    commitScheduled_ = false;
    if (!staging_) return;
    staging_ = false;
    beginResetModel();
    rows_.swap(staged_);
    staged_.clear();
    endResetModel();
    if (!view_) return;
    QItemSelectionModel* selection = view_->selectionModel();
    if (selection && !stagedSelection_.empty()) {
        QItemSelection rows;
        for (int row : stagedSelection_) rows.select(index(row, 0), index(row, columns_ - 1));
        selection->select(rows, QItemSelectionModel::Select);
    }
    if (selection && stagedFocus_ >= 0 && stagedFocus_ < RowCount())
        selection->setCurrentIndex(index(stagedFocus_, 1), QItemSelectionModel::NoUpdate);
    if (stagedVisible_ >= 0 && stagedVisible_ < RowCount())
        view_->scrollTo(index(stagedVisible_, 1));
    stagedSelection_.clear();
    stagedFocus_ = stagedVisible_ = -1;
}

void ListViewControl::DeleteAllRows() {
    staging_ = true;
    staged_.clear();
    stagedSelection_.clear();
    stagedFocus_ = stagedVisible_ = -1;
    ScheduleCommit();
}

void ListViewControl::InsertRow(int row, std::vector<RowCell> cells) {
    if (!staging_) {
        // A row added outside a fill: start one from what is shown.
        staged_ = rows_;
        for (int r : SelectedRows()) stagedSelection_.insert(r);
        staging_ = true;
        ScheduleCommit();
    }
    row = std::clamp(row, 0, static_cast<int>(staged_.size()));
    staged_.insert(staged_.begin() + row, std::move(cells));
}

int ListViewControl::RowCount() const {
    return static_cast<int>(staging_ ? staged_.size() : rows_.size());
}

std::vector<int> ListViewControl::SelectedRows() const {
    if (staging_) return {stagedSelection_.begin(), stagedSelection_.end()};
    std::vector<int> rows;
    if (!view_ || !view_->selectionModel()) return rows;
    const QItemSelection selection = view_->selectionModel()->selection();
    for (const QItemSelectionRange& range : selection)
        for (int r = range.top(); r <= range.bottom(); ++r) rows.push_back(r);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void ListViewControl::SetRowSelected(int row, bool selected) {
    if (row < 0 || row >= RowCount()) return;
    if (staging_) {
        if (selected)
            stagedSelection_.insert(row);
        else
            stagedSelection_.erase(row);
        return;
    }
    if (!view_ || !view_->selectionModel()) return;
    view_->selectionModel()->select(
        QItemSelection(index(row, 0), index(row, columns_ - 1)),
        selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

void ListViewControl::SetFocusedRow(int row) {
    if (staging_) {
        stagedFocus_ = row;
        return;
    }
    if (view_ && view_->selectionModel() && row >= 0 && row < RowCount())
        view_->selectionModel()->setCurrentIndex(index(row, 1), QItemSelectionModel::NoUpdate);
}

void ListViewControl::EnsureVisible(int row) {
    if (staging_) {
        stagedVisible_ = row;
        return;
    }
    if (view_ && row >= 0 && row < RowCount()) view_->scrollTo(index(row, 1));
}

int ListViewControl::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ListViewControl::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant ListViewControl::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const Row& row = rows_[index.row()];
    const int column = index.column();
    const RowCell* cell = column < static_cast<int>(row.size()) ? &row[column] : nullptr;
    switch (role) {
        case Qt::DisplayRole:
            return cell ? QString::fromStdString(cell->text) : QString();
        case Qt::DecorationRole:
            if (cell && cell->image >= 0) return ChannelIcon(cell->image);
            return {};
        case Qt::TextAlignmentRole: {
            const auto columns = ColumnsOf(kind_);
            const ColumnAlign align = column < static_cast<int>(columns.size())
                                          ? columns[column].align
                                          : ColumnAlign::kLeft;
            const Qt::Alignment h = align == ColumnAlign::kRight    ? Qt::AlignRight
                                    : align == ColumnAlign::kCenter ? Qt::AlignHCenter
                                                                    : Qt::AlignLeft;
            return QVariant::fromValue(h | Qt::AlignVCenter);
        }
        case Qt::BackgroundRole: {
            const bool active = rowActive_ && rowActive_(index.row());
            const Rgb c = CellBackground(kind_, column, active);
            return QColor(c.r, c.g, c.b);
        }
        case Qt::ForegroundRole:
            return QColor(Qt::black);
        default:
            return {};
    }
}

Qt::ItemFlags ListViewControl::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

QString ListViewControl::Text(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()) ||
        column >= static_cast<int>(rows_[row].size()))
        return {};
    return QString::fromStdString(rows_[row][column].text);
}

int ListViewControl::Image(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()) ||
        column >= static_cast<int>(rows_[row].size()))
        return -1;
    return rows_[row][column].image;
}

}  // namespace brondavel::app
