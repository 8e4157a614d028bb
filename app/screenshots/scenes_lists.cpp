// The five list windows on the demo database, docked around the main panel at
// their default places, wider windows with more of the names, and a channel's
// context menu.
#include <QMenu>

#include "app/lists/list_view.h"
#include "app/lists/list_window.h"
#include "app/panel/main_panel.h"
#include "app/screenshots/scene_registry.h"
#include "app/settings/fonts.h"
#include "tests/app/support/gui_test_support.h"

namespace {

using namespace brondavel;

// The panel at its default place with all five windows docked around it as
// their default places are laid out, whatever an earlier run stored.
void PlaceAll(app::MainPanel& panel) {
    panel.MoveTo(QRect(QPoint(3, 3), panel.size()));
    panel.show();
    const int right = panel.frameGeometry().right() + 1;
    const int below = panel.frameGeometry().bottom() + 1;
    const QList<QPoint> places = {
        {right, 3}, {right, 153}, {right + 312, 3}, {right + 312, 153}, {3, below}};
    for (int kind = 0; kind < 5; ++kind) {
        app::ListWindow& w = *panel.Window(kind);
        w.MoveTo(QRect(places[kind], QSize(312, 150)));
        w.show();
    }
    panel.RecomputeDocking();
}

}  // namespace

BRONDAVEL_SCENE("lists_docked") {
    app::LoadApplicationFonts();
    app::MainPanel panel(test::DemoPanelOptions());
    PlaceAll(panel);
    // A satellite clicked: its transponders and channels, parents marked.
    app::ListWindow& satellites = *panel.Window(kSatellite);
    satellites.View()->selectRow(2);
    satellites.ClickRow(2);
    shot.SaveScreenArea(QRect(0, 0, 1140, 310), "lists_docked");
}

BRONDAVEL_SCENE("lists_wide") {
    app::LoadApplicationFonts();
    app::MainPanel panel(test::DemoPanelOptions());
    PlaceAll(panel);
    // Grown by two steps and six: more of the names, Arabic ones included.
    for (int kind : {kTv, kRadio}) {
        app::ListWindow& w = *panel.Window(kind);
        const QPoint at = w.geometry().topLeft() + QPoint(0, kind == kRadio ? 150 : 0);
        w.MoveTo(QRect(at, QSize(312 + 68, 150 + 150)));
    }
    shot.SaveScreenArea(QRect(0, 0, 1200, 620), "lists_wide");
}

BRONDAVEL_SCENE("lists_context_menu") {
    app::LoadApplicationFonts();
    app::MainPanel panel(test::DemoPanelOptions());
    PlaceAll(panel);
    app::ListWindow& tv = *panel.Window(kTv);
    tv.View()->selectRow(1);
    tv.ClickRow(1);
    // A right click on row 3 selects it, then the menu opens there.
    tv.View()->selectRow(3);
    std::unique_ptr<QMenu> menu = tv.PrepareContextMenu(3);
    const QPoint at = tv.View()->viewport()->mapToGlobal(
        tv.View()->visualRect(tv.View()->model()->index(3, 2)).center());
    menu->popup(at);
    shot.Settle(200);
    if (QMenu* sort = menu->findChild<QMenu*>("menuSort")) {
        menu->setActiveAction(sort->menuAction());
        sort->popup(menu->geometry().topRight() +
                    QPoint(0, menu->actionGeometry(sort->menuAction()).top()));
    }
    shot.SaveScreenArea(QRect(0, 0, 1280, 500), "lists_context_menu");
    menu->close();
}
