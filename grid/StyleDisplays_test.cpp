// Header, footer and indicator painting in the header styles.
#include "grid/StyleDisplays.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "grid/DrawRoutines.h"
#include "grid/RecordingCanvas.h"

namespace ad::grid {
namespace {

struct TDisplayFixture {
    TDisplayFixture() {
        column = columns.AddNew<TRgTextColumn>();
        column->SetWidth(100);
        column->Header.SetCaption(u"Name");  // 28 pixels wide on the recording canvas
    }
    template <class D>
    void Use(D& display) {
        display.Canvas = &canvas;
        display.Columns = &columns;
    }
    TRgColumns columns;
    TRgCustomColumn* column;
    TRecordingCanvas canvas{200, 40};
};

TEST(StyleDisplayTest, SortArrowPlaceAndVisibility) {
    TDisplayFixture f;
    f.column->SetSorted(true);
    const TRect r{0, 0, 100, 18};
    // Left aligned: the text starts at 2, W = 28 + 2, the arrow at 2 + 30 + 19.
    TSortArrowPlace p = SortArrowPlace(*f.column, r, 2, 30, 0);
    EXPECT_EQ(p.X, 51);
    EXPECT_EQ(p.Y, 5);
    EXPECT_TRUE(p.Shown);
    // A long caption pushes the arrow out: hidden by default, shown without HideArrow.
    p = SortArrowPlace(*f.column, r, 2, 80, 0);
    EXPECT_FALSE(p.Shown);
    f.column->Header.SetHideArrow(false);
    EXPECT_TRUE(SortArrowPlace(*f.column, r, 2, 80, 0).Shown);
    // Styles with flag bit 2 never draw the common arrow.
    EXPECT_FALSE(SortArrowPlace(*f.column, r, 2, 30, 4).Shown);
    TVistaStyleDisplay vista;
    EXPECT_EQ(vista.GetStyleFlags() & 4, 4u);
    f.column->SetSorted(false);
    EXPECT_FALSE(SortArrowPlace(*f.column, r, 2, 30, 0).Shown);
}

TEST(StyleDisplayTest, CaptionStart) {
    const TRect r{10, 0, 110, 18};
    EXPECT_EQ(CaptionStart(taLeftJustify, r, 30, false, 2), 12);
    EXPECT_EQ(CaptionStart(taRightJustify, r, 30, false, 2), 78);
    EXPECT_EQ(CaptionStart(taRightJustify, r, 30, true, 2), 47);
    EXPECT_EQ(CaptionStart(taRightJustify, r, 200, false, 2), 10);  // never left of the edge
    EXPECT_EQ(CaptionStart(taCenter, r, 30, false, 2), 45);
}

TEST(StyleDisplayTest, FooterText) {
    TRgTextColumn column;
    TFormatSettings fs;
    fs.DecimalSeparator = u',';
    column.Footer.SetCaption(u"3");
    column.Footer.SetFormatMaskKind(mkFloat);
    column.Footer.SetFormatMask("0.00");
    EXPECT_EQ(FooterDisplayText(column.Footer, fs), u"3,00");
    column.Footer.SetCaption(u"2,5");
    EXPECT_EQ(FooterDisplayText(column.Footer, fs), u"2,50");
    column.Footer.SetCaption(u"n/a");
    column.Footer.SetTextBefore(u"= ");
    column.Footer.SetTextAfter(u" kB");
    EXPECT_EQ(FooterDisplayText(column.Footer, fs), u"= 0,00 kB");
    column.Footer.SetFormatMaskKind(mkText);
    column.Footer.SetFormatMask("(000) 000;0");
    column.Footer.SetCaption(u"555123");
    EXPECT_EQ(FooterDisplayText(column.Footer, fs), u"= (555) 123 kB");
}

TEST(StyleDisplayTest, CustomOnlyFooterCallsBackOnly) {
    TDisplayFixture f;
    TDefaultStyleDisplay display;
    f.Use(display);
    std::vector<int> calls;
    display.OnCustomDrawFooter = [&](TStyleDisplay*, int index, const TRect&) { calls.push_back(index); };
    f.column->Footer.SetCaption(u"12");
    f.column->Footer.SetDrawingOptions(doCustomOnly);
    display.DrawFooter(*f.column, TRect{0, 0, 100, 18}, false);
    EXPECT_EQ(calls, std::vector<int>{0});
    EXPECT_TRUE(f.canvas.CallsOf("FillRect").empty());
    EXPECT_TRUE(f.canvas.CallsOf("DrawText").empty());
    f.column->Footer.SetDrawingOptions(doNormal);
    display.DrawFooter(*f.column, TRect{0, 0, 100, 18}, true);
    auto texts = f.canvas.CallsOf("DrawText");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->Text, u"12");
    EXPECT_EQ(f.canvas.Pixel(99, 5), ColorToRGBValue(clBtnFace));  // the border's right line
    EXPECT_EQ(f.canvas.Pixel(50, 5), ColorToRGBValue(clWindow));   // the footer's colour
}

// Pixels of the header backgrounds, away from the text.
TEST(StyleDisplayTest, HeaderBackgrounds) {
    TDisplayFixture f;
    f.columns.AddNew<TRgTextColumn>()->SetWidth(100);  // the first column is not the last one now
    const TRect r{0, 0, 100, 18};

    TFlatStyleDisplay flat;
    f.Use(flat);
    flat.DrawHeaderBackground(0, r);
    EXPECT_EQ(f.canvas.Pixel(99, 5), ColorToRGBValue(clGrayText));
    EXPECT_EQ(f.canvas.Pixel(50, 17), ColorToRGBValue(clGrayText));
    EXPECT_EQ(f.canvas.Pixel(50, 5), ColorToRGBValue(clBtnFace));

    TVistaStyleDisplay vista;
    f.Use(vista);
    vista.DrawHeaderBackground(0, r);
    EXPECT_EQ(f.canvas.Pixel(50, 10), 0xF0F0F0u);
    EXPECT_EQ(f.canvas.Pixel(0, 10), clWhite);
    f.column->SetSorted(true);
    vista.DrawHeaderBackground(0, r);
    EXPECT_EQ(f.canvas.Pixel(20, 0), 0xF0DCAFu);  // the gradient's first line
    EXPECT_EQ(f.canvas.Pixel(20, 12), clWhite);
    EXPECT_EQ(f.canvas.Pixel(50, 1), clWhite);     // the small triangle at the top centre

    TOffice2010StyleDisplay office;
    f.Use(office);
    office.DrawHeaderBackground(0, r);
    EXPECT_EQ(f.canvas.Pixel(40, 0), GetSchemeColor(6, OfficeColorScheme()));
    EXPECT_EQ(f.canvas.Pixel(40, 17), GetSchemeColor(2, OfficeColorScheme()));  // the bottom line
    office.PressedColumn = 0;
    office.DrawHeaderBackground(0, r);
    EXPECT_EQ(f.canvas.Pixel(40, 0), GetSchemeColor(7, OfficeColorScheme()));   // reversed when pressed
}

// A 6 x 6 red glyph whose bottom-left pixel (magenta) names the clear colour.
TBitmap32 RedGlyph() {
    TBitmap32 glyph(6, 6);
    TImageView32 v = glyph.View();
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            std::uint8_t* p = v.Pixel(x, y);
            bool corner = x == 0 && y == 5;
            p[0] = corner ? 0xFF : 0;  // blue
            p[1] = 0;
            p[2] = 0xFF;  // red
            p[3] = 0xFF;
        }
    return glyph;
}

