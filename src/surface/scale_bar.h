#pragma once
// A bar 100 units of the picture long, labelled "100", so that a picture taken off the screen (a file,
// the clipboard, a page) can still be measured: it stands in a corner the drawing leaves empty.

#include "surface/surface.h"

#include <array>

namespace lens {

inline constexpr double scaleBarUnits = 100;

// A rectangle in device pixels.
struct PixelBox {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool holds(double x, double y) const { return left <= x && x <= right && top <= y && y <= bottom; }
    bool meets(const PixelBox& o) const { return left <= o.right && o.left <= right && top <= o.bottom && o.top <= bottom; }
};

// The box the bar and its label take in each corner of area, margin pixels in from its edges: top
// left, bottom left, top right, bottom right. The bar is as long as 100 user units of the surface,
// the label in the surface's font.
std::array<PixelBox, 4> scaleBarPlaces(const Surface&, const PixelBox& area, double margin);

// Draws the bar along the bottom of box with the label above its middle, in black; the surface's pen,
// colour and current point are left as they were.
void drawScaleBar(Surface&, const PixelBox& box);

} // namespace lens
