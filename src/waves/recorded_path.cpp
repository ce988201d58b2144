// The path of a recorded ray as the wave points follow it: straight to the entry, through the glass to the
// exit, and on. Optical path is counted in air units, so a wave point covers 25 of it at every time step.

#include "waves/waves.h"

#include <cmath>

namespace lens::waves {

RayPathPoint RecordedPath::at(double s) const
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

std::optional<RecordedPath> recordedPath(const RayRecords& records, int i, double sx, double sy, double n)
{
    if (!RayRecords::inTable(i) || !(n > 0) || !std::isfinite(n))
        return std::nullopt;
    const auto r = static_cast<std::size_t>(i);
    RecordedPath p;
    p.sx = sx, p.sy = sy, p.n = n;
    p.ex = records.entryx[r], p.ey = records.entryy[r];
    p.qx = records.exitx[r], p.qy = records.exity[r];
    p.dx0 = records.dirx0[r], p.dy0 = records.diry0[r];
    // The direction after the lens was refracted in single precision: made a unit vector again, so a
    // point far beyond the exit still lies at its optical path.
    const double out = std::hypot(records.dirx1[r], records.diry1[r]);
    p.dx1 = records.dirx1[r] / out, p.dy1 = records.diry1[r] / out;
    p.d0 = std::hypot(p.ex - sx, p.ey - sy);
    const double L = std::hypot(p.qx - p.ex, p.qy - p.ey);
    p.glassPath = n * L;
    // Through the glass straight from the entry to the exit, so the point meets the exit exactly.
    if (L > 0) {
        p.dxg = (p.qx - p.ex) / L, p.dyg = (p.qy - p.ey) / L;
    } else {
        p.dxg = records.dirxglass[r], p.dyg = records.diryglass[r];
    }
    const double all[] = {p.ex, p.ey, p.qx, p.qy, p.dx0, p.dy0, p.dx1, p.dy1, p.dxg, p.dyg, p.d0, p.glassPath};
    for (double v : all)
        if (!std::isfinite(v))
            return std::nullopt;
    return p;
}

} // namespace lens::waves
