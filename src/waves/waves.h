#pragma once

// Bundles and wavefronts through the spherical lens of the bench: rays drawn as dots of equal travel
// time and recorded in the ray record table, the parallel beam and its waves, the waves from a point
// source, the fan of rays from a point, and the single-ray tracer. Plain C++: the bench fills
// BenchValues from its controls before a call and writes back what the routine changed.
// Lengths are in the bench's user units, angles in radians unless a name says degrees.

#include "spherical/spherical_lens.h"
#include "surface/surface.h"

#include <array>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace lens::waves {

inline constexpr int rayTableLast = 1500;      // ray record table: rays 0..1500
inline constexpr int startTableLast = 450;     // start points of a parallel beam: 0..450
inline constexpr double lightSpeed = 250;      // units per unit of time in air
inline constexpr double timeStep = 0.1;
inline constexpr double airStep = lightSpeed * timeStep; // 25: one time mark in air
inline constexpr int beamWaveSteps = 30;       // time steps of the parallel-beam waves
inline constexpr int sourceWaveSteps = 26;     // time steps of the point-source waves

// The answer to a beam angle whose tangent is not finite: the same text the hyperbolic-lens screen gives.
inline constexpr std::string_view verticalBeamMessage =
    "Κατακόρυφη δέσμη (±90°) δεν σχεδιάζεται: δώσε άλλη γωνία.\nA vertical beam (±90°) cannot be drawn: give another angle.";

namespace waveColours {
inline constexpr Rgb airDot = RGB(5, 0, 250);        // time marks before the lens
inline constexpr Rgb glassDot = RGB(0, 155, 0);      // inside the glass
inline constexpr Rgb afterDot = RGB(150, 0, 150);    // after the lens
inline constexpr Rgb exitDot = RGB(255, 0, 0);       // a beam ray's exit point; the point-source fronts
inline constexpr Rgb beamFront = RGB(255, 55, 0);    // joins of the parallel-beam fronts
inline constexpr Rgb crossedExit = RGB(155, 155, 0); // a beam wave point that has just left the glass
inline constexpr Rgb pastLens = RGB(0, 255, 255);    // a beam wave point beyond the lens
inline constexpr Rgb secondFace = RGB(0, 255, 0);    // the circle a beam leaves through, and an exit mark
inline constexpr Rgb firstFace = RGB(255, 255, 0);   // the circle a beam enters through
inline constexpr Rgb firstCentre = RGB(0, 0, 255);
inline constexpr Rgb singleRay = RGB(255, 0, 0);     // the single-ray view's legs
} // namespace waveColours

// The ray record table: per recorded ray its way to the lens, through the glass and beyond.
// Rows at or above raycount hold what earlier pictures left there.
struct RayRecords {
    static constexpr std::size_t rows = rayTableLast + 1;
    static constexpr std::size_t startRows = startTableLast + 1;

    int raycount = 0; // rays recorded; the next ray goes into this row
    std::array<double, rows> entryx{}, entryy{};     // where the ray meets the first surface
    std::array<double, rows> dirx0{}, diry0{};       // unit direction before the lens
    std::array<double, rows> entrytime{};            // travel time in air to the entry (distance / 250)
    std::array<float, rows> dirxglass{}, diryglass{};// direction inside the glass, as refracted
    std::array<double, rows> exitx{}, exity{};       // where the ray leaves the glass
    std::array<double, rows> glasslength{};          // entry to exit
    std::array<double, rows> dirx1{}, diry1{};       // direction after the lens
    std::array<double, startRows> startx{}, starty{};// start point of a beam ray (parallel mode only)
    // Where each recorded ray stands in the bundle that sent it (the fan's or the beam's own count, rays
    // that were not recorded included), so fronts join only rays that are neighbours in the bundle.
    std::array<int, rows> bundleindex{};
    int bundlerays = 0;    // rays the bundle sent
    bool fullturn = false; // a fan all round the source: its last ray is the first ray's neighbour

    // Starts a new bundle of the given size: nothing recorded yet.
    void startBundle(int rays, bool turn);
    // Notes the bundle position of the ray just traced, when it was recorded into row.
    void placeInBundle(int row, int position);

    static bool inTable(int i) { return i >= 0 && i <= rayTableLast; }
    static bool inStartTable(int i) { return i >= 0 && i <= startTableLast; }
    // Rows 0..recorded() − 1 hold the rays of the current picture (raycount kept within the table).
    int recorded() const;
};

// The pairs of recorded rows whose wave points are joined into a front: rays next to each other in
// their bundle, and the last and first rays of a fan all round the source. Rows that follow each other
// only because the rays between them were lost (a blade, a miss, total internal reflection) are not
// joined.
struct FrontJoin { int from = 0, to = 0; };
std::vector<FrontJoin> frontJoins(const RayRecords&);

// A point on a ray, in user units.
struct RayPathPoint { double x = 0, y = 0; };

// Whether the lens outline drawn over every step of the waves is drawn at every step, as the
// optics describes the picture, or once at the end, which leaves the same pixels because nothing
// drawn after it changes them.
enum class OutlineRedraw { once, everyStep };

// What the wave routines read of the bench's controls and of the program-wide values, filled by the
// screen before a call; the routines write parallelmode, sourcex and sourcey, which the screen copies back.
struct BenchValues {
    int deiktisdiathlasis = 150;       // index of refraction × 100
    int desmi1 = 20;                   // rays of the parallel beam (2..150)
    bool Check1 = false;               // "SHOW WAVES AND RAYS"
    bool Check2 = false;               // "SHOW ONLY WAVES"
    spherical::Diaphragm diaphragm{};  // Line1.X1, Line1.Y2, Line2.Y2
    double raystep = 4.712389;         // angle between the rays of a fan from a point, degrees
    bool parallelmode = false;         // the bench shows a parallel beam rather than a fan from a point
    double bundleangle = 0;            // the beam's angle
    double sourcex = -200, sourcey = 0;
    OutlineRedraw outlines = OutlineRedraw::once;

