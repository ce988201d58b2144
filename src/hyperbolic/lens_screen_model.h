#pragma once
// The hyperbolic-lens screen's logic that needs no window: the hyperbola from the index, the
// index guard, the blade hit test and the press, move and release of a blade drag. The screen
// forwards its mouse events here and applies what comes back.
#include "surface/controls.h"
#include "surface/surface.h"

namespace lens::hyperbolic {

inline constexpr double semiAxisA = 12; // the hyperbola's semi-axis along the optical axis

// The other semi-axis, b = 12·√(n² − 1); 0 for n ≤ 1 or an index that is not a number.
double semiAxisFor(double lensindex);
// The guard before a hyperbolic lens is drawn: 12·n < 12.
bool indexTooSmall(double lensindex);

// Whether (x, y) lies on a vertical blade: strictly within ScaleWidth/120 across it and
// |ScaleHeight|/120 beyond its ends.
bool onBlade(const LineControl& blade, const Surface& view, double x, double y);

struct BladeDrag {
    bool dragupper = false;
    bool draglower = false;
};

// What a press on the screen does.
enum class PressOutcome {
    dragStarted,   // on a blade, or while one is dragged: the drag flag is set and nothing else happens
    refusedIndex,  // the index is too small: the message is shown, nothing is drawn
    sourcePlaced,  // the source moves to the pointer and the scene is drawn anew
};
PressOutcome pressOnLensScreen(BladeDrag& drag, const LineControl& upper, const LineControl& lower,
                               const Surface& view, double x, double y, double lensindex);
// The pointer shape while the mouse moves: 2 (cross-hair) over a blade or during a drag, else 1.
int pointerOnLensScreen(const BladeDrag& drag, const LineControl& upper, const LineControl& lower,
                        const Surface& view, double x, double y);
// Drops a dragged blade at (x, y) as dropBlade does. Returns whether a blade moved, and so whether the
// scene is drawn again.
bool releaseOnLensScreen(BladeDrag& drag, LineControl& upper, LineControl& lower, const Surface& view,
                         double x, double y);

} // namespace lens::hyperbolic
