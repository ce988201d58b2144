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
    EXPECT_EQ(rim.x2, rim.x1);
    EXPECT_NEAR(rim.y1, 87.4118, 5e-5);
    EXPECT_NEAR(rim.y2, -87.4118, 5e-5);
    EXPECT_NEAR(estiakiapostasi(100, 90, 1.5).value_or(0.0), 94.7368, 5e-5);
    // Below index 1 the lens diverges.
    EXPECT_LT(estiakiapostasi(100, 90, 0.4).value_or(0.0), 0.0);
}

TEST(LensGeometry, FocalLengthHasNoValueWithoutPower)
{
    EXPECT_FALSE(estiakiapostasi(100, 90, 1.0).has_value());
    EXPECT_FALSE(estiakiapostasi(100, 0, 1.5).has_value());
    EXPECT_FALSE(estiakiapostasi(0, 90, 1.5).has_value());
    EXPECT_FALSE(estiakiapostasi(100, -100, 1.5).has_value()); // equal and opposite curvatures
}

struct CirclePair {
    const char* name;
    double xA, xB, rA, rB;
    bool meet;
};

TEST(LensGeometry, CircleIntersections)
{
    const CirclePair table[] = {
        {"default lens", -50, 20, 100, 90, true},
        {"same centre", 20, 20, 100, 90, false},
        {"one disc inside the other", -50, -40, 100, 20, false},
        {"radiusB zero", -50, 20, 100, 0, false},
        {"apart", -500, 500, 100, 100, false},
        {"tangent from outside", 0, 150, 100, 50, true},
        {"large radii", -400, 300, 500, 400, true},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        const SimeiaTomis r = tomikyklon(row.xA, row.xB, row.rA, row.rB);
        ASSERT_EQ(r.yparxei, row.meet);
        if (!row.meet) {
            EXPECT_EQ(r.x1, 0);
            EXPECT_EQ(r.y1, 0);
            EXPECT_EQ(r.x2, 0);
            EXPECT_EQ(r.y2, 0);
            continue;
        }
        EXPECT_GE(r.y1, 0); // the upper point first
        EXPECT_EQ(r.y2, -r.y1);
        EXPECT_NEAR(apostasi(r.x1, r.y1, row.xA, 0), row.rA, 1e-9);
        EXPECT_NEAR(apostasi(r.x1, r.y1, row.xB, 0), row.rB, 1e-9);
        // The form relative to the first centre finds the same points.
        const SimeiaTomis rel = tomikyklonschetiki(row.xB - row.xA, row.rA, row.rB);
        ASSERT_TRUE(rel.yparxei);
        EXPECT_NEAR(rel.x1 + row.xA, r.x1, 1e-9);
        EXPECT_NEAR(std::fabs(rel.y1), r.y1, 1e-6);
    }
}

TEST(LensGeometry, RelativeIntersectionWithoutDistanceHasNoPoints)
{
    // Equal circles about one centre would divide 0 by 0.
    for (const double r2 : {100.0, 90.0, 0.0}) {
        const SimeiaTomis r = tomikyklonschetiki(0, 100, r2);
        EXPECT_FALSE(r.yparxei);
        EXPECT_EQ(r.x1, 0);
        EXPECT_EQ(r.y1, 0);
    }
}

TEST(LensGeometry, ArcsineDomain)
{
    EXPECT_EQ(toxoimitono(1).value(), pi / 2);
    EXPECT_EQ(toxoimitono(-1).value(), -pi / 2);
    EXPECT_FALSE(toxoimitono(1.0000001).has_value());
    EXPECT_FALSE(toxoimitono(-1.0000001).has_value());
    EXPECT_FALSE(toxoimitono(nan).has_value());
    EXPECT_NEAR(toxoimitono(0.5).value(), pi / 6, 1e-15);
    EXPECT_NEAR(toxoimitono(-0.999999).value(), std::asin(-0.999999), 1e-12);
}

TEST(LensGeometry, LineAndCircle)
{
    // A horizontal line through the centre: larger x first whichever way the ray runs.
    for (const double dx : {1.0, -1.0}) {
        const SimeiaTomis r = tomieytheiaskyklou(-50, 0, 100, dx, 0, -200, 0);
        ASSERT_TRUE(r.yparxei);
        EXPECT_NEAR(r.x1, 50, 1e-12);
        EXPECT_NEAR(r.x2, -150, 1e-12);
        EXPECT_NEAR(r.y1, 0, 1e-12);
    }
    // A line that touches the circle misses it and returns its start.
    const SimeiaTomis touch = tomieytheiaskyklou(0, 0, 100, 1, 0, -300, 100);
    EXPECT_FALSE(touch.yparxei);
    EXPECT_EQ(touch.x1, -300);
    EXPECT_EQ(touch.y1, 100);
    EXPECT_EQ(touch.x2, -300);
    EXPECT_EQ(touch.y2, 100);
    // A vertical tangent: all zero.
    const SimeiaTomis vtouch = tomieytheiaskyklou(0, 0, 100, 0, 1, 100, -300);
    EXPECT_FALSE(vtouch.yparxei);
    EXPECT_EQ(vtouch.x1, 0);
    EXPECT_EQ(vtouch.y1, 0);
    // A point circle is never met.
    EXPECT_FALSE(tomieytheiaskyklou(0, 0, 0, 1, 1, -10, -10).yparxei);
}

