#include "surface/number_text.h"
#include "scene_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lens::hyperbolic {
namespace {

using testing::bFor;
using testing::Screen;

std::size_t raysFromTheStartLine(const Screen& screen)
{
    std::size_t n = 0;
    for (const auto& seg : screen.segments(colours::blue))
        n += std::fabs(seg.x1 - 130) < 1e-3;
    return n;
}

TEST(ParallelBeam, PlanoConvexBeamAtZeroConvergesOnTheFarFocus)
{
    Screen screen;
    auto& s = screen.scene;
    // Closed blades do not matter to the beam.
    s.in.diaphragm.upperTip = -100;
    s.in.diaphragm.lowerTip = 100;
    sahlparallelbeam(screen.surface, s, 12, bFor(1.5), 0);
    EXPECT_EQ(s.caption, "IBN SAHL'S PLANECONVEX LENS");
    EXPECT_EQ(raysFromTheStartLine(screen), 101u);
    EXPECT_EQ(screen.device.ellipses.size(), 2u);
    // Every start height within ±51.96 enters the plane face undeviated and is recorded.
    EXPECT_EQ(s.raycount, 51);
    const HyperbolicLens lens = lensShape(12, bFor(1.5), 1.5);
    for (int i = 0; i < s.raycount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(s.raystartx[i], 130);
        EXPECT_EQ(s.sahlentryy[i], s.raystarty[i]);
        EXPECT_NEAR(s.sahlexity[i], s.sahlentryy[i], 1e-12);
        const TracedRay ray = tracePlanoConvexBeamRay(lens, s.in, 130, s.raystarty[i], 0);
        ASSERT_EQ(ray.end, RayEnd::leftLens);
        const double distance = std::fabs((-lens.c - ray.exitx) * ray.diry - (0 - ray.exity) * ray.dirx);
        EXPECT_LT(distance, 1e-6);
    }
}

TEST(ParallelBeam, BeamAnglesAndTheirSlopes)
{
    struct Case {
        const char* answer;
        bool biconvex;
        int minimumRecorded;
    };
    const Case cases[] = {{"45", false, 1}, {"20", false, 20}, {"-20", true, 20}, {"45", true, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.answer << (c.biconvex ? " biconvex" : " plano-convex"));
        const BeamAnswer answer = beamslopefromanswer(c.answer);
        ASSERT_EQ(answer.kind, AngleAnswer::beam);
        const double* m = &answer.slope;
        Screen screen;
        if (c.biconvex)
            biconvexparallelbeam(screen.surface, screen.scene, 12, bFor(1.5), *m);
        else
            sahlparallelbeam(screen.surface, screen.scene, 12, bFor(1.5), *m);
        const auto& s = screen.scene;
        EXPECT_EQ(raysFromTheStartLine(screen), c.biconvex ? 201u : 101u);
        EXPECT_GE(s.raycount, c.minimumRecorded);
        // Each recorded ray met the lens on its own line of slope m from (130, y0).
        for (int i = 0; i < s.raycount; ++i)
            EXPECT_NEAR((s.sahlentryy[i] - s.raystarty[i]) / (s.sahlentryx[i] - 130), *m, 1e-9) << i;
    }
}

TEST(ParallelBeam, BiconvexBeamPassesBladesStandingAtItsStartLine)
{
    Screen screen;
    screen.scene.in.diaphragm.upperTip = 0.5; // an opening narrower than the beam's spacing
    screen.scene.in.diaphragm.lowerTip = -0.5;
    biconvexparallelbeam(screen.surface, screen.scene, 12, bFor(1.5), 0);
    EXPECT_EQ(screen.scene.caption, "Αμφίκυρτος φακός του Ιμπν Σαχλ με δύο υπερβολές");
    EXPECT_TRUE(screen.device.dots.empty());
    EXPECT_TRUE(screen.segments(colours::magenta).empty());
    EXPECT_EQ(screen.device.ellipses.size(), 1u);
    // No ray of the beam ends at the blades, and the axis ray goes straight through.
    SceneInputs in = screen.scene.in;
    const HyperbolicLens lens = lensShape(12, bFor(1.5), 1.5);
    int recorded = 0;
    for (int j = 0; j <= 200; ++j) {
        const TracedRay ray = biconvexRayPath(lens, in, 130, 100 - j, 0, 100 - j);
        EXPECT_NE(ray.end, RayEnd::stoppedBeforeLens);
        EXPECT_NE(ray.end, RayEnd::stoppedAfterLens);
        recorded += ray.end == RayEnd::leftLens;
        if (j == 100) {
            ASSERT_EQ(ray.end, RayEnd::leftLens);
            EXPECT_EQ(ray.exity, 0);
            EXPECT_EQ(ray.dirx, -1);
        }
    }
    EXPECT_EQ(screen.scene.raycount, recorded);
}

TEST(ParallelBeam, UnusableSlopeDrawsTheLensOnly)
{
    for (double m : {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        Screen screen;
        sahlparallelbeam(screen.surface, screen.scene, 12, bFor(1.5), m);
        biconvexparallelbeam(screen.surface, screen.scene, 12, bFor(1.5), m);
        EXPECT_EQ(screen.scene.raycount, 0);
        EXPECT_TRUE(screen.segments(colours::blue).empty());
        EXPECT_EQ(screen.count(colours::red, 3), 301u + 600u);
    }
}

// Whatever the source, index, blades or beam angle: no table row is written past its end, every recorded
// value and wave point is a finite number, and the pen is left at width 1.
TEST(ParallelBeam, AnyInputGivesFiniteBoundedTables)
{
    const double indexes[] = {1.0, 1.01, 1.2, 1.5, 2.5};
    struct Point {
        double x, y;
    };
    const Point sources[] = {{108, 25}, {-18, 0}, {0, 0}, {30, 0}, {48, 0}, {12, 0}, {84, 0}, {1e6, 1e6}, {-200, -150}, {130, 10}};
    const double slopes[] = {0, 1, -5, 1e6, 0.9};
    for (double n : indexes) {
        const double b = bFor(n);
        for (int shut = 0; shut < 2; ++shut) {
            Screen screen(n);
            auto& s = screen.scene;
            if (shut) {
                s.in.diaphragm.x = 30;
                s.in.diaphragm.upperTip = -5;
                s.in.diaphragm.lowerTip = 5;
            }
            const auto check = [&](const char* what) {
                SCOPED_TRACE(::testing::Message() << what << " n " << n);
                ASSERT_GE(s.raycount, 0);
                ASSERT_LE(s.raycount, 201);
                for (int i = 0; i < s.raycount; ++i) {
                    for (double v : {s.sahlentryx[i], s.sahlentryy[i], s.sahlexitx[i], s.sahlexity[i],
                                     double(s.sahldirx[i]), double(s.sahldiry[i])})
                        ASSERT_TRUE(std::isfinite(v)) << i;
                    for (int k = 0; k <= 30; ++k)
                        ASSERT_TRUE(std::isfinite(s.waveX(i, k)) && std::isfinite(s.waveY(i, k))) << i << " " << k;
                }
                EXPECT_EQ(screen.surface.DrawWidth, 1);
            };
            for (const auto& p : sources) {
                drawsahllens(screen.surface, s, 12, b, p.x, p.y);
                check("plano-convex");
                drawbiconvexlens(screen.surface, s, 12, b, p.x, p.y);
                check("biconvex");
            }
            for (double m : slopes) {
                sahlparallelbeam(screen.surface, s, 12, b, m);
                check("plano-convex beam");
                biconvexparallelbeam(screen.surface, s, 12, b, m);
                check("biconvex beam");
                redrawwavefronts(screen.surface, s);
                check("waves");
            }
        }
    }
    // A table already full records nothing more, and the "WAVES" item stays within it.
    Screen screen;
    auto& s = screen.scene;
    s.raycount = rayTableLast + 1;
    tracebiconvexray(screen.surface, s, 12, bFor(1.5), -18, 0, 0.1, 1.8);
    EXPECT_FALSE(s.rayrecorded);
    for (int i = 0; i <= rayTableLast; ++i)
        s.fanposition[static_cast<std::size_t>(i)] = i;
    s.raycount = 100000;
    const std::size_t before = screen.device.segments.size();
    redrawwavefronts(screen.surface, s);
    EXPECT_EQ(screen.device.segments.size() - before, 30u * rayTableLast);
}

} // namespace
} // namespace lens::hyperbolic
