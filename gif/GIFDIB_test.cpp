// The bitmap writer's layout and checks, and reading bitmaps at 24 bits.
#include "gif/GIFDIB.h"

#include <gtest/gtest.h>

namespace ad::gif {
namespace {

uint32_t LE(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + size_t(i)];
    return v;
}

TEST(GIFDIBWriter, OnePixelAt24BitsTakesOneFourByteRow) {
    TDIBWriter w(nullptr, 1, 1, pf24bit);
    uint8_t* row = w.ScanLine(0);
    row[0] = 1, row[1] = 2, row[2] = 3;
    EXPECT_EQ(w.Bits().size(), 4u);
    EXPECT_EQ(w.Info().size(), 40u);
    std::vector<uint8_t> file = w.BitmapFile();
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(LE(file, 2, 4), 14u + 40u + 4u);
    EXPECT_EQ(LE(file, 10, 4), 54u);
    EXPECT_EQ(LE(file, 14 + 14, 2), 24u);  // bits per pixel
}

TEST(GIFDIBWriter, ShortPaletteIsPaddedTo256EntriesAndRowsAreBottomUp) {
    TGIFPalette pal;
    for (int i = 0; i < 16; ++i) pal.push_back({uint8_t(i), uint8_t(i + 1), uint8_t(i + 2)});
    TDIBWriter w(&pal, 3, 5, pf8bit);
    w.ScanLine(0)[0] = 7;  // top row
    w.ScanLine(2)[4] = 9;  // bottom row
    const auto& info = w.Info();
    ASSERT_EQ(info.size(), 40u + 1024u);
    EXPECT_EQ(LE(info, 8, 4), 3u);    // positive height: bottom-up
    EXPECT_EQ(LE(info, 32, 4), 256u);  // colours used
    EXPECT_EQ(LE(info, 36, 4), 16u);   // important: the palette's entries
    EXPECT_EQ(info[40 + 15 * 4], 15 + 2);  // blue first
    EXPECT_EQ(info[40 + 15 * 4 + 2], 15);
    for (size_t i = 40 + 16 * 4; i < info.size(); ++i) ASSERT_EQ(info[i], 0) << i;
    EXPECT_EQ(w.RowSize(), 8);
    EXPECT_EQ(w.Bits()[2 * 8], 7);  // top row stored last
    EXPECT_EQ(w.Bits()[4], 9);
    TGIFDib dib = w.ToDib();
    EXPECT_EQ(dib.Row(0)[0], 7);
    EXPECT_EQ(dib.Row(2)[4], 9);
}

TEST(GIFDIBWriter, PaletteIsClampedTo256Entries) {
    TGIFPalette pal(300, TGIFColor{1, 2, 3});
    TDIBWriter w(&pal, 1, 1, pf8bit);
    w.ScanLine(0);
    EXPECT_EQ(w.Info().size(), 40u + 1024u);
    EXPECT_EQ(LE(w.Info(), 36, 4), 256u);
}

TEST(GIFDIBWriter, Errors) {
    EXPECT_THROW(
        {
            try {
                TDIBWriter(nullptr, 1, 1, pf32bit);
            } catch (const GIFException& e) {
                EXPECT_EQ(e.Message, "Unsupported PixelFormat");
                throw;
            }
        },
        GIFException);
    for (auto [w, h] : {std::pair{0, 1}, {1, 0}, {-5, 3}}) {
        try {
            TDIBWriter writer(nullptr, h, w, pf8bit);
            ADD_FAILURE() << w << "x" << h;
        } catch (const GIFException& e) {
            EXPECT_EQ(e.Message, "Invalid image dimensions");
        }
    }
    TDIBWriter w(nullptr, 2, 2, pf8bit);
    for (int row : {-1, 2}) {
        try {
            w.ScanLine(row);
            ADD_FAILURE() << row;
        } catch (const EInvalidGraphicOperation& e) {
            EXPECT_EQ(e.Message, "Scan line index out of range");
        }
    }
    TDIBWriter unused(nullptr, 2, 2, pf8bit);
    EXPECT_THROW(unused.BitmapFile(), GIFException);  // "Image has no DIB"
}

TEST(GIFDIBWriter, SizesBeyondTheBudgetFailInsteadOfWrapping) {
    // 65535 x 65535 at 24 bits is about 12 GB: computed in 64 bits and refused.
    TDIBWriter w(nullptr, 65535, 65535, pf24bit);
    EXPECT_THROW(w.ScanLine(0), EOutOfMemory);
    EXPECT_FALSE(w.HasMemory());
}

TEST(GIFDIBReader, ReadsPalettedFormatsAt24Bits) {
    TGIFDib one(10, 1, pf1bit), four(3, 1, pf4bit);
    one.Palette = {{0, 0, 0}, {255, 255, 255}};
    one.Row(0)[0] = 0x81;  // pixels 0 and 7 set, most significant bit first
    one.Row(0)[1] = 0x40;  // pixel 9
    four.Palette = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}};
    four.Row(0)[0] = 0x21;  // high half first
    four.Row(0)[1] = 0x70;  // index 7: past the palette, reads entry 0
    TDIBReader r1(one, pf24bit), r4(four, pf24bit);
    const uint8_t* p = r1.ScanLine(0);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(p[x * 3], (x == 0 || x == 7 || x == 9) ? 255 : 0) << x;
    const uint8_t* q = r4.ScanLine(0);
    EXPECT_EQ(q[0], 3);  // index 2
    EXPECT_EQ(q[3], 2);  // index 1
    EXPECT_EQ(q[6], 1);
    EXPECT_THROW(r4.ScanLine(1), EInvalidGraphicOperation);
}

}  // namespace
}  // namespace ad::gif
