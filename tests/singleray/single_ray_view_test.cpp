#include "singleray/single_ray_view.h"
#include "surface/recording_device.h"
#include "waves/single_ray.h"
#include "waves/bench_values.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lens;
using namespace lens::singleray;

namespace {

struct View {
    RecordingDevice device{1920, 1080};
    Surface s{device};
    View() { s.Scale(-600 * 1920 / 3000.0, 600 * 1080 / 3000.0, 600 * 1920 / 3000.0, -600 * 1080 / 3000.0); }
};

} // namespace

TEST(SingleRayView, TheDefaultLensItsRimAndFoci)
{
    View v;
    sxediasifakoy(v.s, 90, 100, 0, 100, 1.5);
    std::vector<double> foci;
    for (const auto& e : v.device.ellipses)
        if (e.pen.colour == RGB(255, 0, 0))
            foci.push_back(v.s.userX(e.cx));
    ASSERT_EQ(foci.size(), 2u);
    EXPECT_NEAR(foci[0], 40.5 - 94.7368, 0.01);
    EXPECT_NEAR(foci[1], 40.5 + 94.7368, 0.01);

    // The rim's heights are drawn as two black lines, and a ray aimed straight up from the source
    // leaves it vertically.
    View ray;
    miaaktina(ray.s, ViewControls{}, 1.5, spherical::Diaphragm{0, 1e4, -1e4}, -300, -100, -300, -100, -300, 50);
    const auto rims = ray.device.segmentsIn(colours::black);
    ASSERT_EQ(rims.size(), 2u);
    EXPECT_NEAR(std::fabs(ray.s.userY(rims[0].y1)), 80.37, 0.01);
    const auto legs = ray.device.segmentsIn(waves::waveColours::singleRay);
    ASSERT_FALSE(legs.empty());
    EXPECT_NEAR(legs[0].x1, legs[0].x2, 1e-6);
    EXPECT_LT(legs[0].y2, legs[0].y1); // upwards on the screen
}
