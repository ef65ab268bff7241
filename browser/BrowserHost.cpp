// The browser host control (see BrowserHost.h).
#include "browser/BrowserHost.h"

#include <commctrl.h>
#include <ocidl.h>
#include <oleauto.h>
#include <windowsx.h>

#include <cwctype>

#include "base/StrUtils.h"
#include "base/WinText.h"
#include "browser/BhSite.h"
#include "browser/BhTools.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"

namespace ad::browser {

namespace {

bool ContainsNoCase(const std::wstring& text, const std::wstring& part) {
    std::wstring a = text, b = part;
    for (auto& c : a) c = static_cast<wchar_t>(std::towupper(c));
    for (auto& c : b) c = static_cast<wchar_t>(std::towupper(c));
    return a.find(b) != std::wstring::npos;
}

VARIANT_BOOL AsVariantBool(bool v) { return v ? VARIANT_TRUE : VARIANT_FALSE; }

}  // namespace

// --- dialog-box rules -------------------------------------------------------------

std::wstring ReplaceBrowserCaption(std::wstring caption, const std::wstring& newCaption) {
    if (const size_t at = caption.find(L"Microsoft "); at != std::wstring::npos) caption.erase(at, 10);
    if (const size_t at = caption.find(L"Internet Explorer"); at != std::wstring::npos)
        caption.replace(at, 17, newCaption);
    return caption;
}

TDialogRuleResult DecideDialogRules(const std::wstring& className, const std::wstring& caption, DWORD exStyle,
                                    bool ownedByHost, const TDialogBoxes& dialogs, const TDisableErrors& errors) {
    TDialogRuleResult r;
    r.Qualifies = ownedByHost && (className == L"Internet Explorer_TridentDlgFrame" || className == L"#32770");
    if (!r.Qualifies) return r;
    if (dialogs.DisableAll) {
        r.Close = true;
        return r;
    }
    r.SetIcon = dialogs.ReplaceIcon;
    if (dialogs.ReplaceCaption) {
        r.Caption = ReplaceBrowserCaption(caption, dialogs.NewCaption);
        r.CaptionChanged = r.Caption != caption;
    }
    if (errors.ScriptErrorsSuppressed &&
        (ContainsNoCase(caption, L"SCRIPT") || caption.find(L"ERROR") != std::wstring::npos || exStyle == 0x410101))
        r.Close = true;
    return r;
}

// --- TBrowserHost ------------------------------------------------------------------

TBrowserHost::TBrowserHost(TComponent* AOwner) : TCustomBrowserHost(AOwner) {
    about_ = "Web browser host control";
    htmlCode_.OnChange = [this] {
        if (loaded_) LoadHTMLCode();
    };
    UserAgentCallback = [this] {
        return userAgentMode_ == TUserAgentMode::uaInternal ? userAgent_ : std::string();
    };
    RefreshCallback = [this] { InstallChildHooks(); };
    if (TBHFocusControl* focus = TBHFocusControl::Instance()) focus->Register(this);
}

TBrowserHost::~TBrowserHost() {
    stopRequested_ = true;
    *alive_ = false;
    if (VisualEffects.TextSize != 2) {
        try {
            SetTextSize(2);
        } catch (const std::exception&) {
            // the browser may already be gone: nothing to restore then
        }
    }
    if (!registryAgent_.empty()) RemoveUserAgentToken(registryAgent_);
    formHook_.reset();
    childHooks_.clear();
    if (TBHFocusControl* focus = TBHFocusControl::Instance()) focus->Unregister(this);
}

void TBrowserHost::Loaded() {
    measurement_ = ::ad::browser::MeasurementSystem();
    EnableMessageHandler = true;
    ::CoInternetCreateSecurityManager(static_cast<IServiceProvider*>(Site()), securityManager_.Put(), 0);
    ::CoInternetCreateZoneManager(static_cast<IServiceProvider*>(Site()), zoneManager_.Put(), 0);
    if (DisableErrors.ScriptErrorsSuppressed) ScriptErrorAction = TScriptErrorAction::eaContinue;
    DisableErrors.SetfpExceptions(DisableErrors.fpExceptions());
    HookParentForm();
    if (ProxySettings.AutoLoadProxy) ApplyProxy(ProxySettings);
    if (VisualEffects.DisableSounds) DisableNavigationSound();
    loaded_ = true;
    LoadHTMLCode();
}

void TBrowserHost::AfterCreateWnd() {
    TCustomBrowserHost::AfterCreateWnd();
    if (IWebBrowser2* b = Browser()) {
        b->put_Silent(AsVariantBool(silent_));
        b->put_RegisterAsDropTarget(AsVariantBool(registerAsDropTarget_));
        b->put_RegisterAsBrowser(AsVariantBool(registerAsBrowser_));
    }
}

// --- HTMLCode and navigation ----------------------------------------------------------

void TBrowserHost::SetHTMLCode(const TStrings* lines) {
    if (!lines || lines == &htmlCode_) return;
    htmlCode_.SetText(lines->Text());
}

int TBrowserHost::LoadHTMLCode() {
    std::vector<std::string> lines;
    for (int i = 0; i < htmlCode_.Count(); ++i) lines.push_back(htmlCode_[i]);
    try {
        if (ClassifyHTMLCode(lines) == THTMLCodeKind::Address) {
            Navigate(lines.front());
            return 0;
        }
        bool handled = false;
        if (OnHTMLCodeChange) OnHTMLCodeChange(this, htmlCode_, handled);
        if (handled || lines.empty()) return 0;
        if (!Browser()) return 1;
        ComPtr<IDispatch> document = Document();
        if (!document) {
            Navigate("about:blank");
            document = Document();
        }
        if (!document) return 1;
        const std::string text = htmlCode_.Text();
        ComPtr<IStream> stream;
        OleCheck(::CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()), "CreateStreamOnHGlobal");
        ULONG written = 0;
        OleCheck(stream->Write(text.data(), static_cast<ULONG>(text.size()), &written), "IStream.Write");
        LARGE_INTEGER zero{};
        OleCheck(stream->Seek(zero, STREAM_SEEK_SET, nullptr), "IStream.Seek");
        ComPtr<IPersistStreamInit> persist;
        OleCheck(document->QueryInterface(IID_IPersistStreamInit, persist.PutVoid()), "IPersistStreamInit");
        OleCheck(persist->Load(stream.Get()), "IPersistStreamInit.Load");
        return 0;
    } catch (const std::exception&) {
        return 1;
    }
}

