#include "hyperbolic/lens_screen_model.h"

#include "surface/blades.h"

#include <algorithm>
#include <cmath>

namespace lens::hyperbolic {

double semiAxisFor(double lensindex)
{
    const double c = semiAxisA * lensindex;
    const double b2 = c * c - semiAxisA * semiAxisA;
    return std::isfinite(b2) && b2 > 0 ? std::sqrt(b2) : 0.0;
}

bool indexTooSmall(double lensindex) { return semiAxisA * lensindex < semiAxisA; }

bool onBlade(const LineControl& blade, const Surface& view, double x, double y)
{
    const double dx = view.ScaleWidth() / 120, dy = std::fabs(view.ScaleHeight()) / 120;
    const double lower = std::min(blade.Y1, blade.Y2), upper = std::max(blade.Y1, blade.Y2);
    return blade.X1 - dx < x && x < blade.X1 + dx && lower - dy < y && y < upper + dy;
}

PressOutcome pressOnLensScreen(BladeDrag& drag, const LineControl& upper, const LineControl& lower,
                               const Surface& view, double x, double y, double lensindex)
{
    if (drag.dragupper || drag.draglower)
        return PressOutcome::dragStarted; // one drag at a time: another button's press changes nothing
    if (onBlade(upper, view, x, y)) {
        drag.dragupper = true;
        return PressOutcome::dragStarted;
    }
    if (onBlade(lower, view, x, y)) {
        drag.draglower = true;
        return PressOutcome::dragStarted;
    }
    return indexTooSmall(lensindex) ? PressOutcome::refusedIndex : PressOutcome::sourcePlaced;
}

int pointerOnLensScreen(const BladeDrag& drag, const LineControl& upper, const LineControl& lower,
                        const Surface& view, double x, double y)
{
    const bool over = onBlade(upper, view, x, y) || drag.dragupper || onBlade(lower, view, x, y) || drag.draglower;
    return over ? 2 : 1;
}

bool releaseOnLensScreen(BladeDrag& drag, LineControl& upper, LineControl& lower, const Surface& view,
                         double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y)) {
        drag = {};
        return false;
    }
    if (!drag.dragupper && !drag.draglower)
        return false;
    dropBlade(drag.dragupper ? Blade::upper : Blade::lower, upper, lower, view, x, y);
    drag = {};
    return true;
}

} // namespace lens::hyperbolic
