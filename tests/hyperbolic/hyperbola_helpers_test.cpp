#include "hyperbolic/hyperbolic_lenses.h"
#include "hyperbolic/lens_parts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <string_view>

namespace lens::hyperbolic {
namespace {

constexpr double pi = std::numbers::pi;
const double b15 = 12 * std::sqrt(1.5 * 1.5 - 1);
const double nan = std::numeric_limits<double>::quiet_NaN();

TEST(HyperbolaHelpers, ArcsineAndDistance)
{
    EXPECT_NEAR(arcsine(0.5), pi / 6, 1e-15);
    EXPECT_NEAR(arcsine(-0.5), -pi / 6, 1e-15);
    EXPECT_DOUBLE_EQ(arcsine(1), pi / 2);
    EXPECT_DOUBLE_EQ(arcsine(-1), -pi / 2);
    // Beyond ±1 there is no angle: the nearest one, never a NaN.
    EXPECT_DOUBLE_EQ(arcsine(1.5), pi / 2);
    EXPECT_EQ(arcsine(nan), 0);
    EXPECT_DOUBLE_EQ(pointdistance(0, 0, 3, 4), 5);
    EXPECT_DOUBLE_EQ(pointdistance(3, 4, 0, 0), 5);
}

struct LineCase {
    const char* what;
    double m, k, b, a;
    std::optional<double> far, near;
};

TEST(HyperbolaHelpers, LineCrossings)
{
    const double asym = b15 / 12;
    const LineCase cases[] = {
        {"axis", 0, 0, b15, 12, 12.0, -12.0},
        {"misses both branches", 2, 0, b15, 12, std::nullopt, std::nullopt},
        {"parallel to an asymptote", asym, 5, b15, 12, -(25 + b15 * b15) / (2 * asym * 5),
         -(25 + b15 * b15) / (2 * asym * 5)},
        {"asymptote through the centre", asym, 0, b15, 12, std::nullopt, std::nullopt},
        {"no usable a", 0, 0, b15, 0, std::nullopt, std::nullopt},
        {"NaN slope", nan, 0, b15, 12, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto far = hyperbolalinefar(c.m, c.k, c.b, c.a);
        const auto near = hyperbolalinenear(c.m, c.k, c.b, c.a);
        ASSERT_EQ(far.has_value(), c.far.has_value());
        ASSERT_EQ(near.has_value(), c.near.has_value());
        if (c.far) {
            EXPECT_NEAR(*far, *c.far, 1e-9);
        } else {
            EXPECT_EQ(far.value_or(0.0), 0.0); // an empty result counts as 0
        }
        if (c.near) {
            EXPECT_NEAR(*near, *c.near, 1e-9);
        }
    }
}

TEST(HyperbolaHelpers, CrossingsLieOnTheHyperbolaFarBeyondNear)
{
    for (double m : {-3.0, -1.0, -0.3, 0.0, 0.4, 1.2, 5.0})
        for (double k : {-40.0, -3.0, 0.5, 20.0}) {
            const auto far = hyperbolalinefar(m, k, b15, 12);
            const auto near = hyperbolalinenear(m, k, b15, 12);
            ASSERT_EQ(far.has_value(), near.has_value());
            if (!far)
                continue;
            EXPECT_GE(*far, *near);
            for (double x : {*far, *near}) {
                const double y = m * x + k;
                EXPECT_NEAR(x * x / 144 - y * y / (b15 * b15), 1, 1e-9) << "m " << m << " k " << k;
            }
        }
}

// Far out on the branch the face runs along an asymptote, of slope ±b/a: its normal stays a number.
TEST(HyperbolaHelpers, BranchNormalFarOut)
{
    const HyperbolicLens lens = lensShape(12, 12 * std::sqrt(1.25), 1.5);
    const double huge = std::numeric_limits<double>::max();
    for (const auto& [x, y] : {std::pair{huge, 1.0}, std::pair{-huge, -1.0}, std::pair{1e200, 1e200}}) {
        const auto normal = parts::branchNormal(lens, x, y);
        ASSERT_TRUE(normal.has_value());
        EXPECT_NEAR(std::fabs(std::tan(normal->angle)), lens.a / lens.b, 1e-9) << x;
    }
}

TEST(HyperbolaHelpers, RefractionObeysSnell)
{
    const double n = 1.5;
    for (double phi : {-1.2, -0.4, 0.0, 0.7, 1.4})
        for (double theta : {-1.3, -0.5, 0.0, 0.2, 1.1}) {
            const Refraction into = refractLine(phi, theta, 1 / n);
            ASSERT_TRUE(into.passes);
            EXPECT_NEAR(std::sin(into.incidence), n * std::sin(into.refracted), 1e-12);
            EXPECT_NEAR(std::tan(into.incidence), std::tan(theta - phi), 1e-9 * (1 + std::fabs(std::tan(theta - phi))));
            EXPECT_DOUBLE_EQ(into.psi, phi + into.refracted);
        }
    // Out of the glass beyond the critical angle the ray is reflected; just inside it, it grazes the face.
    const double critical = std::asin(1 / n);
    EXPECT_FALSE(refractLine(0, critical + 1e-6, n).passes);
    const Refraction grazing = refractLine(0, critical - 1e-9, n);
    ASSERT_TRUE(grazing.passes);
    EXPECT_NEAR(grazing.refracted, pi / 2, 1e-4);
}

} // namespace
} // namespace lens::hyperbolic
