// Windows tests of the skin data object on real windows: section names and
// the manager property, the section a kind chooses, paint locks, the window
// property's lifetime, the parent background through a see-through panel,
// colour answers, the commands every skinned control answers, hover leave,
// fades on the GUI-thread timer, and GDI objects over many paint cycles.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "framework/ExceptionBarrier.h"
#include "skin/engine/win/SkThreadedTimer.h"
#include "skin/engine/testkit/SkinDataTestKit.h"
#include "testsupport/GuiTest.h"

namespace ad::skin {
namespace {

using namespace datatest;

TEST(SkinCommonData, SectionNamesAreUpperCasedAndTheSameNameChangesNothing) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 60, 40);
    panel->Data.SetSkinSection("panel");
    EXPECT_EQ(panel->Data.SkinSection(), "PANEL");
    EXPECT_EQ(panel->Data.SkinIndex, f.Manager.Skin()->SectionIndexOf("PANEL"));
    EXPECT_EQ(Count(panel->Commands, SKC_SKINREFRESH).size(), 1u);

    panel->Commands.clear();
    panel->Data.SetSkinSection("PANEL");
    EXPECT_TRUE(panel->Commands.empty());

    panel->Data.SetSkinSection("NOSUCH");
    EXPECT_EQ(panel->Data.SkinIndex, -1);
    EXPECT_EQ(Count(panel->Commands, SKC_SKINREMOVED).size(), 1u);
}

TEST(SkinCommonData, TheDefaultManagerIsStoredAsNone) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 60, 40, "PANEL");
    panel->Data.SetSkinManager(&f.Manager);
    EXPECT_EQ(panel->Data.ManagerRef, nullptr);
    EXPECT_EQ(panel->Data.SkinManager(), &f.Manager);
    EXPECT_TRUE(panel->Data.IsSkinActive());

    TSkinManager other(nullptr);  // no skin loaded
    panel->Commands.clear();
    panel->Data.SetSkinManager(&other);
    EXPECT_EQ(panel->Data.ManagerRef, &other);
    EXPECT_EQ(panel->Data.SkinIndex, -1);
    EXPECT_EQ(Count(panel->Commands, SKC_SKINREMOVED).size(), 1u);
    panel->Data.SetSkinManager(nullptr);
}

TEST(SkinCommonData, AControlWithoutSectionNameChoosesByKind) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 60, 40);
    struct Case {
        int kind;
        const char* section;
    } cases[] = {{18, "COMBOBOX"}, {230, "EDIT"}, {0, "TSKINTESTPANEL"}, {11, "TSKINTESTPANEL"}};
    for (const Case& c : cases) {
        panel->Data.SetSkinSection("");
        panel->Data.ControlKind = c.kind;
        panel->Data.ChooseSection();
        EXPECT_EQ(panel->Data.SkinSection(), c.section) << c.kind;
    }
    // Kinds that ask the control take its answer minus 1.
    panel->Data.SetSkinSection("");
    panel->Data.ControlKind = 2;
    panel->AnswerIndex = f.Manager.Skin()->SectionIndexOf("EDIT") + 1;
    panel->Data.ChooseSection();
    EXPECT_EQ(panel->Data.SkinSection(), "");
    EXPECT_EQ(panel->Data.SkinIndex, f.Manager.Skin()->SectionIndexOf("EDIT"));
}

TEST(SkinCommonData, PaintLocksNotifyTheOwnerAndNeverCountBelowZero) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 60, 40, "PANEL");
    panel->Data.BeginPaintLock();
    EXPECT_TRUE(panel->Data.Updating);
    EXPECT_TRUE(panel->Data.StateFlags & kPaintLocked);
    panel->Data.EndPaintLock(false);
    panel->Data.EndPaintLock(false);  // one more than begun
    EXPECT_EQ(panel->Data.PaintLockCount, 0);
    panel->Data.BeginPaintLock();
    EXPECT_EQ(panel->Data.PaintLockCount, 1);
    panel->Commands.clear();
    panel->Data.EndPaintLock(true);
    EXPECT_EQ(panel->Data.PaintLockCount, 0);
    EXPECT_FALSE(panel->Data.StateFlags & kPaintLocked);
    EXPECT_EQ(Count(panel->Commands, SKC_ENDUPDATE).size(), 1u);
}

