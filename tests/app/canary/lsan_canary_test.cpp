// A test of the leak checker, not of Brondavel: it leaks one allocation of
// ours from inside a QtTest slot, which runs under libQt6Core's frames. The
// suite expects LeakSanitizer to report it; a suppression that names a whole
// Qt library would hide it, and with it every leak of ours in the GUI tests.
#include <QtTest>
#include <cstdlib>

class LeakCanary : public QObject {
    Q_OBJECT
  private slots:
    void leaksOneBlockFromInsideASlot() {
        static void* volatile block = nullptr;
        block = std::malloc(4321);
        block = nullptr;
        QVERIFY(block == nullptr);
    }
};

QTEST_GUILESS_MAIN(LeakCanary)
#include "lsan_canary_test.moc"
