#include "surface/surface.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lens {

namespace {
// Coordinates reach the device in single precision, as every picture of the program is drawn. A value
// beyond the single range becomes an infinity (which is then not drawn) rather than an undefined cast.
double single(double v)
{
    if (std::isnan(v))
        return v;
    if (std::fabs(v) > std::numeric_limits<float>::max())
        return std::copysign(std::numeric_limits<double>::infinity(), v);
    return static_cast<double>(static_cast<float>(v));
}
bool finite(double v) { return std::isfinite(v); }

// How far outside the picture a dot or a circle's centre may lie and still be handed to the device, in
// pixels; and the largest circle drawn. Anything beyond shows nothing a window could display.
constexpr double reach = primitiveReach;
constexpr double largestRadius = 1 << 20;

} // namespace

// Clips the segment (x1, y1)–(x2, y2) to the rectangle [left, right] × [top, bottom] (Liang–Barsky);
// false when no part of it lies inside.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, double left, double top, double right,
                 double bottom)
{
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
    const double bx = x1 + t1 * dx, by = y1 + t1 * dy;
    if (!finite(ax) || !finite(ay) || !finite(bx) || !finite(by))
        return false;
    // From ends far away the clipped ends come back only up to the rounding of those far ends.
    x1 = std::clamp(ax, left, right), y1 = std::clamp(ay, top, bottom);
    x2 = std::clamp(bx, left, right), y2 = std::clamp(by, top, bottom);
    return true;
}

Surface::Surface(Device& device) : device_(&device) {}

void Surface::Scale(double x1, double y1, double x2, double y2)
{
    if (!finite(x1) || !finite(y1) || !finite(x2) || !finite(y2) || x1 == x2 || y1 == y2)
        return; // a degenerate scale would map everything to infinity; keep the old one
    const double width = x2 - x1, height = y2 - y1;
    // Corners so far apart that their difference overflows, or so close that a pixel has no size.
    if (!finite(width) || !finite(height) || !finite(1 / width) || !finite(1 / height))
        return;
    scaleLeft_ = x1;
    scaleTop_ = y1;
    scaleWidth_ = x2 - x1;
    scaleHeight_ = y2 - y1;
    userScale_ = true;
}

double Surface::ScaleWidth() const { return userScale_ ? scaleWidth_ : double(device_->width()); }
double Surface::ScaleHeight() const { return userScale_ ? scaleHeight_ : double(device_->height()); }

// Divided first: a width in user units that is finite in pixels must not overflow on the way.
double Surface::ScaleX(double width) const { return width / ScaleWidth() * device_->width(); }
double Surface::ScaleY(double height) const { return height / ScaleHeight() * device_->height(); }

double Surface::pixelX(double x) const { return ScaleX(x - ScaleLeft()); }
double Surface::pixelY(double y) const { return ScaleY(y - ScaleTop()); }
double Surface::userX(double px) const { return ScaleLeft() + px * ScaleWidth() / device_->width(); }
double Surface::userY(double py) const { return ScaleTop() + py * ScaleHeight() / device_->height(); }

bool Surface::contains(double x, double y) const
{
    const double left = ScaleLeft(), right = ScaleLeft() + ScaleWidth();
    const double top = ScaleTop(), bottom = ScaleTop() + ScaleHeight();
    return x >= std::fmin(left, right) && x <= std::fmax(left, right) && y >= std::fmin(top, bottom) &&
           y <= std::fmax(top, bottom);
}

Pen Surface::pen(Rgb colour) const
{
    Pen p;
    p.colour = colour;
    const int asked = DrawWidth < 1 ? 1 : DrawWidth;
    // Patterns exist only for the thinnest pen; a wide pen always draws solid.
    const bool patterned = DrawStyle == dashedStyle || DrawStyle == dottedStyle || DrawStyle == dashDotStyle;
    p.style = asked == 1 && patterned ? DrawStyle : solidStyle;
    p.width = asked * std::clamp(PenScale, 1, 64);
    return p;
}

void Surface::Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, ForeColor); }

void Surface::Line(double x1, double y1, double x2, double y2, Rgb colour)
{
    x1 = single(x1), y1 = single(y1), x2 = single(x2), y2 = single(y2);
    if (!finite(x1) || !finite(y1) || !finite(x2) || !finite(y2))
        return; // never hand a NaN or an infinity to the device
    CurrentX = x2;
    CurrentY = y2;
    // Only the part on and around the picture reaches the device: a ray drawn on to a far point is cut
    // a few picture sizes away. The band around the picture keeps every segment the screens ordinarily
    // draw whole (a ray after the lens runs 530 units, twice a hyperbolic screen's width), so what is
    // recorded of them is their true geometry.
    const Pen p = pen(colour);
    const double w = device_->width(), h = device_->height();
    const double margin = segmentClipMargin(w, h, p.width);
    const double left = ScaleLeft(), top = ScaleTop(), sw = ScaleWidth(), sh = ScaleHeight();
    double px1 = (x1 - left) / sw * w, py1 = (y1 - top) / sh * h;
    double px2 = (x2 - left) / sw * w, py2 = (y2 - top) / sh * h;
    if (std::isnan(px1) || std::isnan(py1) || std::isnan(px2) || std::isnan(py2))
        return;
    // Most segments lie within the band whole and need no clipping.
    const bool within = px1 >= -margin && px2 >= -margin && py1 >= -margin && py2 >= -margin &&
                        px1 <= w + margin && px2 <= w + margin && py1 <= h + margin && py2 <= h + margin;
    if (!within && !clipSegment(px1, py1, px2, py2, -margin, -margin, w + margin, h + margin))
        return;
    device_->segment(px1, py1, px2, py2, p);
}

