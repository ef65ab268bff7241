// TCustomBrowserHost: a windowed control that embeds the system web browser
// object and answers its document-host interfaces (through TBhSite) from the
// options below; every callback is offered to an On... event that may change
// the answer. The browser's window lives inside the control's window and is
// parked (kept, hidden under the application window) while the control's
// window is re-created, so the loaded page survives.
//
// OnResize, OnMove, OnKeyDown, OnKeyUp and OnClick here are the browser's
// events of those names and hide the plain control events.
#pragma once

#include <windows.h>
#include <docobj.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <ole2.h>
#include <urlmon.h>

#include <functional>
#include <string>

#include "base/Exception.h"
#include "browser/BhRules.h"
#include "framework/Controls.h"
#include "framework/Handles.h"

namespace ad::browser {

class TBhSite;

// A browser call that failed (the class library's OLE exception).
class EOleException : public Exception {
public:
    EOleException(HRESULT code, const std::string& message) : Exception(message), ErrorCode(code) {}
    HRESULT ErrorCode;
    int HelpContext = 0;
};
// Raises EOleException for a failure code; returns the code otherwise.
HRESULT OleCheck(HRESULT hr, const char* what);

class TCustomBrowserHost : public TWinControl {
public:
    explicit TCustomBrowserHost(TComponent* AOwner);
    ~TCustomBrowserHost() override;

    // --- the browser ---
    // The embedded browser (made with the window); null when it could not be made.
    IWebBrowser2* Browser() const { return browser_.Get(); }
    IOleObject* OleObject() const { return oleObject_.Get(); }
    // The COM object that answers the browser's host interfaces.
    TBhSite* Site() const { return site_.Get(); }
    HRESULT CreateError() const { return createError_; }
    // The browser's own top window ("Shell Embedding"), or null.
    HWND BrowserWindow() const;
    // The browser's document, or null.
    ComPtr<IDispatch> Document() const;
    // Asks the browser to activate its document (UI activation) and makes this
    // control its form's active control.
    void ActivateDocument();
    // The nearest descendant window of that class (following first children).
    HWND FindChildByClass(const wchar_t* className);
    bool HostFocused();  // the focus is in this control or the browser inside it

    // --- options ---
    int ZoomPercent() const { return zoomPercent_; }
    void SetZoomPercent(int value);  // clamped to the browser's optical zoom range
    // Text size 0..4 through the browser's older zoom command, clamped the same way.
    void SetTextSize(int value);
    TDownloadControlOptions DownloadOptions() const { return downloadOptions_; }
    void SetDownloadOptions(TDownloadControlOptions value);
    TUserInterfaceOptions UserInterfaceOptions() const { return uiOptions_; }
    void SetUserInterfaceOptions(TUserInterfaceOptions value);
    TDragDropHandlingType DropHandlingType() const { return dropHandling_; }
    void SetDropHandlingType(TDragDropHandlingType value);
    TIEPopupMenus DisabledPopupMenus;
    TScriptErrorAction ScriptErrorAction = TScriptErrorAction::eaContinue;
    std::string DisableCtrlShortcuts = "N";
    std::string HelpFile;
    std::wstring OptionKeyPath;
    bool OverrideOptionKeyPath = false;
    bool FloatingHosting = false;
    // The control's own popup menu, shown instead of a suppressed browser menu.
    HMENU PopupMenu = nullptr;

    // The flag sums the browser is given.
    std::uint32_t HostInfoFlagValue() const { return hostInfoFlags_; }
    std::uint32_t DownloadControlFlagValue() const { return downloadFlags_; }
    bool DesignMode() const { return designMode_; }
    void SetDesignMode(bool value) { designMode_ = value; }
    bool FocusAllowed() const { return focusAllowed_; }

    // Set by the browser host: the user agent for the ambient property ("" none)
    // and what a refresh does to the child-window hooks.
    std::function<std::string()> UserAgentCallback;
    std::function<void()> RefreshCallback;
    // The clock of the pre-refresh throttle (GetTickCount unless replaced).
    std::function<DWORD()> TickSource;

