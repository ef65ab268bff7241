// The clipboard's text: what is put there reads back as Unicode text.
#include "framework/Clipbrd.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "base/WinText.h"

namespace ad {
namespace {

std::wstring ClipboardUnicodeText() {
    std::wstring text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = p;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

TEST(ClipboardTest, TextReadsBackAsUnicodeTextAndReplacesThePrevious) {
    ASSERT_TRUE(SetClipboardText("first"));
    const std::string text = Narrow(L"caf\u00e9 & 12-34");
    ASSERT_TRUE(SetClipboardText(text));
    EXPECT_EQ(Narrow(ClipboardUnicodeText()), text);
    ASSERT_TRUE(SetClipboardText(""));
    EXPECT_EQ(ClipboardUnicodeText(), L"");
}

}  // namespace
}  // namespace ad
