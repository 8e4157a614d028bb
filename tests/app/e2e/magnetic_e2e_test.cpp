// Two magnetic windows on a real X server (xcb under Xvfb): a panel-like one
// that carries its docked windows and a list-like one. Mouse input goes in
// through the platform layer as the X server would deliver it, and every
// position is read back from the server's placement of the windows.
#include <QTest>
#include <QWindow>

#include "app/layout/magnetic_dialog.h"
#include "tests/app/support/gui_test_support.h"

using brondavel::app::Dock;
using brondavel::app::MagneticDialog;

class MagneticE2eTest : public QObject {
    Q_OBJECT
    MagneticDialog* panel_ = nullptr;
    MagneticDialog* list_ = nullptr;

  private slots:
    void init() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        panel_ = new MagneticDialog;
        list_ = new MagneticDialog;
        panel_->setObjectName("panel");
        list_->setObjectName("list");
        panel_->SetSkin(brondavel::app::ListWindowSkin());
        list_->SetSkin(brondavel::app::ListWindowSkin());
        list_->SetCursors(brondavel::app::SkinCursors());
        panel_->SetBodyDrag(true);
        panel_->SetGroupMove(true);
        list_->SetBodyDrag(true);
        list_->resize(310, 150);
        list_->SetGripResize(true, QSize(34, 25));
        panel_->AddPartner(list_);
        list_->AddPartner(panel_);
        panel_->MoveTo(QRect(100, 100, 300, 150));
        list_->MoveTo(QRect(600, 500, 310, 150));
        panel_->show();
        list_->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel_));
        QVERIFY(QTest::qWaitForWindowExposed(list_));
        QTRY_COMPARE(list_->windowHandle()->framePosition(), QPoint(600, 500));
    }

    void cleanup() {
        delete list_;
        delete panel_;
    }

    void listDocksAndFollowsThePanel() {
        // Let go 7 px right of the panel's right edge and 4 px below its top.
        brondavel::test::DragWindow(list_, QPoint(40, 40), QPoint(400 + 7 + 40, 100 + 4 + 40));
        QTRY_COMPARE(list_->windowHandle()->framePosition(), QPoint(400, 100));
        QCOMPARE(list_->DockWith(panel_), Dock::kRightOf);
        QCOMPARE(panel_->DockWith(list_), Dock::kLeftOf);

        brondavel::test::DragWindow(panel_, QPoint(30, 30), QPoint(30 + 60, 30 + 250));
        QTRY_COMPARE(panel_->windowHandle()->framePosition(), QPoint(60, 250));
        QTRY_COMPARE(list_->windowHandle()->framePosition(), QPoint(360, 250));

        // Dragged away, the list leaves the panel; the panel then moves alone.
        brondavel::test::DragWindow(list_, QPoint(40, 40), QPoint(700 + 40, 600 + 40));
        QTRY_COMPARE(list_->windowHandle()->framePosition(), QPoint(700, 600));
        QCOMPARE(panel_->DockWith(list_), Dock::kNone);
        brondavel::test::DragWindow(panel_, QPoint(30, 30), QPoint(30 + 20, 30 + 20));
        QTRY_COMPARE(panel_->windowHandle()->framePosition(), QPoint(20, 20));
        QCOMPARE(list_->windowHandle()->framePosition(), QPoint(700, 600));
    }

    void gripResizeIsAppliedByTheServer() {
        const QPoint grip = list_->GripArea().center();
        const QPoint start = list_->mapToGlobal(grip);
        brondavel::test::DragWindow(list_, grip, start + QPoint(34 * 2 + 3, 25 + 3), 4);
        QTRY_COMPARE(list_->windowHandle()->geometry().size(), QSize(310 + 68, 150 + 25));
        QCOMPARE(list_->windowHandle()->framePosition(), QPoint(600, 500));
        QCOMPARE(list_->windowOpacity(), 1.0);
    }
};

QTEST_MAIN(MagneticE2eTest)
#include "magnetic_e2e_test.moc"
