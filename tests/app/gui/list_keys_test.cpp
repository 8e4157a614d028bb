// The keys of a list window's list: moving the current row, Delete, F2
// (rename in place), Enter, Alt+Up / Alt+Down and Ctrl+A, pressed on the list
// as a user does.
#include <QDialog>
#include <QScrollBar>
#include <QTest>

#include "app/lists/name_cell_editor.h"
#include "tests/app/gui/demo_list_windows.h"
#include "tests/app/support/message_box_answerer.h"

using namespace brondavel;
using brondavel::test::DemoListWindows;

namespace {

std::vector<int> Selected(DemoListWindows& w, int kind) {
    return w.Control(kind).SelectedRows();
}

void SetCurrent(DemoListWindows& w, int kind, int row) {
    w.Select(kind, {row});
    w.View(kind).setCurrentIndex(w.Control(kind).index(row, 1));
}

}  // namespace

class ListKeysTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { test::ForgetListRects(); }

    void keyMovesKeepTheCurrentRowInViewAndNarrowTheOtherWindows() {
        DemoListWindows w;
        w.Focus(kTv);
        app::ListView& tv = w.View(kTv);
        QTest::mouseClick(tv.viewport(), Qt::LeftButton, {},
                          tv.visualRect(w.Control(kTv).index(1, 2)).center());
        const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
            {Qt::Key_PageDown, {}},
            {Qt::Key_PageDown, {}},
            {Qt::Key_Down, {}},
            {Qt::Key_End, {}},
            {Qt::Key_PageUp, {}},
            {Qt::Key_Home, {}},
            {Qt::Key_End, Qt::ControlModifier},
            {Qt::Key_Home, Qt::ControlModifier}};
        for (auto [key, mods] : keys) {
            QTest::keyClick(&tv, key, mods);
            const QModelIndex current = tv.currentIndex();
            QVERIFY(current.isValid());
            QVERIFY(!tv.isColumnHidden(current.column()));
            QVERIFY(tv.viewport()->rect().contains(tv.visualRect(current)));
            QCOMPARE(Selected(w, kTv), std::vector<int>{current.row()});
            // The transponder window shows the channel's transponder selected.
            const Record* channel =
                w.db->list(kTv).FindById(w.db->list(kTv).IdOfRow(current.row()));
            const int tpRow =
                w.db->list(kTransponder).RowOfId(w.db->layout().TransponderRefOf(*channel));
            QCOMPARE(Selected(w, kTransponder), std::vector<int>{tpRow});
        }

        // Delete takes the row the user sees.
        QTest::keyClick(&tv, Qt::Key_PageDown);
        QTest::keyClick(&tv, Qt::Key_PageDown);
        const int row = tv.currentIndex().row();
        QVERIFY(tv.viewport()->rect().contains(tv.visualRect(tv.currentIndex())));
        std::vector<std::string> expected = w.AllNames(kTv);
        expected.erase(expected.begin() + row);
        QTest::keyClick(&tv, Qt::Key_Delete);
        QCOMPARE(w.AllNames(kTv), expected);
    }

    void aNarrowedListShowsItsFirstRow() {
        DemoListWindows w;
        w.Window(kSatellite).show();
        w.Window(kTransponder).show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.Window(kTransponder)));
        QScrollBar* bar = w.View(kTransponder).verticalScrollBar();
        bar->setValue(bar->maximum());
        QVERIFY(bar->value() > 0);
        w.Select(kSatellite, {1});
        w.Window(kSatellite).ClickRow(1);
        QCOMPARE(bar->value(), 0);
    }

    void deleteRemovesTheSelectionWhereRecordsCanBeDeleted() {
        DemoListWindows w;
        std::vector<std::string> expected = w.AllNames(kTv);
        w.Select(kTv, {1, 3});
        QTest::keyClick(&w.View(kTv), Qt::Key_Delete);
        expected.erase(expected.begin() + 3);
        expected.erase(expected.begin() + 1);
        QCOMPARE(w.AllNames(kTv), expected);
        // Ctrl+A selects every row, and the database deletes what is selected.
        w.Select(kRadio, {3});
        QTest::keyClick(&w.View(kRadio), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(static_cast<int>(Selected(w, kRadio).size()), w.Rows(kRadio));
        QTest::keyClick(&w.View(kRadio), Qt::Key_Delete);
        QCOMPARE(w.db->Count(kRadio), 0);
        // Favourite groups are always the sixteen.
        w.Select(kFavorite, {0});
        QTest::keyClick(&w.View(kFavorite), Qt::Key_Delete);
        QCOMPARE(w.db->list(kFavorite).Count(), 16);
    }

    void f2RenamesTheWholeStoredNameInPlace() {
        DemoListWindows w;
        w.Focus(kTv);
        // Row 4 holds an Arabic name, longer in bytes than a row shows.
        SetCurrent(w, kTv, 4);
        const std::string arabic = w.Names(kTv)[4];
        QTest::keyClick(&w.View(kTv), Qt::Key_F2);
        app::NameCellEditor* editor = w.Window(kTv).RenameEditor();
        QVERIFY(editor);
        QCOMPARE(editor->text(), QString::fromStdString(arabic));
        QVERIFY(editor->hasFocus());

        editor->clear();
        QTest::keyClicks(editor, "Sport Plus");
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!w.Window(kTv).RenameEditor());
        QCOMPARE(w.Names(kTv)[4], std::string("Sport Plus"));
        QCOMPARE(Selected(w, kTv), std::vector<int>{4});
        QCOMPARE(w.db->UndoLabel(), std::string("Rename TV Channel"));
        QVERIFY(w.View(kTv).hasFocus());

        // Esc gives up, and so does a refill of the list under the editor.
        QTest::keyClick(&w.View(kTv), Qt::Key_F2);
        QTest::keyClicks(w.Window(kTv).RenameEditor(), "Other");
        QTest::keyClick(w.Window(kTv).RenameEditor(), Qt::Key_Escape);
        QVERIFY(!w.Window(kTv).RenameEditor());
        QTest::keyClick(&w.View(kTv), Qt::Key_F2);
        w.Window(kTv).RefreshList();
        QVERIFY(!w.Window(kTv).RenameEditor());
        QTest::keyClick(&w.View(kTv), Qt::Key_F2);
        w.View(kTv).verticalScrollBar()->setValue(w.View(kTv).verticalScrollBar()->value() + 3);
        QVERIFY(!w.Window(kTv).RenameEditor());
        QCOMPARE(w.Names(kTv)[4], std::string("Sport Plus"));
        QVERIFY(w.Window(kTv).isVisible());  // Esc in the editor never closes the window
    }

    void f2SaysWhatItRefusedOrCouldNotKeep() {
        DemoListWindows w;
        w.Focus(kTv);
        SetCurrent(w, kTv, 2);
        const std::string before = w.Names(kTv)[2];
        {
            test::MessageBoxAnswerer answerer;
            QTest::keyClick(&w.View(kTv), Qt::Key_F2);
            w.Window(kTv).RenameEditor()->clear();
            QTest::keyClick(w.Window(kTv).RenameEditor(), Qt::Key_Return);
            QVERIFY(answerer.Saw("Rename", "A name cannot be empty."));
        }
        QCOMPARE(w.Names(kTv)[2], before);
        QCOMPARE(w.db->modified, 0u);
        {
            test::MessageBoxAnswerer answerer;
            QTest::keyClick(&w.View(kTv), Qt::Key_F2);
            w.Window(kTv).RenameEditor()->setText("A name far too long for it");
            QTest::keyClick(w.Window(kTv).RenameEditor(), Qt::Key_Return);
            QVERIFY(answerer.SawPart("\"A name far too \" (cut to the field's limit)"));
        }
        QCOMPARE(w.Names(kTv)[2], std::string("A name far too "));
    }

    void windowsGoAwayWithTheEditorOpen() {
        auto w = std::make_unique<DemoListWindows>();
        w->Focus(kRadio);
        SetCurrent(*w, kRadio, 1);
        QTest::keyClick(&w->View(kRadio), Qt::Key_F2);
        QVERIFY(w->Window(kRadio).RenameEditor());
        QVERIFY(w->Window(kRadio).RenameEditor()->hasFocus());
        w.reset();  // the editor loses its focus while the window is torn down
    }

    void enterOpensTheEditDialogOfTheCurrentRow() {
        DemoListWindows w;
        SetCurrent(w, kTv, 5);
        QString opened;
        test::OnNextModal([&](QWidget* modal) {
            opened = modal->metaObject()->className();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        });
        QTest::keyClick(&w.View(kTv), Qt::Key_Return);
        QVERIFY2(!opened.isEmpty(), "no dialog opened");
        QCOMPARE(w.db->modified, 0u);
    }

    void altUpAndDownMoveTheSelectionAndKeepIt() {
        DemoListWindows w;
        const std::vector<std::string> before = w.Names(kTv);
        w.Select(kTv, {2, 3, 6});
        QTest::keyClick(&w.View(kTv), Qt::Key_Up, Qt::AltModifier);
        std::vector<std::string> up = before;
        std::rotate(up.begin() + 1, up.begin() + 2, up.begin() + 4);
        std::swap(up[5], up[6]);
        QCOMPARE(w.Names(kTv), up);
        QCOMPARE(Selected(w, kTv), (std::vector<int>{1, 2, 5}));
        QTest::keyClick(&w.View(kTv), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(w.Names(kTv), before);
        QCOMPARE(Selected(w, kTv), (std::vector<int>{2, 3, 6}));
    }
};

QTEST_MAIN(ListKeysTest)
#include "list_keys_test.moc"
