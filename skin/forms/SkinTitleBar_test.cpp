// The title bar component alone (measurement, layout by alignment, tabs,
// clicks, drop-downs, change notices) and on a skinned form (hit codes,
// clicks through the non-client messages, the caption beside the items).
#include <gtest/gtest.h>

#include <cstring>

#include "framework/WindowSubclass.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/forms/SkinFormsTestKit.h"
#include "skin/forms/SkinStretch.h"
#include "skin/forms/SkinTitleBar.h"
#include "skin/engine/win/SkinText.h"

namespace ad::skin::forms {
namespace {

using namespace test;

// An item of fixed size (no auto-size).
TSkTitleBarItem* FixedItem(TSkinTitleBar& bar, TSkItemAlign align, int width, int height = 18,
                           TSkBtnStyle style = bsButton) {
    TSkTitleBarItem* item = bar.AddItem();
    item->SetAutoSize(false);
    item->SetStyle(style);
    item->SetAlign(align);
    item->SetWidth(width);
    item->SetHeight(height);
    return item;
}

TEST(SkinTitleBar, OnAnythingButAFormItAborts) {
    TComponent owner(nullptr);
    try {
        TSkinTitleBar bar(&owner);
        FAIL() << "no exception";
    } catch (const EAbort& e) {
        EXPECT_STREQ(e.what(), "TSkinTitleBar component may be used with forms only!");
    }
}

TEST(SkinTitleBar, AutoSizeIsTwiceTheMarginAroundTheContentAndAtLeast16) {
    struct Case {
        TSkBtnStyle style;
        TSize content;
        int margin;
        TSize expected;
    } cases[] = {
        {bsButton, {0, 0}, 3, {16, 16}},   // empty
        {bsButton, {30, 13}, 3, {36, 19}},
        {bsMenu, {30, 13}, 3, {44, 19}},   // the menu button's extra 4 on each side
        {bsTab, {8, 8}, 3, {16, 16}},
        {bsButton, {30, 13}, 0, {30, 16}},
    };
    for (const Case& c : cases) {
        const TSize size = AutoSizeOfItem(c.style, c.content, c.margin);
        EXPECT_EQ(size.cx, c.expected.cx) << c.style << " " << c.content.cx;
        EXPECT_EQ(size.cy, c.expected.cy) << c.style << " " << c.content.cy;
    }

    TForm form(nullptr);
    TSkinTitleBar bar(&form);
    TSkTitleBarItem* empty = bar.AddItem();
    EXPECT_EQ(empty->Width(), 16);
    EXPECT_EQ(empty->Height(), 16);

    // A caption: its text width in the item's font plus the margins; a tab adds 4.
    TSkTitleBarItem* text = bar.AddItem();
    text->SetCaption("Settings");
    const TSize measured = MeasureFontText(text->FontData.UsedFont(100), "Settings", DT_SINGLELINE | DT_NOPREFIX, 0, false);
    EXPECT_EQ(text->Width(), std::max(16, 6 + measured.cx));
    EXPECT_EQ(text->Height(), std::max(16, 6 + measured.cy));
    text->SetStyle(bsTab);
    EXPECT_EQ(text->Width(), std::max(16, 6 + measured.cx + 4));
    EXPECT_EQ(text->Height(), std::max(16, 6 + measured.cy + 1));

    // A glyph of three frames counts one frame's width, then the spacing before the text.
    auto glyph = std::make_shared<TBitmap32>(3 * 12, 10);
    text->SetStyle(bsButton);
    text->SetGlyph(glyph);
    text->SetNumGlyphs(3);
    EXPECT_EQ(text->Width(), 6 + 12 + 4 + measured.cx);

    // A hidden item keeps its size; a spacer is never resized.
    TSkTitleBarItem* spacer = FixedItem(bar, tbaLeft, 40, 18, bsSpacing);
    spacer->SetAutoSize(true);
    EXPECT_EQ(spacer->Width(), 40);
}

TEST(SkinTitleBar, ItemsAreLaidOutPerAlignmentGroup) {
    TForm form(nullptr);
    TSkinTitleBar bar(&form);
    bar.RightSpacing = 5;
    TSkTitleBarItem* l1 = FixedItem(bar, tbaLeft, 20);
    TSkTitleBarItem* r1 = FixedItem(bar, tbaRight, 30);
    TSkTitleBarItem* c1 = FixedItem(bar, tbaCenter, 40);
    TSkTitleBarItem* l2 = FixedItem(bar, tbaLeft, 25, 20, bsMenu);
    TSkTitleBarItem* s1 = FixedItem(bar, tbaCenterInSpace, 10, 12, bsTab);
    TSkTitleBarItem* r2 = FixedItem(bar, tbaRight, 15, 16, bsInfo);
    TSkTitleBarItem* hidden = FixedItem(bar, tbaLeft, 50);
    hidden->SetVisible(false);

    TSkTitleBarArea area;
    area.Left = 30;
    area.Right = 250;
    area.Top = 2;
    area.Bottom = 28;
    area.CentreY = 15;
    area.TitleWidth = 300;
    bar.ArrangeItems(area);

    // Left group from the left edge; right group ends RightSpacing before the
    // right edge; the centre group is centred between the left edge and the
    // title's width; centre-in-space takes the middle of what the left and
    // right groups leave. Vertically: buttons and infos centred, menus at the
    // top, tabs at the bottom.
    const int rightSum = 5 + 30 + 15;
    const int space = (250 - rightSum) - (30 + 45);
    struct Row {
        TSkTitleBarItem* item;
        TRect expected;
    } rows[] = {
        {l1, {30, 15 - 9, 50, 15 + 9}},
        {l2, {50, 2, 75, 22}},
        {r1, {250 - rightSum, 6, 250 - rightSum + 30, 24}},
        {r2, {250 - rightSum + 30, 7, 250 - rightSum + 45, 23}},
        {c1, {30 + (300 - 30 - 40) / 2, 6, 30 + (300 - 30 - 40) / 2 + 40, 24}},
        {s1, {75 + (space - 10) / 2, 16, 75 + (space - 10) / 2 + 10, 28}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.item->Rect.Left, row.expected.Left) << row.item->Index();
        EXPECT_EQ(row.item->Rect.Top, row.expected.Top) << row.item->Index();
        EXPECT_EQ(row.item->Rect.Right, row.expected.Right) << row.item->Index();
        EXPECT_EQ(row.item->Rect.Bottom, row.expected.Bottom) << row.item->Index();
    }
    EXPECT_TRUE(IsEmpty(hidden->Rect));
}

TEST(SkinTitleBar, ATabDownReleasesTheRestOfItsGroupOnly) {
    TForm form(nullptr);
    TSkinTitleBar bar(&form);
    TSkTitleBarItem* a = FixedItem(bar, tbaLeft, 20, 18, bsTab);
    TSkTitleBarItem* b = FixedItem(bar, tbaLeft, 20, 18, bsTab);
    TSkTitleBarItem* other = FixedItem(bar, tbaLeft, 20, 18, bsTab);
    a->GroupIndex = b->GroupIndex = 1;
    other->GroupIndex = 2;
    a->SetDown(true);
    other->SetDown(true);
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(b->Down());
    EXPECT_TRUE(other->Down());
    EXPECT_EQ(b->State(), 2);
    EXPECT_EQ(a->State(), 0);

    // Pressing a tab does the same, and its release is no click.
    int clicks = 0;
    a->OnClick = [&](TObject*) { ++clicks; };
    bar.ItemMouseDown(*a, TMouseButton::mbLeft, {}, {});
    EXPECT_TRUE(a->Down());
    EXPECT_FALSE(b->Down());
    EXPECT_TRUE(other->Down());
    bar.ItemMouseUp(*a, TMouseButton::mbLeft, {});
    EXPECT_EQ(clicks, 0);
}

TEST(SkinTitleBar, OnlyALeftReleaseAfterALeftPressClicks) {
    TForm form(nullptr);
    TSkinTitleBar bar(&form);
    TSkTitleBarItem* item = FixedItem(bar, tbaLeft, 20);
    std::vector<std::string> events;
    item->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, item);
        events.push_back("click");
    };
    item->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int, int) {
        events.push_back(b == TMouseButton::mbRight ? "rdown" : "down");
    };
    item->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int, int) {
        events.push_back(b == TMouseButton::mbRight ? "rup" : "up");
    };

    bar.ItemMouseDown(*item, TMouseButton::mbRight, {}, {});
    bar.ItemMouseUp(*item, TMouseButton::mbRight, {});
    bar.ItemMouseUp(*item, TMouseButton::mbLeft, {});  // no press before
    bar.ItemMouseDown(*item, TMouseButton::mbLeft, {}, {});
    bar.ItemMouseDown(*item, TMouseButton::mbLeft, {}, {});  // already pressed: nothing
    bar.ItemMouseUp(*item, TMouseButton::mbRight, {});       // a right release keeps the press
    bar.ItemMouseUp(*item, TMouseButton::mbLeft, {});
    EXPECT_EQ(events, (std::vector<std::string>{"rdown", "rup", "up", "down", "rup", "up", "click"}));
    EXPECT_EQ(item->MouseState, 1);

    events.clear();
    item->SetEnabled(false);
    bar.ItemMouseDown(*item, TMouseButton::mbLeft, {}, {});
    bar.ItemMouseUp(*item, TMouseButton::mbLeft, {});
    EXPECT_TRUE(events.empty());
}

