// Popup-menu windows of skinned menus: the adapter, the region and alpha of
// an open popup, what one drawn by the system keeps, and nothing left behind.
#include "skin/forms/SkMnuWnd.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ad::skin::forms
