#pragma once

// The fronts from a point source, reshaped by the lens.
#include "spherical/spherical_lens.h"
#include "surface/surface.h"
#include "waves/ray_records.h"

namespace lens::waves {

// Draws the 26 fronts from the source (x0, y0) through the recorded rays, with the lens outline on top.
// The page form draws only the red joins of the fronts.
void kymataapopigi(Surface&, const RayRecords&, const BenchScene&, double x0, double y0,
                   PictureForm form = PictureForm::screen);

} // namespace lens::waves
