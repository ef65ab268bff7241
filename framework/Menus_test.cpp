// Popup menus: the system menu built from the items, and a popup that is dismissed.
#include "framework/Menus.h"

#include <gtest/gtest.h>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

namespace ad {
namespace {

std::wstring MenuText(HMENU menu, int pos) {
    wchar_t buf[128] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(pos), buf, 128, MF_BYPOSITION);
    return buf;
}

TEST(PopupMenu, BuildsTheSystemMenuAndMapsCommandsToItems) {
    TPopupMenu popup(nullptr);
    auto* games = popup.Items().Add("Games");
    auto* chess = games->Add("Chess && Co");
    games->Add("Mines")->Enabled = false;
    popup.Items().Add("-");
    auto* restore = popup.Items().Add("Restore");
    restore->Checked = true;
    std::vector<TMenuItem*> commands;
    OwnedMenu menu = popup.BuildMenu(commands);
    ASSERT_EQ(::GetMenuItemCount(menu.Get()), 3);
    EXPECT_EQ(MenuText(menu.Get(), 0), L"Games");
    HMENU sub = ::GetSubMenu(menu.Get(), 0);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(::GetMenuItemCount(sub), 2);
    EXPECT_TRUE(::GetMenuState(sub, 1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(menu.Get(), 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(::GetMenuState(menu.Get(), 2, MF_BYPOSITION) & MF_CHECKED);
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0], chess);
    EXPECT_EQ(commands[2], restore);
    EXPECT_EQ(::GetMenuItemID(menu.Get(), 2), 3u);

    games->Clear();
    EXPECT_EQ(games->Count(), 0);
}

bool BitmapAlive(HBITMAP bitmap) {
    BITMAP bm{};
    return ::GetObjectW(bitmap, sizeof bm, &bm) != 0;
}

TEST(PopupMenu, AnItemShowsItsOwnBitmapAndFreesItWithItself) {
    TPopupMenu popup(nullptr);
    auto* folder = popup.Items().Add("Folder");
    auto* program = folder->Add("Program");
    folder->Bitmap = OwnedBitmap(::CreateBitmap(16, 16, 1, 32, nullptr));
    program->Bitmap = OwnedBitmap(::CreateBitmap(16, 16, 1, 32, nullptr));
    HBITMAP folderBitmap = folder->Bitmap.Get(), programBitmap = program->Bitmap.Get();
    {
        std::vector<TMenuItem*> commands;
        OwnedMenu menu = popup.BuildMenu(commands);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_BITMAP;
        ASSERT_TRUE(::GetMenuItemInfoW(menu.Get(), 0, TRUE, &info));
        EXPECT_EQ(info.hbmpItem, folderBitmap);
        ASSERT_TRUE(::GetMenuItemInfoW(::GetSubMenu(menu.Get(), 0), 0, TRUE, &info));
        EXPECT_EQ(info.hbmpItem, programBitmap);
    }
    EXPECT_TRUE(BitmapAlive(folderBitmap));  // the system menu only borrowed them
    folder->Clear();
    EXPECT_FALSE(BitmapAlive(programBitmap));
    EXPECT_TRUE(BitmapAlive(folderBitmap));
    popup.Items().Clear();
    EXPECT_FALSE(BitmapAlive(folderBitmap));
}

TEST(PopupMenu, ADismissedPopupRunsNoItem) {
    TForm form(nullptr);
    form.Show();
    TPopupMenu popup(nullptr);
    int clicks = 0, popups = 0;
    popup.Items().Add("One")->OnClick = [&](TObject*) { clicks++; };
    popup.OnPopup = [&](TObject*) { popups++; };
    popup.PopupComponent = &form;
    TTimer closer(nullptr);
    closer.SetInterval(50);
    closer.OnTimer = [&](TObject*) { ::EndMenu(); };
    popup.Popup(100, 100);  // returns when the timer ends the menu
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(clicks, 0);
}

}  // namespace
}  // namespace ad
