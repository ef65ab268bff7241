// Header, footer, input and indicator painting in the seven header styles.
#include "grid/StyleDisplays.h"

#include <algorithm>
#include <cstdlib>

#include "grid/CellConvert.h"
#include "grid/DrawRoutines.h"

namespace ad::grid {

namespace {
constexpr unsigned kBandTextFlags = tfNoPrefix | tfEndEllipsis | tfVCenter;

// Reads a footer caption as a number: the locale's decimal separator or a
// point; anything else gives 0.
double CaptionNumber(std::u16string_view text, const TFormatSettings& fs) {
    std::string ascii;
    for (char16_t c : text) {
        if (c == fs.DecimalSeparator) ascii.push_back('.');
        else if (c < 128) ascii.push_back(static_cast<char>(c));
        else return 0;
    }
    if (ascii.empty()) return 0;
    char* end = nullptr;
    double v = std::strtod(ascii.c_str(), &end);
    return (end && *end == '\0') ? v : 0;
}
}  // namespace

int OfficeColorScheme() { return DefaultColorScheme; }

int CaptionStart(TAlignment alignment, const TRect& rect, int W, bool sorted, int padding) {
    switch (alignment) {
        case taRightJustify: {
            int x = std::max(rect.Right - W - padding, rect.Left);
            return sorted ? x - 31 : x;
        }
        case taCenter:
            if (W < rect.Width()) return rect.Left + (rect.Width() - W) / 2;
            return rect.Left + 2;
        default: return rect.Left + 2;
    }
}

TGlyphPlace GlyphPlace(TAlignment alignment, const TRect& rect, int W, int glyphWidth, int glyphHeight, bool sorted,
                       int padding) {
    TGlyphPlace p;
    p.Y = rect.Top + (rect.Height() - glyphHeight) / 2;
    switch (alignment) {
        case taRightJustify: p.X = rect.Right - glyphWidth - W - padding - (sorted ? 31 : 0); break;
        case taCenter: p.X = rect.Left + (rect.Width() - (glyphWidth + 2 + W)) / 2; break;
        default: p.X = rect.Left + 3; break;
    }
    p.TextStart = std::max(p.X + glyphWidth + 2, rect.Left);
    return p;
}

TSortArrowPlace SortArrowPlace(const TRgCustomColumn& column, const TRect& rect, int textStart, int W,
                               unsigned styleFlags) {
    TSortArrowPlace p;
    p.X = textStart + W + 19;
    p.Y = rect.Top + rect.Height() / 2 - 4;
    p.Shown = column.Sorted() && (p.X + 8 < rect.Right || !column.Header.HideArrow()) && !(styleFlags & 4);
    return p;
}

std::u16string FormatMaskText(const std::string& maskText, std::u16string_view text) {
    std::string mask = maskText.substr(0, maskText.find(';'));
    std::u16string out;
    size_t next = 0;
    for (size_t k = 0; k < mask.size(); ++k) {
        char m = mask[k];
        if (m == '\\' && k + 1 < mask.size()) {
            out.push_back(static_cast<unsigned char>(mask[++k]));
        } else if (std::string_view("09#LlAaCc").find(m) != std::string_view::npos) {
            if (next < text.size()) out.push_back(text[next++]);
        } else {
            out.push_back(static_cast<unsigned char>(m));
        }
    }
    return out;
}

std::u16string FooterDisplayText(const TColumnFooter& footer, const TFormatSettings& fs) {
    std::u16string text = footer.Caption();
    if (!footer.FormatMask().empty()) {
        if (footer.FormatMaskKind() == mkText) text = FormatMaskText(footer.FormatMask(), text);
        else text = FormatFloatMask(footer.FormatMask(), CaptionNumber(text, fs), fs);
    }
    return footer.TextBefore() + text + footer.TextAfter();
}

// --- TStyleDisplay

void TStyleDisplay::Assign(const TStyleDisplay& other) {
    Canvas = other.Canvas;
    RightToLeft = other.RightToLeft;
    ShowSortArrow = other.ShowSortArrow;
    PaintHeaderBackground = other.PaintHeaderBackground;
    Themed = other.Themed;
    Theme = other.Theme;
    OwnerColor = other.OwnerColor;
    Columns = other.Columns;
    FormatSettings = other.FormatSettings;
}

TRgCustomColumn* TStyleDisplay::ColumnAt(int index) const {
    return Columns && Columns->IsValidIndex(index) ? Columns->Item(index) : nullptr;
}

int TStyleDisplay::ColumnIndex(const TRgCustomColumn& column) const { return Columns ? Columns->IndexOf(&column) : -1; }

void TStyleDisplay::UseFont(const FontSpec& font) {
    Canvas->SetFont(font.Name, font.Height, font.Style);
    Canvas->SetTextColor(font.Color);
}

void TStyleDisplay::UseHeaderFont(const TRgCustomColumn& column) {
    if (column.Header.ParentFont() && Columns) UseFont(Columns->GridFont());
    else UseFont(column.Header.Font());
}

int TStyleDisplay::GetHeaderExtraWidth(const TRgCustomColumn& column) const {
    if (!ShowSortArrow || !PaintHeaderBackground) return 0;
    return Themed && column.Header.DisplayMode() == dmTextOnly ? 11 : 2;
}

void TStyleDisplay::FlatArrow(int x, int y, bool ascending, TColor fill, TColor outline) {
    if (ascending) Canvas->Polygon({{x, y + 4}, {x + 4, y}, {x + 8, y + 4}}, fill, outline);
    else Canvas->Polygon({{x, y}, {x + 4, y + 4}, {x + 8, y}}, fill, outline);
}

void TStyleDisplay::DrawSortArrow(int x, int y, bool ascending) {
    if (Themed) {
        FlatArrow(x, y, ascending, clGrayText, clGrayText);
        return;
    }
    // An engraved arrow: the left slope in shadow, the right slope and base lit.
    if (ascending) {
        for (int k = 0; k < 3; ++k) VLine(x + 2 - k, y + 2 * k, y + 2 * k + 2, clBtnShadow);
        VLine(x + 1, y + 4, y + 6, clBtnShadow);
        for (int k = 0; k < 3; ++k) VLine(x + 4 + k, y + 2 * k, y + 2 * k + 2, clBtnHighlight);
        HLine(x, x + 7, y + 6, clBtnHighlight);
    } else {
        HLine(x, x + 7, y, clBtnShadow);
        for (int k = 0; k < 3; ++k) VLine(x + k, y + 1 + 2 * k, y + 3 + 2 * k, clBtnShadow);
        for (int k = 0; k < 3; ++k) VLine(x + 6 - k, y + 1 + 2 * k, y + 3 + 2 * k, clBtnHighlight);
    }
}

void TStyleDisplay::DrawHeader(TRgCustomColumn& column, const TRect& rect) {
    TDrawingOptions options = column.Header.DrawingOptions();
    if (PaintHeaderBackground && options != doCustomOnly) DrawHeaderBackground(ColumnIndex(column), rect);
    if (options == doNormal || options == doCustom) DrawHeaderContent(column, rect);
    if (OnCustomDrawHeader) OnCustomDrawHeader(this, ColumnIndex(column), rect);
}

void TStyleDisplay::DrawHeaderContent(TRgCustomColumn& column, const TRect& rect) {
    UseHeaderFont(column);
    const TColumnHeader& header = column.Header;
    bool showsText = header.DisplayMode() != dmImageOnly;
    int W = 0;
    if (showsText) {
        if (header.Orientation() == hoHorizontal) {
            W = header.MultiLine() ? Canvas->CalcTextRect(header.Caption(), rect, tfCalcRect).Width()
                                   : Canvas->TextExtent(header.Caption()).cx;
            W += 2;
        } else {
            W = Canvas->TextExtent(header.Caption()).cy + 2;
        }
    }
    int textStart = CaptionStart(header.Alignment(), rect, W, column.Sorted(), 2);
    const TBitmap32& glyph = header.Glyph();
    if (glyph.Width() > 0 && header.DisplayMode() != dmTextOnly) {
        TGlyphPlace place = GlyphPlace(header.Alignment(), rect, W, glyph.Width(), glyph.Height(), column.Sorted(), 2);
        textStart = place.TextStart;
        if (place.X >= rect.Left) TMaskProvider::DrawAlphaGraphic(*Canvas, place.X, place.Y, glyph);
    }
    if (showsText) {
        TRect textRect{textStart, rect.Top, rect.Right, rect.Bottom};
        AdjustHeaderTextRect(textRect);
        unsigned flags = kBandTextFlags | (header.MultiLine() ? tfWordBreak : tfSingleLine) |
                         (RightToLeft ? tfRtlReading : 0u);
        Canvas->SetBrushStyle(bsClear);
        if (header.Orientation() == hoHorizontal) Canvas->DrawText(header.Caption(), textRect, flags);
        else Canvas->DrawTurnedText(header.Caption(), textRect, tfNoPrefix | tfSingleLine);
        Canvas->SetBrushStyle(bsSolid);
    }
    if (ShowSortArrow) {
        TSortArrowPlace arrow = SortArrowPlace(column, rect, textStart, W, GetStyleFlags());
        if (arrow.Shown) DrawSortArrow(arrow.X, arrow.Y, column.SortKind == skAscending);
    }
    if (ColumnIndex(column) == PressedColumn && PressedColumn >= 0 && (GetStyleFlags() & 2)) {
        TRect r = rect;
        if (!column.IsFirstVisible()) {
            --r.Left;
            --r.Top;
        } else {
            --r.Right;
        }
        Canvas->InvertRect(r);
    }
}

void TStyleDisplay::DrawHeaderBand(const TRect& rect, int) { Canvas->FillRect(rect, OwnerColor); }

void TStyleDisplay::DrawFooterBand(const TRect& rect) { Canvas->FillRect(rect, OwnerColor); }

void TStyleDisplay::DrawFooter(TRgCustomColumn& column, const TRect& rectIn, bool bordered) {
    TRect rect = rectIn;
    if (bordered) {
        --rect.Right;
        --rect.Bottom;
    }
    TDrawingOptions options = column.Footer.DrawingOptions();
    if (options != doCustomOnly) {
        UseFont(column.Font());
        Canvas->FillRect(rect, column.Footer.Color());
    }
    if (bordered) {
        HLine(rectIn.Left, rectIn.Right, rectIn.Bottom - 1, clBtnFace);
        VLine(rectIn.Right - 1, rectIn.Top, rectIn.Bottom, clBtnFace);
    }
    Canvas->ClipToRect(rect, true);
    if (options == doNormal || options == doCustom) DrawFooterContent(column, rect);
    if (OnCustomDrawFooter) OnCustomDrawFooter(this, ColumnIndex(column), rect);
}

void TStyleDisplay::DrawFooterContent(TRgCustomColumn& column, const TRect& rect) {
    TFormatSettings fallback;
    std::u16string text = FooterDisplayText(column.Footer, FormatSettings ? *FormatSettings : fallback);
    int W = column.Footer.DisplayMode() == dmImageOnly ? 0 : Canvas->TextExtent(text).cx;
    int start = CaptionStart(column.Footer.Alignment(), rect, W, false, column.Padding);
    const TBitmap32& glyph = column.Footer.Glyph();
    if (glyph.Width() > 0 && column.Footer.DisplayMode() != dmTextOnly) {
        TGlyphPlace place = GlyphPlace(column.Footer.Alignment(), rect, W, glyph.Width(), glyph.Height(),
                                       column.Sorted(), column.Padding + 2);
        start = place.TextStart;
        if (place.X >= rect.Left) TMaskProvider::DrawAlphaGraphic(*Canvas, place.X, place.Y, glyph);
    }
    if (column.Footer.DisplayMode() == dmImageOnly) return;
    Canvas->SetBrushStyle(bsClear);
    Canvas->DrawText(text, TRect{start, rect.Top, rect.Right, rect.Bottom},
                     kBandTextFlags | tfSingleLine | (RightToLeft ? tfRtlReading : 0u));
    Canvas->SetBrushStyle(bsSolid);
}

void TStyleDisplay::DrawIndicatorCell(const TRect& rect, int state) {
    Canvas->FillRect(rect, clBtnFace);
    int cut = state > 0 ? 1 : 0;
    HLine(rect.Left + cut, rect.Right - cut, rect.Top, clBtnHighlight);
    VLine(rect.Left, rect.Top + cut, rect.Bottom, clBtnHighlight);
    HLine(rect.Left, rect.Right, rect.Bottom - 1, clBtnShadow);
    VLine(rect.Right - 1, rect.Top + cut, rect.Bottom, clBtnShadow);
}

void TStyleDisplay::DrawIndicatorMark(const TRect& rect, bool arrow, bool inverted) {
    if (arrow) {
        int x = rect.Left + (rect.Width() - 6) / 2, y = rect.Top + (rect.Height() - 11) / 2;
        Canvas->Polygon({{x, y}, {x + 5, y + 5}, {x, y + 10}}, clWindowText, clWindowText);
    }
    if (inverted) Canvas->InvertRect(rect);
}

void TStyleDisplay::DrawInputCell(TRgCustomColumn& column, const TRect& rectIn, bool focused, bool active,
                                  bool bordered) {
    TRect rect = rectIn;
    if (active && bordered) {
        --rect.Right;
        --rect.Bottom;
    }
    UseFont(column.Font());
    int index = ColumnIndex(column);
    bool editing = index >= 0 && index == InputEditColumn;
    TColor back = column.Color(), text = clGrayText;
    if (active && !editing && !column.IsSelected()) {
        back = focused ? clHighlight : clBtnFace;
        text = clHighlightText;
    }
    if (editing) Canvas->FrameRect(rect, back);
    else Canvas->FillRect(rect, back);
    if (active && bordered) {
        HLine(rectIn.Left, rectIn.Right, rectIn.Bottom - 1, clHighlight);
        VLine(rectIn.Right - 1, rectIn.Top, rectIn.Bottom, clHighlight);
    }
    Canvas->SetTextColor(text);
    TRect textRect{rect.Left + 2, rect.Top, rect.Right - 1, rect.Bottom - 1};
    if (!column.InputValue.empty()) DrawTextAligned(*Canvas, textRect, RightToLeft, column.InputValue,
                                                    column.Alignment() == taRightJustify ? 1
                                                    : column.Alignment() == taCenter ? 2 : 0);
    else DrawTextAligned(*Canvas, textRect, RightToLeft, column.InputCaption(), 2);
}

// --- the styles

void TDefaultStyleDisplay::DrawHeaderBackground(int index, const TRect& rect) {
    if (Themed && Theme) {
        THeaderItemState state = index == PressedColumn && index >= 0 ? hisPressed
                                 : index == HotColumn && index >= 0   ? hisHot
                                                                      : hisNormal;
        if (Theme->DrawHeaderItem(*Canvas, rect, state)) return;
    }
    TRgCustomColumn* column = ColumnAt(index);
    Canvas->FillRect(rect, column ? column->Header.Color() : clBtnFace);
    TColumnPlace place = column ? column->Place() : cpOnly;
    int bottom = rect.Bottom - 1, right = rect.Right - 1;
    if (place == cpOnly) {
        TGraphicsProvider::DrawButtonFace(*Canvas, rect, false);
        return;
    }
    // A raised edge; inner joins are shortened by 2 pixels at both ends.
    bool first = place == cpFirst, last = place == cpLast;
    HLine(rect.Left, rect.Right, rect.Top, clBtnHighlight);
    HLine(rect.Left, rect.Right, bottom, clBtnShadow);
    VLine(rect.Left, first ? rect.Top : rect.Top + 2, first ? bottom : bottom - 2, clBtnHighlight);
    VLine(right, last ? rect.Top : rect.Top + 2, last ? bottom + 1 : bottom - 2, clBtnShadow);
}

void TDefaultStyleDisplay::DrawHeaderBand(const TRect& rect, int kind) {
    if (Themed && Theme && Theme->DrawHeaderItem(*Canvas, rect, hisNormal)) return;
    if (kind == 0) TGraphicsProvider::DrawButtonFace(*Canvas, rect, false);
    else Canvas->FillRect(rect, OwnerColor);
}

void TDefaultStyleDisplay::DrawFooterBand(const TRect& rect) {
    if (Themed && Theme && Theme->DrawHeaderItem(*Canvas, rect, hisNormal)) return;
    Canvas->FillRect(rect, OwnerColor);
}

void TFlatStyleDisplay::DrawHeaderBackground(int index, const TRect& rect) {
    TRgCustomColumn* column = ColumnAt(index);
    Canvas->FillRect(rect, column ? column->Header.Color() : clBtnFace);
    VLine(rect.Right - 1, rect.Top, rect.Bottom, clGrayText);
    HLine(rect.Left, rect.Right, rect.Bottom - 1, clGrayText);
}

void TFlatStyleDisplay::FlatBox(const TRect& rect) {
    Canvas->FillRect(rect, clBtnFace);
    VLine(rect.Right - 1, rect.Top, rect.Bottom, clGrayText);
    HLine(rect.Left, rect.Right, rect.Bottom - 1, clGrayText);
}

void TOldStyleDisplay::OldBox(const TRect& rect) {
    Canvas->FillRect(rect, clBtnFace);
    HLine(rect.Left, rect.Right - 1, rect.Top, clBtnHighlight);
    VLine(rect.Left, rect.Top, rect.Bottom - 1, clBtnHighlight);
    HLine(rect.Left, rect.Right, rect.Bottom - 1, clWindowFrame);
    VLine(rect.Right - 1, rect.Top, rect.Bottom, clWindowFrame);
}

void TOldStyleDisplay::DrawHeaderBackground(int, const TRect& rect) { OldBox(rect); }

void TOutlookStyleDisplay::DrawHeaderBackground(int index, const TRect& rect) {
    TRgCustomColumn* column = ColumnAt(index);
    TColor color = column ? column->Header.Color() : clBtnFace;
    TColumnPlace place = column ? column->Place() : cpOnly;
    Canvas->FillRect(TRect{rect.Left, rect.Top, rect.Right, rect.Bottom - 3}, color);
    if (place == cpOnly || place == cpFirst) VLine(rect.Left, rect.Top, rect.Bottom - 3, clBtnHighlight);
    else VLine(rect.Left, rect.Top + 2, rect.Bottom - 4, clBtnHighlight);
    if (place == cpOnly || place == cpLast) VLine(rect.Right - 1, rect.Top, rect.Bottom - 1, clBtnShadow);
    else VLine(rect.Right - 1, rect.Top + 2, rect.Bottom - 4, clBtnShadow);
    static const int alphas[3] = {50, 100, 150};
    for (int k = 0; k < 3; ++k)
        HLine(rect.Left, rect.Right, rect.Bottom - 3 + k,
              BlendColors(ColorToRGBValue(clBtnShadow), ColorToRGBValue(color), alphas[k]));
}

void TOutlookStyleDisplay::DrawHeaderBand(const TRect& rect, int) {
    Canvas->FillRect(rect, OwnerColor);
    Canvas->FrameRect(rect, clBtnShadow);
}

void TVistaStyleDisplay::DrawHeaderBackground(int index, const TRect& rect) {
    TRgCustomColumn* column = ColumnAt(index);
    VLine(rect.Left, rect.Top, rect.Bottom, clWhite);
    VLine(rect.Right - 1, rect.Top, rect.Bottom, clBtnFace);
    TRect inner{rect.Left + 1, rect.Top, rect.Right - 1, rect.Bottom};
    if (!column || !column->Sorted()) {
        Canvas->FillRect(inner, 0xF0F0F0);
        return;
    }
    TGraphicsProvider::DrawVertGradient(*Canvas, TRect{inner.Left, inner.Top, inner.Right, inner.Top + 6}, 0xF0DCAF,
                                        clWhite);
    Canvas->FillRect(TRect{inner.Left, inner.Top + 6, inner.Right, inner.Bottom}, clWhite);
    int x = rect.Left + rect.Width() / 2 - 3, y = rect.Top;
    if (column->SortKind == skAscending) Canvas->Polygon({{x, y + 3}, {x + 3, y}, {x + 6, y + 3}}, clWhite, clWhite);
    else Canvas->Polygon({{x, y}, {x + 3, y + 3}, {x + 6, y}}, clWhite, clWhite);
}

TColor TOffice2007StyleDisplay::TopColor() const { return clWhite; }
TColor TOffice2007StyleDisplay::BottomColor() const { return GetSchemeColor(11, OfficeColorScheme()); }
TColor TOffice2010StyleDisplay::TopColor() const { return GetSchemeColor(6, OfficeColorScheme()); }
TColor TOffice2010StyleDisplay::BottomColor() const { return GetSchemeColor(7, OfficeColorScheme()); }

void TOffice2007StyleDisplay::DrawHeaderBackground(int index, const TRect& rect) {
    TRgCustomColumn* column = ColumnAt(index);
    bool pressed = index >= 0 && index == PressedColumn;
    TColor top = TopColor(), bottom = BottomColor();
    TGraphicsProvider::DrawVertGradient(*Canvas, rect, pressed ? bottom : top, pressed ? top : bottom);
    int scheme = OfficeColorScheme();
    TColumnPlace place = column ? column->Place() : cpOnly;
    if (place == cpFirst || place == cpMiddle) VLine(rect.Right - 1, rect.Top + 2, rect.Bottom - 3, GetSchemeColor(10, scheme));
    else VLine(rect.Right - 1, rect.Top, rect.Bottom, GetSchemeColor(2, scheme));
    HLine(rect.Left, rect.Right, rect.Bottom - 1, GetSchemeColor(2, scheme));
}

void TOffice2007StyleDisplay::DrawIndicatorHeader(const TRect& rect) {
    Canvas->FillRect(rect, GetSchemeColor(11, OfficeColorScheme()));
}

void TOffice2007StyleDisplay::DrawHeaderBand(const TRect& rect, int) {
    Canvas->FillRect(rect, GetSchemeColor(11, OfficeColorScheme()));
}

}  // namespace ad::grid
