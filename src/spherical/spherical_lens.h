#pragma once

// The spherical lens of the bench: the overlap of two discs centred on the axis y = 0, its state,
// the geometry and refraction routines, the static scene and the tracing of single rays.
// Lengths are in the bench's user units, angles in radians.

#include "optics/scene.h"
#include "surface/colour.h"
#include "surface/surface.h"

#include <array>
#include <functional>
#include <optional>

namespace lens::spherical {

// Records of the geometry routines, fields in the order and precision the routines give them.
struct SimeiaTomis { double x1 = 0, y1 = 0, x2 = 0, y2 = 0; bool yparxei = false; };
struct Simeio { float x = 0, y = 0; };
struct Monadiaio { float ux = 0, uy = 0; };
struct Diathlasi { float dx = 0, dy = 0; bool egine = false; };
struct Perasma { float x = 0, y = 0; bool ektos = false; };
struct ProtiTomi { double x = 0, y = 0; bool vrethike = false; int eidos = 0; };

// The lens of the bench and its index (the module-wide lens state), refreshed from the controls by every redraw.
struct LensState { double xcentreA = -50, radiusA = 100, xcentreB = 20, radiusB = 90, refindex = 1.5; };
// The same circles with another index.
inline LensState withIndex(LensState lens, double n)
{
    lens.refindex = n;
    return lens;
}

// The control values anaschediasi reads: scroll bars and the upper blade's end.
struct BenchControls {
    int deiktisdiathlasis = 150, kentrokykloy = 20, kentrokykloy2 = -50, aktina1 = 100, aktina2 = 90;
    double line1X2 = 0, line1Y2 = 0;   // the upper blade's lower end
};
// The lens as the controls give it: circle A from kentrokykloy2 and aktina1, circle B from kentrokykloy and
// aktina2, the index from deiktisdiathlasis. Every screen reads its lens through this.
LensState lensFrom(const BenchControls&);
// A blade end moved out of the glass onto the lens surface, with the value its hidden scroll bar takes.
struct BladeFit { double y; int scrollValue; };
struct DiaphragmFit { std::optional<BladeFit> upper, lower; };   // upper: Line1.Y2 / VScroll1; lower: Line2.Y2 / VScroll2
// The diaphragm as the tracers read it: Line1.X1, Line1.Y2, Line2.Y2.
using Diaphragm = optics::Stop;

// Colours of the bench's rays and scene.
namespace rayColours {
inline constexpr Rgb blade = RGB(0, 0, 255);        // a leg stopped by a blade, and the first pass over a lens leg
inline constexpr Rgb free = RGB(255, 100, 150);     // a leg that runs to the edge of the view
inline constexpr Rgb kindA = RGB(255, 0, 0);        // a lens leg ending on circle A (kind 1)
inline constexpr Rgb kindB = RGB(255, 0, 255);      // a lens leg ending on circle B (kind 2)
inline constexpr Rgb kindNone = RGB(255, 150, 0);   // a lens leg of kind 0
} // namespace rayColours
namespace sceneColours {
inline constexpr Rgb focus = RGB(55, 0, 0);
inline constexpr Rgb centre = RGB(5, 0, 0);
inline constexpr Rgb polygon = RGB(0, 255, 0);
inline constexpr Rgb outline = RGB(0, 0, 0);
inline constexpr Rgb glass = RGB(200, 228, 250);    // the pale tint the lens is filled with
} // namespace sceneColours

// Whether (x, y) lies strictly inside the surface's visible rectangle (a point on its edge does not).
bool strictlyInView(const Surface&, double x, double y);
// Whether (x, y) lies strictly inside both discs, in the glass of the lens (a point on a face does not).
bool insideLens(double x, double y, const LensState&);
// Distance between (x1, y1) and (x2, y2), in user units.
double apostasi(double x1, double y1, double x2, double y2);
// Arcsine of s in radians; no value when |s| > 1 or s is not a number.
std::optional<double> toxoimitono(double s);
// Sign of v: 1, -1, or 0 (also for a value that is not a number).
int prosimo(double v);
// Thin-lens focal length (lens-maker's formula, radii positive for a biconvex lens), in user units;
// no value when a radius is 0 or the power is 0 (n = 1).
std::optional<double> estiakiapostasi(double rA, double rB, double n);
// Where circle (xA, 0, rA) meets circle (xB, 0, rB), upper point first; yparxei false (all zero) when they
// do not meet or share a centre.
SimeiaTomis tomikyklon(double xA, double xB, double rA, double rB);
// The same with the first centre at the origin and the second at (d, 0); yparxei false (all zero) when the
// circles do not meet or d = 0.
SimeiaTomis tomikyklonschetiki(double d, double r1, double r2);
// Where the line through (x0, y0) with direction (dx, dy) meets circle (xc, yc, R), larger x first;
// yparxei false for a miss or a tangent (then the points are (x0, y0), or all zero for a vertical line).
SimeiaTomis tomieytheiaskyklou(double xc, double yc, double R, double dx, double dy, double x0, double y0);
// ((x1 - x2) / len, (y1 - y2) / len): with a centre and radius, the outward unit normal; (0, 0) when len is 0.
Monadiaio monadiaio(double x1, double y1, double x2, double y2, double len);
// Signed angle of incidence (radians, from the normal) of direction a at a surface of tangent b;
// no value when either vector has zero length.
std::optional<double> gonia(double ax, double ay, double bx, double by);
// Relative index met by a ray crossing circle (xc, yc, R) at (x, y): n going in, 1/n going out
// (0 when n is 0).
double schetikosdeiktis(double dx, double dy, double x, double y, double xc, double yc, double R, double n);
// Refracts direction (dx, dy) at the circle (xc, yc, R) through (x, y) by Snell's law; egine is false (and the
// direction zero) on total internal reflection, a zero radius, a zero direction or a zero index.
Diathlasi diathlasi(double dx, double dy, double x, double y, double xc, double yc, double R, double n);
// Where the ray from (x0, y0) with direction (dx, dy) leaves the surface's visible rectangle, in user
// units; the start itself for a zero direction.
Simeio akriothonis(const Surface& surface, double x0, double y0, double dx, double dy);
// Where the ray's line crosses the vertical x = xe; ektos true when that is outside [ybot, ytop]
// (otherwise the record holds the start).
Perasma perasma(double xe, double ytop, double ybot, double x0, double y0, double dx, double dy);
// Moves the upper blade's end (bx, by) out of the glass onto the lens surface; no value when the end is not
// strictly inside both discs.
std::optional<BladeFit> diafragmaano(const Surface&, double bx, double by, double xA, double rA, double xB, double rB);
// The lower blade's fit from the upper blade's end (bx, by): the mirror image below the axis; no value when
// the end is not strictly inside both discs.
std::optional<BladeFit> diafragmakato(const Surface&, double bx, double by, double xA, double rA, double xB, double rB);
// The same fits for a lens given whole.
std::optional<BladeFit> upperBladeFit(const Surface&, double bx, double by, const LensState&);
std::optional<BladeFit> lowerBladeFit(const Surface&, double bx, double by, const LensState&);
// Both blades fitted to the lens's circles from the upper blade's end (bx, by).
DiaphragmFit fitDiaphragm(const Surface&, double bx, double by, const LensState&);
// Redraws the static scene of the lens the controls give, and returns that lens; calls applyFit (if any blade
// moves) at the point where the blades are fitted, so the screen can move its line controls and set its hidden
// scroll bars before the marks, circles and fill are drawn.
LensState anaschediasi(Surface&, const BenchControls&, const std::function<void(const DiaphragmFit&)>& applyFit);
// A point within this distance of a lens circle counts as lying on it, for the refraction there.
inline constexpr double surfaceTolerance = 0.005;

// How a lens search names the circle of its hit (eidos): the bench's search gives kind 0 to a start inside
// one disc only, tested with the factors 0.9995 and 1.005; the single-ray view's search tests with 0.9995
// and 1.0005 only.
enum class StartClasses { bench, singleRay };

// The one lens search of the program: the first point of the lens boundary in front of (x0, y0) along
// (dx, dy), the nearest crossing with either circle that lies in the other disc (within rounding only);
// vrethike false when the ray misses the lens or there is no lens. eidos as the classes say.
ProtiTomi lensHit(const LensState&, double dx, double dy, double x0, double y0, StartClasses classes);

// Refraction of direction (dx, dy) at a lens hit (x, y): at the circle it lies on within surfaceTolerance,
// the nearer of the two where it lies within the tolerance of both (at the rim). circle is 1 for A, 2 for B,
// 0 when the point lies on neither (no refraction).
struct LensRefraction { int circle = 0; Diathlasi refracted; };
LensRefraction refractAtLens(double dx, double dy, double x, double y, const LensState&);

// First point of the lens boundary in front of (x0, y0) along (dx, dy), in user units; vrethike false when the
// ray misses the lens or there is no lens. kind receives eidos. Sets the surface's DrawWidth to 1.
ProtiTomi prototomi(Surface&, double xA, double xB, double rA, double rB, double dx, double dy, double x0, double y0, int& kind);
// The same search for a lens given whole; the kind is the record's eidos.
ProtiTomi firstLensPoint(Surface&, const LensState&, double dx, double dy, double x0, double y0);
// Traces one ray through the diaphragm and the lens and draws it; no result.
void poreiaaktinas(Surface&, const Diaphragm&, double x0, double y0, double dx, double dy, double xA, double xB, double rA, double rB, double n);
void drawBenchRay(Surface&, const Diaphragm&, const LensState&, double x0, double y0, double dx, double dy);

// How a leg of a traced ray ends.
enum class LegEnd { lens, blade, viewEdge };

// One straight piece of a traced ray, as poreiaaktinas draws it.
struct RayLeg {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // from, to (user units)
    double dx = 0, dy = 0;                 // direction travelled along the leg
    LegEnd end = LegEnd::viewEdge;
    int kind = 0;          // prototomi's kind code of the hit (lens legs)
    int circle = 0;        // circle refracted or reflected at the leg's end: 1 A, 2 B, 0 none
    bool totalReflection = false; // totally reflected inside the glass at the leg's end: a bench ray ends there
    bool reflected = false;       // and a reflecting trace follows the reflected ray on from there
    bool bladeBeyondView = false; // a blade leg whose crossing lies beyond the view: drawn to the view's edge
};

// A traced ray: at most five passes, one leg each.
struct RayPath {
    std::array<RayLeg, 5> legs{};
    int count = 0;
};

// The colour a leg ends up drawn in (a lens leg is drawn first in the blade colour, then over in this one).
Rgb legColour(const RayLeg& leg);

// Traces one ray leg by leg as poreiaaktinas draws it, without drawing.
RayPath traceRay(const Surface&, const Diaphragm&, const LensState&, double x0, double y0, double dx, double dy,
                 StartClasses classes = StartClasses::bench);

// The most total reflections a reflecting trace follows inside the glass. A ray caught between the faces
// beyond the critical angle may go on reflecting for a long while; after this many it ends at its next total
// reflection, as a bench ray ends at its first. On the single-ray view's default lens at n = 1.5 hardly a ray
// needs more; denser glass holds a few rays for some tens of reflections, whose chords then crowd along the
// faces too closely to follow by eye.
inline constexpr int maxInternalReflections = 16;

// A ray traced with its total reflections: the bench's five passes, and one more leg for every reflection.
struct ReflectingRayPath {
    std::array<RayLeg, 5 + maxInternalReflections> legs{};
    int count = 0;
    int reflections = 0; // legs marked reflected
};

// Traces one ray as traceRay does, but at a total reflection the ray is reflected inside the glass by the law
// of reflection at the circle it meets (d' = d - 2(d.n)n, n the circle's unit normal there) and followed on, up
// to maxInternalReflections times, until it is refracted out of the glass. A ray without a total reflection is
// traced exactly as by traceRay.
ReflectingRayPath traceRayReflecting(const Surface&, const Diaphragm&, const LensState&, double x0, double y0,
                                     double dx, double dy, StartClasses classes = StartClasses::singleRay);

} // namespace lens::spherical
