#include "waves/cardinal_points.h"
#include "surface/recording_device.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lens;
using namespace lens::waves;

namespace {

// The bench's view of a 1920 × 1080 client area.
struct Bench {
    RecordingDevice device{1920, 1080};
    Surface s{device};
    spherical::LensState lens;
    spherical::BenchControls controls;
    Bench() { s.Scale(-600 * 1920 / 3000.0, 600 * 1080 / 3000.0, 600 * 1920 / 3000.0, -600 * 1080 / 3000.0); }
};

// Where a ray travelling parallel to the axis at height h, traced through the real lens, crosses
// the axis after it, coming from x = −350 or from x = 350; NaN when it does not come through.
double axisCrossing(Bench& b, double h, bool fromLeft)
{
    const spherical::Diaphragm open{0, 1e4, -1e4};
    const spherical::RayPath path =
        spherical::traceRay(b.s, open, b.lens, fromLeft ? -350 : 350, h, fromLeft ? 1 : -1, 0);
    if (path.count < 3)
        return NAN;
    const spherical::RayLeg& last = path.legs[static_cast<std::size_t>(path.count - 1)];
    return last.x1 - last.y1 * last.dx / last.dy;
}

} // namespace

// The focal points are where paraxial rays traced through the glass really cross the axis.
TEST(CardinalPoints, FocalPointsAreWhereTracedRaysMeetTheAxis)
{
    struct Case {
        double xA, rA, xB, rB, n;
    } cases[] = {{-50, 100, 20, 90, 1.5}, {-60, 100, 60, 100, 1.5}, {-80, 150, 40, 80, 2.0}, {-50, 100, 20, 90, 1.2}};
    for (const Case& c : cases) {
        Bench b;
        b.lens = {c.xA, c.rA, c.xB, c.rB, c.n};
        const CardinalPoints p = cardinalpointsof(withIndex(b.lens, c.n));
        SCOPED_TRACE(testing::Message() << c.xA << " " << c.rA << " " << c.xB << " " << c.rB << " " << c.n);
        ASSERT_TRUE(p.F1 && p.F2);
        EXPECT_NEAR(*p.F2, axisCrossing(b, 0.05, true), 0.01);
        EXPECT_NEAR(*p.F1, axisCrossing(b, 0.05, false), 0.01);
        if (c.rA == c.rB && c.xA + c.xB == 0) { // a symmetric lens: principal points symmetric about its centre
            EXPECT_NEAR(*p.H1 - p.c, p.c - *p.H2, 1e-9);
        }
    }
    const CardinalPoints standard = cardinalpointsof(spherical::LensState{});
    EXPECT_NEAR(*standard.H1, -22, 1e-9);
    EXPECT_NEAR(*standard.H2, -10.0 / 3, 1e-9);
    EXPECT_NEAR(*standard.F1, -142, 1e-9);
    EXPECT_NEAR(*standard.F2, 116.6667, 1e-4);
}

// What is drawn: the marks at the cardinal points, the labels, and the image cross of the thick
// construction where Newton's lens equation puts the image.
TEST(CardinalPoints, MarksLabelsAndTheImageWhereNewtonPutsIt)
{
    Bench b;
    const double xs = -300, ys = 30;
    cardinalpoints(b.s, b.lens, b.controls, xs, ys);
    const CardinalPoints p = cardinalpointsof(b.lens);
    auto dotAt = [&](double x, Rgb colour) {
        for (const auto& d : b.device.dots)
            if (d.pen.colour == colour && d.pen.width == 15 && std::fabs(d.x - b.s.pixelX(x)) < 0.5 &&
                std::fabs(d.y - b.s.pixelY(0)) < 0.5)
                return true;
        return false;
    };
    EXPECT_TRUE(dotAt(*p.F1, cardinalColours::focal));
    EXPECT_TRUE(dotAt(*p.F2, cardinalColours::focal));
    EXPECT_TRUE(dotAt(*p.N1, cardinalColours::nodal));
    EXPECT_TRUE(dotAt(*p.N2, cardinalColours::nodal));
    ASSERT_EQ(b.device.texts.size(), 6u);
    EXPECT_EQ(b.device.texts[0].text, "H1");
    EXPECT_NEAR(b.device.texts[0].x, b.s.pixelX(*p.H1), 0.5);
    EXPECT_EQ(b.device.texts[5].text, "N2");

    const double z = *p.F1 - xs, f = *p.f;
    const double xi = *p.F2 + f * f / z, yi = -ys * f / z;
    const auto cross = b.device.segmentsIn(cardinalColours::image);
    ASSERT_EQ(cross.size(), 2u);
    EXPECT_NEAR(b.s.userX((cross[0].x1 + cross[0].x2) / 2), xi, 1e-3);
    EXPECT_NEAR(b.s.userY((cross[0].y1 + cross[0].y2) / 2), yi, 1e-3);
    EXPECT_EQ(b.s.DrawWidth, 1);
    EXPECT_EQ(b.s.FontSize, 10);
}

