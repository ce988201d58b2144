#pragma once

// The wavefronts in time: one wave point on every recorded ray travels along its ray, 2.5 units of
// optical path per timer tick (2.5 in air, 2.5/n in glass), and the points of neighbouring rays are
// joined into the front. The old front is erased at every tick and every tenth front behind the
// current one stays on view. Plain C++: the bench's timers call the tick drawing.

#include "spherical/spherical_lens.h"
#include "surface/surface.h"
#include "waves/lens_outline.h"
#include "waves/ray_records.h"

#include <vector>

namespace lens::waves {

inline constexpr int lastAnimationTick = 240;  // the animation never goes past this tick
inline constexpr double tickStep = lightSpeed * 0.01; // 2.5: optical path covered in one tick
inline constexpr int keptFrontEvery = 10;      // ticks between the fronts that stay on view

namespace animationColours {
inline constexpr Rgb front = RGB(255, 0, 0);
inline constexpr Rgb keptFront = RGB(2, 0, 150);
inline constexpr Rgb focus = RGB(55, 0, 0);
} // namespace animationColours

// The animation tables: the wave point of ray i at tick j for every recorded ray and every tick,
// column 0 being the start point, and the lens as the start procedure found it.
struct WaveAnimation {
    static constexpr int ticks = lastAnimationTick + 1;

    int rays = 0;                            // rows: the rays recorded when the animation started
    std::vector<double> tickwavex, tickwavey; // row-major, rays × ticks
    double rimx = 0, rimy = 0;               // x of the rim, height of the upper rim point
    std::optional<LensArcs> arcs;            // the two faces; none when the circles do not cross
    spherical::LensState lens;               // the lens the outline is drawn for
    std::optional<double> focalLength;
    std::vector<int> lastReached;            // per ray, the last tick whose point its light reaches (a blade
                                             // stops it); later ticks hold that point and are not drawn
    std::vector<std::vector<int>> joinedTo;  // the rows before ray i whose points are joined to its own
    int shownTick = -1;                      // the last tick drawn, -1 before the first

    double x(int i, int j) const { return tickwavex[index(i, j)]; }
    double y(int i, int j) const { return tickwavey[index(i, j)]; }
    bool reached(int i, int j) const { return j <= lastReached[static_cast<std::size_t>(i)]; }
    static std::size_t index(int i, int j)
    {
        return static_cast<std::size_t>(i) * ticks + static_cast<std::size_t>(j);
    }
};

// The wave start procedure after the bench has fitted its blades: clears the picture, marks the two
// foci, draws the lens faces and fills the tables. In parallel mode each recorded ray starts at its
// own start point, otherwise at the source. Every point follows its recorded path by optical path,
// with the lens's index, the one the rays were traced with; a ray whose record does not lead from its
// start into the lens keeps its start direction.
void sxediasifakoy11(Surface&, const spherical::LensState&, const RayRecords&, bool parallelmode,
                     double sourcex, double sourcey, WaveAnimation&);

// Draws tick j (1 ≤ j ≤ lastAnimationTick) of rays 0 .. rays − 1: the red front and its points, the
// front of tick j − 1 erased in the surface's back colour, the lens outline on top, and the fronts of
// ticks j − 10, j − 20, … kept in dark blue (pen width 1) with the tick before each erased. The
// outline is drawn after every ray, or (once) only where its last drawing stands: the same pixels,
// since whatever the other rays draw over it is drawn over again by the last outline.
void drawWaveTick(Surface&, WaveAnimation&, int j, int rays, OutlineRedraw outline = OutlineRedraw::once);

// Draws the picture of the tick last shown again on a clear surface (after a resize): foci, faces,
// the current front and the kept ones.
void redrawWaveFrame(Surface&, const WaveAnimation&);

} // namespace lens::waves
