// The provider's metrics and hit test on real forms, at points computed from
// its layout and the system metrics; and the pure size rules.
#include <gtest/gtest.h>

#include "framework/Menus.h"
#include "skin/forms/SkinFormMetrics.h"
#include "skin/forms/SkinFormsTestKit.h"
#include "testsupport/AllocationMeter.h"

AD_DEFINE_ALLOCATION_METER()

namespace ad::skin::forms {
namespace {

using namespace test;

TPoint Centre(const TRect& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

TEST(SkinProviderGeometry, HitTestAnswersEachPartOfTheFrameAtPointsFromTheLayout) {
    TSkinnedForm f(TFormBorderStyle::bsSizeable, 360, 240);
    ASSERT_NE(f.provider, nullptr);
    HWND wnd = f.wnd;
    TSkinProvider* provider = f.provider;
    provider->GripMode = gmRightBottom;
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    provider->PrepareCache();

    RECT wr{}, cr{};
    ::GetWindowRect(wnd, &wr);
    ::GetClientRect(wnd, &cr);
    POINT clientOrigin{0, 0};
    ::ClientToScreen(wnd, &clientOrigin);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    const int frame = ::GetSystemMetrics(SM_CXFRAME);
    const int clientTop = clientOrigin.y - wr.top;
    ASSERT_EQ(provider->ButtonWidth(provider->Element(ceClose)), kButtonW) << "the skin's buttons are used";
    const TPoint close = Centre(provider->Element(ceClose).Rect);
    const TPoint max = Centre(provider->Element(ceMax).Rect);
    const TPoint min = Centre(provider->Element(ceMin).Rect);
    const TPoint icon = Centre(provider->IconRect());
    const TPoint grip = provider->GripPosition();
    ASSERT_FALSE(IsEmpty(provider->IconRect()));
    ASSERT_GT(grip.X, w / 2);

    struct Case {
        const char* part;
        int x, y;
        LRESULT code;
    } cases[] = {
        {"close", close.X, close.Y, HTCLOSE},
        {"maximise", max.X, max.Y, HTMAXBUTTON},
        {"minimise", min.X, min.Y, HTMINBUTTON},
        {"icon", icon.X, icon.Y, HTSYSMENU},
        {"caption", w / 2, frame + 2, HTCAPTION},
        {"last caption row", w / 2, clientTop - 1, HTCAPTION},
        {"first client row", w / 2, clientTop, HTCLIENT},
        {"client", w / 2, h / 2, HTCLIENT},
        {"left edge", 0, h / 2, HTLEFT},
        {"right edge", w - 1, h / 2, HTRIGHT},
        {"top edge", w / 2, 0, HTTOP},
        {"bottom edge", w / 2, h - 1, HTBOTTOM},
        {"top left", 0, 0, HTTOPLEFT},
        {"top right", w - 1, 0, HTTOPRIGHT},
        {"bottom left", 0, h - 1, HTBOTTOMLEFT},
        {"bottom right", w - 1, h - 1, HTBOTTOMRIGHT},
        {"grip", grip.X + 2, grip.Y + 2, HTBOTTOMRIGHT},
        {"left of the grip", grip.X - 2, grip.Y + 2, HTCLIENT},
    };
    for (const Case& c : cases) EXPECT_EQ(HitAt(wnd, c.x, c.y), c.code) << c.part << " at " << c.x << "," << c.y;

    // A greyed close item makes the close button part of the caption.
    ::EnableMenuItem(::GetSystemMenu(wnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_EQ(HitAt(wnd, close.X, close.Y), HTCAPTION);
    ::EnableMenuItem(::GetSystemMenu(wnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
    EXPECT_EQ(HitAt(wnd, close.X, close.Y), HTCLOSE);
}

TEST(SkinProviderGeometry, TheHitTestAllocatesNothing) {
    TSkinnedForm f;
    ASSERT_NE(f.provider, nullptr);
    f.PaintFrame();
    const TPoint close = Centre(f.provider->Element(ceClose).Rect);
    const int points[][2] = {{close.X, close.Y}, {5, 5}, {0, 100}, {160, 10}, {160, 120}};
    ad::test::AllocationMeter meter;
    for (int i = 0; i < 1000; ++i)
        for (const auto& p : points) HitAt(f.wnd, p[0], p[1]);
    EXPECT_EQ(meter.Bytes(), 0u);
}

TEST(SkinProviderGeometry, AMaximisedFormAnswersNoBorderCodes) {
    TSkinnedForm f;
    ASSERT_NE(f.provider, nullptr);
    HWND wnd = f.wnd;
    ::ShowWindow(wnd, SW_MAXIMIZE);
    ad::test::PumpPending();
    ASSERT_TRUE(::IsZoomed(wnd));
    RECT wr{};
    ::GetWindowRect(wnd, &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    for (auto [x, y] : {std::pair{0, h / 2}, {w - 1, h / 2}, {w / 2, 0}, {w / 2, h - 1}, {0, 0}, {w - 1, h - 1}}) {
        const LRESULT code = HitAt(wnd, x, y);
        EXPECT_FALSE(code >= HTLEFT && code <= HTBOTTOMRIGHT) << x << "," << y << " answered " << code;
    }
    ::ShowWindow(wnd, SW_RESTORE);
}

TEST(SkinProviderGeometry, TheMaximisedFormCoversTheWorkAreaWithItsFrameOutside) {
    TSkinnedForm f;
    ASSERT_NE(f.provider, nullptr);
    HWND wnd = f.wnd;
    MINMAXINFO info{};
    ::SendMessageW(wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const int a = ::GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(info.ptMaxPosition.x, -a);
    EXPECT_EQ(info.ptMaxPosition.y, -a);
    EXPECT_EQ(info.ptMaxSize.x, monitor.rcWork.right - monitor.rcWork.left + 2 * a);
    EXPECT_EQ(info.ptMaxSize.y, monitor.rcWork.bottom - monitor.rcWork.top + 2 * a);
}

TEST(SkinProviderGeometry, SizesFollowTheSystemFrameAndTheSkinWhereItCounts) {
    TSkinnedForm f;
    ASSERT_NE(f.provider, nullptr);
    HWND wnd = f.wnd;
    TSkinProvider* provider = f.provider;
    // The skin's BORDERWIDTH (6) counts only with a border window.
    EXPECT_EQ(FormBorderWidth(wnd, nullptr, true), ::GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(provider->CaptionHeight(), ::GetSystemMetrics(SM_CYCAPTION));
    // MAXHEIGHT 0 in the skin: the maximised title is as high as TITLEHEIGHT.
    EXPECT_EQ(provider->TitleHeightOfSkin(true), 30);
    EXPECT_EQ(provider->TitleHeightOfSkin(false), 30);
    // Client offsets are where the client area really lies.
    RECT wr{};
    ::GetWindowRect(wnd, &wr);
    POINT origin{0, 0};
    ::ClientToScreen(wnd, &origin);
    EXPECT_EQ(provider->ClientOffsetX(), origin.x - wr.left);
    EXPECT_EQ(provider->ClientOffsetY(), origin.y - wr.top);
    EXPECT_EQ(SendSkinCommand(wnd, SKC_GETCLIENTOFFSET),
              MAKELONG(origin.x - wr.left, origin.y - wr.top));
    EXPECT_EQ(provider->ImageWidth(), wr.right - wr.left);

    // Hidden user title buttons keep their room in the title.
    const int before = provider->ButtonsWidth();
    provider->TitleButtons.resize(2);
    provider->TitleButtons[1].Visible = false;
    const int buttonWidth = provider->TitleButtonWidth(provider->TitleButtons[0]);
    EXPECT_EQ(provider->ButtonsWidth(), before + 6 + 2 * buttonWidth);
    provider->LayoutTitle();
    const TRect& shown = provider->TitleButtons[0].Rect;
    EXPECT_EQ(shown.Width(), buttonWidth);
    EXPECT_EQ(HitAt(wnd, Centre(shown).X, Centre(shown).Y), kHitTitleButton + 0);
    provider->TitleButtons[0].Enabled = false;
    EXPECT_EQ(HitAt(wnd, Centre(shown).X, Centre(shown).Y), HTCAPTION);
    provider->TitleButtons.clear();
    provider->LayoutTitle();
}

TEST(SkinProviderGeometry, TheMenuBarAnswersAsTheMenuBetweenCaptionAndClient) {
    TFormSkinFixture skin;
    TMainMenu* menu = nullptr;
    auto form = ShownFormWithMenu(menu);
    HWND wnd = form->Handle();
    TSkinProvider* provider = ProviderOf(*form);
    ASSERT_NE(provider, nullptr);
    EXPECT_TRUE(provider->HasMenuLine());
    EXPECT_EQ(provider->MenuLineHeight(), ::GetSystemMetrics(SM_CYMENU) - 1);
    EXPECT_EQ(provider->MenuLineCount(), 1);
    RECT wr{};
    ::GetWindowRect(wnd, &wr);
    POINT origin{0, 0};
    ::ClientToScreen(wnd, &origin);
    const int clientTop = origin.y - wr.top;
    const int captionBottom = ::GetSystemMetrics(SM_CXFRAME) + provider->CaptionHeight();
    EXPECT_EQ(HitAt(wnd, 160, captionBottom - 1), HTCAPTION);
    for (int y = captionBottom; y < clientTop; ++y) EXPECT_EQ(HitAt(wnd, 160, y), HTMENU) << "row " << y;
    EXPECT_EQ(HitAt(wnd, 160, clientTop), HTCLIENT);
    ad::test::SaveScreenshot(wnd, "SkinnedFormWithMenu.bmp");
    form->Hide();
}

TEST(SkinProviderGeometry, AFormOfferingHelpShowsAHelpButtonLeftOfTheOthers) {
    TFormSkinFixture skin;
    auto form = std::make_unique<TForm>(nullptr);
    form->BorderIcons = biSystemMenu | biHelp;
    form->BorderStyle = TFormBorderStyle::bsSingle;
    form->SetBounds(60, 60, 300, 200);
    form->Show();
    ad::test::PumpPending();
    TSkinProvider* provider = ProviderOf(*form);
    ASSERT_NE(provider, nullptr);
    provider->LayoutTitle();
    EXPECT_EQ(provider->SysButtonCount(), 2);
    const TRect help = provider->Element(ceHelp).Rect, close = provider->Element(ceClose).Rect;
    ASSERT_FALSE(IsEmpty(help));
    EXPECT_LE(help.Right + 6, close.Left);
    EXPECT_EQ(provider->Element(ceClose).GlyphKind, tbCloseAlone) << "no maximise or minimise button";
    EXPECT_EQ(HitAt(form->Handle(), Centre(help).X, Centre(help).Y), HTHELP);
    form->Hide();
}

TEST(SkinProviderGeometry, ToolWindowsUseTheSmallCaptionUnlessMinimised) {
    const int small = ::GetSystemMetrics(SM_CYSMCAPTION), normal = ::GetSystemMetrics(SM_CYCAPTION);
    struct Case {
        TFormBorderStyle style;
        bool iconic;
        int height;
    } cases[] = {{TFormBorderStyle::bsToolWindow, false, small},   {TFormBorderStyle::bsSizeToolWin, false, small},
                 {TFormBorderStyle::bsToolWindow, true, normal},   {TFormBorderStyle::bsSizeable, false, normal},
                 {TFormBorderStyle::bsDialog, false, normal}};
    for (const Case& c : cases) EXPECT_EQ(SysCaptionHeightFor(c.style, c.iconic), c.height) << int(c.style);
}

TEST(SkinProviderGeometry, IconSizesByCaptionHeight) {
    struct Case {
        int h, size;
    } cases[] = {{-101, 32}, {-100, 1}, {0, 1}, {8, 1},   {9, 8},   {16, 8},  {17, 16},
                 {33, 16},   {34, 24},  {48, 24}, {49, 32}, {200, 32}};
    for (const Case& c : cases) EXPECT_EQ(IconSizeFor(c.h), c.size) << c.h;
}

TEST(SkinProviderGeometry, SmallCaptionsPlaceTheSmallButtonsAndNoIcon) {
    TFormSkinFixture skin;
    auto form = ShownForm(TFormBorderStyle::bsToolWindow, 240, 160);
    TSkinProvider* provider = ProviderOf(*form);
    ASSERT_NE(provider, nullptr);
    provider->LayoutTitle();
    EXPECT_FALSE(provider->LargeCaptionButtons());
    EXPECT_EQ(provider->Element(ceClose).GlyphKind, tbSmallClose);
    EXPECT_TRUE(IsEmpty(provider->IconRect()));
    EXPECT_TRUE(IsEmpty(provider->Element(ceMax).Rect)) << "a tool window shows no maximise button";
    EXPECT_EQ(provider->SysButtonCount(), 1);
    const TPoint close = Centre(provider->Element(ceClose).Rect);
    EXPECT_EQ(HitAt(form->Handle(), close.X, close.Y), HTCLOSE);
    form->Hide();
}

}  // namespace
}  // namespace ad::skin::forms