void Surface::LineTo(double x2, double y2) { Line(CurrentX, CurrentY, x2, y2, ForeColor); }
void Surface::LineTo(double x2, double y2, Rgb colour) { Line(CurrentX, CurrentY, x2, y2, colour); }

void Surface::Circle(double x, double y, double r) { drawCircle(x, y, r, ForeColor, false, 0, 0, 1); }
void Surface::Circle(double x, double y, double r, Rgb colour) { drawCircle(x, y, r, colour, false, 0, 0, 1); }
void Surface::Circle(double x, double y, double r, Rgb colour, double start, double end)
{
    drawCircle(x, y, r, colour, true, start, end, 1);
}
void Surface::Circle(double x, double y, double r, Rgb colour, double start, double end, double aspect)
{
    drawCircle(x, y, r, colour, true, start, end, aspect);
}

void Surface::drawCircle(double x, double y, double r, Rgb colour, bool isArc, double start, double end,
                         double aspect)
{
    x = single(x), y = single(y), r = single(r);
    if (!finite(x) || !finite(y) || !finite(r) || !finite(aspect) || (isArc && (!finite(start) || !finite(end))))
        return;
    const double rx = std::fabs(ScaleX(r));
    const double ry = rx * std::fabs(aspect);
    const double cx = pixelX(x), cy = pixelY(y);
    CurrentX = x;
    CurrentY = y;
    if (!onReach(cx, cy) || !finite(rx) || !finite(ry) || std::fmax(rx, ry) > largestRadius)
        return;
    device_->ellipse(cx, cy, rx, ry, isArc, start, end, pen(colour), FillStyle == solidFill,
                    FillColor);
}

bool Surface::onPicture(int px, int py) const
{
    return px >= 0 && py >= 0 && px < device_->width() && py < device_->height();
}

bool Surface::onReach(double px, double py) const
{
    return finite(px) && finite(py) && px >= -reach && py >= -reach && px <= device_->width() + reach &&
           py <= device_->height() + reach;
}

void Surface::PSet(double x, double y) { PSet(x, y, ForeColor); }

void Surface::PSet(double x, double y, Rgb colour)
{
    x = single(x), y = single(y);
    if (!finite(x) || !finite(y))
        return;
    Pen p = pen(colour);
    p.style = solidStyle;
    CurrentX = x;
    CurrentY = y;
    const double w = device_->width(), h = device_->height();
    const double px = (x - ScaleLeft()) / ScaleWidth() * w, py = (y - ScaleTop()) / ScaleHeight() * h;
    if (std::isfinite(px) && std::isfinite(py) && px >= -reach && py >= -reach && px <= w + reach && py <= h + reach)
        device_->dot(px, py, p);
}

void Surface::Cls()
{
    device_->clear(BackColor);
    CurrentX = 0;
    CurrentY = 0;
}

Device::TextExtent Device::textExtent(std::string_view utf8, const Font& font)
{
    std::size_t characters = 0;
    for (const char c : utf8)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80; // UTF-8 lead bytes only
    const double em = font.size * 96.0 / 72.0;
    return {0.7 * em * static_cast<double>(characters), 1.15 * em};
}

Font Surface::printFont() const { return Font{FontName, FontSize * std::clamp(TextScale, 1, 8)}; }

double Surface::TextWidth(std::string_view text) const
{
    return std::fabs(device_->textExtent(text, printFont()).width / ScaleX(1));
}

double Surface::TextHeight(std::string_view text) const
{
    return std::fabs(device_->textExtent(text, printFont()).height / ScaleY(1));
}

void Surface::Print(std::string_view text)
{
    const Font font = printFont();
    // The current point may have been set to anything; text far off the picture (or at no point) is not drawn.
    const double px = pixelX(CurrentX), py = pixelY(CurrentY);
    CurrentX = ScaleLeft();
    if (!onReach(px, py))
        return;
    const double lineHeight = device_->text(px, py, text, font, ForeColor);
    const double next = userY(py + lineHeight);
    if (finite(next))
        CurrentY = next;
}

void Surface::FloodFill(int px, int py, Rgb border)
{
    if (FillStyle == solidFill && onPicture(px, py))
        device_->floodFill(px, py, border, FillColor, FloodMode::untilBorder);
}

void Surface::FloodFillSeedColour(int px, int py, Rgb border)
{
    if (FillStyle == solidFill && onPicture(px, py))
        device_->floodFill(px, py, border, FillColor, FloodMode::seedColour);
}

void Surface::Refresh() { device_->refresh(); }

} // namespace lens
