// The whole application on a real X server (xcb under Xvfb): the demo opened
// in the main panel, a list window resized by its grip and docked against the
// panel by dragging it,
// the panel carrying it along, two channels moved onto another transponder,
// and the saved file read back with the core.
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QWindow>

#include "app/lists/list_view.h"
#include "app/lists/list_view_control.h"
#include "files/channel_data_file.h"
#include "model/first_gen_records.h"
#include "tests/app/support/panel_test_support.h"

using namespace brondavel;
using app::Dock;
using app::MainPanel;

namespace {

// A point of the panel's own body, where no control lies.
QPoint PanelBody(MainPanel& panel) {
    for (int y = 8; y < panel.height() - 8; y += 4)
        for (int x = 8; x < panel.width() - 8; x += 4)
            if (!panel.childAt(x, y)) return {x, y};
    return {};
}

QPoint RowCentre(app::ListView& view, int row) {
    view.scrollTo(view.model()->index(row, 1));
    return view.visualRect(view.model()->index(row, 1)).center();
}

}  // namespace

class AppE2eTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        test::ResetSettings();
    }

    void editTheDemoWithTheMouseAndSave() {
        test::PanelOnPty p(/*withDemo=*/true);
        MainPanel& panel = *p.panel;
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        app::ListWindow* tv = panel.Window(kTv);
        app::ListWindow* transponders = panel.Window(kTransponder);
        QVERIFY(tv->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(tv));
        QVERIFY(tv->View()->control()->rowCount() > 2);

        // The TV window, dragged by its title to just below the panel, snaps
        // against it.
        tv->MoveTo(QRect(QPoint(700, 600), tv->size()));
        QTRY_COMPARE(tv->windowHandle()->framePosition(), QPoint(700, 600));

        // Its grip resizes it in whole steps, and the server applies the size.
        const QSize size = tv->size();
        const QPoint grip = tv->GripArea().center();
        test::DragWindow(tv, grip, tv->mapToGlobal(grip) + QPoint(34 * 2 + 3, 25 + 3), 4);
        QTRY_COMPARE(tv->windowHandle()->geometry().size(), size + QSize(68, 25));
        QCOMPARE(tv->windowHandle()->framePosition(), QPoint(700, 600));
        const QRect panelFrame = panel.frameGeometry();
        const QPoint grab(30, 15);
        QVERIFY(!tv->childAt(grab) || tv->childAt(grab) == static_cast<QWidget*>(tv->Title()));
        test::DragWindow(tv, grab,
                         QPoint(panelFrame.left() + 6, panelFrame.bottom() + 1 + 7) + grab);
        QTRY_COMPARE(tv->windowHandle()->framePosition(),
                     QPoint(panelFrame.left(), panelFrame.bottom() + 1));
        QCOMPARE(tv->DockWith(&panel), Dock::kBelow);
        QCOMPARE(panel.DockWith(tv), Dock::kAbove);

        // The panel moves; the docked window follows.
        const QPoint body = PanelBody(panel);
        QVERIFY(!body.isNull());
        test::DragWindow(&panel, body, panel.mapToGlobal(body) + QPoint(120, 200));
        QTRY_COMPARE(panel.windowHandle()->framePosition(),
                     panelFrame.topLeft() + QPoint(120, 200));
        QTRY_COMPARE(tv->windowHandle()->framePosition(),
                     QPoint(panelFrame.left() + 120, panelFrame.bottom() + 1 + 200));

        // Two channels picked with the mouse, dropped onto a transponder they
        // are not on.
        DatabaseEngine& db = panel.File()->db();
        auto refOf = [&](int position) {
            return db.layout().TransponderRefOf(db.list(kTv).records()[position]);
        };
        app::ListView& channels = *tv->View();
        QTest::mouseClick(channels.viewport(), Qt::LeftButton, {}, RowCentre(channels, 0));
        QTest::mouseClick(channels.viewport(), Qt::LeftButton, Qt::ControlModifier,
                          RowCentre(channels, 1));
        QCOMPARE(channels.control()->SelectedRows(), (std::vector<int>{0, 1}));
        int target = 0;
        while (target == refOf(0) || target == refOf(1)) ++target;
        emit channels.dragStarting();
        std::unique_ptr<QMimeData> data(channels.MakeDragData({0, 1}));
        app::ListView& tpView = *transponders->View();
        QVERIFY(tpView.HandleDrop(data.get(), RowCentre(tpView, target)));
        QCOMPARE(refOf(0), target);
        QCOMPARE(refOf(1), target);
        QVERIFY(db.modified);

        panel.OnSave();
        QCOMPARE(db.modified, 0u);
        ChannelDataFile saved(p.demoPath.toStdString(), 2, 3, 2);
        QCOMPARE(saved.Load(), 1);
        const auto& tvSaved = saved.db().list(kTv).records();
        for (int position : {0, 1, 2}) {
            ServiceRecord channel;
            channel.FromRecord(tvSaved[position]);
            // Saved as the transponder's position, read back as its id.
            QCOMPARE(int(channel.transponderRef()), int(refOf(position)));
        }
    }
};

QTEST_MAIN(AppE2eTest)
#include "app_e2e_test.moc"
