// Laws a class tries at the edges: fronts join only rays that are neighbours, a tilted beam's fronts are
// at equal optical path, the image lies where paraxial optics puts it for sources on either side, and the
// single-ray view traces rays exactly as the bench does.

#include "surface/scale_bar.h"
#include "waves/cardinal_points.h"
#include "waves/print_bench.h"
#include "waves/wave_animation.h"
#include "waves/bundle_ray.h"
#include "waves/lens_outline.h"
#include "waves/parallel_beam.h"
#include "waves/parallel_waves.h"
#include "waves/point_fan.h"
#include "waves/point_source_waves.h"
#include "waves/ray_records.h"
#include "waves/single_ray.h"

#include "wave_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lens::waves {
namespace {

BenchScene wavesOnly(double n)
{
    BenchScene v = valuesFor(n, open);
    v.waves.onlyWaves = true;
    return v;
}

double length(const RecordingDevice::Segment& s, const Surface& surface)
{
    return std::hypot(surface.userX(s.x2) - surface.userX(s.x1), surface.userY(s.y2) - surface.userY(s.y1));
}

TEST(FrontJoins, PointSourceFrontsJoinOnlyNeighboursInTheFan)
{
    // Sources right of the lens record the rays round ±180° first and last; rays lost to total internal
    // reflection leave gaps. No chord may cross a front, and the fan closes on itself where it goes all round.
    // longestChord: how far apart neighbouring rays a few degrees apart can come over the 650 units the
    // fronts run (none where rays leave the glass near grazing and fan far out).
    struct Row { const char* name; double n, x0, y0, raystep; bool gaps; double longestChord; };
    const Row rows[] = {
        {"right of the lens: the front runs on across ±180°", 1.5, 250, 0, 4.712389, false, 90},
        {"at the right vertex", 1.5, 50, 0, 4.712389, false, 90},
        {"in the glass, 1° apart", 1.5, 30, -10, 1, true, 90},
        {"n = 2 above the axis", 2.0, -30, 50, 4.712389, true, INFINITY},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BenchSurface b;
        LensState lens;
        RayRecords records;
        BenchScene v = wavesOnly(row.n);
        v.raystep = row.raystep;
        desmiapopigi(b.surface, records, v, lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB, row.x0,
                     row.y0);
        const std::vector<FrontJoin> joins = frontJoins(records);
        ASSERT_GT(joins.size(), 3u);
        for (const FrontJoin& j : joins) {
            const int a = records.bundleindex[std::size_t(j.from)], c = records.bundleindex[std::size_t(j.to)];
            EXPECT_TRUE(c == a + 1 || (a == records.bundlerays - 1 && c == 0)) << a << " to " << c;
        }
        // Rows that follow each other across lost rays are left unjoined.
        EXPECT_EQ(joins.size() < std::size_t(records.raycount - 1), row.gaps);
        const auto drawn = b.device.segmentsIn(waveColours::exitDot);
        EXPECT_EQ(drawn.size(), sourceWaveSteps * joins.size());
        for (const auto& s : drawn)
            EXPECT_LT(length(s, b.surface), row.longestChord) << "a chord across the front";
    }
}

// Optical path of a point on recorded ray i, counted from the start of row 0 across the plane
// perpendicular to the beam: air length plus n times glass length (negative behind that plane).
double pathFromPlane(const RayRecords& r, int i, double px, double py, double angle, double n)
{
    const auto k = static_cast<std::size_t>(i);
    const double c = std::cos(angle), s = std::sin(angle);
    const double plane = (r.startx[k] - r.startx[0]) * c + (r.starty[k] - r.starty[0]) * s;
    const double ex = r.entryx[k], ey = r.entryy[k], qx = r.exitx[k], qy = r.exity[k];
    const double d0 = std::hypot(ex - r.startx[k], ey - r.starty[k]), L = std::hypot(qx - ex, qy - ey);
    const double toPoint = (px - r.startx[k]) * c + (py - r.starty[k]) * s;
    if (toPoint <= d0 + 1e-9)
        return plane + toPoint; // on the way in, also behind the start
    const double inGlass = std::hypot(px - ex, py - ey);
    const double afterX = (px - qx) * r.dirx1[k] + (py - qy) * r.diry1[k];
    if (afterX <= 0)
        return plane + d0 + n * inGlass;
    return plane + d0 + n * L + std::hypot(px - qx, py - qy);
}

TEST(TiltedBeam, EveryFrontLiesAtOneOpticalPathFromAPlanePerpendicularToTheBeam)
{
    struct Row { double degrees, n; };
    for (const Row row : {Row{15, 1.5}, Row{-30, 1.5}, Row{60, 1.5}, Row{15, 1.0}, Row{0, 2.0}, Row{75, 1.5},
                          Row{-85, 1.5}}) {
        SCOPED_TRACE(testing::Message() << row.degrees << "°, n = " << row.n);
        const double angle = row.degrees * pi / 180;
        BenchSurface b;
        LensState lens;
        RayRecords records;
        BenchScene v = wavesOnly(row.n);
        v.light.beam = true;
        parallelwaves(b.surface, records, v.withCircles(lens), angle);
        ASSERT_GE(records.raycount, 3);
        WaveAnimation a;
        sxediasifakoy11(b.surface, withIndex(lens, row.n), records, true, 0, 0, a);
        // Rays start where their lines enter the view, off one another's fronts: tick 0 of row 0 is where
        // the fronts' plane crosses it.
        const double front0 = pathFromPlane(records, 0, a.x(0, 0), a.y(0, 0), angle, row.n);
        for (int i = 0; i < a.rays; ++i)
            for (const int j : {0, 40, 120, lastAnimationTick})
                EXPECT_NEAR(pathFromPlane(records, i, a.x(i, j), a.y(i, j), angle, row.n) - front0, tickStep * j,
                            1e-6)
                    << "ray " << i << " tick " << j;
        // Where nothing bends the fronts are straight and square to the beam; every join is between neighbours.
        const auto drawn = b.device.segmentsIn(waveColours::beamFront);
        ASSERT_FALSE(drawn.empty());
        std::size_t neighbourJoins = 0;
        for (const FrontJoin& j : frontJoins(records))
            neighbourJoins += j.to == j.from + 1;
        EXPECT_LE(drawn.size(), beamWaveSteps * neighbourJoins);
        if (row.n == 1.0)
            for (const auto& s : drawn) {
                const double dx = b.surface.userX(s.x2) - b.surface.userX(s.x1);
                const double dy = b.surface.userY(s.y2) - b.surface.userY(s.y1);
                EXPECT_NEAR(dx * std::cos(angle) + dy * std::sin(angle), 0, 0.02);
            }
    }
}

// The beam's lines that cross the view, found from the corners: a line crosses when corners lie on both
// sides of it.
std::vector<double> beamLinesAcrossTheView(const BenchSurface& b, double angle, int rays)
{
    const double c = std::cos(angle), s = std::sin(angle);
    std::vector<double> heights;
    for (int k = 0; k <= rays; ++k) {
        const double h = 200 - k * 400.0 / rays, px = -200 - h * std::tan(angle), py = h / c;
        int above = 0, below = 0;
        for (const double x : {b.left(), b.right()})
            for (const double y : {b.top(), b.bottom()})
                ((x - px) * s - (y - py) * c > 0 ? above : below) += 1;
        if (above > 0 && below > 0)
            heights.push_back(h);
    }
    return heights;
}

TEST(SteepBeam, EveryLineAcrossTheViewIsDrawnWithMarksOnCommonFronts)
{
    for (const double degrees : {70.0, -70.0, 80.0, -80.0, 85.0, -85.0}) {
        SCOPED_TRACE(testing::Message() << degrees << "°");
        const double angle = degrees * pi / 180, c = std::cos(angle), s = std::sin(angle);
        BenchSurface b;
        LensState lens;
        RayRecords records;
        BenchScene v = valuesFor(1.5, open);
        v.waves.wavesAndRays = true;
        ASSERT_TRUE(parallelbeam(b.surface, records, v.withCircles(lens), nullptr, angle));

        // Each drawn ray's first leg lies on its line, so a line is drawn when a segment lies along it.
        const std::vector<double> across = beamLinesAcrossTheView(b, angle, v.desmi1);
        ASSERT_GE(across.size(), 2u);
        for (const double h : across) {
            const double px = -200 - h * std::tan(angle), py = h / c;
            auto off = [&](double x, double y) { return std::fabs((x - px) * s - (y - py) * c); };
            const bool drawn = std::any_of(b.device.segments.begin(), b.device.segments.end(), [&](const auto& g) {
                return off(b.surface.userX(g.x1), b.surface.userY(g.y1)) < 0.01 &&
                       off(b.surface.userX(g.x2), b.surface.userY(g.y2)) < 0.01;
            });
            EXPECT_TRUE(drawn) << "the line at h = " << h;
        }

        // Optical path of every time mark up to one constant: its projection on the beam before the lens
        // (the fronts there are square to it), then the record of the ray it lies on.
        ASSERT_GT(records.raycount, 0);
        std::vector<double> paths;
        for (const Point& m : dotsIn(b, waveColours::airDot))
            paths.push_back(m.x * c + m.y * s);
        auto onSegment = [](Point m, double ax, double ay, double dx, double dy, double length) {
            const double t = (m.x - ax) * dx + (m.y - ay) * dy;
            return std::fabs((m.x - ax) * dy - (m.y - ay) * dx) < 0.01 && t > -0.01 && t < length + 0.01;
        };
        int placedInGlassOrAfter = 0;
        for (const Rgb colour : {waveColours::glassDot, waveColours::afterDot})
            for (const Point& m : dotsIn(b, colour)) {
                bool placed = false;
                for (int i = 0; i < records.raycount && !placed; ++i) {
                    const auto k = std::size_t(i);
                    const double ex = records.entryx[k], ey = records.entryy[k], qx = records.exitx[k],
                                 qy = records.exity[k], L = std::hypot(qx - ex, qy - ey);
                    const double atEntry = records.startx[k] * c + records.starty[k] * s +
                                           std::hypot(ex - records.startx[k], ey - records.starty[k]);
                    if (colour == waveColours::glassDot && L > 0 && onSegment(m, ex, ey, (qx - ex) / L, (qy - ey) / L, L)) {
                        paths.push_back(atEntry + 1.5 * std::hypot(m.x - ex, m.y - ey));
                        placed = true;
                    } else if (colour == waveColours::afterDot &&
                               onSegment(m, qx, qy, records.dirx1[k], records.diry1[k], 1e4)) {
                        paths.push_back(atEntry + 1.5 * L + std::hypot(m.x - qx, m.y - qy));
                        placed = true;
                    }
                }
                // (A ray totally reflected at the exit keeps its marks in the glass but has no record.)
                placedInGlassOrAfter += placed;
            }
        EXPECT_GT(placedInGlassOrAfter, 0);
        for (const double p : paths) {
            const double steps = (p - paths[0]) / airStep;
            EXPECT_NEAR(steps, std::round(steps), 1e-3) << "a mark off the fronts";
        }
    }
}

TEST(BladesBehindTheLens, NoMarkPointOrFrontGoesBeyondThem)
{
    // Fans from either side and beams, their blades behind the lens shut (the opening a single height) or
    // wide open; with the waves in time run to their end.
    struct Row { const char* what; bool beam; double x0, y0, degrees, bladeX; };
    const Row rows[] = {
        {"a fan from the left", false, -250, 20, 0, 120},
        {"a fan from the right", false, 250, -20, 0, -120},
        {"a beam along the axis", true, 0, 0, 0, 120},
        {"a tilted beam", true, 0, 0, 20, 150},
    };
    for (const Row& row : rows)
        for (const bool shut : {true, false}) {
            SCOPED_TRACE(testing::Message() << row.what << (shut ? ", shut" : ", open"));
            BenchSurface b;
            LensState lens;
            RayRecords records;
            BenchScene v = valuesFor(1.5, shut ? Diaphragm{row.bladeX, 0.5, 0.5} : Diaphragm{row.bladeX, 1000, -1000});
            v.waves.wavesAndRays = true;
            if (row.beam) {
                ASSERT_TRUE(parallelbeam(b.surface, records, v.withCircles(lens), nullptr, row.degrees * pi / 180));
            } else {
                desmiapopigi(b.surface, records, v, lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB,
                             row.x0, row.y0);
            }
            ASSERT_GT(records.raycount, 3);
            WaveAnimation a;
            sxediasifakoy11(b.surface, lens, records, row.beam, row.x0, row.y0, a);
            for (int j = 1; j <= lastAnimationTick; ++j)
                drawWaveTick(b.surface, a, j, records.recorded());

            // Beyond the blades' plane, on the far side from the light.
            const double side = row.bladeX > 0 ? 1 : -1;
            auto beyond = [&](double px) { return (b.surface.userX(px) - row.bladeX) * side > 1e-6; };
            std::size_t past = 0;
            for (const auto& d : b.device.dots)
                past += beyond(d.x);
            for (const auto& g : b.device.segments)
                past += beyond(g.x1) || beyond(g.x2);
            if (shut)
                EXPECT_EQ(past, 0u);
            else
                EXPECT_GT(past, 100u) << "light through the opening goes on";
        }
}

// Paraxial image by ray-transfer matrices, light running rightwards: the left face of radius R1 (centre
// right of it) at V1, the right face of radius R2 (centre left of it) at V2, glass of index n between.
struct Paraxial { double x, m; };
Paraxial matrixImage(double V1, double R1, double V2, double R2, double n, double xs)
{
    // (height, angle) through: refraction at V1, the glass, refraction at V2.
    auto mul = [](const double a[4], const double c[4], double out[4]) {
        out[0] = a[0] * c[0] + a[1] * c[2], out[1] = a[0] * c[1] + a[1] * c[3];
        out[2] = a[2] * c[0] + a[3] * c[2], out[3] = a[2] * c[1] + a[3] * c[3];
    };
    const double r1[4] = {1, 0, (1 - n) / (n * R1), 1 / n}, t[4] = {1, V2 - V1, 0, 1};
    const double r2[4] = {1, 0, (n - 1) / (-R2), n};
    double m1[4], lensM[4];
    mul(t, r1, m1);
    mul(r2, m1, lensM);
    // Object at distance u = V1 − xs before the lens: the image distance v after V2 makes B = 0.
    const double u = V1 - xs;
    const double A = lensM[0], B = lensM[1], C = lensM[2], D = lensM[3];
    // [1 v; 0 1]·M·[1 u; 0 1]: B' = (A + vC)u + B + vD = 0.
    const double v = -(A * u + B) / (C * u + D);
    return {V2 + v, A + v * C};
}

// Where a ray traced by the bench from (xs, 0) at a small angle crosses the axis after the lens.
double tracedAxisCrossing(const Surface& view, const LensState& l, double xs, double degrees)
{
    const double t = (xs < -10 ? degrees : 180 - degrees) * pi / 180;
    const spherical::RayPath p =
        spherical::traceRay(view, open, l, xs, 0, std::cos(t), std::sin(t));
    const spherical::RayLeg& last = p.legs[std::size_t(p.count - 1)];
    return last.x1 - last.y1 * last.dx / last.dy;
}

TEST(ImageConstruction, TheThickLensImageLiesWhereParaxialOpticsPutsItFromEitherSide)
{
    struct Row { double xs, ys, n; LensState lens; bool real; };
    const Row rows[] = {
        {-200, 0, 1.5, {}, true}, {-200, 40, 1.5, {}, true}, {200, 30, 1.5, {}, true}, {200, 0, 1.5, {}, true},
        {-100, -20, 2.0, {}, false}, {150, -25, 1.5, {-40, 60, 10, 70, 1.5}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "source (" << row.xs << ", " << row.ys << ") n = " << row.n);
        BenchSurface b;
        LensState lens = row.lens;
        spherical::BenchControls controls;
        controls.deiktisdiathlasis = static_cast<int>(std::lround(row.n * 100));
        controls.kentrokykloy = static_cast<int>(lens.xcentreB);
        controls.kentrokykloy2 = static_cast<int>(lens.xcentreA);
        cardinalpoints(b.surface, lens, controls, row.xs, row.ys);
        const auto cross = b.device.segmentsIn(cardinalColours::image);
        ASSERT_EQ(cross.size(), 2u);
        const double xi = b.surface.userX((cross[0].x1 + cross[0].x2) / 2);
        const double yi = b.surface.userY((cross[0].y1 + cross[0].y2) / 2);

        // Light from a source on the right crosses the mirror image of the lens rightwards.
        const double V1 = lens.xcentreB - lens.radiusB, V2 = lens.xcentreA + lens.radiusA;
        const bool fromRight = row.xs > (V1 + V2) / 2;
        const Paraxial expected = fromRight
            ? matrixImage(-V2, lens.radiusA, -V1, lens.radiusB, row.n, -row.xs)
            : matrixImage(V1, lens.radiusB, V2, lens.radiusA, row.n, row.xs);
        const double ex = fromRight ? -expected.x : expected.x;
        EXPECT_NEAR(xi, ex, 0.02);
        EXPECT_NEAR(yi, expected.m * row.ys, 0.02);
        if (row.real) {
            EXPECT_EQ(xi > (V1 + V2) / 2, !fromRight) << "a real image lies beyond the lens";
        }
        if (row.ys == 0 && row.lens.radiusA == LensState{}.radiusA) {
            EXPECT_NEAR(tracedAxisCrossing(b.surface, withIndex(lens, row.n), row.xs, 0.3), ex, 0.5) << "an exact ray";
        }
    }
}

TEST(SingleRayView, RaysNearTheRimAndVerticalRaysAreTracedAsOnTheBench)
{
    // 801 rays aimed within 0.2 units of the upper rim: every refraction point of the view's ray lies on the
    // lens boundary, and the view's legs are the bench tracer's (where the bench ends a ray at a total
    // reflection, the view's ray goes on reflected after the same legs).
    const LensState lens;
    const auto rim = spherical::tomikyklon(lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB);
    for (const auto& source : {std::pair{200.0, 0.0}, {-200.0, 150.0}, {0.0, 0.0}}) {
        SCOPED_TRACE(testing::Message() << "source (" << source.first << ", " << source.second << ")");
        int refractions = 0;
        for (int k = -400; k <= 400; ++k) {
            BenchSurface b;
            const double tx = rim.x1, ty = rim.y1 + k * 0.0005;
            const double dx = tx - source.first, dy = ty - source.second;
            aktinamoni(b.surface, open, source.first, source.second, dx, dy, lens.xcentreA, lens.xcentreB,
                       lens.radiusA, lens.radiusB, 1.5);
            const spherical::RayPath bench =
                spherical::traceRay(b.surface, open, lens, source.first, source.second, dx, dy);
            const auto legs = b.device.segmentsIn(waveColours::singleRay);
            if (bench.count > 0 && bench.legs[std::size_t(bench.count - 1)].totalReflection)
                ASSERT_GT(legs.size(), std::size_t(bench.count)) << k;
            else
                ASSERT_EQ(legs.size(), std::size_t(bench.count)) << k;
            for (int i = 0; i < bench.count; ++i) {
                const spherical::RayLeg& leg = bench.legs[std::size_t(i)];
                EXPECT_NEAR(b.surface.userX(legs[std::size_t(i)].x2), leg.x2, 1e-3);
                EXPECT_NEAR(b.surface.userY(legs[std::size_t(i)].y2), leg.y2, 1e-3);
                if (leg.circle == 0)
                    continue;
                ++refractions;
                const double dA = std::hypot(leg.x2 - lens.xcentreA, leg.y2), dB = std::hypot(leg.x2 - lens.xcentreB, leg.y2);
                EXPECT_LE(std::min(std::fabs(dA - lens.radiusA), std::fabs(dB - lens.radiusB)), 1e-9);
                EXPECT_LE(dA, lens.radiusA + 1e-9);
                EXPECT_LE(dB, lens.radiusB + 1e-9);
            }
        }
        EXPECT_GT(refractions, 100);
    }
    // Straight up and straight down the ray runs to the view's edge.
    for (const double t : {pi / 2, -pi / 2}) {
        BenchSurface b;
        aktinamoni(b.surface, {0, 86, -86}, -200, 30, std::cos(t), std::sin(t), lens.xcentreA, lens.xcentreB,
                   lens.radiusA, lens.radiusB, 1.5);
        const auto legs = b.device.segmentsIn(waveColours::singleRay);
        ASSERT_EQ(legs.size(), 1u);
        EXPECT_NEAR(b.surface.userY(legs[0].y2), t > 0 ? b.top() : b.bottom(), 1e-3);
    }
}

} // namespace
} // namespace lens::waves

