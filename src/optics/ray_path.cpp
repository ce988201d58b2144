// A recorded ray's points at given optical paths.

#include "optics/ray_path.h"

namespace lens::optics {

Direction RayPath::at(double s) const
{
    if (s <= d0)
        return {sx + s * dx0, sy + s * dy0};
    if (s <= d0 + glassPath) {
        const double g = (s - d0) / n;
        return {ex + g * dxg, ey + g * dyg};
    }
    const double a = s - d0 - glassPath;
    return {qx + a * dx1, qy + a * dy1};
}

std::optional<Direction> RayPath::reached(double s) const
{
    const double own = s - pathAtStart;
    if (own > stop)
        return std::nullopt;
    return at(own);
}

} // namespace lens::optics
