// The single-ray view's tracer: one ray drawn leg by leg in red through the bench's diaphragm and the lens,
// traced by the same lens search and refraction as the bench's rays, and followed on where it is totally
// reflected inside the glass.

#include "waves/single_ray.h"

#include "waves/bench_scene.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace lens::waves {

using namespace spherical;

namespace {

// Characters in UTF-8 text (its code points).
double characters(std::string_view utf8)
{
    return static_cast<double>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Prints text beside the mark of radius markRadius (user units) about (x, y): to its right, or to its left
// where the right would run off the picture, and
// held between the picture's top and bottom. The surface cannot measure text, so its size is taken from
// the font's size at 96 dots to the inch, with half an em to a character: a little more than the sans
// faces that draw the view's fonts need.
void printBeside(Surface& s, double x, double y, double markRadius, std::string_view text)
{
    const double em = s.FontSize * std::clamp(s.TextScale, 1, 8) * 96 / 72;
    const double width = 0.5 * em * characters(text), height = 1.25 * em;
    const double gap = std::fabs(s.ScaleX(markRadius)) + 0.25 * em;
    const double pictureWidth = s.device().width(), pictureHeight = s.device().height();
    const double px = s.pixelX(x), py = s.pixelY(y);
    double left = px + gap;
    if (left + width > pictureWidth)
        left = px - gap - width;
    left = std::clamp(left, 0.0, std::max(0.0, pictureWidth - width));
    const double top = std::clamp(py - height / 2, 0.0, std::max(0.0, pictureHeight - height));
    const Rgb fore = s.ForeColor;
    s.ForeColor = colours::black;
    s.CurrentX = s.userX(left);
    s.CurrentY = s.userY(top);
    s.Print(text);
    s.ForeColor = fore;
}

} // namespace

ProtiTomi prototomimoni(double xA, double xB, double rA, double rB, double dx, double dy, double x0, double y0,
                        int& kind)
{
    const ProtiTomi hit = lensHit(LensState{xA, rA, xB, rB}, dx, dy, x0, y0, StartClasses::singleRay);
    kind = hit.eidos;
    return hit;
}

void aktinamoni(Surface& surface, const Diaphragm& benchDiaphragm, double x0, double y0, double dx, double dy,
                double xA, double xB, double rA, double rB, double n)
{
    drawSingleRay(surface, benchDiaphragm, LensState{xA, rA, xB, rB, n}, x0, y0, dx, dy);
}

void drawSingleRay(Surface& surface, const Diaphragm& benchDiaphragm, const LensState& lens, double x0, double y0,
                   double dx, double dy)
{
    const ReflectingRayPath path =
        traceRayReflecting(surface, benchDiaphragm, lens, x0, y0, dx, dy, StartClasses::singleRay);
    int drawn = 0;
    for (; drawn < path.count; ++drawn) {
        const RayLeg& leg = path.legs[static_cast<std::size_t>(drawn)];
        // A blade in the view stops the ray before this leg is drawn; one whose crossing lies beyond the view
        // (a ray that leaves the view first, as a vertical one does) does not.
        if (leg.end == LegEnd::blade && !leg.bladeBeyondView)
            break;
        surface.Line(leg.x1, leg.y1, leg.x2, leg.y2, waveColours::singleRay);
    }
    // The reflections are marked over the legs, so that the legs leaving them do not hide them.
    bool labelled = false;
    for (int i = 0; i < drawn; ++i) {
        const RayLeg& leg = path.legs[static_cast<std::size_t>(i)];
        if (!leg.reflected)
            continue;
        surface.Circle(leg.x2, leg.y2, reflectionMarkRadius, reflectionMark);
        if (!labelled)
            printBeside(surface, leg.x2, leg.y2, reflectionMarkRadius, reflectionLabel);
        labelled = true;
    }
}

} // namespace lens::waves
