#pragma once

#include "surface/surface.h"

namespace lens {

// A device of a given size that paints nothing: a surface over it measures and maps as a picture of that
// size would, so a routine can trace as it would on a screen without drawing on it.
class NullDevice final : public Device {
public:
    NullDevice(int width, int height) : width_(width), height_(height) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    void segment(double, double, double, double, const Pen&) override {}
    void ellipse(double, double, double, double, bool, double, double, const Pen&, bool, Rgb) override {}
    void dot(double, double, const Pen&) override {}
    double text(double, double, std::string_view, const Font&, Rgb) override { return 0; }
    void clear(Rgb) override {}
    void floodFill(int, int, Rgb, Rgb, FloodMode) override {}

private:
    int width_;
    int height_;
};

} // namespace lens
