// Forms, modal loops, dialog keys and the application object.
#include "framework/Forms.h"

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "framework/ExceptionBarrier.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "framework/SysUtils.h"
#include "framework/WindowEnum.h"

namespace ad {

TApplication* Application = nullptr;

namespace {

constexpr UINT CM_RELEASE = WM_USER + 0x100;
constexpr UINT CM_EXCEPTION = WM_USER + 0x101;
constexpr UINT_PTR HintTimerId = 1;

// Disables the other enabled, visible top-level windows of the thread while a
// modal form runs, and enables them again afterwards.
class TaskWindowsDisabler {
public:
    explicit TaskWindowsDisabler(HWND except) : except_(except) {
        for (HWND w : ThreadWindows())
            if (w != except_ && ::IsWindowVisible(w) && ::IsWindowEnabled(w)) windows_.push_back(w);
        for (HWND w : windows_) ::EnableWindow(w, FALSE);
    }
    ~TaskWindowsDisabler() {
        for (HWND w : windows_)
            if (::IsWindow(w)) ::EnableWindow(w, TRUE);
    }
    TaskWindowsDisabler(const TaskWindowsDisabler&) = delete;
    TaskWindowsDisabler& operator=(const TaskWindowsDisabler&) = delete;

private:
    HWND except_;
    std::vector<HWND> windows_;
};

template <class T, class Pred>
T* FindInTree(TWinControl* root, Pred pred) {
    for (int i = 0; i < root->ControlCount(); ++i) {
        TWinControl* c = root->Controls(i);
        if (auto* t = dynamic_cast<T*>(c); t && pred(t)) return t;
        if (T* found = FindInTree<T>(c, pred)) return found;
    }
    return nullptr;
}

}  // namespace

// --- TForm -------------------------------------------------------------------

TForm* GetParentForm(TWinControl* control) {
    for (TWinControl* c = control; c; c = c->Parent())
        if (auto* form = dynamic_cast<TForm*>(c)) return form;
    return nullptr;
}

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
    // Built by the descendant's constructor: loading until created or shown.
    loading_ = true;
    ControlStyle = csAcceptsControls;
    visible_ = false;
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
}

TForm::~TForm() {
    BeginDestroy();
    if (Application) Application->CancelRelease(this);
    if (Application && Application->MainForm == this) Application->MainForm = nullptr;
    DestroyHandle();
}

void TForm::DoCreate() {
    loading_ = false;
    // Like the class library: a failing OnCreate is shown in the error box and
    // the form is still made.
    if (OnCreate) Guarded([this] { OnCreate(this); });
}

void TForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    p.ExStyle = WS_EX_CONTROLPARENT;
    switch (BorderStyle) {
        case TFormBorderStyle::bsNone: p.Style |= WS_POPUP; break;
        case TFormBorderStyle::bsSingle: p.Style |= WS_CAPTION | WS_BORDER; break;
        case TFormBorderStyle::bsSizeable: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
        case TFormBorderStyle::bsDialog:
            p.Style |= WS_CAPTION | DS_MODALFRAME;
            p.ExStyle |= WS_EX_DLGMODALFRAME;
            break;
        case TFormBorderStyle::bsToolWindow:
            p.Style |= WS_CAPTION;
            p.ExStyle |= WS_EX_TOOLWINDOW;
            break;
        case TFormBorderStyle::bsSizeToolWin:
            p.Style |= WS_CAPTION | WS_THICKFRAME;
            p.ExStyle |= WS_EX_TOOLWINDOW;
            break;
    }
    if (BorderStyle != TFormBorderStyle::bsNone && (BorderIcons & biSystemMenu)) {
        p.Style |= WS_SYSMENU;
        bool dialogLike = BorderStyle == TFormBorderStyle::bsDialog || BorderStyle == TFormBorderStyle::bsToolWindow ||
                          BorderStyle == TFormBorderStyle::bsSizeToolWin;
        if (!dialogLike && (BorderIcons & biMinimize)) p.Style |= WS_MINIMIZEBOX;
        if (!dialogLike && (BorderIcons & biMaximize)) p.Style |= WS_MAXIMIZEBOX;
        // The caption's help button: shown by the system only without the
        // minimise and maximise buttons.
        if ((BorderIcons & biHelp) && (BorderStyle == TFormBorderStyle::bsDialog ||
                                       !(p.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))))
            p.ExStyle |= WS_EX_CONTEXTHELP;
    }
    if (formStyle_ == TFormStyle::fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
    if (alphaBlend_) p.ExStyle |= WS_EX_LAYERED;
    if (!Enabled()) p.Style |= WS_DISABLED;
    bool isMain = Application && Application->MainForm == this;
    if (isMain) p.ExStyle |= WS_EX_APPWINDOW;
    else if (Application && Application->MainForm && Application->MainForm->HandleAllocated())
        p.WndParent = Application->MainForm->Handle();
}

