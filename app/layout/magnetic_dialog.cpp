#include "app/layout/magnetic_dialog.h"

#include <QMouseEvent>

namespace brondavel::app {

MagneticDialog::MagneticDialog(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {}

MagneticDialog::~MagneticDialog() = default;

bool MagneticDialog::AddPartner(MagneticDialog* partner) {
    if (partner == this || partner == nullptr || partners_.size() >= 10) return false;
    partners_.push_back(partner);
    return true;
}

void MagneticDialog::RecomputeDocking() {}

void MagneticDialog::MoveTo(const QRect& frame) {
    setGeometry(frame);
    ApplyAnchors();
    ResizeHook(width() - baseSize_.width(), height() - baseSize_.height());
}

void MagneticDialog::SetTranslucent(bool on) {
    setWindowOpacity(on ? 0.7 : 1.0);
}

void MagneticDialog::SetBodyDrag(bool on) {
    bodyDrag_ = on;
}
void MagneticDialog::SetGroupMove(bool on) {
    groupMove_ = on;
}

void MagneticDialog::SetGripResize(bool on, QSize step) {
    gripResize_ = on;
    step_ = step;
    baseSize_ = size();
}

void MagneticDialog::AddAnchor(QWidget* child, int flags) {
    anchors_.push_back({child, flags, child->geometry()});
}

void MagneticDialog::ApplyAnchors() {
    if (baseSize_.isEmpty()) return;
    const int dx = width() - baseSize_.width(), dy = height() - baseSize_.height();
    for (const Anchor& a : anchors_) {
        QRect r = a.base;
        if (a.flags & kAnchorRight) r.translate(dx, 0);
        if (a.flags & kAnchorBottom) r.translate(0, dy);
        if (a.flags & kAnchorStretch) r.adjust(0, 0, dx, dy);
        a.child->setGeometry(r);
    }
}

void MagneticDialog::mousePressEvent(QMouseEvent* event) {
    if (bodyDrag_ && event->button() == Qt::LeftButton) {
        dragging_ = true;
        pressOffset_ = event->globalPosition().toPoint() - pos();
    }
    QWidget::mousePressEvent(event);
}

void MagneticDialog::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) move(event->globalPosition().toPoint() - pressOffset_);
    QWidget::mouseMoveEvent(event);
}

void MagneticDialog::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

void MagneticDialog::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ApplyAnchors();
}

}  // namespace brondavel::app
