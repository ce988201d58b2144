#pragma once

// The fan of rays from a point, in all directions, followed by its waves.
#include "spherical/spherical_lens.h"
#include "surface/surface.h"
#include "waves/ray_records.h"

namespace lens::waves {

// How many rays a fan raystep degrees apart sends, from −180° to 180° both included (bounded however
// small the step); 0 for a step that is not positive.
int fanRayCount(double raystep);

// Sends rays from (x0, y0) in all directions, raystep degrees apart from −180° to 180°: drawn as rays
// unless "SHOW ONLY WAVES", traced with time marks and recorded when a wave box is ticked, and then
// followed by the point-source waves (or the beam's waves while the scene's beam shines). The rays are
// traced with the scene's index through the circles given.
void desmiapopigi(Surface&, RayRecords&, const BenchScene&, double xA, double xB, double rA, double rB, double x0,
                  double y0);
// The same fan through the scene's lens.
void fanFromPoint(Surface&, RayRecords&, const BenchScene&, double x0, double y0);

} // namespace lens::waves
