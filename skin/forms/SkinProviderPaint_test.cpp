// The provider's window image and its messages on real windows: the pixels
// of the title band, border, caption buttons and icon computed from the
// layout and the fixture skin's own images; the activation look; printing;
// the caption buttons' state machine seen from below the provider; the skin
// commands; the skin editor's data; a new size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/Handles.h"
#include "framework/Menus.h"
#include "framework/WindowSubclass.h"
#include "skin/engine/skinfile/SkinEditorData.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/forms/SkinFormsTestKit.h"

#include <windowsx.h>  // after the engine headers: it defines SetWindowRedraw as a macro

namespace ad::skin::forms::test {
namespace {

uint32_t Rgb(TColor c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }

uint32_t CachePixel(TSkinProvider& p, int x, int y) {
    return GetPixel32(p.SkinData->CacheImage->View(), x, y) & 0xFFFFFFu;
}

// The pixel of a state frame of a mask in the skin's own image.
uint32_t MaskPixel(TSkinProvider& p, int maskIndex, int state, int x, int y) {
    const TSkinTables& skin = *p.Skin();
    const TSkinMaskData& mask = skin.Mask(maskIndex);
    const TPoint frame = MaskFrameSize(mask);
    return GetPixel32(skin.MaskImage(mask)->View(), mask.R.Left + state * frame.X + x, mask.R.Top + y) & 0xFFFFFFu;
}

TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// Starts skinning and composes the image anew (the layout with it).
void Compose(TSkinProvider& p) {
    HWND wnd = p.OwnerForm()->Handle();
    ::SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, 1, 1));
    p.SkinData->BgChanged = true;
    ASSERT_TRUE(p.PrepareCache());
}

// A point of plain title background: left of the minimise button, clear of the caption text.
TPoint TitlePoint(TSkinProvider& p) {
    const TRect& min = p.Element(ceMin).Rect;
    return {min.Left - 3, min.Top + 2};
}

// A shown form with a spy below its provider: the system commands that get
// through the provider are recorded and swallowed.
struct TSpiedForm {
    TSpiedForm() {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(60, 60, 320, 220);
        Form->SetCaption("Skinned form");
        Spy = std::make_unique<TWindowSubclass>(Form->Handle(), [this](TMessage& m) {
            if (m.Msg != WM_SYSCOMMAND) return false;
            Commands.push_back(UINT(m.WParam & 0xFFF0));
            m.Result = 0;
            if (FreeOnClose && (m.WParam & 0xFFF0) == SC_CLOSE) {
                Provider = nullptr;
                Form.reset();  // the form, and its provider with it, gone inside the command
            }
            return true;
        });
        Form->Show();
        ad::test::PumpPending();
        Provider = ProviderOf(*Form);
        if (Provider) Compose(*Provider);
    }
    HWND Wnd() const { return Form->Handle(); }
    LPARAM At(const TRect& r) const { return ScreenPoint(Wnd(), Centre(r).X, Centre(r).Y); }

    std::unique_ptr<TForm> Form;
    std::unique_ptr<TWindowSubclass> Spy;
    std::vector<UINT> Commands;
    TSkinProvider* Provider = nullptr;
    bool FreeOnClose = false;
};

class SkinProviderPaint : public ::testing::Test {
protected:
    TFormSkinFixture Skin;
};

