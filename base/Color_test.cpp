// Colour values: plain colours pass, system colours come from the platform
// unless the installed resolver answers them.
#include "base/Color.h"

#include <gtest/gtest.h>

namespace ad {
namespace {

// Answers the window colour only, with the high byte set to show it is cleared.
bool WindowIsTeal(int index, uint32_t& color) {
    if (index != 5) return false;
    color = 0xAB808000u;
    return true;
}

class ResolverInstalled {
public:
    explicit ResolverInstalled(TSysColorResolver r) : previous_(SetSysColorResolver(r)) {}
    ~ResolverInstalled() { SetSysColorResolver(previous_); }

private:
    TSysColorResolver previous_;
};

TEST(Color, PlainColoursPassAndAnyHighByteNamesASystemColour) {
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
    EXPECT_EQ(ColorToRGB(clWhite), 0xFFFFFFu);
    EXPECT_EQ(ColorToRGB(clWindowText), PlatformSysColor(8));
    EXPECT_EQ(ColorToRGB(TColor(0x01000005)), PlatformSysColor(5));  // not only 0xFF
    EXPECT_EQ(ColorToRGB(clNone), 0u);                                 // index 255: unknown
    EXPECT_EQ(PlatformSysColor(-1), 0u);
}

TEST(Color, TheResolverAnswersWhatItKnowsAndLeavesTheRestToThePlatform) {
    {
        ResolverInstalled teal(&WindowIsTeal);
        EXPECT_EQ(ColorToRGB(clWindow), 0x808000u);
        EXPECT_EQ(SysColorToRGB(5), 0x808000u);
        EXPECT_EQ(ColorToRGB(clWindowText), PlatformSysColor(8));
        EXPECT_EQ(ColorToRGB(0x000005), 0x000005u);  // a plain colour is never resolved
    }
    EXPECT_EQ(ColorToRGB(clWindow), PlatformSysColor(5));
    EXPECT_EQ(SetSysColorResolver(nullptr), nullptr);
}

}  // namespace
}  // namespace ad