TEST(SkinTitleBar, ADropDownOpensAtTheItemsBottomLeftThenClicks) {
    TForm form(nullptr);
    TSkinTitleBar bar(&form);
    TSkTitleBarItem* item = FixedItem(bar, tbaLeft, 40, 20, bsMenu);
    TPopupMenu menu(&form);
    item->DropdownMenu = &menu;
    item->Rect = {50, 4, 90, 24};
    std::vector<TPoint> opened;
    int clicks = 0, shownDuringPopup = 0;
    item->OnClick = [&](TObject*) { ++clicks; };
    TSkinTitleBar::PopupSeam = [&](TPopupMenu& m, TPoint at) {
        EXPECT_EQ(&m, &menu);
        EXPECT_EQ(m.PopupComponent, &form);
        shownDuringPopup = item->State();
        opened.push_back(at);
    };
    // An empty menu does not open.
    bar.ItemMouseDown(*item, TMouseButton::mbLeft, {}, {100, 200});
    bar.ItemMouseUp(*item, TMouseButton::mbLeft, {});
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(clicks, 1);

    menu.Items().Add("First");
    bar.ItemMouseDown(*item, TMouseButton::mbLeft, {}, {100, 200});
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], (TPoint{150, 224}));
    EXPECT_EQ(shownDuringPopup, 2);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(item->MenuShown);
    bar.ItemMouseUp(*item, TMouseButton::mbLeft, {});  // the press ended with the menu
    EXPECT_EQ(clicks, 2);
    TSkinTitleBar::PopupSeam = nullptr;
}

