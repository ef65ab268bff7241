// TSkinScrollBar: window kind, painting, mouse and timers.
#include "skin/controls/SkinControlPaint.h"
#include "skin/controls/skScrollBar.h"

#include <algorithm>

#include "framework/Forms.h"
#include "framework/Handles.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinUtilsWin.h"

namespace ad::skin::controls {

namespace {
constexpr int kScrollBarKind = 142;
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT_PTR kDragTimer = 2;
constexpr int kDragDelay = 50;
constexpr int kFirstDelay = 500, kRepeatDelay = 50;
// Posted to itself: the window is made again in its new kind outside any of its handlers.
constexpr UINT kRecreateMessage = WM_APP + 0x2F1;
constexpr int kMaxRecreations = 5;
}  // namespace

TSkinScrollBar::TSkinScrollBar(TComponent* AOwner) : TScrollBar(AOwner) {
    SkinData.ControlKind = kScrollBarKind;
    SkinData.FinishLoading(false);
}

void TSkinScrollBar::SetDisabledKind(uint8_t value) {
    if (value == disabledKind_) return;
    disabledKind_ = value;
    SkinData.InvalidateOwner(false);
}

void TSkinScrollBar::TellBound(int code) {
    TWinControl* bound = bound_.Get();
    if (!bound || !bound->HandleAllocated() || !HandleAllocated()) return;
    const UINT message = Kind == TScrollBarKind::sbVertical ? WM_VSCROLL : WM_HSCROLL;
    const WPARAM w = code == SB_THUMBPOSITION || code == SB_THUMBTRACK ? MAKEWPARAM(code, WORD(Position()))
                                                                       : WPARAM(code);
    ::SendMessageW(bound->Handle(), message, w, reinterpret_cast<LPARAM>(handle_));
}

void TSkinScrollBar::CreateParams(TCreateParams& p) {
    TScrollBar::CreateParams(p);
    skinnedWindow_ = SkinLoaded();
    if (!skinnedWindow_) return;
    // A plain window of its own class: the class library keeps one base procedure per class name.
    p.WinClassName += L".Skinned";
    p.BaseClassName.clear();
    p.Style &= ~DWORD(SBS_VERT | SBS_HORZ);
    p.ClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
}

bool TSkinScrollBar::SkinLoaded() const {
    const TSkinManager* manager = SkinData.SkinManager();
    return manager && manager->Active() && manager->Skin();
}

TScrollGeometry TSkinScrollBar::Geometry() {
    const TSkinManager* manager = SkinData.SkinManager();
    const bool vertical = Kind == TScrollBarKind::sbVertical;
    const int arrow = manager ? manager->ScrollBarWidth() : ::GetSystemMetrics(SM_CXVSCROLL);
    return ThumbGeometry(vertical, Width(), Height(), arrow, Range(), Enabled());
}

void TSkinScrollBar::PaintBar(HDC dc) {
    const TSkinTables* skin = SkinData.Skin();
    if (!skin) return;
    SkinData.PrepareCacheImage();
    const TImageView32 view = SkinData.CacheImage->View();
    if (view.Empty()) return;
    const TSkBgCacheRef bg = SkinData.GetParentBgRef();
    const TScrollGeometry g = Geometry();
    const bool vertical = g.Vertical;
    const int highlighted = SkinData.IsHighlighted() ? 1 : 0;
    auto stateOf = [&](int part) {
        if (!Enabled()) return 0;
        if (part == pressed_) return 2;
        return std::max(part == hot_ ? 1 : 0, part == spThumb ? 0 : highlighted);
    };
    PaintTrack(view, g.TrackBefore, {0, 0}, bg, vertical, true, stateOf(spTrackBefore), *skin);
    PaintTrack(view, g.TrackAfter, {0, 0}, bg, vertical, false, stateOf(spTrackAfter), *skin);
    if (g.Arrow > 0) {
        PaintArrowButton(view, g.FirstArrow, {0, 0}, bg, vertical ? 1 : 0, stateOf(spFirstArrow), *skin);
        PaintArrowButton(view, g.SecondArrow, {0, 0}, bg, vertical ? 3 : 2, stateOf(spSecondArrow), *skin);
    }
    if (Enabled() && g.ThumbSize <= g.Length - 2 * g.Arrow) PaintThumb(view, g.Thumb, {0, 0}, bg, vertical,
                                                                        stateOf(spThumb), *skin);
    if (!Enabled()) ApplyDisabledEffects(view, DisabledEffectsOf(disabledKind_), {Left(), Top()}, bg, Color());
    SkinData.CacheImage->Draw(dc, 0, 0, {0, 0, Width(), Height()});
    SkinData.BgChanged = false;
}

void TSkinScrollBar::ScrollTo(int value) {
    const TScrollRange r = Range();
    value = std::clamp(value, r.Min, std::max(r.Min, r.Highest()));
    if (value != Position()) SetPosition(value);
    SkinData.InvalidateOwner(false);
}

void TSkinScrollBar::StepBy(int delta) {
    ScrollTo(Position() + delta);
    switch (pressed_) {
        case spFirstArrow: TellBound(SB_LINEUP); break;
        case spSecondArrow: TellBound(SB_LINEDOWN); break;
        case spTrackBefore: TellBound(SB_PAGEUP); break;
        case spTrackAfter: TellBound(SB_PAGEDOWN); break;
        default: break;
    }
}

void TSkinScrollBar::DragTick() {
    // The thumb follows the pointer while the bar holds the mouse and the pointer stays over it.
    if (pressed_ != spThumb || ::GetCapture() != handle_ || !SkinData.MouseAbove || !IsControlPaintable(this)) return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(handle_, &cursor);
    const int value = ValueAtPoint(Geometry(), Range(), {int(cursor.x), int(cursor.y)}, Enabled()) - dragOffset_;
    if (value == Position()) return;
    ScrollTo(value);
    TellBound(SB_THUMBTRACK);
}

void TSkinScrollBar::StartRepeat() {
    repeatInterval_ = kFirstDelay;
    ::SetTimer(handle_, kRepeatTimer, UINT(repeatInterval_), nullptr);
}

void TSkinScrollBar::RepeatTick() {
    const TScrollGeometry g = Geometry();
    const int page = std::max(PageSize(), 1);
    const int under = ValueAtPoint(g, Range(), lastPoint_, Enabled());
    bool more = true;
    switch (pressed_) {
        case spFirstArrow: StepBy(-1); break;
        case spSecondArrow: StepBy(1); break;
        case spTrackBefore:
            if (under < Position()) StepBy(-page);
            else more = false;
            break;
        case spTrackAfter:
            if (under > Position()) StepBy(page);
            else more = false;
            break;
        default: more = false; break;
    }
    if (!more) {
        ::KillTimer(handle_, kRepeatTimer);
        repeatInterval_ = 0;
    } else if (repeatInterval_ != kRepeatDelay) {
        repeatInterval_ = kRepeatDelay;
        ::SetTimer(handle_, kRepeatTimer, UINT(repeatInterval_), nullptr);
    }
}

void TSkinScrollBar::Press(TPoint p) {
    if (!Enabled()) return;
    if (Application) {
        savedShowHint_ = Application->ShowHint;
        Application->ShowHint = false;
    }
    lastPoint_ = p;
    if (CanFocus()) SetFocus();
    ::SetCapture(handle_);
    const TScrollGeometry g = Geometry();
    pressed_ = PartAtPoint(g, p);
    switch (pressed_) {
        case spFirstArrow: StepBy(-1); StartRepeat(); break;
        case spSecondArrow: StepBy(1); StartRepeat(); break;
        case spThumb:
            dragOffset_ = ValueAtPoint(g, Range(), p, true) - Position();
            dragTimer_ = ::SetTimer(handle_, kDragTimer, kDragDelay, nullptr) != 0;
            break;
        case spTrackBefore: StepBy(-std::max(PageSize(), 1)); StartRepeat(); break;
        case spTrackAfter: StepBy(std::max(PageSize(), 1)); StartRepeat(); break;
        default: break;
    }
    SkinData.InvalidateOwner(false);
}

void TSkinScrollBar::EndPress(TPoint p) {
    if (pressed_ == spNone) return;
    const bool thumb = pressed_ == spThumb;
    pressed_ = spNone;
    ::KillTimer(handle_, kRepeatTimer);
    repeatInterval_ = 0;
    if (dragTimer_) ::KillTimer(handle_, kDragTimer);
    dragTimer_ = false;
    if (thumb) TellBound(SB_THUMBPOSITION);
    TellBound(SB_ENDSCROLL);
    if (::GetCapture() == handle_) ::ReleaseCapture();
    if (Application) Application->ShowHint = savedShowHint_;
    SkinData.InvalidateOwner(false);
    if (OnMouseUp) OnMouseUp(this, TMouseButton::mbLeft, KeyboardShiftState(), p.X, p.Y);
}

void TSkinScrollBar::RecreateIfNeeded() {
    if (skinnedWindow_ == SkinLoaded() || recreations_ >= kMaxRecreations || Destroying()) return;
    ++recreations_;
    const int position = Position();
    RecreateWnd();
    SetPosition(position);
}

void TSkinScrollBar::WndProc(TMessage& m) {
    if (m.Msg == kRecreateMessage) {
        RecreateIfNeeded();
        return;
    }
    if (m.Msg == SKM_SKINCMD && !Destroying()) {
        switch (SkinCommandOf(m.WParam)) {
            case SKC_ISSKINNED: m.Result = 1; return;
            case SKC_GETSKININDEX:
                // Its own parts paint from the scroll sections; as a whole it lets its parent show.
                if (const TSkinManager* manager = SkinData.SkinManager(); manager && manager->Skin())
                    m.Result = manager->Skin()->CommonIndexes[csTransparent] + 1;
                return;
            case SKC_SKINLOADED:
            case SKC_SKINREMOVED:
            case SKC_SKINREFRESH:
                HandleCommonWindowMessage(m, &SkinData);
                // Never inside the window's own handlers: the change is carried out later.
                if (HandleAllocated()) ::PostMessageW(handle_, kRecreateMessage, 0, 0);
                return;
            default: break;
        }
    }
    // A bound bar's scroll messages come back through the control it scrolls: they are its own echo.
    if ((m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) && bound_.Get()) {
        m.Result = 0;
        return;
    }
    if (!skinnedWindow_ || !HandleAllocated()) {
        TScrollBar::WndProc(m);
        return;
    }
    const TPoint point{int(short(LOWORD(m.LParam))), int(short(HIWORD(m.LParam)))};
    switch (m.Msg) {
        case WM_PAINT: PaintOnMessage(m, handle_, [this](HDC dc) { PaintBar(dc); }); return;
        case WM_PRINTCLIENT:
        case WM_PRINT: PaintBar(reinterpret_cast<HDC>(m.WParam)); m.Result = 0; return;
        case WM_ERASEBKGND: m.Result = 1; return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Press(point);
            m.Result = 0;
            return;
        case WM_MOUSEMOVE:
            lastPoint_ = point;
            if (pressed_ == spThumb) {
                const int before = Position();
                ScrollTo(ValueAtPoint(Geometry(), Range(), point, Enabled()) - dragOffset_);
                if (Position() != before) TellBound(SB_THUMBTRACK);
            } else if (pressed_ == spNone) {
                const int part = PartAtPoint(Geometry(), point);
                if (part != hot_) {
                    hot_ = part;
                    SkinData.InvalidateOwner(false);
                }
            }
            break;
        case WM_LBUTTONUP:
            EndPress(point);
            m.Result = 0;
            return;
        case WM_CANCELMODE:
        case WM_CAPTURECHANGED:
            // Another window took the mouse mid-press: the press ends as a release would.
            if (m.Msg == WM_CAPTURECHANGED && reinterpret_cast<HWND>(m.LParam) == handle_) break;
            EndPress(lastPoint_);
            break;
        case WM_TIMER:
            if (m.WParam == kRepeatTimer) {
                RepeatTick();
                return;
            }
            if (m.WParam == kDragTimer) {
                DragTick();
                return;
            }
            break;
        case CM_MOUSELEAVE:
            if (hot_ != spNone) {
                hot_ = spNone;
                SkinData.InvalidateOwner(false);
            }
            break;
        case SBM_SETSCROLLINFO: {
            auto* si = reinterpret_cast<SCROLLINFO*>(m.LParam);
            if (si) {
                // The control holds the values; the window only shows them.
                if (si->fMask & SIF_RANGE) {
                    const bool valid = si->nMax >= si->nMin;
                    if (Min() != (valid ? si->nMin : 0) || Max() != (valid ? si->nMax : 0)) {
                        SetMin(valid ? si->nMin : 0);
                        SetMax(valid ? si->nMax : 0);
                    }
                }
                if ((si->fMask & SIF_PAGE) && PageSize() != int(si->nPage)) SetPageSize(int(si->nPage));
                if ((si->fMask & SIF_POS) && si->nPos != Position() && pressed_ != spThumb) SetPosition(si->nPos);
                if (m.WParam) SkinData.InvalidateOwner(false);
            }
            m.Result = Position();
            return;
        }
        // What GetScrollPos and GetScrollRange ask a bar's window.
        case SBM_GETPOS: m.Result = Position(); return;
        case SBM_GETRANGE:
            if (m.WParam) *reinterpret_cast<INT*>(m.WParam) = Min();
            if (m.LParam) *reinterpret_cast<INT*>(m.LParam) = Max();
            m.Result = 0;
            return;
        case SBM_GETSCROLLINFO: {
            auto* si = reinterpret_cast<SCROLLINFO*>(m.LParam);
            if (si) {
                if (si->fMask & SIF_RANGE) si->nMin = Min(), si->nMax = Max();
                if (si->fMask & SIF_PAGE) si->nPage = UINT(PageSize());
                if (si->fMask & SIF_POS) si->nPos = Position();
                if ((si->fMask & SIF_TRACKPOS) && si->cbSize >= sizeof(SCROLLINFO)) si->nTrackPos = Position();
            }
            m.Result = 1;
            return;
        }
        case CM_ENABLEDCHANGED:
            TScrollBar::WndProc(m);
            SkinData.InvalidateOwner(false);
            return;
        default: break;
    }
    if (HandleCommonWindowMessage(m, &SkinData)) return;
    TScrollBar::WndProc(m);
}

}  // namespace ad::skin::controls
