// The browser host control's embedding, options and answer steps (see BhCore.h).
#include "browser/BhCore.h"

#include <oleauto.h>

#include "base/WinText.h"
#include "browser/BhSite.h"
#include "browser/BhTools.h"
#include "framework/Forms.h"

namespace ad::browser {

namespace {

// A property of an automation object read by name (the caller clears the
// result); raises when the object does not know the name.
VARIANT DispatchProperty(IDispatch* object, const wchar_t* name) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        throw EOleException(DISP_E_UNKNOWNNAME, Format("'%s' is not supported.", Narrow(name).c_str()));
    DISPPARAMS none{};
    VARIANT v;
    ::VariantInit(&v);
    OleCheck(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr),
             Narrow(name).c_str());
    return v;
}

std::string DispatchText(IDispatch* object, const wchar_t* name) {
    VARIANT v = DispatchProperty(object, name);
    VARIANT text;
    ::VariantInit(&text);
    std::string out;
    if (v.vt != VT_DISPATCH && SUCCEEDED(::VariantChangeType(&text, &v, 0, VT_BSTR)) && text.bstrVal)
        out = Narrow(text.bstrVal);
    ::VariantClear(&text);
    ::VariantClear(&v);
    return out;
}

ComPtr<IDispatch> DispatchObject(IDispatch* object, const wchar_t* name) {
    VARIANT v = DispatchProperty(object, name);
    ComPtr<IDispatch> out;
    if ((v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN) && v.punkVal)
        v.punkVal->QueryInterface(IID_IDispatch, out.PutVoid());
    ::VariantClear(&v);
    if (!out) throw EOleException(E_NOINTERFACE, Format("'%s' is not an object.", Narrow(name).c_str()));
    return out;
}

}  // namespace

TCustomBrowserHost::TCustomBrowserHost(TComponent* AOwner) : TWinControl(AOwner), site_(new TBhSite(this)) {
    SetUserInterfaceOptions(DefaultUserInterfaceOptions());
    SetDownloadOptions(DefaultDownloadOptions());
    TickSource = [] { return ::GetTickCount(); };
    SetTabStop(true);
}

TCustomBrowserHost::~TCustomBrowserHost() {
    BeginDestroy();
    CloseBrowser();
    if (parked_ && ::IsWindow(parked_)) ::DestroyWindow(parked_);
    parked_ = nullptr;
    DestroyHandle();
    site_->Detach();
}

void TCustomBrowserHost::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
}

void TCustomBrowserHost::AfterCreateWnd() {
    TWinControl::AfterCreateWnd();
    if (parked_ && ::IsWindow(parked_)) {
        // Take the parked browser back: the page it holds stays.
        ::SetParent(parked_, handle_);
        RECT r;
        ::GetClientRect(handle_, &r);
        ::MoveWindow(parked_, 0, 0, r.right, r.bottom, TRUE);
        parked_ = nullptr;
        return;
    }
    parked_ = nullptr;
    if (!oleObject_) CreateBrowser();
}

void TCustomBrowserHost::BeforeDestroyWnd() {
    if (!Destroying()) {
        // Re-creating the window (new parent, docking): park the browser's
        // window instead of letting it go with ours.
        if (HWND browser = BrowserWindow()) {
            HWND parking = Application && Application->Handle() ? Application->Handle() : HWND_MESSAGE;
            ::SetParent(browser, parking);
            parked_ = browser;
        }
    }
    if (dropWindow_) {
        ::RevokeDragDrop(dropWindow_);
        dropWindow_ = nullptr;
    }
    TWinControl::BeforeDestroyWnd();
}

void TCustomBrowserHost::CreateBrowser() {
    createError_ = ::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                      oleObject_.PutVoid());
    if (FAILED(createError_)) {
        oleObject_.Reset();
        return;
    }
    oleObject_->SetClientSite(static_cast<IOleClientSite*>(site_.Get()));
    oleObject_->QueryInterface(IID_IWebBrowser2, browser_.PutVoid());
    RECT r;
    ::GetClientRect(handle_, &r);
    createError_ = oleObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(site_.Get()), 0,
                                      handle_, &r);
}

void TCustomBrowserHost::CloseBrowser() {
    if (!oleObject_) return;
    ComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(oleObject_->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid()))) inPlace->InPlaceDeactivate();
    oleObject_->Close(OLECLOSE_NOSAVE);
    oleObject_->SetClientSite(nullptr);
    browser_.Reset();
    oleObject_.Reset();
}

HWND TCustomBrowserHost::BrowserWindow() const {
    if (!oleObject_) return nullptr;
    ComPtr<IOleInPlaceObject> inPlace;
    HWND wnd = nullptr;
    if (SUCCEEDED(oleObject_->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid()))) inPlace->GetWindow(&wnd);
    return wnd;
}

