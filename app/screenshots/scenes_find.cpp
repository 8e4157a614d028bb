// A TV window narrowed by an Arabic word typed into its find field, and the
// in-place editor F2 opens on a name.
#include <QLineEdit>

#include "app/lists/list_view.h"
#include "app/lists/list_window.h"
#include "app/panel/main_panel.h"
#include "app/screenshots/scene_registry.h"
#include "app/settings/fonts.h"
#include "tests/app/support/gui_test_support.h"

namespace {

using namespace brondavel;

// The TV window alone at a known place, a little larger than by default.
app::ListWindow& ShownTv(app::MainPanel& panel) {
    panel.MoveTo(QRect(QPoint(3, 3), panel.size()));
    panel.show();
    app::ListWindow& tv = *panel.Window(kTv);
    tv.MoveTo(QRect(QPoint(40, 320), QSize(312 + 34, 150 + 25)));
    tv.show();
    tv.activateWindow();
    return tv;
}

}  // namespace

BRONDAVEL_SCENE("find_arabic") {
    app::LoadApplicationFonts();
    app::MainPanel panel(test::DemoPanelOptions());
    app::ListWindow& tv = ShownTv(panel);
    shot.Settle(200);
    tv.OpenFind();
    tv.FindField()->setText(QStringLiteral("النيل"));
    shot.SaveWindow(&tv, "find_arabic");
}

BRONDAVEL_SCENE("find_rename") {
    app::LoadApplicationFonts();
    app::MainPanel panel(test::DemoPanelOptions());
    app::ListWindow& tv = ShownTv(panel);
    shot.Settle(200);
    tv.View()->selectRow(4);
    tv.StartRename(4);
    shot.SaveWindow(&tv, "find_rename");
}
