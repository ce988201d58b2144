#include "scene_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <functional>
#include <numbers>
#include <optional>

namespace lens::hyperbolic {
namespace {

using testing::bFor;
using testing::Screen;

// Distance from P to the segment A–B.
double toSegment(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0;
    t = std::fmax(0, std::fmin(1, t));
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Optical path from the start of row i to the point P, found from the leg P lies on; empty when P is on no leg.
std::optional<double> opticalPath(const HyperbolicScene& s, int i, double sx, double sy, double px, double py)
{
    const double n = s.in.lensindex;
    const double ex = s.sahlentryx[i], ey = s.sahlentryy[i], xx = s.sahlexitx[i], xy = s.sahlexity[i];
    const double d1 = std::hypot(ex - sx, ey - sy), d2 = std::hypot(xx - ex, xy - ey);
    if (toSegment(px, py, sx, sy, ex, ey) < 1e-9)
        return std::hypot(px - sx, py - sy);
    if (toSegment(px, py, ex, ey, xx, xy) < 1e-9)
        return d1 + n * std::hypot(px - ex, py - ey);
    const double len = std::hypot(double(s.sahldirx[i]), double(s.sahldiry[i]));
    const double ux = s.sahldirx[i] / len, uy = s.sahldiry[i] / len;
    const double along = (px - xx) * ux + (py - xy) * uy;
    if (along >= 0 && std::fabs((px - xx) * uy - (py - xy) * ux) < 1e-9)
        return d1 + n * d2 + along;
    return std::nullopt;
}

struct SceneCase {
    const char* what;
    double n;
    std::optional<double> beamSlope; // empty for a point source
    std::function<void(Surface&, HyperbolicScene&, double b)> draw;
};

// Along every front the k-th points of all rays have one optical path, 15 more than on the front before:
// from the source for a fan, from a plane perpendicular to the rays for a beam.
TEST(WavePoints, EveryFrontHasOneOpticalPath)
{
    const double m20 = std::tan(20 * std::numbers::pi / 180), m45 = 1;
    const SceneCase cases[] = {
        {"plano-convex from (108, 25)", 1.5, {}, [](Surface& f, HyperbolicScene& s, double b) { drawsahllens(f, s, 12, b, 108, 25); }},
        {"plano-convex from the far focus", 2.5, {}, [](Surface& f, HyperbolicScene& s, double b) { drawsahllens(f, s, 12, b, -30, 0); }},
        {"biconvex from (108, 25)", 1.5, {}, [](Surface& f, HyperbolicScene& s, double b) { drawbiconvexlens(f, s, 12, b, 108, 25); }},
        {"biconvex from (−40, 15)", 1.5, {}, [](Surface& f, HyperbolicScene& s, double b) { drawbiconvexlens(f, s, 12, b, -40, 15); }},
        {"plano-convex beam at 0°", 1.5, 0.0, [](Surface& f, HyperbolicScene& s, double b) { sahlparallelbeam(f, s, 12, b, 0); }},
        {"plano-convex beam at 20°", 1.5, m20, [=](Surface& f, HyperbolicScene& s, double b) { sahlparallelbeam(f, s, 12, b, m20); }},
        {"plano-convex beam at 45°", 1.5, m45, [=](Surface& f, HyperbolicScene& s, double b) { sahlparallelbeam(f, s, 12, b, m45); }},
        {"biconvex beam at 0° (thin rim)", 2.5, 0.0, [](Surface& f, HyperbolicScene& s, double b) { biconvexparallelbeam(f, s, 12, b, 0); }},
        {"biconvex beam at 20°", 1.5, m20, [=](Surface& f, HyperbolicScene& s, double b) { biconvexparallelbeam(f, s, 12, b, m20); }},
        {"biconvex beam at 45°", 1.5, m45, [=](Surface& f, HyperbolicScene& s, double b) { biconvexparallelbeam(f, s, 12, b, m45); }},
        {"biconvex beam at −45°", 1.5, -m45, [=](Surface& f, HyperbolicScene& s, double b) { biconvexparallelbeam(f, s, 12, b, -m45); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Screen screen(c.n);
        c.draw(screen.surface, screen.scene, bFor(c.n));
        const auto& s = screen.scene;
        ASSERT_GT(s.raycount, 1);
        // A beam travels towards −x along u; the path from any plane perpendicular to u is the path from the
        // ray's start plus the start's distance along u (up to a constant the same for every ray).
        const double m = c.beamSlope.value_or(0);
        const double ux = -1 / std::hypot(1, m), uy = -m / std::hypot(1, m);
        int inGlass = 0;
        for (int k = 1; k <= 30; ++k) {
            std::optional<double> front;
            for (int i = 0; i < s.raycount; ++i) {
                const double sx = s.raystartx[i], sy = s.raystarty[i];
                ASSERT_EQ(s.waveX(i, 0), sx);
                const auto path = opticalPath(s, i, sx, sy, s.waveX(i, k), s.waveY(i, k));
                ASSERT_TRUE(path.has_value()) << "ray " << i << " point " << k;
                const double fromFront = *path + (c.beamSlope ? sx * ux + sy * uy : 0.0);
                if (!c.beamSlope) {
                    EXPECT_NEAR(fromFront, 15.0 * k, 1e-9) << "ray " << i << " point " << k;
                }
                if (!front)
                    front = fromFront;
                EXPECT_NEAR(fromFront, *front, 1e-6) << "ray " << i << " point " << k;
                inGlass += toSegment(s.waveX(i, k), s.waveY(i, k), s.sahlentryx[i], s.sahlentryy[i], s.sahlexitx[i],
                                     s.sahlexity[i]) < 1e-9;
            }
            if (k > 1 && s.raycount > 0) {
                const double here = *opticalPath(s, 0, s.raystartx[0], s.raystarty[0], s.waveX(0, k), s.waveY(0, k));
                const double before = *opticalPath(s, 0, s.raystartx[0], s.raystarty[0], s.waveX(0, k - 1), s.waveY(0, k - 1));
                EXPECT_NEAR(here - before, 15, 1e-9) << k;
            }
        }
        EXPECT_GT(inGlass, 0);
    }
}

// A front joins two rays only where no ray of the fan was lost between them: the joins drawn are the pairs
// of neighbouring slopes that both leave the lens, traced here ray by ray.
TEST(WavePoints, FrontsJoinOnlyFanNeighbours)
{
    for (bool biconvex : {false, true}) {
        SCOPED_TRACE(biconvex ? "biconvex" : "plano-convex");
        Screen screen;
        // Rays lost in the middle of the fan: past the rim or inside the vertex from (60, −30), at the blades
        // behind the biconvex lens from (0, 0).
        const double x0 = biconvex ? 0 : 60, y0 = biconvex ? 0 : -30;
        screen.scene.in.light.x = x0;
        screen.scene.in.light.y = y0;
        if (biconvex)
            drawbiconvexlens(screen.surface, screen.scene, 12, bFor(1.5), x0, y0);
        else
            drawsahllens(screen.surface, screen.scene, 12, bFor(1.5), x0, y0);
        const HyperbolicLens lens = lensShape(12, bFor(1.5), 1.5);
        std::vector<bool> left;
        const double step = biconvex ? -0.04 : -0.03;
        for (double slope = 0.9; slope >= -0.9; slope += step) {
            const TracedRay ray = biconvex ? biconvexRayPath(lens, screen.scene.in, x0, y0, slope, y0 - slope * x0)
                                           : tracePlanoConvexRay(lens, screen.scene.in, x0, y0, slope, y0 - slope * x0);
            left.push_back(ray.end == RayEnd::leftLens);
        }
        // The scene's fronts start at the second recorded ray.
        std::size_t pairs = 0, recorded = 0, lostBetween = 0;
        for (std::size_t j = 0; j + 1 < left.size(); ++j) {
            recorded += left[j];
            if (left[j] && left[j + 1] && recorded >= 2)
                ++pairs;
            if (left[j] && !left[j + 1] && std::find(left.begin() + long(j) + 1, left.end(), true) != left.end())
                ++lostBetween;
        }
        EXPECT_GT(lostBetween, 0u); // the case must have a gap to test
        EXPECT_EQ(screen.segments(colours::blue).size() - screen.startingAt(colours::blue, x0, y0), 30 * pairs);
    }
}

TEST(WavePoints, StepsAcrossTheEntryAndThroughTheGlass)
{
    Screen screen;
    auto& s = screen.scene;
    s.in.light.x = 0;
    s.in.light.y = 0;
    // Twenty units of air, forty of glass, then on along +x.
    s.sahlentryx[3] = 20;
    s.sahlexitx[3] = 60;
    s.sahldirx[3] = 1;
    screen.surface.ForeColor = colours::red;
    screen.surface.DrawWidth = 3;
    raywavepoints(screen.surface, s, 3);
    EXPECT_EQ(screen.surface.ForeColor, colours::black);
    EXPECT_EQ(screen.surface.DrawWidth, 1);
    EXPECT_DOUBLE_EQ(s.waveX(3, 1), 15);
    EXPECT_DOUBLE_EQ(s.waveX(3, 2), 20 + 10 / 1.5);
    // In glass of index 1.5 the points are 10 apart; in air 15.
    for (int k = 3; k <= 5; ++k)
        EXPECT_NEAR(s.waveX(3, k) - s.waveX(3, k - 1), 10, 1e-12) << k;
    EXPECT_NEAR(s.waveX(3, 30) - s.waveX(3, 29), 15, 1e-12);
    EXPECT_TRUE(screen.device.segments.empty()); // wave points draw nothing
}

TEST(WavePoints, RowsWithoutDirectionOrOutsideTheTableAreLeftAlone)
{
    Screen screen;
    auto& s = screen.scene;
    for (int i : {0, 500, 501, 600})
        s.setWavePoint(i, 5, 7, 7);
    s.sahlentryx[0] = 20; // no direction: never recorded
    for (int i : {0, 501, 600, -1, 100000})
        raywavepoints(screen.surface, s, i);
    beamwavepoints(screen.surface, s, 130, 0, 700);
    for (int i : {0, 501, 600})
        EXPECT_EQ(s.waveX(i, 5), 7) << i;
    // Outside the table nothing is stored and 0 is read.
    s.setWavePoint(601, 0, 1, 1);
    s.setWavePoint(0, 1201, 1, 1);
    EXPECT_EQ(s.waveX(601, 0), 0);
    EXPECT_EQ(s.waveY(0, 1201), 0);
    EXPECT_EQ(s.waveX(-1, -1), 0);
}

TEST(WavePoints, WavesItemJoinsAllRecordedRaysInForeColor)
{
    Screen screen;
    auto& s = screen.scene;
    drawsahllens(screen.surface, s, 12, bFor(1.5), 108, 25);
    ASSERT_GT(s.raycount, 2);
    const std::size_t before = screen.device.segments.size();
    std::vector<double> lastPoints;
    for (int i = 0; i < s.raycount; ++i)
        lastPoints.push_back(s.waveX(i, 30));
    screen.surface.ForeColor = RGB(1, 2, 3); // raywavepoints turns it black again
    redrawwavefronts(screen.surface, s);
    // A fan's rays are followed from the source, as the fan placed their points.
    for (int i = 0; i < s.raycount; ++i)
        EXPECT_DOUBLE_EQ(s.waveX(i, 30), lastPoints[static_cast<std::size_t>(i)]) << i;
    const std::size_t added = screen.device.segments.size() - before;
    EXPECT_EQ(added, 30u * static_cast<std::size_t>(s.raycount - 1));
    for (std::size_t j = before; j < screen.device.segments.size(); ++j)
        EXPECT_EQ(screen.device.segments[j].pen.colour, colours::black);
    // The first front starts at ray 0's first point.
    EXPECT_NEAR(screen.surface.userX(screen.device.segments[before].x1), s.waveX(0, 1), 1e-3);
}

TEST(WavePoints, WavesItemUsesEachBeamRaysOwnStart)
{
    Screen screen;
    auto& s = screen.scene;
    sahlparallelbeam(screen.surface, s, 12, bFor(1.5), std::tan(0.349066));
    ASSERT_GT(s.raycount, 2);
    std::vector<double> before;
    for (int i = 0; i < s.raycount; ++i)
        before.push_back(s.waveX(i, 30));
    redrawwavefronts(screen.surface, s);
    for (int i = 0; i < s.raycount; ++i) {
        EXPECT_EQ(s.waveX(i, 0), 130);
        EXPECT_DOUBLE_EQ(s.waveX(i, 30), before[static_cast<std::size_t>(i)]) << i;
    }
}

} // namespace
} // namespace lens::hyperbolic
