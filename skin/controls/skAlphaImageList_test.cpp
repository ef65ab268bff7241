// The alpha image list: scaling keeps count and alpha, images without alpha
// are keyed, the cache of scaled bitmaps, and bytes that are no PNG.
#include "skin/controls/skAlphaImageList.h"

#include <gtest/gtest.h>

#include "skin/engine/testkit/PngTestWriter.h"
#include "skin/engine/win/SkinManager.h"

namespace ad::skin::controls {
namespace {

// A 16 x 16 RGBA picture: red with the given alpha, its bottom-left pixel blue.
std::vector<uint8_t> RedPng(uint32_t alpha) {
    pngtest::Image img;
    img.Width = img.Height = 16;
    img.ColorType = 6;
    img.Sample = [alpha](int x, int y, int c) -> uint32_t {
        const bool key = x == 0 && y == 15;
        if (c == 3) return alpha;
        if (key) return c == 2 ? 255 : 0;
        return c == 0 ? 255 : 0;
    };
    return pngtest::Write(img);
}

uint8_t AlphaAt(const TBitmap32& b, int x, int y) { return b.Data()[4 * (size_t(y) * size_t(b.Width()) + size_t(x)) + 3]; }

TEST(SkinAlphaImageList, AScaleOf150MakesSixteenIntoTwentyFourKeepingCountAndAlpha) {
    TSkinAlphaImageList list(nullptr);
    ASSERT_TRUE(list.AddImageFromStream(RedPng(128)));
    ASSERT_TRUE(list.AddImageFromStream(RedPng(255)));
    list.SetScale(150);
    EXPECT_EQ(list.Width(), 24);
    EXPECT_EQ(list.Height(), 24);
    EXPECT_EQ(list.Count(), 2);
    int w = 0, h = 0;
    ImageList_GetIconSize(list.Handle(), &w, &h);
    EXPECT_EQ(w, 24);
    const auto scaled = list.GetScaledBitmap(0, list.Width(), list.Height());
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled->Width(), 24);
    EXPECT_NEAR(AlphaAt(*scaled, 12, 12), 128, 2);
    EXPECT_EQ(list.DesignWidth(), 16);
}

TEST(SkinAlphaImageList, AnImageWithoutAlphaTurnsOpaqueExceptItsKey) {
    TSkinAlphaImageList list(nullptr);
    ASSERT_TRUE(list.AddImageFromStream(RedPng(0)));
    const auto image = list.GetScaledBitmap(0, 16, 16);
    ASSERT_TRUE(image);
    EXPECT_EQ(AlphaAt(*image, 8, 8), 255);
    EXPECT_EQ(AlphaAt(*image, 0, 15), 0);
}

TEST(SkinAlphaImageList, TheCacheSparesDecodingUntilItIsSwitched) {
    TSkinAlphaImageList list(nullptr);
    ASSERT_TRUE(list.AddImageFromStream(RedPng(255)));
    list.GetScaledBitmap(0, 20, 20);
    const int decodes = list.Decodes();
    list.GetScaledBitmap(0, 20, 20);
    EXPECT_EQ(list.Decodes(), decodes);
    list.SetUseCache(false);
    list.GetScaledBitmap(0, 20, 20);
    EXPECT_EQ(list.Decodes(), decodes + 1);
}

TEST(SkinAlphaImageList, BytesThatAreNoPngAddNothing) {
    TSkinAlphaImageList list(nullptr);
    EXPECT_FALSE(list.AddImageFromStream({}));
    EXPECT_FALSE(list.AddImageFromStream({0x89, 'P', 'N', 'G', 1, 2, 3}));
    std::vector<uint8_t> cut = RedPng(255);
    cut.resize(cut.size() / 2);
    EXPECT_FALSE(list.AddImageFromStream(cut));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.ItemCount(), 0);
}

TEST(SkinAlphaImageList, EveryListIsReached) {
    TSkinAlphaImageList a(nullptr), b(nullptr);
    int seen = 0;
    ForEachAlphaImageList([&](TSkinAlphaImageList& list, int value) {
        if (&list == &a || &list == &b) ++seen;
        list.SetScale(value);
    }, 200);
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(a.Width(), 32);
}

TEST(SkinAlphaImageList, TheManagersNewScaleReachesEveryList) {
    TSkinEngineLinks links;
    AddImageListLinks(links);
    InstallSkinEngineLinks(links);
    {
        TSkinManager manager(nullptr);
        TSkinAlphaImageList list(nullptr);
        ASSERT_TRUE(list.AddImageFromStream(RedPng(255)));
        manager.SetScaleMode(sm150);
        EXPECT_EQ(list.Width(), 24);
        EXPECT_EQ(list.Count(), 1);
        manager.SetScaleMode(sm100);
        EXPECT_EQ(list.Width(), 16);
    }
    InstallSkinEngineLinks({});
}

}  // namespace
}  // namespace ad::skin::controls
