// The value object of one grid cell and its typed classes. A cell keeps the
// position the store last handed it out at (TCells::GetCell, sorting, making
// it): its colours, change notices, row number and virtual text use that
// position, so a handler that looks up other cells meanwhile cannot move it.
#pragma once

#include <cstdint>
#include <string>

#include "grid/CellConvert.h"
#include "grid/GridTypes.h"

namespace ad::grid {

class TCells;

class TCell {
public:
    explicit TCell(TCells* cells);
    virtual ~TCell() = default;
    TCell(const TCell&) = delete;
    TCell& operator=(const TCell&) = delete;

    virtual TColor GetPaintColor();
    virtual TColor GetTextColor();

    virtual bool AsBoolean() const = 0;
    virtual TDateTime AsDateTime() const = 0;
    virtual double AsFloat() const = 0;
    virtual std::int32_t AsInteger() const = 0;
    virtual std::u16string AsString() const = 0;

    // The store's change notice for this cell's position.
    virtual void Changed();

    virtual void SetAsBoolean(bool value);
    virtual void SetAsDateTime(TDateTime value);
    virtual void SetAsFloat(double value);
    virtual void SetAsInteger(std::int32_t value);
    virtual void SetAsString(const std::u16string& value);
    virtual void Clear();

    void SetFontStyle(std::uint8_t value);
    void SetColor(TColor value);
    void SetFontColor(TColor value);

    TCells* Cells;
    std::uint8_t FontStyle = 0;
    TColor Color = 0;
    TColor FontColor = 0;
    // Bit 0: hidden; bit 1: initialising (attribute setters send no notice).
    std::uint8_t State = 2;

    // Where the store last handed this cell out (0, 0 for a cell made alone).
    int Col() const { return col_; }
    int Row() const { return row_; }

protected:
    const TFormatSettings& Settings() const;
    const ITextServices& Text() const;

private:
    friend class TCells;
    int col_ = 0;
    int row_ = 0;
};

class TStringCell : public TCell {
public:
    using TCell::TCell;
    bool AsBoolean() const override;
    TDateTime AsDateTime() const override;
    double AsFloat() const override;
    std::int32_t AsInteger() const override;
    std::u16string AsString() const override { return Value; }
    void SetAsBoolean(bool value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(std::int32_t value) override;
    void SetAsString(const std::u16string& value) override;
    void Clear() override;

    std::u16string Value;
};

class TIntegerCell : public TCell {
public:
    using TCell::TCell;
    bool AsBoolean() const override { return Value > 0; }
    TDateTime AsDateTime() const override { return 0; }
    double AsFloat() const override { return Value; }
    std::int32_t AsInteger() const override { return Value; }
    std::u16string AsString() const override { return IntToText(Value); }
    void SetAsBoolean(bool value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(std::int32_t value) override;
    void SetAsString(const std::u16string& value) override;
    void Clear() override;

    std::int32_t Value = 0;
};

// Cells holding one double (float and date-time): date-time, float and
// integer writes store the number as it is; Boolean reads are false.
class TRealCell : public TCell {
public:
    using TCell::TCell;
    bool AsBoolean() const override { return false; }
    TDateTime AsDateTime() const override { return Value; }
    double AsFloat() const override { return Value; }
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(std::int32_t value) override;
    void Clear() override;

    double Value = 0;
};

class TFloatCell : public TRealCell {
public:
    using TRealCell::TRealCell;
    std::int32_t AsInteger() const override { return RoundHalfEven(Value); }
    std::u16string AsString() const override;
    void SetAsBoolean(bool value) override;
    void SetAsString(const std::u16string& value) override;
};

class TDateTimeCell : public TRealCell {
public:
    using TRealCell::TRealCell;
    std::int32_t AsInteger() const override { return TruncToInt(Value); }
    std::u16string AsString() const override;
    void SetAsBoolean(bool value) override;
    void SetAsString(const std::u16string& value) override;
};

class TBooleanCell : public TCell {
public:
    using TCell::TCell;
    bool AsBoolean() const override { return Value; }
    TDateTime AsDateTime() const override { return 0; }
    double AsFloat() const override { return Value ? 1 : 0; }
    std::int32_t AsInteger() const override { return Value ? 1 : 0; }
    std::u16string AsString() const override { return BoolToText(Value); }
    void SetAsBoolean(bool value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(std::int32_t value) override;
    void SetAsString(const std::u16string& value) override;
    void Clear() override;

    bool Value = false;
};

// The row number (one-based) of the cell's position.
class TIncrementCell : public TCell {
public:
    using TCell::TCell;
    bool AsBoolean() const override { return false; }
    TDateTime AsDateTime() const override { return 0; }
    double AsFloat() const override;
    std::int32_t AsInteger() const override;
    std::u16string AsString() const override;
    void Clear() override {}
};

// Cells whose value is reached through their text: Boolean, date-time, float
// and integer reads and writes go through AsString / SetAsString.
class TTextBackedCell : public TCell {
public:
    using TCell::TCell;
    bool AsBoolean() const override;
    TDateTime AsDateTime() const override;
    double AsFloat() const override;
    std::int32_t AsInteger() const override;
    void SetAsBoolean(bool value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(std::int32_t value) override;
};

class TGuidCell : public TTextBackedCell {
public:
    explicit TGuidCell(TCells* cells);
    std::u16string AsString() const override { return GuidToText(Value); }
    void SetAsString(const std::u16string& value) override;

    TGuid Value;
};

// Text asked from its column with the cell's position.
class TVirtualCell : public TTextBackedCell {
public:
    using TTextBackedCell::TTextBackedCell;
    std::u16string AsString() const override;
    void SetAsString(const std::u16string& value) override;
};

}  // namespace ad::grid
