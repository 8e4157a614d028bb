#include "app/lists/list_view.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "app/lists/list_view_control.h"
#include "app/logic/list_window_kinds.h"
#include "model/list_control.h"

namespace brondavel::app {

namespace {

// Paints the drop highlight like a selection, and a cell holding only an
// image with the image centred.
class ListRowDelegate : public QStyledItemDelegate {
  public:
    explicit ListRowDelegate(ListView* view) : QStyledItemDelegate(view), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        if (index.row() == view_->DropHighlightRow()) opt.state |= QStyle::State_Selected;
        const QVariant decoration = index.data(Qt::DecorationRole);
        if (decoration.isNull() || !index.data(Qt::DisplayRole).toString().isEmpty()) {
            QStyledItemDelegate::paint(painter, opt, index);
            return;
        }
        const bool selected = opt.state & QStyle::State_Selected;
        painter->fillRect(opt.rect, selected ? opt.palette.brush(QPalette::Highlight)
                                             : index.data(Qt::BackgroundRole).value<QColor>());
        const QImage image = decoration.value<QImage>();
        const QPoint at(opt.rect.x() + (opt.rect.width() - image.width()) / 2,
                        opt.rect.y() + (opt.rect.height() - image.height()) / 2);
        painter->drawImage(at, image);
    }

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(kRightToLeftRole).toBool()) option->direction = Qt::RightToLeft;
    }

  private:
    ListView* view_;
};

}  // namespace

ListView::ListView(RecordKind kind, ListViewControl* control, QWidget* parent)
    : QTableView(parent), control_(control), nameColumn_(TraitsOf(kind).mainColumn) {
    setModel(control);
    control->AttachView(this);
    setItemDelegate(new ListRowDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setShowGrid(false);
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideRight);
    setContextMenuPolicy(Qt::CustomContextMenu);
    // Our own auto-scroll runs during drags; Qt's would run beside it.
    setAutoScroll(false);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);

    // The selection stays visible when the list has no focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight,
               p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);

    for (const ListColumn& column : TraitsOf(kind).columns) widths_.push_back(column.width);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setMinimumSectionSize(0);
    ApplyColumnWidths();
    // A model reset gives the header its default section sizes back.
    connect(control, &QAbstractItemModel::modelReset, this, &ListView::ApplyColumnWidths);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(0);

    scrollTimer_.setSingleShot(false);
    connect(&scrollTimer_, &QTimer::timeout, this, &ListView::AutoScrollTick);
}

void ListView::SetColumnWidthKept(int column, int width) {
    if (column < 0 || column >= static_cast<int>(widths_.size())) return;
    widths_[column] = width;
    setColumnWidth(column, width);
}

void ListView::ApplyColumnWidths() {
    for (int c = 0; c < static_cast<int>(widths_.size()); ++c) setColumnWidth(c, widths_[c]);
    setColumnHidden(0, true);
}

QModelIndex ListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (next.isValid() && isColumnHidden(next.column()))
        next = model()->index(next.row(), nameColumn_);
    return next;
}

void ListView::keyPressEvent(QKeyEvent* event) {
    const QModelIndex before = currentIndex();
    QTableView::keyPressEvent(event);
    const QModelIndex now = currentIndex();
    if (!now.isValid() || now == before) return;
    scrollTo(now);
    if (now.row() != before.row()) emit currentRowMovedByKey(now.row());
}

QItemSelectionModel::SelectionFlags ListView::selectionCommand(const QModelIndex& index,
                                                               const QEvent* event) const {
    if (event && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods =
            key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
        if (mods == Qt::ControlModifier && key->key() != Qt::Key_Space)
            return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    }
    return QTableView::selectionCommand(index, event);
}

uint64_t ListView::Identity() const {
    return reinterpret_cast<uintptr_t>(static_cast<ListControl*>(control_));
}

QMimeData* ListView::MakeDragData(const std::vector<int>& rows) const {
    DragHeader header;
    header.rowCount = static_cast<uint32_t>(rows.size());
    header.process = static_cast<uint32_t>(QCoreApplication::applicationPid());
    header.source = Identity();
    const std::vector<uint8_t> payload = EncodeDragPayload(header, rows);
    auto* data = new QMimeData;
    data->setData(kMimeType, QByteArray(reinterpret_cast<const char*>(payload.data()),
                                        static_cast<qsizetype>(payload.size())));
    return data;
}

