// One floating list window per record kind. It owns no data: it asks the
// database to fill, filter, sort, move, delete and describe, and refreshes
// any of the five lists through the panel's shared arrays. Its menu, find,
// rename in place and export live in list_window_*.cpp.
#pragma once

#include <QMenu>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/layout/magnetic_dialog.h"
#include "app/lists/name_cell_editor.h"
#include "model/channel_database.h"
#include "model/record.h"
#include "model/sort_state.h"

class QLabel;
class QLineEdit;
class QAbstractButton;

namespace brondavel {
class DatabaseEngine;
}

namespace brondavel::app {

class ListWindow;
class ListView;
class ListViewControl;
class LetterButton;

using ListControlArray = std::array<ListControl*, 5>;
using ListWindowArray = std::array<ListWindow*, 5>;

class ListWindow : public MagneticDialog {
    Q_OBJECT
  public:
    // `kind` is a RecordKind. `controls` and `windows` are the panel's arrays,
    // indexed by kind; this window puts its own control into `controls` at
    // construction.
    ListWindow(QWidget* owner, int kind, ListControlArray* controls, ListWindowArray* windows);
    ~ListWindow() override;

    RecordKind Kind() const { return kind_; }
    ListControl* Control() const;
    // The database the window works on (null: every action is ignored).
    void SetDatabase(DatabaseEngine* database);
    DatabaseEngine* Database() const { return database_; }
    // Refills the window's list from the database.
    void RefreshList();
    // Makes the last fill of the list visible.
    void CommitList();
    // Re-reads sort state, active-only and key filters into the letter
    // buttons' fonts.
    void UpdateLetterButtons();
    // After an undo or redo: filters that name records no longer there are
    // dropped, and every window shows its rows again.
    void AfterHistoryStep();

    // The user's actions, as the mouse and the menu reach them.
    void ClickRow(int row);
    void DoubleClickRow(int row);
    void ClickLetter(int index);
    // Does what a right click on `row` (-1: the empty area) does before the
    // menu opens, and returns the menu; null without a database.
    std::unique_ptr<QMenu> PrepareContextMenu(int row);
    void EditRow(int row);
    void NewRecord();
    void DeleteSelection();
    void MoveClipboard(bool before);
    void Sort(SortOrder order);
    void ToggleActive();
    // Adds the selected channels to favourite group `group`, or takes them
    // out of it, as one undo step.
    void SetFavoriteGroup(int group, bool member);
    // A drop of our own data on `row` of this window's list.
    void DropFrom(int row, uint64_t source, uint32_t process);

    // Find (transponders, TV and radio): Ctrl+F shows the field, Esc clears
    // and hides it again; the list narrows to the names holding the text.
    void OpenFind();
    void CloseFind();
    QLineEdit* FindField() const { return find_; }
    // F2: the editor over the name cell of `row`, holding the whole name.
    void StartRename(int row);
    NameCellEditor* RenameEditor() const { return renameEditor_; }
    // Alt+Up / Alt+Down.
    void MoveSelectedRows(int step);
    // "Export...": the rows shown (or all of the kind) to CSV or JSON.
    void ExportList();
    // The save dialog of the export, replaceable by tests: given a suggested
    // file name, the path chosen, empty to cancel.
    using ExportPathChooser = std::function<QString(const QString& suggested)>;
    void SetExportPathChooser(ExportPathChooser chooser) { exportPath_ = std::move(chooser); }

    ListView* View() const { return view_; }
    LetterButton* Letter(int index) const { return letters_[index]; }
    QLabel* Title() const { return title_; }
    // The widget of the close button.
    QAbstractButton* CloseButton() const { return close_; }

  signals:
    // The close button hid the window; the panel updates its toggle.
    void closedByUser(int kind);

  protected:
    void ResizeHook(int dx, int dy) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ListControls AllControls() const;
    // Shows the rows the last database call filled, in every window.
    void CommitAll();
    // After a change that may touch every list (a table update).
    void RefreshAllLists();
    void UpdateAllLetterButtons();
    // The other windows follow the current row, as they follow a click.
    void FollowCurrentRow(int row);
    // True when the user confirms a delete that takes records along.
    bool ConfirmDelete();
    void AddFavoriteMenus(QMenu* menu, bool onRow);
    void OpenEditDialog(int row);
    void ShowMessage(const QString& text);
    void ShowWarning(const QString& caption, const QString& text);
    void SetTitleBold(bool bold);
    // The keys of the list view and of the find field; true when used.
    bool HandleListKey(const QKeyEvent& key);
    bool HandleFindKey(const QKeyEvent& key);
    void ApplyFind(const QString& text);
    void FinishRename(int row, const QString& text);
    void EndRename();
    // Keeps the rename editor over its cell when the columns change.
    void FollowRenamedCell();
    // Selects exactly the rows of the records `ids` that are shown.
    void SelectRecords(const std::vector<uint16_t>& ids);
    int CurrentRow() const;

    const RecordKind kind_;
    ListControlArray* controls_;
    ListWindowArray* windows_;
    DatabaseEngine* database_ = nullptr;
    ListViewControl* control_ = nullptr;
    ListView* view_ = nullptr;
    QLabel* title_ = nullptr;
    QFont titleNormal_, titleBold_;
    std::array<LetterButton*, 9> letters_{};
    QAbstractButton* close_ = nullptr;
    // The row the context menu was opened on, -1 for the empty area.
    int menuRow_ = -1;
    QLineEdit* find_ = nullptr;
    QPointer<NameCellEditor> renameEditor_;
    int renameRow_ = -1;
    ExportPathChooser exportPath_;
};

}  // namespace brondavel::app