namespace lens::waves {
namespace {

TEST(PrintedPage, EveryRayWhoseFrontIsPrintedIsPrintedOnAPortraitPage)
{
    // A portrait page is narrower than the bench: the source at (−300, 0) lies off the page, yet its fronts
    // (traced over the bench's view) print, and so must the rays that carry them.
    BenchSurface bench;
    RecordingDevice paper(4800, 6600);
    Surface page(paper);
    LensState lens;
    RayRecords records;
    BenchScene v = wavesOnly(1.5);
    v.waves.onlyWaves = false;
    v.waves.wavesAndRays = true;
    printbench(page, bench.surface, records, v, lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB, -300, 0);
    ASSERT_GT(records.raycount, 10);
    int raysFromSource = 0;
    for (const auto& s : paper.segmentsIn(RGB(255, 0, 0)))
        raysFromSource += s.pen.width == 1 && std::hypot(page.userX(s.x1) + 300, page.userY(s.y1)) < 1e-3;
    EXPECT_GE(raysFromSource, records.raycount);
}

} // namespace
} // namespace lens::waves

namespace lens::waves {
namespace {

TEST(PageCaption, GivesTheLensAndTheAberrationWhereThePageMeasuresIt)
{
    BenchSurface bench;
    const LensState lens;
    const double pi = std::numbers::pi;
    struct Row { const char* name; bool parallel; double angle, y0; bool worksheet; const char *image, *lsa; };
    const Row rows[] = {
        {"fan from the axis", false, 0, 0, false, "image = 364.94", "LSA = "},
        {"fan from above the axis", false, 0, 40, false, "image = ", "crossings with the chief ray (to N1)"},
        {"beam along the axis", true, 0, 0, false, nullptr, "LSA = 57.65"},
        {"beam at 20 degrees", true, 20 * pi / 180, 0, false, nullptr, "LSA = "},
        {"worksheet", false, 0, 0, true, "image = ________", "LSA = ________"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BenchScene v = valuesFor(1.5);
        v.light.beam = row.parallel;
        v.light.angle = row.angle;
        const auto lines = captionLines(bench.surface, atSource(v.withCircles(lens), -200, row.y0), {row.worksheet, "2025-03-14"});
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        EXPECT_NE(text.find(row.worksheet ? "focal length: f = ______________\n" : "focal length: f = 120.00\n"),
                  std::string::npos) << text;
        EXPECT_EQ(text.find("image = ") != std::string::npos, row.image != nullptr) << text;
        if (row.image) {
            EXPECT_NE(text.find(row.image), std::string::npos) << text;
        }
        EXPECT_EQ(text.find("LSA = ") != std::string::npos, row.lsa != nullptr) << text;
        if (row.lsa) {
            EXPECT_NE(text.find(row.lsa), std::string::npos) << text;
        }
        EXPECT_EQ(lines.back(), "Ημερομηνία / date: 2025-03-14");
        // A worksheet gives no number but the date.
        for (std::size_t i = 0; row.worksheet && i + 1 < lines.size(); ++i)
            EXPECT_EQ(lines[i].find_first_of("0123456789", lines[i].find(" = ")), std::string::npos) << lines[i];
    }
}

TEST(PageCaption, StandsWhereNoLineOfTheDrawingRuns)
{
    // The caption takes the corner the drawing leaves empty, wherever the source stands.
    BenchSurface bench;
    const LensState lens;
    struct Row { double x0, y0; bool waves; };
    for (const Row row : {Row{-200, 0, true}, Row{-300, 150, true}, Row{-300, -150, false}, Row{250, 0, true},
                          Row{-100, 180, false}}) {
        SCOPED_TRACE(testing::Message() << "source " << row.x0 << ", " << row.y0);
        RecordingDevice paper(1123, 794); // A4 across at 96 dots to the inch, the recording's text size
        Surface page(paper);
        RayRecords records;
        BenchScene v = valuesFor(1.5);
        v.waves.wavesAndRays = row.waves;
        printbench(page, bench.surface, records, v, lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB,
                   row.x0, row.y0, {false, "2025-03-14"});
        // The caption's block, its width taken generously at half an em a character.
        const double em = captionPoints * 4 / 3 * page.PenScale;
        double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
        int lines = 0;
        for (const auto& t : paper.texts)
            if (t.font.size == captionPoints) {
                const auto characters = std::count_if(t.text.begin(), t.text.end(), [](char c) { return (c & 0xC0) != 0x80; });
                left = std::min(left, t.x), top = std::min(top, t.y);
                right = std::max(right, t.x + 0.5 * em * double(characters)), bottom = std::max(bottom, t.y + 1.2 * em);
                ++lines;
            }
        ASSERT_GT(lines, 15);
        EXPECT_GE(left, 0);
        EXPECT_GE(top, 0);
        EXPECT_LE(right, paper.width());
        EXPECT_LE(bottom, paper.height());
        int covered = 0;
        for (const auto& s : paper.segments)
            for (int k = 0; k <= 100; ++k) {
                const double x = s.x1 + (s.x2 - s.x1) * k / 100, y = s.y1 + (s.y2 - s.y1) * k / 100;
                if (left <= x && x <= right && top <= y && y <= bottom) {
                    ++covered;
                    break;
                }
            }
        EXPECT_EQ(covered, 0);
    }
}

} // namespace
} // namespace lens::waves

namespace lens::waves {
namespace {

// A4 across at 96 dots to the inch, the recording's text size.
constexpr int pageWidth = 1123, pageHeight = 794;
constexpr double dotsPerMm = 96 / 25.4;

struct PrintedFan {
    RecordingDevice paper{pageWidth, pageHeight};
    Surface page{paper};
    explicit PrintedFan(bool worksheet)
    {
        BenchSurface bench;
        const LensState lens;
        RayRecords records;
        BenchScene v = valuesFor(1.5);
        v.waves.wavesAndRays = true;
        printbench(page, bench.surface, records, v, lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB,
                   -200, 0, {worksheet, "2025-03-14", 96});
    }
};

TEST(PrintedPage, TheWorksheetHasRowsToWriteInBelowTheSourceTheLensAndTheImage)
{
    const PrintedFan w(true);
    std::vector<RecordingDevice::Text> rows;
    for (const auto& t : w.paper.texts)
        if (t.font.size == worksheetPoints)
            rows.push_back(t);
    ASSERT_GT(rows.size(), 15u);
    double rowsTop = INFINITY;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rowsTop = std::min(rowsTop, rows[i].y);
        EXPECT_LE(rows[i].y + 5 * dotsPerMm, pageHeight);
        for (std::size_t j = 0; j < i; ++j)
            if (std::fabs(rows[i].x - rows[j].x) < 40 * dotsPerMm) { // the same column
                EXPECT_GE(std::fabs(rows[i].y - rows[j].y), 8 * dotsPerMm) << rows[i].text << " / " << rows[j].text;
            }
    }
    // The drawing stands above the rows and shows the source, the lens's faces and the image's circle.
    for (const auto& s : w.paper.segments)
        EXPECT_LT(std::max(s.y1, s.y2), rowsTop);
    for (const double x : {-200.0, -142.0, -70.0, 50.0, 116.67, 364.94})
        EXPECT_TRUE(w.page.pixelX(x) > 0 && w.page.pixelX(x) < pageWidth) << x;
    int faces = 0, images = 0;
    for (const auto& e : w.paper.ellipses) {
        faces += e.pen.colour == RGB(0, 255, 0);
        images += e.pen.colour == cardinalColours::construction && std::fabs(e.cx - w.page.pixelX(364.94)) < 2;
    }
    EXPECT_EQ(faces, 4);
    EXPECT_EQ(images, 1);
}

// The page and the worksheet carry a bar of 100 units, labelled, where no line of the drawing runs and clear of
// the caption.
TEST(PrintedPage, AScaleBarOf100UnitsStandsInAnEmptyCorner)
{
    for (const bool worksheet : {false, true}) {
        SCOPED_TRACE(worksheet ? "worksheet" : "page");
        const PrintedFan p(worksheet);
        const double length = std::fabs(p.page.ScaleX(100));
        std::vector<RecordingDevice::Segment> bars;
        for (const auto& s : p.paper.segmentsIn(colours::black))
            if (std::fabs(s.y1 - s.y2) < 1e-6 && std::fabs(std::fabs(s.x2 - s.x1) - length) < 1e-3)
                bars.push_back(s);
        ASSERT_EQ(bars.size(), 1u);
        const RecordingDevice::Text* label = nullptr;
        for (const auto& t : p.paper.texts)
            if (t.text == "100")
                label = &t;
        ASSERT_NE(label, nullptr);
        const double left = std::min(bars[0].x1, bars[0].x2), right = std::max(bars[0].x1, bars[0].x2);
        EXPECT_TRUE(label->x > left && label->x < right && label->y < bars[0].y1);
        const PixelBox box{left, label->y, right, bars[0].y1 + 5};
        int crossing = 0;
        for (const auto& s : p.paper.segments) {
            const bool own = box.holds(s.x1, s.y1) && box.holds(s.x2, s.y2);
            double x1 = s.x1, y1 = s.y1, x2 = s.x2, y2 = s.y2;
            crossing += !own && clipSegment(x1, y1, x2, y2, box.left, box.top, box.right, box.bottom);
        }
        EXPECT_EQ(crossing, 0);
        for (const auto& t : p.paper.texts)
            if (t.font.size == captionPoints) {
                EXPECT_FALSE(box.holds(t.x, t.y)) << t.text;
            }
    }
}

} // namespace
} // namespace lens::waves
