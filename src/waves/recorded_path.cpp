// The path of a recorded ray as the wave points follow it: straight to the entry, through the glass to the
// exit, and on. Optical path is counted in air units, so a wave point covers 25 of it at every time step.

#include "waves/ray_records.h"

#include <algorithm>
#include <cmath>

namespace lens::waves {

int RayRecords::recorded() const { return std::clamp(raycount, 0, rayTableLast + 1); }

void RayRecords::startBundle(int rays, bool turn)
{
    raycount = 0;
    bundlerays = std::max(rays, 0);
    fullturn = turn;
}

void RayRecords::placeInBundle(int row, int position)
{
    if (inTable(row) && row < raycount)
        bundleindex[static_cast<std::size_t>(row)] = position;
}

std::vector<FrontJoin> frontJoins(const RayRecords& records)
{
    std::vector<FrontJoin> joins;
    const int rays = records.recorded();
    auto at = [&](int row) { return records.bundleindex[static_cast<std::size_t>(row)]; };
    for (int i = 1; i < rays; ++i)
        if (at(i) == at(i - 1) + 1)
            joins.push_back({i - 1, i});
    // All round the source the fan closes on itself: its last ray lies next to its first.
    if (records.fullturn && rays >= 3 && at(0) == 0 && at(rays - 1) == records.bundlerays - 1)
        joins.push_back({rays - 1, 0});
    return joins;
}

std::vector<std::vector<int>> frontJoinsByRow(const RayRecords& records, int rows)
{
    std::vector<std::vector<int>> byRow(static_cast<std::size_t>(std::max(rows, 0)));
    for (const FrontJoin& join : frontJoins(records)) {
        const int later = std::max(join.from, join.to), earlier = std::min(join.from, join.to);
        if (later < rows)
            byRow[static_cast<std::size_t>(later)].push_back(earlier);
    }
    return byRow;
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
    if (records.bladestop[r])
        p.stop = records.bladepath[r];
    const double all[] = {p.ex, p.ey, p.qx, p.qy, p.dx0, p.dy0, p.dx1, p.dy1, p.dxg, p.dyg, p.d0, p.glassPath};
    for (double v : all)
        if (!std::isfinite(v))
            return std::nullopt;
    return p;
}

} // namespace lens::waves
