// Tests of whole-bitmap border painting and mask piece copies: borders cut to
// fit, tiny bitmaps, states beyond the mask's images, alpha parts and the
// key-colour runs that make a window region.
#include "skin/engine/paint/SkinBorderPieces.h"

#include <gtest/gtest.h>

#include <functional>

namespace ad::skin {
namespace {

constexpr uint32_t kKey = 0xFFFF00FFu;
constexpr uint32_t kBlank = 0xFF123456u;

// A mask of `frames` frames of w x h whose pixels come from colour(frame, x, y);
// with an alpha part the lower half holds alpha(frame, x, y).
struct TMaskFixture {
    TSkinTables Skin;
    TSkinMaskData Mask;

    TMaskFixture(int frames, int w, int h, const std::function<uint32_t(int, int, int)>& colour,
                 const std::function<uint32_t(int, int, int)>& alpha = nullptr) {
        auto image = std::make_shared<TBitmap32>(w * frames, alpha ? 2 * h : h);
        const TImageView32 v = image->View();
        for (int f = 0; f < frames; ++f)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    SetPixel32(v, f * w + x, y, colour(f, x, y));
                    if (alpha) SetPixel32(v, f * w + x, h + y, alpha(f, x, y));
                }
        Mask.Bmp = image;
        Mask.R = {0, 0, w * frames, alpha ? 2 * h : h};
        Mask.ImageCount = int16_t(frames);
        Mask.MaskType = alpha ? 1 : 0;
    }
};

TBitmap32 Filled(int w, int h) {
    TBitmap32 b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel32(b.View(), x, y, kBlank);
    return b;
}

uint32_t Px(TBitmap32& b, int x, int y) { return GetPixel32(b.View(), x, y); }

constexpr uint32_t kLeft = 0xFF0000AAu, kRight = 0xFF00AA00u, kMiddle = 0xFFAA0000u;

TEST(SkinBorderPieces, BordersThatDoNotFitGiveUpHalfTheExcessEach) {
    TMaskFixture f(1, 20, 20, [](int, int x, int) { return x < 8 ? kLeft : x >= 12 ? kRight : kMiddle; });
    f.Mask.WL = f.Mask.WR = 8;
    f.Mask.WT = f.Mask.WB = 2;
    TBitmap32 b = Filled(10, 20);
    DrawMaskToBitmap(b.View(), skNoBackground, 0, f.Mask, f.Skin);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(Px(b, x, 10), x < 5 ? kLeft : kRight) << x;

    // An odd excess: the left border gives up the smaller half.
    TBitmap32 odd = Filled(11, 20);
    f.Mask.WR = 9;
    DrawMaskToBitmap(odd.View(), skNoBackground, 0, f.Mask, f.Skin);
    int left = 0;
    while (left < 11 && Px(odd, left, 10) == kLeft) ++left;
    EXPECT_EQ(left, 8 - 3);  // excess 6: 3 off the left, 3 off the right
}

TEST(SkinBorderPieces, TinyBitmapsStayAndStatesStopAtTheLastImage) {
    const uint32_t frameColours[3] = {0xFF000001u, 0xFF000002u, 0xFF000003u};
    TMaskFixture f(3, 9, 9, [&](int frame, int, int) { return frameColours[frame]; });
    f.Mask.WL = f.Mask.WT = f.Mask.WR = f.Mask.WB = 3;
    for (auto [w, h] : {std::pair{1, 10}, {10, 1}, {1, 1}}) {
        TBitmap32 b = Filled(w, h);
        DrawMaskToBitmap(b.View(), skNoBackground, 0, f.Mask, f.Skin);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) EXPECT_EQ(Px(b, x, y), kBlank) << w << "x" << h;
    }
    TBitmap32 b = Filled(12, 12);
    DrawMaskToBitmap(b.View(), skNoBackground, 7, f.Mask, f.Skin);
    EXPECT_EQ(Px(b, 0, 0), frameColours[2]);
    // No image count: one image over the whole mask.
    f.Mask.ImageCount = 0;
    TBitmap32 one = Filled(12, 12);
    DrawMaskToBitmap(one.View(), skNoBackground, 2, f.Mask, f.Skin);
    EXPECT_EQ(Px(one, 0, 0), frameColours[0]);
    EXPECT_EQ(Px(one, 11, 11), frameColours[2]);  // its right part is the third frame's
    // A mask without image paints nothing.
    TSkinMaskData none = f.Mask;
    none.Bmp = nullptr;
    TBitmap32 untouched = Filled(12, 12);
    DrawMaskToBitmap(untouched.View(), skNoBackground, 0, none, f.Skin);
    EXPECT_EQ(Px(untouched, 0, 0), kBlank);
}

TEST(SkinBorderPieces, KeyColourRunsBecomeRegionRectangles) {
    // Row 0: K K . K . . K; row 1: . K K K . . .
    const char* rows[] = {"KK.K..K", ".KKK..."};
    TMaskFixture f(1, 7, 2, [&](int, int x, int y) { return rows[y][x] == 'K' ? kKey : 0xFF000000u | uint32_t(x); });
    TBitmap32 target = Filled(20, 20);
    std::vector<TRect> runs;
    CopyMaskPiece(f.Mask, f.Skin, target.View(), {10, 5}, {0, 0, 7, 2}, &runs);
    const std::vector<TRect> expected = {{10, 5, 12, 6}, {13, 5, 14, 6}, {16, 5, 17, 6}, {11, 6, 14, 7}};
    EXPECT_EQ(runs, expected);
    EXPECT_EQ(Px(target, 10, 5), kBlank);   // key pixels are left out
    EXPECT_EQ(Px(target, 12, 5), 0xFF000002u);

    // Clipped by the target on the left: runs start at its edge.
    runs.clear();
    CopyMaskPiece(f.Mask, f.Skin, target.View(), {-1, 0}, {0, 0, 7, 2}, &runs);
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs.front(), (TRect{0, 0, 1, 1}));
    // Without a region the key pixels are copied too.
    TBitmap32 plain = Filled(7, 2);
    CopyMaskPiece(f.Mask, f.Skin, plain.View(), {0, 0}, {0, 0, 7, 2});
    EXPECT_EQ(Px(plain, 0, 0), kKey);
}

TEST(SkinBorderPieces, AlphaPartsBlendThePiece) {
    // Black alpha: the piece as it is; white: the target stays; grey: between.
    const uint32_t alphas[3] = {0xFF000000u, 0xFFFFFFFFu, 0xFF808080u};
    TMaskFixture f(1, 3, 1, [](int, int, int) { return 0xFFFFFFFFu; }, [&](int, int x, int) { return alphas[x]; });
    TBitmap32 target(3, 1);
    for (int x = 0; x < 3; ++x) SetPixel32(target.View(), x, 0, 0xFF000000u);
    CopyMaskPiece(f.Mask, f.Skin, target.View(), {0, 0}, {0, 0, 3, 1});
    EXPECT_EQ(Px(target, 0, 0), 0xFFFEFEFEu);  // 255 * 255 / 256
    EXPECT_EQ(Px(target, 1, 0), 0xFF000000u);
    EXPECT_EQ(Px(target, 2, 0), 0xFF7E7E7Eu);  // 255 * 127 / 256
    // A piece reaching past the colour half never reads the alpha rows as colour.
    TBitmap32 tall = Filled(3, 3);
    CopyMaskPiece(f.Mask, f.Skin, tall.View(), {0, 0}, {0, 0, 3, 3});
    EXPECT_EQ(Px(tall, 0, 1), kBlank);
}

}  // namespace
}  // namespace ad::skin
