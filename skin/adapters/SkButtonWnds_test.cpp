// Button adapters: the paint state table on three- and four-state sections,
// what a push button, a check box and a group box print, and the messages
// that never reach the button's own procedure.
#include "skin/adapters/SkButtonWnds.h"

#include <gtest/gtest.h>

#include "framework/PrintTestKit.h"
#include "framework/WindowSubclass.h"
#include "skin/adapters/AdapterTestKit.h"

namespace ad::skin::adapters {
namespace {

using namespace test;
using ad::test::PrintInto;

TEST(SkButtonWnds, TheDefaultLookNeedsAFourthStateElseItIsDrawnHot) {
    struct Case {
        const char* name;
        int paintState, sectionStates, expected;
    };
    const Case cases[] = {
        {"normal", 0, 3, 0},          {"hot", 1, 3, 1},           {"pressed", 2, 3, 2},
        {"default on 3 states", 3, 3, 1}, {"default on 4 states", 3, 4, 3}, {"pressed on 2 states", 2, 2, 1},
        {"hot on 1 state", 1, 1, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ButtonSectionState(c.paintState, c.sectionStates), c.expected) << c.name;
}

TEST(SkButtonWnds, APushButtonPrintsItsStateFromTheSection) {
    TAdapterSkinFixture skin;
    THostWindow host;
    const int w = 90, h = 30;
    HWND plain = host.AddButton(BS_PUSHBUTTON, L"", 10, 10, w, h);
    HWND byDefault = host.AddButton(BS_DEFPUSHBUTTON, L"", 10, 50, w, h);
    auto a = AttachAdapter<TSkBtnWnd>(plain, skin.Manager);
    auto b = AttachAdapter<TSkBtnWnd>(byDefault, skin.Manager);
    EXPECT_EQ(a->SkinData()->SkinSection(), "BUTTON");

    EXPECT_EQ(a->CurrentState(), 0);
    EXPECT_EQ(PrintInto(plain, WM_PRINT, PRF_CLIENT, w, h).At(w / 2, h / 2), kButtonNormal);
    // A foreign default button: state 3, drawn hot on this three-state section.
    EXPECT_EQ(b->CurrentState(), 3);
    EXPECT_EQ(PrintInto(byDefault, WM_PRINT, PRF_CLIENT, w, h).At(w / 2, h / 2), kButtonHot);
    // Pressing hides a glow the button shows (a hover glow would cover the pressed look).
    a->SkinData()->GlowIndex = 3;
    ::SendMessageW(plain, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(a->CurrentState(), 2);
    EXPECT_EQ(a->SkinData()->GlowIndex, -1);
    EXPECT_EQ(PrintInto(plain, WM_PRINT, PRF_CLIENT, w, h).At(w / 2, h / 2), kButtonPressed);
    ::SendMessageW(plain, BM_SETSTATE, FALSE, 0);
    ::EnableWindow(byDefault, FALSE);
    EXPECT_EQ(b->CurrentState(), 0);
}

TEST(SkButtonWnds, TheCaptionIsWrittenInTheSectionsFontColourCentred) {
    TAdapterSkinFixture skin;
    THostWindow host;
    const int w = 120, h = 30;
    HWND button = host.AddButton(BS_PUSHBUTTON, L"MMMM", 10, 10, w, h);
    auto adapter = AttachAdapter<TSkBtnWnd>(button, skin.Manager);
    const auto image = PrintInto(button, WM_PRINT, PRF_CLIENT, w, h);
    int inkLeft = w, inkRight = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (image.At(x, y) != kButtonNormal) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
    ASSERT_GE(inkRight, 0) << "no caption ink";
    // Centred by the text's measured extent (which holds the glyphs' side bearings).
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    SelectObjectScope font(dc.Get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(button, WM_GETFONT, 0, 0)));
    RECT extent{0, 0, w, 0};
    ::DrawTextW(dc.Get(), L"MMMM", 4, &extent, DT_CALCRECT | DT_NOPREFIX);
    const int left = (w - (extent.right - extent.left)) / 2;
    EXPECT_GE(inkLeft, left);
    EXPECT_LE(inkLeft, left + 2);
    EXPECT_LE(inkRight, w - left);
}

TEST(SkButtonWnds, EraseAndNonClientPaintNeverReachTheButton) {
    TAdapterSkinFixture skin;
    THostWindow host;
    HWND button = host.AddButton(BS_PUSHBUTTON, L"OK", 10, 10, 80, 24);
    std::vector<UINT> seen;
    TWindowSubclass below(button, [&](TMessage& m) {
        seen.push_back(m.Msg);
        return false;
    });
    auto adapter = AttachAdapter<TSkBtnWnd>(button, skin.Manager);
    WindowDC dc(button);
    EXPECT_EQ(::SendMessageW(button, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0), 1);
    ::SendMessageW(button, WM_NCPAINT, 1, 0);
    ::RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    for (UINT msg : seen) {
        EXPECT_NE(msg, UINT(WM_ERASEBKGND));
        EXPECT_NE(msg, UINT(WM_NCPAINT));
    }
}

TEST(SkButtonWnds, TheCheckGlyphFollowsTheCheckStateAndSitsRightWithLeftText) {
    TAdapterSkinFixture skin;
    THostWindow host;
    const int w = 120, h = 24;
    HWND box = host.AddButton(BS_AUTO3STATE, L"Box", 10, 10, w, h);
    HWND left = host.AddButton(BS_AUTOCHECKBOX | BS_LEFTTEXT, L"Left", 10, 40, w, h);
    HWND radio = host.AddButton(BS_AUTORADIOBUTTON, L"Radio", 10, 70, w, h);
    auto a = AttachAdapter<TSkCheckBoxWnd>(box, skin.Manager);
    auto b = AttachAdapter<TSkCheckBoxWnd>(left, skin.Manager);
    auto c = AttachAdapter<TSkCheckBoxWnd>(radio, skin.Manager);
    const int mid = h / 2;

    struct Case {
        const char* name;
        HWND wnd;
        WPARAM check;
        uint32_t glyph;
    };
    const Case cases[] = {
        {"box unchecked", box, BST_UNCHECKED, kBoxUnchecked},
        {"box checked", box, BST_CHECKED, kBoxChecked},
        {"box indeterminate", box, BST_INDETERMINATE, kBoxGrayed},
        {"radio unchecked", radio, BST_UNCHECKED, kRadioUnchecked},
        {"radio checked", radio, BST_CHECKED, kRadioChecked},
    };
    for (const Case& k : cases) {
        ::SendMessageW(k.wnd, BM_SETCHECK, k.check, 0);
        const auto image = PrintInto(k.wnd, WM_PRINT, PRF_CLIENT, w, h);
        EXPECT_EQ(image.At(kGlyph / 2, mid), GlyphColor(k.glyph)) << k.name;
        EXPECT_EQ(image.At(w - 3, 2), kCheckBoxColor) << k.name;
    }
    EXPECT_EQ(b->GlyphRect().Right, w);
    const auto image = PrintInto(left, WM_PRINT, PRF_CLIENT, w, h);
    EXPECT_EQ(image.At(w - kGlyph / 2 - 1, mid), GlyphColor(kBoxUnchecked));
    EXPECT_EQ(image.At(kGlyph / 2, mid), kCheckBoxColor);

    // The mouse over a box (its hit test) makes it the hovered window; a disabled one never.
    ::SendMessageW(radio, WM_NCHITTEST, 0, 0);
    EXPECT_EQ(skin.Manager.HoverWindow(), radio);
    ::EnableWindow(box, FALSE);
    ::SendMessageW(box, WM_NCHITTEST, 0, 0);
    EXPECT_EQ(skin.Manager.HoverWindow(), radio);
    skin.Manager.SetHoverWindow(nullptr);
}

TEST(SkButtonWnds, AMirroredDCGetsTheCacheAsItLooksAndKeepsItsLayout) {
    TAdapterSkinFixture skin;
    THostWindow host;
    const int w = 120, h = 24;
    HWND box = host.AddButton(BS_AUTOCHECKBOX, L"Box", 10, 10, w, h);
    auto adapter = AttachAdapter<TSkCheckBoxWnd>(box, skin.Manager);
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    DibSection32 bitmap(w, h);
    SelectObjectScope select(dc.Get(), bitmap.Get());
    ASSERT_NE(::SetLayout(dc.Get(), LAYOUT_RTL), GDI_ERROR);
    ::SendMessageW(box, WM_PRINT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    ::GdiFlush();
    EXPECT_EQ(::GetLayout(dc.Get()), DWORD(LAYOUT_RTL));  // the caller's mirroring stays
    // The glyph lies where the cache has it (its left), not mirrored to the right.
    const ad::test::TPrintedImage image{w, h, std::vector<std::uint32_t>(bitmap.Bits(), bitmap.Bits() + w * h)};
    EXPECT_EQ(image.At(kGlyph / 2, h / 2), GlyphColor(kBoxUnchecked));
    EXPECT_EQ(image.At(w - 3, 2), kCheckBoxColor);
}

TEST(SkButtonWnds, AGroupBoxWithoutTextHasASixPixelBandAndLeavesItsChildrenAlone) {
    TAdapterSkinFixture skin;
    THostWindow host;
    const int w = 160, h = 100;
    HWND group = host.AddButton(BS_GROUPBOX, L"", 10, 10, w, h);
    HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 40, 40, 30, 20, group,
                                   nullptr, nullptr, nullptr);
    auto adapter = AttachAdapter<TSkGroupBoxWnd>(group, skin.Manager);
    EXPECT_EQ(adapter->SkinData()->SkinSection(), "GROUPBOX");
    EXPECT_EQ(::SendMessageW(group, SKM_SKINCMD, SkinCommandWParam(SKC_GETHEADERHEIGHT), 0), 6);
    const auto image = PrintInto(group, WM_PRINT, PRF_CLIENT, w, h);
    EXPECT_EQ(image.At(w / 2, h - 10), kGroupBoxColor);
    EXPECT_EQ(image.At(50, 50), ad::test::kUnpainted);  // the child's place is left to it
    ::SetWindowTextW(group, L"Options");
    EXPECT_GT(::SendMessageW(group, SKM_SKINCMD, SkinCommandWParam(SKC_GETHEADERHEIGHT), 0), 6);
    ::DestroyWindow(child);
}

}  // namespace
}  // namespace ad::skin::adapters
