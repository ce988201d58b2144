#include "hyperbolic/lens_screen_model.h"
#include "surface/recording_device.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace lens;
using namespace lens::hyperbolic;

namespace {

struct LensScreen {
    RecordingDevice device{1080, 960};
    Surface view{device};
    LineControl upper{130, 200, 130, 10}, lower{130, -200, 130, -10};
    BladeDrag drag;
    LensScreen() { view.Scale(-120, 120, 150, -120); }
};

} // namespace

TEST(LensScreenModel, TheHyperbolaAndTheIndexGuard)
{
    EXPECT_NEAR(semiAxisFor(2.5), 27.4955, 1e-4);
    EXPECT_NEAR(semiAxisFor(1.5), 12 * std::sqrt(1.25), 1e-12);
    for (double n : {1.0, 0.99, -3.0, std::numeric_limits<double>::quiet_NaN(), 1e300})
        EXPECT_TRUE(std::isfinite(semiAxisFor(n))) << n;
    EXPECT_EQ(semiAxisFor(1.0), 0);
    EXPECT_FALSE(indexTooSmall(1.0));
    EXPECT_TRUE(indexTooSmall(0.99));
}

// A press picks up a blade strictly within 2.25 units across and 2 beyond its ends, else places
// the source unless the index is too small; the pointer follows.
TEST(LensScreenModel, PressesPickUpBladesOrPlaceTheSource)
{
    struct Case {
        double x, y, n;
        PressOutcome outcome;
        bool upper, lower;
    } cases[] = {
        {130 + 2.2, 9, 1.5, PressOutcome::dragStarted, true, false},
        {130, 201.9, 1.5, PressOutcome::dragStarted, true, false},
        {130, 8, 1.5, PressOutcome::sourcePlaced, false, false}, // exactly on the bound is off the blade
        {130 + 2.25, 50, 1.5, PressOutcome::sourcePlaced, false, false},
        {130, -9, 1.5, PressOutcome::dragStarted, false, true},
        {130, 0, 1.5, PressOutcome::sourcePlaced, false, false}, // in the opening
        {60, -30, 0.99, PressOutcome::refusedIndex, false, false},
        {130, 50, 0.99, PressOutcome::dragStarted, true, false}, // blades move whatever the index
    };
    for (const Case& c : cases) {
        LensScreen s;
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        EXPECT_EQ(pressOnLensScreen(s.drag, s.upper, s.lower, s.view, c.x, c.y, c.n), c.outcome);
        EXPECT_EQ(s.drag.dragupper, c.upper);
        EXPECT_EQ(s.drag.draglower, c.lower);
        EXPECT_EQ(pointerOnLensScreen(s.drag, s.upper, s.lower, s.view, 0, 0), c.upper || c.lower ? 2 : 1);
    }
}

TEST(LensScreenModel, ReleasesMoveTheDiaphragm)
{
    struct Case {
        bool upper;
        double x, y;
        double upperTip, lowerTip;
    } cases[] = {
        {true, 100, 30, 30, -10},   // an ordinary drop
        {true, 90, -50, -26, -50},  // below the lower tip: 24 units stay open above the drop
        {false, 110, 40, 64, 40},   // the lower blade above the upper one takes it 24 units up
    };
    for (const Case& c : cases) {
        LensScreen s;
        (c.upper ? s.drag.dragupper : s.drag.draglower) = true;
        EXPECT_TRUE(releaseOnLensScreen(s.drag, s.upper, s.lower, s.view, c.x, c.y));
        EXPECT_FALSE(s.drag.dragupper || s.drag.draglower);
        for (double x : {s.upper.X1, s.upper.X2, s.lower.X1, s.lower.X2})
            EXPECT_EQ(x, c.x);
        EXPECT_DOUBLE_EQ(s.upper.Y2, c.upperTip);
        EXPECT_DOUBLE_EQ(s.lower.Y2, c.lowerTip);
        EXPECT_EQ(s.upper.Y1, c.upper ? 120 : 200);
        EXPECT_EQ(s.lower.Y1, c.upper ? -200 : -120);
    }
    LensScreen idle;
    EXPECT_FALSE(releaseOnLensScreen(idle.drag, idle.upper, idle.lower, idle.view, 0, 0));
    // One drag at a time: a press on the other blade while one is held starts no second drag.
    idle.drag.dragupper = true;
    EXPECT_EQ(pressOnLensScreen(idle.drag, idle.upper, idle.lower, idle.view, idle.lower.X1, idle.lower.Y2, 1.5),
              PressOutcome::dragStarted);
    EXPECT_FALSE(idle.drag.draglower);
    idle.drag = {};
    idle.drag.dragupper = true;
    EXPECT_FALSE(releaseOnLensScreen(idle.drag, idle.upper, idle.lower, idle.view,
                                     std::numeric_limits<double>::quiet_NaN(), 0));
    EXPECT_EQ(idle.upper.X1, 130);
}
