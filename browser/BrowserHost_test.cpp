// The browser host control on a real form: embedding the system browser
// object, parking its window across re-creation, HTMLCode, the busy wait,
// user agents, dialog rules, folder-view keys and the refocus message. This
// Wine has no HTML engine: tests that need a rendered page skip with that reason.
#include "browser/BrowserHost.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include "browser/BhSite.h"
#include "framework/Forms.h"
#include "testsupport/GuiTest.h"

namespace ad::browser {
namespace {

constexpr const char* noEngine = "needs a rendered page; this Wine has no HTML engine";

class BrowserHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = new TForm(nullptr);
        form_->SetBounds(40, 40, 420, 320);
        form_->SetCaption("Browser host test");
        host_ = new TBrowserHost(form_);
        host_->SetParent(form_);
        host_->SetBounds(10, 10, 380, 260);
        form_->Show();
        test::PumpPending();
    }
    void TearDown() override { delete form_; }
    // The browser object was made and embedded in place.
    bool Embedded() { return host_->Browser() && host_->BrowserWindow(); }

    TForm* form_ = nullptr;
    TBrowserHost* host_ = nullptr;
};

TEST_F(BrowserHostTest, EmbedsTheBrowserObjectInTheControlsWindow) {
    host_->Handle();
    ASSERT_TRUE(host_->OleObject()) << "CoCreateInstance failed: 0x" << std::hex << host_->CreateError();
    ASSERT_TRUE(host_->Browser());
    ASSERT_TRUE(SUCCEEDED(host_->CreateError())) << std::hex << host_->CreateError();
    HWND browser = host_->BrowserWindow();
    ASSERT_TRUE(browser);
    EXPECT_EQ(::GetParent(browser), host_->Handle());
    EXPECT_EQ(WindowClassName(browser), L"Shell Embedding");
    // The browser keeps references to our site while it is embedded.
    EXPECT_GT(host_->Site()->RefCount(), 1u);
    HWND siteWindow = nullptr;
    EXPECT_EQ(host_->Site()->GetWindow(&siteWindow), S_OK);
    EXPECT_EQ(siteWindow, host_->Handle());
    // The option properties reach the browser.
    EXPECT_TRUE(host_->Silent());
    host_->SetSilent(false);
    EXPECT_FALSE(host_->Silent());
}

TEST_F(BrowserHostTest, RecreatingTheWindowParksAndKeepsTheBrowserWindow) {
    host_->Handle();
    if (!Embedded()) GTEST_SKIP() << "the browser object could not be embedded here";
    HWND browser = host_->BrowserWindow();
    const HWND oldHost = host_->Handle();
    host_->DestroyHandle();
    EXPECT_FALSE(::IsWindow(oldHost));
    ASSERT_TRUE(::IsWindow(browser));  // parked, not destroyed
    EXPECT_NE(::GetAncestor(browser, GA_PARENT), oldHost);

    const HWND newHost = host_->Handle();
    EXPECT_EQ(host_->BrowserWindow(), browser);  // the same window, so the same page
    EXPECT_EQ(::GetParent(browser), newHost);
    RECT r;
    ::GetWindowRect(browser, &r);
    EXPECT_EQ(r.right - r.left, host_->ClientWidth());

    delete form_;  // the browser window goes with the control
    form_ = nullptr;
    EXPECT_FALSE(::IsWindow(browser));
}

TEST_F(BrowserHostTest, NavigatesAndShowsHTMLGivenAsText) {
    host_->Handle();
    if (!Embedded()) GTEST_SKIP() << "the browser object could not be embedded here";
    host_->Loaded();
    host_->HTMLCode().SetText("<html><body><p id=x>hello</p></body></html>");
    if (!host_->Document()) GTEST_SKIP() << noEngine;
    EXPECT_TRUE(host_->BusyWait(5000));
}

