#include "app/lists/list_view_control.h"

#include <QColor>
#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>

#include "app/lists/channel_icons.h"
#include "app/logic/list_window_kinds.h"
#include "text/conexant_text.h"

namespace brondavel::app {

namespace {

Qt::Alignment AlignmentOf(ColumnAlign align) {
    switch (align) {
        case ColumnAlign::kRight:
            return Qt::AlignRight;
        case ColumnAlign::kCenter:
            return Qt::AlignHCenter;
        case ColumnAlign::kLeft:
            break;
    }
    return Qt::AlignLeft;
}

}  // namespace

ListViewControl::ListViewControl(RecordKind kind, QObject* parent)
    : QAbstractTableModel(parent),
      kind_(kind),
      columns_(static_cast<int>(TraitsOf(kind).columns.size())) {}

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
    // The database's view matches the staged rows now: their marks are read
    // once, here, and not again while the rows are shown.
    for (int row = 0; row < static_cast<int>(staged_.size()); ++row)
        staged_[row].active = rowActive_ && rowActive_(row);
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
        selection->setCurrentIndex(index(stagedFocus_, TraitsOf(kind_).mainColumn),
                                   QItemSelectionModel::NoUpdate);
    ScrollAfterFill();
    stagedSelection_.clear();
    stagedFocus_ = stagedVisible_ = -1;
}

void ListViewControl::ScrollAfterFill() {
    int row = stagedVisible_;
    if (row < 0 || row >= RowCount()) row = stagedFocus_;
    if ((row < 0 || row >= RowCount()) && !stagedSelection_.empty())
        row = *stagedSelection_.begin();
    if (row >= 0 && row < RowCount())
        view_->scrollTo(index(row, TraitsOf(kind_).mainColumn));
    else
        view_->scrollToTop();
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
    Row shown;
    for (const RowCell& cell : cells) {
        shown.texts.push_back(QString::fromStdString(cell.text));
        shown.images.push_back(cell.image);
    }
    const int name = TraitsOf(kind_).mainColumn;
    shown.rightToLeft =
        name < static_cast<int>(cells.size()) && text::IsRightToLeftName(cells[name].text);
    row = std::clamp(row, 0, static_cast<int>(staged_.size()));
    staged_.insert(staged_.begin() + row, std::move(shown));
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
        view_->selectionModel()->setCurrentIndex(index(row, TraitsOf(kind_).mainColumn),
                                                 QItemSelectionModel::NoUpdate);
}

void ListViewControl::EnsureVisible(int row) {
    if (staging_) {
        stagedVisible_ = row;
        return;
    }
    if (view_ && row >= 0 && row < RowCount())
        view_->scrollTo(index(row, TraitsOf(kind_).mainColumn));
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
    const bool hasCell = column < static_cast<int>(row.texts.size());
    switch (role) {
        case Qt::DisplayRole:
            return hasCell ? row.texts[column] : QString();
        case Qt::DecorationRole:
            if (hasCell && row.images[column] >= 0) return ChannelIcon(row.images[column]);
            return {};
        case Qt::TextAlignmentRole: {
            const KindTraits& traits = TraitsOf(kind_);
            Qt::Alignment h = AlignmentOf(traits.columns[column].align);
            // Absolute: a right-to-left cell would otherwise mirror it back.
            if (column == traits.mainColumn && row.rightToLeft)
                h = Qt::AlignRight | Qt::AlignAbsolute;
            return QVariant::fromValue(h | Qt::AlignVCenter);
        }
        case kRightToLeftRole:
            return column == TraitsOf(kind_).mainColumn && row.rightToLeft;
        case Qt::BackgroundRole: {
            const Rgb c = CellBackground(kind_, column, row.active);
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
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 ||
        column >= static_cast<int>(rows_[row].texts.size()))
        return {};
    return rows_[row].texts[column];
}

int ListViewControl::Image(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 ||
        column >= static_cast<int>(rows_[row].images.size()))
        return -1;
    return rows_[row].images[column];
}

}  // namespace brondavel::app
