// The document-host interfaces, called directly as the browser would call
// them: no HTML engine is needed for any of these.
#include "browser/BhSite.h"

#include <oleauto.h>

#include <cstring>
#include <map>
#include <memory>

#include <gtest/gtest.h>

#include "browser/BhCore.h"
#include "framework/ExceptionBarrier.h"

namespace ad::browser {
namespace {

// A host without a window (no browser is made) and its site.
class BhSiteTest : public ::testing::Test {
protected:
    void SetUp() override { host_ = std::make_unique<TCustomBrowserHost>(nullptr); }
    TBhSite* Site() { return host_->Site(); }
    std::unique_ptr<TCustomBrowserHost> host_;
};

TEST_F(BhSiteTest, EveryInterfaceIsTheSameObjectWithBalancedCounts) {
    const IID* iids[] = {&IID_IUnknown, &IID_IOleClientSite, &IID_IOleWindow, &IID_IOleInPlaceSite,
                         &IID_IOleInPlaceUIWindow, &IID_IOleInPlaceFrame, &IID_BhAuthenticate, &IID_BhZoomEvents,
                         &IID_BhHostBehaviorInit, &IID_BhOMWindowServices, &IID_BhDownloadManager,
                         &IID_BhProtectFocus, &IID_BhNewWindowManager, &IID_BhServiceProvider,
                         &IID_BhOleCommandTarget, &IID_BhDropTarget, &IID_BhDocHostUIHandler2,
                         &IID_BhDocHostUIHandler, &IID_BhDocHostShowUI, &IID_BhDispatch};
    const ULONG start = Site()->RefCount();
    IUnknown* identity = nullptr;
    ASSERT_EQ(Site()->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    for (const IID* iid : iids) {
        IUnknown* p = nullptr;
        ASSERT_EQ(Site()->QueryInterface(*iid, reinterpret_cast<void**>(&p)), S_OK);
        ASSERT_TRUE(p);
        IUnknown* back = nullptr;
        ASSERT_EQ(p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&back)), S_OK);
        EXPECT_EQ(back, identity);  // one COM identity
        back->Release();
        p->Release();
    }
    identity->Release();
    EXPECT_EQ(Site()->RefCount(), start);
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(Site()->QueryInterface(IID_IStream, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
}

TEST_F(BhSiteTest, DocHostUIHandlerVtableHasTheUpdatedSlot) {
    // Calls through the published interface pointers land on the right methods.
    IDocHostUIHandler2* h = nullptr;
    ASSERT_EQ(Site()->QueryInterface(IID_BhDocHostUIHandler2, reinterpret_cast<void**>(&h)), S_OK);
    host_->OptionKeyPath = L"Software\\Appdeck\\Browser";
    host_->OverrideOptionKeyPath = true;
    LPOLESTR key = nullptr;
    EXPECT_EQ(h->GetOptionKeyPath(&key, 0), S_FALSE);
    EXPECT_EQ(key, nullptr);
    ASSERT_EQ(h->GetOverrideKeyPath(&key, 0), S_OK);
    EXPECT_STREQ(key, L"Software\\Appdeck\\Browser");
    ::CoTaskMemFree(key);
    host_->OverrideOptionKeyPath = false;
    ASSERT_EQ(h->GetOptionKeyPath(&key, 0), S_OK);
    ::CoTaskMemFree(key);
    EXPECT_EQ(h->GetOverrideKeyPath(&key, 0), S_FALSE);
    h->Release();
}

TEST_F(BhSiteTest, HostInfoFromTheOptionsThenTheEvent) {
    DOCHOSTUIINFO info;
    std::memset(&info, 0xCC, sizeof info);
    ASSERT_EQ(Site()->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.cbSize, 20u);
    EXPECT_EQ(info.dwFlags, 0x44000u);
    EXPECT_EQ(info.dwDoubleClick, 0u);
    EXPECT_EQ(info.pchHostCss, nullptr);
    EXPECT_EQ(info.pchHostNS, nullptr);

    host_->SetUserInterfaceOptions({TUserInterfaceOption::DisableTextSelect});
    host_->OnGetHostInfo = [](TObject*, DOCHOSTUIINFO& i) { i.dwDoubleClick = DOCHOSTUIDBLCLK_SHOWPROPERTIES; };
    ASSERT_EQ(Site()->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, 0x1u);
    EXPECT_EQ(info.dwDoubleClick, static_cast<DWORD>(DOCHOSTUIDBLCLK_SHOWPROPERTIES));
}

// Holds keys down in this thread's key state for the life of the object.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys) {
        ::GetKeyboardState(saved_);
        BYTE state[256];
        std::memcpy(state, saved_, sizeof state);
        for (int vk : {VK_CONTROL, VK_SHIFT, VK_MENU}) state[vk] = 0;
        for (int vk : keys) state[vk] = 0x80;
        ::SetKeyboardState(state);
    }
    ~HeldKeys() { ::SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

TEST_F(BhSiteTest, CtrlNIsMaskedCtrlShiftNPasses) {
    char masked = 0;
    host_->OnMaskedCtrlChar = [&](TObject*, char c) { masked = c; };
    MSG msg{};
    msg.message = WM_KEYDOWN;
    msg.wParam = 'N';
    {
        HeldKeys keys{VK_CONTROL};
        EXPECT_EQ(Site()->TranslateAccelerator(&msg, nullptr, 0), S_OK);
        EXPECT_EQ(masked, 'N');
    }
    masked = 0;
    {
        HeldKeys keys{VK_CONTROL, VK_SHIFT};
        EXPECT_EQ(Site()->TranslateAccelerator(&msg, nullptr, 0), S_FALSE);
        EXPECT_EQ(masked, 0);
    }
    {
        HeldKeys keys{VK_CONTROL};
        msg.wParam = 'P';
        EXPECT_EQ(Site()->TranslateAccelerator(&msg, nullptr, 0), S_FALSE);
        host_->OnTranslateAccelerator = [](TObject*, const MSG*, const GUID*, DWORD, bool& done) { done = true; };
        EXPECT_EQ(Site()->TranslateAccelerator(&msg, nullptr, 0), S_OK);
    }
}

TEST_F(BhSiteTest, ContextMenuAnswers) {
    struct Case {
        TIEPopupMenus disabled;
        DWORD kind;
        bool filter;
        HRESULT expected;
    };
    const Case cases[] = {
        {{TIEPopupMenu::rcmAll}, 0, false, S_OK},
        {{TIEPopupMenu::rcmAll}, 12, false, S_OK},
        {{TIEPopupMenu::rcmImage}, 1, false, S_OK},
        {{TIEPopupMenu::rcmImage}, 0, false, S_FALSE},
        {{}, 0, false, S_FALSE},
        {{}, 0, true, S_FALSE},  // no menu resource here: the browser shows its own
    };
    POINT pt{10, 10};
    for (const Case& c : cases) {
        host_->DisabledPopupMenus = c.disabled;
        host_->OnFilterPopupMenu = nullptr;
        if (c.filter) host_->OnFilterPopupMenu = [](TObject*, DWORD, HMENU, IUnknown*) {};
        EXPECT_EQ(Site()->ShowContextMenu(c.kind, &pt, nullptr, nullptr), c.expected) << c.kind;
    }
    host_->OnShowContextMenu = [](TObject*, DWORD, POINT*, IUnknown*, IDispatch*, HRESULT& r) { r = S_OK; };
    host_->DisabledPopupMenus = {};
    EXPECT_EQ(Site()->ShowContextMenu(0, &pt, nullptr, nullptr), S_OK);  // the event decided
}

TEST_F(BhSiteTest, QueryServiceTable) {
    struct Case {
        const char* name;
        const GUID* service;
        const IID* iid;
        std::function<void(TCustomBrowserHost&)> arrange;
        HRESULT expected;
    };
    const Case cases[] = {
        {"focus always", &IID_BhProtectFocus, &IID_BhProtectFocus, nullptr, S_OK},
        {"download without handler", &IID_BhDownloadManager, &IID_BhDownloadManager, nullptr, E_NOINTERFACE},
        {"download with handler", &IID_BhDownloadManager, &IID_BhDownloadManager,
         [](TCustomBrowserHost& h) {
             h.OnFileDownload = [](TObject*, IMoniker*, IBindCtx*, DWORD, LONG, BINDINFO*, LPCOLESTR, LPCOLESTR, UINT,
                                   HRESULT&) {};
         },
         S_OK},
        {"new window without handler", &IID_BhNewWindowManager, &IID_BhNewWindowManager, nullptr, E_NOINTERFACE},
        {"new window with handler", &IID_BhNewWindowManager, &IID_BhNewWindowManager,
         [](TCustomBrowserHost& h) {
             h.OnEvaluateNewWindow = [](TObject*, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, BOOL, DWORD, DWORD, HRESULT&) {};
         },
         S_OK},
        {"behaviours with handler", &IID_BhHostBehaviorInit, &IID_BhHostBehaviorInit,
         [](TCustomBrowserHost& h) { h.OnPopulateNSTable = [](TObject*) {}; }, S_OK},
        {"window services floating", &IID_BhOMWindowServices, &IID_BhOMWindowServices,
         [](TCustomBrowserHost& h) { h.FloatingHosting = true; }, S_OK},
        {"window services with a move handler", &IID_BhOMWindowServices, &IID_BhOMWindowServices,
         [](TCustomBrowserHost& h) { h.OnMoveBy = [](TObject*, int, int) {}; }, S_OK},
        {"window services otherwise", &IID_BhOMWindowServices, &IID_BhOMWindowServices, nullptr, E_NOINTERFACE},
        {"authenticate by interface", &IID_IUnknown, &IID_BhAuthenticate,
         [](TCustomBrowserHost& h) {
             h.OnAuthenticate = [](TObject*, HWND&, std::wstring&, std::wstring&, HRESULT&) {};
         },
         S_OK},
        {"unknown service", &IID_IStream, &IID_IStream, nullptr, E_NOINTERFACE},
    };
    for (const Case& c : cases) {
        TCustomBrowserHost host(nullptr);
        if (c.arrange) c.arrange(host);
        void* p = reinterpret_cast<void*>(1);
        EXPECT_EQ(host.Site()->QueryService(*c.service, *c.iid, &p), c.expected) << c.name;
        if (c.expected == S_OK) {
            ASSERT_TRUE(p) << c.name;
            static_cast<IUnknown*>(p)->Release();
        } else {
            EXPECT_EQ(p, nullptr) << c.name;
        }
    }
    // The event may supply any object for a service the host does not serve.
    host_->OnQueryService = [&](TObject*, REFGUID, REFIID, ComPtr<IUnknown>& obj) {
        Site()->AddRef();
        obj.Reset(static_cast<IDispatch*>(Site()));
    };
    void* p = nullptr;
    ASSERT_EQ(Site()->QueryService(IID_IStream, IID_IStream, &p), S_OK);
    static_cast<IUnknown*>(p)->Release();
}

HRESULT Exec(TBhSite* site, const GUID* group, DWORD id, VARIANT* out = nullptr) {
    return site->Exec(group, id, 0, nullptr, out);
}

TEST_F(BhSiteTest, ExecRoutesStopScriptErrorsAndRefreshes) {
    const HRESULT notSupported = static_cast<HRESULT>(0x80040100);
    int stops = 0;
    host_->OnStop = [&](TObject*) { ++stops; };
    EXPECT_EQ(Exec(Site(), nullptr, OLECMDID_STOP), notSupported);
    EXPECT_EQ(stops, 1);

    struct ScriptCase {
        TScriptErrorAction action;
        HRESULT expected;
        VARTYPE vt;
        VARIANT_BOOL value;
    };
    for (const ScriptCase& c : {ScriptCase{TScriptErrorAction::eaContinue, S_OK, VT_BOOL, VARIANT_TRUE},
                                ScriptCase{TScriptErrorAction::eaCancel, S_OK, VT_BOOL, VARIANT_FALSE},
                                ScriptCase{TScriptErrorAction::eaAskUser, S_FALSE, VT_EMPTY, 0}}) {
        host_->ScriptErrorAction = c.action;
        VARIANT out;
        ::VariantInit(&out);
        EXPECT_EQ(Exec(Site(), &CGID_BhDocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, &out), c.expected);
        EXPECT_EQ(out.vt, c.vt);
        if (c.vt == VT_BOOL) {
            EXPECT_EQ(out.boolVal, c.value);
        }
    }

    bool cancel = false;
    std::vector<DWORD> refreshes;
    host_->OnRefresh = [&](TObject*, DWORD id, bool& c) {
        refreshes.push_back(id);
        c = cancel;
    };
    for (DWORD id : {2300u, 6041u, 6042u}) EXPECT_EQ(Exec(Site(), &CGID_BhDocHostCommandHandler, id), notSupported);
    cancel = true;
    for (DWORD id : {2300u, 6041u, 6042u}) EXPECT_EQ(Exec(Site(), &CGID_BhDocHostCommandHandler, id), S_OK);
    EXPECT_EQ(refreshes, (std::vector<DWORD>{2300, 6041, 6042, 2300, 6041, 6042}));
    EXPECT_EQ(Exec(Site(), &CGID_BhShellDocView, 2300), notSupported);  // other group: not a refresh

    EXPECT_EQ(Exec(Site(), &CGID_BhShellDocView, 37), notSupported);  // unload without handler
    host_->OnUnload = [](TObject*) {};
    EXPECT_EQ(Exec(Site(), &CGID_BhShellDocView, 37), S_OK);

    host_->OnCommandExec = [](TObject*, const GUID*, DWORD id, DWORD, VARIANT*, VARIANT*, HRESULT& r) {
        if (id == 999) r = S_OK;
    };
    EXPECT_EQ(Exec(Site(), nullptr, 999), S_OK);

    OLECMD cmds[2] = {{5, 0}, {6, 0}};
    EXPECT_EQ(Site()->QueryStatus(nullptr, 2, cmds, nullptr), S_OK);
    EXPECT_EQ(cmds[0].cmdf, static_cast<DWORD>(OLECMDF_ENABLED));
}

TEST_F(BhSiteTest, PreRefreshFiresAtMostOncePer150Ms) {
    DWORD now = 5000000;
    host_->TickSource = [&] { return now; };
    int fired = 0;
    host_->OnPreRefresh = [&](TObject*) { ++fired; };
    Exec(Site(), &CGID_BhShellDocView, 39);
    now += 100;
    Exec(Site(), &CGID_BhShellDocView, 39);
    EXPECT_EQ(fired, 1);
    now += 50;
    Exec(Site(), &CGID_BhShellDocView, 39);
    EXPECT_EQ(fired, 2);
}

// A tiny automation object: named text properties and named child objects.
class FakeDispatch : public IDispatch {
public:
    std::map<std::wstring, std::wstring> Texts;
    std::map<std::wstring, FakeDispatch*> Objects;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *ppv = static_cast<IDispatch*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // owned by the test
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
        names_.push_back(names[0]);
        if (!Texts.count(names[0]) && !Objects.count(names[0])) return DISP_E_UNKNOWNNAME;
        ids[0] = static_cast<DISPID>(names_.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        const std::wstring& name = names_.at(static_cast<size_t>(id) - 1);
        if (auto o = Objects.find(name); o != Objects.end()) {
            result->vt = VT_DISPATCH;
            result->pdispVal = o->second;
        } else {
            result->vt = VT_BSTR;
            result->bstrVal = ::SysAllocString(Texts.at(name).c_str());
        }
        return S_OK;
    }

private:
    std::vector<std::wstring> names_;
};

TEST_F(BhSiteTest, ScriptErrorEventReadsTheErrorAndGovernsTheNextOne) {
    FakeDispatch event, window, document;
    event.Texts = {{L"errorline", L"12"}, {L"errorCharacter", L"4"}, {L"errorCode", L"0"},
                   {L"errorMessage", L"'x' is undefined"}, {L"errorUrl", L"about:blank"}};
    window.Objects = {{L"event", &event}};
    document.Objects = {{L"parentWindow", &window}};
    std::string seen;
    host_->OnScriptError = [&](TObject*, const std::string& line, const std::string& ch, const std::string&,
                               const std::string& message, const std::string& url, TScriptErrorAction& action) {
        seen = line + ":" + ch + " " + message + " @" + url;
        action = TScriptErrorAction::eaCancel;
    };
    VARIANT in, out;
    ::VariantInit(&out);
    in.vt = VT_DISPATCH;
    in.pdispVal = &document;
    EXPECT_EQ(Site()->Exec(&CGID_BhDocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0, &in, &out), S_OK);
    EXPECT_EQ(seen, "12:4 'x' is undefined @about:blank");
    EXPECT_EQ(out.boolVal, VARIANT_TRUE);  // this error: the action in force before the event
    EXPECT_EQ(host_->ScriptErrorAction, TScriptErrorAction::eaCancel);

    // A document whose event lacks a property: the error names it and is not answered as success.
    event.Texts.erase(L"errorUrl");
    auto previous = SetCallbackExceptionSink(nullptr);
    EXPECT_NE(Site()->Exec(&CGID_BhDocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0, &in, &out), S_OK);
    SetCallbackExceptionSink(previous);
}

TEST_F(BhSiteTest, AmbientPropertiesAndTheExceptionMapping) {
    auto get = [&](DISPID id, VARIANT& v) {
        DISPPARAMS none{};
        ::VariantInit(&v);
        return Site()->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr);
    };
    VARIANT v;
    ASSERT_EQ(get(-5512, v), S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    EXPECT_EQ(v.lVal, 0x70);

    EXPECT_EQ(get(-5513, v), DISP_E_MEMBERNOTFOUND);  // no user agent
    host_->UserAgentCallback = [] { return std::string("Appdeck/1.0"); };
    ASSERT_EQ(get(-5513, v), S_OK);
    ASSERT_EQ(v.vt, VT_BSTR);
    EXPECT_STREQ(v.bstrVal, L"Appdeck/1.0\r\n");
    ::VariantClear(&v);

    ASSERT_EQ(get(-709, v), S_OK);
    EXPECT_EQ(v.boolVal, VARIANT_TRUE);
    VARIANT arg;
    arg.vt = VT_BOOL;
    arg.boolVal = VARIANT_TRUE;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put{&arg, &named, 1, 1};
    ASSERT_EQ(Site()->Invoke(-709, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr), S_OK);
    EXPECT_TRUE(host_->DesignMode());
    ASSERT_EQ(get(-709, v), S_OK);
    EXPECT_EQ(v.boolVal, VARIANT_FALSE);

    // Anything else is offered to OnInvoke.
    EXPECT_EQ(get(-5501, v), DISP_E_MEMBERNOTFOUND);
    host_->OnInvoke = [](TObject*, DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* r, EXCEPINFO*, UINT*,
                         HRESULT& hr) {
        if (id != -5501) return;
        r->vt = VT_I4;
        r->lVal = 7;
        hr = S_OK;
    };
    ASSERT_EQ(get(-5501, v), S_OK);
    EXPECT_EQ(v.lVal, 7);

    host_->UserAgentCallback = []() -> std::string { throw EOleException(E_FAIL, "no agent today"); };
    EXCEPINFO info{};
    DISPPARAMS none{};
    ASSERT_EQ(Site()->Invoke(-5513, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, &info, nullptr), DISP_E_EXCEPTION);
    EXPECT_EQ(info.wCode, 9999);
    EXPECT_STREQ(info.bstrSource, L"EOleException");
    EXPECT_STREQ(info.bstrDescription, L"no agent today");
    ::SysFreeString(info.bstrSource);
    ::SysFreeString(info.bstrDescription);
}

TEST_F(BhSiteTest, SmallerServicesAnswerTheirDefaultsAndEvents) {
    BOOL allow = FALSE;
    EXPECT_EQ(Site()->AllowFocusChange(&allow), S_OK);
    EXPECT_TRUE(allow);
    host_->OnAllowFocusChange = [](TObject*, BOOL& a) { a = FALSE; };
    EXPECT_EQ(Site()->AllowFocusChange(&allow), S_OK);
    EXPECT_FALSE(allow);

    EXPECT_EQ(Site()->EvaluateNewWindow(L"about:blank", nullptr, nullptr, nullptr, FALSE, 0, 0), E_FAIL);
    EXPECT_EQ(Site()->Download(nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, 0), E_NOTIMPL);
    EXPECT_EQ(Site()->OnZoomPercentChanged(150), S_FALSE);
    EXPECT_EQ(Site()->ShowMessage(nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr), S_FALSE);
    EXPECT_EQ(Site()->ShowHelp(nullptr, nullptr, 0, 0, POINT{}, nullptr), S_FALSE);
    EXPECT_EQ(Site()->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_FALSE);
    EXPECT_EQ(Site()->HideUI(), S_FALSE);

    LPWSTR out = nullptr;
    EXPECT_EQ(Site()->TranslateUrl(0, const_cast<LPWSTR>(L"http://a/"), &out), S_FALSE);
    host_->OnTranslateUrl = [](TObject*, DWORD, const wchar_t*, std::wstring& o) { o = L"http://b/"; };
    ASSERT_EQ(Site()->TranslateUrl(0, const_cast<LPWSTR>(L"http://a/"), &out), S_OK);
    EXPECT_STREQ(out, L"http://b/");
    ::CoTaskMemFree(out);

    HWND wnd = reinterpret_cast<HWND>(1);
    LPWSTR user = nullptr, password = nullptr;
    EXPECT_EQ(Site()->Authenticate(&wnd, &user, &password), S_OK);
    EXPECT_EQ(wnd, nullptr);  // no window yet
    EXPECT_EQ(user, nullptr);
    host_->OnAuthenticate = [](TObject*, HWND&, std::wstring& u, std::wstring&, HRESULT&) { u = L"ann"; };
    EXPECT_EQ(Site()->Authenticate(&wnd, &user, &password), S_OK);
    EXPECT_STREQ(user, L"ann");
    EXPECT_EQ(password, nullptr);  // empty means none
    ::CoTaskMemFree(user);

    DWORD effect = 99;
    EXPECT_EQ(Site()->DragEnter(nullptr, 0, POINTL{}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    host_->OnDropEvent = [](TObject*, IDataObject*, DWORD, POINTL, DWORD& e, HRESULT&) { e = DROPEFFECT_COPY; };
    EXPECT_EQ(Site()->Drop(nullptr, 0, POINTL{}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));

    IDropTarget* target = nullptr;
    EXPECT_EQ(Site()->GetDropTarget(nullptr, &target), E_NOTIMPL);  // the browser's own handling
    host_->SetDropHandlingType(TDragDropHandlingType::ddtMy);
    ASSERT_EQ(Site()->GetDropTarget(nullptr, &target), S_OK);
    EXPECT_EQ(target, static_cast<IDropTarget*>(Site()));
    target->Release();
}

TEST(BhSiteLifetime, ASiteThatOutlivesItsHostAnswersNeutrally) {
    auto host = std::make_unique<TCustomBrowserHost>(nullptr);
    TBhSite* site = host->Site();
    site->AddRef();
    host.reset();
    EXPECT_EQ(site->Host(), nullptr);
    DOCHOSTUIINFO info{};
    EXPECT_EQ(site->GetHostInfo(&info), S_OK);
    EXPECT_EQ(site->Exec(nullptr, OLECMDID_STOP, 0, nullptr, nullptr), static_cast<HRESULT>(0x80040100));
    void* p = nullptr;
    EXPECT_EQ(site->QueryService(IID_BhProtectFocus, IID_BhProtectFocus, &p), E_NOINTERFACE);
    HWND wnd = nullptr;
    EXPECT_EQ(site->GetWindow(&wnd), E_FAIL);
    site->Release();  // the last reference frees it
}

}  // namespace
}  // namespace ad::browser
