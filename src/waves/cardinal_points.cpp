#include "waves/cardinal_points.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lens::waves {

namespace {

// A quotient, empty where it is not a finite number.
std::optional<double> quotient(double a, double b)
{
    const double q = a / b;
    return std::isfinite(q) && b != 0 ? std::optional<double>(q) : std::nullopt;
}

bool finite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

// A segment drawn only when both ends are numbers.
void segment(Surface& s, double x1, double y1, double x2, double y2, Rgb colour)
{
    if (finite({x1, y1, x2, y2}))
        s.Line(x1, y1, x2, y2, colour);
}

// A ray leaving the lens from (x, y) with the given slope, continued back against the light to the
// image's x: a thin dashed line in the ray's own colour. The pen is left as it was.
void backTo(Surface& s, double xImage, double x, double y, double slope, Rgb colour)
{
    const int width = s.DrawWidth, style = s.DrawStyle;
    s.DrawWidth = 1;
    s.DrawStyle = dashedStyle;
    segment(s, x, y, xImage, y + (xImage - x) * slope, colour);
    s.DrawStyle = style;
    s.DrawWidth = width;
}

void cross(Surface& s, double x, double y, Rgb colour)
{
    segment(s, x - 10, y, x + 10, y, colour);
    segment(s, x, y - 10, x, y + 10, colour);
}

// Where a label was written, in user units.
struct LabelBox {
    double left, right, low, high;
    bool overlaps(const LabelBox& o) const { return left < o.right && o.left < right && low < o.high && o.low < high; }
};

// Writes text with its top left corner at (x, y). A label that would overlap one written before it, or a
// part of the picture the window's controls hide, goes down just below it until it stands clear: points close together on the axis (H1 and H2 of a
// thin lens, N1 and N2) keep readable labels however large the text.
void label(Surface& s, std::vector<LabelBox>& written, std::optional<double> x, double y, const char* text)
{
    if (!x || !std::isfinite(*x))
        return;
    // A label's box reaches a little past its text, so two labels never run together ("N1N2").
    const double h = s.TextHeight(text), w = s.TextWidth(text) + h / 4;
    const double down = s.ScaleHeight() < 0 ? -1.0 : 1.0; // user y of a point lower on the picture
    auto boxAt = [&](double top) {
        const double bottom = top + down * h;
        return LabelBox{*x, *x + w, std::min(top, bottom), std::max(top, bottom)};
    };
    LabelBox box = boxAt(y);
    if (std::isfinite(w) && std::isfinite(h) && h > 0) {
        // Each step goes just below every box in the way, so it passes at least one of them for good.
        for (std::size_t step = 0; step <= written.size(); ++step) {
            bool inTheWay = false;
            for (const LabelBox& o : written)
                if (box.overlaps(o)) {
                    const double below = down < 0 ? o.low : o.high;
                    y = inTheWay ? (down < 0 ? std::min(y, below) : std::max(y, below)) : below;
                    inTheWay = true;
                }
            if (!inTheWay)
                break;
            box = boxAt(y);
        }
    }
    written.push_back(box);
    s.CurrentX = *x;
    s.CurrentY = y;
    s.Print(text);
}

// A point of the axis: a thick dot on the screen, a circle of radius 5 on the page.
void point(Surface& s, std::optional<double> x, Rgb colour, PictureForm form = PictureForm::screen)
{
    if (!x || !std::isfinite(*x))
        return;
    if (form == PictureForm::page)
        s.Circle(*x, 0, 5, colour);
    else
        s.PSet(*x, 0, colour);
}

// What an entry point that reads the controls returns: the lens as read, once draw has drawn with it.
template <typename Draw>
spherical::LensState drawnWith(const spherical::LensState& read, Draw draw)
{
    draw(read);
    return read;
}

// The centres and the index as the controls give them; the radii stay the lens's own.
spherical::LensState readLens(spherical::LensState lens, const spherical::BenchControls& controls)
{
    const spherical::LensState read = spherical::lensFrom(controls);
    lens.xcentreB = read.xcentreB;
    lens.xcentreA = read.xcentreA;
    lens.refindex = read.refindex;
    return lens;
}

} // namespace

