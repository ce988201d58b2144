#pragma once

#include "surface/surface.h"

#include <QImage>
#include <QPainter>

#include <functional>
#include <memory>

namespace lens {

// Paints the surface's primitives with a QPainter, without antialiasing, so wide pens and dots look
// as the pictures intend and flood fills meet exact border colours.
class PainterDevice : public Device {
public:
    void segment(double x1, double y1, double x2, double y2, const Pen& pen) override;
    void ellipse(double cx, double cy, double rx, double ry, bool isArc, double start, double end, const Pen& pen,
                 bool filled, Rgb fillColour) override;
    void dot(double x, double y, const Pen& pen) override;
    double text(double x, double y, std::string_view utf8, const Font& font, Rgb colour) override;

    // Called after every primitive (a window schedules its repaint here).
    std::function<void()> changed;

protected:
    virtual QPainter& painter() = 0;
    virtual QPaintDevice* paintDevice() = 0;
    void touched();

private:
    void setPen(const Pen& pen);
};

// Paints into a QImage: a window's retained drawing, or an offscreen picture. Coordinates are
// logical pixels; an image with a device-pixel ratio above 1 is painted at full resolution.
class ImageDevice final : public PainterDevice {
public:
    explicit ImageDevice(QImage& image);
    ~ImageDevice() override;

    int width() const override;
    int height() const override;
    void clear(Rgb background) override;
    void floodFill(int px, int py, Rgb border, Rgb fill, FloodMode mode) override;
    // Wide dots are written straight into the image's pixels where it can be done safely.
    void dot(double x, double y, const Pen& pen) override;
    void segment(double x1, double y1, double x2, double y2, const Pen& pen) override;
    void refresh() override;

    // Ends the painting in progress, so the image can be read, copied or resized.
    void flush();

protected:
    QPainter& painter() override;
    QPaintDevice* paintDevice() override { return &image_; }

private:
    bool writesPixels(const Pen& pen) const; // wide pens on a plain RGB image not shared with another

    QImage& image_;
    std::unique_ptr<QPainter> painter_;
};

QColor toQColor(Rgb colour);

} // namespace lens
