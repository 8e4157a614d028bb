// Rename in place: F2 opens an editor over the name cell holding the whole
// stored name; Enter stores it by the core's rename rule, Esc, a refill or
// a scroll gives the edit up.
#include <QScrollBar>

#include "app/lists/list_view.h"
#include "app/lists/list_view_control.h"
#include "app/lists/list_window.h"
#include "app/logic/kind_traits.h"
#include "model/database_engine.h"
#include "model/record_rename.h"

namespace brondavel::app {

namespace {

// A core message ("a name cannot be empty") as a sentence.
QString Sentence(const std::string& text) {
    QString sentence = QString::fromStdString(text);
    if (!sentence.isEmpty()) sentence[0] = sentence[0].toUpper();
    return sentence + QLatin1Char('.');
}

}  // namespace

void ListWindow::StartRename(int row) {
    if (!database_ || !TraitsOf(kind_).rename || row < 0 || row >= control_->RowCount()) return;
    EndRename();
    control_->Commit();
    const QModelIndex cell = control_->index(row, TraitsOf(kind_).mainColumn);
    view_->scrollTo(cell);
    auto* editor = new NameCellEditor(QString::fromStdString(FullName(*database_, kind_, row)),
                                      view_->viewport());
    editor->setFont(view_->font());
    editor->setGeometry(view_->visualRect(cell));
    renameEditor_ = editor;
    renameRow_ = row;
    connect(editor, &NameCellEditor::accepted, this,
            [this, row](const QString& text) { FinishRename(row, text); });
    connect(editor, &NameCellEditor::cancelled, this, &ListWindow::EndRename);
    // A refill changes what the row holds, and scrolling moves the cell away
    // from the editor: either gives the edit up.
    connect(control_, &QAbstractItemModel::modelReset, editor, [this] { EndRename(); });
    connect(view_->verticalScrollBar(), &QScrollBar::valueChanged, editor, [this] { EndRename(); });
    connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, editor,
            [this] { EndRename(); });
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
}

void ListWindow::FollowRenamedCell() {
    if (renameEditor_)
        renameEditor_->setGeometry(
            view_->visualRect(control_->index(renameRow_, TraitsOf(kind_).mainColumn)));
}

void ListWindow::EndRename() {
    if (!renameEditor_) return;
    NameCellEditor* editor = renameEditor_;
    renameEditor_ = nullptr;
    editor->disconnect(this);
    disconnect(control_, nullptr, editor, nullptr);
    view_->verticalScrollBar()->disconnect(editor);
    view_->horizontalScrollBar()->disconnect(editor);
    const bool hadFocus = editor->hasFocus();
    editor->hide();
    editor->deleteLater();
    if (hadFocus) view_->setFocus(Qt::OtherFocusReason);
}

void ListWindow::FinishRename(int row, const QString& text) {
    EndRename();
    if (!database_) return;
    const RenameResult result = RenameRow(*database_, kind_, row, text.toStdString());
    if (!result.Stored()) {
        ShowWarning(QStringLiteral("Rename"), Sentence(RenameRefusalText(result)));
        return;
    }
    if (result.status == RenameStatus::kRenamed) {
        database_->RefreshKeepSelection(kind_, control_, row);
        CommitAll();
    }
    if (result.Changed())
        ShowMessage(QStringLiteral("The name is stored as \"%1\" (%2).")
                        .arg(QString::fromStdString(result.stored),
                             QString::fromStdString(RenameChangeText(result))));
}

}  // namespace brondavel::app