TEST(SkinTitleBar, ScalingScalesFontsSpacingsAndFixedSizes) {
    TForm form(nullptr);
    TSkinTitleBar bar(&form);
    TSkTitleBarItem* fixed = FixedItem(bar, tbaLeft, 40, 20);
    fixed->FontData.Font.SetHeight(-12);
    TSkTitleBarItem* text = bar.AddItem();
    text->SetCaption("Scaled");
    const int before = text->Width();
    bar.ScaleItems(150);
    EXPECT_EQ(bar.ScalePercent(), 150);
    EXPECT_EQ(fixed->Width(), 60);
    EXPECT_EQ(fixed->Height(), 30);
    EXPECT_EQ(fixed->Spacing(), 6);
    EXPECT_EQ(fixed->FontData.Font.Height(), -18);
    EXPECT_GT(text->Width(), before);  // re-measured in the larger system font
    bar.ScaleItems(100);
    EXPECT_EQ(fixed->Width(), 40);
    EXPECT_EQ(text->Width(), before);
}

TEST(SkinTitleBar, ChangesAreToldToTheFormOncePerUpdate) {
    TForm form(nullptr);
    form.Tag = kNoSkinTag;
    form.SetBounds(0, 0, 200, 100);
    HWND wnd = form.Handle();
    int notices = 0;
    TWindowSubclass spy(wnd, [&](TMessage& m) {
        if (m.Msg == SKM_SKINCMD && SkinCommandOf(m.WParam) == SKC_TITLEBARCHANGED && m.LParam == 1) ++notices;
        return false;
    });
    TSkinTitleBar bar(&form);
    TSkTitleBarItem* item = bar.AddItem();
    EXPECT_EQ(notices, 1);
    item->SetCaption("A");
    item->SetCaption("A");  // unchanged: no notice
    item->FontData.SetGlowSize(3);
    EXPECT_EQ(notices, 3);
    bar.BeginUpdate();
    item->SetCaption("B");
    item->SetWidth(50);
    bar.SetShowCaption(false);
    EXPECT_EQ(notices, 3);
    bar.EndUpdate();
    EXPECT_EQ(notices, 4);
}

