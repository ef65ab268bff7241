// PNG files as pictures: loading by extension, damaged files, and drawing with
// and without alpha, stretched and with the reflection.
#include "skin/engine/win/skPNGGraphic.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "skin/engine/testkit/PngTestWriter.h"
#include "skin/engine/win/SkinDib.h"
#include "testsupport/TempFolder.h"

namespace ad::skin {
namespace {

using pngtest::Bytes;

// A 32-bit DIB section filled with one colour, selected into a DC.
struct Canvas {
    Canvas(int w, int h, COLORREF fill) : Dib(w, h), DC(::CreateCompatibleDC(nullptr)) {
        Old = ::SelectObject(DC.Get(), Dib.Handle());
        RECT all{0, 0, w, h};
        OwnedBrush brush(::CreateSolidBrush(fill));
        ::FillRect(DC.Get(), &all, brush.Get());
    }
    ~Canvas() { ::SelectObject(DC.Get(), Old); }
    // Red, green, blue of pixel (x, y).
    uint32_t At(int x, int y) const {
        ::GdiFlush();
        const uint8_t* p = Dib.View().Pixel(x, y);
        return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    }
    TDibSection32 Dib;
    OwnedMemoryDC DC;
    HGDIOBJ Old;
};

bool Near(uint32_t a, uint32_t b) {
    for (int s = 0; s < 24; s += 8)
        if (std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)) > 2) return false;
    return true;
}

// 2 x 2 RGBA: opaque red, transparent, half-transparent blue, opaque green.
Bytes Rgba2x2() {
    pngtest::Image img;
    img.Width = img.Height = 2;
    img.ColorType = 6;
    img.Sample = [](int x, int y, int c) {
        static const uint32_t px[4][4] = {{255, 0, 0, 255}, {9, 9, 9, 0}, {0, 0, 255, 128}, {0, 255, 0, 255}};
        return px[y * 2 + x][c];
    };
    return pngtest::Write(img);
}

TEST(skPNGGraphic, PngFilesLoadIntoPicturesByExtensionAndDraw) {
    PNGRegister();
    auto format = TPicture::FindFileFormat("PNG");
    ASSERT_TRUE(format);
    EXPECT_EQ(format->Description, "Portable network graphics (skin engine)");
    test::TempDir dir;
    const Bytes png = Rgba2x2();
    const std::string file = dir.Write("alpha.PnG", std::string(png.begin(), png.end()));
    TPicture picture;
    picture.LoadFromFile(file);
    auto* graphic = dynamic_cast<TPNGPicture*>(picture.Graphic());
    ASSERT_NE(graphic, nullptr);
    EXPECT_EQ(picture.Width(), 2);

    // At its own size: blended over what the target shows.
    Canvas c(4, 4, RGB(200, 200, 200));
    picture.Draw(c.DC.Get(), RECT{1, 1, 3, 3});
    EXPECT_TRUE(Near(c.At(1, 1), 0xFF0000)) << std::hex << c.At(1, 1);
    EXPECT_EQ(c.At(2, 1), 0xC8C8C8u);  // transparent: untouched
    EXPECT_TRUE(Near(c.At(1, 2), 0x6464E4)) << std::hex << c.At(1, 2);  // half blue over grey
    EXPECT_TRUE(Near(c.At(2, 2), 0x00FF00)) << std::hex << c.At(2, 2);
    EXPECT_EQ(c.At(0, 0), 0xC8C8C8u);
    EXPECT_EQ(c.At(3, 3), 0xC8C8C8u);  // no reflection unless asked for

    // Stretched: colours and alpha scale apart (the transparent quarter stays clear).
    Canvas big(8, 8, RGB(200, 200, 200));
    picture.Draw(big.DC.Get(), RECT{0, 0, 8, 8});
    EXPECT_TRUE(Near(big.At(0, 0), 0xFF0000));
    EXPECT_EQ(big.At(7, 0), 0xC8C8C8u);
    EXPECT_TRUE(Near(big.At(7, 7), 0x00FF00));

    // With the reflection a fading mirror image shows under the picture (one
    // row below its bottom, within half its height).
    pngtest::Image tall;
    tall.Width = 2;
    tall.Height = 8;
    tall.ColorType = 6;
    tall.Sample = [](int, int, int c) { return uint32_t(c == 0 || c == 3 ? 255 : 0); };
    const Bytes tallPng = pngtest::Write(tall);
    TPNGPicture mirror;
    TMemoryStream tallStream(std::vector<uint8_t>(tallPng.begin(), tallPng.end()));
    mirror.LoadFromStream(tallStream);
    mirror.Png.Reflection = true;
    Canvas mirrored(2, 14, RGB(200, 200, 200));
    mirror.Draw(mirrored.DC.Get(), RECT{0, 0, 2, 8});
    const uint32_t below = mirrored.At(0, 9);
    EXPECT_GT(below >> 16, 200u) << std::hex << below;  // redder than the grey
    EXPECT_LT(below & 0xFF, 200u) << std::hex << below;
    EXPECT_EQ(mirrored.At(0, 13), 0xC8C8C8u);

    // A damaged file raises and leaves the picture (and a graphic) as it was.
    const std::string damaged = dir.Write("damaged.png", std::string(png.begin(), png.begin() + 40));
    EXPECT_THROW(picture.LoadFromFile(damaged), EInvalidGraphic);
    EXPECT_EQ(picture.Graphic(), graphic);
    TMemoryStream cut(std::vector<uint8_t>(png.begin(), png.begin() + 40));
    EXPECT_THROW(graphic->LoadFromStream(cut), EInvalidGraphic);
    EXPECT_EQ(graphic->Width(), 2);
}

TEST(skPNGGraphic, ImagesWithoutAlphaDrawAsPlainBitmaps) {
    pngtest::Image img;  // 2 x 1 RGB: red, blue
    img.Width = 2;
    img.ColorType = 2;
    img.Sample = [](int x, int, int c) { return uint32_t(x == 0 ? (c == 0 ? 255 : 0) : (c == 2 ? 255 : 0)); };
    const Bytes png = pngtest::Write(img);
    TPNGPicture graphic;
    TMemoryStream stream(std::vector<uint8_t>(png.begin(), png.end()));
    graphic.LoadFromStream(stream);
    Canvas c(4, 2, RGB(1, 2, 3));
    graphic.Draw(c.DC.Get(), RECT{0, 0, 4, 2});
    EXPECT_EQ(c.At(0, 0), 0xFF0000u);
    EXPECT_EQ(c.At(1, 1), 0xFF0000u);
    EXPECT_EQ(c.At(3, 0), 0x0000FFu);
}

}  // namespace
}  // namespace ad::skin
