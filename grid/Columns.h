// The grid's column model: column properties, options, header and footer
// parts, the text, number and rating column classes, and the column list with
// display positions, fixed columns, auto-sizing, the grid's font, band
// geometry and change notices. Fonts are plain descriptions here; measuring
// and painting live with the control.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/Bitmap32.h"
#include "grid/CellStore.h"
#include "grid/GridCanvas.h"
#include "grid/GridEditor.h"
#include "grid/GridTypes.h"

namespace ad::grid {

class TRgColumns;

enum TVerticalAlignment : std::uint8_t { taAlignTop, taAlignBottom, taVerticalCenter };
enum TDrawingOptions : std::uint8_t { doNormal, doBackgroundOnly, doCustom, doCustomOnly };
enum TSortKind : std::uint8_t { skAscending, skDescending };
enum TWrapKind : std::uint8_t { wkNone, wkEllipsis, wkPathEllipsis, wkWordWrap };
enum TDisplayMode : std::uint8_t { dmImageOnly, dmTextAndImage, dmTextOnly };
enum THeaderOrientation : std::uint8_t { hoHorizontal, hoVertical };
enum TFormatMaskKind : std::uint8_t { mkText, mkFloat };
enum TFormulaKind : std::uint8_t { fkNone, fkAverage, fkCount, fkDistinct, fkMaximum, fkMinimum, fkSum, fkCustom };
enum TSlideCatpionLocation : std::uint8_t { clLeft, clTop };

enum TColumnOption : std::uint16_t {
    coAutoSize = 1 << 0, coCanClick = 1 << 1, coCanInput = 1 << 2, coCanSort = 1 << 3, coDisableMoving = 1 << 4,
    coDontHighlight = 1 << 5, coEditing = 1 << 6, coEditorAutoSelect = 1 << 7, coFixedSize = 1 << 8,
    coImageForIcon = 1 << 9, coPublicUsing = 1 << 10, coFullResort = 1 << 11, coSearchColumn = 1 << 12,
    coShowTextFitHint = 1 << 13, coTextForCaption = 1 << 14
};
using TColumnOptions = std::uint16_t;

enum TRgNumberEditOption : std::uint8_t {
    eoAllowAll = 1, eoAllowFloat = 2, eoAllowSigns = 4, eoDisablePaste = 8, eoDisableTyping = 16
};
using TRgNumberEditOptions = std::uint8_t;

enum TAnchor : std::uint8_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = std::uint8_t;

// A font as the model keeps it.
struct FontSpec {
    std::u16string Name = u"Tahoma";
    int Height = -11;
    std::uint8_t Style = 0;
    TColor Color = clWindowText;
    bool operator==(const FontSpec&) const = default;
};

// Notice codes a column sends to its list.
enum TColumnNotice : int {
    cnInputValue = 1, cnMoved = 2, cnSlideOrOptions = 4, cnSorted = 5, cnSortChanged = 6, cnRepaint = 7,
    cnVisible = 8, cnUnsorted = 9, cnWidth = 10
};

// The bands of a column that the grid repaints: the whole client height, the
// cells, the footer, the header and the input row.
enum TColumnBand : int { cbAll = 0, cbCells = 1, cbFooter = 2, cbHeader = 3, cbInput = 5 };

// What a column's change listeners are told.
enum TColumnChange : int { ccAlignment = 0, ccCaption = 1, ccColorOrOptions = 2, ccDrawingOptions = 3, ccVisible = 6 };

// A column's place among the visible columns.
enum TColumnPlace : std::uint8_t { cpOnly, cpFirst, cpMiddle, cpLast };

class TRgCustomColumn;

// Caption and colour repaint the whole column; the other setters fire
// OnChange, which the column turns into its general repaint notice.
class TColumnPart {
public:
    explicit TColumnPart(TRgCustomColumn* column, TColor color) : Column(column), color_(color) {}
    virtual ~TColumnPart() = default;
    TColumnPart(const TColumnPart&) = delete;
    TColumnPart& operator=(const TColumnPart&) = delete;

    TRgCustomColumn* Column;
    std::u16string Hint;
    std::function<void(TColumnPart*)> OnChange;

