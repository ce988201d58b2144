// The waves of a parallel beam: a dense fan of parallel rays traced with time marks, then one wave point on
// each ray moved 25 units of optical path per time step, neighbours joined into fronts.

#include "waves/parallel_waves.h"
#include "waves/bundle_ray.h"
#include "waves/parallel_beam.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace lens::waves {

using namespace spherical;

namespace {

constexpr int fanIntervals = 150; // h = 200 down to −200 in 150 equal steps: 151 rays

} // namespace

void parallelwaves(Surface& surface, RayRecords& records, const BenchScene& values, double angle)
{
    parallelwaves(surface, surface, records, values, angle);
}

void parallelwaves(Surface& surface, Surface& traceSurface, RayRecords& records, const BenchScene& values,
                   double angle)
{
    const LensState& lens = values.lens;
    const double c = std::cos(angle), s = std::sin(angle), slope = std::tan(angle);
    const double n = values.index();
    if (!std::isfinite(slope) || std::fabs(slope) > 1e6 || !(n > 0))
        return;
    const double xA = lens.xcentreA, rA = lens.radiusA, xB = lens.xcentreB, rB = lens.radiusB;

    // The beam is recorded from row 0 with its start points, whatever the bench drew before.
    BenchScene beam = values;
    beam.light.beam = true;
    records.startBundle(fanIntervals + 1, false);
    std::array<BeamStart, fanIntervals + 1> starts;
    // The fronts are counted from the plane square to the beam through the rearmost start on view, so
    // that they sweep the whole view from where the light first comes in.
    double rearmost = 0;
    bool anyOnView = false;
    for (int k = 0; k <= fanIntervals; ++k) {
        const BeamStart& start = starts[std::size_t(k)] = beamStart(traceSurface, 200 - k * (400.0 / fanIntervals), angle);
        if (strictlyInView(traceSurface, start.x, start.y) && (!anyOnView || start.path < rearmost)) {
            rearmost = start.path;
            anyOnView = true;
        }
    }
    for (int k = 0; k <= fanIntervals; ++k) {
        const BeamStart& start = starts[std::size_t(k)];
        const int row = records.raycount;
        traceTimedRay(traceSurface, records, beam, start.x, start.y, c, s, start.path - rearmost);
        records.placeInBundle(row, k);
        if (records.raycount > row) {
            surface.DrawWidth = 2;
            surface.PSet(records.exitx[static_cast<std::size_t>(row)], records.exity[static_cast<std::size_t>(row)],
                         waveColours::exitDot);
        }
    }

    // Wave tables sized to the recorded rays; a point is joined only once it has been set.
    const int rays = records.recorded();
    const auto count = static_cast<std::size_t>(rays);
    std::vector<std::optional<RecordedPath>> paths(count);
    std::vector<bool> bFirst(count, false);
    const SimeiaTomis rim = tomikyklon(xA, xB, rA, rB);
    int lastDrawn = -1;
    for (int i = 0; i < rays && RayRecords::inStartTable(i); ++i) {
        const auto r = static_cast<std::size_t>(i);
        const double sx = records.startx[r], sy = records.starty[r];
        if (!firstLensPoint(traceSurface, lens, c, s, sx, sy).vrethike)
            continue; // a ray that misses the lens has no wave point
        paths[r] = recordedPath(records, i, sx, sy, n);
        if (paths[r])
            paths[r]->pathAtStart = records.startpath[r];
        bFirst[r] = sx < rim.x1;
        records.dirx0[r] = c;
        records.diry0[r] = s;
        if (paths[r])
            lastDrawn = i;
    }

    const std::vector<std::vector<int>> joinedTo = frontJoinsByRow(records, rays);

    const double joinLimit = 2 * airStep / n;
    const bool outlineEachStep = values.outlines == OutlineRedraw::everyStep;
    std::vector<std::optional<RayPathPoint>> front(count);
    for (int t = 1; t <= beamWaveSteps; ++t) {
        front.assign(count, std::nullopt);
        for (int i = 0; i < rays; ++i) {
            const auto r = static_cast<std::size_t>(i);
            const auto& path = paths[r];
            if (!path)
                continue;
            // The faces the beam crosses, over the picture: the last ray's at the last step is what stays
            // on view, since every such drawing covers the same pixels.
            if (outlineEachStep || (t == beamWaveSteps && i == lastDrawn)) {
                const double xFirst = bFirst[r] ? xB : xA, rFirst = bFirst[r] ? rB : rA;
                const double xSecond = bFirst[r] ? xA : xB, rSecond = bFirst[r] ? rA : rB;
                surface.DrawWidth = 1;
                surface.PSet(xSecond, 0, waveColours::secondFace);
                surface.PSet(xFirst, 0, waveColours::firstCentre);
                surface.Circle(xSecond, 0, rSecond, waveColours::secondFace);
                surface.Circle(xFirst, 0, rFirst, waveColours::firstFace);
            }

            // The fronts lie at equal optical path from the beam's plane front; none beyond a blade.
            const double sBefore = airStep * (t - 1) - path->pathAtStart, sAfter = airStep * t - path->pathAtStart;
            const double exitPath = path->d0 + path->glassPath;
            front[r] = path->reached(airStep * t);
            if (!front[r])
                continue;
            const RayPathPoint next = *front[r];
            surface.DrawWidth = 1;
            if (sBefore >= exitPath)
                surface.PSet(next.x, next.y, waveColours::pastLens);
            else if (sAfter > exitPath)
                surface.PSet(next.x, next.y, waveColours::crossedExit);

            // Joined to the ray before it in the beam, when that ray has a point and lies close: never across
            // rays that were lost.
            if (i >= 1 && front[r - 1] && std::ranges::count(joinedTo[r], i - 1) > 0 &&
                apostasi(front[r - 1]->x, front[r - 1]->y, next.x, next.y) <= joinLimit)
                surface.Line(front[r - 1]->x, front[r - 1]->y, next.x, next.y, waveColours::beamFront);
            surface.DrawWidth = 1;
        }
    }
}

} // namespace lens::waves
