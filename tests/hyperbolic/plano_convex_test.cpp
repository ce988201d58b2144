#include "scene_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace lens::hyperbolic {
namespace {

using testing::bFor;
using testing::crossSine;
using testing::Screen;

// Whether (x, y) lies on the plano-convex lens's surface: the curved face or the plane face.
void expectOnPlanoConvexFace(double x, double y, const HyperbolicLens& lens)
{
    const double a = lens.a;
    if (std::fabs(x - 4 * a) < 1e-12) {
        EXPECT_LE(std::fabs(y), lens.rim + 1e-9);
        return;
    }
    EXPECT_GE(x, a - 1e-9);
    EXPECT_LE(x, 4 * a + 1e-9);
    EXPECT_NEAR(x * x / (a * a) - y * y / (lens.b * lens.b), 1, 1e-9) << "(" << x << ", " << y << ")";
}

// Outward-free normal of the plano-convex surface at (x, y): the axis on the plane face, the gradient elsewhere.
void normalAt(const HyperbolicLens& lens, double x, double y, double& nx, double& ny)
{
    if (std::fabs(x - 4 * lens.a) < 1e-12) {
        nx = 1, ny = 0;
    } else {
        nx = x / (lens.a * lens.a), ny = -y / (lens.b * lens.b);
    }
}

TEST(PlanoConvexLens, DefaultSceneAtIndexOnePointFive)
{
    Screen screen;
    auto& s = screen.scene;
    drawsahllens(screen.surface, s, 12, bFor(1.5), 108, 25);

    EXPECT_EQ(s.caption, "Επιπεδόκυρτος φακός του Ιμπν Σαχλ ");
    EXPECT_NEAR(lensShape(12, bFor(1.5), 1.5).rim, 51.96, 0.005);
    // 150 points on each half and the plane face, with the wide pen; the plane face at x = 48.
    EXPECT_EQ(screen.count(colours::red, 3), 301u);
    const auto red = screen.segments(colours::red);
    const auto& plane = red[300];
    EXPECT_NEAR(plane.x1, 48, 1e-4);
    EXPECT_NEAR(plane.x2, 48, 1e-4);
    EXPECT_NEAR(plane.y1, 12 * std::sqrt(1.25) * std::sqrt(47.76 * 47.76 / 144 - 1), 1e-3);

    // Sixty rays leave the source; with the blades behind the source none is stopped.
    EXPECT_EQ(screen.startingAt(colours::blue, 108, 25) + screen.startingAt(colours::magenta, 108, 25), 60u);
    EXPECT_TRUE(screen.device.dots.empty());
    ASSERT_GT(s.raycount, 0);
    const HyperbolicLens lens = lensShape(12, bFor(1.5), 1.5);
    for (int i = 0; i < s.raycount; ++i) {
        SCOPED_TRACE(i);
        // From this source every ray meets the plane face first.
        EXPECT_DOUBLE_EQ(s.sahlentryx[i], 48);
        EXPECT_LE(std::fabs(s.sahlentryy[i]), lens.rim);
        expectOnPlanoConvexFace(s.sahlexitx[i], s.sahlexity[i], lens);
        EXPECT_LT(s.sahldirx[i], 0); // on towards −x
    }
    // Rows past the recorded rays stay empty.
    EXPECT_EQ(s.sahldirx[s.raycount], 0);
    EXPECT_EQ(screen.surface.DrawWidth, 1);
}

TEST(PlanoConvexLens, SourceAtFarFocusGivesParallelRaysInTheGlass)
{
    for (double n : {1.2, 1.5, 2.5}) {
        SCOPED_TRACE(n);
        Screen screen(n);
        auto& s = screen.scene;
        const double c = 12 * n;
        s.in.diaphragm.upperTip = 500; // the blades wide open: they would stop the parallel rays above and below ±10
        s.in.diaphragm.lowerTip = -500;
        drawsahllens(screen.surface, s, 12, bFor(n), -c, 0);
        ASSERT_GE(s.raycount, 30);
        const HyperbolicLens lens = lensShape(12, bFor(n), n);
        for (int i = 0; i < s.raycount; ++i) {
            SCOPED_TRACE(i);
            expectOnPlanoConvexFace(s.sahlentryx[i], s.sahlentryy[i], lens);
            const double run = s.sahlexitx[i] - s.sahlentryx[i];
            EXPECT_LT(std::fabs((s.sahlexity[i] - s.sahlentryy[i]) / run), 1e-9);
            // Undeviated at the plane face.
            EXPECT_NEAR(s.sahldirx[i], 1, 1e-6);
            EXPECT_NEAR(s.sahldiry[i], 0, 1e-6);
        }
        // The drawn glass legs are horizontal too, and the green ones are 530 long.
        for (const auto& seg : screen.segments(colours::cyan))
            EXPECT_NEAR(seg.y1, seg.y2, 1e-3);
        for (const auto& seg : screen.segments(colours::green))
            EXPECT_NEAR(seg.x2 - seg.x1, 530, 1e-2);
    }
}

TEST(PlanoConvexLens, SnellsLawAtEveryRefractionOfTheFan)
{
    struct Source {
        double x, y;
    };
    const Source sources[] = {{108, 25}, {-18, 0}, {-40, 12}, {30, 80}, {70, -30}, {-5, -60}};
    for (double n : {1.2, 1.5, 2.5})
        for (const auto& src : sources) {
            SCOPED_TRACE(::testing::Message() << "n " << n << " source " << src.x << ", " << src.y);
            const HyperbolicLens lens = lensShape(12, bFor(n), n);
            SceneInputs in;
            in.lensindex = n;
            int traced = 0;
            for (int r = 0; r < 60; ++r) {
                const double slope = 0.9 - 0.03 * r;
                const TracedRay ray = tracePlanoConvexRay(lens, in, src.x, src.y, slope, src.y - slope * src.x);
                if (ray.end != RayEnd::leftLens)
                    continue;
                ++traced;
                expectOnPlanoConvexFace(ray.entryx, ray.entryy, lens);
                expectOnPlanoConvexFace(ray.exitx, ray.exity, lens);
                // Directions of travel: from the source to the entry, through the glass, and out.
                const double ix = ray.entryx - src.x, iy = ray.entryy - src.y;
                const double gx = ray.exitx - ray.entryx, gy = ray.exity - ray.entryy;
                double nx, ny;
                normalAt(lens, ray.entryx, ray.entryy, nx, ny);
                EXPECT_NEAR(crossSine(ix, iy, nx, ny), n * crossSine(gx, gy, nx, ny), 1e-9);
                EXPECT_GT((ix * nx + iy * ny) * (gx * nx + gy * ny), 0); // goes on across the face
                normalAt(lens, ray.exitx, ray.exity, nx, ny);
                EXPECT_NEAR(n * crossSine(gx, gy, nx, ny), crossSine(ray.dirx, ray.diry, nx, ny), 1e-9);
                EXPECT_GT((gx * nx + gy * ny) * (ray.dirx * nx + ray.diry * ny), 0);
                EXPECT_NEAR(std::hypot(ray.dirx, ray.diry), 1, 1e-12);
            }
            if (src.x == 108 || src.x == -18) {
                EXPECT_GT(traced, 10);
            }

            // The same holds for the fan as drawn and recorded, with its single-precision directions.
            Screen screen(n);
            drawsahllens(screen.surface, screen.scene, 12, bFor(n), src.x, src.y);
            const auto& t = screen.scene;
            for (int i = 0; i < t.raycount; ++i) {
                const double gx = t.sahlexitx[i] - t.sahlentryx[i], gy = t.sahlexity[i] - t.sahlentryy[i];
                double nx, ny;
                normalAt(lens, t.sahlexitx[i], t.sahlexity[i], nx, ny);
                EXPECT_NEAR(n * crossSine(gx, gy, nx, ny), crossSine(t.sahldirx[i], t.sahldiry[i], nx, ny), 1e-6);
            }
        }
}

struct OptionCase {
    const char* what;
    bool onlyWaves, onlyRays;
    bool raysDrawn, frontsDrawn;
};

TEST(PlanoConvexLens, OptionButtonsChooseRaysWavesOrBoth)
{
    const OptionCase cases[] = {
        {"RAYS WAVES", false, false, true, true},
        {"ONLY WAVES", true, false, false, true},
        {"Only Rays", false, true, true, false},
    };
    // Blades between the source and the lens stop part of the fan.
    const auto draw = [](Screen& screen, bool onlyWaves, bool onlyRays) {
        screen.scene.in.waves.onlyWaves = onlyWaves;
        screen.scene.in.waves.onlyRays = onlyRays;
        screen.scene.in.diaphragm.x = 80;
        drawsahllens(screen.surface, screen.scene, 12, bFor(1.5), 108, 25);
    };
    Screen reference;
    draw(reference, false, true);
    const std::size_t rayBlue = reference.segments(colours::blue).size();

    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Screen screen;
        draw(screen, c.onlyWaves, c.onlyRays);
        const int rays = screen.scene.raycount;
        ASSERT_GT(rays, 2);
        ASSERT_EQ(rays, reference.scene.raycount); // rays are traced and recorded whatever is drawn
        const std::size_t fronts = c.frontsDrawn ? 30u * static_cast<std::size_t>(rays - 2) : 0u;

        EXPECT_EQ(screen.count(colours::red, 3), 301u); // the outline always
        EXPECT_EQ(screen.device.ellipses.size(), 2u);   // the marks at the source and the vertex
        ASSERT_FALSE(screen.device.dots.empty());       // the blades' dots always
        for (const auto& dot : screen.device.dots) {
            EXPECT_EQ(dot.pen.colour, colours::magenta);
            EXPECT_EQ(dot.pen.width, 4);
            EXPECT_NEAR(screen.surface.userX(dot.x), 80, 0.2);
        }
        EXPECT_EQ(screen.segments(colours::blue).size(), (c.raysDrawn ? rayBlue : 0u) + fronts);
        const std::size_t expectedConstruction = c.raysDrawn ? 18u : 0u;
        EXPECT_EQ(screen.count(colours::black, 1), expectedConstruction);
        EXPECT_EQ(!screen.segments(colours::cyan).empty(), c.raysDrawn);
        EXPECT_EQ(!screen.segments(colours::green).empty(), c.raysDrawn);
        EXPECT_EQ(!screen.segments(colours::magenta).empty(), c.raysDrawn);
        EXPECT_EQ(screen.count(colours::red, 1) > 0, c.raysDrawn); // the normals
        for (const auto& seg : screen.device.segments)
            if (!(seg.pen.colour == colours::red)) {
                EXPECT_EQ(seg.pen.width, 1);
            }
    }
}

