#include "app/lists/list_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

#include "app/data/data_commands.h"
#include "app/edit/edit_dialogs.h"
#include "app/layout/magnetic_skin.h"
#include "app/layout/skin_button.h"
#include "app/lists/cell_height_font.h"
#include "app/lists/letter_button.h"
#include "app/lists/list_rect_store.h"
#include "app/lists/list_view.h"
#include "app/lists/list_view_control.h"
#include "app/lists/name_cell_editor.h"
#include "app/logic/drop_rules.h"
#include "app/logic/list_window_kinds.h"
#include "files/record_export.h"
#include "model/database_engine.h"
#include "model/field_table.h"
#include "model/record_rename.h"
#include "model/selection_move.h"

namespace brondavel::app {

namespace {

// The window as laid out: client size and the children's rectangles
// (left, top, right, bottom), each placed 3 px up and left of its numbers.
constexpr QSize kTemplateSize(312, 150);
constexpr int kLetterLefts[kLetterButtons] = {140, 155, 167, 182, 194, 209, 221, 236, 248};

QRect Placed(int left, int top, int right, int bottom) {
    return QRect(left - 3, top - 3, right - left, bottom - top);
}

QFont Tahoma(int cellHeight, bool bold = false) {
    return CellHeightFont(QStringLiteral("Tahoma"), cellHeight, bold);
}

// Find narrows the lists that have names to look for among many rows.
bool HasFind(int kind) {
    return kind >= 1 && kind <= 3;
}

// A core message ("a name cannot be empty") as a sentence.
QString Sentence(const std::string& text) {
    QString sentence = QString::fromStdString(text);
    if (!sentence.isEmpty()) sentence[0] = sentence[0].toUpper();
    return sentence + QLatin1Char('.');
}

QString DefaultExportPath(const QString& suggested) {
    QString filter = QStringLiteral("CSV files (*.csv)");
    const QString path = QFileDialog::getSaveFileName(
        nullptr, QStringLiteral("Export"), suggested,
        QStringLiteral("CSV files (*.csv);;JSON files (*.json)"), &filter);
    // A name typed without an extension takes the one of the chosen type.
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        return path + (filter.startsWith(QLatin1String("JSON")) ? QStringLiteral(".json")
                                                                : QStringLiteral(".csv"));
    return path;
}

}  // namespace

ListWindow::ListWindow(QWidget* owner, int model, int kind, ListControlArray* controls,
                       ListWindowArray* windows)
    : MagneticDialog(owner), model_(model), kind_(kind), controls_(controls), windows_(windows) {
    setObjectName(QStringLiteral("listWindow%1").arg(kind));
    setWindowTitle(TitleOf(kind));
    resize(kTemplateSize);

    control_ = new ListViewControl(kind, this);
    control_->SetRowActive(
        [this](int row) { return database_ && database_->IsRowActive(kind_, row) != 0; });
    view_ = new ListView(kind, control_, this);
    view_->setObjectName(QStringLiteral("listControl"));
    view_->setFont(Tahoma(16));
    view_->verticalHeader()->setDefaultSectionSize(QFontMetrics(view_->font()).height() + 3);
    view_->setGeometry(Placed(15, 42, 297, 140));
    view_->installEventFilter(this);

    title_ = new QLabel(TitleOf(kind), this);
    title_->setObjectName(QStringLiteral("title"));
    titleNormal_ = Tahoma(18);
    titleBold_ = Tahoma(18, true);
    title_->setFont(titleNormal_);
    title_->setGeometry(Placed(15, 13, 132, 39));

    // The find field takes the title's place, up to the letter buttons.
    find_ = new QLineEdit(this);
    find_->setObjectName(QStringLiteral("findField"));
    find_->setFont(Tahoma(16));
    find_->setPlaceholderText(QStringLiteral("Find"));
    find_->setClearButtonEnabled(false);
    find_->setGeometry(Placed(15, 13, 136, 39));
    find_->hide();
    find_->installEventFilter(this);
    connect(find_, &QLineEdit::textChanged, this, &ListWindow::ApplyFind);

    const auto buttons = LetterSpecsOf(kind);
    for (int i = 0; i < kLetterButtons; ++i) {
        auto* letter = new LetterButton(i, this);
        if (buttons[i].letter != ' ') letter->setText(QString(QChar(buttons[i].letter)));
        if (!buttons[i].tooltip.empty())
            letter->setToolTip(QString::fromStdString(buttons[i].tooltip));
        letter->setGeometry(Placed(kLetterLefts[i], 13, kLetterLefts[i] + 14, 39));
        connect(letter, &LetterButton::clicked, this, &ListWindow::ClickLetter);
        letters_[i] = letter;
    }

    SkinButton* close = SkinButton::CloseButton(this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setGeometry(Placed(273, 13, 297, 39));
    connect(close, &QAbstractButton::clicked, this, [this] {
        hide();
        emit closedByUser(kind_);
    });
    close_ = close;

    // The skinned frame belongs to the receiver models this program knows.
    if (model < 3) SetSkin(ListWindowSkin());
    SetCursors(SkinCursors());
    AddAnchor(title_, 0);
    AddAnchor(find_, 0);
    for (LetterButton* letter : letters_) AddAnchor(letter, kAnchorRight);
    AddAnchor(view_, kAnchorStretch);
    AddAnchor(close_, kAnchorRight);
    SetBodyDrag(true);
    SetGripResize(true, QSize(34, 25));

    connect(view_, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { ClickRow(index.row()); });
    connect(view_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { DoubleClickRow(index.row()); });
    connect(view_, &QWidget::customContextMenuRequested, this, [this](QPoint pos) {
        const int row = view_->rowAt(pos.y());
        if (std::unique_ptr<QMenu> menu = PrepareContextMenu(row))
            menu->exec(view_->viewport()->mapToGlobal(pos));
    });
    // The clipboard follows the rows being dragged, even when the drag began
    // without a click that picked them up.
    connect(view_, &ListView::dragStarting, this, [this] {
        if (database_) database_->PickUpSelection(kind_, control_);
    });
    connect(view_, &ListView::dropped, this, &ListWindow::DropFrom);
    connect(view_, &ListView::dropRefused, this, &ListWindow::ShowMessage);

    (*controls_)[kind_] = control_;
    (*windows_)[kind_] = this;

    const Point topLeft = DefaultTopLeft(kind);
    QRect place(QPoint(topLeft.x, topLeft.y), kTemplateSize);
    if (const std::optional<QRect> stored = ReadListRect(kind)) place = *stored;
    MoveTo(place);
}

ListWindow::~ListWindow() {
    // The editor must not report its focus loss to a window half torn down.
    if (renameEditor_) {
        renameEditor_->disconnect(this);
        delete renameEditor_;
    }
    WriteListRect(kind_, frameGeometry());
    if ((*controls_)[kind_] == static_cast<ListControl*>(control_)) (*controls_)[kind_] = nullptr;
    if ((*windows_)[kind_] == this) (*windows_)[kind_] = nullptr;
}

DatabaseEngine* ListWindow::Engine() const {
    return dynamic_cast<DatabaseEngine*>(database_);
}

ListControl* ListWindow::Control() const {
    return control_;
}

void ListWindow::SetDatabase(ChannelDatabase* database, int model) {
    EndRename();
    const bool finding = !find_->isHidden() || !find_->text().isEmpty();
    if (finding) {
        const QSignalBlocker quiet(find_);
        find_->clear();
        find_->hide();
        title_->show();
    }
    database_ = database;
    model_ = model;
    // A database given again (or anew) shows every row, as the field says.
    if (finding && database_) database_->SetNameFilter(kind_, "", nullptr);
    if (!database_) {
        control_->DeleteAllRows();
        control_->Commit();
    }
    UpdateLetterButtons(kind_);
}

void ListWindow::RefreshList() {
    if (!database_) return;
    database_->Refresh(kind_, control_);
    control_->Commit();
}

ListControls ListWindow::AllControls() const {
    return {(*controls_)[0], (*controls_)[1], (*controls_)[2], (*controls_)[3]};
}

void ListWindow::RefreshAllLists() {
    for (int kind = 0; kind < 4; ++kind)
        if (ListControl* control = (*controls_)[kind]) database_->Refresh(kind, control);
    CommitAll();
}

void ListWindow::CommitAll() {
    for (ListControl* control : *controls_)
        if (auto* view = dynamic_cast<ListViewControl*>(control)) view->Commit();
}

void ListWindow::UpdateLetterButtons(int kind) {
    const auto buttons = LetterSpecsOf(kind);
    const uint32_t sortState = database_ ? database_->GetSortState(kind) : 0;
    const uint32_t activeOnly = database_ ? database_->IsActiveOnly(kind) : 0;
    const bool allEmpty = database_ && database_->AllKeyFiltersEmpty(kind) != 0;
    for (int i = 0; i < kLetterButtons; ++i)
        letters_[i]->SetHighlighted(database_ &&
                                    LetterHolds(buttons[i], sortState, activeOnly, allEmpty));
}

void ListWindow::UpdateAllLetterButtons() {
    for (ListWindow* window : *windows_)
        if (window) window->UpdateLetterButtons(window->Kind());
}

void ListWindow::ClickRow(int row) {
    if (row < 0 || !database_) return;
    database_->PickUpSelection(kind_, control_);
    database_->SelectionChanged(kind_, row, AllControls());
    CommitAll();
    UpdateAllLetterButtons();
}

void ListWindow::DoubleClickRow(int row) {
    if (row < 0 || !database_) return;
    OpenEditDialog(row);
}

void ListWindow::ClickLetter(int index) {
    if (!database_ || index < 0 || index >= kLetterButtons) return;
    const LetterSpec button = LetterSpecsOf(kind_)[index];
    switch (button.action) {
        case LetterAction::kNone:
            return;
        case LetterAction::kShowAll:
            database_->ClearAllKeyFilters(kind_, AllControls());
            break;
        case LetterAction::kActiveOff:
        case LetterAction::kActiveOn:
            database_->SetActiveOnly(kind_, control_, button.action == LetterAction::kActiveOn);
            database_->ClearClipboard(kind_);
            break;
        case LetterAction::kSort:
            database_->SortList(kind_, button.sortOrder, control_);
            break;
    }
    CommitAll();
    UpdateAllLetterButtons();
}

std::unique_ptr<QMenu> ListWindow::PrepareContextMenu(int row) {
    if (!database_) return nullptr;
    const bool onRow = row >= 0 && row < control_->RowCount();
    bool moveAllowed = false;
    if (onRow) {
        database_->SelectionChanged(kind_, row, AllControls());
        CommitAll();
        UpdateAllLetterButtons();
        moveAllowed =
            database_->ClipboardCount(kind_) != 0 && database_->SetAnchor(kind_, row) == 0;
        if (moveAllowed) database_->SelectClipboardRows(kind_, control_);
    }
    menuRow_ = onRow ? row : -1;

    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("contextMenu"));
    auto add = [&](QMenu* into, const QString& text, const char* name, bool enabled, auto slot) {
        QAction* action = into->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    const QString heading = onRow ? QString::fromStdString(database_->Describe(kind_, row))
                                  : QString::fromLatin1(MenuHeadingOf(kind_));
    add(menu.get(), heading, "menuHeading", true, [] {});
    menu->addSeparator();
    if (const char* toggle = ActiveToggleLabel(kind_, database_->IsActiveOnly(kind_) != 0))
        add(menu.get(), QString::fromLatin1(toggle), "menuActive", true,
            [this] { ToggleActive(); });
    add(menu.get(), QStringLiteral("Change Data( Edit )"), "menuEdit", onRow,
        [this] { EditRow(menuRow_); });
    if (HasRecordCommands(kind_)) {
        add(menu.get(), QStringLiteral("New"), "menuNew", true, [this] { NewRecord(); });
        add(menu.get(), QStringLiteral("Delete"), "menuDelete", onRow,
            [this] { DeleteSelection(); });
        QMenu* move = menu->addMenu(QStringLiteral("Move"));
        move->setObjectName(QStringLiteral("menuMove"));
        move->menuAction()->setEnabled(moveAllowed);
        add(move, QStringLiteral("Next"), "menuMoveNext", moveAllowed,
            [this] { MoveClipboard(false); });
        add(move, QStringLiteral("Previously"), "menuMovePrevious", moveAllowed,
            [this] { MoveClipboard(true); });
        QMenu* sort = menu->addMenu(QStringLiteral("Sort"));
        sort->setObjectName(QStringLiteral("menuSort"));
        const int current = static_cast<int>(database_->GetSortState(kind_) & 0xF);
        const std::vector<std::string> labels = SortLabelsOf(kind_);
        for (int i = 0; i < static_cast<int>(labels.size()); ++i) {
            const int order = i + 1;
            const QByteArray name = QStringLiteral("menuSort%1").arg(order).toLatin1();
            QAction* item = add(sort, QString::fromStdString(labels[i]), name.constData(), true,
                                [this, order] { Sort(order); });
            item->setCheckable(true);
            item->setChecked(order == current);
        }
    }
    menu->addSeparator();
    add(menu.get(), QStringLiteral("Export..."), "menuExport", true, [this] { ExportList(); });
    if (kind_ == 0) {
        menu->addSeparator();
        add(menu.get(), QStringLiteral("Update"), "menuUpdate", onRow, [this] {
            if (Engine() && UpdateSatellite(this, *Engine(), menuRow_)) RefreshAllLists();
        });
        add(menu.get(), QStringLiteral("New from table..."), "menuNewFromTable", true, [this] {
            if (Engine() && NewSatelliteFromTable(this, *Engine())) RefreshAllLists();
        });
    }
    return menu;
}

void ListWindow::EditRow(int row) {
    // The row the menu was opened on: the move anchor names it only when the
    // clipboard was in use.
    if (!database_ || row < 0) return;
    OpenEditDialog(row);
}

void ListWindow::NewRecord() {
    if (database_) OpenEditDialog(kNoRow);
}

void ListWindow::OpenEditDialog(int row) {
    if (!database_ || kind_ == 4) return;
    if ((kind_ == 0 || kind_ == 1) && (model_ < 0 || model_ > 2)) return;
    if (RunEditDialog(this, model_, kind_, database_, row) != 1) return;
    if (!database_) return;
    database_->RefreshKeepSelection(kind_, control_, row);
    CommitAll();
}

void ListWindow::DeleteSelection() {
    if (!database_) return;
    database_->DeleteSelected(kind_, control_);
    database_->ClearClipboard(kind_);
    database_->UpdateActiveMarks();
    for (int kind : ListsRefreshedAfterDelete(kind_))
        if (ListControl* control = (*controls_)[kind]) database_->Refresh(kind, control);
    CommitAll();
}

void ListWindow::MoveClipboard(bool before) {
    if (!database_) return;
    database_->MoveClipboard(kind_, control_, before ? 1 : 0);
    CommitAll();
}

void ListWindow::Sort(int order) {
    if (!database_) return;
    database_->SortList(kind_, order, control_);
    CommitAll();
    UpdateLetterButtons(kind_);
}

void ListWindow::ToggleActive() {
    if (!database_) return;
    database_->ToggleActiveOnly(kind_, control_);
    database_->ClearClipboard(kind_);
    CommitAll();
    UpdateLetterButtons(kind_);
}

void ListWindow::DropFrom(int row, uint64_t source, uint32_t process) {
    if (!database_) return;
    int effect = 0xFFFF, sourceKind = 0xFFFF;
    ListControl* sourceControl = nullptr;
    const bool ourProcess = process == static_cast<uint32_t>(QCoreApplication::applicationPid());
    if (ourProcess && source == view_->Identity()) {
        effect = kDropMove;
        sourceControl = control_;
        row = MoveAnchorRow(row, control_->RowCount());
    } else if (ourProcess) {
        for (int k = 0; k < 5; ++k) {
            ListControl* candidate = (*controls_)[k];
            if (candidate && reinterpret_cast<uintptr_t>(candidate) == source) {
                effect = kDropReparent;
                sourceKind = k;
                sourceControl = candidate;
            }
        }
    }
    database_->Drop(effect, sourceKind, kind_, row, sourceControl, control_);
    CommitAll();
}

void ListWindow::ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Message"), text, QMessageBox::Ok,
                    this);
    box.exec();
}

