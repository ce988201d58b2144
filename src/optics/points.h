#pragma once
// Points of the plane of the picture, in the units of the lens's screen.

#include <cmath>

namespace lens::optics {

// The distance between two points, as every trace measures it (the sum in this order, so that both
// lens families measure the same path to the last digit).
inline double distance(double x1, double y1, double x2, double y2)
{
    const double dx = x1 - x2, dy = y1 - y2;
    return std::sqrt(dy * dy + dx * dx);
}

} // namespace lens::optics
