#include "surface/qt/image_device.h"

#include "surface/qt/fonts.h"

#include <QFontMetricsF>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace lens {

QColor toQColor(Rgb colour) { return QColor(colour.r, colour.g, colour.b); }

namespace {

// Floor and ceiling of a value well inside the int range, as ints (the libm forms cost more than the
// pixels they place).
int floorInt(double v)
{
    const int i = int(v);
    return i - (v < i);
}
int ceilInt(double v)
{
    const int i = int(v);
    return i + (v > i);
}

// Columns whose pixel centres lie in [a, b] on one row, within the picture's width.
void fillSpan(QRgb* line, int width, double a, double b, QRgb colour)
{
    a = std::max(a, -1.0); // held to the row before the conversion to a column
    b = std::min(b, width + 1.0);
    if (!(a <= b))
        return;
    const int first = std::max(0, ceilInt(a - 0.5));
    const int last = std::min(width - 1, floorInt(b - 0.5));
    for (int column = first; column <= last; ++column)
        line[column] = colour;
}

struct Span {
    double a = INFINITY, b = -INFINITY;
    void widen(double from, double to)
    {
        a = std::min(a, from);
        b = std::max(b, to);
    }
};

// The x interval where the row at height py meets the disc about (cx, cy) of radius r.
void discSpan(Span& span, double cx, double cy, double r, double py)
{
    const double h2 = r * r - (py - cy) * (py - cy);
    if (h2 >= 0)
        span.widen(cx - std::sqrt(h2), cx + std::sqrt(h2));
}

} // namespace

ImageDevice::ImageDevice(QImage& image) : image_(image) {}

ImageDevice::~ImageDevice() { flush(); }

// The image's size and rows are looked up once for every state of the image (its cache key changes
// with new data, a resize or a detach), not once for every dot of a picture.
const ImageDevice::Geometry& ImageDevice::geometry() const
{
    const qint64 key = image_.cacheKey();
    if (!geometry_.known || geometry_.key != key) {
        const double ratio = image_.devicePixelRatio();
        geometry_.w = ratio == 1.0 ? image_.width() : int(std::lround(image_.width() / ratio));
        geometry_.h = ratio == 1.0 ? image_.height() : int(std::lround(image_.height() / ratio));
        geometry_.key = key;
        geometry_.known = true;
    }
    return geometry_;
}

int ImageDevice::width() const { return geometry().w; }
int ImageDevice::height() const { return geometry().h; }

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

void PainterDevice::roundSpot(double x, double y, const Pen& pen)
{
    QPainter& p = painter();
    p.setPen(Qt::NoPen);
    p.setBrush(toQColor(pen.colour));
    p.drawEllipse(QPointF(x, y), pen.width / 2.0, pen.width / 2.0);
    p.setBrush(Qt::NoBrush);
    touched();
}

void PainterDevice::setPen(const Pen& pen)
{
    QPen qpen(toQColor(pen.colour));
    qpen.setStyle(pen.style == dashedStyle    ? Qt::DashLine
                  : pen.style == dottedStyle  ? Qt::DotLine
                  : pen.style == dashDotStyle ? Qt::DashDotLine
                                              : Qt::SolidLine);
    if (pen.width <= 1) {
        qpen.setWidth(0); // cosmetic: one device pixel
    } else {
        // A patterned pen this wide is a thin one scaled up (a page, a projector): flat ends keep the gaps.
        qpen.setWidth(pen.width);
        qpen.setCapStyle(pen.style == solidStyle ? Qt::RoundCap : Qt::FlatCap);
        qpen.setJoinStyle(Qt::RoundJoin);
    }
    painter().setPen(qpen);
}