    // --- events ---
    std::function<void(TObject*, BOOL& Allow)> OnAllowFocusChange;
    std::function<void(TObject*, REFIID, LPOLESTR*, UINT, LCID, DISPID*, HRESULT& Rezult)> OnGetIDsOfNames;
    std::function<void(TObject*, UINT, LCID, ITypeInfo**, HRESULT& Rezult)> OnGetTypeInfo;
    std::function<void(TObject*, UINT*, HRESULT& Rezult)> OnGetTypeInfoCount;
    std::function<void(TObject*, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*,
                       HRESULT& Rezult)>
        OnInvoke;
    std::function<void(TObject*, HWND, LPOLESTR HelpFile, UINT Command, DWORD Data, POINT, IDispatch*,
                       HRESULT& Rezult)>
        OnShowHelpRequest;
    std::function<void(TObject*, HWND, LPOLESTR Text, LPOLESTR Caption, DWORD Type, LPOLESTR HelpFile,
                       DWORD HelpContext, LRESULT* Result, HRESULT& Rezult)>
        OnShowMessage;
    std::function<void(TObject*, IDataObject* In, ComPtr<IDataObject>& Out)> OnFilterDataObject;
    std::function<void(TObject*, ComPtr<IDispatch>& External)> OnGetExternal;
    std::function<void(TObject*, DOCHOSTUIINFO& Info)> OnGetHostInfo;
    std::function<void(TObject*, BOOL Enable)> OnEnableModeless;
    std::function<void(TObject*, ULONG ZoomPercent, HRESULT& Rezult)> OnZoomPercentChange;
    std::function<void(TObject*, ComPtr<IDropTarget>& DropTarget)> OnGetDropTarget;
    std::function<void(TObject*, HRESULT& Rezult)> OnHideUI;
    std::function<void(TObject*, BOOL Activate)> OnOnDocWindowActivate;
    std::function<void(TObject*, BOOL Activate)> OnOnFrameWindowActivate;
    std::function<void(TObject*, LPCRECT Border, IOleInPlaceUIWindow*, BOOL FrameWindow)> OnResizeBorder;
    std::function<void(TObject*, DWORD ID, POINT* Point, IUnknown* CommandTarget, IDispatch* Object,
                       HRESULT& Rezult)>
        OnShowContextMenu;
    std::function<void(TObject*, DWORD ID, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                       IOleInPlaceUIWindow*, HRESULT& Rezult)>
        OnShowUI;
    std::function<void(TObject*, const MSG* Msg, const GUID* CmdGroup, DWORD CmdID, bool& Done)>
        OnTranslateAccelerator;
    std::function<void(TObject*, DWORD Translate, const wchar_t* UrlIn, std::wstring& UrlOut)> OnTranslateUrl;
    std::function<void(TObject*, HRESULT& Rezult)> OnUpdateUI;
    std::function<void(TObject*, IDataObject*, DWORD KeyState, POINTL, DWORD& Effect, HRESULT& Rezult)> OnDragEnter;
    std::function<void(TObject*)> OnDragLeave;
    std::function<void(TObject*, DWORD KeyState, POINTL, DWORD& Effect, HRESULT& Rezult)> OnDragOver2;
    std::function<void(TObject*, IDataObject*, DWORD KeyState, POINTL, DWORD& Effect, HRESULT& Rezult)> OnDropEvent;
    std::function<void(TObject*, const std::string& ErrorLine, const std::string& ErrorCharacter,
                       const std::string& ErrorCode, const std::string& ErrorMessage, const std::string& ErrorUrl,
                       TScriptErrorAction& ScriptErrorAction)>
        OnScriptError;
    std::function<void(TObject*, DWORD CmdID, bool& Cancel)> OnRefresh;
    TNotifyEvent OnStop;
    TNotifyEvent OnUnload;
    TNotifyEvent OnPreRefresh;
    std::function<void(TObject*, const GUID* CmdGroup, DWORD CmdID, DWORD CmdExecOpt, VARIANT* In, VARIANT* Out,
                       HRESULT& Rezult)>
        OnCommandExec;
    std::function<void(TObject*, REFGUID Service, REFIID Iid, ComPtr<IUnknown>& Obj)> OnQueryService;
    std::function<void(TObject*, LPCWSTR Url, LPCWSTR Name, LPCWSTR UrlContext, LPCWSTR Features, BOOL Replace,
                       DWORD Flags, DWORD UserActionTime, HRESULT& Rezult)>
        OnEvaluateNewWindow;
    std::function<void(TObject*, IMoniker*, IBindCtx*, DWORD BindVerb, LONG GrfBINDF, BINDINFO*, LPCOLESTR Headers,
                       LPCOLESTR Redir, UINT CodePage, HRESULT& Rezult)>
        OnFileDownload;
    std::function<void(TObject*, DWORD ID, HMENU Menu, IUnknown* Context)> OnFilterPopupMenu;
    std::function<void(TObject*, char MaskedChar)> OnMaskedCtrlChar;
    std::function<void(TObject*, int X, int Y)> OnMove;
    std::function<void(TObject*, int X, int Y)> OnMoveBy;
    std::function<void(TObject*, int Width, int Height)> OnResize;
    std::function<void(TObject*, int Width, int Height)> OnResizeBy;
    TNotifyEvent OnPopulateNSTable;
    std::function<void(TObject*, HWND& Wnd, std::wstring& UserName, std::wstring& PassWord, HRESULT& Rezult)>
        OnAuthenticate;

