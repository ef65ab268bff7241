// The painters of a column's cells (text, number and rating) and the
// clickable element of rating cells, which turns a press or a key into a new
// value. The grid fills an element's cell data before each use.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "grid/Columns.h"
#include "grid/GridCanvas.h"

namespace ad::grid {

class TVirtualColElement {
public:
    explicit TVirtualColElement(TRgCustomColumn* column) : Column(column) {}
    virtual ~TVirtualColElement() = default;
    TVirtualColElement(const TVirtualColElement&) = delete;
    TVirtualColElement& operator=(const TVirtualColElement&) = delete;

    TRgCustomColumn* Column;
    ICanvas* Canvas = nullptr;
    TRect CellRect;
    std::u16string Text;
    int Value = 0;
    int Col = -1, Row = -1;
};

// The text layout of a column for painting or measuring, and the rectangle
// it is drawn in: multi-line text with a vertical alignment other than top is
// moved down by its measured height.
struct TCellTextFormat {
    unsigned Flags = 0;
    TRect Rect;
};
TCellTextFormat ColumnTextFormat(const TRgCustomColumn& column, ICanvas& canvas, std::u16string_view text,
                                 const TRect& rect, bool painting);

// What a tree column's painter knows of its row; the grid fills it before
// each cell.
struct TTreeCellInfo {
    bool Active = false;
    int Row = -1, Level = 0, ChildCount = 0;
    bool Expanded = true;
    // The row is the first shown row; it has no next sibling.
    bool FirstShown = false, LastSibling = false;
    // The row relations: ARow := its parent (-1 for a top-level row),
    // NextSibling := ARow's next sibling (-1 when none).
    std::function<void(int& ARow, int& NextSibling)> Relations;
};

// Tree geometry: each level takes TreeIndent pixels from the cell's left,
// the row's own level ends with its button and lines, and the content
// starts after it.
constexpr int TreeIndent = 16;
constexpr int TreeButtonSize = 9;
TRect TreeLevelRect(const TRect& cell, int level);
TRect TreeButtonRect(const TRect& cell, int level);
int TreeContentLeft(const TRect& cell, int level);
// The lines from the row to its parent and siblings, the lines of the
// ancestors that have siblings further down, and the expand button.
void DrawTree(ICanvas& canvas, const TRect& cell, const TTreeCellInfo& info);

class TColumnDisplay : public TVirtualColElement {
public:
    using TVirtualColElement::TVirtualColElement;

    virtual TRect GetContentRect() const;
    virtual void DrawText(std::u16string_view text, const TRect& rect);
    virtual void DrawHintMark();
    virtual int GetContentWidth();
    virtual TSize GetTextExtent();
    virtual void Paint() = 0;

    bool Selected = false;
    bool IsCurrent = false;
    TTreeCellInfo Tree;
    int DisplayTag = -1;
    TColor HighlightedTextColor = clHighlightText;
};

class TTextColumnDisplay : public TColumnDisplay {
public:
    using TColumnDisplay::TColumnDisplay;
    void Paint() override;
};

class TNumberColumnDisplay : public TColumnDisplay {
public:
    using TColumnDisplay::TColumnDisplay;
    void Paint() override;
};

// Where the block of Max glyphs lies in a cell, by the column's alignments.
TRect RateBlockRect(const TRgRateColumn& column, const TRect& cell);

class TRateColumnDisplay : public TColumnDisplay {
public:
    using TColumnDisplay::TColumnDisplay;
    void Paint() override;
    int GetContentWidth() override;
};

class TColumnPlay : public TVirtualColElement {
public:
    using TVirtualColElement::TVirtualColElement;
    virtual void KeyPress(char16_t& key) { (void)key; }
    virtual void MouseDown(int x, int y) { (void)x; (void)y; }
    // The value changed: the grid stores it in the cell.
    std::function<void(TColumnPlay*)> OnChanged;

protected:
    void Changed() {
        if (OnChanged) OnChanged(this);
    }
};

class TRateColumnPlay : public TColumnPlay {
public:
    using TColumnPlay::TColumnPlay;
    // 1..Max for a point on a glyph (relative to the cell), -1 elsewhere or
    // when the column has no glyph.
    int ValueAt(int x, int y) const;
    void MouseDown(int x, int y) override;
    void KeyPress(char16_t& key) override;

private:
    void SetValue(int value);
};

// The painter and clickable element of a column's class (none for columns
// without one).
std::unique_ptr<TColumnDisplay> MakeColumnDisplay(TRgCustomColumn* column);
std::unique_ptr<TColumnPlay> MakeColumnPlay(TRgCustomColumn* column);

}  // namespace ad::grid
