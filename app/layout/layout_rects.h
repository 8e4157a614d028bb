// Qt's rectangles and the layout's plain ones, which end just outside.
#pragma once

#include <QRect>

#include "app/logic/magnetic_layout.h"

namespace brondavel::app {

inline Rect ToRect(const QRect& r) {
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

inline QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

}  // namespace brondavel::app
