#include "app/panel/rotated_caption.h"

#include <QPainter>

#include "app/settings/fonts.h"

namespace brondavel::app {

RotatedCaption::RotatedCaption(QWidget* parent) : QWidget(parent) {
    setFont(BoldCaptionFont(13));
}

void RotatedCaption::setText(const QString& text) {
    text_ = text;
    update();
}

void RotatedCaption::paintEvent(QPaintEvent*) {
    if (text_.isEmpty()) return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.translate(0, height());
    painter.rotate(-90);
    painter.drawText(QRect(0, 0, height(), width()), Qt::AlignCenter, text_);
}

}  // namespace brondavel::app
