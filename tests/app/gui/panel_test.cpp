// The main panel without a receiver: start-up and stored settings, the status
// line, the File commands with their greying and failures, and the about box.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QSettings>
#include <QToolButton>
#include <QtTest>

#include "app/dialogs/about_dialog.h"
#include "app/settings/registry_value.h"
#include "model/demo_database.h"
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

bool Overlap(const QRect& a, const QRect& b) {
    return a.intersects(b);
}

// The demo written as a file of `model` with the given flash and compress settings.
QString WriteDemo(const QString& folder, int model, int flash, int compress) {
    const QString path =
        QString("%1/demo-%2-%3-%4.bin").arg(folder).arg(model).arg(flash).arg(compress);
    auto file = MakeDatabaseFile(path.toStdString(), model, flash, compress);
    if (model == 2)
        FillFirstGenDemo(file->db());
    else
        FillSecondGenDemo(file->db());
    file->Save(path.toStdString());
    return path;
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
        // The first start: nothing covers anything, and the windows form one
        // docked group that follows the panel.
        std::vector<QWidget*> windows{&panel};
        for (int kind = 0; kind < 4; ++kind) windows.push_back(panel.Window(kind));
        for (QWidget* a : windows)
            for (QWidget* b : windows)
                if (a != b)
                    QVERIFY2(!Overlap(a->frameGeometry(), b->frameGeometry()),
                             qPrintable(a->objectName() + " / " + b->objectName()));
        QCOMPARE(panel.DockWith(panel.Window(0)), app::Dock::kAbove);
        QCOMPARE(panel.Window(0)->DockWith(panel.Window(2)), app::Dock::kLeftOf);
        QCOMPARE(panel.Window(1)->DockWith(panel.Window(0)), app::Dock::kBelow);

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
        // Places off every screen come back onto it, wholly.
        QVERIFY(RegistryValue(RegistryValue::kPoint, kRegistryKeyPath, "MAIN_POS")
                    .Write(QPoint(5000, 5000)));
        QVERIFY(RegistryValue(RegistryValue::kRectangle, kRegistryKeyPath, "SAT_RECT")
                    .Write(QRect(99999, 3, 312, 150)));
        QVERIFY(RegistryValue(RegistryValue::kRectangle, kRegistryKeyPath, "TV_RECT")
                    .Write(QRect(30, 300, 90000, 150)));
        QVERIFY(RegistryValue(RegistryValue::kInteger, kRegistryKeyPath, "Model_Type").Write(5));
        QVERIFY(Flag("FAV_VIEW").Write(true));
        QVERIFY(Flag("RADIO_VIEW").Write(false));
        PanelOnPty p;
        MainPanel& panel = *p.panel;
        panel.show();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(panel.frameGeometry()));
        QVERIFY(screen.contains(panel.Window(0)->frameGeometry()));
        QVERIFY(screen.contains(panel.Window(2)->frameGeometry()));
        QCOMPARE(panel.Window(2)->width(), screen.width());
        // "Reset window layout" puts every window back at its first-start place.
        panel.BuildFileMenu()->findChild<QAction*>("menuResetLayout")->trigger();
        QCOMPARE(panel.pos(), QPoint(3, 3));
        QCOMPARE(panel.Window(0)->frameGeometry(), QRect(3, 111, 312, 150));
        QCOMPARE(panel.Window(2)->frameGeometry(), QRect(315, 111, 312, 150));
        QCOMPARE(panel.DockWith(panel.Window(0)), app::Dock::kAbove);
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
        // A greyed command does nothing on any path: no write, no backup.
        const QDateTime written = QFileInfo(demo).lastModified();
        panel.OnSave();
        QTest::keyClick(&panel, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!QFileInfo::exists(demo + ".bak"));
        QCOMPARE(QFileInfo(demo).lastModified(), written);
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
        QCOMPARE(panel.File()->db().Count(kTv), 0);
        QVERIFY(boxes.SawPart(foreign));
        QVERIFY(boxes.SawPart("opened as an empty database"));
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
        QString itemText, shown;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QAction* about = menu ? menu->findChild<QAction*>("id16") : nullptr;
            if (menu) menu->close();
            if (!about) return;
            itemText = about->text();
            OnNextModal([&](QWidget* dialog) {
                shown = dialog->findChild<QLabel*>("id100")->text();
                static_cast<QDialog*>(dialog)->accept();
            });
            about->trigger();
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(30, 90),
                                panel.mapToGlobal(QPoint(30, 90)));
        QApplication::sendEvent(&panel, &click);
        QTRY_VERIFY(!shown.isEmpty());
        QCOMPARE(itemText, QString("&About CalvoBrondavel..."));
        QVERIFY(shown.contains(QString("version ") + BRONDAVEL_VERSION));
        QVERIFY(shown.contains("Ver 2.13"));
    }

    void filesOfEitherGenerationOpenWithTheSettingsTheyFit() {
        struct Case {
            int configured;  // model of the run
            int model, flash, compress;
            const char* note;
        } cases[] = {
            {0, 2, 0, 0, "Opened as CONEXANT"},
            {2, 0, 3, 0, "Opened as model 0, SST 2M, no compression"},
            {2, 0, 4, 2, "Opened as model 0, SST 4M, section compression"},
            {2, 2, 0, 0, ""},
        };
        for (const Case& c : cases) {
            ResetSettings();
            PanelOnPty p(false, c.configured);
            MainPanel& panel = *p.panel;
            const QString path = WriteDemo(p.dir.path(), c.model, c.flash, c.compress);
            const QByteArray bytes = ReadAll(path);
            MessageBoxAnswerer boxes;
            QVERIFY(panel.OpenFile(path));
            QVERIFY2(boxes.seen().empty(),
                     boxes.seen().empty() ? "" : qPrintable(boxes.seen()[0].text));
            QCOMPARE(panel.Files().Note(), QString(c.note));
            QCOMPARE(panel.File()->model == 2, c.model == 2);
            QVERIFY(panel.File()->db().Count(kTv) > 0);
            // The file keeps its settings: saved back, it is the same file, and
            // the configuration is what it was.
            panel.File()->db().modified = 1;
            panel.OnSave();
            QVERIFY(boxes.seen().empty());
            QCOMPARE(ReadAll(path), bytes);
            QCOMPARE(panel.ModelType(), c.configured);
            QString remembered;
            QVERIFY(RegistryValue(RegistryValue::kText, kRegistryKeyPath, "RECENT_SETTINGS1")
                        .Read(&remembered));
            QCOMPARE(remembered.split(' ').first().toInt() == 2, c.model == 2);
        }
    }

    void savingOverAFileOfOtherSettingsAsksNamingBoth() {
        PanelOnPty p(true);
        MainPanel& panel = *p.panel;
        const QString other = WriteDemo(p.dir.path(), 0, 4, 0);
        const QByteArray bytes = ReadAll(other);
        app::PathChoosers choosers;
        choosers.saveFile = [&](const QString&) { return other; };
        panel.SetPathChoosers(choosers);
        MessageBoxAnswerer boxes({QMessageBox::No});
        panel.OnSaveAs();
        QCOMPARE(boxes.seen().size(), size_t{1});
        QVERIFY(boxes.SawPart("model 0, SST 4M, no compression"));
        QVERIFY(boxes.SawPart("CONEXANT"));
        QCOMPARE(ReadAll(other), bytes);
        QCOMPARE(panel.PathText(), p.demoPath);
    }

    void thePathLineShortensTheMiddle() {
        PanelOnPty p;
        MainPanel& panel = *p.panel;
        const QString folder = p.dir.filePath(QString(120, 'f'));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/channels-of-the-living-room.ZCS";
        QVERIFY(QFile::copy(QString::fromStdString(DemoDatabasePath()), path));
        QVERIFY(panel.OpenFile(path));
        QCOMPARE(panel.PathText(), path);
        const QString line = ById<QLabel>(&panel, 1015)->text();
        QVERIFY(line.size() < path.size());
        QVERIFY(line.endsWith("channels-of-the-living-room.ZCS"));
        QVERIFY(line.startsWith(path.left(4)));
    }
};

QTEST_MAIN(PanelTest)
#include "panel_test.moc"