// The glyph's red after blending (within rounding).
bool Reddish(TColor c) { return RedOf(c) > 240 && GreenOf(c) < 16 && BlueOf(c) < 16; }

TEST(StyleDisplayTest, HeaderAndFooterGlyphs) {
    struct Case {
        const char* name;
        TDisplayMode mode;
        TAlignment alignment;
        int glyphX;     // expected left edge of the glyph
        int textLeft;   // where the caption's text starts, -1 when none is drawn
    };
    // The header is 100 x 18 at x 0; the caption "Name" is 28 pixels wide (W = 30).
    const Case headers[] = {
        {"text only", dmTextOnly, taLeftJustify, -1, 2},
        {"image only, left", dmImageOnly, taLeftJustify, 3, -1},
        {"text and image, left", dmTextAndImage, taLeftJustify, 3, 11},
        {"text and image, right", dmTextAndImage, taRightJustify, 100 - 6 - 30 - 2, 100 - 30 - 2 + 2},
        {"text and image, centred", dmTextAndImage, taCenter, (100 - (6 + 2 + 30)) / 2, (100 - 38) / 2 + 8},
    };
    for (const Case& c : headers) {
        TDisplayFixture f;
        TFlatStyleDisplay display;
        f.Use(display);
        f.column->Header.SetGlyph(RedGlyph());
        f.column->Header.SetDisplayMode(c.mode);
        f.column->Header.SetAlignment(c.alignment);
        display.DrawHeader(*f.column, TRect{0, 0, 100, 18});
        int red = 0, firstX = 1000;
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 100; ++x)
                if (Reddish(f.canvas.Pixel(x, y))) {
                    ++red;
                    firstX = std::min(firstX, x);
                }
        if (c.glyphX < 0) {
            EXPECT_EQ(red, 0) << c.name;
        } else {
            EXPECT_EQ(red, 35) << c.name;  // 36 pixels less the clear corner
            EXPECT_EQ(firstX, c.glyphX) << c.name;
            EXPECT_FALSE(Reddish(f.canvas.Pixel(c.glyphX, 6 + 5))) << c.name;  // the corner is clear
        }
        auto texts = f.canvas.CallsOf("DrawText");
        if (c.textLeft < 0) {
            EXPECT_TRUE(texts.empty()) << c.name;
        } else {
            ASSERT_EQ(texts.size(), 1u) << c.name;
            EXPECT_EQ(texts[0]->Rect.Left, c.textLeft) << c.name;
        }
    }

    // A footer shows its glyph the same way, and no text when it shows the image only.
    TDisplayFixture f;
    TFlatStyleDisplay display;
    f.Use(display);
    f.column->Footer.SetGlyph(RedGlyph());
    f.column->Footer.SetDisplayMode(dmImageOnly);
    f.column->Footer.SetAlignment(taRightJustify);
    display.DrawFooter(*f.column, TRect{0, 20, 100, 38}, false);
    EXPECT_TRUE(Reddish(f.canvas.Pixel(100 - 6 - 2 + 1, 20 + 6 + 1)));
    EXPECT_EQ(f.canvas.Pixel(100 - 6 - 2 - 1, 20 + 6 + 1), ColorToRGBValue(clWindow));
    EXPECT_TRUE(f.canvas.CallsOf("DrawText").empty());
}

