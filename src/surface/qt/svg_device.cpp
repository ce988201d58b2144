#include "surface/qt/svg_device.h"

#include <QIODevice>

#include <cmath>

namespace lens {

SvgDevice::SvgDevice(QIODevice& out, int width, int height, const QImage& retained, double ratio)
    : width_(width), height_(height), retained_(retained)
{
    generator_.setOutputDevice(&out);
    generator_.setSize(QSize(width, height));
    generator_.setViewBox(QRect(0, 0, width, height));
    generator_.setResolution(int(std::lround(96 * ratio)));
    generator_.setTitle(QStringLiteral("Lens Bench"));
}

SvgDevice::~SvgDevice() { finish(); }

QPainter& SvgDevice::painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&generator_);
        painter_->setRenderHint(QPainter::Antialiasing, true); // vectors: smooth at any size
    }
    return *painter_;
}

bool SvgDevice::ready() { return painter().isActive(); }

bool SvgDevice::finish() { return endPainting(painter_); }

void SvgDevice::clear(Rgb background)
{
    painter().fillRect(QRect(0, 0, width_, height_), toQColor(background));
    touched();
}

void SvgDevice::dot(double x, double y, const Pen& pen)
{
    if (pen.width > 1) {
        roundSpot(x, y, pen);
        return;
    }
    // The pixel the point lies in, as on screen.
    QPainter& p = painter();
    p.fillRect(QRectF(std::floor(x), std::floor(y), 1, 1), toQColor(pen.colour));
    touched();
}

void SvgDevice::floodFill(int, int, Rgb, Rgb fill, FloodMode)
{
    // The retained picture holds the same scene drawn to the end; its pixels of the fill colour are
    // where the fill shows, and whatever covers them there is drawn over it here too.
    const QRgb colour = qRgb(fill.r, fill.g, fill.b) & RGB_MASK;
    QImage mask(retained_.size(), QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    bool any = false;
    for (int y = 0; y < retained_.height(); ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(retained_.constScanLine(y));
        QRgb* to = reinterpret_cast<QRgb*>(mask.scanLine(y));
        for (int x = 0; x < retained_.width(); ++x)
            if ((from[x] & RGB_MASK) == colour) {
                to[x] = 0xff000000u | colour;
                any = true;
            }
    }
    if (any)
        painter().drawImage(QRectF(0, 0, width_, height_), mask);
    touched();
}

} // namespace lens