TEST_F(SkinProviderPaint, CacheHoldsTitleBorderButtonsAndIcon) {
    auto form = ShownForm();
    TSkinProvider* p = ProviderOf(*form);
    ASSERT_NE(p, nullptr);
    Compose(*p);
    RECT window{};
    ::GetWindowRect(form->Handle(), &window);
    ASSERT_EQ(p->SkinData->CacheImage->Width(), window.right - window.left);
    ASSERT_EQ(p->SkinData->CacheImage->Height(), window.bottom - window.top);
    const TSkinTables& skin = *p->Skin();
    const int title = skin.SectionIndexOf("FORMTITLE");
    ASSERT_EQ(p->FormActive(), 1);

    const TPoint t = TitlePoint(*p);
    EXPECT_EQ(CachePixel(*p, t.X, t.Y), Rgb(skin.Section(title).Props[1].Color)) << "active title colour";

    // The left border half-way down: the frame mask's edge in the active state.
    const int border = skin.Section(p->SkinData->SkinIndex).BorderIndex;
    ASSERT_TRUE(skin.IsValidMaskIndex(border));
    const int h = p->SkinData->CacheImage->Height();
    EXPECT_EQ(CachePixel(*p, 1, h / 2), MaskPixel(*p, border, 1, 1, kFrameSide / 2));

    // Each caption button shows its glyph's normal frame.
    const struct {
        TSkCaptionElementId id;
        int kind;
    } buttons[] = {{ceClose, tbClose}, {ceMax, tbMax}, {ceMin, tbMin}};
    for (const auto& b : buttons) {
        const TRect& r = p->Element(b.id).Rect;
        ASSERT_GT(r.Right, r.Left);
        const TPoint c = Centre(r);
        EXPECT_EQ(CachePixel(*p, c.X, c.Y), MaskPixel(*p, skin.CommonMasks.TitleButtons[size_t(b.kind)], 0, 2, 2))
            << "button " << b.id;
    }

    // The icon is drawn opaque into its rectangle over the title.
    const TRect& icon = p->IconRect();
    ASSERT_GT(icon.Right, icon.Left);
    int drawn = 0;
    for (int y = icon.Top; y < icon.Bottom; ++y)
        for (int x = icon.Left; x < icon.Right; ++x)
            if (CachePixel(*p, x, y) != Rgb(skin.Section(title).Props[1].Color) &&
                (GetPixel32(p->SkinData->CacheImage->View(), x, y) >> 24) == 255)
                ++drawn;
    EXPECT_GT(drawn, 0);

    // The grip sits at its position in the bottom-right corner.
    p->GripMode = gmRightBottom;
    Compose(*p);
    const TPoint grip = p->GripPosition();
    EXPECT_EQ(CachePixel(*p, grip.X + 1, grip.Y + 1), MaskPixel(*p, skin.CommonMasks.GripImage, 0, 1, 1));
    ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ad::test::SaveScreenshot(form->Handle(), "skinned_fixture_form");
}

TEST_F(SkinProviderPaint, TheCaptionFollowsItsAlignmentMirroredOnARightToLeftForm) {
    const struct {
        const char* name;
        TBiDiMode mode;
        TAlignment alignment;
        bool atLeft;
    } cases[] = {
        {"left", TBiDiMode::bdLeftToRight, taLeftJustify, true},
        {"right", TBiDiMode::bdLeftToRight, taRightJustify, false},
        {"right on a right-to-left form", TBiDiMode::bdRightToLeft, taRightJustify, true},
        {"left on a right-to-left form", TBiDiMode::bdRightToLeft, taLeftJustify, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto form = ShownForm();
        TSkinProvider* p = ProviderOf(*form);
        ASSERT_NE(p, nullptr);
        form->SetBiDiMode(c.mode);
        p->SetCaptionAlignment(c.alignment);
        Compose(*p);
        const uint32_t title = Rgb(p->Skin()->Section(p->Skin()->SectionIndexOf("FORMTITLE")).Props[1].Color);
        const TRect& close = p->Element(ceClose).Rect;
        const int textLeft = p->IconRect().Right + 4, textRight = p->SkinData->CacheImage->Width() - p->ButtonsWidth() - 12;
        auto inked = [&](int from, int to) {
            int n = 0;
            for (int y = close.Top; y < close.Bottom; ++y)
                for (int x = from; x < to; ++x) n += CachePixel(*p, x, y) != title ? 1 : 0;
            return n;
        };
        EXPECT_EQ(inked(textLeft, textLeft + 20) > 0, c.atLeft);
        EXPECT_EQ(inked(textRight - 20, textRight) > 0, !c.atLeft);
    }
}

TEST_F(SkinProviderPaint, TheMenuLineShowsItsItemsWhereTheSystemPlacesThem) {
    TMainMenu* menu = nullptr;
    auto form = ShownFormWithMenu(menu);
    TSkinProvider* p = ProviderOf(*form);
    ASSERT_NE(p, nullptr);
    Compose(*p);
    HWND wnd = form->Handle();
    RECT window{};
    ::GetWindowRect(wnd, &window);
    for (UINT i = 0; i < 2; ++i) {
        RECT item{};
        ASSERT_TRUE(::GetMenuItemRect(wnd, menu->Handle(), i, &item));
        const TRect r{item.left - window.left, item.top - window.top, item.right - window.left, item.bottom - window.top};
        // The band's own colour at the item's left edge, ink within it.
        const uint32_t band = CachePixel(*p, r.Left + 1, r.Top + 1);
        int ink = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) ink += CachePixel(*p, x, y) != band ? 1 : 0;
        EXPECT_GT(ink, 0) << "item " << i;
    }
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    ad::test::SaveScreenshot(wnd, "skinned_fixture_menu");
}

