// Drag and drop between and within the list windows, through the handler a
// real drop event calls: the drop rows, self drops, re-parenting, foreign
// data, the drop highlight and auto-scroll.
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>

#include "tests/app/gui/list_windows_fixture.h"
#include "tests/app/support/gui_test_support.h"
#include "tests/app/support/message_box_answerer.h"

using namespace brondavel;
using brondavel::test::ListWindows;

namespace {

// S0 (T0, T1), S1 (T2); ten TV channels ch0..ch9 on T0, two radio channels on T1.
struct Filled : ListWindows {
    Filled() {
        Load();
        test::AddAll(db, kSatellite, std::vector{test::Sat(192, "S0"), test::Sat(130, "S1")});
        test::AddAll(db, kTransponder,
                     std::vector{test::Tp(0, 11000, "T0"), test::Tp(0, 11100, "T1"),
                                 test::Tp(1, 11200, "T2")});
        std::vector<ServiceRecord> tv;
        for (int i = 0; i < 10; ++i) tv.push_back(test::Channel(0, "ch" + std::to_string(i)));
        test::AddAll(db, kTv, tv);
        test::AddAll(db, kRadio, std::vector{test::Channel(1, "r0"), test::Channel(1, "r1")});
        db.UpdateActiveMarks();
        Show();
        // Tall enough that every TV row is seen, with room below the last.
        Window(kTv).MoveTo(QRect(Window(kTv).geometry().topLeft(), QSize(312, 150 + 25 * 12)));
        for (auto& window : owned) window->show();
        QApplication::processEvents();
    }
};

QPoint RowCentre(app::ListView& view, int row) {
    return view.visualRect(view.model()->index(row, 1)).center();
}

// Drags `rows` of `from` and drops them at `at` in `onto`, as the views do;
// returns the message a refused drop showed.
QString Drag(ListWindows& w, int from, std::vector<int> rows, int onto, QPoint at) {
    w.View(from).clearSelection();
    for (int row : rows) w.Control(from).SetRowSelected(row, true);
    emit w.View(from).dragStarting();
    std::unique_ptr<QMimeData> data(w.View(from).MakeDragData(rows));
    test::MessageBoxAnswerer answerer;
    w.View(onto).HandleDrop(data.get(), at);
    return answerer.seen().empty() ? QString() : answerer.seen().back().text;
}

QStringList Channels(std::initializer_list<int> order) {
    QStringList names;
    for (int i : order) names << QStringLiteral("ch%1").arg(i);
    return names;
}

}  // namespace

class ListDndTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { test::ForgetListRects(); }

    void rowsMoveWithinAList() {
        Filled w;
        app::ListView& tv = w.View(kTv);
        QCOMPARE(Drag(w, kTv, {3, 4, 5}, kTv, RowCentre(tv, 4)),
                 QString("An item can't be dropped onto itself"));
        QCOMPARE(w.Names(kTv), Channels({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

        QCOMPARE(Drag(w, kTv, {3, 4, 5}, kTv, RowCentre(tv, 7)), QString());
        QCOMPARE(w.Names(kTv), Channels({0, 1, 2, 6, 7, 3, 4, 5, 8, 9}));
        QCOMPARE(w.Control(kTv).SelectedRows(), (std::vector<int>{5, 6, 7}));  // the moved rows
        QVERIFY(w.db.modified);

        // Below the last row: after the end.
        const QPoint below(20, tv.rowViewportPosition(9) + tv.rowHeight(9) + 30);
        QVERIFY(below.y() < tv.viewport()->height());
        QCOMPARE(tv.DropRowAt(below), 10);
        QCOMPARE(Drag(w, kTv, {0, 1}, kTv, below), QString());
        QCOMPARE(w.Names(kTv), Channels({2, 6, 7, 3, 4, 5, 8, 9, 0, 1}));
    }

    void childrenDroppedOnAParentAreReparented() {
        Filled w;
        // T0 and T1 onto S1.
        QCOMPARE(Drag(w, kTransponder, {0, 1}, kSatellite, RowCentre(w.View(kSatellite), 1)),
                 QString());
        for (const Record& r : w.db.list(kTransponder).records())
            QCOMPARE(w.db.layout().SatelliteRefOf(r), 1);
        // The windows follow S1, and the moved transponders stay selected.
        QCOMPARE(w.Control(kSatellite).SelectedRows(), std::vector<int>{1});
        QCOMPARE(w.Names(kTransponder), QStringList({"T0", "T1", "T2"}));
        QCOMPARE(w.Control(kTransponder).SelectedRows(), (std::vector<int>{0, 1}));
    }

    // Plain text, and our format with another marker word, are foreign.
    void foreignDataIsRefused() {
        Filled w;
        w.db.modified = 0;
        QMimeData text, marked;
        text.setText("ch1");
        std::vector<uint8_t> payload = app::EncodeDragPayload({1, 0, 0, 0}, {});
        marked.setData(app::ListView::kMimeType,
                       QByteArray(reinterpret_cast<const char*>(payload.data()), payload.size()));
        for (QMimeData* data : {&text, &marked}) {
            test::MessageBoxAnswerer answerer;
            QVERIFY(!w.View(kTv).HandleDrop(data, RowCentre(w.View(kTv), 2)));
            QVERIFY(answerer.SawOnly("Message", "List -- Source control not defined"));
        }
        QCOMPARE(w.Names(kTv), Channels({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
        QCOMPARE(w.db.modified, 0u);
    }

    void dragOverHighlightsAndScrollsInTheMargins() {
        Filled w;
        app::ListView& radio = w.View(kRadio);
        // A small TV list, to scroll it.
        app::ListView& list = w.View(kTv);
        w.Window(kTv).MoveTo(QRect(w.Window(kTv).geometry().topLeft(), QSize(312, 150)));
        QApplication::processEvents();
        std::unique_ptr<QMimeData> data(radio.MakeDragData({0}));

        QDragEnterEvent enter(RowCentre(list, 0), Qt::MoveAction, data.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QCOMPARE(list.DropHighlightRow(), 0);
        QDragMoveEvent over(RowCentre(list, 1), Qt::MoveAction, data.get(), Qt::LeftButton,
                            Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &over);
        QCOMPARE(list.DropHighlightRow(), 1);
        QVERIFY(!list.AutoScrollRunning());

        const QPoint bottom(20, list.viewport()->height() - 4);
        QDragMoveEvent low(bottom, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &low);
        QVERIFY(list.AutoScrollRunning());
        const int first = list.rowAt(0);
        list.AutoScrollTick();
        QCOMPARE(list.rowAt(0), first + 1);
        QCOMPARE(list.DropHighlightRow(), list.rowAt(bottom.y()));
        // Down to the end, where the timer stops.
        for (int i = 0; i < 20 && list.AutoScrollRunning(); ++i) list.AutoScrollTick();
        QVERIFY(!list.AutoScrollRunning());
        QCOMPARE(list.verticalScrollBar()->value(), list.verticalScrollBar()->maximum());

        QDragLeaveEvent leave;
        QApplication::sendEvent(list.viewport(), &leave);
        QCOMPARE(list.DropHighlightRow(), -1);
    }
};

QTEST_MAIN(ListDndTest)
#include "list_dnd_test.moc"
