// The report view of a list window: no header, full-row multiple selection
// that stays visible without focus, and drag and drop between the windows
// with a private payload, a drop highlight and auto-scroll in the margins.
#pragma once

#include <QPointer>
#include <QTableView>
#include <QTimer>
#include <vector>

#include "app/logic/drop_rules.h"
#include "model/record.h"

class QMimeData;

namespace brondavel::app {

class ListViewControl;

class ListView : public QTableView {
    Q_OBJECT
  public:
    static constexpr const char* kMimeType = "application/x-brondavel-list-rows";

    ListView(RecordKind kind, ListViewControl* control, QWidget* parent = nullptr);

    ListViewControl* control() const { return control_; }
    // Sets a column's width and keeps it across refills.
    void SetColumnWidthKept(int column, int width);
    // The identity the drag payload carries for this view's list control.
    uint64_t Identity() const;
    // The payload of a drag of `rows` (ascending) from this view.
    QMimeData* MakeDragData(const std::vector<int>& rows) const;

    // The drop at `pos` (viewport pixels): the path a real drop takes. True
    // when it was handed on with the `dropped` signal.
    bool HandleDrop(const QMimeData* data, QPoint pos);
    // The row a drop at `pos` would go to, or kDropRefused.
    int DropRowAt(QPoint pos) const;

    int DropHighlightRow() const { return dropHighlight_; }
    bool AutoScrollRunning() const { return scrollTimer_.isActive(); }
    int ScrollTimerInterval() const { return scrollTimer_.interval(); }
    // One auto-scroll step, as the timer runs it.
    void AutoScrollTick();

  signals:
    // A key moved the current row; the row stays in view.
    void currentRowMovedByKey(int row);
    // A drag starts from this view with the selected rows.
    void dragStarting();
    // A drop of our own data landed on `row`; `source` names the list
    // control it came from (see Identity).
    void dropped(int row, uint64_t source, uint32_t process);
    // A message for the user about a refused drop.
    void dropRefused(const QString& message);

  protected:
    // The cursor keys move between rows on a visible column, so the row
    // they reach can be scrolled into view.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Ctrl with a cursor key moves the selection too: the focus frame never
    // leaves the selected row.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void ApplyColumnWidths();
    void SetDropHighlight(int row);
    void DragOver(QPoint pos);

    ListViewControl* control_;
    const int nameColumn_;
    std::vector<int> widths_;
    int dropHighlight_ = -1;
    QTimer scrollTimer_;
    QPoint lastDragPos_;
};

}  // namespace brondavel::app
