// Snell's law in its two forms: the same refraction, and the same total internal reflection.

#include "optics/snell.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace lens::optics;

TEST(Snell, TheAngleAndTheVectorFormRefractAlikeAndReflectTotallyAlike)
{
    constexpr double pi = std::numbers::pi;
    struct Row { double incidenceDegrees, ratio; };
    const Row rows[] = {{0, 1 / 1.5}, {30, 1 / 1.5}, {-60, 1 / 1.5}, {89.9, 1 / 2.5}, {20, 1.5},
                        {41.8, 1.5}, {41.9, 1.5}, {-70, 1.5}, {45, 1}, {10, 2.5}, {23.6, 2.5}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.incidenceDegrees);
        const double incidence = row.incidenceDegrees * pi / 180;
        // A face whose normal points along +x, met by a ray going right.
        const Direction normal{-1, 0}; // either way round
        const Direction d{std::cos(incidence), std::sin(incidence)};
        const auto angle = refractedAngle(incidence, row.ratio);
        const auto vector = refractedDirection(d, normal, row.ratio);
        const bool reflected = std::fabs(row.ratio * std::sin(incidence)) > 1;
        ASSERT_EQ(angle.has_value(), !reflected);
        ASSERT_EQ(vector.has_value(), !reflected);
        if (reflected)
            continue;
        // n1 sin θ1 = n2 sin θ2, the ray goes on forward, and both forms give one direction.
        EXPECT_NEAR(std::sin(*angle), row.ratio * std::sin(incidence), 1e-15);
        EXPECT_NEAR(std::hypot(vector->x, vector->y), 1, 1e-15);
        EXPECT_GT(vector->x, 0);
        EXPECT_NEAR(std::atan2(vector->y, vector->x), *angle, 1e-12);
    }
    EXPECT_FALSE(refractedAngle(0.3, std::nan("")));
    EXPECT_FALSE(arcsine(1 + 1e-15));
    EXPECT_DOUBLE_EQ(*arcsine(1), pi / 2);
}
