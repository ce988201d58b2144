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

RayPathPoint beamStart(double h, double angle)
{
    const double c = std::cos(angle), s = std::sin(angle), t = std::tan(angle);
    const double x = -200 - h * t, y = h / c;
    // How far along the beam each line's point lies past the plane through (−200, 0): h·sin φ·(1 − cos φ)/cos φ.
    // The plane through the foremost of them (h = ±200) lies ahead of every start, so a start only moves
    // forward, towards the lens and into the view.
    auto along = [&](double height) { return height * s * (1 - c) / c; };
    const double ahead = std::max(along(200), along(-200)) - along(h);
    return {x + ahead * c, y + ahead * s};
}

bool parallelbeam(Surface& surface, LensState& lens, RayRecords& records, BenchValues& values,
                  const std::function<void(BenchValues&)>& redrawScene, double angle)
{
    const double slope = std::tan(angle);
    // tan 90° in floating point is about 1.6e16: any slope this steep is a vertical beam.
    if (!std::isfinite(slope) || std::fabs(slope) > 1e6)
        return false;
    const double c = std::cos(angle), s = std::sin(angle);

    values.parallelmode = true;
    if (redrawScene)
        redrawScene(values); // the scene, and the lens and the blades as it leaves them
    const double xA = lens.xcentreA, xB = lens.xcentreB, rA = lens.radiusA, rB = lens.radiusB;

    // The beam's rays at heights 200, 200 − s, …, −200 with s = 400 / desmi1.
    // More rays than the 400 units of the beam can show apart would only cost time.
    const int intervals = std::min(values.desmi1, mostBeamIntervals);
    if (intervals >= 1 && !values.Check2) {
        const double spacing = 400.0 / intervals;
        for (int k = 0; k <= intervals; ++k) {
            const double h = 200 - k * spacing;
            const double n = values.index();
            const RayPathPoint start = beamStart(h, angle);
            poreiaaktinas(surface, values.diaphragm, start.x, start.y, c, s, xA, xB, rA, rB, n);
        }
    }
    if (values.wavesWanted())
        parallelwaves(surface, lens, records, values, angle);
    return true;
}

} // namespace lens::waves