    double index() const { return deiktisdiathlasis / 100.0; }
    bool wavesWanted() const { return Check1 || Check2; }
};

// The arcs of the two circles that bound the lens, as angles from each circle's centre
// (counter-clockwise, within 0..2π): circle A's face and circle B's face.
struct LensArcs { double arcAstart = 0, arcAend = 0, arcBstart = 0, arcBend = 0; };

// The arcs of the lens as it is now; no value when the circles do not cross (no lens outline to draw).
std::optional<LensArcs> lensFaceArcs(const spherical::LensState& lens);
// Draws the lens outline in black, pen width 2, solid; leaves pen width 2.
void drawLensOutline(Surface&, const spherical::LensState& lens, const LensArcs& arcs);

// Traces one ray from (x0, y0) along the unit direction (dx, dy) through the diaphragm and the lens and
// draws it as dots 25 units of optical path apart (25/n in glass); records it at row raycount when it
// leaves the lens. Nothing is drawn for a start outside the view, a ray stopped by a blade or one that
// misses the lens; total internal reflection leaves the dots drawn so far and records nothing. x0, y0
// are unchanged on return.
void tracebundleray(Surface&, RayRecords&, const BenchValues&, double& x0, double& y0, double dx, double dy,
                    double xcentreA, double xcentreB, double radiusA, double radiusB, double n);

// Draws the waves of the parallel beam at angle φ: 151 rays traced with time marks, their red exit
// points and the fronts of 30 time steps, joined where neighbours lie within 50/n. Records the beam
// from row 0. The printed page's form traces the rays (and draws their time marks) on traceSurface,
// the bench's, and draws the rest on the page.
void parallelwaves(Surface&, const spherical::LensState&, RayRecords&, const BenchValues&, double angle);
void parallelwaves(Surface& page, Surface& traceSurface, const spherical::LensState&, RayRecords&, const BenchValues&,
                   double angle);

// A picture as the screen shows it, or in the form the printed page gives it.
enum class PictureForm { screen, page };

// Draws the 26 fronts from the source (x0, y0) through the recorded rays, with the lens outline on top.
// The page form draws only the red joins of the fronts.
void kymataapopigi(Surface&, const spherical::LensState&, const RayRecords&, const BenchValues&, double x0, double y0,
                   PictureForm form = PictureForm::screen);

// Where the ray of a parallel beam at angle φ and height h (−200 ≤ h ≤ 200) starts. Its line is the
// one through (−200 − h·tan φ, h / cos φ) along the beam; its start is moved along that line onto one
// plane perpendicular to the beam, the same for every h, so all rays set out with the same optical path
// and the time marks and fronts of a tilted beam are true wavefronts. At φ = 0 the plane is x = −200.
RayPathPoint beamStart(double h, double angle);

// Redraws the bench scene (through redrawScene, which also refreshes the diaphragm in the values) and
// draws the parallel beam of desmi1 + 1 rays at angle φ, then its waves when a wave box is ticked.
// Sets parallelmode. Returns false, drawing nothing and changing nothing, when tan φ is not finite.
bool parallelbeam(Surface&, spherical::LensState&, RayRecords&, BenchValues&,
                  const std::function<void(BenchValues&)>& redrawScene, double angle);

// Sends rays from (x0, y0) in all directions, raystep degrees apart from −180° to 180°: drawn as rays
// unless "SHOW ONLY WAVES", traced with time marks and recorded when a wave box is ticked, and then
// followed by the point-source waves (or the beam's waves in parallel mode). Sets the source.
void desmiapopigi(Surface&, spherical::LensState&, RayRecords&, BenchValues&, double xA, double xB, double rA,
                  double rB, double x0, double y0);

// First point of the lens boundary in front of (x0, y0) along (dx, dy), for the single-ray view; kind
// receives eidos (1 on circle A, 2 on circle B, 0 on neither). vrethike false when the ray misses the lens.
spherical::ProtiTomi prototomimoni(double xA, double xB, double rA, double rB, double dx, double dy, double x0,
                                   double y0, int& kind);
// Traces one ray on the single-ray view and draws its legs in red, stopped by the bench's diaphragm,
// refracted at each face, up to the view's edge.
void aktinamoni(Surface&, const spherical::Diaphragm& benchDiaphragm, double x0, double y0, double dx, double dy,
                double xA, double xB, double rA, double rB, double n);

// ---------------------------------------------------------------------------------------------
// The path of a recorded ray, shared by the wave routines.

// Where a wave point that has travelled optical path s (air units: length in air plus n times the
// length in glass) lies on recorded ray i, which starts at (sx, sy).
struct RecordedPath {
    double sx = 0, sy = 0;            // start
    double d0 = 0;                    // start to entry
    double glassPath = 0;             // n × glasslength
    double ex = 0, ey = 0, qx = 0, qy = 0; // entry, exit
    double dx0 = 0, dy0 = 0, dxg = 0, dyg = 0, dx1 = 0, dy1 = 0;
    double n = 1;

    RayPathPoint at(double s) const;
};
// The path of row i from (sx, sy); no value for a row outside the table or a path that is not finite.
std::optional<RecordedPath> recordedPath(const RayRecords&, int i, double sx, double sy, double n);

} // namespace lens::waves
