// The printed page. The constructions and the point-source fronts are drawn once, after the whole fan:
// drawn once for every ray of the fan, each drawing would cover the one before with the same lines. The
// caption is printed last, in the corner the drawing has left emptiest.

#include "waves/print_bench.h"

#include "surface/null_device.h"
#include "surface/scale_bar.h"
#include "waves/back_extension.h"
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
// by a blade or missing the lens prints nothing. Towards a virtual image (back given) a ray that leaves the
// lens is continued back to it, dashed.
void printRay(Surface& page, const Surface& view, const Diaphragm& diaphragm, const LensState& lens, double x0,
              double y0, double dx, double dy, const std::optional<BackExtensionLine>& back)
{
    const RayPath path = traceRay(view, diaphragm, lens, x0, y0, dx, dy);
    bool meetsLens = false;
    for (int k = 0; k < path.count; ++k)
        meetsLens = meetsLens || path.legs[static_cast<std::size_t>(k)].end == LegEnd::lens;
    if (!meetsLens)
        return;
    page.DrawWidth = 1;
    if (back)
        drawBackExtension(page, *back, path, printedRay);
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

// Whether the segment from (x1, y1) to (x2, y2) runs through the box (clipped Liang–Barsky).
bool crosses(const PixelBox& box, double x1, double y1, double x2, double y2)
{
    return clipSegment(x1, y1, x2, y2, box.left, box.top, box.right, box.bottom);
}

// A device over the page that hands on what its kind does not look at: the page's size and text
// measure, clearing, flood fill and refresh.
class OverPage : public Device {
public:
    explicit OverPage(Device& page) : page_(page) {}

    int width() const override { return page_.width(); }
    int height() const override { return page_.height(); }
    TextExtent textExtent(std::string_view utf8, const Font& font) override { return page_.textExtent(utf8, font); }
    void clear(Rgb background) override { page_.clear(background); }
    void floodFill(int px, int py, Rgb border, Rgb fill, FloodMode mode) override
    {
        page_.floodFill(px, py, border, fill, mode);
    }
    void refresh() override { page_.refresh(); }

protected:
    Device& page_;
};

// Hands every primitive on to the page and counts, for each place the caption or the scale bar could
// take, the primitives drawn there, so that each goes where it covers the least of the drawing.
class InkCounter final : public OverPage {
public:
    InkCounter(Device& page, std::vector<PixelBox> places)
        : OverPage(page), ink(places.size(), 0), places_(std::move(places))
    {
    }

    std::vector<int> ink;

    void segment(double x1, double y1, double x2, double y2, const Pen& pen) override
    {
        for (std::size_t i = 0; i < places_.size(); ++i)
            ink[i] += crosses(places_[i], x1, y1, x2, y2);
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
        const TextExtent extent = page_.textExtent(utf8, font);
        for (std::size_t i = 0; i < places_.size(); ++i)
            ink[i] += places_[i].meets({x, y, x + extent.width, y + extent.height});
        return page_.text(x, y, utf8, font, colour);
    }

private:
    void count(double x, double y)
    {
        for (std::size_t i = 0; i < places_.size(); ++i)
            ink[i] += places_[i].holds(x, y);
    }

    std::vector<PixelBox> places_;
};

// Hands on only what lies within a box of the page: the worksheet's drawing ends above its rows.
class ClipToBox final : public OverPage {
public:
    ClipToBox(Device& page, const PixelBox& box) : OverPage(page), box_(box) {}

    void segment(double x1, double y1, double x2, double y2, const Pen& pen) override
    {
        if (clipSegment(x1, y1, x2, y2, box_.left, box_.top, box_.right, box_.bottom))
            page_.segment(x1, y1, x2, y2, pen);
    }
    void ellipse(double cx, double cy, double rx, double ry, bool isArc, double start, double end, const Pen& pen,
                 bool filled, Rgb fillColour) override
    {
        if (box_.holds(cx - std::fabs(rx), cy - std::fabs(ry)) && box_.holds(cx + std::fabs(rx), cy + std::fabs(ry)))
            page_.ellipse(cx, cy, rx, ry, isArc, start, end, pen, filled, fillColour);
    }
    void dot(double x, double y, const Pen& pen) override
    {
        if (box_.holds(x, y))
            page_.dot(x, y, pen);
    }
    double text(double x, double y, std::string_view utf8, const Font& font, Rgb colour) override
    {
        const TextExtent extent = page_.textExtent(utf8, font);
        if (box_.holds(x, y) && box_.holds(x + extent.width, y + extent.height))
            return page_.text(x, y, utf8, font, colour);
        return extent.height;
    }

private:
    PixelBox box_;
};

// The caption's four possible places, top left, bottom left, top right and bottom right (the order in
// which an empty corner is taken), for lines of text of the caption's size. A point of type is taken as
// 4/3 of a 96-dpi pixel, which the page's PenScale enlarges as it does its pens.
std::array<PixelBox, 4> captionPlaces(const Surface& page, const std::vector<std::string>& lines)
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
    return {PixelBox{left, top, left + w, top + h}, PixelBox{left, bottom, left + w, bottom + h},
            PixelBox{right, top, right + w, top + h}, PixelBox{right, bottom, right + w, bottom + h}};
}

