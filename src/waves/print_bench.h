#pragma once

// The bench on one printed page: the lens, its foci, a fan of 181 rays from the source, the
// cardinal-point construction and, with a wave box ticked, the waves.

#include "spherical/spherical_lens.h"
#include "surface/surface.h"
#include "waves/ray_records.h"

namespace lens::waves {

inline constexpr int printedFanStep = 2; // degrees between the rays of the printed fan

// Prints the bench on the page. The page gets user coordinates centred on the origin, y upwards, that
// follow its own aspect (1200 units across its width plus height). The wave rays are traced on
// benchSurface, a surface with the bench's coordinates, into records (which start from row 0).
// lens gives the index (refindex) and is drawn with the circles given.
void printbench(Surface& page, Surface& benchSurface, const spherical::LensState& lens, RayRecords& records,
                const BenchValues& values, double xcentreA, double xcentreB, double radiusA, double radiusB,
                double x0, double y0);

} // namespace lens::waves
