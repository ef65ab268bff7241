// The grid's in-place edit controls.
#include "grid/InplaceEdit.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>

#include "base/WinText.h"
#include "framework/Handles.h"
#include "framework/SysUtils.h"
#include "grid/Columns.h"
#include "grid/DrawRoutines.h"
#include "grid/GdiCanvas.h"
#include "framework/Themes.h"

namespace ad::grid {

namespace {

// The arrow mirrored, pointing up and to the right: black outline, white
// inside, hot spot at the tip. 32 x 32, one bit per pixel.
HCURSOR MakeReversedArrow() {
    constexpr int size = 32, rowBytes = size / 8;
    BYTE andMask[size * rowBytes], xorMask[size * rowBytes];
    std::fill(std::begin(andMask), std::end(andMask), BYTE(0xFF));
    std::fill(std::begin(xorMask), std::end(xorMask), BYTE(0));
    auto put = [&](int x, int y, bool white) {
        x = size - 1 - x;  // mirrored
        BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
        andMask[y * rowBytes + x / 8] &= static_cast<BYTE>(~bit);
        if (white) xorMask[y * rowBytes + x / 8] |= bit;
    };
    for (int y = 0; y < 17; ++y) {
        // The head: a right triangle of 12 rows; then the tail, 2 pixels wide
        // inside its outline, slanting away from the head.
        int from = 0, to = std::min(y, 11);
        if (y >= 12) {
            from = 4 + (y - 12) / 2;
            to = from + 3;
        }
        for (int x = from; x <= to; ++x) put(x, y, x != from && x != to && y != 11 && y != 16);
    }
    return ::CreateCursor(::GetModuleHandleW(nullptr), size - 1, 0, size, size, andMask, xorMask);
}

}  // namespace

HCURSOR ReversedArrow() {
    static const HCURSOR cursor = [] {
        if (HCURSOR own = ::LoadCursorW(::GetModuleHandleW(nullptr), L"REVERSEDARROW")) return own;
        if (HCURSOR drawn = MakeReversedArrow()) return drawn;
        return ::LoadCursorW(nullptr, IDC_ARROW);
    }();
    return cursor;
}

namespace {
// The colour of a preview's frame.
constexpr COLORREF kPreviewFrame = RGB(128, 128, 128);
}  // namespace

// --- margins -----------------------------------------------------------------

void TRgEditMargins::SetLeft(int value) {
    left_ = value;
    if (OnChange) OnChange();
}

void TRgEditMargins::SetRight(int value) {
    right_ = value;
    if (OnChange) OnChange();
}

// --- info box ----------------------------------------------------------------

TRgEditInfo::TRgEditInfo(TComponent* AOwner, TRgCustomEdit& edit) : TWinControl(AOwner), edit_(edit) {
    visible_ = false;
    SetColor(clWindow);
}

void TRgEditInfo::Paint(HDC dc, const RECT&) {
    RECT client;
    ::GetClientRect(handle_, &client);
    OwnedBrush back(::CreateSolidBrush(ColorToRGB(edit_.EffectiveColor())));
    ::FillRect(dc, &client, back.Get());
    const TBitmap32& glyph = edit_.Glyph();
    int height = client.bottom;
    if (glyph.Width() > 0) {
        TGdiCanvas canvas(dc);
        TMaskProvider::DrawAlphaGraphic(canvas, 0, InfoGlyphTop(height, glyph.Height()), glyph);
    }
    if (!edit_.ShowPreview()) return;
    TRect r = InfoPreviewRect(height, glyph.Width());
    if (edit_.PreviewBorder()) {
        RECT frame = ToRECT(r);
        OwnedBrush grey(::CreateSolidBrush(kPreviewFrame));
        ::FrameRect(dc, &frame, grey.Get());
        r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
    edit_.DrawPreview(dc, r);
}

void TRgEditInfo::WMMouseButton(TMessage& m) {
    TWinControl::WMMouseButton(m);
    if (m.Msg != WM_LBUTTONDOWN) return;
    const TBitmap32& glyph = edit_.Glyph();
    int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    if (x >= 0 && x < glyph.Width() && y >= 0 && y < Height() && edit_.OnGlyphClick)
        edit_.OnGlyphClick(&edit_);
}

// --- the edit ----------------------------------------------------------------

TRgCustomEdit::TRgCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    SetBounds(0, 0, 121, 20);
    SetColor(clWindow);
    SetTabStop(true);
    EditMargins.OnChange = [this] { RecreateKeeping(); };
    info_ = new TRgEditInfo(this, *this);
    info_->SetParent(this);
}

TRgCustomEdit::~TRgCustomEdit() { GridEvents = TGridEditorEvents{}; }

void TRgCustomEdit::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    p.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_CLIPCHILDREN;
    p.Style &= ~static_cast<DWORD>(ES_LEFT | ES_RIGHT | ES_CENTER);
    p.Style |= alignment_ == taRightJustify ? ES_RIGHT : alignment_ == taCenter ? ES_CENTER : ES_LEFT;
    if (!hasBorder_) p.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    if (biDiMode_) p.ExStyle |= WS_EX_RTLREADING;
}

