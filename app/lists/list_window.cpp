#include "app/lists/list_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "app/data/data_commands.h"
#include "app/edit/edit_dialogs.h"
#include "app/layout/layout_rects.h"
#include "app/layout/magnetic_skin.h"
#include "app/layout/skin_button.h"
#include "app/lists/cell_height_font.h"
#include "app/lists/letter_button.h"
#include "app/lists/list_rect_store.h"
#include "app/lists/list_view.h"
#include "app/lists/list_view_control.h"
#include "app/logic/delete_question.h"
#include "app/logic/drop_rules.h"
#include "app/logic/list_window_kinds.h"
#include "app/logic/stale_filters.h"
#include "app/logic/window_layout.h"
#include "model/database_engine.h"
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

// The ids of the records in `rows` of a list's view.
std::vector<uint16_t> IdsOfRows(const RecordList& list, const std::vector<int>& rows) {
    std::vector<uint16_t> ids;
    for (int row : rows)
        if (const uint16_t id = list.IdOfRow(row); id != kNone) ids.push_back(id);
    return ids;
}

// The records a move or reparent takes: the clipboard when it holds any,
// the selection otherwise.
std::vector<uint16_t> IdsToMove(const RecordList& list, const ListControl& control) {
    if (list.clipboard().empty()) return IdsOfRows(list, control.SelectedRows());
    std::vector<uint16_t> ids;
    for (const Record& r : list.clipboard()) ids.push_back(r.id);
    return ids;
}

}  // namespace