    // --- the steps the document-host answers use (overridable) ---
    virtual bool IsMaskedShortcut(const MSG& msg);
    // The script-error step for command 40; vaIn carries the document.
    virtual HRESULT ScriptErrorStep(VARIANT* vaIn, VARIANT* vaOut);
    // Whether QueryService hands out the host's own riid for this service.
    virtual bool ServesService(REFGUID service, REFIID riid);
    virtual bool MenuFilterWanted();
    virtual void FilterMenu(DWORD id, HMENU menu, IUnknown* context);
    // After GetHostInfo's event: the browser host adds its style sheet and namespaces.
    virtual void CompleteHostInfo(DOCHOSTUIINFO& info) { (void)info; }
    // The browser's pre-refresh notice: OnPreRefresh at most once per 150 ms,
    // then the refresh callback when the browser shows a page or a folder.
    void PreRefresh();

    // Throws the given answers at the browser: its IOleControl learns that an
    // ambient property (a DISPID_AMBIENT_* value) changed.
    void AmbientPropertyChanged(DISPID dispid);
    // ExecWB through the browser; raises EOleException on failure.
    void ExecWB(OLECMDID cmd, OLECMDEXECOPT opt, VARIANT* in, VARIANT* out);
    // Sets the browser's RegisterAsDropTarget property.
    void SetBrowserDropTarget(bool value);

protected:
    // The document took the UI activation: the control is its form's active control.
    virtual void DocumentActivated() {}
    void CreateParams(TCreateParams& params) override;
    void AfterCreateWnd() override;
    void BeforeDestroyWnd() override;
    void WMSize(TMessage& m) override;

    // Makes and embeds the browser object (tests replace it with a stand-in).
    virtual void CreateBrowser();

private:
    friend class TBhSite;
    void CloseBrowser();
    void ApplyDropTarget();

    ComPtr<TBhSite> site_;
    ComPtr<IOleObject> oleObject_;
    ComPtr<IWebBrowser2> browser_;
    HRESULT createError_ = S_OK;
    HWND parked_ = nullptr;
    int zoomPercent_ = 100;
    TDownloadControlOptions downloadOptions_;
    TUserInterfaceOptions uiOptions_;
    TDragDropHandlingType dropHandling_ = TDragDropHandlingType::ddtMS;
    std::uint32_t hostInfoFlags_ = 0;
    std::uint32_t downloadFlags_ = 0;
    bool designMode_ = false;
    bool focusAllowed_ = true;
    HWND dropWindow_ = nullptr;  // where our drop target is registered
};

}  // namespace ad::browser
