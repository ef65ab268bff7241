// The hint window shows the wide short hint of a control, or the ANSI hint a
// handler put in its place.
#include "unicode/UniHintWindow.h"

#include <gtest/gtest.h>

#include "base/WinText.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "testsupport/GuiTest.h"
#include "unicode/UniForms.h"
#include "unicode/UniControls.h"
#include "unicode/UniStdCtrls.h"

namespace ad::uni {
namespace {

std::wstring WindowText(HWND wnd) {
    wchar_t text[256] = {};
    const int n = ::GetWindowTextW(wnd, text, 256);
    return std::wstring(text, static_cast<size_t>(n > 0 ? n : 0));
}

TEST(UniHintWindow, ShowsTheWideShortHint) {
    TForm form(nullptr);
    auto* memo = new TUniMemo(&form);
    memo->SetParent(&form);
    memo->SetWideHint(L"\u4E2D\u6587 \u263A \u0416|The long part");
    form.Show();

    const std::string ansi = WideControlAnsiHint(memo);
    EXPECT_EQ(ansi, Narrow(L"\u4E2D\u6587 \u263A \u0416"));
    TUniCustomHintWindow hint(nullptr);
    const TRect r = hint.CalcWideHintRect(300, L"\u4E2D\u6587 \u263A \u0416");
    EXPECT_GT(r.Right, 6);
    hint.ActivateHintData(TRect{100, 100, 100 + r.Right, 100 + r.Bottom + 4}, ansi, memo);
    ASSERT_TRUE(hint.HandleAllocated());
    EXPECT_EQ(WindowText(hint.Handle()), L"\u4E2D\u6587 \u263A \u0416");
    EXPECT_TRUE(::IsWindowVisible(hint.Handle()));

    // A handler showed another ANSI text: that text shows.
    hint.ActivateHintData(TRect{100, 100, 200, 120}, "Changed by the handler", memo);
    EXPECT_EQ(WindowText(hint.Handle()), L"Changed by the handler");
    // The hint of a parent when the control has none.
    memo->SetWideHint(L"");
    UniControlSetHint(&form, L"\u0416\u0416");
    EXPECT_EQ(WideHintText(WideControlAnsiHint(memo), memo), L"\u0416\u0416");
    EXPECT_EQ(WideHintText("", memo), L"");
}

TEST(UniHintWindow, TextChangedOutsideActivationSizesTheWindow) {
    TUniCustomHintWindow hint(nullptr);
    hint.ActivateHintData(TRect{10, 10, 20, 20}, "x", nullptr);
    UniControlSetText(&hint, L"\u4E2D\u6587\u4E2D\u6587\u4E2D\u6587 wider text");
    WindowDC screen(nullptr);
    SelectObjectScope font(screen.Get(), hint.Font().Handle());
    SIZE size{};
    const std::wstring text = L"\u4E2D\u6587\u4E2D\u6587\u4E2D\u6587 wider text";
    ::GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    EXPECT_EQ(hint.Width(), size.cx + 6);
    EXPECT_EQ(hint.Height(), size.cy + 6);
}

// The application object with the Unicode layer's hint windows for a test.
class UniHintApplication {
public:
    UniHintApplication() : class_(Application->HintWindowClass), pause_(Application->HintPause) {
        Application->HintWindowClass = nullptr;
        uni = std::make_unique<TUniApplication>(Application);
        Application->HintPause = 1;
    }
    ~UniHintApplication() {
        Application->CancelHint();
        Application->OnShowHint = nullptr;
        Application->HintWindowClass = class_;
        Application->HintPause = pause_;
    }
    std::unique_ptr<TUniApplication> uni;

private:
    THintWindowClass class_;
    int pause_;
};

HWND ShownHintWindow() {
    TAppHintWindow* w = Application->HintWindow();
    HWND wnd = w ? w->WindowHandle() : nullptr;
    return wnd && ::IsWindowVisible(wnd) ? wnd : nullptr;
}

TEST(UniApplicationHint, AUnicodeControlsHintShowsWideWhenTheMouseRestsOnIt) {
    UniHintApplication app;
    EXPECT_EQ(Application->HintWindowClass, &PlainHintWindowClass);
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 250);
    // The pointer rests away from the form, so only the posted moves count.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    auto* memo = new TUniMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(10, 10, 200, 100);
    memo->SetWideHint(L"\u4E2D\u6587 \u263A \u0416|\u041B\u043E\u043D\u0433 \u4E2D");
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetBounds(10, 150, 100, 24);
    button->Hint = "Plain|Plain long";
    form.Show();

