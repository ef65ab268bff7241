// The number and spin editors.
#include "grid/SpinEdit.h"

#include <windowsx.h>

#include "framework/Handles.h"
#include "grid/Columns.h"
#include "grid/DrawRoutines.h"
#include "grid/GdiCanvas.h"

namespace ad::grid {

namespace {

// The clipboard's text; empty when it holds none or cannot be opened.
std::u16string ClipboardText(HWND owner) {
    std::u16string text;
    if (!::OpenClipboard(owner)) return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(::GlobalLock(data))) {
            size_t limit = ::GlobalSize(data) / sizeof(wchar_t), n = 0;
            while (n < limit && p[n]) ++n;
            text.assign(p, p + n);
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

}  // namespace

// --- number edit ---------------------------------------------------------------

TRgCustomNumberEdit::TRgCustomNumberEdit(TComponent* AOwner) : TRgEdit(AOwner) {
    rules_.Format.DecimalSeparator = DefaultTextServices().Settings().DecimalSeparator;
}

void TRgCustomNumberEdit::SetPrecision(int value) {
    rules_.SetPrecision(value);
    SetValue(Value());
}

void TRgCustomNumberEdit::SetTextAfter(const std::u16string& value) {
    rules_.TextAfter = value;
    if (!rules_.Has(eoAllowAll)) SetValue(Value());
}

void TRgCustomNumberEdit::SetTextBefore(const std::u16string& value) {
    rules_.TextBefore = value;
    if (!rules_.Has(eoAllowAll)) SetValue(Value());
}

double TRgCustomNumberEdit::Value() {
    TNumberEditRules::TRead read = rules_.ReadValue(GetAsString());
    if (read.ShowZero) SetValue(0);
    return read.Value;
}

void TRgCustomNumberEdit::SetValue(double value) {
    if (Preparing) return;
    std::u16string text = rules_.FormatValue(value);
    if (text != GetAsString()) SetAsString(text);
}

void TRgCustomNumberEdit::SetAsFloat(double value) {
    TRgEdit::SetAsFloat(value);
    SetValue(Value());
}

void TRgCustomNumberEdit::Assign(const TRgCustomNumberEdit& source) {
    rules_.Max = source.rules_.Max;
    rules_.Min = source.rules_.Min;
    rules_.NullText = source.rules_.NullText;
    rules_.Options = source.rules_.Options;
    rules_.SetPrecision(source.rules_.Precision());
    SetValue(const_cast<TRgCustomNumberEdit&>(source).Value());
}

void TRgCustomNumberEdit::RefreshText() {
    if (!rules_.Has(eoAllowAll)) SetValue(Value());
}

void TRgCustomNumberEdit::CreateWindowHandle() {
    TRgEdit::CreateWindowHandle();
    if (!Preparing && !rules_.Has(eoAllowAll)) SetValue(Value());
}

void TRgCustomNumberEdit::WMKeyDown(TMessage& m) {
    if (!rules_.KeyDownPasses(static_cast<int>(m.WParam))) {
        m.Result = 0;
        return;
    }
    TRgEdit::WMKeyDown(m);
}

void TRgCustomNumberEdit::WMChar(TMessage& m) {
    auto [start, length] = Selection();
    if (!rules_.KeyPressPasses(static_cast<char16_t>(m.WParam), GetAsString(), start, length)) {
        m.Result = 0;
        return;
    }
    TRgEdit::WMChar(m);
}

void TRgCustomNumberEdit::WMKillFocus(TMessage& m) {
    RefreshText();
    TRgEdit::WMKillFocus(m);
}

void TRgCustomNumberEdit::Paste() {
    auto [start, length] = Selection();
    TNumberEditRules::TPaste paste = rules_.Paste(ClipboardText(handle_), GetAsString(), start, length);
    if (!paste.Done) return;
    SetAsString(paste.Text);
    ::SendMessageW(handle_, EM_SETSEL, static_cast<WPARAM>(paste.Caret), paste.Caret);
}

void TRgCustomNumberEdit::WndProc(TMessage& m) {
    if (m.Msg == WM_PASTE) {
        Paste();
        m.Result = 0;
        return;
    }
    TRgEdit::WndProc(m);
}

// --- spin buttons -----------------------------------------------------------------

TRgSpinButtons::TRgSpinButtons(TComponent* AOwner, TRgSpinEdit& edit) : TWinControl(AOwner), edit_(edit) {
    SetTabStop(false);
}

void TRgSpinButtons::StopTimers() {
    if (!handle_) return;
    ::KillTimer(handle_, DelayTimer);
    ::KillTimer(handle_, RepeatTimer);
}

void TRgSpinButtons::SetPressed(int Direction) {
    pressed_ = Direction;
    Invalidate();
    if (Direction == 0) {
        StopTimers();
        return;
    }
    edit_.Spin(Direction);
    if (handle_) ::SetTimer(handle_, DelayTimer, DelayMs, nullptr);
}

void TRgSpinButtons::WMMouseButton(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            ::SetCapture(handle_);
            SetPressed(SpinHalfAt(GET_Y_LPARAM(m.LParam), ClientHeight()));
            m.Result = 0;
            return;
        case WM_LBUTTONUP:
            if (::GetCapture() == handle_) ::ReleaseCapture();
            SetPressed(0);
            m.Result = 0;
            return;
        default: TWinControl::WMMouseButton(m);
    }
}

void TRgSpinButtons::WMMouseMove(TMessage& m) {
    int hot = SpinHalfAt(GET_Y_LPARAM(m.LParam), ClientHeight());
    if (hot != hot_) {
        hot_ = hot;
        Invalidate();
    }
    TWinControl::WMMouseMove(m);
}

void TRgSpinButtons::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_TIMER:
            if (m.WParam == DelayTimer) {
                ::KillTimer(handle_, DelayTimer);
                ::SetTimer(handle_, RepeatTimer, RepeatMs, nullptr);
            } else if (m.WParam == RepeatTimer && pressed_ != 0) {
                edit_.Spin(pressed_);
            }
            m.Result = 0;
            return;
        case CM_MOUSELEAVE:
            hot_ = 0;
            Invalidate();
            m.Result = 0;
            return;
        case WM_CANCELMODE:
        case WM_CAPTURECHANGED:
            if (pressed_ != 0 && m.Msg == WM_CANCELMODE) SetPressed(0);
            break;
        default: break;
    }
    TWinControl::WndProc(m);
}

