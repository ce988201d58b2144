#pragma once

// The single-ray view's tracer: one ray through the bench's diaphragm and the lens.
#include "spherical/spherical_lens.h"
#include "surface/surface.h"

namespace lens::waves {

// First point of the lens boundary in front of (x0, y0) along (dx, dy), for the single-ray view; kind
// receives eidos (1 on circle A, 2 on circle B, 0 on neither). vrethike false when the ray misses the lens.
spherical::ProtiTomi prototomimoni(double xA, double xB, double rA, double rB, double dx, double dy, double x0,
                                   double y0, int& kind);
// Traces one ray on the single-ray view and draws its legs in red, stopped by the bench's diaphragm,
// refracted at each face, up to the view's edge.
void aktinamoni(Surface&, const spherical::Diaphragm& benchDiaphragm, double x0, double y0, double dx, double dy,
                double xA, double xB, double rA, double rB, double n);

} // namespace lens::waves