void TForm::AfterCreateWnd() {
    ApplyIcon();
    if (alphaBlend_) ApplyAlphaBlend();
    if (menu_) ApplyMenu();
}

void TForm::BeforeDestroyWnd() {
    // The window would destroy the bar with itself; the menu component owns it.
    if (::GetMenu(handle_)) ::SetMenu(handle_, nullptr);
}

TMainMenu* TForm::Menu() const { return menu_.Get(); }

void TForm::SetMenu(TMainMenu* menu) {
    if (menu == menu_.Get()) return;
    if (TMainMenu* old = menu_.Get()) old->shownIn_ = nullptr;
    menu_ = menu;
    if (!HandleAllocated()) return;
    ApplyMenu();
    SendNotice(CM_MENUCHANGED);
}

void TForm::ApplyMenu() {
    TMainMenu* menu = menu_.Get();
    if (menu) menu->shownIn_ = handle_;
    ::SetMenu(handle_, menu ? menu->Handle() : nullptr);
    ::DrawMenuBar(handle_);
}

void TForm::SetFormStyle(TFormStyle style) {
    if (style == formStyle_) return;
    const bool wasOnTop = formStyle_ == TFormStyle::fsStayOnTop;
    formStyle_ = style;
    const bool onTop = style == TFormStyle::fsStayOnTop;
    if (HandleAllocated() && onTop != wasOnTop)
        ::SetWindowPos(handle_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetAlphaBlend(bool on) {
    if (on == alphaBlend_) return;
    alphaBlend_ = on;
    if (!HandleAllocated()) return;
    if (on) ApplyAlphaBlend();
    else UpdateExStyle(0, WS_EX_LAYERED);
}

void TForm::SetAlphaBlendValue(BYTE value) {
    if (value == alphaBlendValue_) return;
    alphaBlendValue_ = value;
    if (alphaBlend_ && HandleAllocated()) ApplyAlphaBlend();
}

void TForm::ApplyAlphaBlend() {
    if (!(::GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_LAYERED)) UpdateExStyle(WS_EX_LAYERED, 0);
    ::SetLayeredWindowAttributes(handle_, 0, alphaBlendValue_, LWA_ALPHA);
}

void TForm::ApplyIcon() {
    HICON icon = icon_ ? icon_.Get() : (Application ? Application->Icon.Get() : nullptr);
    if (icon) {
        ::SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        ::SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

void TForm::SetIcon(OwnedIcon&& icon) {
    HeldIcon replaced = std::exchange(icon_, HeldIcon(std::move(icon)));
    if (HandleAllocated()) ApplyIcon();
}  // an icon the form owned goes only once the window shows the new one

void TForm::SetIcon(IconRef icon) {
    HeldIcon replaced = std::exchange(icon_, HeldIcon(icon));
    if (HandleAllocated()) ApplyIcon();
}

void TForm::SetClientSize(int width, int height) {
    TCreateParams p;
    CreateParams(p);
    DWORD style = HandleAllocated() ? static_cast<DWORD>(::GetWindowLongPtrW(handle_, GWL_STYLE)) : p.Style;
    DWORD exStyle = HandleAllocated() ? static_cast<DWORD>(::GetWindowLongPtrW(handle_, GWL_EXSTYLE)) : p.ExStyle;
    RECT r{0, 0, width, height};
    ::AdjustWindowRectEx(&r, style, menu_ ? TRUE : FALSE, exStyle);
    SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

void TForm::CenterOn(HWND other) {
    RECT area;
    if (other && ::IsWindowVisible(other)) ::GetWindowRect(other, &area);
    else ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    int x = area.left + (area.right - area.left - Width()) / 2;
    int y = area.top + (area.bottom - area.top - Height()) / 2;
    SetBounds(x < 0 ? 0 : x, y < 0 ? 0 : y, Width(), Height());
}

void TForm::SetVisible(bool visible) {
    if (visible) ShowForm(true);
    else {
        const bool changed = visible_;
        if (HandleAllocated() && ::IsWindowVisible(handle_)) {
            if (OnHide) OnHide(this);
            ::ShowWindow(handle_, SW_HIDE);
        }
        visible_ = false;
        if (changed) SendNotice(CM_VISIBLECHANGED, FALSE);
        UpdateShowing();
    }
}

void TForm::ShowNoActivate() { ShowForm(false); }

void TForm::ShowForm(bool activate) {
    const bool changed = !visible_;
    loading_ = false;
    Handle();
    if (!shownOnce_) {
        shownOnce_ = true;
        switch (Position) {
            case TPosition::poScreenCenter: CenterOn(nullptr); break;
            case TPosition::poMainFormCenter:
            case TPosition::poOwnerFormCenter:
                CenterOn(Application && Application->MainForm && Application->MainForm != this &&
                                 Application->MainForm->HandleAllocated()
                             ? Application->MainForm->Handle()
                             : nullptr);
                break;
            default: break;
        }
    }
    visible_ = true;
    if (!::IsWindowVisible(handle_)) {
        if (OnShow) OnShow(this);
        if (activate) {
            ::ShowWindow(handle_, SW_SHOW);
            ::SetForegroundWindow(handle_);
        } else {
            ::ShowWindow(handle_, SW_SHOWNOACTIVATE);
        }
    }
    if (changed) SendNotice(CM_VISIBLECHANGED, TRUE);
    UpdateShowing();
}

TWindowState TForm::WindowState() {
    if (!HandleAllocated()) return TWindowState::wsNormal;
    if (::IsIconic(handle_)) return TWindowState::wsMinimized;
    if (::IsZoomed(handle_)) return TWindowState::wsMaximized;
    return TWindowState::wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
    int cmd = state == TWindowState::wsMinimized ? SW_MINIMIZE
              : state == TWindowState::wsMaximized ? SW_MAXIMIZE
                                                    : SW_RESTORE;
    ::ShowWindow(Handle(), cmd);
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TForm::Close() {
    if (modal_) {
        if (ModalResult == mrNone) ModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    bool isMain = Application && Application->MainForm == this;
    TCloseAction action = isMain ? TCloseAction::caFree : TCloseAction::caHide;
    DoClose(action);
    switch (action) {
        case TCloseAction::caNone: return;
        case TCloseAction::caMinimize: SetWindowState(TWindowState::wsMinimized); return;
        case TCloseAction::caHide: Hide(); break;
        case TCloseAction::caFree:
            Hide();
            if (!isMain) Release();
            break;
    }
    if (isMain && Application) Application->Terminate();
}

void TForm::Release() {
    if (Application) Application->ScheduleRelease(this);
}

int TForm::ShowModal() {
    if (modal_ || (HandleAllocated() && ::IsWindowVisible(handle_)))
        throw EInvalidOperation("Cannot make a visible window modal");
    if (!Application) throw EInvalidOperation("No application object");
    HWND previous = ::GetActiveWindow();
    Handle();
    if (previous && previous != handle_) ::SetWindowLongPtrW(handle_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(previous));
    ModalResult = mrNone;
    modal_ = true;
    struct Restore {
        TForm* form;
        HWND previous;
        ~Restore() {
            form->modal_ = false;
            if (form->HandleAllocated()) form->Hide();
            if (previous && ::IsWindow(previous)) ::SetActiveWindow(previous);
        }
    } restore{this, previous};
    {
        TaskWindowsDisabler disabler(handle_);
        Show();
        for (;;) {
            if (Application->Terminated()) {
                if (ModalResult == mrNone) ModalResult = mrCancel;
                break;
            }
            Application->HandleMessage();
            if (ModalResult != mrNone) {
                TCloseAction action = TCloseAction::caHide;
                if (CloseQuery()) DoClose(action);
                else action = TCloseAction::caNone;
                if (action != TCloseAction::caNone) break;
                ModalResult = mrNone;
            }
        }
    }  // the other windows are enabled again before this one hides
    return ModalResult;
}

TButton* TForm::DefaultButton() {
    return FindInTree<TButton>(this, [](TButton* b) { return b->Default && b->Visible() && b->Enabled(); });
}

TButton* TForm::CancelButton() {
    return FindInTree<TButton>(this, [](TButton* b) { return b->Cancel && b->Visible() && b->Enabled(); });
}

bool TForm::IsDialogKey(MSG& msg) {
    if (!HandleAllocated()) return false;
    if (msg.message == WM_SYSCHAR) return ::IsDialogMessageW(handle_, &msg) != FALSE;
    if (msg.message != WM_KEYDOWN) return false;
    UINT code = static_cast<UINT>(::SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)));
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
    switch (msg.wParam) {
        case VK_RETURN: {
            if (TButton* focused = dynamic_cast<TButton*>(FromHandle(msg.hwnd))) {
                focused->Click();
                return true;
            }
            if (TButton* b = DefaultButton()) {
                b->Click();
                return true;
            }
            return false;
        }
        case VK_ESCAPE:
            if (TButton* b = CancelButton()) {
                b->Click();
                return true;
            }
            return false;
        case VK_TAB:
            if (code & DLGC_WANTTAB) return false;
            if (::GetKeyState(VK_CONTROL) < 0) return false;
            return ::IsDialogMessageW(handle_, &msg) != FALSE;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (code & DLGC_WANTARROWS) return false;
            return ::IsDialogMessageW(handle_, &msg) != FALSE;
        default: return false;
    }
}

bool TForm::PreviewKeyDown(TWinControl* target, WORD& key, TShiftState shift) {
    if (target == this || !KeyPreview || !OnKeyDown) return false;
    OnKeyDown(this, key, shift);
    return key == 0;
}

bool TForm::PreviewKeyPress(TWinControl* target, wchar_t& key) {
    if (target == this || !KeyPreview || !OnKeyPress) return false;
    OnKeyPress(this, key);
    return key == 0;
}

void TForm::PreviewKeyUp(TWinControl* target, WORD& key, TShiftState shift) {
    if (target != this && KeyPreview && OnKeyUp) OnKeyUp(this, key, shift);
}

bool TForm::UnhandledKeyDown(TWinControl*, WORD& key, TShiftState) {
    // A secondary window with key preview closes on Esc.
    if (key != VK_ESCAPE || !KeyPreview || !Modal()) return false;
    ModalResult = mrCancel;
    key = 0;
    return true;
}

void TForm::Paint(HDC dc, const RECT& clip) {
    (void)clip;
    if (OnPaint) {
        Canvas.SetHandle(dc);
        OnPaint(this);
        Canvas.SetHandle(nullptr);
    }
}

void TForm::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_COMMAND:
            // A command of the menu bar (not an accelerator's, not a control's).
            if (HIWORD(m.WParam) == 0 && m.LParam == 0 && menu_)
                if (TMenuItem* item = menu_->FindCommand(LOWORD(m.WParam))) {
                    item->Click();
                    m.Result = 0;
                    return;
                }
            TWinControl::WndProc(m);
            return;
        case WM_CLOSE:
            Close();
            m.Result = 0;
            return;
        case WM_ACTIVATE:
            DefaultHandler(m);
            if (LOWORD(m.WParam) != WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (!focus || (focus != handle_ && !::IsChild(handle_, focus))) {
                    if (HWND first = ::GetNextDlgTabItem(handle_, nullptr, FALSE)) ::SetFocus(first);
                }
                if (OnActivate) OnActivate(this);
            } else if (OnDeactivate) {
                OnDeactivate(this);
            }
            return;
        case WM_SIZE:
            TWinControl::WndProc(m);
            if (Application && Application->MainForm == this) {
                if (m.WParam == SIZE_MINIMIZED && Application->OnMinimize) Application->OnMinimize(Application);
                if (m.WParam == SIZE_RESTORED && Application->OnRestore) Application->OnRestore(Application);
            }
            return;
        default: TWinControl::WndProc(m);
    }
}

// --- TApplication --------------------------------------------------------------

namespace {

// The exception barrier's sink while an application object exists: its error box.
void ShowInErrorBox(std::exception_ptr e) {
    if (Application) Application->HandleException(e);
    else std::rethrow_exception(e);  // the barrier's own fallback
}

}  // namespace

TApplication::TApplication() : TComponent(nullptr), mainThreadId_(::GetCurrentThreadId()) {
    if (!Application) {
        Application = this;
        previousSink_ = SetCallbackExceptionSink(&ShowInErrorBox);
    }
}

TApplication::~TApplication() {
    BeginDestroy();
    hintWindow_.reset();
    DestroyComponents();
    overlayOwner_.reset();
    utility_.reset();
    if (oleInitialized_) ::OleUninitialize();
    if (Application == this) {
        SetCallbackExceptionSink(previousSink_);
        Application = nullptr;
    }
}

HWND TApplication::OverlayOwner() {
    if (!overlayOwner_)
        overlayOwner_ = std::make_unique<TUtilityWindow>(nullptr, TUtilityWindow::TKind::TopLevel);
    return overlayOwner_->Handle();
}

void TApplication::Initialize() {
    if (!oleInitialized_) oleInitialized_ = SUCCEEDED(::OleInitialize(nullptr));
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    ::InitCommonControlsEx(&icc);
    if (!utility_)
        utility_ = std::make_unique<TUtilityWindow>(
            [this](UINT msg, WPARAM w, LPARAM l, LRESULT& r) { return HandleUtilityMessage(msg, w, l, r); });
    if (!Icon) Icon = IconRef(::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON"));
}

void TApplication::ScheduleRelease(TForm* form) {
    if (!Handle() || std::find(releasing_.begin(), releasing_.end(), form) != releasing_.end()) return;
    releasing_.push_back(form);
    if (!::PostMessageW(Handle(), CM_RELEASE, 0, reinterpret_cast<LPARAM>(form))) releasing_.pop_back();
}

void TApplication::CancelRelease(TForm* form) noexcept {
    releasing_.erase(std::remove(releasing_.begin(), releasing_.end(), form), releasing_.end());
}

std::string GetShortHint(const std::string& hint) {
    const size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
    const size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

namespace {

// The control whose hint shows for Control: itself or its nearest parent with a hint.
TWinControl* HintSource(TWinControl* control) {
    for (TWinControl* c = control; c; c = c->Parent())
        if (!c->Hint.empty()) return c;
    return nullptr;
}

// Our control behind a window or its nearest parent window.
TWinControl* ControlOfWindow(HWND wnd) {
    for (HWND w = wnd; w; w = ::GetParent(w))
        if (TWinControl* c = TWinControl::FromHandle(w)) return c;
    return nullptr;
}

}  // namespace

void TApplication::TrackHintMouse(const MSG& msg) {
    if (hintWindow_ && msg.hwnd && msg.hwnd == hintWindow_->WindowHandle()) return;
    switch (msg.message) {
        case WM_MOUSEMOVE: {
            TWinControl* control = ControlOfWindow(msg.hwnd);
            HWND wnd = control ? control->Handle() : nullptr;
            if (wnd == hintWnd_) return;
            CancelHint();
            hintWnd_ = wnd;
            TWinControl* source = HintSource(control);
            Hint = source ? GetLongHint(source->Hint) : std::string();
            if (source && ShowHint && HintWindowClass && Handle())
                ::SetTimer(Handle(), HintTimerId, static_cast<UINT>(std::max(HintPause, 0)), nullptr);
            return;
        }
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        case WM_NCMOUSEMOVE: case WM_KEYDOWN: case WM_SYSKEYDOWN:
            CancelHint();
            return;
        default: return;
    }
}

void TApplication::CancelHint() {
    if (Handle()) ::KillTimer(Handle(), HintTimerId);
    if (hintWindow_) hintWindow_->ReleaseHint();
}

void TApplication::ActivateHint(TWinControl* Control, POINT CursorPos) {
    TWinControl* source = HintSource(Control);
    if (!source || !ShowHint) {
        CancelHint();
        return;
    }
    THintInfo info;
    info.HintControl = Control;
    info.HintWindowClass = HintWindowClass;
    info.HintPos = TPoint{CursorPos.x, CursorPos.y + ::GetSystemMetrics(SM_CYCURSOR) * 2 / 3};
    info.HintMaxWidth = ::GetSystemMetrics(SM_CXSCREEN);
    info.HintStr = GetShortHint(source->Hint);
    bool canShow = !Control->HandleAllocated() ||
                   Control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
    if (canShow && OnShowHint) Guarded([&] { OnShowHint(info.HintStr, canShow, info); });
    if (!canShow || info.HintStr.empty() || !info.HintWindowClass) {
        CancelHint();
        return;
    }
    if (!hintWindow_ || hintWindowClass_ != info.HintWindowClass) {
        if (hintWindow_) hintWindow_->ReleaseHint();
        hintWindow_ = info.HintWindowClass();
        hintWindowClass_ = info.HintWindowClass;
    }
    TRect r = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    r = TRect{info.HintPos.X, info.HintPos.Y, info.HintPos.X + r.Width(), info.HintPos.Y + r.Height()};
    hintWindow_->ActivateHintData(r, info.HintStr, info.HintData);
}

bool TApplication::HandleUtilityMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
            // Owner-drawn items of the popup menus this window owns.
            if (!TMenuItem::HandleOwnerDrawMessage(msg, lParam)) return false;
            result = TRUE;
            return true;
        case WM_TIMER: {
            if (wParam != HintTimerId) return false;
            ::KillTimer(Handle(), HintTimerId);
            POINT pos{};
            ::GetCursorPos(&pos);
            if (TWinControl* control = hintWnd_ ? TWinControl::FromHandle(hintWnd_) : nullptr)
                Guarded([&] { ActivateHint(control, pos); });
            result = 0;
            return true;
        }
        case CM_RELEASE: {
            // The pointer is only compared until the form is known to be pending, hence alive.
            auto* form = reinterpret_cast<TForm*>(lParam);
            if (std::find(releasing_.begin(), releasing_.end(), form) != releasing_.end())
                delete form;  // its destructor takes it off the list
            result = 0;
            return true;
        }
        case CM_EXCEPTION: {
            std::deque<std::exception_ptr> batch;
            {
                std::lock_guard<std::mutex> lock(pendingLock_);
                batch.swap(pending_);
            }
            for (auto& e : batch) HandleException(e);
            result = 0;
            return true;
        }
        default: return false;
    }
}

void TApplication::Run() {
    if (MainForm) MainForm->Show();
    while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
    terminated_ = true;
    ::PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return false;
    }
    if (OnMessage) {
        bool handled = false;
        Guarded([&] { OnMessage(msg, handled); });
        if (handled) return true;
    }
    TrackHintMouse(msg);
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSCHAR) {
        // The form that owns the window with the keyboard focus gets the dialog keys first.
        for (HWND w = msg.hwnd; w; w = ::GetParent(w)) {
            if (TWinControl* c = TWinControl::FromHandle(w)) {
                TForm* form = GetParentForm(c);
                bool handled = false;
                if (form) Guarded([&] { handled = form->IsDialogKey(msg); });
                if (handled) return true;
                break;
            }
        }
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    return true;
}

void TApplication::HandleMessage() {
    MSG msg;
    BOOL r = ::GetMessageW(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) {
        terminated_ = true;
        return;
    }
    ProcessMessage(msg);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!ProcessMessage(msg)) break;
    }
}

