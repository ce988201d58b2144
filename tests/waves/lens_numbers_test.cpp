// The lens in numbers against the thick-lens formulas, and the spherical aberration measured from rays
// traced for it: the paraxial focus is the image, the marginal ray the edge of the light.

#include "waves/lens_numbers.h"

#include "wave_test_support.h"
#include "waves/cardinal_points.h"

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
        const auto v = byName(lensNumbers(withIndex(row.lens, row.n), std::pair{-200.0, 0.0}));
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
    }
    EXPECT_EQ(numberText({"x", "F1", -142}, true), "x: F1 = ______________");
}

MeasuredLight fanFrom(double x, double y) { return {false, x, y, 0}; }
MeasuredLight beamAt(double degrees) { return {true, 0, 0, degrees * pi / 180}; }

TEST(Aberration, ParaxialFocusIsTheImageOfTheLight)
{
    // The limit of the crossings as the ray height goes to zero is the thick lens's image (F2 for a beam along
    // the axis), to the digits shown, whatever the stop and on whichever side the light comes from.
    const LensState thin{-150, 200, 140, 150, 1.5};
    struct Row { const char* name; LensState lens; double n; MeasuredLight light; Diaphragm stop; };
    const Row rows[] = {
        {"opening beam", {}, 1.5, beamAt(0), fitted},
        {"beam, n = 2", {}, 2.0, beamAt(0), open},
        {"beam, thinner lens", thin, 1.5, beamAt(0), open},
        {"beam, stop after the lens", {}, 1.5, beamAt(0), {40, 30, -30}},
        {"opening fan", {}, 1.5, fanFrom(-200, 0), open},
        {"fan, closed stop", {}, 1.5, fanFrom(-300, 0), {-100, 20, -20}},
        {"fan from the right", thin, 1.5, fanFrom(400, 0), open},
        {"diverging glass", {}, 0.8, fanFrom(-250, 0), open},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto numbers = byName(lensNumbers(withIndex(row.lens, row.n), std::pair{row.light.x, row.light.y}));
        const auto a = measureAberration(withIndex(row.lens, row.n), row.stop, row.light);
        ASSERT_TRUE(a.has_value());
        EXPECT_NEAR(a->paraxialFocus, row.light.beam ? numbers.at("F2") : numbers.at("image"), 5e-3);
    }
}

TEST(Aberration, MovesSmoothlyWithASourceJustOffTheAxis)
{
    // Measured along the chief ray, a source 0.3 units off the axis gives the on-axis numbers within 0.05 (the
    // paraxial focus to the digits shown), one unit off within coma and field curvature there (0.2).
    for (const double xs : {-200.0, -250.0}) {
        const auto a = measureAberration(LensState{}, fitted, fanFrom(xs, 0));
        ASSERT_TRUE(a.has_value());
        for (const auto& [off, within] : {std::pair{0.3, 0.05}, {-0.3, 0.05}, {1.0, 0.2}, {-1.0, 0.2}}) {
            SCOPED_TRACE(testing::Message() << "(" << xs << ", " << off << ")");
            const auto b = measureAberration(LensState{}, fitted, fanFrom(xs, off));
            ASSERT_TRUE(b.has_value());
            EXPECT_NEAR(b->paraxialFocus, a->paraxialFocus, std::fabs(off) < 1 ? 5e-3 : within);
            EXPECT_NEAR(b->marginalFocus, a->marginalFocus, within);
            EXPECT_NEAR(b->lsa, a->lsa, within);
            EXPECT_NEAR(b->waistX, a->waistX, within);
            EXPECT_NEAR(b->waistDiameter, a->waistDiameter, within);
        }
    }
}

