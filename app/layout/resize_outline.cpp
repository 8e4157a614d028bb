#include "app/layout/resize_outline.h"

#include <QPainter>
#include <QRegion>

namespace brondavel::app {

ResizeOutline::ResizeOutline()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setObjectName(QStringLiteral("resizeOutline"));
}

void ResizeOutline::ShowAround(const QRect& frame) {
    setGeometry(frame);
    if (!isVisible()) {
        show();
        raise();
    }
    update();
}

void ResizeOutline::resizeEvent(QResizeEvent*) {
    // Only the one-pixel ring belongs to the window.
    setMask(QRegion(rect()).subtracted(QRegion(rect().adjusted(1, 1, -1, -1))));
}

void ResizeOutline::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QPen dots(Qt::black, 1, Qt::DotLine);
    painter.setPen(dots);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace brondavel::app