void TApplication::Minimize() {
    if (MainForm) ::ShowWindow(MainForm->Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
    if (MainForm) ::ShowWindow(MainForm->Handle(), SW_RESTORE);
}

std::string TApplication::ExceptionMessage(const std::exception_ptr& e) {
    try {
        std::rethrow_exception(e);
    } catch (const Exception& ex) {
        return ex.Message;
    } catch (const std::exception& ex) {
        return ex.what();
    } catch (...) {
        return "Unknown exception";
    }
}

void TApplication::HandleException(std::exception_ptr e) {
    if (!e) return;
    if (::GetCurrentThreadId() != mainThreadId_) {
        {
            std::lock_guard<std::mutex> lock(pendingLock_);
            pending_.push_back(e);
        }
        if (Handle()) ::PostMessageW(Handle(), CM_EXCEPTION, 0, 0);
        return;
    }
    if (OnException) {
        try {
            OnException(this, e);
            return;
        } catch (...) {
            e = std::current_exception();
        }
    }
    ShowException(e);
}

void TApplication::ShowException(const std::exception_ptr& e) {
    std::string text = ExceptionMessage(e);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    MessageBox(text, Title, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    if (OnMessageBox) return OnMessageBox(text, caption, flags);
    HWND owner = ::GetActiveWindow();
    if (!owner && MainForm && MainForm->HandleAllocated()) owner = MainForm->Handle();
    return ::MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), flags);
}

bool OpenURL(const std::string& url) {
    if (Application && Application->OnOpenURL) {
        Application->OnOpenURL(url);
        return true;
    }
    auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", Widen(url).c_str(), nullptr, nullptr, SW_SHOW));
    return result > 32;
}

}  // namespace ad
