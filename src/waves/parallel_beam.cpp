// The parallel beam of the bench: desmi1 + 1 rays at one angle to the axis, 400 units wide, drawn through the
// lens, then its waves when a wave box is ticked.

#include "waves/waves.h"

#include <cmath>

namespace lens::waves {

using namespace spherical;

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
    const int intervals = values.desmi1;
    if (intervals >= 1 && !values.Check2) {
        const double spacing = 400.0 / intervals;
        for (int k = 0; k <= intervals; ++k) {
            const double h = 200 - k * spacing;
            const double n = values.index();
            poreiaaktinas(surface, values.diaphragm, -200 - h * slope, h / c, c, s, xA, xB, rA, rB, n);
        }
    }
    if (values.wavesWanted())
        parallelwaves(surface, lens, records, values, angle);
    return true;
}

} // namespace lens::waves
