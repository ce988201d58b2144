#pragma once
// The bench's picture offscreen: a 1920 × 1080 retained image in the bench's user coordinates (origin at
// the centre, width plus height 1200 units) on the window's background colour.

#include "surface/qt/image_device.h"
#include "surface/surface.h"

#include <QImage>

namespace lens {

struct BenchPicture {
    static constexpr double W = 1920, H = 1080, S = W + H;
    QImage image{1920, 1080, QImage::Format_RGB32};
    ImageDevice device{image};
    Surface surface{device};

    BenchPicture()
    {
        surface.Scale(-600 * W / S, 600 * H / S, 600 * W / S, -600 * H / S);
        surface.BackColor = colours::windowBackground;
    }
};

} // namespace lens
