// TWinControl: window creation, the message entry point and reflection.
#include "framework/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "framework/ExceptionBarrier.h"
#include "framework/Menus.h"
#include "framework/ParentBackground.h"
#include "framework/SysUtils.h"

namespace ad {

LRESULT CALLBACK ControlWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {

// The control whose window is being made on this thread: messages that arrive
// before CreateWindowEx returns (WM_GETMINMAXINFO comes even before
// WM_NCCREATE) find their object here.
thread_local TWinControl* t_creating = nullptr;

// Set by a child whose window procedure left a reflected notification alone,
// so that the parent hands it to its own previous procedure.
thread_local bool t_reflectedNotTaken = false;

bool IsReflected(UINT msg) { return msg >= CN_BASE && msg < CN_BASE + WM_USER; }

// Our window classes and the window procedure each one superclasses.
std::unordered_map<std::wstring, WNDPROC>& ClassProcs() {
    static std::unordered_map<std::wstring, WNDPROC> procs;
    return procs;
}

WNDPROC RegisterControlClass(const TCreateParams& p) {
    auto& procs = ClassProcs();
    auto it = procs.find(p.WinClassName);
    if (it != procs.end()) return it->second;

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    WNDPROC base = ::DefWindowProcW;
    if (!p.BaseClassName.empty()) {
        if (!::GetClassInfoExW(nullptr, p.BaseClassName.c_str(), &wc)) RaiseLastOSError();
        base = wc.lpfnWndProc;
        wc.style &= ~CS_GLOBALCLASS;
    } else {
        wc.style = p.ClassStyle;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    }
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ControlWndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = p.WinClassName.c_str();
    if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) RaiseLastOSError();
    procs[p.WinClassName] = base;
    return base;
}

WNDPROC BaseProcOf(HWND wnd) {
    wchar_t name[256];
    int n = ::GetClassNameW(wnd, name, 256);
    auto& procs = ClassProcs();
    auto it = procs.find(std::wstring(name, static_cast<size_t>(n > 0 ? n : 0)));
    return it != procs.end() ? it->second : ::DefWindowProcW;
}

UINT_PTR NextControlId() {
    static UINT_PTR next = 1000;
    return ++next;
}

}  // namespace

