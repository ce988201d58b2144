#pragma once

// The single-ray view's tracer: one ray through the bench's diaphragm and the lens.
#include "spherical/spherical_lens.h"
#include "surface/colour.h"
#include "surface/surface.h"

namespace lens::waves {

// First point of the lens boundary in front of (x0, y0) along (dx, dy), for the single-ray view; kind
// receives eidos (1 on circle A, 2 on circle B, 0 on neither). vrethike false when the ray misses the lens.
spherical::ProtiTomi prototomimoni(double xA, double xB, double rA, double rB, double dx, double dy, double x0,
                                   double y0, int& kind);
// The circle that marks a point of total reflection on the single-ray view, and the words beside the first.
inline constexpr Rgb reflectionMark = RGB(0, 0, 255);
inline constexpr double reflectionMarkRadius = 3;
inline constexpr const char* reflectionLabel = "ολική ανάκλαση / total internal reflection";

// Traces one ray on the single-ray view and draws its legs in red, stopped by the bench's diaphragm,
// refracted at each face, reflected inside the glass where it meets a face beyond the critical angle (each
// reflection marked, the first one labelled), up to the view's edge.
void aktinamoni(Surface&, const spherical::Diaphragm& benchDiaphragm, double x0, double y0, double dx, double dy,
                double xA, double xB, double rA, double rB, double n);
void drawSingleRay(Surface&, const spherical::Diaphragm& benchDiaphragm, const spherical::LensState&, double x0,
                   double y0, double dx, double dy);

} // namespace lens::waves
