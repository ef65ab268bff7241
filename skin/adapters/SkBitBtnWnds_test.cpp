// Bitmap and split button adapters: the glyph where the control itself
// places it with the caption beside it, the default look kept while an edit
// has the focus, and the split button's arrow band with its caption moved
// out of the way.
#include "skin/adapters/SkBitBtnWnds.h"

#include <gtest/gtest.h>

#include "framework/Buttons.h"
#include "framework/Forms.h"
#include "framework/PrintTestKit.h"
#include "skin/adapters/AdapterTestKit.h"

namespace ad::skin::adapters {
namespace {

using namespace test;
using ad::test::PrintInto;
using ad::test::TPrintedImage;

SIZE CaptionExtent(HFONT font, const wchar_t* text) {
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    SelectObjectScope select(dc.Get(), font);
    RECT r{0, 0, 400, 0};
    ::DrawTextW(dc.Get(), text, -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_CENTER);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// Columns holding the colour (inclusive; -1 when none) inside [x0, x1).
std::pair<int, int> ColumnsOf(const TPrintedImage& image, COLORREF color, int x0 = 0, int x1 = -1) {
    if (x1 < 0) x1 = image.Width;
    int left = -1, right = -1;
    for (int y = 0; y < image.Height; ++y)
        for (int x = x0; x < x1; ++x)
            if (image.At(x, y) == color) {
                if (left < 0 || x < left) left = x;
                right = std::max(right, x);
            }
    return {left, right};
}

TEST(SkBitBtnWnds, TheGlyphGoesWhereTheControlPlacesItWithTheCaptionBesideIt) {
    TAdapterSkinFixture skin;
    TForm form(nullptr);
    form.SetBounds(40, 40, 300, 200);
    const int w = 140, h = 40, side = 12;
    const COLORREF green = RGB(0, 0xC0, 0);
    TBitmap32 glyph(side, side);
    const TImageView32 pixels = glyph.View();
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) *reinterpret_cast<uint32_t*>(pixels.Pixel(x, y)) = 0xFF00C000u;
    struct Case {
        const char* name;
        TButtonLayout layout;
        int margin;
    };
    const Case cases[] = {{"left, centred", TButtonLayout::blGlyphLeft, -1},
                          {"left, margin 4", TButtonLayout::blGlyphLeft, 4},
                          {"right, margin 4", TButtonLayout::blGlyphRight, 4},
                          {"top, centred", TButtonLayout::blGlyphTop, -1}};
    for (const Case& c : cases) {
        auto* button = new TBitBtn(&form);
        button->SetParent(&form);
        button->SetBounds(10, 10, w, h);
        button->SetCaption("Go");
        button->SetGlyph(glyph);
        button->SetLayout(c.layout);
        button->SetMargin(c.margin);
        form.Show();
        auto adapter = AttachAdapter<TSkBitBtnWnd>(button->Handle(), skin.Manager, button);
        const SIZE caption = CaptionExtent(button->EffectiveFont().Handle(), L"Go");
        const TBitBtnPlacement place =
            BitBtnLayout(RECT{0, 0, w, h}, SIZE{side, side}, caption, c.layout, c.margin, button->Spacing());
        const TPrintedImage image = PrintInto(button->Handle(), WM_PRINT, PRF_CLIENT, w, h);
        // The glyph is blended by its (full) alpha: within a step of its colour.
        const COLORREF centre = image.At(place.Glyph.x + side / 2, place.Glyph.y + side / 2);
        EXPECT_NEAR(GetGValue(centre), GetGValue(green), 1) << c.name;
        EXPECT_EQ(GetRValue(centre) + GetBValue(centre), 0) << c.name;
        EXPECT_EQ(image.At(place.Glyph.x - 1, place.Glyph.y + side / 2), kButtonNormal) << c.name;
        // The caption's ink lies in its place, clear of the glyph.
        const auto ink = ColumnsOf(image, kTextColor);
        ASSERT_GE(ink.first, 0) << c.name;
        EXPECT_GE(ink.first, place.Caption.left - 1) << c.name;
        EXPECT_LE(ink.second, place.Caption.right + 1) << c.name;
        adapter.reset();
        delete button;
    }
}

TEST(SkBitBtnWnds, OnlyAFocusedPushButtonTakesTheDefaultLookAway) {
    TAdapterSkinFixture skin;
    THostWindow host(320, 200);
    HWND upperEdit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_UPPERCASE, 10, 10, 80, 20,
                                       host.Handle(), nullptr, nullptr, nullptr);
    struct Case {
        const char* name;
        HWND focused;
        bool takesDefault;
    };
    const Case cases[] = {
        {"nothing", nullptr, false},
        {"an upper-case edit (style bit 0x8)", upperEdit, false},
        {"a push button", host.AddButton(BS_PUSHBUTTON, L"p", 10, 40, 60, 24), true},
        {"an owner-draw button", host.AddButton(BS_OWNERDRAW, L"o", 10, 70, 60, 24), true},
        {"a check box", host.AddButton(BS_AUTOCHECKBOX, L"c", 10, 100, 60, 24), false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsFocusedPushButton(c.focused), c.takesDefault) << c.name;

    TForm form(nullptr);
    form.SetBounds(40, 40, 300, 200);
    auto* button = new TBitBtn(&form);
    button->SetParent(&form);
    button->SetBounds(10, 10, 90, 28);
    button->Default = true;
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 50, 90, 22);
    form.Show();
    auto adapter = AttachAdapter<TSkBitBtnWnd>(button->Handle(), skin.Manager, button);
    ::SetWindowLongPtrW(edit->Handle(), GWL_STYLE, ::GetWindowLongPtrW(edit->Handle(), GWL_STYLE) | ES_UPPERCASE);
    ::SetFocus(edit->Handle());
    if (::GetFocus() != edit->Handle()) GTEST_SKIP() << "the focus could not be set";
    EXPECT_EQ(adapter->CurrentState(), 3);
}

TEST(SkBitBtnWnds, ASplitButtonDrawsItsArrowAtTheRightAndMovesItsCaptionLeft) {
    TAdapterSkinFixture skin;
    THostWindow host(320, 200);
    const int w = 120, h = 30;
    HWND split = host.AddButton(0xC /* BS_SPLITBUTTON */, L"MM", 10, 10, w, h);
    HWND plain = host.AddButton(BS_PUSHBUTTON, L"MM", 10, 50, w, h);
    auto a = AttachAdapter<TSkSplitBtnWnd>(split, skin.Manager);
    auto b = AttachAdapter<TSkBtnWnd>(plain, skin.Manager);
    const TPrintedImage splitImage = PrintInto(split, WM_PRINT, PRF_CLIENT, w, h);
    const TPrintedImage plainImage = PrintInto(plain, WM_PRINT, PRF_CLIENT, w, h);
    const TRect band = a->ArrowRect();
    EXPECT_EQ(band.Left, w - 2 * TSkSplitBtnWnd::ArrowWidth - 6);
    // The arrow: ink of the font colour in the band, none there on a plain button.
    const auto arrow = ColumnsOf(splitImage, kTextColor, band.Left + 4, w);
    EXPECT_GE(arrow.first, 0);
    EXPECT_EQ(ColumnsOf(plainImage, kTextColor, band.Left + 4, w).first, -1);
    // The caption moves left by the arrow's width.
    const auto splitCaption = ColumnsOf(splitImage, kTextColor, 0, band.Left);
    const auto plainCaption = ColumnsOf(plainImage, kTextColor);
    ASSERT_GE(plainCaption.first, 0);
    EXPECT_EQ(splitCaption.first, plainCaption.first - TSkSplitBtnWnd::ArrowWidth);
}

}  // namespace
}  // namespace ad::skin::adapters
