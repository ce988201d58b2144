// The spherical waves from a point source, reshaped by the lens: one wave point on every recorded ray moves
// 25 units of optical path per time step, and the points of neighbouring rays are joined into fronts.

#include "waves/point_source_waves.h"
#include "waves/lens_outline.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lens::waves {

using namespace spherical;

void kymataapopigi(Surface& surface, const RayRecords& records, const BenchScene& values, double x0, double y0,
                   PictureForm form)
{
    const LensState& lens = values.lens;
    const double n = values.index();
    const bool page = form == PictureForm::page;
    const std::optional<LensArcs> arcs = page ? std::nullopt : lensFaceArcs(lens);
    const bool outlineEachStep = values.outlines == OutlineRedraw::everyStep;
    auto outline = [&] {
        if (arcs)
            drawLensOutline(surface, lens, *arcs);
    };

    // Wave tables sized to the rays recorded: every ray of the fan gets its points.
    const int rays = records.recorded();
    std::vector<std::optional<RecordedPath>> paths(static_cast<std::size_t>(rays));
    for (int i = 0; i < rays; ++i)
        paths[static_cast<std::size_t>(i)] = recordedPath(records, i, x0, y0, n);
    // A ray's point is gone once a blade has stopped its light.
    std::vector<std::optional<RayPathPoint>> previous(static_cast<std::size_t>(rays), RayPathPoint{x0, y0});
    std::vector<std::optional<RayPathPoint>> current(previous);

    // Each ray's point is joined to the neighbours before it in the fan; the fan's last ray also to its first.
    const std::vector<std::vector<int>> joinedTo = frontJoinsByRow(records, rays);

    for (int t = 1; t <= sourceWaveSteps; ++t) {
        for (int i = 0; i < rays; ++i) {
            const auto k = static_cast<std::size_t>(i);
            std::optional<RayPathPoint> next = previous[k]; // a ray without a usable path keeps its point
            if (const auto& path = paths[k]) {
                const double sBefore = airStep * (t - 1), sAfter = airStep * t;
                next = path->reached(sAfter);
                // Where the point was at the start of the step decides its marks: the entry and exit
                // while it is still in air, a mark where it has just left the glass.
                const bool beforeLens = sBefore < path->d0;
                const bool leavesGlass = sBefore >= path->d0 && sBefore < path->d0 + path->glassPath &&
                                         sAfter > path->d0 + path->glassPath;
                // The page shows the fronts alone, without these marks.
                if (!page && beforeLens) {
                    surface.DrawWidth = 1;
                    surface.PSet(path->ex, path->ey, surface.ForeColor);
                    if (path->stop >= path->d0 + path->glassPath)
                        surface.PSet(path->qx, path->qy, waveColours::secondFace);
                } else if (!page && leavesGlass && next) {
                    surface.DrawWidth = 2;
                    surface.PSet(next->x, next->y, surface.ForeColor);
                    surface.DrawWidth = 1;
                }
            }
            current[k] = next;

            if (next) {
                surface.DrawWidth = 2;
                if (!page)
                    surface.PSet(next->x, next->y, waveColours::exitDot);
                for (const int j : joinedTo[k])
                    if (const auto& before = current[static_cast<std::size_t>(j)])
                        surface.Line(before->x, before->y, next->x, next->y, waveColours::exitDot);
                surface.DrawWidth = 1;
            }
            if (outlineEachStep)
                outline();
        }
        if (rays == 0 && outlineEachStep)
            outline();
        previous.swap(current);
        current = previous;
    }
    // Nothing drawn after the outline changes it, so drawing it once leaves the same picture.
    if (!outlineEachStep)
        outline();
    surface.DrawWidth = 1;
}

} // namespace lens::waves
