// Tests of section backgrounds on small bitmaps: every texture draw mode with a
// 2 x 2 texture, the shares of texture, gradient and colour, transparency over
// a background, state limits and clipping.
#include "skin/engine/SkinSectionPaint.h"

#include <gtest/gtest.h>

#include <string>

namespace ad::skin {
namespace {

constexpr uint32_t A = 0xFF0000AAu, B = 0xFF0000BBu, C = 0xFF0000CCu, D = 0xFF0000DDu;
constexpr TColor kColor = 0x000011;  // pixel 0xFF110000
constexpr uint32_t kColorPixel = 0xFF110000u;

struct TSkin {
    TSkinTables Tables;
    int Section = -1;
    int Texture = -1;

    explicit TSkin(uint16_t mode = 0) {
        auto image = std::make_shared<TBitmap32>(2, 2);
        const TImageView32 v = image->View();
        SetPixel32(v, 0, 0, A), SetPixel32(v, 1, 0, B), SetPixel32(v, 0, 1, C), SetPixel32(v, 1, 1, D);
        TSkinGeneralData s;
        s.ClassName = "PANEL";
        s.States = 2;
        for (TSkinGenState& st : s.Props) st.Color = kColor;
        Section = Tables.AddSection(s);
        TSkinMaskData m;
        m.Bmp = image;
        m.R = {0, 0, 2, 2};
        m.DrawFlags = mode;
        m.DrawMode = dmTexture;
        m.SectionIndex = Section;
        m.ClassName = "PANEL";
        m.PropertyName = "PATTERN";
        Texture = Tables.AddMask(m);
        Tables.Section(Section).Props[0].TextureIndex = Texture;
        Tables.Section(Section).Props[1].TextureIndex = Texture;
    }
    TSkinGenState& State(int i) { return Tables.Section(Section).Props[size_t(i)]; }
};

// The bitmap as letters: A-D texture pixels, '.' the section colour, '?' anything else.
std::string Map(TBitmap32& b) {
    std::string out;
    const TImageView32 v = b.View();
    for (int y = 0; y < v.Height; ++y) {
        if (y) out += '/';
        for (int x = 0; x < v.Width; ++x) {
            const uint32_t p = GetPixel32(v, x, y);
            out += p == A ? 'A' : p == B ? 'B' : p == C ? 'C' : p == D ? 'D' : p == kColorPixel ? '.' : '?';
        }
    }
    return out;
}

TEST(SkinSectionPaint, TextureDrawModes) {
    struct Case {
        uint16_t mode;
        const char* expected;  // 5 x 4
    } cases[] = {
        {0, "ABABA/CDCDC/ABABA/CDCDC"},  {1, "AAABB/AAABB/CCCDD/CCCDD"},  {2, "ABABA/CDCDC/...../....."},
        {3, "AB.../CD.../AB.../CD..."},  {4, "AAABB/CCCDD/...../....."},  {5, "AB.../AB.../CD.../CD..."},
        {6, "...../...../ABABA/CDCDC"},  {7, "...AB/...CD/...AB/...CD"},  {8, "ABABA/CDCDC/ABABA/CDCDC"},
        {9, "ABABA/CDCDC/ABABA/CDCDC"},  {10, "ABABA/CDCDC/ABABA/CDCDC"}, {11, "AAABB/CCCDD/AAABB/CCCDD"},
        {12, "ABABA/ABABA/CDCDC/CDCDC"}, {13, "BABAB/DCDCD/BABAB/DCDCD"}, {14, "ABABA/CDCDC/ABABA/CDCDC"},
    };
    for (const Case& c : cases) {
        TSkin s(c.mode);
        s.State(0).ImagePercent = 100;
        TBitmap32 b(5, 4);
        PaintSectionBackground(b.View(), {0, 0, 5, 4}, {0, 0}, skNoBackground, s.Section, 0, kNoCustomColor, -1, -1,
                               s.Tables);
        EXPECT_EQ(Map(b), c.expected) << "mode " << c.mode;
    }
}

uint8_t Blue(uint32_t p) { return uint8_t(p); }
uint8_t Red(uint32_t p) { return uint8_t(p >> 16); }

TEST(SkinSectionPaint, SharesOfTextureGradientAndColour) {
    TSkin s;
    s.State(0).ImagePercent = 30;  // the texture, then the colour mixed in: the texture keeps 76 of 255
    TBitmap32 b(2, 2);
    PaintSectionBackground(b.View(), {0, 0, 2, 2}, {0, 0}, skNoBackground, s.Section, 0, kNoCustomColor, -1, -1, s.Tables);
    EXPECT_EQ(Blue(GetPixel32(b.View(), 0, 0)), (0xAA * 76) >> 8);
    EXPECT_EQ(Red(GetPixel32(b.View(), 0, 0)), (0x11 * (255 - 76)) >> 8);

    // 40 / 60 with a flat gradient: the one-pass path gives the two-step result within 1.
    TSkin g;
    g.State(0).ImagePercent = 40;
    g.State(0).GradientPercent = 60;
    g.State(0).GradientArray = {{0x000080, 0x000080, 100, 0}};  // red 0x80
    b = TBitmap32(2, 2);
    PaintSectionBackground(b.View(), {0, 0, 2, 2}, {0, 0}, skNoBackground, g.Section, 0, kNoCustomColor, -1, -1, g.Tables);
    const int keep = 40 * 255 / 100;
    const uint32_t p = GetPixel32(b.View(), 1, 1);
    EXPECT_NEAR(Blue(p), (0xDD * keep + 0 * (256 - keep)) >> 8, 1);
    EXPECT_NEAR(Red(p), (0 * keep + 0x80 * (256 - keep)) >> 8, 1);

    // A custom colour paints that colour alone.
    b = TBitmap32(2, 2);
    PaintSectionBackground(b.View(), {0, 0, 2, 2}, {0, 0}, skNoBackground, s.Section, 0, 0x0000FF, -1, -1, s.Tables);
    EXPECT_EQ(GetPixel32(b.View(), 1, 1), 0xFFFF0000u);
}

TEST(SkinSectionPaint, TransparencyOverTheBackground) {
    TSkin s;
    TBitmap32 parent(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) SetPixel32(parent.View(), x, y, 0xFF000000u | uint32_t(y * 8 + x));
    TSkBgCacheRef bg = MakeBgCacheRefFromBitmap(parent.View(), 2, 1);

    s.State(0).Transparency = 100;  // exactly the background
    TBitmap32 b(4, 4);
    PaintSectionBackground(b.View(), {0, 0, 4, 4}, {1, 1}, bg, s.Section, 0, kNoCustomColor, -1, -1, s.Tables);
    EXPECT_EQ(GetPixel32(b.View(), 0, 0), GetPixel32(parent.View(), 3, 2));
    EXPECT_EQ(GetPixel32(b.View(), 3, 3), GetPixel32(parent.View(), 6, 5));
    // Reaching past the background's bitmap: what lies outside is left, nothing read beyond it.
    PaintSectionBackground(b.View(), {0, 0, 4, 4}, {4, 5}, bg, s.Section, 0, kNoCustomColor, -1, -1, s.Tables);

    s.State(0).Transparency = 40;  // half-way mix over an unknown bitmap: one flat colour
    TSkBgCacheRef flat;
    flat.FillColor = 0xFF0000;  // blue
    PaintSectionBackground(b.View(), {0, 0, 4, 4}, {0, 0}, flat, s.Section, 0, kNoCustomColor, -1, -1, s.Tables);
    const uint8_t w = 40 * 255 / 100;
    EXPECT_EQ(Blue(GetPixel32(b.View(), 2, 2)), (0xFF * w) >> 8);
    EXPECT_EQ(Red(GetPixel32(b.View(), 2, 2)), (0x11 * (255 - w)) >> 8);

    // A state past the section's count paints the last one.
    s.State(0).Transparency = 0;
    s.State(1).Transparency = 0;
    s.State(1).Color = 0x0000FF;
    PaintSectionBackground(b.View(), {0, 0, 4, 4}, {0, 0}, skNoBackground, s.Section, 5, kNoCustomColor, -1, -1, s.Tables);
    EXPECT_EQ(GetPixel32(b.View(), 0, 0), 0xFFFF0000u);
    // A rectangle past the bitmap is clipped.
    PaintSectionBackground(b.View(), {-3, 2, 40, 40}, {0, 0}, skNoBackground, s.Section, 0, kNoCustomColor, -1, -1, s.Tables);
    EXPECT_EQ(GetPixel32(b.View(), 3, 3), kColorPixel);
}

}  // namespace
}  // namespace ad::skin
