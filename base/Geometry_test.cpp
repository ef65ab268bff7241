// The shared rectangle operations, against the system's own rules (exclusive
// right and bottom edges, empty results as the empty rectangle).
#include "base/Geometry.h"

#include <gtest/gtest.h>

namespace ad {
namespace {

TEST(GeometryTest, EmptinessAndContainedPointsFollowTheExclusiveEdges) {
    const TRect r{10, 20, 30, 40};
    EXPECT_FALSE(IsEmpty(r));
    for (const TRect& e : {TRect{}, TRect{5, 5, 5, 9}, TRect{5, 5, 9, 5}, TRect{9, 5, 5, 9}, TRect{5, 9, 9, 5}})
        EXPECT_TRUE(IsEmpty(e)) << e.Left << "," << e.Top << "," << e.Right << "," << e.Bottom;
    struct {
        TPoint p;
        bool inside;
    } cases[] = {{{10, 20}, true}, {{29, 39}, true}, {{30, 25}, false}, {{15, 40}, false},
                 {{9, 25}, false}, {{15, 19}, false}};
    for (const auto& c : cases) EXPECT_EQ(Contains(r, c.p), c.inside) << c.p.X << "," << c.p.Y;
    EXPECT_FALSE(Contains(TRect{5, 5, 5, 9}, {5, 5}));  // an empty rectangle holds no point
}

TEST(GeometryTest, OffsetAndInflateMoveEveryEdge) {
    const TRect r{10, 20, 30, 40};
    EXPECT_EQ(Offset(r, 3, -5), (TRect{13, 15, 33, 35}));
    EXPECT_EQ(Inflate(r, 2, 1), (TRect{8, 19, 32, 41}));
    EXPECT_EQ(Inflate(r, -10, 0), (TRect{20, 20, 20, 40}));
    EXPECT_TRUE(IsEmpty(Inflate(r, -11, 0)));
}

TEST(GeometryTest, IntersectionAndUnion) {
    const TRect a{0, 0, 10, 10}, b{5, 5, 15, 15};
    EXPECT_EQ(Intersect(a, b), (TRect{5, 5, 10, 10}));
    EXPECT_EQ(Intersect(b, a), Intersect(a, b));
    EXPECT_EQ(Intersect(a, TRect{10, 0, 20, 10}), TRect{});  // edges touch: no common area
    EXPECT_EQ(Intersect(a, TRect{20, 20, 30, 30}), TRect{});
    EXPECT_EQ(Union(a, b), (TRect{0, 0, 15, 15}));
    EXPECT_EQ(Union(a, TRect{50, 50, 50, 60}), a);  // an empty one adds nothing
    EXPECT_EQ(Union(TRect{-5, -5, -5, 0}, b), b);
    EXPECT_EQ(Union(TRect{3, 3, 3, 3}, TRect{7, 7, 1, 1}), TRect{});
}

}  // namespace
}  // namespace ad
