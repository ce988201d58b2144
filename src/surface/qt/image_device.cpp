#include "surface/qt/image_device.h"

#include "surface/qt/fonts.h"

#include <QFontMetricsF>
#include <QPen>

#include <cmath>
#include <numbers>
#include <vector>

namespace lens {

QColor toQColor(Rgb colour) { return QColor(colour.r, colour.g, colour.b); }

ImageDevice::ImageDevice(QImage& image) : image_(image) {}

ImageDevice::~ImageDevice() { flush(); }

int ImageDevice::width() const { return int(std::lround(image_.width() / image_.devicePixelRatio())); }
int ImageDevice::height() const { return int(std::lround(image_.height() / image_.devicePixelRatio())); }

QPainter& ImageDevice::painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, true);
    }
    return *painter_;
}

void ImageDevice::flush() { painter_.reset(); }

void PainterDevice::touched()
{
    if (changed)
        changed();
}

void PainterDevice::setPen(const Pen& pen)
{
    QPen qpen(toQColor(pen.colour));
    if (pen.width <= 1) {
        qpen.setWidth(0); // cosmetic: one device pixel
        qpen.setStyle(pen.style == dottedStyle    ? Qt::DotLine
                      : pen.style == dashDotStyle ? Qt::DashDotLine
                                                  : Qt::SolidLine);
    } else {
        qpen.setWidth(pen.width);
        qpen.setCapStyle(Qt::RoundCap);
        qpen.setJoinStyle(Qt::RoundJoin);
    }
    painter().setPen(qpen);
}

void PainterDevice::segment(double x1, double y1, double x2, double y2, const Pen& pen)
{
    setPen(pen);
    painter().drawLine(QPointF(x1, y1), QPointF(x2, y2));
    touched();
}

void PainterDevice::ellipse(double cx, double cy, double rx, double ry, bool isArc, double start, double end,
                          const Pen& pen, bool filled, Rgb fillColour)
{
    setPen(pen);
    QPainter& p = painter();
    const QRectF box(cx - rx, cy - ry, 2 * rx, 2 * ry);
    if (isArc) {
        // Counter-clockwise from start to end, passing through 2π when end lies below start.
        const double twoPi = 2 * std::numbers::pi;
        start = std::fmod(std::fabs(start), twoPi);
        end = std::fmod(std::fabs(end), twoPi);
        double span = end - start;
        if (span <= 0)
            span += twoPi;
        const int a = int(std::lround(start * 180 / std::numbers::pi * 16));
        const int s = int(std::lround(span * 180 / std::numbers::pi * 16));
        if (filled) {
            p.setBrush(toQColor(fillColour));
            p.drawPie(box, a, s);
            p.setBrush(Qt::NoBrush);
        } else {
            p.drawArc(box, a, s);
        }
    } else {
        p.setBrush(filled ? QBrush(toQColor(fillColour)) : QBrush(Qt::NoBrush));
        p.drawEllipse(box);
        p.setBrush(Qt::NoBrush);
    }
    touched();
}

void PainterDevice::dot(double x, double y, const Pen& pen)
{
    QPen qpen(toQColor(pen.colour));
    qpen.setWidth(pen.width <= 1 ? 0 : pen.width);
    qpen.setCapStyle(Qt::RoundCap);
    painter().setPen(qpen);
    painter().drawPoint(QPointF(x, y));
    touched();
}

double PainterDevice::text(double x, double y, std::string_view utf8, const Font& font, Rgb colour)
{
    QFont qfont(fontFamilyFor(QString::fromStdString(font.name)));
    qfont.setPointSizeF(font.size > 0 ? font.size : 10);
    QPainter& p = painter();
    p.setFont(qfont);
    p.setPen(toQColor(colour));
    const QFontMetricsF metrics(qfont, paintDevice());
    const QString s = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    p.drawText(QPointF(x, y + metrics.ascent()), s);
    touched();
    return metrics.height();
}

void ImageDevice::clear(Rgb background)
{
    flush();
    image_.fill(toQColor(background));
    touched();
}

void ImageDevice::floodFill(int px, int py, Rgb border, Rgb fill, FloodMode mode)
{
    flush();
    const double ratio = image_.devicePixelRatio();
    const int w = image_.width(), h = image_.height();
    const int sx = int(std::floor(px * ratio)), sy = int(std::floor(py * ratio));
    if (sx < 0 || sy < 0 || sx >= w || sy >= h)
        return;
    if (image_.format() != QImage::Format_RGB32 && image_.format() != QImage::Format_ARGB32 &&
        image_.format() != QImage::Format_ARGB32_Premultiplied)
        image_.convertTo(QImage::Format_RGB32);

    const QRgb borderRgb = qRgb(border.r, border.g, border.b) & RGB_MASK;
    const QRgb fillRgb = qRgb(fill.r, fill.g, fill.b);
    auto at = [&](int x, int y) -> QRgb& { return reinterpret_cast<QRgb*>(image_.scanLine(y))[x]; };
    const QRgb seedRgb = at(sx, sy) & RGB_MASK;
    if (seedRgb == borderRgb)
        return;

    std::vector<bool> seen(std::size_t(w) * std::size_t(h), false);
    auto fillable = [&](int x, int y) {
        if (seen[std::size_t(y) * std::size_t(w) + std::size_t(x)])
            return false;
        const QRgb c = at(x, y) & RGB_MASK;
        return mode == FloodMode::seedColour ? c == seedRgb : c != borderRgb;
    };

    // Scanline fill: each popped seed fills its whole run and pushes the runs above and below.
    std::vector<std::pair<int, int>> stack{{sx, sy}};
    while (!stack.empty()) {
        auto [x, y] = stack.back();
        stack.pop_back();
        if (!fillable(x, y))
            continue;
        int left = x, right = x;
        while (left > 0 && fillable(left - 1, y))
            --left;
        while (right < w - 1 && fillable(right + 1, y))
            ++right;
        for (int i = left; i <= right; ++i) {
            seen[std::size_t(y) * std::size_t(w) + std::size_t(i)] = true;
            at(i, y) = fillRgb;
        }
        for (int ny : {y - 1, y + 1}) {
            if (ny < 0 || ny >= h)
                continue;
            bool inRun = false;
            for (int i = left; i <= right; ++i) {
                const bool ok = fillable(i, ny);
                if (ok && !inRun)
                    stack.emplace_back(i, ny);
                inRun = ok;
            }
        }
    }
    touched();
}

void ImageDevice::refresh()
{
    flush();
    touched();
}

} // namespace lens
