// The main panel without a receiver: start-up and stored settings with their
// stored forms, one running copy, the status line, the File commands with
// their greying and failures, and the log tool.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QAction>
#include <QMenu>
#include <QProcess>
#include <QSettings>
#include <QToolButton>
#include <QtTest>

#include "app/settings/registry_value.h"
#include "model/demo_database.h"
#include "tests/app/support/message_box_answerer.h"
#include "tests/app/support/panel_test_support.h"
#include "tests/support/build_paths.h"

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

QVariant Stored(const char* name) {
    QSettings ini(app::RegistryFilePath(), QSettings::IniFormat);
    ini.beginGroup(kRegistryKeyPath);
    return ini.value(name);
}

void StoreText(const char* name, const QString& text) {
    QSettings ini(app::RegistryFilePath(), QSettings::IniFormat);
    ini.beginGroup(kRegistryKeyPath);
    ini.setValue(name, text);
}

// Whether a running copy holds the single-instance lock.
bool LockHeld() {
    const QString path = qEnvironmentVariable("XDG_RUNTIME_DIR") + "/brondavel.lock";
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

QString Program() {
    return QString::fromStdString(buildpaths::BinaryDir() + "/bin/brondavel");
}

}  // namespace

class PanelTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSettings(); }

    void togglesHideWindowsAndCloseWritesTheStateBack() {
        PanelOnPty p;
        MainPanel& panel = *p.panel;
        panel.show();
        for (int kind = 0; kind < 5; ++kind) {
            QCOMPARE(panel.WindowShown(kind), kind < 4);
            QCOMPARE(ById<QToolButton>(&panel, kToggles[kind])->isChecked(), kind < 4);
            QCOMPARE(panel.Window(kind)->isVisible(), kind < 4);
        }
        ById<QToolButton>(&panel, 1002)->click();
        QVERIFY(!panel.Window(1)->isVisible());
        panel.move(-8, 20);
        QVERIFY(panel.close());
        QCOMPARE(Stored("MAIN_POS").toString(), QString("(-8,20)"));
        bool tp = true, sat = false;
        QVERIFY(Flag("TP_VIEW").Read(&tp) && Flag("SAT_VIEW").Read(&sat));
        QVERIFY(!tp && sat);
    }

    // Integers and booleans are the four bytes of a 32-bit integer, texts are
    // cut at 1024 characters, a number typed by hand is read too; a value
    // missing, short of a number, of another size or of another kind leaves
    // the target.
    void valuesKeepTheirStoredForms() {
        const RegistryValue number(RegistryValue::kInteger, kRegistryKeyPath, "Model_Type");
        QVERIFY(number.Write(-2));
        QCOMPARE(Stored("Model_Type").toByteArray(), QByteArray("\xFE\xFF\xFF\xFF", 4));
        int n = 0;
        QVERIFY(number.Read(&n));
        QCOMPARE(n, -2);
        StoreText("Model_Type", "5");
        QVERIFY(number.Read(&n));
        QCOMPARE(n, 5);
        const RegistryValue text(RegistryValue::kText, kRegistryKeyPath, "NOTE");
        QVERIFY(text.Write(QString("x").repeated(2000)));
        QString t;
        QVERIFY(text.Read(&t));
        QCOMPARE(t.size(), 1024);

        const RegistryValue point(RegistryValue::kPoint, kRegistryKeyPath, "MAIN_POS");
        QPoint p(3, 3);
        QVERIFY(!point.Read(&p));  // missing
        StoreText("MAIN_POS", "(12)");
        QVERIFY(!point.Read(&p));  // one number of two
        QCOMPARE(p, QPoint(3, 3));
        StoreText("SAT_VIEW", "@ByteArray(\\x1\\0)");
        bool shown = true;
        QVERIFY(!Flag("SAT_VIEW").Read(&shown));
    }

    void secondCopyEndsSilently() {
        QProcess first;
        first.setProgram(Program());
        first.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        first.start();
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(LockHeld(), 30000);

        QProcess second;
        second.start(Program(), {});
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(second.readAllStandardError().isEmpty());
        first.kill();
        QVERIFY(first.waitForFinished(30000));
        QVERIFY(!LockHeld());  // a copy that was killed blocks no next one
    }

    // Where stored places go on the screen is the layout's rule; here the
    // panel honours the stored flags, and "Reset window layout" brings back
    // the docked group of the first start.
    void honoursStoredSettings() {
        QVERIFY(RegistryValue(RegistryValue::kRectangle, kRegistryKeyPath, "SAT_RECT")
                    .Write(QRect(900, 3, 312, 150)));
        QVERIFY(RegistryValue(RegistryValue::kInteger, kRegistryKeyPath, "Model_Type").Write(5));
        QVERIFY(Flag("FAV_VIEW").Write(true));
        QVERIFY(Flag("RADIO_VIEW").Write(false));
        PanelOnPty p;
        MainPanel& panel = *p.panel;
        panel.show();
        QVERIFY(!panel.WindowShown(3) && !ById<QToolButton>(&panel, 1003)->isChecked());
        QCOMPARE(panel.DockWith(panel.Window(0)), app::Dock::kNone);
        panel.BuildFileMenu()->findChild<QAction*>("menuResetLayout")->trigger();
        QCOMPARE(panel.DockWith(panel.Window(0)), app::Dock::kAbove);
        QCOMPARE(panel.ModelSetting(), 0);
        QVERIFY(!panel.WindowShown(3) && !panel.WindowShown(4) && !panel.Window(4)->isVisible());
    }

    // Another program holds the device; the 5-second refresh retries the port
    // once it is free, and shows it in the same tick.
    void statusLineReportsThePort() {
        linktest::Pty pty;
        link::AssignPortDevice(9, pty.path);
        link::SerialPort holder;
        holder.SetPortNumber(9);
        QVERIFY(holder.Open(false));
        app::PanelOptions options;
        options.portDevice = QString::fromStdString(pty.path);
        MainPanel panel(options);
        QCOMPARE(panel.StatusText(), QString("Disconnect !!! ( Another Comm Program Exit )"));
        holder.Close();
        panel.RefreshStatus();
        QVERIFY(panel.Link().Port().IsOpen());
        QCOMPARE(panel.StatusText(), QString(kIdle));
        link::AssignPortDevice(9, "");
    }

    void openSaveAsAndMenuGreying() {
        PanelOnPty p;
        MainPanel& panel = *p.panel;
        const QString demo = p.dir.filePath("demo.ZCS");
        QFile::copy(QString::fromStdString(DemoDatabasePath()), demo);
        panel.SetPathChoosers({[&](const QString&) { return demo; },
                               [&](const QString&) { return p.dir.filePath("copy"); },
                               {}});
        panel.OnOpen();
        QVERIFY(panel.File() && panel.File()->headerValid());
        QCOMPARE(panel.PathText(), demo);
        QCOMPARE(panel.Window(kFavorite)->Database(), &panel.File()->db());
        QVERIFY(!Enabled(*panel.BuildFileMenu(), 32815));  // nothing changed yet
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
            QVERIFY(boxes.SawOnly("Error", missing));
            QCOMPARE(panel.File(), demo);
            QCOMPARE(panel.Window(2)->Database(), &demo->db());
            QCOMPARE(panel.PathText(), p.demoPath);
        }
        // A file of another kind opens empty, with a message...
        const QString foreign = p.dir.filePath("notes.bin");
        const QByteArray foreignBytes(336000, 'x');
        QVERIFY(WriteAll(foreign, foreignBytes));
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

    void filesOfEitherGenerationOpenWithTheSettingsTheyFit() {
        struct Case {
            int configured;  // model of the run
            int model, flash, compress;
            const char* note;
        } cases[] = {
            {0, 2, 0, 0, "Opened as CONEXANT"},
            {2, 0, 4, 2, "Opened as model 0, SST 4M, section compression"},
        };
        for (const Case& c : cases) {
            ResetSettings();
            PanelOnPty p(false, c.configured);
            MainPanel& panel = *p.panel;
            const QString path = WriteDemoFile(p.dir.path(), c.model, c.flash, c.compress);
            const QByteArray bytes = ReadAll(path);
            MessageBoxAnswerer boxes;
            QVERIFY(panel.OpenFile(path));
            QCOMPARE(boxes.seen().size(), size_t{0});
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
            const QString remembered = Stored("RECENT_SETTINGS1").toString();
            QCOMPARE(remembered.split(' ').first().toInt() == 2, c.model == 2);
        }
    }

    // "Save as" into a folder that is not there says so; over a file of other
    // settings it asks first, naming both. Either way the changes stay.
    void saveAsFailuresKeepTheChanges() {
        PanelOnPty p(true);
        MainPanel& panel = *p.panel;
        const QString other = WriteDemoFile(p.dir.path(), 0, 4, 0);
        const QByteArray bytes = ReadAll(other);
        QString chosen = "/nonexistent-dir/x.ZCS";
        panel.SetPathChoosers({{}, [&](const QString&) { return chosen; }, {}});
        panel.File()->db().modified = 1;
        {
            MessageBoxAnswerer boxes;
            panel.OnSaveAs();
            QVERIFY(boxes.SawOnly("Error", "/nonexistent-dir/x.ZCS"));
        }
        chosen = other;
        MessageBoxAnswerer boxes({QMessageBox::No});
        panel.OnSaveAs();
        QVERIFY(boxes.SawOnly("Message", "model 0, SST 4M, no compression"));
        QVERIFY(boxes.SawPart("CONEXANT"));
        QCOMPARE(ReadAll(other), bytes);
        QCOMPARE(panel.File()->db().modified, 1u);
        QCOMPARE(panel.PathText(), p.demoPath);
    }
};

QTEST_MAIN(PanelTest)
#include "panel_test.moc"