TEST(SkinTitleBar, NineGridKeepsCornersStretchesTheRestAndSkipsTheKey) {
    // A 6 x 6 source: corners 2 x 2 in colour 1..4, edges 5, centre 6; one key pixel in the centre.
    TBitmap32 source(6, 6);
    const TImageView32 s = source.View();
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const int col = x < 2 ? 0 : x < 4 ? 1 : 2, row = y < 2 ? 0 : y < 4 ? 1 : 2;
            uint32_t value = (col != 1 && row != 1) ? uint32_t(1 + (row / 2) * 2 + col / 2) : (col == 1 && row == 1) ? 6u : 5u;
            if (x == 2 && y == 2) value = 0xFF00FF;
            std::memcpy(s.Pixel(x, y), &value, 4);
        }
    TBitmap32 target(20, 12);
    const TImageView32 t = target.View();
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x) {
            const uint32_t bg = 0x77;
            std::memcpy(t.Pixel(x, y), &bg, 4);
        }
    StretchNineGridKeyed(t, s, {1, 1, 19, 11}, 2, 2, 2, 2, {0, 0, 6, 6});
    auto at = [&](int x, int y) {
        uint32_t v;
        std::memcpy(&v, t.Pixel(x, y), 4);
        return v;
    };
    EXPECT_EQ(at(0, 0), 0x77u);   // outside
    EXPECT_EQ(at(1, 1), 1u);      // top-left corner
    EXPECT_EQ(at(18, 1), 2u);     // top-right
    EXPECT_EQ(at(1, 10), 3u);     // bottom-left
    EXPECT_EQ(at(18, 10), 4u);    // bottom-right
    EXPECT_EQ(at(10, 1), 5u);     // top edge stretched
    EXPECT_EQ(at(1, 6), 5u);      // left edge
    EXPECT_EQ(at(15, 8), 6u);     // centre
    EXPECT_EQ(at(3, 3), 0x77u);   // the key pixel's stretch left the background
    // Borders wider than the source's own rectangle stay inside the source.
    StretchNineGridKeyed(t, s, {0, 0, 20, 12}, 9, 9, 9, 9, {0, 0, 6, 6});
}

// ---- On a skinned form ----

