// Combo adapters: the button's place by combo style, its state while the
// list is open, one list adapter per combo freed with it, and colour
// replies and open/close cycles that leave no GDI object behind.
#include "skin/adapters/SkComboWnds.h"

#include <gtest/gtest.h>

#include "framework/PrintTestKit.h"
#include "skin/adapters/ItemViewTestKit.h"

namespace ad::skin::adapters {
namespace {

using namespace test;
using ad::test::PrintInto;

std::unique_ptr<TSkComboBoxWnd> Attach(HWND wnd, TSkinManager& manager) {
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

void Drop(HWND combo, bool open) {
    ::SendMessageW(combo, CB_SHOWDROPDOWN, open ? TRUE : FALSE, 0);
    ::UpdateWindow(ListOf(combo));
}

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
    TAdapterSkinFixture skin{ItemViewSkin()};
    THostWindow host;
    HWND combo = AddChild(host.Handle(), WC_COMBOBOXW, CBS_DROPDOWNLIST, 10, 10, 160, 150);
    AddComboItems(combo, 5);
    auto adapter = Attach(combo, skin.Manager);
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

TEST(SkComboBoxWnd, EachComboGetsOneListAdapterFreedWithIt) {
    TAdapterSkinFixture skin{ItemViewSkin()};
    THostWindow host;
    HWND combo = AddChild(host.Handle(), WC_COMBOBOXW, CBS_DROPDOWNLIST, 10, 10, 160, 150);
    AddComboItems(combo, 5);
    const int before = TSkMainWnd::LiveCount();
    auto adapter = Attach(combo, skin.Manager);
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
    TAdapterSkinFixture skin{ItemViewSkin()};
    THostWindow host;
    HWND combo = AddChild(host.Handle(), WC_COMBOBOXW, CBS_DROPDOWNLIST, 10, 10, 160, 150);
    AddComboItems(combo, 5);
    auto adapter = Attach(combo, skin.Manager);
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