void TBrowserHost::Navigate(const std::string& address, int waitMs) {
    const std::string target = NavigationAddress(address, DirectoryExists(Trim(address)));
    if (target.empty()) return;
    if (!Browser()) throw EOleException(E_NOINTERFACE, "The web browser is not available");
    VARIANT url, empty;
    ::VariantInit(&empty);
    url.vt = VT_BSTR;
    url.bstrVal = ::SysAllocString(Widen(target).c_str());
    const HRESULT hr = Browser()->Navigate2(&url, &empty, &empty, &empty, &empty);
    ::VariantClear(&url);
    OleCheck(hr, "Navigate2");
    if (waitMs) BusyWait(waitMs < 0 ? 0 : static_cast<DWORD>(waitMs));
}

bool TBrowserHost::BusyWait(DWORD timeoutMs) {
    if (!HandleAllocated() || !Browser()) return false;
    // The control may be freed by a message processed here: only the shared
    // flag is looked at once that may have happened.
    const std::shared_ptr<bool> alive = alive_;
    const DWORD start = ::GetTickCount();
    bool complete = false;
    while (*alive) {
        READYSTATE state = READYSTATE_UNINITIALIZED;
        if (SUCCEEDED(Browser()->get_ReadyState(&state)) && state == READYSTATE_COMPLETE) {
            complete = true;
            break;
        }
        bool cancel = false;
        if (OnBusyWait) OnBusyWait(this, start, timeoutMs, cancel);
        if (stopRequested_ || cancel || Destroying() || (timeoutMs && ::GetTickCount() - start >= timeoutMs) ||
            (Application && Application->Terminated()))
            break;
        if (Application) Application->ProcessMessages();
        if (!*alive) return false;
        ::Sleep(1);
    }
    if (!*alive) return false;
    stopRequested_ = false;
    return complete;
}

