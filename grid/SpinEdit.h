// The number column's editors: TRgCustomNumberEdit, an in-place edit that
// takes only what a number is typed or pasted with and keeps a limited
// value shown with a precision; and TRgSpinEdit with spin buttons at its
// right edge (repeating while held) and an optional push button at its
// left. What they decide comes from NumberRules.h.
#pragma once

#include <windows.h>

#include <functional>

#include "grid/InplaceEdit.h"
#include "grid/NumberRules.h"
#include "framework/Themes.h"

namespace ad::grid {

class TRgCustomNumberEdit : public TRgEdit {
public:
    explicit TRgCustomNumberEdit(TComponent* AOwner);

    double Max() const { return rules_.Max; }
    void SetMax(double value) { rules_.Max = value; }
    double Min() const { return rules_.Min; }
    void SetMin(double value) { rules_.Min = value; }
    const std::u16string& NullText() const { return rules_.NullText; }
    void SetNullText(const std::u16string& value) { rules_.NullText = value; }
    TRgNumberEditOptions Options() const { return rules_.Options; }
    void SetOptions(TRgNumberEditOptions value) { rules_.Options = value; }
    // Decimals shown with eoAllowFloat (0..18); setting it re-writes the text.
    int Precision() const { return rules_.Precision(); }
    void SetPrecision(int value);
    // Setting either re-writes the text unless eoAllowAll.
    const std::u16string& TextAfter() const { return rules_.TextAfter; }
    void SetTextAfter(const std::u16string& value);
    const std::u16string& TextBefore() const { return rules_.TextBefore; }
    void SetTextBefore(const std::u16string& value);
    char16_t DecimalSeparator() const { return rules_.Format.DecimalSeparator; }
    void SetDecimalSeparator(char16_t value) { rules_.Format.DecimalSeparator = value; }
    // The value of the text (the null text reads 0 and shows it again; a
    // text that is no number reads the last good value); setting it writes
    // the formatted value, unless Preparing.
    double Value();
    void SetValue(double value);
    const TNumberEditRules& Rules() const { return rules_; }
    // Copies Max, Min, NullText, Options, Precision and Value.
    void Assign(const TRgCustomNumberEdit& source);

    double AsFloat() override { return Value(); }
    int AsInteger() override { return TruncToInt(Value()); }
    void SetAsFloat(double value) override;
    void SetAsInteger(int value) override { SetAsFloat(value); }
    void RefreshText() override;

protected:
    void CreateWindowHandle() override;
    void WMKeyDown(TMessage& m) override;
    void WMChar(TMessage& m) override;
    void WMKillFocus(TMessage& m) override;
    void WndProc(TMessage& m) override;
    // Clipboard text goes in as a number's text.
    void Paste();

    TNumberEditRules rules_;
};

class TRgSpinEdit;

// The two spin buttons: Pressed and Hot are 0 (none), 1 (up) or 2 (down).
// Held down, a button spins once, then after 400 ms every 20 ms.
class TRgSpinButtons : public TWinControl {
public:
    TRgSpinButtons(TComponent* AOwner, TRgSpinEdit& edit);
    int Pressed() const { return pressed_; }
    int Hot() const { return hot_; }
    // Keys and the wheel: a direction spins once and starts the delay; 0 stops.
    void SetPressed(int Direction);
    // Timer ids.
    static constexpr UINT_PTR DelayTimer = 1, RepeatTimer = 2;
    static constexpr UINT DelayMs = 400, RepeatMs = 20;

protected:
    bool PaintsItself() const override { return true; }
    void Paint(HDC dc, const RECT& clip) override;
    void WMEraseBkgnd(TMessage& m) override { m.Result = 1; }
    void WMMouseButton(TMessage& m) override;
    void WMMouseMove(TMessage& m) override;
    void WndProc(TMessage& m) override;

private:
    void StopTimers();
    TRgSpinEdit& edit_;
    int pressed_ = 0;
    int hot_ = 0;
    bool tracking_ = false;
};

// The push button at the spin edit's left edge.
class TRgExecuteButton : public TRgSmallButton {
public:
    TRgExecuteButton(TComponent* AOwner, TRgCustomEdit& edit);

protected:
    void Paint(HDC dc, const RECT& clip) override;
    void AfterCreateWnd() override;
    void BeforeDestroyWnd() override;
    void WndProc(TMessage& m) override;

private:
    TRgCustomEdit& edit_;
    TThemeData theme_;
};

enum TSpinButton : unsigned { sbUp = 1, sbDown = 2 };
using TSpinButtonSet = unsigned;

class TRgSpinEdit : public TRgCustomNumberEdit {
public:
    explicit TRgSpinEdit(TComponent* AOwner);

    double Increment = 1;
    bool SpinButtons() const { return spinButtons_; }
    void SetSpinButtons(bool value);
    bool ShowButton() const { return showButton_; }
    void SetShowButton(bool value);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value);
    const std::u16string& ButtonCaption() const { return button_->ButtonCaption(); }
    void SetButtonCaption(const std::u16string& value) { button_->SetButtonCaption(value); }
    std::function<void(TObject* Sender, TSpinButtonSet Buttons)> OnSpin;
    TNotifyEvent OnButtonClick;

    // One step up (1) or down (2), within the limits.
    void Spin(int Direction);
    int AsInteger() override { return RoundHalfEven(Value()); }
    void SetAsFloat(double value) override { SetValue(value); }
    TRgSpinButtons& Buttons() { return *buttons_; }
    TRgExecuteButton& ExecuteButton() { return *button_; }

    void AdjustMargins(int& Left, int& Right) override;
    void PrepareFor(const TRgCustomColumn& Column) override;
    void AfterShow(const TRgCustomColumn& Column) override;

protected:
    void CreateWindowHandle() override;
    void WMSize(TMessage& m) override;
    void WMKeyDown(TMessage& m) override;
    void WMKeyUp(TMessage& m) override;
    void WndProc(TMessage& m) override;

private:
    void PlaceButtons();
    bool KeysSpin() const { return !InPlace && spinButtons_; }
    TRgSpinButtons* buttons_ = nullptr;
    TRgExecuteButton* button_ = nullptr;
    bool spinButtons_ = true;
    bool showButton_ = false;
    int buttonWidth_ = 21;
};

}  // namespace ad::grid
