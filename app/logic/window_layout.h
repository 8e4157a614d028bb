// Where the panel and the list windows stand when nothing else says so, and
// how a stored place is brought back onto the screens. The defaults agree
// with the snapping rules: every list window touches the panel or another
// list window along a whole docking edge, so the first start is already one
// docked group and no window covers another.
#pragma once

#include <vector>

#include "app/logic/magnetic_layout.h"

namespace brondavel::app {

inline constexpr Size kPanelSize{500, 108};
inline constexpr Size kListWindowSize{312, 150};
// The largest list window any screen is asked to hold.
inline constexpr Size kListWindowMaxSize{4000, 3000};

Rect DefaultPanelPlace();
// Satellites below the panel, transponders below them, TV and radio to their
// right, favourites right of TV.
Rect DefaultListPlace(int kind, const Rect& panel);

// `window` with its size clamped to [min, the screen] and moved wholly onto
// the screen it overlaps most (or the nearest one). Screens are the
// available areas; with none, `window` is returned as it is.
Rect BringOntoScreens(const Rect& window, const std::vector<Rect>& screens, Size min);

}  // namespace brondavel::app
