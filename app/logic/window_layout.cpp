#include "app/logic/window_layout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "app/logic/kind_traits.h"

namespace brondavel::app {

namespace {

// A stored place may hold any int, so sizes and distances are taken wide.
int64_t Overlap(int64_t a1, int64_t a2, int64_t b1, int64_t b2) {
    return std::max<int64_t>(0, std::min(a2, b2) - std::max(a1, b1));
}

int64_t Gap(int64_t a1, int64_t a2, int64_t b1, int64_t b2) {
    return std::max<int64_t>({0, b1 - a2, a1 - b2});
}

const Rect& ScreenFor(const Rect& w, const std::vector<Rect>& screens) {
    const Rect* chosen = &screens.front();
    int64_t bestArea = -1;
    int64_t bestGap = std::numeric_limits<int64_t>::max();
    for (const Rect& s : screens) {
        const int64_t area =
            Overlap(w.left, w.right, s.left, s.right) * Overlap(w.top, w.bottom, s.top, s.bottom);
        const int64_t gap =
            Gap(w.left, w.right, s.left, s.right) + Gap(w.top, w.bottom, s.top, s.bottom);
        if (area > bestArea || (area == 0 && bestArea == 0 && gap < bestGap)) {
            chosen = &s;
            bestArea = area;
            bestGap = gap;
        }
    }
    return *chosen;
}

int ClampSide(int64_t size, int min, int max) {
    return static_cast<int>(std::clamp<int64_t>(size, std::min(min, max), max));
}

}  // namespace

Rect DefaultPanelPlace() {
    return {3, 3, 3 + kPanelSize.width, 3 + kPanelSize.height};
}

Rect DefaultListPlace(int kind, const Rect& panel) {
    const GridCell cell = TraitsOf(static_cast<RecordKind>(kind)).defaultCell;
    const int left = panel.left + cell.column * kListWindowSize.width;
    const int top = panel.bottom + cell.row * kListWindowSize.height;
    return {left, top, left + kListWindowSize.width, top + kListWindowSize.height};
}

Rect BringOntoScreens(const Rect& window, const std::vector<Rect>& screens, Size min) {
    if (screens.empty()) return window;
    const Rect& s = ScreenFor(window, screens);
    const int width =
        ClampSide(static_cast<int64_t>(window.right) - window.left, min.width, s.Width());
    const int height =
        ClampSide(static_cast<int64_t>(window.bottom) - window.top, min.height, s.Height());
    const int left = std::clamp(window.left, s.left, s.right - width);
    const int top = std::clamp(window.top, s.top, s.bottom - height);
    return {left, top, left + width, top + height};
}

}  // namespace brondavel::app