void PainterDevice::segment(double x1, double y1, double x2, double y2, const Pen& pen)
{
    const double length = std::hypot(x2 - x1, y2 - y1);
    if (pen.width >= 2 && pen.width <= 64 && pen.style == solidStyle && std::isfinite(length) && length < 8192) {
        // A wide line with round ends: the band between the ends filled as a quadrilateral, and a
        // round dot on each end. Far cheaper than stroking a path for the many short pieces of the
        // wavefronts, and the same look.
        if (length > 0) {
            const double nx = -(y2 - y1) / length * pen.width / 2, ny = (x2 - x1) / length * pen.width / 2;
            const QPointF band[4] = {{x1 + nx, y1 + ny}, {x2 + nx, y2 + ny}, {x2 - nx, y2 - ny}, {x1 - nx, y1 - ny}};
            QPainter& p = painter();
            p.setPen(Qt::NoPen);
            p.setBrush(toQColor(pen.colour));
            p.drawConvexPolygon(band, 4);
            p.setBrush(Qt::NoBrush);
        }
        dot(x1, y1, pen);
        dot(x2, y2, pen);
        touched();
        return;
    }
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
    if (pen.width >= 2 && pen.width <= 64 && std::fabs(x) < 1e7 && std::fabs(y) < 1e7) {
        // A wide dot is the disc of pixels whose centres lie within half the width of the point,
        // filled row by row: the same round dot the pen would give, without stroking a path, which
        // matters for pictures of tens of thousands of time marks.
        const double r = pen.width / 2.0;
        const QColor colour = toQColor(pen.colour);
        QPainter& p = painter();
        const int top = int(std::floor(y - r)), bottom = int(std::ceil(y + r));
        for (int row = top; row <= bottom; ++row) {
            Span span;
            discSpan(span, x, y, r, row + 0.5);
            if (span.a > span.b)
                continue;
            const int first = int(std::ceil(span.a - 0.5)), last = int(std::floor(span.b - 0.5));
            if (last >= first)
                p.fillRect(QRect(first, row, last - first + 1, 1), colour);
        }
        touched();
        return;
    }
    QPen qpen(toQColor(pen.colour));
    qpen.setWidth(pen.width <= 1 ? 0 : pen.width);
    qpen.setCapStyle(Qt::RoundCap);
    painter().setPen(qpen);
    painter().drawPoint(QPointF(x, y));
    touched();
}

std::optional<ImageDevice::Pixels> ImageDevice::pixels(const Pen& pen)
{
    // Patterns (dashed, dotted, dash-dot) are left to the painter.
    if (pen.width < 1 || pen.width > 64 || pen.style != solidStyle || !image_.isDetached())
        return std::nullopt;
    if (!pixels_.known || pixels_.key != image_.cacheKey()) {
        pixels_.direct = image_.format() == QImage::Format_RGB32 && image_.devicePixelRatio() == 1.0;
        pixels_.rows = {image_.bits(), image_.bytesPerLine(), image_.width(), image_.height()};
        pixels_.key = image_.cacheKey(); // taken after bits(), which counts as a detach
        pixels_.known = true;
    }
    if (!pixels_.direct)
        return std::nullopt;
    return pixels_.rows;
}

namespace {

bool near(double v) { return std::fabs(v) < 1e7; }

// One pixel on every column (or row, for a steep line) whose centre the segment spans: the pixel the
// line passes through at that centre. Pieces joined end to end leave no gap, and a piece too short to
// span a centre still shows as the pixel under its middle.
void thinSegment(const ImageDevice::Pixels& px, double x1, double y1, double x2, double y2, QRgb colour)
{
    const bool flat = std::fabs(x2 - x1) >= std::fabs(y2 - y1);
    double a1 = flat ? x1 : y1, b1 = flat ? y1 : x1, a2 = flat ? x2 : y2, b2 = flat ? y2 : x2;
    if (a1 > a2) {
        std::swap(a1, a2);
        std::swap(b1, b2);
    }
    const int along = flat ? px.w : px.h, across = flat ? px.h : px.w;
    const int from = ceilInt(a1 - 0.5), to = floorInt(a2 - 0.5);
    if (from > to) {
        const int column = floorInt((x1 + x2) / 2), row = floorInt((y1 + y2) / 2);
        if (column >= 0 && row >= 0 && column < px.w && row < px.h)
            px.row(row)[column] = colour;
        return;
    }
    const double slope = (b2 - b1) / (a2 - a1);
    for (int c = std::max(from, 0), last = std::min(to, along - 1); c <= last; ++c) {
        const int b = floorInt(b1 + (c + 0.5 - a1) * slope);
        if (b < 0 || b >= across)
            continue;
        if (flat)
            px.row(b)[c] = colour;
        else
            px.row(c)[b] = colour;
    }
}

} // namespace

