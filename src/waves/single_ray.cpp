// The single-ray view's tracer: one ray drawn leg by leg in red through the bench's diaphragm and the lens,
// traced by the same lens search and refraction as the bench's rays.

#include "waves/single_ray.h"

#include "waves/bench_values.h"

namespace lens::waves {

using namespace spherical;

ProtiTomi prototomimoni(double xA, double xB, double rA, double rB, double dx, double dy, double x0, double y0,
                        int& kind)
{
    const ProtiTomi hit = lensHit(xA, xB, rA, rB, dx, dy, x0, y0, StartClasses::singleRay);
    kind = hit.eidos;
    return hit;
}

void aktinamoni(Surface& surface, const Diaphragm& benchDiaphragm, double x0, double y0, double dx, double dy,
                double xA, double xB, double rA, double rB, double n)
{
    const RayPath path =
        traceRay(surface, benchDiaphragm, x0, y0, dx, dy, xA, xB, rA, rB, n, StartClasses::singleRay);
    for (int i = 0; i < path.count; ++i) {
        const RayLeg& leg = path.legs[static_cast<std::size_t>(i)];
        // A blade in the view stops the ray before this leg is drawn; one whose crossing lies beyond the view
        // (a ray that leaves the view first, as a vertical one does) does not.
        if (leg.end == LegEnd::blade && !leg.bladeBeyondView)
            return;
        surface.Line(leg.x1, leg.y1, leg.x2, leg.y2, waveColours::singleRay);
    }
}

} // namespace lens::waves
