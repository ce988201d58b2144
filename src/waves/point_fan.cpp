// The fan of rays from a point: rays in all directions at the bench's angular step, each drawn through the
// lens and, when waves are wanted, traced with time marks and recorded; then the waves follow.

#include "waves/point_fan.h"
#include "waves/bundle_ray.h"
#include "waves/parallel_waves.h"
#include "waves/point_source_waves.h"

#include <cmath>
#include <numbers>

namespace lens::waves {

using namespace spherical;

namespace {

constexpr int mostFanRays = 100000; // a step too small for the screen to show still ends

} // namespace

int fanRayCount(double raystep)
{
    if (!(raystep > 0) || !std::isfinite(raystep))
        return 0;
    // From −180° to 180° both included (the ray straight to the left goes out twice).
    const double steps = std::floor(360.0 / raystep + 1e-9);
    return steps >= mostFanRays ? mostFanRays : static_cast<int>(steps) + 1;
}

void desmiapopigi(Surface& surface, LensState& lens, RayRecords& records, BenchValues& values, double xA, double xB,
                  double rA, double rB, double x0, double y0)
{
    const double pi = std::numbers::pi;
    records.startBundle(0, false);
    const double step = values.raystep;
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(x0) || !std::isfinite(y0))
        return;
    const int rays = fanRayCount(step);
    records.startBundle(rays, true);
    for (int j = 0; j < rays; ++j) {
        const double k = -180 + j * step;
        values.sourcex = x0;
        values.sourcey = y0;
        const double t = pi * k / 180;
        const double dx = std::cos(t), dy = std::sin(t);
        const double n = values.index();
        lens.refindex = n;
        if (!values.Check2)
            poreiaaktinas(surface, values.diaphragm, x0, y0, dx, dy, xA, xB, rA, rB, n);
        if (values.wavesWanted()) {
            double sx = x0, sy = y0;
            const int row = records.raycount;
            tracebundleray(surface, records, values, sx, sy, dx, dy, xA, xB, rA, rB, n);
            records.placeInBundle(row, j);
        }
    }
    if (!values.wavesWanted())
        return;
    if (!values.parallelmode)
        kymataapopigi(surface, lens, records, values, x0, y0);
    else
        parallelwaves(surface, lens, records, values, values.bundleangle);
}

} // namespace lens::waves