TEST(LensGeometry, NearlyVerticalLineMeetsCircleWhereVerticalLineDoes)
{
    // cos(π/2) is 6e-17, not 0: a beam at 90° must still find the circle where a vertical line does.
    const SimeiaTomis vertical = tomieytheiaskyklou(20, 0, 90, 0, 1, 0, -200);
    const SimeiaTomis almost = tomieytheiaskyklou(20, 0, 90, std::cos(pi / 2), 1, 0, -200);
    ASSERT_TRUE(vertical.yparxei);
    ASSERT_TRUE(almost.yparxei);
    EXPECT_NEAR(almost.x1, 0, 1e-9);
    EXPECT_NEAR(almost.x2, 0, 1e-9);
    EXPECT_NEAR(std::fmax(almost.y1, almost.y2), std::sqrt(90.0 * 90 - 400), 1e-9);
    EXPECT_NEAR(std::fmin(almost.y1, almost.y2), -std::sqrt(90.0 * 90 - 400), 1e-9);
}

TEST(LensGeometry, UnitVectorsAndAngles)
{
    const Monadiaio n = monadiaio(30, 40, 0, 0, 50);
    EXPECT_FLOAT_EQ(n.ux, 0.6f);
    EXPECT_FLOAT_EQ(n.uy, 0.8f);
    const Monadiaio none = monadiaio(30, 40, 0, 0, 0);
    EXPECT_EQ(none.ux, 0.0f);
    EXPECT_EQ(none.uy, 0.0f);
    EXPECT_FALSE(gonia(0, 0, 1, 0).has_value());
    EXPECT_FALSE(gonia(1, 0, 0, 0).has_value());
    // Against the tangent (0, -1) of the circle at (100, 0): the angle of incidence from the normal, signed.
    EXPECT_NEAR(gonia(std::cos(0.3), -std::sin(0.3), 0, -1).value(), 0.3, 1e-12);
    EXPECT_NEAR(gonia(std::cos(0.3), std::sin(0.3), 0, -1).value(), -0.3, 1e-12);
}

TEST(LensGeometry, RelativeIndexGoingInAndOut)
{
    EXPECT_EQ(schetikosdeiktis(-1, 0, 100, 0, 0, 0, 100, 1.5), 1.5);
    EXPECT_DOUBLE_EQ(schetikosdeiktis(1, 0, 100, 0, 0, 0, 100, 1.5), 1 / 1.5);
    EXPECT_DOUBLE_EQ(schetikosdeiktis(0, 1, 100, 0, 0, 0, 100, 1.5), 1 / 1.5); // along the tangent
    EXPECT_EQ(schetikosdeiktis(1, 0, 100, 0, 0, 0, 100, 0), 0.0);
}

TEST(Refraction, NormalIncidenceGoesStraightOn)
{
    for (const double sign : {1.0, -1.0}) {
        const Diathlasi d = diathlasi(sign, 0, 100, 0, 0, 0, 100, 1.5);
        ASSERT_TRUE(d.egine);
        EXPECT_FLOAT_EQ(d.dx, static_cast<float>(sign));
        EXPECT_FLOAT_EQ(d.dy, 0.0f);
    }
}

TEST(Refraction, GrazingIncidenceGivesScaledTangent)
{
    // Along the tangent at (100, 0) of a circle about the origin, into a medium of relative index 1/0.8:
    // the angle of refraction is asin(0.8), and the result is the tangent times 0.8, not a unit vector.
    const Diathlasi d = diathlasi(0, -1, 100, 0, 0, 0, 100, 0.8);
    ASSERT_TRUE(d.egine);
    EXPECT_FLOAT_EQ(d.dx, 0.0f);
    EXPECT_FLOAT_EQ(d.dy, -0.8f);
    // With index 1.5 the same grazing ray counts as leaving the glass and is reflected.
    EXPECT_FALSE(diathlasi(0, -1, 100, 0, 0, 0, 100, 1.5).egine);
}

struct SnellCase {
    double incidence; // radians from the normal
    bool goingIn;
    double n;
};

