// The physics of the bench's bundles and waves, measured on what is drawn: time marks at equal optical path,
// Snell's law at both faces, fronts of equal optical path, and sound results over the controls' ranges.

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

#include <cmath>
#include <numbers>
#include <set>
#include <vector>

namespace lens::waves {
namespace {

double distanceToSegment(Point p, Point a, Point b)
{
    const double vx = b.x - a.x, vy = b.y - a.y, len2 = vx * vx + vy * vy;
    const double t = len2 > 0 ? std::clamp(((p.x - a.x) * vx + (p.y - a.y) * vy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - a.x - t * vx, p.y - a.y - t * vy);
}

// Optical path from the start to p along recorded ray i (air length + n × glass length); no value when p
// is not on the ray's path.
std::optional<double> opticalPath(const RayRecords& r, int i, Point s, Point p, double n)
{
    const auto k = static_cast<std::size_t>(i);
    const Point e{r.entryx[k], r.entryy[k]}, q{r.exitx[k], r.exity[k]};
    const Point far{q.x + 2000 * r.dirx1[k], q.y + 2000 * r.diry1[k]};
    const double d0 = std::hypot(e.x - s.x, e.y - s.y), L = std::hypot(q.x - e.x, q.y - e.y);
    if (distanceToSegment(p, s, e) < 1e-3)
        return std::hypot(p.x - s.x, p.y - s.y);
    if (distanceToSegment(p, e, q) < 1e-3)
        return d0 + n * std::hypot(p.x - e.x, p.y - e.y);
    if (distanceToSegment(p, q, far) < 1e-3)
        return d0 + n * L + std::hypot(p.x - q.x, p.y - q.y);
    return std::nullopt;
}

// n1·sin θ1 = n2·sin θ2 at the circle through (x, y), from the two directions and the surface normal.
void expectSnell(double x, double y, double ax, double ay, double bx, double by, const LensState& l)
{
    const double n = l.refindex;
    const bool onA = std::fabs(std::hypot(x - l.xcentreA, y) - l.radiusA) < 0.005;
    const double xc = onA ? l.xcentreA : l.xcentreB, r = onA ? l.radiusA : l.radiusB;
    const double nx = (x - xc) / r, ny = y / r;
    const double sin1 = std::fabs(ax * ny - ay * nx) / std::hypot(ax, ay);
    const double sin2 = std::fabs(bx * ny - by * nx) / std::hypot(bx, by);
    const bool goingIn = ax * nx + ay * ny < 0;
    EXPECT_NEAR(goingIn ? sin1 : n * sin1, goingIn ? n * sin2 : sin2, 1e-5);
}


TEST(BundleRay, TimeMarksLieAtEqualOpticalPathAndRaysObeySnell)
{
    struct Row { const char* name; LensState lens; double n, x0, y0, from, to; };
    const Row rows[] = {
        {"default lens, source on the axis", {}, 1.5, -200, 0, -0.45, 0.45},
        {"dense glass, source off the axis", {}, 2.5, -180, 40, -0.6, 0.2},
        {"glass thinner than air", {}, 0.6, -150, 0, -0.5, 0.5},
        {"source right of the lens", {}, 1.5, 220, -10, pi - 0.4, pi + 0.4},
        {"source a long way off: only 20 marks in air", {-50, 100, 20, 90, 1.5}, 1.5, -720, 0, -0.1, 0.1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BenchSurface b;
        b.surface.Scale(-800, 450, 800, -450);
        RayRecords records;
        const BenchScene v = valuesFor(row.n, {0, 1000, -1000});
        int recorded = 0;
        for (int j = 0; j <= 40; ++j) {
            const double t = row.from + (row.to - row.from) * j / 40;
            b.device.reset();
            double x0 = row.x0, y0 = row.y0;
            const int before = records.raycount;
            tracebundleray(b.surface, records, v, x0, y0, std::cos(t), std::sin(t), row.lens.xcentreA,
                           row.lens.xcentreB, row.lens.radiusA, row.lens.radiusB, row.n);
            EXPECT_EQ(x0, row.x0);
            if (records.raycount == before)
                continue;
            ++recorded;
            const auto k = static_cast<std::size_t>(before);
            // Every mark of the ray, in the order drawn, lies at a whole number of 25-unit steps of optical
            // path, and the marks go blue, green, purple.
            int colourStage = 0, previousStep = -1;
            for (const auto& d : b.device.dots) {
                const Point p{b.surface.userX(d.x), b.surface.userY(d.y)};
                const int stage = d.pen.colour == waveColours::airDot     ? 0
                                  : d.pen.colour == waveColours::glassDot ? 1
                                                                          : 2;
                EXPECT_EQ(d.pen.width, 3);
                EXPECT_GE(stage, colourStage);
                colourStage = stage;
                const auto path = opticalPath(records, before, {row.x0, row.y0}, p, row.n);
                ASSERT_TRUE(path.has_value());
                const double steps = *path / airStep;
                EXPECT_NEAR(steps, std::round(steps), 1e-3 / airStep);
                const int step = static_cast<int>(std::lround(steps));
                if (previousStep >= 0 && previousStep < 19) {
                    EXPECT_EQ(step, previousStep + 1);
                }
                previousStep = step;
            }
            EXPECT_EQ(colourStage, 2);
            expectSnell(records.entryx[k], records.entryy[k], records.dirx0[k], records.diry0[k],
                        records.dirxglass[k], records.diryglass[k], withIndex(row.lens, row.n));
            expectSnell(records.exitx[k], records.exity[k], records.dirxglass[k], records.diryglass[k],
                        records.dirx1[k], records.diry1[k], withIndex(row.lens, row.n));
        }
        EXPECT_GT(recorded, 5);
    }
}

TEST(BundleRay, RaysThatDrawAndRecordNothing)
{
    struct Row { const char* name; double n, x0, y0, angle; Diaphragm blades; bool anyDots; };
    BenchSurface edge;
    const Row rows[] = {
        {"stopped by a blade before the lens", 1.5, -200, 50, 0, {-100, 10, -10}, false},
        {"passing above the lens", 1.5, -200, 150, 0, fitted, false},
        {"lens behind the start", 1.5, -200, 0, pi, fitted, false},
        {"start outside the view", 1.5, -1000, 0, 0, fitted, false},
        {"start on the edge of the view", 1.5, edge.left(), 0, 0, fitted, false},
        {"totally reflected at the exit", 2.5, -200, 80, 0, fitted, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BenchSurface b;
        RayRecords records;
        double x0 = row.x0, y0 = row.y0;
        tracebundleray(b.surface, records, valuesFor(row.n, row.blades), x0, y0, std::cos(row.angle),
                       std::sin(row.angle), -50, 20, 100, 90, row.n);
        EXPECT_EQ(records.raycount, 0);
        EXPECT_EQ(!b.device.dots.empty(), row.anyDots);
        EXPECT_TRUE(dotsIn(b, waveColours::afterDot).empty());
        EXPECT_EQ(dotsIn(b, waveColours::glassDot).empty(), !row.anyDots);
    }
}

TEST(Waves, PointSourceFrontsHaveEqualOpticalPath)
{
    struct Row { const char* name; LensState lens; double x0, y0, raystep; bool symmetric, closed; };
    const Row rows[] = {
        {"default lens", {}, -200, 0, 0.628319, false, false},
        {"symmetric lens, source on the axis", {-60, 100, 60, 100, 1.5}, -200, 0, 0.5, true, false},
        {"source off the axis", {}, -180, 70, 0.628319, false, false},
        {"source inside the glass: the fronts close all the way round", {}, -20, 10, 0.628319, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BenchSurface b;
        LensState lens = row.lens;
        RayRecords records;
        BenchScene v = valuesFor(1.5, {0, 1000, -1000});
        v.waves.onlyWaves = true;
        v.raystep = row.raystep;
        desmiapopigi(b.surface, records, v, lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB, row.x0,
                     row.y0);
        const int rays = records.raycount;
        ASSERT_GT(rays, 10);
        const std::vector<Point> points = dotsIn(b, waveColours::exitDot, 2);
        ASSERT_EQ(points.size(), static_cast<std::size_t>(sourceWaveSteps * rays));
        for (std::size_t p = 0; p < points.size(); ++p) {
            const int t = static_cast<int>(p) / rays + 1, i = static_cast<int>(p) % rays;
            const auto path = opticalPath(records, i, {row.x0, row.y0}, points[p], 1.5);
            ASSERT_TRUE(path.has_value()) << "front " << t << " ray " << i;
            EXPECT_NEAR(*path, airStep * t, 1e-3);
        }
        if (row.symmetric)
            for (const Point& p : points) {
                const bool mirrored = std::any_of(points.begin(), points.end(), [&](const Point& q) {
                    return std::fabs(q.x - p.x) < 1e-3 && std::fabs(q.y + p.y) < 1e-3;
                });
                EXPECT_TRUE(mirrored) << p.x << ", " << p.y;
            }
        // Every join ends on a wave point, never at the origin.
        const auto joins = b.device.segmentsIn(waveColours::exitDot);
        EXPECT_EQ(joins.size(), static_cast<std::size_t>(sourceWaveSteps * (row.closed ? rays : rays - 1)));
        for (const auto& s : joins)
            EXPECT_GT(std::hypot(b.surface.userX(s.x2), b.surface.userY(s.y2)), 1e-6);
    }
}

TEST(Waves, ParallelFrontsAreFlatBeforeTheLensAndJoinOnlyNeighbours)
{
    for (const double n : {1.5, 0.8, 2.5}) {
        SCOPED_TRACE(n);
        BenchSurface b;
        LensState lens;
        RayRecords records;
        records.raycount = 40; // left from an earlier picture: the beam records from row 0
        parallelwaves(b.surface, records, valuesFor(n, {0, 1000, -1000}).withCircles(lens), 0);
        ASSERT_GT(records.raycount, 30);
        EXPECT_EQ(dotsIn(b, waveColours::exitDot, 2).size(), static_cast<std::size_t>(records.raycount));
        const auto joins = b.device.segmentsIn(waveColours::beamFront);
        ASSERT_FALSE(joins.empty());
        for (const auto& s : joins) {
            const Point a{b.surface.userX(s.x1), b.surface.userY(s.y1)}, c{b.surface.userX(s.x2), b.surface.userY(s.y2)};
            EXPECT_LE(std::hypot(c.x - a.x, c.y - a.y), 50 / n + 1e-3);
            for (const Point& p : {a, c}) {
                if (p.x < -71) { // before the lens's left vertex: a flat front, 25 units a step
                    EXPECT_NEAR(std::remainder(p.x + 200, airStep), 0, 1e-3);
                }
            }
        }
    }
}

TEST(Waves, BeamAndFanCountsAndTheEmptyTable)
{
    // Beam rays start on x = −200: 21 at the default desmi1, three at its minimum.
    for (const auto& [desmi1, rays] : {std::pair{20, 21}, std::pair{2, 3}}) {
        BenchSurface b;
        LensState lens;
        RayRecords records;
        BenchScene v = valuesFor(1.5);
        v.desmi1 = desmi1;
        int redraws = 0;
        ASSERT_TRUE(parallelbeam(b.surface, records, v.withCircles(lens), [&] { ++redraws; return v.withCircles(lens); }, 0));
        std::set<double> starts;
        for (const auto& s : b.device.segments)
            if (std::fabs(b.surface.userX(s.x1) + 200) < 1e-3)
                starts.insert(std::round(b.surface.userY(s.y1) * 1000) / 1000);
        EXPECT_EQ(starts.size(), static_cast<std::size_t>(rays));
        EXPECT_EQ(*starts.rbegin(), 200);
        EXPECT_EQ(*starts.begin(), -200);
        EXPECT_EQ(redraws, 1);
        EXPECT_TRUE(b.device.dots.empty()); // no wave box ticked
    }
    // A fan of 13 rays at 30°, all recorded from inside the glass.
    {
        BenchSurface b;
        RayRecords records;
        BenchScene v = valuesFor(1.5);
        v.raystep = 30;
        v.waves.onlyWaves = true;
        desmiapopigi(b.surface, records, v, -50, 20, 100, 90, -10, 0);
        EXPECT_EQ(records.raycount, 13);
    }
    // With no recorded ray the point-source waves draw only the lens outline: at every step, or once.
    for (const auto& [outlines, arcs] : {std::pair{OutlineRedraw::everyStep, 52}, std::pair{OutlineRedraw::once, 2}}) {
        BenchSurface b;
        RayRecords records;
        BenchScene v;
        v.outlines = outlines;
        kymataapopigi(b.surface, records, v.withCircles(LensState{}), -200, 0);
        EXPECT_EQ(b.device.count(), static_cast<std::size_t>(arcs));
        EXPECT_EQ(b.device.ellipses.size(), static_cast<std::size_t>(arcs));
        for (const auto& e : b.device.ellipses)
            EXPECT_TRUE(e.isArc && e.start != e.end);
    }
    // A vertical beam is refused before anything is drawn or changed.
    for (const double angle : {pi / 2, -pi / 2}) {
        BenchSurface b;
        LensState lens;
        RayRecords records;
        BenchScene v = valuesFor(1.5);
        v.waves.wavesAndRays = true;
        int redraws = 0;
        EXPECT_FALSE(parallelbeam(b.surface, records, v.withCircles(lens), [&] { ++redraws; return v.withCircles(lens); }, angle));
        EXPECT_EQ(b.device.count(), 0u);
        EXPECT_EQ(redraws, 0);
        EXPECT_FALSE(v.light.beam);
    }
}

TEST(Waves, BadInputGivesFiniteBoundedTables)
{
    struct Row { const char* name; LensState lens; int index; double x0, y0, beam; };
    const Row rows[] = {
        {"radius 0", {-50, 100, 20, 0, 1.5}, 150, -200, 0, 0.3},
        {"lowest index", {}, 40, -200, 0, 0.3},
        {"highest index", {}, 250, -200, 0, -0.3},
        {"source on the left face", {}, 150, -70, 0, 89.9 * pi / 180},
        {"source at a centre", {}, 150, -50, 0, -89.9 * pi / 180},
        {"source at the other centre, densest fan", {}, 150, 20, 0, 1.0},
        {"source at the rim", {}, 150, -1.4285714285714286, 87.41187882, 0},
        {"one disc inside the other", {-50, 300, 20, 90, 1.5}, 150, -200, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BenchSurface b;
        LensState lens = row.lens;
        RayRecords records;
        BenchScene v = valuesFor(row.index / 100.0);
        v.waves.wavesAndRays = true;
        v.raystep = 0.1047; // the smallest step the controls allow: 3439 rays
        desmiapopigi(b.surface, records, v, lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB, row.x0,
                     row.y0);
        v.desmi1 = 150;
        parallelbeam(b.surface, records, v.withCircles(lens), {}, row.beam);
        EXPECT_LE(records.raycount, rayTableLast + 1);
        for (int i = 0; i < records.recorded(); ++i) {
            const auto k = static_cast<std::size_t>(i);
            for (double value : {records.entryx[k], records.entryy[k], records.exitx[k], records.exity[k],
                                 records.dirx1[k], records.diry1[k], records.startx[std::min(k, RayRecords::startRows - 1)]})
                EXPECT_TRUE(std::isfinite(value));
        }
        for (const auto& s : b.device.segments)
            EXPECT_TRUE(spherical::benchtest::finite(s.x1, s.y1, s.x2, s.y2) && std::fabs(s.x1) < 1e7 && std::fabs(s.y2) < 1e7);
        for (const auto& d : b.device.dots)
            EXPECT_TRUE(std::isfinite(d.x) && std::isfinite(d.y) && std::fabs(d.x) < 1e7);
    }
}

TEST(SingleRay, LegsRefractAtBothFacesAndStopAtBlades)
{
    BenchSurface b;
    LensState lens;
    // Along the axis: straight through both faces to the edge.
    aktinamoni(b.surface, fitted, -200, 0, 1, 0, -50, 20, 100, 90, 1.5);
    const auto legs = b.device.segmentsIn(waveColours::singleRay);
    ASSERT_EQ(legs.size(), 3u);
    const double ends[][2] = {{-70, 0}, {50, 0}, {b.right(), 0}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(b.surface.userX(legs[i].x2), ends[i][0], 1e-3);
        EXPECT_NEAR(b.surface.userY(legs[i].y2), ends[i][1], 1e-3);
    }
    // An oblique ray obeys Snell's law where its legs meet.
    b.device.reset();
    aktinamoni(b.surface, fitted, -200, 20, std::cos(0.1), std::sin(0.1), -50, 20, 100, 90, 1.5);
    const auto bent = b.device.segmentsIn(waveColours::singleRay);
    ASSERT_EQ(bent.size(), 3u);
    for (std::size_t i = 0; i < 2; ++i) {
        const auto& a = bent[i];
        const auto& c = bent[i + 1];
        expectSnell(b.surface.userX(a.x2), b.surface.userY(a.y2), a.x2 - a.x1, -(a.y2 - a.y1), c.x2 - c.x1,
                    -(c.y2 - c.y1), lens);
    }
    int kind = -1;
    const auto exit = prototomimoni(-50, 20, 100, 90, 1, 0, 0, 0, kind);
    EXPECT_TRUE(exit.vrethike);
    EXPECT_NEAR(exit.x, 50, 1e-9);
    EXPECT_EQ(kind, 1);
    // Stopped by a blade, or started outside the view: nothing drawn.
    b.device.reset();
    aktinamoni(b.surface, {-100, 10, -10}, -200, 50, 1, 0, -50, 20, 100, 90, 1.5);
    aktinamoni(b.surface, fitted, -1000, 0, 1, 0, -50, 20, 100, 90, 1.5);
    EXPECT_EQ(b.device.count(), 0u);
}


TEST(WaveAnimation, EachTickMovesTheFrontByOneTickOfOpticalPathThroughBothFaces)
{
    struct Row { const char* name; bool parallel; double angle, x0, y0, n; };
    const Row rows[] = {
        {"fan from the axis", false, 0, -200, 0, 1.5},
        {"fan from off the axis, dense glass", false, 0, -170, 60, 2.2},
        {"beam at 20°", true, 20 * pi / 180, 0, 0, 1.5},
        {"beam through a lens of index 0.8", true, 0, 0, 0, 0.8},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BenchSurface b;
        LensState lens;
        lens.refindex = row.n;
        RayRecords records;
        BenchScene v = valuesFor(row.n, {0, 1000, -1000});
        v.waves.onlyWaves = true;
        if (row.parallel) {
            parallelwaves(b.surface, records, v.withCircles(lens), row.angle);
        } else {
            v.raystep = 0.628319;
            desmiapopigi(b.surface, records, v, lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB,
                         row.x0, row.y0);
        }
        const int rays = records.raycount;
        ASSERT_GT(rays, 20);
        WaveAnimation a;
        sxediasifakoy11(b.surface, withIndex(lens, row.n), records, row.parallel, row.x0, row.y0, a);
        auto start = [&](int i) {
            const auto k = static_cast<std::size_t>(i);
            return row.parallel ? Point{records.startx[k], records.starty[k]} : Point{row.x0, row.y0};
        };
        // The tables, in double precision: every point at 2.5·j of optical path, and every ray through
        // the glass and out of it by the last tick.
        int inGlass = 0;
        for (int i = 0; i < rays; ++i)
            for (int j = 0; j <= lastAnimationTick; ++j) {
                const auto path = opticalPath(records, i, start(i), {a.x(i, j), a.y(i, j)}, row.n);
                ASSERT_TRUE(path.has_value()) << "ray " << i << " tick " << j;
                ASSERT_NEAR(*path, tickStep * j, 1e-6) << "ray " << i << " tick " << j;
                const auto k = static_cast<std::size_t>(i);
                const double d0 = std::hypot(records.entryx[k] - start(i).x, records.entryy[k] - start(i).y);
                inGlass += *path > d0 && *path < d0 + row.n * records.glasslength[k];
            }
        EXPECT_GT(inGlass, rays);
        // What is drawn: at each tick one red point per ray on that front, the old front erased in the
        // back colour, and the kept fronts in dark blue at pen width 1.
        for (const int j : {1, 30, 95, lastAnimationTick}) {
            b.device.reset();
            drawWaveTick(b.surface, a, j, rays);
            const std::vector<Point> front = dotsIn(b, animationColours::front, 2);
            ASSERT_EQ(front.size(), static_cast<std::size_t>(rays));
            for (int i = 0; i < rays; ++i) {
                const auto path = opticalPath(records, i, start(i), front[static_cast<std::size_t>(i)], row.n);
                ASSERT_TRUE(path.has_value());
                EXPECT_NEAR(*path, tickStep * j, 2e-3);
            }
            EXPECT_EQ(dotsIn(b, b.surface.BackColor, 2).size(), static_cast<std::size_t>(rays));
            EXPECT_EQ(dotsIn(b, animationColours::keptFront, 1).size(), static_cast<std::size_t>(rays * ((j - 1) / 10)));
            const auto joins = b.device.segmentsIn(animationColours::front);
            EXPECT_GE(joins.size(), static_cast<std::size_t>(rays - 1));
            for (const auto& s : joins)
                EXPECT_EQ(s.pen.width, 2);
        }
    }
}

TEST(WaveAnimation, StartsAndJoinsThatWouldDrawAWrongFront)
{
    // A fan from right of the lens records the rays below the axis first and those above it last: the
    // lowest and the highest ray are consecutive rows but not neighbours, and are never joined.
    BenchSurface b;
    LensState lens;
    RayRecords records;
    BenchScene v = valuesFor(1.5, {-1000, 1000, -1000});
    v.waves.onlyWaves = true;
    v.raystep = 0.628319;
    desmiapopigi(b.surface, records, v, lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB, 220, 0);
    ASSERT_GT(records.raycount, 20);
    WaveAnimation a;
    // Rows left from an earlier, longer picture stay out of the animation.
    records.entryx[static_cast<std::size_t>(records.raycount)] = 1e9;
    sxediasifakoy11(b.surface, lens, records, false, 220, 0, a);
    EXPECT_EQ(a.rays, records.raycount);
    b.device.reset();
    drawWaveTick(b.surface, a, 40, a.rays);
    const auto joins = b.device.segmentsIn(animationColours::front);
    EXPECT_GE(joins.size(), static_cast<std::size_t>(a.rays - 2));
    for (const auto& s : joins)
        EXPECT_LT(std::hypot(s.x2 - s.x1, s.y2 - s.y1), b.surface.ScaleX(12)) << "a chord across the front";
    // Row 0 and the row after the jump across the fan are joined to no row before them; the fan's last ray
    // closes the front on its first.
    EXPECT_EQ(std::count_if(a.joinedTo.begin(), a.joinedTo.end(), [](const auto& j) { return j.empty(); }), 2);
    EXPECT_EQ(a.joinedTo.back(), (std::vector<int>{a.rays - 2, 0}));
    // Every ray of a fan starts at the source; a record that does not lead into the lens keeps its start
    // direction; an empty table draws nothing at all.
    for (int i = 0; i < a.rays; ++i)
        EXPECT_TRUE(a.x(i, 0) == 220 && a.y(i, 0) == 0) << i;
    records.entryx[3] = records.entryx[3] + 40;
    sxediasifakoy11(b.surface, lens, records, false, 220, 0, a);
    for (const int j : {1, 100, lastAnimationTick})
        EXPECT_NEAR(std::hypot(a.x(3, j) - 220 - tickStep * j * records.dirx0[3], a.y(3, j) - tickStep * j * records.diry0[3]), 0, 1e-9);
    records.raycount = 0;
    sxediasifakoy11(b.surface, lens, records, false, 220, 0, a);
    b.device.reset();
    drawWaveTick(b.surface, a, 1, records.raycount);
    EXPECT_EQ(b.device.count(), 0u);
}

} // namespace
} // namespace lens::waves