// A bare window whose procedure gives messages to the skin data of an adapter.
struct TAdapterWindow {
    TSkinCommonData* Data = nullptr;
    bool PropGoneAtNcDestroy = false;
};

LRESULT CALLBACK AdapterProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* a = reinterpret_cast<TAdapterWindow*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    TMessage m{msg, wParam, lParam, 0};
    if (a && a->Data && HandleCommonWindowMessage(m, a->Data)) return m.Result;
    if (a && msg == WM_NCDESTROY) a->PropGoneAtNcDestroy = GetPropW(wnd, kSkinDataProp) == nullptr;
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

HWND MakeAdapterWindow(TAdapterWindow& a) {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = AdapterProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SkinDataAdapterWindow";
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    HWND wnd = CreateWindowExW(0, L"SkinDataAdapterWindow", L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&a));
    return wnd;
}

TEST(SkinCommonData, TheWindowPropertyGoesWithTheWindowAndWithTheData) {
    // Destroyed with the window: gone by WM_NCDESTROY.
    TAdapterWindow a;
    HWND wnd = MakeAdapterWindow(a);
    TSkinCommonData data(wnd, false);
    a.Data = &data;
    EXPECT_EQ(SkinDataOfWindow(wnd), &data);
    EXPECT_TRUE(IsSkinnedWindow(wnd));
    DestroyWindow(wnd);
    EXPECT_TRUE(a.PropGoneAtNcDestroy);

    // Freed before the window: the property goes at once, so a later message
    // is sent normally instead of calling through freed memory.
    TAdapterWindow b;
    HWND second = MakeAdapterWindow(b);
    auto owned = std::make_unique<TSkinCommonData>(second, false);
    owned->SavedWndProc = [](TMessage& m) { m.Result = 99; };
    EXPECT_EQ(SendSkinCommand(second, SKC_ISSKINNED), 99);
    owned.reset();
    EXPECT_EQ(GetPropW(second, kSkinDataProp), nullptr);
    EXPECT_EQ(SendSkinCommand(second, SKC_ISSKINNED), 0);
    DestroyWindow(second);

    // A control's window made again gets the property again.
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 60, 40, "PANEL");
    HWND first = panel->Handle();
    EXPECT_EQ(SkinDataOfWindow(first), &panel->Data);
    panel->DestroyHandle();
    HWND made = panel->Handle();
    EXPECT_EQ(SkinDataOfWindow(made), &panel->Data);
    EXPECT_EQ(SendSkinCommand(made, SKC_GETSKINDATA), reinterpret_cast<LRESULT>(&panel->Data));
}

TEST(SkinCommonData, ASeeThroughPanelHandsOnItsParentsImageWithOffsetsMoved) {
    TFormFixture f;
    auto* outer = f.Add(&f.Form, 10, 10, 200, 150, "GRADPANEL");
    auto* glass = f.Add(outer, 30, 20, 120, 100, "SEETHRU");
    auto* child = f.Add(glass, 5, 5, 40, 30, "PANEL");
    (void)child;
    TSkParentBgRequest r;
    SendControlCommand(glass, SKC_GETPARENTBG, reinterpret_cast<LPARAM>(&r));
    ASSERT_EQ(r.Kind, pbImage);
    ASSERT_TRUE(outer->Data.CacheImage);
    EXPECT_EQ(r.Bmp.Row0, outer->Data.CacheImage->View().Row0);
    EXPECT_EQ(r.OffsetX, 30);
    EXPECT_EQ(r.OffsetY, 20);
    EXPECT_TRUE(glass->Data.StateFlags & kSeeThrough);

    // The image holds the gradient: blue at the top, white at the bottom.
    const TSkBgCacheRef ref = MakeBgCacheRef(r);
    EXPECT_TRUE(ref.Ready);
    uint32_t top = 0, bottom = 0;
    ASSERT_TRUE(BackgroundPixel(ref, 0, -20, top));
    ASSERT_TRUE(BackgroundPixel(ref, 0, 120, bottom));
    EXPECT_LT((top >> 8) & 0xFF, (bottom >> 8) & 0xFF);  // green grows toward white
}

