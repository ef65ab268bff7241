// The grid's chrome in its seven header styles: column headers with caption,
// sort arrow and pressed look, footers with their formula text, input cells,
// the indicator column and the empty header and footer bands. Themed parts
// go through IHeaderTheme, which the Windows side binds to the visual styles.
#pragma once

#include <functional>
#include <string>

#include "grid/Columns.h"
#include "grid/GridCanvas.h"

namespace ad::grid {

enum THeaderStyle : std::uint8_t {
    hsAuto, hsFlatBorders, hsOffice2007, hsOffice2010, hsOldStyle, hsOutlook, hsVista
};

// Header item states of the visual styles.
enum THeaderItemState : int { hisNormal = 1, hisHot = 2, hisPressed = 3 };

// The visual styles' header parts; false when nothing was drawn.
class IHeaderTheme {
public:
    virtual ~IHeaderTheme() = default;
    virtual bool DrawHeaderItem(ICanvas& canvas, const TRect& rect, THeaderItemState state) = 0;
};

// Where a header's or footer's text starts: x by alignment for a text of
// width W in rect, 31 pixels further left for a sorted right-aligned column.
int CaptionStart(TAlignment alignment, const TRect& rect, int W, bool sorted, int padding);
// A header's or footer's glyph beside a text of width W: the glyph's top
// left corner (centred vertically; at left + 3, right-aligned before the
// text and padding, 31 pixels further left when sorted, or centred together
// with the text) and where the text starts, 2 pixels right of it.
struct TGlyphPlace {
    int X = 0, Y = 0, TextStart = 0;
};
TGlyphPlace GlyphPlace(TAlignment alignment, const TRect& rect, int W, int glyphWidth, int glyphHeight, bool sorted,
                       int padding);
// The sort arrow of a header whose text starts at textStart: its place, and
// whether it is drawn (it fits, or the header does not hide it).
struct TSortArrowPlace {
    int X = 0, Y = 0;
    bool Shown = false;
};
TSortArrowPlace SortArrowPlace(const TRgCustomColumn& column, const TRect& rect, int textStart, int W,
                               unsigned styleFlags);
// A footer's caption as shown: formatted by its mask (text masks through
// FormatMaskText, float masks through FormatFloatMask of the caption read as
// a number, 0 when it is none) between TextBefore and TextAfter.
std::u16string FooterDisplayText(const TColumnFooter& footer, const TFormatSettings& fs);
// An edit mask applied to a text: '0', '9', '#', 'L', 'l', 'A', 'a', 'C' and
// 'c' take the next character of the text, '\' makes the next mask character
// literal, other mask characters are literal; the mask ends at ';'.
std::u16string FormatMaskText(const std::string& mask, std::u16string_view text);

class TStyleDisplay {
public:
    TStyleDisplay() = default;
    virtual ~TStyleDisplay() = default;
    TStyleDisplay(const TStyleDisplay&) = delete;
    TStyleDisplay& operator=(const TStyleDisplay&) = delete;
    void Assign(const TStyleDisplay& other);

    ICanvas* Canvas = nullptr;
    bool RightToLeft = false;
    bool ShowSortArrow = true;
    bool PaintHeaderBackground = true;
    bool Themed = false;
    IHeaderTheme* Theme = nullptr;  // borrowed from the grid
    // What the display reads of its grid.
    TColor OwnerColor = clWindow;
    TRgColumns* Columns = nullptr;
    int PressedColumn = -1;
    int HotColumn = -1;
    int InputEditColumn = -1;  // the column whose input cell is being edited
    const TFormatSettings* FormatSettings = nullptr;
    std::function<void(TStyleDisplay*, int, const TRect&)> OnCustomDrawHeader;
    std::function<void(TStyleDisplay*, int, const TRect&)> OnCustomDrawFooter;

