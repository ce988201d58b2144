#pragma once

#include "surface/surface.h"

#include <QImage>
#include <QPainter>

#include <functional>
#include <memory>

namespace lens {

// Paints the surface's primitives into a QImage: a window's retained drawing, or an offscreen picture.
// Coordinates are logical pixels; an image with a device-pixel ratio above 1 is painted at full
// resolution. Drawing is not antialiased, so flood fills meet exact border colours.
class ImageDevice final : public Device {
public:
    explicit ImageDevice(QImage& image);
    ~ImageDevice() override;

    int width() const override;
    int height() const override;

    void segment(double x1, double y1, double x2, double y2, const Pen& pen) override;
    void ellipse(double cx, double cy, double rx, double ry, bool isArc, double start, double end, const Pen& pen,
                 bool filled, Rgb fillColour) override;
    void dot(double x, double y, const Pen& pen) override;
    double text(double x, double y, std::string_view utf8, const Font& font, Rgb colour) override;
    void clear(Rgb background) override;
    void floodFill(int px, int py, Rgb border, Rgb fill, FloodMode mode) override;
    void refresh() override;

    // Ends the painting in progress, so the image can be read, copied or resized.
    void flush();
    // Called after every primitive (a window schedules its repaint here).
    std::function<void()> changed;

private:
    QPainter& painter();
    void setPen(const Pen& pen);
    void touched();

    QImage& image_;
    std::unique_ptr<QPainter> painter_;
};

QColor toQColor(Rgb colour);

} // namespace lens
