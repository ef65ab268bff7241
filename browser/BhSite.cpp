// The browser's host interfaces, answered from the host control's options and
// events (see BhSite.h).
#include "browser/BhSite.h"

#include <objbase.h>
#include <oleauto.h>

#include <typeinfo>

#include "base/WinText.h"
#include "browser/BhCore.h"
#include "browser/BhTools.h"
#include "framework/ExceptionBarrier.h"
#include "framework/Forms.h"

namespace ad::browser {

const IID IID_BhAuthenticate = {0x79EAC9D0, 0xBAF9, 0x11CE, {0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}};
const IID IID_BhZoomEvents = {0x41B68150, 0x904C, 0x4E17, {0xA0, 0xBA, 0xA4, 0x38, 0x18, 0x2E, 0x35, 0x9D}};
const IID IID_BhHostBehaviorInit = {0x3050F842, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};
const IID IID_BhOMWindowServices = {0x3050F5FC, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};
const IID IID_BhDownloadManager = {0x988934A4, 0x064B, 0x11D3, {0xBB, 0x80, 0x00, 0x10, 0x4B, 0x35, 0xE7, 0xF9}};
const IID IID_BhProtectFocus = {0xD81F90A3, 0x8156, 0x44F7, {0xAD, 0x28, 0x5A, 0xBB, 0x87, 0x00, 0x32, 0x74}};
const IID IID_BhNewWindowManager = {0xD2BC4C84, 0x3F72, 0x4A52, {0xA6, 0x04, 0x7B, 0xCB, 0xF3, 0x98, 0x2C, 0xBB}};
const IID IID_BhServiceProvider = {0x6D5140C1, 0x7436, 0x11CE, {0x80, 0x34, 0x00, 0xAA, 0x00, 0x60, 0x09, 0xFA}};
const IID IID_BhOleCommandTarget = {0xB722BCCB, 0x4E68, 0x101B, {0xA2, 0xBC, 0x00, 0xAA, 0x00, 0x40, 0x47, 0x70}};
const IID IID_BhDropTarget = {0x00000122, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_BhDocHostUIHandler2 = {0x3050F6D0, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};
const IID IID_BhDocHostUIHandler = {0xBD3F23C0, 0xD43E, 0x11CF, {0x89, 0x3B, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}};
const IID IID_BhDocHostShowUI = {0xC4D244B0, 0xD43E, 0x11CF, {0x89, 0x3B, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}};
const IID IID_BhDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID CGID_BhShellDocView = {0x000214D0, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID CGID_BhDocHostCommandHandler = {0xF38BC242, 0xB950, 0x11D1, {0x89, 0x18, 0x00, 0xC0, 0x4F, 0xC2, 0xC8, 0x36}};

namespace {

constexpr HRESULT OleCmdErrNotSupported = static_cast<HRESULT>(0x80040100);
constexpr DISPID DispidAmbientUserAgent = -5513;
constexpr DISPID DispidAmbientDlControl = -5512;
constexpr DISPID DispidAmbientUserMode = -709;
constexpr UINT BrowserMenuResource = 24641;
constexpr UINT EncodingMenuItem = 2292;
constexpr DWORD GetMimeCsetMenuCommand = 27;

// One answer to the browser: an exception goes to the barrier and the
// browser gets `failure` (or the code of a failed browser call).
template <class F>
HRESULT Answer(F&& f, HRESULT failure = E_FAIL) noexcept {
    HRESULT hr = failure;
    try {
        hr = f();
    } catch (const EOleException& e) {
        HandleCallbackException(std::current_exception());
        hr = e.ErrorCode;
    } catch (...) {
        HandleCallbackException(std::current_exception());
        hr = failure;
    }
    return hr;
}

// The one-interface thunk of a QueryInterface table entry.
template <class I>
void* As(TBhSite* site) {
    return static_cast<I*>(site);
}

}  // namespace

HRESULT OleCheck(HRESULT hr, const char* what) {
    if (FAILED(hr)) throw EOleException(hr, Format("%s failed (0x%08lX)", what, static_cast<unsigned long>(hr)));
    return hr;
}

TBhSite::TBhSite(TCustomBrowserHost* host) : host_(host) {}

// --- IUnknown ----------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TBhSite::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    struct Entry {
        const IID* iid;
        void* (*cast)(TBhSite*);
    };
    static const Entry table[] = {
        {&IID_IUnknown, As<IOleClientSite>},
        {&IID_IOleClientSite, As<IOleClientSite>},
        {&IID_IOleWindow, As<IOleInPlaceSite>},
        {&IID_IOleInPlaceSite, As<IOleInPlaceSite>},
        {&IID_IOleInPlaceUIWindow, As<IOleInPlaceFrame>},
        {&IID_IOleInPlaceFrame, As<IOleInPlaceFrame>},
        {&IID_BhDocHostUIHandler, As<IDocHostUIHandler2>},
        {&IID_BhDocHostUIHandler2, As<IDocHostUIHandler2>},
        {&IID_BhDocHostShowUI, As<IDocHostShowUI>},
        {&IID_BhOleCommandTarget, As<IOleCommandTarget>},
        {&IID_BhServiceProvider, As<IServiceProvider>},
        {&IID_BhDropTarget, As<IDropTarget>},
        {&IID_BhAuthenticate, As<IAuthenticate>},
        {&IID_BhZoomEvents, As<IZoomEvents>},
        {&IID_BhHostBehaviorInit, As<IHostBehaviorInit>},
        {&IID_BhOMWindowServices, As<IHTMLOMWindowServices>},
        {&IID_BhDownloadManager, As<IDownloadManager>},
        {&IID_BhProtectFocus, As<IProtectFocus>},
        {&IID_BhNewWindowManager, As<INewWindowManager>},
        {&IID_BhDispatch, As<IDispatch>},
    };
    for (const Entry& e : table) {
        if (IsEqualIID(riid, *e.iid)) {
            *ppv = e.cast(this);
            AddRef();
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TBhSite::AddRef() { return ++refs_; }

ULONG STDMETHODCALLTYPE TBhSite::Release() {
    const ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
}

// --- IOleClientSite --------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TBhSite::SaveObject() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TBhSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk) {
    if (ppmk) *ppmk = nullptr;
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE TBhSite::GetContainer(IOleContainer** ppContainer) {
    if (ppContainer) *ppContainer = nullptr;
    return E_NOINTERFACE;
}
HRESULT STDMETHODCALLTYPE TBhSite::ShowObject() { return S_OK; }
HRESULT STDMETHODCALLTYPE TBhSite::OnShowWindow(WINBOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE TBhSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// --- IOleWindow, IOleInPlaceSite, IOleInPlaceFrame -----------------------------------

HRESULT STDMETHODCALLTYPE TBhSite::GetWindow(HWND* phwnd) {
    if (!phwnd) return E_POINTER;
    *phwnd = host_ && host_->HandleAllocated() ? host_->Handle() : nullptr;
    return *phwnd ? S_OK : E_FAIL;
}
HRESULT STDMETHODCALLTYPE TBhSite::ContextSensitiveHelp(WINBOOL) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TBhSite::CanInPlaceActivate() { return host_ ? S_OK : S_FALSE; }
HRESULT STDMETHODCALLTYPE TBhSite::OnInPlaceActivate() { return S_OK; }
HRESULT STDMETHODCALLTYPE TBhSite::OnUIActivate() { return S_OK; }

HRESULT STDMETHODCALLTYPE TBhSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                                    LPRECT lprcPosRect, LPRECT lprcClipRect,
                                                    LPOLEINPLACEFRAMEINFO lpFrameInfo) {
    if (!ppFrame || !ppDoc || !lprcPosRect || !lprcClipRect) return E_POINTER;
    *ppDoc = nullptr;
    *ppFrame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    RECT r{};
    HWND frame = nullptr;
    if (host_ && host_->HandleAllocated()) {
        ::GetClientRect(host_->Handle(), &r);
        frame = ::GetAncestor(host_->Handle(), GA_ROOT);
    }
    *lprcPosRect = r;
    *lprcClipRect = r;
    if (lpFrameInfo) {
        lpFrameInfo->fMDIApp = FALSE;
        lpFrameInfo->hwndFrame = frame;
        lpFrameInfo->haccel = nullptr;
        lpFrameInfo->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TBhSite::Scroll(SIZE) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TBhSite::OnUIDeactivate(WINBOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE TBhSite::OnInPlaceDeactivate() { return S_OK; }
HRESULT STDMETHODCALLTYPE TBhSite::DiscardUndoState() { return S_OK; }
HRESULT STDMETHODCALLTYPE TBhSite::DeactivateAndUndo() { return S_OK; }
HRESULT STDMETHODCALLTYPE TBhSite::OnPosRectChange(LPCRECT lprcPosRect) {
    if (!host_ || !lprcPosRect || !host_->OleObject()) return S_OK;
    ComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(host_->OleObject()->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid())))
        inPlace->SetObjectRects(lprcPosRect, lprcPosRect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TBhSite::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }
HRESULT STDMETHODCALLTYPE TBhSite::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
HRESULT STDMETHODCALLTYPE TBhSite::SetBorderSpace(LPCBORDERWIDTHS) { return S_OK; }
HRESULT STDMETHODCALLTYPE TBhSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { return S_OK; }
HRESULT STDMETHODCALLTYPE TBhSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return S_OK; }
HRESULT STDMETHODCALLTYPE TBhSite::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
HRESULT STDMETHODCALLTYPE TBhSite::RemoveMenus(HMENU) { return S_OK; }
HRESULT STDMETHODCALLTYPE TBhSite::SetStatusText(LPCOLESTR) { return S_OK; }
HRESULT STDMETHODCALLTYPE TBhSite::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

// --- IDocHostUIHandler2 ---------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TBhSite::ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                                   IDispatch* pdispReserved) {
    return Answer([&]() -> HRESULT {
        if (!host_) return S_FALSE;
        HRESULT hr = E_NOTIMPL;
        if (host_->OnShowContextMenu) host_->OnShowContextMenu(host_, dwID, ppt, pcmdtReserved, pdispReserved, hr);
        if (hr != E_NOTIMPL) return hr;
        switch (DecideContextMenu(host_->DisabledPopupMenus, dwID, host_->MenuFilterWanted())) {
            case TContextMenuAnswer::Suppress:
                if (host_->PopupMenu && host_->HandleAllocated()) {
                    POINT pt;
                    ::GetCursorPos(&pt);
                    ::TrackPopupMenu(host_->PopupMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0,
                                     host_->Handle(), nullptr);
                }
                return S_OK;
            case TContextMenuAnswer::ShowFiltered: return ShowOwnMenu(dwID, ppt, pcmdtReserved);
            case TContextMenuAnswer::BrowserDefault: break;
        }
        return S_FALSE;
    }, S_FALSE);
}

HRESULT TBhSite::ShowOwnMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved) {
    HMODULE library = BrowserMenuLibrary();
    if (!library || !pcmdtReserved || !ppt) return S_FALSE;
    ComPtr<IOleCommandTarget> target;
    ComPtr<IOleWindow> window;
    if (FAILED(pcmdtReserved->QueryInterface(IID_IOleCommandTarget, target.PutVoid())) ||
        FAILED(pcmdtReserved->QueryInterface(IID_IOleWindow, window.PutVoid())))
        return S_FALSE;
    HWND owner = nullptr;
    if (FAILED(window->GetWindow(&owner)) || !owner) return S_FALSE;
    OwnedMenu menu(::LoadMenuW(library, MAKEINTRESOURCEW(BrowserMenuResource)));
    if (!menu) return S_FALSE;
    HMENU sub = ::GetSubMenu(menu.Get(), static_cast<int>(dwID));
    if (!sub) return S_FALSE;  // the browser asked for a kind this resource does not have
    VARIANT encoding;
    ::VariantInit(&encoding);
    if (SUCCEEDED(target->Exec(&CGID_BhShellDocView, GetMimeCsetMenuCommand, 0, nullptr, &encoding)) &&
        encoding.vt == VT_INT_PTR) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_SUBMENU;
        info.hSubMenu = reinterpret_cast<HMENU>(encoding.byref);
        ::SetMenuItemInfoW(sub, EncodingMenuItem, FALSE, &info);
    }
    host_->FilterMenu(dwID, sub, pcmdtReserved);
    const int cmd = static_cast<int>(::TrackPopupMenuEx(
        sub, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_HORPOSANIMATION | TPM_VERPOSANIMATION, ppt->x, ppt->y, owner,
        nullptr));
    if (cmd) ::SendMessageW(owner, WM_COMMAND, MAKEWPARAM(cmd, 0), 0);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TBhSite::GetHostInfo(DOCHOSTUIINFO* pInfo) {
    if (!pInfo) return E_POINTER;
    return Answer([&]() -> HRESULT {
        *pInfo = DOCHOSTUIINFO{};
        pInfo->cbSize = 20;
        pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
        if (!host_) return S_OK;
        pInfo->dwFlags = host_->HostInfoFlagValue();
        if (host_->OnGetHostInfo) host_->OnGetHostInfo(host_, *pInfo);
        host_->CompleteHostInfo(*pInfo);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                                          IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                                          IOleInPlaceUIWindow* pDoc) {
    return Answer([&]() -> HRESULT {
        HRESULT hr = S_FALSE;
        if (host_ && host_->OnShowUI) host_->OnShowUI(host_, dwID, pActiveObject, pCommandTarget, pFrame, pDoc, hr);
        return hr;
    }, S_FALSE);
}

HRESULT STDMETHODCALLTYPE TBhSite::HideUI() {
    return Answer([&]() -> HRESULT {
        HRESULT hr = S_FALSE;
        if (host_ && host_->OnHideUI) host_->OnHideUI(host_, hr);
        return hr;
    }, S_FALSE);
}

HRESULT STDMETHODCALLTYPE TBhSite::UpdateUI() {
    return Answer([&]() -> HRESULT {
        HRESULT hr = S_FALSE;
        if (host_ && host_->OnUpdateUI) host_->OnUpdateUI(host_, hr);
        return hr;
    }, S_FALSE);
}

HRESULT STDMETHODCALLTYPE TBhSite::EnableModeless(WINBOOL fEnable) {
    return Answer([&]() -> HRESULT {
        if (host_ && host_->OnEnableModeless) host_->OnEnableModeless(host_, fEnable);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::OnDocWindowActivate(WINBOOL fActivate) {
    return Answer([&]() -> HRESULT {
        if (host_ && host_->OnOnDocWindowActivate) host_->OnOnDocWindowActivate(host_, fActivate);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::OnFrameWindowActivate(WINBOOL fActivate) {
    return Answer([&]() -> HRESULT {
        if (host_ && host_->OnOnFrameWindowActivate) host_->OnOnFrameWindowActivate(host_, fActivate);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                                WINBOOL fRameWindow) {
    return Answer([&]() -> HRESULT {
        if (host_ && host_->OnResizeBorder) host_->OnResizeBorder(host_, prcBorder, pUIWindow, fRameWindow);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) {
    if (!lpMsg) return S_FALSE;
    return Answer([&]() -> HRESULT {
        if (!host_) return S_FALSE;
        if (host_->IsMaskedShortcut(*lpMsg)) {
            if (host_->OnMaskedCtrlChar) host_->OnMaskedCtrlChar(host_, static_cast<char>(lpMsg->wParam));
            return S_OK;
        }
        bool done = false;
        if (host_->OnTranslateAccelerator) host_->OnTranslateAccelerator(host_, lpMsg, pguidCmdGroup, nCmdID, done);
        return done ? S_OK : S_FALSE;
    }, S_FALSE);
}

HRESULT STDMETHODCALLTYPE TBhSite::GetOptionKeyPath(LPOLESTR* pchKey, DWORD) {
    if (!pchKey) return E_POINTER;
    *pchKey = nullptr;
    if (!host_ || host_->OptionKeyPath.empty() || host_->OverrideOptionKeyPath) return S_FALSE;
    *pchKey = TaskMemCopy(host_->OptionKeyPath);
    return *pchKey ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE TBhSite::GetOverrideKeyPath(LPOLESTR* pchKey, DWORD) {
    if (!pchKey) return E_POINTER;
    *pchKey = nullptr;
    if (!host_ || host_->OptionKeyPath.empty() || !host_->OverrideOptionKeyPath) return S_FALSE;
    *pchKey = TaskMemCopy(host_->OptionKeyPath);
    return *pchKey ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE TBhSite::GetDropTarget(IDropTarget*, IDropTarget** ppDropTarget) {
    if (!ppDropTarget) return E_POINTER;
    *ppDropTarget = nullptr;
    return Answer([&]() -> HRESULT {
        if (!host_) return E_NOTIMPL;
        switch (host_->DropHandlingType()) {
            case TDragDropHandlingType::ddtMS:
                host_->SetBrowserDropTarget(true);
                return E_NOTIMPL;
            case TDragDropHandlingType::ddtMy:
                *ppDropTarget = static_cast<IDropTarget*>(this);
                AddRef();
                return S_OK;
            case TDragDropHandlingType::ddtCustom: {
                AddRef();
                ComPtr<IDropTarget> target(static_cast<IDropTarget*>(this));
                if (host_->OnGetDropTarget) host_->OnGetDropTarget(host_, target);
                *ppDropTarget = target.Detach();
                return S_OK;
            }
            case TDragDropHandlingType::ddtNo: host_->SetBrowserDropTarget(false); return S_OK;
        }
        return E_NOTIMPL;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::GetExternal(IDispatch** ppDispatch) {
    if (!ppDispatch) return E_POINTER;
    *ppDispatch = nullptr;
    return Answer([&]() -> HRESULT {
        ComPtr<IDispatch> external;
        if (host_ && host_->OnGetExternal) host_->OnGetExternal(host_, external);
        *ppDispatch = external.Detach();
        return *ppDispatch ? S_OK : S_FALSE;
    }, S_FALSE);
}

HRESULT STDMETHODCALLTYPE TBhSite::TranslateUrl(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) {
    if (!ppchURLOut) return E_POINTER;
    *ppchURLOut = nullptr;
    return Answer([&]() -> HRESULT {
        std::wstring out;
        if (host_ && host_->OnTranslateUrl) host_->OnTranslateUrl(host_, dwTranslate, pchURLIn, out);
        if (out.empty()) return S_FALSE;
        *ppchURLOut = TaskMemCopy(out);
        return *ppchURLOut ? S_OK : S_FALSE;
    }, S_FALSE);
}

HRESULT STDMETHODCALLTYPE TBhSite::FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) {
    if (!ppDORet) return E_POINTER;
    *ppDORet = nullptr;
    return Answer([&]() -> HRESULT {
        ComPtr<IDataObject> out;
        if (host_ && host_->OnFilterDataObject) host_->OnFilterDataObject(host_, pDO, out);
        *ppDORet = out.Detach();
        return *ppDORet ? S_OK : S_FALSE;
    }, S_FALSE);
}

// --- IDocHostShowUI ----------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TBhSite::ShowMessage(HWND hwnd, LPOLESTR lpstrText, LPOLESTR lpstrCaption, DWORD dwType,
                                               LPOLESTR lpstrHelpFile, DWORD dwHelpContext, LRESULT* plResult) {
    return Answer([&]() -> HRESULT {
        if (!host_ || !host_->OnShowMessage) return S_FALSE;
        HRESULT hr = S_FALSE;
        host_->OnShowMessage(host_, hwnd, lpstrText, lpstrCaption, dwType, lpstrHelpFile, dwHelpContext, plResult, hr);
        return hr;
    }, S_FALSE);
}

HRESULT STDMETHODCALLTYPE TBhSite::ShowHelp(HWND hwnd, LPOLESTR pszHelpFile, UINT uCommand, DWORD dwData,
                                            POINT ptMouse, IDispatch* pDispatchObjectHit) {
    return Answer([&]() -> HRESULT {
        if (!host_) return S_FALSE;
        if (host_->OnShowHelpRequest) {
            HRESULT hr = S_FALSE;
            host_->OnShowHelpRequest(host_, hwnd, pszHelpFile, uCommand, dwData, ptMouse, pDispatchObjectHit, hr);
            return hr;
        }
        if (host_->HelpFile.empty() || (pszHelpFile && *pszHelpFile)) return S_FALSE;
        using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
        HMODULE help = HtmlHelpLibrary();
        auto htmlHelp = help ? reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(::GetProcAddress(help, "HtmlHelpA")))
                             : nullptr;
        if (!htmlHelp) return S_FALSE;
        htmlHelp(hwnd, host_->HelpFile.c_str(), uCommand, dwData);
        return S_OK;
    }, S_FALSE);
}

// --- IOleCommandTarget ---------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TBhSite::QueryStatus(const GUID*, ULONG cCmds, OLECMD prgCmds[], OLECMDTEXT*) {
    if (!prgCmds || cCmds == 0) return E_POINTER;
    prgCmds[0].cmdf = OLECMDF_ENABLED;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TBhSite::Exec(const GUID* pguidCmdGroup, DWORD nCmdID, DWORD nCmdexecopt, VARIANT* pvaIn,
                                        VARIANT* pvaOut) {
    return Answer([&]() -> HRESULT {
        HRESULT hr = OleCmdErrNotSupported;
        if (!host_) return hr;
        if (nCmdID == OLECMDID_STOP && host_->OnStop) host_->OnStop(host_);
        if (pguidCmdGroup && IsEqualGUID(*pguidCmdGroup, CGID_BhShellDocView)) {
            if (nCmdID == 37 && host_->OnUnload) {
                host_->OnUnload(host_);
                hr = S_OK;
            } else if (nCmdID == 39) {
                host_->PreRefresh();
            }
        } else if (pguidCmdGroup && IsEqualGUID(*pguidCmdGroup, CGID_BhDocHostCommandHandler)) {
            if (nCmdID == OLECMDID_SHOWSCRIPTERROR) {
                hr = host_->ScriptErrorStep(pvaIn, pvaOut);
            } else if ((nCmdID == 2300 || nCmdID == 6041 || nCmdID == 6042) && host_->OnRefresh) {
                bool cancel = false;
                host_->OnRefresh(host_, nCmdID, cancel);
                if (cancel) hr = S_OK;
            }
        }
        if (host_->OnCommandExec) host_->OnCommandExec(host_, pguidCmdGroup, nCmdID, nCmdexecopt, pvaIn, pvaOut, hr);
        return hr;
    }, OleCmdErrNotSupported);
}

// --- IServiceProvider ---------------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TBhSite::QueryService(REFGUID guidService, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    return Answer([&]() -> HRESULT {
        if (!host_) return E_NOINTERFACE;
        if (host_->ServesService(guidService, riid)) {
            QueryInterface(riid, ppv);
        } else if (host_->OnQueryService) {
            ComPtr<IUnknown> obj;
            host_->OnQueryService(host_, guidService, riid, obj);
            *ppv = obj.Detach();
        }
        return *ppv ? S_OK : E_NOINTERFACE;
    }, E_NOINTERFACE);
}

// --- IDropTarget -----------------------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TBhSite::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    return Answer([&]() -> HRESULT {
        HRESULT hr = S_OK;
        DWORD effect = DROPEFFECT_NONE;
        if (host_ && host_->OnDragEnter) host_->OnDragEnter(host_, pDataObj, grfKeyState, pt, effect, hr);
        if (pdwEffect) *pdwEffect = effect;
        return hr;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    return Answer([&]() -> HRESULT {
        HRESULT hr = S_OK;
        DWORD effect = DROPEFFECT_NONE;
        if (host_ && host_->OnDragOver2) host_->OnDragOver2(host_, grfKeyState, pt, effect, hr);
        if (pdwEffect) *pdwEffect = effect;
        return hr;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::DragLeave() {
    return Answer([&]() -> HRESULT {
        if (host_ && host_->OnDragLeave) host_->OnDragLeave(host_);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    return Answer([&]() -> HRESULT {
        HRESULT hr = S_OK;
        DWORD effect = DROPEFFECT_NONE;
        if (host_ && host_->OnDropEvent) host_->OnDropEvent(host_, pDataObj, grfKeyState, pt, effect, hr);
        if (pdwEffect) *pdwEffect = effect;
        return hr;
    });
}

// --- the smaller services ------------------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TBhSite::Authenticate(HWND* phwnd, LPWSTR* pszUsername, LPWSTR* pszPassword) {
    if (!phwnd || !pszUsername || !pszPassword) return E_POINTER;
    *pszUsername = nullptr;
    *pszPassword = nullptr;
    return Answer([&]() -> HRESULT {
        *phwnd = host_ && host_->HandleAllocated() ? host_->Handle() : nullptr;
        HRESULT hr = S_OK;
        std::wstring user, password;
        if (host_ && host_->OnAuthenticate) host_->OnAuthenticate(host_, *phwnd, user, password, hr);
        if (!user.empty()) *pszUsername = TaskMemCopy(user);
        if (!password.empty()) *pszPassword = TaskMemCopy(password);
        return hr;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::OnZoomPercentChanged(ULONG ulZoomPercent) {
    return Answer([&]() -> HRESULT {
        HRESULT hr = S_FALSE;
        if (host_ && host_->OnZoomPercentChange) host_->OnZoomPercentChange(host_, ulZoomPercent, hr);
        return hr;
    }, S_FALSE);
}

HRESULT STDMETHODCALLTYPE TBhSite::PopulateNamespaceTable() {
    return Answer([&]() -> HRESULT {
        if (host_ && host_->OnPopulateNSTable) host_->OnPopulateNSTable(host_);
        return S_OK;
    });
}

HRESULT TBhSite::MoveParentForm(LONG x, LONG y, bool relative, bool size) {
    if (!host_ || !host_->FloatingHosting) return S_OK;
    TForm* form = GetParentForm(host_);
    if (!form) return S_OK;
    if (size) form->SetBounds(form->Left(), form->Top(), relative ? form->Width() + x : x,
                              relative ? form->Height() + y : y);
    else form->SetBounds(relative ? form->Left() + x : x, relative ? form->Top() + y : y, form->Width(), form->Height());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TBhSite::moveTo(LONG x, LONG y) {
    return Answer([&]() -> HRESULT {
        MoveParentForm(x, y, false, false);
        if (host_ && host_->OnMove) host_->OnMove(host_, x, y);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::moveBy(LONG x, LONG y) {
    return Answer([&]() -> HRESULT {
        MoveParentForm(x, y, true, false);
        if (host_ && host_->OnMoveBy) host_->OnMoveBy(host_, x, y);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::resizeTo(LONG x, LONG y) {
    return Answer([&]() -> HRESULT {
        MoveParentForm(x, y, false, true);
        if (host_ && host_->OnResize) host_->OnResize(host_, x, y);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::resizeBy(LONG x, LONG y) {
    return Answer([&]() -> HRESULT {
        MoveParentForm(x, y, true, true);
        if (host_ && host_->OnResizeBy) host_->OnResizeBy(host_, x, y);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::Download(IMoniker* pmk, IBindCtx* pbc, DWORD dwBindVerb, LONG grfBINDF,
                                            BINDINFO* pBindInfo, LPCOLESTR pszHeaders, LPCOLESTR pszRedir, UINT uiCP) {
    return Answer([&]() -> HRESULT {
        HRESULT hr = E_NOTIMPL;
        if (host_ && host_->OnFileDownload)
            host_->OnFileDownload(host_, pmk, pbc, dwBindVerb, grfBINDF, pBindInfo, pszHeaders, pszRedir, uiCP, hr);
        return hr;
    }, E_NOTIMPL);
}

HRESULT STDMETHODCALLTYPE TBhSite::AllowFocusChange(WINBOOL* pfAllow) {
    if (!pfAllow) return E_POINTER;
    return Answer([&]() -> HRESULT {
        BOOL allow = host_ ? host_->FocusAllowed() : TRUE;
        if (host_ && host_->OnAllowFocusChange) host_->OnAllowFocusChange(host_, allow);
        *pfAllow = allow;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::EvaluateNewWindow(LPCWSTR pszUrl, LPCWSTR pszName, LPCWSTR pszUrlContext,
                                                     LPCWSTR pszFeatures, WINBOOL fReplace, DWORD dwFlags,
                                                     DWORD dwUserActionTime) {
    return Answer([&]() -> HRESULT {
        HRESULT hr = E_FAIL;
        if (host_ && host_->OnEvaluateNewWindow)
            host_->OnEvaluateNewWindow(host_, pszUrl, pszName, pszUrlContext, pszFeatures, fReplace, dwFlags,
                                       dwUserActionTime, hr);
        return hr;
    });
}

// --- IDispatch (ambient properties) ---------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TBhSite::GetTypeInfoCount(UINT* pctinfo) {
    if (!pctinfo) return E_POINTER;
    *pctinfo = 0;
    return Answer([&]() -> HRESULT {
        HRESULT hr = S_OK;
        if (host_ && host_->OnGetTypeInfoCount) host_->OnGetTypeInfoCount(host_, pctinfo, hr);
        return hr;
    });
}

HRESULT STDMETHODCALLTYPE TBhSite::GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) {
    if (!ppTInfo) return E_POINTER;
    *ppTInfo = nullptr;
    return Answer([&]() -> HRESULT {
        HRESULT hr = E_NOTIMPL;
        if (host_ && host_->OnGetTypeInfo) host_->OnGetTypeInfo(host_, iTInfo, lcid, ppTInfo, hr);
        return hr;
    }, E_NOTIMPL);
}

HRESULT STDMETHODCALLTYPE TBhSite::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                                 DISPID* rgDispId) {
    return Answer([&]() -> HRESULT {
        HRESULT hr = E_NOTIMPL;
        if (host_ && host_->OnGetIDsOfNames) host_->OnGetIDsOfNames(host_, riid, rgszNames, cNames, lcid, rgDispId, hr);
        return hr;
    }, E_NOTIMPL);
}

HRESULT TBhSite::InvokeAmbient(DISPID dispIdMember, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult) {
    const bool get = (wFlags & DISPATCH_PROPERTYGET) && pVarResult;
    if (get) {
        switch (dispIdMember) {
            case DispidAmbientUserAgent: {
                const std::string agent = host_->UserAgentCallback ? host_->UserAgentCallback() : std::string();
                if (agent.empty()) break;
                ::VariantInit(pVarResult);
                pVarResult->vt = VT_BSTR;
                pVarResult->bstrVal = ::SysAllocString(Widen(agent + "\r\n").c_str());
                return S_OK;
            }
            case DispidAmbientDlControl:
                ::VariantInit(pVarResult);
                pVarResult->vt = VT_I4;
                pVarResult->lVal = static_cast<LONG>(host_->DownloadControlFlagValue());
                return S_OK;
            case DispidAmbientUserMode:
                ::VariantInit(pVarResult);
                pVarResult->vt = VT_BOOL;
                pVarResult->boolVal = host_->DesignMode() ? VARIANT_FALSE : VARIANT_TRUE;
                return S_OK;
            default: break;
        }
    }
    if ((wFlags & DISPATCH_PROPERTYPUT) && dispIdMember == DispidAmbientUserMode && pDispParams &&
        pDispParams->cArgs >= 1) {
        VARIANT v;
        ::VariantInit(&v);
        if (SUCCEEDED(::VariantChangeType(&v, &pDispParams->rgvarg[0], 0, VT_BOOL))) {
            host_->SetDesignMode(v.boolVal != VARIANT_FALSE);
            return S_OK;
        }
        return DISP_E_TYPEMISMATCH;
    }
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT STDMETHODCALLTYPE TBhSite::Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                          DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                          UINT* puArgErr) {
    if (!host_) return DISP_E_MEMBERNOTFOUND;
    try {
        HRESULT hr = InvokeAmbient(dispIdMember, wFlags, pDispParams, pVarResult);
        if (hr == DISP_E_MEMBERNOTFOUND && host_->OnInvoke)
            host_->OnInvoke(host_, dispIdMember, riid, lcid, wFlags, pDispParams, pVarResult, pExcepInfo, puArgErr,
                            hr);
        return hr;
    } catch (const std::exception& e) {
        if (pExcepInfo) {
            *pExcepInfo = EXCEPINFO{};
            pExcepInfo->wCode = 9999;
            if (const auto* ole = dynamic_cast<const EOleException*>(&e))
                pExcepInfo->dwHelpContext = static_cast<DWORD>(ole->HelpContext);
            pExcepInfo->bstrSource = ::SysAllocString(Widen(ClassNameOf(typeid(e))).c_str());
            pExcepInfo->bstrDescription = ::SysAllocString(Widen(e.what()).c_str());
        }
        return DISP_E_EXCEPTION;
    } catch (...) {
        HandleCallbackException(std::current_exception());
        return DISP_E_EXCEPTION;
    }
}

}  // namespace ad::browser