    const std::u16string& Caption() const { return caption_; }
    void SetCaption(const std::u16string& value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TDisplayMode DisplayMode() const { return displayMode_; }
    void SetDisplayMode(TDisplayMode value);
    TDrawingOptions DrawingOptions() const { return drawingOptions_; }
    void SetDrawingOptions(TDrawingOptions value);
    // The image beside the caption (dmImageOnly, dmTextAndImage); the pixels
    // of its bottom-left colour are made clear whenever it is set.
    const TBitmap32& Glyph() const { return glyph_; }
    void SetGlyph(const TBitmap32& value);

protected:
    void Changed() {
        if (OnChange) OnChange(this);
    }
    void Repaint(int band);
    void AssignPart(const TColumnPart& other);

private:
    std::u16string caption_;
    TColor color_;
    TDisplayMode displayMode_ = dmTextOnly;
    TDrawingOptions drawingOptions_ = doNormal;
    TBitmap32 glyph_;
};

class TColumnHeader : public TColumnPart {
public:
    explicit TColumnHeader(TRgCustomColumn* column) : TColumnPart(column, clBtnFace) {}
    void Assign(const TColumnHeader& other);

    THeaderOrientation Orientation() const { return orientation_; }
    void SetOrientation(THeaderOrientation value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    bool HideArrow() const { return hideArrow_; }
    void SetHideArrow(bool value);
    const FontSpec& Font() const { return font_; }
    void SetFont(const FontSpec& value);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

private:
    THeaderOrientation orientation_ = hoHorizontal;
    TAlignment alignment_ = taLeftJustify;
    bool multiLine_ = false;
    bool hideArrow_ = true;
    FontSpec font_;
    bool parentFont_ = true;
};

class TColumnFooter : public TColumnPart {
public:
    explicit TColumnFooter(TRgCustomColumn* column) : TColumnPart(column, clWindow) {}
    // Alignment, drawing options, formula kind, format mask and kind, and the
    // texts around the value.
    void Assign(const TColumnFooter& other);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    const std::string& FormatMask() const { return formatMask_; }
    void SetFormatMask(const std::string& value);
    TFormatMaskKind FormatMaskKind() const { return formatMaskKind_; }
    void SetFormatMaskKind(TFormatMaskKind value);
    TFormulaKind FormulaKind() const { return formulaKind_; }
    void SetFormulaKind(TFormulaKind value);
    const std::u16string& TextAfter() const { return textAfter_; }
    void SetTextAfter(const std::u16string& value);
    const std::u16string& TextBefore() const { return textBefore_; }
    void SetTextBefore(const std::u16string& value);
    // Written by the grid with the caption after each calculation.
    double FormulaValue = 0;

private:
    TAlignment alignment_ = taLeftJustify;
    std::string formatMask_;
    TFormatMaskKind formatMaskKind_ = mkText;
    TFormulaKind formulaKind_ = fkNone;
    std::u16string textAfter_;
    std::u16string textBefore_;
};

// A column's bounds in the slides view. Left and Top always report a change
// (notice 4); Width and Height only when the value differs.
class TRgSlideBounds {
public:
    explicit TRgSlideBounds(TRgCustomColumn* column) : Column(column) {}
    TRgSlideBounds(const TRgSlideBounds&) = delete;
    TRgSlideBounds& operator=(const TRgSlideBounds&) = delete;
    void Assign(const TRgSlideBounds& other);

    TRgCustomColumn* Column;
    int Left() const { return left_; }
    void SetLeft(int value);
    int Top() const { return top_; }
    void SetTop(int value);
    int Width() const { return width_; }
    void SetWidth(int value);
    int Height() const { return height_; }
    void SetHeight(int value);
    int Right() const { return left_ + width_; }
    int Bottom() const { return top_ + height_; }

private:
    void Changed();
    int left_ = 8, top_ = 8, width_ = 80, height_ = 16;
};

using TColumnChangeListener = std::function<void(TRgCustomColumn* column, int what)>;

class TRgCustomColumn {
public:
    TRgCustomColumn();
    virtual ~TRgCustomColumn();
    TRgCustomColumn(const TRgCustomColumn&) = delete;
    TRgCustomColumn& operator=(const TRgCustomColumn&) = delete;

    virtual int GetColumnFeatures() const { return 0; }
    virtual bool HasEditorClass() const { return false; }
    virtual void SetColumnKind(std::uint8_t kind) { ColumnKind = kind; }
    virtual bool IsMultiLine() const { return false; }
    // The text a cell shows; the cell holds the value.
    virtual std::u16string GetDrawText(TCell& cell) const;
    virtual bool IsEditKey(char16_t key) const { (void)key; return false; }
    // The width a cell needs to show the text whole: measured as 8-bit text
    // (the system's code page) plus 6, at least 8.
    virtual int GetTextFitWidth(ICanvas& canvas, std::u16string_view text) const;
    // The input row's value and the text it shows.
    virtual std::u16string GetInputText() const { return InputValue; }
    virtual std::u16string GetInputDrawText() const { return InputValue; }
    int GetEditAbility() const;
    // Copies the published state of another column (each class adds its own
    // properties when the source is of its class). Setters run, so the copy
    // moves, sorts, sizes and notifies as a change made by hand would.
    virtual void Assign(const TRgCustomColumn& source);

