// The frameless, skinned base of the main panel and the list windows: it
// snaps to and docks with its partners, drags by its body, resizes in steps by
// its grip and keeps anchored children in place. The geometry itself is
// decided by the Qt-free layout rules in app/logic; this class feeds them
// mouse positions and applies the rectangles they return.
#pragma once

#include <QRect>
#include <QWidget>
#include <vector>

namespace brondavel::app {

class MagneticDialog : public QWidget {
    Q_OBJECT
  public:
    // Anchor flags: follow the right edge, follow the bottom edge, stretch.
    static constexpr int kAnchorRight = 1;
    static constexpr int kAnchorBottom = 2;
    static constexpr int kAnchorStretch = 16;

    explicit MagneticDialog(QWidget* parent = nullptr);
    ~MagneticDialog() override;

    // Refused for the window itself and beyond 10 partners.
    bool AddPartner(MagneticDialog* partner);
    // Sets the dock states from the current positions without moving anything.
    void RecomputeDocking();
    // Places the window (frame rectangle), re-anchors, validates docks, calls
    // ResizeHook.
    void MoveTo(const QRect& frame);
    void SetTranslucent(bool on);

    void SetBodyDrag(bool on);
    void SetGroupMove(bool on);
    // Grip resize in steps; the base size is the client size when this is called.
    void SetGripResize(bool on, QSize step);
    // Keeps `child` placed by `flags` relative to the base client size.
    void AddAnchor(QWidget* child, int flags);

  protected:
    // Called after every resize or MoveTo with the client size's growth over
    // the base size.
    virtual void ResizeHook(int /*dx*/, int /*dy*/) {}

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Anchor {
        QWidget* child;
        int flags;
        QRect base;
    };
    void ApplyAnchors();

    std::vector<MagneticDialog*> partners_;
    std::vector<Anchor> anchors_;
    QSize baseSize_;
    QSize step_{1, 1};
    bool bodyDrag_ = false;
    bool groupMove_ = false;
    bool gripResize_ = false;
    bool dragging_ = false;
    QPoint pressOffset_;
};

}  // namespace brondavel::app
