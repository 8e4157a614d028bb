// The list control the database fills, as a Qt table model. A fill (all rows
// deleted, then inserted one by one) goes into a staging buffer and reaches
// the view as one model reset when the fill is committed: explicitly by the
// window after each database call, or from the event loop at the latest.
// Selection, focus and scrolling go to the view's selection model. A row
// keeps what it shows as it was filled: texts, and the active mark read when
// the fill was committed.
#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <functional>
#include <set>
#include <vector>

#include "model/list_control.h"
#include "model/record.h"

class QTableView;

namespace brondavel::app {

// True for a name cell read right to left: it is laid out as a right-to-left
// paragraph, so digits and Latin words inside it fall where they belong.
inline constexpr int kRightToLeftRole = Qt::UserRole;

class ListViewControl : public QAbstractTableModel, public ListControl {
    Q_OBJECT
  public:
    ListViewControl(RecordKind kind, QObject* parent = nullptr);

    // The view whose selection and scrolling the database drives.
    void AttachView(QTableView* view);
    // Colours rows by the database's active marks (null: all white), read
    // for each row as a fill is committed.
    void SetRowActive(std::function<bool(int row)> rowActive);
    // Makes a pending fill visible: one reset, then the staged selection.
    void Commit();
    bool Staging() const { return staging_; }

    // ListControl
    void DeleteAllRows() override;
    void InsertRow(int row, std::vector<RowCell> cells) override;
    int RowCount() const override;
    std::vector<int> SelectedRows() const override;
    void SetRowSelected(int row, bool selected) override;
    void SetFocusedRow(int row) override;
    void EnsureVisible(int row) override;

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Texts of a committed row, for tests and the drag payload.
    QString Text(int row, int column) const;
    int Image(int row, int column) const;

  private:
    struct Row {
        std::vector<QString> texts;
        std::vector<int> images;
        bool active = false;
        bool rightToLeft = false;  // the name reads right to left
    };
    void ScheduleCommit();
    // After a fill: the row asked for, else the first selected, else the top.
    void ScrollAfterFill();

    const RecordKind kind_;
    const int columns_;
    QPointer<QTableView> view_;
    std::function<bool(int)> rowActive_;
    std::vector<Row> rows_;
    // A fill in progress.
    bool staging_ = false;
    bool commitScheduled_ = false;
    std::vector<Row> staged_;
    std::set<int> stagedSelection_;
    int stagedFocus_ = -1;
    int stagedVisible_ = -1;
};

}  // namespace brondavel::app
