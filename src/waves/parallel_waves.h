#pragma once

// The waves of the parallel beam: a dense beam traced with time marks and its fronts stepped through the lens.
#include "spherical/spherical_lens.h"
#include "surface/surface.h"
#include "waves/ray_records.h"

namespace lens::waves {

// Draws the waves of the parallel beam at angle φ: 151 rays traced with time marks, their red exit
// points and the fronts of 30 time steps, joined where neighbours lie within 50/n. Records the beam
// from row 0. The printed page's form traces the rays (and draws their time marks) on traceSurface,
// the bench's, and draws the rest on the page.
void parallelwaves(Surface&, RayRecords&, const BenchScene&, double angle);
void parallelwaves(Surface& page, Surface& traceSurface, RayRecords&, const BenchScene&, double angle);

} // namespace lens::waves