ListWindow::ListWindow(QWidget* owner, int kind, ListControlArray* controls,
                       ListWindowArray* windows)
    : MagneticDialog(owner),
      kind_(static_cast<RecordKind>(kind)),
      controls_(controls),
      windows_(windows) {
    const KindTraits& traits = TraitsOf(kind_);
    setObjectName(QStringLiteral("listWindow%1").arg(kind));
    setWindowTitle(QString::fromLatin1(traits.title));
    resize(kTemplateSize);

    control_ = new ListViewControl(kind_, this);
    control_->SetRowActive(
        [this](int row) { return database_ && database_->IsRowActive(kind_, row) != 0; });
    view_ = new ListView(kind_, control_, this);
    view_->setObjectName(QStringLiteral("listControl"));
    view_->setFont(Tahoma(16));
    view_->verticalHeader()->setDefaultSectionSize(QFontMetrics(view_->font()).height() + 3);
    view_->setGeometry(Placed(15, 42, 297, 140));
    view_->installEventFilter(this);

    title_ = new QLabel(QString::fromLatin1(traits.title), this);
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

    const auto buttons = LetterSpecsOf(kind_);
    for (int i = 0; i < kLetterButtons; ++i) {
        auto* letter = new LetterButton(i, this);
        if (buttons[i].letter != ' ') letter->setText(QString(QChar(buttons[i].letter)));
        letter->setToolTip(QString::fromLatin1(buttons[i].tooltip));
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

    // Every layout this program reads has its skinned frame.
    SetSkin(ListWindowSkin());
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
    connect(view_, &ListView::currentRowMovedByKey, this, &ListWindow::FollowCurrentRow);
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

    // The set of windows places it again beside the panel where it stands.
    const QRect byDefault = ToQRect(DefaultListPlace(kind, DefaultPanelPlace()));
    MoveTo(ReadListRect(kind_).value_or(byDefault));
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

ListControl* ListWindow::Control() const {
    return control_;
}

void ListWindow::SetDatabase(DatabaseEngine* database) {
    EndRename();
    const bool finding = !find_->isHidden() || !find_->text().isEmpty();
    if (finding) {
        const QSignalBlocker quiet(find_);
        find_->clear();
        find_->hide();
        title_->show();
    }
    database_ = database;
    // A database given again (or anew) shows every row, as the field says.
    if (finding && database_) database_->SetNameFilter(kind_, "", nullptr);
    if (!database_) {
        control_->DeleteAllRows();
        control_->Commit();
    }
    UpdateLetterButtons();
}

void ListWindow::RefreshList() {
    if (!database_) return;
    database_->Refresh(kind_, control_);
    control_->Commit();
}

void ListWindow::CommitList() {
    control_->Commit();
}

ListControls ListWindow::AllControls() const {
    return {(*controls_)[kSatellite], (*controls_)[kTransponder], (*controls_)[kTv],
            (*controls_)[kRadio]};
}

void ListWindow::RefreshAllLists() {
    for (int kind = 0; kind < 4; ++kind)
        if (ListControl* control = (*controls_)[kind]) database_->Refresh(kind, control);
    CommitAll();
}

void ListWindow::CommitAll() {
    for (ListWindow* window : *windows_)
        if (window) window->CommitList();
}

void ListWindow::UpdateLetterButtons() {
    const auto buttons = LetterSpecsOf(kind_);
    const SortState sort = DecodeSortState(database_ ? database_->GetSortState(kind_) : 0);
    const bool activeOnly = database_ && database_->IsActiveOnly(kind_) != 0;
    const bool allEmpty = database_ && database_->AllKeyFiltersEmpty(kind_) != 0;
    for (int i = 0; i < kLetterButtons; ++i)
        letters_[i]->SetHighlighted(database_ &&
                                    LetterHolds(buttons[i], sort, activeOnly, allEmpty));
}

void ListWindow::UpdateAllLetterButtons() {
    for (ListWindow* window : *windows_)
        if (window) window->UpdateLetterButtons();
}

void ListWindow::AfterHistoryStep() {
    if (!database_) return;
    // An undone delete brings back records whose filters were dropped with
    // them; a filter naming nothing would leave its window empty.
    for (RecordKind kind : KindsWithStaleFilters(*database_)) database_->ClearKeyFilter(kind);
    for (ListWindow* window : *windows_)
        if (window) database_->RefreshKeepSelection(window->Kind(), window->control_, 0);
    if (ListWindow* favorites = (*windows_)[kFavorite])
        database_->Refresh(kFavorite, favorites->control_);
    CommitAll();
    UpdateAllLetterButtons();
}

void ListWindow::ClickRow(int row) {
    if (row < 0 || !database_) return;
    database_->PickUpSelection(kind_, control_);
    database_->SelectionChanged(kind_, row, AllControls());
    CommitAll();
    UpdateAllLetterButtons();
}

void ListWindow::FollowCurrentRow(int row) {
    ClickRow(row);
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
            database_->SortList(kind_, static_cast<int>(button.sortOrder), control_);
            break;
    }
    CommitAll();
    UpdateAllLetterButtons();
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
    if (!database_ || !TraitsOf(kind_).editDialog) return;
    const EditOutcome outcome = RunEditDialog(this, kind_, database_, row);
    if (!outcome.saved || !database_) return;
    ShowEditedRecord(*database_, kind_, control_, row, outcome);
    CommitAll();
}

bool ListWindow::ConfirmDelete() {
    const std::vector<int> rows = control_->SelectedRows();
    const std::string question = DeleteQuestion(*database_, kind_, rows);
    if (question.empty()) return true;
    QMessageBox ask(QMessageBox::Question, QStringLiteral("Delete"),
                    QString::fromStdString(question), QMessageBox::Yes | QMessageBox::No, this);
    ask.setObjectName(QStringLiteral("deleteQuestion"));
    ask.setDefaultButton(QMessageBox::No);
    return ask.exec() == QMessageBox::Yes;
}

void ListWindow::DeleteSelection() {
    if (!database_ || control_->SelectedRows().empty()) return;
    if (!ConfirmDelete()) return;
    database_->DeleteSelected(kind_, control_);
    database_->ClearClipboard(kind_);
    database_->UpdateActiveMarks();
    for (RecordKind kind : ListsRefreshedAfterDelete(kind_))
        if (ListControl* control = (*controls_)[kind]) database_->Refresh(kind, control);
    CommitAll();
}

void ListWindow::SelectRecords(const std::vector<uint16_t>& ids) {
    const RecordList& list = database_->list(kind_);
    std::vector<int> rows;
    for (uint16_t id : ids)
        if (const int row = list.RowOfId(id); row != kNoRow) rows.push_back(row);
    if (rows.empty()) return;
    std::sort(rows.begin(), rows.end());
    for (int row : control_->SelectedRows()) control_->SetRowSelected(row, false);
    for (int row : rows) control_->SetRowSelected(row, true);
    control_->SetFocusedRow(rows.front());
    control_->EnsureVisible(rows.front());
}

void ListWindow::MoveClipboard(bool before) {
    if (!database_) return;
    const std::vector<uint16_t> moved = IdsToMove(database_->list(kind_), *control_);
    database_->MoveClipboard(kind_, control_, before ? 1 : 0);
    SelectRecords(moved);
    CommitAll();
}

void ListWindow::Sort(SortOrder order) {
    if (!database_) return;
    database_->SortList(kind_, static_cast<int>(order), control_);
    CommitAll();
    UpdateLetterButtons();
}

void ListWindow::ToggleActive() {
    if (!database_) return;
    database_->ToggleActiveOnly(kind_, control_);
    database_->ClearClipboard(kind_);
    CommitAll();
    UpdateLetterButtons();
}

void ListWindow::DropFrom(int row, uint64_t source, uint32_t process) {
    if (!database_) return;
    std::optional<DropEffect> effect;
    ListWindow* from = nullptr;
    const bool ourProcess = process == static_cast<uint32_t>(QCoreApplication::applicationPid());
    if (ourProcess && source == view_->Identity()) {
        effect = DropEffect::kMove;
        from = this;
        row = MoveAnchorRow(row, control_->RowCount());
    } else if (ourProcess) {
        for (ListWindow* window : *windows_) {
            if (window && window->view_->Identity() == source) {
                effect = DropEffect::kReparent;
                from = window;
            }
        }
    }
    if (!effect) {
        // Our own kind of data from a list that is gone: nothing to do.
        CommitAll();
        return;
    }
    const std::vector<uint16_t> moved = IdsToMove(database_->list(from->kind_), *from->control_);
    database_->Drop(*effect == DropEffect::kMove ? kDropMove : kDropReparent, from->kind_, kind_,
                    row, from->control_, control_);
    // The windows follow the target, and the records dropped stay selected.
    if (*effect == DropEffect::kReparent && row >= 0 && row < control_->RowCount())
        database_->SelectionChanged(kind_, row, AllControls());
    from->SelectRecords(moved);
    if (*effect == DropEffect::kMove) {
        if (const std::vector<int> rows = control_->SelectedRows(); !rows.empty())
            database_->SelectionChanged(kind_, rows.front(), AllControls());
    }
    CommitAll();
    UpdateAllLetterButtons();
}

void ListWindow::ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Message"), text, QMessageBox::Ok,
                    this);
    box.exec();
}