TEST(SkinCommonData, BackgroundColourBlendsWithTheParentByTransparency) {
    TFormFixture f;
    auto* plain = f.Add<TPanel>(&f.Form, 0, 0, 200, 150);  // unskinned, white
    plain->SetColor(clWhite);
    auto* half = f.Add(plain, 10, 10, 60, 40, "HALF");
    EXPECT_EQ(half->Data.BackgroundColor(0), 0x7E7E7E);
    EXPECT_EQ(GetControlColor(half), 0x7E7E7E);

    // A fully transparent section on a control without parent answers its own colour.
    TSkinTestPanel lone(nullptr);
    lone.Data.SetSkinSection("SEETHRU");
    lone.SetColor(0x123456);
    TMessage m{SKM_SKINCMD, SkinCommandWParam(SKC_GETBGCOLOR), clFuchsia, 0};
    EXPECT_TRUE(HandleSkinCommand(m, &lone.Data));
    EXPECT_EQ(m.Result, 0x123456);
}

TEST(SkinCommonData, CommandsEveryControlAnswers) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 60, 40, "PANEL");
    HWND wnd = panel->Handle();

    // WM_UPDATEUISTATE never reaches a skinned control's own handling.
    panel->PassedOn.clear();
    SendMessageW(wnd, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    EXPECT_TRUE(std::find(panel->PassedOn.begin(), panel->PassedOn.end(), WM_UPDATEUISTATE) == panel->PassedOn.end());

    // Removal by another manager: handled, nothing changes.
    TSkinManager other(nullptr);
    panel->SetColor(0x010203);
    TMessage removed{SKM_SKINCMD, SkinCommandWParam(SKC_SKINREMOVED), reinterpret_cast<LPARAM>(&other), 0};
    EXPECT_TRUE(HandleSkinCommand(removed, &panel->Data));
    EXPECT_GE(panel->Data.SkinIndex, 0);
    EXPECT_EQ(panel->Color(), 0x010203);
    // By its own manager: the owner goes on with the message, unskinned.
    removed.LParam = reinterpret_cast<LPARAM>(&f.Manager);
    EXPECT_FALSE(HandleSkinCommand(removed, &panel->Data));
    EXPECT_EQ(panel->Data.SkinIndex, -1);
    EXPECT_TRUE(HandleSkinCommand(removed, &panel->Data));  // already unskinned
    panel->Data.SetSkinSection("FRAMED");
    ASSERT_GE(panel->Data.SkinIndex, 0);

    // A state the section does not have: no section, but answered.
    panel->Data.SetSkinSection("PANEL");
    TSkSectionQuery q;
    q.State = 2;
    EXPECT_EQ(SendSkinCommand(wnd, SKC_FINDBGSECTION, reinterpret_cast<LPARAM>(&q)), 1);
    EXPECT_EQ(q.SectionIndex, -1);
    q.State = 0;
    EXPECT_EQ(SendSkinCommand(wnd, SKC_FINDBGSECTION, reinterpret_cast<LPARAM>(&q)), 1);
    EXPECT_EQ(q.SectionIndex, panel->Data.SkinIndex);

    // Small answers.
    EXPECT_EQ(SendSkinCommand(wnd, SKC_ISSKINNED), 1);
    EXPECT_EQ(SendSkinCommand(wnd, SKC_SETSECTION, 0), 0);
    const std::string framed = "framed";
    EXPECT_EQ(SendSkinCommand(wnd, SKC_SETSECTION, reinterpret_cast<LPARAM>(framed.c_str())), 1);
    EXPECT_EQ(panel->Data.SkinSection(), "FRAMED");
    int32_t rec[2] = {0, 0};
    SendSkinCommand(wnd, SKC_GETSKININDEXREC, reinterpret_cast<LPARAM>(rec));
    EXPECT_EQ(rec[1], panel->Data.SkinIndex);
    TRect bounds;
    SendSkinCommand(wnd, SKC_GETBOUNDS, reinterpret_cast<LPARAM>(&bounds));
    EXPECT_EQ(bounds, (TRect{10, 10, 70, 50}));
    SendSkinCommand(wnd, SKC_SETSCALE, 125);
    EXPECT_EQ(SendSkinCommand(wnd, SKC_GETSCALE), 125);
    EXPECT_EQ(panel->Data.MaxBorderWidth(), 3);
}

