// The printed page. The constructions and the point-source fronts are drawn once, after the whole fan:
// drawn once for every ray of the fan, each drawing would cover the one before with the same lines. The
// caption is printed last, in the corner the drawing has left emptiest.

#include "waves/print_bench.h"

#include "surface/null_device.h"
#include "waves/bundle_ray.h"
#include "waves/cardinal_points.h"
#include "waves/lens_numbers.h"
#include "waves/lens_outline.h"
#include "waves/parallel_waves.h"
#include "waves/point_source_waves.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace lens::waves {

using namespace spherical;

namespace {

constexpr Rgb printedRay = RGB(255, 0, 0);
constexpr Rgb printedFace = RGB(0, 255, 0);

// The view the printed rays are traced over: the bench's and the page's together, so that every ray whose
// front is printed (traced over the bench's view) is printed too, and runs on to the page's edge.
struct TraceView {
    NullDevice device{1, 1};
    Surface surface{device};

    TraceView(const Surface& page, const Surface& bench)
    {
        auto lowest = [](const Surface& s) { return std::fmin(s.ScaleTop(), s.ScaleTop() + s.ScaleHeight()); };
        auto highest = [](const Surface& s) { return std::fmax(s.ScaleTop(), s.ScaleTop() + s.ScaleHeight()); };
        auto leftmost = [](const Surface& s) { return std::fmin(s.ScaleLeft(), s.ScaleLeft() + s.ScaleWidth()); };
        auto rightmost = [](const Surface& s) { return std::fmax(s.ScaleLeft(), s.ScaleLeft() + s.ScaleWidth()); };
        surface.Scale(std::fmin(leftmost(page), leftmost(bench)), std::fmax(highest(page), highest(bench)),
                      std::fmax(rightmost(page), rightmost(bench)), std::fmin(lowest(page), lowest(bench)));
    }
};

// The ray from the source as the page shows it: its legs in red when it reaches the lens; a ray stopped
// by a blade or missing the lens prints nothing.
void printRay(Surface& page, const Surface& view, const Diaphragm& diaphragm, double x0, double y0, double dx, double dy,
              double xA, double xB, double rA, double rB, double n)
{
    const RayPath path = traceRay(view, diaphragm, x0, y0, dx, dy, xA, xB, rA, rB, n);
    bool meetsLens = false;
    for (int k = 0; k < path.count; ++k)
        meetsLens = meetsLens || path.legs[static_cast<std::size_t>(k)].end == LegEnd::lens;
    if (!meetsLens)
        return;
    page.DrawWidth = 1;
    for (int k = 0; k < path.count; ++k) {
        const RayLeg& leg = path.legs[static_cast<std::size_t>(k)];
        page.Line(leg.x1, leg.y1, leg.x2, leg.y2, printedRay);
    }
}

// Each face as two arcs that meet on the axis, from the axis out to each rim point.
void printFaces(Surface& page, const LensState& lens)
{
    const std::optional<LensArcs> arcs = lensFaceArcs(lens);
    if (!arcs)
        return;
    auto face = [&](double xc, double r, double start, double end) {
        const double span = end >= start ? end - start : end + 2 * std::numbers::pi - start;
        const double middle = start + span / 2;
        page.Circle(xc, 0, r, printedFace, start, std::fmod(middle, 2 * std::numbers::pi));
        page.Circle(xc, 0, r, printedFace, std::fmod(middle, 2 * std::numbers::pi), end);
    };
    page.DrawWidth = 5;
    face(lens.xcentreA, lens.radiusA, arcs->arcAstart, arcs->arcAend);
    face(lens.xcentreB, lens.radiusB, arcs->arcBstart, arcs->arcBend);
    page.DrawWidth = 1;
}

// A rectangle of the page in device pixels.
struct Place {
    double left, top, right, bottom;
    bool holds(double x, double y) const { return left <= x && x <= right && top <= y && y <= bottom; }
    // Whether the segment from (x1, y1) to (x2, y2) runs through the rectangle (clipped Liang–Barsky).
    bool crossedBy(double x1, double y1, double x2, double y2) const
    {
        return clipSegment(x1, y1, x2, y2, left, top, right, bottom);
    }
};

// Hands every primitive on to the page and counts, for each corner the caption could take, the
// primitives drawn there, so that the caption goes where it covers the least of the drawing.
class InkCounter final : public Device {
public:
    InkCounter(Device& page, const std::array<Place, 4>& places) : page_(page), places_(places) {}

