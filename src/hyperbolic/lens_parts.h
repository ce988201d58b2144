#pragma once

#include <functional>

// Pieces shared by the two hyperbolic lenses: outlines, the refraction at a face, the diaphragm,
// the ray table rows and the wavefronts. Internal to the hyperbolic routines.

#include "hyperbolic/hyperbolic_lenses.h"

#include <optional>

namespace lens::hyperbolic::parts {

// The index of refraction of the glass, 1 when lensindex is not a positive number.
double glassIndex(const SceneInputs& in);
// −1, 0 or 1 with the sign of v (0 for a NaN).
double sign(double v);

// Number of rows of the ray table that hold recorded rays: raycount kept within the table.
int recordedRows(const HyperbolicScene& scene);

// Draws the right-hand branch from its vertex (a, 0) to x just below 4a in red on both halves, with the
// current pen; returns the half height of its last point.
double drawLeftFace(Surface& surface, const HyperbolicLens& lens);
// Draws the left-hand branch shifted by 8a, from its vertex (7a, 0) to x just above 4a; returns the last half height.
double drawRightFace(Surface& surface, const HyperbolicLens& lens);
// Outline (pen 3) and, when asked, construction lines (pen 1) of the plano-convex lens; leaves pen width 1.
void drawPlanoConvexOutline(Surface& surface, const HyperbolicLens& lens, bool constructionLines);
// Outline (pen 3) and, when asked, construction lines (pen 1) of the biconvex lens, without its rays (drawbiconvexlens
// draws the whole scene); leaves pen width 1.
void drawBiconvexOutline(Surface& surface, const HyperbolicLens& lens, bool constructionLines);

// The normal of a face at one of its points: the angle of its line and its slope, when it has one.
struct FaceNormal {
    double angle = 0; // Atn of the slope, radians
    double slope = 0; // −1/mt; 0 for the horizontal normal at a vertex
};
// Normal of the branch x²/a² − y²/b² = 1 at (x, y) (x measured from the hyperbola's own centre): the axis
// at the vertex, empty for a point inside the vertex, where the face has no slope.
std::optional<FaceNormal> branchNormal(const HyperbolicLens& lens, double x, double y);
// The two red normal segments of ±25 steps in x about (x, y).
void addNormal(TracedRay& ray, const HyperbolicLens& lens, double x, double y, const FaceNormal& normal);

// Whether x lies on the span of the left face, [a, 4a], or of the right face, [4a, 7a] (up to rounding).
bool onLeftFaceSpan(const HyperbolicLens& lens, std::optional<double> x);
bool onRightFaceSpan(const HyperbolicLens& lens, std::optional<double> x);
// Of two crossings of a face, the one on the face's span (the nearer to (x0, y0) when both are); the first
// crossing when neither is.
std::optional<double> crossingOnFace(std::optional<double> first, std::optional<double> second, bool onFace1,
                                     bool onFace2, double x0, double y0, double s, double k);
// Whether light that runs along (dx1, dy1) and then along (dx2, dy2) goes on across a face whose normal
// line has angle normalAngle, rather than turning back.
bool crossesForward(double dx1, double dy1, double dx2, double dy2, double normalAngle);

// Stops the ray of slope s from (x0, y0) at the diaphragm when the blades lie between the source and the
// entry point (x1, y1) and the ray passes outside the opening; returns whether it was stopped.
bool stoppedByDiaphragm(TracedRay& ray, const SceneInputs& in, double x0, double y0, double s, double x1, double y1);
// Stops the ray that left the glass at (xe, ye) along (dx, dy) when the blades stand ahead of it and it
// meets them outside the opening: a dot at the blade, dotWidth pixels across in ForeColor or magenta, and a
// magenta segment from the exit point; returns whether it was stopped (it is then not recorded).
bool stoppedAfterLens(TracedRay& ray, const SceneInputs& in, double xe, double ye, double dx, double dy, int dotWidth,
                      bool dotInForeColor);
// The ray of slope s from (x0, y0) passes beside the lens: drawn on through (x1, y1), 100 times as far,
// unless it meets a blade outside the opening on the way; then it ends there as a ray stopped before
// the lens.
void missLens(TracedRay& ray, const SceneInputs& in, double x0, double y0, double s, double x1);

// Draws what a traced ray contributes: its lines unless "ONLY WAVES", its diaphragm dot always.
void drawTracedRay(Surface& surface, const SceneInputs& in, const TracedRay& ray);
// Writes a ray that left the lens into row raycount of the ray table; false (and nothing written) when
// the table is full or the ray did not leave the lens.
bool writeRayRow(HyperbolicScene& scene, const TracedRay& ray, double startx, double starty);
// The ray just written into row raycount takes its wave points from its start (xs, ys), and the next row
// becomes the free one.
void takeRecordedRay(Surface& surface, HyperbolicScene& scene, double xs, double ys);
// Wave points 0..30 of row i from (sx, sy), by optical path from a front that lies startPath (zero or
// negative) before the start; nothing for a row without a direction.
void fillWavePoints(HyperbolicScene& scene, double sx, double sy, int i, double startPath);
// Whether rows i and i + 1 hold rays that were next to each other in their fan, with no ray lost between.
bool fanNeighbours(const HyperbolicScene& scene, int i);
// Joins the k-th wave points of fan neighbours among rays first..last, k = 1 to 30, in colour (ForeColor when empty).
void drawFronts(Surface& surface, const HyperbolicScene& scene, int first, int last, std::optional<Rgb> colour);

inline constexpr int fanCap = 1000;        // a fan's loop ends after this many rays, whatever its step
inline constexpr double beamStartX = 130;  // the line the parallel beams start from

// One ray of a scene's fan or beam: its trace, where it starts, and the optical path already run at its
// start (0 from a source; a beam counts from one plane square to it).
struct SceneRay { TracedRay ray; double xs = 0, ys = 0, path = 0; };
// What every hyperbolic scene does with its rays once the lens is drawn: for j = 0, 1, … it draws the ray
// nextRay gives (until it gives none), records a ray that leaves the lens with its place in the bundle and
// its wave points (onRecorded sees it first), and at the end draws the fronts unless "Only Rays". A ray
// that ends the scene ends it at once, fronts included.
void traceScene(Surface& surface, HyperbolicScene& scene, const std::function<std::optional<SceneRay>(int)>& nextRay,
                const std::function<void(int)>& onRecorded = {});

} // namespace lens::hyperbolic::parts
