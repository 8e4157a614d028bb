// The main panel without a receiver: start-up and stored settings, the status
// line, the File commands with their greying and failures, and the about box.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSettings>
#include <QToolButton>
#include <QtTest>

#include "app/dialogs/about_dialog.h"
#include "app/settings/registry_value.h"
#include "tests/app/support/message_box_answerer.h"
#include "tests/app/support/panel_test_support.h"

using namespace brondavel;
using namespace brondavel::test;
using app::kRegistryKeyPath;
using app::MainPanel;
using app::RegistryValue;

namespace {

const char* const kIdle = "Ver 2.13-8C5AS2-RCIU-S ( 2009.02.18. )";
const int kToggles[5] = {1004, 1002, 1005, 1003, 1009};

RegistryValue Flag(const char* name) {
    return RegistryValue(RegistryValue::kBoolean, kRegistryKeyPath, name);
}

bool Enabled(QMenu& menu, int id) {
    return menu.findChild<QAction*>(QString("id%1").arg(id))->isEnabled();
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

}  // namespace

class PanelTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { EnsureRuntimeFolder(); }
    void init() { ResetSettings(); }

    void startsWithDefaultsAndWritesThemBack() {
        PanelOnPty p;
        MainPanel& panel = *p.panel;
        panel.show();
        QCOMPARE(panel.StatusText(), QString(kIdle));
        QCOMPARE(panel.pos(), QPoint(3, 3));
        QCOMPARE(panel.ModelType(), 2);
        QCOMPARE(panel.FlashType(), 3);
        QCOMPARE(panel.CompressMode(), 2);
        QCOMPARE(panel.Account(), 0);
        int stored = -1;
        QVERIFY(
            RegistryValue(RegistryValue::kInteger, kRegistryKeyPath, "Model_Type").Read(&stored));
        QCOMPARE(stored, 0);
        for (int kind = 0; kind < 4; ++kind) {
            QVERIFY(panel.WindowShown(kind));
            QVERIFY(ById<QToolButton>(&panel, kToggles[kind])->isChecked());
            QVERIFY(panel.Window(kind)->isVisible());
        }
        QVERIFY(!panel.WindowShown(4));
        QVERIFY(ById(&panel, 1009)->isHidden());
        QVERIFY(!panel.Window(4)->isVisible());
        for (int hidden : {1006, 1008, 57670, 1035}) QVERIFY(ById(&panel, hidden)->isHidden());
        QCOMPARE(ById(&panel, 1004)->toolTip(), QString("Satellite Window"));

        // The toggle hides its window; closing writes position and flags back.
        ById<QToolButton>(&panel, 1002)->click();
        QVERIFY(!panel.Window(1)->isVisible());
        panel.move(-8, 20);
        QVERIFY(panel.close());
        QSettings ini(app::RegistryFilePath(), QSettings::IniFormat);
        ini.beginGroup(kRegistryKeyPath);
        QCOMPARE(ini.value("MAIN_POS").toString(), QString("(-8,20)"));
        bool shown = true;
        QVERIFY(Flag("TP_VIEW").Read(&shown));
        QVERIFY(!shown);
        QVERIFY(Flag("SAT_VIEW").Read(&shown));
        QVERIFY(shown);
    }

    void honoursStoredSettings() {
        // A negative coordinate (a monitor left of the main one) survives.
        QVERIFY(RegistryValue(RegistryValue::kPoint, kRegistryKeyPath, "MAIN_POS")
                    .Write(QPoint(-8, 20)));
        QVERIFY(RegistryValue(RegistryValue::kInteger, kRegistryKeyPath, "Model_Type").Write(5));
        QVERIFY(Flag("FAV_VIEW").Write(true));
        QVERIFY(Flag("RADIO_VIEW").Write(false));
        PanelOnPty p;
        MainPanel& panel = *p.panel;
        panel.show();
        QCOMPARE(panel.pos(), QPoint(-8, 20));
        QCOMPARE(panel.ModelSetting(), 0);
        QCOMPARE(panel.ModelType(), 2);
        QVERIFY(!panel.WindowShown(4));
        QVERIFY(!panel.Window(4)->isVisible());
        QVERIFY(!panel.WindowShown(3));
        QVERIFY(!ById<QToolButton>(&panel, 1003)->isChecked());
        QVERIFY(panel.WindowShown(2));
    }

