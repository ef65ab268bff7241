// The scrolling adapter: bar space, hit tests, mouse, timers and the scroll
// messages it sends (its painting: SkScrollWndPaint.cpp).
#include "skin/adapters/SkScrollWnd.h"

#include <algorithm>

#include "skin/adapters/SkAdapterUnit.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinMessaging.h"

namespace ad::skin::adapters {

using namespace controls;

namespace {

TSkScrollMouse g_mouse;

constexpr UINT kHoverInterval = 20, kFirstRepeatInterval = 300, kRepeatInterval = 55;
constexpr WPARAM kBarClickCommand = 0xF077;  // the system's command for a click on a bar

TPoint ClientToScreenPoint(HWND wnd, LPARAM lParam) {
    POINT p{short(LOWORD(lParam)), short(HIWORD(lParam))};
    ::ClientToScreen(wnd, &p);
    return {p.x, p.y};
}

// Where a bar rectangle lies along its direction.
int StartOf(const TRect& r, bool vertical) { return vertical ? r.Top : r.Left; }
int AlongOf(TPoint p, bool vertical) { return vertical ? p.Y : p.X; }

TSkinScrollWndData* ScrollDataOf(TSkinCommonData* data) { return dynamic_cast<TSkinScrollWndData*>(data); }

}  // namespace

const TSkScrollMouse& ScrollMouse() { return g_mouse; }

TRect TSkScrollWnd::WindowRect() const {
    RECT r{};
    ::GetWindowRect(WindowHandle(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

TScrollRange TSkScrollBar::Range() const {
    return {ScrollInfo.nMin, ScrollInfo.nMax, int(ScrollInfo.nPage), ScrollInfo.nPos};
}

TSkScrollWnd::TSkScrollWnd(HWND wnd, TSkinCommonData* skinData, TSkinManager* manager, const TSkSkinParams& params)
    : TSkMainWnd(wnd, skinData, manager, params) {
    horz_.Kind = SB_HORZ;
    vert_.Kind = SB_VERT;
    horz_.Adapter = vert_.Adapter = this;
    SetReframeOnDetach();
}

TSkScrollWnd::~TSkScrollWnd() { ForgetMouse(); }

void TSkScrollWnd::ForgetMouse() {
    HWND wnd = WindowHandle();
    if (g_mouse.Window != wnd) return;
    ::KillTimer(wnd, kScrollHoverTimer);
    ::KillTimer(wnd, kScrollFirstRepeatTimer);
    ::KillTimer(wnd, kScrollRepeatTimer);
    if (::GetCapture() == wnd) ::ReleaseCapture();
    g_mouse = {};
}

std::unique_ptr<TSkinCommonData> TSkScrollWnd::CreateSkinData() {
    leftEdge_ = -1;
    edgesKnown_ = false;
    auto data = std::make_unique<TSkinScrollWndData>(WindowHandle(), true);
    data->Updating = true;  // until the adapter is set up
    return data;
}

void TSkScrollWnd::InitAdapter() {
    TSkMainWnd::InitAdapter();
    HWND wnd = WindowHandle();
    leftScrollBar_ = (::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    for (TSkScrollBar* bar : {&horz_, &vert_}) {
        bar->DefaultWidth = bar->DefaultButtonSize = -1;
        bar->MinThumbSize = kMinThumbSize;
        ::GetScrollInfo(wnd, bar->Kind, &bar->ScrollInfo);
    }
    if (SkinData()) SkinData()->Updating = false;
    // The frame is measured again with the skinned bars.
    ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kFrameChangeFlags);
}

int TSkScrollWnd::ScrollMetric(const TSkScrollBar& bar, bool thickness) const {
    const TSkinManager* manager = SkinManager();
    const int managerWidth = manager ? std::max(0, manager->ScrollBarWidth()) : ::GetSystemMetrics(SM_CXVSCROLL);
    const TSkinScrollWndData* data = ScrollDataOf(SkinData());
    const TSkScrollData* own = data ? (bar.Vertical() ? &data->VertScrollData : &data->HorzScrollData) : nullptr;
    if (thickness) return own && own->ScrollWidth() >= 0 ? own->ScrollWidth() : managerWidth;
    if (own && own->ButtonsSize() >= 0) return own->ButtonsSize();
    if (manager && manager->ScrollsOptions.ButtonsSize() >= 0) return manager->ScrollsOptions.ButtonsSize();
    if (bar.DefaultButtonSize >= 0) return bar.DefaultButtonSize;
    return managerWidth;
}

TRect TSkScrollWnd::BarRect(const TSkScrollBar& bar) const {
    if (!bar.Visible) return {};
    const TRect w = WindowRect();
    const TRect inner{w.Left + std::max(leftEdge_, 0), w.Top + topEdge_, w.Right - rightEdge_, w.Bottom - bottomEdge_};
    const int horzThick = horz_.Visible ? ScrollMetric(horz_, true) : 0;
    const int vertThick = vert_.Visible ? ScrollMetric(vert_, true) : 0;
    TRect r;
    if (!bar.Vertical()) {
        r = {inner.Left, inner.Bottom - horzThick, inner.Right, inner.Bottom};
        if (leftScrollBar_) r.Left += vertThick;
        else r.Right -= vertThick;
    } else {
        r = leftScrollBar_ ? TRect{inner.Left, inner.Top, inner.Left + vertThick, inner.Bottom}
                           : TRect{inner.Right - vertThick, inner.Top, inner.Right, inner.Bottom};
        r.Bottom -= horzThick;
    }
    if (bar.HasStartInset) (bar.Vertical() ? r.Top : r.Left) += bar.StartInset;
    if (bar.HasEndInset) (bar.Vertical() ? r.Bottom : r.Right) -= bar.EndInset;
    return r;
}

TRect TSkScrollWnd::CornerRect() const {
    if (!horz_.Visible || !vert_.Visible) return {};
    const TRect h = BarRect(horz_), v = BarRect(vert_);
    return {v.Left, h.Top, v.Right, h.Bottom};
}

bool TSkScrollWnd::ScrollBarEnabled(const TSkScrollBar& bar) const {
    HWND wnd = WindowHandle();
    if (const GetScrollBarInfoFn info = AdapterFunctions().GetScrollBarInfo) {
        SCROLLBARINFO sbi{};
        sbi.cbSize = sizeof(sbi);
        if (!info(wnd, bar.Vertical() ? OBJID_VSCROLL : OBJID_HSCROLL, &sbi)) return false;
        if ((bar.Flags & kBarArrowsDisabled) == kBarArrowsDisabled) return false;
        // Both arrows disabled (EnableScrollBar) disable the bar.
        if ((sbi.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) && (sbi.rgstate[5] & STATE_SYSTEM_UNAVAILABLE)) return false;
        if (bar.Flags & kBarEnabledWhenScrolls) {
            const SCROLLINFO& si = bar.ScrollInfo;
            if (si.nMax < int(si.nPage) || si.nMin >= si.nMax || si.nMax == 0) return false;
        }
        return (sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
    }
    const LONG_PTR style = ::GetWindowLongPtrW(wnd, GWL_STYLE);
    return (style & (bar.Vertical() ? WS_VSCROLL : WS_HSCROLL)) != 0;
}

TScrollGeometry TSkScrollWnd::Geometry(const TSkScrollBar& bar, const TRect& rect) const {
    const TThumbSizing sizing{bar.MinThumbSize, true, kMinThumbWithoutArrows};
    return ThumbGeometry(bar.Vertical(), rect.Width(), rect.Height(), ScrollMetric(bar, false), bar.Range(), true,
                         sizing);
}

int TSkScrollWnd::PartAt(const TSkScrollBar& bar, TPoint screen) const {
    const TRect rect = BarRect(bar);
    if (!Contains(rect, screen)) return spNone;
    const TScrollGeometry g = Geometry(bar, rect);
    const TPoint p{screen.X - rect.Left, screen.Y - rect.Top};
    if (Contains(g.FirstArrow, p)) return spFirstArrow;
    if (Contains(g.SecondArrow, p)) return spSecondArrow;
    if (g.ThumbSize >= g.Length - 2 * g.Arrow) return spNone;  // the thumb does not fit: no track parts
    return PartAtPoint(g, p);
}

void TSkScrollWnd::RefreshScrollInfo(bool repaint) {
    HWND wnd = WindowHandle();
    if (!::IsWindowVisible(wnd) || (SkinData() && SkinData()->Updating)) return;
    for (TSkScrollBar* bar : {&horz_, &vert_}) {
        bar->ScrollInfo.cbSize = sizeof(SCROLLINFO);
        bar->ScrollInfo.fMask = SIF_ALL;
        ::GetScrollInfo(wnd, bar->Kind, &bar->ScrollInfo);
    }
    if (repaint && !SkinAnimationRunning()) PaintScrollBars(nullptr);
}

// Sent through the whole chain: from inside another message's handler the
// procedures below the adapter are reached only by a message of its own.
void TSkScrollWnd::SendScrollMessage(UINT msg, int code, int pos) {
    HWND wnd = WindowHandle();
    const LPARAM lock = LPARAM(MAKELONG(WORD(code), WORD(msg)));
    const bool handled = ::SendMessageW(wnd, SKM_SKINCMD, SkinCommandWParam(SKC_LOCKREDRAW), lock) == 1;
    LPARAM lParam = pos;
    if (!handled) {
        if (code == SB_THUMBTRACK) {
            SCROLLINFO si{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
            ::SetScrollInfo(wnd, msg == WM_HSCROLL ? SB_HORZ : SB_VERT, &si, FALSE);
        }
        lParam = 0;
    }
    scrolling_ = true;
    ::SendMessageW(wnd, msg, MAKEWPARAM(WORD(code), WORD(std::min(pos, 0xFFFF))), lParam);
    scrolling_ = false;
    ::SendMessageW(wnd, SKM_SKINCMD, SkinCommandWParam(SKC_UNLOCKREDRAW), lock);
}

void TSkScrollWnd::NcCalcSize(TMessage& m) {
    HWND wnd = WindowHandle();
    RECT* rect = m.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0] : reinterpret_cast<RECT*>(m.LParam);
    const RECT before = *rect;
    const LONG_PTR style = ::GetWindowLongPtrW(wnd, GWL_STYLE);
    constexpr LONG_PTR kBars = WS_HSCROLL | WS_VSCROLL;
    if (style & kBars) {
        // The previous procedure measures the frame without the system's bars.
        styleChanging_ = true;
        ::SetWindowLongPtrW(wnd, GWL_STYLE, style & ~kBars);
        CallOldProc(m);
        ::SetWindowLongPtrW(wnd, GWL_STYLE, style);
        styleChanging_ = false;
    } else {
        CallOldProc(m);
    }
    leftEdge_ = rect->left - before.left;
    topEdge_ = rect->top - before.top;
    rightEdge_ = before.right - rect->right;
    bottomEdge_ = before.bottom - rect->bottom;
    horz_.Flags = uint16_t((horz_.Flags & ~kBarInStyle) | ((style & WS_HSCROLL) ? kBarInStyle : 0));
    vert_.Flags = uint16_t((vert_.Flags & ~kBarInStyle) | ((style & WS_VSCROLL) ? kBarInStyle : 0));
    const int horzThick = ScrollMetric(horz_, true), vertThick = ScrollMetric(vert_, true);
    horz_.Visible = (style & WS_HSCROLL) && rect->bottom - rect->top >= horzThick;
    if (horz_.Visible) rect->bottom -= horzThick;
    vert_.Visible = (style & WS_VSCROLL) && rect->right - rect->left >= vertThick;
    if (vert_.Visible) {
        if (leftScrollBar_) rect->left += vertThick;
        else rect->right -= vertThick;
    }
    edgesKnown_ = true;
}

void TSkScrollWnd::NcHitTest(TMessage& m) {
    HWND wnd = WindowHandle();
    if (TSkinManager* manager = SkinManager(); manager && manager->HoverWindow() != wnd && !SkinData()->MouseAbove)
        manager->SetHoverWindow(wnd);
    const TPoint p{short(LOWORD(m.LParam)), short(HIWORD(m.LParam))};
    for (TSkScrollBar* bar : {&horz_, &vert_}) {
        if (bar->Visible && Contains(BarRect(*bar), p)) {
            m.Result = ScrollBarEnabled(*bar) ? (bar->Vertical() ? HTVSCROLL : HTHSCROLL) : HTNOWHERE;
            return;
        }
    }
    if (Contains(CornerRect(), p) && InGripCorner()) {
        m.Result = leftScrollBar_ ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
        return;
    }
    CallOldProc(m);
}

void TSkScrollWnd::NcMouseMove(TMessage& m) {
    if (m.WParam == HTHSCROLL || m.WParam == HTVSCROLL) {
        HWND wnd = WindowHandle();
        const int kind = m.WParam == HTVSCROLL ? SB_VERT : SB_HORZ;
        if (g_mouse.Window != wnd || g_mouse.HotBar != kind) {
            if (g_mouse.Window && g_mouse.Window != wnd && g_mouse.HoverTimer)
                ::KillTimer(g_mouse.Window, kScrollHoverTimer);
            g_mouse.Window = wnd;
            g_mouse.HotPart = g_mouse.PressedPart = spNone;
            g_mouse.HotRect = BarRect(Bar(kind));
            g_mouse.HotBar = kind;
            g_mouse.HoverTimer = ::SetTimer(wnd, kScrollHoverTimer, kHoverInterval, nullptr);
            PaintScrollBars(nullptr);
        }
    }
    CallOldProc(m);
}

void TSkScrollWnd::NcButtonDown(TMessage& m) {
    if (m.WParam != HTHSCROLL && m.WParam != HTVSCROLL) {
        CallOldProc(m);
        return;
    }
    HWND wnd = WindowHandle();
    const int kind = m.WParam == HTVSCROLL ? SB_VERT : SB_HORZ;
    TSkScrollBar& bar = Bar(kind);
    const TPoint p{short(LOWORD(m.LParam)), short(HIWORD(m.LParam))};
    g_mouse.Window = wnd;
    g_mouse.TrackedBar = kind;
    g_mouse.ScrollMsg = kind == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    const int part = PartAt(bar, p);
    g_mouse.PressedPart = part;
    m.Result = 0;
    if (part == spNone) return;  // the system's own bar tracking would draw over the skin
    ::SetCapture(wnd);
    if ((part == spFirstArrow && (bar.Flags & kBarFirstArrowOff)) ||
        (part == spSecondArrow && (bar.Flags & kBarSecondArrowOff)) || !ScrollBarEnabled(bar))
        return;
    if (part == spThumb) {
        const TRect rect = BarRect(bar);
        const TScrollGeometry g = Geometry(bar, rect);
        g_mouse.DragBar = rect;
        g_mouse.DragThumb = g.ThumbSize;
        g_mouse.DragThumbStart = StartOf(g.Thumb, bar.Vertical());
        g_mouse.DragOffset = AlongOf(p, bar.Vertical()) - StartOf(rect, bar.Vertical()) - g_mouse.DragThumbStart;
        tracking_ = true;
        bar.ScrollInfo.nTrackPos = bar.ScrollInfo.nPos;
        g_mouse.LastPos = bar.ScrollInfo.nPos;
        PaintScrollBars(nullptr);
        return;
    }
    g_mouse.HotPart = part;
    PaintScrollBars(nullptr);
    SendScrollMessage(g_mouse.ScrollMsg, part, 0);
    g_mouse.RepeatTimer = ::SetTimer(wnd, kScrollFirstRepeatTimer, kFirstRepeatInterval, nullptr);
}

void TSkScrollWnd::MouseMove(TMessage& m) {
    HWND wnd = WindowHandle();
    if (g_mouse.Window != wnd || g_mouse.PressedPart == spNone) {
        CallOldProc(m);
        return;
    }
    const TPoint screen = ClientToScreenPoint(wnd, m.LParam);
    if (!tracking_) {
        TrackPressed(screen);
        m.Result = 0;
        return;
    }
    TSkScrollBar& bar = Bar(g_mouse.TrackedBar);
    const bool vertical = bar.Vertical();
    const int arrow = Geometry(bar, g_mouse.DragBar).Arrow;
    const int length = vertical ? g_mouse.DragBar.Height() : g_mouse.DragBar.Width();
    const int track = length - 2 * arrow;
    const int free = std::max(0, track - g_mouse.DragThumb);
    const int start = std::clamp(AlongOf(screen, vertical) - StartOf(g_mouse.DragBar, vertical) - g_mouse.DragOffset,
                                 arrow, arrow + free);
    g_mouse.DragThumbStart = start;
    const SCROLLINFO& si = bar.ScrollInfo;
    const int offset = start - arrow;
    const int highest = std::max(0, si.nMax - si.nMin - std::max(int(si.nPage) - 1, 0));
    int pos;
    if (si.nMax - si.nMin < 1) pos = offset;
    else if (free == 0) pos = 0;  // nothing to drag along
    else pos = ::MulDiv(offset, si.nMax - si.nMin + 1 - int(si.nPage), free);
    pos = std::clamp(pos, 0, highest) + si.nMin;
    if (pos != g_mouse.LastPos) {
        bar.ScrollInfo.nTrackPos = pos;
        SendScrollMessage(g_mouse.ScrollMsg, SB_THUMBTRACK, pos);
        g_mouse.LastPos = pos;
    }
    PaintScrollBars(nullptr);
    m.Result = 0;
}

void TSkScrollWnd::TrackPressed(TPoint screen) {
    const int under = PartAt(Bar(g_mouse.TrackedBar), screen);
    const int hot = under == g_mouse.PressedPart ? under : spNone;
    if (hot != g_mouse.HotPart) {
        g_mouse.HotPart = hot;
        PaintScrollBars(nullptr);
    }
}

void TSkScrollWnd::EndPress(bool releaseCapture) {
    HWND wnd = WindowHandle();
    const int pressed = g_mouse.PressedPart;
    const UINT msg = g_mouse.ScrollMsg;
    const bool dragged = tracking_;
    const int last = g_mouse.LastPos;
    // Cleared first: the capture's release reports back here.
    if (g_mouse.RepeatTimer) {
        ::KillTimer(wnd, kScrollFirstRepeatTimer);
        ::KillTimer(wnd, kScrollRepeatTimer);
    }
    g_mouse.PressedPart = g_mouse.HotPart = spNone;
    g_mouse.RepeatTimer = 0;
    g_mouse.TrackedBar = -1;
    g_mouse.ScrollMsg = 0;
    tracking_ = false;
    if (releaseCapture && ::GetCapture() == wnd && !KeepsCaptureOnRelease()) ::ReleaseCapture();
    if (msg) {
        if (dragged) SendScrollMessage(msg, SB_THUMBPOSITION, last);
        if (pressed != spNone) SendScrollMessage(msg, SB_ENDSCROLL, pressed == spThumb ? last : 0);
    }
    PaintScrollBars(nullptr);
}

void TSkScrollWnd::ButtonUp(TMessage& m) {
    if (g_mouse.Window != WindowHandle() || g_mouse.PressedPart == spNone) {
        CallOldProc(m);
        return;
    }
    EndPress(true);
    if (!KeepsCaptureOnRelease()) CallOldProc(m);
}

void TSkScrollWnd::Timer(TMessage& m) {
    HWND wnd = WindowHandle();
    const bool ours = g_mouse.Window == wnd && (g_mouse.HoverTimer || g_mouse.RepeatTimer);
    if (!ours) {
        CallOldProc(m);
        return;
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    switch (m.WParam) {
        case kScrollHoverTimer: {
            if (tracking_) break;
            const TPoint p{cursor.x, cursor.y};
            if (Contains(g_mouse.HotRect, p)) {
                const int part = g_mouse.HotBar >= 0 ? PartAt(Bar(g_mouse.HotBar), p) : spNone;
                if (part != g_mouse.HotPart && g_mouse.PressedPart == spNone) {
                    g_mouse.HotPart = part;
                    PaintScrollBars(nullptr);
                }
            } else {
                ::KillTimer(wnd, kScrollHoverTimer);
                g_mouse.HoverTimer = 0;
                g_mouse.HotBar = -1;
                g_mouse.HotPart = spNone;
                PaintScrollBars(nullptr);
            }
            break;
        }
        case kScrollFirstRepeatTimer:
            ::KillTimer(wnd, kScrollFirstRepeatTimer);
            g_mouse.RepeatTimer = ::SetTimer(wnd, kScrollRepeatTimer, kRepeatInterval, nullptr);
            break;
        case kScrollRepeatTimer:
            if (g_mouse.PressedPart == spNone || g_mouse.TrackedBar < 0) {
                ::KillTimer(wnd, kScrollRepeatTimer);
                g_mouse.RepeatTimer = 0;
                break;
            }
            TrackPressed({cursor.x, cursor.y});
            if (g_mouse.HotPart != spNone) SendScrollMessage(g_mouse.ScrollMsg, g_mouse.HotPart, 0);
            break;
        default: CallOldProc(m); return;
    }
    if (!scrolling_ && !tracking_) RefreshScrollInfo(true);
}

void TSkScrollWnd::SkinCommand(TMessage& m) {
    const bool ownManager = reinterpret_cast<TSkinManager*>(m.LParam) == SkinData()->SkinManager();
    switch (SkinCommandOf(m.WParam)) {
        case SKC_SKINREMOVED:
            if (!ownManager) break;
            // From here on the window is left to itself: its frame is measured
            // again with the system's bars.
            SkinData()->SkinIndex = -1;
            RestoreWindow();
            CallOldProc(m);
            ::SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0, kFrameChangeFlags);
            return;
        case SKC_SETUPDATING:
            SkinData()->Updating = SkinCommandArgument(m.WParam) == 1;
            break;
        case SKC_HASOWNBG: m.Result = 1; return;
        case SKC_GETSCALE: m.Result = SkinData()->ScalePercent; return;
        default: break;
    }
    TSkMainWnd::WndProc(m);
}

void TSkScrollWnd::WndProc(TMessage& m) {
    HWND wnd = WindowHandle();
    if (m.Msg == WM_NCDESTROY || m.Msg == WM_DESTROY) {
        ForgetMouse();  // the shared record keeps no window that goes
        tracking_ = false;
        TSkMainWnd::WndProc(m);
        return;
    }
    if (Destroyed()) return;
    if (!SkinActive()) {
        TSkMainWnd::WndProc(m);
        if (m.Msg == SKM_SKINCMD && SkinCommandOf(m.WParam) == SKC_SKINLOADED && SkinActive())
            ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kFrameChangeFlags);
        return;
    }
    switch (m.Msg) {
        case WM_STYLECHANGED:
            if (styleChanging_) {
                m.Result = 0;
                return;
            }
            leftScrollBar_ = (::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
            break;
        case WM_STYLECHANGING:
            if (styleChanging_) {
                m.Result = 0;
                return;
            }
            break;
        case WM_NCCALCSIZE: NcCalcSize(m); return;
        case WM_NCHITTEST: NcHitTest(m); return;
        case WM_NCPAINT: {
            if (!edgesKnown_) ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kFrameChangeFlags);
            // The default painting draws the system's bars: the skinned ones go over them.
            CallOldProc(m);
            if (::IsWindowVisible(wnd) && !SkinData()->Updating && !scrolling_ && edgesKnown_) PaintScrollBars(nullptr);
            return;
        }
        case WM_NCMOUSEMOVE: NcMouseMove(m); return;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK: NcButtonDown(m); return;
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONUP:
        case WM_NCMBUTTONDOWN:
        case WM_NCMBUTTONUP:
            if (m.WParam == HTHSCROLL || m.WParam == HTVSCROLL) {
                m.Result = 0;
                return;
            }
            break;
        case WM_SYSCOMMAND:
            if (LOWORD(m.WParam) == kBarClickCommand) {
                m.Result = 0;
                return;
            }
            break;
        case WM_MOUSEMOVE: MouseMove(m); return;
        case WM_LBUTTONUP: ButtonUp(m); return;
        case WM_CAPTURECHANGED:
        case WM_CANCELMODE:
            // A press that loses the capture ends as a release would.
            if (g_mouse.Window == wnd && g_mouse.PressedPart != spNone) EndPress(m.Msg == WM_CANCELMODE);
            break;
        case WM_TIMER: Timer(m); return;
        case SKM_SKINCMD: SkinCommand(m); return;
        default: break;
    }
    TSkMainWnd::WndProc(m);
    if (m.Msg == WM_MOUSEWHEEL && !scrolling_) RefreshScrollInfo(true);
}

TSkScrollBar* GetScrollBarObject(HWND wnd, int which) {
    auto* adapter = dynamic_cast<TSkScrollWnd*>(TSkMainWnd::GetAdapter(wnd));
    if (!adapter || (which != 0 && which != 1)) return nullptr;
    return which == 0 ? &adapter->HorzBar() : &adapter->VertBar();
}

bool SetMinThumbSize(HWND wnd, int which, int size) {
    auto* adapter = dynamic_cast<TSkScrollWnd*>(TSkMainWnd::GetAdapter(wnd));
    if (!adapter) return false;
    if (which == 0 || which == 3) adapter->HorzBar().MinThumbSize = size;
    if (which == 1 || which == 3) adapter->VertBar().MinThumbSize = size;
    return true;
}

}  // namespace ad::skin::adapters