// --- browser properties ------------------------------------------------------------------

bool TBrowserHost::Silent() {
    VARIANT_BOOL v;
    if (Browser() && SUCCEEDED(Browser()->get_Silent(&v))) return v != VARIANT_FALSE;
    return silent_;
}

void TBrowserHost::SetSilent(bool value) {
    silent_ = value;
    if (Browser()) OleCheck(Browser()->put_Silent(AsVariantBool(value)), "Silent");
}

bool TBrowserHost::RegisterAsDropTarget() {
    VARIANT_BOOL v;
    if (Browser() && SUCCEEDED(Browser()->get_RegisterAsDropTarget(&v))) return v != VARIANT_FALSE;
    return registerAsDropTarget_;
}

void TBrowserHost::SetRegisterAsDropTarget(bool value) {
    registerAsDropTarget_ = value;
    if (Browser()) OleCheck(Browser()->put_RegisterAsDropTarget(AsVariantBool(value)), "RegisterAsDropTarget");
}

bool TBrowserHost::RegisterAsBrowser() {
    VARIANT_BOOL v;
    if (Browser() && SUCCEEDED(Browser()->get_RegisterAsBrowser(&v))) return v != VARIANT_FALSE;
    return registerAsBrowser_;
}

void TBrowserHost::SetRegisterAsBrowser(bool value) {
    registerAsBrowser_ = value;
    if (Browser()) OleCheck(Browser()->put_RegisterAsBrowser(AsVariantBool(value)), "RegisterAsBrowser");
}

void TBrowserHost::SetHostVisible(bool value) {
    hostVisible_ = value;
    SetVisible(value);
    if (OnVisible) OnVisible(this);
}

// --- user agent ---------------------------------------------------------------------------

void TBrowserHost::SetUserAgent(const std::string& value) {
    if (value == userAgent_) return;
    userAgent_ = value;
    ApplyUserAgentMode();
}

void TBrowserHost::SetUserAgentMode(TUserAgentMode value) {
    if (value == userAgentMode_) return;
    userAgentMode_ = value;
    ApplyUserAgentMode();
}

void TBrowserHost::ApplyUserAgentMode() {
    auto removeToken = [this] {
        if (!registryAgent_.empty()) RemoveUserAgentToken(registryAgent_);
        registryAgent_.clear();
    };
    switch (userAgentMode_) {
        case TUserAgentMode::uaDefault:
            removeToken();
            appliedAgent_.clear();
            break;
        case TUserAgentMode::uaInternal:
            if (userAgent_ != appliedAgent_ || !registryAgent_.empty()) {
                removeToken();
                appliedAgent_ = userAgent_;
                AmbientPropertyChanged(-5513);
            }
            break;
        case TUserAgentMode::uaRegistry:
            if (userAgent_ != registryAgent_) {
                removeToken();
                if (!userAgent_.empty() && WriteUserAgentToken(userAgent_)) registryAgent_ = userAgent_;
            }
            appliedAgent_ = userAgent_;
            break;
    }
}

// --- answers the browser host adds ----------------------------------------------------------

bool TBrowserHost::MenuFilterWanted() {
    return TCustomBrowserHost::MenuFilterWanted() || !DisabledPopupMenuItems.Empty();
}

void TBrowserHost::FilterMenu(DWORD id, HMENU menu, IUnknown* context) {
    TCustomBrowserHost::FilterMenu(id, menu, context);
    for (int cmd : PopupMenuItemCommands(DisabledPopupMenuItems)) ::DeleteMenu(menu, static_cast<UINT>(cmd), MF_BYCOMMAND);
}

