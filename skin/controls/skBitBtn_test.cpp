// The skinned bitmap button: its painting state, caption and focus-frame
// colours, the region cut from its mask's key-coloured corners, printing
// without leaks, and the glyph it draws.
#include "skin/controls/skBitBtn.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>

#include "skin/controls/SkinControlsTestKit.h"
#include "skin/controls/skAlphaImageList.h"
#include "skin/engine/testkit/PngTestWriter.h"
#include "skin/controls/skGlyphPaint.h"
#include "skin/engine/win/SkinManager.h"
#include "framework/Handles.h"
#include "framework/Themes.h"

namespace ad::skin::controls {
namespace {

using namespace test;

RECT AsRect(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

TEST(SkinBitBtn, CurrentStateFollowsTheTable) {
    struct Case {
        const char* name;
        const char* section;
        std::function<void(TSkinBitBtn&)> arrange;
        int expectedPaintState;
    };
    const Case cases[] = {
        {"Down latches pressed with the mouse away", "BUTTON",
         [](TSkinBitBtn& b) { b.SetDown(true); }, 2},
        {"a press the mouse left shows hot (it took the focus), not pressed", "BUTTON",
         [](TSkinBitBtn& b) {
             SendMessageW(b.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
             b.SkinData.MouseAbove = false;
         },
         1},
        {"a Space press shows pressed", "BUTTON",
         [](TSkinBitBtn& b) { SendMessageW(b.Handle(), WM_KEYDOWN, VK_SPACE, 0); }, 2},
        {"Default on a four-state section paints the default state", "BUTTON",
         [](TSkinBitBtn& b) { b.Default = true; }, 3},
        {"Default on a three-state section paints the hot state", "BUTTON3",
         [](TSkinBitBtn& b) { b.Default = true; }, 1},
        {"Default on a one-state section paints its only state", "BUTTON1",
         [](TSkinBitBtn& b) { b.Default = true; }, 0},
        {"the mouse over it paints hot", "BUTTON",
         [](TSkinBitBtn& b) { SendMessageW(b.Handle(), CM_MOUSEENTER, 0, 0); }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TControlsFormFixture f;
        auto* b = f.Add<TSkinBitBtn>(nullptr, 10, 10, 90, 30, "Run");
        b->SkinData.SetSkinSection(c.section);
        b->SkinData.ChooseSection();
        SetFocus(f.Form.Handle());  // nothing owner-drawn holds the focus
        c.arrange(*b);
        EXPECT_EQ(b->PaintState(), c.expectedPaintState);
        SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        ReleaseCapture();
    }
}

TEST(SkinBitBtn, DownRepaintsOnlyOnAChangeAndClicksNothing) {
    TControlsFormFixture f;
    auto* b = f.Add<TSkinBitBtn>(nullptr, 10, 10, 90, 30, "Run");
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    UpdateWindow(b->Handle());
    ValidateRect(b->Handle(), nullptr);
    b->SetDown(false);
    EXPECT_FALSE(GetUpdateRect(b->Handle(), nullptr, FALSE));

    b->SetDown(true);
    const auto image = Printed(b);
    EXPECT_EQ(image.At(b->Width() / 2, 2), Rgb(kButtonPressed));
    EXPECT_EQ(clicks, 0);
}

TEST(SkinBitBtn, CaptionIsInTheFontColourOfTheState) {
    TControlsFormFixture f;
    auto* b = f.Add<TSkinBitBtn>(nullptr, 10, 10, 90, 30, "Run");
    const auto normal = Printed(b);
    const RECT caption = AsRect(b->CaptionRect());
    EXPECT_GT(CountColour(normal, caption, kButtonFont), 0);
    EXPECT_EQ(normal.At(1, 1), Rgb(kButtonNormal));

    SendMessageW(b->Handle(), CM_MOUSEENTER, 0, 0);
    const auto hot = Printed(b);
    EXPECT_GT(CountColour(hot, caption, kButtonHotFont), 0);
    EXPECT_EQ(CountColour(hot, caption, kButtonFont), 0);
    EXPECT_EQ(hot.At(1, 1), Rgb(kButtonHot));
}

// The frame reads the font colour of the section's last state: on a
// one-state section that is the normal state, not one past the end.
TEST(SkinBitBtn, FocusFrameOnAOneStateSectionTakesItsOnlyFontColour) {
    TControlsFormFixture f;
    auto* b = f.Add<TSkinBitBtn>(nullptr, 10, 10, 120, 40, "Run");
    b->FocusMargin = 3;
    b->SkinData.SetSkinSection("BUTTON1");
    b->SetFocus();
    ASSERT_TRUE(b->Focused());
    const auto image = Printed(b);
    const TRect c = b->CaptionRect();
    const int frameTop = c.Top - b->FocusMargin;
    const RECT topEdge{c.Left - b->FocusMargin - 1, frameTop, c.Right + b->FocusMargin + 1, frameTop + 1};
    EXPECT_GT(CountColour(image, topEdge, kButtonFont), 0);

    f.Form.SetFocus();
    const auto unfocused = Printed(b);
    EXPECT_EQ(CountColour(unfocused, topEdge, kButtonFont), 0);
}

TEST(SkinBitBtn, KeyColouredCornersLieOutsideTheRegion) {
    TControlsFormFixture f;
    auto* b = f.Add<TSkinBitBtn>(nullptr, 10, 10, 90, 30, "Run");
    b->SkinData.SetSkinSection("FRAMEDBUTTON");
    UpdateWindow(f.Form.Handle());
    UpdateWindow(b->Handle());
    OwnedRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(b->Handle(), region.Get()), ERROR);
    const int w = b->Width(), h = b->Height();
    for (POINT corner : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}, POINT{1, 0}})
        EXPECT_FALSE(PtInRegion(region.Get(), corner.x, corner.y)) << corner.x << "," << corner.y;
    EXPECT_TRUE(PtInRegion(region.Get(), 2, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), w / 2, h / 2));
}

TEST(SkinBitBtn, RepeatedPrintingKeepsTheGdiCountFlat) {
    TControlsFormFixture f;
    auto* framed = f.Add<TSkinBitBtn>(nullptr, 10, 10, 90, 30, "Framed");
    framed->SkinData.SetSkinSection("FRAMEDBUTTON");
    auto* plain = f.Add<TSkinBitBtn>(nullptr, 10, 50, 90, 30, "Plain");
    Printed(framed);
    Printed(plain);
    const long before = LiveGdiObjects();
    for (int i = 0; i < 100; ++i) {
        Printed(framed);  // a print rebuilds the region and must not keep it
        Printed(plain);
    }
    EXPECT_EQ(LiveGdiObjects(), before);
    EXPECT_EQ(framed->PendingRegion(), nullptr);
}

// A glyph strip of count images, each filled with its own colour and alpha.
TBitmap32 Strip(int count, int side, const std::vector<uint32_t>& argb) {
    TBitmap32 strip(side * count, side);
    const TImageView32 v = strip.View();
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side * count; ++x) std::memcpy(v.Pixel(x, y), &argb[size_t(x / side)], 4);
    return strip;
}

