// Combo adapters: the button's place by combo style, its state while the
// list is open, one list adapter per combo freed with it, and colour
// replies and open/close cycles that leave no GDI object behind.
#include "skin/adapters/SkComboWnds.h"

#include <gtest/gtest.h>

#include "base/Color.h"
#include "framework/Forms.h"
#include "framework/Messages.h"
#include "framework/PrintTestKit.h"
#include "framework/StdCtrls.h"
#include "skin/adapters/ItemViewTestKit.h"
#include "skin/engine/win/SkinMessaging.h"
#include "testsupport/GuiTest.h"

namespace ad::skin::adapters {
namespace {

using namespace test;
using ad::test::PrintInto;

TSkAdapterPtr<TSkComboBoxWnd> Attach(HWND wnd, TSkinManager& manager) {
    return TSkMainWnd::Create<TSkComboBoxWnd>(wnd, nullptr, &manager, TSkSkinParams{});
}

HWND ListOf(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ::GetComboBoxInfo(combo, &info);
    return info.hwndList;
}

SIZE WindowSize(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// What draw() paints into a width x height DIB section.
template <class F>
ad::test::TPrintedImage DrawInto(int width, int height, F draw) {
    ad::test::TPrintedImage image{width, height, {}};
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    DibSection32 bitmap(width, height);
    {
        SelectObjectScope select(dc.Get(), bitmap.Get());
        draw(dc.Get());
        ::GdiFlush();
    }
    image.Pixels.assign(bitmap.Bits(), bitmap.Bits() + bitmap.PixelCount());
    return image;
}

void Drop(HWND combo, bool open) {
    ::SendMessageW(combo, CB_SHOWDROPDOWN, open ? TRUE : FALSE, 0);
    ::UpdateWindow(ListOf(combo));
}

// A drop-down list combo of five items on a host, adapted with the fixture skin.
struct TDropDownCombo {
    TAdapterSkinFixture skin{ItemViewSkin()};
    THostWindow host;
    HWND combo = AddChild(host.Handle(), WC_COMBOBOXW, CBS_DROPDOWNLIST, 10, 10, 160, 150);
    TSkAdapterPtr<TSkComboBoxWnd> adapter;
    TDropDownCombo() {
        AddComboItems(combo, 5);
        adapter = Attach(combo, skin.Manager);
    }
};

TEST(SkComboBoxWnd, TheButtonLiesInsideTheMarginAndASimpleComboHasNone) {
    TAdapterSkinFixture skin{ItemViewSkin()};
    THostWindow host;
    const int margin = skin.Manager.Skin()->GlobalInfo.ComboMargin;
    const int width = skin.Manager.EffectiveScrollWidth() + 2;
    struct Case {
        const char* name;
        DWORD style;
        DWORD exStyle;
        int buttonWidth;
        bool atLeft;
    };
    const Case cases[] = {
        {"drop-down list", CBS_DROPDOWNLIST, 0, width, false},
        {"drop-down", CBS_DROPDOWN, 0, width, false},
        {"right-to-left reading", CBS_DROPDOWNLIST, WS_EX_RTLREADING, width, true},
        {"simple", CBS_SIMPLE, 0, 0, false},
    };
    for (const Case& c : cases) {
        HWND combo = AddChild(host.Handle(), WC_COMBOBOXW, c.style, 10, 10, 160, 120);
        ::SetWindowLongPtrW(combo, GWL_EXSTYLE, ::GetWindowLongPtrW(combo, GWL_EXSTYLE) | c.exStyle);
        auto adapter = Attach(combo, skin.Manager);
        const SIZE size = WindowSize(combo);
        const TRect button = adapter->ButtonRect();
        EXPECT_EQ(button.Width(), c.buttonWidth) << c.name;
        EXPECT_EQ(button.Top, margin) << c.name;
        EXPECT_EQ(button.Bottom, size.cy - margin) << c.name;
        EXPECT_EQ(button.Left, c.atLeft ? margin : size.cx - c.buttonWidth - margin) << c.name;
        adapter.reset();
        ::DestroyWindow(combo);
    }
}

TEST(SkComboBoxWnd, TheButtonIsDrawnPressedExactlyWhileTheListIsOpen) {
    TDropDownCombo f;
    HWND combo = f.combo;
    TSkComboBoxWnd* adapter = f.adapter.get();
    const SIZE size = WindowSize(combo);
    const TRect button = adapter->ButtonRect();
    // Left of the glyph, which sits in the middle.
    auto buttonPixel = [&] {
        const auto image = PrintInto(combo, WM_PRINT, PRF_CLIENT | PRF_NONCLIENT, size.cx, size.cy);
        return image.At(button.Left + 2, button.Top + 2);
    };
    EXPECT_EQ(adapter->ButtonState(), 0);
    EXPECT_EQ(buttonPixel(), kComboBtnNormal);
    Drop(combo, true);
    EXPECT_EQ(adapter->ButtonState(), 2);
    EXPECT_EQ(buttonPixel(), kComboBtnPressed);
    Drop(combo, false);
    EXPECT_EQ(adapter->ButtonState(), 0);
    EXPECT_EQ(buttonPixel(), kComboBtnNormal);
    // The face from the combo's section, the glyph in the button's font colour.
    const auto image = PrintInto(combo, WM_PRINT, PRF_CLIENT | PRF_NONCLIENT, size.cx, size.cy);
    EXPECT_EQ(image.At(button.Left - 4, size.cy - 5), kComboColor);
    int glyph = 0;
    for (int y = button.Top; y < button.Bottom; ++y)
        for (int x = button.Left; x < button.Right; ++x) glyph += image.At(x, y) == kComboBtnInk;
    EXPECT_GT(glyph, 0);
}

// A skin whose combo section has a framed mask with key-coloured corners.
std::vector<uint8_t> MaskedComboSkin() {
    constexpr int side = 12, border = 4;
    std::vector<uint32_t> frame(size_t(side * side));
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const bool corner = (x < 2 || x >= side - 2) && (y < 2 || y >= side - 2);
            const bool edge = x < border || x >= side - border || y < border || y >= side - border;
            frame[size_t(y * side + x)] = corner ? 0xFF00FFu : edge ? 0x808080u : 0xFFFFFFu;
        }
    const std::string ini = "[GLOBALINFO]\r\nVERSION=10\r\nCOLOR=12632256\r\nMASTERBITMAP=M.BMP\r\n"
                            "[COMBOBOX]\r\nSTATES=1\r\nCOLOR=" + std::to_string(kComboColor) +
                            "\r\nBORDERSMASK=!CF.BMP!1!0!0!4!4!4!4\r\n";
    return asztest::Pack({{"OPTIONS.DAT", asztest::Text(ini)},
                          {"M.BMP", bmptest::SolidBmp(4, 4, 0x336699)},
                          {"CF.BMP", bmptest::Bmp(side, side, frame)}});
}

TEST(SkComboBoxWnd, TheMasksKeyCornersShowWhatLiesUnderTheCombo) {
    TAdapterSkinFixture skin{MaskedComboSkin()};
    THostWindow host;
    HWND combo = AddChild(host.Handle(), WC_COMBOBOXW, CBS_DROPDOWNLIST, 10, 10, 160, 150);
    auto adapter = Attach(combo, skin.Manager);
    const SIZE size = WindowSize(combo);
    const auto image = PrintInto(combo, WM_PRINT, PRF_CLIENT | PRF_NONCLIENT, size.cx, size.cy);
    const COLORREF under = ColorToRGB(GetWindowParentBgRef(combo).FillColor);
    const POINT corners[] = {{0, 0}, {size.cx - 1, 0}, {0, size.cy - 1}, {size.cx - 1, size.cy - 1}};
    for (const POINT& p : corners) {
        EXPECT_NE(image.At(p.x, p.y), RGB(255, 0, 255)) << p.x << "," << p.y;
        EXPECT_EQ(image.At(p.x, p.y), under) << p.x << "," << p.y;
    }
    EXPECT_EQ(image.At(4, 1), RGB(0x80, 0x80, 0x80));  // the frame itself
}

TEST(SkComboBoxWnd, AComboOfAnotherProgramShowsItsSelectedTextInTheSectionsFontColour) {
    TAdapterSkinFixture skin{ItemViewSkin()};
    THostWindow host;
    struct Case {
        const char* name;
        int selected;
        bool ink;
    };
    for (const Case& c : {Case{"an item selected", 2, true}, Case{"nothing selected", -1, false}}) {
        HWND combo = AddChild(host.Handle(), WC_COMBOBOXW, CBS_DROPDOWNLIST, 10, 10, 160, 150);
        AddComboItems(combo, 5);
        ::SendMessageW(combo, CB_SETCURSEL, WPARAM(c.selected), 0);
        auto adapter = Attach(combo, skin.Manager);
        const SIZE size = WindowSize(combo);
        const auto image = PrintInto(combo, WM_PRINT, PRF_CLIENT | PRF_NONCLIENT, size.cx, size.cy);
        int ink = 0;
        for (int y = 3; y < size.cy - 3; ++y)
            for (int x = 3; x < adapter->ButtonRect().Left; ++x) ink += image.At(x, y) == kEditInk;
        EXPECT_EQ(ink > 0, c.ink) << c.name;
        adapter.reset();
        ::DestroyWindow(combo);
    }
}

// A form holding a class-library drop-down list combo of three items.
struct TLibraryCombo {
    TLibraryCombo() {
        form->SetBounds(60, 60, 300, 200);
        combo = new TComboBox(form.get());
        combo->Style = TComboBoxStyle::csDropDownList;
        combo->SetParent(form.get());
        combo->SetBounds(10, 10, 160, 24);
        for (const char* item : {"One", "Two", "Three"}) combo->Items().Add(item);
    }
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TComboBox* combo = nullptr;
};

TEST(SkComboBoxWnd, TheClassLibrarysComboPaintsASelectedItemOnTheSelectionSection) {
    TAdapterSkinFixture skin{ItemViewSkin()};
    TLibraryCombo f;
    TComboBox* combo = f.combo;
    TSkSkinParams params;
    params.Control = combo;
    auto adapter = TSkMainWnd::Create<TSkComboBoxWnd>(combo->Handle(), nullptr, &skin.Manager, params);
    ::SendMessageW(combo->Handle(), SKM_SKINCMD, SkinCommandWParam(SKC_SKINREFRESH),
                   reinterpret_cast<LPARAM>(&skin.Manager));
    struct Case {
        const char* name;
        UINT state;
        TColor background;
    };
    const Case cases[] = {{"selected", ODS_SELECTED, kSelectionColor}, {"not selected", 0, kComboColor}};
    for (const Case& c : cases) {
        const int w = 120, h = 18;
        const auto image = DrawInto(w, h, [&](HDC dc) {
            DRAWITEMSTRUCT item{};
            item.CtlType = ODT_COMBOBOX;
            item.itemID = 1;
            item.itemState = c.state;
            item.hDC = dc;
            item.rcItem = {0, 0, w, h};
            ::SendMessageW(combo->Handle(), CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
        });
        EXPECT_EQ(image.At(w - 3, h / 2), c.background) << c.name;
        int text = 0;
        for (int x = 0; x < w / 2; ++x) text += image.At(x, h / 2) != COLORREF(c.background);
        EXPECT_GT(text, 0) << c.name << ": the item's text";
    }
}

TEST(SkComboBoxWnd, TheClassLibrarysComboTakesTheFocusedColoursWhileItHasTheFocus) {
    TAdapterSkinFixture skin{ItemViewSkin()};
    TLibraryCombo f;
    TForm* form = f.form.get();
    TComboBox* combo = f.combo;
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(180, 10, 80, 24);
    form->Show();
    ad::test::PumpPending();
    TSkSkinParams params;
    params.Control = combo;
    auto adapter = TSkMainWnd::Create<TSkComboBoxWnd>(combo->Handle(), nullptr, &skin.Manager, params);
    button->SetFocus();
    ad::test::PumpPending();
    EXPECT_EQ(combo->Color(), kComboColor);
    combo->SetFocus();
    ad::test::PumpPending();
    EXPECT_EQ(combo->Color(), kComboHot);
    button->SetFocus();
    ad::test::PumpPending();
    EXPECT_EQ(combo->Color(), kComboColor);
}

TEST(SkComboBoxWnd, EachComboGetsOneListAdapterFreedWithIt) {
    const int before = TSkMainWnd::LiveCount();
    TDropDownCombo f;
    HWND combo = f.combo;
    auto& adapter = f.adapter;
    EXPECT_EQ(adapter->ListAdapter(), nullptr);
    for (int i = 0; i < 3; ++i) {
        Drop(combo, true);
        Drop(combo, false);
    }
    // The list asked for its colours through the combo.
    HWND list = ListOf(combo);
    ASSERT_NE(adapter->ListAdapter(), nullptr);
    EXPECT_EQ(adapter->ListWnd(), list);
    EXPECT_EQ(TSkMainWnd::GetAdapter(list), adapter->ListAdapter());
    EXPECT_FALSE(adapter->ListAdapter()->SimpleList());
    EXPECT_EQ(TSkMainWnd::LiveCount(), before + 2);
    adapter.reset();
    EXPECT_EQ(TSkMainWnd::LiveCount(), before);
    EXPECT_EQ(TSkMainWnd::GetAdapter(list), nullptr);
    // The combo still opens and closes on its own.
    Drop(combo, true);
    EXPECT_TRUE(::IsWindowVisible(list));
    Drop(combo, false);
}

TEST(SkComboBoxWnd, ColourRepliesAndOpenCloseCyclesLeaveNoGdiObjectBehind) {
    TDropDownCombo f;
    HWND combo = f.combo;
    Drop(combo, true);
    Drop(combo, false);
    HWND list = ListOf(combo);
    WindowDC dc(list);
    const LRESULT first = ::SendMessageW(combo, WM_CTLCOLORLISTBOX, WPARAM(dc.Get()), LPARAM(list));
    ASSERT_NE(first, 0);
    EXPECT_EQ(::GetBkColor(dc.Get()), kEditColor);
    EXPECT_EQ(::GetTextColor(dc.Get()), kEditInk);
    const long objects = LiveGdiObjects();
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(::SendMessageW(combo, WM_CTLCOLORLISTBOX, WPARAM(dc.Get()), LPARAM(list)), first) << "reply " << i;
    EXPECT_EQ(LiveGdiObjects(), objects);
    for (int i = 0; i < 100; ++i) {
        Drop(combo, true);
        Drop(combo, false);
    }
    EXPECT_EQ(LiveGdiObjects(), objects);
}

}  // namespace
}  // namespace ad::skin::adapters
