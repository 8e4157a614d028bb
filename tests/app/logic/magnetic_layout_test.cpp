#include "app/logic/magnetic_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "app/logic/magnetic_platform.h"
#include "app/logic/window_layout.h"

namespace brondavel::app {
namespace {

// A window that is nothing but a rectangle.
struct FakeWindow : MagneticHost {
    explicit FakeWindow(Rect r) : frame(r) {}
    Rect Frame() const override { return frame; }
    bool IsShown() const override { return shown; }
    void PlaceFrame(const Rect& r) override { frame = r; }

    Rect frame;
    bool shown = true;
    MagneticLayout layout{*this};
};

Rect At(int x, int y, int w, int h) {
    return {x, y, x + w, y + h};
}

// Every window a partner of every other, in the order given.
void Partners(std::initializer_list<FakeWindow*> windows) {
    for (FakeWindow* a : windows)
        for (FakeWindow* b : windows) EXPECT_TRUE(a == b || a->layout.AddPartner(&b->layout));
}

using enum Dock;
using Docks = std::array<Dock, 6>;
using Frames = std::array<Rect, 3>;

// The main panel at the origin, 300 x 150, carrying its docked windows.
struct Desk : ::testing::Test {
    FakeWindow panel{At(0, 0, 300, 150)};
    FakeWindow list{At(500, 500, 310, 150)};
    FakeWindow other{At(900, 500, 310, 150)};