void printCaption(Surface& page, const std::vector<std::string>& lines, const PixelBox& place)
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

void drawPage(Surface& page, Surface& benchSurface, RayRecords& records, const BenchScene& v)
{
    const LensState& lens = v.lens;
    const double x0 = v.light.x, y0 = v.light.y;
    const double xcentreA = lens.xcentreA, xcentreB = lens.xcentreB, radiusA = lens.radiusA, radiusB = lens.radiusB;
    const SimeiaTomis rim = tomikyklon(xcentreA, xcentreB, radiusA, radiusB);
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
    std::optional<BackExtensionLine> back;
    if (!v.light.beam)
        back = virtualImageLine(lens, x0, y0);
    for (int degrees = -180; degrees <= 180; degrees += printedFanStep) {
        const double alpha = degrees * std::numbers::pi / 180;
        const double dx = std::cos(alpha), dy = std::sin(alpha);
        if (!v.onlyWaves())
            printRay(page, view.surface, v.diaphragm, lens, x0, y0, dx, dy, back);
        if (v.wavesWanted() && !v.light.beam) {
            const int row = records.raycount;
            traceTimedRay(benchSurface, records, v, x0, y0, dx, dy);
            records.placeInBundle(row, (degrees + 180) / printedFanStep);
        }
    }
    if (!v.onlyWaves()) {
        // The centres as their scroll bars hold them: whole numbers within the bars' reach.
        auto whole = [](double x) { return std::isfinite(x) ? double(std::lround(std::clamp(x, -1e6, 1e6))) : 0.0; };
        LensState constructed = lens;
        constructed.xcentreB = whole(xcentreB);
        constructed.xcentreA = whole(xcentreA);
        constructed.refindex = n;
        cardinalPointsConstruction(page, constructed, x0, y0, PictureForm::page);
        thinLensConstruction(page, constructed, x0, y0, PictureForm::page);
    }
    if (v.wavesWanted() && !v.light.beam)
        kymataapopigi(page, records, v, x0, y0, PictureForm::page);
    // A parallel beam's waves close the page, whatever the boxes say.
    if (v.light.beam)
        parallelwaves(page, benchSurface, records, v, v.light.angle);
    page.DrawWidth = 1;
}

} // namespace