TEST(PlanoConvexLens, BladesStopRaysOutsideTheOpening)
{
    Screen open, shut;
    open.scene.in.diaphragm.x = shut.scene.in.diaphragm.x = 80;
    open.scene.in.diaphragm.upperTip = 200;
    open.scene.in.diaphragm.lowerTip = -200;
    drawsahllens(open.surface, open.scene, 12, bFor(1.5), 108, 25);
    drawsahllens(shut.surface, shut.scene, 12, bFor(1.5), 108, 25);
    EXPECT_TRUE(open.device.dots.empty());
    ASSERT_FALSE(shut.device.dots.empty());
    EXPECT_LT(shut.scene.raycount, open.scene.raycount);
    // Each stopped ray runs magenta from the source to its dot, which lies outside the opening.
    const auto magenta = shut.segments(colours::magenta);
    ASSERT_EQ(magenta.size(), shut.device.dots.size());
    for (const auto& seg : magenta) {
        EXPECT_NEAR(seg.x1, 108, 1e-3);
        EXPECT_NEAR(seg.x2, 80, 1e-3);
        EXPECT_TRUE(seg.y2 > 10 || seg.y2 < -10);
    }
    // Every recorded ray passed through the opening.
    for (int i = 0; i < shut.scene.raycount; ++i) {
        const double slope = (shut.scene.sahlentryy[i] - 25) / (shut.scene.sahlentryx[i] - 108);
        const double atBlades = 25 + slope * (80 - 108);
        EXPECT_LE(atBlades, 10);
        EXPECT_GE(atBlades, -10);
    }
}

