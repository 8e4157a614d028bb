// The magnetic frame on its own: two skinned windows docked side by side, one
// grown by a grip step, with the close button and the grip.
#include <QLabel>
#include <QListWidget>

#include "app/layout/magnetic_dialog.h"
#include "app/layout/skin_button.h"
#include "app/screenshots/scene_registry.h"

using brondavel::app::MagneticDialog;

namespace {

void Furnish(MagneticDialog& window, const QString& title) {
    window.resize(310, 150);
    window.SetSkin(brondavel::app::ListWindowSkin());
    window.SetCursors(brondavel::app::SkinCursors());
    auto* label = new QLabel(title, &window);
    label->setGeometry(12, 10, 117, 26);
    auto* list = new QListWidget(&window);
    list->addItems({"Astra 19.2E", "Hotbird 13.0E", "Nilesat 7.0W", "Arabsat 26.0E"});
    list->setGeometry(12, 39, 282, 98);
    auto* close = brondavel::app::SkinButton::CloseButton(&window);
    close->move(270, 10);
    window.AddAnchor(label, 0);
    window.AddAnchor(list, MagneticDialog::kAnchorStretch);
    window.AddAnchor(close, MagneticDialog::kAnchorRight);
    window.SetBodyDrag(true);
    window.SetGripResize(true, QSize(34, 25));
}

}  // namespace

BRONDAVEL_SCENE("magnetic_docked") {
    MagneticDialog left, right;
    Furnish(left, "Satellite");
    Furnish(right, "Transponder");
    left.AddPartner(&right);
    right.AddPartner(&left);
    left.MoveTo(QRect(20, 20, 310, 150));
    right.MoveTo(QRect(330, 20, 310 + 34, 150 + 25));
    left.show();
    right.show();
    left.RecomputeDocking();
    shot.SaveScreenArea(QRect(10, 10, 650, 200), "magnetic_docked");
}