CardinalPoints cardinalpointsof(const spherical::LensState& lens)
{
    const double n = lens.refindex;
    CardinalPoints p;
    const double rA = lens.radiusA, rB = lens.radiusB;
    p.V1 = lens.xcentreB - rB;
    p.V2 = lens.xcentreA + rA;
    p.d = p.V2 - p.V1;
    p.c = (p.V2 + p.V1) / 2;
    const double power = (n - 1) * (1 / rA + 1 / rB);
    p.f0 = quotient(1, power);
    p.f = quotient(1, power - (n - 1) * (n - 1) * p.d / (n * rA * rB));
    if (!p.f)
        return p;
    const auto h1 = quotient(p.d * *p.f * (n - 1), n * rA);
    const auto h2 = quotient(p.d * *p.f * (n - 1), n * rB);
    if (!h1 || !h2)
        return p;
    p.H1 = p.V1 + *h1;
    p.H2 = p.V2 - *h2;
    p.N1 = p.H1;
    p.N2 = p.H2;
    p.F1 = *p.H1 - *p.f;
    p.F2 = *p.N2 + *p.f;
    return p;
}

int travelDirection(const CardinalPoints& p, double xs) { return xs > p.c ? -1 : 1; }

namespace {

// The image of a source at (xs, ys) by a lens of focal length f whose principal planes stand at front and
// back (the same place for a thin lens), light running the way sigma says. The equation 1/u + 1/v = 1/f is
// written through the magnification, so that a source on the front plane (u = 0) stays defined.
std::optional<ParaxialImage> imageThrough(double front, double back, double f, int sigma, double xs, double ys)
{
    const double u = sigma * (front - xs); // object distance, positive for a real object
    const auto m = quotient(f, f - u);
    if (!m)
        return std::nullopt;
    const double v = -*m * u; // from the back plane to the image
    const ParaxialImage image{back + sigma * v, *m * ys, *m, v < 0};
    if (!finite({image.x, image.y}))
        return std::nullopt;
    return image;
}

} // namespace

std::optional<ParaxialImage> thinimage(const CardinalPoints& p, double xs, double ys)
{
    if (!p.f0)
        return ParaxialImage{xs, ys, 1};
    return imageThrough(p.c, p.c, *p.f0, travelDirection(p, xs), xs, ys);
}

std::optional<ParaxialImage> thickimage(const CardinalPoints& p, double xs, double ys)
{
    if (!p.f || !p.H1 || !p.H2)
        return std::nullopt;
    const int sigma = travelDirection(p, xs);
    const double front = sigma > 0 ? *p.H1 : *p.H2, back = sigma > 0 ? *p.H2 : *p.H1;
    return imageThrough(front, back, *p.f, sigma, xs, ys);
}

spherical::LensState thinlensimage(Surface& s, const spherical::LensState& lens,
                                   const spherical::BenchControls& controls, double xs, double ys, PictureForm form)
{
    return drawnWith(readLens(lens, controls), [&](const auto& read) { thinLensConstruction(s, read, xs, ys, form); });
}

void thinLensConstruction(Surface& s, const spherical::LensState& lens, double xs, double ys, PictureForm form)
{
    const bool page = form == PictureForm::page;
    const CardinalPoints p = cardinalpointsof(lens);
    const double c = p.c;
    const int sigma = travelDirection(p, xs); // the lines run on the way the light goes
    // Without a focal length (n = 1) the thin lens does not bend light: the image is the source.
    const double f0 = p.f0.value_or(INFINITY);
    const std::optional<ParaxialImage> image = thinimage(p, xs, ys);
    const double xi = image ? image->x : NAN, yi = image ? image->y : NAN;
    const double s1 = (yi - ys) / (xi - c);
    const double s2 = -ys / ((c - sigma * f0) - xs);
    const double s3 = -ys / (c - xs);

    s.DrawWidth = 1;
    s.DrawStyle = dashDotStyle;
    segment(s, c, -400, c, 400, s.ForeColor);
    s.DrawStyle = solidStyle;
    s.DrawWidth = page ? 2 : 12;
    if (p.f0) {
        point(s, c - f0, s.ForeColor, form);
        point(s, c + f0, s.ForeColor, form);
    }
    s.DrawWidth = 1;
    s.DrawWidth = 2;
    const Rgb blue = cardinalColours::construction;
    const double yFocal = ys + (c - xs) * s2; // the ray through the front focus leaves the lens here
    segment(s, xs, ys, c, ys, blue);
    if (image && image->isVirtual) {
        // The refracted ray runs on from the lens; only its line backwards reaches the image.
        segment(s, c, ys, c + sigma * 300, ys + sigma * 300 * s1, blue);
    } else {
        segment(s, c, ys, xi, yi, blue);
        segment(s, xi, yi, xi + sigma * 300, yi + sigma * 300 * s1, blue);
    }
    segment(s, xs, ys, c, yFocal, blue);
    segment(s, c, yFocal, c + sigma * 500, yFocal, blue);
    segment(s, xs, ys, xs + sigma * 800, ys + sigma * 800 * s3, blue);
    if (image && image->isVirtual) {
        backTo(s, xi, c, ys, s1, blue);
        backTo(s, xi, c, yFocal, 0, blue);
        backTo(s, xi, xs, ys, s3, blue); // the ray through the centre goes on undeviated: back from the source
    }
    s.DrawWidth = 3;
    if (!page)
        cross(s, xi, yi, s.ForeColor);
    s.DrawWidth = 1;
}

