// The lens in numbers against the thick-lens formulas and against traced rays, and the spherical
// aberration measured from the bench's own rays.

#include "waves/lens_numbers.h"

#include "wave_test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace lens::waves {
namespace {

std::map<std::string, double> byName(const std::vector<NumberLine>& lines)
{
    std::map<std::string, double> out;
    for (const NumberLine& l : lines)
        if (l.value)
            out[l.name] = *l.value;
    return out;
}

TEST(LensNumbers, ThickLensValuesAgreeWithTheFormulasAndWithTracedRays)
{
    // Thick lens: 1/f = (n−1)(1/R1 + 1/R2) − (n−1)²d/(n R1 R2); F2 is where a paraxial beam meets the axis.
    struct Row { const char* name; LensState lens; double n; double f, F1, F2, H1, H2; };
    const Row rows[] = {
        {"default lens", {}, 1.5, 120.00, -142.00, 116.67, -22.00, -3.33},
        {"n = 2.0", {}, 2.0, 0, 0, 0, 0, 0},
        {"thinner lens", {-150, 200, 140, 150, 1.5}, 1.5, 0, 0, 0, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto v = byName(lensNumbers(row.lens, row.n, std::pair{-200.0, 0.0}));
        const double rA = row.lens.radiusA, rB = row.lens.radiusB, n = row.n;
        const double d = row.lens.xcentreA + rA - (row.lens.xcentreB - rB);
        const double f = 1 / ((n - 1) * (1 / rA + 1 / rB) - (n - 1) * (n - 1) * d / (n * rA * rB));
        EXPECT_NEAR(v.at("d"), d, 1e-9);
        EXPECT_NEAR(v.at("f"), f, 1e-9);
        EXPECT_NEAR(v.at("F2") - v.at("H2"), f, 1e-9);
        EXPECT_NEAR(v.at("H1") - v.at("F1"), f, 1e-9);
        if (row.f != 0) {
            for (const auto& [name, want] : {std::pair{"f", row.f}, {"F1", row.F1}, {"F2", row.F2}, {"H1", row.H1}, {"H2", row.H2}}) {
                char shown[32];
                std::snprintf(shown, sizeof shown, "%.2f", want);
                EXPECT_EQ(numberText({"", name, v.at(name)}), std::string(": ") + name + " = " + shown);
            }
            EXPECT_NEAR(v.at("image"), 364.94, 5e-3);
        }
        // The paraxial focus of a beam traced through the lens is F2 (to the residual aberration of a ray
        // 0.4 units off the axis).
        BenchSurface b;
        const auto a = beamAberration(b.surface, open, row.lens, n, 20);
        ASSERT_TRUE(a.has_value());
        EXPECT_NEAR(a->paraxialFocus, v.at("F2"), 5e-3);
    }
    EXPECT_EQ(numberText({"x", "F1", -142}, true), "x: F1 = ________");
}

TEST(Aberration, MeasuredFromTheTracedBeamAndShrinkingAsTheBladesClose)
{
    BenchSurface b;
    const LensState lens;
    // The opening beam of 21 rays: h = ±80 meets total internal reflection, so h = ±60 is the marginal ray.
    const auto open21 = beamAberration(b.surface, fitted, lens, 1.5, 20);
    ASSERT_TRUE(open21.has_value());
    EXPECT_DOUBLE_EQ(std::fabs(open21->marginalHeight), 60);
    EXPECT_NEAR(open21->marginalFocus, 83.78, 5e-3);
    EXPECT_NEAR(open21->lsa, 32.88, 5e-3);
    EXPECT_GT(open21->waistX, open21->marginalFocus);
    EXPECT_LT(open21->waistX, open21->paraxialFocus);
    // Blades closed towards the axis stop the outer rays: the LSA and the waist shrink.
    double lsa = INFINITY, waist = INFINITY;
    for (const double opening : {86.0, 50.0, 30.0}) {
        const auto a = beamAberration(b.surface, {-100, opening, -opening}, lens, 1.5, 40);
        ASSERT_TRUE(a.has_value()) << opening;
        EXPECT_LT(a->lsa, lsa) << opening;
        EXPECT_LT(a->waistDiameter, waist) << opening;
        lsa = a->lsa, waist = a->waistDiameter;
    }
    // A fan from the axis has its own aberration; a source off the axis is not measured.
    const auto fan = fanAberration(b.surface, open, lens, 1.5, -200, 0, 1);
    ASSERT_TRUE(fan.has_value());
    EXPECT_GT(fan->lsa, 0);
    EXPECT_NEAR(fan->paraxialFocus, 364.94, 0.05);
    EXPECT_FALSE(fanAberration(b.surface, open, lens, 1.5, -200, 40, 1).has_value());
}

} // namespace
} // namespace lens::waves
