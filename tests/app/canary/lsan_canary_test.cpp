// A test of the leak checker: one allocation of ours leaked inside a QtTest
// slot, under libQt6Core's frames, must be reported. A suppression naming a
// whole Qt library would hide it, and with it every leak of ours in Qt tests.
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
