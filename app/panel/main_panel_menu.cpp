// The panel's File menu and the keys that reach its commands from every
// window of the program.
#include <QApplication>
#include <QMenu>
#include <QShortcut>

#include "app/panel/main_panel.h"

namespace brondavel::app {

namespace {

constexpr int kOpenCommand = 32813;
constexpr int kReadCommand = 32814;
constexpr int kSaveCommand = 32815;
constexpr int kSaveAsCommand = 32816;
constexpr int kWriteCommand = 32817;
constexpr int kExitCommand = 32818;

// The editing keys, bound once on the panel and shown in the File menu.
constexpr QKeyCombination kUndoKey = Qt::CTRL | Qt::Key_Z;
constexpr QKeyCombination kRedoKey = Qt::CTRL | Qt::Key_Y;
constexpr QKeyCombination kRedoKeyToo = Qt::CTRL | Qt::SHIFT | Qt::Key_Z;
constexpr QKeyCombination kOpenKey = Qt::CTRL | Qt::Key_O;
constexpr QKeyCombination kSaveKey = Qt::CTRL | Qt::Key_S;
constexpr QKeyCombination kSaveAsKey = Qt::CTRL | Qt::SHIFT | Qt::Key_S;

}  // namespace

std::unique_ptr<QMenu> MainPanel::BuildFileMenu() {
    auto menu = std::make_unique<QMenu>(this);
    auto add = [&](const char* text, int id, void (MainPanel::*slot)()) {
        QAction* action = menu->addAction(text, this, slot);
        action->setObjectName(QString("id%1").arg(id));
        return action;
    };
    auto named = [&](const QString& text, const char* name, void (MainPanel::*slot)()) {
        QAction* action = menu->addAction(text, this, slot);
        action->setObjectName(name);
        return action;
    };
    const FileMenuState state = files_.MenuState();
    DatabaseFile* file = files_.File();
    QAction* open = add("Open", kOpenCommand, &MainPanel::OnOpen);
    open->setShortcut(kOpenKey);
    open->setEnabled(state.open);
    add("Read From Receiver", kReadCommand, &MainPanel::OnReadFromReceiver)->setEnabled(state.read);
    menu->addSeparator();
    const QString undoLabel = state.undo ? QString::fromStdString(file->db().UndoLabel()) : "";
    const QString redoLabel = state.redo ? QString::fromStdString(file->db().RedoLabel()) : "";
    QAction* undo =
        named(undoLabel.isEmpty() ? "Undo" : "Undo " + undoLabel, "menuUndo", &MainPanel::OnUndo);
    undo->setShortcut(kUndoKey);
    undo->setEnabled(state.undo);
    QAction* redo =
        named(redoLabel.isEmpty() ? "Redo" : "Redo " + redoLabel, "menuRedo", &MainPanel::OnRedo);
    redo->setShortcut(kRedoKey);
    redo->setEnabled(state.redo);
    menu->addSeparator();
    QAction* save = add("Save", kSaveCommand, &MainPanel::OnSave);
    save->setShortcut(kSaveKey);
    QAction* saveAs = add("Save as", kSaveAsCommand, &MainPanel::OnSaveAs);
    saveAs->setShortcut(kSaveAsKey);
    QAction* write = add("Write Into Receiver", kWriteCommand, &MainPanel::OnWriteIntoReceiver);
    menu->addSeparator();
    named("Print...", "menuPrint", &MainPanel::OnPrint)->setEnabled(state.saveAs);
    named("Export PDF...", "menuExportPdf", &MainPanel::OnExportPdf)->setEnabled(state.saveAs);
    menu->addSeparator();
    QAction* order = named("Apply order from file...", "menuApplyOrder", &MainPanel::OnApplyOrder);
    QAction* restore =
        named("Restore original", "menuRestoreOriginal", &MainPanel::OnRestoreOriginal);
    save->setEnabled(state.save);
    saveAs->setEnabled(state.saveAs);
    write->setEnabled(state.write);
    order->setEnabled(state.applyOrder);
    restore->setEnabled(state.restore);
    files_.AddDataCommands(*menu);
    named("Reset window layout", "menuResetLayout", &MainPanel::OnResetLayout);
    // The shortcuts work through the panel's own; the menu only shows them.
    for (QAction* action : menu->actions()) action->setShortcutContext(Qt::WidgetShortcut);

    files_.AddRecentItems(*menu);
    menu->addSeparator();
    QAction* exit = menu->addAction("Exit", this, &QWidget::close);
    exit->setObjectName(QString("id%1").arg(kExitCommand));
    return menu;
}

void MainPanel::ShowFileMenu() {
    std::unique_ptr<QMenu> menu = BuildFileMenu();
    menu->exec(fileButton_->mapToGlobal(QPoint(0, 0)));
}

// The editing keys reach the panel from every window of the program; a
// dialog or an edit box that takes them keeps them.
void MainPanel::AddShortcuts() {
    auto bind = [this](const QKeySequence& keys, const char* name, void (MainPanel::*slot)()) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setObjectName(name);
        shortcut->setContext(Qt::ApplicationShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, slot] {
            if (CommandsFree()) (this->*slot)();
        });
    };
    bind(kUndoKey, "shortcutUndo", &MainPanel::OnUndo);
    bind(kRedoKey, "shortcutRedo", &MainPanel::OnRedo);
    bind(kRedoKeyToo, "shortcutRedo2", &MainPanel::OnRedo);
    bind(kOpenKey, "shortcutOpen", &MainPanel::OnOpen);
    bind(kSaveKey, "shortcutSave", &MainPanel::OnSave);
    bind(kSaveAsKey, "shortcutSaveAs", &MainPanel::OnSaveAs);
}

bool MainPanel::CommandsFree() const {
    return transfer_->Session().Idle() && !closed_ &&
           QApplication::activeModalWidget() == nullptr &&
           QApplication::activePopupWidget() == nullptr;
}

}  // namespace brondavel::app
