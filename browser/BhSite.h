// TBhSite: the one COM object through which the embedded browser talks to its
// host control. It is the browser's client and in-place site (with a minimal
// frame) and answers the document-host interfaces — context menus, host
// information, key strokes, commands and script errors, services, drops,
// downloads, new windows, authentication, focus, zoom and window moves — and
// the ambient properties, from the options and events of its
// TCustomBrowserHost. It is reference counted on its own: when the host goes
// first it is detached and every later call gets a neutral answer.
#pragma once

#include <windows.h>
#include <docobj.h>
#include <downloadmgr.h>
#include <mshtmhst.h>
#include <oleidl.h>
#include <servprov.h>
#include <shobjidl.h>
#include <urlmon.h>

#include <atomic>

namespace ad::browser {

class TCustomBrowserHost;

// The behaviour-namespace host interface (declared here so that the whole
// HTML object model need not be included).
struct IHostBehaviorInit : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE PopulateNamespaceTable() = 0;
};

// The identifiers of the interfaces the site answers.
extern const IID IID_BhAuthenticate, IID_BhZoomEvents, IID_BhHostBehaviorInit, IID_BhOMWindowServices,
    IID_BhDownloadManager, IID_BhProtectFocus, IID_BhNewWindowManager, IID_BhServiceProvider,
    IID_BhOleCommandTarget, IID_BhDropTarget, IID_BhDocHostUIHandler2, IID_BhDocHostUIHandler,
    IID_BhDocHostShowUI, IID_BhDispatch;
// The command groups Exec knows.
extern const GUID CGID_BhShellDocView, CGID_BhDocHostCommandHandler;

class TBhSite final : public IOleClientSite,
                      public IOleInPlaceSite,
                      public IOleInPlaceFrame,
                      public IDocHostUIHandler2,
                      public IDocHostShowUI,
                      public IOleCommandTarget,
                      public IServiceProvider,
                      public IDropTarget,
                      public IAuthenticate,
                      public IZoomEvents,
                      public IHostBehaviorInit,
                      public IHTMLOMWindowServices,
                      public IDownloadManager,
                      public IProtectFocus,
                      public INewWindowManager,
                      public IDispatch {
public:
    // Made with one reference, held by the caller.
    explicit TBhSite(TCustomBrowserHost* host);
    void Detach() { host_ = nullptr; }
    TCustomBrowserHost* Host() const { return host_; }
    ULONG RefCount() const { return refs_; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** ppmk) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override;
    HRESULT STDMETHODCALLTYPE OnShowWindow(WINBOOL) override;
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;

    // IOleWindow (shared by the site and the frame)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override;

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnUIActivate() override;
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                               LPRECT lprcPosRect, LPRECT lprcClipRect,
                                               LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override;
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(WINBOOL) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT lprcPosRect) override;

    // IOleInPlaceUIWindow / IOleInPlaceFrame
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override;
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override;
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override;
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override;
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override;
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override;
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override;
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override;

    // IDocHostUIHandler2 (EnableModeless also serves the frame)
    HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                              IDispatch* pdispReserved) override;
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* pInfo) override;
    HRESULT STDMETHODCALLTYPE ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                                     IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                                     IOleInPlaceUIWindow* pDoc) override;
    HRESULT STDMETHODCALLTYPE HideUI() override;
    HRESULT STDMETHODCALLTYPE UpdateUI() override;
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL fEnable) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(WINBOOL fActivate) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(WINBOOL fActivate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                           WINBOOL fRameWindow) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) override;
    HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) override;
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) override;
    HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** ppDispatch) override;
    HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) override;
    HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) override;
    HRESULT STDMETHODCALLTYPE GetOverrideKeyPath(LPOLESTR* pchKey, DWORD dw) override;

    // IDocHostShowUI
    HRESULT STDMETHODCALLTYPE ShowMessage(HWND hwnd, LPOLESTR lpstrText, LPOLESTR lpstrCaption, DWORD dwType,
                                          LPOLESTR lpstrHelpFile, DWORD dwHelpContext, LRESULT* plResult) override;
    HRESULT STDMETHODCALLTYPE ShowHelp(HWND hwnd, LPOLESTR pszHelpFile, UINT uCommand, DWORD dwData, POINT ptMouse,
                                       IDispatch* pDispatchObjectHit) override;

    // IOleCommandTarget
    HRESULT STDMETHODCALLTYPE QueryStatus(const GUID* pguidCmdGroup, ULONG cCmds, OLECMD prgCmds[],
                                          OLECMDTEXT* pCmdText) override;
    HRESULT STDMETHODCALLTYPE Exec(const GUID* pguidCmdGroup, DWORD nCmdID, DWORD nCmdexecopt, VARIANT* pvaIn,
                                   VARIANT* pvaOut) override;

    // IServiceProvider
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID guidService, REFIID riid, void** ppv) override;

    // IDropTarget
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                        DWORD* pdwEffect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

    // IAuthenticate
    HRESULT STDMETHODCALLTYPE Authenticate(HWND* phwnd, LPWSTR* pszUsername, LPWSTR* pszPassword) override;
    // IZoomEvents
    HRESULT STDMETHODCALLTYPE OnZoomPercentChanged(ULONG ulZoomPercent) override;
    // IHostBehaviorInit
    HRESULT STDMETHODCALLTYPE PopulateNamespaceTable() override;
    // IHTMLOMWindowServices
    HRESULT STDMETHODCALLTYPE moveTo(LONG x, LONG y) override;
    HRESULT STDMETHODCALLTYPE moveBy(LONG x, LONG y) override;
    HRESULT STDMETHODCALLTYPE resizeTo(LONG x, LONG y) override;
    HRESULT STDMETHODCALLTYPE resizeBy(LONG x, LONG y) override;
    // IDownloadManager
    HRESULT STDMETHODCALLTYPE Download(IMoniker* pmk, IBindCtx* pbc, DWORD dwBindVerb, LONG grfBINDF,
                                       BINDINFO* pBindInfo, LPCOLESTR pszHeaders, LPCOLESTR pszRedir,
                                       UINT uiCP) override;
    // IProtectFocus
    HRESULT STDMETHODCALLTYPE AllowFocusChange(WINBOOL* pfAllow) override;
    // INewWindowManager
    HRESULT STDMETHODCALLTYPE EvaluateNewWindow(LPCWSTR pszUrl, LPCWSTR pszName, LPCWSTR pszUrlContext,
                                                LPCWSTR pszFeatures, WINBOOL fReplace, DWORD dwFlags,
                                                DWORD dwUserActionTime) override;

    // IDispatch (ambient properties)
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                            DISPID* rgDispId) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                     DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                     UINT* puArgErr) override;

private:
    ~TBhSite() = default;
    HRESULT InvokeAmbient(DISPID dispIdMember, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult);
    HRESULT ShowOwnMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved);
    HRESULT MoveParentForm(LONG x, LONG y, bool relative, bool size);

    std::atomic<ULONG> refs_{1};
    TCustomBrowserHost* host_;
};

}  // namespace ad::browser