    void statusLineReportsThePort() {
        {
            // Another program holds the device.
            linktest::Pty pty;
            link::AssignPortDevice(9, pty.path);
            link::SerialPort holder;
            holder.SetPortNumber(9);
            QVERIFY(holder.Open(false));
            app::PanelOptions options;
            options.portDevice = QString::fromStdString(pty.path);
            MainPanel panel(options);
            QCOMPARE(panel.StatusText(), QString("Disconnect !!! ( Another Comm Program Exit )"));
            // The 5-second refresh retries the port once it is free, and
            // shows it in the same tick.
            holder.Close();
            panel.RefreshStatus();
            QVERIFY(panel.Link().Port().IsOpen());
            QCOMPARE(panel.StatusText(), QString(kIdle));
            link::AssignPortDevice(9, "");
        }
        app::PanelOptions gone;
        gone.portDevice = "/nonexistent/ttyBrondavel";
        MainPanel panel(gone);
        QCOMPARE(panel.StatusText(), QString("Disconnect !!! ( Port Resetting )"));
    }

    void openSaveAsAndMenuGreying() {
        PanelOnPty p;
        MainPanel& panel = *p.panel;
        auto empty = panel.BuildFileMenu();
        QVERIFY(Enabled(*empty, 32813));
        QVERIFY(Enabled(*empty, 32814));
        QVERIFY(!Enabled(*empty, 32815));
        QVERIFY(!Enabled(*empty, 32816));
        QVERIFY(!Enabled(*empty, 32817));

        const QString demo = p.dir.filePath("demo.ZCS");
        QFile::copy(QString::fromStdString(DemoDatabasePath()), demo);
        QString filterAsked;
        app::PathChoosers choosers;
        choosers.openFile = [&](const QString& filter) {
            filterAsked = filter;
            return demo;
        };
        choosers.saveFile = [&](const QString&) { return p.dir.filePath("copy"); };
        panel.SetPathChoosers(choosers);
        panel.OnOpen();
        QVERIFY(filterAsked.contains("*.zcs"));
        QVERIFY(panel.File() && panel.File()->headerValid());
        QCOMPARE(panel.PathText(), demo);
        for (int kind = 0; kind < 5; ++kind)
            QCOMPARE(panel.Window(kind)->Database(), &panel.File()->db());
        auto loaded = panel.BuildFileMenu();
        QVERIFY(!Enabled(*loaded, 32815));  // nothing changed yet
        QVERIFY(Enabled(*loaded, 32816));
        QVERIFY(Enabled(*loaded, 32817));
        panel.File()->db().modified = 1;
        QVERIFY(Enabled(*panel.BuildFileMenu(), 32815));

        // "Save as" adds the model's extension and moves the path along.
        panel.OnSaveAs();
        const QString copy = p.dir.filePath("copy.ZCS");
        QCOMPARE(panel.PathText(), copy);
        QCOMPARE(panel.File()->db().modified, 0u);
        QCOMPARE(ReadAll(copy).size(), 336000);
    }

    void unreadableAndForeignFilesSaySo() {
        PanelOnPty p(true);
        MainPanel& panel = *p.panel;
        DatabaseFile* demo = panel.File();
        QVERIFY(demo);
        {
            // A file that cannot be read leaves the database that is loaded.
            MessageBoxAnswerer boxes;
            const QString missing = p.dir.filePath("missing.ZCS");
            QVERIFY(!panel.OpenFile(missing));
            QCOMPARE(boxes.seen().size(), size_t{1});
            QCOMPARE(boxes.seen()[0].caption, QString("Error"));
            QVERIFY(boxes.seen()[0].text.contains(missing));
            QCOMPARE(panel.File(), demo);
            QCOMPARE(panel.Window(2)->Database(), &demo->db());
            QCOMPARE(panel.PathText(), p.demoPath);
        }
        // A file of another kind opens empty, with a message...
        const QString foreign = p.dir.filePath("notes.bin");
        const QByteArray foreignBytes(336000, 'x');
        {
            QFile f(foreign);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(foreignBytes);
        }
        MessageBoxAnswerer boxes({QMessageBox::Ok, QMessageBox::No});
        QVERIFY(panel.OpenFile(foreign));
        QVERIFY(!panel.File()->headerValid());
        QVERIFY(boxes.SawPart("not a database of the configured model"));
        // ...and "Save" over it asks first; No keeps the file and the changes.
        panel.File()->db().modified = 1;
        panel.OnSave();
        QTRY_COMPARE(boxes.seen().size(), size_t{2});
        QVERIFY(boxes.seen()[1].text.contains("Replace"));
        QCOMPARE(ReadAll(foreign), foreignBytes);
        QCOMPARE(panel.File()->db().modified, 1u);
    }

