// Tests of the scroll control under real window messages: scroll messages
// move the bars' positions and fire the events, content scrolls by the
// descendant's delta, bars hide or disable when the range fits, the wheel is
// swallowed, and roll scrolling with the middle button.
#include "grid/ScrollControl.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/Forms.h"
#include "framework/WindowSubclass.h"
#include "testsupport/GuiTest.h"

namespace ad::grid {
namespace {

// A descendant that moves 20 pixels per row and records the scrolls.
class TRowControl : public TRgScrollControl {
public:
    using TRgScrollControl::TRgScrollControl;
    int GetVertScrollDelta(int OldPos, int NewPos) override { return (OldPos - NewPos) * 20; }
    void BeforeScroll(TScrollBarKind Kind) override { Events.push_back(Kind == sbVertical ? "before v" : "before h"); }
    void AfterScroll(TScrollBarKind Kind) override { Events.push_back(Kind == sbVertical ? "after v" : "after h"); }
    std::vector<std::string> Events;
};

class ScrollControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(50, 50, 300, 250);
        control = new TRowControl(form.get());
        control->SetParent(form.get());
        control->SetBounds(10, 10, 200, 150);
        control->OnVerticalScroll = [this](TObject*, int pos) { vertical.push_back(pos); };
        control->OnHorizontalScroll = [this](TObject*, int pos) { horizontal.push_back(pos); };
        form->Show();
        wnd = control->Handle();
    }
    void TearDown() override { form.reset(); }

    void Range(TRgScrollBar& bar, int max, int page) {
        bar.BeginUpdate();
        bar.SetMax(max);
        bar.SetPageSize(page);
        bar.LargeChange = page;
        bar.EndUpdate();
    }
    SCROLLINFO Info(int bar) {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        ::GetScrollInfo(wnd, bar, &si);
        return si;
    }
    // Element 0 is the bar, 1 and 5 its arrows.
    DWORD BarState(LONG object, int element = 0) {
        SCROLLBARINFO sbi{};
        sbi.cbSize = sizeof(sbi);
        ::GetScrollBarInfo(wnd, object, &sbi);
        return sbi.rgstate[element];
    }

    std::unique_ptr<TForm> form;
    TRowControl* control = nullptr;
    HWND wnd = nullptr;
    std::vector<int> vertical, horizontal;
};