TEST(SkinCommonData, MouseLeaveWhileTheCursorIsStillInsideChangesNothing) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 20, 20, 100, 80, "EDIT");
    panel->Data.ControlKind = 0;  // not an edit: hover counts
    HWND wnd = panel->Handle();
    UpdateWindow(wnd);
    POINT centre{50, 40};
    ClientToScreen(wnd, &centre);
    ASSERT_TRUE(SetCursorPos(centre.x, centre.y));
    SendMessageW(wnd, CM_MOUSEENTER, 0, 0);
    ASSERT_TRUE(panel->Data.MouseAbove);
    SendMessageW(wnd, CM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(panel->Data.MouseAbove);

    POINT away{5, 5};
    ClientToScreen(f.Form.Handle(), &away);
    SetCursorPos(away.x, away.y);
    SendMessageW(wnd, CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(panel->Data.MouseAbove);
}

TEST(SkinCommonData, HoverAndEnabledNoticesAreMadeForBareWindowsWhileControlsSendTheirOwn) {
    TAdapterWindow a;
    HWND wnd = MakeAdapterWindow(a);
    TSkinCommonData data(wnd, false);
    a.Data = &data;
    std::vector<UINT> notices;
    data.SavedWndProc = [&](TMessage& m) {
        if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE || m.Msg == CM_ENABLEDCHANGED) notices.push_back(m.Msg);
    };
    SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    SendMessageW(wnd, WM_MOUSELEAVE, 0, 0);
    EnableWindow(wnd, FALSE);
    EXPECT_EQ(notices, (std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE, CM_ENABLEDCHANGED}));
    DestroyWindow(wnd);

    // A control of the class library: one enter, the framework's, and none made by the data.
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 60, 40, "PANEL");
    UpdateWindow(panel->Handle());
    panel->PassedOn.clear();
    SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
    EXPECT_TRUE(panel->MouseInControl());
    EXPECT_FALSE(panel->Data.MouseHover.Over());
    EXPECT_EQ(std::count(panel->PassedOn.begin(), panel->PassedOn.end(), CM_MOUSEENTER), 1);
}

TEST(SkinCommonData, DataOutlivingItsOwnerControlForgetsItAndItsFadeTimerStaysTheDatas) {
    TFormFixture f;
    auto* panel = new TPanel(&f.Form);
    panel->SetParent(&f.Form);
    panel->SetBounds(10, 10, 60, 40);
    const int components = panel->ComponentCount();
    auto data = std::make_unique<TSkinCommonData>(panel, false);
    EXPECT_EQ(data->OwnerParent(), &f.Form);
    EnsureFadeTimer(data.get(), kFadeIn);
    ASSERT_NE(data->FadeTimer, nullptr);
    EXPECT_EQ(panel->ComponentCount(), components);  // the control does not own it too

    delete panel;
    EXPECT_EQ(data->OwnerControl.Get(), nullptr);
    EXPECT_EQ(data->OwnerParent(), nullptr);
    EXPECT_EQ(data->OwnerWindowHandle(), nullptr);
    EXPECT_FALSE(data->OwnerDestroying());
    TMessage m{WM_NULL, 0, 0, 0};
    data->SavedWndProc(m);  // reaches nothing instead of the freed control
    ASSERT_NE(data->FadeTimer, nullptr);
    data->StopFade();
    data.reset();
}

