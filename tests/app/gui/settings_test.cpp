// The stored values of every kind, and one running copy of the program.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QProcess>
#include <QSettings>
#include <QtTest>

#include "app/settings/registry_value.h"
#include "tests/app/support/panel_test_support.h"
#include "tests/support/build_paths.h"

using namespace brondavel;
using namespace brondavel::test;
using app::kRegistryKeyPath;
using app::RegistryValue;

namespace {

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

class SettingsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { EnsureRuntimeFolder(); }
    void init() { ResetSettings(); }

    // Integers and booleans are the four bytes of a 32-bit integer; texts
    // are cut at 1024 characters; a number typed by hand is read too. The
    // forms of places are the stored numbers' own.
    void valuesKeepTheirStoredForms() {
        const RegistryValue rect(RegistryValue::kRectangle, kRegistryKeyPath, "SAT_RECT");
        QVERIFY(rect.Write(QRect(-309, 3, 312, 150)));
        QRect r;
        QVERIFY(rect.Read(&r));
        QCOMPARE(r, QRect(-309, 3, 312, 150));
        const RegistryValue number(RegistryValue::kInteger, kRegistryKeyPath, "Model_Type");
        QVERIFY(number.Write(-2));
        QCOMPARE(Stored("Model_Type").toByteArray(), QByteArray("\xFE\xFF\xFF\xFF", 4));
        int n = 0;
        QVERIFY(number.Read(&n));
        QCOMPARE(n, -2);
        StoreText("Model_Type", "5");
        QVERIFY(number.Read(&n));
        QCOMPARE(n, 5);
        const RegistryValue flag(RegistryValue::kBoolean, kRegistryKeyPath, "TV_VIEW");
        QVERIFY(flag.Write(true));
        QCOMPARE(Stored("TV_VIEW").toByteArray(), QByteArray("\x01\x00\x00\x00", 4));
        const RegistryValue text(RegistryValue::kText, kRegistryKeyPath, "NOTE");
        QVERIFY(text.Write(QString("x").repeated(2000)));
        QString t;
        QVERIFY(text.Read(&t));
        QCOMPARE(t.size(), 1024);
    }

    void unreadableValuesLeaveTheTarget() {
        const RegistryValue point(RegistryValue::kPoint, kRegistryKeyPath, "MAIN_POS");
        QPoint p(3, 3);
        QVERIFY(!point.Read(&p));  // missing
        StoreText("MAIN_POS", "(12)");
        QVERIFY(!point.Read(&p));  // one number of two
        QCOMPARE(p, QPoint(3, 3));
        StoreText("MAIN_POS", "(-8,20)");
        QVERIFY(point.Read(&p));
        QCOMPARE(p, QPoint(-8, 20));
        // A call that does not fit the kind fails.
        int n = 0;
        QVERIFY(!point.Read(&n));
        QVERIFY(!point.Write(5));
        const RegistryValue flag(RegistryValue::kBoolean, kRegistryKeyPath, "SAT_VIEW");
        StoreText("SAT_VIEW", "@ByteArray(\\x1\\0)");
        bool shown = true;
        QVERIFY(!flag.Read(&shown));
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

        // A copy that was killed leaves nothing behind that blocks the next.
        first.kill();
        QVERIFY(first.waitForFinished(30000));
        QVERIFY(!LockHeld());
        QProcess third;
        third.start(Program(), {});
        QVERIFY(third.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(LockHeld(), 30000);
        QCOMPARE(third.state(), QProcess::Running);
        third.kill();
        QVERIFY(third.waitForFinished(30000));
    }
};

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