TEST_F(BrowserHostTest, HTMLCodeAddressesNavigateAndMarkupGoesThroughTheEvent) {
    host_->Handle();
    host_->Loaded();
    int offered = 0;
    host_->OnHTMLCodeChange = [&](TObject*, TStrings& code, bool& handled) {
        ++offered;
        handled = code.Count() == 1;
    };
    host_->HTMLCode().SetText("<p>one line of markup</p>");  // a change reloads
    EXPECT_EQ(offered, 1);
    host_->HTMLCode().SetText("<p>two</p>\r\n<p>lines</p>");
    EXPECT_EQ(offered, 2);
    if (host_->Browser()) {
        host_->HTMLCode().SetText("about:blank");  // an address: navigated, never offered
        EXPECT_EQ(offered, 2);
    }
    host_->HTMLCode().Clear();
    EXPECT_EQ(offered, 3);  // the event may handle an empty list; nothing is loaded
    EXPECT_EQ(host_->LoadHTMLCode(), 0);
}

TEST_F(BrowserHostTest, BusyWaitEndsOnTimeOutOrCancel) {
    host_->Handle();
    if (!host_->Browser()) GTEST_SKIP() << "the browser object could not be made here";
    READYSTATE state = READYSTATE_UNINITIALIZED;
    host_->Browser()->get_ReadyState(&state);
    if (state == READYSTATE_COMPLETE) GTEST_SKIP() << "the browser is idle at once: nothing to wait for";
    const DWORD start = ::GetTickCount();
    EXPECT_FALSE(host_->BusyWait(60));
    EXPECT_GE(::GetTickCount() - start, 50u);
    int rounds = 0;
    host_->OnBusyWait = [&](TObject*, DWORD, DWORD&, bool& cancel) { cancel = ++rounds == 3; };
    EXPECT_FALSE(host_->BusyWait(0));
    EXPECT_EQ(rounds, 3);
}

TEST_F(BrowserHostTest, UserAgentModes) {
    const std::string token = UserAgentRegistryToken("Appdeck host test");
    auto tokenThere = [&](const std::string& t) {
        OwnedKey key;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, UserAgentPostPlatformKey + 1, 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
            return false;
        return ::RegQueryValueExA(key.Get(), t.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    };
    host_->SetUserAgent("Appdeck host test");
    host_->SetUserAgentMode(TUserAgentMode::uaRegistry);
    EXPECT_TRUE(tokenThere(token));
    EXPECT_EQ(host_->UserAgentCallback(), "");  // only the internal mode answers the ambient property

    host_->SetUserAgent("Appdeck host test 2");  // the old token goes, the new one comes
    EXPECT_FALSE(tokenThere(token));
    EXPECT_TRUE(tokenThere(UserAgentRegistryToken("Appdeck host test 2")));

    host_->SetUserAgentMode(TUserAgentMode::uaInternal);
    EXPECT_FALSE(tokenThere(UserAgentRegistryToken("Appdeck host test 2")));
    EXPECT_EQ(host_->UserAgentCallback(), "Appdeck host test 2");

    host_->SetUserAgentMode(TUserAgentMode::uaRegistry);
    EXPECT_TRUE(tokenThere(UserAgentRegistryToken("Appdeck host test 2")));
    delete form_;  // destroying the control removes its token
    form_ = nullptr;
    EXPECT_FALSE(tokenThere(UserAgentRegistryToken("Appdeck host test 2")));
}

TEST_F(BrowserHostTest, HostInfoAndMenuFilterAdditions) {
    host_->HostCSS = L"body{margin:0}";
    DOCHOSTUIINFO info{};
    ASSERT_EQ(host_->Site()->GetHostInfo(&info), S_OK);
    ASSERT_TRUE(info.pchHostCss);
    EXPECT_STREQ(info.pchHostCss, L"body{margin:0}");
    EXPECT_EQ(info.pchHostNS, nullptr);
    ::CoTaskMemFree(info.pchHostCss);

    EXPECT_FALSE(host_->MenuFilterWanted());
    host_->DisabledPopupMenuItems = {TIEPopupMenuItem::rcsViewSource, TIEPopupMenuItem::rcsProperties};
    EXPECT_TRUE(host_->MenuFilterWanted());
    OwnedMenu menu(::CreatePopupMenu());
    for (UINT cmd : {2282u, 2139u, 28u, 31u}) ::AppendMenuW(menu.Get(), MF_STRING, cmd, L"item");
    host_->FilterMenu(0, menu.Get(), nullptr);
    ASSERT_EQ(::GetMenuItemCount(menu.Get()), 2);
    EXPECT_EQ(::GetMenuItemID(menu.Get(), 0), 2282u);
    EXPECT_EQ(::GetMenuItemID(menu.Get(), 1), 31u);
}

TEST(BhDialogRules, Table) {
    TDialogBoxes dialogs;
    dialogs.NewCaption = L"Appdeck";
    TDisableErrors errors;
    struct Case {
        const wchar_t* cls;
        const wchar_t* caption;
        DWORD exStyle;
        bool owned;
        bool qualifies, close;
        const wchar_t* newCaption;  // null: unchanged
    };
    const Case cases[] = {
        {L"#32770", L"Microsoft Internet Explorer", 0, true, true, false, L"Appdeck"},
        {L"#32770", L"Microsoft Internet Explorer", 0, false, false, false, nullptr},  // someone else's
        {L"Internet Explorer_TridentDlgFrame", L"Internet Explorer - Page", 0, true, true, false, L"Appdeck - Page"},
        {L"#32770", L"Internet Explorer Script Error", 0, true, true, true, L"Appdeck Script Error"},
        {L"#32770", L"An ERROR occurred", 0, true, true, true, nullptr},
        {L"#32770", L"Page", 0x410101, true, true, true, nullptr},
        {L"Edit", L"Internet Explorer", 0, true, false, false, nullptr},
    };
    for (const Case& c : cases) {
        TDialogRuleResult r = DecideDialogRules(c.cls, c.caption, c.exStyle, c.owned, dialogs, errors);
        EXPECT_EQ(r.Qualifies, c.qualifies) << static_cast<const void*>(c.caption);
        EXPECT_EQ(r.Close, c.close);
        EXPECT_EQ(r.CaptionChanged, c.newCaption != nullptr);
        if (c.newCaption) {
            EXPECT_EQ(r.Caption, c.newCaption);
        }
    }
    errors.ScriptErrorsSuppressed = false;
    EXPECT_FALSE(DecideDialogRules(L"#32770", L"Script Error", 0, true, dialogs, errors).Close);
    dialogs.DisableAll = true;
    EXPECT_TRUE(DecideDialogRules(L"#32770", L"Anything", 0, true, dialogs, errors).Close);
}

LRESULT CALLBACK RecordingDialogProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_CLOSE) {
        ::SetPropW(w, L"closed", reinterpret_cast<HANDLE>(1));
        return 0;
    }
    return ::DefWindowProcW(w, m, wp, lp);
}

