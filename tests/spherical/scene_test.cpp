#include "spherical/spherical_lens.h"

#include "bench_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace lens::spherical {
namespace {

using benchtest::BenchSurface;

struct Redraw {
    BenchSurface bench;
    LensState lens;
    std::vector<DiaphragmFit> fits;
    std::size_t drawnBeforeFit = 0;

    void run(const BenchControls& controls)
    {
        lens = anaschediasi(bench.surface, controls, [this](const DiaphragmFit& f) {
            fits.push_back(f);
            drawnBeforeFit = bench.device.count();
        });
    }
    double ux(double px) const { return bench.surface.userX(px); }
    double uy(double py) const { return bench.surface.userY(py); }
    double units(double px) const { return px / std::fabs(bench.surface.ScaleX(1)); }
};

TEST(SceneRedraw, DefaultBenchScene)
{
    Redraw r;
    r.bench.surface.DrawWidth = 1;
    r.run(BenchControls{});
    const auto& dev = r.bench.device;

    EXPECT_EQ(r.lens.refindex, 1.5);
    EXPECT_EQ(r.lens.xcentreA, -50);
    EXPECT_EQ(r.lens.radiusA, 100);
    EXPECT_EQ(r.lens.xcentreB, 20);
    EXPECT_EQ(r.lens.radiusB, 90);

    // Focus marks, centre marks, then the two black outlines, in that order.
    ASSERT_EQ(dev.ellipses.size(), 6u);
    const double markX[] = {-96.165, 93.308, -50, 20, -50, 20};
    const double radius[] = {3, 3, 3, 3, 100, 90};
    const Rgb colour[] = {sceneColours::focus, sceneColours::focus, sceneColours::centre,
                          sceneColours::centre, colours::black, colours::black};
    const bool filled[] = {true, true, false, false, false, false};
    const int width[] = {1, 1, 2, 2, 2, 2};
    for (std::size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const auto& e = dev.ellipses[i];
        EXPECT_NEAR(r.ux(e.cx), markX[i], 5e-4);
        EXPECT_NEAR(r.uy(e.cy), 0, 1e-9);
        EXPECT_NEAR(r.units(e.rx), radius[i], 1e-4);
        EXPECT_EQ(e.pen.colour, colour[i]);
        EXPECT_EQ(e.filled, filled[i]);
        EXPECT_EQ(e.pen.width, width[i]);
    }
    // The focus marks are filled with the surface's own fill colour, not the glass tint.
    EXPECT_EQ(dev.ellipses[0].fillColour, colours::black);

    // Two polygons of 50 sides whose corners lie on the circles.
    ASSERT_EQ(dev.segments.size(), 100u);
    for (const auto& s : dev.segments) {
        EXPECT_EQ(s.pen.colour, sceneColours::polygon);
        EXPECT_EQ(s.pen.width, 2);
        const double x = r.ux(s.x2), y = r.uy(s.y2);
        const bool onA = std::fabs(apostasi(x, y, -50, 0) - 100) < 1e-3;
        const bool onB = std::fabs(apostasi(x, y, 20, 0) - 90) < 1e-3;
        EXPECT_TRUE(onA || onB);
    }

    // The glass is tinted from the device pixel of (X, 50), only over the seed's own colour, up to black.
    ASSERT_EQ(dev.fills.size(), 1u);
    const auto& fill = dev.fills[0];
    EXPECT_EQ(fill.px, static_cast<int>(std::nearbyint(r.bench.surface.pixelX(tomikyklon(-50, 20, 100, 90).x1))));
    EXPECT_EQ(fill.py, static_cast<int>(std::nearbyint(r.bench.surface.pixelY(50))));
    EXPECT_EQ(fill.border, colours::black);
    EXPECT_EQ(fill.fill, sceneColours::glass);
    EXPECT_EQ(fill.mode, FloodMode::seedColour);

    EXPECT_EQ(r.bench.surface.FillStyle, noFill);
    EXPECT_EQ(r.bench.surface.FillColor, colours::black); // the next redraw's focus marks are not tinted
    EXPECT_EQ(r.bench.surface.FontName, "Arial");
    EXPECT_EQ(dev.refreshes, 1);
    EXPECT_EQ(dev.clears, 0); // the redraw draws over what is there
}

TEST(SceneRedraw, BladesAtTheCentreAreFittedToTheLensSurface)
{
    Redraw r;
    r.run(BenchControls{}); // both tips at (0, 0), inside the glass
    ASSERT_EQ(r.fits.size(), 1u);
    EXPECT_EQ(r.drawnBeforeFit, 0u); // the screen moves its blades before anything is drawn
    const DiaphragmFit& fit = r.fits[0];
    ASSERT_TRUE(fit.upper && fit.lower);
    EXPECT_NEAR(fit.upper->y, 86.6025, 5e-5);
    EXPECT_NEAR(fit.lower->y, -86.6025, 5e-5);
    // The hidden bars run from −100 at the top edge (y = 216) through 0 on the axis to +100 at the bottom:
    // ±86.6 is 40.1 % of the half height, taken down to a whole step.
    EXPECT_EQ(fit.upper->scrollValue, -41);
    EXPECT_EQ(fit.lower->scrollValue, 40);
}

struct BladeRow {
    const char* name;
    double bx, by;
    bool moves;
    double y; // the upper fit; the lower is its mirror image
};

TEST(SceneRedraw, BladeFitting)
{
    BenchSurface b;
    const BladeRow table[] = {
        {"outside the glass", 0, 100, false, 0},
        {"exactly on circle A stays", 10, 80, false, 0},
        {"left of the rim: circle B's face", -30, 10, true, std::sqrt(90.0 * 90 - 50 * 50)},
        {"right of the rim: circle A's face", 30, -10, true, std::sqrt(100.0 * 100 - 80 * 80)},
        {"inside disc A only", -100, 0, false, 0},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        const auto up = diafragmaano(b.surface, row.bx, row.by, -50, 100, 20, 90);
        const auto down = diafragmakato(b.surface, row.bx, row.by, -50, 100, 20, 90);
        ASSERT_EQ(up.has_value(), row.moves);
        ASSERT_EQ(down.has_value(), row.moves);
        if (!row.moves)
            continue;
        EXPECT_NEAR(up->y, row.y, 1e-9);
        EXPECT_NEAR(down->y, -row.y, 1e-9);
    }
    // A lens far taller than the view: the scroll values stay in their bars' ranges.
    const auto up = diafragmaano(b.surface, 0, 0, -400, 500, 300, 500);
    const auto down = diafragmakato(b.surface, 0, 0, -400, 500, 300, 500);
    ASSERT_TRUE(up && down);
    EXPECT_GT(up->y, b.top());
    EXPECT_EQ(up->scrollValue, -100);
    EXPECT_EQ(down->scrollValue, 100);
}

TEST(SceneRedraw, NoFitLeavesTheBladesAlone)
{
    Redraw r;
    BenchControls c;
    c.line1X2 = 0;
    c.line1Y2 = 150;
    r.run(c);
    EXPECT_TRUE(r.fits.empty());
    // An empty callback is allowed too.
    r.bench.device.reset();
    r.lens = anaschediasi(r.bench.surface, BenchControls{}, {});
    EXPECT_EQ(r.bench.device.fills.size(), 1u);
}

struct LensRow {
    const char* name;
    int index, centreB, centreA, radiusA, radiusB;
    bool tinted;
    double focusLeft, focusRight; // where the two focus marks are drawn
};

TEST(SceneRedraw, LensesWithoutRimOrFocus)
{
    const double fSmall = 1 / (0.5 * (1 / 100.0 + 1 / 10.0));
    const LensRow table[] = {
        {"circles apart: marks about x = 0", 150, 500, -50, 100, 10, false, -fSmall, fSmall},
        {"index 1: both marks at the rim", 100, 20, -50, 100, 90, true, -1.428571, -1.428571},
        {"radiusB 0: no rim, no focus", 150, 20, -50, 100, 0, false, 0, 0},
        {"same centre", 150, 0, 0, 100, 90, false, -1 / (0.5 * (0.01 + 1 / 90.0)), 1 / (0.5 * (0.01 + 1 / 90.0))},
        {"tangent circles: a lens with no inside", 150, 500, -500, 500, 500, false, -500, 500},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        Redraw r;
        r.run(BenchControls{row.index, row.centreB, row.centreA, row.radiusA, row.radiusB, 0, 0});
        const auto& dev = r.bench.device;
        EXPECT_EQ(dev.fills.size(), row.tinted ? 1u : 0u);
        ASSERT_EQ(dev.ellipses.size(), 6u);
        EXPECT_NEAR(r.ux(dev.ellipses[0].cx), row.focusLeft, 1e-3);
        EXPECT_NEAR(r.ux(dev.ellipses[1].cx), row.focusRight, 1e-3);
        for (const auto& e : dev.ellipses)
            EXPECT_TRUE(std::isfinite(e.cx) && std::isfinite(e.cy) && std::isfinite(e.rx));
        for (const auto& s : dev.segments)
            EXPECT_TRUE(benchtest::finite(s.x1, s.y1, s.x2, s.y2));
        EXPECT_EQ(r.bench.surface.FillStyle, noFill);
    }
}

TEST(SceneRedraw, TintSeedAlwaysInsideTheGlass)
{
    // Lenses of every shape the scroll bars allow, including ones lower than 50 at the rim.
    const BenchControls table[] = {
        {150, 20, -50, 100, 90, 0, 0},  {150, 20, -50, 50, 30, 0, 0},   {250, 0, -30, 50, 40, 0, 0},
        {40, 400, -400, 500, 500, 0, 0}, {150, 100, -100, 120, 120, 0, 0}, {150, 0, -500, 500, 20, 0, 0},
        {150, 60, -50, 60, 15, 0, 0},    {150, 10, 0, 50, 500, 0, 0},
        {95, 402, 0, 412, 25, 0, 0}, // a lens mostly beyond the right edge: the seed must be a pixel on view
    };
    for (const auto& c : table) {
        SCOPED_TRACE(testing::Message() << c.kentrokykloy2 << " " << c.aktina1 << " / " << c.kentrokykloy << " "
                                        << c.aktina2);
        Redraw r;
        r.run(c);
        const auto& fills = r.bench.device.fills;
        ASSERT_LE(fills.size(), 1u);
        if (fills.empty()) {
            // Only a lens too thin to hold a seed goes untinted.
            const SimeiaTomis rim = tomikyklon(c.kentrokykloy2, c.kentrokykloy, c.aktina1, c.aktina2);
            EXPECT_LT(rim.y1, r.units(8));
            continue;
        }
        EXPECT_TRUE(fills[0].px >= 0 && fills[0].px < 1920 && fills[0].py >= 0 && fills[0].py < 1080)
            << fills[0].px << ", " << fills[0].py;
        const double x = r.ux(fills[0].px), y = r.uy(fills[0].py);
        const double pixel = r.units(1);
        EXPECT_LT(apostasi(x, y, c.kentrokykloy2, 0), c.aktina1 - 2 * pixel);
        EXPECT_LT(apostasi(x, y, c.kentrokykloy, 0), c.aktina2 - 2 * pixel);
        // Clear of the marks on the axis.
        for (const auto& e : r.bench.device.ellipses) {
            if (r.units(e.rx) < 4) {
                EXPECT_GT(apostasi(x, y, r.ux(e.cx), r.uy(e.cy)), 3 + pixel);
            }
        }
    }
}

} // namespace
} // namespace lens::spherical
