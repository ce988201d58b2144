#pragma once
// What a lens picture shows besides the lens itself, as both lens families read it: the light (a point
// source or a parallel beam), the diaphragm and what is drawn of the light. Each screen builds its scene
// record from its controls in one function and hands it whole to the routines; nothing here is drawn.
// Plain C++.

namespace lens::optics {

// The light of a scene: the point source, and the parallel beam that shines instead while `beam` is
// set. Both are kept, so that the source is where it was when a beam gives way to a fan again.
struct Light {
    bool beam = false;   // a parallel beam shines rather than the point source
    double x = 0, y = 0; // the point source
    double angle = 0;    // the beam's angle to the axis, radians
    bool operator==(const Light&) const = default;
};

// The diaphragm: two blades at x, the upper one hanging down to upperTip, the lower one reaching up to
// lowerTip.
struct Stop {
    double x = 0;
    double upperTip = 0;
    double lowerTip = 0;
    bool operator==(const Stop&) const = default;
};

// What a drawing shows of the light: its rays, its wavefronts, or both.
struct WaveOptions {
    bool wavesAndRays = false; // the fronts with the rays
    bool onlyWaves = false;    // the fronts without the rays
    bool onlyRays = false;     // the rays without the fronts (the lens screen's third option)
    bool wavesWanted() const { return wavesAndRays || onlyWaves; }
    bool operator==(const WaveOptions&) const = default;
};

} // namespace lens::optics
