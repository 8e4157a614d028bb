// "Write Into Receiver" and "Read From Receiver" against the receiver
// simulator on a pseudo-terminal, in both transfer modes, with Stop, the
// receiver's failures and a GUI that keeps running during the transfer.
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include "model/demo_database.h"
#include "tests/app/support/message_box_answerer.h"
#include "tests/app/support/panel_test_support.h"

using namespace brondavel;
using namespace brondavel::test;
using app::MainPanel;
using brondavel::sim::SimOptions;

namespace {

constexpr int kLimit = 60000;

SimOptions Accepting(int mode, const QString& path) {
    SimOptions o;
    o.mode = mode;
    o.path = path.toStdString();
    o.idle_end_ms = 2000;
    o.timeout_ms = 5000;
    return o;
}

SimOptions Sending(int mode, const QString& path, const std::string& name = {}) {
    SimOptions o = Accepting(mode, path);
    o.send = true;
    o.name = name;
    return o;
}

constexpr const char* kIdle = "Ver 2.13-8C5AS2-RCIU-S ( 2009.02.18. )";

// The files a batch read may leave in `folder` besides `expected`.
QStringList Leftovers(const QString& folder, const QStringList& expected) {
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : expected) names.removeAll(name);
    return names;
}

// Idle again: progress and Stop hidden, the panel's buttons and windows back.
void ExpectIdle(MainPanel& panel) {
    QCOMPARE(panel.TransferState(), app::TransferPhase::kIdle);
    QVERIFY(ById(&panel, 1006)->isHidden() && ById(&panel, 1008)->isHidden());
    QVERIFY(!ById(&panel, 1001)->isHidden() && panel.Window(0)->isVisible());
}

}  // namespace

class PanelTransferTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSettings(); }

    void writeAndReadInBatchMode() {
        PanelOnPty p(true);
        MainPanel& panel = *p.panel;
        panel.show();
        QDir(p.dir.path()).mkdir("rx");
        int progress = 0;  // the highest value the bar showed
        QObject::connect(ById<QProgressBar>(&panel, 1006), &QProgressBar::valueChanged,
                         [&progress](int v) { progress = std::max(progress, v); });
        {
            linktest::SimThread sim(p.pty, Accepting(2, p.dir.filePath("rx")));
            MessageBoxAnswerer boxes;
            panel.OnWriteIntoReceiver();
            // The transfer runs on its own thread: a timer on the GUI thread
            // keeps firing meanwhile, where a blocked one would show one long gap.
            QElapsedTimer clock;
            qint64 last = 0, longestGap = 0;
            QTimer tick;
            QObject::connect(&tick, &QTimer::timeout, [&] {
                longestGap = std::max(longestGap, clock.elapsed() - last);
                last = clock.elapsed();
            });
            clock.start();
            tick.start(10);
            QVERIFY(boxes.SawPart("Channel/TP Data Receive"));
            QCOMPARE(panel.TransferState(), app::TransferPhase::kSending);
            QCOMPARE(panel.StatusText(), QString("Downloading.."));
            QVERIFY(ById(&panel, 1001)->isHidden() && !panel.Window(0)->isVisible());
            QTRY_VERIFY_WITH_TIMEOUT(boxes.Saw("Success", "Upload Success"), kLimit);
            const qint64 took = clock.elapsed();
            tick.stop();
            QVERIFY2(longestGap < took * 3 / 4,
                     qPrintable(QString("gap %1 of %2 ms").arg(longestGap).arg(took)));
            QTRY_COMPARE(panel.TransferState(), app::TransferPhase::kIdle);
            sim.Join();
            QCOMPARE(sim.rc, 0);
            ExpectIdle(panel);
        }
        QCOMPARE(ReadAll(p.dir.filePath("rx/demo.ZCS")), ReadAll(p.demoPath));
        QVERIFY(progress > 0 && progress <= 100);

        // The receiver sends "a.bin" into a folder that holds a.bin and a(1).bin,
        // and a file of the user's named as the old temporary file was.
        const QString folder = p.dir.filePath("in");
        QDir().mkpath(folder);
        for (const char* taken : {"a.bin", "a(1).bin", "tmp_upload.ZCS"})
            QVERIFY(WriteAll(folder + "/" + taken, {}));
        panel.SetPathChoosers({{}, {}, [&] { return folder; }});
        DatabaseFile* before = panel.File();
        linktest::SimThread sim(p.pty, Sending(2, p.demoPath, "a.bin"));
        MessageBoxAnswerer boxes;
        panel.OnReadFromReceiver();
        QTRY_VERIFY_WITH_TIMEOUT(boxes.Saw("Success", "Download Success"), kLimit);
        QTRY_COMPARE(panel.PathText(), folder + "/a(2).bin");
        QTRY_VERIFY(panel.File() != before);
        sim.Join();
        QCOMPARE(ReadAll(folder + "/a(2).bin"), ReadAll(p.demoPath));
        QCOMPARE(Leftovers(folder, {"a.bin", "a(1).bin", "a(2).bin", "tmp_upload.ZCS"}),
                 QStringList());
        QCOMPARE(panel.Window(2)->Database(), &panel.File()->db());
        ExpectIdle(panel);
    }

    void writeAndReadInBlockMode() {
        PanelOnPty p(false, 0);
        MainPanel& panel = *p.panel;
        panel.show();
        const QString image = WriteDemoFile(p.dir.path(), 0, 3, 2);
        QVERIFY(panel.OpenFile(image));
        {
            linktest::SimThread sim(p.pty, Accepting(1, p.dir.filePath("got.bin")));
            MessageBoxAnswerer boxes;
            panel.OnWriteIntoReceiver();
            QTRY_VERIFY_WITH_TIMEOUT(boxes.Saw("Success", "Upload Success"), kLimit);
            sim.Join();
            QCOMPARE(sim.rc, 0);
        }
        QVERIFY(ReadAll(p.dir.filePath("got.bin")).startsWith(ReadAll(image)));

        // A model-0 read opens what arrived, under the name chosen.
        panel.SetPathChoosers({{}, [&](const QString&) { return p.dir.filePath("back"); }, {}});
        linktest::SimThread sim(p.pty, Sending(1, image));
        MessageBoxAnswerer boxes;
        panel.OnReadFromReceiver();
        QVERIFY(boxes.SawPart("Send Data"));
        QTRY_VERIFY_WITH_TIMEOUT(boxes.Saw("Success", "Download Success"), kLimit);
        QTRY_COMPARE(panel.TransferState(), app::TransferPhase::kIdle);
        sim.Join();
        QCOMPARE(QString::fromStdString(panel.File()->path), p.dir.filePath("back.bin"));
        QVERIFY(panel.File()->headerValid());
        ExpectIdle(panel);
    }

    void stopReturnsToIdle() {
        for (bool read : {false, true}) {
            PanelOnPty p(true);
            MainPanel& panel = *p.panel;
            panel.show();
            QDir(p.dir.path()).mkdir("rx");
            QVERIFY(WriteAll(p.dir.filePath("rx/tmp_upload.ZCS"), "mine"));
            panel.SetPathChoosers({{}, {}, [&] { return p.dir.filePath("rx"); }});
            // Holds the transfer after its first block, so Stop meets it running.
            QObject::connect(ById<QProgressBar>(&panel, 1006), &QProgressBar::valueChanged, &panel,
                             [&panel](int) { panel.Link().SetPaused(true); });
            SimOptions o = read ? Sending(2, p.demoPath) : Accepting(2, p.dir.filePath("rx"));
            o.timeout_ms = 1500;
            linktest::SimThread sim(p.pty, o);
            MessageBoxAnswerer boxes;
            if (read)
                panel.OnReadFromReceiver();
            else
                panel.OnWriteIntoReceiver();
            QTRY_VERIFY_WITH_TIMEOUT(ById<QProgressBar>(&panel, 1006)->value() > 0, kLimit);
            ById<QPushButton>(&panel, 1008)->click();
            ExpectIdle(panel);
            QVERIFY(boxes.Saw("Message", app::kTransferStoppedText));
            QVERIFY(!boxes.SawPart("Success"));
            // A stopped read leaves no file of its own and the user's as it
            // was, and the path names the database still loaded.
            QTRY_COMPARE(Leftovers(p.dir.filePath("rx"), {"tmp_upload.ZCS"}), QStringList());
            QCOMPARE(ReadAll(p.dir.filePath("rx/tmp_upload.ZCS")), QByteArray("mine"));
            QCOMPARE(panel.PathText(), p.demoPath);
            sim.Join();
        }
    }

    // Which result gives which message is the outcome's rule; here one
    // failure reaches the user.
    void receiverRefusalIsReported() {
        PanelOnPty p(true);
        MainPanel& panel = *p.panel;
        QDir(p.dir.path()).mkdir("rx");
        SimOptions o = Accepting(2, p.dir.filePath("rx"));
        o.refuse_first = true;
        o.timeout_ms = 3000;
        linktest::SimThread sim(p.pty, o);
        MessageBoxAnswerer boxes;
        panel.OnWriteIntoReceiver();
        QTRY_VERIFY_WITH_TIMEOUT(boxes.Saw("Error", "Model Version Check"), kLimit);
        QTRY_COMPARE(panel.TransferState(), app::TransferPhase::kIdle);
        sim.Join();
    }

    // Write Into Receiver asks before sending a file of the other generation;
    // the default answer sends nothing.
    void writeAsksBeforeSendingAFileOfOtherSettings() {
        PanelOnPty p;
        MainPanel& panel = *p.panel;
        const QString image = WriteDemoFile(p.dir.path(), 0, 3, 2);
        {
            MessageBoxAnswerer boxes;
            QVERIFY(panel.OpenFile(image));
        }
        QString question;
        bool defaultIsNo = false;
        OnNextModal([&](QWidget* w) {
            auto* box = static_cast<QMessageBox*>(w);
            question = box->text();
            defaultIsNo = box->defaultButton() == box->button(QMessageBox::No);
            box->defaultButton()->click();
        });
        panel.OnWriteIntoReceiver();
        QTRY_VERIFY(!question.isEmpty());
        QVERIFY(question.contains("--model 0"));
        QVERIFY(defaultIsNo);
        QCOMPARE(panel.TransferState(), app::TransferPhase::kIdle);
    }

    // The receiver goes away: the port closes and says so, and the status
    // check reopens it once the device is back, showing it in the same tick.
    void hangUpClosesThePortUntilTheDeviceIsBack() {
        QTemporaryDir dir;
        const QString port = dir.filePath("port");
        auto first = std::make_unique<linktest::Pty>();
        // Without the test's own slave handle the sim's close is a real hang-up.
        ::close(first->slave);
        first->slave = -1;
        QVERIFY(QFile::link(QString::fromStdString(first->path), port));
        const QString demo = dir.filePath("demo.ZCS");
        QVERIFY(QFile::copy(QString::fromStdString(DemoDatabasePath()), demo));
        app::PanelOptions options;
        options.portDevice = port;
        options.filePath = demo;
        MainPanel panel(options);
        QCOMPARE(panel.StatusText(), QString(kIdle));
        QDir(dir.path()).mkdir("rx");
        SimOptions o = Accepting(2, dir.filePath("rx"));
        o.hangup_after = 9000;
        linktest::SimThread sim(*first, o);
        MessageBoxAnswerer boxes;
        panel.OnWriteIntoReceiver();
        QTRY_VERIFY_WITH_TIMEOUT(boxes.Saw("Error", "No Send Data"), kLimit);
        sim.Join();
        QTRY_VERIFY(!panel.Link().Port().IsOpen());
        QCOMPARE(panel.StatusText(), QString("Disconnect !!! ( Port Resetting )"));

        linktest::Pty second;
        QVERIFY(QFile::remove(port));
        QVERIFY(QFile::link(QString::fromStdString(second.path), port));
        QTRY_COMPARE_WITH_TIMEOUT(panel.StatusText(), QString(kIdle),
                                  MainPanel::kStatusInterval + 2000);
        QVERIFY(panel.Link().Port().IsOpen());
    }
};

QTEST_MAIN(PanelTransferTest)
#include "panel_transfer_test.moc"
