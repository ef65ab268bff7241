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

TEST(PopupMenu, ItemsCarryThemselvesAndOwnerDrawWhenADrawerIsInstalled) {
    TPopupMenu popup(nullptr);
    auto* open = popup.Items().Add("Open");
    open->ShortCut = scCtrl | 'O';
    open->Default = true;
    auto* hidden = popup.Items().Add("Hidden");
    hidden->Visible = false;
    auto* radio = popup.Items().Add("Radio");
    radio->RadioItem = true;
    radio->Checked = true;
    popup.Items().Add("-");
    auto* drawn = popup.Items().Add("Drawn");
    drawn->OnAdvancedDrawItem = [](TObject*, TCanvas&, const TRect&, TOwnerDrawState) {};

    auto itemInfo = [](HMENU menu, UINT pos) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
        EXPECT_TRUE(::GetMenuItemInfoW(menu, pos, TRUE, &info));
        return info;
    };
    for (bool ownerDraw : {false, true}) {
        SCOPED_TRACE(ownerDraw);
        popup.OwnerDraw = ownerDraw;
        std::vector<TMenuItem*> commands;
        OwnedMenu menu = popup.BuildMenu(commands);
        ASSERT_EQ(::GetMenuItemCount(menu.Get()), 4);  // the hidden item is left out
        EXPECT_EQ(commands.size(), 3u);
        const MENUITEMINFOW first = itemInfo(menu.Get(), 0), second = itemInfo(menu.Get(), 1),
                            line = itemInfo(menu.Get(), 2), last = itemInfo(menu.Get(), 3);
        EXPECT_EQ(TMenuItem::FromItemData(first.dwItemData), open);
        EXPECT_EQ(TMenuItem::FromItemData(second.dwItemData), radio);
        EXPECT_EQ(TMenuItem::FromItemData(last.dwItemData), drawn);
        EXPECT_TRUE(first.fState & MFS_DEFAULT);
        EXPECT_TRUE(second.fType & MFT_RADIOCHECK);
        EXPECT_TRUE(line.fType & MFT_SEPARATOR);
        EXPECT_EQ((first.fType & MFT_OWNERDRAW) != 0, ownerDraw);
        EXPECT_EQ((line.fType & MFT_OWNERDRAW) != 0, ownerDraw);
        EXPECT_TRUE(last.fType & MFT_OWNERDRAW);  // its own drawer, whatever the menu says
        EXPECT_EQ(MenuText(menu.Get(), 0), L"Open\tCtrl+O");
    }
    // Item data of an item that went names nothing.
    const auto data = reinterpret_cast<ULONG_PTR>(drawn);
    delete drawn;
    EXPECT_EQ(TMenuItem::FromItemData(data), nullptr);
    EXPECT_EQ(popup.Items().Count(), 4);
    EXPECT_EQ(radio->MenuIndex(), 2);
    EXPECT_EQ(radio->GetParentMenu(), &popup);
}

// Counts the measuring and drawing of one owner-drawn popup shown until a
// timer ends it, with the given window owning the menu.
struct TOwnerDrawRun {
    int measured = 0, drawn = 0, plainMeasured = 0;
    TRect drawRect;
    int width = 0;
};

TOwnerDrawRun RunOwnerDrawnPopup(TComponent* popupComponent) {
    TOwnerDrawRun run;
    TPopupMenu popup(nullptr);
    popup.OwnerDraw = true;
    popup.PopupComponent = popupComponent;
    auto* item = popup.Items().Add("Measured");
    item->OnMeasureItem = [&](TObject* sender, TCanvas& canvas, int& width, int& height) {
        EXPECT_EQ(sender, item);
        EXPECT_NE(canvas.Handle(), nullptr);
        run.measured++;
        width = 150;
        height = 30;
    };
    item->OnAdvancedDrawItem = [&](TObject*, TCanvas& canvas, const TRect& rect, TOwnerDrawState) {
        run.drawn++;
        run.drawRect = rect;
        RECT r = {rect.Left, rect.Top, rect.Right, rect.Bottom};
        ::FillRect(canvas.Handle(), &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    };
    // Drawn by the framework itself: counted through the system menu's own paint.
    auto* plain = popup.Items().Add("Plain");
    plain->OnMeasureItem = [&](TObject*, TCanvas&, int& width, int&) {
        EXPECT_GT(width, 0);  // the default measure came first
        run.plainMeasured++;
    };
    TTimer closer(nullptr);
    closer.SetInterval(150);
    closer.OnTimer = [&](TObject*) { ::EndMenu(); };
    popup.Popup(100, 100);
    return run;
}

TEST(PopupMenu, AnOwnerDrawnItemIsMeasuredAndDrawnWhateverWindowOwnsTheMenu) {
    TForm form(nullptr);
    form.Show();
    for (TComponent* owner : {static_cast<TComponent*>(&form), static_cast<TComponent*>(nullptr)}) {
        SCOPED_TRACE(owner ? "form" : "application window");
        const TOwnerDrawRun run = RunOwnerDrawnPopup(owner);
        EXPECT_EQ(run.measured, 1);
        EXPECT_EQ(run.plainMeasured, 1);
        EXPECT_GE(run.drawn, 1);
        EXPECT_EQ(run.drawRect.Height(), 30);
        EXPECT_GE(run.drawRect.Width(), 150);
    }
}

TEST(MainMenu, AnOwnerDrawnBarItemIsMeasuredByItsForm) {
    TForm form(nullptr);
    TMainMenu bar(&form);
    bar.OwnerDraw = true;
    auto* file = bar.Items().Add("File");
    file->Add("Exit");
    int measured = 0;
    file->OnMeasureItem = [&](TObject*, TCanvas&, int& width, int& height) {
        measured++;
        width = 60;
        height = 18;
    };
    form.SetMenu(&bar);
    form.Show();
    RECT r{};
    ASSERT_TRUE(::GetMenuItemRect(form.Handle(), bar.Handle(), 0, &r));
    EXPECT_GE(measured, 1);
    EXPECT_GE(r.right - r.left, 60);  // the system adds a little to what the item asked
}

}  // namespace
}  // namespace ad
