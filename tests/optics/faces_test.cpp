// Where a line meets each kind of face, and the face's normal there.

#include "optics/faces.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lens::optics;

namespace {

// How far a point lies off the face's curve, in the curve's own measure (0 on it).
double offCurve(const Face& face, Direction q)
{
    if (const auto* c = std::get_if<CircleFace>(&face))
        return std::hypot(q.x - c->xc, q.y - c->yc) - c->r;
    if (const auto* h = std::get_if<HyperbolaFace>(&face)) {
        const double u = (q.x - h->centre) / h->a, v = q.y / h->b;
        return u * h->side > 0 ? u * u - v * v - 1 : 1e9; // the other branch is not the face
    }
    return q.x - std::get<PlaneFace>(face).x;
}

} // namespace

TEST(Faces, LinesMeetEachFaceOnItsCurveWhereItsNormalStandsSquare)
{
    struct Row { const char* what; Face face; Direction p, d; std::size_t meets; };
    const Row rows[] = {
        {"circle, through", CircleFace{20, 0, 90}, {-200, 10}, {1, 0.05}, 2},
        {"circle, a tangent", CircleFace{0, 0, 50}, {-100, 50}, {1, 0}, 0},
        {"circle, beside", CircleFace{0, 0, 50}, {-100, 80}, {1, 0}, 0},
        {"circle off the axis, steep", CircleFace{-50, 10, 100}, {-60, -300}, {0.01, 1}, 2},
        {"right branch, across", HyperbolaFace{12, 13.4, 0, 1}, {-100, 5}, {1, 0.02}, 1},
        {"left branch, across", HyperbolaFace{12, 13.4, 40, -1}, {-100, -5}, {1, 0.01}, 1},
        {"right branch, along the asymptote's side", HyperbolaFace{12, 13.4, 0, 1}, {20, -100}, {0.1, 1}, 2},
        {"plane", PlaneFace{48}, {-200, 30}, {0.9, -0.1}, 1},
        {"plane, parallel", PlaneFace{48}, {-200, 30}, {0, 1}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Meetings m = meetings(row.face, row.p, row.d);
        ASSERT_EQ(m.count, row.meets);
        for (std::size_t i = 0; i < m.count; ++i) {
            if (i > 0) {
                EXPECT_LT(m.t[i - 1], m.t[i]);
            }
            const Direction q{row.p.x + m.t[i] * row.d.x, row.p.y + m.t[i] * row.d.y};
            EXPECT_NEAR(offCurve(row.face, q), 0, 1e-9);
            // The normal is a unit vector, square to the curve: a step along the curve's tangent stays on it.
            const Direction n = normalAt(row.face, q);
            EXPECT_NEAR(std::hypot(n.x, n.y), 1, 1e-12);
            const Direction along{q.x - 1e-4 * n.y, q.y + 1e-4 * n.x};
            EXPECT_NEAR(offCurve(row.face, along), 0, 1e-6);
        }
    }
}