// Light never passes a blade: wherever the blades stand outside the glass, before the lens, after it or
// beside it, no ray line drawn crosses them outside the opening, each stopped ray ends on its blade, and
// only rays that passed the opening are recorded and so take part in the wavefronts.
TEST(HyperbolicLenses, NoDrawnRayCrossesAClosedBlade)
{
    struct Case {
        const char* what;
        double bladesX;
        std::function<void(Screen&)> draw;
    };
    const double b = bFor(1.5);
    const Case cases[] = {
        {"plano-convex fan from the far focus, blades at their start place", 130,
         [&](Screen& s) { drawsahllens(s.surface, s.scene, 12, b, -18, 0); }},
        {"plano-convex fan, blades beyond the lens", -60,
         [&](Screen& s) { drawsahllens(s.surface, s.scene, 12, b, 108, 25); }},
        {"plano-convex fan, blades before the lens", 80,
         [&](Screen& s) { drawsahllens(s.surface, s.scene, 12, b, 108, 25); }},
        {"plano-convex beam, blades beyond the focus", -30,
         [&](Screen& s) { sahlparallelbeam(s.surface, s.scene, 12, b, 0); }},
        {"plano-convex beam at 20°, blades before the lens", 80,
         [&](Screen& s) { sahlparallelbeam(s.surface, s.scene, 12, b, std::tan(0.349066)); }},
        {"biconvex fan from the left focus", 130,
         [&](Screen& s) { drawbiconvexlens(s.surface, s.scene, 12, b, -18, 0); }},
        {"biconvex beam, blades beyond the lens", -60,
         [&](Screen& s) { biconvexparallelbeam(s.surface, s.scene, 12, b, 0.1); }},
    };
    constexpr double upper = 10, lower = -10, slack = 1e-2;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Screen screen;
        auto& in = screen.scene.in;
        in.diaphragm.x = c.bladesX;
        in.waves.onlyRays = true; // the ray lines alone
        c.draw(screen);
        EXPECT_FALSE(screen.device.dots.empty()); // some rays are stopped
        for (Rgb colour : {colours::blue, colours::cyan, colours::green, colours::magenta})
            for (const auto& seg : screen.segments(colour)) {
                const double from = seg.x1 - c.bladesX, to = seg.x2 - c.bladesX;
                if (!(std::fabs(from) > slack && std::fabs(to) > slack && (from < 0) != (to < 0)))
                    continue;
                const double y = seg.y1 + (seg.y2 - seg.y1) * (c.bladesX - seg.x1) / (seg.x2 - seg.x1);
                EXPECT_TRUE(y >= lower - slack && y <= upper + slack)
                    << "(" << seg.x1 << ", " << seg.y1 << ")-(" << seg.x2 << ", " << seg.y2 << ") at " << y;
            }
        for (const auto& seg : screen.segments(colours::magenta))
            EXPECT_NEAR(seg.x2, c.bladesX, slack);

        // Each recorded ray left the glass on a line that, where it reaches the blades, runs in the opening.
        const auto& s = screen.scene;
        ASSERT_GT(s.raycount, 2);
        for (int i = 0; i < s.raycount; ++i) {
            const double dx = s.sahldirx[i], dy = s.sahldiry[i];
            if ((c.bladesX - s.sahlexitx[i]) * dx <= 0)
                continue;
            const double y = s.sahlexity[i] + dy / dx * (c.bladesX - s.sahlexitx[i]);
            EXPECT_TRUE(y >= lower && y <= upper) << "ray " << i << " meets the blades at " << y;
        }
    }
}