TEST_F(ScrollControlTest, ScrollMessagesMoveTheBarAndFireEvents) {
    Range(control->VertScrollBar, 100, 10);
    EXPECT_EQ(::GetWindowLongW(wnd, GWL_STYLE) & WS_CLIPCHILDREN, WS_CLIPCHILDREN);
    struct Case {
        int code, expected;
    } cases[] = {{SB_LINEDOWN, 1}, {SB_PAGEDOWN, 11}, {SB_BOTTOM, 91}, {SB_PAGEDOWN, 91},
                 {SB_LINEUP, 90}, {SB_TOP, 0},        {SB_ENDSCROLL, 0}};
    for (const Case& c : cases) {
        vertical.clear();
        ::SendMessageW(wnd, WM_VSCROLL, MAKEWPARAM(c.code, 0), 0);
        EXPECT_EQ(control->VertScrollBar.Position(), c.expected) << c.code;
        EXPECT_EQ(Info(SB_VERT).nPos, c.expected) << c.code;  // pushed to the system bar
        ASSERT_FALSE(vertical.empty()) << c.code;
        EXPECT_EQ(vertical.back(), c.expected);
    }
    EXPECT_TRUE(horizontal.empty());
    SCROLLINFO si = Info(SB_VERT);
    EXPECT_EQ(si.nMax, 100);
    EXPECT_EQ(si.nPage, 10u);

    Range(control->HorzScrollBar, 50, 20);
    ::SendMessageW(wnd, WM_HSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(control->HorzScrollBar.Position(), 20);
    ASSERT_FALSE(horizontal.empty());
    EXPECT_EQ(horizontal.back(), 20);
    EXPECT_EQ(control->HorzScrollBar.LastScrollKind, skPage);
}

TEST_F(ScrollControlTest, ContentScrollsInsideTheVerticalRect) {
    Range(control->VertScrollBar, 100, 10);
    control->VertScrollRect = TRect{0, 20, 100, 120};
    ::UpdateWindow(wnd);
    ::ValidateRect(wnd, nullptr);
    control->Events.clear();
    ::SendMessageW(wnd, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(control->Events, (std::vector<std::string>{"before v", "after v"}));
    // 20 pixels moved up inside the rectangle: its lowest 20 rows need painting.
    RECT update{};
    ASSERT_TRUE(::GetUpdateRect(wnd, &update, FALSE));
    EXPECT_EQ(update.top, 100);
    EXPECT_EQ(update.bottom, 120);
    EXPECT_LE(update.right, 100);
    // Lines that cannot move send nothing.
    control->VertScrollBar.First();
    control->Events.clear();
    vertical.clear();
    control->VertScrollBar.LineUp();
    EXPECT_TRUE(vertical.empty());
    control->VertScrollBar.LineDown();
    EXPECT_EQ(control->VertScrollBar.Position(), 1);
}

TEST_F(ScrollControlTest, FittingRangeHidesOrDisablesTheBar) {
    Range(control->VertScrollBar, 100, 10);
    EXPECT_FALSE(BarState(OBJID_VSCROLL) & STATE_SYSTEM_INVISIBLE);
    Range(control->VertScrollBar, 5, 10);  // fits, HideWhenFits: gone
    EXPECT_TRUE(BarState(OBJID_VSCROLL) & STATE_SYSTEM_INVISIBLE);
    EXPECT_FALSE(control->VertScrollBar.Visible());
    control->VertScrollBar.SetHideWhenFits(false);  // stays, disabled by the system
    DWORD state = BarState(OBJID_VSCROLL);
    EXPECT_FALSE(state & STATE_SYSTEM_INVISIBLE);
    EXPECT_TRUE(state & STATE_SYSTEM_UNAVAILABLE);
    // A disabled control disables its bars' arrows, and enabling it again
    // enables them.
    Range(control->VertScrollBar, 100, 10);
    EXPECT_FALSE(BarState(OBJID_VSCROLL, 1) & STATE_SYSTEM_UNAVAILABLE);
    control->SetEnabled(false);
    EXPECT_TRUE(BarState(OBJID_VSCROLL, 1) & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_TRUE(BarState(OBJID_VSCROLL, 5) & STATE_SYSTEM_UNAVAILABLE);
    control->SetEnabled(true);
    EXPECT_FALSE(BarState(OBJID_VSCROLL, 5) & STATE_SYSTEM_UNAVAILABLE);
}

TEST_F(ScrollControlTest, WheelIsSwallowedUnlessDisabled) {
    int parentWheels = 0;
    TWindowSubclass spy(form->Handle(), [&](TMessage& m) {
        if (m.Msg == WM_MOUSEWHEEL) ++parentWheels;
        return false;
    });
    ::SendMessageW(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(100, 100));
    EXPECT_EQ(parentWheels, 0);
    control->MouseWheelEnabled = false;  // the system's handling passes it to the parent
    ::SendMessageW(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(100, 100));
    EXPECT_EQ(parentWheels, 1);
}

TEST_F(ScrollControlTest, RollScrollingWithTheMiddleButton) {
    Range(control->VertScrollBar, 100, 10);
    control->VertScrollBar.SetPosition(50);
    ::SendMessageW(wnd, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(40, 30));
    EXPECT_EQ(control->Rolling, 1u);
    EXPECT_EQ(control->RollOrigin, (TPoint{40, 30}));
    EXPECT_EQ(::GetCapture(), wnd);
    EXPECT_TRUE(control->RollTimer->Enabled());
    HWND marker = control->RollShadow->Handle();
    EXPECT_TRUE(::IsWindowVisible(marker));
    EXPECT_TRUE(::GetWindowLongW(marker, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    POINT origin{40, 30};
    ::ClientToScreen(wnd, &origin);
    RECT mr{};
    ::GetWindowRect(marker, &mr);
    EXPECT_EQ(mr.left, origin.x - 7);
    EXPECT_EQ(mr.top, origin.y - 11);
    EXPECT_EQ(mr.right - mr.left, 32);
    RECT box{};
    EXPECT_NE(::GetWindowRgnBox(marker, &box), ERROR);  // shaped

    struct Case {
        int y;
        unsigned direction;
        int cursor;
    } moves[] = {{33, 0, crRoll}, {80, rdDown, crRollDown}, {20, rdUp, crRollUp}, {25, 0, crRoll}};
    for (const Case& c : moves) {
        ::SendMessageW(wnd, WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(40, c.y));
        EXPECT_EQ(control->RollDirection, c.direction) << c.y;
        EXPECT_EQ(control->ScreenCursor, c.cursor) << c.y;
        EXPECT_EQ(control->RollShadow->Cursor, c.cursor) << c.y;
    }
    // 50 pixels below the origin: one line down, next step in 50 ms.
    ::SendMessageW(wnd, WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(40, 80));
    control->RollTimer->SetEnabled(false);  // ticks are driven by hand below
    POINT below{40, 80};
    ::ClientToScreen(wnd, &below);
    ASSERT_TRUE(::SetCursorPos(below.x, below.y));
    POINT now{};
    ::GetCursorPos(&now);
    ASSERT_EQ(now.y, below.y);
    control->RollTimerTick(nullptr);
    EXPECT_EQ(control->VertScrollBar.Position(), 51);
    EXPECT_EQ(control->RollTimer->Interval(), 50u);
    ::SendMessageW(wnd, WM_MBUTTONUP, 0, MAKELPARAM(40, 80));
    EXPECT_EQ(control->Rolling, 0u);
    EXPECT_FALSE(control->RollTimer->Enabled());
    EXPECT_FALSE(::IsWindowVisible(marker));
    EXPECT_NE(::GetCapture(), wnd);
    EXPECT_EQ(control->ScreenCursor, 0);

    control->RollEnabled = false;
    ::SendMessageW(wnd, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(40, 30));
    EXPECT_EQ(control->Rolling, 0u);
    EXPECT_NE(::GetCapture(), wnd);
}

TEST_F(ScrollControlTest, RollTimerScrollsByItself) {
    Range(control->VertScrollBar, 100, 10);
    ::SendMessageW(wnd, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(40, 30));
    ::SendMessageW(wnd, WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(40, 130));
    ASSERT_EQ(control->RollDirection, unsigned(rdDown));
    EXPECT_TRUE(test::PumpUntil([&] { return control->VertScrollBar.Position() >= 3; }, 3000));
    ::SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(40, 130));  // any button ends it
    EXPECT_EQ(control->Rolling, 0u);
    int stopped = control->VertScrollBar.Position();
    test::PumpUntil([] { return false; }, 100);
    EXPECT_EQ(control->VertScrollBar.Position(), stopped);
}

TEST_F(ScrollControlTest, TabsGoToTheParentAndFocusNeedsAForm) {
    std::vector<WPARAM> keys;
    TWindowSubclass spy(form->Handle(), [&](TMessage& m) {
        if (m.Msg == WM_KEYDOWN) keys.push_back(m.WParam);
        return false;
    });
    control->TabToNext();
    control->TabToPrevious();
    test::PumpPending();
    EXPECT_EQ(keys, (std::vector<WPARAM>{VK_TAB, VK_SHIFT, VK_TAB}));
    ::SetForegroundWindow(form->Handle());
    control->FocusIfOnForm();
    EXPECT_EQ(::GetFocus(), wnd);
}

}  // namespace
}  // namespace ad::grid
