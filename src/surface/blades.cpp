#include "surface/blades.h"

#include <cmath>

namespace lens {

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