struct TBarForm {
    TBarForm() {
        bar = new TSkinTitleBar(skinned.form.get());
        button = FixedItem(*bar, tbaLeft, 30, 18);
        info = FixedItem(*bar, tbaLeft, 30, 18, bsInfo);
        off = FixedItem(*bar, tbaLeft, 30, 18);
        off->SetEnabled(false);
        skinned.PaintFrame();
        ad::test::PumpPending();
    }
    // Screen point of the centre of an item.
    LPARAM Centre(const TSkTitleBarItem& item) const {
        return ScreenPoint(skinned.wnd, (item.Rect.Left + item.Rect.Right) / 2, (item.Rect.Top + item.Rect.Bottom) / 2);
    }
    TSkinnedForm skinned;
    TSkinTitleBar* bar;
    TSkTitleBarItem* button;
    TSkTitleBarItem* info;
    TSkTitleBarItem* off;
};

TEST(SkinTitleBarOnForm, ItemsAnswerTheirHitCodesAndClickThroughTheNonClientMessages) {
    TBarForm f;
    ASSERT_NE(f.skinned.provider, nullptr);
    EXPECT_EQ(f.skinned.provider->TitleBar(), f.bar);
    HWND wnd = f.skinned.wnd;
    ASSERT_FALSE(IsEmpty(f.button->Rect));
    // The items start after the icon and lie on the title's centre line.
    EXPECT_GE(f.button->Rect.Left, f.skinned.provider->IconRect().Right);
    EXPECT_EQ(f.button->Rect.Top, f.skinned.provider->TitleCentreY() - 9);
    EXPECT_EQ(::SendMessageW(wnd, WM_NCHITTEST, 0, f.Centre(*f.button)), kHitTitleBarItem + 0);
    EXPECT_EQ(::SendMessageW(wnd, WM_NCHITTEST, 0, f.Centre(*f.info)), HTCAPTION);  // never hit
    EXPECT_EQ(::SendMessageW(wnd, WM_NCHITTEST, 0, f.Centre(*f.off)), HTCAPTION);   // disabled

    int clicks = 0, enters = 0, leaves = 0;
    f.button->OnClick = [&](TObject*) { ++clicks; };
    f.button->OnMouseEnter = [&](TObject*) { ++enters; };
    f.button->OnMouseLeave = [&](TObject*) { ++leaves; };
    ::SendMessageW(wnd, WM_NCMOUSEMOVE, kHitTitleBarItem, f.Centre(*f.button));
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(f.button->MouseState, 1);
    ::SendMessageW(wnd, WM_NCRBUTTONDOWN, kHitTitleBarItem, f.Centre(*f.button));
    ::SendMessageW(wnd, WM_NCRBUTTONUP, kHitTitleBarItem, f.Centre(*f.button));
    EXPECT_EQ(clicks, 0);
    ::SendMessageW(wnd, WM_NCLBUTTONDOWN, kHitTitleBarItem, f.Centre(*f.button));
    EXPECT_TRUE(f.button->Pressed);
    EXPECT_TRUE(f.skinned.provider->ElementPressed());
    ::SendMessageW(wnd, WM_NCLBUTTONUP, kHitTitleBarItem, f.Centre(*f.button));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(f.button->Pressed);
    EXPECT_GE(leaves, 1);

    // A release away from the item after a press on it is no click.
    ::SendMessageW(wnd, WM_NCLBUTTONDOWN, kHitTitleBarItem, f.Centre(*f.button));
    ::SendMessageW(wnd, WM_NCLBUTTONUP, HTCAPTION, ScreenPoint(wnd, f.skinned.form->Width() / 2, 8));
    EXPECT_EQ(clicks, 1);
}

// A hint window that only records what it shows.
std::vector<std::string> gShownHints;
class TRecordingHint : public TAppHintWindow {
public:
    TRect CalcHintRect(int, const std::string&, void*) override { return {0, 0, 60, 18}; }
    void ActivateHintData(const TRect&, const std::string& hint, void*) override { gShownHints.push_back(hint); }
    void ReleaseHint() override {}
    HWND WindowHandle() override { return nullptr; }
};

