// MagneticDialog on the offscreen platform: anchors, the resize hook and the
// grip resize, driven by mouse events. Snapping and docking are the layout's
// (app/logic) and are seen on a real X server in the e2e tests.
#include "app/layout/magnetic_dialog.h"

#include <QLabel>
#include <QTest>
#include <vector>

#include "app/layout/skin_button.h"

using brondavel::app::MagneticDialog;

namespace {

// Records the resize hook's calls.
class HookedDialog : public MagneticDialog {
  public:
    std::vector<QPoint> hooks;

  protected:
    void ResizeHook(int dx, int dy) override { hooks.emplace_back(dx, dy); }
};

}  // namespace

class MagneticDialogTest : public QObject {
    Q_OBJECT
  private slots:
    // Where anchors go is the layout's rule; here the dialog applies it to its
    // children, hidden or shown, and tells the hook how much it grew.
    void anchorsAndTheHookFollowAResize() {
        HookedDialog dialog;
        dialog.resize(312, 150);
        auto* close = new QLabel(&dialog);
        auto* list = new QLabel(&dialog);
        auto* gone = new QLabel(&dialog);
        close->setGeometry(270, 10, 24, 26);
        list->setGeometry(12, 39, 282, 98);
        dialog.AddAnchor(close, MagneticDialog::kAnchorRight);
        dialog.AddAnchor(list, MagneticDialog::kAnchorStretch);
        dialog.AddAnchor(list, MagneticDialog::kAnchorStretch);  // the same again: no double growth
        dialog.AddAnchor(gone, MagneticDialog::kAnchorRight);
        delete gone;  // a child that went away is skipped
        dialog.SetGripResize(true, QSize(34, 25));

        dialog.MoveTo(QRect(50, 60, 312 + 34, 150 + 25));  // hidden: no resize event yet
        QCOMPARE(dialog.hooks, std::vector<QPoint>{QPoint(34, 25)});
        QCOMPARE(close->geometry(), QRect(304, 10, 24, 26));
        QCOMPARE(list->geometry(), QRect(12, 39, 316, 123));

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.resize(312, 150);  // by other means than MoveTo
        QCOMPARE(close->geometry(), QRect(270, 10, 24, 26));
        QCOMPARE(list->geometry(), QRect(12, 39, 282, 98));
    }

    void gripResizesInStepsAndNeverBelowTheBase() {
        HookedDialog list;
        list.resize(312, 150);
        list.SetBodyDrag(true);
        list.SetGripResize(true, QSize(34, 25));
        list.SetSkin(brondavel::app::ListWindowSkin());
        const brondavel::app::MagneticCursors cursors = brondavel::app::SkinCursors();
        list.SetCursors(cursors);
        list.MoveTo(QRect(100, 100, 312, 150));
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        const QRect grip = list.GripArea();
        QCOMPARE(grip.bottomRight(), QPoint(311, 149));
        QTest::mouseMove(&list, QPoint(50, 50));
        QCOMPARE(list.cursor().hotSpot(), cursors.normal.hotSpot());
        QTest::mouseMove(&list, grip.center());
        QCOMPARE(list.cursor().hotSpot(), cursors.grip.hotSpot());

        const QPoint start = grip.center();
        const QPoint startGlobal = list.mapToGlobal(start);
        QTest::mousePress(&list, Qt::LeftButton, {}, start);
        QVERIFY(list.IsResizing());
        QVERIFY(list.windowOpacity() < 1.0);
        QTest::mouseMove(&list, list.mapFromGlobal(startGlobal + QPoint(70, 26)));
        QCOMPARE(list.size(), QSize(312 + 68, 175));  // live while growing
        QCOMPARE(list.hooks.back(), QPoint(68, 25));
        QTest::mouseRelease(&list, Qt::LeftButton, {},
                            list.mapFromGlobal(startGlobal + QPoint(70, 26)));
        QVERIFY(!list.IsResizing());
        QCOMPARE(list.windowOpacity(), 1.0);
        QCOMPARE(list.frameGeometry(), QRect(100, 100, 380, 175));

        // Dragged far up and left: stops at the base size, applied on release.
        const QPoint again = list.mapToGlobal(list.GripArea().center());
        QTest::mousePress(&list, Qt::LeftButton, {}, list.GripArea().center());
        QTest::mouseMove(&list, list.mapFromGlobal(again - QPoint(400, 400)));
        QCOMPARE(list.size(), QSize(380, 175));  // shrinking shows as an outline only
        QTest::mouseRelease(&list, Qt::LeftButton, {},
                            list.mapFromGlobal(again - QPoint(400, 400)));
        QCOMPARE(list.frameGeometry(), QRect(100, 100, 312, 150));
        QCOMPARE(list.hooks.back(), QPoint(0, 0));
    }
};

QTEST_MAIN(MagneticDialogTest)
#include "magnetic_dialog_test.moc"