spherical::LensState cardinalpoints(Surface& s, const spherical::LensState& lens,
                                    const spherical::BenchControls& controls, double xs, double ys, PictureForm form)
{
    return drawnWith(readLens(lens, controls), [&](const auto& l) { cardinalPointsConstruction(s, l, xs, ys, form); });
}

void cardinalPointsConstruction(Surface& s, const spherical::LensState& lens, double xs, double ys, PictureForm form)
{
    const bool page = form == PictureForm::page;
    thinLensConstruction(s, lens, xs, ys, form);
    const CardinalPoints p = cardinalpointsof(lens);

    s.DrawStyle = dottedStyle;
    s.DrawWidth = 1;
    for (const auto& plane : {p.H1, p.H2})
        if (plane)
            segment(s, *plane, -400, *plane, 400, s.ForeColor);
    s.DrawStyle = solidStyle;
    s.DrawWidth = 15;
    if (page)
        s.DrawWidth = 2;
    point(s, p.F1, cardinalColours::focal, form);
    point(s, p.F2, cardinalColours::focal, form);
    point(s, p.N1, cardinalColours::nodal, form);
    point(s, p.N2, cardinalColours::nodal, form);

    if (p.H1 && p.H2 && p.F1 && p.F2) {
        // Light from a source right of the lens runs leftwards: the right-hand points take the front part.
        const int sigma = travelDirection(p, xs);
        const double Hf = sigma > 0 ? *p.H1 : *p.H2, Hb = sigma > 0 ? *p.H2 : *p.H1;
        const double Ff = sigma > 0 ? *p.F1 : *p.F2, Fb = sigma > 0 ? *p.F2 : *p.F1;
        const double Nf = Hf, Nb = Hb;
        const double end = sigma * 500.0; // the lines run on to this x
        const double pslope = -ys / (Ff - xs), q = -ys / (Fb - Hb), r = -ys / (Nf - xs);
        const Rgb cyan = page ? cardinalColours::construction : cardinalColours::thick;
        s.DrawWidth = 2;
        segment(s, xs, ys, Hb, ys, cyan);
        segment(s, xs, ys, Hf, ys + (Hf - xs) * pslope, cyan);
        segment(s, Hf, ys + (Hf - xs) * pslope, end, ys + (Hf - xs) * pslope, cyan);
        segment(s, Hb, ys, end, ys + (end - Hb) * q, cyan);
        segment(s, xs, ys, Nf, 0, cyan);
        segment(s, Nb, 0, end, (end - Nb) * r, cyan);
        const auto image = thickimage(p, xs, ys);
        if (image && image->isVirtual) {
            // Each ray leaves the back plane where the construction drew it from; its line runs back to the
            // image from there.
            backTo(s, image->x, Hf, ys + (Hf - xs) * pslope, 0, cyan);
            backTo(s, image->x, Hb, ys, q, cyan);
            backTo(s, image->x, Nb, 0, r, cyan);
        }
        s.DrawWidth = 3;
        if (image) {
            if (!page)
                cross(s, image->x, image->y, cardinalColours::image);
            else
                s.Circle(image->x, image->y, 5, cardinalColours::construction);
        }
    }

    s.DrawWidth = 15;
    s.DrawWidth = 1;
    s.FontSize = 13;
    // The parts of the picture that the window's controls hide count as written: no label goes under them.
    std::vector<LabelBox> written;
    for (const Surface::PixelBox& box : s.covered) {
        const double x1 = s.userX(box.left), x2 = s.userX(box.right), y1 = s.userY(box.top), y2 = s.userY(box.bottom);
        written.push_back({std::min(x1, x2), std::max(x1, x2), std::min(y1, y2), std::max(y1, y2)});
    }
    label(s, written, p.H1, 150, "H1");
    label(s, written, p.H2, 150, "H2");
    label(s, written, p.F1, -2, "F1");
    label(s, written, p.F2, -2, "F2");
    label(s, written, p.N1, -2, "N1");
    label(s, written, p.N2, -2, "N2");
    s.FontSize = 10;
}

} // namespace lens::waves