TShiftState KeyboardShiftState() {
    TShiftState s = 0;
    if (::GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (::GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (::GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

static TShiftState MouseShiftState(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (::GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

LRESULT CALLBACK ControlWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* c = reinterpret_cast<TWinControl*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (!c) {
        c = t_creating;
        if (!c) return ::CallWindowProcW(BaseProcOf(wnd), wnd, msg, wParam, lParam);
        t_creating = nullptr;
        c->Attach(wnd);
    }
    TMessage m{msg, wParam, lParam, 0};
    if (c->Destroying()) {
        c->DefaultHandler(m);
        if (IsReflected(msg)) t_reflectedNotTaken = true;
        if (msg == WM_NCDESTROY) c->Detach();
        return m.Result;
    }
    if (msg == WM_MOUSEMOVE || msg == WM_MOUSELEAVE) c->TrackMouse(msg);
    if (!Guarded([&] { c->WndProc(m); })) {
        // A failed paint must not be asked for again and again.
        if (msg == WM_PAINT) ::ValidateRect(wnd, nullptr);
        m.Result = 0;
    }
    if (msg == WM_NCDESTROY) c->Detach();
    return m.Result;
}

// ---------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner) : TComponent(AOwner), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this] {
        parentFont_ = false;
        DoFontChanged();
    };
}

TWinControl::~TWinControl() {
    BeginDestroy();
    DestroyHandle();
    for (TWinControl* c : controls_) c->parent_ = nullptr;
    controls_.clear();
    if (parent_) {
        // The parent learns of it with this control already marked as destroying.
        parent_->SendNotice(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(this), 0);
        parent_->RemoveControl(this);
    }
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
    if (!wnd || reinterpret_cast<WNDPROC>(::GetClassLongPtrW(wnd, GCLP_WNDPROC)) != ControlWndProc) return nullptr;
    return reinterpret_cast<TWinControl*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
}

void TWinControl::Attach(HWND wnd) {
    handle_ = wnd;
    hover_.Reset();
    ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    defProc_ = BaseProcOf(wnd);
}

void TWinControl::Detach() {
    if (handle_) ::SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    handle_ = nullptr;
    showing_ = false;
}

HWND TWinControl::Handle() {
    if (!handle_) CreateWnd();
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.WinClassName = Widen(ClassName());
    p.Caption = text_;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (visible_) p.Style |= WS_VISIBLE;
    if (!enabled_) p.Style |= WS_DISABLED;
    if (tabStop_) p.Style |= WS_TABSTOP;
    if (UseRightToLeftReading()) p.ExStyle |= WS_EX_RTLREADING;
    if (UseRightToLeftScrollBar()) p.ExStyle |= WS_EX_LEFTSCROLLBAR;
    p.X = left_;
    p.Y = top_;
    p.Width = width_;
    p.Height = height_;
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    if (parent_) p.WndParent = parent_->Handle();
    else if (p.Style & WS_CHILD) throw EInvalidOperation(Format("Control '%s' has no parent window", Name.c_str()));
    if (handle_) return;  // made while the parent's window was made
    RegisterControlClass(p);
    HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(NextControlId()) : nullptr;
    t_creating = this;
    state_ |= csCreating;
    HWND wnd = ::CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                                 p.Height, p.WndParent, id, ::GetModuleHandleW(nullptr), this);
    state_ &= ~csCreating;
    t_creating = nullptr;
    if (!wnd) {
        DWORD err = ::GetLastError();
        handle_ = nullptr;
        throw EOSError(err, Format("Error creating window %s: %s", ClassName().c_str(), SysErrorMessage(err).c_str()));
    }
    if (!handle_) Attach(wnd);
    CreateWindowHandle();
    CreateChildHandles();
    AlignControls();
    AfterCreateWnd();
    UpdateShowing();
}

void TWinControl::CreateWindowHandle() {
    ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(EffectiveFont().Handle()), FALSE);
}

void TWinControl::CreateChildHandles() {
    for (TWinControl* c : controls_)
        if (!c->handle_) c->CreateWnd();
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    BeforeDestroyWnd();
    for (TWinControl* c : controls_)
        if (c->handle_) c->text_ = c->WideText();
    text_ = WideText();
    HWND wnd = handle_;
    ::DestroyWindow(wnd);
    if (handle_ == wnd) Detach();  // the window belonged to another thread, or was already gone
}

void TWinControl::RecreateWnd() {
    if (handle_) SendNotice(CM_RECREATEWND);
}

void TWinControl::UpdateStyle(DWORD add, DWORD remove) {
    if (!handle_) return;
    LONG_PTR s = ::GetWindowLongPtrW(handle_, GWL_STYLE);
    ::SetWindowLongPtrW(handle_, GWL_STYLE, (s & ~static_cast<LONG_PTR>(remove)) | static_cast<LONG_PTR>(add));
    ::SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::UpdateExStyle(DWORD add, DWORD remove) {
    if (!handle_) return;
    LONG_PTR s = ::GetWindowLongPtrW(handle_, GWL_EXSTYLE);
    ::SetWindowLongPtrW(handle_, GWL_EXSTYLE, (s & ~static_cast<LONG_PTR>(remove)) | static_cast<LONG_PTR>(add));
    ::SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- parent and children ---------------------------------------------------

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent == this) throw EInvalidOperation("A control cannot be its own parent");
    TWinControl* old = parent_;
    if (old) {
        old->SendNotice(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(this), 0);
        old->RemoveControl(this);
    }
    const TBiDiMode bidiBefore = BiDiMode();
    parent_ = parent;
    if (parent_) {
        parent_->InsertControl(this);
        if (parentFont_) ApplyParentFont();
        if (handle_) ::SetParent(handle_, parent_->Handle());
        else if (parent_->HandleAllocated()) CreateWnd();
        parent_->AlignControls();
    } else {
        DestroyHandle();
    }
    if (old) old->AlignControls();
    if (handle_) BiDiModeChanged(bidiBefore);  // a window made before keeps its styles otherwise
    if (parent_) parent_->SendNotice(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(this), 1);
    if (handle_) UpdateShowing();
}

void TWinControl::InsertControl(TWinControl* c) { controls_.push_back(c); }

void TWinControl::RemoveControl(TWinControl* c) {
    auto it = std::find(controls_.begin(), controls_.end(), c);
    if (it != controls_.end()) controls_.erase(it);
}

// --- geometry ----------------------------------------------------------------

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_) ApplyBounds();
    if (resized && !handle_) AlignControls();
    if (parent_ && align_ != TAlign::alNone) parent_->AlignControls();
}

