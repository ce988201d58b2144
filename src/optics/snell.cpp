#include "optics/snell.h"

#include <cmath>

namespace lens::optics {

std::optional<double> arcsine(double s)
{
    if (!(std::fabs(s) <= 1))
        return std::nullopt;
    return std::asin(s);
}

std::optional<double> refractedAngle(double incidence, double ratio)
{
    return arcsine(std::sin(incidence) * ratio);
}

std::optional<Direction> refractedDirection(Direction d, Direction normal, double ratio)
{
    // The normal turned to face the way the light goes.
    double cosine = d.x * normal.x + d.y * normal.y;
    if (cosine < 0) {
        normal = {-normal.x, -normal.y};
        cosine = -cosine;
    }
    const double tx = d.x - cosine * normal.x, ty = d.y - cosine * normal.y; // the tangential part
    const double sine2 = ratio * ratio * (tx * tx + ty * ty);
    if (!(sine2 <= 1))
        return std::nullopt;
    const double along = std::sqrt(1 - sine2);
    return Direction{ratio * tx + along * normal.x, ratio * ty + along * normal.y};
}

} // namespace lens::optics
