// The wheel hook and the focus control against real windows: two stand-in
// browsers (windows of the browser's own class names) in one shown form.
#include "browser/BhHooks.h"

#include <gtest/gtest.h>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "testsupport/GuiTest.h"

namespace ad::browser {
namespace {

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return ::DefWindowProcW(w, m, wp, lp); }

HWND MakeChild(const wchar_t* cls, HWND parent, int x, int y, int w, int h) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, w, h, parent, nullptr,
                             wc.hInstance, nullptr);
}

// A stand-in browser: "Shell Embedding" > "Shell DocObject View" > "Internet Explorer_Server".
struct StandInBrowser {
    HWND embedding, view, server;
    StandInBrowser(HWND parent, int x) {
        embedding = MakeChild(L"Shell Embedding", parent, x, 10, 100, 100);
        view = MakeChild(L"Shell DocObject View", embedding, 0, 0, 100, 100);
        server = MakeChild(L"Internet Explorer_Server", view, 10, 10, 80, 80);
    }
};

class BhWheel : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = new TForm(nullptr);
        form_->SetBounds(50, 50, 360, 200);
        edit_ = new TEdit(form_);
        edit_->SetParent(form_);
        edit_->SetBounds(240, 10, 80, 24);
        form_->Show();
        a_ = std::make_unique<StandInBrowser>(form_->Handle(), 10);
        b_ = std::make_unique<StandInBrowser>(form_->Handle(), 120);
        ::SetForegroundWindow(form_->Handle());
        test::PumpPending();
        hook_ = TBHMouseHook::Acquire();
    }
    void TearDown() override {
        TBHMouseHook::ReleaseShared();
        delete form_;
    }
    static POINT CentreOf(HWND w) {
        RECT r;
        ::GetWindowRect(w, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    LRESULT Wheel(POINT pt) {
        MOUSEHOOKSTRUCT m{};
        m.pt = pt;
        m.hwnd = ::WindowFromPoint(pt);
        return TBHMouseHook::HookProc(HC_ACTION, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&m));
    }

    TForm* form_ = nullptr;
    TEdit* edit_ = nullptr;
    std::unique_ptr<StandInBrowser> a_, b_;
    TBHMouseHook* hook_ = nullptr;
};

TEST_F(BhWheel, OverAnotherBrowserTheFocusMovesAndTheWheelIsSwallowed) {
    ::SetFocus(b_->view);
    ASSERT_EQ(::GetFocus(), b_->view);
    ASSERT_EQ(::WindowFromPoint(CentreOf(a_->server)), a_->server);
    EXPECT_EQ(Wheel(CentreOf(a_->server)), 2);
    EXPECT_EQ(::GetFocus(), a_->server);
}

TEST_F(BhWheel, FocusOutsideAnyBrowserIsAlsoMoved) {
    ::SetFocus(edit_->Handle());
    EXPECT_EQ(Wheel(CentreOf(a_->server)), 2);
    EXPECT_EQ(::GetFocus(), a_->server);
}

TEST_F(BhWheel, PassesWhenTheSameViewHasTheFocusOrNoBrowserIsUnderTheMouse) {
    ::SetFocus(a_->view);
    EXPECT_NE(Wheel(CentreOf(a_->server)), 2);
    EXPECT_EQ(::GetFocus(), a_->view);

    ::SetFocus(a_->view);
    EXPECT_NE(Wheel(CentreOf(edit_->Handle())), 2);  // over a plain control
    EXPECT_EQ(::GetFocus(), a_->view);
}

TEST_F(BhWheel, HandlerCanSkipAndActiveFormOnlyLeavesInactiveForms) {
    ::SetFocus(b_->view);
    bool called = false;
    hook_->OnMouseWheel = [&](POINT, HWND wnd, bool& skip, const MOUSEHOOKSTRUCT&) {
        called = wnd == a_->server;
        skip = true;
    };
    EXPECT_NE(Wheel(CentreOf(a_->server)), 2);
    EXPECT_TRUE(called);
    EXPECT_EQ(::GetFocus(), b_->view);
    hook_->OnMouseWheel = nullptr;

    // The form under the mouse is not the active window: with ActiveFormOnly the wheel is left alone.
    TForm other(nullptr);
    other.SetBounds(500, 50, 100, 100);
    other.Show();
    ::SetForegroundWindow(other.Handle());
    test::PumpPending();
    ASSERT_NE(::GetActiveWindow(), form_->Handle());
    hook_->ActiveFormOnly = true;
    const HWND focusBefore = ::GetFocus();
    EXPECT_NE(Wheel(CentreOf(a_->server)), 2);
    EXPECT_EQ(::GetFocus(), focusBefore);
    hook_->ActiveFormOnly = false;
}

