#include "app/lists/list_rect_store.h"

#include "app/logic/kind_traits.h"
#include "app/settings/registry_value.h"
#include "app/settings/settings_paths.h"

namespace brondavel::app {

namespace {

RegistryValue RectValue(RecordKind kind) {
    return RegistryValue(RegistryValue::kRectangle, kRegistryKeyPath, TraitsOf(kind).rectangleName);
}

}  // namespace

std::optional<QRect> ReadListRect(RecordKind kind) {
    QRect rect;
    if (!RectValue(kind).Read(&rect) || rect.width() <= 0 || rect.height() <= 0)
        return std::nullopt;
    return rect;
}

void WriteListRect(RecordKind kind, const QRect& rect) {
    RectValue(kind).Write(rect);
}

}  // namespace brondavel::app
