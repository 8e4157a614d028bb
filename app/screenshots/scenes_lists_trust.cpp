// A TV list of long Arabic names, the favourite-group submenu of the TV
// list, and the question a satellite delete asks first.
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include "app/lists/list_view.h"
#include "app/lists/list_window.h"
#include "app/panel/main_panel.h"
#include "app/screenshots/scene_registry.h"
#include "app/settings/fonts.h"
#include "model/record_rename.h"
#include "tests/app/gui/list_windows_fixture.h"
#include "tests/app/support/gui_test_support.h"

namespace {

using namespace brondavel;

const char* const kLongArabicNames[] = {
    "إذاعة القرآن الكريم", "قناة النيل 1",         "الجزيرة الوثائقية", "العربية الحدث",
    "الثقافية السعودية",   "أفلام الأبيض والأسود", "قناة الأطفال",      "Sport Plus"};

void ShowAt(app::ListWindow& window, QPoint at) {
    window.MoveTo(QRect(at, QSize(312 + 34, 150 + 50)));
    window.show();
    window.activateWindow();
}

}  // namespace

BRONDAVEL_SCENE("lists_arabic_names") {
    app::LoadApplicationFonts();
    test::ForgetListRects();
    test::ListWindows w;
    w.Load();
    test::AddAll(w.db, kSatellite, std::vector{test::Sat(70, "Nilesat")});
    test::AddAll(w.db, kTransponder, std::vector{test::Tp(0, 11747, "T0")});
    std::vector<ServiceRecord> channels(std::size(kLongArabicNames), test::Channel(0, "c"));
    test::AddAll(w.db, kTv, channels);
    w.Show();
    // Stored as the receiver stores them: shaped, in visual order.
    for (int row = 0; row < static_cast<int>(std::size(kLongArabicNames)); ++row)
        RenameRow(w.db, kTv, row, kLongArabicNames[row]);
    w.Window(kTv).RefreshList();
    ShowAt(w.Window(kTv), QPoint(40, 40));
    shot.Settle(200);
    shot.SaveWindow(&w.Window(kTv), "lists_arabic_names");
}

BRONDAVEL_SCENE("lists_favourite_groups") {
    app::LoadApplicationFonts();
    app::MainPanel panel(test::DemoPanelOptions());
    app::ListWindow& tv = *panel.Window(kTv);
    ShowAt(tv, QPoint(40, 40));
    shot.Settle(200);
    tv.View()->selectRow(2);
    std::unique_ptr<QMenu> menu = tv.PrepareContextMenu(2);
    const QPoint at = tv.View()->viewport()->mapToGlobal(
        tv.View()->visualRect(tv.View()->model()->index(2, 2)).center());
    menu->popup(at);
    shot.Settle(200);
    if (QMenu* add = menu->findChild<QMenu*>("menuAddToGroup")) {
        menu->setActiveAction(add->menuAction());
        add->popup(menu->geometry().topRight() +
                   QPoint(0, menu->actionGeometry(add->menuAction()).top()));
    }
    shot.SaveScreenArea(QRect(0, 0, 1000, 760), "lists_favourite_groups");
    menu->close();
}

BRONDAVEL_SCENE("lists_delete_question") {
    app::LoadApplicationFonts();
    app::MainPanel panel(test::DemoPanelOptions());
    app::ListWindow& satellites = *panel.Window(kSatellite);
    ShowAt(satellites, QPoint(40, 40));
    shot.Settle(200);
    satellites.View()->selectRow(0);
    // The question is a modal box: it is taken once it shows, then answered No.
    QTimer::singleShot(300, [&shot] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shot.Settle(200);
            shot.SaveWindow(box, "lists_delete_question");
            box->reject();
        }
    });
    satellites.DeleteSelection();
}