void TRgSpinButtons::Paint(HDC dc, const RECT&) {
    RECT client;
    ::GetClientRect(handle_, &client);
    RECT up{0, 0, client.right, client.bottom / 2}, down{0, client.bottom / 2, client.right, client.bottom};
    bool enabled = edit_.Enabled();
    auto state = [&](int half) { return !enabled ? 4 : pressed_ == half ? 3 : hot_ == half ? 2 : 1; };
    if (IsThemed() && ThemeLibrary().DrawThemePart(handle_, dc, FromRECT(up), state(1), 1, L"spin") &&
        ThemeLibrary().DrawThemePart(handle_, dc, FromRECT(down), state(2), 2, L"spin"))
        return;
    UINT inactive = enabled ? 0 : DFCS_INACTIVE;
    ::DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP | DFCS_ADJUSTRECT | inactive | (pressed_ == 1 ? DFCS_PUSHED : 0));
    ::DrawFrameControl(dc, &down, DFC_SCROLL,
                       DFCS_SCROLLDOWN | DFCS_ADJUSTRECT | inactive | (pressed_ == 2 ? DFCS_PUSHED : 0));
}

// --- execute button ------------------------------------------------------------------

TRgExecuteButton::TRgExecuteButton(TComponent* AOwner, TRgCustomEdit& edit) : TRgSmallButton(AOwner), edit_(edit) {
    OwnerEdit = &edit;
    SetBounds(0, 0, 21, 20);
}

void TRgExecuteButton::AfterCreateWnd() {
    TRgSmallButton::AfterCreateWnd();
    theme_.Open(handle_, L"button");
}

void TRgExecuteButton::BeforeDestroyWnd() {
    theme_.Close();
    TRgSmallButton::BeforeDestroyWnd();
}

void TRgExecuteButton::WndProc(TMessage& m) {
    if (m.Msg == WM_THEMECHANGED) {
        theme_.Open(handle_, L"button");
        Invalidate();
    }
    TRgSmallButton::WndProc(m);
}

void TRgExecuteButton::Paint(HDC dc, const RECT&) {
    RECT r;
    ::GetClientRect(handle_, &r);
    bool enabled = edit_.Enabled();
    if (theme_.Get()) {
        OwnedBrush back(::CreateSolidBrush(ColorToRGB(EffectiveColor())));
        ::FillRect(dc, &r, back.Get());
        theme_.Draw(dc, 1, !enabled ? 4 : down_ ? 3 : hot_ ? 2 : 1, r);
    } else if (down_) {
        OwnedBrush face(::CreateSolidBrush(ColorToRGB(clBtnFace)));
        OwnedBrush shadow(::CreateSolidBrush(ColorToRGB(clBtnShadow)));
        ::FillRect(dc, &r, face.Get());
        ::FrameRect(dc, &r, shadow.Get());
    } else {
        ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (enabled ? 0 : DFCS_INACTIVE));
    }
    TGdiCanvas canvas(dc);
    SelectObjectScope font(dc, edit_.Font().Handle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    TGraphicsProvider::DrawTextAligned(canvas, FromRECT(r), false, ButtonCaption(), taCenter);
}

// --- spin edit ---------------------------------------------------------------------------

