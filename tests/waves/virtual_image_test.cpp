// Virtual images: the constructions and the fan continue the rays that leave the lens back, dashed, to
// the image they seem to come from; a real image draws no such line.
#include "waves/cardinal_points.h"
#include "waves/point_fan.h"
#include "waves/ray_records.h"

#include "wave_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace lens;
using namespace lens::waves;

namespace {

using Segment = RecordingDevice::Segment;

// The paraxial image by the thick-lens equation: the faces' powers, the principal planes, then
// 1/u + 1/v = 1/f from those planes, along the light. Left face on circle B, right face on circle A.
struct Image { double x, y; bool isVirtual; };
Image thickLensImage(const LensState& lens, double xs, double ys, bool thin)
{
    const double n = lens.refindex;
    const double v1 = lens.xcentreB - lens.radiusB, v2 = lens.xcentreA + lens.radiusA, d = thin ? 0 : v2 - v1;
    const double pLeft = (n - 1) / lens.radiusB, pRight = (n - 1) / lens.radiusA;
    const double f = 1 / (pLeft + pRight - d * pLeft * pRight / n);
    const double centre = (v1 + v2) / 2;
    const double h1 = thin ? centre : v1 + f * d * pRight / n, h2 = thin ? centre : v2 - f * d * pLeft / n;
    const bool rightwards = xs < centre;
    const double u = rightwards ? h1 - xs : xs - h2;
    const double v = 1 / (1 / f - 1 / u);
    return {rightwards ? h2 + v : h1 - v, -v / u * ys, v < 0};
}

// The segments drawn in a colour, in user units.
struct UserSegment { double x1, y1, x2, y2; int style; };
std::vector<UserSegment> drawn(const BenchSurface& b, Rgb colour)
{
    std::vector<UserSegment> out;
    for (const Segment& g : b.device.segments)
        if (g.pen.colour == colour)
            out.push_back({b.surface.userX(g.x1), b.surface.userY(g.y1), b.surface.userX(g.x2), b.surface.userY(g.y2),
                           g.pen.style});
    return out;
}

bool near(double x1, double y1, double x2, double y2, double tolerance)
{
    return std::hypot(x1 - x2, y1 - y2) < tolerance;
}

} // namespace