    // Plain properties.
    bool AutoEdit = false;
    std::uint8_t ColumnKind = 8;
    std::u16string DefaultValue;
    int DefaultWidth = 80;
    bool Enabled = true;
    TColumnFooter Footer{this};
    TColumnHeader Header{this};
    std::u16string InputValue;
    // An editor given by the application, used instead of the column's own;
    // the application clears it before the editor goes.
    IGridEditor* InplaceEdit = nullptr;
    int MinWidth = 8;
    void* ObjectReference = nullptr;
    int Padding = 0;
    bool ParentCellColor = false;
    TAnchors SlideAnchors = akLeft | akTop;
    TRgSlideBounds SlideBounds{this};
    std::string SlideCaption;
    TSlideCatpionLocation SlideCaptionLocation = clTop;
    // The column shows the row tree: its cells are indented by the row's
    // level, with tree lines and an expand button on rows with children.
    bool TreeColumn = false;
    TSortKind SortKind = skAscending;
    TSortType SortType = stAlphabetic;
    std::string StyleClass;
    int Tag = 0;
    std::u16string TagString;
    TVerticalAlignment VerticalAlignment = taVerticalCenter;
    TWrapKind WrapKind = wkEllipsis;
    std::function<void(TRgCustomColumn*, std::u16string&)> OnGetDrawText;
    std::function<void()> OnSetCell;

    // Properties with side effects.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(bool value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Cursor() const { return cursor_; }
    void SetCursor(int value);
    TDrawingOptions DrawingOptions() const { return drawingOptions_; }
    void SetDrawingOptions(TDrawingOptions value);
    const std::u16string& InputCaption() const { return inputCaption_; }
    void SetInputCaption(const std::u16string& value);
    // The grid's font while ParentFont is set; setting a font of its own
    // clears ParentFont, setting ParentFont takes the grid's font again.
    const FontSpec& Font() const { return font_; }
    void SetFont(const FontSpec& font);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TColumnOptions Options() const { return options_; }
    void SetOptions(TColumnOptions value);
    int Position() const { return position_; }
    void SetPosition(int value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    int Width() const { return width_; }
    void SetWidth(int value);
    void SetSortKind(TSortKind value);
    void SetSortType(TSortType value);
    void SetInputValue(const std::u16string& value);
    std::uint8_t SlideOptions() const { return slideOptions_; }
    void SetSlideOptions(std::uint8_t value);

    TRgColumns* List() const { return list_; }
    // Left edge in grid coordinates (cell area, after the indicator).
    int Left() const { return left_; }
    int VisibleIndex() const { return visibleIndex_; }
    // Left edge in the client area: less the horizontal scroll position
    // unless the column is fixed.
    int ClientLeft() const;
    // The column's span in a band of the grid, in client coordinates (empty
    // without a list or a host that knows the band).
    TRect BandRect(TColumnBand band) const;
    TRect HeaderRect() const { return BandRect(cbHeader); }
    TRect FooterRect() const { return BandRect(cbFooter); }
    TRect InputRect() const { return BandRect(cbInput); }
    bool IsFixed() const;
    // Visible and enabled columns in display order.
    bool IsFirstVisible() const;
    bool IsLastVisible() const;
    TRgCustomColumn* NextVisible();  // itself when there is none
    TRgCustomColumn* PriorVisible();
    bool IsSelected() const;
    TColumnPlace Place() const;  // a hidden column answers cpOnly

    // Listeners of alignment, caption, colour/options, drawing options and
    // visibility changes; the cookie removes one.
    int AddChangeListener(TColumnChangeListener listener);
    void RemoveChangeListener(int cookie);

    // The general notice of the column (code, parameter) and a repaint of
    // one of its bands; both go through the list to the grid.
    void Notify(int code, int parameter = 0);
    void Repaint(int band);

protected:
    template <class T>
    void SetCellProperty(T& field, const T& value) {
        field = value;
        Repaint(cbCells);
    }

private:
    friend class TRgColumns;
    friend class TColumnPart;
    void SetWidthInternal(int value);
    void NotifyListeners(int what);
    // Takes a font without clearing ParentFont.
    void TakeParentFont(const FontSpec& font);

    TRgColumns* list_ = nullptr;
    TAlignment alignment_ = taLeftJustify;
    bool biDiMode_ = false;
    TColor color_ = clWindow;
    int cursor_ = 0;
    TDrawingOptions drawingOptions_ = doNormal;
    std::u16string inputCaption_;
    FontSpec font_;
    bool parentFont_ = true;
    std::vector<std::pair<int, TColumnChangeListener>> listeners_;
    int nextCookie_ = 1;
    TColumnOptions options_ = coCanClick | coCanInput | coCanSort | coPublicUsing;
    int position_ = -1;
    bool sorted_ = false;
    bool visible_ = true;
    int width_ = 80;
    int left_ = 0;
    int visibleIndex_ = -1;
    std::uint8_t slideOptions_ = 0;
};

// Setters of the properties that change what the cells show repaint the
// column's cells; the others reach only the editor.
class TRgTextColumn : public TRgCustomColumn {
public:
    TRgTextColumn();
    int GetColumnFeatures() const override { return 42; }
    bool HasEditorClass() const override { return true; }
    bool IsMultiLine() const override { return multiLine_; }
    std::u16string GetDrawText(TCell& cell) const override;
    bool IsEditKey(char16_t key) const override { return key > 32; }
    int GetTextFitWidth(ICanvas& canvas, std::u16string_view text) const override;
    void Assign(const TRgCustomColumn& source) override;

