// The extended border: the border window's ownership, place, region, hit
// test, the clicks it hands to the form, stretching by double-click, the
// restore of a maximised form by dragging, and its cost on moves.
#include "skin/forms/SkBorderForm.h"

#include <gtest/gtest.h>

#include "framework/Handles.h"
#include "framework/StdCtrls.h"
#include "skin/engine/win/SkinGdiPaint.h"
#include "skin/engine/win/SkinWindowAnimation.h"
#include "skin/forms/SkGlowEffect.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkinFormMetrics.h"
#include "skin/forms/SkinFormsTestKit.h"
#include "testsupport/GuiTest.h"

#include <windowsx.h>  // after the engine headers: it defines SetWindowRedraw as a macro

namespace ad::skin::forms {
namespace {

using namespace test;

// A fixture skin with extended borders on, and one shown sizeable form.
struct TBorderedForm {
    explicit TBorderedForm(TFormStyle style = TFormStyle::fsNormal, bool alphaShows = true) {
        // Most cases as on a display that blends layered windows.
        TSkBorderForm::AlphaShowsSeam = alphaShows ? +[] { return true; } : +[] { return false; };
        skin.Manager->SetExtendedBorders(true);
        form = std::make_unique<TForm>(nullptr);
        form->SetFormStyle(style);
        form->SetBounds(120, 110, 320, 220);
        form->SetCaption("Bordered");
        form->Show();
        ad::test::PumpPending();
        wnd = form->Handle();
        provider = ProviderOf(*form);
        border = provider ? provider->BorderForm() : nullptr;
        bwnd = border ? border->Handle() : nullptr;
    }
    ~TBorderedForm() {
        TSkBorderForm::MoveLoopSeam = nullptr;
        form->Hide();
        TSkBorderForm::AlphaShowsSeam = nullptr;
    }
    RECT BorderRect() const {
        RECT r{};
        ::GetWindowRect(border->Handle(), &r);
        return r;
    }
    // A screen point at border-window point (x, y).
    LPARAM At(int x, int y) const {
        const RECT r = BorderRect();
        return MAKELPARAM(r.left + x, r.top + y);
    }
    TSkShadowMargins Shadow() const { return provider->ShadowMargins(); }

