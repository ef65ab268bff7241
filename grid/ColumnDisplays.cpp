// Cell painters and the rating element.
#include "grid/ColumnDisplays.h"

#include <algorithm>
#include <cmath>

#include "grid/DrawRoutines.h"

namespace ad::grid {

TCellTextFormat ColumnTextFormat(const TRgCustomColumn& column, ICanvas& canvas, std::u16string_view text,
                                 const TRect& rect, bool painting) {
    TCellTextFormat f{tfNoPrefix, rect};
    if (column.BiDiMode()) f.Flags |= tfRtlReading;
    if (column.Alignment() == taRightJustify) f.Flags |= tfRight;
    else if (column.Alignment() == taCenter) f.Flags |= tfCenter;
    if (column.VerticalAlignment == taAlignBottom) f.Flags |= tfBottom;
    else if (column.VerticalAlignment == taVerticalCenter) f.Flags |= tfVCenter;
    switch (column.WrapKind) {
        case wkEllipsis: if (painting) f.Flags |= tfEndEllipsis; break;
        case wkPathEllipsis: if (painting) f.Flags |= tfPathEllipsis; break;
        case wkWordWrap: f.Flags |= tfWordBreak | tfEditControl; break;
        default: break;
    }
    if (column.WrapKind != wkWordWrap && !column.IsMultiLine()) {
        f.Flags |= tfSingleLine;
        return f;
    }
    if (column.VerticalAlignment != taAlignTop) {
        int height = canvas.CalcTextRect(text, rect, (f.Flags & ~(tfVCenter | tfBottom)) | tfCalcRect).Height();
        if (column.VerticalAlignment == taAlignBottom) f.Rect.Top = rect.Bottom - height;
        else f.Rect.Top += static_cast<int>(std::lround((rect.Bottom - (rect.Top + height)) / 2.0));
    }
    return f;
}

TRect TreeLevelRect(const TRect& cell, int level) {
    int left = cell.Left + std::max(level, 0) * TreeIndent;
    return TRect{left, cell.Top, left + TreeIndent, cell.Bottom};
}

TRect TreeButtonRect(const TRect& cell, int level) {
    TRect slot = TreeLevelRect(cell, level);
    int left = slot.Left + (TreeIndent - TreeButtonSize) / 2;
    int top = slot.Top + (slot.Height() - TreeButtonSize) / 2;
    return TRect{left, top, left + TreeButtonSize, top + TreeButtonSize};
}

int TreeContentLeft(const TRect& cell, int level) { return TreeLevelRect(cell, level).Right; }

void DrawTree(ICanvas& canvas, const TRect& cell, const TTreeCellInfo& info) {
    if (!info.Active) return;
    const TColor line = clGrayText;
    TRect own = TreeLevelRect(cell, info.Level);
    int x = own.Left + TreeIndent / 2, mid = cell.Top + cell.Height() / 2;
    // To the parent (or the previous top-level row) above, on to the next
    // sibling below, and across to the content.
    int top = info.FirstShown && info.Level == 0 ? mid : cell.Top;
    int bottom = info.LastSibling ? mid + 1 : cell.Bottom + 1;
    canvas.Line(x, top, x, bottom, line);
    canvas.Line(x, mid, own.Right - 2, mid, line);
    // Ancestors with siblings further down keep their line going.
    if (info.Relations) {
        int ancestor = info.Row, next = -1;
        info.Relations(ancestor, next);
        for (int level = info.Level - 1; level >= 0 && ancestor >= 0; --level) {
            int up = ancestor;
            info.Relations(up, next);
            if (next >= 0) {
                int ax = TreeLevelRect(cell, level).Left + TreeIndent / 2;
                canvas.Line(ax, cell.Top, ax, cell.Bottom + 1, line);
            }
            ancestor = up;
        }
    }
    if (info.ChildCount > 0) {
        TRect b = TreeButtonRect(cell, info.Level);
        canvas.FillRect(b, clWindow);
        canvas.FrameRect(b, line);
        int cy = b.Top + TreeButtonSize / 2, cx = b.Left + TreeButtonSize / 2;
        canvas.Line(b.Left + 2, cy, b.Right - 2, cy, clWindowText);
        if (!info.Expanded) canvas.Line(cx, b.Top + 2, cx, b.Bottom - 2, clWindowText);
    }
}

TRect TColumnDisplay::GetContentRect() const {
    return TRect{CellRect.Left + 2, CellRect.Top, CellRect.Right - 2, CellRect.Bottom};
}

void TColumnDisplay::DrawText(std::u16string_view text, const TRect& rect) {
    if (!Canvas) return;
    TCellTextFormat f = ColumnTextFormat(*Column, *Canvas, text, rect, true);
    Canvas->SetBrushStyle(bsClear);
    Canvas->DrawText(text, f.Rect, f.Flags);
    Canvas->SetBrushStyle(bsSolid);
}

void TColumnDisplay::DrawHintMark() {
    if (!Canvas) return;
    const TRect& r = CellRect;
    Canvas->Polygon({{r.Right - 5, r.Top}, {r.Right - 1, r.Top}, {r.Right - 1, r.Top + 4}}, clRed, clRed);
}

int TColumnDisplay::GetContentWidth() { return GetTextExtent().cx; }

TSize TColumnDisplay::GetTextExtent() {
    if (!Canvas) return {};
    TCellTextFormat f = ColumnTextFormat(*Column, *Canvas, Text, GetContentRect(), false);
    TRect r = Canvas->CalcTextRect(Text, f.Rect, f.Flags | tfCalcRect | tfNoClip);
    return TSize{r.Width(), r.Height()};
}

void TTextColumnDisplay::Paint() { DrawText(Text, GetContentRect()); }

void TNumberColumnDisplay::Paint() { DrawText(Text, GetContentRect()); }

TRect RateBlockRect(const TRgRateColumn& column, const TRect& cell) {
    int w = column.Glyph().Width(), h = column.Glyph().Height();
    int blockWidth = column.Max() * w;
    int left = cell.Left, top = cell.Top;
    if (column.Alignment() == taRightJustify) left = cell.Right - blockWidth;
    else if (column.Alignment() == taCenter) left = cell.Left + (cell.Width() - blockWidth) / 2;
    if (column.VerticalAlignment == taAlignBottom) top = cell.Bottom - h;
    else if (column.VerticalAlignment == taVerticalCenter) top = cell.Top + (cell.Height() - h) / 2;
    return TRect{left, top, left + blockWidth, top + h};
}

void TRateColumnDisplay::Paint() {
    auto* column = static_cast<TRgRateColumn*>(Column);
    if (!Canvas || (Value == 0 && column->HideWhenEmpty())) return;
    TRect block = RateBlockRect(*column, CellRect);
    int w = column->Glyph().Width();
    for (int i = 1; i <= column->Max(); ++i) {
        const TBitmap32& glyph = i <= Value ? column->PaintGlyph() : column->PaintEmptyGlyph();
        TMaskProvider::DrawAlphaGraphic(*Canvas, block.Left + (i - 1) * w, block.Top, glyph);
    }
}

int TRateColumnDisplay::GetContentWidth() {
    auto* column = static_cast<TRgRateColumn*>(Column);
    if (Value == 0 && column->HideWhenEmpty()) return 0;
    return column->Max() * column->Glyph().Width();
}

int TRateColumnPlay::ValueAt(int x, int y) const {
    auto* column = static_cast<TRgRateColumn*>(Column);
    int w = column->Glyph().Width();
    // A column without a glyph has no steps to hit.
    if (w <= 0) return -1;
    TRect cell{0, 0, CellRect.Width(), CellRect.Height()};
    TRect block = RateBlockRect(*column, cell);
    if (x < block.Left || x >= block.Right || y < block.Top || y >= block.Bottom) return -1;
    return (x - block.Left) / w + 1;
}

void TRateColumnPlay::SetValue(int value) {
    Value = value;
    Text = Latin1ToUtf16(std::to_string(value));
    Changed();
}

void TRateColumnPlay::MouseDown(int x, int y) {
    int value = ValueAt(x, y);
    int max = static_cast<TRgRateColumn*>(Column)->Max();
    if (value >= 0 && value <= max && value != Value) SetValue(value);
}

void TRateColumnPlay::KeyPress(char16_t& key) {
    int max = static_cast<TRgRateColumn*>(Column)->Max();
    if (key == u'+') {
        if (Value < max) SetValue(Value + 1);
    } else if (key == u'-') {
        if (Value > 0) SetValue(Value - 1);
    } else if (key >= u'0' && key <= u'9') {
        int digit = key - u'0';
        if (digit <= max && digit != Value) SetValue(digit);
    }
}

std::unique_ptr<TColumnDisplay> MakeColumnDisplay(TRgCustomColumn* column) {
    if (dynamic_cast<TRgRateColumn*>(column)) return std::make_unique<TRateColumnDisplay>(column);
    if (dynamic_cast<TRgCustomNumberColumn*>(column)) return std::make_unique<TNumberColumnDisplay>(column);
    return std::make_unique<TTextColumnDisplay>(column);
}

std::unique_ptr<TColumnPlay> MakeColumnPlay(TRgCustomColumn* column) {
    if (dynamic_cast<TRgRateColumn*>(column)) return std::make_unique<TRateColumnPlay>(column);
    return nullptr;
}

}  // namespace ad::grid
