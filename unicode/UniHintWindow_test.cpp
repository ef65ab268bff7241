// The hint window shows the wide short hint of a control, or the ANSI hint a
// handler put in its place.
#include "unicode/UniHintWindow.h"

#include <gtest/gtest.h>

#include "base/WinText.h"
#include "framework/Forms.h"
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

}  // namespace
}  // namespace ad::uni