    TFormSkinFixture skin;
    std::unique_ptr<TForm> form;
    HWND wnd = nullptr;
    TSkinProvider* provider = nullptr;
    TSkBorderForm* border = nullptr;
    HWND bwnd = nullptr;
};

TEST(SkBorderForm, OwnedLayeredWindowAroundTheForm) {
    TBorderedForm f;
    ASSERT_NE(f.provider, nullptr);
    ASSERT_NE(f.border, nullptr);
    ASSERT_NE(f.bwnd, nullptr);
    EXPECT_EQ(::GetWindow(f.bwnd, GW_OWNER), f.wnd);
    EXPECT_EQ(::GetWindowLongPtrW(f.bwnd, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_TOPMOST), LONG_PTR(WS_EX_LAYERED));
    EXPECT_TRUE(::IsWindowVisible(f.bwnd));

    // Grown by the shadow and what the skin's frame adds to the system's.
    const TSkinTables* skin = f.skin.Manager->Skin();
    const TSkShadowMargins shadow = f.Shadow();
    EXPECT_EQ(shadow.Left, skin->ExtBorderInsets.Left);
    EXPECT_GT(shadow.Left, 0);
    RECT window{};
    ::GetWindowRect(f.wnd, &window);
    POINT origin{0, 0};
    ::ClientToScreen(f.wnd, &origin);
    // The system's own frame, as the window has it.
    const int frame = origin.x - window.left, caption = origin.y - window.top - frame;
    const int extraSide = skin->GlobalInfo.BorderWidth - frame;
    const int extraTitle = skin->GlobalInfo.TitleHeight - caption - frame;
    RECT form{};
    ::GetWindowRect(f.wnd, &form);
    const RECT r = f.BorderRect();
    EXPECT_EQ(r.left, form.left - shadow.Left - extraSide);
    EXPECT_EQ(r.top, form.top - shadow.Top - extraTitle);
    EXPECT_EQ(r.right, form.right + shadow.Right + extraSide);
    EXPECT_EQ(r.bottom, form.bottom + shadow.Bottom + extraSide);

    // The form's client shows through the border window's region; the title does not.
    OwnedRegion region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(f.bwnd, region.Get()), ERROR);
    POINT client{f.form->ClientWidth() / 2, f.form->ClientHeight() / 2};
    ::ClientToScreen(f.wnd, &client);
    EXPECT_FALSE(::PtInRegion(region.Get(), client.x - r.left, client.y - r.top));
    EXPECT_TRUE(::PtInRegion(region.Get(), (r.right - r.left) / 2, shadow.Top + 5));
    POINT clientOrigin{0, 0};
    ::ClientToScreen(f.wnd, &clientOrigin);
    EXPECT_EQ(clientOrigin.x - r.left, f.provider->ClientOffsetX());
    EXPECT_EQ(clientOrigin.y - r.top, f.provider->ClientOffsetY());
}

// A dialog-style form placed at the screen's centre and shown modally gets
// the border window too: its region leaves the client, and so the controls,
// to the form.
namespace modal {
TForm* form = nullptr;
int clientShown = -1;  // 1: the client's centre lies outside the border's region
void CALLBACK Check(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    TSkinProvider* provider = ProviderOf(*form);
    TSkBorderForm* border = provider ? provider->BorderForm() : nullptr;
    if (border && border->Handle()) {
        RECT r{};
        ::GetWindowRect(border->Handle(), &r);
        OwnedRegion region(::CreateRectRgn(0, 0, 0, 0));
        POINT centre{form->ClientWidth() / 2, form->ClientHeight() / 2};
        ::ClientToScreen(form->Handle(), &centre);
        clientShown = ::GetWindowRgn(border->Handle(), region.Get()) != ERROR &&
                      !::PtInRegion(region.Get(), centre.x - r.left, centre.y - r.top);
    }
    form->ModalResult = mrCancel;
}
}  // namespace modal

TEST(SkBorderForm, AModalDialogShowsItsControlsThroughTheBorder) {
    TFormSkinFixture skin;
    TSkBorderForm::AlphaShowsSeam = +[] { return false; };  // as under Wine: no shadow band
    skin.Manager->SetExtendedBorders(true);
    TForm owner(nullptr);
    owner.SetBounds(50, 50, 500, 400);
    owner.Show();
    ad::test::PumpPending();
    TForm form(&owner);
    form.BorderStyle = TFormBorderStyle::bsDialog;
    form.BorderIcons = biSystemMenu;
    form.Position = TPosition::poScreenCenter;
    form.SetClientSize(300, 200);
    form.SetCaption("Dialog");
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetBounds(100, 80, 100, 30);
    modal::form = &form;
    modal::clientShown = -1;
    ::SetTimer(nullptr, 0, 300, modal::Check);
    form.ShowModal();
    EXPECT_EQ(modal::clientShown, 1);
    TSkBorderForm::AlphaShowsSeam = nullptr;
}

TEST(SkBorderForm, HitTestOfTheSizingZoneAndTheTitle) {
    TBorderedForm f;
    ASSERT_NE(f.bwnd, nullptr);
    const TSkShadowMargins s = f.Shadow();
    const RECT r = f.BorderRect();
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int zone = std::max(6, int(f.skin.Manager->Skin()->GlobalInfo.BorderWidth));
    struct Case {
        int x, y, code;
    } cases[] = {
        {s.Left - 1, h / 2, HTLEFT},
        {s.Left - zone, h / 2, HTLEFT},
        {w - s.Right, h / 2, HTRIGHT},
        {w / 2, s.Top - 1, HTTOP},
        {w / 2, h - s.Bottom, HTBOTTOM},
        {s.Left - 1, s.Top - 1, HTTOPLEFT},
        {w - s.Right, s.Top - 1, HTTOPRIGHT},
        {s.Left - 1, h - s.Bottom, HTBOTTOMLEFT},
        {w - s.Right, h - s.Bottom, HTBOTTOMRIGHT},
        {w / 2, s.Top + 4, HTCAPTION},
        {s.Left - zone - 1, h / 2, -1},  // in the shadow, beyond the zone
    };
    for (const Case& c : cases) {
        const LPARAM at = f.At(c.x, c.y);
        EXPECT_EQ(f.border->HitTest({GET_X_LPARAM(at), GET_Y_LPARAM(at)}), c.code) << c.x << "," << c.y;
        // The system hears of the border (19) inside the zone, and of nothing beyond it.
        const LRESULT nc = ::SendMessageW(f.bwnd, WM_NCHITTEST, 0, at);
        EXPECT_EQ(nc, c.code == -1 ? LRESULT(HTTRANSPARENT) : LRESULT(kHitBorder)) << c.x << "," << c.y;
    }
    // The caption buttons lie where the image shows them.
    const TRect close = f.provider->Element(ceClose).Rect;
    const LPARAM at = f.At((close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2);
    EXPECT_EQ(f.border->HitTest({GET_X_LPARAM(at), GET_Y_LPARAM(at)}), HTCLOSE);
}

TEST(SkBorderForm, WithoutBlendingThereIsNoShadowAndTheFrameSizes) {
    TBorderedForm f(TFormStyle::fsNormal, false);
    ASSERT_NE(f.bwnd, nullptr);
    const TSkShadowMargins s = f.Shadow();
    EXPECT_EQ(s.Left + s.Top + s.Right + s.Bottom, 0);  // no opaque band where the shadow would be
    RECT form{};
    ::GetWindowRect(f.wnd, &form);
    const RECT r = f.BorderRect();
    const int extraSide = ExtraBorderWidth(f.border);
    EXPECT_EQ(r.left, form.left - extraSide);
    EXPECT_EQ(r.right, form.right + extraSide);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int depth = std::max(4, int(f.skin.Manager->Skin()->GlobalInfo.BorderWidth));
    struct Case {
        int x, y, code;
    } cases[] = {
        {0, h / 2, HTLEFT},
        {depth - 1, h / 2, HTLEFT},
        {w - 1, h / 2, HTRIGHT},
        {w / 2, h - 1, HTBOTTOM},
        {0, h - 1, HTBOTTOMLEFT},
        {w / 2, 0, HTTOP},
        {w / 2, 8, HTCAPTION},
    };
    for (const Case& c : cases) {
        const LPARAM at = f.At(c.x, c.y);
        EXPECT_EQ(f.border->HitTest({GET_X_LPARAM(at), GET_Y_LPARAM(at)}), c.code) << c.x << "," << c.y;
        EXPECT_EQ(::SendMessageW(f.bwnd, WM_NCHITTEST, 0, at), LRESULT(kHitBorder)) << c.x << "," << c.y;
    }
    // Every pixel handed over is opaque.
    const TImageView32 image = f.provider->SkinData->CacheImage->View();
    EXPECT_EQ(image.Pixel(0, h / 2)[3], 255);
    EXPECT_EQ(image.Pixel(w / 2, 0)[3], 255);
}

TEST(SkBorderForm, ClicksGoToTheFormWhichAsksTheBorder) {
    TBorderedForm f;
    ASSERT_NE(f.bwnd, nullptr);
    const TRect close = f.provider->Element(ceClose).Rect;
    const LPARAM at = f.At((close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2);
    ::SendMessageW(f.bwnd, WM_NCLBUTTONDOWN, HTBORDER, at);
    EXPECT_EQ(f.provider->Element(ceClose).State, 2);
    EXPECT_TRUE(f.provider->ElementPressed());
    ::SendMessageW(f.bwnd, WM_NCLBUTTONUP, HTBORDER, at);
    ad::test::PumpPending();
    EXPECT_FALSE(::IsWindowVisible(f.wnd));  // closed (hidden)
    // With the form its border window went.
    EXPECT_TRUE(f.border->Handle() == nullptr || !::IsWindowVisible(f.border->Handle()));
}

TEST(SkBorderForm, DoubleClickOnASideStretchesToTheWorkAreaAndBack) {
    TBorderedForm f;
    ASSERT_NE(f.bwnd, nullptr);
    const TSkShadowMargins s = f.Shadow();
    const RECT r = f.BorderRect();
    const TRect work = GetWindowWorkArea(f.wnd);
    const int extra = ExtraBorderWidth(f.border);
    const int left = f.form->Left(), width = f.form->Width(), top = f.form->Top(), height = f.form->Height();

    ::SendMessageW(f.bwnd, WM_NCLBUTTONDBLCLK, HTBORDER, f.At(s.Left - 2, (r.bottom - r.top) / 2));
    EXPECT_EQ(f.form->Left(), work.Left + extra);
    EXPECT_EQ(f.form->Width(), work.Width() - 2 * extra);
    EXPECT_EQ(f.form->Top(), top);
    EXPECT_TRUE(f.provider->FormState() & kFsStretchedWidth);
    const RECT after = f.BorderRect();
    EXPECT_EQ(after.right - after.left, f.form->Width() + (r.right - r.left) - width);  // followed the form

    ::SendMessageW(f.bwnd, WM_NCLBUTTONDBLCLK, HTBORDER, f.At(s.Left - 2, (r.bottom - r.top) / 2));
    EXPECT_EQ(f.form->Left(), left);
    EXPECT_EQ(f.form->Width(), width);
    EXPECT_FALSE(f.provider->FormState() & kFsStretchedWidth);

    // The bottom edge: the height from the work area's top (below the extra title) to its bottom.
    const RECT r2 = f.BorderRect();
    ::SendMessageW(f.bwnd, WM_NCLBUTTONDBLCLK, HTBORDER, f.At((r2.right - r2.left) / 2, r2.bottom - r2.top - s.Bottom + 1));
    EXPECT_EQ(f.form->Top(), work.Top + ExtraTitleHeight(f.border));
    EXPECT_EQ(f.form->Top() + f.form->Height(), work.Bottom - extra);
    const RECT r3 = f.BorderRect();
    ::SendMessageW(f.bwnd, WM_NCLBUTTONDBLCLK, HTBORDER, f.At((r3.right - r3.left) / 2, r3.bottom - r3.top - s.Bottom + 1));
    EXPECT_EQ(f.form->Top(), top);
    EXPECT_EQ(f.form->Height(), height);
}

TEST(SkBorderForm, MovesRepositionWithoutNewImagesAndSizesRepaint) {
    TBorderedForm f;
    ASSERT_NE(f.bwnd, nullptr);
    const size_t images = f.border->ImageUpdates();
    const RECT before = f.BorderRect();
    for (int i = 1; i <= 5; ++i) f.form->SetBounds(120 + 7 * i, 110 + 3 * i, 320, 220);
    const RECT moved = f.BorderRect();
    EXPECT_EQ(f.border->ImageUpdates(), images);
    EXPECT_EQ(moved.left - before.left, 35);
    EXPECT_EQ(moved.top - before.top, 15);
    EXPECT_EQ(moved.right - moved.left, before.right - before.left);

    f.form->SetBounds(f.form->Left(), f.form->Top(), 360, 250);
    const RECT sized = f.BorderRect();
    EXPECT_GT(f.border->ImageUpdates(), images);
    EXPECT_EQ(sized.right - sized.left, before.right - before.left + 40);
    EXPECT_EQ(sized.bottom - sized.top, before.bottom - before.top + 30);
}

TEST(SkBorderForm, TheImageHandedOverIsOpaqueFrameAndShadowAround) {
    TBorderedForm f;
    ASSERT_NE(f.bwnd, nullptr);
    const TImageView32 image = f.provider->SkinData->CacheImage->View();
    const TSkShadowMargins s = f.Shadow();
    // The frame and title are opaque; the shadow band outside them is never opaque.
    EXPECT_EQ(image.Pixel(image.Width / 2, s.Top + 3)[3], 255);
    EXPECT_EQ(image.Pixel(s.Left + 1, image.Height / 2)[3], 255);
    for (int x = 0; x < s.Left; ++x) EXPECT_LT(image.Pixel(x, image.Height / 2)[3], 255) << x;
    for (int y = 0; y < s.Top; ++y) EXPECT_LT(image.Pixel(image.Width / 2, y)[3], 255) << y;
}

TEST(SkBorderForm, TheHoleUnderTheMouseChangesOnlyWithThePixel) {
    TBorderedForm f;
    ASSERT_NE(f.bwnd, nullptr);
    const RECT r = f.BorderRect();
    const int y = (r.bottom - r.top) / 2;
    const size_t start = f.border->HoleUpdates();
    ::SendMessageW(f.bwnd, WM_MOUSEMOVE, 0, MAKELPARAM(0, y));
    ::SendMessageW(f.bwnd, WM_MOUSEMOVE, 0, MAKELPARAM(0, y));
    ::SendMessageW(f.bwnd, WM_MOUSEMOVE, 0, MAKELPARAM(0, y));
    EXPECT_EQ(f.border->HoleUpdates(), start + 1);
    OwnedRegion region(::CreateRectRgn(0, 0, 0, 0));
    ::GetWindowRgn(f.bwnd, region.Get());
    EXPECT_FALSE(::PtInRegion(region.Get(), 0, y));
    EXPECT_TRUE(::PtInRegion(region.Get(), 0, y + 1));
    ::SendMessageW(f.bwnd, WM_MOUSEMOVE, 0, MAKELPARAM(1, y));
    EXPECT_EQ(f.border->HoleUpdates(), start + 2);
    // Inside the zone the mouse makes no hole.
    ::SendMessageW(f.bwnd, WM_MOUSEMOVE, 0, MAKELPARAM(f.Shadow().Left - 1, y));
    EXPECT_EQ(f.border->HoleUpdates(), start + 2);
}

TEST(SkBorderForm, DraggingAMaximisedFormsCaptionRestoresItUnderTheCursor) {
    TBorderedForm f;
    ASSERT_NE(f.bwnd, nullptr);
    HWND dragged = nullptr;
    TSkBorderForm::MoveLoopSeam = [&](HWND owner) { dragged = owner; };
    ::ShowWindow(f.wnd, SW_MAXIMIZE);
    ad::test::PumpPending();
    ASSERT_TRUE(::IsZoomed(f.wnd));
    TSkBorderForm* border = f.provider->BorderForm();
    ASSERT_NE(border, nullptr);
    ASSERT_NE(border->Handle(), nullptr);
    RECT r{};
    ::GetWindowRect(border->Handle(), &r);
    const TSkShadowMargins s = f.Shadow();
    const POINT press{(r.left + r.right) / 2, r.top + s.Top + 8};
    ASSERT_EQ(border->HitTest({press.x, press.y}), HTCAPTION);
    ::SendMessageW(border->Handle(), WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(press.x, press.y));
    // A small shake is no drag.
    ::SendMessageW(border->Handle(), WM_NCMOUSEMOVE, HTBORDER, MAKELPARAM(press.x + 5, press.y));
    EXPECT_TRUE(::IsZoomed(f.wnd));
    EXPECT_EQ(dragged, nullptr);
    const POINT to{press.x + 40, press.y + 100};
    ::SendMessageW(border->Handle(), WM_NCMOUSEMOVE, HTBORDER, MAKELPARAM(to.x, to.y));
    EXPECT_FALSE(::IsZoomed(f.wnd));
    EXPECT_EQ(dragged, f.wnd);
    RECT form{};
    ::GetWindowRect(f.wnd, &form);
    EXPECT_EQ((form.left + form.right) / 2, to.x);
    EXPECT_EQ(form.top, to.y - 8);
}

TEST(SkBorderForm, StayOnTopFormKeepsItsBorderAbove) {
    TBorderedForm f(TFormStyle::fsStayOnTop);
    ASSERT_NE(f.bwnd, nullptr);
    ::SetWindowPos(f.wnd, HWND_TOPMOST, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    ad::test::PumpPending();
    ASSERT_NE(f.border->Handle(), nullptr);
    // Walking down from the border window reaches the form.
    bool below = false;
    for (HWND w = ::GetWindow(f.border->Handle(), GW_HWNDNEXT); w; w = ::GetWindow(w, GW_HWNDNEXT))
        if (w == f.wnd) {
            below = true;
            break;
        }
    EXPECT_TRUE(below);
}

TEST(SkBorderForm, SwitchedOffTheFormWearsItsOwnFrameAgain) {
    TBorderedForm f;
    ASSERT_NE(f.bwnd, nullptr);
    const int before = TSkBorderForm::LiveWindows();
    f.skin.Manager->SetExtendedBorders(false);
    ad::test::PumpPending();
    EXPECT_EQ(f.provider->BorderForm(), nullptr);
    EXPECT_EQ(TSkBorderForm::LiveWindows(), before - 1);
    EXPECT_EQ(f.provider->ShadowMargins().Left, 0);
    EXPECT_EQ(f.provider->ImageWidth(), f.form->Width());
}

TEST(SkBorderForm, ShowAndHideCyclesLeaveNothingBehind) {
    TBorderedForm f;
    ASSERT_NE(f.bwnd, nullptr);
    f.form->Hide();
    ad::test::PumpPending();
    const long gdi = LiveGdiObjects();
    const int windows = TSkBorderForm::LiveWindows(), glows = glow::LiveGlowCount();
    for (int i = 0; i < 200; ++i) {
        f.form->Show();
        f.form->Hide();
    }
    ad::test::PumpPending();
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_EQ(TSkBorderForm::LiveWindows(), windows);
    EXPECT_EQ(glow::LiveGlowCount(), glows);
    f.form->Show();
    ad::test::PumpPending();
    ASSERT_NE(f.provider->BorderForm(), nullptr);
    EXPECT_TRUE(f.provider->BorderForm()->Handle() && ::IsWindowVisible(f.provider->BorderForm()->Handle()));
}

}  // namespace
}  // namespace ad::skin::forms
