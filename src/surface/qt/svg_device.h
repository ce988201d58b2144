#pragma once

#include "surface/qt/image_device.h"

#include <QSvgGenerator>

class QIODevice;

#include <memory>

namespace lens {

// The same drawing operations written as an SVG file, so a picture stays sharp on a slide. A flood
// fill cannot be computed on vectors: it is taken from the window's retained picture of the same
// scene (the pixels of the fill colour) and embedded as an image where the fill stands in the drawing.
class SvgDevice final : public PainterDevice {
public:
    // width × height pixels, the size of the window's picture, whose display has `ratio` of them to
    // a logical pixel (text is drawn that many times as large, as on the display).
    // The SVG goes to out (a buffer: the file is written whole once the picture is complete).
    SvgDevice(QIODevice& out, int width, int height, const QImage& retained, double ratio = 1);
    ~SvgDevice() override;

    int width() const override { return width_; }
    int height() const override { return height_; }
    void clear(Rgb background) override;
    void floodFill(int px, int py, Rgb border, Rgb fill, FloodMode mode) override;
    void dot(double x, double y, const Pen& pen) override;
    // Whether the drawing has begun; nothing is to be drawn when it has not.
    bool ready();
    // Ends the picture; false when it could not be made.
    bool finish();
    QPainter& painter() override;

protected:
    QPaintDevice* paintDevice() override { return &generator_; }

private:
    QSvgGenerator generator_;
    std::unique_ptr<QPainter> painter_;
    int width_, height_;
    const QImage& retained_;
};

} // namespace lens