    std::array<int, 4> ink{};

    int width() const override { return page_.width(); }
    int height() const override { return page_.height(); }
    void segment(double x1, double y1, double x2, double y2, const Pen& pen) override
    {
        for (std::size_t i = 0; i < places_.size(); ++i)
            ink[i] += places_[i].crossedBy(x1, y1, x2, y2);
        page_.segment(x1, y1, x2, y2, pen);
    }
    void ellipse(double cx, double cy, double rx, double ry, bool isArc, double start, double end, const Pen& pen,
                 bool filled, Rgb fillColour) override
    {
        // The outline sampled along its arc (counter-clockwise on the page, y downwards).
        const double twoPi = 2 * std::numbers::pi;
        double span = isArc ? std::fmod(end - start, twoPi) : twoPi;
        if (!(span > 0))
            span += twoPi;
        if (std::isfinite(span) && std::isfinite(start))
            for (std::size_t i = 0; i < places_.size(); ++i) {
                bool touched = filled && places_[i].holds(cx, cy);
                for (int k = 0; k <= 64 && !touched; ++k) {
                    const double t = (isArc ? start : 0) + span * k / 64;
                    touched = places_[i].holds(cx + rx * std::cos(t), cy - ry * std::sin(t));
                }
                ink[i] += touched;
            }
        page_.ellipse(cx, cy, rx, ry, isArc, start, end, pen, filled, fillColour);
    }
    void dot(double x, double y, const Pen& pen) override
    {
        count(x, y);
        page_.dot(x, y, pen);
    }
    double text(double x, double y, std::string_view utf8, const Font& font, Rgb colour) override
    {
        count(x, y);
        return page_.text(x, y, utf8, font, colour);
    }
    void clear(Rgb background) override { page_.clear(background); }
    void floodFill(int px, int py, Rgb border, Rgb fill, FloodMode mode) override
    {
        page_.floodFill(px, py, border, fill, mode);
    }
    void refresh() override { page_.refresh(); }

private:
    void count(double x, double y)
    {
        for (std::size_t i = 0; i < places_.size(); ++i)
            ink[i] += places_[i].holds(x, y);
    }

    Device& page_;
    std::array<Place, 4> places_;
};

// The caption's four possible places, top left, bottom left, top right and bottom right (the order in
// which an empty corner is taken), for lines of text of the caption's size. A point of type is taken as
// 4/3 of a 96-dpi pixel, which the page's PenScale enlarges as it does its pens.
std::array<Place, 4> captionPlaces(const Surface& page, const std::vector<std::string>& lines)
{
    const double em = captionPoints * 4 / 3 * std::max(page.PenScale, 1);
    std::size_t longest = 0;
    for (const std::string& line : lines) // characters, not bytes: Greek letters take two
        longest = std::max<std::size_t>(longest, std::size_t(std::count_if(line.begin(), line.end(), [](char c) {
                                                    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
                                                })));
    const double w = 0.56 * em * double(longest), h = 1.2 * em * double(lines.size());
    const double W = page.device().width(), H = page.device().height(), margin = em;
    const double left = margin, right = std::max(W - margin - w, margin);
    const double top = margin, bottom = std::max(H - margin - h, margin);
    return {Place{left, top, left + w, top + h}, Place{left, bottom, left + w, bottom + h},
            Place{right, top, right + w, top + h}, Place{right, bottom, right + w, bottom + h}};
}

void printCaption(Surface& page, const std::vector<std::string>& lines, const Place& place)
{
    const double size = page.FontSize;
    const Rgb colour = page.ForeColor;
    page.FontSize = captionPoints;
    page.ForeColor = colours::black;
    page.CurrentY = page.userY(place.top);
    for (const std::string& line : lines) {
        page.CurrentX = page.userX(place.left);
        page.Print(line);
    }
    page.FontSize = size;
    page.ForeColor = colour;
}

void drawPage(Surface& page, Surface& benchSurface, const LensState& lens, RayRecords& records,
              const BenchValues& values, double x0, double y0)
{
    const double xcentreA = lens.xcentreA, xcentreB = lens.xcentreB, radiusA = lens.radiusA, radiusB = lens.radiusB;
    const SimeiaTomis rim = tomikyklon(xcentreA, xcentreB, radiusA, radiusB);
    BenchValues v = values;
    v.sourcex = x0, v.sourcey = y0;
    records.startBundle(360 / printedFanStep + 1, true);

    printFaces(page, lens);
    if (const auto f = estiakiapostasi(radiusA, radiusB, lens.refindex); f && rim.yparxei) {
        page.DrawWidth = 3;
        page.Circle(rim.x1 - *f, 0, 3, printedRay);
        page.Circle(rim.x1 + *f, 0, 3, printedRay);
        page.DrawWidth = 1;
    }

    const double n = v.index();
    const TraceView view(page, benchSurface);
    for (int degrees = -180; degrees <= 180; degrees += printedFanStep) {
        const double alpha = degrees * std::numbers::pi / 180;
        const double dx = std::cos(alpha), dy = std::sin(alpha);
        if (!v.Check2)
            printRay(page, view.surface, v.diaphragm, x0, y0, dx, dy, xcentreA, xcentreB, radiusA, radiusB, n);
        if (v.wavesWanted() && !v.parallelmode) {
            double sx = x0, sy = y0;
            const int row = records.raycount;
            tracebundleray(benchSurface, records, v, sx, sy, dx, dy, xcentreA, xcentreB, radiusA, radiusB, n);
            records.placeInBundle(row, (degrees + 180) / printedFanStep);
        }
    }
    if (!v.Check2) {
        BenchControls controls;
        controls.deiktisdiathlasis = v.deiktisdiathlasis;
        // The centres as their scroll bars hold them: whole numbers within the bars' reach.
        auto whole = [](double x) { return std::isfinite(x) ? static_cast<int>(std::lround(std::clamp(x, -1e6, 1e6))) : 0; };
        controls.kentrokykloy = whole(xcentreB);
        controls.kentrokykloy2 = whole(xcentreA);
        LensState constructed = lens;
        cardinalpoints(page, constructed, controls, x0, y0, PictureForm::page);
        thinlensimage(page, constructed, controls, x0, y0, PictureForm::page);
    }
    if (v.wavesWanted() && !v.parallelmode)
        kymataapopigi(page, lens, records, v, x0, y0, PictureForm::page);
    // A parallel beam's waves close the page, whatever the boxes say.
    if (v.parallelmode)
        parallelwaves(page, benchSurface, lens, records, v, v.bundleangle);
    page.DrawWidth = 1;
}

} // namespace