TEST(StyleDisplayTest, PressedHeaderIsInvertedInClassicStyles) {
    TDisplayFixture f;
    TOldStyleDisplay old;
    f.Use(old);
    old.PressedColumn = 0;
    old.DrawHeader(*f.column, TRect{0, 0, 100, 18});
    EXPECT_EQ(f.canvas.CallsOf("InvertRect").size(), 1u);
    TOffice2007StyleDisplay office;  // no pressed-look flag: a gradient instead
    f.Use(office);
    f.canvas.Calls.clear();
    office.PressedColumn = 0;
    office.DrawHeader(*f.column, TRect{0, 0, 100, 18});
    EXPECT_TRUE(f.canvas.CallsOf("InvertRect").empty());
}

TEST(StyleDisplayTest, InputCellColours) {
    TDisplayFixture f;
    TDefaultStyleDisplay display;
    f.Use(display);
    f.column->SetInputCaption(u"new");
    const TRect r{0, 0, 100, 16};
    display.DrawInputCell(*f.column, r, true, false, false);  // inactive input row
    EXPECT_EQ(f.canvas.Pixel(50, 2), ColorToRGBValue(clWindow));
    EXPECT_EQ(f.canvas.CallsOf("DrawText").back()->Color, ColorToRGBValue(clGrayText));
    display.DrawInputCell(*f.column, r, true, true, true);  // active and focused
    EXPECT_EQ(f.canvas.Pixel(50, 2), ColorToRGBValue(clHighlight));
    EXPECT_EQ(f.canvas.CallsOf("DrawText").back()->Color, ColorToRGBValue(clHighlightText));
    display.DrawInputCell(*f.column, r, false, true, true);  // active, grid unfocused
    EXPECT_EQ(f.canvas.Pixel(50, 2), ColorToRGBValue(clBtnFace));
}

}  // namespace
}  // namespace ad::grid
