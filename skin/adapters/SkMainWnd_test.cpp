// The adapter base: attaching and giving back, the subclass chain in either
// order, what reaches the procedures below, the common skin commands, the
// unit's start-up, and repeated attach/detach without leaks.
#include "skin/adapters/SkMainWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/Handles.h"
#include "framework/PrintTestKit.h"
#include "framework/WindowSubclass.h"
#include "skin/adapters/AdapterTestKit.h"
#include "skin/adapters/SkAdapterUnit.h"

namespace ad::skin::adapters {
namespace {

using test::TAdapterSkinFixture;
using test::THostWindow;
using test::TSpy;

// The base alone: common messages only.
class TPlainAdapter : public TSkMainWnd {
protected:
    using TSkMainWnd::TSkMainWnd;
    friend class TSkMainWnd;
};

TSkAdapterPtr<TPlainAdapter> Attach(HWND wnd, TSkinManager& manager) {
    return TSkMainWnd::Create<TPlainAdapter>(wnd, nullptr, &manager, TSkSkinParams{});
}

LRESULT Command(HWND wnd, int command, LPARAM lParam = 0) {
    return ::SendMessageW(wnd, SKM_SKINCMD, SkinCommandWParam(command), lParam);
}

TEST(SkMainWnd, AttachingSetsThePropertiesAndTheCommandsAnswerUntilTheWindowGoes) {
    TAdapterSkinFixture skin;
    THostWindow host;
    HWND button = host.AddButton(BS_PUSHBUTTON, L"OK", 10, 10, 80, 24);
    auto adapter = Attach(button, skin.Manager);
    EXPECT_EQ(TSkMainWnd::GetAdapter(button), adapter.get());
    EXPECT_EQ(Command(button, SKC_ISSKINNED), 1);
    EXPECT_EQ(Command(button, SKC_GETADAPTER), reinterpret_cast<LRESULT>(adapter.get()));
    EXPECT_EQ(Command(button, SKC_GETSKINDATA), reinterpret_cast<LRESULT>(adapter->SkinData()));
    EXPECT_EQ(SkinDataOfWindow(button), adapter->SkinData());
    EXPECT_EQ(adapter->Caption(), "OK");
    ::SetWindowTextW(button, L"Apply");
    EXPECT_EQ(adapter->Caption(), "Apply");
    EXPECT_EQ(Command(button, SKC_SETSECTION, 0), 0);
    EXPECT_EQ(Command(button, SKC_SETSECTION, reinterpret_cast<LPARAM>("button")), 1);
    EXPECT_EQ(adapter->SkinData()->SkinSection(), "BUTTON");

    adapter->SkinData()->GlowIndex = 2;  // a glow shown over the button goes with it
    ::DestroyWindow(button);
    EXPECT_TRUE(adapter->Destroyed());
    EXPECT_EQ(adapter->SkinData()->GlowIndex, -1);
    adapter.reset();  // freeing after the window went touches nothing
}

TEST(SkMainWnd, AnAdapterAndAForeignSubclassComeOffInEitherOrder) {
    TAdapterSkinFixture skin;
    THostWindow host;
    for (bool adapterFirst : {true, false}) {
        SCOPED_TRACE(adapterFirst ? "adapter removed first" : "foreign subclass removed first");
        HWND button = host.AddButton(BS_PUSHBUTTON, L"OK", 10, 10, 80, 24);
        const LONG_PTR ownProc = ::GetWindowLongPtrW(button, GWLP_WNDPROC);
        auto adapter = Attach(button, skin.Manager);
        auto foreign = std::make_unique<TSpy>(button);  // hooked above the adapter
        if (adapterFirst) {
            adapter.reset();
            foreign->Seen.clear();
            EXPECT_EQ(Command(button, SKC_ISSKINNED), 0);
            EXPECT_TRUE(foreign->Saw(SKM_SKINCMD));  // the foreign layer keeps working
            EXPECT_EQ(::GetPropW(button, kSkinAdapterProp), nullptr);
            foreign.reset();
        } else {
            foreign.reset();
            EXPECT_EQ(Command(button, SKC_ISSKINNED), 1);  // the adapter keeps working
            adapter.reset();
        }
        // Every layer gone: the window has its own procedure again and still works.
        EXPECT_EQ(::GetWindowLongPtrW(button, GWLP_WNDPROC), ownProc);
        EXPECT_EQ(Command(button, SKC_ISSKINNED), 0);
        wchar_t text[8] = {};
        EXPECT_EQ(::GetWindowTextW(button, text, 8), 2);
        ::DestroyWindow(button);
    }
}

TEST(SkMainWnd, BelowTheAdapterPrintArrivesAsPaintWithTheSameDCAndUIStateNever) {
    TAdapterSkinFixture skin;
    THostWindow host;
    HWND button = host.AddButton(BS_PUSHBUTTON, L"OK", 10, 10, 80, 24);
    TSpy below(button);
    auto adapter = Attach(button, skin.Manager);

    ::SendMessageW(button, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    EXPECT_FALSE(below.Saw(WM_UPDATEUISTATE));

    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    DibSection32 bitmap(80, 24);
    SelectObjectScope select(dc.Get(), bitmap.Get());
    below.Seen.clear();
    ::SendMessageW(button, WM_PRINT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    EXPECT_FALSE(below.Saw(WM_PRINT));
    auto paint = std::find_if(below.Seen.begin(), below.Seen.end(), [](const TMessage& m) { return m.Msg == WM_PAINT; });
    ASSERT_NE(paint, below.Seen.end());
    EXPECT_EQ(paint->WParam, reinterpret_cast<WPARAM>(dc.Get()));
}

TEST(SkMainWnd, TheCacheWaitsWhileTheParentIsNotReady) {
    TAdapterSkinFixture skin;
    THostWindow host;
    HWND button = host.AddButton(BS_PUSHBUTTON, L"OK", 10, 10, 80, 24);
    bool ready = false;
    TWindowSubclass parent(host.Handle(), [&](TMessage& m) {
        if (m.Msg != SKM_SKINCMD || SkinCommandOf(m.WParam) != SKC_GETPARENTBG || !m.LParam) return false;
        auto& request = *reinterpret_cast<TSkParentBgRequest*>(m.LParam);
        request.Kind = ready ? pbColor : pbNotReady;
        request.Color = 0x00304050;
        return true;
    });
    auto adapter = Attach(button, skin.Manager);
    TSkinCommonData& data = *adapter->SkinData();
    data.Updating = false;
    data.BgChanged = true;
    Command(button, SKC_CACHEVALID);
    EXPECT_TRUE(data.Updating) << "not ready: the control waits";
    EXPECT_TRUE(data.BgChanged) << "and its cache stays to be made";
    ready = true;
    data.Updating = false;
    Command(button, SKC_CACHEVALID);
    EXPECT_FALSE(data.Updating);
    EXPECT_FALSE(data.BgChanged);
}

TEST(SkMainWnd, CommandsPassThroughForAnotherManagerOrAnInactiveSkin) {
    TAdapterSkinFixture skin;
    THostWindow host;
    HWND button = host.AddButton(BS_PUSHBUTTON, L"OK", 10, 10, 80, 24);
    TSpy below(button);
    auto adapter = Attach(button, skin.Manager);
    TSkinManager other(nullptr);

    // Another manager's skin news changes nothing here but goes on down.
    below.Seen.clear();
    Command(button, SKC_SKINREMOVED, reinterpret_cast<LPARAM>(&other));
    EXPECT_TRUE(below.Saw(SKM_SKINCMD));
    EXPECT_EQ(SkinDataOfWindow(button), adapter->SkinData());

    // An inactive skin: every command is passed on untouched.
    skin.Manager.SetActive(false);
    below.Seen.clear();
    EXPECT_EQ(Command(button, SKC_ISSKINNED), 0);
    EXPECT_TRUE(below.Saw(SKM_SKINCMD));
    skin.Manager.SetActive(true);
    EXPECT_EQ(Command(button, SKC_ISSKINNED), 1);
}

// Counts how often each level's RestoreWindow runs, and whether the adapter
// still heard its window while restoring (the counts outlive the adapter).
constexpr UINT kProbe = WM_APP + 7;
struct TRestoreLog {
    int Restores = 0, ChildRestores = 0;
    bool AdapterHeardProbe = false;
};
TRestoreLog g_restoreLog;

class TRestoringAdapter : public TSkMainWnd {
protected:
    using TSkMainWnd::TSkMainWnd;
    friend class TSkMainWnd;
    void RestoreWindow() override {
        ++g_restoreLog.Restores;
        restoring_ = true;
        ::SendMessageW(WindowHandle(), kProbe, 0, 0);
        restoring_ = false;
        TSkMainWnd::RestoreWindow();
    }
    void WndProc(TMessage& m) override {
        if (m.Msg == kProbe && restoring_) g_restoreLog.AdapterHeardProbe = true;
        TSkMainWnd::WndProc(m);
    }

private:
    bool restoring_ = false;
};
class TRestoringChild : public TRestoringAdapter {
protected:
    using TRestoringAdapter::TRestoringAdapter;
    friend class TSkMainWnd;
    void RestoreWindow() override {
        ++g_restoreLog.ChildRestores;
        TRestoringAdapter::RestoreWindow();
    }
};

TEST(SkMainWnd, FreeingRunsTheMostDerivedRestoreOnceAfterGivingTheWindowBack) {
    TAdapterSkinFixture skin;
    THostWindow host;
    for (bool windowGoesFirst : {false, true}) {
        SCOPED_TRACE(windowGoesFirst ? "window destroyed, then the adapter freed" : "adapter freed, window lives");
        g_restoreLog = {};
        HWND button = host.AddButton(BS_PUSHBUTTON, L"OK", 10, 10, 80, 24);
        const LONG_PTR ownProc = ::GetWindowLongPtrW(button, GWLP_WNDPROC);
        TSpy below(button);
        auto adapter = TSkMainWnd::Create<TRestoringChild>(button, nullptr, &skin.Manager, TSkSkinParams{});
        if (windowGoesFirst) {
            below.Hook.reset();
            ::DestroyWindow(button);
            EXPECT_TRUE(adapter->Destroyed());
            adapter.reset();
        } else {
            adapter.reset();
            EXPECT_FALSE(g_restoreLog.AdapterHeardProbe);  // its procedure was given back first
            EXPECT_TRUE(below.Saw(kProbe));
            below.Hook.reset();
            EXPECT_EQ(::GetWindowLongPtrW(button, GWLP_WNDPROC), ownProc);
            ::DestroyWindow(button);
        }
        EXPECT_EQ(g_restoreLog.ChildRestores, 1);
        EXPECT_EQ(g_restoreLog.Restores, 1);
    }
}

TEST(SkMainWnd, AHundredAttachDetachCyclesLeaveNothingBehind) {
    TAdapterSkinFixture skin;
    THostWindow host;
    HWND button = host.AddButton(BS_PUSHBUTTON, L"OK", 10, 10, 80, 24);
    const LONG_PTR ownProc = ::GetWindowLongPtrW(button, GWLP_WNDPROC);
    {  // the first cycle makes what lives on (fonts, the theme binding)
        auto warm = Attach(button, skin.Manager);
        ::SendMessageW(button, WM_PRINT, 0, PRF_CLIENT);
    }
    const long gdi = LiveGdiObjects();
    const int adapters = TSkMainWnd::LiveCount();
    for (int i = 0; i < 100; ++i) {
        auto adapter = Attach(button, skin.Manager);
        ::RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_EQ(TSkMainWnd::LiveCount(), adapters);
    EXPECT_EQ(::GetWindowLongPtrW(button, GWLP_WNDPROC), ownProc);
    EXPECT_EQ(::GetPropW(button, kSkinAdapterProp), nullptr);
    EXPECT_EQ(SkinDataOfWindow(button), nullptr);
}

TEST(SkAdapterUnit, TheFunctionsResolveOnceAndTheLastShutdownReleasesThem) {
    EXPECT_EQ(AdapterFunctions().GetScrollBarInfo, nullptr);
    AdapterUnitStartup();
    AdapterUnitStartup();
    EXPECT_NE(AdapterFunctions().GetScrollBarInfo, nullptr);
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    THostWindow host;
    HWND bar = ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0, 100, 16,
                                 host.Handle(), nullptr, nullptr, nullptr);
    EXPECT_TRUE(AdapterFunctions().GetScrollBarInfo(bar, OBJID_CLIENT, &info));
    AdapterUnitShutdown();
    EXPECT_NE(AdapterFunctions().GetScrollBarInfo, nullptr);  // one user left
    AdapterUnitShutdown();
    EXPECT_EQ(AdapterFunctions().GetScrollBarInfo, nullptr);
    EXPECT_EQ(AdapterFunctions().InitializeFlatSB, nullptr);
    AdapterUnitShutdown();  // one too many changes nothing
    { TSkAdapterUnitScope scope; EXPECT_NE(AdapterFunctions().GetScrollBarInfo, nullptr); }
    EXPECT_EQ(AdapterFunctions().GetScrollBarInfo, nullptr);
}

}  // namespace
}  // namespace ad::skin::adapters
