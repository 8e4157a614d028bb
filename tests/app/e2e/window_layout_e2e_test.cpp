// The program itself on a real X server (Xvfb), its windows read back from
// the server with xdotool: at the first start no window covers another.
#include <QDir>
#include <QProcess>
#include <QRect>
#include <QTest>

#include "tests/app/support/panel_test_support.h"
#include "tests/support/build_paths.h"

namespace {

const QRect kScreen(0, 0, 1280, 1024);  // as tests/app/on_own_x_server.sh makes it

QString Xdotool(const QStringList& args) {
    QProcess p;
    p.start("xdotool", args);
    p.waitForFinished(5000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// The shown windows of process `pid`, as the X server places them.
QList<QRect> ShownWindows(qint64 pid) {
    QList<QRect> windows;
    const QStringList ids =
        Xdotool({"search", "--onlyvisible", "--pid", QString::number(pid), "--name", "."})
            .split('\n', Qt::SkipEmptyParts);
    for (const QString& id : ids) {
        QMap<QString, int> v;
        for (const QString& line : Xdotool({"getwindowgeometry", "--shell", id}).split('\n')) {
            const int eq = line.indexOf('=');
            if (eq > 0) v[line.left(eq)] = line.mid(eq + 1).toInt();
        }
        if (v.value("WIDTH") > 1 && v.value("HEIGHT") > 1)
            windows << QRect(v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]);
    }
    return windows;
}

struct RunningProgram {
    RunningProgram() {
        process.setProgram(QString::fromStdString(buildpaths::BinaryDir() + "/bin/brondavel"));
        process.setArguments({QString::fromStdString(brondavel::test::DemoDatabasePath()), "--port",
                              "/nonexistent/ttyBrondavel"});
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start();
    }
    ~RunningProgram() {
        process.terminate();
        if (!process.waitForFinished(5000)) process.kill();
        process.waitForFinished(2000);
    }
    // The panel and the four list windows shown at start, once all are mapped.
    QList<QRect> Windows() {
        QList<QRect> windows;
        // Fewer than five after the wait fails the caller's count.
        (void)QTest::qWaitFor(
            [&] {
                windows = ShownWindows(process.processId());
                return windows.size() >= 5;
            },
            15000);
        return windows;
    }
    QProcess process;
};

}  // namespace

class WindowLayoutE2eTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { brondavel::test::ResetSettings(); }

    void firstStartShowsEveryWindowUncovered() {
        RunningProgram program;
        const QList<QRect> windows = program.Windows();
        QCOMPARE(windows.size(), 5);
        for (int i = 0; i < windows.size(); ++i) {
            QVERIFY(kScreen.contains(windows[i]));
            for (int j = i + 1; j < windows.size(); ++j)
                QVERIFY2(!windows[i].intersects(windows[j]),
                         qPrintable(QString("windows %1 and %2 overlap").arg(i).arg(j)));
        }
    }
};

QTEST_GUILESS_MAIN(WindowLayoutE2eTest)
#include "window_layout_e2e_test.moc"
