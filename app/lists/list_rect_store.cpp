#include "app/lists/list_rect_store.h"

#include "app/logic/list_window_kinds.h"
#include "app/settings/registry_value.h"
#include "app/settings/settings_paths.h"

namespace brondavel::app {

namespace {

RegistryValue RectValue(int kind) {
    return RegistryValue(RegistryValue::kRectangle, kRegistryKeyPath, RectangleValueName(kind));
}

}  // namespace

std::optional<QRect> ReadListRect(int kind) {
    QRect rect;
    if (!RectValue(kind).Read(&rect) || rect.width() <= 0 || rect.height() <= 0)
        return std::nullopt;
    return rect;
}

void WriteListRect(int kind, const QRect& rect) {
    RectValue(kind).Write(rect);
}

}  // namespace brondavel::app
