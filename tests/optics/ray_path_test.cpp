// A recorded ray's points: each at the optical path asked, on the leg where that path ends.

#include "optics/ray_path.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lens::optics;

TEST(RayPath, EachPointLiesAtItsOpticalPathAndABladeEndsTheLight)
{
    // From (0, 0) along +x to the glass at x = 10, 4 units of glass of index 1.5 (6 of optical path),
    // then on at 45° from the exit at (14, 0).
    const double r = std::sqrt(0.5);
    RayPath p{0, 0, 10, 6, 10, 0, 14, 0, 1, 0, 1, 0, r, r, 1.5};
    struct Row { double s, x, y; };
    const Row rows[] = {{-5, -5, 0}, {0, 0, 0}, {10, 10, 0}, {13, 12, 0}, {16, 14, 0}, {18, 14 + 2 * r, 2 * r}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.s);
        const Direction q = p.at(row.s);
        EXPECT_NEAR(q.x, row.x, 1e-12);
        EXPECT_NEAR(q.y, row.y, 1e-12);
    }
    // Counted from a front 3 units behind the start, and stopped 12 units past the start.
    p.pathAtStart = -3, p.stop = 12;
    EXPECT_NEAR(p.reached(8)->x, 10 + 1 / 1.5, 1e-12); // 11 from the start: 1 of it in the glass
    EXPECT_FALSE(p.reached(15.5).has_value());
}