TEST(BhMouseHook, OneSharedCountedInstance) {
    TBHMouseHook* first = TBHMouseHook::Acquire();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->Hook());
    EXPECT_EQ(TBHMouseHook::Acquire(), first);
    TBHMouseHook::ReleaseShared();
    EXPECT_EQ(TBHMouseHook::Instance(), first);
    TBHMouseHook::ReleaseShared();
    EXPECT_EQ(TBHMouseHook::Instance(), nullptr);
    TBHMouseHook::ReleaseShared();  // one release too many changes nothing
    EXPECT_EQ(TBHMouseHook::Instance(), nullptr);

    TMouseWheelFix fix;
    fix.ActiveFormOnly = true;
    fix.SetActive(true);
    ASSERT_TRUE(TBHMouseHook::Instance());
    EXPECT_TRUE(TBHMouseHook::Instance()->ActiveFormOnly);
    fix.SetActive(false);
    EXPECT_EQ(TBHMouseHook::Instance(), nullptr);
}

class FakeTarget : public TBhFocusTarget {
public:
    FakeTarget(TWinControl* control, TWinControl* form) : control_(control), form_(form) {}
    TWinControl* FocusTargetControl() override { return control_; }
    bool IsActiveControlOf(TWinControl* form) override { return form == form_; }

private:
    TWinControl* control_;
    TWinControl* form_;
};

TEST(BhFocusControl, PostsToTheActiveBrowserControlThatLostTheFocus) {
    TForm form(nullptr);
    form.SetBounds(50, 50, 300, 150);
    auto* host = new TEdit(&form);  // stands in for the browser control
    host->SetParent(&form);
    host->SetBounds(10, 10, 100, 24);
    auto* other = new TEdit(&form);
    other->SetParent(&form);
    other->SetBounds(10, 50, 100, 24);
    form.Show();
    ::SetForegroundWindow(form.Handle());
    test::PumpPending();
    ASSERT_EQ(::GetActiveWindow(), form.Handle());

    TFocusControl focus;
    focus.SetActive(true);
    FakeTarget target(host, &form);
    TBHFocusControl::Instance()->Register(&target);

    other->SetFocus();
    MSG msg;
    while (::PeekMessageW(&msg, host->Handle(), WM_BH_REFOCUS, WM_BH_REFOCUS, PM_REMOVE)) {}
    EXPECT_EQ(TBHFocusControl::Instance()->Check(), &target);
    ASSERT_TRUE(::PeekMessageW(&msg, host->Handle(), WM_BH_REFOCUS, WM_BH_REFOCUS, PM_REMOVE));
    EXPECT_EQ(msg.wParam, reinterpret_cast<WPARAM>(static_cast<TWinControl*>(host)));

    host->SetFocus();  // has the focus: nothing to do
    while (::PeekMessageW(&msg, host->Handle(), WM_BH_REFOCUS, WM_BH_REFOCUS, PM_REMOVE)) {}
    EXPECT_EQ(TBHFocusControl::Instance()->Check(), nullptr);
    EXPECT_FALSE(::PeekMessageW(&msg, host->Handle(), WM_BH_REFOCUS, WM_BH_REFOCUS, PM_REMOVE));

    // The hook checks on its own when the form moves.
    other->SetFocus();
    ::SetWindowPos(form.Handle(), nullptr, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(::PeekMessageW(&msg, host->Handle(), WM_BH_REFOCUS, WM_BH_REFOCUS, PM_NOREMOVE));

    TBHFocusControl::Instance()->Unregister(&target);
    focus.SetActive(false);
    EXPECT_EQ(TBHFocusControl::Instance(), nullptr);
}

TEST(BhUnit, StartUpHooksAndShutdownUnhooks) {
    {
        TBrowserHostUnit unit;
        EXPECT_TRUE(unit.Control().MouseWheelFix().Active());
        EXPECT_TRUE(unit.Control().FocusControl().Active());
        EXPECT_TRUE(TBHMouseHook::Instance());
        EXPECT_TRUE(TBHFocusControl::Instance());
    }
    EXPECT_EQ(TBHMouseHook::Instance(), nullptr);
    EXPECT_EQ(TBHFocusControl::Instance(), nullptr);
}

}  // namespace
}  // namespace ad::browser
