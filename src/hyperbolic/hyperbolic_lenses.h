#pragma once

// Ibn Sahl's plano-convex lens and the biconvex lens of two hyperbolas: the hyperbola helpers,
// the ray fans from a point source, the parallel beams and the wave points along the rays.
// Plain C++: the lens screen fills SceneInputs, calls a scene routine on its surface and shows
// the caption the routine left.

#include "optics/scene.h"
#include "surface/surface.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lens::hyperbolic {

inline constexpr int rayTableLast = 500;       // ray table indexes 0..500
inline constexpr int waveRayLast = 600;        // wave table: ray 0..600 by step 0..1200
inline constexpr int waveStepLast = 1200;
inline constexpr int biconvexSlopeLast = 200;
inline constexpr int wavePointsPerRay = 30;    // wave points 1..30 follow the start point 0
inline constexpr double opticalStep = 15;      // optical path between neighbouring wave points

// The lens screen's scene as the routines read it, built by the screen from its controls and the shared
// values: the index, the point source, the options and the diaphragm.
struct SceneInputs {
    double lensindex = 1.5;                          // n
    optics::Light light{false, 108, 25, 0};          // the point source (the beams are drawn from x = 130)
    optics::WaveOptions waves{true, false, false};   // "ONLY WAVES" (kymataYESNO), "Only Rays" (onlyrays)
    optics::Stop diaphragm{130, 10, -10};            // Line1.X1, Line1.Y2, Line2.Y2
};

// Hyperbolic ray table, wave-point table and the rest of the shared state of the scene routines.
struct HyperbolicScene {
    static constexpr std::size_t waveRays = waveRayLast + 1;
    static constexpr std::size_t waveSteps = waveStepLast + 1;
    static constexpr std::size_t waveTableSize = waveRays * waveSteps;

    SceneInputs in;
    int raycount = 0;
    std::array<double, rayTableLast + 1> sahlentryx{}, sahlentryy{}, sahlexitx{}, sahlexity{};
    std::array<float, rayTableLast + 1> sahldirx{}, sahldiry{};
    std::array<double, rayTableLast + 1> raystartx{}, raystarty{};   // where each recorded ray started: the source, or (130, y0) for a beam ray
    // Each recorded ray's place in its fan or beam (0 for the first ray traced), so that a wavefront joins
    // only rays with no ray lost between them.
    std::array<int, rayTableLast + 1> fanposition{};
    // Optical path of each recorded ray's start point from the front its wave points count from: 0 for a
    // point source; for a beam, how far the start lies behind the plane perpendicular to the beam through
    // the start point nearest the lens (zero or negative).
    std::array<double, rayTableLast + 1> startpath{};
    // 601 × 1201 points, stored step by step (all rays of one step side by side, as the fronts read them);
    // use waveX/waveY/setWavePoint rather than indexing these directly.
    std::vector<double> wavex = std::vector<double>(waveTableSize, 0.0);
    std::vector<double> wavey = std::vector<double>(waveTableSize, 0.0);
    std::array<float, biconvexSlopeLast + 1> biconvexslope{};
    bool rayrecorded = false;           // the ray-recorded flag of tracebiconvexray
    std::string caption;                // the caption the last scene routine set ("" if none yet)

    // Wave point k of ray i, user units; 0 outside the table.
    double waveX(int i, int k) const;
    double waveY(int i, int k) const;
    // Stores wave point k of ray i; a point outside the table is ignored.
    void setWavePoint(int i, int k, double x, double y);
    // Sets every step of rays first..last (clamped to the table) to (0, 0).
    void clearWavePoints(int first, int last);
    // Empties the ray table: raycount 0, every column and start point 0, the slopes and the flag cleared.
    void clearRayTable();
    // Sets the fan position and the start's optical path of the ray in row raycount.
    void setFanPosition(int position, double path);
    // Whether index i is a row of the ray table.
    static bool inRayTable(int i) { return i >= 0 && i <= rayTableLast; }
};

// Angle in radians, within [−π/2, π/2], whose sine is x; ±π/2 for |x| ≥ 1 and 0 for a NaN (callers test |x| > 1 first).
double arcsine(double x);
// Distance between (x1, y1) and (x2, y2), user units.
double pointdistance(double x1, double y1, double x2, double y2);
// Larger x at which y = m·x + k meets x²/a² − y²/b² = 1; empty when it does not (or a is not positive).
std::optional<double> hyperbolalinefar(double m, double k, double b, double a);
// Smaller x at which y = m·x + k meets x²/a² − y²/b² = 1; empty when it does not (or a is not positive).
std::optional<double> hyperbolalinenear(double m, double k, double b, double a);