std::vector<std::string> captionLines(const Surface&, const BenchScene& v, const PageCaption& caption)
{
    std::optional<std::pair<double, double>> source;
    if (!v.light.beam)
        source = std::pair{v.light.x, v.light.y};
    std::vector<NumberLine> numbers = lensNumbers(v.lens, source);
    // The light's own aberration, as the window and the command line measure it.
    const auto aberration = measureAberration(v.lens, v.diaphragm, v.light);
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

namespace {

// The page's dots to a millimetre.
double dotsPerMillimetre(const Surface& page, const PageCaption& caption)
{
    const double dpi = caption.dotsPerInch > 0 ? caption.dotsPerInch : 96.0 * std::max(page.PenScale, 1);
    return dpi / 25.4;
}

// The page's scale bar: its places in the area, measured in the bar's own type size.
std::array<PixelBox, 4> barPlaces(Surface& page, const PixelBox& area, double margin)
{
    const double size = page.FontSize;
    page.FontSize = scaleBarPoints;
    const auto places = scaleBarPlaces(page, area, margin);
    page.FontSize = size;
    return places;
}

void printScaleBar(Surface& page, const PixelBox& box)
{
    const double size = page.FontSize;
    page.FontSize = scaleBarPoints;
    drawScaleBar(page, box);
    page.FontSize = size;
}

// Among places[first, first + count), the one with the least ink that meets none of the boxes taken.
std::size_t emptiest(const std::vector<int>& ink, const std::vector<PixelBox>& places, std::size_t first,
                     std::size_t count, const std::vector<PixelBox>& taken = {})
{
    std::size_t best = first;
    int least = -1;
    for (std::size_t i = first; i < first + count; ++i) {
        const bool free = std::none_of(taken.begin(), taken.end(), [&](const PixelBox& t) { return t.meets(places[i]); });
        const int cost = ink[i] + (free ? 0 : 1 << 20);
        if (least < 0 || cost < least)
            best = i, least = cost;
    }
    return best;
}

// The span of the bench that the worksheet's drawing shows: the source (for a fan from a point), the lens
// with its focal points and the image, with a margin about them.
struct FigureSpan { double left, right, half; };
FigureSpan figureSpan(const BenchScene& v)
{
    const LensState& lens = v.lens;
    const double x0 = v.light.x, y0 = v.light.y;
    const CardinalPoints p = cardinalpointsof(lens);
    const SimeiaTomis rim = tomikyklon(lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB);
    double left = p.V1, right = p.V2, half = rim.yparxei ? std::fabs(rim.y1) : 0;
    // Points far off (a focus of a weak lens, an image near infinity) are left out; the rays show the way.
    constexpr double reach = 1000;
    auto take = [&](std::optional<double> x, double y = 0) {
        if (!x || !std::isfinite(*x) || std::fabs(*x) > reach || !std::isfinite(y) || std::fabs(y) > reach)
            return;
        left = std::min(left, *x), right = std::max(right, *x), half = std::max(half, std::fabs(y));
    };
    take(p.F1), take(p.F2);
    if (!v.light.beam) {
        take(x0, y0);
        if (const auto image = thickimage(p, x0, y0))
            take(image->x, image->y);
    }
    if (!(right > left))
        left = -200, right = 200;
    const double pad = 0.06 * (right - left) + 20;
    left -= pad, right += pad;
    // Never closer than the bench's own view of the lens.
    constexpr double narrowest = 400;
    if (right - left < narrowest) {
        const double middle = (left + right) / 2;
        left = middle - narrowest / 2, right = middle + narrowest / 2;
    }
    // Room above the lens for the labels of the principal planes, written at y = 150.
    half = std::max(half * 1.15 + 10, 175.0);
    return {left, right, half};
}

// A row of the worksheet, and the rows a line takes in a column so wide: a line too long is broken after
// its Greek name.
std::vector<std::string> worksheetRows(const Surface& page, const std::string& line, double width)
{
    const Font font{page.FontName, worksheetPoints};
    Device& paper = const_cast<Surface&>(page).device();
    const std::size_t split = line.find(" / ");
    if (paper.textExtent(line, font).width <= width || split == std::string::npos)
        return {line};
    return {line.substr(0, split + 2), "    " + line.substr(split + 3)};
}

void printWorksheet(Surface& page, Surface& benchSurface, RayRecords& records, const BenchScene& scene,
                    const PageCaption& caption)
{
    const double W = page.device().width(), H = page.device().height();
    const double mm = dotsPerMillimetre(page, caption);
    const double margin = 6 * mm, gap = 8 * mm;

    // The rows to fill in, in two columns below the drawing: the first half of the lines on the left, as
    // wide as they need, the rest on the right; a line too long for its column is broken.
    const std::vector<std::string> lines = captionLines(benchSurface, scene, caption);
    const std::size_t half = (lines.size() + 1) / 2;
    const double across = W - 2 * margin - gap;
    const Font font{page.FontName, worksheetPoints};
    double leftWidth = 0;
    for (std::size_t i = 0; i < half; ++i)
        leftWidth = std::max(leftWidth, page.device().textExtent(lines[i], font).width);
    leftWidth = std::min(leftWidth, across / 2);
    const double widths[2] = {leftWidth, across - leftWidth};
    std::vector<std::string> columns[2];
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int c = i < half ? 0 : 1;
        for (std::string& row : worksheetRows(page, lines[i], widths[c]))
            columns[c].push_back(std::move(row));
    }
    // The rows keep at least 8 mm between them, and leave the drawing a quarter of the page when they can.
    const double tallest = double(std::max(columns[0].size(), columns[1].size()));
    const double pitch = std::clamp((H * 0.75 - 2 * margin) / tallest, 8 * mm, worksheetRowMillimetres * mm);
    const double rowsTop = H - margin - tallest * pitch;

    // The drawing, scaled to its span and clipped to the room above the rows.
    const PixelBox figure{margin, margin, W - margin, std::max(rowsTop - 3 * mm, 2 * margin)};
    const FigureSpan span = figureSpan(scene);
    const double unit = std::min((figure.right - figure.left) / (span.right - span.left),
                                 (figure.bottom - figure.top) / (2 * span.half));
    const double middleX = (span.left + span.right) / 2;
    const double left = middleX - (figure.left + figure.right) / 2 / unit;
    const double top = (figure.top + figure.bottom) / 2 / unit;
    page.Scale(left, top, left + W / unit, top - H / unit);

    const auto bars = barPlaces(page, figure, 2 * mm);
    Device& paper = page.device();
    InkCounter counter(paper, {bars.begin(), bars.end()});
    ClipToBox clip(counter, figure);
    page.setDevice(clip);
    drawPage(page, benchSurface, records, scene);
    page.setDevice(paper);
    const std::vector<PixelBox> places(bars.begin(), bars.end());
    printScaleBar(page, places[emptiest(counter.ink, places, 0, places.size())]);

    const double size = page.FontSize;
    const Rgb colour = page.ForeColor;
    page.FontSize = worksheetPoints;
    page.ForeColor = colours::black;
    for (int c = 0; c < 2; ++c)
        for (std::size_t r = 0; r < columns[c].size(); ++r) {
            // Each row's text stands on its line, with a row's room above it to write in.
            const double baseline = rowsTop + double(r + 1) * pitch;
            const double textHeight = paper.textExtent(columns[c][r], {page.FontName, worksheetPoints}).height;
            page.CurrentX = page.userX(margin + c * (widths[0] + gap));
            page.CurrentY = page.userY(baseline - textHeight);
            page.Print(columns[c][r]);
        }
    page.FontSize = size;
    page.ForeColor = colour;
}

} // namespace

