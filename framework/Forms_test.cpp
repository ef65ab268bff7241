// Forms and the application: modal loops, dialog keys, key preview, closing,
// deferred release and the exception barrier, driven through real windows.
#include "framework/Forms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <stdexcept>
#include <thread>

#include "framework/ExceptionBarrier.h"
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "framework/WindowSubclass.h"
#include "testsupport/GuiTest.h"

namespace ad {
namespace {

using test::PostKey;
using test::PumpUntil;

// Collects what reaches the application's error box during a test.
class ErrorBoxRecorder {
public:
    ErrorBoxRecorder() : saved_(Application->OnException) {
        Application->OnException = [this](TObject*, const std::exception_ptr& e) {
            messages.push_back(TApplication::ExceptionMessage(e));
        };
    }
    ~ErrorBoxRecorder() { Application->OnException = saved_; }
    std::vector<std::string> messages;

private:
    TExceptionEvent saved_;
};

// A small dialog: an edit, an OK button (default) and a Cancel button.
class TTestDialog : public TForm {
public:
    explicit TTestDialog(TComponent* owner) : TForm(owner) {
        SetCaption("Test dialog");
        BorderStyle = TFormBorderStyle::bsDialog;
        KeyPreview = true;
        SetClientSize(300, 120);
        edit = new TEdit(this);
        edit->SetParent(this);
        edit->SetBounds(10, 10, 200, 21);
        ok = new TButton(this);
        ok->SetParent(this);
        ok->SetCaption("OK");
        ok->SetBounds(10, 80, 75, 25);
        ok->Default = true;
        ok->OnClick = [this](TObject*) { okClicks++; };
        cancel = new TButton(this);
        cancel->SetParent(this);
        cancel->SetCaption("Cancel");
        cancel->SetBounds(100, 80, 75, 25);
        cancel->ModalResult = mrCancel;
    }
    TEdit* edit;
    TButton* ok;
    TButton* cancel;
    int okClicks = 0;
};

TEST(Forms, ButtonModalResultEndsTheModalLoopAndReenablesOtherWindows) {
    TForm owner(nullptr);
    owner.SetCaption("Owner");
    owner.Show();
    TTestDialog dlg(nullptr);
    dlg.ok->ModalResult = mrOk;
    ::PostMessageW(dlg.ok->Handle(), BM_CLICK, 0, 0);
    bool ownerDisabledDuringLoop = false;
    dlg.OnShow = [&](TObject*) { ownerDisabledDuringLoop = !::IsWindowEnabled(owner.Handle()); };
    EXPECT_EQ(dlg.ShowModal(), mrOk);
    EXPECT_EQ(dlg.okClicks, 1);
    EXPECT_TRUE(ownerDisabledDuringLoop);
    EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
    EXPECT_FALSE(::IsWindowVisible(dlg.Handle()));
    EXPECT_FALSE(dlg.Modal());
}

TEST(Forms, DialogKeysInAModalForm) {
    struct Case {
        const char* name;
        WORD key;
        bool removeCancelButton;
        int expectedResult;
        int expectedOkClicks;
    } cases[] = {
        {"Enter in an edit presses the default button", VK_RETURN, false, mrOk, 1},
        {"Esc presses the cancel button", VK_ESCAPE, false, mrCancel, 0},
        {"Esc closes a key-preview dialog without a cancel button", VK_ESCAPE, true, mrCancel, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TTestDialog dlg(nullptr);
        dlg.ok->ModalResult = mrOk;
        if (c.removeCancelButton) dlg.cancel->Cancel = false, dlg.cancel->Hide();
        else dlg.cancel->Cancel = true;
        PostKey(dlg.edit->Handle(), c.key);
        EXPECT_EQ(dlg.ShowModal(), c.expectedResult);
        EXPECT_EQ(dlg.okClicks, c.expectedOkClicks);
    }
}

TEST(Forms, KeyPreviewSeesKeysFirstAndCanConsumeThem) {
    TTestDialog dlg(nullptr);
    dlg.ok->ModalResult = mrOk;
    std::vector<WORD> formKeys, editKeys;
    dlg.OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        formKeys.push_back(key);
        if (key == 'X') key = 0;  // consumed: the edit never sees it
    };
    dlg.edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { editKeys.push_back(key); };
    PostKey(dlg.edit->Handle(), 'X');
    PostKey(dlg.edit->Handle(), 'Y');
    ::PostMessageW(dlg.ok->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(dlg.ShowModal(), mrOk);
    EXPECT_EQ(formKeys, (std::vector<WORD>{'X', 'Y'}));
    EXPECT_EQ(editKeys, (std::vector<WORD>{'Y'}));
}

TEST(Forms, CloseQueryCanRefuseAndOnCloseCanCancel) {
    TTestDialog dlg(nullptr);
    int queries = 0, closes = 0;
    dlg.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries > 1; };
    dlg.OnClose = [&](TObject*, TCloseAction& action) {
        if (++closes == 1) action = TCloseAction::caNone;
    };
    // WM_CLOSE three times: refused by CloseQuery, cancelled by OnClose, then closed.
    for (int i = 0; i < 3; ++i) ::PostMessageW(dlg.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
    EXPECT_EQ(queries, 3);
    EXPECT_EQ(closes, 2);
}

TEST(Forms, ShowModalOnAVisibleFormRaises) {
    TForm f(nullptr);
    f.Show();
    EXPECT_THROW(f.ShowModal(), EInvalidOperation);
}

TEST(Forms, ReleaseFreesTheFormAfterTheCurrentMessage) {
    bool destroyed = false;
    struct TFlagForm : TForm {
        TFlagForm(bool& flag) : TForm(nullptr), flag_(flag) {}
        ~TFlagForm() override { flag_ = true; }
        bool& flag_;
    };
    auto* f = new TFlagForm(destroyed);
    auto* b = new TButton(f);
    b->SetParent(f);
    b->OnClick = [f](TObject*) {
        f->Release();
        f->SetCaption("still alive inside the handler");
    };
    f->Show();
    ::SendMessageW(b->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(destroyed);
    EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
}

bool IconAlive(HICON icon) {
    ICONINFO ii{};
    if (!::GetIconInfo(icon, &ii)) return false;
    OwnedBitmap color(ii.hbmColor), mask(ii.hbmMask);
    return true;
}

TEST(Forms, AnOwnedIconGoesWithTheFormOrItsReplacementABorrowedOneStays) {
    auto windowIcon = [](TForm& f) {
        return reinterpret_cast<HICON>(::SendMessageW(f.Handle(), WM_GETICON, ICON_BIG, 0));
    };
    HICON shared = ::LoadIconW(nullptr, IDI_INFORMATION);
    OwnedIcon lent(::CopyIcon(shared));
    HICON owned = ::CopyIcon(shared);
    HICON second = ::CopyIcon(shared);
    {
        TForm f(nullptr);
        f.SetIcon(OwnedIcon(owned));
        f.Show();
        EXPECT_EQ(windowIcon(f), owned);
        f.SetIcon(lent);  // lent: the caller keeps it
        EXPECT_EQ(windowIcon(f), lent.Get());
        EXPECT_FALSE(IconAlive(owned));
        f.SetIcon(OwnedIcon(second));
        EXPECT_EQ(windowIcon(f), second);
        EXPECT_TRUE(IconAlive(lent.Get()));
    }
    EXPECT_FALSE(IconAlive(second));
    EXPECT_TRUE(IconAlive(lent.Get()));
}

// Forms that note their destruction in a registry of live objects: a form
// deleted twice, or a pending release that touches a deleted form, shows there.
class TLiveForm : public TForm {
public:
    TLiveForm() : TForm(nullptr) { Live().insert(this); }
    ~TLiveForm() override {
        if (Live().erase(this) == 0) ++DestroyedTwice();
        ++Destroyed();
    }
    static std::set<const void*>& Live() {
        static std::set<const void*> live;
        return live;
    }
    static int& Destroyed() {
        static int n = 0;
        return n;
    }
    static int& DestroyedTwice() {
        static int n = 0;
        return n;
    }
};

TEST(Forms, AReleasedFormIsFreedOnceHoweverItIsReleasedOrDeleted) {
    struct Case {
        const char* name;
        int releases;
        bool deletedBeforeTheReleaseRuns;
    } cases[] = {
        {"released once", 1, false},
        {"released twice", 2, false},
        {"released, then deleted", 1, true},
        {"released twice, then deleted", 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLiveForm::Destroyed() = 0;
        TLiveForm::DestroyedTwice() = 0;
        auto* f = new TLiveForm;
        f->Show();
        for (int i = 0; i < c.releases; ++i) f->Release();
        if (c.deletedBeforeTheReleaseRuns) delete f;
        EXPECT_TRUE(PumpUntil([] { return TLiveForm::Destroyed() > 0; }));
        test::PumpPending();  // whatever else the releases posted
        EXPECT_EQ(TLiveForm::Destroyed(), 1);
        EXPECT_EQ(TLiveForm::DestroyedTwice(), 0);
        EXPECT_TRUE(TLiveForm::Live().empty());
    }
}

TEST(Forms, ClientSizeAndScreenCentre) {
    TForm f(nullptr);
    f.BorderStyle = TFormBorderStyle::bsSingle;
    f.Position = TPosition::poScreenCenter;
    f.SetClientSize(400, 300);
    f.Show();
    RECT client;
    ::GetClientRect(f.Handle(), &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
    RECT area;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT win;
    ::GetWindowRect(f.Handle(), &win);
    EXPECT_NEAR((win.left + win.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((win.top + win.bottom) / 2, (area.top + area.bottom) / 2, 1);
    wchar_t cls[64];
    ::GetClassNameW(f.Handle(), cls, 64);
    EXPECT_STREQ(cls, L"TForm");
}

TEST(ExceptionBarrier, ExceptionsInHandlersReachTheErrorBoxAndTheProgramGoesOn) {
    ErrorBoxRecorder errors;
    TForm f(nullptr);
    auto* b = new TButton(&f);
    b->SetParent(&f);
    b->OnClick = [](TObject*) { throw Exception("Button handler failed"); };
    auto* timer = new TTimer(&f);
    timer->SetInterval(10);
    timer->OnTimer = [timer](TObject*) {
        timer->SetEnabled(false);
        throw std::runtime_error("timer failed");
    };
    f.OnPaint = [](TObject*) { throw EConvertError("paint failed"); };
    f.Show();
    ::SendMessageW(b->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return errors.messages.size() >= 3; }));
    EXPECT_EQ(errors.messages[0], "Button handler failed");
    std::sort(errors.messages.begin() + 1, errors.messages.end());
    EXPECT_EQ(errors.messages[1], "paint failed");
    EXPECT_EQ(errors.messages[2], "timer failed");
    // The failed paint was not asked for again and again.
    test::PumpPending();
    EXPECT_EQ(errors.messages.size(), 3u);
}

TEST(ExceptionBarrier, AFailingOnCreateIsShownAndTheFormIsStillMade) {
    ErrorBoxRecorder errors;
    struct TFailingForm : TForm {
        explicit TFailingForm(TComponent* owner) : TForm(owner) {
            OnCreate = [](TObject*) { throw Exception("Error creating system registry entry"); };
        }
    };
    std::unique_ptr<TFailingForm> f(CreateForm<TFailingForm>(nullptr));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(errors.messages, (std::vector<std::string>{"Error creating system registry entry"}));
    f->Show();
    EXPECT_TRUE(f->Showing());
}

TEST(ExceptionBarrier, AnExceptionOnAnotherThreadIsShownOnTheGuiThread) {
    ErrorBoxRecorder errors;
    DWORD reportedOn = 0;
    Application->OnException = [&](TObject*, const std::exception_ptr& e) {
        reportedOn = ::GetCurrentThreadId();
        errors.messages.push_back(TApplication::ExceptionMessage(e));
    };
    std::thread worker([] { Guarded([] { throw Exception("worker failed"); }); });
    worker.join();
    EXPECT_TRUE(errors.messages.empty());
    ASSERT_TRUE(PumpUntil([&] { return !errors.messages.empty(); }));
    EXPECT_EQ(errors.messages[0], "worker failed");
    EXPECT_EQ(reportedOn, ::GetCurrentThreadId());
}

// --- Application hints -----------------------------------------------------------

// What the hint windows of the tests were asked to do; two window classes, so
// that changing the class shows in which window the hint lands.
struct HintLog {
    int made = 0;
    std::vector<std::string> shown;  // "<window kind>:<hint>"
    TRect lastRect;
    void* lastData = nullptr;
    int released = 0;
};
HintLog hintLog;

template <char Kind>
class TRecordingHintWindow : public TAppHintWindow {
public:
    TRect CalcHintRect(int, const std::string& AHint, void*) override {
        return TRect{0, 0, 10 * static_cast<int>(AHint.size()), 16};
    }
    void ActivateHintData(const TRect& Rect, const std::string& AHint, void* AData) override {
        hintLog.shown.push_back(std::string(1, Kind) + ":" + AHint);
        hintLog.lastRect = Rect;
        hintLog.lastData = AData;
    }
    void ReleaseHint() override { ++hintLog.released; }
    HWND WindowHandle() override { return nullptr; }
};
template <char Kind>
std::unique_ptr<TAppHintWindow> MakeRecordingHintWindow() {
    ++hintLog.made;
    return std::make_unique<TRecordingHintWindow<Kind>>();
}

// Sets the application's hint settings for a test and restores them after.
class HintSettings {
public:
    HintSettings() : class_(Application->HintWindowClass), pause_(Application->HintPause) {
        hintLog = HintLog{};
        Application->HintWindowClass = &MakeRecordingHintWindow<'A'>;
        Application->HintPause = 1;
    }
    ~HintSettings() {
        Application->CancelHint();
        Application->HintWindowClass = class_;
        Application->HintPause = pause_;
        Application->OnShowHint = nullptr;
    }

private:
    THintWindowClass class_;
    int pause_;
};

// A panel that answers the hint-show message as a test tells it.
class THintPanel : public TPanel {
public:
    using TPanel::TPanel;
    std::function<LRESULT(THintInfo&)> onHintShow;
    void WndProc(TMessage& m) override {
        if (m.Msg == CM_HINTSHOW && onHintShow) {
            m.Result = onHintShow(*reinterpret_cast<THintInfo*>(m.LParam));
            return;
        }
        TPanel::WndProc(m);
    }
};

TEST(ApplicationHint, TheShortHintShowsWhenTheMouseRestsOnAControl) {
    HintSettings settings;
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    // The pointer rests away from the form, so only the posted moves count.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    form.Hint = "Form hint|The form's long hint";
    auto* withHint = new TButton(&form);
    withHint->SetParent(&form);
    withHint->Hint = "Start|Starts the program";
    auto* without = new TButton(&form);
    without->SetParent(&form);
    without->SetBounds(0, 40, 80, 24);
    form.Show();

    ::PostMessageW(withHint->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    ASSERT_TRUE(PumpUntil([] { return !hintLog.shown.empty(); }));
    EXPECT_EQ(hintLog.shown, (std::vector<std::string>{"A:Start"}));
    EXPECT_EQ(Application->Hint, "Starts the program");
    EXPECT_EQ(hintLog.lastRect.Width(), 50);
    EXPECT_EQ(hintLog.lastRect.Height(), 16);

    // Moving on the same control shows nothing again; a key hides the hint.
    ::PostMessageW(withHint->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PostKey(withHint->Handle(), VK_SHIFT);
    test::PumpPending();
    EXPECT_EQ(hintLog.shown.size(), 1u);
    EXPECT_GE(hintLog.released, 1);

    // A control without a hint shows its parent's; the window is made at most once
    // (one left by an earlier test is used again).
    ::PostMessageW(without->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    ASSERT_TRUE(PumpUntil([] { return hintLog.shown.size() == 2; }));
    EXPECT_EQ(hintLog.shown[1], "A:Form hint");
    EXPECT_EQ(Application->Hint, "The form's long hint");
    EXPECT_LE(hintLog.made, 1);

    // Hints switched off: nothing shows, the long hint is still known.
    Application->ShowHint = false;
    ::PostMessageW(withHint->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    test::PumpPending();
    ::Sleep(20);
    test::PumpPending();
    Application->ShowHint = true;
    EXPECT_EQ(hintLog.shown.size(), 2u);
    EXPECT_EQ(Application->Hint, "Starts the program");
}

TEST(ApplicationHint, TheControlAndTheHandlerCanChangeOrCancelTheHint) {
    HintSettings settings;
    TForm form(nullptr);
    auto* panel = new THintPanel(&form);
    panel->SetParent(&form);
    panel->Hint = "Panel|long";
    form.Show();
    static int marker = 0;
    const POINT at{100, 200};

    struct Case {
        const char* name;
        std::function<LRESULT(THintInfo&)> control;
        TShowHintEvent handler;
        std::vector<std::string> shown;
        int newWindows = -1;  // windows made for the case (-1: not checked)
    };
    const std::vector<Case> cases = {
        {"as it is", nullptr, nullptr, {"A:Panel"}},
        {"same window again", nullptr, nullptr, {"A:Panel"}, 0},
        {"control changes text, window and data",
         [](THintInfo& i) {
             EXPECT_EQ(i.HintStr, "Panel");
             i.HintStr = "Marked";
             i.HintWindowClass = &MakeRecordingHintWindow<'B'>;
             i.HintData = &marker;
             return LRESULT{0};
         },
         nullptr, {"B:Marked"}, 1},
        {"control refuses", [](THintInfo&) { return LRESULT{1}; }, nullptr, {}},
        {"handler sees the control's change and replaces the text",
         [](THintInfo& i) {
             i.HintStr = "Marked";
             return LRESULT{0};
         },
         [](std::string& s, bool&, THintInfo& i) {
             EXPECT_EQ(s, "Marked");
             EXPECT_EQ(i.HintControl->Hint, "Panel|long");
             s = "Handler";
         },
         {"A:Handler"}, 1},
        {"handler refuses", nullptr, [](std::string&, bool& canShow, THintInfo&) { canShow = false; }, {}},
        {"handler empties the text", nullptr, [](std::string& s, bool&, THintInfo&) { s.clear(); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        hintLog.shown.clear();
        hintLog.lastData = nullptr;
        const int made = hintLog.made;
        panel->onHintShow = c.control;
        Application->OnShowHint = c.handler;
        Application->ActivateHint(panel, at);
        EXPECT_EQ(hintLog.shown, c.shown);
        if (!c.shown.empty()) {
            EXPECT_EQ(hintLog.lastRect.Left, at.x);
            EXPECT_GT(hintLog.lastRect.Top, at.y);
            EXPECT_EQ(hintLog.lastData, c.shown[0] == "B:Marked" ? &marker : nullptr);
        }
        // A window is made when the class changes, else the last one is used.
        if (c.newWindows >= 0) {
            EXPECT_EQ(hintLog.made - made, c.newWindows);
        }
    }

    // Without a window class no hint shows.
    Application->HintWindowClass = nullptr;
    hintLog.shown.clear();
    panel->onHintShow = nullptr;
    Application->OnShowHint = nullptr;
    Application->ActivateHint(panel, at);
    EXPECT_TRUE(hintLog.shown.empty());
}

TEST(ApplicationHint, ShortAndLongParts) {
    struct Case {
        const char* hint;
        const char* shortPart;
        const char* longPart;
    };
    for (const Case& c : {Case{"", "", ""}, Case{"Both", "Both", "Both"}, Case{"Short|Long", "Short", "Long"},
                          Case{"|Long", "", "Long"}, Case{"a|b|c", "a", "b|c"}}) {
        EXPECT_EQ(GetShortHint(c.hint), c.shortPart) << c.hint;
        EXPECT_EQ(GetLongHint(c.hint), c.longPart) << c.hint;
    }
}

}  // namespace
}  // namespace ad

namespace ad {
namespace {

TEST(FormSeams, ShowNoActivateLeavesTheActiveFormActive) {
    TForm first(nullptr), overlay(nullptr);
    first.Show();
    ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == first.Handle(); }));
    int shows = 0;
    overlay.OnShow = [&](TObject*) { ++shows; };
    overlay.ShowNoActivate();
    test::PumpPending();
    EXPECT_TRUE(::IsWindowVisible(overlay.Handle()));
    EXPECT_TRUE(overlay.Visible());
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(::GetActiveWindow(), first.Handle());
}

TEST(FormSeams, TheOverlayOwnerIsAHiddenTopLevelWindowThatOwnsWindows) {
    const HWND owner = Application->OverlayOwner();
    ASSERT_TRUE(::IsWindow(owner));
    EXPECT_EQ(Application->OverlayOwner(), owner);
    EXPECT_NE(owner, Application->Handle());
    EXPECT_FALSE(::IsWindowVisible(owner));
    EXPECT_EQ(::GetAncestor(owner, GA_PARENT), ::GetDesktopWindow());  // not message-only
    const HWND owned = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, owner, nullptr,
                                         ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(owned);
    EXPECT_EQ(::GetWindow(owned, GW_OWNER), owner);
    ::DestroyWindow(owned);
}

TEST(FormSeams, StayOnTopAlphaBlendAndTheHelpButtonReachTheWindow) {
    auto exStyle = [](TForm& f) { return ::GetWindowLongPtrW(f.Handle(), GWL_EXSTYLE); };
    TForm form(nullptr);
    form.SetFormStyle(TFormStyle::fsStayOnTop);  // before the window
    form.SetAlphaBlendValue(128);
    form.SetAlphaBlend(true);
    EXPECT_TRUE(exStyle(form) & WS_EX_TOPMOST);
    ASSERT_TRUE(exStyle(form) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(form.Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_TRUE(flags & LWA_ALPHA);
    form.SetAlphaBlendValue(200);  // with the window
    ::GetLayeredWindowAttributes(form.Handle(), nullptr, &alpha, &flags);
    EXPECT_EQ(alpha, 200);
    form.SetAlphaBlend(false);
    EXPECT_FALSE(exStyle(form) & WS_EX_LAYERED);
    form.SetFormStyle(TFormStyle::fsNormal);
    EXPECT_FALSE(exStyle(form) & WS_EX_TOPMOST);
    EXPECT_EQ(form.AlphaBlendValue(), 200);

    struct Case {
        const char* name;
        TFormBorderStyle border;
        TBorderIcons icons;
        bool help;
    };
    for (const Case& c : {Case{"dialog", TFormBorderStyle::bsDialog, biSystemMenu | biHelp, true},
                          Case{"sizeable with min and max", TFormBorderStyle::bsSizeable,
                               biSystemMenu | biMinimize | biMaximize | biHelp, false},
                          Case{"sizeable without them", TFormBorderStyle::bsSizeable, biSystemMenu | biHelp, true},
                          Case{"no system menu", TFormBorderStyle::bsDialog, biHelp, false},
                          Case{"dialog without help", TFormBorderStyle::bsDialog, biSystemMenu, false}}) {
        TForm f(nullptr);
        f.BorderStyle = c.border;
        f.BorderIcons = c.icons;
        EXPECT_EQ((exStyle(f) & WS_EX_CONTEXTHELP) != 0, c.help) << c.name;
    }
}

}  // namespace
}  // namespace ad

namespace ad {
namespace {

TEST(FormMenu, TheMenuBarShowsItsItemsAndTheirClicksComeThroughTheForm) {
    TForm form(nullptr);
    auto* menu = new TMainMenu(&form);
    TMenuItem* file = menu->Items().Add("&File");
    int opened = 0;
    TMenuItem* open = file->Add("&Open");
    open->OnClick = [&](TObject*) { ++opened; };
    menu->Items().Add("&Help")->Add("&About");
    std::vector<UINT> notices;
    form.Handle();
    TWindowSubclass spy(form.Handle(), [&](TMessage& m) {
        if (m.Msg == CM_MENUCHANGED) notices.push_back(m.Msg);
        return false;
    });
    form.SetMenu(menu);
    EXPECT_EQ(form.Menu(), menu);
    const HMENU bar = ::GetMenu(form.Handle());
    ASSERT_EQ(bar, menu->Handle());
    EXPECT_EQ(::GetMenuItemCount(bar), 2);
    EXPECT_EQ(notices.size(), 1u);

    // The item's command id reaches its click; a control's command does not.
    const UINT id = ::GetMenuItemID(::GetSubMenu(bar, 0), 0);
    ASSERT_EQ(menu->FindCommand(id), open);
    ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    EXPECT_EQ(opened, 1);
    ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(id, 1), 0);  // an accelerator's
    EXPECT_EQ(opened, 1);

    // Rebuilt after a change, the window shows the new bar.
    menu->Items().Add("&View");
    menu->Rebuild();
    EXPECT_EQ(::GetMenuItemCount(::GetMenu(form.Handle())), 3);
    EXPECT_EQ(notices.size(), 2u);

    // A client size with a menu bar is a client size.
    form.SetClientSize(300, 200);
    RECT client{};
    ::GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.bottom, 200);

    form.SetMenu(nullptr);
    EXPECT_EQ(::GetMenu(form.Handle()), nullptr);
    EXPECT_TRUE(::IsMenu(menu->Handle()));  // still the menu's own
    form.SetMenu(menu);
    delete menu;  // the window no longer shows a freed bar
    EXPECT_EQ(form.Menu(), nullptr);
    EXPECT_EQ(::GetMenu(form.Handle()), nullptr);
}

TEST(FormMenu, AFormGoesWithoutTakingItsMenuAlong) {
    TMainMenu menu(nullptr);
    menu.Items().Add("&File");
    {
        TForm form(nullptr);
        form.SetMenu(&menu);
        form.Handle();
        EXPECT_EQ(::GetMenu(form.Handle()), menu.Handle());
    }
    EXPECT_TRUE(::IsMenu(menu.Handle()));
}

}  // namespace
}  // namespace ad