void ImageDevice::segment(double x1, double y1, double x2, double y2, const Pen& pen)
{
    const std::optional<Pixels> px = pixels(pen);
    if (!px || !near(x1) || !near(y1) || !near(x2) || !near(y2)) {
        PainterDevice::segment(x1, y1, x2, y2, pen);
        return;
    }
    const QRgb colour = qRgb(pen.colour.r, pen.colour.g, pen.colour.b);
    if (pen.width == 1) {
        thinSegment(*px, x1, y1, x2, y2, colour);
        touched();
        return;
    }
    const double r = pen.width / 2.0;
    const double dx = x2 - x1, dy = y2 - y1, length = std::sqrt(dx * dx + dy * dy); // ends are near: no overflow
    // A wide line with round ends is the set of points within half the pen width of the segment:
    // convex, so each row meets it in one interval, the union of what the band between the ends
    // and the two end discs give. Every pixel whose centre lies in it takes the colour, the same
    // rule as a dot; the many short pieces of the wavefronts need no path stroking then.
    const int firstRow = std::max(0, floorInt(std::min(y1, y2) - r));
    const int lastRow = std::min(px->h - 1, ceilInt(std::max(y1, y2) + r));
    for (int row = firstRow; row <= lastRow; ++row) {
        const double py = row + 0.5;
        Span span;
        discSpan(span, x1, y1, r, py);
        discSpan(span, x2, y2, r, py);
        if (length > 0) {
            // Within r of the line: |(px − x1)·dy − (py − y1)·dx| ≤ r·L; between the ends: 0 ≤ (px − x1)·dx + (py − y1)·dy ≤ L².
            double lo = -INFINITY, hi = INFINITY;
            const double across = (py - y1) * dx, along = (py - y1) * dy;
            if (dy != 0) {
                const double u = x1 + (across - r * length) / dy, v = x1 + (across + r * length) / dy;
                lo = std::max(lo, std::min(u, v));
                hi = std::min(hi, std::max(u, v));
            } else if (std::fabs(across) > r * length) {
                hi = -INFINITY;
            }
            if (dx != 0) {
                const double u = x1 - along / dx, v = x1 + (length * length - along) / dx;
                lo = std::max(lo, std::min(u, v));
                hi = std::min(hi, std::max(u, v));
            } else if (along < 0 || along > length * length) {
                hi = -INFINITY;
            }
            if (lo <= hi)
                span.widen(lo, hi);
        }
        if (span.a <= span.b)
            fillSpan(px->row(row), px->w, span.a, span.b, colour);
    }
    touched();
}

void ImageDevice::dot(double x, double y, const Pen& pen)
{
    const std::optional<Pixels> px = pixels(pen);
    if (!px || !near(x) || !near(y)) {
        PainterDevice::dot(x, y, pen);
        return;
    }
    const QRgb colour = qRgb(pen.colour.r, pen.colour.g, pen.colour.b);
    if (pen.width == 1) {
        // The pixel the point lies in.
        const int column = floorInt(x), row = floorInt(y);
        if (column >= 0 && row >= 0 && column < px->w && row < px->h)
            px->row(row)[column] = colour;
        touched();
        return;
    }
    // The same disc of pixels as the painter's row fill, written into the rows themselves. The
    // painter draws into this very memory, so what it paints before and after stays in order.
    const double r = pen.width / 2.0;
    const int top = std::max(0, floorInt(y - r)), bottom = std::min(px->h - 1, ceilInt(y + r));
    for (int row = top; row <= bottom; ++row) {
        Span span;
        discSpan(span, x, y, r, row + 0.5);
        if (span.a <= span.b)
            fillSpan(px->row(row), px->w, span.a, span.b, colour);
    }
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

Device::TextExtent PainterDevice::textExtent(std::string_view utf8, const Font& font)
{
    QFont qfont(fontFamilyFor(QString::fromStdString(font.name)));
    qfont.setPointSizeF(font.size > 0 ? font.size : 10);
    const QFontMetricsF metrics(qfont, paintDevice());
    return {metrics.horizontalAdvance(QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))), metrics.height()};
}

void ImageDevice::clear(Rgb background)
{
    flush();
    image_.fill(toQColor(background));
    touched();
}