    int MaxLength = 0;
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value) { SetCellProperty(multiLine_, value); }
    char16_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char16_t value) { SetCellProperty(passwordChar_, value); }
    const std::u16string& TextAfter() const { return textAfter_; }
    void SetTextAfter(const std::u16string& value) { SetCellProperty(textAfter_, value); }
    const std::u16string& TextBefore() const { return textBefore_; }
    void SetTextBefore(const std::u16string& value) { SetCellProperty(textBefore_, value); }

private:
    bool multiLine_ = false;
    char16_t passwordChar_ = 0;
    std::u16string textAfter_;
    std::u16string textBefore_;
};

class TRgCustomNumberColumn : public TRgCustomColumn {
public:
    TRgCustomNumberColumn();
    int GetColumnFeatures() const override { return 42; }
    std::u16string GetDrawText(TCell& cell) const override;
    bool IsEditKey(char16_t key) const override;
    void Assign(const TRgCustomColumn& source) override;

    TRgNumberEditOptions EditOptions = eoAllowFloat;
    double Max = 0, Min = 0;
    // The decimal separator the editor accepts: the locale's when made.
    char16_t DecimalSeparator = u'.';

    const std::u16string& EmptyCaption() const { return emptyCaption_; }
    void SetEmptyCaption(const std::u16string& value) { SetCellProperty(emptyCaption_, value); }
    double EmptyValue() const { return emptyValue_; }
    void SetEmptyValue(double value) { SetCellProperty(emptyValue_, value); }
    const std::string& FormatMask() const { return formatMask_; }
    void SetFormatMask(const std::string& value) { SetCellProperty(formatMask_, value); }
    bool HideWhenEmpty() const { return hideWhenEmpty_; }
    void SetHideWhenEmpty(bool value) { SetCellProperty(hideWhenEmpty_, value); }
    const std::u16string& TextAfter() const { return textAfter_; }
    void SetTextAfter(const std::u16string& value) { SetCellProperty(textAfter_, value); }
    const std::u16string& TextBefore() const { return textBefore_; }
    void SetTextBefore(const std::u16string& value) { SetCellProperty(textBefore_, value); }

private:
    std::u16string emptyCaption_;
    double emptyValue_ = 0;
    std::string formatMask_;
    bool hideWhenEmpty_ = false;
    std::u16string textAfter_;
    std::u16string textBefore_;
};

class TRgNumberColumn : public TRgCustomNumberColumn {
public:
    TRgNumberColumn();
    bool HasEditorClass() const override { return true; }
    void Assign(const TRgCustomColumn& source) override;
    std::u16string ButtonCaption;
    double Increment = 1.0;
    int Precision = 0;
    bool ShowButton = false;
    bool SpinButtons = true;
    std::function<void(TRgNumberColumn*)> OnButtonClick;
};

class TRgRateColumn : public TRgCustomColumn {
public:
    TRgRateColumn();
    int GetColumnFeatures() const override { return 8; }
    void Assign(const TRgCustomColumn& source) override;