HWND MakeDialog(HWND owner, const wchar_t* caption) {
    HWND dlg = ::CreateWindowExW(0, WC_DIALOG, caption, WS_POPUP, 0, 0, 100, 60, owner, nullptr, nullptr, nullptr);
    ::SetWindowLongPtrW(dlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingDialogProc));
    return dlg;
}

TEST_F(BrowserHostTest, DialogRulesTouchOnlyDialogsOfThisHost) {
    TForm stranger(nullptr);
    stranger.SetBounds(500, 40, 100, 100);
    HWND ours = MakeDialog(form_->Handle(), L"Microsoft Internet Explorer Script Error");
    HWND theirs = MakeDialog(stranger.Handle(), L"Microsoft Internet Explorer Script Error");
    HWND ownerless = MakeDialog(nullptr, L"Internet Explorer ERROR");
    host_->DialogBoxes.NewCaption = L"Appdeck";
    std::wstring seenCaption;
    host_->OnShowDialog = [&](TObject*, DWORD, const std::wstring& old, std::wstring&, bool&) { seenCaption = old; };
    for (HWND d : {ours, theirs, ownerless}) host_->ApplyDialogRules(d);
    test::PumpPending();
    EXPECT_EQ(seenCaption, L"Microsoft Internet Explorer Script Error");
    EXPECT_EQ(WindowText(ours), L"Appdeck Script Error");
    EXPECT_TRUE(::GetPropW(ours, L"closed"));
    EXPECT_EQ(WindowText(theirs), L"Microsoft Internet Explorer Script Error");
    EXPECT_FALSE(::GetPropW(theirs, L"closed"));
    EXPECT_EQ(WindowText(ownerless), L"Internet Explorer ERROR");
    EXPECT_FALSE(::GetPropW(ownerless, L"closed"));
    for (HWND d : {ours, theirs, ownerless}) ::DestroyWindow(d);
}