    virtual int GetHeaderExtraWidth(const TRgCustomColumn& column) const;
    // Bit 0 hot tracking, bit 1 pressed look by inverting, bit 2 no common
    // sort arrow.
    virtual unsigned GetStyleFlags() const { return 0; }
    virtual void AdjustHeaderTextRect(TRect& rect) { (void)rect; }
    virtual void DrawSortArrow(int x, int y, bool ascending);
    virtual void DrawFooterContent(TRgCustomColumn& column, const TRect& rect);
    virtual void DrawHeaderContent(TRgCustomColumn& column, const TRect& rect);
    virtual void DrawIndicatorHeader(const TRect& rect) { DrawHeaderBand(rect, 0); }
    virtual void DrawHeaderBand(const TRect& rect, int kind);
    virtual void DrawFooter(TRgCustomColumn& column, const TRect& rect, bool bordered);
    virtual void DrawHeader(TRgCustomColumn& column, const TRect& rect);
    virtual void DrawHeaderBackground(int index, const TRect& rect) { (void)index; (void)rect; }
    virtual void DrawIndicatorCell(const TRect& rect, int state);
    virtual void DrawIndicatorMark(const TRect& rect, bool arrow, bool inverted);
    virtual void DrawInputCell(TRgCustomColumn& column, const TRect& rect, bool focused, bool active, bool bordered);
    virtual void DrawFooterBand(const TRect& rect);

protected:
    TRgCustomColumn* ColumnAt(int index) const;
    int ColumnIndex(const TRgCustomColumn& column) const;
    void UseFont(const FontSpec& font);
    void UseHeaderFont(const TRgCustomColumn& column);
    void HLine(int x1, int x2, int y, TColor color) { Canvas->Line(x1, y, x2, y, color); }
    void VLine(int x, int y1, int y2, TColor color) { Canvas->Line(x, y1, x, y2, color); }
    void FlatArrow(int x, int y, bool ascending, TColor fill, TColor outline);
};

class TDefaultStyleDisplay : public TStyleDisplay {
public:
    unsigned GetStyleFlags() const override { return Themed ? 1 : 2; }
    void DrawHeaderBackground(int index, const TRect& rect) override;
    void DrawHeaderBand(const TRect& rect, int kind) override;
    void DrawFooterBand(const TRect& rect) override;
};

class TFlatStyleDisplay : public TStyleDisplay {
public:
    void DrawHeaderBackground(int index, const TRect& rect) override;
    void DrawIndicatorHeader(const TRect& rect) override { FlatBox(rect); }
    void DrawHeaderBand(const TRect& rect, int) override { FlatBox(rect); }
    void DrawIndicatorCell(const TRect& rect, int) override { FlatBox(rect); }

private:
    void FlatBox(const TRect& rect);
};

class TOldStyleDisplay : public TStyleDisplay {
public:
    unsigned GetStyleFlags() const override { return 2; }
    void DrawHeaderBackground(int index, const TRect& rect) override;
    void DrawIndicatorCell(const TRect& rect, int) override { OldBox(rect); }

private:
    void OldBox(const TRect& rect);
};

class TOutlookStyleDisplay : public TStyleDisplay {
public:
    unsigned GetStyleFlags() const override { return 2; }
    void AdjustHeaderTextRect(TRect& rect) override { rect.Bottom -= 3; }
    void DrawHeaderBackground(int index, const TRect& rect) override;
    void DrawHeaderBand(const TRect& rect, int) override;
};

class TVistaStyleDisplay : public TStyleDisplay {
public:
    unsigned GetStyleFlags() const override { return 4; }
    void AdjustHeaderTextRect(TRect& rect) override { rect.Left += 2; }
    void DrawHeaderBackground(int index, const TRect& rect) override;
};

class TOffice2007StyleDisplay : public TStyleDisplay {
public:
    void AdjustHeaderTextRect(TRect& rect) override { rect.Left += 2; }
    void DrawHeaderBackground(int index, const TRect& rect) override;
    void DrawIndicatorHeader(const TRect& rect) override;
    void DrawHeaderBand(const TRect& rect, int) override;

protected:
    virtual TColor TopColor() const;
    virtual TColor BottomColor() const;
};

class TOffice2010StyleDisplay : public TOffice2007StyleDisplay {
public:
    void DrawSortArrow(int x, int y, bool ascending) override { FlatArrow(x, y, ascending, 0xB5ACA5, clBlack); }

protected:
    TColor TopColor() const override;
    TColor BottomColor() const override;
};

// The Office colour scheme the Office styles use (the default scheme).
int OfficeColorScheme();

}  // namespace ad::grid