ComPtr<IDispatch> TCustomBrowserHost::Document() const {
    ComPtr<IDispatch> doc;
    if (browser_) browser_->get_Document(doc.Put());
    return doc;
}

void TCustomBrowserHost::ActivateDocument() {
    if (!oleObject_ || !HandleAllocated()) return;
    RECT r;
    ::GetClientRect(handle_, &r);
    const bool keep = focusAllowed_;
    focusAllowed_ = true;
    const HRESULT hr = oleObject_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, static_cast<IOleClientSite*>(site_.Get()), 0,
                                          handle_, &r);
    focusAllowed_ = keep;
    if (SUCCEEDED(hr) && CanFocus()) DocumentActivated();
}

HWND TCustomBrowserHost::FindChildByClass(const wchar_t* className) {
    return HandleAllocated() ? FindDescendantByClass(handle_, className) : nullptr;
}

bool TCustomBrowserHost::HostFocused() {
    if (!HandleAllocated()) return false;
    HWND focus = ::GetFocus();
    return focus && (focus == handle_ || ::IsChild(handle_, focus));
}

void TCustomBrowserHost::WMSize(TMessage& m) {
    TWinControl::WMSize(m);
    if (!oleObject_) return;
    RECT r;
    ::GetClientRect(handle_, &r);
    ComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(oleObject_->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid()))) inPlace->SetObjectRects(&r, &r);
}

// --- options ---------------------------------------------------------------------

void TCustomBrowserHost::ExecWB(OLECMDID cmd, OLECMDEXECOPT opt, VARIANT* in, VARIANT* out) {
    if (!browser_) throw EOleException(E_NOINTERFACE, "The web browser is not available");
    OleCheck(browser_->ExecWB(cmd, opt, in, out), "ExecWB");
}

namespace {

// Sets a zoom through a range command and a set command; returns what the
// browser reports afterwards (the clamped value when it reports nothing).
int SetClampedZoom(TCustomBrowserHost& host, OLECMDID rangeCmd, OLECMDID setCmd, int value) {
    VARIANT range;
    ::VariantInit(&range);
    host.ExecWB(rangeCmd, OLECMDEXECOPT_DONTPROMPTUSER, nullptr, &range);
    VARIANT packed;
    ::VariantInit(&packed);
    if (SUCCEEDED(::VariantChangeType(&packed, &range, 0, VT_UI4))) value = ClampZoom(value, packed.ulVal);
    ::VariantClear(&range);
    VARIANT in, out;
    ::VariantInit(&in);
    ::VariantInit(&out);
    in.vt = VT_I4;
    in.lVal = value;
    host.ExecWB(setCmd, OLECMDEXECOPT_DONTPROMPTUSER, &in, &out);
    VARIANT reported;
    ::VariantInit(&reported);
    if (SUCCEEDED(::VariantChangeType(&reported, &out, 0, VT_I4))) value = reported.lVal;
    ::VariantClear(&out);
    return value;
}

}  // namespace

void TCustomBrowserHost::SetZoomPercent(int value) {
    if (value == zoomPercent_) return;
    if (!browser_) {
        zoomPercent_ = value;
        return;
    }
    zoomPercent_ = SetClampedZoom(*this, OLECMDID_OPTICAL_GETZOOMRANGE, OLECMDID_OPTICAL_ZOOM, value);
    HRESULT hr = S_OK;
    if (OnZoomPercentChange) OnZoomPercentChange(this, static_cast<ULONG>(zoomPercent_), hr);
}

void TCustomBrowserHost::SetTextSize(int value) {
    if (browser_) SetClampedZoom(*this, OLECMDID_GETZOOMRANGE, OLECMDID_ZOOM, value);
}

void TCustomBrowserHost::AmbientPropertyChanged(DISPID dispid) {
    if (!oleObject_) return;
    ComPtr<IOleControl> control;
    if (SUCCEEDED(oleObject_->QueryInterface(IID_IOleControl, control.PutVoid()))) control->OnAmbientPropertyChange(dispid);
}

void TCustomBrowserHost::SetDownloadOptions(TDownloadControlOptions value) {
    downloadOptions_ = value;
    downloadFlags_ = DownloadControlFlags(value);
    AmbientPropertyChanged(-5512);
}

void TCustomBrowserHost::SetUserInterfaceOptions(TUserInterfaceOptions value) {
    uiOptions_ = value;
    hostInfoFlags_ = HostInfoFlags(value);
    AmbientPropertyChanged(-5512);
}

void TCustomBrowserHost::SetBrowserDropTarget(bool value) {
    if (browser_) browser_->put_RegisterAsDropTarget(value ? VARIANT_TRUE : VARIANT_FALSE);
}