TEST(PlanoConvexLens, EntryInsideTheVertexEndsTheFanCleanly)
{
    // At n = 1.01 a ray from (−30, 10) misses the hyperbola, and the point x = 0 of its line lies
    // nearer than the plane face: the fan ends at that ray, keeping the rays recorded before it.
    const double n = 1.01;
    const HyperbolicLens lens = lensShape(12, bFor(n), n);
    SceneInputs in;
    in.lensindex = n;
    int endingRay = -1, recordedBefore = 0;
    for (int r = 0; r < 60 && endingRay < 0; ++r) {
        const double slope = 0.9 - 0.03 * r;
        const TracedRay ray = tracePlanoConvexRay(lens, in, -30, 10, slope, 10 + 30 * slope);
        if (ray.end == RayEnd::endsScene) {
            endingRay = r;
            EXPECT_EQ(ray.entryx, 0);
        }
        recordedBefore += ray.end == RayEnd::leftLens;
    }
    ASSERT_GT(endingRay, 0);
    ASSERT_LT(endingRay, 59);
    ASSERT_GT(recordedBefore, 0);

    Screen screen(n);
    auto& s = screen.scene;
    drawsahllens(screen.surface, s, 12, bFor(n), -30, 10);
    EXPECT_EQ(s.raycount, recordedBefore);
    EXPECT_EQ(screen.startingAt(colours::blue, -30, 10) + screen.startingAt(colours::magenta, -30, 10),
              static_cast<std::size_t>(endingRay + 1));
    // No fronts: every blue line is a ray from the source.
    EXPECT_EQ(screen.startingAt(colours::blue, -30, 10), screen.segments(colours::blue).size());
    for (int i = s.raycount; i <= rayTableLast; ++i) {
        ASSERT_EQ(s.sahlentryx[i], 0) << i;
        ASSERT_EQ(s.sahldirx[i], 0) << i;
    }
    EXPECT_EQ(screen.surface.DrawWidth, 1);
}

