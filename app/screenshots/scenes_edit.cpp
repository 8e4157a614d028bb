// The three record dialogs of both receiver generations on demo records; the
// channel is one with an Arabic name.
#include <memory>

#include "app/edit/edit_dialogs.h"
#include "app/screenshots/scene_registry.h"
#include "tests/app/support/gui_test_support.h"

namespace {

using namespace brondavel;

void ShootDialog(test::ShotContext& shot, int model, int kind, int row, const char* name) {
    auto db = test::DemoDatabaseFor(model);
    auto dialog = app::CreateEditDialog(nullptr, kind, db.get(), row);
    dialog->move(40, 40);
    dialog->show();
    shot.SaveWindow(dialog.get(), name);
}

}  // namespace

// Demo TV channel 4 carries an Arabic name; satellite 2 is at 7.0 West.
BRONDAVEL_SCENE("edit_satellite_first") {
    ShootDialog(shot, 2, kSatellite, 2, "edit_satellite_first");
}
BRONDAVEL_SCENE("edit_satellite_second") {
    ShootDialog(shot, 0, kSatellite, 2, "edit_satellite_second");
}
BRONDAVEL_SCENE("edit_transponder_first") {
    ShootDialog(shot, 2, kTransponder, 3, "edit_transponder_first");
}
BRONDAVEL_SCENE("edit_transponder_second") {
    ShootDialog(shot, 0, kTransponder, 3, "edit_transponder_second");
}
BRONDAVEL_SCENE("edit_channel_first") {
    ShootDialog(shot, 2, kTv, 4, "edit_channel_first");
}
BRONDAVEL_SCENE("edit_channel_second") {
    ShootDialog(shot, 0, kTv, 4, "edit_channel_second");
}