void TWinControl::ApplyBounds() {
    ::SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TWinControl::ClientRect() {
    RECT r{0, 0, width_, height_};
    if (handle_) ::GetClientRect(handle_, &r);
    return r;
}

int TWinControl::ClientWidth() { return ClientRect().right; }
int TWinControl::ClientHeight() { return ClientRect().bottom; }
void TWinControl::SetClientSize(int width, int height) {
    RECT client = ClientRect();
    SetBounds(left_, top_, width_ + width - client.right, height_ + height - client.bottom);
}

void TWinControl::SetAlign(TAlign align) {
    align_ = align;
    if (parent_) parent_->AlignControls();
}

void TWinControl::EnableAlign() {
    if (alignDisabled_ == 0 || --alignDisabled_ > 0) return;
    if (std::exchange(alignPending_, false)) AlignControls();
}

void TWinControl::AlignControls() {
    if (alignDisabled_ > 0) {
        alignPending_ = true;
        return;
    }
    if (aligning_) return;
    aligning_ = true;
    RECT r = ClientRect();
    auto place = [&](TAlign which) {
        for (TWinControl* c : controls_) {
            if (c->align_ != which || !c->visible_) continue;
            int x = r.left, y = r.top, w = r.right - r.left, h = r.bottom - r.top;
            switch (which) {
                case TAlign::alTop: h = c->height_; r.top += h; break;
                case TAlign::alBottom: h = c->height_; y = r.bottom - h; r.bottom -= h; break;
                case TAlign::alLeft: w = c->width_; r.left += w; break;
                case TAlign::alRight: w = c->width_; x = r.right - w; r.right -= w; break;
                default: break;
            }
            c->SetBounds(x, y, w, h);
        }
    };
    place(TAlign::alTop);
    place(TAlign::alBottom);
    place(TAlign::alLeft);
    place(TAlign::alRight);
    place(TAlign::alClient);
    aligning_ = false;
}

// --- state -------------------------------------------------------------------

TControlState TWinControl::ControlState() const {
    TControlState state = state_;
    for (const TComponent* c = this; c; c = c->Owner())
        if (auto* control = dynamic_cast<const TWinControl*>(c); control && control->loading_) {
            state |= csLoading;
            break;
        }
    return state;
}

void TWinControl::SetControlState(TControlState flags, bool on) {
    flags &= csCreating | csPaintCopy;
    state_ = on ? (state_ | flags) : (state_ & ~flags);
}

void TWinControl::SetBiDiMode(TBiDiMode mode) {
    const TBiDiMode before = BiDiMode();
    biDiMode_ = mode;
    parentBiDiMode_ = false;
    BiDiModeChanged(before);
}

void TWinControl::SetParentBiDiMode(bool value) {
    if (value == parentBiDiMode_) return;
    const TBiDiMode before = BiDiMode();
    parentBiDiMode_ = value;
    BiDiModeChanged(before);
}

void TWinControl::BiDiModeChanged(TBiDiMode before) {
    if (BiDiMode() == before) return;
    const bool reading = UseRightToLeftReading(), scrollBar = UseRightToLeftScrollBar();
    UpdateExStyle((reading ? WS_EX_RTLREADING : 0) | (scrollBar ? WS_EX_LEFTSCROLLBAR : 0),
                  (reading ? 0 : WS_EX_RTLREADING) | (scrollBar ? 0 : WS_EX_LEFTSCROLLBAR));
    SendNotice(CM_BIDIMODECHANGED);
    Invalidate();
    for (TWinControl* child : controls_)
        if (child->parentBiDiMode_) child->BiDiModeChanged(before);
}

TPopupMenu* TWinControl::PopupMenu() const { return popupMenu_.Get(); }
void TWinControl::SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

bool TWinControl::DoContextPopup(TMessage& m) {
    TPopupMenu* menu = PopupMenu();
    if (!menu || !menu->AutoPopup) return false;
    POINT at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (m.LParam == -1) {
        at = POINT{0, 0};
        if (handle_) ::ClientToScreen(handle_, &at);
    }
    menu->PopupComponent = this;
    menu->Popup(at.x, at.y);
    m.Result = 0;
    return true;
}

void TWinControl::SetVisible(bool visible) {
    if (visible == visible_ && (!visible || !parent_ || handle_ || !parent_->HandleAllocated())) return;
    const bool changed = visible != visible_;
    visible_ = visible;
    if (handle_) ::ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
    else if (visible && parent_ && parent_->HandleAllocated()) CreateWnd();
    if (parent_ && align_ != TAlign::alNone) parent_->AlignControls();
    if (changed) SendNotice(CM_VISIBLECHANGED, visible);
    UpdateShowing();
}

bool TWinControl::Showing() { return handle_ && ::IsWindowVisible(handle_); }

void TWinControl::UpdateShowing() {
    const bool now = Showing();
    if (now != showing_) {
        showing_ = now;
        SendNotice(CM_SHOWINGCHANGED);
    }
    const std::vector<TWinControl*> children = controls_;  // a notice may change the list
    for (TWinControl* c : children)
        if (std::find(controls_.begin(), controls_.end(), c) != controls_.end()) c->UpdateShowing();
}

void TWinControl::SetEnabled(bool enabled) {
    enabled_ = enabled;
    // The window's WM_ENABLE brings the notice.
    if (handle_) ::EnableWindow(handle_, enabled);
}

void TWinControl::SetTabStop(bool v) {
    tabStop_ = v;
    if (v) UpdateStyle(WS_TABSTOP, 0);
    else UpdateStyle(0, WS_TABSTOP);
}

bool TWinControl::Focused() { return handle_ && ::GetFocus() == handle_; }

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ::SetFocus(Handle());
}

