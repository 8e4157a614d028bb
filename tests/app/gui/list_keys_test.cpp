// The keys of a list window's list, pressed on the list as a user does:
// moving the current row, Delete, F2 (rename in place), Enter, Alt+Up /
// Alt+Down, Ctrl+A and Ctrl+F (find); and "Export..." of the rows shown or of
// the whole kind. What a find leaves and what a file holds are the core's.
#include <QDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/lists/name_cell_editor.h"
#include "tests/app/gui/list_windows_fixture.h"
#include "tests/app/support/message_box_answerer.h"

using namespace brondavel;
using brondavel::test::DemoListWindows;
using Names = std::vector<std::string>;

namespace {

std::vector<int> Selected(DemoListWindows& w, int kind) {
    return w.Control(kind).SelectedRows();
}

void SetCurrent(DemoListWindows& w, int kind, int row) {
    w.Select(kind, {row});
    w.View(kind).setCurrentIndex(w.Control(kind).index(row, 1));
}

void Find(DemoListWindows& w, int kind, const QString& text) {
    if (!w.Window(kind).isActiveWindow()) w.Focus(kind);
    QTest::keyClick(&w.View(kind), Qt::Key_F, Qt::ControlModifier);
    QLineEdit* field = w.Window(kind).FindField();
    QVERIFY(field->isVisible());
    // Letters as a keyboard layout sends them, Arabic ones included.
    for (const QChar letter : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(letter), Qt::NoModifier);
}

void Export(DemoListWindows& w, int kind, const QString& path) {
    w.Window(kind).SetExportPathChooser([path](const QString&) { return path; });
    std::unique_ptr<QMenu> menu = w.Window(kind).PrepareContextMenu(-1);
    QAction* item = menu->findChild<QAction*>(QStringLiteral("menuExport"));
    QVERIFY(item && item->isEnabled());
    item->trigger();
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
            {Qt::Key_End, Qt::ControlModifier},
            {Qt::Key_PageUp, {}},
            {Qt::Key_Home, Qt::ControlModifier}};
        for (auto [key, mods] : keys) {
            QTest::keyClick(&tv, key, mods);
            const QModelIndex current = tv.currentIndex();
            QVERIFY(current.isValid() && !tv.isColumnHidden(current.column()));
            QVERIFY(tv.viewport()->rect().contains(tv.visualRect(current)));
            QCOMPARE(Selected(w, kTv), std::vector<int>{current.row()});
            // The transponder window shows the channel's transponder selected.
            const Record* channel =
                w.db->list(kTv).FindById(w.db->list(kTv).IdOfRow(current.row()));
            const int tpRow =
                w.db->list(kTransponder).RowOfId(w.db->layout().TransponderRefOf(*channel));
            QCOMPARE(Selected(w, kTransponder), std::vector<int>{tpRow});
        }
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
        Names expected = w.AllNames(kTv);
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
    }

    void f2RenamesTheWholeStoredNameInPlace() {
        DemoListWindows w;
        w.Focus(kTv);
        // Row 4 holds an Arabic name, longer in bytes than a row shows.
        SetCurrent(w, kTv, 4);
        const std::string arabic = w.Names(kTv)[4];
        QTest::keyClick(&w.View(kTv), Qt::Key_F2);
        app::NameCellEditor* editor = w.Window(kTv).RenameEditor();
        QVERIFY(editor && editor->hasFocus());
        QCOMPARE(editor->text(), QString::fromStdString(arabic));

        editor->clear();
        QTest::keyClicks(editor, "Sport Plus");
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!w.Window(kTv).RenameEditor());
        QCOMPARE(w.Names(kTv)[4], std::string("Sport Plus"));
        QCOMPARE(Selected(w, kTv), std::vector<int>{4});
        QCOMPARE(w.db->UndoLabel(), std::string("Rename TV Channel"));
        QVERIFY(w.View(kTv).hasFocus());

        // Esc gives up, and so does a refill or a scroll of the list under it.
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

    void enterOpensTheDialogAndF2SaysWhatItRefusedOrCouldNotKeep() {
        DemoListWindows w;
        w.Focus(kTv);
        SetCurrent(w, kTv, 2);
        const std::string before = w.Names(kTv)[2];
        // Enter opens the row's dialog; Cancel stores nothing.
        QString opened;
        test::OnNextModal([&](QWidget* modal) {
            opened = modal->metaObject()->className();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        });
        QTest::keyClick(&w.View(kTv), Qt::Key_Return);
        QVERIFY2(!opened.isEmpty(), "no dialog opened");
        QCOMPARE(w.db->modified, 0u);
        const std::tuple<const char*, const char*, std::string> cases[] = {
            {"", "A name cannot be empty.", before},
            {"A name far too long for it", "\"A name far too \" (cut to the field's limit)",
             "A name far too "}};
        for (const auto& [typed, told, stored] : cases) {
            test::MessageBoxAnswerer answerer;
            QTest::keyClick(&w.View(kTv), Qt::Key_F2);
            w.Window(kTv).RenameEditor()->setText(typed);
            QTest::keyClick(w.Window(kTv).RenameEditor(), Qt::Key_Return);
            QVERIFY2(answerer.SawPart(told), told);
            QCOMPARE(w.Names(kTv)[2], stored);
            QCOMPARE(w.db->modified != 0, stored != before);
        }

        // The windows go away with the editor open, and focused.
        w.Focus(kTv);
        QTest::keyClick(&w.View(kTv), Qt::Key_F2);
        QVERIFY(w.Window(kTv).RenameEditor()->hasFocus());
    }

    void altUpAndDownMoveTheSelectionAndKeepIt() {
        DemoListWindows w;
        const Names before = w.Names(kTv);
        w.Select(kTv, {2, 3, 6});
        QTest::keyClick(&w.View(kTv), Qt::Key_Up, Qt::AltModifier);
        Names up = before;
        std::rotate(up.begin() + 1, up.begin() + 2, up.begin() + 4);
        std::swap(up[5], up[6]);
        QCOMPARE(w.Names(kTv), up);
        QCOMPARE(Selected(w, kTv), (std::vector<int>{1, 2, 5}));
        QTest::keyClick(&w.View(kTv), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(w.Names(kTv), before);
        QCOMPARE(Selected(w, kTv), (std::vector<int>{2, 3, 6}));
    }

    void aTypedArabicWordLeavesTheMatchingRowsAndEscBringsAllBack() {
        DemoListWindows w;
        w.Focus(kTv);
        const Names all = w.Names(kTv);
        Names expected;
        for (const std::string& name : all)
            if (name.find("النيل") != std::string::npos) expected.push_back(name);
        QVERIFY(!expected.empty());
        Find(w, kTv, QStringLiteral("النيل"));
        QVERIFY(w.Window(kTv).FindField()->hasFocus());
        QCOMPARE(w.Names(kTv), expected);

        // Esc closes the find, not the window, and shows every row.
        QTest::keyClick(w.Window(kTv).FindField(), Qt::Key_Escape);
        QVERIFY(!w.Window(kTv).FindField()->isVisible());
        QVERIFY(w.Window(kTv).isVisible() && w.View(kTv).hasFocus());
        QCOMPARE(w.Names(kTv), all);

        // The database given again (a save, a transfer) shows every row.
        Find(w, kTv, QStringLiteral("News"));
        QVERIFY(w.Rows(kTv) < static_cast<int>(all.size()));
        w.Show(w.db.get());
        QVERIFY(w.Window(kTv).FindField()->isHidden());
        QCOMPARE(w.Names(kTv), all);
    }

    void exportWritesTheRowsShownOrAllOfTheKind() {
        DemoListWindows w;
        QTemporaryDir dir;
        auto lines = [&dir](const char* name) {
            return QString::fromUtf8(test::ReadAll(dir.filePath(name)))
                .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        };
        Find(w, kTv, QStringLiteral("News"));
        const int shown = w.Rows(kTv);
        const int all = w.db->Count(kTv);
        QVERIFY(shown > 0 && shown < all);
        {
            test::MessageBoxAnswerer answerer({QMessageBox::Yes});
            Export(w, kTv, dir.filePath("shown.csv"));
            QVERIFY(answerer.SawPart(QString("shows %1 of the %2 rows").arg(shown).arg(all)));
        }
        QCOMPARE(lines("shown.csv").size(), 1 + shown);
        QVERIFY(lines("shown.csv").last().contains(QString::fromStdString(w.Names(kTv).back())));
        {
            test::MessageBoxAnswerer answerer({QMessageBox::No});
            Export(w, kTv, dir.filePath("all.JSON"));
        }
        QCOMPARE(QJsonDocument::fromJson(test::ReadAll(dir.filePath("all.JSON"))).array().size(),
                 all);
        {
            test::MessageBoxAnswerer answerer({QMessageBox::Cancel});
            Export(w, kTv, dir.filePath("never.csv"));
        }
        QVERIFY(!QFile::exists(dir.filePath("never.csv")));

        // A list shown whole is exported without asking; a failed export says
        // why: the path, then the reason.
        QVERIFY(QDir(dir.path()).mkdir("folder.csv"));
        test::MessageBoxAnswerer answerer;
        Export(w, kRadio, dir.filePath("folder.csv"));
        const QString told = "exported to " + dir.filePath("folder.csv") + ": ";
        QVERIFY(answerer.SawOnly("Export", told));
        QVERIFY(!answerer.seen()[0].text.endsWith(told));
    }
};

QTEST_MAIN(ListKeysTest)
#include "list_keys_test.moc"
