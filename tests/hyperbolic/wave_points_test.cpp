#include "scene_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
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
    std::function<void(Surface&, HyperbolicScene&, double b)> draw;
};

TEST(WavePoints, EveryKthPointHasOpticalPathFifteenK)
{
    const SceneCase cases[] = {
        {"plano-convex from (108, 25)", 1.5, [](Surface& f, HyperbolicScene& s, double b) { drawsahllens(f, s, 12, b, 108, 25); }},
        {"plano-convex from the far focus", 2.5, [](Surface& f, HyperbolicScene& s, double b) { drawsahllens(f, s, 12, b, -30, 0); }},
        {"biconvex from (108, 25)", 1.5, [](Surface& f, HyperbolicScene& s, double b) { drawbiconvexlens(f, s, 12, b, 108, 25); }},
        {"biconvex from (−40, 15)", 1.5, [](Surface& f, HyperbolicScene& s, double b) { drawbiconvexlens(f, s, 12, b, -40, 15); }},
        {"plano-convex beam at 20°", 1.5, [](Surface& f, HyperbolicScene& s, double b) { sahlparallelbeam(f, s, 12, b, std::tan(0.349066)); }},
        {"biconvex beam at 20°", 1.5, [](Surface& f, HyperbolicScene& s, double b) { biconvexparallelbeam(f, s, 12, b, std::tan(0.349066)); }},
        {"biconvex beam at 0° (thin rim)", 2.5, [](Surface& f, HyperbolicScene& s, double b) { biconvexparallelbeam(f, s, 12, b, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Screen screen(c.n);
        c.draw(screen.surface, screen.scene, bFor(c.n));
        const auto& s = screen.scene;
        ASSERT_GT(s.raycount, 5);
        int inGlass = 0;
        for (int i = 0; i < s.raycount; ++i) {
            const double sx = s.raystartx[i], sy = s.raystarty[i];
            ASSERT_EQ(s.waveX(i, 0), sx);
            ASSERT_EQ(s.waveY(i, 0), sy);
            for (int k = 1; k <= 30; ++k) {
                const auto path = opticalPath(s, i, sx, sy, s.waveX(i, k), s.waveY(i, k));
                ASSERT_TRUE(path.has_value()) << "ray " << i << " point " << k;
                EXPECT_NEAR(*path, 15.0 * k, 1e-9) << "ray " << i << " point " << k;
                inGlass += toSegment(s.waveX(i, k), s.waveY(i, k), s.sahlentryx[i], s.sahlentryy[i], s.sahlexitx[i],
                                     s.sahlexity[i]) < 1e-9;
            }
        }
        EXPECT_GT(inGlass, 0);
    }
}

TEST(WavePoints, StepsAcrossTheEntryAndThroughTheGlass)
{
    Screen screen;
    auto& s = screen.scene;
    s.in.sourcex = 0;
    s.in.sourcey = 0;
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
    screen.surface.ForeColor = RGB(1, 2, 3); // raywavepoints turns it black again
    redrawwavefronts(screen.surface, s, false);
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
    redrawwavefronts(screen.surface, s, true);
    for (int i = 0; i < s.raycount; ++i) {
        EXPECT_EQ(s.waveX(i, 0), 130);
        EXPECT_DOUBLE_EQ(s.waveX(i, 30), before[static_cast<std::size_t>(i)]) << i;
    }
}

} // namespace
} // namespace lens::hyperbolic