bool TWinControl::CanFocus() {
    for (TWinControl* c = this; c; c = c->parent_)
        if (!c->visible_ || !c->enabled_) return false;
    return true;
}

// --- text --------------------------------------------------------------------

std::wstring TWinControl::WideText() {
    if (!handle_) return text_;
    int n = ::GetWindowTextLengthW(handle_);
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    n = ::GetWindowTextW(handle_, w.data(), n + 1);
    w.resize(static_cast<size_t>(n > 0 ? n : 0));
    return w;
}

void TWinControl::SetWideText(const std::wstring& s) {
    const bool changed = WideText() != s;
    text_ = s;
    if (handle_) ::SetWindowTextW(handle_, s.c_str());
    if (changed) SendNotice(CM_TEXTCHANGED);
}

std::string TWinControl::Text() { return Narrow(WideText()); }
void TWinControl::SetText(const std::string& s) { SetWideText(Widen(s)); }

// --- looks -------------------------------------------------------------------

TFont& TWinControl::EffectiveFont() { return *font_; }

void TWinControl::SetParentFont(bool v) {
    parentFont_ = v;
    if (v) ApplyParentFont();
}

void TWinControl::ApplyParentFont() {
    if (!parent_) return;
    auto keep = std::move(font_->OnChange);
    font_->Assign(parent_->EffectiveFont());
    font_->OnChange = std::move(keep);
    DoFontChanged();
}

