#include "scene_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace lens::hyperbolic {
namespace {

using testing::bFor;
using testing::crossSine;
using testing::Screen;

// Normal line of the biconvex lens's surface at (x, y): the gradient of the face's hyperbola.
void normalAt(const HyperbolicLens& lens, double x, double y, double& nx, double& ny)
{
    const double xc = x < 4 * lens.a ? x : x - 8 * lens.a;
    nx = xc / (lens.a * lens.a);
    ny = -y / (lens.b * lens.b);
}

void expectOnBiconvexFace(const HyperbolicLens& lens, double x, double y)
{
    const double xc = x < 4 * lens.a ? x : x - 8 * lens.a;
    EXPECT_GE(x, lens.a - 1e-9);
    EXPECT_LE(x, 7 * lens.a + 1e-9);
    EXPECT_LE(std::fabs(y), lens.rim + 1e-9) << "beyond the rim: (" << x << ", " << y << ")";
    EXPECT_NEAR(xc * xc / (lens.a * lens.a) - y * y / (lens.b * lens.b), 1, 1e-9) << "(" << x << ", " << y << ")";
}

TEST(BiconvexLens, OutlineAndFanAtIndexOnePointFive)
{
    Screen screen;
    auto& s = screen.scene;
    drawbiconvexlens(screen.surface, s, 12, bFor(1.5), 108, 25);
    EXPECT_EQ(s.caption, "Αμφίκυρτος φακός του Ιμπν Σαχλ με δύο υπερβολές");
    // Two faces of 150 points on each half, no plane face; the lens spans x = 12 to 84, ±51.96 at most.
    const auto red = screen.segments(colours::red);
    EXPECT_EQ(screen.count(colours::red, 3), 600u);
    double left = 1e9, right = -1e9, top = 0;
    for (const auto& seg : red)
        if (seg.width == 3) {
            left = std::min({left, seg.x1, seg.x2});
            right = std::max({right, seg.x1, seg.x2});
            top = std::max({top, std::fabs(seg.y1), std::fabs(seg.y2)});
        }
    EXPECT_NEAR(left, 12, 1e-4);
    EXPECT_NEAR(right, 84, 1e-4);
    EXPECT_LT(top, 51.96);
    EXPECT_GT(top, 51.6);
    EXPECT_EQ(screen.count(colours::black, 1), 27u); // three construction lines for each of nine heights
    EXPECT_EQ(screen.device.ellipses.size(), 1u);    // the source mark only

    // Forty-five rays: 0.9, 0.86, ... −0.86.
    EXPECT_EQ(screen.startingAt(colours::blue, 108, 25) + screen.startingAt(colours::magenta, 108, 25), 45u);
    ASSERT_GT(s.raycount, 10);
    const HyperbolicLens lens = lensShape(12, bFor(1.5), 1.5);
    for (int i = 0; i < s.raycount; ++i) {
        SCOPED_TRACE(i);
        expectOnBiconvexFace(lens, s.sahlentryx[i], s.sahlentryy[i]);
        expectOnBiconvexFace(lens, s.sahlexitx[i], s.sahlexity[i]);
        // The slope kept for each recorded ray is the slope of its line from the source.
        EXPECT_NEAR(s.biconvexslope[i], (s.sahlentryy[i] - 25) / (s.sahlentryx[i] - 108), 1e-6);
        EXPECT_NEAR(std::fmod(0.9 - s.biconvexslope[i] + 1e-6, 0.04), 0, 1e-5);
    }
    // The green lines after the lens are 130 long.
    for (const auto& seg : screen.segments(colours::green))
        EXPECT_NEAR(std::hypot(seg.x2 - seg.x1, seg.y2 - seg.y1), 130, 1e-3);
}

TEST(BiconvexLens, ImagesItsRightFocusOntoItsLeftFocus)
{
    for (double n : {1.2, 1.5, 2.5}) {
        SCOPED_TRACE(n);
        const double c = 12 * n;
        Screen screen(n);
        auto& s = screen.scene;
        drawbiconvexlens(screen.surface, s, 12, bFor(n), 96 + c, 0);
        ASSERT_GE(s.raycount, 20);
        for (int i = 0; i < s.raycount; ++i) {
            const double run = s.sahlexitx[i] - s.sahlentryx[i];
            EXPECT_LT(std::fabs((s.sahlexity[i] - s.sahlentryy[i]) / run), 1e-9) << i;
        }
        // In double precision each outgoing line passes through (−c, 0).
        const HyperbolicLens lens = lensShape(12, bFor(n), n);
        SceneInputs in;
        in.lensindex = n;
        int left = 0;
        for (int r = 0; r < 45; ++r) {
            const double slope = 0.9 - 0.04 * r;
            const TracedRay ray = biconvexRayPath(lens, in, 96 + c, 0, slope, -slope * (96 + c));
            if (ray.end != RayEnd::leftLens)
                continue;
            ++left;
            const double distance = std::fabs((-c - ray.exitx) * ray.diry - (0 - ray.exity) * ray.dirx);
            EXPECT_LT(distance, 1e-6) << "slope " << slope;
            EXPECT_LT(ray.dirx, 0);
        }
        EXPECT_EQ(left, s.raycount);
    }
}

TEST(BiconvexLens, SnellsLawAtBothFaces)
{
    struct Source {
        double x, y;
    };
    const Source sources[] = {{108, 25}, {-18, 0}, {-30, 20}, {120, -10}, {40, 90}};
    // At n = 1.05 the steep chords of the fan from (108, 25) meet the entry face again, not the other face.
    for (double n : {1.05, 1.2, 1.5, 2.5})
        for (const auto& src : sources) {
            SCOPED_TRACE(::testing::Message() << "n " << n << " source " << src.x << ", " << src.y);
            const HyperbolicLens lens = lensShape(12, bFor(n), n);
            SceneInputs in;
            in.lensindex = n;
            in.diaphragm.x = 400; // out of the way
            for (int r = 0; r < 45; ++r) {
                const double slope = 0.9 - 0.04 * r;
                const TracedRay ray = biconvexRayPath(lens, in, src.x, src.y, slope, src.y - slope * src.x);
                if (ray.end != RayEnd::leftLens)
                    continue;
                expectOnBiconvexFace(lens, ray.entryx, ray.entryy);
                expectOnBiconvexFace(lens, ray.exitx, ray.exity);
                EXPECT_NE(ray.entryx < 4 * lens.a, ray.exitx < 4 * lens.a); // through both faces
                const double ix = ray.entryx - src.x, iy = ray.entryy - src.y;
                const double gx = ray.exitx - ray.entryx, gy = ray.exity - ray.entryy;
                double nx, ny;
                normalAt(lens, ray.entryx, ray.entryy, nx, ny);
                EXPECT_NEAR(crossSine(ix, iy, nx, ny), n * crossSine(gx, gy, nx, ny), 1e-9);
                EXPECT_GT((ix * nx + iy * ny) * (gx * nx + gy * ny), 0);
                normalAt(lens, ray.exitx, ray.exity, nx, ny);
                EXPECT_NEAR(n * crossSine(gx, gy, nx, ny), crossSine(ray.dirx, ray.diry, nx, ny), 1e-9);
                EXPECT_GT((gx * nx + gy * ny) * (ray.dirx * nx + ray.diry * ny), 0);
            }
        }
}

TEST(BiconvexLens, BladesAfterTheLensStopRaysButLeaveTheirLegsDrawn)
{
    // From the left focus the rays leave the right face towards the right focus and reach the blades at 130.
    const double c = 18;
    Screen open, shut;
    open.scene.in.diaphragm.upperTip = 500;
    open.scene.in.diaphragm.lowerTip = -500;
    drawbiconvexlens(open.surface, open.scene, 12, bFor(1.5), -c, 0);
    shut.surface.ForeColor = RGB(10, 20, 30);
    drawbiconvexlens(shut.surface, shut.scene, 12, bFor(1.5), -c, 0);

    ASSERT_FALSE(shut.device.dots.empty());
    EXPECT_TRUE(open.device.dots.empty());
    // A ray stopped after the lens gets a wide dot in the fore colour of the moment and runs magenta from its
    // exit point; the steepest rays pass beside the lens and end at the blades with the narrow magenta dot.
    std::size_t afterLens = 0;
    for (const auto& dot : shut.device.dots) {
        const bool stoppedAfterLens = dot.pen.width == 5;
        afterLens += stoppedAfterLens;
        if (!stoppedAfterLens) {
            EXPECT_EQ(dot.pen.width, 4);
            EXPECT_EQ(dot.pen.colour, colours::magenta);
        }
        EXPECT_NEAR(shut.surface.userX(dot.x), 130, 0.2);
        const double y = shut.surface.userY(dot.y);
        EXPECT_TRUE(y > 10 || y < -10);
    }
    ASSERT_GT(afterLens, 0u);
    EXPECT_EQ(shut.scene.raycount + static_cast<int>(afterLens), open.scene.raycount);
    EXPECT_EQ(shut.segments(colours::magenta).size(), shut.device.dots.size());
    // Incoming, glass and normal lines are drawn for every ray that reached the glass, stopped or not.
    EXPECT_EQ(shut.segments(colours::cyan).size(), open.segments(colours::cyan).size());
    EXPECT_LT(shut.segments(colours::green).size(), open.segments(colours::green).size());
}

TEST(BiconvexLens, OnlyWavesLeavesTheOutlineAndFronts)
{
    Screen screen;
    screen.scene.in.waves.onlyWaves = true;
    drawbiconvexlens(screen.surface, screen.scene, 12, bFor(1.5), 108, 25);
    ASSERT_GT(screen.scene.raycount, 2);
    EXPECT_EQ(screen.device.segments.size(), 600u + 30u * static_cast<std::size_t>(screen.scene.raycount - 2));
    EXPECT_EQ(screen.segments(colours::blue).size(), 30u * static_cast<std::size_t>(screen.scene.raycount - 2));
}

} // namespace
} // namespace lens::hyperbolic
