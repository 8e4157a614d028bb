// The context menu of a list window.
#include <QMenu>

#include "app/data/data_commands.h"
#include "app/lists/list_view_control.h"
#include "app/lists/list_window.h"
#include "app/logic/favorite_groups.h"
#include "app/logic/kind_traits.h"
#include "model/database_engine.h"

namespace brondavel::app {

namespace {

template <typename Slot>
QAction* AddItem(QMenu* into, const QString& text, const char* name, bool enabled,
                 QObject* receiver, Slot slot) {
    QAction* action = into->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    QObject::connect(action, &QAction::triggered, receiver, slot);
    return action;
}

}  // namespace

std::unique_ptr<QMenu> ListWindow::PrepareContextMenu(int row) {
    if (!database_) return nullptr;
    const KindTraits& traits = TraitsOf(kind_);
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
    QMenu* top = menu.get();
    const QString heading = onRow ? QString::fromStdString(database_->Describe(kind_, row))
                                  : QString::fromLatin1(traits.menuHeading);
    AddItem(top, heading, "menuHeading", true, this, [] {});
    top->addSeparator();
    if (traits.showActiveLabel) {
        const bool activeOnly = database_->IsActiveOnly(kind_) != 0;
        AddItem(top, QString::fromLatin1(activeOnly ? traits.showAllLabel : traits.showActiveLabel),
                "menuActive", true, this, [this] { ToggleActive(); });
    }
    AddItem(top, QStringLiteral("Change Data( Edit )"), "menuEdit", onRow, this,
            [this] { EditRow(menuRow_); });
    if (traits.recordCommands) {
        AddItem(top, QStringLiteral("New"), "menuNew", true, this, [this] { NewRecord(); });
        AddItem(top, QStringLiteral("Delete"), "menuDelete", onRow, this,
                [this] { DeleteSelection(); });
    }
    if (traits.move) {
        QMenu* move = top->addMenu(QStringLiteral("Move"));
        move->setObjectName(QStringLiteral("menuMove"));
        move->menuAction()->setEnabled(moveAllowed);
        AddItem(move, QStringLiteral("Next"), "menuMoveNext", moveAllowed, this,
                [this] { MoveClipboard(false); });
        AddItem(move, QStringLiteral("Previously"), "menuMovePrevious", moveAllowed, this,
                [this] { MoveClipboard(true); });
    }
    if (!traits.sortLabels.empty()) {
        QMenu* sort = top->addMenu(QStringLiteral("Sort"));
        sort->setObjectName(QStringLiteral("menuSort"));
        const SortOrder current = DecodeSortState(database_->GetSortState(kind_)).order;
        for (size_t i = 0; i < traits.sortLabels.size(); ++i) {
            const auto order = static_cast<SortOrder>(i + 1);
            const QByteArray name = QStringLiteral("menuSort%1").arg(i + 1).toLatin1();
            QAction* item = AddItem(sort, QString::fromLatin1(traits.sortLabels[i]),
                                    name.constData(), true, this, [this, order] { Sort(order); });
            item->setCheckable(true);
            item->setChecked(order == current);
        }
    }
    if (traits.favoriteGroups) AddFavoriteMenus(top, onRow);
    top->addSeparator();
    AddItem(top, QStringLiteral("Export..."), "menuExport", true, this, [this] { ExportList(); });
    if (traits.update) {
        top->addSeparator();
        AddItem(top, QStringLiteral("Update"), "menuUpdate", onRow, this, [this] {
            if (database_ && UpdateSatellite(this, *database_, menuRow_)) RefreshAllLists();
        });
        AddItem(top, QStringLiteral("New from table..."), "menuNewFromTable", true, this, [this] {
            if (database_ && NewSatelliteFromTable(this, *database_)) RefreshAllLists();
        });
    }
    return menu;
}

void ListWindow::AddFavoriteMenus(QMenu* menu, bool onRow) {
    const std::vector<std::string> groups = FavoriteGroupNames(*database_);
    const bool enabled = onRow && !groups.empty();
    menu->addSeparator();
    for (const bool member : {true, false}) {
        QMenu* sub = menu->addMenu(member ? QStringLiteral("Add to favourite group")
                                          : QStringLiteral("Remove from favourite group"));
        sub->setObjectName(member ? QStringLiteral("menuAddToGroup")
                                  : QStringLiteral("menuRemoveFromGroup"));
        sub->menuAction()->setEnabled(enabled);
        for (size_t group = 0; group < groups.size(); ++group) {
            const QByteArray name =
                QStringLiteral("%1%2").arg(sub->objectName()).arg(group).toLatin1();
            AddItem(sub, QString::fromStdString(groups[group]), name.constData(), enabled, this,
                    [this, group, member] { SetFavoriteGroup(static_cast<int>(group), member); });
        }
    }
}

void ListWindow::SetFavoriteGroup(int group, bool member) {
    if (!database_) return;
    if (SetFavoriteMembership(*database_, kind_, control_->SelectedRows(), group, member) == 0)
        return;
    // The flag column of the channels and the groups' own list change.
    database_->RefreshKeepSelection(kind_, control_, 0);
    if (ListWindow* favorites = (*windows_)[kFavorite])
        database_->Refresh(kFavorite, favorites->control_);
    CommitAll();
}

}  // namespace brondavel::app