void TWinControl::DoFontChanged() {
    if (font_->Generation() == appliedFontGeneration_) {
        // Only the colour changed: the text keeps its size and is painted again.
        if (handle_) ::InvalidateRect(handle_, nullptr, TRUE);
        for (TWinControl* c : controls_)
            if (c->parentFont_) c->ApplyParentFont();
    } else {
        appliedFontGeneration_ = font_->Generation();
        FontChanged();
    }
    SendNotice(CM_FONTCHANGED);
}

void TWinControl::FontChanged() {
    if (handle_) {
        ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), TRUE);
        ::InvalidateRect(handle_, nullptr, TRUE);
    }
    for (TWinControl* c : controls_)
        if (c->parentFont_) c->ApplyParentFont();
}

void TWinControl::SetColor(TColor c) {
    color_ = c;
    parentColor_ = false;
    DoColorChanged();
}

void TWinControl::SetParentColor(bool v) {
    parentColor_ = v;
    DoColorChanged();
}

void TWinControl::DoColorChanged() {
    ColorChanged();
    SendNotice(CM_COLORCHANGED);
}

TColor TWinControl::EffectiveColor() const {
    return (parentColor_ && parent_) ? parent_->EffectiveColor() : color_;
}

void TWinControl::ColorChanged() {
    Invalidate();
    for (TWinControl* c : controls_)
        if (c->parentColor_) c->DoColorChanged();
}

HBRUSH TWinControl::BackgroundBrush() {
    TColor c = EffectiveColor();
    if (!brush_ || brushColor_ != c) {
        brush_.Reset(::CreateSolidBrush(ColorToRGB(c)));
        brushColor_ = c;
    }
    return brush_.Get();
}