// Each construction decides for itself: its dashed lines continue its own solid rays (they start where a
// solid line of the colour starts and run along it) and all end at its image, the thick one at the image of
// the thick-lens equation, the thin one at that of the thin lens; a real image has none.
TEST(VirtualImages, ConstructionLinesRunBackDashedToTheirOwnImage)
{
    struct Case {
        double n, xs, ys;
        bool thickVirtual, thinVirtual;
    } cases[] = {
        {1.5, -120, 20, true, false}, // between F1 and the thin lens's front focus: the two disagree
        {1.5, -80, 15, true, true},   {0.8, -200, 20, true, true}, // a lens that spreads light
        {1.5, 100, -10, true, false}, // light running leftwards, inside F2
        {1.5, -300, 30, false, false}, {1.5, 250, 30, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n " << c.n << " source " << c.xs << ", " << c.ys);
        BenchSurface b;
        spherical::BenchControls controls;
        controls.deiktisdiathlasis = static_cast<int>(std::lround(c.n * 100));
        const LensState lens = withIndex(LensState{}, c.n);
        cardinalpoints(b.surface, lens, controls, c.xs, c.ys);

        struct Construction { Rgb colour; bool isVirtual; bool thin; };
        for (const Construction& k : {Construction{cardinalColours::thick, c.thickVirtual, false},
                                      Construction{cardinalColours::construction, c.thinVirtual, true}}) {
            const Image image = thickLensImage(lens, c.xs, c.ys, k.thin);
            ASSERT_EQ(image.isVirtual, k.isVirtual) << "the case's own claim";
            std::vector<UserSegment> dashed, solid;
            for (const UserSegment& l : drawn(b, k.colour))
                (l.style == dashedStyle ? dashed : solid).push_back(l);
            ASSERT_EQ(dashed.size(), k.isVirtual ? 3u : 0u) << (k.thin ? "thin" : "thick");
            for (const UserSegment& l : dashed) {
                EXPECT_TRUE(near(l.x2, l.y2, image.x, image.y, 0.05))
                    << "ends at " << l.x2 << ", " << l.y2 << " not at " << image.x << ", " << image.y;
                const bool continues = std::any_of(solid.begin(), solid.end(), [&](const UserSegment& r) {
                    const double across = (r.x2 - r.x1) * (l.y2 - l.y1) - (r.y2 - r.y1) * (l.x2 - l.x1);
                    const double lengths = std::hypot(r.x2 - r.x1, r.y2 - r.y1) * std::hypot(l.x2 - l.x1, l.y2 - l.y1);
                    return near(r.x1, r.y1, l.x1, l.y1, 1e-3) && std::fabs(across) < 1e-5 * lengths;
                });
                EXPECT_TRUE(continues) << "from " << l.x1 << ", " << l.y1;
            }
        }
    }
}

// A fan whose image is virtual: the rays that leave the lens, continued back, cross the axis ever closer to
// the paraxial image as they come nearer the axis; a fan whose image is real draws no dashed line.
TEST(VirtualImages, FanRaysContinuedBackCrossTheAxisNearerTheImageAsTheyNearTheAxis)
{
    // At −120 the image lies beyond the view's left edge, and so do the crossings.
    struct Case { double n, xs, ys; bool isVirtual; } cases[] = {
        {1.5, -100, 0, true}, {0.8, -200, 0, true}, {1.5, -120, 0, true}, {1.5, -100, 20, true},
        {1.5, -300, 0, false}, {1.5, -250, 40, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n " << c.n << " source " << c.xs << ", " << c.ys);
        BenchSurface b;
        RayRecords records;
        BenchScene v = atSource(valuesFor(c.n, open), c.xs, c.ys);
        v.raystep = 0.25;
        fanFromPoint(b.surface, records, v, c.xs, c.ys);
        for (const Segment& g : b.device.segments)
            if (g.pen.style == dashedStyle) {
                EXPECT_EQ(g.pen.colour, spherical::rayColours::free) << "the colour of the ray leaving the lens";
            }
        std::vector<UserSegment> dashed = drawn(b, spherical::rayColours::free);
        std::erase_if(dashed, [](const UserSegment& l) { return l.style != dashedStyle; });
        EXPECT_EQ(dashed.empty(), !c.isVirtual);
        // Each line runs within the view from where its ray leaves the lens back against the light; where it
        // reaches the axis, its error against the paraxial image, by the ray's height at the lens.
        const Image image = thickLensImage(v.lens, c.xs, c.ys, false);
        std::vector<std::pair<double, double>> errors;
        for (const UserSegment& l : dashed) {
            EXPECT_TRUE(b.surface.contains(l.x1, l.y1) && b.surface.contains(l.x2, l.y2));
            EXPECT_LT(l.x2, l.x1);
            if (c.ys == 0 && std::fabs(l.y2) < 1e-3)
                errors.push_back({std::fabs(l.y1), std::fabs(l.x2 - image.x)});
        }
        if (!c.isVirtual || c.ys != 0 || !b.surface.contains(image.x, 0))
            continue;
        std::sort(errors.begin(), errors.end());
        // Near the axis, within a fifth of the rim's height (the rays at the rim go their own way).
        const double paraxial = 0.2 * spherical::tomikyklon(v.lens.xcentreA, v.lens.xcentreB, v.lens.radiusA,
                                                            v.lens.radiusB).y1;
        errors.erase(std::find_if(errors.begin(), errors.end(), [&](const auto& e) { return e.first > paraxial; }),
                     errors.end());
        ASSERT_GT(errors.size(), 10u);
        EXPECT_LT(errors.front().first, 2.0);
        EXPECT_LT(errors.front().second, 0.02);
        for (std::size_t i = 1; i < errors.size(); ++i)
            EXPECT_GE(errors[i].second, errors[i - 1].second - 1e-3) << "at height " << errors[i].first;
        EXPECT_GT(errors.back().second, 20 * errors.front().second);
    }
}
