// The list windows: menus and their greying, deletion with its question and
// refresh rules, undo, favourite groups, the letter buttons, numbering,
// right-to-left names, resizing and placement.
#include <QDialog>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "app/lists/letter_button.h"
#include "app/lists/list_rect_store.h"
#include "model/record_rename.h"
#include "tests/app/gui/list_windows_fixture.h"
#include "tests/app/support/gui_test_support.h"
#include "tests/app/support/message_box_answerer.h"

using namespace brondavel;
using brondavel::test::ListWindows;

namespace {

QAction* Item(QMenu* menu, const char* name) {
    return menu->findChild<QAction*>(QString::fromLatin1(name));
}

// Deletes the selection of a window, answering its question; what it asked
// ("caption: text").
QString DeleteAnswering(ListWindows& w, int kind, QMessageBox::StandardButton answer) {
    test::MessageBoxAnswerer boxes({answer});
    w.Window(kind).DeleteSelection();
    return boxes.seen().empty() ? QString() : boxes.seen()[0].caption + ": " + boxes.seen()[0].text;
}

}  // namespace

class ListWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { test::ForgetListRects(); }

    void emptyAreaMenuOffersOnlyToggleNewAndSorts() {
        ListWindows w;
        w.ShowSmall();
        for (int kind : {0, 1, 2}) {
            auto menu = w.Window(kind).PrepareContextMenu(-1);
            if (kind != 2) QVERIFY(Item(menu.get(), "menuActive")->isEnabled());
            QVERIFY(Item(menu.get(), "menuNew")->isEnabled());
            QVERIFY(Item(menu.get(), "menuSort1")->isChecked());
            for (const char* item : {"menuEdit", "menuDelete", "menuMoveNext", "menuMovePrevious"})
                QVERIFY2(!Item(menu.get(), item)->isEnabled(), item);
        }
        QVERIFY(!Item(w.Window(0).PrepareContextMenu(-1).get(), "menuUpdate")->isEnabled());
        // Without a database there is no menu at all.
        ListWindows empty;
        QVERIFY(!empty.Window(0).PrepareContextMenu(-1));
    }

    void moveIsOfferedOnlyForARowOutsideTheClipboard() {
        ListWindows w;
        w.ShowSmall();
        // An empty clipboard.
        auto menu = w.Window(0).PrepareContextMenu(2);
        QVERIFY(Item(menu.get(), "menuDelete")->isEnabled());
        QVERIFY(!Item(menu.get(), "menuMoveNext")->isEnabled());

        // S0 picked up by a click; a right click on it again keeps Move grey.
        w.Select(0, {0});
        w.Window(0).ClickRow(0);
        QCOMPARE(w.db.ClipboardCount(kSatellite), 1);
        menu = w.Window(0).PrepareContextMenu(0);
        QVERIFY(!Item(menu.get(), "menuMoveNext")->isEnabled());

        // On S2 Move is offered, and Next puts S0 after S2.
        menu = w.Window(0).PrepareContextMenu(2);
        QVERIFY(Item(menu.get(), "menuMoveNext")->isEnabled());
        QVERIFY(Item(menu.get(), "menuMovePrevious")->isEnabled());
        Item(menu.get(), "menuMoveNext")->trigger();
        QCOMPARE(w.Names(0), QStringList({"S1", "S2", "S0"}));
        QCOMPARE(w.Control(0).SelectedRows(), std::vector<int>{2});  // the moved row
        QCOMPARE(w.db.ClipboardCount(kSatellite), 0);
    }

    void deletingASatelliteRefillsAllListsAChannelOnlyItsOwn() {
        ListWindows w;
        w.ShowSmall();
        std::vector<std::unique_ptr<QSignalSpy>> resets, inserts;
        for (int kind = 0; kind < 5; ++kind) {
            resets.push_back(
                std::make_unique<QSignalSpy>(&w.Control(kind), &QAbstractItemModel::modelReset));
            inserts.push_back(
                std::make_unique<QSignalSpy>(&w.Control(kind), &QAbstractItemModel::rowsInserted));
        }
        auto counts = [&] {
            QList<int> n;
            for (auto& spy : resets) n << static_cast<int>(spy->count());
            for (auto& spy : resets) spy->clear();
            return n;
        };

        w.Select(kTv, {1});
        w.Window(kTv).DeleteSelection();
        QCOMPARE(counts(), QList<int>({0, 0, 1, 0, 0}));
        QCOMPARE(w.Names(kTv), QStringList({"c0", "c2", "c3"}));

        // S0 takes T0, T1 and their channels along, once the user agrees;
        // then one reset per list.
        w.Select(kSatellite, {0});
        QCOMPARE(DeleteAnswering(w, kSatellite, QMessageBox::No),
                 QString("Delete: Delete S0 with 2 transponders and 2 channels?"));
        QCOMPARE(w.db.Count(kSatellite), 3);
        DeleteAnswering(w, kSatellite, QMessageBox::Yes);
        QCOMPARE(counts(), QList<int>({1, 1, 1, 1, 1}));
        QCOMPARE(w.Names(kTv), QStringList({"c2", "c3"}));
        for (auto& spy : inserts) QCOMPARE(spy->count(), 0);  // rows arrive as one reset

        // A transponder takes its channels: lists 1 to 4.
        w.Select(kTransponder, {0});
        QCOMPARE(DeleteAnswering(w, kTransponder, QMessageBox::Yes),
                 QString("Delete: Delete T2 with 1 channel?"));
        QCOMPARE(counts(), QList<int>({0, 1, 1, 1, 1}));
        QCOMPARE(w.Names(kTv), QStringList({"c3"}));
    }

    void undoingASatelliteDeleteShowsEveryWindowsRowsAgain() {
        ListWindows w;
        w.ShowSmall();
        w.Select(kSatellite, {0});
        w.Window(kSatellite).ClickRow(0);  // narrows the others to S0
        DeleteAnswering(w, kSatellite, QMessageBox::Yes);
        const ListControls lists{&w.Control(kSatellite), &w.Control(kTransponder), &w.Control(kTv),
                                 &w.Control(kRadio)};
        for (int step = 0; step < 2; ++step) {
            QCOMPARE(step == 0 ? w.db.Undo(lists) : w.db.Redo(lists), 1);
            w.Window(kFavorite).AfterHistoryStep();
            // The filters that named S0's records are dropped: all rows show.
            for (int kind : {kSatellite, kTransponder, kTv, kRadio})
                QCOMPARE(w.Control(kind).rowCount(), w.db.Count(kind));
            QCOMPARE(w.Control(kTv).rowCount(), step == 0 ? 4 : 2);
        }
    }

    void favouriteGroupMenusActOnTheSelectionAsOneStep() {
        ListWindows w;
        w.ShowSmall();
        auto groups = [&](int row) {
            Record r;
            w.db.RowRecord(kTv, row, r);
            QList<bool> in;
            for (int g : {0, 3}) in << w.db.layout().IsFavoriteMember(r, g);
            return in;
        };
        w.Select(kTv, {0, 2});
        auto menu = w.Window(kTv).PrepareContextMenu(2);
        const size_t stepsBefore = w.db.undoHistory().StepCount();
        Item(menu.get(), "menuAddToGroup3")->trigger();
        QCOMPARE(groups(0) + groups(1) + groups(2),
                 QList<bool>({false, true, false, false, false, true}));
        QCOMPARE(w.Control(kTv).SelectedRows(), (std::vector<int>{0, 2}));
        QCOMPARE(w.db.undoHistory().StepCount(), stepsBefore + 1);

        w.Select(kTv, {0});
        menu = w.Window(kTv).PrepareContextMenu(0);
        Item(menu.get(), "menuRemoveFromGroup3")->trigger();
        QCOMPARE(groups(0), QList<bool>({false, false}));
        QCOMPARE(groups(2), QList<bool>({false, true}));
    }

    void narrowedListsNumberRowsInTheWholeListAndAlignRightToLeftNames() {
        ListWindows w;
        w.Load();
        test::FillSmall(w.db);
        test::AddAll(w.db, kTv, std::vector{test::Channel(3, "c4")});
        w.Show();
        QCOMPARE(RenameRow(w.db, kTv, 4, "\u0642\u0646\u0627\u0629").status,
                 RenameStatus::kRenamed);
        w.Select(kTransponder, {3});
        w.Window(kTransponder).ClickRow(3);  // T3: c3 and the Arabic one
        QCOMPARE(w.Control(kTv).rowCount(), 2);
        QCOMPARE(w.Control(kTv).Text(0, 1), QString("4"));
        QCOMPARE(w.Control(kTv).Text(1, 1), QString("5"));
        // The name's alignment and whether it is laid out right to left.
        auto layout = [&](int row) {
            const QModelIndex name = w.Control(kTv).index(row, 2);
            return std::pair(name.data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
                             name.data(app::kRightToLeftRole).toBool());
        };
        QCOMPARE(layout(0), std::pair(int(Qt::AlignLeft), false));
        QCOMPARE(layout(1), std::pair(int(Qt::AlignRight | Qt::AlignAbsolute), true));
    }

    void letterButtonsActAndFollowTheListState() {
        ListWindows w;
        w.Load();
        test::FillSmall(w.db);
        // An inactive satellite, so the active filter shows a difference.
        test::AddAll(w.db, kSatellite, std::vector{test::Sat(100, "Empty")});
        w.db.UpdateActiveMarks();
        w.Show();
        app::ListWindow& sat = w.Window(kSatellite);
        // Blank buttons and separators change and refresh nothing.
        QSignalSpy resets(&w.Control(kSatellite), &QAbstractItemModel::modelReset);
        const uint32_t sortBefore = w.db.GetSortState(kSatellite);
        for (int i : {0, 2, 5}) QTest::mouseClick(sat.Letter(i), Qt::LeftButton);
        for (int i : {0, 1, 2}) w.Window(kTv).ClickLetter(i);
        QCOMPARE(resets.count(), 0);
        QCOMPARE(w.db.GetSortState(kSatellite), sortBefore);

        // Sort order: "O" bold at the start, then "N" after a click on it.
        QVERIFY(sat.Letter(6)->Highlighted() && !sat.Letter(7)->Highlighted());
        QTest::mouseClick(sat.Letter(7), Qt::LeftButton);
        QCOMPARE(w.Names(kSatellite), QStringList({"Empty", "S0", "S1", "S2"}));
        QVERIFY(sat.Letter(7)->Highlighted() && !sat.Letter(6)->Highlighted());

        // Active filter.
        QVERIFY(sat.Letter(3)->Highlighted() && !sat.Letter(4)->Highlighted());
        sat.ClickLetter(4);
        QCOMPARE(w.Names(kSatellite), QStringList({"S0", "S1", "S2"}));
        QVERIFY(sat.Letter(4)->Highlighted() && !sat.Letter(3)->Highlighted());

        // Show all: bold while no list is narrowed, in every window.
        QVERIFY(sat.Letter(1)->Highlighted() && w.Window(kTv).Letter(3)->Highlighted());
        w.Select(kSatellite, {1});
        sat.ClickRow(1);  // S1: narrows transponders and channels
        QCOMPARE(w.Names(kTransponder), QStringList({"T2"}));
        QVERIFY(!sat.Letter(1)->Highlighted() && !w.Window(kTv).Letter(3)->Highlighted());
        QVERIFY(!w.Window(kFavorite).Letter(5)->Highlighted());
        w.Window(kTv).ClickLetter(3);
        QCOMPARE(w.Names(kTransponder).size(), 4);
        QVERIFY(sat.Letter(1)->Highlighted());
        QVERIFY(w.Window(kFavorite).Letter(5)->Highlighted());
    }

    void editDialogsOpenWhereTheyExistAndSaveRefreshes() {
        ListWindows w;
        w.ShowSmall();
        QSignalSpy resets(&w.Control(kTv), &QAbstractItemModel::modelReset);
        w.Select(kTv, {1});
        QString opened;
        test::OnNextModal([&opened](QWidget* modal) {
            opened = modal->metaObject()->className();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->accept();
        });
        w.Window(kTv).DoubleClickRow(1);
        QVERIFY(!opened.isEmpty());
        QCOMPARE(resets.count(), 1);  // refilled once, the selection kept
        QCOMPARE(w.Control(kTv).SelectedRows(), std::vector<int>{1});

        // Favourites have no dialog: the call returns with no modal shown.
        opened.clear();
        test::OnNextModal(
            [&opened](QWidget* modal) {
                opened = modal->metaObject()->className();
                modal->close();
            },
            0);
        w.Window(kFavorite).DoubleClickRow(0);
        QVERIFY(opened.isEmpty());
    }

    void closeHidesTheWindow() {
        ListWindows w;
        app::ListWindow& tv = w.Window(kTv);
        tv.show();
        QSignalSpy closed(&tv, &app::ListWindow::closedByUser);
        QTest::mouseClick(tv.CloseButton(), Qt::LeftButton);
        QVERIFY(!tv.isVisible());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(closed.at(0).at(0).toInt(), kTv);
    }

    // The names column takes what the window grows by; the others keep theirs.
    void mainColumnFollowsTheWindowWidth() {
        ListWindows w;
        app::ListView& view = *w.Window(kTv).View();
        std::vector<int> widths;
        for (int c = 0; c < 3; ++c) widths.push_back(view.columnWidth(c));
        w.Window(kTv).MoveTo(w.Window(kTv).geometry().adjusted(0, 0, 68, 25));
        widths[app::TraitsOf(kTv).mainColumn] += 68;
        for (int c = 0; c < 3; ++c)
            if (!view.isColumnHidden(c)) QCOMPARE(view.columnWidth(c), widths[c]);
    }

    void windowsOpenWhereTheyWereStored() {
        {
            ListWindows w;
            w.Window(kTransponder).MoveTo(QRect(40, 50, 346, 175));
        }  // the windows store their rectangles as they close
        QCOMPARE(app::ReadListRect(kTransponder), std::optional<QRect>(QRect(40, 50, 346, 175)));
        app::WriteListRect(kRadio, QRect(700, 400, 312, 200));
        ListWindows again;
        QCOMPARE(again.Window(kTransponder).geometry(), QRect(40, 50, 346, 175));
        QCOMPARE(again.Window(kRadio).geometry(), QRect(700, 400, 312, 200));
    }
};

QTEST_MAIN(ListWindowTest)
#include "list_window_test.moc"
