#include "surface/surface.h"

#include <cmath>

namespace lens {

namespace {
// Coordinates reach the device in single precision, as every picture of the program is drawn.
double single(double v) { return static_cast<double>(static_cast<float>(v)); }
bool finite(double v) { return std::isfinite(v); }
} // namespace

Surface::Surface(Device& device) : device_(device) {}

void Surface::Scale(double x1, double y1, double x2, double y2)
{
    if (!finite(x1) || !finite(y1) || !finite(x2) || !finite(y2) || x1 == x2 || y1 == y2)
        return; // a degenerate scale would map everything to infinity; keep the old one
    scaleLeft_ = x1;
    scaleTop_ = y1;
    scaleWidth_ = x2 - x1;
    scaleHeight_ = y2 - y1;
    userScale_ = true;
}

double Surface::ScaleWidth() const { return userScale_ ? scaleWidth_ : double(device_.width()); }
double Surface::ScaleHeight() const { return userScale_ ? scaleHeight_ : double(device_.height()); }

double Surface::ScaleX(double width) const { return width * device_.width() / ScaleWidth(); }
double Surface::ScaleY(double height) const { return height * device_.height() / ScaleHeight(); }

double Surface::pixelX(double x) const { return ScaleX(x - ScaleLeft()); }
double Surface::pixelY(double y) const { return ScaleY(y - ScaleTop()); }
double Surface::userX(double px) const { return ScaleLeft() + px * ScaleWidth() / device_.width(); }
double Surface::userY(double py) const { return ScaleTop() + py * ScaleHeight() / device_.height(); }

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
    p.width = DrawWidth < 1 ? 1 : DrawWidth;
    // Patterns exist only for the thinnest pen; a wide pen always draws solid.
    p.style = (p.width == 1 && (DrawStyle == dottedStyle || DrawStyle == dashDotStyle)) ? DrawStyle : solidStyle;
    return p;
}

void Surface::Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, ForeColor); }

void Surface::Line(double x1, double y1, double x2, double y2, Rgb colour)
{
    x1 = single(x1), y1 = single(y1), x2 = single(x2), y2 = single(y2);
    if (!finite(x1) || !finite(y1) || !finite(x2) || !finite(y2))
        return; // never hand a NaN or an infinity to the device
    device_.segment(pixelX(x1), pixelY(y1), pixelX(x2), pixelY(y2), pen(colour));
    CurrentX = x2;
    CurrentY = y2;
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
    device_.ellipse(pixelX(x), pixelY(y), rx, ry, isArc, start, end, pen(colour), FillStyle == solidFill,
                    FillColor);
    CurrentX = x;
    CurrentY = y;
}

void Surface::PSet(double x, double y) { PSet(x, y, ForeColor); }

void Surface::PSet(double x, double y, Rgb colour)
{
    x = single(x), y = single(y);
    if (!finite(x) || !finite(y))
        return;
    Pen p = pen(colour);
    p.style = solidStyle;
    device_.dot(pixelX(x), pixelY(y), p);
    CurrentX = x;
    CurrentY = y;
}

void Surface::Cls()
{
    device_.clear(BackColor);
    CurrentX = 0;
    CurrentY = 0;
}

void Surface::Print(std::string_view text)
{
    const Font font{FontName, FontSize};
    const double lineHeight = device_.text(pixelX(CurrentX), pixelY(CurrentY), text, font, ForeColor);
    CurrentX = ScaleLeft();
    CurrentY = userY(pixelY(CurrentY) + lineHeight);
}

void Surface::FloodFill(int px, int py, Rgb border)
{
    if (FillStyle == solidFill)
        device_.floodFill(px, py, border, FillColor, FloodMode::untilBorder);
}

void Surface::FloodFillSeedColour(int px, int py, Rgb border)
{
    if (FillStyle == solidFill)
        device_.floodFill(px, py, border, FillColor, FloodMode::seedColour);
}

void Surface::Refresh() { device_.refresh(); }

} // namespace lens
