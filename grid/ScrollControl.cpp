// The grid's windowed scroll base, its roll marker and the flyout base.
#include "grid/ScrollControl.h"

#include <windowsx.h>

#include "framework/Forms.h"
#include "framework/Handles.h"
#include "grid/GdiCanvas.h"

namespace ad::grid {

namespace {
int SystemBarId(int systemBar) { return systemBar == 0 ? SB_HORZ : SB_VERT; }
}  // namespace

HCURSOR RollCursor(int Cursor) {
    const wchar_t* resource = Cursor == crRollUp ? L"ROLLUP" : Cursor == crRollDown ? L"ROLLDOWN" : L"ROLL";
    if (HCURSOR own = ::LoadCursorW(::GetModuleHandleW(nullptr), resource)) return own;
    const wchar_t* fallback = Cursor == crRollUp ? IDC_UPARROW : Cursor == crRollDown ? IDC_SIZENS : IDC_SIZEALL;
    return ::LoadCursorW(nullptr, fallback);
}

// --- TRgCustomScrollControl ---

TRgCustomScrollControl::TRgCustomScrollControl(TComponent* AOwner) : TWinControl(AOwner) {}

int TRgCustomScrollControl::GetHorzScrollDelta(int, int) { return 0; }
int TRgCustomScrollControl::GetVertScrollDelta(int, int) { return 0; }

void TRgCustomScrollControl::ScrollContent(TRgCustomScrollBar* Bar, int DX, int DY) {
    BeforeScroll(Bar->Kind());
    if (HandleAllocated()) {
        RECT clip = ToRECT(DX != 0 ? HorzScrollRect : VertScrollRect);
        ::ScrollWindowEx(handle_, DX != 0 ? DX : 0, DY, &clip, &clip, nullptr, nullptr, SW_INVALIDATE);
    }
    AfterScroll(Bar->Kind());
}

void TRgCustomScrollControl::FocusIfOnForm() {
    if (GetParentForm(this) && CanFocus()) SetFocus();
}

void TRgCustomScrollControl::TabToNext() {
    if (Parent() && Parent()->HandleAllocated()) ::PostMessageW(Parent()->Handle(), WM_KEYDOWN, VK_TAB, 0);
}

void TRgCustomScrollControl::TabToPrevious() {
    if (!Parent() || !Parent()->HandleAllocated()) return;
    ::PostMessageW(Parent()->Handle(), WM_KEYDOWN, VK_SHIFT, 0);
    ::PostMessageW(Parent()->Handle(), WM_KEYDOWN, VK_TAB, 0);
}

void TRgCustomScrollControl::HostSetScrollInfo(int systemBar, int min, int max, int page, int position,
                                               bool disableNoScroll) {
    if (!HandleAllocated()) return;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | (disableNoScroll ? SIF_DISABLENOSCROLL : 0);
    si.nMin = min;
    si.nMax = max;
    si.nPage = page < 0 ? 0u : static_cast<UINT>(page);
    si.nPos = position;
    si.nTrackPos = position;
    ::SetScrollInfo(handle_, SystemBarId(systemBar), &si, TRUE);
}

int TRgCustomScrollControl::HostGetTrackPos(int systemBar) {
    if (!HandleAllocated()) return 0;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_TRACKPOS;
    if (!::GetScrollInfo(handle_, SystemBarId(systemBar), &si)) return 0;
    return si.nTrackPos;
}

void TRgCustomScrollControl::HostShowScrollBar(int systemBar, bool show) {
    if (HandleAllocated()) ::ShowScrollBar(handle_, SystemBarId(systemBar), show);
}

void TRgCustomScrollControl::HostEnableArrows(int systemBar, bool enable) {
    if (HandleAllocated()) ::EnableScrollBar(handle_, SystemBarId(systemBar), enable ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

void TRgCustomScrollControl::HostSendScroll(TScrollBarKind kind, int code) {
    if (HandleAllocated())
        ::SendMessageW(handle_, kind == sbVertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, 0), 0);
}

// --- TRgFlyoutControl and TRollShadow ---

TRgFlyoutControl::TRgFlyoutControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TRgFlyoutControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(WS_CHILD | WS_GROUP | WS_TABSTOP);
    params.Style |= WS_POPUP;
    params.ExStyle |= WS_EX_TOOLWINDOW;
    params.ClassStyle |= CS_SAVEBITS;
}

void TRgFlyoutControl::AfterCreateWnd() { BringToFront(); }

TRollShadow::TRollShadow(TComponent* AOwner) : TRgFlyoutControl(AOwner) {
    SetVisible(false);
    SetBounds(0, 0, 32, 32);
}

void TRollShadow::Place(const TPoint& ScreenPoint) {
    SetBounds(ScreenPoint.X - 7, ScreenPoint.Y - 11, 32, 32);
    static const POINT upper[] = {{-1, 7}, {7, -1}, {8, 0}, {14, 7}, {0, 6}};
    static const POINT lower[] = {{-1, 15}, {14, 15}, {6, 22}, {6, 22}, {-1, 14}};
    OwnedRegion shape(::CreatePolygonRgn(upper, 5, WINDING));
    OwnedRegion arrowDown(::CreatePolygonRgn(lower, 5, WINDING));
    OwnedRegion dot(::CreateEllipticRgn(5, 9, 10, 14));
    if (!shape || !arrowDown || !dot) return;
    ::CombineRgn(shape.Get(), shape.Get(), arrowDown.Get(), RGN_OR);
    ::CombineRgn(shape.Get(), shape.Get(), dot.Get(), RGN_OR);
    // The window owns the region once it is set.
    if (::SetWindowRgn(Handle(), shape.Get(), TRUE)) shape.Release();
}

void TRollShadow::Paint(HDC dc, const RECT&) {
    RECT r = ClientRect();
    OwnedBrush brush(::CreateSolidBrush(::GetSysColor(COLOR_GRAYTEXT)));
    ::FillRect(dc, &r, brush.Get());
}

void TRollShadow::WndProc(TMessage& m) {
    if (m.Msg == WM_SETCURSOR) {
        ::SetCursor(RollCursor(Cursor));
        m.Result = TRUE;
        return;
    }
    TRgFlyoutControl::WndProc(m);
}

// --- TRgScrollControl ---

TRgScrollControl::TRgScrollControl(TComponent* AOwner)
    : TRgCustomScrollControl(AOwner), HorzScrollBar(this), VertScrollBar(this) {
    HorzScrollBar.SetKind(sbHorizontal);
    VertScrollBar.SetKind(sbVertical);
    RollShadow = new TRollShadow(this);
    RollShadow->SetParent(this);
    RollTimer = new TTimer(this);
    RollTimer->SetEnabled(false);
    RollTimer->SetInterval(1);
    RollTimer->OnTimer = [this](TObject* Sender) { RollTimerTick(Sender); };
}

TRgScrollControl::~TRgScrollControl() {
    if (Rolling && HandleAllocated() && ::GetCapture() == handle_) ::ReleaseCapture();
}

void TRgScrollControl::CreateParams(TCreateParams& params) {
    TRgCustomScrollControl::CreateParams(params);
    params.Style |= WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN;
}

void TRgScrollControl::AfterCreateWnd() {
    TRgCustomScrollControl::AfterCreateWnd();
    HorzScrollBar.ForgetApplied();
    VertScrollBar.ForgetApplied();
    HorzScrollBar.Apply();
    VertScrollBar.Apply();
}

void TRgScrollControl::SetEnabled(bool enabled) {
    TRgCustomScrollControl::SetEnabled(enabled);
    Invalidate();
    HorzScrollBar.Apply();
    VertScrollBar.Apply();
}

void TRgScrollControl::BarScrolled(TRgCustomScrollBar* Bar) {
    if (Bar == &VertScrollBar) {
        if (OnVerticalScroll) OnVerticalScroll(this, Bar->Position());
    } else if (Bar == &HorzScrollBar) {
        if (OnHorizontalScroll) OnHorizontalScroll(this, Bar->Position());
    }
}

void TRgScrollControl::WndProc(TMessage& m) {
    if (m.Msg == WM_MOUSEWHEEL && MouseWheelEnabled) {
        m.Result = 0;  // handled: the grid scrolls by itself
        return;
    }
    if (m.Msg == WM_SETCURSOR && Rolling) {
        ::SetCursor(RollCursor(ScreenCursor));
        m.Result = TRUE;
        return;
    }
    TRgCustomScrollControl::WndProc(m);
}

void TRgScrollControl::WMScroll(TMessage& m) {
    TRgCustomScrollControl::WMScroll(m);
    if (m.LParam) return;  // a scroll-bar control's message, not our own bars'
    TRgScrollBar& bar = m.Msg == WM_HSCROLL ? HorzScrollBar : VertScrollBar;
    bar.HandleScrollCode(LOWORD(m.WParam));
    m.Result = 0;
}

void TRgScrollControl::SetScreenCursor(int cursor) {
    ScreenCursor = cursor;
    ::SetCursor(cursor ? RollCursor(cursor) : ::LoadCursorW(nullptr, IDC_ARROW));
}

void TRgScrollControl::WMMouseButton(TMessage& m) {
    TRgCustomScrollControl::WMMouseButton(m);
    switch (m.Msg) {
        case WM_MBUTTONDOWN: {
            if (!RollEnabled) return;
            Rolling |= 1;
            RollShadow->Cursor = crRoll;
            RollOrigin = TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
            POINT screen = ToPOINT(RollOrigin);
            ::ClientToScreen(handle_, &screen);
            RollShadow->Place(FromPOINT(screen));
            RollShadow->Show();
            RollTimer->SetInterval(1);
            RollTimer->SetEnabled(true);
            ::SetCapture(handle_);
            return;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (Rolling) StopRolling();
            return;
        default: return;
    }
}

void TRgScrollControl::WMMouseMove(TMessage& m) {
    TRgCustomScrollControl::WMMouseMove(m);
    if (!(Rolling & 1)) return;
    int cursor = crRoll;
    RollDirection = RollDirectionFor(GET_Y_LPARAM(m.LParam) - RollOrigin.Y, cursor);
    SetScreenCursor(cursor);
    RollShadow->Cursor = cursor;
}

void TRgScrollControl::RollTimerTick(TObject*) {
    POINT p{};
    ::GetCursorPos(&p);
    if (HandleAllocated()) ::ScreenToClient(handle_, &p);
    int dy = p.y - RollOrigin.Y;
    RollTimer->SetInterval(RollInterval(dy));
    if (RollDirection & rdUp)
        VertScrollBar.LineUp();
    else if (RollDirection & rdDown)
        VertScrollBar.LineDown();
}

void TRgScrollControl::StopRolling() {
    RollTimer->SetEnabled(false);
    Rolling = 0;
    RollShadow->Hide();
    SetScreenCursor(0);
    if (HandleAllocated() && ::GetCapture() == handle_) ::ReleaseCapture();
}

}  // namespace ad::grid