// A host without the browser object, so that its first child can be a stand-in.
class StubHost : public TBrowserHost {
public:
    using TBrowserHost::TBrowserHost;

protected:
    void CreateBrowser() override {}
};

// A shown form holding a stub host.
struct StubForm {
    TForm form{nullptr};
    StubHost* host;
    StubForm() {
        form.SetBounds(40, 40, 300, 260);
        host = new StubHost(&form);
        host->SetParent(&form);
        host->SetBounds(0, 0, 280, 220);
        form.Show();
        test::PumpPending();
    }
};

TEST(BhFolderView, ArrowKeysMoveTheFocusedItemAndShiftExtends) {
    StubForm stub;
    StubHost* host = stub.host;
    HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 260, 200,
                                  host->Handle(), nullptr, nullptr, nullptr);
    LVCOLUMNW col{};
    col.mask = LVCF_WIDTH;
    col.cx = 200;
    ListView_InsertColumn(list, 0, &col);
    for (int i = 0; i < 3; ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<wchar_t*>(L"file");
        ListView_InsertItem(list, &item);
    }
    ::SetFocus(list);
    test::PumpPending();
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    auto selected = [&](int i) { return (ListView_GetItemState(list, i, LVIS_SELECTED) & LVIS_SELECTED) != 0; };
    auto focused = [&] { return ListView_GetNextItem(list, -1, LVNI_FOCUSED); };

    EXPECT_TRUE(host->FolderViewKey(VK_DOWN, 0));
    EXPECT_EQ(focused(), 1);
    EXPECT_FALSE(selected(0));
    EXPECT_TRUE(selected(1));
    EXPECT_TRUE(host->FolderViewKey(VK_DOWN, ssShift));
    EXPECT_EQ(focused(), 2);
    EXPECT_TRUE(selected(1) && selected(2));
    EXPECT_TRUE(host->FolderViewKey(VK_DOWN, 0));  // at the end: used up, nothing moves
    EXPECT_EQ(focused(), 2);
    EXPECT_TRUE(host->FolderViewKey(VK_UP, 0));
    EXPECT_EQ(focused(), 1);
    EXPECT_FALSE(selected(2));
    EXPECT_FALSE(host->FolderViewKey(VK_HOME, 0));  // not an arrow

    // The key reaches the list through the child hooks too.
    host->RefreshCallback();
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ::SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(focused(), 1);
    EXPECT_FALSE(selected(0));
}

TEST(BhRefocus, OnlyAMessageNamingThisControlActs) {
    StubForm stub;
    TForm& form = stub.form;
    StubHost* host = stub.host;
    ASSERT_FALSE(host->IsActiveControlOf(&form));
    ::PostMessageW(host->Handle(), WM_BH_REFOCUS, 0x12345678, 0);  // a stranger's wParam is never followed
    ::PostMessageW(host->Handle(), WM_BH_REFOCUS, 0, 0);
    test::PumpPending();
    EXPECT_FALSE(host->IsActiveControlOf(&form));
    ::PostMessageW(host->Handle(), WM_BH_REFOCUS, reinterpret_cast<WPARAM>(static_cast<TWinControl*>(host)), 0);
    test::PumpPending();
    EXPECT_TRUE(host->IsActiveControlOf(&form));
    TForm other(nullptr);
    EXPECT_FALSE(host->IsActiveControlOf(&other));
}

TEST_F(BrowserHostTest, ZoomWithoutAnEngineIsReportedAsAnError) {
    host_->Handle();
    if (!host_->Browser()) GTEST_SKIP() << "the browser object could not be made here";
    try {
        host_->SetZoomPercent(1000);
    } catch (const EOleException& e) {
        GTEST_SKIP() << noEngine << " (" << e.what() << ")";
    }
    EXPECT_GE(host_->ZoomPercent(), 10);
    EXPECT_LE(host_->ZoomPercent(), 1000);
}

}  // namespace
}  // namespace ad::browser