TEST(SkinBitBtn, ZeroAlphaGlyphIsKeyedNotInvisible) {
    TControlsFormFixture f;
    auto* b = f.Add<TSkinBitBtn>(nullptr, 10, 10, 120, 40, "Run");
    TBitmap32 glyph = Strip(1, 16, {0x000000FFu});  // blue, alpha 0
    SetPixel32(glyph.View(), 0, 15, 0x00FF00FF);   // the key in the bottom-left corner
    b->SetGlyph(glyph);
    const auto image = Printed(b);
    const TRect g = b->GlyphRect();
    EXPECT_EQ(image.At(g.Left + 8, g.Top + 8), RGB(0, 0, 255));
    EXPECT_EQ(image.At(g.Left, g.Top + 15), Rgb(kButtonNormal));  // the key pixel shows the body
}

TEST(SkinBitBtn, BlendMixesTheGlyphWithTheBody) {
    TControlsFormFixture f;
    auto* b = f.Add<TSkinBitBtn>(nullptr, 10, 10, 120, 40, "Run");
    b->SetGlyph(Strip(1, 16, {0xFF0000FFu}));  // opaque blue
    b->SetBlend(50);
    const auto image = Printed(b);
    const TRect g = b->GlyphRect();
    const COLORREF mixed = image.At(g.Left + 8, g.Top + 8);
    const int body = kButtonNormal & 0xFF;  // a grey: every channel alike
    EXPECT_NEAR(GetRValue(mixed), body / 2, 2);
    EXPECT_NEAR(GetBValue(mixed), (255 + body) / 2, 2);
}