void TBrowserHost::CompleteHostInfo(DOCHOSTUIINFO& info) {
    if (!info.pchHostCss && !HostCSS.empty()) info.pchHostCss = TaskMemCopy(HostCSS);
    if (!info.pchHostNS && !HostNS.empty()) info.pchHostNS = TaskMemCopy(HostNS);
}

// --- focus -------------------------------------------------------------------------------------

bool TBrowserHost::IsActiveControlOf(TWinControl* form) {
    return activeControl_ && form && GetParentForm(this) == form;
}

void TBrowserHost::DocumentActivated() { activeControl_ = true; }

void TBrowserHost::TakeFocusBack() {
    if (activating_) return;
    activating_ = true;
    activeControl_ = true;
    ActivateDocument();
    activating_ = false;
}

// Where the focus went tells whether this control is still its form's active control.
void TBrowserHost::FocusLeft(HWND newFocus) {
    if (!newFocus || !HandleAllocated() || newFocus == handle_ || ::IsChild(handle_, newFocus)) return;
    TForm* form = GetParentForm(this);
    if (form && form->HandleAllocated() && ::IsChild(form->Handle(), newFocus)) activeControl_ = false;
}

// --- folder views --------------------------------------------------------------------------------

bool TBrowserHost::FolderViewKey(WORD key, TShiftState shift) {
    HWND list = FindChildByClass(L"SysListView32");
    if (!list) return false;
    UINT direction = 0;
    switch (key) {
        case VK_LEFT: direction = LVNI_TOLEFT; break;
        case VK_UP: direction = LVNI_ABOVE; break;
        case VK_RIGHT: direction = LVNI_TORIGHT; break;
        case VK_DOWN: direction = LVNI_BELOW; break;
        default: return false;
    }
    const int current = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    const int next = ListView_GetNextItem(list, current, direction);
    if (next < 0 || next == current) return true;  // at the edge: the key is used up
    // The new item takes the focus (the list view moves it); without Shift the
    // old item also loses its selection, with Shift the selection grows.
    ListView_SetItemState(list, next, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (current >= 0 && !(shift & ssShift)) ListView_SetItemState(list, current, 0, LVIS_SELECTED);
    ListView_EnsureVisible(list, next, FALSE);
    ::SendMessageW(list, WM_SETFOCUS, 0, 0);
    return true;
}

// --- hooks ---------------------------------------------------------------------------------------

void TBrowserHost::InstallChildHooks() {
    if ((Application && Application->Terminated()) || !HandleAllocated()) return;
    if (!childHooks_.empty() && !childHooksDead_) return;
    childHooks_.clear();
    childHooksDead_ = false;
    std::vector<HWND> windows;
    if (HWND list = FindChildByClass(L"SysListView32")) windows.push_back(list);
    if (HWND first = ::GetWindow(handle_, GW_CHILD)) {
        windows.push_back(first);
        if (HWND second = ::GetWindow(first, GW_CHILD)) windows.push_back(second);
    }
    for (size_t i = 0; i < windows.size() && childHooks_.size() < 3; ++i) {
        bool seen = false;
        for (size_t j = 0; j < i; ++j) seen = seen || windows[j] == windows[i];
        if (!seen)
            childHooks_.push_back(
                std::make_unique<TWindowSubclass>(windows[i], [this](TMessage& m) { return ChildMessage(m); }));
    }
}

bool TBrowserHost::ChildMessage(TMessage& m) {
    switch (m.Msg) {
        case WM_DESTROY: childHooksDead_ = true; break;
        case WM_SETFOCUS: TakeFocusBack(); break;
        case WM_KILLFOCUS: FocusLeft(reinterpret_cast<HWND>(m.WParam)); break;
        case WM_KEYDOWN:
            if (FolderViewKey(static_cast<WORD>(m.WParam), KeyboardShiftState())) {
                m.Result = 0;
                return true;
            }
            break;
        default: break;
    }
    return false;
}

void TBrowserHost::HookParentForm() {
    TForm* form = GetParentForm(this);
    if (!form || form == static_cast<TWinControl*>(this)) return;
    formHook_ = std::make_unique<TWindowSubclass>(form->Handle(), [this](TMessage& m) {
        if (m.Msg == WM_ACTIVATE && LOWORD(m.WParam) == WA_INACTIVE && m.LParam)
            ApplyDialogRules(reinterpret_cast<HWND>(m.LParam));
        return false;
    });
}

void TBrowserHost::ApplyDialogRules(HWND dialog) {
    if (!dialog || !::IsWindow(dialog)) return;
    // Only the browser's own dialogs: owned by this control's form or by a window of this browser.
    HWND owner = ::GetWindow(dialog, GW_OWNER);
    TForm* form = GetParentForm(this);
    const bool ownedByHost =
        owner && ((form && form->HandleAllocated() && owner == form->Handle()) ||
                  (HandleAllocated() && (owner == handle_ || ::IsChild(handle_, owner))));
    const std::wstring className = WindowClassName(dialog);
    const std::wstring caption = WindowText(dialog);
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_EXSTYLE));
    if (!DecideDialogRules(className, caption, exStyle, ownedByHost, DialogBoxes, DisableErrors).Qualifies) return;
    if (OnShowDialog) OnShowDialog(this, exStyle, caption, DialogBoxes.NewCaption, DialogBoxes.DisableAll);
    const TDialogRuleResult r = DecideDialogRules(className, caption, exStyle, true, DialogBoxes, DisableErrors);
    if (r.SetIcon && Application && Application->Icon)
        ::SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Application->Icon.Get()));
    if (r.CaptionChanged) ::SetWindowTextW(dialog, r.Caption.c_str());
    if (r.Close) ::PostMessageW(dialog, WM_CLOSE, 0, 0);
}