void TWinControl::Invalidate() {
    if (!handle_) return;
    // Another thread must not wait for this one: it invalidates directly.
    if (::GetWindowThreadProcessId(handle_, nullptr) == ::GetCurrentThreadId()) SendNotice(CM_INVALIDATE);
    else ::InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Repaint() {
    if (handle_) {
        Invalidate();
        ::UpdateWindow(handle_);
    }
}

void TWinControl::BringToFront() {
    if (handle_) ::SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::Click() {
    if (OnClick) OnClick(this);
}

// --- messages ----------------------------------------------------------------

void TWinControl::DefaultHandler(TMessage& m) {
    m.Result = ::CallWindowProcW(defProc_ ? defProc_ : ::DefWindowProcW, handle_, m.Msg, m.WParam, m.LParam);
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(Handle(), msg, wParam, lParam);
}

LRESULT TWinControl::SendNotice(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (Destroying() || !handle_) return 0;
    return ::SendMessageW(handle_, msg, wParam, lParam);
}

void TWinControl::Changed() { SendNotice(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }

void TWinControl::TrackMouse(UINT msg) {
    switch (hover_.Track(handle_, msg)) {
        case TMouseHover::hcEntered: SendNotice(CM_MOUSEENTER); break;
        case TMouseHover::hcLeft: SendNotice(CM_MOUSELEAVE); break;
        default: break;
    }
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_COMMAND: WMCommand(m); return;
        case WM_NOTIFY: WMNotify(m); return;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR: WMCtlColor(m); return;
        case WM_DRAWITEM: WMDrawItem(m); return;
        case WM_MEASUREITEM: WMMeasureItem(m); return;
        case WM_VSCROLL:
        case WM_HSCROLL: WMScroll(m); return;
        case WM_ERASEBKGND: WMEraseBkgnd(m); return;
        case WM_PAINT: WMPaint(m); return;
        case WM_PRINTCLIENT: WMPrintClient(m); return;
        case WM_SIZE: WMSize(m); return;
        case WM_MOVE: WMMove(m); return;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: WMKeyDown(m); return;
        case WM_KEYUP:
        case WM_SYSKEYUP: WMKeyUp(m); return;
        case WM_CHAR: WMChar(m); return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP: WMMouseButton(m); return;
        case WM_MOUSEMOVE: WMMouseMove(m); return;
        case WM_SETFOCUS: WMSetFocus(m); return;
        case WM_KILLFOCUS: WMKillFocus(m); return;
        case WM_NCDESTROY: WMNCDestroy(m); return;
        case WM_CONTEXTMENU:
            // A control without a menu lets it go on to its parent, whose menu
            // then shows (over a child without one, too).
            if (!DoContextPopup(m)) DefaultHandler(m);
            return;
        case WM_ENABLE:
            DefaultHandler(m);
            SendNotice(CM_ENABLEDCHANGED);
            return;
        case CM_ENTER:
            if (OnEnter) OnEnter(this);
            m.Result = 0;
            return;
        case CM_EXIT:
            if (OnExit) OnExit(this);
            m.Result = 0;
            return;
        case CM_INVALIDATE:
            if (handle_) ::InvalidateRect(handle_, nullptr, TRUE);
            m.Result = 0;
            return;
        case CM_RECREATEWND:
            if (handle_) {
                DestroyHandle();
                Handle();
            }
            m.Result = 0;
            return;
        default:
            if (IsReflected(m.Msg)) DispatchReflected(m);
            else DefaultHandler(m);
    }
}

bool TWinControl::ReflectToChild(TWinControl* child, TMessage& m) {
    if (!child || !child->handle_) return false;
    const bool outer = t_reflectedNotTaken;
    t_reflectedNotTaken = false;
    const LRESULT r = ::SendMessageW(child->handle_, CN_BASE + m.Msg, m.WParam, m.LParam);
    const bool taken = !t_reflectedNotTaken;
    t_reflectedNotTaken = outer;
    if (taken) m.Result = r;
    return taken;
}

void TWinControl::DispatchReflected(TMessage& m) {
    bool taken = false;
    m.Result = 0;
    switch (m.Msg) {
        case CN_COMMAND: taken = CNCommand(HIWORD(m.WParam)); break;
        case CN_NOTIFY: {
            LRESULT r = 0;
            taken = m.LParam && CNNotify(reinterpret_cast<NMHDR*>(m.LParam), r);
            if (taken) m.Result = r;
            break;
        }
        case CN_CTLCOLORSTATIC:
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORBTN:
        case CN_CTLCOLORLISTBOX:
        case CN_CTLCOLORSCROLLBAR:
            if (HBRUSH b = CNCtlColor(reinterpret_cast<HDC>(m.WParam))) {
                m.Result = reinterpret_cast<LRESULT>(b);
                taken = true;
            }
            break;
        case CN_DRAWITEM:
            taken = m.LParam && CNDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam));
            if (taken) m.Result = TRUE;
            break;
        case CN_MEASUREITEM:
            taken = m.LParam && CNMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam));
            if (taken) m.Result = TRUE;
            break;
        case CN_HSCROLL:
        case CN_VSCROLL: taken = CNScroll(m.Msg - CN_BASE, LOWORD(m.WParam)); break;
        default: break;
    }
    if (!taken) t_reflectedNotTaken = true;
}

void TWinControl::WMCommand(TMessage& m) {
    if (m.LParam && ReflectToChild(FromHandle(reinterpret_cast<HWND>(m.LParam)), m)) return;
    DefaultHandler(m);
}

void TWinControl::WMNotify(TMessage& m) {
    auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
    if (hdr && ReflectToChild(FromHandle(hdr->hwndFrom), m)) return;
    DefaultHandler(m);
}

void TWinControl::WMCtlColor(TMessage& m) {
    if (ReflectToChild(FromHandle(reinterpret_cast<HWND>(m.LParam)), m)) return;
    DefaultHandler(m);
}

HBRUSH TWinControl::CNCtlColor(HDC dc) {
    ::SetTextColor(dc, ColorToRGB(font_->Color()));
    if (ShowsParentBackground() && handle_) {
        RECT r;
        ::GetClientRect(handle_, &r);
        if (PaintParentBackground(*this, dc, r)) {
            ::SetBkMode(dc, TRANSPARENT);
            return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
        }
    }
    ::SetBkColor(dc, ColorToRGB(EffectiveColor()));
    return BackgroundBrush();
}

