// Tests of the bound label's layout: position and alignment per layout, odd
// and negative differences, and the largest width.
#include "skin/engine/paint/SkinBoundLabelLayout.h"

#include <gtest/gtest.h>

namespace ad::skin {
namespace {

TEST(SkinBoundLabelLayout, PositionAndAlignmentPerLayout) {
    const TRect edit{100, 50, 220, 71};  // 120 x 21
    const TSize label{40, 13};
    struct Case {
        TSkinCaptionLayout layout;
        TPoint at;
        TAlignment alignment;
    } cases[] = {
        {sclLeft, {100 - 40 - 6 - 4, 54}, taRightJustify},  // (21 - 13) / 2 = 4
        {sclTopLeft, {100, 50 - 13 - 6}, taLeftJustify},
        {sclTopCenter, {140, 31}, taCenter},
        {sclTopRight, {180, 31}, taRightJustify},
        {sclLeftTop, {50, 53}, taLeftJustify},
        {sclBottomLeft, {100, 77}, taLeftJustify},
        {sclBottomCenter, {140, 77}, taCenter},
        {sclBottomRight, {180, 77}, taRightJustify},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BoundLabelPosition(c.layout, edit, label, 6), c.at) << c.layout;
        EXPECT_EQ(BoundLabelAlignment(c.layout), c.alignment) << c.layout;
    }
    // A label taller than the control: the difference is halved toward zero.
    EXPECT_EQ(BoundLabelPosition(sclLeft, {0, 10, 50, 20}, {30, 15}, 0).Y, 10 + (10 - 15) / 2);
    EXPECT_EQ(BoundLabelPosition(sclLeft, {0, 10, 50, 20}, {30, 15}, 0).Y, 8);
    // Odd centring rounds toward zero as well.
    EXPECT_EQ(BoundLabelPosition(sclTopCenter, {0, 0, 51, 10}, {50, 5}, 0).X, 0);
}

TEST(SkinBoundLabelLayout, MaxWidth) {
    EXPECT_EQ(BoundLabelMaxWidth(0), 9999);
    EXPECT_EQ(BoundLabelMaxWidth(-3), 9999);
    EXPECT_EQ(BoundLabelMaxWidth(150), 150);
}

}  // namespace
}  // namespace ad::skin