void ListWindow::ResizeHook(int dx, int) {
    view_->SetColumnWidthKept(MainColumnOf(kind_), MainColumnWidthFor(kind_, dx));
    // The editor follows its name cell.
    if (renameEditor_)
        renameEditor_->setGeometry(
            view_->visualRect(control_->index(renameRow_, MainColumnOf(kind_))));
}

bool ListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_) {
        if (event->type() == QEvent::FocusIn) SetTitleBold(true);
        if (event->type() == QEvent::FocusOut) SetTitleBold(false);
        if (event->type() == QEvent::KeyPress && HandleListKey(*static_cast<QKeyEvent*>(event)))
            return true;
    }
    if (watched == find_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            CloseFind();
            return true;
        }
        // Down or Enter goes on to the rows found.
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Return ||
            key->key() == Qt::Key_Enter) {
            view_->setFocus(Qt::ShortcutFocusReason);
            if (!view_->currentIndex().isValid() && control_->rowCount() > 0)
                view_->setCurrentIndex(control_->index(0, MainColumnOf(kind_)));
            return true;
        }
    }
    return MagneticDialog::eventFilter(watched, event);
}

bool ListWindow::HandleListKey(const QKeyEvent& key) {
    if (!database_) return false;
    const Qt::KeyboardModifiers mods =
        key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool movable = kind_ >= 0 && kind_ <= 3;
    if (key.matches(QKeySequence::Find)) {
        if (!HasFind(kind_)) return false;
        OpenFind();
        return true;
    }
    if (key.matches(QKeySequence::SelectAll)) {
        view_->selectAll();
        return true;
    }
    if (mods == Qt::AltModifier && movable &&
        (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down)) {
        MoveSelectedRows(key.key() == Qt::Key_Up ? -1 : 1);
        return true;
    }
    if (mods != Qt::NoModifier) return false;
    switch (key.key()) {
        case Qt::Key_Delete:
            if (!HasRecordCommands(kind_) || control_->SelectedRows().empty()) return false;
            DeleteSelection();
            return true;
        case Qt::Key_F2:
            if (!movable) return false;
            StartRename(CurrentRow());
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            DoubleClickRow(CurrentRow());
            return true;
        case Qt::Key_Escape:
            if (find_->isHidden()) return false;
            CloseFind();
            return true;
        default:
            return false;
    }
}