void TWinControl::WMDrawItem(TMessage& m) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (dis && dis->CtlType == ODT_MENU && TMenuItem::HandleOwnerDrawMessage(m.Msg, m.LParam)) {
        m.Result = TRUE;
        return;
    }
    if (dis && dis->CtlType != ODT_MENU && ReflectToChild(FromHandle(dis->hwndItem), m)) return;
    DefaultHandler(m);
}

void TWinControl::WMMeasureItem(TMessage& m) {
    // The item's control is known by its id only.
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (mis && mis->CtlType == ODT_MENU && TMenuItem::HandleOwnerDrawMessage(m.Msg, m.LParam)) {
        m.Result = TRUE;
        return;
    }
    if (mis && mis->CtlType != ODT_MENU &&
        ReflectToChild(FromHandle(::GetDlgItem(handle_, static_cast<int>(mis->CtlID))), m))
        return;
    DefaultHandler(m);
}

void TWinControl::WMScroll(TMessage& m) {
    // Scroll bars and up-down controls report to their parent; hand it back to them.
    if (m.LParam && ReflectToChild(FromHandle(reinterpret_cast<HWND>(m.LParam)), m)) return;
    DefaultHandler(m);
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
    if (!PaintsItself() && defProc_ != ::DefWindowProcW) {
        DefaultHandler(m);
        return;
    }
    RECT r;
    ::GetClientRect(handle_, &r);
    const HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (!ShowsParentBackground() || !PaintParentBackground(*this, dc, r)) ::FillRect(dc, &r, BackgroundBrush());
    m.Result = 1;
}

void TWinControl::WMPaint(TMessage& m) {
    if (!PaintsItself()) {
        DefaultHandler(m);
        return;
    }
    if (const HDC given = reinterpret_cast<HDC>(m.WParam)) {
        RECT clip = ClientRect(), box;
        if (::GetClipBox(given, &box) > NULLREGION) ::IntersectRect(&clip, &clip, &box);
        Paint(given, clip);
        m.Result = 0;
        return;
    }
    PaintDC dc(handle_);
    Paint(dc.Get(), dc.PaintRect());
    m.Result = 0;
}

void TWinControl::WMPrintClient(TMessage& m) {
    if (!PaintsItself()) {
        DefaultHandler(m);
        return;
    }
    m.Result = 0;
    if ((m.LParam & PRF_CHECKVISIBLE) && !::IsWindowVisible(handle_)) return;
    // Through the window, so that layers hooking it paint as they would on screen.
    if (m.LParam & PRF_ERASEBKGND) ::SendMessageW(handle_, WM_ERASEBKGND, m.WParam, 0);
    if (m.LParam & PRF_CLIENT) ::SendMessageW(handle_, WM_PAINT, m.WParam, 0);
}

void TWinControl::WMSize(TMessage& m) {
    DefaultHandler(m);
    if (m.WParam != SIZE_MINIMIZED) {
        RECT r;
        ::GetWindowRect(handle_, &r);
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
        AlignControls();
        if (OnResize) OnResize(this);
    }
}

void TWinControl::WMMove(TMessage& m) {
    DefaultHandler(m);
    if (::IsIconic(handle_)) return;
    RECT r;
    ::GetWindowRect(handle_, &r);
    HWND parent = ::GetParent(handle_);
    if (parent && (::GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD))
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    left_ = r.left;
    top_ = r.top;
}

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift) {
    if (PreviewKeyDown(this, key, shift)) return true;
    if (OnKeyDown) {
        OnKeyDown(this, key, shift);
        if (key == 0) return true;
    }
    return UnhandledKeyDown(this, key, shift);
}

bool TWinControl::DoKeyPress(wchar_t& key) {
    if (PreviewKeyPress(this, key)) return true;
    if (OnKeyPress) {
        OnKeyPress(this, key);
        if (key == 0) return true;
    }
    return false;
}