TEST_F(SkinProviderPaint, NcActivateSwitchesTheTitleState) {
    auto form = ShownForm();
    TSkinProvider* p = ProviderOf(*form);
    ASSERT_NE(p, nullptr);
    Compose(*p);
    const TSkinTables& skin = *p->Skin();
    const int title = skin.SectionIndexOf("FORMTITLE");
    const TPoint t = TitlePoint(*p);
    HWND wnd = form->Handle();

    ::SendMessageW(wnd, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(p->FormActive(), 0);
    p->PrepareCache();
    EXPECT_EQ(CachePixel(*p, t.X, t.Y), Rgb(skin.Section(title).Props[0].Color)) << "inactive";

    ::SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(p->FormActive(), 1);
    p->PrepareCache();
    EXPECT_EQ(CachePixel(*p, t.X, t.Y), Rgb(skin.Section(title).Props[1].Color)) << "active again";

    // While a restore animation runs (0x400) activation changes nothing.
    p->SetFormState(p->FormState() | kFsRestoring);
    ::SendMessageW(wnd, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(p->FormActive(), 1);
    EXPECT_FALSE(p->SkinData->BgChanged);
    p->SetFormState(p->FormState() & ~kFsRestoring);
}

TEST_F(SkinProviderPaint, PrintIntoADibEqualsTheCache) {
    auto form = ShownForm();
    TSkinProvider* p = ProviderOf(*form);
    ASSERT_NE(p, nullptr);
    p->GripMode = gmRightBottom;  // the grip lies in the client area
    Compose(*p);
    const int w = p->SkinData->CacheImage->Width(), h = p->SkinData->CacheImage->Height();
    DibSection32 dib(w, h);
    ASSERT_TRUE(dib.Valid());
    std::fill(dib.Bits(), dib.Bits() + dib.PixelCount(), 0x00123456u);
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    {
        SelectObjectScope select(dc.Get(), dib.Get());
        ::SendMessageW(form->Handle(), WM_PRINT, WPARAM(dc.Get()), PRF_NONCLIENT | PRF_CLIENT);
        ::GdiFlush();
    }
    const TImageView32 cache = p->SkinData->CacheImage->View();
    int differing = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((dib.Row(y)[x] & 0xFFFFFFu) != (GetPixel32(cache, x, y) & 0xFFFFFFu)) {
                if (differing++ == 0) ADD_FAILURE() << x << "," << y << ": " << std::hex << dib.Row(y)[x] << " vs " << GetPixel32(cache, x, y);
            }
    EXPECT_EQ(differing, 0);
}

TEST_F(SkinProviderPaint, AHotButtonRepaintsOnlyItsRectangle) {
    auto form = ShownForm();
    TSkinProvider* p = ProviderOf(*form);
    ASSERT_NE(p, nullptr);
    Compose(*p);
    const TImageView32 cache = p->SkinData->CacheImage->View();
    std::vector<uint32_t> before;
    for (int y = 0; y < cache.Height; ++y)
        for (int x = 0; x < cache.Width; ++x) before.push_back(GetPixel32(cache, x, y));

    p->SetHotElement(HTCLOSE, true);
    EXPECT_EQ(p->Element(ceClose).State, 1);
    const TRect r = p->Element(ceClose).Rect;
    int outside = 0, inside = 0;
    for (int y = 0; y < cache.Height; ++y)
        for (int x = 0; x < cache.Width; ++x) {
            const bool changed = GetPixel32(cache, x, y) != before[size_t(y * cache.Width + x)];
            const bool in = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
            (in ? inside : outside) += changed ? 1 : 0;
        }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 0);
    const TPoint c = Centre(r);
    EXPECT_EQ(CachePixel(*p, c.X, c.Y), MaskPixel(*p, p->Skin()->CommonMasks.TitleButtons[tbClose], 1, 2, 2));

    p->SetHotElement(0, true);
    EXPECT_EQ(p->Element(ceClose).State, 0);
    EXPECT_EQ(CachePixel(*p, c.X, c.Y), MaskPixel(*p, p->Skin()->CommonMasks.TitleButtons[tbClose], 0, 2, 2));
}

TEST_F(SkinProviderPaint, AHoverFadesOnTheTimerWhenAnimationIsAllowed) {
    Skin.Manager->Effects.AllowAnimation = true;
    auto form = ShownForm();
    TSkinProvider* p = ProviderOf(*form);
    ASSERT_NE(p, nullptr);
    Compose(*p);
    const int mask = p->Skin()->CommonMasks.TitleButtons[tbClose];
    const TPoint c = Centre(p->Element(ceClose).Rect);
    const uint32_t normal = MaskPixel(*p, mask, 0, 2, 2), hot = MaskPixel(*p, mask, 1, 2, 2);

    p->SetHotElement(HTCLOSE, true);
    TSkThreadedTimer* fade = p->Element(ceClose).Animation.get();
    ASSERT_NE(fade, nullptr);
    EXPECT_TRUE(fade->Enabled());
    const uint32_t first = CachePixel(*p, c.X, c.Y);
    EXPECT_NE(first, normal);
    EXPECT_NE(first, hot) << "the first step is part-way";
    for (int i = 0; i < 20 && fade->Enabled(); ++i) fade->Tick();
    EXPECT_FALSE(fade->Enabled());
    EXPECT_EQ(CachePixel(*p, c.X, c.Y), hot);
}

TEST_F(SkinProviderPaint, ANewCaptionIsPaintedBehindACoverThatGoesAgain) {
    auto form = ShownForm();
    TSkinProvider* p = ProviderOf(*form);
    ASSERT_NE(p, nullptr);
    Compose(*p);
    const TImageView32 cache = p->SkinData->CacheImage->View();
    const TRect text{p->IconRect().Right + 4, 0, p->Element(ceMin).Rect.Left, p->ClientOffsetY()};
    std::vector<uint32_t> before;
    for (int y = text.Top; y < text.Bottom; ++y)
        for (int x = text.Left; x < text.Right; ++x) before.push_back(GetPixel32(cache, x, y));

    form->SetCaption(std::string(200, 'W'));  // far longer than the title
    ad::test::PumpPending();
    EXPECT_EQ(p->TitleCover(), nullptr);
    EXPECT_FALSE(p->SkinData->BgChanged);
    const TImageView32 now = p->SkinData->CacheImage->View();
    size_t i = 0;
    int changed = 0;
    for (int y = text.Top; y < text.Bottom; ++y)
        for (int x = text.Left; x < text.Right; ++x) changed += GetPixel32(now, x, y) != before[i++] ? 1 : 0;
    EXPECT_GT(changed, 0);
    // The text ends before the caption buttons.
    const TPoint t = TitlePoint(*p);
    EXPECT_EQ(CachePixel(*p, t.X, t.Y), Rgb(p->Skin()->Section(p->Skin()->SectionIndexOf("FORMTITLE")).Props[1].Color));
}

TEST_F(SkinProviderPaint, LeavingTheWindowClearsTheHotButton) {
    TSpiedForm f;
    ASSERT_NE(f.Provider, nullptr);
    TSkinProvider& p = *f.Provider;
    ::SendMessageW(f.Wnd(), WM_NCMOUSEMOVE, HTCLOSE, f.At(p.Element(ceClose).Rect));
    EXPECT_EQ(p.HotElement(), HTCLOSE);
    EXPECT_EQ(p.Element(ceClose).State, 1);
    ::SendMessageW(f.Wnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_LT(p.HotElement(), 1);
    EXPECT_EQ(p.Element(ceClose).State, 0);
}

TEST_F(SkinProviderPaint, CaptionButtonsSendTheirCommandOnlyWhenReleasedInside) {
    struct Case {
        const char* name;
        TSkCaptionElementId press;
        int releaseOn;  // -1: the caption, else the element
        bool maximised;
        std::vector<UINT> expected;
    };
    const Case cases[] = {
        {"close released inside", ceClose, ceClose, false, {SC_CLOSE}},
        {"close released outside", ceClose, -1, false, {}},
        {"close released on max", ceClose, ceMax, false, {}},
        {"max on a normal form", ceMax, ceMax, false, {SC_MAXIMIZE}},
        {"max on a maximised form", ceMax, ceMax, true, {SC_RESTORE}},
        {"min", ceMin, ceMin, false, {SC_MINIMIZE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSpiedForm f;
        ASSERT_NE(f.Provider, nullptr);
        if (c.maximised) {
            ::ShowWindow(f.Wnd(), SW_MAXIMIZE);
            ad::test::PumpPending();
            Compose(*f.Provider);
        }
        TSkinProvider& p = *f.Provider;
        const int code = p.Element(c.press).HitCode;
        ::SendMessageW(f.Wnd(), WM_NCLBUTTONDOWN, code, f.At(p.Element(c.press).Rect));
        EXPECT_EQ(p.Element(c.press).State, 2);
        const TPoint t = TitlePoint(p);
        const LPARAM release = c.releaseOn < 0 ? ScreenPoint(f.Wnd(), t.X, t.Y)
                                               : f.At(p.Element(TSkCaptionElementId(c.releaseOn)).Rect);
        ::SendMessageW(f.Wnd(), WM_NCLBUTTONUP, c.releaseOn < 0 ? HTCAPTION : p.Element(TSkCaptionElementId(c.releaseOn)).HitCode,
                       release);
        EXPECT_EQ(f.Commands, c.expected);
        EXPECT_FALSE(p.ElementPressed());
        EXPECT_EQ(p.Element(c.press).State, 0);
    }
}

TEST_F(SkinProviderPaint, AFormFreedByItsCloseButtonLeavesNothingBehind) {
    const int providers = TSkinProvider::LiveCount();
    TSpiedForm f;
    ASSERT_NE(f.Provider, nullptr);
    f.FreeOnClose = true;
    HWND wnd = f.Wnd();
    const LPARAM close = f.At(f.Provider->Element(ceClose).Rect);
    ::SendMessageW(wnd, WM_NCLBUTTONDOWN, HTCLOSE, close);
    ::SendMessageW(wnd, WM_NCLBUTTONUP, HTCLOSE, close);
    EXPECT_EQ(f.Commands, std::vector<UINT>{SC_CLOSE});
    EXPECT_EQ(f.Form, nullptr);
    EXPECT_FALSE(::IsWindow(wnd));
    EXPECT_EQ(TSkinProvider::LiveCount(), providers);
}

TEST_F(SkinProviderPaint, ReleaseWithoutPressAndDoubleClicks) {
    TSpiedForm f;
    ASSERT_NE(f.Provider, nullptr);
    TSkinProvider& p = *f.Provider;
    ::SendMessageW(f.Wnd(), WM_NCLBUTTONUP, HTCLOSE, f.At(p.Element(ceClose).Rect));
    EXPECT_TRUE(f.Commands.empty());

    const TPoint t = TitlePoint(p);
    ::SendMessageW(f.Wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(f.Wnd(), t.X, t.Y));
    EXPECT_EQ(f.Commands, std::vector<UINT>{SC_MAXIMIZE});
}

TEST_F(SkinProviderPaint, SystemMenuOpensOnlyAfterARightPressAndAtTheIcon) {
    std::vector<TPoint> shown;
    TSkinProvider::SystemMenuSeam = [&](TSkinProvider*, TPoint at) { shown.push_back(at); };
    TSpiedForm f;
    ASSERT_NE(f.Provider, nullptr);
    TSkinProvider& p = *f.Provider;
    const TPoint t = TitlePoint(p);
    const LPARAM caption = ScreenPoint(f.Wnd(), t.X, t.Y);

    ::SendMessageW(f.Wnd(), WM_NCRBUTTONUP, HTCAPTION, caption);
    EXPECT_TRUE(shown.empty()) << "no menu without a press";
    ::SendMessageW(f.Wnd(), WM_NCRBUTTONDOWN, HTCAPTION, caption);
    ::SendMessageW(f.Wnd(), WM_NCRBUTTONUP, HTCAPTION, caption);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].X, GET_X_LPARAM(caption));
    EXPECT_EQ(shown[0].Y, GET_Y_LPARAM(caption));

    // Alt+Space: below the title icon.
    ::SendMessageW(f.Wnd(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
    ASSERT_EQ(shown.size(), 2u);
    RECT window{};
    ::GetWindowRect(f.Wnd(), &window);
    EXPECT_EQ(shown[1].X, window.left + p.IconRect().Left);
    EXPECT_GE(shown[1].Y, window.top + p.IconRect().Bottom);
    EXPECT_LE(shown[1].Y, window.top + p.ClientOffsetY());
    TSkinProvider::SystemMenuSeam = nullptr;
}

TEST_F(SkinProviderPaint, SkinCommandsAnswer) {
    auto form = ShownForm();
    TSkinProvider* p = ProviderOf(*form);
    ASSERT_NE(p, nullptr);
    HWND wnd = form->Handle();
    RECT window{};
    ::GetWindowRect(wnd, &window);
    POINT client{0, 0};
    ::ClientToScreen(wnd, &client);
    const struct {
        int command;
        LRESULT expected;
    } answers[] = {
        {SKC_GETPROVIDER, reinterpret_cast<LRESULT>(p)},
        {SKC_ISSKINNED, 1},
        {SKC_GETCLIENTOFFSET, MAKELONG(client.x - window.left, client.y - window.top)},
        {SKC_GETSCALE, 100},
        {SKC_GETAPPLICATION, reinterpret_cast<LRESULT>(Application)},
    };
    for (const auto& a : answers) EXPECT_EQ(SendSkinCommand(wnd, a.command), a.expected) << a.command;
    SendSkinCommand(wnd, SKC_SETSCALE, 125);
    EXPECT_EQ(SendSkinCommand(wnd, SKC_GETSCALE), 125);
    SendSkinCommand(wnd, SKC_SETSCALE, 100);

    // A form alpha below 255 makes the window layered; 255 takes that off again.
    SendSkinCommand(wnd, SKC_SETFORMALPHA, 128);
    EXPECT_NE(::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    BYTE alpha = 0;
    DWORD how = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(wnd, nullptr, &alpha, &how));
    EXPECT_EQ(alpha, 128);
    SendSkinCommand(wnd, SKC_SETFORMALPHA, 255);
    EXPECT_EQ(::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);

    // Without the skin: still the provider, and the native look is back.
    Skin.Manager->SetActive(false);
    EXPECT_EQ(SendSkinCommand(wnd, SKC_GETPROVIDER), reinterpret_cast<LRESULT>(p));
    OwnedRegion region(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(::GetWindowRgn(wnd, region.Get()), ERROR);
    EXPECT_NE(StyleOf(wnd) & WS_SYSMENU, 0);
    EXPECT_EQ(form->Color(), clBtnFace);
}

TEST_F(SkinProviderPaint, OnlyAWholeEditorRecordIsTakenOver) {
    auto form = ShownForm();
    ASSERT_NE(ProviderOf(*form), nullptr);
    HWND wnd = form->Handle();
    SetSkinEditorLinkWindow(wnd);
    std::vector<uint8_t> whole(kEditorRecordSize, 0);
    std::memcpy(whole.data(), &kEditorMarker, sizeof kEditorMarker);
    std::memcpy(whole.data() + 4, "Forms", 5);
    std::vector<uint8_t> wrongMarker = whole;
    wrongMarker[1] = 0;  // the marker's high byte
    const struct {
        const char* name;
        ULONG_PTR id;
        const std::vector<uint8_t>* data;
        DWORD size;
        bool taken;
    } cases[] = {
        {"another id", 6, &whole, DWORD(whole.size()), false},
        {"short", kEditorCopyDataId, &whole, 100, false},
        {"one byte short", kEditorCopyDataId, &whole, DWORD(whole.size() - 1), false},
        {"wrong marker", kEditorCopyDataId, &wrongMarker, DWORD(wrongMarker.size()), false},
        {"no data", kEditorCopyDataId, nullptr, DWORD(whole.size()), false},
        {"whole", kEditorCopyDataId, &whole, DWORD(whole.size()), true},
    };
    HWND app = Application->Handle();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        COPYDATASTRUCT data{c.id, c.size, c.data ? const_cast<uint8_t*>(c.data->data()) : nullptr};
        const LRESULT result = ::SendMessageW(wnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
        MSG posted{};
        const bool applied = ::PeekMessageW(&posted, app, SKM_SKINCMD, SKM_SKINCMD, PM_REMOVE) &&
                             SkinCommandOf(posted.wParam) == SKC_APPLYEDITORSKIN;
        EXPECT_EQ(applied, c.taken);
        EXPECT_EQ(result != 0, c.taken);
        EXPECT_FALSE(EditorSkinActive());
    }
    SetSkinEditorLinkWindow(nullptr);
}

TEST_F(SkinProviderPaint, ANewSizeGivesANewImageAndRegion) {
    auto form = ShownForm();
    TSkinProvider* p = ProviderOf(*form);
    ASSERT_NE(p, nullptr);
    Compose(*p);
    HWND wnd = form->Handle();
    form->SetBounds(60, 60, 420, 300);
    ad::test::PumpPending();
    RECT window{};
    ::GetWindowRect(wnd, &window);
    ASSERT_EQ(window.right - window.left, 420);
    EXPECT_EQ(p->SkinData->CacheImage->Width(), 420);
    EXPECT_EQ(p->SkinData->CacheImage->Height(), 300);
    OwnedRegion region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(wnd, region.Get()), ERROR);
    RECT box{};
    ::GetRgnBox(region.Get(), &box);
    EXPECT_EQ(box.right, 420);
    EXPECT_EQ(box.bottom, 300);
    EXPECT_FALSE(::PtInRegion(region.Get(), 419, 299)) << "the corner is cut";
    EXPECT_TRUE(::PtInRegion(region.Get(), 210, 150));
}

TEST_F(SkinProviderPaint, AStretchedFormDraggedKeepsItsSizeLimits) {
    auto form = ShownForm();
    TSkinProvider* p = ProviderOf(*form);
    ASSERT_NE(p, nullptr);
    p->SetFormState(p->FormState() | kFsStretchedHeight);
    WINDOWPOS pos{form->Handle(), nullptr, 100, 120, 2, 3, 0};
    ::SendMessageW(form->Handle(), WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    EXPECT_GE(pos.cx, ::GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_GE(pos.cy, ::GetSystemMetrics(SM_CYMINTRACK));
    EXPECT_EQ(p->FormState() & (kFsStretchedHeight | kFsStretchedWidth), 0u);
}

}  // namespace
}  // namespace ad::skin::forms::test
