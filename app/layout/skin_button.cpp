#include "app/layout/skin_button.h"

#include <QPainter>

namespace brondavel::app {

SkinButton::SkinButton(QPixmap released, QPixmap pressed, QWidget* parent)
    : QAbstractButton(parent), released_(std::move(released)), pressed_(std::move(pressed)) {
    setFocusPolicy(Qt::NoFocus);
    resize(sizeHint());
}

SkinButton* SkinButton::CloseButton(QWidget* parent) {
    auto* button = new SkinButton(QPixmap(QStringLiteral(":/skin/close_normal.png")),
                                  QPixmap(QStringLiteral(":/skin/close_pressed.png")), parent);
    button->setToolTip(tr("Close"));
    return button;
}

QSize SkinButton::sizeHint() const {
    return released_.isNull() ? QSize(16, 16) : released_.size();
}

void SkinButton::paintEvent(QPaintEvent*) {
    const QPixmap& picture = isDown() && !pressed_.isNull() ? pressed_ : released_;
    if (picture.isNull()) return;
    QPainter painter(this);
    // Centred, so a button laid out larger than its picture still looks right.
    const QPoint at((width() - picture.width()) / 2, (height() - picture.height()) / 2);
    painter.drawPixmap(at, picture);
}

}  // namespace brondavel::app