TEST(SkinBitBtn, GlyphColourToneTonesEvenWhenHot) {
    TControlsFormFixture f;
    auto* b = f.Add<TSkinBitBtn>(nullptr, 10, 10, 120, 40, "Run");
    b->SetGlyph(Strip(1, 16, {0xFF0000FFu}));
    SendMessageW(b->Handle(), CM_MOUSEENTER, 0, 0);
    const auto hot = Printed(b);
    const TRect g = b->GlyphRect();  // placed by the paint
    const COLORREF plain = hot.At(g.Left + 8, g.Top + 8);
    EXPECT_NEAR(GetBValue(plain), 255, 2);
    EXPECT_EQ(GetGValue(plain), 0);
    b->SetGlyphColorTone(0x00FF00);
    const COLORREF toned = Printed(b).At(g.Left + 8, g.Top + 8);
    EXPECT_GT(std::abs(int(GetGValue(toned)) - int(GetGValue(plain))) +
                  std::abs(int(GetBValue(toned)) - int(GetBValue(plain))),
              60);
}

// An opaque 16 x 16 PNG of one colour (red, green, blue bytes).
std::vector<uint8_t> SolidPng(uint8_t r, uint8_t g, uint8_t b) {
    pngtest::Image img;
    img.Width = img.Height = 16;
    img.ColorType = 6;
    img.Sample = [=](int, int, int c) -> uint32_t { return c == 0 ? r : c == 1 ? g : c == 2 ? b : 255; };
    return pngtest::Write(img);
}

TEST(SkinBitBtn, AnImageListGlyphOnlyForAnIndexInsideTheList) {
    TControlsFormFixture f;
    TSkinAlphaImageList list(nullptr);
    ASSERT_TRUE(list.AddImageFromStream(SolidPng(255, 0, 0)));
    auto* b = f.Add<TSkinBitBtn>(nullptr, 10, 10, 120, 40, "Run");
    b->SetGlyph(Strip(1, 16, {0xFF0000FFu}));  // the streamed glyph: blue
    b->SetImages(&list);
    b->SetImageIndex(0);
    auto image = Printed(b);
    TRect g = b->GlyphRect();
    EXPECT_NEAR(GetRValue(image.At(g.Left + 8, g.Top + 8)), 255, 2);
    EXPECT_EQ(GetBValue(image.At(g.Left + 8, g.Top + 8)), 0);
    b->SetImageIndex(list.ItemCount());  // one past the end: the glyph bitmap again
    image = Printed(b);
    g = b->GlyphRect();
    EXPECT_NEAR(GetBValue(image.At(g.Left + 8, g.Top + 8)), 255, 2);
    b->SetImages(nullptr);
}

// A glyph without alpha whose key (its bottom-left pixel) is red: the red
// pixels show the body, the others the glyph.
TEST(SkinBitBtn, AKeyedGlyphLeavesOutItsKeyColourNotItsMirror) {
    TControlsFormFixture f;
    auto* b = f.Add<TSkinBitBtn>(nullptr, 10, 10, 120, 40, "Run");
    TBitmap32 glyph = Strip(1, 16, {0x000000FFu});  // blue pixels, alpha 0
    for (int x = 0; x < 16; ++x) SetPixel32(glyph.View(), x, 15, 0x00FF0000);  // the bottom row red: the key
    b->SetGlyph(glyph);
    const auto image = Printed(b);
    const TRect g = b->GlyphRect();
    EXPECT_EQ(image.At(g.Left + 8, g.Top + 8), RGB(0, 0, 255));
    EXPECT_EQ(image.At(g.Left + 8, g.Top + 15), Rgb(kButtonNormal));
}