TEST(Refraction, SnellsLawAndTotalReflection)
{
    // A circle about the origin, radius 100, met at (100, 0): outward normal (1, 0), tangent (0, −1).
    const SnellCase table[] = {
        {0.1, true, 1.5},  {0.7, true, 1.5},  {1.4, true, 1.5},  {-0.9, true, 1.5}, {0.2, false, 1.5},
        {0.6, false, 1.5}, {0.8, false, 1.5}, {-0.3, false, 2.5}, {0.5, false, 2.5}, {0.5, true, 0.6},
        {0.3, false, 0.6}, {1.2, false, 0.6},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(testing::Message() << row.incidence << (row.goingIn ? " in " : " out ") << row.n);
        const double nx = row.goingIn ? -1 : 1; // the normal component along the travel
        const double dx = nx * std::cos(row.incidence), dy = std::sin(row.incidence);
        const Diathlasi d = diathlasi(dx, dy, 100, 0, 0, 0, 100, row.n);
        const double n1 = row.goingIn ? 1 : row.n, n2 = row.goingIn ? row.n : 1;
        const double sin2 = n1 * std::sin(std::fabs(row.incidence)) / n2;
        if (sin2 > 1) {
            EXPECT_FALSE(d.egine);
            EXPECT_EQ(d.dx, 0.0f);
            EXPECT_EQ(d.dy, 0.0f);
            continue;
        }
        ASSERT_TRUE(d.egine);
        const double len = std::hypot(d.dx, d.dy);
        EXPECT_NEAR(len, 1, 1e-6);
        EXPECT_NEAR(n1 * std::fabs(std::sin(row.incidence)), n2 * std::fabs(d.dy) / len, 1e-6);
        EXPECT_GT(d.dx * nx, 0);                        // transmitted, not reflected
        EXPECT_GE(d.dy * row.incidence, 0);             // stays on the tangent's side it came from
    }
}

TEST(Refraction, DegenerateInputsGiveNoDirection)
{
    EXPECT_FALSE(diathlasi(1, 0, 0, 0, 0, 0, 0, 1.5).egine);     // a circle of radius 0
    EXPECT_FALSE(diathlasi(0, 0, 100, 0, 0, 0, 100, 1.5).egine); // no direction
    EXPECT_FALSE(diathlasi(-1, 0, 100, 0, 0, 0, 100, 0).egine);  // no index
    EXPECT_FALSE(diathlasi(nan, 0, 100, 0, 0, 0, 100, 1.5).egine);
}

TEST(ViewExit, EdgesAndCorners)
{
    BenchSurface b;
    const double L = b.left(), R = b.right(), T = b.top(), B = b.bottom();
    struct Row {
        const char* name;
        double x0, y0, dx, dy, ex, ey;
    };
    const Row table[] = {
        {"right", 0, 0, 1, 0, R, 0},
        {"left", 0, 10, -1, 0, L, 10},
        {"up", 5, 0, 0, 1, 5, T},
        {"down", 5, 0, 0, -1, 5, B},
        {"right edge first", 0, 0, 1, 0.1, R, 0.1 * R},
        {"top edge first", 0, 0, 0.5, 1, 0.5 * T, T},
        {"bottom left", 0, 0, -1, -0.01, L, 0.01 * L},
        {"corner keeps the side edge", 0, 0, R, T, R, T},
        {"zero direction stays", 12, -7, 0, 0, 12, -7},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        const Simeio e = akriothonis(b.surface, row.x0, row.y0, row.dx, row.dy);
        EXPECT_NEAR(e.x, row.ex, 1e-3);
        EXPECT_NEAR(e.y, row.ey, 1e-3);
    }
    // Aimed exactly at the top right corner from a point where the two edges tie: the side edge is chosen.
    const Simeio corner = akriothonis(b.surface, R - 100, T - 100, 1, 1);
    EXPECT_FLOAT_EQ(corner.x, static_cast<float>(R));
    EXPECT_FLOAT_EQ(corner.y, static_cast<float>(T));
}

TEST(DiaphragmCrossing, InsideAndOutsideTheOpening)
{
    // Through the opening: the record holds the start.
    const Perasma through = perasma(0, 20, -20, -200, 0, 1, 0.05);
    EXPECT_FALSE(through.ektos);
    EXPECT_FLOAT_EQ(through.x, -200.0f);
    // Above the upper tip and below the lower tip.
    const Perasma above = perasma(0, 20, -20, -200, 0, 1, 0.2);
    EXPECT_TRUE(above.ektos);
    EXPECT_FLOAT_EQ(above.x, 0.0f);
    EXPECT_FLOAT_EQ(above.y, 40.0f);
    const Perasma below = perasma(0, 20, -20, 100, 0, -1, -0.3);
    EXPECT_TRUE(below.ektos);
    EXPECT_FLOAT_EQ(below.y, -30.0f);
    // A vertical ray is judged by its start's height.
    EXPECT_TRUE(perasma(0, 20, -20, 50, 30, 0, 1).ektos);
    EXPECT_FALSE(perasma(0, 20, -20, 50, 10, 0, 1).ektos);
    // A crossing too far away to draw counts as no crossing rather than an infinite point.
    const Perasma far = perasma(0, 20, -20, -200, 0, 1e-300, 1e300);
    EXPECT_TRUE(std::isfinite(far.y));
}

} // namespace
} // namespace lens::spherical