void TRgCustomEdit::CreateWindowHandle() {
    TCustomEdit::CreateWindowHandle();
    ApplyMargins();
    PlaceInfoBox();
}

void TRgCustomEdit::RecreateKeeping() {
    if (!handle_) return;
    auto [start, length] = Selection();
    bool focused = ::GetFocus() == handle_;
    RecreateWnd();
    ::SendMessageW(handle_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
    if (focused) ::SetFocus(handle_);
}

std::pair<int, int> TRgCustomEdit::Selection() const {
    if (!handle_) return {0, 0};
    DWORD start = 0, end = 0;
    ::SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end - start)};
}

void TRgCustomEdit::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    RecreateKeeping();
}

void TRgCustomEdit::SetGlyph(const TBitmap32& value) {
    glyph_ = (value.Width() <= 0) ? TBitmap32() : ClearedByCorner(value);
    ApplyMargins();
    RecreateKeeping();
}

void TRgCustomEdit::SetPreviewBorder(bool value) {
    previewBorder_ = value;
    info_->Invalidate();
}

void TRgCustomEdit::SetShowPreview(bool value) {
    showPreview_ = value;
    ApplyMargins();
    PlaceInfoBox();
    Invalidate();
    info_->Invalidate();
}

void TRgCustomEdit::SetBorderWidth(int value) {
    borderWidth_ = std::max(value, 0);
    if (handle_)
        ::SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TRgCustomEdit::AdjustMargins(int& Left, int& Right) {
    AdjustEditMargins(Left, Right, showPreview_, glyph_.Width());
}

void TRgCustomEdit::ApplyMargins() {
    if (!handle_) return;
    int left = EditMargins.Left(), right = EditMargins.Right();
    AdjustMargins(left, right);
    ::SendMessageW(handle_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(left, right));
}

void TRgCustomEdit::PlaceInfoBox() {
    if (!handle_) return;
    int glyph = glyph_.Width();
    RECT client;
    ::GetClientRect(handle_, &client);
    info_->SetBounds(0, 0, InfoBoxWidth(showPreview_, glyph), client.bottom);
    info_->SetVisible(InfoBoxShown(showPreview_, glyph));
}

int TRgCustomEdit::InfoBoxRight() { return info_->HandleAllocated() && ::IsWindowVisible(info_->Handle()) ? info_->Width() : 0; }

TRect TRgCustomEdit::GetPreviewRect() {
    RECT client = ClientRect();
    return EditPreviewRect(FromRECT(client), glyph_.Width());
}

void TRgCustomEdit::DrawPreview(HDC dc, const TRect& rect) {
    if (OnCustomPreviewDraw) OnCustomPreviewDraw(this, dc, rect);
}

void TRgCustomEdit::SetEnabled(bool enabled) {
    TCustomEdit::SetEnabled(enabled);
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* c = dynamic_cast<TWinControl*>(Components(i))) c->SetEnabled(enabled);
}