// Buttons sharing one image list all hear its changes, also after one of them went.
TEST(SkinBitBtn, EveryButtonOfASharedImageListHearsItsChanges) {
    TControlsFormFixture f;
    TSkinAlphaImageList list(nullptr);
    ASSERT_TRUE(list.AddImageFromStream(SolidPng(255, 0, 0)));
    auto* first = f.Add<TSkinBitBtn>(nullptr, 10, 10, 120, 40, "One");
    auto* second = f.Add<TSkinBitBtn>(nullptr, 10, 60, 120, 40, "Two");
    auto* third = f.Add<TSkinBitBtn>(nullptr, 10, 110, 120, 40, "Three");
    for (TSkinBitBtn* b : {first, second, third}) {
        b->SetImages(&list);
        b->SetImageIndex(1);  // not there yet: no glyph
    }
    delete third;
    auto settle = [&] {
        for (TSkinBitBtn* b : {first, second}) {
            UpdateWindow(b->Handle());
            ValidateRect(b->Handle(), nullptr);
        }
    };
    settle();
    ASSERT_TRUE(list.AddImageFromStream(SolidPng(0, 0, 255)));
    for (TSkinBitBtn* b : {first, second}) {
        SCOPED_TRACE(b->Caption());
        EXPECT_TRUE(GetUpdateRect(b->Handle(), nullptr, FALSE));
        const auto image = Printed(b);
        const TRect g = b->GlyphRect();
        EXPECT_NEAR(GetBValue(image.At(g.Left + 8, g.Top + 8)), 255, 2);
    }
    first->SetImages(nullptr);  // it leaves; the other still hears
    settle();
    list.Change();
    EXPECT_FALSE(GetUpdateRect(first->Handle(), nullptr, FALSE));
    EXPECT_TRUE(GetUpdateRect(second->Handle(), nullptr, FALSE));
}

// A 16 x 16 icon: the left half opaque red, the right half transparent.
OwnedIcon HalfRedIcon() {
    DibSection32 colour(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) colour.Row(y)[x] = x < 8 ? 0xFFFF0000u : 0;
    OwnedBitmap mask(CreateBitmap(16, 16, 1, 1, nullptr));
    ICONINFO info{TRUE, 0, 0, mask.Get(), colour.Get()};
    return OwnedIcon(CreateIconIndirect(&info));
}

TEST(SkinBitBtn, APlainImageListsGlyphLeavesItsTransparentPartToTheBody) {
    TControlsFormFixture f;
    TImageList list(nullptr, 16, 16);
    OwnedIcon icon = HalfRedIcon();
    ASSERT_EQ(list.AddIcon(IconRef(icon.Get())), 0);
    auto* b = f.Add<TSkinBitBtn>(nullptr, 10, 10, 120, 40, "Run");
    b->SetImages(&list);
    b->SetImageIndex(0);
    EXPECT_EQ(b->GlyphWidth(), 16);
    const auto image = Printed(b);
    const TRect g = b->GlyphRect();
    EXPECT_EQ(image.At(g.Left + 3, g.Top + 8), RGB(255, 0, 0));
    EXPECT_EQ(image.At(g.Left + 12, g.Top + 8), Rgb(kButtonNormal));  // no key colour left behind
    b->SetImages(nullptr);
}