void printbench(Surface& page, Surface& benchSurface, RayRecords& records, const BenchScene& scene, double xcentreA,
                double xcentreB, double radiusA, double radiusB, double x0, double y0, const PageCaption& caption)
{
    BenchScene printed = scene.withCircles({xcentreA, radiusA, xcentreB, radiusB});
    printed.light.x = x0, printed.light.y = y0;
    printBenchPage(page, benchSurface, records, printed, caption);
}

void printBenchPage(Surface& page, Surface& benchSurface, RayRecords& records, const BenchScene& scene,
                    const PageCaption& caption)
{
    const double P = page.device().width(), Q = page.device().height();
    if (!(P > 0) || !(Q > 0))
        return;
    if (caption.worksheet)
        return printWorksheet(page, benchSurface, records, scene, caption);

    const double a = P / (P + Q), b = Q / (P + Q);
    page.Scale(-600 * a, 600 * b, 600 * a, -600 * b);
    // The drawing goes through a counter of what lands where the caption and the scale bar could stand.
    const std::vector<std::string> lines = captionLines(benchSurface, scene, caption);
    const std::array<PixelBox, 4> captions = captionPlaces(page, lines);
    const double em = captionPoints * 4 / 3 * std::max(page.PenScale, 1);
    const std::array<PixelBox, 4> bars = barPlaces(page, {0, 0, P, Q}, em);
    std::vector<PixelBox> places(captions.begin(), captions.end());
    places.insert(places.end(), bars.begin(), bars.end());
    Device& paper = page.device();
    InkCounter counter(paper, places);
    page.setDevice(counter);
    drawPage(page, benchSurface, records, scene);
    page.setDevice(paper);
    const PixelBox& captionPlace = places[emptiest(counter.ink, places, 0, 4)];
    printCaption(page, lines, captionPlace);
    printScaleBar(page, places[emptiest(counter.ink, places, 4, 4, {captionPlace})]);
}

} // namespace lens::waves