namespace {

// Whether a pixel is still to be filled: every colour but the border's, or only the seed's own colour.
struct NotBorder {
    QRgb border;
    bool operator()(QRgb c) const { return (c & RGB_MASK) != border; }
};
struct OfSeedColour {
    QRgb seed;
    bool operator()(QRgb c) const { return (c & RGB_MASK) == seed; }
};

// The 4-connected region of pixels `inside` accepts, from (sx, sy), filled run by run. A seed is a
// stretch of columns on a row whose neighbouring row in the opposite direction (the parent) has been
// filled over that stretch: a row is looked at from its parent only, plus the parts where a run juts
// out past its parent's ends, which are looked at back towards the parent's row (the first seed's
// row is looked at both ways). Every painted pixel must fail `inside` afterwards (the mark), so no
// pixel is filled twice and no record of the visited pixels is needed. Each filled run is handed to
// `run(line, first, last)`.
template <typename Inside, typename Run>
void spanFill(const ImageDevice::Pixels& px, int sx, int sy, Inside inside, QRgb mark,
              std::vector<ImageDevice::FillSeed>& stack, Run run)
{
    stack.clear();
    stack.push_back({sx, sx, sy, 1});
    stack.push_back({sx, sx, sy - 1, -1});
    const int w = px.w;
    while (!stack.empty()) {
        const ImageDevice::FillSeed seed = stack.back();
        stack.pop_back();
        const int y = seed.y, dy = seed.dy;
        if (y < 0 || y >= px.h)
            continue;
        QRgb* line = px.row(y);
        int x1 = seed.left, x2 = seed.right;
        int x = x1;
        if (inside(line[x])) {
            // The run reaches left of the seed: that part's other neighbour row is the parent's.
            while (x > 0 && inside(line[x - 1]))
                line[--x] = mark;
            if (x < x1)
                stack.push_back({x, x1 - 1, y - dy, -dy});
        }
        while (x1 <= x2) {
            while (x1 < w && inside(line[x1]))
                line[x1++] = mark;
            if (x1 > x) {
                run(line, x, x1 - 1);
                stack.push_back({x, x1 - 1, y + dy, dy});
                if (x1 - 1 > x2) // past the seed's right end too
                    stack.push_back({x2 + 1, x1 - 1, y - dy, -dy});
            }
            ++x1;
            while (x1 < x2 && !inside(line[x1]))
                ++x1;
            x = x1;
        }
    }
}

} // namespace

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

    const Pixels rows{image_.bits(), image_.bytesPerLine(), w, h}; // bits() detaches a shared image
    const QRgb borderRgb = qRgb(border.r, border.g, border.b) & RGB_MASK;
    const QRgb fillRgb = qRgb(fill.r, fill.g, fill.b);
    const QRgb seedRgb = rows.row(sy)[sx] & RGB_MASK;
    if (seedRgb == borderRgb)
        return;

    // Device pixels throughout: the seed was scaled by the ratio, the whole image is the region's bound.
    // When the fill colour would still count as inside (any colour but the border's, or a fill of the
    // seed's own colour), the region is first marked with a colour that does not, and the runs are
    // painted once it is complete.
    auto fillRegion = [&](auto inside, QRgb mark) {
        if (!inside(fillRgb)) {
            spanFill(rows, sx, sy, inside, fillRgb, fillStack_, [](QRgb*, int, int) {});
            return;
        }
        fillRuns_.clear();
        spanFill(rows, sx, sy, inside, mark, fillStack_,
                 [&](QRgb* line, int first, int last) { fillRuns_.push_back({line, first, last}); });
        for (const FillRun& r : fillRuns_)
            std::fill(r.line + r.first, r.line + r.last + 1, fillRgb);
    };
    if (mode == FloodMode::seedColour)
        fillRegion(OfSeedColour{seedRgb}, qRgb(qRed(seedRgb) ^ 1, qGreen(seedRgb), qBlue(seedRgb)));
    else
        fillRegion(NotBorder{borderRgb}, borderRgb | ~RGB_MASK);
    touched();
}

void ImageDevice::refresh()
{
    flush();
    touched();
}

long long drawnPixelsIn(const QImage& image, const QRect& area, Rgb background)
{
    const QRgb back = qRgb(background.r, background.g, background.b) & RGB_MASK;
    const QRect pixels = area.intersected(image.rect());
    long long drawn = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            drawn += (row[x] & RGB_MASK) != back;
    }
    return drawn;
}

} // namespace lens
