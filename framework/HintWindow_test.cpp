// Tests of the hint window under real window messages: sizing by the text,
// showing on top without taking activation from the active form, the 8-bit
// text it is given, painting in the info colours, mouse transparency, and
// releasing and re-making its window through the wide-text helpers.
#include "framework/HintWindow.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/WinText.h"
#include "framework/Forms.h"
#include "framework/Handles.h"
#include "framework/SysUtils.h"
#include "testsupport/GuiTest.h"

namespace ad {
namespace {

class HintWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 300, 200);
        control = new TWinControl(form.get());
        control->SetParent(form.get());
        control->SetBounds(10, 10, 100, 50);
        form->Show();
        ::SetForegroundWindow(form->Handle());
        ::SetActiveWindow(form->Handle());
        test::PumpPending();
        hint = std::make_unique<THintWindow>(nullptr);
    }
    void TearDown() override {
        hint.reset();
        form.reset();
    }

    std::unique_ptr<TForm> form;
    TWinControl* control = nullptr;
    std::unique_ptr<THintWindow> hint;
};

TEST_F(HintWindowTest, SizeFollowsTheTextAndWrapsAtTheWidth) {
    TRect one = CalcWideHintRect(hint.get(), 400, u"Short", nullptr);
    EXPECT_EQ(one.Left, 0);
    EXPECT_EQ(one.Top, 0);
    EXPECT_GT(one.Right, 2 * THintWindow::TextMargin + 2);
    EXPECT_GT(one.Bottom, 2 * THintWindow::TextMargin + 2);
    EXPECT_FALSE(hint->HandleAllocated());  // measuring makes no window

    TRect longer = CalcWideHintRect(hint.get(), 400, u"Short and somewhat longer", nullptr);
    EXPECT_GT(longer.Right, one.Right);
    EXPECT_EQ(longer.Bottom, one.Bottom);
    // Wrapped at 60 pixels the text takes several lines and no more width
    // than the limit and the frame.
    TRect wrapped = CalcWideHintRect(hint.get(), 60, u"one two three four five six", nullptr);
    EXPECT_GE(wrapped.Bottom - 2 * THintWindow::TextMargin, 3 * (one.Bottom - 2 * THintWindow::TextMargin) - 4);
    EXPECT_LE(wrapped.Right, 60 + 2 * (THintWindow::TextMargin + ::GetSystemMetrics(SM_CXBORDER)));
    // Line breaks in the text count as lines.
    TRect twoLines = CalcWideHintRect(hint.get(), 400, u"Short\nShort", nullptr);
    EXPECT_GT(twoLines.Bottom, one.Bottom);
    EXPECT_EQ(twoLines.Right, one.Right);

    EXPECT_EQ(CalcWideHintRect(nullptr, 400, u"Short", nullptr), TRect{});
}

TEST_F(HintWindowTest, ShowsOnTopWithoutTakingActivation) {
    ASSERT_TRUE(IsParentFormActive(control));
    std::u16string text = u"Caf\u00E9 hint";
    TRect size = CalcWideHintRect(hint.get(), 300, text, nullptr);
    TRect at{100 + size.Left, 120 + size.Top, 100 + size.Right, 120 + size.Bottom};
    ActivateWideHint(hint.get(), at, text);
    test::PumpPending();

    HWND wnd = hint->Handle();
    ASSERT_TRUE(::IsWindow(wnd));
    EXPECT_TRUE(::IsWindowVisible(wnd));
    RECT r;
    ::GetWindowRect(wnd, &r);
    EXPECT_EQ(TRect(r.left, r.top, r.right, r.bottom), at);
    LONG_PTR style = ::GetWindowLongPtrW(wnd, GWL_STYLE), ex = ::GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CHILD);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    // The form keeps the activation, and the control sees its form active.
    EXPECT_EQ(::GetActiveWindow(), form->Handle());
    EXPECT_TRUE(IsParentFormActive(control));
    // The window text is the hint in the system's code page.
    char buf[64] = {};
    ::GetWindowTextA(wnd, buf, sizeof buf);
    EXPECT_EQ(std::string(buf), Narrow(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size())));
    // The mouse passes through, and a click does not activate it.
    EXPECT_EQ(::SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(at.Left + 3, at.Top + 3)), HTTRANSPARENT);
    EXPECT_EQ(::SendMessageW(wnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form->Handle()),
                             MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);

    // A rectangle past the screen's right bottom corner moves inside it.
    int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
    int w = size.Right, h = size.Bottom;
    ActivateWideHint(hint.get(), TRect{sw - 5, sh - 5, sw - 5 + w, sh - 5 + h}, u"Edge");
    ::GetWindowRect(wnd, &r);
    EXPECT_EQ(TRect(r.left, r.top, r.right, r.bottom), (TRect{sw - w, sh - h, sw, sh}));
    EXPECT_EQ(hint->Text(), "Edge");
}

