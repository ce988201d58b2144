#pragma once

// A lens screen for tests: a recording device behind a surface in the screen's coordinates.

#include "hyperbolic/hyperbolic_lenses.h"
#include "surface/recording_device.h"

#include <cmath>
#include <vector>

namespace lens::hyperbolic::testing {

inline double bFor(double n) { return 12 * std::sqrt(n * n - 1); }

struct Screen {
    RecordingDevice device{1080, 1080};
    Surface surface{device};
    HyperbolicScene scene;

    explicit Screen(double n = 1.5)
    {
        surface.Scale(-120, 120, 150, -120);
        scene.in.lensindex = n;
    }

    struct UserSegment {
        double x1, y1, x2, y2;
        int width;
    };
    // The segments drawn in one colour, back in user units.
    std::vector<UserSegment> segments(Rgb colour) const
    {
        std::vector<UserSegment> out;
        for (const auto& s : device.segments)
            if (s.pen.colour == colour)
                out.push_back({surface.userX(s.x1), surface.userY(s.y1), surface.userX(s.x2), surface.userY(s.y2),
                               s.pen.width});
        return out;
    }
    std::size_t count(Rgb colour, int width) const
    {
        std::size_t n = 0;
        for (const auto& s : device.segments)
            n += s.pen.colour == colour && s.pen.width == width;
        return n;
    }
    // Segments of this colour that start at (x, y), within the single precision of the drawing.
    std::size_t startingAt(Rgb colour, double x, double y) const
    {
        std::size_t n = 0;
        for (const auto& s : segments(colour))
            n += std::fabs(s.x1 - x) < 1e-3 && std::fabs(s.y1 - y) < 1e-3;
        return n;
    }
};

// Signed sine of the angle from unit vector n to the direction (dx, dy).
inline double crossSine(double dx, double dy, double nx, double ny)
{
    return (dx * ny - dy * nx) / (std::hypot(dx, dy) * std::hypot(nx, ny));
}

} // namespace lens::hyperbolic::testing