// Draws the plano-convex lens, its construction lines, the fan of 60 rays from (x0, y0), and the wavefronts; records the rays that leave the lens.
void drawsahllens(Surface&, HyperbolicScene&, double a, double b, double x0, double y0);
// Draws the biconvex lens, its construction lines, the fan of 45 rays from (x0, y0), and the wavefronts; records the rays that leave the lens.
void drawbiconvexlens(Surface&, HyperbolicScene&, double a, double b, double x0, double y0);
// Traces and draws the ray y = s·x + k from (x0, y0) through the biconvex lens; records it at raycount and sets rayrecorded when it leaves the lens (no record otherwise).
void tracebiconvexray(Surface&, HyperbolicScene&, double a, double b, double x0, double y0, double s, double k);
// Wave points 0..30 of recorded ray i from (in.light.x, in.light.y), 15 units of optical path apart; no points for a row outside the table or without a direction. Leaves ForeColor black, pen width 1.
void raywavepoints(Surface&, HyperbolicScene&, int i);
// Wave points 0..30 of recorded ray i from its start (xs, ys), 15 units of optical path apart; as raywavepoints otherwise.
void beamwavepoints(Surface&, HyperbolicScene&, double xs, double ys, int i);
// Draws the plano-convex lens and 101 parallel rays of slope m from x = 130 with their wavefronts; records the rays that leave the lens.
void sahlparallelbeam(Surface&, HyperbolicScene&, double a, double b, double m);
// Draws the biconvex lens and 201 parallel rays of slope m from x = 130 with their wavefronts; records the rays that leave the lens.
void biconvexparallelbeam(Surface&, HyperbolicScene&, double a, double b, double m);
// Marks the far focus of the curved face, (−c, 0), with a small dark red disc labelled "F"; for the
// biconvex lens also that of its right face, (8a + c, 0). Rays from a far focus leave the face parallel
// to the axis. Nothing for glass of index 1 (b = 0). Leaves the pen, colours and font as they were.
void markfoci(Surface&, double a, double b, double n, bool biconvex);
// Steps 3 and 4 of the "WAVES" menu item: recompute the wave points of every recorded ray from its own
// start point raystartx/raystarty with beamwavepoints (the source for a fan's rays, the start line for a
// beam's, whatever the bench shows), then draw the black fronts through all recorded rays, ray 0
// included, in ForeColor.
void redrawwavefronts(Surface&, HyperbolicScene&);
// Optical path of the beam start (xs, ys) from the plane perpendicular to a beam of slope m travelling
// towards −x through the start point (130, y0), y0 = −100..100, nearest the lens: zero or negative.
double startPath(double xs, double ys, double m);

// ---------------------------------------------------------------------------------------------
// The tracing behind the drawing routines, exposed so the optics can be checked leg by leg.

// The hyperbola x²/a² − y²/b² = 1 of a lens and what follows from it, in user units.
struct HyperbolicLens {
    double a = 12;
    double b = 0;          // 0 when the glass has index 1 (or b was not a usable number)
    double n = 1;          // index of refraction of the glass
    double c = 12;         // distance of the foci from the centre, √(a² + b²)
    double rim = 0;        // half height of the lens at x = 4a, b·√15
    double normalStep = 0; // x step of the drawn normals, −7.2·a/700 (25 of them each way)
    bool usable = false;   // a is a positive finite number
};

// The lens for semi-axes a, b and index n; a NaN, infinite or negative b counts as 0, an unusable n as 1.
HyperbolicLens lensShape(double a, double b, double n);

// Refraction of a line at a face by Snell's law, angles in radians.
struct Refraction {
    bool passes = false; // false on total internal reflection
    double incidence = 0; // i, between the ray's line and the normal's line, within ±π/2
    double refracted = 0; // r = arcsine(q·sin i)
    double psi = 0;       // angle of the new line, φ + r
};
// Refracts the line of angle theta at a face whose normal line has angle phi, with q = 1/n into glass and n out of it.
Refraction refractLine(double phi, double theta, double q);

// One straight piece of a traced ray as it is drawn.
struct RaySegment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb colour;
};

// How a traced ray ended.
enum class RayEnd {
    stoppedBeforeLens, // by a diaphragm blade before it reached the glass
    missedLens,        // passed beside the lens
    endsScene,         // entry at or inside the vertex of the curved face: the fan ends here
    lostInGlass,       // totally reflected, or its line has no exit point on the lens
    stoppedAfterLens,  // by a diaphragm blade after the lens
    leftLens,          // left the glass: this ray is recorded
};

// Everything one ray contributes to a picture, and its path through the glass.
struct TracedRay {
    RayEnd end = RayEnd::missedLens;
    std::array<RaySegment, 8> segments{}; // drawn in order unless "ONLY WAVES"
    int segmentCount = 0;
    bool hasStopDot = false;              // drawn whatever the options say
    double stopx = 0, stopy = 0;
    int stopWidth = 4;
    int stopDotAt = 0;                    // drawn before this segment
    bool stopInForeColor = false;         // magenta otherwise
    // Filled once the ray reaches the glass.
    double entryx = 0, entryy = 0;
    double exitx = 0, exity = 0;
    double dirx = 0, diry = 0;            // unit direction of travel after the lens

    void add(double x1, double y1, double x2, double y2, Rgb colour);
    // Ends the ray at a blade: why it ended, and its dot at (x, y), dotWidth pixels across, drawn before the
    // segments added from now on (none for a point that is not finite).
    void stopAt(RayEnd why, double x, double y, int dotWidth, bool inForeColor);
};

// Traces the ray y = s·x + k from (x0, y0) through the plano-convex lens, with the diaphragm of `in`.
TracedRay tracePlanoConvexRay(const HyperbolicLens&, const SceneInputs&, double x0, double y0, double s, double k);
// Traces the beam ray y = m·(x − xs) + ys from (xs, ys) into the plane face of the plano-convex lens, with the
// diaphragm of `in` (blades at the start line stop nothing).
TracedRay tracePlanoConvexBeamRay(const HyperbolicLens&, const SceneInputs&, double xs, double ys, double m);
// The path of the ray y = s·x + k from (x0, y0) through the biconvex lens, with the diaphragm of `in`: traced,
// not drawn and not recorded (tracebiconvexray draws and records it).
TracedRay biconvexRayPath(const HyperbolicLens&, const SceneInputs&, double x0, double y0, double s, double k);

} // namespace lens::hyperbolic