// Glows recorded instead of made.
struct TGlowLog {
    std::vector<int> CreatedAlpha;
    std::vector<int> Alphas;
    int Hidden = 0;
    TGlowLog() {
        TSkinGlowServices s;
        s.Create = [this](const TRect&, const std::string&, const std::string& mask, TSkinCommonData*, HWND, int alpha,
                          int margin) {
            EXPECT_EQ(mask, "GLOW");
            EXPECT_EQ(margin, 4);
            CreatedAlpha.push_back(alpha);
            return int(CreatedAlpha.size());
        };
        s.Hide = [this](int& slot, bool) {
            ++Hidden;
            slot = -1;
        };
        s.SetAlpha = [this](int, int alpha) { Alphas.push_back(alpha); };
        TSkinEngineLinks links = saved_;
        links.Glows = std::move(s);
        InstallSkinEngineLinks(std::move(links));
    }
    ~TGlowLog() { InstallSkinEngineLinks(saved_); }

private:
    TSkinEngineLinks saved_ = SkinEngineLinks();
};

TEST(SkinFadeTimer, WithoutAnimationAStateChangeRepaintsAtOnceWithAFullGlow) {
    TFormFixture f;
    TGlowLog glows;
    auto* panel = f.Add(&f.Form, 20, 20, 100, 80, "GLOWING");
    UpdateWindow(panel->Handle());
    panel->Data.BgChanged = false;
    panel->Data.MouseAbove = true;
    int steps = 0;
    AnimateStateChange(&panel->Data, kFadeToState, [&](TSkinCommonData*, int) { return ++steps, true; }, true,
                       false, true);
    EXPECT_EQ(panel->Data.FadeTimer, nullptr);
    EXPECT_TRUE(panel->Data.BgChanged);
    EXPECT_EQ(glows.CreatedAlpha, std::vector<int>{255});
    EXPECT_EQ(steps, 0);
}

TEST(SkinFadeTimer, AnIntervalOfZeroNeverTicks) {
    TSkThreadedTimer timer(nullptr);
    int ticks = 0;
    timer.StepCallback = [&](TSkinCommonData*, int) { return ++ticks, true; };
    timer.SetInterval(0);
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_FALSE(timer.InnerTimerActive());
    timer.Tick();
    test::PumpUntil([] { return false; }, 60);
    EXPECT_EQ(ticks, 0);
    timer.SetInterval(10);
    EXPECT_TRUE(timer.InnerTimerActive());
    EXPECT_TRUE(test::PumpUntil([&] { return ticks > 0; }, 2000));
}

TEST(SkinFadeTimer, AFadeRunsOnTheTimerAndPaintsTheBlendIntoTheWindow) {
    TFormFixture f;
    f.Manager.Effects.AllowAnimation = true;
    auto* panel = f.Add(&f.Form, 20, 20, 100, 80, "PANEL");
    HWND wnd = panel->Handle();
    UpdateWindow(wnd);
    ASSERT_TRUE(panel->Data.CacheImage && !panel->Data.CacheImage->Empty());
    panel->Data.BgChanged = false;

    const auto start = std::chrono::steady_clock::now();
    AnimateStateChange(&panel->Data, kFadeToState, FadeStep, false, false, true);
    const auto returned = std::chrono::steady_clock::now();
    ASSERT_NE(panel->Data.FadeTimer, nullptr);
    EXPECT_TRUE(panel->Data.FadeRunning());
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(returned - start).count(), 100);
    EXPECT_LE(panel->Data.FadeTimer->Fade.Counter, 1);  // only the first step ran at once

    // A fade of the running kind again starts nothing new.
    const int counter = panel->Data.FadeTimer->Fade.Counter;
    StartStateFade(&panel->Data, kFadeToState, FadeStep, false);
    EXPECT_EQ(panel->Data.FadeTimer->Fade.Counter, counter);

    EXPECT_TRUE(test::PumpUntil([&] { return !panel->Data.FadeRunning(); }, 3000));
    EXPECT_GE(panel->Data.FadeTimer->Fade.Counter, 10);
    panel->Data.StopFade();
    EXPECT_EQ(panel->Data.FadeTimer->Fade.Kind, kFadeNone);
    EXPECT_FALSE(panel->Data.FadeTimer->WorkImage);
}

std::vector<std::string>& CaughtTexts() {
    static std::vector<std::string> texts;
    return texts;
}