void ListView::startDrag(Qt::DropActions) {
    SetDropHighlight(-1);
    emit dragStarting();
    const std::vector<int> rows = control_->SelectedRows();
    if (rows.empty()) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(MakeDragData(rows));
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    SetDropHighlight(-1);
    scrollTimer_.stop();
}

void ListView::dragEnterEvent(QDragEnterEvent* event) {
    // Foreign data is accepted here so that its drop can be refused with a
    // message.
    event->setDropAction(event->modifiers() & Qt::ControlModifier ? Qt::CopyAction
                                                                  : Qt::MoveAction);
    event->accept();
    DragOver(event->position().toPoint());
}

void ListView::dragMoveEvent(QDragMoveEvent* event) {
    event->setDropAction(event->modifiers() & Qt::ControlModifier ? Qt::CopyAction
                                                                  : Qt::MoveAction);
    event->accept();
    DragOver(event->position().toPoint());
}

void ListView::DragOver(QPoint pos) {
    scrollTimer_.stop();
    lastDragPos_ = pos;
    SetDropHighlight(rowAt(pos.y()));
    if (ScrollDirection(pos.y(), viewport()->height()) != 0)
        scrollTimer_.start(kScrollStartDelayMs);
}

void ListView::dragLeaveEvent(QDragLeaveEvent* event) {
    scrollTimer_.stop();
    SetDropHighlight(-1);
    event->accept();
}

void ListView::dropEvent(QDropEvent* event) {
    event->setDropAction(Qt::MoveAction);
    event->accept();
    HandleDrop(event->mimeData(), event->position().toPoint());
}

void ListView::AutoScrollTick() {
    scrollTimer_.start(kScrollRepeatMs);
    const int direction = ScrollDirection(lastDragPos_.y(), viewport()->height());
    if (direction == 0) return;
    const int firstBefore = rowAt(0);
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + direction * bar->singleStep());
    if (rowAt(0) == firstBefore) {
        scrollTimer_.stop();
        return;
    }
    SetDropHighlight(rowAt(lastDragPos_.y()));
}

int ListView::DropRowAt(QPoint pos) const {
    DropSpot spot;
    spot.rowCount = control_->rowCount();
    spot.rowUnderCursor = rowAt(pos.y());
    spot.cursorY = pos.y();
    const int first = rowAt(0);
    int last = rowAt(viewport()->height() - 1);
    if (last < 0) last = spot.rowCount - 1;
    spot.firstVisibleTop = first >= 0 ? rowViewportPosition(first) : 0;
    spot.lastVisibleTop = last >= 0 ? rowViewportPosition(last) : 0;
    return DropRow(spot);
}

bool ListView::HandleDrop(const QMimeData* data, QPoint pos) {
    scrollTimer_.stop();
    const int row = DropRowAt(pos);
    if (row == kDropRefused) {
        SetDropHighlight(-1);
        return false;
    }
    std::optional<DragHeader> header;
    std::vector<int> dragged;
    if (data && data->hasFormat(kMimeType)) {
        const QByteArray bytes = data->data(kMimeType);
        const std::span<const uint8_t> payload(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                               static_cast<size_t>(bytes.size()));
        header = DecodeDragHeader(payload);
        if (header) dragged = DecodeDraggedRows(payload);
    }
    const bool fromHere =
        header && header->source == Identity() &&
        header->process == static_cast<uint32_t>(QCoreApplication::applicationPid());
    if (fromHere && DropsOntoItself(row, dragged)) {
        SetDropHighlight(-1);
        emit dropRefused(QStringLiteral("An item can't be dropped onto itself"));
        return false;
    }
    SetDropHighlight(-1);
    if (!header || header->marker != 0) {
        emit dropRefused(QStringLiteral("List -- Source control not defined"));
        return false;
    }
    emit dropped(row, header->source, header->process);
    return true;
}

void ListView::SetDropHighlight(int row) {
    if (row == dropHighlight_) return;
    dropHighlight_ = row;
    viewport()->update();
}

}  // namespace brondavel::app