    ::PostMessageW(memo->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(test::PumpUntil([] { return ShownHintWindow() != nullptr; }));
    EXPECT_EQ(WindowText(ShownHintWindow()), L"\u4E2D\u6587 \u263A \u0416");
    EXPECT_TRUE(::IsWindowUnicode(ShownHintWindow()));
    // The application's hint is the wide long part.
    EXPECT_EQ(Application->Hint, Narrow(L"\u041B\u043E\u043D\u0433 \u4E2D"));
    EXPECT_EQ(app.uni->Hint(), L"\u041B\u043E\u043D\u0433 \u4E2D");

    // The window is as large as the wide text needs.
    TUniCustomHintWindow probe(nullptr);
    const TRect need = probe.CalcWideHintRect(::GetSystemMetrics(SM_CXSCREEN), L"\u4E2D\u6587 \u263A \u0416");
    RECT shown{};
    ::GetWindowRect(ShownHintWindow(), &shown);
    EXPECT_EQ(shown.right - shown.left, need.Width());

    // A handler that changes the hint: its ANSI text shows.
    Application->OnShowHint = [](std::string& s, bool&, THintInfo&) { s = "Changed by the handler"; };
    Application->ActivateHint(memo, POINT{60, 60});
    ASSERT_NE(ShownHintWindow(), nullptr);
    EXPECT_EQ(WindowText(ShownHintWindow()), L"Changed by the handler");
    Application->OnShowHint = nullptr;

    // A control of the class library shows its ANSI hint in the plain window.
    ::PostMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(test::PumpUntil([] { return ShownHintWindow() && WindowText(ShownHintWindow()) == L"Plain"; }));
    EXPECT_EQ(app.uni->Hint(), L"Plain long");
}

TEST(UniApplicationHint, MarkingTable) {
    TForm form(nullptr);
    auto* memo = new TUniMemo(&form);
    memo->SetParent(&form);
    memo->SetWideHint(L"\u0416\u0416|long");
    const THintWindowClass other = [] { return PlainHintWindowClass(); };
    struct Case {
        const char* name;
        THintWindowClass given;
        THintWindowClass expected;
        bool marked;
    };
    for (const Case& c : {Case{"plain window", &PlainHintWindowClass, &UniHintWindowClass, true},
                          Case{"wide window", &UniHintWindowClass, &UniHintWindowClass, true},
                          Case{"another window", other, other, false}, Case{"no window", nullptr, nullptr, false}}) {
        SCOPED_TRACE(c.name);
        THintInfo info;
        info.HintControl = memo;
        info.HintWindowClass = c.given;
        info.HintStr = "as given";
        EXPECT_EQ(memo->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)), 0);
        EXPECT_EQ(info.HintWindowClass, c.expected);
        EXPECT_EQ(info.HintData, c.marked ? &info : nullptr);
        EXPECT_EQ(info.HintStr, c.marked ? Narrow(L"\u0416\u0416") : "as given");
    }
}

TEST(UniApplicationHint, SetHintKeepsTheWideTextUntilTheAnsiHintChanges) {
    {
        // The plain window goes with the object that put it in.
        const THintWindowClass saved = Application->HintWindowClass;
        Application->HintWindowClass = nullptr;
        { TUniApplication uni(Application); }
        EXPECT_EQ(Application->HintWindowClass, nullptr);
        Application->HintWindowClass = saved;
    }
    UniHintApplication app;
    app.uni->SetHint(L"\u4E2D\u6587 long");
    EXPECT_EQ(Application->Hint, Narrow(L"\u4E2D\u6587 long"));
    EXPECT_EQ(app.uni->Hint(), L"\u4E2D\u6587 long");
    Application->Hint = "Other";
    EXPECT_EQ(app.uni->Hint(), L"Other");
}

}  // namespace
}  // namespace ad::uni
