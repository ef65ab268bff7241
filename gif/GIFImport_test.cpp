// Importing bitmaps into frames: palettes kept, colours collected in order,
// the colour limit, masks.
#include "gif/GIFImport.h"

#include <gtest/gtest.h>

namespace ad::gif {
namespace {

TEST(GIFImport, PalettedBitmapsKeepTheirPaletteOrder) {
    TGifPicture pic;
    TGIFDib eight(3, 2, pf8bit), one(9, 1, pf1bit), four(3, 1, pf4bit);
    for (int i = 0; i < 5; ++i) eight.Palette.push_back({uint8_t(i * 10), 0, 0});
    uint8_t px[] = {4, 0, 2, 1, 3, 4};
    for (int i = 0; i < 6; ++i) eight.Row(i / 3)[i % 3] = px[i];
    one.Palette = {{0, 0, 0}, {9, 9, 9}};
    one.Row(0)[0] = 0xA0;  // 1 0 1 0 ...
    one.Row(0)[1] = 0x80;  // pixel 8
    four.Palette = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}};
    four.Row(0)[0] = 0x21;
    four.Row(0)[1] = 0x00;

    TGIFSubImage f(&pic);
    GIFImportBitmap(f, eight);
    EXPECT_EQ(f.ColorMap.Count, 5);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(f.Data()[i], px[i]);
    EXPECT_EQ(f.ColorMap.Colors(4), GIFColorToTColor({40, 0, 0}));

    GIFImportBitmap(f, one);
    EXPECT_EQ(std::vector<uint8_t>(f.Data(), f.Data() + 9), (std::vector<uint8_t>{1, 0, 1, 0, 0, 0, 0, 0, 1}));
    GIFImportBitmap(f, four);
    EXPECT_EQ(std::vector<uint8_t>(f.Data(), f.Data() + 3), (std::vector<uint8_t>{2, 1, 0}));
    EXPECT_EQ(f.ColorMap.Count, 3);
}

TGIFDib TrueColour(int w, int h, const std::vector<uint32_t>& rgb) {
    TGIFDib d(w, h, pf24bit);
    for (size_t i = 0; i < rgb.size(); ++i) {
        uint8_t* p = d.Row(int(i / size_t(w))) + (i % size_t(w)) * 3;
        p[0] = uint8_t(rgb[i]);
        p[1] = uint8_t(rgb[i] >> 8);
        p[2] = uint8_t(rgb[i] >> 16);
    }
    return d;
}

TEST(GIFImport, TrueColourTakesColoursInOrderOfFirstAppearance) {
    TGifPicture pic;
    pic.ReductionMethod = crNone;
    TGIFDib d = TrueColour(3, 2, {0x112233, 0x112233, 0xFF0000, 0x00FF00, 0x112233, 0xFF0000});
    TGIFSubImage f(&pic);
    GIFImportBitmap(f, d);
    ASSERT_EQ(f.ColorMap.Count, 3);
    EXPECT_EQ(f.ColorMap.Entry(0), (TGIFColor{0x11, 0x22, 0x33}));
    EXPECT_EQ(f.ColorMap.Entry(1), (TGIFColor{0xFF, 0, 0}));
    EXPECT_EQ(f.ColorMap.Entry(2), (TGIFColor{0, 0xFF, 0}));
    EXPECT_EQ(std::vector<uint8_t>(f.Data(), f.Data() + 6), (std::vector<uint8_t>{0, 0, 1, 2, 0, 1}));

    // More than 256 colours without reduction: "Color table overflow".
    std::vector<uint32_t> many;
    for (uint32_t i = 0; i < 257; ++i) many.push_back(i < 256 ? i << 16 : 0x000100);
    TGIFDib big = TrueColour(257, 1, many);
    try {
        GIFImportBitmap(f, big);
        ADD_FAILURE();
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message, "Color table overflow");
    }
    // Any reduction leaves at most 256.
    pic.ReductionMethod = crQuantize;
    GIFImportBitmap(f, big);
    EXPECT_LE(f.ColorMap.Count, 256);
}

TEST(GIFImport, MasksBecomeATransparentEntry) {
    TGifPicture pic;
    TGIFDib d(3, 1, pf8bit);
    d.Palette = {{1, 1, 1}, {2, 2, 2}};
    d.Row(0)[0] = 1;
    d.Mask = {0, 1, 0};
    TGIFSubImage f(&pic);
    GIFImportBitmap(f, d);
    ASSERT_TRUE(f.IsTransparent);
    int t = f.TransparentIndex();
    EXPECT_EQ(f.ColorMap.Entry(t), (TGIFColor{0, 0, 0}));
    EXPECT_EQ(f.Data()[1], t);
    EXPECT_NE(f.Data()[0], t);

    // A mask that marks nothing adds nothing.
    d.Mask = {0, 0, 0};
    GIFImportBitmap(f, d);
    EXPECT_FALSE(f.IsTransparent);
    EXPECT_EQ(f.ColorMap.Count, 2);

    // A full table has no room for a transparent entry.
    TGIFDib full(256, 1, pf8bit);
    for (int i = 0; i < 256; ++i) {
        full.Palette.push_back({uint8_t(i), 0, 0});
        full.Row(0)[i] = uint8_t(i);
    }
    full.Mask.assign(256, 0);
    full.Mask[3] = 1;
    GIFImportBitmap(f, full);
    EXPECT_FALSE(f.IsTransparent);
    EXPECT_EQ(f.ColorMap.Count, 256);
}

TEST(GIFImport, AssigningAFrameToItselfChangesNothing) {
    TGifPicture pic;
    TGIFDib d(2, 1, pf8bit);
    d.Palette = {{1, 1, 1}, {2, 2, 2}};
    d.Row(0)[1] = 1;
    int index = GIFAddBitmap(pic, d);
    TGIFSubImage* f = pic.Frames.Frames(index);
    f->Assign(*f);
    EXPECT_EQ(f->Width(), 2);
    EXPECT_EQ(f->Data()[1], 1);
    EXPECT_EQ(f->ColorMap.Count, 2);
}

}  // namespace
}  // namespace ad::gif
