#pragma once

// What the bench's wave routines share: the speed of light and the time steps, the colours of the
// marks and fronts, and the bench's scene record, which they read whole and never write.
// Lengths are in the bench's user units, angles in radians unless a name says degrees.
#include "spherical/spherical_lens.h"
#include "surface/colour.h"

namespace lens::waves {

inline constexpr double lightSpeed = 250;      // units per unit of time in air
inline constexpr double timeStep = 0.1;
inline constexpr double airStep = lightSpeed * timeStep; // 25: one time mark in air
inline constexpr int beamWaveSteps = 30;       // time steps of the parallel-beam waves
inline constexpr int sourceWaveSteps = 26;     // time steps of the point-source waves

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

// Whether the lens outline drawn over every step of the waves is drawn at every step, as the
// optics describes the picture, or once at the end, which leaves the same pixels because nothing
// drawn after it changes them.
enum class OutlineRedraw { once, everyStep };

// The bench's scene: the lens with its index, the diaphragm, the light, what is shown of it, and the
// fan's and the beam's ray counts. The bench builds it from its controls in one function; the routines
// take it whole and write nothing back.
struct BenchScene {
    spherical::LensState lens{};        // the circles and the index of refraction
    spherical::Diaphragm diaphragm{};   // Line1.X1, Line1.Y2, Line2.Y2
    optics::Light light{false, -200, 0, 0};
    optics::WaveOptions waves{};        // Check1 "SHOW WAVES AND RAYS", Check2 "SHOW ONLY WAVES"
    int desmi1 = 20;                    // rays of the parallel beam (2..150)
    double raystep = 4.712389;          // angle between the rays of a fan from a point, degrees
    OutlineRedraw outlines = OutlineRedraw::once;

    double index() const { return lens.refindex; }
    // The same scene through other circles, with the scene's own index.
    BenchScene withCircles(const spherical::LensState& circles) const
    {
        BenchScene other = *this;
        other.lens = spherical::withIndex(circles, index());
        return other;
    }
    bool wavesWanted() const { return waves.wavesWanted(); }
    bool onlyWaves() const { return waves.onlyWaves; }
};

// A picture as the screen shows it, or in the form the printed page gives it.
enum class PictureForm { screen, page };

} // namespace lens::waves
