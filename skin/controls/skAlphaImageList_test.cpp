// The alpha image list: scaling keeps count and alpha, images without alpha
// are keyed, the cache of scaled bitmaps, and bytes that are no PNG.
#include "skin/controls/skAlphaImageList.h"

#include <gtest/gtest.h>

#include <cstring>

#include "skin/engine/testkit/BmpTestWriter.h"
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

// Pixel (x, y) of a bitmap as 0xAARRGGBB.
uint32_t PixelAt(const TBitmap32& b, int x, int y) {
    uint32_t v = 0;
    std::memcpy(&v, b.Data() + 4 * (size_t(y) * size_t(b.Width()) + size_t(x)), 4);
    return v;
}

void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// An icon file of one 16 x 16 image of 32 bits per pixel in one colour (0xAARRGGBB).
std::vector<uint8_t> SolidIco(uint32_t argb) {
    std::vector<uint8_t> image;
    PutLe(image, 40, 4), PutLe(image, 16, 4), PutLe(image, 32, 4), PutLe(image, 1, 2), PutLe(image, 32, 2);
    for (int i = 0; i < 6; ++i) PutLe(image, 0, 4);
    for (int i = 0; i < 16 * 16; ++i) PutLe(image, argb, 4);
    for (int i = 0; i < 16; ++i) PutLe(image, 0, 4);  // the mask: all opaque
    std::vector<uint8_t> file;
    PutLe(file, 0, 2), PutLe(file, 1, 2), PutLe(file, 1, 2);
    file.push_back(16), file.push_back(16), file.push_back(0), file.push_back(0);
    PutLe(file, 1, 2), PutLe(file, 32, 2), PutLe(file, uint32_t(image.size()), 4), PutLe(file, 22, 4);
    file.insert(file.end(), image.begin(), image.end());
    return file;
}

TEST(SkinAlphaImageList, IconAndBitmapFilesAreItemsToo) {
    TSkinAlphaImageList list(nullptr);
    ASSERT_TRUE(list.AddItem(TSkinImageFormat::ifICO, SolidIco(0xFF00FF00u), "green"));
    ASSERT_TRUE(list.AddItem(TSkinImageFormat::ifBMP32, bmptest::SolidBmp(16, 16, 0x800000FFu, 32), "blue"));
    EXPECT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(list.Count(), 2);
    const auto green = list.GetScaledBitmap(0, 16, 16);
    ASSERT_NE(green, nullptr);
    EXPECT_EQ(PixelAt(*green, 8, 8), 0xFF00FF00u);
    const auto blue = list.GetScaledBitmap(1, 16, 16);
    ASSERT_NE(blue, nullptr);
    EXPECT_EQ(PixelAt(*blue, 8, 8), 0x800000FFu);  // its own alpha kept
    // Bytes that are not a file of the format add nothing.
    std::vector<uint8_t> cut = SolidIco(0xFF00FF00u);
    cut.resize(30);
    EXPECT_FALSE(list.AddItem(TSkinImageFormat::ifICO, cut));
    EXPECT_FALSE(list.AddItem(TSkinImageFormat::ifBMP32, {'B', 'M', 1, 2}));
    EXPECT_EQ(list.ItemCount(), 2);
    list.ClearAll();
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_NE(list.Handle(), nullptr);
}

TEST(SkinAlphaImageList, ItemsSavedToAStreamLoadBackAndCopy) {
    TSkinAlphaImageList list(nullptr);
    ASSERT_TRUE(list.AddImageFromStream(RedPng(255)));
    ASSERT_TRUE(list.AddItem(TSkinImageFormat::ifICO, SolidIco(0xFF00FF00u), "green"));
    TMemoryStream stream;
    list.SaveItems(stream);

    TSkinAlphaImageList loaded(nullptr);
    stream.SetPosition(0);
    ASSERT_TRUE(loaded.LoadItems(stream));
    ASSERT_EQ(loaded.ItemCount(), 2);
    EXPECT_EQ(loaded.Count(), 2);
    EXPECT_EQ(loaded.ItemFormat(1), TSkinImageFormat::ifICO);
    EXPECT_EQ(loaded.ItemName(1), "green");
    EXPECT_EQ(PixelAt(*loaded.GetScaledBitmap(0, 16, 16), 8, 8), 0xFFFF0000u);

    // Cut short, or a format it does not know: nothing changes.
    for (size_t keep : {size_t(3), stream.Bytes().size() - 1}) {
        SCOPED_TRACE(keep);
        TMemoryStream cut(stream.Bytes().data(), keep);
        EXPECT_FALSE(loaded.LoadItems(cut));
        EXPECT_EQ(loaded.ItemCount(), 2);
    }
    std::vector<uint8_t> unknown = stream.Bytes();
    unknown[4] = 9;
    TMemoryStream odd(std::move(unknown));
    EXPECT_FALSE(loaded.LoadItems(odd));
    EXPECT_EQ(loaded.ItemCount(), 2);

    TSkinAlphaImageList copy(nullptr, 32, 32);
    int changes = 0;
    copy.OnChange = [&] { ++changes; };
    copy.Assign(list);
    EXPECT_EQ(copy.ItemCount(), 2);
    EXPECT_EQ(copy.Width(), 16);
    EXPECT_EQ(copy.ItemName(1), "green");
    EXPECT_EQ(PixelAt(*copy.GetScaledBitmap(1, 16, 16), 8, 8), 0xFF00FF00u);
    EXPECT_EQ(changes, 1);
}

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

// Through the links the manager's skin thumbnails are an alpha image list that takes PNG previews.
TEST(SkinAlphaImageList, TheManagersThumbnailsAreAnAlphaImageList) {
    TSkinEngineLinks links;
    AddImageListLinks(links);
    InstallSkinEngineLinks(links);
    {
        TSkinManager manager(nullptr);
        TImageList& thumbnails = manager.SkinThumbnails(140, 100);
        auto* alpha = dynamic_cast<TSkinAlphaImageList*>(&thumbnails);
        ASSERT_NE(alpha, nullptr);
        EXPECT_EQ(&manager.SkinThumbnails(1, 1), &thumbnails);  // one list, made once
        ASSERT_TRUE(SkinEngineLinks().AddPngImage(thumbnails, RedPng(255)));
        EXPECT_EQ(thumbnails.Count(), 1);
        const auto image = alpha->GetScaledBitmap(0, 140, 100);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(AlphaAt(*image, 70, 50), 255);
        thumbnails.Clear();  // the items go with the images
        EXPECT_EQ(alpha->ItemCount(), 0);
    }
    InstallSkinEngineLinks({});
}

}  // namespace
}  // namespace ad::skin::controls
