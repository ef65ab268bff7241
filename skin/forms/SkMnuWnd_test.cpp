// Popup-menu windows of skinned menus: the adapter, the region and alpha of
// an open popup, what one drawn by the system keeps, and nothing left behind.
#include "skin/forms/SkMnuWnd.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/forms/SkinMenusTestKit.h"
#include "testsupport/GuiTest.h"

namespace ad::skin::forms {
namespace {

using namespace test;

// What an open popup showed, read by a timer that then ends the menu.
struct TOpenPopup {
    bool seen = false;
    bool adapter = false;
    bool layered = false;
    BYTE alpha = 0;
    bool regionSet = false, regionHasOrigin = true;
    bool skinnedDrawing = false;
};

TOpenPopup ShowPopup(TPopupMenu& popup) {
    TOpenPopup open;
    TTimer closer(nullptr);
    closer.SetInterval(10);
    int ticks = 0, shownTicks = 0;
    closer.OnTimer = [&](TObject*) {
        if (++ticks > 300) {  // never shown: end the menu all the same
            ::EndMenu();
            return;
        }
        HWND wnd = OpenPopupWindow();
        // A few ticks after it shows, so that it has painted.
        if (!wnd || ++shownTicks < 3) return;
        open.seen = true;
        open.adapter = ::GetPropW(wnd, kSkinAdapterProp) != nullptr;
        open.layered = (::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
        DWORD flags = 0;
        if (open.layered) ::GetLayeredWindowAttributes(wnd, nullptr, &open.alpha, &flags);
        OwnedRegion region(::CreateRectRgn(0, 0, 0, 0));
        open.regionSet = ::GetWindowRgn(wnd, region.Get()) != ERROR;
        if (open.regionSet) open.regionHasOrigin = ::PtInRegion(region.Get(), 0, 0) != FALSE;
        TSkinableMenus* menus = DefaultSkinableMenus();
        open.skinnedDrawing = menus && menus->GetPopupCache(nullptr, wnd, false) != nullptr;
        ::EndMenu();
    };
    popup.Popup(200, 150);
    return open;
}

// A popup of programs, like the tray's, shown for a form.
struct TTrayLikeMenu {
    explicit TTrayLikeMenu(TForm* form, int count = 30) {
        popup.PopupComponent = form;
        auto* category = popup.Items().Add("Programs");
        for (int i = 0; i < count; ++i) {
            auto* item = popup.Items().Add("Program " + std::to_string(i));
            if (i > 0 && i % 25 == 0) item->Break = TMenuBreak::mbBarBreak;
        }
        category->Add("Inside");
        popup.Items().Add("-");
        popup.Items().Add("Exit");
    }
    TPopupMenu popup{nullptr};
};

TEST(SkinnedPopupMenus, AnOpenPopupIsAdaptedLayeredByTheMenuAlphaAndShapedByItsFrame) {
    TMenuSkinFixture fixture;
    TForm form(nullptr);
    form.Show();
    TTrayLikeMenu tray(&form);
    fixture.Menus().SetMenuSkinned(&tray.popup, true);
    ASSERT_TRUE(tray.popup.OwnerDraw);
    for (const int alpha : {200, 255}) {
        SCOPED_TRACE(alpha);
        fixture.Manager->MenuSupport.AlphaBlend = uint8_t(alpha);
        const TOpenPopup open = ShowPopup(tray.popup);
        ASSERT_TRUE(open.seen);
        EXPECT_TRUE(open.adapter);
        EXPECT_TRUE(open.skinnedDrawing);
        EXPECT_EQ(open.layered, alpha != 255);
        if (alpha != 255) {
            EXPECT_EQ(open.alpha, alpha);
        }
        // The frame mask cuts nothing: the region leaves out the origin pixel only.
        EXPECT_TRUE(open.regionSet);
        EXPECT_FALSE(open.regionHasOrigin);
        // Once closed, nothing of the popup stays.
        PurgeClosedMenuWindowAdapters();
        EXPECT_EQ(MenuWindowAdapterCount(), 0);
        EXPECT_EQ(fixture.Menus().PopupCacheCount(), 0);
    }
}

TEST(SkinnedPopupMenus, ItemsAreMeasuredOnceAcrossReopeningAndItemsAddedLaterAreSkinned) {
    TMenuSkinFixture fixture;
    TForm form(nullptr);
    form.Show();
    TTrayLikeMenu tray(&form, 60);
    TSkinableMenus& menus = fixture.Menus();
    menus.SetMenuSkinned(&tray.popup, true);
    auto* late = tray.popup.Items().Add("Added later");  // no handler until the menu opens
    EXPECT_FALSE(TSkinableMenus::HasSkinHandlers(late));
    const int before = menus.TextMeasureCount();
    ASSERT_TRUE(ShowPopup(tray.popup).seen);
    const int firstOpen = menus.TextMeasureCount() - before;
    EXPECT_TRUE(TSkinableMenus::HasSkinHandlers(late));
    EXPECT_EQ(firstOpen, tray.popup.Items().Count());  // once per top item
    ASSERT_TRUE(ShowPopup(tray.popup).seen);
    EXPECT_EQ(menus.TextMeasureCount() - before, firstOpen);  // the reopen measured nothing
}

TEST(SkinnedPopupMenus, WithSkinnedPopupsOffAPopupIsDrawnByTheSystem) {
    TMenuSkinFixture fixture;
    fixture.Manager->SetSkinnedPopups(false);
    TForm form(nullptr);
    form.Show();
    TTrayLikeMenu tray(&form);
    fixture.Menus().SetMenuSkinned(&tray.popup, true);
    EXPECT_FALSE(tray.popup.OwnerDraw);
    const TOpenPopup open = ShowPopup(tray.popup);
    ASSERT_TRUE(open.seen);
    EXPECT_FALSE(open.adapter);
    EXPECT_FALSE(open.layered);
    EXPECT_FALSE(open.regionSet);
}

TEST(SkinnedPopupMenus, ManyPopupsLeaveNoAdapterAndNoGdiObject) {
    TMenuSkinFixture fixture;
    TForm form(nullptr);
    form.Show();
    TTrayLikeMenu tray(&form, 10);
    fixture.Menus().SetMenuSkinned(&tray.popup, true);
    ASSERT_TRUE(ShowPopup(tray.popup).seen);  // the first opening makes what is kept for good (fonts)
    PurgeClosedMenuWindowAdapters();
    const long gdi = LiveGdiObjects();
    for (int i = 0; i < 60; ++i) ASSERT_TRUE(ShowPopup(tray.popup).seen);
    PurgeClosedMenuWindowAdapters();
    EXPECT_EQ(MenuWindowAdapterCount(), 0);
    EXPECT_EQ(LiveGdiObjects(), gdi);
}

// Saves the screen around an open popup of the program's own skin as a
// 32-bit BMP, for looking at: run with AD_MENU_SHOT (the BMP's path) and
// AD_MENU_SHOT_SKINS (the folder holding the built-in skin's Appdeck.asz).
TEST(SkinnedPopupMenus, ScreenshotOfTheBuiltInSkin) {
    const char* shot = std::getenv("AD_MENU_SHOT");
    const char* skins = std::getenv("AD_MENU_SHOT_SKINS");
    if (!shot || !skins) GTEST_SKIP() << "AD_MENU_SHOT and AD_MENU_SHOT_SKINS are not set";
    TSkinEngineLinks links;
    AddFormSkinningLinks(links);
    InstallSkinEngineLinks(links);
    {
        TSkinManager manager(nullptr);
        manager.Effects.AllowAnimation = false;
        manager.SetSkinDirectory(skins);
        manager.SetSkinName("Appdeck");
        ASSERT_NE(manager.Skin(), nullptr);
        TForm form(nullptr);
        form.SetBounds(40, 40, 420, 380);
        form.SetCaption("Appdeck");
        form.Show();
        ad::test::PumpPending();
        TPopupMenu popup(nullptr);
        popup.PopupComponent = &form;
        auto* games = popup.Items().Add("Games");
        games->Add("Chess");
        popup.Items().Add("-Tools-");
        popup.Items().Add("Notepad")->ShortCut = scCtrl | 'N';
        auto* calc = popup.Items().Add("Calculator");
        calc->Checked = true;
        popup.Items().Add("Paint")->Enabled = false;
        auto* radio = popup.Items().Add("Large icons");
        radio->RadioItem = true;
        radio->Checked = true;
        popup.Items().Add("-");
        popup.Items().Add("Exit")->Default = true;
        dynamic_cast<TSkinableMenus*>(manager.SkinableMenus())->SetMenuSkinned(&popup, true);
        TTimer timer(nullptr);
        timer.SetInterval(50);
        int ticks = 0;
        timer.OnTimer = [&](TObject*) {
            HWND wnd = OpenPopupWindow();
            ++ticks;
            if ((ticks == 4 || ticks == 5) && wnd) {
                ::PostMessageW(wnd, WM_KEYDOWN, VK_DOWN, 0);
                ::PostMessageW(wnd, WM_KEYUP, VK_DOWN, 0);
            }
            if (ticks < 10) return;
            if (wnd) {
                RECT r{};
                ::GetWindowRect(wnd, &r);
                RECT f{};
                ::GetWindowRect(form.Handle(), &f);
                const int left = std::min(r.left, f.left), top = std::min(r.top, f.top);
                const int w = std::max(r.right, f.right) - left, h = std::max(r.bottom, f.bottom) - top;
                DibSection32 dib(w, h);
                OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
                SelectObjectScope selected(dc.Get(), dib.Get());
                HDC screen = ::GetDC(nullptr);
                ::BitBlt(dc.Get(), 0, 0, w, h, screen, left, top, SRCCOPY);
                ::ReleaseDC(nullptr, screen);
                BITMAPINFOHEADER bih{};
                bih.biSize = sizeof bih;
                bih.biWidth = w;
                bih.biHeight = -h;
                bih.biPlanes = 1;
                bih.biBitCount = 32;
                std::vector<uint8_t> pixels(size_t(w) * size_t(h) * 4);
                ::GetDIBits(dc.Get(), dib.Get(), 0, UINT(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&bih),
                            DIB_RGB_COLORS);
                BITMAPFILEHEADER bfh{};
                bfh.bfType = 0x4D42;
                bfh.bfOffBits = sizeof bfh + sizeof bih;
                bfh.bfSize = DWORD(bfh.bfOffBits + pixels.size());
                std::ofstream out(shot, std::ios::binary);
                out.write(reinterpret_cast<const char*>(&bfh), sizeof bfh);
                out.write(reinterpret_cast<const char*>(&bih), sizeof bih);
                out.write(reinterpret_cast<const char*>(pixels.data()), std::streamsize(pixels.size()));
            }
            ::EndMenu();
        };
        popup.Popup(80, 90);
        form.Hide();
    }
    InstallSkinEngineLinks({});
}

}  // namespace
}  // namespace ad::skin::forms
