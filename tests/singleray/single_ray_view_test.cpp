#include "singleray/single_ray_view.h"
#include "surface/recording_device.h"
#include "waves/single_ray.h"
#include "waves/bench_scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

using namespace lens;
using namespace lens::singleray;

namespace {

struct View {
    RecordingDevice device{1920, 1080};
    Surface s{device};
    View() { s.Scale(-600 * 1920 / 3000.0, 600 * 1080 / 3000.0, 600 * 1920 / 3000.0, -600 * 1080 / 3000.0); }
};

} // namespace

TEST(SingleRayView, TheDefaultLensItsRimAndFoci)
{
    View v;
    sxediasifakoy(v.s, 90, 100, 0, 100, 1.5);
    std::vector<double> foci;
    for (const auto& e : v.device.ellipses)
        if (e.pen.colour == RGB(255, 0, 0))
            foci.push_back(v.s.userX(e.cx));
    ASSERT_EQ(foci.size(), 2u);
    EXPECT_NEAR(foci[0], 40.5 - 94.7368, 0.01);
    EXPECT_NEAR(foci[1], 40.5 + 94.7368, 0.01);

    // The rim's heights are drawn as two black lines, and a ray aimed straight up from the source
    // leaves it vertically.
    View ray;
    miaaktina(ray.s, viewLens(ViewControls{}), spherical::Diaphragm{0, 1e4, -1e4}, -300, -100, -300, -100, -300, 50);
    const auto rims = ray.device.segmentsIn(colours::black);
    ASSERT_EQ(rims.size(), 2u);
    EXPECT_NEAR(std::fabs(ray.s.userY(rims[0].y1)), 80.37, 0.01);
    const auto legs = ray.device.segmentsIn(waves::waveColours::singleRay);
    ASSERT_FALSE(legs.empty());
    EXPECT_NEAR(legs[0].x1, legs[0].x2, 1e-6);
    EXPECT_LT(legs[0].y2, legs[0].y1); // upwards on the screen
}

