#include "surface/blades.h"

#include <cmath>

#include <algorithm>

namespace lens {

bool onBlade(const LineControl& blade, const Surface& view, double x, double y)
{
    const double dx = view.ScaleWidth() / 120, dy = std::fabs(view.ScaleHeight()) / 120;
    const double lower = std::min(blade.Y1, blade.Y2), upper = std::max(blade.Y1, blade.Y2);
    return blade.X1 - dx < x && x < blade.X1 + dx && lower - dy < y && y < upper + dy;
}

std::optional<Blade> bladeAt(const LineControl& upper, const LineControl& lower, const Surface& view, double x,
                             double y)
{
    if (onBlade(upper, view, x, y))
        return Blade::upper;
    if (onBlade(lower, view, x, y))
        return Blade::lower;
    return std::nullopt;
}

void dropBlade(Blade dragged, LineControl& upper, LineControl& lower, const Surface& view, double x, double y)
{
    upper.X1 = upper.X2 = lower.X1 = lower.X2 = x;
    const double opening = std::fabs(view.ScaleHeight()) / 10;
    if (dragged == Blade::upper) {
        double tip = y;
        if (y < lower.Y2) { // below the lower tip: the lower goes to the pointer, the upper an opening above
            tip = y + opening;
            lower.Y2 = tip - opening;
        }
        upper.Y1 = view.ScaleTop();
        upper.Y2 = tip;
    } else {
        if (y > upper.Y2) // above the upper tip: the upper goes an opening above the pointer
            upper.Y2 = y + opening;
        lower.Y1 = view.ScaleTop() + view.ScaleHeight();
        lower.Y2 = y;
    }
}

} // namespace lens
