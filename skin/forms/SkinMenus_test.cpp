// The skinned menus: switching menus on and off, measuring with a fixed
// font and its cache, the extra line, and drawing items onto a memory DC.
#include "skin/forms/SkinMenus.h"

#include <gtest/gtest.h>

#include <optional>

#include "framework/Handles.h"
#include "skin/forms/SkinMenusTestKit.h"

namespace ad::skin::forms {
namespace {

using namespace test;

TEST(SkinableMenus, SwitchingAPopupInstallsAndRemovesOnlyTheSkinsHandlers) {
    TMenuSkinFixture fixture;
    TSkinableMenus& menus = fixture.Menus();
    TPopupMenu popup(nullptr);
    auto* plain = popup.Items().Add("Plain");
    auto* own = popup.Items().Add("Own");
    auto* sub = plain->Add("Sub");
    int ownDraws = 0;
    own->OnAdvancedDrawItem = [&](TObject*, TCanvas&, const TRect&, TOwnerDrawState) { ownDraws++; };

    menus.SetMenuSkinned(&popup, true);
    EXPECT_TRUE(popup.OwnerDraw);
    EXPECT_TRUE(popup.MenuAnimation & maNone);
    EXPECT_TRUE(TSkinableMenus::HasSkinHandlers(plain));
    EXPECT_TRUE(TSkinableMenus::HasSkinHandlers(sub));
    EXPECT_TRUE(own->OnMeasureItem);  // the skin measures it, its own event draws it

    menus.SetMenuSkinned(&popup, false);
    EXPECT_FALSE(popup.OwnerDraw);
    EXPECT_FALSE(popup.MenuAnimation & maNone);
    EXPECT_FALSE(plain->OnMeasureItem || plain->OnAdvancedDrawItem);
    EXPECT_FALSE(sub->OnAdvancedDrawItem);
    ASSERT_TRUE(own->OnAdvancedDrawItem);  // never the skin's to remove
    TCanvas canvas;
    own->OnAdvancedDrawItem(own, canvas, {}, 0);
    EXPECT_EQ(ownDraws, 1);

    // With skinned popups off a popup is switched on without owner drawing.
    fixture.Manager->SetSkinnedPopups(false);
    menus.SetMenuSkinned(&popup, true);
    EXPECT_FALSE(popup.OwnerDraw);
}

TEST(SkinableMenus, TheManagerSwitchesTheApplicationsMenusWithTheSkinAndSkinnedPopups) {
    TMenuSkinFixture fixture;
    TSkinableMenus& menus = fixture.Menus();
    EXPECT_TRUE(menus.Active());
    auto* popup = new TPopupMenu(Application);  // found through the application's components
    auto* item = popup->Items().Add("Item");
    menus.SyncActive();
    menus.SetActive(true);
    EXPECT_TRUE(popup->OwnerDraw);
    EXPECT_TRUE(TSkinableMenus::HasSkinHandlers(item));
    fixture.Manager->SetSkinnedPopups(false);
    EXPECT_FALSE(menus.Active());
    EXPECT_FALSE(popup->OwnerDraw);
    EXPECT_FALSE(TSkinableMenus::HasSkinHandlers(item));
    fixture.Manager->SetSkinnedPopups(true);
    EXPECT_TRUE(popup->OwnerDraw);
    fixture.Manager->SetActive(false);
    EXPECT_FALSE(menus.Active());
    EXPECT_FALSE(TSkinableMenus::HasSkinHandlers(item));
    delete popup;
}

// A fixed-pitch font as the menu font: sizes follow from the character width.
struct TFixedMenuFont {
    explicit TFixedMenuFont(TSkinManager& manager) {
        TFont font;
        font.SetName("Courier New");
        font.SetPitch(TFontPitch::fpFixed);
        font.SetHeight(-13);
        manager.MenuSupport.SetFont(font);
        OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
        SelectObjectScope selected(dc.Get(), manager.MenuSupport.MenuFontOverride()->Handle());
        TEXTMETRICW tm{};
        ::GetTextMetricsW(dc.Get(), &tm);
        CharWidth = tm.tmAveCharWidth;
        LineHeight = tm.tmHeight;
    }
    int CharWidth = 0, LineHeight = 0;
};

TEST(SkinableMenus, MeasuresItemsByKindWithTheMenuFont) {
    TMenuSkinFixture fixture;
    TSkinableMenus& menus = fixture.Menus();
    const TFixedMenuFont font(*fixture.Manager);
    ASSERT_GT(font.CharWidth, 0);
    TPopupMenu popup(nullptr);
    const int m = menus.Margin, s = menus.Spacing, cw = font.CharWidth, lh = font.LineHeight;
    auto* open = popup.Items().Add("Open");
    open->ShortCut = scCtrl | 'O';
    popup.Items().Add("-");
    popup.Items().Add("-Title-");
    auto* big = popup.Items().Add("Big");
    big->Bitmap = OwnedBitmap(::CreateBitmap(24, 30, 1, 32, nullptr));
    struct Case {
        int index;
        int width, height;
    } cases[] = {
        // "Open", a tab to the eighth column, "Ctrl+O"; two glyph widths, three margins and the spacing.
        {0, 14 * cw + 2 * 16 + 3 * m + s, std::max(lh, 16) + 2 * m + 2},
        {1, 1, 2},
        {2, 5 * cw, lh + 2 * m + 3},  // a caption item: the word without its hyphens
        {3, 3 * cw + 2 * 24 + 3 * m + s, std::max(lh, 30) + 2 * m + 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(popup.Items().Items(c.index)->Caption);
        int width = 0, height = 0;
        menus.MeasureItem(popup.Items().Items(c.index), width, height);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
    }
}

TEST(SkinableMenus, AnItemIsMeasuredOncePerTextAndFont) {
    TMenuSkinFixture fixture;
    TSkinableMenus& menus = fixture.Menus();
    TFixedMenuFont font(*fixture.Manager);
    TPopupMenu popup(nullptr);
    for (int i = 0; i < 50; ++i) popup.Items().Add("Program " + std::to_string(i));
    auto measureAll = [&] {
        for (int i = 0; i < popup.Items().Count(); ++i) {
            int w = 0, h = 0;
            menus.MeasureItem(popup.Items().Items(i), w, h);
        }
    };
    measureAll();
    const int first = menus.TextMeasureCount();
    EXPECT_EQ(first, 50);
    measureAll();
    measureAll();
    EXPECT_EQ(menus.TextMeasureCount(), first);  // answered from the cache
    popup.Items().Items(3)->Caption = "Renamed";
    measureAll();
    EXPECT_EQ(menus.TextMeasureCount(), first + 1);
    TFont bigger;
    bigger.SetHeight(-20);
    fixture.Manager->MenuSupport.SetFont(bigger);  // another font: every item again
    measureAll();
    EXPECT_EQ(menus.TextMeasureCount(), first + 1 + 50);
}

TEST(SkinableMenus, TheExtraLineIsAskedForUnlessTheFirstItemSelectsSkins) {
    TMenuSkinFixture fixture;
    TSkinableMenus& menus = fixture.Menus();
    fixture.Manager->MenuSupport.UseExtraLine = true;
    int asked = 0;
    fixture.Manager->OnGetMenuExtraLineData = [&](TMenuItem*, std::string&, std::string& caption, OwnedBitmap&,
                                                  bool&) {
        asked++;
        caption = "&Appdeck";
    };
    for (const char* firstName : {"Programs", "SkinSelectItem"}) {
        SCOPED_TRACE(firstName);
        menus.ClearMenuCache();
        asked = 0;
        TPopupMenu popup(nullptr);
        auto* first = popup.Items().Add("First");
        first->Name = firstName;
        int withLine = 0, h = 0;
        menus.MeasureItem(first, withLine, h);
        const bool line = std::string(firstName) != "SkinSelectItem";
        EXPECT_EQ(asked, line ? 1 : 0);
        TSkPopupCache* entry = menus.GetPopupCache(first, nullptr, false);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(menus.ExtraLineWidth(entry), line ? fixture.Manager->MenuSupport.ExtraLineWidth : 0);
        if (line) {
            EXPECT_EQ(entry->LineCaption, "Appdeck");
        }
        // The band widens the items of the first column only.
        fixture.Manager->MenuSupport.UseExtraLine = false;
        int without = 0;
        menus.MeasureItem(first, without, h);
        fixture.Manager->MenuSupport.UseExtraLine = true;
        EXPECT_EQ(withLine - without, line ? fixture.Manager->MenuSupport.ExtraLineWidth : 0);
    }
}

// An item drawn through the framework's owner-draw path onto a memory DC.
struct TDrawnItem {
    TDrawnItem(TMenuItem* item, UINT state, int width, int height) : dib(width, height), dc(::CreateCompatibleDC(nullptr)) {
        selected.emplace(dc.Get(), dib.Get());
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemState = state;
        dis.hDC = dc.Get();
        dis.rcItem = {0, 0, width, height};
        dis.itemData = reinterpret_cast<ULONG_PTR>(item);
        Taken = TMenuItem::HandleOwnerDrawMessage(WM_DRAWITEM, reinterpret_cast<LPARAM>(&dis));
    }
    TColor Pixel(int x, int y) const { return TColor(::GetPixel(dc.Get(), x, y)); }
    DibSection32 dib;
    OwnedMemoryDC dc;
    std::optional<SelectObjectScope> selected;
    bool Taken = false;
};

TEST(SkinableMenus, DrawsItemStatesCheckGlyphsAndDisabledItemsFromTheSkin) {
    TMenuSkinFixture fixture;
    TSkinableMenus& menus = fixture.Menus();
    TPopupMenu popup(nullptr);
    auto* checked = popup.Items().Add("Checked");
    checked->Checked = true;
    auto* disabled = popup.Items().Add("Disabled");
    disabled->Enabled = false;
    menus.SetMenuSkinned(&popup, true);
    int w = 0, h = 0;
    menus.MeasureItem(checked, w, h);
    const int checkX = menus.Margin + (16 - kCheckSize) / 2 + kCheckSize / 2, checkY = h / 2;
    struct Case {
        UINT state;
        TColor background, check;
    } cases[] = {{0, kItemNormal, kCheckNormal}, {ODS_SELECTED, kItemSelected, kCheckSelected}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        TDrawnItem drawn(checked, c.state, w, h);
        ASSERT_TRUE(drawn.Taken);
        EXPECT_EQ(drawn.Pixel(w - 2, h / 2), c.background);  // right of the text and the shortcut
        EXPECT_EQ(drawn.Pixel(checkX, checkY), c.check);
        // Text leaves no see-through pixels (a layered popup would show what lies behind).
        ::GdiFlush();
        size_t clear = 0;
        for (size_t i = 0; i < drawn.dib.PixelCount(); ++i) clear += (drawn.dib.Bits()[i] >> 24) != 0xFF;
        EXPECT_EQ(clear, 0u);
    }
    // A disabled item is blended towards the frame's pixels under it.
    TDrawnItem grey(disabled, ODS_GRAYED, w, h);
    const TColor px = grey.Pixel(w - 2, h / 2);
    EXPECT_NE(px, kItemNormal);
    EXPECT_EQ(px & 0xFF, ((kItemNormal & 0xFF) * 100 + (kMenuFrame & 0xFF) * 156) >> 8);
    EXPECT_EQ(menus.PopupCacheCount(), 1);  // one frame for the popup, keyed by its first item
}

TEST(SkinableMenus, SeparatorsAndCaptionItemsTakeTheirSections) {
    TMenuSkinFixture fixture;
    TSkinableMenus& menus = fixture.Menus();
    TPopupMenu popup(nullptr);
    auto* line = popup.Items().Add("-");
    auto* caption = popup.Items().Add("-Games-");
    menus.SetMenuSkinned(&popup, true);
    const int w = 120;
    TDrawnItem separator(line, 0, w, 2);
    EXPECT_EQ(separator.Pixel(w - menus.Margin - 1, 0), kDivider);
    EXPECT_NE(separator.Pixel(w - menus.Margin - 1, 1), kDivider);
    TDrawnItem title(caption, 0, w, 20);
    EXPECT_EQ(title.Pixel(2, 2), kCaptionItem);
}

}  // namespace
}  // namespace ad::skin::forms