TRgSpinEdit::TRgSpinEdit(TComponent* AOwner) : TRgCustomNumberEdit(AOwner) {
    rules_.SetPrecision(0);
    buttons_ = new TRgSpinButtons(this, *this);
    buttons_->SetParent(this);
    button_ = new TRgExecuteButton(this, *this);
    button_->SetVisible(false);
    button_->SetParent(this);
    button_->OnClick = [this](TObject*) {
        if (OnButtonClick) OnButtonClick(this);
    };
}

void TRgSpinEdit::Spin(int Direction) {
    if (ReadOnly()) return;
    if (handle_ && ::GetFocus() != handle_ && Showing() && CanFocus()) SetFocus();
    std::optional<double> target = rules_.SpinTarget(Value(), static_cast<TSpinDirection>(Direction), Increment);
    if (!target) return;
    SetValue(*target);
    CaretToEnd();
    if (OnSpin) OnSpin(this, Direction == sdUp ? sbUp : sbDown);
    if (handle_) ::SendMessageW(handle_, EM_SETMODIFY, TRUE, 0);
}

void TRgSpinEdit::SetSpinButtons(bool value) {
    spinButtons_ = value;
    buttons_->SetVisible(value);
    ApplyMargins();
    PlaceButtons();
}

void TRgSpinEdit::SetShowButton(bool value) {
    showButton_ = value;
    button_->SetVisible(value);
    ApplyMargins();
    PlaceButtons();
}

void TRgSpinEdit::SetButtonWidth(int value) {
    buttonWidth_ = value;
    ApplyMargins();
    PlaceButtons();
}

void TRgSpinEdit::AdjustMargins(int& Left, int& Right) {
    TRgCustomNumberEdit::AdjustMargins(Left, Right);
    if (spinButtons_) Right += ::GetSystemMetrics(SM_CXVSCROLL);
    if (showButton_) Left += buttonWidth_;
}

void TRgSpinEdit::PlaceButtons() {
    if (!handle_) return;
    RECT client;
    ::GetClientRect(handle_, &client);
    int width = ::GetSystemMetrics(SM_CXVSCROLL);
    int top = hasBorder_ ? 1 : 0;
    int height = client.bottom - 1 + (hasBorder_ ? 0 : 1);
    buttons_->SetBounds(client.right - width, top, width, height);
    button_->SetBounds(0, 0, buttonWidth_, client.bottom);
}

void TRgSpinEdit::CreateWindowHandle() {
    TRgCustomNumberEdit::CreateWindowHandle();
    PlaceButtons();
}

void TRgSpinEdit::WMSize(TMessage& m) {
    TRgCustomNumberEdit::WMSize(m);
    PlaceButtons();
}

void TRgSpinEdit::WMKeyDown(TMessage& m) {
    if (KeysSpin() && (m.WParam == VK_UP || m.WParam == VK_DOWN)) {
        buttons_->SetPressed(m.WParam == VK_UP ? sdUp : sdDown);
        m.Result = 0;
        return;
    }
    TRgCustomNumberEdit::WMKeyDown(m);
}

void TRgSpinEdit::WMKeyUp(TMessage& m) {
    if (KeysSpin()) buttons_->SetPressed(0);
    TRgCustomNumberEdit::WMKeyUp(m);
}

void TRgSpinEdit::WndProc(TMessage& m) {
    if (m.Msg == WM_MOUSEWHEEL && KeysSpin()) {
        short delta = GET_WHEEL_DELTA_WPARAM(m.WParam);
        if (delta != 0) {
            buttons_->SetPressed(delta < 0 ? sdDown : sdUp);
            buttons_->SetPressed(0);
        }
        m.Result = 0;
        return;
    }
    TRgCustomNumberEdit::WndProc(m);
}

void TRgSpinEdit::PrepareFor(const TRgCustomColumn& Column) {
    Preparing = true;
    TRgCustomNumberEdit::PrepareFor(Column);
    if (const auto* number = dynamic_cast<const TRgCustomNumberColumn*>(&Column)) {
        rules_.Options = number->EditOptions;
        rules_.Max = number->Max;
        rules_.Min = number->Min;
        rules_.Format.DecimalSeparator = number->DecimalSeparator;
    }
    if (const auto* number = dynamic_cast<const TRgNumberColumn*>(&Column)) {
        SetButtonCaption(number->ButtonCaption);
        Increment = number->Increment;
        SetShowButton(number->ShowButton);
        SetSpinButtons(number->SpinButtons);
        auto* column = const_cast<TRgNumberColumn*>(number);
        OnButtonClick = [column](TObject*) {
            if (column->OnButtonClick) column->OnButtonClick(column);
        };
    }
    Preparing = false;
}

void TRgSpinEdit::AfterShow(const TRgCustomColumn& Column) {
    if (const auto* number = dynamic_cast<const TRgNumberColumn*>(&Column)) SetPrecision(number->Precision);
}

}  // namespace ad::grid
