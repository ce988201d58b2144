// The fan of rays from a point: rays in all directions at the bench's angular step, each drawn through the
// lens and, when waves are wanted, traced with time marks and recorded; then the waves follow.

#include "waves/point_fan.h"
#include "waves/back_extension.h"
#include "waves/bundle_ray.h"
#include "waves/parallel_waves.h"
#include "waves/point_source_waves.h"

#include <cmath>
#include <numbers>
#include <utility>

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

void desmiapopigi(Surface& surface, RayRecords& records, const BenchScene& scene, double xA, double xB, double rA,
                  double rB, double x0, double y0)
{
    fanFromPoint(surface, records, scene.withCircles({xA, rA, xB, rB}), x0, y0);
}

void fanFromPoint(Surface& surface, RayRecords& records, const BenchScene& values, double x0, double y0)
{
    const LensState& lens = values.lens;
    const double pi = std::numbers::pi;
    records.startBundle(0, false);
    const double step = values.raystep;
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(x0) || !std::isfinite(y0))
        return;
    const int rays = fanRayCount(step);
    auto direction = [&](int j) {
        const double t = pi * (-180 + j * step) / 180;
        return std::pair{std::cos(t), std::sin(t)};
    };
    // Where the image is virtual the rays that leave the lens are continued back to it, first, so that the
    // rays themselves are drawn over their dashed continuations.
    if (!values.onlyWaves())
        if (const auto back = virtualImageLine(lens, x0, y0))
            for (int j = 0; j < rays; ++j) {
                const auto d = direction(j);
                drawBackExtension(surface, *back, traceRay(surface, values.diaphragm, lens, x0, y0, d.first, d.second),
                                  rayColours::free);
            }
    records.startBundle(rays, true);
    for (int j = 0; j < rays; ++j) {
        const auto [dx, dy] = direction(j);
        if (!values.onlyWaves())
            drawBenchRay(surface, values.diaphragm, lens, x0, y0, dx, dy);
        if (values.wavesWanted()) {
            const int row = records.raycount;
            traceTimedRay(surface, records, values, x0, y0, dx, dy);
            records.placeInBundle(row, j);
        }
    }
    if (!values.wavesWanted())
        return;
    if (!values.light.beam)
        kymataapopigi(surface, records, values, x0, y0);
    else
        parallelwaves(surface, records, values, values.light.angle);
}

} // namespace lens::waves
