// Rendering frames into bitmaps and masks, placing and tiling them, and the
// software compositor's disposal handling.
#include "gif/GIFRender.h"

#include <gtest/gtest.h>

namespace ad::gif {
namespace {

TGIFSubImage* AddFrame(TGifPicture& pic, int left, int top, int w, int h, std::vector<uint8_t> pixels,
                       int transparent = -1, int disposal = 0) {
    auto* f = new TGIFSubImage(&pic);
    pic.Add(f);
    f->SetBounds(left, top, w, h);
    f->SetData(std::move(pixels));
    if (transparent >= 0 || disposal != 0) {
        auto* gce = new TGIFGraphicControlExtension(f);
        f->Extensions.Add(gce);
        gce->SetDisposal(disposal);
        if (transparent >= 0) {
            gce->SetTransparentColorIndex(transparent);
            gce->SetTransparent(true);
        }
    }
    return f;
}

void FourColours(TGifPicture& pic) {
    for (TColor c : {0x000000, 0x0000FF, 0x00FF00, 0xFFFFFF}) pic.Header.ColorMap.Add(c);
}

TGIFColor At(const TGIFRenderedFrame& r, int x, int y) {
    const uint8_t* bits = r.Dib->Bits().data();
    uint8_t index = bits[size_t(r.Height - 1 - y) * size_t(r.Dib->RowSize()) + size_t(x)];
    return r.Palette[index];
}

TEST(GIFRenderFrame, IndicesGoStraightIntoThePaletteBitmap) {
    TGifPicture pic;
    FourColours(pic);
    TGIFSubImage* f = AddFrame(pic, 0, 0, 3, 2, {0, 1, 2, 3, 2, 1});
    TGIFRenderedFrame r = GIFRenderFrame(*f, false, true);
    ASSERT_TRUE(r.Dib);
    EXPECT_EQ(r.Palette.size(), 4u);
    EXPECT_EQ(At(r, 1, 0), (TGIFColor{255, 0, 0}));
    EXPECT_EQ(At(r, 0, 1), (TGIFColor{255, 255, 255}));
    EXPECT_TRUE(r.Mask.empty());  // not transparent: no mask
}

TEST(GIFRenderFrame, MaskBitsAreMostSignificantFirstInRowsOf16Bits) {
    TGifPicture pic;
    FourColours(pic);
    std::vector<uint8_t> px(20 * 2, 1);
    px[0] = px[9] = px[19] = px[20 + 17] = 3;
    TGIFSubImage* f = AddFrame(pic, 0, 0, 20, 2, px, 3);
    TGIFRenderedFrame r = GIFRenderFrame(*f, false, true);
    ASSERT_EQ(r.MaskStride, 4);  // 20 bits rounded to 32
    ASSERT_EQ(r.Mask.size(), 8u);
    EXPECT_EQ(r.Mask[0], 0x80);
    EXPECT_EQ(r.Mask[1], 0x40);
    EXPECT_EQ(r.Mask[2], 0x10);
    EXPECT_EQ(r.Mask[4 + 2], 0x40);
    EXPECT_FALSE(f->MaskStale);

    // A transparent frame none of whose pixels has the index gets no mask.
    TGIFSubImage* g = AddFrame(pic, 0, 0, 4, 1, {0, 1, 2, 1}, 3);
    EXPECT_TRUE(GIFRenderFrame(*g, false, true).Mask.empty());
}

TEST(GIFRenderFrame, ChangingTheTransparentIndexMarksTheMaskStale) {
    TGifPicture pic;
    FourColours(pic);
    TGIFSubImage* f = AddFrame(pic, 0, 0, 4, 1, {0, 1, 2, 1}, 0);
    GIFRenderFrame(*f, false, true);
    ASSERT_FALSE(f->MaskStale);
    f->GraphicControlExtension->SetTransparentColorIndex(1);
    EXPECT_TRUE(f->MaskStale);
    TGIFRenderedFrame r = GIFRenderFrame(*f, false, true);
    EXPECT_EQ(r.Mask[0], 0x50);  // pixels 1 and 3
}

TEST(GIFRenderFrame, DitheredFramesUseTheCubeAndLeaveTransparentPixelsFilled) {
    TGifPicture pic;
    FourColours(pic);
    TGIFSubImage* f = AddFrame(pic, 0, 0, 4, 2, {1, 3, 3, 2, 2, 3, 1, 0}, 3);
    TGIFRenderedFrame r = GIFRenderFrame(*f, true, true);
    EXPECT_EQ(r.Palette.size(), 216u);
    EXPECT_EQ(At(r, 0, 0), (TGIFColor{255, 0, 0}));
    EXPECT_EQ(At(r, 3, 0), (TGIFColor{0, 255, 0}));
    EXPECT_EQ(At(r, 3, 1), (TGIFColor{0, 0, 0}));
    // The transparent colour is white: the fill value is 5 + 30 + 180 + 1 = 216,
    // one past the cube, which the mask hides.
    const uint8_t* bits = r.Dib->Bits().data();
    EXPECT_EQ(bits[size_t(r.Dib->RowSize()) + 1], 216);
    EXPECT_EQ(r.Mask[0], 0x60);
    EXPECT_EQ(r.Mask[2], 0x40);
}

TEST(GIFRenderFrame, EmptyFrameHasSizeAndPaletteOnly) {
    TGifPicture pic;
    FourColours(pic);
    auto* f = new TGIFSubImage(&pic);
    pic.Add(f);
    TGIFRenderedFrame r = GIFRenderFrame(*f, false, true);
    EXPECT_FALSE(r.Dib);
    EXPECT_EQ(r.Palette.size(), 4u);
}

TEST(GIFFramePlacement, ScalesBoundsAndTiles) {
    TGifPicture pic;
    FourColours(pic);
    pic.SetWidth(20);
    pic.SetHeight(10);
    TGIFSubImage* f = AddFrame(pic, 10, 0, 5, 10, std::vector<uint8_t>(50, 1));
    TRect r = GIFFrameTargetRect(*f, {0, 0, 40, 20}, 20, 10);
    EXPECT_EQ(r, (TRect{20, 0, 30, 20}));
    EXPECT_EQ(GIFMulDiv(7, 3, 2), 11);  // 10.5 rounds away from zero
    EXPECT_EQ(GIFMulDiv(-7, 3, 2), -11);
    EXPECT_EQ(GIFMulDiv(1, 1, 0), -1);

    TGIFSubImage* whole = AddFrame(pic, 0, 0, 20, 10, std::vector<uint8_t>(200, 2));
    std::vector<TRect> tiles = GIFFrameTiles(*whole, {0, 0, 40, 20}, 20, 10);
    EXPECT_EQ(tiles, (std::vector<TRect>{{0, 0, 20, 10}, {20, 0, 40, 10}, {0, 10, 20, 20}, {20, 10, 40, 20}}));
    EXPECT_EQ(GIFFrameTiles(*f, {0, 0, 40, 20}, 20, 10).size(), 4u);
}

uint32_t Px(const TBitmap32& b, int x, int y) {
    const uint8_t* p = b.Data() + (size_t(y) * size_t(b.Width()) + size_t(x)) * 4;
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

TEST(GIFComposeFrames, DisposalMethods) {
    // Frame 0 fills the 2x1 screen red; frame 1 paints pixel 0 green with the
    // given disposal; frame 2 is fully transparent and shows what is left.
    struct Case {
        int Disposal;
        uint32_t After;
    };
    for (Case c : {Case{0, 0x00FF00}, Case{1, 0x00FF00}, Case{2, 0x123456}, Case{3, 0xFF0000}, Case{5, 0x00FF00}}) {
        TGifPicture pic;
        FourColours(pic);
        AddFrame(pic, 0, 0, 2, 1, {1, 1});
        AddFrame(pic, 0, 0, 1, 1, {2}, -1, c.Disposal);
        AddFrame(pic, 0, 0, 2, 1, {3, 3}, 3);
        auto shown = GIFComposeFrames(pic, {0x12, 0x34, 0x56});
        ASSERT_EQ(shown.size(), 3u);
        EXPECT_EQ(Px(shown[1].Picture, 0, 0), 0x00FF00u);
        EXPECT_EQ(Px(shown[2].Picture, 0, 0), c.After) << c.Disposal;
        EXPECT_EQ(Px(shown[2].Picture, 1, 0), 0xFF0000u);
    }
}

}  // namespace
}  // namespace ad::gif
