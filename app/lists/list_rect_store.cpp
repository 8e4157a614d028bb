#include "app/lists/list_rect_store.h"

#include <QSettings>
#include <string>

#include "app/logic/list_window_kinds.h"
#include "app/logic/stored_numbers.h"

namespace brondavel::app {

namespace {

// The settings file and key of the application's other stored values.
QSettings Store() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Brondavel"),
                     QStringLiteral("Brondavel"));
}
QString Key(int kind) {
    return QStringLiteral("SOFTWARE/Microsoft/Brondavel/") + RectangleValueName(kind);
}

}  // namespace

std::optional<QRect> ReadListRect(int kind) {
    const QVariant value = Store().value(Key(kind));
    if (!value.isValid()) return std::nullopt;
    const std::vector<int> n = ReadStoredNumbers(value.toString().toStdString(), 4);
    if (n.size() != 4 || n[2] <= 0 || n[3] <= 0) return std::nullopt;
    return QRect(n[0], n[1], n[2], n[3]);
}

void WriteListRect(int kind, const QRect& rect) {
    Store().setValue(Key(kind), QString::fromStdString(WriteRectangle(
                                    rect.x(), rect.y(), rect.width(), rect.height())));
}

}  // namespace brondavel::app