TEST(Aberration, TheMarginalRayIsTheEdgeOfTheLight)
{
    // The marginal ray is the outermost ray that passes the stop and leaves the lens. With the stop open it
    // leaves the lens just inside total internal reflection, grazing the last face; with the stop closed
    // before or after the lens, a beam's marginal ray runs through the edge of the opening.
    struct Row { const char* name; Diaphragm stop; double edge; };
    const Row rows[] = {
        {"open: total internal reflection", fitted, 0},
        {"closed before the lens", {-100, 30, -30}, 30},
        {"closed after the lens", {80, 20, -20}, 0},
    };
    const LensState lens;
    const CardinalPoints p = cardinalpointsof(lens);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto a = measureAberration(lens, row.stop, beamAt(0));
        ASSERT_TRUE(a.has_value());
        const double h = std::fabs(a->marginalHeight);
        const MeasuredRay edge = traceMeasuredRay(lens, row.stop, -400, h - 1e-6, 1, 0);
        ASSERT_TRUE(edge.leaves);
        EXPECT_FALSE(traceMeasuredRay(lens, row.stop, -400, h + 1e-3, 1, 0).leaves);
        if (row.edge > 0) {
            EXPECT_NEAR(h, row.edge, 1e-6);
        } else if (row.stop.x > p.V2) { // the ray leaves through the opening's edge
            EXPECT_NEAR(std::fabs(edge.y + (row.stop.x - edge.x) * edge.dy / edge.dx), row.stop.upperTip, 1e-3);
        } else {
            // Grazing the face it leaves: its direction after the lens is square to the face's normal.
            const double nx = (edge.x - lens.xcentreA) / lens.radiusA, ny = edge.y / lens.radiusA;
            EXPECT_NEAR(edge.dx * nx + edge.dy * ny, 0, 0.01);
        }
        // Closing the stop shrinks the aberration; the marginal focus lies between the lens and the paraxial focus.
        EXPECT_GT(a->lsa, 0);
        EXPECT_LT(a->marginalFocus, a->paraxialFocus);
        EXPECT_GT(a->waistX, a->marginalFocus);
        EXPECT_LT(a->waistX, a->paraxialFocus);
    }
}

TEST(Aberration, TheMeasurementAgreesWithTheRaysThePictureDraws)
{
    // The picture's rays, traced in the bench's single precision, cross the axis where the measurement's rays
    // do, and a lens mirrored about its centre mirrors the measurement.
    BenchSurface b;
    const LensState lens;
    for (const double h : {60.0, 30.0, 5.0}) {
        const spherical::RayPath path = spherical::traceRay(b.surface, open, lens, -200, h, 1, 0);
        const spherical::RayLeg& last = path.legs[std::size_t(path.count - 1)];
        const MeasuredRay r = traceMeasuredRay(lens, open, -200, h, 1, 0);
        ASSERT_TRUE(r.leaves);
        EXPECT_NEAR(last.x1 - last.y1 * last.dx / last.dy, r.x - r.y * r.dx / r.dy, 0.01 * (1 + 60 / h)) << h;
    }
    const LensState symmetric{-50, 100, 50, 100, 1.5};
    const auto left = measureAberration(symmetric, open, fanFrom(-250, 0));
    const auto right = measureAberration(symmetric, open, fanFrom(250, 0));
    ASSERT_TRUE(left && right);
    EXPECT_NEAR(left->paraxialFocus, -right->paraxialFocus, 1e-4);
    EXPECT_NEAR(left->marginalFocus, -right->marginalFocus, 1e-4);
    EXPECT_NEAR(left->lsa, right->lsa, 1e-4);
    EXPECT_NEAR(left->waistX, -right->waistX, 1e-4);
    EXPECT_NEAR(left->waistDiameter, right->waistDiameter, 1e-4);
    // No focus to measure: glass of the air's index, a source in the glass.
    EXPECT_FALSE(measureAberration(withIndex(lens, 1.0), open, fanFrom(-200, 0)).has_value());
    EXPECT_FALSE(measureAberration(lens, open, fanFrom(0, 0)).has_value());
}

} // namespace
} // namespace lens::waves