    void failedSaveKeepsTheChanges() {
        PanelOnPty p(true);
        MainPanel& panel = *p.panel;
        app::PathChoosers choosers;
        choosers.saveFile = [](const QString&) { return QString("/nonexistent-dir/x.ZCS"); };
        panel.SetPathChoosers(choosers);
        panel.File()->db().modified = 1;
        MessageBoxAnswerer boxes;
        panel.OnSaveAs();
        QCOMPARE(boxes.seen().size(), size_t{1});
        QCOMPARE(boxes.seen()[0].caption, QString("Error"));
        QVERIFY(boxes.seen()[0].text.contains("/nonexistent-dir/x.ZCS"));
        QCOMPARE(panel.File()->db().modified, 1u);
        QCOMPARE(panel.PathText(), p.demoPath);
    }

    void readAnsweredNoDoesNothing() {
        PanelOnPty p(true);
        MainPanel& panel = *p.panel;
        bool asked = false;
        app::PathChoosers choosers;
        choosers.folder = [&] {
            asked = true;
            return p.dir.path();
        };
        panel.SetPathChoosers(choosers);
        panel.File()->db().modified = 1;
        MessageBoxAnswerer boxes({QMessageBox::No});
        const QByteArray before = ReadAll(p.demoPath);
        panel.OnReadFromReceiver();
        QCOMPARE(boxes.seen().size(), size_t{1});
        QVERIFY(boxes.Saw("Message", "Save change to File ?"));
        QVERIFY(!asked);
        QCOMPARE(panel.TransferState(), app::TransferPhase::kIdle);
        QCOMPARE(panel.PathText(), p.demoPath);
        QCOMPARE(ReadAll(p.demoPath), before);
    }

    void helpKeyOpensTheLogToolOnADatabase() {
        PanelOnPty p;
        MainPanel& panel = *p.panel;
        QTest::keyClick(&panel, Qt::Key_F1);  // nothing loaded: nothing opens
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(panel.OpenFile(QString::fromStdString(DemoDatabasePath())));
        QString opened;
        OnNextModal([&](QWidget* dialog) {
            opened = dialog->metaObject()->className();
            static_cast<QDialog*>(dialog)->reject();
        });
        QTest::keyClick(&panel, Qt::Key_F1);
        QCOMPARE(opened, QString("brondavel::app::EpgTestDialog"));
    }

    void aboutFromARightClick() {
        PanelOnPty p;
        MainPanel& panel = *p.panel;
        panel.show();
        QString shown;
        QTimer::singleShot(50, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QAction* about = menu->findChild<QAction*>("id16");
            QVERIFY(about);
            QCOMPARE(about->text(), QString("&About CalvoBrondavel..."));
            OnNextModal([&](QWidget* dialog) {
                shown = dialog->findChild<QLabel*>("id100")->text();
                static_cast<QDialog*>(dialog)->accept();
            });
            about->trigger();
            menu->close();
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(30, 90),
                                panel.mapToGlobal(QPoint(30, 90)));
        QApplication::sendEvent(&panel, &click);
        QTRY_VERIFY(!shown.isEmpty());
        QVERIFY(shown.contains("Brondavel"));
        QVERIFY(shown.contains(BRONDAVEL_VERSION));
        QVERIFY(shown.contains(QT_VERSION_STR));
    }
};

QTEST_MAIN(PanelTest)
#include "panel_test.moc"
