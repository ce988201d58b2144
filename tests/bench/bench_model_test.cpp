#include "bench/bench_model.h"
#include "surface/recording_device.h"

#include <gtest/gtest.h>

using namespace lens;
using namespace lens::bench;

TEST(BenchModel, TheFanStepAndItsReadOut)
{
    struct Case {
        int desmi1, arvimaton;
        double step, shown;
    } cases[] = {
        {20, 30, 4.712389, 76}, {150, 30, 0.628319, 572}, {140, 30, 0.673198, 534},
        {100, 30, 0.942478, 381}, {2, 30, 47.12389, 7},  {0, 30, 0, 0},
    };
    for (const Case& c : cases) {
        const double step = raystepFor(c.desmi1, c.arvimaton);
        EXPECT_NEAR(step, c.step, 1e-6) << c.desmi1;
        EXPECT_EQ(rayCountShown(step), c.shown) << c.desmi1;
    }
}

TEST(BenchModel, HiddenScrollBarsPlaceTheBlades)
{
    // A 4:3 client area: about 685.7 × 514.3 units about the origin.
    RecordingDevice device(1600, 1200);
    Surface view(device);
    const double w = 1200 * 4 / 7.0, h = 1200 * 3 / 7.0;
    view.Scale(-w / 2, h / 2, w / 2, -h / 2);
    EXPECT_DOUBLE_EQ(diaphragmXFor(view, 0), 0);
    EXPECT_DOUBLE_EQ(diaphragmXFor(view, 100), w / 2);
    EXPECT_DOUBLE_EQ(diaphragmXFor(view, -50), -w / 4);
    EXPECT_DOUBLE_EQ(upperTipFor(view, 0), 0);
    EXPECT_DOUBLE_EQ(upperTipFor(view, -100), h / 2);  // half the height per 100, up to the top edge
    EXPECT_DOUBLE_EQ(lowerTipFor(view, 50), -h / 2);    // the whole height per 100: 50 is the bottom edge
    EXPECT_DOUBLE_EQ(lowerTipFor(view, 100), -h);       // beyond it, off the view
    EXPECT_DOUBLE_EQ(upperBladeTop(view), h / 2);
    EXPECT_DOUBLE_EQ(lowerBladeBottom(view), -h / 2);
}