// --- messages ------------------------------------------------------------------------------------

void TBrowserHost::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_CLOSE:
            if (OnCloseQuery) {
                bool canClose = true;
                OnCloseQuery(this, canClose);
                if (!canClose) {
                    m.Result = 0;
                    return;
                }
            }
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            WORD key = static_cast<WORD>(m.WParam);
            const TShiftState shift = KeyboardShiftState();
            if (FolderViewKey(key, shift)) {
                m.Result = 1;
                return;
            }
            bool handled = false;
            if (OnKeyDown) OnKeyDown(this, key, static_cast<WORD>((m.LParam >> 16) & 0xFF), shift, handled);
            if (handled) {
                m.Result = 0;
                return;
            }
            break;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (OnKeyUp) {
                WORD key = static_cast<WORD>(m.WParam);
                OnKeyUp(this, key, static_cast<WORD>((m.LParam >> 16) & 0xFF), KeyboardShiftState());
            }
            break;
        case WM_BH_REFOCUS:
            // Anyone can post this message: only a wParam naming this very control counts,
            // and it is compared, never followed.
            if (m.WParam == reinterpret_cast<WPARAM>(static_cast<TWinControl*>(this)) && !HostFocused())
                TakeFocusBack();
            m.Result = 0;
            return;
        case WM_GETDLGCODE: m.Result = DLGC_WANTALLKEYS; return;
        case WM_PARENTNOTIFY:
            if (OnClick && (LOWORD(m.WParam) == WM_LBUTTONDOWN || LOWORD(m.WParam) == WM_RBUTTONDOWN))
                OnClick(this, LOWORD(m.WParam) == WM_LBUTTONDOWN ? TMouseButton::mbLeft : TMouseButton::mbRight,
                        KeyboardShiftState(), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
            break;
        default: break;
    }
    TCustomBrowserHost::WndProc(m);
    if (m.Msg == WM_SETFOCUS && activeControl_) TakeFocusBack();
    if (EnableMessageHandler && m.Msg == WM_KEYDOWN && m.WParam == VK_RETURN) m.Result = 0;
    if (OnMessage) {
        bool handled = false;
        OnMessage(this, m, handled);
    }
}

}  // namespace ad::browser