void TRgCustomEdit::FontChanged() {
    TCustomEdit::FontChanged();
    ApplyMargins();
}

// --- typed text ----------------------------------------------------------------

bool TRgCustomEdit::AsBoolean() { return EditTextAsBoolean(GetAsString(), DefaultTextServices().Settings()); }
TDateTime TRgCustomEdit::AsDateTime() { return EditTextAsDateTime(GetAsString(), DefaultTextServices().Settings()); }
double TRgCustomEdit::AsFloat() { return EditTextAsFloat(GetAsString(), DefaultTextServices().Settings()); }
int TRgCustomEdit::AsInteger() { return EditTextAsInteger(GetAsString()); }
void TRgCustomEdit::SetAsBoolean(bool value) { SetAsString(BoolToText(value)); }
void TRgCustomEdit::SetAsDateTime(TDateTime value) {
    SetAsString(DateTimeToText(value, DefaultTextServices().Settings()));
}
void TRgCustomEdit::SetAsFloat(double value) { SetAsString(FloatToText(value, DefaultTextServices().Settings())); }
void TRgCustomEdit::SetAsInteger(int value) { SetAsString(IntToText(value)); }

std::u16string TRgCustomEdit::GetAsString() const { return ToU16String(const_cast<TRgCustomEdit*>(this)->WideText()); }

void TRgCustomEdit::SetAsString(const std::u16string& Value) { SetWideText(ToWString(Value)); }

// --- the grid's editor ---------------------------------------------------------

void TRgCustomEdit::AttachToGrid(bool wantTabs, bool biDiMode) {
    OnChange = nullptr;
    SetAsString(std::u16string());
    WantTabs = wantTabs;
    if (biDiMode != biDiMode_) {
        biDiMode_ = biDiMode;
        RecreateKeeping();
    }
}

void TRgCustomEdit::PrepareFor(const TRgCustomColumn& Column) {
    InPlace = true;
    SetAlignment(Column.Alignment());
    if (hasBorder_) {
        hasBorder_ = false;
        RecreateKeeping();
    }
    SetBorderWidth(0);
    if (EditMargins.Left() != 1) EditMargins.SetLeft(1);
}

void TRgCustomEdit::SetLooks(TColor color, const FontSpec& font) {
    SetColor(color);
    TFont& f = Font();
    f.SetName(Utf16ToAnsi(font.Name));
    f.SetHeight(font.Height);
    f.SetStyle(font.Style);
    f.SetColor(font.Color);
}

void TRgCustomEdit::PlaceAt(const TRect& r) {
    Handle();
    ::ShowWindow(handle_, SW_HIDE);
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
    visible_ = true;
    ::ShowWindow(handle_, SW_SHOWNA);
    ::SetFocus(handle_);
    ::InvalidateRect(handle_, nullptr, TRUE);
    ::UpdateWindow(handle_);
}

void TRgCustomEdit::HideEditor() { Hide(); }

bool TRgCustomEdit::EditorVisible() const { return handle_ && ::IsWindowVisible(handle_); }

void TRgCustomEdit::CaretToEnd() {
    if (!handle_) return;
    int n = ::GetWindowTextLengthW(handle_);
    ::SendMessageW(handle_, EM_SETSEL, static_cast<WPARAM>(n), n);
}

void TRgCustomEdit::TypeChar(char16_t Key) { ::SendMessageW(Handle(), WM_CHAR, Key, 1); }

void TRgCustomEdit::DetachFromGrid() { GridEvents = TGridEditorEvents{}; }

// --- messages ------------------------------------------------------------------

bool TRgCustomEdit::CNCommand(WORD code) {
    if (code != EN_CHANGE) return false;
    Changed();
    return true;
}

