// Tests of the palette's stand-ins for system and pen colours.
#include "skin/engine/skinfile/SkinSysColors.h"

#include <gtest/gtest.h>

namespace ad::skin {
namespace {

TSkinPalette Palette() {
    TSkinPalette p{};
    for (int i = 0; i < kSkinPaletteSize; ++i) p[size_t(i)] = TColor(0x010101 * (i + 1));
    p[pcMainColor] = 0x808080;
    return p;
}

TEST(SysColors, SystemColourIndexesTakeThePalette) {
    const TSkinPalette p = Palette();
    const TColor frame = 0x123456;
    struct Case {
        int Index;
        std::optional<TColor> Result;
    } cases[] = {
        {5, p[pcEditBG]},      {6, p[pcBorder]},           {8, p[pcEditText]},
        {11, frame},           {13, p[pcSelectionBGFocused]}, {14, p[pcSelectionTextFocused]},
        {16, 0x666666},        {21, 0x666666},             {22, 0x989898},
        {15, std::nullopt},    {17, std::nullopt},         {-1, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(SubstituteSysColor(c.Index, p, frame), c.Result) << c.Index;
}

TEST(SysColors, PenColoursTakeThePalette) {
    const TSkinPalette p = Palette();
    EXPECT_EQ(SubstitutePenColor(15, p, 0), 0x808080);
    EXPECT_EQ(SubstitutePenColor(0xC0C0C0, p, 0), SubstitutePenColor(0xF0F0F0, p, 0));
    EXPECT_EQ(SubstitutePenColor(0x00FF00, p, 0), 0x00FF00);
    EXPECT_EQ(SubstitutePenColor(11, p, 0x42), 0x42);
    EXPECT_EQ(SubstitutePenColor(5, p, 0), p[pcEditBG]);
    EXPECT_EQ(SubstitutePenColor(22, p, 0), 0x989898);
    EXPECT_EQ(SubstitutePenColor(8, p, 0), 8);
}

}  // namespace
}  // namespace ad::skin
