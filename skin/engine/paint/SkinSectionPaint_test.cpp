// Tests of section backgrounds on small bitmaps: every texture draw mode with a
// 2 x 2 texture, the shares of texture, gradient and colour, transparency over
// a background, state limits and clipping; the simpler area fill, the border
// and corner variants and the nine-part copy of form borders.
#include "skin/engine/paint/SkinSectionPaint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

namespace ad::skin {
namespace {

constexpr uint32_t A = 0xFF0000AAu, B = 0xFF0000BBu, C = 0xFF0000CCu, D = 0xFF0000DDu;
constexpr uint32_t E = 0xFF00EE00u, F = 0xFF00FF00u, G = 0xFF009900u, H = 0xFF008800u;
constexpr uint32_t kKey = 0xFFFF00FFu;
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

// The bitmap as text: each pixel through name, rows parted by '/', pixels by gap.
template <class Name>
std::string Render(TBitmap32& b, Name name, const char* gap = "") {
    std::string out;
    const TImageView32 v = b.View();
    for (int y = 0; y < v.Height; ++y) {
        if (y) out += '/';
        for (int x = 0; x < v.Width; ++x) {
            if (x) out += gap;
            out += name(GetPixel32(v, x, y));
        }
    }
    return out;
}

// The bitmap as letters: A-H their pixels, '.' the section colour, '0' untouched, '?' anything else.
std::string Map(TBitmap32& b) {
    return Render(b, [](uint32_t p) {
        const uint32_t letters[] = {A, B, C, D, E, F, G, H};
        const auto* hit = std::find(std::begin(letters), std::end(letters), p);
        return hit != std::end(letters) ? char('A' + (hit - letters)) : p == kColorPixel ? '.' : p == 0 ? '0' : '?';
    });
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

// An 8 x 8 parent whose every pixel differs.
TBitmap32 Parent() {
    TBitmap32 parent(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) SetPixel32(parent.View(), x, y, 0xFF000000u | uint32_t(y * 8 + x));
    return parent;
}

TEST(SkinSectionPaint, AreaFill) {
    TBitmap32 parent = Parent();
    const TSkBgCacheRef ready = MakeBgCacheRefFromBitmap(parent.View(), 2, 1);
    TSkBgCacheRef flat;
    flat.FillColor = 0xFF0000;  // blue
    struct Case {
        const char* name;
        int transparency, image, gradient;
        const TSkBgCacheRef* background;
        uint32_t expected;  // at (1, 1); 0: the parent's pixel under it
    } cases[] = {
        {"transparent over a Ready background: the background", 100, 0, 0, &ready, 0},
        {"transparent over a colour: that colour", 100, 0, 0, &flat, 0xFF0000FFu},
        {"transparent over nothing: the section colour", 100, 0, 0, &skNoBackground, kColorPixel},
        {"partly transparent over a colour: no mix, the fill itself", 40, 0, 0, &flat, kColorPixel},
        {"shares beyond the whole: the plain colour", 0, 60, 60, &skNoBackground, kColorPixel},
        {"texture alone", 0, 100, 0, &skNoBackground, D},
    };
    for (const Case& c : cases) {
        TSkin s;
        s.State(0).Transparency = c.transparency;
        s.State(0).ImagePercent = c.image;
        s.State(0).GradientPercent = c.gradient;
        s.State(0).GradientArray = {{0x000080, 0x000080, 100, 0}};
        TBitmap32 b(4, 4);
        PaintSectionArea(b.View(), {0, 0, 4, 4}, {1, 1}, *c.background, s.Section, 0, -1, s.Tables);
        EXPECT_EQ(GetPixel32(b.View(), 1, 1), c.expected ? c.expected : GetPixel32(parent.View(), 4, 3)) << c.name;
    }
    // Partly transparent over a Ready background blends as the full background paint does.
    TSkin s;
    s.State(0).Transparency = 40;
    TBitmap32 area(4, 4), full(4, 4);
    PaintSectionArea(area.View(), {0, 0, 4, 4}, {1, 1}, ready, s.Section, 0, -1, s.Tables);
    PaintSectionBackground(full.View(), {0, 0, 4, 4}, {1, 1}, ready, s.Section, 0, kNoCustomColor, -1, -1, s.Tables);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) ASSERT_EQ(GetPixel32(area.View(), x, y), GetPixel32(full.View(), x, y)) << x << "," << y;
    EXPECT_NE(GetPixel32(area.View(), 1, 1), kColorPixel);
}

// A key-colour mask of its own w x h image, every pixel `pixel`.
int AddMask(TSkinTables& skin, int w, int h, uint32_t pixel, int border) {
    auto image = std::make_shared<TBitmap32>(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel32(image->View(), x, y, pixel);
    TSkinMaskData m;
    m.Bmp = image;
    m.R = {0, 0, w, h};
    m.WL = m.WT = m.WR = m.WB = int16_t(border);
    return skin.AddMask(m);
}

TEST(SkinSectionPaint, AreaWithABorderMask) {
    TSkin s;
    const int border = AddMask(s.Tables, 3, 3, E, 1);
    TBitmap32 b(5, 4);
    PaintSectionWithMask(b.View(), {0, 0, 5, 4}, {0, 0}, skNoBackground, s.Section, 0, border, -1, s.Tables);
    EXPECT_EQ(Map(b), "EEEEE/E...E/E...E/EEEEE");  // the centre is kept without the centre flag
    // Key-colour corner pixels take the background under them.
    TBitmap32 parent = Parent();
    SetPixel32(s.Tables.Mask(border).Bmp->View(), 0, 0, kKey);
    PaintSectionWithMask(b.View(), {1, 1, 4, 3}, {2, 3}, MakeBgCacheRefFromBitmap(parent.View(), 0, 0), s.Section, 0,
                         border, -1, s.Tables);
    EXPECT_EQ(GetPixel32(b.View(), 1, 1), GetPixel32(parent.View(), 2, 3));
    EXPECT_EQ(GetPixel32(b.View(), 2, 1), E);
    // No valid mask: the area alone.
    b = TBitmap32(5, 4);
    PaintSectionWithMask(b.View(), {0, 0, 5, 4}, {0, 0}, skNoBackground, s.Section, 0, 99, -1, s.Tables);
    EXPECT_EQ(Map(b), "...../...../...../.....");
}

TEST(SkinSectionPaint, BordersAndCorners) {
    TSkin s;
    TSkinGeneralData& section = s.Tables.Section(s.Section);
    section.ImgTopLeft = AddMask(s.Tables, 1, 1, E, 0);
    section.ImgTopRight = AddMask(s.Tables, 2, 1, F, 0);
    section.ImgBottomLeft = AddMask(s.Tables, 1, 2, G, 0);
    section.ImgBottomRight = AddMask(s.Tables, 1, 1, H, 0);
    TBitmap32 b(7, 5);
    PaintSectionBorders(b.View(), {1, 1, 6, 5}, {0, 0}, skNoBackground, s.Section, 0, -1, -1, s.Tables);
    EXPECT_EQ(Map(b), "0000000/0E..FF0/0.....0/0G....0/0G...H0");
    // A rectangle reaching past the bitmap paints nothing at all.
    b = TBitmap32(7, 5);
    PaintSectionBorders(b.View(), {1, 1, 8, 5}, {0, 0}, skNoBackground, s.Section, 0, -1, -1, s.Tables);
    PaintSectionBorders(b.View(), {-1, 0, 3, 3}, {0, 0}, skNoBackground, s.Section, 0, -1, -1, s.Tables);
    EXPECT_EQ(Map(b), "0000000/0000000/0000000/0000000/0000000");
    // The border mask goes over the corners.
    section.BorderIndex = AddMask(s.Tables, 3, 3, D, 1);
    PaintSectionBorders(b.View(), {0, 0, 7, 5}, {0, 0}, skNoBackground, s.Section, 0, -1, -1, s.Tables);
    EXPECT_EQ(Map(b), "DDDDDDD/D.....D/D.....D/D.....D/DDDDDDD");
}

TEST(SkinSectionPaint, OverOwnContent) {
    constexpr uint32_t kRed = 0xFFFF0000u, kOld = 0x80112233u;
    struct Case {
        const char* name;
        int transparency;
        TColor custom;
        TRect rect;
        uint32_t before, after;  // at (1, 1)
    } cases[] = {
        {"transparent over the whole bitmap: cleared", 100, kNoCustomColor, {0, 0, 4, 3}, kOld, 0},
        {"transparent over a part: left", 100, kNoCustomColor, {1, 1, 3, 3}, kOld, kOld},
        {"opaque: filled", 0, kNoCustomColor, {1, 1, 3, 3}, kOld, kRed},
        {"translucent over an empty pixel: the state's opacity", 40, kNoCustomColor, {1, 1, 3, 3}, 0, 0x99FF0000u},
        {"translucent over content: tinted, alpha at least the opacity", 40, kNoCustomColor, {1, 1, 3, 3}, 0x40000000u,
         0x99990000u},
        {"translucent over more opaque content keeps its alpha", 40, kNoCustomColor, {1, 1, 3, 3}, 0xF0000000u,
         0xF0990000u},
        {"a custom colour alone, opaque", 100, 0x00FF00, {1, 1, 3, 3}, kOld, 0xFF00FF00u},
    };
    for (const Case& c : cases) {
        TSkin s;
        s.State(0).Color = 0x0000FF;
        s.State(0).Transparency = c.transparency;
        TBitmap32 b(4, 3);
        FillRect32(b.View(), {0, 0, 4, 3}, TColor(SwapRedBlue(c.before) & 0xFFFFFF), uint8_t(c.before >> 24));
        PaintSectionBgOverOwn(b.View(), c.rect, s.Section, 0, c.custom, s.Tables);
        EXPECT_EQ(GetPixel32(b.View(), 1, 1), c.after) << c.name;
        EXPECT_EQ(GetPixel32(b.View(), 3, 0), c.rect.Right == 4 ? c.after : c.before) << c.name;
    }
}

TEST(SkinSectionPaint, WithBorderKeepingAlpha) {
    TSkin s;
    s.State(0).Color = 0x0000FF;
    const int border = AddMask(s.Tables, 3, 3, E, 1);
    SetPixel32(s.Tables.Mask(border).Bmp->View(), 0, 0, kKey);
    s.Tables.Section(s.Section).BorderIndex = border;
    TBitmap32 b(6, 4);
    FillRect32(b.View(), {0, 0, 6, 4}, 0x302010, 255);  // pixel 0xFF102030
    PaintSectionWithBorder(b.View(), {1, 1, 5, 4}, s.Section, 0, true, s.Tables);
    EXPECT_EQ(GetPixel32(b.View(), 1, 1), 0xFF102030u);  // the key corner shows what was there
    EXPECT_EQ(GetPixel32(b.View(), 2, 1), E);
    EXPECT_EQ(GetPixel32(b.View(), 2, 2), 0xFFFF0000u);
    EXPECT_EQ(GetPixel32(b.View(), 0, 0), 0xFF102030u);
    // Past the bitmap: nothing.
    PaintSectionWithBorder(b.View(), {2, 0, 7, 4}, s.Section, 0, true, s.Tables);
    EXPECT_EQ(GetPixel32(b.View(), 2, 2), 0xFFFF0000u);
    // The whole bitmap is premultiplied last: 40 % transparent red over nothing.
    s.Tables.Section(s.Section).BorderIndex = -1;
    s.State(0).Transparency = 40;
    TBitmap32 whole(4, 3);
    PaintSectionWithBorder(whole.View(), {0, 0, 4, 3}, s.Section, 0, true, s.Tables);
    EXPECT_EQ(GetPixel32(whole.View(), 1, 1), 0x99000000u | uint32_t((255 * 153) >> 8) << 16);
}

// A 6 x 6 source whose pixel (x, y) is 0xFF00YX (one letter per piece below).
TBitmap32 Source() {
    TBitmap32 src(6, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) SetPixel32(src.View(), x, y, 0xFF000000u | uint32_t(y << 4 | x));
    return src;
}

// The target's pixels as the source coordinates they came from ("yx"), "--" untouched.
std::string Origins(TBitmap32& b) {
    return Render(b, [](uint32_t p) {
        return p == 0 ? std::string("--") : std::to_string(p >> 4 & 0xF) + std::to_string(p & 0xF);
    }, " ");
}

TEST(SkinSectionPaint, TileOrStretchRect) {
    TBitmap32 src = Source();
    const TRect borders{2, 2, 2, 2}, wide{9, 9, 9, 9};
    struct Case {
        const char* name;
        TRect edgeModes, limits;
        bool centre, stretchCentre;
        int width;
        const char* expected;  // 6 rows
    } cases[] = {
        {"tiled edges, the last tile cut; no centre", {0, 0, 0, 0}, wide, false, false, 7,
         "00 01 02 03 02 04 05/10 11 12 13 12 14 15/20 21 -- -- -- 24 25/30 31 -- -- -- 34 35/"
         "40 41 42 43 42 44 45/50 51 52 53 52 54 55"},
        {"tiled centre", {0, 0, 0, 0}, wide, true, false, 7,
         "00 01 02 03 02 04 05/10 11 12 13 12 14 15/20 21 22 23 22 24 25/30 31 32 33 32 34 35/"
         "40 41 42 43 42 44 45/50 51 52 53 52 54 55"},
        {"stretched edges and centre", {1, 1, 1, 1}, wide, true, true, 8,
         "00 01 02 02 03 03 04 05/10 11 12 12 13 13 14 15/20 21 22 22 23 23 24 25/30 31 32 32 33 33 34 35/"
         "40 41 42 42 43 43 44 45/50 51 52 52 53 53 54 55"},
        {"edge mode 2 leaves the edge", {2, 2, 2, 2}, wide, false, false, 6,
         "00 01 -- -- 04 05/10 11 -- -- 14 15/-- -- -- -- -- --/-- -- -- -- -- --/40 41 -- -- 44 45/50 51 -- -- 54 55"},
        {"strips limited to one pixel: corners as L shapes", {0, 0, 0, 0}, {1, 1, 1, 1}, false, false, 6,
         "00 01 02 03 04 05/10 -- -- -- -- 15/20 -- -- -- -- 25/30 -- -- -- -- 35/40 -- -- -- -- 45/50 51 52 53 54 55"},
    };
    for (const Case& c : cases) {
        TBitmap32 b(c.width, 6);
        TileOrStretchRect(b.View(), src.View(), {0, 0, c.width, 6}, c.centre, c.stretchCentre, c.edgeModes, c.limits,
                          borders, {0, 0, 6, 6});
        EXPECT_EQ(Origins(b), c.expected) << c.name;
    }
    // A source without a middle paints its corners only (the target's middle row
    // stays); a target past the bitmap is clipped.
    TBitmap32 b(6, 6);
    TileOrStretchRect(b.View(), src.View(), {-3, 2, 5, 9}, true, false, {0, 0, 0, 0}, wide, {3, 3, 3, 3}, {0, 0, 6, 6});
    EXPECT_EQ(Origins(b), "-- -- -- -- -- --/-- -- -- -- -- --/"
                          "-- -- 03 04 05 --/-- -- 13 14 15 --/-- -- 23 24 25 --/-- -- -- -- -- --");
}

}  // namespace
}  // namespace ad::skin
