#include "app/lists/name_cell_editor.h"

#include <QKeyEvent>

namespace brondavel::app {

NameCellEditor::NameCellEditor(const QString& name, QWidget* parent) : QLineEdit(name, parent) {
    setObjectName(QStringLiteral("nameEditor"));
    setFrame(false);
    selectAll();
}

void NameCellEditor::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Finish(true);
            return;
        case Qt::Key_Escape:
            Finish(false);
            return;
        default:
            QLineEdit::keyPressEvent(event);
    }
}

void NameCellEditor::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A popup (the input method, a context menu) takes focus only for a while.
    if (event->reason() != Qt::PopupFocusReason) Finish(false);
}

void NameCellEditor::Finish(bool accept) {
    if (finished_) return;
    finished_ = true;
    if (accept)
        emit accepted(text());
    else
        emit cancelled();
}

}  // namespace brondavel::app
