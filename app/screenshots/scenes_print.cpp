// The print preview of the demo's TV list, and the desktop entry's icon at
// the 48 pixels a menu shows.
#include <QLabel>
#include <QVBoxLayout>

#include "app/panel/main_panel.h"
#include "app/print/print_commands.h"
#include "app/screenshots/scene_registry.h"
#include "tests/app/support/gui_test_support.h"

using namespace brondavel::app;

BRONDAVEL_SCENE("print_preview") {
    MainPanel panel(brondavel::test::DemoPanelOptions());
    for (int kind = 0; kind < brondavel::kKindCount; ++kind) panel.Window(kind)->hide();
    ChannelSheetOptions options;
    options.radio = false;
    ChannelSheetPreview preview(nullptr, panel.File()->db(), panel.PathText(), options);
    preview.setGeometry(40, 40, 900, 900);
    preview.show();
    shot.Settle(1500);
    shot.SaveWindow(&preview, "print_preview");
}

BRONDAVEL_SCENE("icon_48") {
    QWidget tile;
    tile.setStyleSheet("background: #f0f0f0");
    auto* icon = new QLabel(&tile);
    icon->setPixmap(QPixmap(":/icons/hicolor/48x48/apps/brondavel.png"));
    icon->setAlignment(Qt::AlignCenter);
    auto* name = new QLabel("Brondavel", &tile);
    name->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(&tile);
    layout->addWidget(icon);
    layout->addWidget(name);
    tile.setWindowTitle("Brondavel");
    tile.setGeometry(40, 40, 120, 100);
    tile.show();
    shot.SaveWindow(&tile, "icon_48");
}
