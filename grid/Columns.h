// The grid's column model: column properties, options, header and footer
// parts, the text, number and rating column classes, and the column list with
// display positions, fixed columns, auto-sizing and change notices. Fonts are
// plain descriptions here; measuring and painting live with the control.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/CellStore.h"
#include "grid/GridTypes.h"

namespace ad {

class TRgColumns;

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
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
    TColor Color = gridcolors::clWindowText;
    bool operator==(const FontSpec&) const = default;
};

// Notice codes a column sends to its list.
enum TColumnNotice : int {
    cnInputValue = 1, cnMoved = 2, cnSlideOrOptions = 4, cnSorted = 5, cnSortChanged = 6, cnRepaint = 7,
    cnVisible = 8, cnUnsorted = 9, cnWidth = 10
};

class TRgCustomColumn;

class TColumnPart {
public:
    explicit TColumnPart(TRgCustomColumn* column, TColor color) : Column(column), Color(color) {}
    virtual ~TColumnPart() = default;
    TRgCustomColumn* Column;
    std::u16string Caption;
    TColor Color;
    TDisplayMode DisplayMode = dmTextOnly;
    TDrawingOptions DrawingOptions = doNormal;
    std::u16string Hint;
    std::function<void(TColumnPart*)> OnChange;
};

class TColumnHeader : public TColumnPart {
public:
    explicit TColumnHeader(TRgCustomColumn* column) : TColumnPart(column, gridcolors::clBtnFace) {}
    THeaderOrientation Orientation = hoHorizontal;
    TAlignment Alignment = taLeftJustify;
    bool MultiLine = false;
    FontSpec Font;
    bool HideArrow = true;
    bool ParentFont = true;
};

class TColumnFooter : public TColumnPart {
public:
    explicit TColumnFooter(TRgCustomColumn* column) : TColumnPart(column, gridcolors::clWindow) {}
    void Assign(const TColumnFooter& other);
    TAlignment Alignment = taLeftJustify;
    std::string FormatMask;
    TFormatMaskKind FormatMaskKind = mkText;
    TFormulaKind FormulaKind = fkNone;
    double FormulaValue = 0;
    std::u16string TextAfter;
    std::u16string TextBefore;
};

struct TRgSlideBounds {
    int Left = 8, Top = 8, Width = 80, Height = 16;
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
};

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
    int GetEditAbility() const;

    // Plain properties.
    TAlignment Alignment = taLeftJustify;
    bool AutoEdit = false;
    bool BiDiMode = false;
    TColor Color = gridcolors::clWindow;
    std::uint8_t ColumnKind = 8;
    int Cursor = 0;
    std::u16string DefaultValue;
    int DefaultWidth = 80;
    TDrawingOptions DrawingOptions = doNormal;
    bool Enabled = true;
    FontSpec Font;
    TColumnFooter Footer{this};
    TColumnHeader Header{this};
    std::u16string InputCaption;
    std::u16string InputValue;
    int MinWidth = 8;
    void* ObjectReference = nullptr;
    int Padding = 0;
    bool ParentCellColor = false;
    bool ParentFont = true;
    TAnchors SlideAnchors = akLeft | akTop;
    TRgSlideBounds SlideBounds;
    std::string SlideCaption;
    TSlideCatpionLocation SlideCaptionLocation = clTop;
    std::uint8_t SlideOptions = 0;
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
    void SetFont(const FontSpec& font);
    void SetSortKind(TSortKind value);
    void SetSortType(TSortType value);
    void SetInputValue(const std::u16string& value);

    TRgColumns* List() const { return list_; }
    int Left() const { return left_; }
    int VisibleIndex() const { return visibleIndex_; }

protected:
    void Notify(int code, int parameter = 0);

private:
    friend class TRgColumns;
    void SetWidthInternal(int value);

    TRgColumns* list_ = nullptr;
    TColumnOptions options_ = coCanClick | coCanInput | coCanSort | coPublicUsing;
    int position_ = -1;
    bool sorted_ = false;
    bool visible_ = true;
    int width_ = 80;
    int left_ = 0;
    int visibleIndex_ = -1;
};

class TRgTextColumn : public TRgCustomColumn {
public:
    TRgTextColumn();
    int GetColumnFeatures() const override { return 42; }
    bool HasEditorClass() const override { return true; }
    bool IsMultiLine() const override { return MultiLine; }
    std::u16string GetDrawText(TCell& cell) const override;
    bool IsEditKey(char16_t key) const override { return key > 32; }

    int MaxLength = 0;
    bool MultiLine = false;
    char16_t PasswordChar = 0;
    std::u16string TextAfter;
    std::u16string TextBefore;
};

class TRgCustomNumberColumn : public TRgCustomColumn {
public:
    TRgCustomNumberColumn();
    int GetColumnFeatures() const override { return 42; }
    std::u16string GetDrawText(TCell& cell) const override;
    bool IsEditKey(char16_t key) const override;

    TRgNumberEditOptions EditOptions = eoAllowFloat;
    std::u16string EmptyCaption;
    double EmptyValue = 0;
    std::string FormatMask;
    bool HideWhenEmpty = false;
    double Max = 0, Min = 0;
    std::u16string TextAfter;
    std::u16string TextBefore;
    // The decimal separator the editor accepts.
    char16_t DecimalSeparator = u'.';
};

class TRgNumberColumn : public TRgCustomNumberColumn {
public:
    TRgNumberColumn();
    bool HasEditorClass() const override { return true; }
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
    int Max = 5;
    bool Transparent = false;
    bool HideWhenEmpty = false;
};

// The grid's side of the list: notices, the client width and the indicator.
struct TColumnListHost {
    std::function<void(int kind, int index, int index2)> OnStructureChange;
    std::function<void()> OnAfterStructureChange;
    std::function<void(TRgCustomColumn*, int code, int parameter)> OnColumnChange;
    std::function<int()> ClientWidth = [] { return 0; };
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
};

// The locale's float formatting with a pattern: '0' digit, '#' optional
// digit, '.' decimal point, ',' thousands; text in quotes is literal.
std::u16string FormatFloatMask(const std::string& mask, double value, const TFormatSettings& fs);

}  // namespace ad
