// The geometry of magnetic windows on plain rectangles: snapping a dragged
// window against its partners, the dock states this leaves on both sides, the
// group move that carries docked windows along, dock validation, the grip's
// step resize and the placement of anchored children. The Qt windows feed
// mouse positions in and apply the rectangles that come out.
#pragma once

#include <vector>

namespace brondavel::app {

// Screen rectangle; right and bottom lie just outside, so width = right - left.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    Rect MovedTo(int x, int y) const { return {x, y, x + Width(), y + Height()}; }
    bool operator==(const Rect&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// How this window stands against a partner.
enum class Dock {
    kNone,
    kAbove,    // this bottom on the partner's top, left edges equal
    kLeftOf,   // this right on the partner's left, top edges equal
    kBelow,    // this top on the partner's bottom, left edges equal
    kRightOf,  // this left on the partner's right, top edges equal
};

Dock OppositeDock(Dock dock);

// The first of the four snap tests that `moving` passes against `partner`:
// the dock it makes and where `moving` then stands. kNone: no test passed.
struct SnapResult {
    Dock dock = Dock::kNone;
    Rect placed;
};
SnapResult SnapAgainst(const Rect& moving, const Rect& partner, int distance);

// True while `self` stands exactly in the `dock` relation to `partner`.
bool DockHolds(Dock dock, const Rect& self, const Rect& partner);

// Where `partner` has to stand to keep `dock` (this window's state) with `self`.
Rect PartnerPlace(Dock dock, const Rect& self, const Rect& partner);

// Anchor flags of a child control.
inline constexpr int kFollowRight = 1;
inline constexpr int kFollowBottom = 2;
inline constexpr int kStretch = 16;

// A child's rectangle after the window grew by (dx, dy) over the size at
// which `reference` was taken.
Rect PlaceAnchored(const Rect& reference, int flags, int dx, int dy);

// The window side of a magnetic window, as the layout sees it.
class MagneticHost {
  public:
    virtual ~MagneticHost() = default;
    virtual Rect Frame() const = 0;
    virtual bool IsShown() const = 0;
    // Moves the window; the size of `frame` is the window's current size.
    virtual void PlaceFrame(const Rect& frame) = 0;
};

// One window's partners and its dock state with each of them.
class MagneticLayout {
  public:
    static constexpr int kMaxPartners = 10;
    static constexpr int kSnapDistance = 10;

    explicit MagneticLayout(MagneticHost& host);
    // Leaves every partner list it is in, so no partner keeps a stale pointer.
    ~MagneticLayout();
    MagneticLayout(const MagneticLayout&) = delete;
    MagneticLayout& operator=(const MagneticLayout&) = delete;

    // Refused for this window itself, for a partner already listed and when
    // the list is full.
    bool AddPartner(MagneticLayout* partner);
    int PartnerCount() const { return static_cast<int>(partners_.size()); }
    Dock DockWith(const MagneticLayout* partner) const;

    // Docked partners follow this window's moves.
    void SetGroupMove(bool on) { groupMove_ = on; }
    bool GroupMove() const { return groupMove_; }

    // Sets the dock state with every shown partner from the current positions
    // (by the snap tests, nothing moves) and the opposite state on its side.
    void RecomputeDocking();

    // A body drag proposes `proposed` (the current rectangle shifted by the
    // cursor): snaps against the first matching partner, records the docks,
    // places the window and, with group move on, carries the docked partners
    // along. Returns where the window stands.
    Rect DragTo(const Rect& proposed);

    // Breaks every dock whose exact relation no longer holds or whose partner
    // is hidden, on both sides.
    void ValidateDocks();

  private:
    struct Partner {
        MagneticLayout* layout;
        Dock dock;
    };
    void SetDock(MagneticLayout* partner, Dock dock);
    void SetOwnDock(const MagneticLayout* partner, Dock dock);
    void MovePartnersAlong(const MagneticLayout* origin, std::vector<const MagneticLayout*>& moved);

    MagneticHost& host_;
    std::vector<Partner> partners_;
    // The windows whose partner lists hold this one.
    std::vector<MagneticLayout*> listedBy_;
    bool groupMove_ = false;
};

// The grip's resize in steps. Each axis grows by one step once the cursor
// has passed the last step point by a step outwards and shrinks by one step
// once it has passed it by a step inwards, never below the base size.
class StepResize {
  public:
    StepResize(const Rect& start, int cursorX, int cursorY, Size base, Size step);

    // Follows the cursor; true when the rectangle changed.
    bool Follow(int cursorX, int cursorY);
    Rect Current() const { return current_; }
    // The window follows live while it is no smaller than at the start in
    // either direction; smaller sizes show as an outline only.
    bool Live() const;

  private:
    struct Axis {
        int size;
        int lastStep;
        int base;
        int step;
        bool Follow(int cursor);
    };
    Rect start_;
    Rect current_;
    Axis width_;
    Axis height_;
};

}  // namespace brondavel::app
