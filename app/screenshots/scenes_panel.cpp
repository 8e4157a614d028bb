// The main panel idle and during a transfer, the configuration dialog in both
// sizes, and the password and about dialogs.
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>

#include "app/dialogs/about_dialog.h"
#include "app/dialogs/configuration_dialog.h"
#include "app/dialogs/password_dialog.h"
#include "app/panel/main_panel.h"
#include "app/screenshots/scene_registry.h"
#include "app/settings/settings_paths.h"
#include "tests/app/support/gui_test_support.h"

using namespace brondavel::app;
using brondavel::test::ById;

namespace {

void HideListWindows(MainPanel& panel) {
    for (int kind = 0; kind < brondavel::kKindCount; ++kind) panel.Window(kind)->hide();
}

}  // namespace

BRONDAVEL_SCENE("panel_idle") {
    MainPanel panel(brondavel::test::DemoPanelOptions());
    HideListWindows(panel);
    panel.move(40, 40);
    panel.show();
    shot.SaveWindow(&panel, "panel_idle");
}

// What a new user sees: no stored places, the windows docked below the panel.
BRONDAVEL_SCENE("first_start_layout") {
    QFile::remove(RegistryFilePath());
    MainPanel panel(brondavel::test::DemoPanelOptions());
    panel.show();
    QRect area = panel.frameGeometry();
    for (int kind = 0; kind < brondavel::kKindCount; ++kind)
        if (panel.Window(kind)->isVisible()) area |= panel.Window(kind)->frameGeometry();
    shot.SaveScreenArea(area.adjusted(-3, -3, 3, 3), "first_start_layout");
}

BRONDAVEL_SCENE("panel_transfer") {
    MainPanel panel(brondavel::test::DemoPanelOptions());
    HideListWindows(panel);
    panel.move(40, 40);
    panel.show();
    // The controls a running transfer shows, at 42 %.
    for (int id : {1001, 1007, 1004, 1002, 1005, 1003}) ById(&panel, id)->hide();
    ById<QProgressBar>(&panel, 1006)->setValue(42);
    ById(&panel, 1006)->show();
    ById(&panel, 1008)->show();
    ById<QLabel>(&panel, 1016)->setText("Downloading..");
    shot.SaveWindow(&panel, "panel_transfer");
}

BRONDAVEL_SCENE("configuration_user") {
    MainPanel panel;
    ConfigurationDialog dialog(nullptr, &panel.Link(), nullptr, ConfigurationValues{});
    dialog.move(60, 60);
    dialog.show();
    shot.SaveWindow(&dialog, "configuration_user");
}

BRONDAVEL_SCENE("configuration_administrator") {
    MainPanel panel(brondavel::test::DemoPanelOptions());
    HideListWindows(panel);
    ConfigurationValues values;
    values.account = 2;
    ConfigurationDialog dialog(nullptr, &panel.Link(), panel.File(), values);
    dialog.move(60, 60);
    dialog.show();
    shot.SaveWindow(&dialog, "configuration_administrator");
}

BRONDAVEL_SCENE("password") {
    PasswordDialog dialog;
    dialog.move(60, 60);
    dialog.show();
    shot.SaveWindow(&dialog, "password");
}

BRONDAVEL_SCENE("about") {
    AboutDialog dialog;
    dialog.move(60, 60);
    dialog.show();
    shot.SaveWindow(&dialog, "about");
}

BRONDAVEL_SCENE("panel_file_menu") {
    MainPanel panel(brondavel::test::DemoPanelOptions());
    HideListWindows(panel);
    panel.move(40, 40);
    panel.show();
    // A step to undo, so the menu names it.
    panel.Window(brondavel::kTv)->Sort(brondavel::SortOrder::kOriginal);
    std::unique_ptr<QMenu> menu = panel.BuildFileMenu();
    menu->popup(ById(&panel, 1001)->mapToGlobal(QPoint(0, 0)));
    shot.Settle(200);
    shot.SaveScreenArea(QRect(0, 0, 700, 500), "panel_file_menu");
    menu->close();
}
