#include "app/layout/magnetic_dialog.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>

#include "app/layout/layout_rects.h"
#include "app/layout/resize_outline.h"

namespace brondavel::app {

namespace {

constexpr int kPlainGrip = 16;
constexpr qreal kTranslucentOpacity = 0.6;

}  // namespace

Rect MagneticDialog::Host::Frame() const {
    return ToRect(dialog_.frameGeometry());
}

bool MagneticDialog::Host::IsShown() const {
    return dialog_.isVisible();
}

void MagneticDialog::Host::PlaceFrame(const Rect& frame) {
    dialog_.move(frame.left, frame.top);
}

MagneticDialog::MagneticDialog(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setMouseTracking(true);
}

MagneticDialog::~MagneticDialog() = default;

bool MagneticDialog::AddPartner(MagneticDialog* partner) {
    return partner != nullptr && layout_.AddPartner(&partner->layout_);
}

Dock MagneticDialog::DockWith(const MagneticDialog* partner) const {
    return partner == nullptr ? Dock::kNone : layout_.DockWith(&partner->layout_);
}

void MagneticDialog::RecomputeDocking() {
    layout_.RecomputeDocking();
}

void MagneticDialog::MoveTo(const QRect& frame) {
    hookCalled_ = false;
    move(frame.topLeft());
    resize(frame.size());
    // A hidden window gets its resize event only when shown; the children and
    // the hook must follow now.
    if (!hookCalled_) {
        ApplyAnchors();
        CallResizeHook();
    }
    update();
    layout_.ValidateDocks();
}

void MagneticDialog::SetTranslucent(bool on) {
    setWindowOpacity(on ? kTranslucentOpacity : 1.0);
    if (!on) update();
}

void MagneticDialog::SetBodyDrag(bool on) {
    bodyDrag_ = on;
}

void MagneticDialog::SetGroupMove(bool on) {
    layout_.SetGroupMove(on);
}

void MagneticDialog::SetGripResize(bool on, QSize step) {
    gripResize_ = on;
    step_ = step;
    baseSize_ = size();
}

void MagneticDialog::AddAnchor(QWidget* child, int flags) {
    if (child == nullptr) return;
    const Rect reference = ToRect(child->geometry());
    const bool known = std::any_of(anchors_.begin(), anchors_.end(), [&](const Anchor& a) {
        return a.child == child && a.flags == flags && a.reference == reference &&
               a.referenceWindow == size();
    });
    if (!known) anchors_.push_back({child, flags, reference, size()});
}

void MagneticDialog::ApplyAnchors() {
    for (const Anchor& a : anchors_) {
        if (a.flags == 0 || a.child.isNull()) continue;
        const int dx = width() - a.referenceWindow.width();
        const int dy = height() - a.referenceWindow.height();
        a.child->setGeometry(ToQRect(PlaceAnchored(a.reference, a.flags, dx, dy)));
    }
}

void MagneticDialog::CallResizeHook() {
    hookCalled_ = true;
    ResizeHook(width() - baseSize_.width(), height() - baseSize_.height());
}

void MagneticDialog::SetSkin(const MagneticSkin& skin) {
    skin_ = skin;
    update();
}

void MagneticDialog::SetCursors(const MagneticCursors& cursors) {
    cursors_ = cursors;
    shownCursor_ = CursorKind::kNormal;
    setCursor(cursors_.normal);
}

QRect MagneticDialog::GripArea() const {
    const QRect grip = skin_.GripArea(size());
    if (!grip.isEmpty()) return grip;
    return QRect(width() - kPlainGrip, height() - kPlainGrip, kPlainGrip, kPlainGrip);
}

void MagneticDialog::UpdateCursor(const QPoint& local) {
    const CursorKind wanted = mode_ == Mode::kResizing                    ? CursorKind::kResizing
                              : gripResize_ && GripArea().contains(local) ? CursorKind::kGrip
                                                                          : CursorKind::kNormal;
    // Set only on a change: a bitmap cursor is a new server resource each time.
    if (wanted == shownCursor_) return;
    shownCursor_ = wanted;
    setCursor(wanted == CursorKind::kResizing ? cursors_.resizing
              : wanted == CursorKind::kGrip   ? cursors_.grip
                                              : cursors_.normal);
}

void MagneticDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || mode_ != Mode::kIdle) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint local = event->position().toPoint();
    const QPoint global = event->globalPosition().toPoint();
    event->accept();
    if (gripResize_ && GripArea().contains(local)) {
        mode_ = Mode::kResizing;
        const Size base{baseSize_.width(), baseSize_.height()};
        const Size step{step_.width(), step_.height()};
        resize_.emplace(ToRect(frameGeometry()), global.x(), global.y(), base, step);
        SetTranslucent(true);
        UpdateCursor(local);
        return;
    }
    if (bodyDrag_) {
        mode_ = Mode::kMoving;
        pressOffset_ = global - frameGeometry().topLeft();
        return;
    }
    if (QWindow* window = windowHandle()) window->startSystemMove();
}

void MagneticDialog::mouseMoveEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    // A release that never reached us (the grab went elsewhere) ends the
    // operation instead of letting a plain hover drag the window.
    if (mode_ != Mode::kIdle && !(event->buttons() & Qt::LeftButton)) {
        if (mode_ == Mode::kResizing) FinishResize();
        mode_ = Mode::kIdle;
    }
    switch (mode_) {
        case Mode::kMoving: {
            const QPoint topLeft = global - pressOffset_;
            layout_.DragTo(ToRect(frameGeometry()).MovedTo(topLeft.x(), topLeft.y()));
            break;
        }
        case Mode::kResizing:
            if (resize_->Follow(global.x(), global.y())) {
                const QRect target = ToQRect(resize_->Current());
                if (resize_->Live()) {
                    resize(target.size());
                    layout_.ValidateDocks();
                }
                if (!outline_) outline_ = std::make_unique<ResizeOutline>();
                outline_->ShowAround(target);
            }
            break;
        case Mode::kIdle:
            UpdateCursor(event->position().toPoint());
            QWidget::mouseMoveEvent(event);
            return;
    }
    event->accept();
}

void MagneticDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || mode_ == Mode::kIdle) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (mode_ == Mode::kResizing) FinishResize();
    mode_ = Mode::kIdle;
    UpdateCursor(event->position().toPoint());
    event->accept();
}

void MagneticDialog::FinishResize() {
    mode_ = Mode::kIdle;
    if (outline_) outline_->hide();
    SetTranslucent(false);
    if (resize_) MoveTo(ToQRect(resize_->Current()));
    resize_.reset();
}

void MagneticDialog::leaveEvent(QEvent* event) {
    // Children inherit the window's cursor: the grip's must not come back
    // with the pointer.
    if (mode_ == Mode::kIdle) UpdateCursor(QPoint(-1, -1));
    QWidget::leaveEvent(event);
}

void MagneticDialog::hideEvent(QHideEvent* event) {
    if (mode_ == Mode::kResizing) FinishResize();
    mode_ = Mode::kIdle;
    QWidget::hideEvent(event);
}

void MagneticDialog::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ApplyAnchors();
    CallResizeHook();
}

void MagneticDialog::paintEvent(QPaintEvent* event) {
    if (skin_.IsEmpty()) {
        QWidget::paintEvent(event);
        return;
    }
    QPainter painter(this);
    PaintMagneticSkin(painter, skin_, size());
}

}  // namespace brondavel::app
