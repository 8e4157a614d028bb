// The frameless, skinned base of the main panel and the list windows: it
// snaps to and docks with its partners, drags by its body, resizes in steps by
// its grip and keeps anchored children in place. The geometry itself is
// decided by the Qt-free MagneticLayout and StepResize in app/logic; this
// class feeds them mouse positions and applies the rectangles they return.
#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "app/layout/magnetic_skin.h"
#include "app/logic/magnetic_layout.h"

namespace brondavel::app {

class ResizeOutline;

class MagneticDialog : public QWidget {
    Q_OBJECT
  public:
    // Anchor flags: follow the right edge, follow the bottom edge, stretch.
    static constexpr int kAnchorRight = kFollowRight;
    static constexpr int kAnchorBottom = kFollowBottom;
    static constexpr int kAnchorStretch = kStretch;
    static constexpr QSize kDefaultBaseSize{275, 116};

    explicit MagneticDialog(QWidget* parent = nullptr);
    ~MagneticDialog() override;

    // Refused for the window itself, for a partner already listed and beyond
    // 10 partners.
    bool AddPartner(MagneticDialog* partner);
    int PartnerCount() const { return layout_.PartnerCount(); }
    Dock DockWith(const MagneticDialog* partner) const;
    // Sets the dock states from the current positions without moving anything.
    void RecomputeDocking();
    // Places the window (frame rectangle), re-anchors, validates docks, calls
    // ResizeHook.
    void MoveTo(const QRect& frame);
    // Half see-through while on (the window's opacity); off restores it.
    void SetTranslucent(bool on);

    // Dragging the body moves the window with snapping; off: a press on the
    // body starts the window system's own move.
    void SetBodyDrag(bool on);
    // Docked partners follow this window's moves (the main panel).
    void SetGroupMove(bool on);
    // Grip resize in steps; the base size is the client size when this is called.
    void SetGripResize(bool on, QSize step);
    // The reference of ResizeHook and the smallest size a grip resize leaves
    // (275 x 116 until set).
    void SetBaseSize(QSize base) { baseSize_ = base; }
    QSize BaseSize() const { return baseSize_; }

    // Keeps `child` placed by `flags` as the window grows over its size now;
    // adding the same child with the same place and flags again does nothing.
    void AddAnchor(QWidget* child, int flags);

    // The frame pictures and background mode; an empty skin paints the
    // plain window background.
    void SetSkin(const MagneticSkin& skin);
    const MagneticSkin& Skin() const { return skin_; }
    void SetCursors(const MagneticCursors& cursors);
    // Where a press starts a grip resize, in window coordinates: the grip
    // piece's rectangle, or a 16-pixel corner without one.
    QRect GripArea() const;

    bool IsMoving() const { return mode_ == Mode::kMoving; }
    bool IsResizing() const { return mode_ == Mode::kResizing; }

  protected:
    // Called after every resize or MoveTo with the client size's growth over
    // the base size.
    virtual void ResizeHook(int /*dx*/, int /*dy*/) {}

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    class Host : public MagneticHost {
      public:
        explicit Host(MagneticDialog& dialog) : dialog_(dialog) {}
        Rect Frame() const override;
        bool IsShown() const override;
        void PlaceFrame(const Rect& frame) override;

      private:
        MagneticDialog& dialog_;
    };
    struct Anchor {
        QPointer<QWidget> child;
        int flags;
        Rect reference;
        QSize referenceWindow;
    };
    enum class Mode { kIdle, kMoving, kResizing };
    enum class CursorKind { kUnset, kNormal, kGrip, kResizing };

    void ApplyAnchors();
    void CallResizeHook();
    void FinishResize();
    void UpdateCursor(const QPoint& local);

    Host host_{*this};
    MagneticLayout layout_{host_};
    std::vector<Anchor> anchors_;
    MagneticSkin skin_;
    MagneticCursors cursors_;
    QSize baseSize_ = kDefaultBaseSize;
    QSize step_{24, 28};
    bool bodyDrag_ = false;
    bool gripResize_ = false;
    bool hookCalled_ = false;
    Mode mode_ = Mode::kIdle;
    CursorKind shownCursor_ = CursorKind::kUnset;
    QPoint pressOffset_;
    std::optional<StepResize> resize_;
    std::unique_ptr<ResizeOutline> outline_;
};

}  // namespace brondavel::app
