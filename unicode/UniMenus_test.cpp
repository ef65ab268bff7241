// Wide menu captions and shortcut texts in the system menu, the wide title,
// and characters beyond Latin-1 passing the application's message loop.
#include "unicode/UniMenus.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/WinText.h"
#include "framework/Forms.h"
#include "unicode/UniControls.h"
#include "unicode/UniForms.h"
#include "unicode/UniStdCtrls.h"

namespace ad::uni {
namespace {

std::wstring MenuString(HMENU menu, UINT position) {
    wchar_t text[256] = {};
    const int n = ::GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return std::wstring(text, static_cast<size_t>(n > 0 ? n : 0));
}

TEST(UniMenus, SystemMenuShowsWideCaptionAndShortcut) {
    TPopupMenu popup(nullptr);
    auto* open = popup.Items().AddItem<TUniMenuItem>("");
    open->SetWideCaption(L"\u6253\u5F00 &Open");
    open->ShortCut = scCtrl | 'O';
    auto* sub = popup.Items().AddItem<TUniMenuItem>("");
    sub->SetWideCaption(L"\u0416 &More");
    sub->ShortCut = scCtrl | 'M';  // an item with sub-items shows no shortcut
    sub->Add("x");
    popup.Items().Add("plain");

    std::vector<TMenuItem*> commands;
    OwnedMenu menu = popup.BuildMenu(commands);
    EXPECT_EQ(MenuString(menu.Get(), 0), L"\u6253\u5F00 &Open\tCtrl+O");
    EXPECT_EQ(MenuString(menu.Get(), 1), L"\u0416 &More");
    EXPECT_EQ(MenuString(menu.Get(), 2), L"plain");

    // The ANSI caption changed only in its mark: the wide text keeps its letters.
    open->Caption = Narrow(L"\u6253\u5F00 O&pen");
    open->UpdateMenuItem(menu.Get(), 0);
    EXPECT_EQ(MenuString(menu.Get(), 0), L"\u6253\u5F00 O&pen\tCtrl+O");
    // Changed otherwise: the ANSI caption shows.
    open->Caption = "Close";
    open->UpdateMenuItem(menu.Get(), 0);
    EXPECT_EQ(MenuString(menu.Get(), 0), L"Close\tCtrl+O");
}

TEST(UniMenus, ShortcutTexts) {
    struct Case {
        WORD shortCut;
        const wchar_t* text;
    } cases[] = {
        {scCtrl | 'O', L"Ctrl+O"},
        {scShift | scCtrl | VK_F5, L"Shift+Ctrl+F5"},
        {scAlt | VK_DELETE, L"Alt+Del"},
        {VK_F24, L"F24"},
        {scCtrl | '7', L"Ctrl+7"},
        {VK_PRIOR, L"PgUp"},
        {VK_BACK, L"BkSp"},
    };
    for (const Case& c : cases) EXPECT_EQ(WideShortCutToText(c.shortCut), c.text);
}

TEST(UniForms, WideTitleBesideTheAnsiTitle) {
    const std::string before = Application->Title;
    TUniApplication uni(Application);
    uni.SetTitle(L"\u4E2D\u6587 Appdeck");
    EXPECT_EQ(uni.Title(), L"\u4E2D\u6587 Appdeck");
    EXPECT_EQ(Application->Title, Narrow(L"\u4E2D\u6587 Appdeck"));
    wchar_t text[64] = {};
    ::DefWindowProcW(Application->Handle(), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"\u4E2D\u6587 Appdeck");
    Application->Title = "Appdeck";
    EXPECT_EQ(uni.Title(), L"Appdeck");
    Application->Title = before;
}

TEST(UniForms, WideCharactersPassTheLoopAndOnMessageSeesThemFirst) {
    TForm form(nullptr);
    auto* memo = new TUniMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(0, 0, 200, 100);
    form.Show();
    std::vector<WPARAM> seen;
    Application->OnMessage = [&](MSG& msg, bool& handled) {
        if (msg.message != WM_CHAR) return;
        seen.push_back(msg.wParam);
        handled = msg.wParam == 0x6587;
    };
    ::PostMessageW(memo->Handle(), WM_CHAR, 0x4E2D, 1);
    ::PostMessageW(memo->Handle(), WM_CHAR, 0x6587, 1);
    ::PostMessageW(memo->Handle(), WM_CHAR, 0xD83D, 1);  // a surrogate pair, unit by unit
    ::PostMessageW(memo->Handle(), WM_CHAR, 0xDE00, 1);
    Application->ProcessMessages();
    Application->OnMessage = nullptr;
    EXPECT_EQ(seen, (std::vector<WPARAM>{0x4E2D, 0x6587, 0xD83D, 0xDE00}));
    EXPECT_EQ(UniControlGetText(memo), L"\u4E2D\U0001F600");
}

}  // namespace
}  // namespace ad::uni