TEST(SkinFadeTimer, AnExceptionInAStepStaysInsideTheTimer) {
    CaughtTexts().clear();
    const CallbackExceptionSink old = SetCallbackExceptionSink([](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& x) {
            CaughtTexts().push_back(x.what());
        }
    });
    {
        TSkThreadedTimer timer(nullptr, true);
        timer.StepCallback = [](TSkinCommonData*, int) -> bool { throw std::runtime_error("step failed"); };
        timer.SetInterval(10);
        timer.SetEnabled(true);
        EXPECT_TRUE(test::PumpUntil([] { return !CaughtTexts().empty(); }, 2000));
    }
    SetCallbackExceptionSink(old);
    ASSERT_FALSE(CaughtTexts().empty());
    EXPECT_EQ(CaughtTexts().front(), "step failed");
}

TEST(SkinCommonData, PaintingAThousandTimesLeavesNoGdiObjectBehind) {
    TFormFixture f;
    f.Manager.Effects.AllowAnimation = true;
    auto* outer = f.Add(&f.Form, 10, 10, 200, 150, "GRADPANEL");
    auto* framed = f.Add(outer, 20, 20, 120, 90, "FRAMED");
    UpdateWindow(f.Form.Handle());
    const long start = LiveGdiObjects();
    {
        TSkinCacheImage probe(4, 4);  // the counter sees what owners hold
        EXPECT_EQ(LiveGdiObjects(), start + 1);
    }
    long most = start;
    for (int i = 0; i < 1000; ++i) {
        framed->SetBounds(20, 20, 120 + i % 3, 90);  // a new cache bitmap now and then
        framed->Data.BgChanged = true;
        outer->Data.BgChanged = true;
        RedrawWindow(outer->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (i % 100 == 0) {
            framed->Data.BgChanged = false;
            AnimateStateChange(&framed->Data, kFadeToState, FadeStep, false, true, true);
            test::PumpUntil([&] { return !framed->Data.FadeRunning(); }, 1000);
        }
        most = std::max(most, LiveGdiObjects());
    }
    framed->Data.StopFade();
    EXPECT_GT(most, start);  // fades held images meanwhile
    EXPECT_EQ(LiveGdiObjects(), start);
}

TEST(SkinCommonData, SkinnedPanelsPaintOnTheScreenThroughTheirData) {
    TFormFixture f;
    f.Form.SetColor(clWhite);
    auto* outer = f.Add(&f.Form, 10, 10, 190, 160, "GRADPANEL");
    auto* glass = f.Add(outer, 20, 20, 150, 50, "SEETHRU");
    auto* framed = f.Add(outer, 20, 90, 150, 50, "FRAMED");
    auto* half = f.Add(&f.Form, 210, 10, 90, 75, "HALF");
    auto* text = f.Add(&f.Form, 210, 95, 90, 75, "TEXT");
    glass->SetCaption("See-through");
    framed->SetCaption("Framed");
    text->SetCaption("Disabled");
    text->SetEnabled(false);
    (void)half;
    RedrawWindow(f.Form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    test::PumpPending();

    // Read back from the screen: the frame's border and the half-transparent
    // black over the white form.
    WindowDC dc(f.Form.Handle());
    EXPECT_EQ(::GetPixel(dc.Get(), 10 + 20 + 1, 10 + 90 + 1), RGB(0x20, 0x50, 0xC0));
    EXPECT_EQ(::GetPixel(dc.Get(), 210 + 45, 10 + 5), RGB(0x7E, 0x7E, 0x7E));
    // The see-through panel shows the gradient under it row for row.
    for (int y : {10 + 20 + 2, 10 + 20 + 47})
        EXPECT_EQ(::GetPixel(dc.Get(), 10 + 20 + 5, y), ::GetPixel(dc.Get(), 10 + 20 - 3, y)) << y;
    EXPECT_NE(::GetPixel(dc.Get(), 10 + 20 + 5, 10 + 20 + 2), ::GetPixel(dc.Get(), 10 + 20 + 5, 10 + 20 + 47));
    if (const char* dir = std::getenv("AD_SHOT_DIR")) {
        EXPECT_TRUE(test::SaveClientArea(f.Form.Handle(), std::string(dir) + "\\skin-data-panels.bmp"));
    }
}

}  // namespace
}  // namespace ad::skin
