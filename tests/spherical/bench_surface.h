#pragma once

#include "surface/recording_device.h"
#include "surface/surface.h"

#include <cmath>

namespace lens::spherical::benchtest {

// A recording surface scaled like the bench on a 1920 × 1080 client area.
struct BenchSurface {
    static constexpr double W = 1920, H = 1080, S = W + H;
    RecordingDevice device{1920, 1080};
    Surface surface{device};
    BenchSurface() { surface.Scale(-600 * W / S, 600 * H / S, 600 * W / S, -600 * H / S); }

    double top() const { return surface.ScaleTop(); }
    double bottom() const { return surface.ScaleTop() + surface.ScaleHeight(); }
    double left() const { return surface.ScaleLeft(); }
    double right() const { return surface.ScaleLeft() + surface.ScaleWidth(); }
};

inline bool finite(double a, double b, double c, double d)
{
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

} // namespace lens::spherical::benchtest