    void SetUp() override {
        panel.layout.SetGroupMove(true);
        Partners({&panel, &list, &other});
    }
    // A body drag: the window's rectangle shifted to (x, y).
    static void Drag(FakeWindow& w, int x, int y) { w.layout.DragTo(w.frame.MovedTo(x, y)); }
    Frames AllFrames() const { return {panel.frame, list.frame, other.frame}; }
    // Each pair's dock as either window sees it: panel-list, panel-other, list-other.
    Docks AllDocks() const {
        auto dock = [](const FakeWindow& a, const FakeWindow& b) {
            return a.layout.DockWith(&b.layout);
        };
        return {dock(panel, list),  dock(list, panel), dock(panel, other),
                dock(other, panel), dock(list, other), dock(other, list)};
    }
};

TEST(MagneticSnap, FourTestsWithinTenPixelsInOrder) {
    const Rect partner = At(0, 0, 300, 150);
    const struct {
        int x, y;
        Dock dock;
        int placedX, placedY;
    } cases[] = {
        {310, -10, kRightOf, 300, 0},  // left edge on the partner's right, tops aligned
        {311, 0, kNone, 311, 0},      {300, 11, kNone, 300, 11},
        {-318, 7, kLeftOf, -310, 0},  // right edge on the partner's left
        {9, -141, kAbove, 0, -150},   // bottom on the partner's top, left edges aligned
        {-10, 160, kBelow, 0, 150},   // top on the partner's bottom
        {-11, 150, kNone, -11, 150},
    };
    for (const auto& c : cases) {
        const SnapResult snap = SnapAgainst(At(c.x, c.y, 310, 150), partner, 10);
        EXPECT_EQ(snap.dock, c.dock) << c.x << "," << c.y;
        EXPECT_EQ(snap.placed, At(c.placedX, c.placedY, 310, 150));
    }
    // A small window near a narrow partner passes the first and the third
    // test: the first one wins.
    const SnapResult both = SnapAgainst(At(8, -3, 20, 10), At(0, 0, 15, 100), 10);
    EXPECT_EQ(both.dock, kRightOf);
    EXPECT_EQ(both.placed, At(15, 0, 20, 10));
}

TEST_F(Desk, DraggedWindowSnapsBothSidesRecordTheDockAndDraggingAwayBreaksIt) {
    Drag(list, 306, 8);
    EXPECT_EQ(list.frame, At(300, 0, 310, 150));
    EXPECT_EQ(AllDocks(), (Docks{kLeftOf, kRightOf, kNone, kNone, kNone, kNone}));
    // Away from every partner: the proposed place is taken as it is, and
    // the dock is broken.
    Drag(list, 300, 400);
    Drag(panel, 0, 30);
    EXPECT_EQ(list.frame, At(300, 400, 310, 150));
    EXPECT_EQ(AllDocks(), Docks{});
}

TEST_F(Desk, SnappingToOnePartnerReleasesDocksLeftBehind) {
    // "other" docks below the list; then the list is dragged next to the panel,
    // which comes first in its list: the old dock must not survive the move.
    Drag(other, 500, 650);
    ASSERT_EQ(AllDocks(), (Docks{kNone, kNone, kNone, kNone, kAbove, kBelow}));
    Drag(list, 302, 4);
    EXPECT_EQ(AllDocks(), (Docks{kLeftOf, kRightOf, kNone, kNone, kNone, kNone}));
    Drag(panel, 20, 20);
    EXPECT_EQ(other.frame, At(500, 650, 310, 150));
}

TEST_F(Desk, HiddenOrMovedPartnersBreakDocks) {
    Drag(list, 300, 0);
    list.frame = list.frame.MovedTo(301, 0);  // e.g. a resize of the panel
    panel.layout.ValidateDocks();
    EXPECT_EQ(AllDocks(), Docks{});
    // Hidden during a panel move: left where it was, dock broken.
    Drag(list, 300, 0);
    list.shown = false;
    Drag(panel, 0, 200);
    EXPECT_EQ(list.frame, At(300, 0, 310, 150));
    EXPECT_EQ(AllDocks(), Docks{});
}

TEST_F(Desk, RecomputeDockingMovesNothingAndThePanelCarriesTheGroup) {
    list.frame = At(305, 4, 310, 150);  // placed at start-up
    // Below the list: its left edge is at the panel's right, but a row lower.
    other.frame = At(303, 154, 310, 150);
    panel.layout.RecomputeDocking();
    list.layout.RecomputeDocking();
    EXPECT_EQ(list.frame, At(305, 4, 310, 150));
    EXPECT_EQ(AllDocks(), (Docks{kLeftOf, kRightOf, kNone, kNone, kAbove, kBelow}));
    // The first group move pulls the loose windows into their exact places;
    // the other is carried by the list in turn.
    Drag(panel, 0, 50);
    EXPECT_EQ(AllFrames(),
              (Frames{At(0, 50, 300, 150), At(300, 50, 310, 150), At(300, 200, 310, 150)}));
    EXPECT_EQ(AllDocks(), (Docks{kLeftOf, kRightOf, kNone, kNone, kAbove, kBelow}));
}

TEST(MagneticLayoutPartners, RegistrationLimits) {
    FakeWindow self(At(0, 0, 10, 10));
    std::vector<std::unique_ptr<FakeWindow>> others;
    EXPECT_FALSE(self.layout.AddPartner(&self.layout));
    EXPECT_FALSE(self.layout.AddPartner(nullptr));
    for (int i = 0; i < 11; ++i) {
        others.push_back(std::make_unique<FakeWindow>(At(100 * i, 500, 10, 10)));
        EXPECT_EQ(self.layout.AddPartner(&others.back()->layout), i < 10) << i;
    }
    EXPECT_EQ(self.layout.PartnerCount(), 10);
    others.pop_back();
    FakeWindow twice(At(0, 900, 10, 10));
    self.layout.SetGroupMove(true);
    others.erase(others.begin());  // a partner that goes away leaves the list
    EXPECT_EQ(self.layout.PartnerCount(), 9);
    EXPECT_TRUE(self.layout.AddPartner(&twice.layout));
    EXPECT_FALSE(self.layout.AddPartner(&twice.layout));
    self.layout.DragTo(At(5, 5, 10, 10));  // touches no freed partner
}

TEST(MagneticLayoutPartners, ARingOfDocksMovesAsOne) {
    // Four windows in a square, each docked to its two neighbours.
    FakeWindow a(At(0, 0, 100, 100)), b(At(100, 0, 100, 100)), c(At(0, 100, 100, 100)),
        d(At(100, 100, 100, 100));
    Partners({&a, &b, &c, &d});
    for (FakeWindow* x : {&a, &b, &c, &d}) x->layout.RecomputeDocking();
    ASSERT_EQ(d.layout.DockWith(&c.layout), kRightOf);
    for (FakeWindow* x : {&a, &b, &c, &d}) x->layout.SetGroupMove(true);
    a.layout.DragTo(At(50, 70, 100, 100));
    EXPECT_EQ((Frames{b.frame, c.frame, d.frame}),
              (Frames{At(150, 70, 100, 100), At(50, 170, 100, 100), At(150, 170, 100, 100)}));
}

TEST(MagneticStepResize, GrowsAndShrinksInWholeStepsNeverBelowTheBase) {
    const Rect start = At(10, 20, 312, 150);
    StepResize grip(start, 300, 160, Size{312, 150}, Size{34, 25});
    EXPECT_FALSE(grip.Follow(333, 184));  // not yet a whole step
    EXPECT_TRUE(grip.Follow(334, 160));
    EXPECT_EQ(grip.Current(), At(10, 20, 346, 150));
    EXPECT_TRUE(grip.Follow(300 + 34 * 3 + 5, 160 + 50));  // a fast move passes several
    EXPECT_EQ(grip.Current(), At(10, 20, 414, 200));
    EXPECT_TRUE(grip.Live());
    // Back past the start and far beyond: stops at the base size.
    grip.Follow(-500, -500);
    EXPECT_EQ(grip.Current(), start);
    // The step point stayed at the base, so the grip grows again a step
    // past where it started, not somewhere left of the window.
    EXPECT_FALSE(grip.Follow(300, 160));
    EXPECT_TRUE(grip.Follow(334, 160));
    EXPECT_EQ(grip.Current().Width(), 346);

    // Smaller than the start is not live.
    StepResize big(At(0, 0, 380, 200), 380, 200, Size{312, 150}, Size{34, 25});
    big.Follow(346, 260);
    EXPECT_EQ(big.Current(), At(0, 0, 346, 250));
    EXPECT_FALSE(big.Live());
    // A zero step cannot stall the resize.
    StepResize zero(At(0, 0, 10, 10), 0, 0, Size{10, 10}, Size{0, 0});
    EXPECT_TRUE(zero.Follow(1000000, 1000000));
}

TEST(MagneticAnchors, FlagsMoveAndStretch) {
    const Rect close = At(270, 10, 24, 26);
    EXPECT_EQ(PlaceAnchored(close, 0, 34, 25), close);
    EXPECT_EQ(PlaceAnchored(close, kFollowRight, 34, 25), At(304, 10, 24, 26));
    EXPECT_EQ(PlaceAnchored(close, kFollowBottom, 34, 25), At(270, 35, 24, 26));
    EXPECT_EQ(PlaceAnchored(At(12, 39, 282, 98), kStretch, 34, 25), At(12, 39, 316, 123));
}

TEST(MagneticPlatform, XWaylandOnlyWhenThereAndNotChosen) {
    EXPECT_EQ(PlatformToChoose("", "wayland-0", ":0", false), "xcb");  // empty is unset
    EXPECT_EQ(PlatformToChoose("wayland", "wayland-0", ":0", false) +
                  PlatformToChoose(nullptr, "wayland-0", ":0", true) +
                  PlatformToChoose(nullptr, "wayland-0", nullptr, false) +
                  PlatformToChoose(nullptr, nullptr, ":0", false),
              "");
}

// Start-up places.

bool Overlaps(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(WindowLayout, DefaultPlacesTouchWithoutOverlapAndFormOneDockedGroup) {
    std::vector<Rect> all{DefaultPanelPlace()};
    for (int kind = 0; kind < 5; ++kind) all.push_back(DefaultListPlace(kind, all[0]));
    for (size_t i = 0; i < all.size(); ++i) {
        bool docked = false;
        for (size_t j = 0; j < all.size(); ++j) {
            if (i == j) continue;
            EXPECT_FALSE(Overlaps(all[i], all[j])) << i << " and " << j;
            // Snapping at the default place moves nothing: it is where a drag ends.
            const SnapResult snap = SnapAgainst(all[i], all[j], MagneticLayout::kSnapDistance);
            if (snap.dock == kNone) continue;
            EXPECT_EQ(snap.placed, all[i]) << i << " against " << j;
            docked = docked || DockHolds(snap.dock, all[i], all[j]);
        }
        EXPECT_TRUE(docked) << i;
    }
}

TEST(WindowLayout, StoredPlacesComeWhollyOntoTheScreens) {
    const std::vector<Rect> one{{0, 0, 1600, 1000}};
    const std::vector<Rect> two{{0, 0, 1600, 1000}, {1600, 200, 2880, 1224}};
    struct Case {
        const std::vector<Rect>& screens;
        Rect stored;
        Rect expected;
    } cases[] = {
        {one, {5000, 5000, 5500, 5150}, {1100, 850, 1600, 1000}},
        {one, {1649, 3, 1961, 153}, {1288, 3, 1600, 153}},
        // No sane size at all: as wide as the screen, as high as the smallest.
        {one, {-2147483647, 0, 2147483647, 40}, {0, 0, 1600, 150}},
        // A window stays on the screen that holds most of it.
        {two, {1700, 300, 2012, 450}, {1700, 300, 2012, 450}},
        {two, {1500, 300, 1812, 450}, {1600, 300, 1912, 450}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BringOntoScreens(c.stored, c.screens, kListWindowSize), c.expected)
            << c.stored.left << "," << c.stored.top;
    EXPECT_EQ(BringOntoScreens({5, 5, 10, 10}, {}, kListWindowSize), (Rect{5, 5, 10, 10}));
}

}  // namespace
}  // namespace brondavel::app
