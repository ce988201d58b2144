#include "surface/recording_device.h"

#include <cmath>

namespace lens {

void RecordingDevice::check(const char* primitive, std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v)) {
            if (nonFinite++ == 0)
                firstNonFinite = primitive;
            return;
        }
}

void RecordingDevice::segment(double x1, double y1, double x2, double y2, const Pen& pen)
{
    check("segment", {x1, y1, x2, y2});
    segments.push_back({x1, y1, x2, y2, pen});
}

void RecordingDevice::ellipse(double cx, double cy, double rx, double ry, bool isArc, double start, double end,
                              const Pen& pen, bool filled, Rgb fillColour)
{
    check("ellipse", {cx, cy, rx, ry, start, end});
    ellipses.push_back({cx, cy, rx, ry, isArc, start, end, pen, filled, fillColour});
}

void RecordingDevice::dot(double x, double y, const Pen& pen)
{
    check("dot", {x, y});
    dots.push_back({x, y, pen});
}

double RecordingDevice::text(double x, double y, std::string_view utf8, const Font& font, Rgb colour)
{
    check("text", {x, y, font.size});
    texts.push_back({x, y, std::string(utf8), font, colour});
    return font.size * 96.0 / 72.0 * 1.15; // a typical line at 96 dpi
}

void RecordingDevice::clear(Rgb background)
{
    ++clears;
    lastClearColour = background;
}

void RecordingDevice::floodFill(int px, int py, Rgb border, Rgb fill, FloodMode mode)
{
    fills.push_back({px, py, border, fill, mode});
}

void RecordingDevice::reset()
{
    segments.clear();
    ellipses.clear();
    dots.clear();
    texts.clear();
    fills.clear();
    clears = 0;
    refreshes = 0;
    nonFinite = 0;
    firstNonFinite.clear();
}

std::vector<RecordingDevice::Segment> RecordingDevice::segmentsIn(Rgb colour) const
{
    std::vector<Segment> out;
    for (const auto& s : segments)
        if (s.pen.colour == colour)
            out.push_back(s);
    return out;
}

std::size_t RecordingDevice::count() const
{
    return segments.size() + ellipses.size() + dots.size() + texts.size() + fills.size();
}

} // namespace lens