    int Max() const { return max_; }
    void SetMax(int value) { SetCellProperty(max_, value); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // The glyphs of a set and an unset step. Pixels carry their alpha; with
    // Transparent, the pixels of each glyph's bottom-left colour are made
    // clear once, when the glyph or the flag is set.
    const TBitmap32& Glyph() const { return glyph_; }
    void SetGlyph(const TBitmap32& value);
    const TBitmap32& EmptyGlyph() const { return emptyGlyph_; }
    void SetEmptyGlyph(const TBitmap32& value);
    // The glyphs as painted.
    const TBitmap32& PaintGlyph() const { return transparent_ ? glyphClear_ : glyph_; }
    const TBitmap32& PaintEmptyGlyph() const { return transparent_ ? emptyGlyphClear_ : emptyGlyph_; }
    bool HideWhenEmpty() const { return hideWhenEmpty_; }
    void SetHideWhenEmpty(bool value) { SetCellProperty(hideWhenEmpty_, value); }

private:
    int max_ = 5;
    bool transparent_ = false;
    bool hideWhenEmpty_ = false;
    TBitmap32 glyph_, emptyGlyph_, glyphClear_, emptyGlyphClear_;
};

// A copy of the image whose pixels of its bottom-left pixel's colour have
// alpha 0 and all others alpha 255.
TBitmap32 ClearedByCorner(const TBitmap32& image);

// The grid's side of the list: notices, the client width, the indicator, and
// what the columns ask of the grid (band spans, scroll position, selection).
struct TColumnListHost {
    std::function<void(int kind, int index, int index2)> OnStructureChange;
    std::function<void()> OnAfterStructureChange;
    std::function<void(TRgCustomColumn*, int code, int parameter)> OnColumnChange;
    std::function<void(TRgCustomColumn*, int band)> OnColumnRepaint;
    std::function<int()> ClientWidth = [] { return 0; };
    // Top and bottom of a band in client coordinates; an empty span when the
    // grid does not show it.
    std::function<std::pair<int, int>(TColumnBand band)> BandSpan;
    std::function<int()> HorzScrollPos = [] { return 0; };
    std::function<TRgCustomColumn*()> SelectedColumn;
    bool IndicatorShown = false;
};

class TRgColumns : public IColumnSource {
public:
    TRgColumns() = default;
    ~TRgColumns() override;
    TRgColumns(const TRgColumns&) = delete;
    TRgColumns& operator=(const TRgColumns&) = delete;

    template <class T>
    T* AddNew() {
        auto column = std::make_unique<T>();
        T* raw = column.get();
        Add(std::move(column));
        return raw;
    }
    TRgCustomColumn* Add(std::unique_ptr<TRgCustomColumn> column);
    void Remove(TRgCustomColumn* column);
    void Clear();

    int Count() const { return static_cast<int>(items_.size()); }
    TRgCustomColumn* Item(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
    TRgCustomColumn* Positions(int index) const { return positions_.at(static_cast<size_t>(index)); }
    int IndexOf(const TRgCustomColumn* column) const;
    bool IsValidIndex(int index) const { return index >= 0 && index < Count(); }
    int VisibleCount() const;
    int TotalWidth() const;
    TRgCustomColumn* FirstVisible() const;
    TRgCustomColumn* LastVisible() const;
    TRgCustomColumn* LastAdded() const { return lastAdded_; }
    void Move(int from, int to);
    void UpdatePositions(bool renumber = true);
    // From a column after its width (afterOptions false) or options changed; all columns when null.
    void AutoSizeColumns(TRgCustomColumn* from = nullptr, bool afterOptions = false);
    void SetFixedCount(int count);
    int FixedCount() const { return fixedCount_; }
    int FixedWidth() const { return fixedWidth_; }
    void ShiftSlides(int oldWidth, int newWidth);
    // The grid's font: every column with ParentFont takes it, now and when
    // added later.
    const FontSpec& GridFont() const { return gridFont_; }
    void SetGridFont(const FontSpec& font);

    // IColumnSource
    int ColumnCount() const override { return Count(); }
    TColumnAttrs ColumnAttrs(int index) const override;

    TColumnListHost Host;
    bool Designing = false;

private:
    friend class TRgCustomColumn;
    void ColumnNotice(TRgCustomColumn* column, int code, int parameter);

    std::vector<std::unique_ptr<TRgCustomColumn>> items_;
    std::vector<TRgCustomColumn*> positions_;
    TRgCustomColumn* lastAdded_ = nullptr;
    int fixedCount_ = 0;
    int fixedWidth_ = 0;
    bool clearing_ = false;
    FontSpec gridFont_;
};

// The locale's float formatting with a pattern: '0' digit, '#' optional
// digit, '.' decimal point, ',' thousands; text in quotes is literal.
std::u16string FormatFloatMask(const std::string& mask, double value, const TFormatSettings& fs);

}  // namespace ad::grid
