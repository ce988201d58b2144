// The parallel beam of the bench: desmi1 + 1 rays at one angle to the axis, 400 units wide, drawn through the
// lens, then its waves when a wave box is ticked.

#include "waves/parallel_beam.h"
#include "waves/parallel_waves.h"

#include <algorithm>
#include <cmath>

namespace lens::waves {

using namespace spherical;

namespace {

constexpr int mostBeamIntervals = 4000; // one ray every 0.1 unit

} // namespace

BeamStart beamStart(const Surface& view, double h, double angle)
{
    const double c = std::cos(angle), s = std::sin(angle), t = std::tan(angle);
    const double x = -200 - h * t, y = h / c;
    // How far along the beam each line's point lies past the plane through (−200, 0): h·sin φ·(1 − cos φ)/cos φ.
    // The plane through the foremost of them (h = ±200) lies ahead of every one.
    auto along = [&](double height) { return height * s * (1 - c) / c; };
    const double ahead = std::max(along(200), along(-200)) - along(h);
    const BeamStart onPlane{x + ahead * c, y + ahead * s, 0};
    if (strictlyInView(view, onPlane.x, onPlane.y))
        return onPlane;

    // The stretch of the line inside the view, as distances along the beam from its point on the plane.
    const double xL = view.ScaleLeft(), xR = xL + view.ScaleWidth();
    const double yT = view.ScaleTop(), yB = yT + view.ScaleHeight();
    double first = -INFINITY, last = INFINITY;
    auto slab = [&](double p, double d, double low, double high) {
        if (low > high)
            std::swap(low, high);
        if (d == 0) {
            if (!(low < p && p < high))
                first = INFINITY;
            return;
        }
        const double a = (low - p) / d, b = (high - p) / d;
        first = std::max(first, std::min(a, b));
        last = std::min(last, std::max(a, b));
    };
    slab(onPlane.x, c, xL, xR);
    slab(onPlane.y, s, yT, yB);
    if (!(first < last) || !std::isfinite(first) || !std::isfinite(last))
        return onPlane;
    // Just inside the edge where the line enters, since a start on the edge itself is not on view.
    for (const double d : {first + 1e-9 * (last - first), (first + last) / 2}) {
        const BeamStart entry{onPlane.x + d * c, onPlane.y + d * s, d};
        if (strictlyInView(view, entry.x, entry.y))
            return entry;
    }
    return onPlane;
}

bool parallelbeam(Surface& surface, RayRecords& records, const BenchScene& scene,
                  const std::function<BenchScene()>& redrawScene, double angle)
{
    const double slope = std::tan(angle);
    // tan 90° in floating point is about 1.6e16: any slope this steep is a vertical beam.
    if (!std::isfinite(slope) || std::fabs(slope) > 1e6)
        return false;
    const double c = std::cos(angle), s = std::sin(angle);

    // The scene, with the lens and the blades as the redraw leaves them.
    const BenchScene values = redrawScene ? redrawScene() : scene;

    // The beam's rays at heights 200, 200 − s, …, −200 with s = 400 / desmi1.
    // More rays than the 400 units of the beam can show apart would only cost time.
    const int intervals = std::min(values.desmi1, mostBeamIntervals);
    if (intervals >= 1 && !values.onlyWaves()) {
        const double spacing = 400.0 / intervals;
        for (int k = 0; k <= intervals; ++k) {
            const double h = 200 - k * spacing;
            const BeamStart start = beamStart(surface, h, angle);
            drawBenchRay(surface, values.diaphragm, values.lens, start.x, start.y, c, s);
        }
    }
    if (values.wavesWanted())
        parallelwaves(surface, records, values, angle);
    return true;
}

} // namespace lens::waves