TEST_F(HintWindowTest, PaintsTheTextInTheInfoColours) {
    TRect size = CalcWideHintRect(hint.get(), 300, u"WWWW", nullptr);
    ActivateWideHint(hint.get(), TRect{50, 50, 50 + size.Right, 50 + size.Bottom}, u"WWWW");
    HWND wnd = hint->Handle();
    RECT client;
    ::GetClientRect(wnd, &client);
    WindowDC screen(nullptr);
    OwnedMemoryDC mem(::CreateCompatibleDC(screen.Get()));
    OwnedBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    SelectObjectScope select(mem.Get(), bitmap.Get());
    RECT all{0, 0, client.right, client.bottom};
    OwnedBrush magenta(::CreateSolidBrush(RGB(255, 0, 255)));
    ::FillRect(mem.Get(), &all, magenta.Get());
    ::SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.Get()), PRF_CLIENT);

    COLORREF back = ::GetSysColor(COLOR_INFOBK), fore = ::GetSysColor(COLOR_INFOTEXT);
    EXPECT_EQ(::GetPixel(mem.Get(), 0, 0), back);
    EXPECT_EQ(::GetPixel(mem.Get(), client.right - 1, client.bottom - 1), back);
    // The glyphs are in the text colour, and nothing is left unpainted.
    int textPixels = 0, unpainted = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) {
            COLORREF c = ::GetPixel(mem.Get(), x, y);
            textPixels += c == fore;
            unpainted += c == RGB(255, 0, 255);
        }
    EXPECT_GT(textPixels, 10);
    EXPECT_EQ(unpainted, 0);
}

TEST_F(HintWindowTest, ReleaseDestroysTheWindowAndActivationMakesANewOne) {
    THintWindow* none = nullptr;
    ReleaseHintWindow(none);  // no window object: nothing happens
    ActivateWideHint(nullptr, TRect{0, 0, 10, 10}, u"x");

    THintWindow* window = hint.get();
    ReleaseHintWindow(window);  // no handle yet: nothing happens
    EXPECT_FALSE(hint->HandleAllocated());
    ActivateWideHint(window, TRect{20, 20, 80, 40}, u"first");
    HWND first = hint->Handle();
    ASSERT_TRUE(::IsWindowVisible(first));
    ReleaseHintWindow(window);
    EXPECT_EQ(window, hint.get());
    EXPECT_FALSE(hint->HandleAllocated());
    EXPECT_FALSE(::IsWindow(first));
    ActivateWideHint(window, TRect{20, 20, 80, 40}, u"second");
    EXPECT_TRUE(::IsWindowVisible(hint->Handle()));
    EXPECT_EQ(hint->Text(), "second");
}

TEST_F(HintWindowTest, ParentFormActivity) {
    EXPECT_TRUE(IsParentFormActive(control));
    EXPECT_TRUE(IsParentFormActive(form.get()));
    EXPECT_FALSE(IsParentFormActive(nullptr));
    EXPECT_FALSE(IsParentFormActive(hint.get()));  // no form
    TForm other(nullptr);
    other.SetBounds(400, 40, 200, 100);
    other.Show();
    ::SetActiveWindow(other.Handle());
    test::PumpPending();
    ASSERT_EQ(::GetActiveWindow(), other.Handle());
    EXPECT_FALSE(IsParentFormActive(control));
}

}  // namespace
}  // namespace ad