// Glass of index a hair above 1 makes a nearly flat hyperbola, which a line close to the axis meets far
// beyond the plane face, where the lens is not: no ray is traced through glass there.
TEST(PlanoConvexLens, NearlyFlatFaceIsMetOnlyWithinTheLens)
{
    SceneInputs in;
    in.lensindex = 1;
    for (double b : {1e-200, 1e-30})
        for (double s : {1e-16, -1e-16, 1e-13}) {
            SCOPED_TRACE(::testing::Message() << "b " << b << " slope " << s);
            const HyperbolicLens lens = lensShape(12, b, 1);
            const TracedRay ray = tracePlanoConvexRay(lens, in, 200, 0, s, -200 * s);
            if (ray.end == RayEnd::lostInGlass || ray.end == RayEnd::leftLens) {
                EXPECT_LE(ray.entryx, 48 + 1e-9);
                EXPECT_GE(ray.entryx, 12 - 1e-9);
            }
            for (int i = 0; i < ray.segmentCount; ++i) {
                const RaySegment& seg = ray.segments[static_cast<std::size_t>(i)];
                if (seg.colour == colours::cyan) {
                    EXPECT_LE(std::fmax(seg.x1, seg.x2), 48 + 1e-9);
                    EXPECT_GE(std::fmin(seg.x1, seg.x2), 12 - 1e-9);
                }
            }
        }
}

TEST(PlanoConvexLens, IndexOneDrawsNoGlassAndRecordsNothing)
{
    Screen screen(1.0);
    drawsahllens(screen.surface, screen.scene, 12, 0, 108, 25);
    EXPECT_EQ(screen.scene.raycount, 0);
    EXPECT_EQ(screen.startingAt(colours::blue, 108, 25) + screen.startingAt(colours::magenta, 108, 25), 60u);
    EXPECT_TRUE(screen.segments(colours::cyan).empty());
    EXPECT_EQ(screen.count(colours::black, 1), 18u); // construction lines collapse onto the axis
    for (const auto& seg : screen.segments(colours::black))
        EXPECT_NEAR(seg.y1, 0, 1e-6);
}

// The far focus of each hyperbolic face, c = n·a from the hyperbola's centre, carries a mark and an "F";
// glass of index 1 has no focus to mark.
TEST(FocusMarks, AtTheFarFocusOfEachFace)
{
    struct Case {
        double n;
        bool biconvex;
        std::vector<double> foci;
    } cases[] = {{1.5, false, {-18}}, {1.5, true, {-18, 96 + 18}}, {2.0, true, {-24, 96 + 24}}, {1.0, true, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.n << (c.biconvex ? " biconvex" : " plano-convex"));
        RecordingDevice device(1080, 960);
        Surface s(device);
        s.Scale(-120, 120, 150, -120);
        markfoci(s, 12, bFor(c.n), c.n, c.biconvex);
        ASSERT_EQ(device.ellipses.size(), c.foci.size());
        ASSERT_EQ(device.texts.size(), c.foci.size());
        for (std::size_t i = 0; i < c.foci.size(); ++i) {
            EXPECT_NEAR(s.userX(device.ellipses[i].cx), c.foci[i], 1e-3);
            EXPECT_NEAR(s.userY(device.ellipses[i].cy), 0, 1e-3);
            EXPECT_EQ(device.texts[i].text, "F");
        }
        EXPECT_EQ(s.DrawWidth, 1);
        EXPECT_EQ(s.FillStyle, noFill);
        EXPECT_EQ(s.ForeColor, colours::black);
    }
}

} // namespace
} // namespace lens::hyperbolic