int ListWindow::CurrentRow() const {
    const QModelIndex current = view_->currentIndex();
    if (current.isValid()) return current.row();
    const std::vector<int> selected = control_->SelectedRows();
    return selected.empty() ? -1 : selected.front();
}

void ListWindow::OpenFind() {
    if (!HasFind(kind_)) return;
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

void ListWindow::StartRename(int row) {
    DatabaseEngine* engine = Engine();
    if (!engine || kind_ > 3 || row < 0 || row >= control_->RowCount()) return;
    EndRename();
    control_->Commit();
    const QModelIndex cell = control_->index(row, MainColumnOf(kind_));
    view_->scrollTo(cell);
    auto* editor = new NameCellEditor(QString::fromStdString(FullName(*engine, kind_, row)),
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
    DatabaseEngine* engine = Engine();
    if (!engine) return;
    const RenameResult result = RenameRow(*engine, kind_, row, text.toStdString());
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

void ListWindow::MoveSelectedRows(int step) {
    DatabaseEngine* engine = Engine();
    if (!engine) return;
    if (MoveSelectionByOne(*engine, kind_, control_, step)) CommitAll();
}

void ListWindow::ExportList() {
    DatabaseEngine* engine = Engine();
    if (!engine) return;
    const RecordList& list = engine->list(kind_);
    const std::vector<Record>& shown = list.view();
    const std::vector<Record>& all = list.records();
    bool onlyShown = false;
    if (shown.size() < all.size()) {
        QMessageBox ask(QMessageBox::Question, QStringLiteral("Export"),
                        QStringLiteral("The list shows %1 of the %2 rows. Which rows do you "
                                       "want to export?")
                            .arg(shown.size())
                            .arg(all.size()),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
        ask.button(QMessageBox::Yes)
            ->setText(QStringLiteral("The %1 rows shown").arg(shown.size()));
        ask.button(QMessageBox::No)->setText(QStringLiteral("All %1").arg(all.size()));
        ask.setDefaultButton(QMessageBox::Yes);
        const int answer = ask.exec();
        if (answer == QMessageBox::Cancel) return;
        onlyShown = answer == QMessageBox::Yes;
    }
    const QString suggested = QString::fromLatin1(TitleOf(kind_)) + QStringLiteral(".csv");
    const QString path = exportPath_ ? exportPath_(suggested) : DefaultExportPath(suggested);
    if (path.isEmpty()) return;
    const ExportFormat format = path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive)
                                    ? ExportFormat::kJson
                                    : ExportFormat::kCsv;
    // The rows as they are now: the question may have let a refresh through.
    const std::vector<Record>& rows = onlyShown ? list.view() : list.records();
    std::string error;
    if (!ExportRecords(QFile::encodeName(path).toStdString(), format,
                       GenerationOf(engine->layout()), kind_, rows, error))
        ShowWarning(QStringLiteral("Export"),
                    QStringLiteral("The list could not be exported to %1: %2")
                        .arg(path, QString::fromStdString(error)));
}

void ListWindow::ShowWarning(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, this);
    box.exec();
}

void ListWindow::SetTitleBold(bool bold) {
    title_->setFont(bold ? titleBold_ : titleNormal_);
}

}  // namespace brondavel::app