TEST(SkinTitleBarOnForm, AnItemsHintShowsWhileItIsHot) {
    TBarForm f;
    TSkinProvider* provider = f.skinned.provider;
    ASSERT_NE(provider, nullptr);
    f.button->Hint = "Go back";
    gShownHints.clear();
    const THintWindowClass hintClass = Application->HintWindowClass;
    Application->HintWindowClass = [] { return std::unique_ptr<TAppHintWindow>(new TRecordingHint); };
    const int pause = Application->HintPause;
    Application->HintPause = 0;  // at once
    ::SendMessageW(f.skinned.wnd, WM_NCMOUSEMOVE, kHitTitleBarItem, f.Centre(*f.button));
    EXPECT_NE(provider->TitleItemHint(), nullptr);
    ::SendMessageW(f.skinned.wnd, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(f.skinned.wnd, f.skinned.form->Width() / 2, 8));
    EXPECT_EQ(provider->TitleItemHint(), nullptr);
    // With a pause, not at once.
    Application->HintPause = 500;
    ::SendMessageW(f.skinned.wnd, WM_NCMOUSEMOVE, kHitTitleBarItem, f.Centre(*f.button));
    EXPECT_EQ(provider->TitleItemHint(), nullptr);
    // An item without a hint shows none.
    ::SendMessageW(f.skinned.wnd, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(f.skinned.wnd, f.skinned.form->Width() / 2, 8));
    Application->HintPause = 0;
    f.off->SetEnabled(true);
    f.skinned.PaintFrame();
    ::SendMessageW(f.skinned.wnd, WM_NCMOUSEMOVE, kHitTitleBarItem + 2, f.Centre(*f.off));
    EXPECT_EQ(provider->TitleItemHint(), nullptr);
    EXPECT_EQ(gShownHints, std::vector<std::string>{"Go back"});
    Application->HintPause = pause;
    Application->HintWindowClass = hintClass;
}

TEST(SkinTitleBarOnForm, TheCaptionStartsAfterTheLeftItemsAndTheBarIsForgottenWhenFreed) {
    TBarForm f;
    TSkinProvider* provider = f.skinned.provider;
    ASSERT_NE(provider, nullptr);
    EXPECT_GE(provider->TitleBarTextLeft(), f.off->Rect.Right + 8);
    // A button is painted in its section's colour; a disabled one at half strength over the title.
    f.button->SetCaption("Back");
    f.button->SetAutoSize(true);
    f.off->SetCaption("Off");
    f.skinned.PaintFrame();
    ad::test::PumpPending();
    const TImageView32 image = provider->SkinData->CacheImage->View();
    auto pixel = [&](const TSkTitleBarItem& item) {
        return TColor(GetPixel32(image, item.Rect.Left + 1, item.Rect.Top + 1) & 0xFFFFFF);
    };
    EXPECT_EQ(uint32_t(pixel(*f.button)), uint32_t(SwapRedBlue(kTitleItemColor)));
    EXPECT_NE(uint32_t(pixel(*f.off)), uint32_t(SwapRedBlue(kTitleItemColor)));
    ::SendMessageW(f.skinned.wnd, WM_NCMOUSEMOVE, kHitTitleBarItem, f.Centre(*f.button));
    ad::test::PumpPending();
    EXPECT_EQ(uint32_t(pixel(*f.button)), uint32_t(SwapRedBlue(kTitleItemHotColor)));
    ad::test::SaveScreenshot(f.skinned.wnd, "titlebar_items");
    const LPARAM onButton = f.Centre(*f.button);
    delete f.bar;
    EXPECT_EQ(provider->TitleBar(), nullptr);
    EXPECT_EQ(::SendMessageW(f.skinned.wnd, WM_NCHITTEST, 0, onButton), HTCAPTION);
}

}  // namespace
}  // namespace ad::skin::forms
