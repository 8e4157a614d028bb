// The editor's comforts on the panel: undo and redo from the keyboard and the
// File menu, the original kept on the first save, recent files, a reference
// order, save questions that can go back, and File -> "Print..." and
// "Export PDF..." (the options asked first, the preview, the PDF written).
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QMenu>
#include <QtTest>

#include "app/lists/list_view.h"
#include "app/lists/list_view_control.h"
#include "app/print/print_commands.h"
#include "app/settings/registry_value.h"
#include "tests/app/support/message_box_answerer.h"
#include "tests/app/support/panel_test_support.h"

using namespace brondavel;
using namespace brondavel::test;
using app::MainPanel;

namespace {

constexpr int kNameColumn = 2;

QAction* Item(QMenu& menu, const char* name) {
    return menu.findChild<QAction*>(name);
}

QStringList Names(MainPanel& panel, int kind) {
    auto* control = static_cast<app::ListViewControl*>(panel.Window(kind)->Control());
    control->Commit();
    QStringList names;
    for (int row = 0; row < control->RowCount(); ++row) names << control->Text(row, kNameColumn);
    return names;
}

QStringList SelectedNames(MainPanel& panel, int kind) {
    auto* control = static_cast<app::ListViewControl*>(panel.Window(kind)->Control());
    QStringList names;
    for (int row : control->SelectedRows()) names << control->Text(row, kNameColumn);
    return names;
}

// Keys go where a user's would: to the focused list of an active window.
void Press(QWidget* window, QWidget* target, int key, Qt::KeyboardModifiers modifiers) {
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

// Answers the options asked first with the TV list only.
void ChooseTvOnly(QWidget* ask) {
    if (auto* lists = ask->findChild<QComboBox*>("sheetLists")) lists->setCurrentText("TV");
    static_cast<QDialog*>(ask)->accept();
}

}  // namespace

class PanelComfortsTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSettings(); }

    void undoRedoAndFileKeys() {
        PanelOnPty p(true);
        MainPanel& panel = *p.panel;
        panel.show();
        app::ListWindow* tv = panel.Window(kTv);
        // The file keys from any window (at the end): Ctrl+S with changes
        // saves in place, without asking; Ctrl+O and Ctrl+Shift+S ask.
        int opens = 0, saves = 0;
        panel.SetPathChoosers({[&](const QString&) { return ++opens, QString(); },
                               [&](const QString&) { return ++saves, QString(); },
                               {}});
        const QStringList before = Names(panel, kTv);
        QVERIFY(before.size() > 2);
        tv->View()->selectRow(1);
        tv->ClickRow(1);
        const QStringList picked = SelectedNames(panel, kTv);
        QCOMPARE(picked.size(), 1);

        tv->Sort(SortOrder::kOriginal);
        QVERIFY(Names(panel, kTv) != before);

        // Ctrl+Z in the TV window undoes: the rows, the selection and the
        // clean state come back.
        Press(tv, tv->View(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Names(panel, kTv), before);
        QCOMPARE(SelectedNames(panel, kTv), picked);
        QCOMPARE(panel.File()->db().modified, 0u);

        // Ctrl+Y redoes, from the panel too; Ctrl+Shift+Z as well.
        Press(&panel, &panel, Qt::Key_Y, Qt::ControlModifier);
        const QStringList after = Names(panel, kTv);
        QVERIFY(after != before);
        QCOMPARE(panel.File()->db().modified, 1u);
        Item(*panel.BuildFileMenu(), "menuUndo")->trigger();
        QCOMPARE(Names(panel, kTv), before);
        Press(tv, tv->View(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Names(panel, kTv), after);
        QCOMPARE(panel.File()->db().modified, 1u);
        Press(&panel, &panel, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(saves, 0);
        QCOMPARE(panel.File()->db().modified, 0u);
        Press(tv, tv->View(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(opens, 1);
        Press(tv, tv->View(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(saves, 1);
    }

    void firstSaveKeepsTheOriginalAndRestoreBringsItBack() {
        PanelOnPty p(true);
        MainPanel& panel = *p.panel;
        const QByteArray original = ReadAll(p.demoPath);
        const QString backup = p.demoPath + ".bak";

        panel.Window(kTv)->Sort(SortOrder::kOriginal);
        panel.OnSave();
        QCOMPARE(ReadAll(backup), original);
        QVERIFY(ReadAll(p.demoPath) != original);

        // "Restore original" asks, puts the original back and reopens it.
        {
            MessageBoxAnswerer boxes({QMessageBox::No});
            panel.OnRestoreOriginal();
            QVERIFY(boxes.SawPart(backup));
        }
        {
            MessageBoxAnswerer boxes({QMessageBox::Yes});
            panel.OnRestoreOriginal();
        }
        QCOMPARE(ReadAll(p.demoPath), original);
        QCOMPARE(panel.File()->db().modified, 0u);
        QCOMPARE(panel.PathText(), p.demoPath);

        // A save that cannot keep the original does not save.
        PanelOnPty other(true);
        QVERIFY(QDir().mkdir(other.demoPath + ".bak"));
        const QByteArray untouched = ReadAll(other.demoPath);
        other.panel->Window(kTv)->Sort(SortOrder::kOriginal);
        MessageBoxAnswerer refused;
        other.panel->OnSave();
        QVERIFY(refused.SawPart("demo.ZCS.bak"));
        QCOMPARE(ReadAll(other.demoPath), untouched);
        QCOMPARE(other.panel->File()->db().modified, 1u);
    }

    // How many the list keeps is the list's rule; here the menu shows it,
    // newest first, and it outlives the panel.
    void recentFilesOutliveThePanel() {
        QTemporaryDir dir;
        const QStringList paths{dir.filePath("db0.ZCS"), dir.filePath("db1.ZCS")};
        for (const QString& path : paths)
            QVERIFY(QFile::copy(QString::fromStdString(DemoDatabasePath()), path));
        {
            PanelOnPty p;
            for (const QString& path : paths) QVERIFY(p.panel->OpenFile(path));
        }
        PanelOnPty p;
        auto menu = p.panel->BuildFileMenu();
        QCOMPARE(Item(*menu, "recentFile1")->data().toString(), paths[1]);
        Item(*menu, "recentFile2")->trigger();
        QCOMPARE(p.panel->PathText(), paths[0]);

        // A file that is gone says so and leaves the list.
        QVERIFY(QFile::remove(paths[1]));
        MessageBoxAnswerer boxes;
        Item(*p.panel->BuildFileMenu(), "recentFile2")->trigger();
        QVERIFY(boxes.SawPart("no longer exists"));
        QCOMPARE(p.panel->PathText(), paths[0]);
        QCOMPARE(p.panel->RecentPaths().size(), size_t{1});

        // An "&" of a path is shown, not taken as the item's shortcut letter.
        const QString ampersand = dir.filePath("R&D.ZCS");
        QVERIFY(QFile::copy(QString::fromStdString(DemoDatabasePath()), ampersand));
        QVERIFY(p.panel->OpenFile(ampersand));
        QVERIFY(Item(*p.panel->BuildFileMenu(), "recentFile1")->text().endsWith("/R&&D.ZCS"));
    }

    void referenceOrderComesBackWithCounts() {
        PanelOnPty p(true);
        MainPanel& panel = *p.panel;
        const QStringList original = Names(panel, kTv);
        // The reference: the demo as it was; the open file gets another order.
        const QString reference = p.dir.filePath("reference.ZCS");
        QVERIFY(QFile::copy(p.demoPath, reference));
        panel.Window(kTv)->Sort(SortOrder::kOriginal);
        QVERIFY(Names(panel, kTv) != original);
        QString chosen = reference;
        panel.SetPathChoosers({[&](const QString&) { return chosen; }, {}, {}});
        {
            MessageBoxAnswerer boxes({QMessageBox::No});
            panel.OnApplyOrder();
            QCOMPARE(Names(panel, kTv), original);
            const int channels = original.size() + Names(panel, kTv + 1).size();
            QVERIFY(boxes.SawPart(QString("%1 matched by satellite").arg(channels)));
        }
        QCOMPARE(Item(*panel.BuildFileMenu(), "menuUndo")->text(), QString("Undo Apply Order"));

        // A reference that is no database says why.
        const QString junk = p.dir.filePath("junk.bin");
        QVERIFY(WriteAll(junk, "junk"));
        chosen = junk;
        MessageBoxAnswerer failed;
        panel.OnApplyOrder();
        QVERIFY(failed.SawPart(junk));
    }

    // The question before a read and before closing: No to the read reads
    // nothing, Cancel on closing goes back to the editor.
    void saveQuestionsCanGoBack() {
        PanelOnPty p(true);
        MainPanel& panel = *p.panel;
        panel.show();
        panel.Window(kTv)->Sort(SortOrder::kOriginal);
        bool asked = false;
        panel.SetPathChoosers({{}, {}, [&] { return asked = true, p.dir.path(); }});
        {
            MessageBoxAnswerer boxes({QMessageBox::No});
            panel.OnReadFromReceiver();
            QVERIFY(boxes.SawOnly("Message", "Save change to File ?"));
        }
        QVERIFY(!asked);
        QCOMPARE(panel.TransferState(), app::TransferPhase::kIdle);
        {
            MessageBoxAnswerer boxes({QMessageBox::Cancel});
            QVERIFY(!panel.close());
            QVERIFY(boxes.Saw("Message", "Save change to File ?"));
        }
        QVERIFY(panel.isVisible());
        QCOMPARE(panel.File()->db().modified, 1u);
        const QByteArray before = ReadAll(p.demoPath);
        MessageBoxAnswerer boxes({QMessageBox::No});
        QVERIFY(panel.close());
        QCOMPARE(ReadAll(p.demoPath), before);
    }

    void exportPdfWritesTheChosenFileAndPrintPreviews() {
        MainPanel panel(DemoPanelOptions());
        QTemporaryDir dir;
        QString chosen = dir.filePath("channels");
        panel.SetPathChoosers({{}, [&](const QString&) { return chosen; }, {}});
        OnNextModal(ChooseTvOnly);
        Item(*panel.BuildFileMenu(), "menuExportPdf")->trigger();
        QVERIFY(ReadAll(dir.filePath("channels.pdf")).startsWith("%PDF-"));

        // A folder that does not exist: a message, not silence.
        chosen = dir.filePath("missing/channels.pdf");
        {
            MessageBoxAnswerer answers;
            OnNextModal(ChooseTvOnly);
            Item(*panel.BuildFileMenu(), "menuExportPdf")->trigger();
            QVERIFY(answers.SawPart("Cannot write"));
        }

        bool previewed = false;
        OnNextModal([&](QWidget* ask) {
            OnNextModal([&](QWidget* preview) {
                previewed = qobject_cast<app::ChannelSheetPreview*>(preview);
                static_cast<QDialog*>(preview)->reject();
            });
            static_cast<QDialog*>(ask)->accept();
        });
        Item(*panel.BuildFileMenu(), "menuPrint")->trigger();
        QVERIFY(previewed);
    }
};

QTEST_MAIN(PanelComfortsTest)
#include "panel_comforts_test.moc"
