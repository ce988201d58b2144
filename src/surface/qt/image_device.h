#pragma once

#include "surface/surface.h"

#include <QImage>
#include <QPainter>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace lens {

// The pixels of image (Format_RGB32) within area (device pixels, clipped to the image) that are not of
// the background colour: how much of the drawing a legend or a scale bar would cover there.
long long drawnPixelsIn(const QImage& image, const QRect& area, Rgb background);

// Ends a painter that a page or a file was drawn with, and lets it go: false when it never began or
// could not end (the page or the file is then not whole).
inline bool endPainting(std::unique_ptr<QPainter>& painter)
{
    const bool ended = painter && painter->isActive() && painter->end();
    painter.reset();
    return ended;
}

// Paints the surface's primitives with a QPainter, without antialiasing, so wide pens and dots look
// as the pictures intend and flood fills meet exact border colours.
class PainterDevice : public Device {
public:
    void segment(double x1, double y1, double x2, double y2, const Pen& pen) override;
    void ellipse(double cx, double cy, double rx, double ry, bool isArc, double start, double end, const Pen& pen,
                 bool filled, Rgb fillColour) override;
    void dot(double x, double y, const Pen& pen) override;
    double text(double x, double y, std::string_view utf8, const Font& font, Rgb colour) override;
    TextExtent textExtent(std::string_view utf8, const Font& font) override;

    // Called after every primitive (a window schedules its repaint here).
    std::function<void()> changed;

protected:
    virtual QPainter& painter() = 0;
    virtual QPaintDevice* paintDevice() = 0;
    void touched();
    // A wide dot as one round spot (a page or a vector file), not rows of pixels.
    void roundSpot(double x, double y, const Pen& pen);

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
    // Solid dots and lines are written straight into the image's pixels where it can be done safely.
    void dot(double x, double y, const Pen& pen) override;
    void segment(double x1, double y1, double x2, double y2, const Pen& pen) override;
    void refresh() override;

    // Ends the painting in progress, so the image can be read, copied or resized.
    void flush();

    // The image's rows, written straight into for solid pens on a plain RGB image not shared with another.
    struct Pixels {
        uchar* bits;
        qsizetype stride;
        int w, h;
        QRgb* row(int y) const { return reinterpret_cast<QRgb*>(bits + y * stride); }
    };
    // A flood fill's pending stretch of columns [left, right] on row y, reached from row y − dy.
    struct FillSeed {
        int left, right, y, dy;
    };

protected:
    QPainter& painter() override;
    QPaintDevice* paintDevice() override { return &image_; }

private:
    std::optional<Pixels> pixels(const Pen& pen);
    struct Geometry {
        qint64 key = 0;
        bool known = false;
        int w = 0, h = 0; // logical pixels
    };
    const Geometry& geometry() const;
    struct PixelCache {
        qint64 key = 0;
        bool known = false;
        bool direct = false;
        Pixels rows{};
    };

    QImage& image_;
    std::unique_ptr<QPainter> painter_;
    mutable Geometry geometry_;
    PixelCache pixels_;
    // Kept from fill to fill, so a fill allocates nothing once they have grown.
    struct FillRun {
        QRgb* line;
        int first, last;
    };
    std::vector<FillSeed> fillStack_;
    std::vector<FillRun> fillRuns_;
};

QColor toQColor(Rgb colour);

} // namespace lens