void TCustomBrowserHost::SetDropHandlingType(TDragDropHandlingType value) {
    if (value == dropHandling_) return;
    dropHandling_ = value;
    ApplyDropTarget();
}

void TCustomBrowserHost::ApplyDropTarget() {
    HWND server = FindChildByClass(L"Internet Explorer_Server");
    if (server) ::RevokeDragDrop(server);
    if (dropWindow_ == server) dropWindow_ = nullptr;
    ComPtr<IDropTarget> target;
    switch (dropHandling_) {
        case TDragDropHandlingType::ddtMS: SetBrowserDropTarget(true); break;
        case TDragDropHandlingType::ddtMy: target = ComPtr<IDropTarget>(static_cast<IDropTarget*>(site_.Get())).Copy(); break;
        case TDragDropHandlingType::ddtCustom:
            if (!server) break;
            site_->AddRef();
            target.Reset(static_cast<IDropTarget*>(site_.Get()));
            if (OnGetDropTarget) OnGetDropTarget(this, target);
            break;
        case TDragDropHandlingType::ddtNo: SetBrowserDropTarget(false); break;
    }
    if (target && server && SUCCEEDED(::RegisterDragDrop(server, target.Get()))) dropWindow_ = server;
}

// --- answer steps ----------------------------------------------------------------------

bool TCustomBrowserHost::IsMaskedShortcut(const MSG& msg) {
    return IsMaskedCtrlShortcut(msg.message, static_cast<unsigned>(msg.wParam), ::GetKeyState(VK_CONTROL) < 0,
                                ::GetKeyState(VK_SHIFT) < 0, ::GetKeyState(VK_MENU) < 0, DisableCtrlShortcuts);
}

HRESULT TCustomBrowserHost::ScriptErrorStep(VARIANT* vaIn, VARIANT* vaOut) {
    const TScriptErrorAnswer answer = ScriptErrorAnswer(ScriptErrorAction);
    if (OnScriptError && vaIn && (vaIn->vt == VT_UNKNOWN || vaIn->vt == VT_DISPATCH) && vaIn->punkVal) {
        ComPtr<IDispatch> document;
        if (SUCCEEDED(vaIn->punkVal->QueryInterface(IID_IDispatch, document.PutVoid()))) {
            ComPtr<IDispatch> window = DispatchObject(document.Get(), L"parentWindow");
            ComPtr<IDispatch> event = DispatchObject(window.Get(), L"event");
            const std::string line = DispatchText(event.Get(), L"errorline");
            const std::string character = DispatchText(event.Get(), L"errorCharacter");
            const std::string code = DispatchText(event.Get(), L"errorCode");
            const std::string message = DispatchText(event.Get(), L"errorMessage");
            const std::string url = DispatchText(event.Get(), L"errorUrl");
            OnScriptError(this, line, character, code, message, url, ScriptErrorAction);
        }
    }
    if (answer.AskUser) return S_FALSE;
    if (vaOut) {
        ::VariantClear(vaOut);
        vaOut->vt = VT_BOOL;
        vaOut->boolVal = answer.ContinueScripts ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return S_OK;
}

bool TCustomBrowserHost::ServesService(REFGUID service, REFIID riid) {
    if (IsEqualGUID(service, IID_BhNewWindowManager) && OnEvaluateNewWindow) return true;
    if (IsEqualGUID(service, IID_BhProtectFocus)) return true;
    if (IsEqualGUID(service, IID_BhDownloadManager) && OnFileDownload) return true;
    if (IsEqualGUID(service, IID_BhHostBehaviorInit) && OnPopulateNSTable) return true;
    if (IsEqualGUID(service, IID_BhOMWindowServices) && (FloatingHosting || OnMove || OnMoveBy || OnResize || OnResizeBy))
        return true;
    return IsEqualIID(riid, IID_BhAuthenticate) && static_cast<bool>(OnAuthenticate);
}

bool TCustomBrowserHost::MenuFilterWanted() { return static_cast<bool>(OnFilterPopupMenu); }

void TCustomBrowserHost::FilterMenu(DWORD id, HMENU menu, IUnknown* context) {
    if (OnFilterPopupMenu) OnFilterPopupMenu(this, id, menu, context);
}

void TCustomBrowserHost::PreRefresh() {
    static TTickThrottle throttle(150);  // one for every host of the process
    if (!throttle.Allow(TickSource ? TickSource() : ::GetTickCount())) return;
    if (OnPreRefresh) OnPreRefresh(this);
    if (RefreshCallback && (FindChildByClass(L"Internet Explorer_Server") || FindChildByClass(L"SysListView32")))
        RefreshCallback();
}

}  // namespace ad::browser
