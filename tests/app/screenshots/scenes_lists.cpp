// The five list windows on the demo database, placed at their default spots
// around the main panel's place, and a channel's context menu.
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <array>
#include <memory>

#include "app/lists/list_view.h"
#include "app/lists/list_window.h"
#include "model/demo_database.h"
#include "model/first_gen_database.h"
#include "model/first_gen_layout.h"
#include "tests/app/screenshots/scene_registry.h"

namespace {

using namespace brondavel;

struct DemoWindows {
    FirstGenDatabase db;
    app::ListControlArray controls{};
    app::ListWindowArray windows{};
    std::array<std::unique_ptr<app::ListWindow>, 5> owned;
    QLabel panel;  // where the main panel stands

    DemoWindows() {
        const char* tahoma = "/usr/share/wine/fonts/tahoma.ttf";
        if (QFile::exists(tahoma)) QFontDatabase::addApplicationFont(tahoma);
        db.LoadImage(std::vector<uint8_t>(FirstGenImage::kSize, 0));
        FillFirstGenDemo(db);
        panel.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        panel.setText("Brondavel");
        panel.setAlignment(Qt::AlignCenter);
        panel.setStyleSheet("background: #30405a; color: white; font-size: 20px");
        panel.setGeometry(3, 3, 306, 150);
        panel.show();
        for (int kind = 0; kind < 5; ++kind) {
            owned[kind] = std::make_unique<app::ListWindow>(nullptr, 2, kind, &controls, &windows);
            owned[kind]->SetDatabase(&db, 2);
            owned[kind]->RefreshList();
        }
        // Default places, whatever an earlier run stored.
        const QList<QPoint> places = {{309, 3}, {309, 153}, {615, 3}, {615, 153}, {3, 153}};
        for (int kind = 0; kind < 5; ++kind) {
            owned[kind]->MoveTo(QRect(places[kind], QSize(312, 150)));
            owned[kind]->show();
        }
    }
};

}  // namespace

BRONDAVEL_SCENE("lists_docked") {
    DemoWindows demo;
    // A satellite clicked: its transponders and channels, parents marked.
    demo.owned[kSatellite]->View()->selectRow(2);
    demo.owned[kSatellite]->ClickRow(2);
    shot.SaveScreenArea(QRect(0, 0, 930, 306), "lists_docked");
}

BRONDAVEL_SCENE("lists_wide") {
    DemoWindows demo;
    // Wider and taller windows show more of the names, Arabic ones included.
    for (int kind : {kTv, kRadio}) {
        app::ListWindow& w = *demo.owned[kind];
        w.MoveTo(QRect(w.geometry().topLeft() + QPoint(0, kind == kRadio ? 150 : 0),
                       w.size() + QSize(68, 150)));
    }
    shot.SaveScreenArea(QRect(0, 0, 1000, 610), "lists_wide");
}

BRONDAVEL_SCENE("lists_context_menu") {
    DemoWindows demo;
    app::ListWindow& tv = *demo.owned[kTv];
    tv.View()->selectRow(1);
    tv.ClickRow(1);
    std::unique_ptr<QMenu> menu = tv.PrepareContextMenu(3);
    const QPoint at = tv.View()->viewport()->mapToGlobal(
        tv.View()->visualRect(tv.View()->model()->index(3, 2)).center());
    menu->popup(at);
    shot.Settle(200);
    QMenu* sort = menu->findChild<QMenu*>("menuSort");
    if (sort) {
        menu->setActiveAction(sort->menuAction());
        sort->popup(menu->geometry().topRight() +
                    QPoint(0, menu->actionGeometry(sort->menuAction()).top()));
    }
    shot.SaveScreenArea(QRect(0, 0, 1100, 500), "lists_context_menu");
    if (sort) sort->close();
    menu->close();
}
