#pragma once

// One ray of a bundle drawn as time marks of equal travel time, and recorded for the waves.
#include "surface/surface.h"
#include "waves/ray_records.h"

namespace lens::waves {

// Traces one ray from (x0, y0) along the unit direction (dx, dy) through the diaphragm and the lens and
// draws it as dots 25 units of optical path apart (25/n in glass); records it at row raycount when it
// leaves the lens, or when a blade stops it after it has entered the glass (then its marks end at the
// blade and the record says where). Nothing is drawn for a start outside the view, a ray stopped by a
// blade before the lens or one that misses the lens; total internal reflection leaves the dots drawn so
// far and records nothing. startPath is the optical path the ray has already covered at its start, from
// its bundle's common front: the dots fall where that path plus the way travelled is a whole number of
// 25s.
void tracebundleray(Surface&, RayRecords&, const BenchScene&, double x0, double y0, double dx, double dy,
                    double xcentreA, double xcentreB, double radiusA, double radiusB, double n,
                    double startPath = 0);
// The same through the scene's lens, traced with its index.
void traceTimedRay(Surface&, RayRecords&, const BenchScene&, double x0, double y0, double dx, double dy,
                   double startPath = 0);

} // namespace lens::waves
