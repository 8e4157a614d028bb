// Placeholder scene until the panel's scenes exist.
#include <QLabel>

#include "tests/app/screenshots/scene_registry.h"

BRONDAVEL_SCENE("00_skeleton") {
    QLabel label("Brondavel");
    label.show();
    shot.SaveWindow(&label, "00_skeleton");
}
