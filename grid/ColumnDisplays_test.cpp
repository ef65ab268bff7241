// Cell painters and the rating element.
#include "grid/ColumnDisplays.h"

#include <gtest/gtest.h>

#include "grid/DrawRoutines.h"
#include "grid/GridTestSupport.h"
#include "grid/RecordingCanvas.h"

namespace ad::grid {
namespace {

// A solid 10 x 12 glyph of one colour (opaque).
TBitmap32 Solid(std::uint32_t argb) { return gridtest::Image32(10, 12, std::vector<std::uint32_t>(120, argb)); }

struct TRateFixture {
    TRateFixture() : display(&column), play(&column) {
        column.SetGlyph(Solid(0xFFFF0000));       // red
        column.SetEmptyGlyph(Solid(0xFF0000FF));  // blue
        column.SetAlignment(taCenter);
        display.Canvas = &canvas;
        display.CellRect = TRect{0, 0, 100, 20};
        play.CellRect = TRect{200, 40, 300, 60};  // the element works relative to its cell
    }
    TRgRateColumn column;
    TRecordingCanvas canvas{120, 30};
    TRateColumnDisplay display;
    TRateColumnPlay play;
    std::vector<int> changes;
};

TEST(RateColumnTest, PaintsSetAndEmptyGlyphs) {
    TRateFixture f;
    f.display.Value = 3;
    f.display.Paint();
    // Five glyphs of 10 pixels centred in 100: the block starts at 25.
    // Opaque pixels blend to within one step of the glyph's colour.
    for (int i = 1; i <= 5; ++i) {
        TColor px = f.canvas.Pixel(25 + (i - 1) * 10 + 5, 10);
        EXPECT_GE(i <= 3 ? RedOf(px) : BlueOf(px), 254) << i;
        EXPECT_EQ(i <= 3 ? BlueOf(px) : RedOf(px), 0) << i;
    }
    EXPECT_EQ(f.canvas.Pixel(20, 10), 0xFFFFFFu);  // outside the block
    EXPECT_EQ(f.display.GetContentWidth(), 50);

    f.column.SetHideWhenEmpty(true);
    f.display.Value = 0;
    TRecordingCanvas empty(120, 30);
    f.display.Canvas = &empty;
    f.display.Paint();
    EXPECT_TRUE(empty.CallsOf("WritePixels").empty());
    EXPECT_EQ(f.display.GetContentWidth(), 0);
}

TEST(RateColumnTest, TransparentGlyphsAreClearedOnceOnAssignment) {
    TRgRateColumn column;
    // The bottom-left pixel's colour (green) becomes clear, the rest opaque.
    std::vector<std::uint32_t> px(4, 0x0000FF00);
    px[1] = 0x00FF0000;
    column.SetGlyph(gridtest::Image32(2, 2, px));
    column.SetTransparent(true);
    const std::uint8_t* data = column.PaintGlyph().Data();
    EXPECT_EQ(data[3], 0);     // (0, 0) green: clear
    EXPECT_EQ(data[7], 255);   // (1, 0) red: opaque
    EXPECT_EQ(column.Glyph().Data()[7], 0);  // the glyph as given is kept
    column.SetTransparent(false);
    EXPECT_EQ(&column.PaintGlyph(), &column.Glyph());
}

TEST(RateColumnTest, ValueAtPoint) {
    TRateFixture f;
    struct Case { int x, y, expected; };
    const Case cases[] = {
        {25, 10, 1}, {34, 10, 1}, {35, 10, 2}, {74, 10, 5},  // on glyphs
        {24, 10, -1}, {75, 10, -1},                          // left and right of the block
        {30, 3, -1}, {30, 16, -1},                           // above and below it (glyph rows 4..15)
    };
    for (const Case& c : cases) EXPECT_EQ(f.play.ValueAt(c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST(RateColumnTest, MouseAndKeysChangeTheValue) {
    TRateFixture f;
    f.play.OnChanged = [&](TColumnPlay* p) { f.changes.push_back(p->Value); };
    f.play.Value = 3;
    f.play.MouseDown(46, 10);  // the third glyph: the same value, no change
    f.play.MouseDown(10, 10);  // left of the block
    EXPECT_TRUE(f.changes.empty());
    f.play.MouseDown(26, 10);
    EXPECT_EQ(f.changes, std::vector<int>{1});
    EXPECT_EQ(f.play.Text, u"1");

    struct Case { int start; char16_t key; int expected; };
    const Case keys[] = {
        {0, u'-', 0}, {5, u'+', 5}, {2, u'7', 2}, {4, u'0', 0}, {2, u'+', 3}, {2, u'-', 1}, {1, u'5', 5}, {1, u'x', 1},
    };
    for (const Case& k : keys) {
        f.play.Value = k.start;
        char16_t key = k.key;
        f.play.KeyPress(key);
        EXPECT_EQ(f.play.Value, k.expected) << static_cast<char>(k.key) << " from " << k.start;
    }
}

// A rating column without a glyph has no steps: a click finds no value
// instead of dividing by a width of 0.
TEST(RateColumnTest, NoGlyphMeansNoValue) {
    TRgRateColumn column;
    TRateColumnPlay play(&column);
    play.CellRect = TRect{0, 0, 100, 20};
    int changes = 0;
    play.OnChanged = [&](TColumnPlay*) { ++changes; };
    EXPECT_EQ(play.ValueAt(50, 10), -1);
    play.MouseDown(50, 10);
    EXPECT_EQ(changes, 0);
}

TEST(TextColumnDisplayTest, TextFormat) {
    TRecordingCanvas canvas(200, 100);
    TRgTextColumn column;
    column.SetAlignment(taRightJustify);
    TCellTextFormat single = ColumnTextFormat(column, canvas, u"abc", TRect{0, 0, 100, 20}, true);
    EXPECT_EQ(single.Flags, unsigned(tfNoPrefix | tfRight | tfVCenter | tfEndEllipsis | tfSingleLine));
    EXPECT_FALSE(ColumnTextFormat(column, canvas, u"abc", TRect{0, 0, 100, 20}, false).Flags & tfEndEllipsis);

    // Wrapped text centred vertically: the block of one 13-pixel line in 40.
    column.WrapKind = wkWordWrap;
    TCellTextFormat wrapped = ColumnTextFormat(column, canvas, u"abc", TRect{0, 0, 100, 40}, true);
    EXPECT_TRUE(wrapped.Flags & tfWordBreak);
    EXPECT_FALSE(wrapped.Flags & tfSingleLine);
    EXPECT_EQ(wrapped.Rect.Top, 14);  // round((40 - 13) / 2)
    column.VerticalAlignment = taAlignBottom;
    EXPECT_EQ(ColumnTextFormat(column, canvas, u"abc", TRect{0, 0, 100, 40}, true).Rect.Top, 27);
}

TEST(TextColumnDisplayTest, PaintsInTheContentRectAndMarksHints) {
    TRecordingCanvas canvas(200, 40);
    TRgTextColumn column;
    TTextColumnDisplay display(&column);
    display.Canvas = &canvas;
    display.CellRect = TRect{10, 0, 90, 20};
    display.Text = u"hello";
    display.Paint();
    auto texts = canvas.CallsOf("DrawText");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->Rect, (TRect{12, 0, 88, 20}));
    EXPECT_EQ(texts[0]->Brush, bsClear);
    EXPECT_EQ(canvas.Brush, bsSolid);
    display.DrawHintMark();
    EXPECT_EQ(canvas.Pixel(88, 0), clRed);
    EXPECT_EQ(canvas.Pixel(88, 3), clRed);
    EXPECT_NE(canvas.Pixel(84, 3), clRed);
}

TEST(TreeDisplayTest, IndentationAndButtonsPerLevel) {
    // A cell 16 high at x 10: each level takes 16 pixels, the 9-pixel button
    // sits in the middle of the row's own level.
    const TRect cell{10, 20, 200, 36};
    struct Case { int level; TRect slot, button; int content; };
    const Case cases[] = {
        {0, {10, 20, 26, 36}, {13, 23, 22, 32}, 26},
        {1, {26, 20, 42, 36}, {29, 23, 38, 32}, 42},
        {2, {42, 20, 58, 36}, {45, 23, 54, 32}, 58},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TreeLevelRect(cell, c.level), c.slot) << c.level;
        EXPECT_EQ(TreeButtonRect(cell, c.level), c.button) << c.level;
        EXPECT_EQ(TreeContentLeft(cell, c.level), c.content) << c.level;
    }
}

TEST(TreeDisplayTest, LinesAndButtons) {
    // Rows: 0 "a" (level 0, children), 1 "a1" (level 1, children, next
    // sibling 3), 2 "a11" (level 2, last), 3 "a2" (level 1, last), 4 "b".
    const int parents[] = {-1, 0, 1, 0, -1};
    const int nexts[] = {4, 3, -1, -1, -1};
    auto relations = [&](int& row, int& next) {
        next = row >= 0 ? nexts[row] : -1;
        row = row >= 0 ? parents[row] : -1;
    };
    const TColor grey = ColorToRGBValue(clGrayText);
    const TRect cell{0, 0, 100, 16};
    auto paint = [&](TTreeCellInfo info) {
        TRecordingCanvas canvas(100, 16);
        info.Active = true;
        info.Relations = relations;
        DrawTree(canvas, cell, info);
        return canvas;
    };
    // "a11": its own corner (up to the middle only, it is the last child),
    // its parent's line goes on (a1 has a sibling a2), the root's too (a has b).
    TRecordingCanvas a11 = paint({true, 2, 2, 0, true, false, true, nullptr});
    EXPECT_EQ(a11.Pixel(32 + 8, 2), grey);   // own level, above the middle
    EXPECT_NE(a11.Pixel(32 + 8, 14), grey);  // nothing below: no next sibling
    EXPECT_EQ(a11.Pixel(32 + 12, 8), grey);  // across to the content
    EXPECT_EQ(a11.Pixel(16 + 8, 14), grey);  // a1's line goes on to a2
    EXPECT_EQ(a11.Pixel(8, 14), grey);       // a's line goes on to b
    EXPECT_TRUE(a11.CallsOf("FrameRect").empty());  // no children, no button
    // "a2": a's line has ended at level 0 only after b... a still has b below.
    TRecordingCanvas a2 = paint({true, 3, 1, 0, true, false, true, nullptr});
    EXPECT_EQ(a2.Pixel(8, 14), grey);
    // "a" collapsed, the first row: its line starts at the middle, and the
    // button shows a plus.
    TRecordingCanvas a = paint({true, 0, 0, 1, false, true, false, nullptr});
    EXPECT_NE(a.Pixel(8, 1), grey);
    auto frames = a.CallsOf("FrameRect");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->Rect, TreeButtonRect(cell, 0));
    TRect b = TreeButtonRect(cell, 0);
    EXPECT_EQ(a.Pixel(b.Left + 4, b.Top + 2), ColorToRGBValue(clWindowText));  // the plus's upright
    // Expanded: a minus only.
    TRecordingCanvas open = paint({true, 0, 0, 1, true, true, false, nullptr});
    EXPECT_EQ(open.Pixel(b.Left + 4, b.Top + 2), ColorToRGBValue(clWindow));
    EXPECT_EQ(open.Pixel(b.Left + 4, b.Top + 4), ColorToRGBValue(clWindowText));
}

}  // namespace
}  // namespace ad::grid