TEST(CardinalPoints, AVirtualImageOnTheSourceSide)
{
    Bench b;
    const CardinalPoints p = cardinalpointsof(b.lens);
    const double xs = p.c - *p.f0 / 2, ys = 10; // inside the front focal length
    thinlensimage(b.s, b.lens, b.controls, xs, ys);
    std::vector<RecordingDevice::Segment> cross;
    for (const auto& seg : b.device.segments)
        if (seg.pen.width == 3)
            cross.push_back(seg);
    ASSERT_EQ(cross.size(), 2u);
    const double xi = b.s.userX((cross[0].x1 + cross[0].x2) / 2);
    const double yi = b.s.userY((cross[0].y1 + cross[0].y2) / 2);
    EXPECT_LT(xi, xs);        // left of the source: a virtual image
    EXPECT_NEAR(yi, 2 * ys, 1e-3); // magnified twice, upright
}

// Sources and indices that leave a construction undefined draw what is defined and nothing else.
TEST(CardinalPoints, UndefinedConstructionsDrawOnlyNumbers)
{
    const CardinalPoints p = cardinalpointsof(spherical::LensState{});
    struct Case {
        int index;
        double xs, ys;
    } cases[] = {{100, -200, 20}, {150, p.c, 20}, {150, *p.F1, 20}, {150, p.c - *p.f0, 20},
                 {150, *p.H1, 0},  {40, -200, 20}, {250, 1e300, -1e300}, {150, NAN, 5}};
    for (const Case& c : cases) {
        Bench b;
        b.controls.deiktisdiathlasis = c.index;
        cardinalpoints(b.s, b.lens, b.controls, c.xs, c.ys);
        SCOPED_TRACE(testing::Message() << c.index << " " << c.xs << " " << c.ys);
        for (const auto& seg : b.device.segments)
            EXPECT_TRUE(std::isfinite(seg.x1 + seg.y1 + seg.x2 + seg.y2));
        for (const auto& d : b.device.dots)
            EXPECT_TRUE(std::isfinite(d.x + d.y));
        for (const auto& t : b.device.texts)
            EXPECT_TRUE(std::isfinite(t.x + t.y));
    }
    Bench flat; // n = 1: no focal points, and the thin lens leaves the image at the source
    flat.controls.deiktisdiathlasis = 100;
    cardinalpoints(flat.s, flat.lens, flat.controls, -200, 20);
    EXPECT_TRUE(flat.device.segmentsIn(cardinalColours::thick).empty());
    EXPECT_TRUE(flat.device.texts.empty());
}

// The labels of points close together on the axis (H1 and H2, N1 and N2 of the bench's lens) stay
// apart, and clear of the band the window's controls hide, at every text size of the projector view, on a
// 1366 × 768 display as on a 1920 × 1080 one.
TEST(CardinalPoints, LabelsNeverOverlapAtAnyTextScale)
{
    for (const auto& [w, h] : {std::pair{1366, 768}, std::pair{1920, 1080}})
        for (int scale = 1; scale <= 3; ++scale) {
            SCOPED_TRACE(testing::Message() << w << "x" << h << " at " << scale << "x");
            RecordingDevice device(w, h);
            Surface s(device);
            const double S = w + h;
            s.Scale(-600 * w / S, 600 * h / S, 600 * w / S, -600 * h / S);
            s.TextScale = scale;
            const Surface::PixelBox controls{0, 0, double(w), 110.0 * scale}; // reaches below y = 150 at 3×
            s.covered = {controls};
            spherical::LensState lens;
            cardinalpoints(s, lens, {}, -300, 30);
            ASSERT_EQ(device.texts.size(), 6u);
            for (std::size_t i = 0; i < device.texts.size(); ++i) {
                const auto& a = device.texts[i];
                const Device::TextExtent ea = device.textExtent(a.text, a.font);
                EXPECT_GE(a.y, controls.bottom) << a.text << " under the controls";
                for (std::size_t j = 0; j < i; ++j) {
                    const auto& b = device.texts[j];
                    const Device::TextExtent eb = device.textExtent(b.text, b.font);
                    const double touch = 1e-6; // boxes one line apart may meet, up to rounding
                    const bool apart = a.x + ea.width <= b.x + touch || b.x + eb.width <= a.x + touch ||
                                       a.y + ea.height <= b.y + touch || b.y + eb.height <= a.y + touch;
                    EXPECT_TRUE(apart) << a.text << " over " << b.text;
                }
            }
        }
}
