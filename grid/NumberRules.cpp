// The number editors' rules.
#include "grid/NumberRules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "grid/CellConvert.h"

namespace ad::grid {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsSign(char16_t c) { return c == u'+' || c == u'-'; }

bool Contains(std::u16string_view text, char16_t c) { return text.find(c) != std::u16string_view::npos; }

std::u16string_view Slice(std::u16string_view text, int start, int length) {
    size_t s = static_cast<size_t>(std::clamp(start, 0, static_cast<int>(text.size())));
    size_t n = static_cast<size_t>(std::max(length, 0));
    return text.substr(s, n);
}

}  // namespace

TSpinDirection SpinHalfAt(int Y, int Height) { return Y < Height / 2 ? sdUp : sdDown; }

void TNumberEditRules::SetPrecision(int Value) { precision_ = std::clamp(Value, 0, 18); }

double TNumberEditRules::LimitValue(double V) const {
    if (!LimitsApply()) return V;
    if (MaxApplies() && V > Max) V = Max;
    if (V < Min) V = Min;
    return V;
}

std::optional<double> TNumberEditRules::TryCleanNumber(std::u16string_view Text, bool AllowFloat, bool AllowSigns) const {
    const char16_t separator = Format.DecimalSeparator;
    std::u16string kept;
    bool separatorKept = false;
    for (size_t i = 0; i < Text.size(); ++i) {
        char16_t c = Text[i];
        if (c == separator) {
            if (!AllowFloat || separatorKept) continue;
            separatorKept = true;
        } else if (IsSign(c)) {
            if (!AllowSigns || i != 0) continue;
        } else if (!IsDigit(c) && c != u'\b') {
            continue;
        }
        kept.push_back(c);
    }
    if (kept == u"-" || kept == u"+") kept = u"0";
    if (kept.empty()) return Min;
    try {
        return LimitValue(TextToFloat(kept, Format));
    } catch (const EConvertError&) {
        // A backspace, a lone separator or a sign with one: no number at all.
        return std::nullopt;
    }
}

double TNumberEditRules::CleanNumberValue(std::u16string_view Text, bool AllowFloat, bool AllowSigns) const {
    return TryCleanNumber(Text, AllowFloat, AllowSigns).value_or(Min);
}

std::u16string TNumberEditRules::CleanNumberText(std::u16string_view Text, bool AllowFloat, bool AllowSigns) const {
    return FloatToText(CleanNumberValue(Text, AllowFloat, AllowSigns), Format);
}

TNumberEditRules::TRead TNumberEditRules::ReadValue(std::u16string_view Text) {
    if (Text == NullText) return TRead{0, true};
    if (Text.empty()) return TRead{Min, false};
    std::optional<double> v = TryCleanNumber(Text, Has(eoAllowFloat), Has(eoAllowSigns));
    if (!v) return TRead{LastGood, false};
    LastGood = *v;
    return TRead{*v, false};
}

std::u16string FormatFixed(double Value, int Decimals, const TFormatSettings& fs) {
    if (!std::isfinite(Value)) return FloatToText(Value, fs);
    // Digits before the point (none below 1) and after it: 18 at most.
    int whole = std::fabs(Value) < 1 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(Value)))) + 1;
    Decimals = std::clamp(Decimals, 0, std::max(0, 18 - whole));
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", Decimals, Value);
    std::u16string out;
    for (const char* p = buffer; *p; ++p) out.push_back(*p == '.' ? fs.DecimalSeparator : static_cast<char16_t>(*p));
    if (out == u"-0") out = u"0";
    return out;
}

std::u16string TNumberEditRules::FormatValue(double V) const {
    if (V == 0 && !NullText.empty()) return NullText;
    if (!Has(eoAllowFloat)) return FormatFixed(V, 0, Format);
    std::u16string number = precision_ <= 0 ? FloatToText(V, Format) : FormatFixed(V, precision_, Format);
    return TextBefore + number + TextAfter;
}

bool TNumberEditRules::KeyDownPasses(int Key) const {
    if (!Has(eoDisableTyping)) return true;
    return Key != nkBack && Key != nkClear && Key != nkDelete;
}

bool TNumberEditRules::KeyPressPasses(char16_t Key, std::u16string_view Text, int SelStart, int SelLength) const {
    if (Has(eoDisableTyping)) return false;
    if (Has(eoAllowAll)) return true;
    // Ctrl+C, Tab, Ctrl+V, Ctrl+X.
    if (Key == 3 || Key == 9 || Key == 22 || Key == 24) return true;
    const char16_t separator = Format.DecimalSeparator;
    std::u16string_view selection = Slice(Text, SelStart, SelLength);
    if (Key == separator)
        return Has(eoAllowFloat) && (!Contains(Text, separator) || Contains(selection, separator));
    if (IsSign(Key)) {
        if (!Has(eoAllowSigns)) return false;
        bool signInText = Contains(Text, u'+') || Contains(Text, u'-');
        bool signInSelection = Contains(selection, u'+') || Contains(selection, u'-');
        return (SelStart == 0 && !signInText) || signInSelection;
    }
    return IsDigit(Key) || Key == 1 || Key == 8 || Key == 13;
}

TNumberEditRules::TPaste TNumberEditRules::Paste(std::u16string_view Clipboard, std::u16string_view Text, int SelStart,
                                                 int SelLength) const {
    if (Has(eoDisablePaste)) return {};
    int size = static_cast<int>(Text.size());
    SelStart = std::clamp(SelStart, 0, size);
    SelLength = std::clamp(SelLength, 0, size - SelStart);
    std::u16string outside = std::u16string(Text.substr(0, static_cast<size_t>(SelStart))) +
                             std::u16string(Text.substr(static_cast<size_t>(SelStart + SelLength)));
    bool allowFloat = Has(eoAllowFloat) && !Contains(outside, Format.DecimalSeparator);
    bool allowSigns = Has(eoAllowSigns) && SelStart == 0;
    std::u16string cleaned = CleanNumberText(Clipboard, allowFloat, allowSigns);
    TPaste out;
    out.Done = true;
    out.Text = std::u16string(Text.substr(0, static_cast<size_t>(SelStart))) + cleaned +
               std::u16string(Text.substr(static_cast<size_t>(SelStart + SelLength)));
    out.Caret = SelStart;
    return out;
}

std::optional<double> TNumberEditRules::SpinTarget(double Value, TSpinDirection Direction, double Increment) const {
    if (Direction == sdUp) {
        if (MaxApplies() && Value + Increment > Max) return std::nullopt;
        return Value + Increment;
    }
    if (Direction == sdDown) {
        if (Value == 0 && !Has(eoAllowSigns)) return std::nullopt;
        if (LimitsApply() && Value - Increment < Min) return std::nullopt;
        return Value - Increment;
    }
    return std::nullopt;
}

}  // namespace ad::grid
