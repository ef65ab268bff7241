// Typed grid cells: storage and conversions between the five value kinds.
#include "grid/Cell.h"

#include "grid/CellStore.h"

namespace ad::grid {

TCell::TCell(TCells* cells) : Cells(cells) {}

const ITextServices& TCell::Text() const { return Cells ? Cells->TextServices() : DefaultTextServices(); }
const TFormatSettings& TCell::Settings() const { return Text().Settings(); }

TColor TCell::GetPaintColor() {
    if (Cells && Cells->Grid) return Cells->Grid->GetCellPaintColor(col_, row_, *this);
    return Color;
}

TColor TCell::GetTextColor() {
    if (Cells && Cells->Grid) return Cells->Grid->GetCellTextColor(col_, row_, *this);
    return FontColor;
}

void TCell::Changed() {
    if (Cells) Cells->Changed(col_, row_);
}

void TCell::SetAsBoolean(bool) { Changed(); }
void TCell::SetAsDateTime(TDateTime) { Changed(); }
void TCell::SetAsFloat(double) { Changed(); }
void TCell::SetAsInteger(std::int32_t) { Changed(); }
void TCell::SetAsString(const std::u16string&) { Changed(); }
void TCell::Clear() { Changed(); }

void TCell::SetFontStyle(std::uint8_t value) {
    FontStyle = value;
    if (!(State & 2)) Changed();
}

void TCell::SetColor(TColor value) {
    Color = value;
    if (!(State & 2)) Changed();
}

void TCell::SetFontColor(TColor value) {
    FontColor = value;
    if (!(State & 2)) Changed();
}

// --- TStringCell

bool TStringCell::AsBoolean() const { return TextToBool(Value, Settings()); }
TDateTime TStringCell::AsDateTime() const { return Value.empty() ? 0 : TextToDateTime(Value, Settings()); }
double TStringCell::AsFloat() const { return TextToFloat(Value, Settings()); }
std::int32_t TStringCell::AsInteger() const { return TextToInt(Value); }

void TStringCell::SetAsBoolean(bool value) {
    Value = BoolToText(value);
    TCell::SetAsBoolean(value);
}

void TStringCell::SetAsDateTime(TDateTime value) {
    Value = DateTimeToText(value, Settings());
    TCell::SetAsDateTime(value);
}

void TStringCell::SetAsFloat(double value) {
    Value = FloatToText(value, Settings());
    TCell::SetAsFloat(value);
}

void TStringCell::SetAsInteger(std::int32_t value) {
    Value = IntToText(value);
    TCell::SetAsInteger(value);
}

void TStringCell::SetAsString(const std::u16string& value) {
    Value = value;
    TCell::SetAsString(value);
}

void TStringCell::Clear() {
    Value.clear();
    TCell::Clear();
}

// --- TIntegerCell

void TIntegerCell::SetAsBoolean(bool value) {
    Value = value ? 1 : 0;
    TCell::SetAsBoolean(value);
}

void TIntegerCell::SetAsDateTime(TDateTime value) {
    Value = 0;
    TCell::SetAsDateTime(value);
}

void TIntegerCell::SetAsFloat(double value) {
    Value = RoundHalfEven(value);
    TCell::SetAsFloat(value);
}

void TIntegerCell::SetAsInteger(std::int32_t value) {
    Value = value;
    TCell::SetAsInteger(value);
}

void TIntegerCell::SetAsString(const std::u16string& value) {
    Value = value.empty() ? 0 : TextToInt(value);
    TCell::SetAsString(value);
}

void TIntegerCell::Clear() {
    Value = 0;
    TCell::Clear();
}

// --- TRealCell

void TRealCell::SetAsDateTime(TDateTime value) {
    Value = value;
    TCell::SetAsDateTime(value);
}

void TRealCell::SetAsFloat(double value) {
    Value = value;
    TCell::SetAsFloat(value);
}

void TRealCell::SetAsInteger(std::int32_t value) {
    Value = value;
    TCell::SetAsInteger(value);
}

void TRealCell::Clear() {
    Value = 0;
    TCell::Clear();
}

// --- TFloatCell

std::u16string TFloatCell::AsString() const { return FloatToText(Value, Settings()); }

void TFloatCell::SetAsBoolean(bool value) {
    Value = 0;
    TCell::SetAsBoolean(value);
}

void TFloatCell::SetAsString(const std::u16string& value) {
    Value = TextToFloat(value, Settings());
    TCell::SetAsString(value);
}

// --- TDateTimeCell

std::u16string TDateTimeCell::AsString() const { return DateTimeToText(Value, Settings()); }

void TDateTimeCell::SetAsBoolean(bool value) {
    Value = Cells ? Cells->Clock().Today() : DefaultClock().Today();
    TCell::SetAsBoolean(value);
}

void TDateTimeCell::SetAsString(const std::u16string& value) {
    Value = 0;
    if (!value.empty()) {
        try {
            Value = TextToDateTime(value, Settings());
        } catch (const EConvertError&) {
            Value = 0;
        }
    }
    TCell::SetAsString(value);
}

// --- TBooleanCell

void TBooleanCell::SetAsBoolean(bool value) {
    Value = value;
    TCell::SetAsBoolean(value);
}

void TBooleanCell::SetAsDateTime(TDateTime value) {
    Value = false;
    TCell::SetAsDateTime(value);
}

void TBooleanCell::SetAsFloat(double value) {
    Value = value != 0;
    TCell::SetAsFloat(value);
}

void TBooleanCell::SetAsInteger(std::int32_t value) {
    Value = value != 0;
    TCell::SetAsInteger(value);
}

void TBooleanCell::SetAsString(const std::u16string& value) {
    std::u16string lower = value;
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    Value = value == u"1" || lower == u"true";
    TCell::SetAsString(value);
}

void TBooleanCell::Clear() {
    Value = false;
    TCell::Clear();
}

// --- TIncrementCell

double TIncrementCell::AsFloat() const { return Row() + 1.0; }
std::int32_t TIncrementCell::AsInteger() const { return Row() + 1; }
std::u16string TIncrementCell::AsString() const { return IntToText(Row() + 1); }

// --- cells reached through their text

bool TTextBackedCell::AsBoolean() const { return TextToBool(AsString(), Settings()); }

TDateTime TTextBackedCell::AsDateTime() const {
    std::u16string text = AsString();
    return text.empty() ? 0 : TextToDateTime(text, Settings());
}

double TTextBackedCell::AsFloat() const { return TextToFloat(AsString(), Settings()); }
std::int32_t TTextBackedCell::AsInteger() const { return TextToInt(AsString()); }
void TTextBackedCell::SetAsBoolean(bool value) { SetAsString(BoolToText(value)); }
void TTextBackedCell::SetAsDateTime(TDateTime value) { SetAsString(DateTimeToText(value, Settings())); }
void TTextBackedCell::SetAsFloat(double value) { SetAsString(FloatToText(value, Settings())); }
void TTextBackedCell::SetAsInteger(std::int32_t value) { SetAsString(IntToText(value)); }

TGuidCell::TGuidCell(TCells* cells)
    : TTextBackedCell(cells), Value(cells ? cells->GuidSource().NewGuid() : DefaultGuidSource().NewGuid()) {}

void TGuidCell::SetAsString(const std::u16string& value) {
    Value = TextToGuid(value);
    TCell::SetAsString(value);
}

std::u16string TVirtualCell::AsString() const {
    if (!Cells || !Cells->Columns) return {};
    return Cells->Columns->GetVirtualText(Col(), Row());
}

void TVirtualCell::SetAsString(const std::u16string& value) {
    if (Cells && Cells->Columns) Cells->Columns->SetVirtualText(Col(), Row(), value);
    TCell::SetAsString(value);
}

}  // namespace ad::grid
