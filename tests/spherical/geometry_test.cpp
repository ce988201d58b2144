#include "spherical/spherical_lens.h"

#include "bench_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace lens::spherical {
namespace {

using benchtest::BenchSurface;
constexpr double pi = std::numbers::pi;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST(LensGeometry, DefaultLensRimAndFocalLength)
{
    const SimeiaTomis rim = tomikyklon(-50, 20, 100, 90);
    ASSERT_TRUE(rim.yparxei);
    EXPECT_NEAR(rim.x1, -1.4286, 5e-5);
    EXPECT_NEAR(rim.y1, 87.4118, 5e-5);
    EXPECT_NEAR(rim.y2, -87.4118, 5e-5);
    EXPECT_NEAR(estiakiapostasi(100, 90, 1.5).value_or(0.0), 94.7368, 5e-5);
    EXPECT_LT(estiakiapostasi(100, 90, 0.4).value_or(0.0), 0.0); // below index 1 the lens diverges
    EXPECT_FALSE(estiakiapostasi(100, 90, 1.0).has_value());
    EXPECT_FALSE(estiakiapostasi(100, 0, 1.5).has_value());
    EXPECT_FALSE(estiakiapostasi(100, -100, 1.5).has_value()); // equal and opposite curvatures
}

TEST(LensGeometry, CircleIntersections)
{
    struct Row {
        const char* name;
        double xA, xB, rA, rB;
        bool meet;
    };
    const Row table[] = {
        {"default lens", -50, 20, 100, 90, true},        {"same centre", 20, 20, 100, 90, false},
        {"one disc inside the other", -50, -40, 100, 20, false}, {"radiusB zero", -50, 20, 100, 0, false},
        {"tangent from outside", 0, 150, 100, 50, true}, {"large radii", -400, 300, 500, 400, true},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        const SimeiaTomis r = tomikyklon(row.xA, row.xB, row.rA, row.rB);
        const SimeiaTomis rel = tomikyklonschetiki(row.xB - row.xA, row.rA, row.rB);
        ASSERT_EQ(r.yparxei, row.meet);
        ASSERT_EQ(rel.yparxei, row.meet);
        if (!row.meet) {
            EXPECT_TRUE(r.x1 == 0 && r.y1 == 0 && r.x2 == 0 && r.y2 == 0);
            continue;
        }
        EXPECT_GE(r.y1, 0); // the upper point first
        EXPECT_NEAR(apostasi(r.x1, r.y1, row.xA, 0), row.rA, 1e-9);
        EXPECT_NEAR(apostasi(r.x2, r.y2, row.xB, 0), row.rB, 1e-9);
        EXPECT_NEAR(rel.x1 + row.xA, r.x1, 1e-9);
        EXPECT_NEAR(std::fabs(rel.y1), r.y1, 1e-6);
    }
    // Equal circles about one centre would divide 0 by 0.
    EXPECT_FALSE(tomikyklonschetiki(0, 100, 100).yparxei);
}

TEST(LensGeometry, ArcsineDomain)
{
    EXPECT_EQ(toxoimitono(1).value(), pi / 2);
    EXPECT_EQ(toxoimitono(-1).value(), -pi / 2);
    EXPECT_FALSE(toxoimitono(1.0000001).has_value());
    EXPECT_FALSE(toxoimitono(-1.0000001).has_value());
    EXPECT_FALSE(toxoimitono(nan).has_value());
    EXPECT_NEAR(toxoimitono(0.5).value(), pi / 6, 1e-15);
}

TEST(LensGeometry, LineAndCircle)
{
    for (const double dx : {1.0, -1.0}) { // larger x first whichever way the ray runs
        const SimeiaTomis r = tomieytheiaskyklou(-50, 0, 100, dx, 0, -200, 0);
        ASSERT_TRUE(r.yparxei);
        EXPECT_NEAR(r.x1, 50, 1e-12);
        EXPECT_NEAR(r.x2, -150, 1e-12);
    }
    const SimeiaTomis touch = tomieytheiaskyklou(0, 0, 100, 1, 0, -300, 100); // a tangent misses
    EXPECT_FALSE(touch.yparxei);
    EXPECT_TRUE(touch.x1 == -300 && touch.y1 == 100 && touch.x2 == -300 && touch.y2 == 100);
    EXPECT_FALSE(tomieytheiaskyklou(0, 0, 100, 0, 1, 100, -300).yparxei); // vertical tangent
    EXPECT_FALSE(tomieytheiaskyklou(0, 0, 0, 1, 1, -10, -10).yparxei);    // a point circle

    // cos(π/2) is 6e-17, not 0: a ray at 90° must meet the circle where a vertical line does.
    const SimeiaTomis almost = tomieytheiaskyklou(20, 0, 90, std::cos(pi / 2), 1, 0, -200);
    ASSERT_TRUE(almost.yparxei);
    EXPECT_NEAR(almost.x1, 0, 1e-9);
    EXPECT_NEAR(std::fabs(almost.y1), std::sqrt(90.0 * 90 - 400), 1e-9);
    EXPECT_NEAR(almost.y1 + almost.y2, 0, 1e-9);
}

TEST(Refraction, NormalAndGrazingIncidence)
{
    for (const double sign : {1.0, -1.0}) { // along the normal: straight on
        const Diathlasi d = diathlasi(sign, 0, 100, 0, 0, 0, 100, 1.5);
        ASSERT_TRUE(d.egine);
        EXPECT_FLOAT_EQ(d.dx, static_cast<float>(sign));
        EXPECT_FLOAT_EQ(d.dy, 0.0f);
    }
    // Along the tangent, relative index 1/0.8: the tangent times sin(asin 0.8), not a unit vector.
    const Diathlasi g = diathlasi(0, -1, 100, 0, 0, 0, 100, 0.8);
    ASSERT_TRUE(g.egine);
    EXPECT_FLOAT_EQ(g.dx, 0.0f);
    EXPECT_FLOAT_EQ(g.dy, -0.8f);
    EXPECT_FALSE(diathlasi(0, -1, 100, 0, 0, 0, 100, 1.5).egine); // with 1.5 it counts as leaving: reflected
}

TEST(Refraction, SnellsLawAndTotalReflection)
{
    // Circle about the origin, radius 100, met at (100, 0): outward normal (1, 0).
    struct Row {
        double incidence;
        bool goingIn;
        double n;
    };
    const Row table[] = {{0.1, true, 1.5},   {1.4, true, 1.5},   {-0.9, true, 1.5},  {0.2, false, 1.5},
                         {0.8, false, 1.5},  {-0.3, false, 2.5}, {0.5, false, 2.5},  {0.5, true, 0.6},
                         {1.2, false, 0.6}};
    for (const auto& row : table) {
        SCOPED_TRACE(::testing::Message() << row.incidence << (row.goingIn ? " in " : " out ") << row.n);
        const double along = row.goingIn ? -1 : 1;
        const Diathlasi d =
            diathlasi(along * std::cos(row.incidence), std::sin(row.incidence), 100, 0, 0, 0, 100, row.n);
        const double n1 = row.goingIn ? 1 : row.n, n2 = row.goingIn ? row.n : 1;
        if (n1 * std::sin(std::fabs(row.incidence)) / n2 > 1) {
            EXPECT_FALSE(d.egine);
            EXPECT_TRUE(d.dx == 0 && d.dy == 0);
            continue;
        }
        ASSERT_TRUE(d.egine);
        EXPECT_NEAR(std::hypot(d.dx, d.dy), 1, 1e-6);
        EXPECT_NEAR(n1 * std::fabs(std::sin(row.incidence)), n2 * std::fabs(d.dy), 1e-6);
        EXPECT_GT(d.dx * along, 0);            // transmitted, not reflected
        EXPECT_GE(d.dy * row.incidence, 0);    // on the tangent's side it came from
    }
}

TEST(Refraction, DegenerateInputsGiveNoDirection)
{
    EXPECT_FALSE(diathlasi(1, 0, 0, 0, 0, 0, 0, 1.5).egine);     // radius 0
    EXPECT_FALSE(diathlasi(0, 0, 100, 0, 0, 0, 100, 1.5).egine); // no direction
    EXPECT_FALSE(diathlasi(-1, 0, 100, 0, 0, 0, 100, 0).egine);  // no index
    EXPECT_FALSE(diathlasi(nan, 0, 100, 0, 0, 0, 100, 1.5).egine);
    // A point so far from its circle that the direction overflows single precision: no refraction, not ∞.
    EXPECT_FALSE(diathlasi(-0.6, 0.8, 1e100, 0, 0, 0, 1, 1.5).egine);
    EXPECT_FALSE(gonia(0, 0, 1, 0).has_value());
    const Monadiaio none = monadiaio(30, 40, 0, 0, 0);
    EXPECT_TRUE(none.ux == 0 && none.uy == 0);
}

TEST(ViewExit, CornersAndZeroDirection)
{
    BenchSurface b;
    const double R = b.right(), T = b.top();
    const Simeio side = akriothonis(b.surface, 0, 0, 1, 0.1);
    EXPECT_FLOAT_EQ(side.x, static_cast<float>(R));
    EXPECT_NEAR(side.y, 0.1 * R, 1e-4);
    const Simeio top = akriothonis(b.surface, 0, 0, 0.5, 1);
    EXPECT_NEAR(top.x, 0.5 * T, 1e-4);
    EXPECT_FLOAT_EQ(top.y, static_cast<float>(T));
    // Aimed at the corner, where both edges tie: the side edge's point, which is the corner.
    const Simeio corner = akriothonis(b.surface, R - 100, T - 100, 1, 1);
    EXPECT_FLOAT_EQ(corner.x, static_cast<float>(R));
    EXPECT_FLOAT_EQ(corner.y, static_cast<float>(T));
    const Simeio still = akriothonis(b.surface, 12, -7, 0, 0);
    EXPECT_TRUE(still.x == 12 && still.y == -7);
}

TEST(DiaphragmCrossing, InsideAndOutsideTheOpening)
{
    const Perasma through = perasma(0, 20, -20, -200, 0, 1, 0.05);
    EXPECT_FALSE(through.ektos);
    EXPECT_FLOAT_EQ(through.x, -200.0f); // the record holds the start
    const Perasma above = perasma(0, 20, -20, -200, 0, 1, 0.2);
    EXPECT_TRUE(above.ektos);
    EXPECT_FLOAT_EQ(above.y, 40.0f);
    EXPECT_TRUE(perasma(0, 20, -20, 100, 0, -1, -0.3).ektos);
    EXPECT_TRUE(perasma(0, 20, -20, 50, 30, 0, 1).ektos); // a vertical ray is judged by its height
    EXPECT_FALSE(perasma(0, 20, -20, 50, 10, 0, 1).ektos);
    EXPECT_TRUE(std::isfinite(perasma(0, 20, -20, -200, 0, 1e-300, 1e300).y));
}

} // namespace
} // namespace lens::spherical