TEST(SkinBitBtn, AlignmentsPlaceTheGlyphAndCaptionBlock) {
    struct Case {
        const char* name;
        TAlignment align;
        TVerticalAlignment valign;
        std::function<void(const TSkinBitBtn&, const TRect& glyph)> check;
    };
    const Case cases[] = {
        {"left", taLeftJustify, taVerticalCenter,
         [](const TSkinBitBtn&, const TRect& g) { EXPECT_EQ(g.Left, 0); }},
        {"right", taRightJustify, taVerticalCenter,
         [](const TSkinBitBtn& b, const TRect&) { EXPECT_EQ(b.CaptionRect().Right, b.Width()); }},
        {"top", taCenter, taAlignTop, [](const TSkinBitBtn&, const TRect& g) { EXPECT_EQ(g.Top, 0); }},
        {"bottom", taCenter, taAlignBottom,
         [](const TSkinBitBtn& b, const TRect& g) { EXPECT_EQ(g.Bottom, b.Height()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TControlsFormFixture f;
        auto* b = f.Add<TSkinBitBtn>(nullptr, 10, 10, 160, 50, "Run");
        b->SetGlyph(Strip(1, 16, {0xFF0000FFu}));
        b->SetAlignment(c.align);
        b->SetVerticalAlignment(c.valign);
        const auto image = Printed(b);
        const TRect g = b->GlyphRect();
        c.check(*b, g);
        EXPECT_NEAR(GetBValue(image.At(g.Left + 8, g.Top + 8)), 255, 2);
    }
}

TEST(SkinBitBtn, WhatItHoldsMovesWithItsFaceWhilePressed) {
    TControlsFormFixture f;
    auto* b = f.Add<TSkinBitBtn>(nullptr, 10, 10, 160, 50, "Run");
    auto* child = new TLabel(&f.Form);
    child->SetParent(b);
    child->SetBounds(4, 4, 20, 12);
    b->SetDown(true);
    EXPECT_TRUE(b->ChildrenShifted());
    EXPECT_EQ(child->Left(), 5);
    EXPECT_EQ(child->Top(), 5);
    b->SetDown(false);
    EXPECT_FALSE(b->ChildrenShifted());
    EXPECT_EQ(child->Left(), 4);
    EXPECT_EQ(child->Top(), 4);

    f.Manager->ButtonsOptions.ShiftContentOnClick = false;
    b->SetDown(true);
    EXPECT_EQ(child->Left(), 4);
}

TEST(SkinBitBtn, WithoutASkinTheGlyphIsBlendedOnTheFace) {
    TPlainFormFixture f;
    auto* b = f.Add<TSkinBitBtn>(10, 10, 120, 40);
    b->SetCaption("Run");
    b->SetGlyph(Strip(1, 16, {0xFF0000FFu}));  // opaque blue
    auto print = [&] { return ad::test::PrintInto(b->Handle(), WM_PRINTCLIENT, PRF_CLIENT, 120, 40); };
    auto image = print();
    const TRect g = b->GlyphRect();
    EXPECT_NEAR(GetBValue(image.At(g.Left + 8, g.Top + 8)), 255, 1);
    EXPECT_EQ(GetRValue(image.At(g.Left + 8, g.Top + 8)), 0);
    const COLORREF face = image.At(g.Left - 2, g.Top + 8);  // the face beside the glyph
    b->SetBlend(50);
    image = print();
    const COLORREF mixed = image.At(g.Left + 8, g.Top + 8);
    EXPECT_NEAR(GetRValue(mixed), GetRValue(face) / 2, 2);
    EXPECT_NEAR(GetBValue(mixed), (255 + GetBValue(face)) / 2, 2);
    // Blend is how far the glyph fades, on the face as in the skin's cache: 20 leaves four fifths of it.
    b->SetBlend(20);
    const COLORREF faded = print().At(g.Left + 8, g.Top + 8);
    EXPECT_NEAR(GetRValue(faded), GetRValue(face) * 20 / 100, 3);
    EXPECT_NEAR(GetBValue(faded), (255 * 80 + GetBValue(face) * 20) / 100, 3);
}

TEST(SkinBitBtn, WithoutASkinADefaultFocusedButtonLooksDefault) {
    TPlainFormFixture f;
    auto* b = f.Add<TSkinBitBtn>(10, 10, 90, 30);
    auto* other = f.Add<TSkinBitBtn>(10, 50, 90, 30);
    b->SetCaption("OK");
    other->SetCaption("OK");
    b->Default = true;
    b->SetFocus();
    auto print = [](TSkinBitBtn* button) {
        return ad::test::PrintInto(button->Handle(), WM_PRINTCLIENT, PRF_CLIENT, 90, 30);
    };
    const auto image = print(b);
    EXPECT_FALSE(image.Pixels == print(other).Pixels);  // the defaulted look, not the normal one
    if (!ControlsThemed()) {
        EXPECT_EQ(image.At(45, 0), GetSysColor(COLOR_WINDOWFRAME));
    }
}

// The classic face: a default or focused button gets the window-frame line around its edge.
TEST(SkinBitBtn, TheClassicFaceFramesADefaultButton) {
    struct Case {
        const char* name;
        bool isDefault, focused, selected;
        bool framed;
    };
    const Case cases[] = {
        {"plain", false, false, false, false},
        {"default", true, false, false, true},
        {"focused", false, true, false, true},
        {"pressed default", true, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DibSection32 dib(60, 24);
        OwnedMemoryDC dc(CreateCompatibleDC(nullptr));
        SelectObjectScope selected(dc.Get(), dib.Get());
        const RECT all{0, 0, 60, 24};
        FillRect(dc.Get(), &all, GetSysColorBrush(COLOR_BTNFACE));
        DrawClassicButtonFace(dc.Get(), all, c.selected, false, c.isDefault, c.focused, true);
        GdiFlush();
        const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
        const uint32_t top = dib.Row(0)[30] & 0xFFFFFF;
        const uint32_t expected = (GetRValue(frame) << 16) | (GetGValue(frame) << 8) | GetBValue(frame);
        EXPECT_EQ(top == expected, c.framed);
    }
}
TEST(SkinBitBtn, GlyphCellByStateAndStandardOrder) {
    struct Case {
        const char* name;
        int state, count;
        bool enabled, stdOrder;
        int cell;
    };
    const Case cases[] = {
        {"pressed on a four-image strip", 2, 4, true, false, 2},
        {"default beyond a two-image strip takes the last", 3, 2, true, false, 1},
        {"standard order: pressed on two images shows the first", 2, 2, true, true, 0},
        {"standard order: disabled shows the second", 0, 2, false, true, 1},
        {"standard order: hot shows the first", 1, 4, true, true, 0},
        {"one image whatever the state", 2, 1, true, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GlyphCellIndex(c.state, c.count, c.enabled, c.stdOrder), c.cell) << c.name;
}

TEST(SkinBitBtn, WithoutASkinItDrawsItselfAtTheSameSize) {
    TPlainFormFixture f;
    auto* b = f.Add<TSkinBitBtn>(10, 10, 90, 30);
    b->SetCaption("Run");
    EXPECT_FALSE(b->SkinData.IsSkinActive());
    EXPECT_EQ(GetWindowLongW(b->Handle(), GWL_STYLE) & BS_TYPEMASK, DWORD(BS_OWNERDRAW));
    EXPECT_EQ(b->Width(), 90);
    EXPECT_EQ(b->Height(), 30);
    const auto image = ad::test::PrintInto(b->Handle(), WM_PRINTCLIENT, PRF_CLIENT, 90, 30);
    EXPECT_NE(image.At(0, 15), image.At(45, 15));  // an edge around its face
    // The test program's standard controls are classic: so is the button's face.
    ASSERT_FALSE(ControlsThemed());
    EXPECT_EQ(image.At(45, 3), GetSysColor(COLOR_BTNFACE));
}
// A latched button keeps showing its state when the skin is not there.
TEST(SkinBitBtn, WithoutASkinDownLooksPressed) {
    TPlainFormFixture f;
    auto* latched = f.Add<TSkinBitBtn>(10, 10, 90, 30);
    auto* pushed = f.Add<TSkinBitBtn>(10, 50, 90, 30);
    auto* up = f.Add<TSkinBitBtn>(10, 90, 90, 30);
    for (TSkinBitBtn* b : {latched, pushed, up}) b->SetCaption("OEC");
    latched->SetDown(true);
    SendMessageW(pushed->Handle(), BM_SETSTATE, TRUE, 0);
    auto print = [](TSkinBitBtn* b) { return ad::test::PrintInto(b->Handle(), WM_PRINTCLIENT, PRF_CLIENT, 90, 30); };
    const auto latchedImage = print(latched), pushedImage = print(pushed), upImage = print(up);
    EXPECT_TRUE(latchedImage.Pixels == pushedImage.Pixels) << "latched down paints as pushed";
    EXPECT_FALSE(latchedImage.Pixels == upImage.Pixels) << "latched down paints unlike up";
}

}  // namespace
}  // namespace ad::skin::controls
