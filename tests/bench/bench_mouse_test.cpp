#include "bench/bench_mouse.h"
#include "surface/recording_device.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lens;
using namespace lens::bench;

namespace {

// The bench's view of a 1200 × 800 client area with the default lens and the blades fitted to it.
struct Bench {
    RecordingDevice device{1200, 800};
    Surface view{device};
    spherical::LensState lens;
    LineControl line1{0, 240, 0, 86.6}, line2{0, -240, 0, -86.6};
    DragFlags drag;
    Bench() { view.Scale(-360, 240, 360, -240); }
};

} // namespace

TEST(BenchMouse, APressPicksUpTheFirstObjectUnderThePointer)
{
    const double across = 720.0 / 120; // ScaleWidth / 120
    struct Case {
        double x, y;
        int shift;
        BenchObject object;
        int pointer;
        bool source;
    } cases[] = {
        {across * 0.99, 100, 0, BenchObject::upperBlade, 2, false},
        {across, 100, 1, BenchObject::none, 0, true}, // exactly on the bound: not the blade
        {0, -200, 0, BenchObject::lowerBlade, 2, false},
        {-50 + 4.9, 0, 0, BenchObject::centreA, 2, false},
        {20, 4.4, 0, BenchObject::centreB, 2, false},
        {46, 230, 0, BenchObject::edgeA, 9, false},  // x between 45 and 55, any height
        {54.9, -230, 0, BenchObject::edgeA, 9, false},
        {-72, 150, 1, BenchObject::edgeB, 9, false}, // Shift too: still the edge
        {-200, 50, 1, BenchObject::none, 0, true},
        {-200, 50, 3, BenchObject::none, 0, false},  // Shift with Ctrl is not Shift alone
        {-200, 50, 0, BenchObject::none, 0, false},
    };
    for (const Case& c : cases) {
        Bench b;
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << " shift " << c.shift);
        EXPECT_EQ(pressOnBench(b.drag, b.view, b.line1, b.line2, b.lens, c.shift, c.x, c.y), c.object);
        EXPECT_EQ(b.drag.dragSource, c.source);
        EXPECT_EQ(pointerOnBench(b.drag, BenchObject::none), c.object == BenchObject::none ? 0 : c.pointer);
        EXPECT_EQ(pointerOnBench(DragFlags{}, c.object), c.pointer);
    }
}

TEST(BenchMouse, DropsPutObjectsWithinTheirRanges)
{
    struct Case {
        BenchObject picked;
        double x, y;
        BenchDrop::Kind kind;
        int value;
    } cases[] = {
        {BenchObject::centreA, 30, 0, BenchDrop::centreA, 0},     // right of the origin: held at 0
        {BenchObject::centreA, -72.5, 0, BenchDrop::centreA, -72}, // halves to even
        {BenchObject::centreA, -900, 0, BenchDrop::centreA, -500}, // beyond the bar: held at its end
        {BenchObject::centreB, -10, 0, BenchDrop::centreB, 0},
        {BenchObject::centreB, 33.5, 0, BenchDrop::centreB, 34},
        {BenchObject::edgeA, -20, 0, BenchDrop::radiusA, 50},      // closer than 50 to its centre
        {BenchObject::edgeA, 700, 0, BenchDrop::radiusA, 500},
        {BenchObject::edgeA, 80.7, 0, BenchDrop::radiusA, 130},
        {BenchObject::edgeB, -100.9, 0, BenchDrop::radiusB, 120},
        {BenchObject::none, 10, 10, BenchDrop::source, 0},
    };
    for (const Case& c : cases) {
        Bench b;
        b.drag.dragCentreA = c.picked == BenchObject::centreA;
        b.drag.dragCentreB = c.picked == BenchObject::centreB;
        b.drag.dragRadiusA = c.picked == BenchObject::edgeA;
        b.drag.dragRadiusB = c.picked == BenchObject::edgeB;
        b.drag.dragSource = c.picked == BenchObject::none;
        const BenchDrop drop = releaseOnBench(b.drag, b.view, b.line1, b.line2, b.lens, c.x, c.y);
        EXPECT_EQ(drop.kind, c.kind) << c.x;
        EXPECT_EQ(drop.scrollValue, c.value) << c.x;
        EXPECT_FALSE(b.drag.any());
    }
    // The upper blade dropped below the lower tip takes the lower tip down with it.
    Bench b;
    b.drag.dragLine1 = true;
    EXPECT_EQ(releaseOnBench(b.drag, b.view, b.line1, b.line2, b.lens, 30, -120).kind, BenchDrop::blades);
    EXPECT_DOUBLE_EQ(b.line2.Y2, -120);
    EXPECT_DOUBLE_EQ(b.line1.Y2, -120 + 48);
    EXPECT_DOUBLE_EQ(b.line1.Y1, 240);
    EXPECT_DOUBLE_EQ(b.line2.X1, 30);
    b.drag.dragLine2 = true;
    releaseOnBench(b.drag, b.view, b.line1, b.line2, b.lens, -10, 100); // no test against the upper blade
    EXPECT_DOUBLE_EQ(b.line2.Y2, 100);
    EXPECT_DOUBLE_EQ(b.line2.Y1, -240);
    b.drag.dragRadiusA = true;
    EXPECT_EQ(releaseOnBench(b.drag, b.view, b.line1, b.line2, b.lens, NAN, 0).kind, BenchDrop::nothing);
}
