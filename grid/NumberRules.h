// What the number and spin editors decide without a window: which typed keys
// and pasted text reach the edit, the value a text stands for (cleaned,
// limited, the last good value), the text a value is shown as, and where a
// spin step leads. The edit window (SpinEdit.h) asks these rules and applies
// the answers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "grid/Columns.h"
#include "grid/GridTypes.h"

namespace ad::grid {

enum TSpinDirection : int { sdNone = 0, sdUp = 1, sdDown = 2 };

// Virtual key codes the number edit filters on key down.
enum TNumberEditKey : int { nkBack = 0x08, nkClear = 0x0C, nkDelete = 0x2E };

// The upper half of a spin button pair spins up, the lower half down.
TSpinDirection SpinHalfAt(int Y, int Height);

class TNumberEditRules {
public:
    double Max = 0;
    double Min = 0;
    std::u16string NullText;
    TRgNumberEditOptions Options = eoAllowFloat | eoAllowSigns;
    std::u16string TextAfter;
    std::u16string TextBefore;
    // The locale's decimal separator and number rules.
    TFormatSettings Format;
    // The value of the last text that read as a number.
    double LastGood = 0;

    // Decimals shown with eoAllowFloat, kept within 0..18 (0 shows the
    // shortest general form).
    int Precision() const { return precision_; }
    void SetPrecision(int Value);

    bool Has(TRgNumberEditOption option) const { return (Options & option) != 0; }
    // The limits apply when Min or Max is not 0; Max only when it is not below
    // Min (a Min set alone must not send every value to 0 first).
    bool LimitsApply() const { return Max != 0 || Min != 0; }
    bool MaxApplies() const { return LimitsApply() && Max >= Min; }
    double LimitValue(double V) const;

    // The number a text stands for: characters other than digits, signs,
    // backspace and the decimal separator dropped, a second separator
    // dropped (all of them without AllowFloat), a sign kept only as the
    // first character (none without AllowSigns); a lone sign reads 0; the
    // result limited. Empty, or still no number: Min.
    // (TryCleanNumber answers nothing for the latter.)
    std::optional<double> TryCleanNumber(std::u16string_view Text, bool AllowFloat, bool AllowSigns) const;
    double CleanNumberValue(std::u16string_view Text, bool AllowFloat, bool AllowSigns) const;
    // The same as float text.
    std::u16string CleanNumberText(std::u16string_view Text, bool AllowFloat, bool AllowSigns) const;

    // Reading the value of the edit's text; a text that still is no number
    // reads as the last good value. ShowZero: the text was the null
    // text (or both were empty): the edit shows the value 0 again.
    struct TRead {
        double Value = 0;
        bool ShowZero = false;
    };
    TRead ReadValue(std::u16string_view Text);

    // The text of a value: the null text for 0 when there is one; with
    // eoAllowFloat TextBefore + the number + TextAfter (Precision decimals, at
    // most 18 significant digits, or the general form for Precision 0);
    // without it the number with no decimals.
    std::u16string FormatValue(double V) const;

    // Key down: with eoDisableTyping, Backspace, Clear and Delete are
    // swallowed. True when the key reaches the edit.
    bool KeyDownPasses(int Key) const;
    // A typed character against the text and its selection.
    bool KeyPressPasses(char16_t Key, std::u16string_view Text, int SelStart, int SelLength) const;

    // Pasting: the edit's text after the clipboard text replaced the
    // selection (cleaned to a number's text), and the caret.
    struct TPaste {
        bool Done = false;
        std::u16string Text;
        int Caret = 0;
    };
    TPaste Paste(std::u16string_view Clipboard, std::u16string_view Text, int SelStart, int SelLength) const;

    // The value a spin step leads to; none when the step is refused (past
    // Max going up; at 0 without signs or below Min going down).
    std::optional<double> SpinTarget(double Value, TSpinDirection Direction, double Increment) const;

private:
    int precision_ = 2;
};

// Fixed-point text with the locale's separator, at most 18 significant digits.
std::u16string FormatFixed(double Value, int Decimals, const TFormatSettings& fs);

}  // namespace ad::grid