TEST(SingleRayView, ARayTotallyReflectedInTheGlassIsFollowedByTheLawsOfReflectionAndRefraction)
{
    // Rays on the view's default lens (and one on a lens at the view's right edge, for the label), each checked
    // at every point where two drawn legs meet: a marked point reflects by the law of reflection and the
    // reflected leg stays in the glass; every other point refracts by Snell's law.
    struct Row {
        const char* name;
        double x0, y0, degrees, n;
        int reflections;
        ViewControls lens = {};
    };
    const Row rows[] = {
        {"along the axis: no reflection", -300, 0, 0, 1.5, 0},
        {"from the lower left, once", -300, -100, 7.38, 1.5, 1},
        {"from the lower left, four times", -300, -100, 6.69, 1.5, 4},
        {"from within the glass, nine times", 45, 60, 209.553, 1.5, 9},
        {"from the left into dense glass, once", -200, 0, 13.432, 2.0, 1},
        {"from within dense glass, three times", 45, 0, 103.317, 2.0, 3},
        {"from within dense glass, eleven times", 60, -40, 260.373, 2.0, 11},
        {"caught in dense glass: ends at the bound", 45, 0, 94.0, 2.0, spherical::maxInternalReflections},
        {"near the view's right edge: labelled on the left", 370, 0, 40, 2.0, 1, {380, 100, 460, 200}},
    };
    const spherical::Diaphragm open{0, 1e4, -1e4};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        View v;
        ViewControls c = row.lens;
        c.deiktisdiathlasis = static_cast<int>(std::lround(row.n * 100));
        const double t = row.degrees * std::numbers::pi / 180;
        miaaktina(v.s, viewLens(c), open, row.x0, row.y0, row.x0, row.y0, row.x0 + 100 * std::cos(t),
                  row.y0 + 100 * std::sin(t));
        const double rA = c.aktina1, xB = c.kentrokykloy, rB = c.aktina2;
        struct P { double x, y; };
        std::vector<std::pair<P, P>> legs;
        for (const auto& s : v.device.segmentsIn(waves::waveColours::singleRay))
            legs.push_back({{v.s.userX(s.x1), v.s.userY(s.y1)}, {v.s.userX(s.x2), v.s.userY(s.y2)}});
        std::vector<P> marks;
        for (const auto& e : v.device.ellipses)
            if (e.pen.colour == waves::reflectionMark)
                marks.push_back({v.s.userX(e.cx), v.s.userY(e.cy)});
        ASSERT_EQ(marks.size(), std::size_t(row.reflections));
        ASSERT_GE(legs.size(), std::size_t(row.reflections) + 1);

        const double onFace = 1e-7 * std::max(rA, rB); // the lens search's rounding
        auto inGlass = [&](P p) {
            return std::hypot(p.x, p.y) <= rA + onFace && std::hypot(p.x - xB, p.y) <= rB + onFace;
        };
        auto unit = [](P a, P b) {
            const double l = std::hypot(b.x - a.x, b.y - a.y);
            return P{(b.x - a.x) / l, (b.y - a.y) / l};
        };
        // The outward unit normal of the face (x, y) lies on.
        auto normal = [&](P at) {
            const double offA = std::fabs(std::hypot(at.x, at.y) - rA);
            const double offB = std::fabs(std::hypot(at.x - xB, at.y) - rB);
            EXPECT_LT(std::min(offA, offB), onFace);
            const double xc = offA < offB ? 0 : xB, r = std::hypot(at.x - xc, at.y);
            return P{(at.x - xc) / r, at.y / r};
        };
        int reflections = 0, refractions = 0;
        for (std::size_t i = 0; i + 1 < legs.size(); ++i) {
            const P at = legs[i].second, u = unit(legs[i].first, at), w = unit(at, legs[i + 1].second);
            ASSERT_NEAR(legs[i + 1].first.x, at.x, 1e-9);
            ASSERT_NEAR(legs[i + 1].first.y, at.y, 1e-9);
            ASSERT_TRUE(inGlass(at));
            const P nrm = normal(at);
            const double un = u.x * nrm.x + u.y * nrm.y, wn = w.x * nrm.x + w.y * nrm.y;
            const bool marked = std::any_of(marks.begin(), marks.end(),
                                            [&](P m) { return std::hypot(m.x - at.x, m.y - at.y) < 1e-9; });
            if (marked) {
                ++reflections;
                EXPECT_GT(un, 0) << "reflected on the way out of the glass, at leg " << i;
                EXPECT_NEAR(w.x, u.x - 2 * un * nrm.x, 1e-6) << i;
                EXPECT_NEAR(w.y, u.y - 2 * un * nrm.y, 1e-6) << i;
                EXPECT_TRUE(inGlass(legs[i + 1].second)) << "the reflected leg leaves the glass, leg " << i;
            } else {
                ++refractions;
                const bool goingIn = un < 0;
                const double sinIn = u.x * nrm.y - u.y * nrm.x, sinOut = w.x * nrm.y - w.y * nrm.x;
                EXPECT_NEAR((goingIn ? 1 : row.n) * sinIn, (goingIn ? row.n : 1) * sinOut, 1e-6) << i;
                EXPECT_GT(un * wn, 0) << "the ray crosses the face, at leg " << i;
            }
        }
        EXPECT_EQ(reflections, row.reflections);
        const P end = legs.back().second;
        if (row.reflections == spherical::maxInternalReflections) {
            // Still caught in the glass after the last reflection followed: the ray ends on a face it meets
            // beyond the critical angle.
            EXPECT_TRUE(inGlass(end));
            const P u = unit(legs.back().first, end), nrm = normal(end);
            EXPECT_GT(std::fabs(u.x * nrm.y - u.y * nrm.x), 1 / row.n);
        } else {
            // Out of the glass and on to the view's edge.
            EXPECT_GE(refractions, 1);
            EXPECT_FALSE(inGlass(end));
            EXPECT_NEAR(std::min({end.x - v.s.ScaleLeft(), v.s.ScaleLeft() + v.s.ScaleWidth() - end.x,
                                  v.s.ScaleTop() - end.y, end.y - v.s.ScaleTop() - v.s.ScaleHeight()}),
                        0, 1e-6);
        }

        // The words stand beside the first reflection, whole on the picture (at most 6.5 pixels a character
        // in the sans faces of the view's 10-point font), clear of the mark.
        if (row.reflections == 0) {
            EXPECT_TRUE(v.device.texts.empty());
            continue;
        }
        ASSERT_EQ(v.device.texts.size(), 1u);
        const auto& text = v.device.texts[0];
        EXPECT_EQ(text.text, "ολική ανάκλαση / total internal reflection");
        const double width = 6.5 * 42, markX = v.s.pixelX(marks[0].x), markY = v.s.pixelY(marks[0].y);
        EXPECT_GE(text.x, 0);
        EXPECT_LE(text.x + width, v.device.width());
        const double markRadius = std::fabs(v.s.ScaleX(waves::reflectionMarkRadius));
        EXPECT_TRUE(markX + markRadius < text.x || markX - markRadius > text.x + width) << "the label covers its mark";
        EXPECT_GE(markY, text.y - 20);
        EXPECT_LE(markY, text.y + 40);
        EXPECT_EQ(text.x < markX, row.lens.aktina1 != ViewControls{}.aktina1);
    }
}
