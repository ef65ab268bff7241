// The in-place edit's margins and info box, and its text read as values.
#include "grid/EditBase.h"

#include <gtest/gtest.h>

#include <string>

namespace ad::grid {
namespace {

TEST(EditBaseTest, MarginsMakeRoomForThePreviewAndTheGlyph) {
    struct Case {
        std::string name;
        int left, right;
        bool preview;
        int glyph;
        int wantLeft;
    } cases[] = {
        {"nothing to show", 3, 4, false, 0, 3},
        {"preview, left 0", 0, 0, true, 0, 25},
        {"preview, left 5", 5, 0, true, 0, 35},
        {"glyph of 16", 2, 0, false, 16, 22},
        {"preview and glyph", 5, 0, true, 16, 55},
    };
    for (const Case& c : cases) {
        int left = c.left, right = c.right;
        AdjustEditMargins(left, right, c.preview, c.glyph);
        EXPECT_EQ(left, c.wantLeft) << c.name;
        EXPECT_EQ(right, c.right) << c.name;
    }
}

TEST(EditBaseTest, InfoBoxAndPreviewGeometry) {
    EXPECT_FALSE(InfoBoxShown(false, 0));
    EXPECT_TRUE(InfoBoxShown(true, 0));
    EXPECT_TRUE(InfoBoxShown(false, 16));
    EXPECT_EQ(InfoBoxWidth(false, 0), 0);
    EXPECT_EQ(InfoBoxWidth(true, 0), 20);
    EXPECT_EQ(InfoBoxWidth(true, 16), 40);
    EXPECT_EQ(EditPreviewRect(TRect{0, 0, 120, 18}, 0), (TRect{0, 0, 20, 18}));
    EXPECT_EQ(EditPreviewRect(TRect{0, 0, 120, 18}, 16), (TRect{20, 0, 40, 18}));
    EXPECT_EQ(InfoPreviewRect(18, 0), (TRect{0, 0, 20, 18}));
    EXPECT_EQ(InfoPreviewRect(18, 16), (TRect{18, 0, 38, 18}));
    EXPECT_EQ(InfoGlyphTop(20, 16), 2);
    EXPECT_EQ(InfoGlyphTop(17, 12), 2);  // 2.5 rounds to even
    EXPECT_EQ(InfoGlyphTop(19, 12), 4);  // 3.5 rounds to even
}

TEST(EditBaseTest, TextReadAsValues) {
    TFormatSettings fs;
    fs.DecimalSeparator = u',';
    EXPECT_EQ(EditTextAsFloat(u"", fs), 0.0);
    EXPECT_EQ(EditTextAsFloat(u"2,5", fs), 2.5);
    EXPECT_THROW(EditTextAsFloat(u"abc", fs), EConvertError);
    EXPECT_EQ(EditTextAsInteger(u""), 0);
    EXPECT_EQ(EditTextAsInteger(u"-42"), -42);
    EXPECT_THROW(EditTextAsInteger(u"4x"), EConvertError);
    EXPECT_EQ(EditTextAsDateTime(u"", fs), 0.0);
    EXPECT_TRUE(EditTextAsBoolean(u"TRUE", fs));
    EXPECT_THROW(EditTextAsBoolean(u"", fs), EConvertError);
}

}  // namespace
}  // namespace ad::grid
