// Find in a list window: Ctrl+F shows the field over the title, each typed
// letter narrows the list to the names holding the text, Esc brings every
// row back.
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "app/lists/list_view.h"
#include "app/lists/list_view_control.h"
#include "app/lists/list_window.h"
#include "app/logic/kind_traits.h"
#include "model/database_engine.h"

namespace brondavel::app {

void ListWindow::OpenFind() {
    if (!TraitsOf(kind_).find) return;
    title_->hide();
    find_->show();
    find_->raise();
    find_->setFocus(Qt::ShortcutFocusReason);
    find_->selectAll();
}

void ListWindow::CloseFind() {
    find_->clear();  // shows every row again
    find_->hide();
    title_->show();
    view_->setFocus(Qt::ShortcutFocusReason);
}

void ListWindow::ApplyFind(const QString& text) {
    if (!database_) return;
    database_->SetNameFilter(kind_, text.toStdString(), control_);
    CommitAll();
}

bool ListWindow::HandleFindKey(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Escape) {
        CloseFind();
        return true;
    }
    // Down or Enter goes on to the rows found.
    if (key.key() == Qt::Key_Down || key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        view_->setFocus(Qt::ShortcutFocusReason);
        if (!view_->currentIndex().isValid() && control_->rowCount() > 0)
            view_->setCurrentIndex(control_->index(0, TraitsOf(kind_).mainColumn));
        return true;
    }
    return false;
}

}  // namespace brondavel::app