std::vector<std::string> captionLines(const Surface&, const LensState& lens, const BenchValues& v,
                                      double x0, double y0, const PageCaption& caption)
{
    const double n = v.index();
    std::optional<std::pair<double, double>> source;
    if (!v.parallelmode)
        source = std::pair{x0, y0};
    std::vector<NumberLine> numbers = lensNumbers(lens, n, source);
    // The light's own aberration, as the window and the command line measure it.
    const auto aberration = measureAberration(lens, n, v.diaphragm, {v.parallelmode, x0, y0, v.bundleangle});
    if (aberration)
        for (NumberLine& line : aberrationNumbers(*aberration))
            numbers.push_back(std::move(line));
    std::vector<std::string> lines;
    for (const NumberLine& line : numbers)
        lines.push_back(numberText(line, caption.worksheet));
    if (!caption.date.empty())
        lines.push_back("Ημερομηνία / date: " + caption.date);
    return lines;
}

void printbench(Surface& page, Surface& benchSurface, const LensState& benchLens, RayRecords& records,
                const BenchValues& values, double xcentreA, double xcentreB, double radiusA, double radiusB,
                double x0, double y0, const PageCaption& caption)
{
    const double P = page.device().width(), Q = page.device().height();
    if (!(P > 0) || !(Q > 0))
        return;
    const double a = P / (P + Q), b = Q / (P + Q);
    page.Scale(-600 * a, 600 * b, 600 * a, -600 * b);

    LensState lens = benchLens;
    lens.xcentreA = xcentreA, lens.xcentreB = xcentreB, lens.radiusA = radiusA, lens.radiusB = radiusB;
    // The drawing goes through a counter of what lands where the caption could stand.
    const std::vector<std::string> lines = captionLines(benchSurface, lens, values, x0, y0, caption);
    const std::array<Place, 4> places = captionPlaces(page, lines);
    Device& paper = page.device();
    InkCounter counter(paper, places);
    page.setDevice(counter);
    drawPage(page, benchSurface, lens, records, values, x0, y0);
    page.setDevice(paper);
    const auto emptiest = std::min_element(counter.ink.begin(), counter.ink.end());
    printCaption(page, lines, places[std::size_t(emptiest - counter.ink.begin())]);
}

} // namespace lens::waves
