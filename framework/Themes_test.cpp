// Tests of the visual-styles binding: the classic fallback when the library
// is missing, and agreement with the system when it is there.
#include "framework/Themes.h"

#include <gtest/gtest.h>

#include "framework/Handles.h"

namespace ad {
namespace {

TEST(ThemesTest, ClassicFallbackWithoutTheLibrary) {
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    TThemeLibrary missing(L"no-such-visual-styles.dll");
    EXPECT_FALSE(missing.Loaded());
    EXPECT_FALSE(missing.IsThemed());
    EXPECT_FALSE(missing.DrawThemePart(nullptr, dc.Get(), TRect{0, 0, 10, 10}, 1, 1, L"HEADER"));
    EXPECT_EQ(missing.GetThemeSysSize(SM_CXVSCROLL), ::GetSystemMetrics(SM_CXVSCROLL));
    // The real library loads; whether a theme is active depends on the system
    // (none by default under Wine): the answer only has to agree with it.
    TThemeLibrary& real = ThemeLibrary();
    EXPECT_TRUE(real.Loaded());
    EXPECT_EQ(IsThemed(), real.IsThemed());
    if (!IsThemed()) {
        EXPECT_FALSE(DrawThemePart(nullptr, dc.Get(), TRect{0, 0, 10, 10}, 1, 1, L"HEADER"));
    }
}

}  // namespace
}  // namespace ad