void TRgCustomEdit::Changed() {
    if (OnChange) OnChange(this);
    if (GridEvents.Change) GridEvents.Change();
}

bool TRgCustomEdit::ArrowUnused(int key) const {
    if (key == VK_UP || key == VK_DOWN) return true;
    auto [start, length] = Selection();
    if (length != 0) return false;
    if (key == VK_LEFT) return start == 0;
    return key == VK_RIGHT && start == ::GetWindowTextLengthW(handle_);
}

void TRgCustomEdit::WMKeyDown(TMessage& m) {
    if (GridEvents.KeyDown) {
        int key = static_cast<int>(m.WParam);
        // The grid's gsShift and gsCtrl share the framework's bits; Alt is not passed.
        unsigned shift = KeyboardShiftState() & (ssShift | ssCtrl);
        bool arrow = key >= VK_LEFT && key <= VK_DOWN;
        GridEvents.KeyDown(key, shift, arrow && ArrowUnused(key));
        if (key == 0) {
            m.Result = 0;
            return;
        }
    }
    TCustomEdit::WMKeyDown(m);
}

void TRgCustomEdit::WMKeyUp(TMessage& m) {
    if (GridEvents.KeyUp) {
        int key = static_cast<int>(m.WParam);
        GridEvents.KeyUp(key, 0);
    }
    TCustomEdit::WMKeyUp(m);
}

void TRgCustomEdit::WMChar(TMessage& m) {
    // Enter, Esc and Tab were handled on key down; a single-line edit would
    // only beep at them.
    if (InPlace && (m.WParam == VK_RETURN || m.WParam == VK_ESCAPE || (m.WParam == VK_TAB && !WantTabs))) {
        m.Result = 0;
        return;
    }
    if (GridEvents.KeyPress) {
        char16_t key = static_cast<char16_t>(m.WParam);
        GridEvents.KeyPress(key);
    }
    TCustomEdit::WMChar(m);
}

void TRgCustomEdit::WMSetFocus(TMessage& m) {
    TCustomEdit::WMSetFocus(m);
    if (info_->Visible()) info_->Invalidate();
    if (GridEvents.Enter) GridEvents.Enter();
}

void TRgCustomEdit::WMKillFocus(TMessage& m) {
    TCustomEdit::WMKillFocus(m);
    if (info_->Visible()) info_->Invalidate();
    if (GridEvents.Exit) {
        HWND to = reinterpret_cast<HWND>(m.WParam);
        HWND grid = ::GetParent(handle_);
        GridEvents.Exit(to && grid && (to == grid || ::IsChild(grid, to)));
    }
}

void TRgCustomEdit::WMSize(TMessage& m) {
    TCustomEdit::WMSize(m);
    ApplyMargins();
    PlaceInfoBox();
}

void TRgCustomEdit::WMMove(TMessage& m) {
    TCustomEdit::WMMove(m);
    if (Destroying()) return;
    Invalidate();
    PlaceInfoBox();
    info_->Invalidate();
}

void TRgCustomEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_GETDLGCODE: {
            DefaultHandler(m);
            m.Result |= DLGC_WANTARROWS;
            if (WantTabs) m.Result |= DLGC_WANTTAB;
            else m.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
            // Over a grid cell, Enter and Esc end the edit, not the dialog.
            auto* msg = reinterpret_cast<MSG*>(m.LParam);
            if (InPlace && msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
                m.Result |= DLGC_WANTALLKEYS;
            return;
        }
        case WM_NCCALCSIZE:
            DefaultHandler(m);
            if (borderWidth_ > 0 && m.LParam) {
                RECT* client = reinterpret_cast<RECT*>(m.LParam);
                ::InflateRect(client, -borderWidth_, -borderWidth_);
            }
            return;
        case WM_NCPAINT:
            DefaultHandler(m);
            if (hasBorder_ && IsThemed()) {
                // The themed border over the window's frame, the inside left alone.
                WindowDC dc(handle_, WindowDC::WholeWindow{});
                RECT r;
                ::GetWindowRect(handle_, &r);
                ::OffsetRect(&r, -r.left, -r.top);
                ::ExcludeClipRect(dc.Get(), 2, 2, r.right - 2, r.bottom - 2);
                ThemeLibrary().DrawThemePart(handle_, dc.Get(), FromRECT(r), 0, 1, L"edit");
            }
            return;
        default: break;
    }
    TCustomEdit::WndProc(m);
}