bool TWinControl::PreviewKeyDown(TWinControl* target, WORD& key, TShiftState shift) {
    return parent_ && parent_->PreviewKeyDown(target, key, shift);
}

bool TWinControl::PreviewKeyPress(TWinControl* target, wchar_t& key) {
    return parent_ && parent_->PreviewKeyPress(target, key);
}

void TWinControl::PreviewKeyUp(TWinControl* target, WORD& key, TShiftState shift) {
    if (parent_) parent_->PreviewKeyUp(target, key, shift);
}

bool TWinControl::UnhandledKeyDown(TWinControl* target, WORD& key, TShiftState shift) {
    return parent_ && parent_->UnhandledKeyDown(target, key, shift);
}

void TWinControl::WMKeyDown(TMessage& m) {
    WORD key = static_cast<WORD>(m.WParam);
    TShiftState shift = KeyboardShiftState();
    // A system key with the context bit set was pressed with Alt, whatever the
    // keyboard state says now.
    if (m.Msg == WM_SYSKEYDOWN && (m.LParam & (LPARAM(1) << 29))) shift |= ssAlt;
    if (DoKeyDown(key, shift)) {
        m.Result = 0;
        return;
    }
    m.WParam = key;
    DefaultHandler(m);
}

void TWinControl::WMKeyUp(TMessage& m) {
    WORD key = static_cast<WORD>(m.WParam);
    PreviewKeyUp(this, key, KeyboardShiftState());
    if (key && OnKeyUp) OnKeyUp(this, key, KeyboardShiftState());
    if (key == 0) {
        m.Result = 0;
        return;
    }
    DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m) {
    wchar_t key = static_cast<wchar_t>(m.WParam);
    if (DoKeyPress(key)) {
        m.Result = 0;
        return;
    }
    m.WParam = key;
    DefaultHandler(m);
}

void TWinControl::WMMouseButton(TMessage& m) {
    DefaultHandler(m);
    int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    TShiftState shift = MouseShiftState(m.WParam);
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
            if (PaintsItself()) ::SetCapture(handle_);
            if (OnMouseDown) OnMouseDown(this, TMouseButton::mbLeft, shift, x, y);
            break;
        case WM_LBUTTONDBLCLK:
            if (OnMouseDown) OnMouseDown(this, TMouseButton::mbLeft, shift | ssDouble, x, y);
            if (PaintsItself() && OnDblClick) OnDblClick(this);
            break;
        case WM_RBUTTONDOWN:
            if (OnMouseDown) OnMouseDown(this, TMouseButton::mbRight, shift, x, y);
            break;
        case WM_MBUTTONDOWN:
            if (OnMouseDown) OnMouseDown(this, TMouseButton::mbMiddle, shift, x, y);
            break;
        case WM_LBUTTONUP: {
            bool captured = ::GetCapture() == handle_;
            if (captured) ::ReleaseCapture();
            if (OnMouseUp) OnMouseUp(this, TMouseButton::mbLeft, shift, x, y);
            RECT r;
            ::GetClientRect(handle_, &r);
            POINT pt{x, y};
            if (PaintsItself() && captured && ::PtInRect(&r, pt)) Click();
            break;
        }
        case WM_RBUTTONUP:
            if (OnMouseUp) OnMouseUp(this, TMouseButton::mbRight, shift, x, y);
            break;
        case WM_MBUTTONUP:
            if (OnMouseUp) OnMouseUp(this, TMouseButton::mbMiddle, shift, x, y);
            break;
        default: break;
    }
}

void TWinControl::WMMouseMove(TMessage& m) {
    DefaultHandler(m);
    if (OnMouseMove) OnMouseMove(this, MouseShiftState(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

void TWinControl::WMSetFocus(TMessage& m) {
    DefaultHandler(m);
    SendNotice(CM_ENTER);
}

void TWinControl::WMKillFocus(TMessage& m) {
    DefaultHandler(m);
    SendNotice(CM_EXIT);
}

void TWinControl::WMNCDestroy(TMessage& m) { DefaultHandler(m); }

}  // namespace ad
