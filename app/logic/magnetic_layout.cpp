#include "app/logic/magnetic_layout.h"

#include <algorithm>
#include <cstdlib>

namespace brondavel::app {

namespace {

bool Near(int a, int b, int distance) {
    return std::llabs(static_cast<long long>(a) - b) <= distance;
}

}  // namespace

Dock OppositeDock(Dock dock) {
    switch (dock) {
        case Dock::kAbove:
            return Dock::kBelow;
        case Dock::kBelow:
            return Dock::kAbove;
        case Dock::kLeftOf:
            return Dock::kRightOf;
        case Dock::kRightOf:
            return Dock::kLeftOf;
        case Dock::kNone:
            break;
    }
    return Dock::kNone;
}

SnapResult SnapAgainst(const Rect& moving, const Rect& partner, int d) {
    if (Near(moving.left, partner.right, d) && Near(moving.top, partner.top, d))
        return {Dock::kRightOf, moving.MovedTo(partner.right, partner.top)};
    if (Near(moving.right, partner.left, d) && Near(moving.top, partner.top, d))
        return {Dock::kLeftOf, moving.MovedTo(partner.left - moving.Width(), partner.top)};
    if (Near(moving.bottom, partner.top, d) && Near(moving.left, partner.left, d))
        return {Dock::kAbove, moving.MovedTo(partner.left, partner.top - moving.Height())};
    if (Near(moving.top, partner.bottom, d) && Near(moving.left, partner.left, d))
        return {Dock::kBelow, moving.MovedTo(partner.left, partner.bottom)};
    return {Dock::kNone, moving};
}

bool DockHolds(Dock dock, const Rect& self, const Rect& partner) {
    switch (dock) {
        case Dock::kAbove:
            return self.bottom == partner.top && self.left == partner.left;
        case Dock::kLeftOf:
            return self.right == partner.left && self.top == partner.top;
        case Dock::kBelow:
            return self.top == partner.bottom && self.left == partner.left;
        case Dock::kRightOf:
            return self.left == partner.right && self.top == partner.top;
        case Dock::kNone:
            break;
    }
    return false;
}

Rect PartnerPlace(Dock dock, const Rect& self, const Rect& partner) {
    switch (dock) {
        case Dock::kAbove:
            return partner.MovedTo(self.left, self.bottom);
        case Dock::kLeftOf:
            return partner.MovedTo(self.right, self.top);
        case Dock::kBelow:
            return partner.MovedTo(self.left, self.top - partner.Height());
        case Dock::kRightOf:
            return partner.MovedTo(self.left - partner.Width(), self.top);
        case Dock::kNone:
            break;
    }
    return partner;
}

Rect PlaceAnchored(const Rect& reference, int flags, int dx, int dy) {
    Rect placed = reference;
    if (flags & kFollowRight) {
        placed.left += dx;
        placed.right += dx;
    }
    if (flags & kFollowBottom) {
        placed.top += dy;
        placed.bottom += dy;
    }
    if (flags & kStretch) {
        placed.right += dx;
        placed.bottom += dy;
    }
    return placed;
}

MagneticLayout::MagneticLayout(MagneticHost& host) : host_(host) {}

MagneticLayout::~MagneticLayout() {
    for (MagneticLayout* lister : listedBy_) {
        std::erase_if(lister->partners_, [this](const Partner& p) { return p.layout == this; });
    }
    for (const Partner& p : partners_) std::erase(p.layout->listedBy_, this);
}

bool MagneticLayout::AddPartner(MagneticLayout* partner) {
    if (partner == nullptr || partner == this || PartnerCount() >= kMaxPartners) return false;
    const bool listed = std::any_of(partners_.begin(), partners_.end(),
                                    [partner](const Partner& p) { return p.layout == partner; });
    if (listed) return false;
    partners_.push_back({partner, Dock::kNone});
    partner->listedBy_.push_back(this);
    return true;
}

Dock MagneticLayout::DockWith(const MagneticLayout* partner) const {
    for (const Partner& p : partners_) {
        if (p.layout == partner) return p.dock;
    }
    return Dock::kNone;
}

void MagneticLayout::SetOwnDock(const MagneticLayout* partner, Dock dock) {
    for (Partner& p : partners_) {
        if (p.layout == partner) p.dock = dock;
    }
}

void MagneticLayout::SetDock(MagneticLayout* partner, Dock dock) {
    SetOwnDock(partner, dock);
    partner->SetOwnDock(this, OppositeDock(dock));
}

void MagneticLayout::RecomputeDocking() {
    const Rect frame = host_.Frame();
    for (const Partner& p : partners_) {
        Dock dock = Dock::kNone;
        if (p.layout->host_.IsShown())
            dock = SnapAgainst(frame, p.layout->host_.Frame(), kSnapDistance).dock;
        SetDock(p.layout, dock);
    }
}

Rect MagneticLayout::DragTo(const Rect& proposed) {
    Rect placed = proposed;
    for (const Partner& p : partners_) {
        if (!p.layout->host_.IsShown()) {
            SetDock(p.layout, Dock::kNone);
            continue;
        }
        const SnapResult snap = SnapAgainst(proposed, p.layout->host_.Frame(), kSnapDistance);
        if (snap.dock != Dock::kNone) {
            placed = snap.placed;
            SetDock(p.layout, snap.dock);
            break;
        }
        if (p.dock != Dock::kNone && !groupMove_) SetDock(p.layout, Dock::kNone);
    }
    host_.PlaceFrame(placed);
    if (groupMove_) {
        std::vector<const MagneticLayout*> moved{this};
        MovePartnersAlong(nullptr, moved);
    }
    // The snap loop stops at the first match, so partners after it may hold a
    // dock the move has left behind; a stale dock must not steer a later
    // group move.
    ValidateDocks();
    return placed;
}

void MagneticLayout::MovePartnersAlong(const MagneticLayout* origin,
                                       std::vector<const MagneticLayout*>& moved) {
    for (const Partner& p : partners_) {
        if (p.dock == Dock::kNone || p.layout == origin || !p.layout->host_.IsShown()) continue;
        // Each window moves once per group move, so a ring of docks ends.
        if (std::find(moved.begin(), moved.end(), p.layout) != moved.end()) continue;
        const Rect frame = p.layout->host_.Frame();
        const Rect target = PartnerPlace(p.dock, host_.Frame(), frame);
        if (target == frame) continue;
        p.layout->host_.PlaceFrame(target);
        moved.push_back(p.layout);
        p.layout->MovePartnersAlong(this, moved);
    }
}

void MagneticLayout::ValidateDocks() {
    const Rect frame = host_.Frame();
    for (const Partner& p : partners_) {
        if (p.dock == Dock::kNone) continue;
        if (!p.layout->host_.IsShown() || !DockHolds(p.dock, frame, p.layout->host_.Frame()))
            SetDock(p.layout, Dock::kNone);
    }
}

StepResize::StepResize(const Rect& start, int cursorX, int cursorY, Size base, Size step)
    : start_(start),
      current_(start),
      width_{start.Width(), cursorX, base.width, std::max(1, step.width)},
      height_{start.Height(), cursorY, base.height, std::max(1, step.height)} {}

bool StepResize::Axis::Follow(int cursor) {
    const long long passed = static_cast<long long>(cursor) - lastStep;
    long long steps = passed / step;  // towards zero: only whole steps count
    if (steps < 0) {
        const long long room = size > base ? (static_cast<long long>(size) - base) / step : 0;
        steps = std::max(steps, -room);
    }
    if (steps == 0) return false;
    size += static_cast<int>(steps * step);
    lastStep += static_cast<int>(steps * step);
    return true;
}

bool StepResize::Follow(int cursorX, int cursorY) {
    const bool wider = width_.Follow(cursorX);
    const bool taller = height_.Follow(cursorY);
    current_.right = current_.left + width_.size;
    current_.bottom = current_.top + height_.size;
    return wider || taller;
}

bool StepResize::Live() const {
    return current_.Width() >= start_.Width() && current_.Height() >= start_.Height();
}

}  // namespace brondavel::app