// --- TRgEdit ---------------------------------------------------------------------

void TRgEdit::PrepareFor(const TRgCustomColumn& Column) {
    TRgCustomEdit::PrepareFor(Column);
    if (const auto* text = dynamic_cast<const TRgTextColumn*>(&Column)) {
        SetMaxLength(text->MaxLength);
        if (handle_) ::SendMessageW(handle_, EM_SETPASSWORDCHAR, text->PasswordChar(), 0);
    }
}

void TRgEdit::WMMouseButton(TMessage& m) {
    TRgCustomEdit::WMMouseButton(m);
    if (m.Msg == WM_LBUTTONDOWN && GET_X_LPARAM(m.LParam) <= InfoBoxRight() + 2) TRgCustomEdit::SelectAll();
}

void TRgEdit::WndProc(TMessage& m) {
    if (m.Msg == WM_NCPAINT && BorderWidth() > 0) {
        TRgCustomEdit::WndProc(m);
        // Rings in the edit's colour from just inside the border inwards.
        WindowDC dc(handle_, WindowDC::WholeWindow{});
        RECT r;
        ::GetWindowRect(handle_, &r);
        ::OffsetRect(&r, -r.left, -r.top);
        int start = hasBorder_ ? 1 : -1;
        ::InflateRect(&r, -start, -start);
        OwnedBrush brush(::CreateSolidBrush(ColorToRGB(EffectiveColor())));
        for (int i = 0; i < BorderWidth(); ++i) {
            ::InflateRect(&r, -1, -1);
            ::FrameRect(dc.Get(), &r, brush.Get());
        }
        return;
    }
    if (m.Msg == WM_SETCURSOR && LOWORD(m.LParam) == HTCLIENT) {
        POINT p;
        ::GetCursorPos(&p);
        ::ScreenToClient(handle_, &p);
        if (p.x <= InfoBoxRight() + 2) {
            ::SetCursor(ReversedArrow());
            m.Result = TRUE;
            return;
        }
    }
    TRgCustomEdit::WndProc(m);
}

// --- TRgSmallButton ----------------------------------------------------------------

TRgSmallButton::TRgSmallButton(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(false); }

void TRgSmallButton::SetButtonCaption(const std::u16string& value) {
    caption_ = value;
    Invalidate();
}

void TRgSmallButton::WMMouseButton(TMessage& m) {
    if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
        if (OwnerEdit && OwnerEdit->Showing() && OwnerEdit->CanFocus()) OwnerEdit->SetFocus();
        down_ = true;
        ::SetCapture(handle_);
        Invalidate();
        if (OnPress) OnPress(this);
        m.Result = 0;
        return;
    }
    if (m.Msg == WM_LBUTTONUP && down_) {
        down_ = false;
        if (::GetCapture() == handle_) ::ReleaseCapture();
        Invalidate();
        Click();
        m.Result = 0;
        return;
    }
    TWinControl::WMMouseButton(m);
}

void TRgSmallButton::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_MOUSEMOVE:
            if (!tracking_) {
                TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, handle_, 0};
                tracking_ = ::TrackMouseEvent(&tme) != FALSE;
                hot_ = true;
                Invalidate();
            }
            break;
        case WM_MOUSELEAVE:
            tracking_ = false;
            hot_ = false;
            Invalidate();
            m.Result = 0;
            return;
        default: break;
    }
    TWinControl::WndProc(m);
}

}  // namespace ad::grid