void ListWindow::ShowWarning(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, this);
    box.exec();
}

void ListWindow::ResizeHook(int dx, int) {
    const int column = TraitsOf(kind_).mainColumn;
    view_->SetColumnWidthKept(column, MainColumnWidthFor(kind_, dx));
    FollowRenamedCell();
}

bool ListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_) {
        if (event->type() == QEvent::FocusIn) SetTitleBold(true);
        if (event->type() == QEvent::FocusOut) SetTitleBold(false);
        if (event->type() == QEvent::KeyPress && HandleListKey(*static_cast<QKeyEvent*>(event)))
            return true;
    }
    if (watched == find_ && event->type() == QEvent::KeyPress &&
        HandleFindKey(*static_cast<QKeyEvent*>(event)))
        return true;
    return MagneticDialog::eventFilter(watched, event);
}

bool ListWindow::HandleListKey(const QKeyEvent& key) {
    if (!database_) return false;
    const KindTraits& traits = TraitsOf(kind_);
    const Qt::KeyboardModifiers mods =
        key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key.matches(QKeySequence::Find)) {
        if (!traits.find) return false;
        OpenFind();
        return true;
    }
    if (key.matches(QKeySequence::SelectAll)) {
        view_->selectAll();
        return true;
    }
    if (mods == Qt::AltModifier && traits.move &&
        (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down)) {
        MoveSelectedRows(key.key() == Qt::Key_Up ? -1 : 1);
        return true;
    }
    if (mods != Qt::NoModifier) return false;
    switch (key.key()) {
        case Qt::Key_Delete:
            if (!traits.recordCommands || control_->SelectedRows().empty()) return false;
            DeleteSelection();
            return true;
        case Qt::Key_F2:
            if (!traits.rename) return false;
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

void ListWindow::MoveSelectedRows(int step) {
    if (database_ && MoveSelectionByOne(*database_, kind_, control_, step)) CommitAll();
}

void ListWindow::SetTitleBold(bool bold) {
    title_->setFont(bold ? titleBold_ : titleNormal_);
}

}  // namespace brondavel::app
