// The skinned scroll bars of adapted windows: where the thumb lies, the
// bars painted over the system's ones, a thumb drag's messages, a press
// that loses the capture or its window, hit tests and swallowed clicks, and
// what the base adapter keeps current.
#include "skin/adapters/SkScrollWnd.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "skin/adapters/AdapterTestKit.h"
#include "skin/adapters/SkAdapterUnit.h"
#include "skin/adapters/SkBaseWnd.h"
#include "skin/adapters/SkEditWnd.h"
#include "testsupport/GuiTest.h"

namespace ad::skin::adapters {
namespace {

using namespace test;
using controls::TScrollGeometry;
using controls::TScrollRange;

constexpr int kBarWidth = 24;

TSkAdapterPtr<TSkEditWnd> AttachEdit(HWND wnd, TSkinManager& manager) {
    TSkSkinParams params;
    params.VertScrollWidth = kBarWidth;
    params.HorzScrollWidth = kBarWidth;
    return TSkMainWnd::Create<TSkEditWnd>(wnd, nullptr, &manager, params);
}

// A memo of 100 lines in the host.
HWND AddMemo(const THostWindow& host, int lines = 100) {
    HWND memo = host.AddChild(L"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE, 10, 10, 200, 150);
    std::wstring text;
    for (int i = 0; i < lines; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
    ::SetWindowTextW(memo, text.c_str());
    return memo;
}

// What the window shows at a screen point (read from its own surface, which
// reaches the screen a little later).
COLORREF WindowPixel(HWND wnd, TPoint p) {
    RECT w{};
    ::GetWindowRect(wnd, &w);
    WindowDC dc(wnd, WindowDC::WholeWindow{});
    return ::GetPixel(dc.Get(), p.X - w.left, p.Y - w.top);
}

TPoint CentreOf(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
TRect OnScreen(const TRect& part, const TRect& bar) { return Offset(part, bar.Left, bar.Top); }

LPARAM ScreenLParam(TPoint p) { return MAKELPARAM(WORD(short(p.X)), WORD(short(p.Y))); }
LPARAM ClientLParam(HWND wnd, TPoint screen) {
    POINT p{screen.X, screen.Y};
    ::ScreenToClient(wnd, &p);
    return MAKELPARAM(WORD(short(p.x)), WORD(short(p.y)));
}

// The WM_VSCROLL codes and positions that reached the spy.
struct TScrollCall {
    int Code, Pos;
};
std::vector<TScrollCall> ScrollCalls(const TSpy& spy) {
    std::vector<TScrollCall> calls;
    for (const TMessage& m : spy.Seen)
        if (m.Msg == WM_VSCROLL) calls.push_back({LOWORD(m.WParam), int(HIWORD(m.WParam))});
    return calls;
}
int CountCode(const std::vector<TScrollCall>& calls, int code) {
    return int(std::count_if(calls.begin(), calls.end(), [&](const TScrollCall& c) { return c.Code == code; }));
}

TEST(SkScrollWnd, TheThumbOfAnAdaptedWindowsBarKeepsInsideItsTrack) {
    const controls::TThumbSizing adapted{controls::kMinThumbSize, true, controls::kMinThumbWithoutArrows};
    struct Case {
        const char* name;
        int length, arrow;
        TScrollRange range;
        int thumbStart, thumbSize;
    };
    const Case cases[] = {
        // No page: the thumb is as long as an arrow and ends at the track's end at nMax.
        {"no page, at nMax", 200, 17, {0, 100, 0, 100}, 200 - 17 - 17, 17},
        {"no page, at nMin", 200, 17, {0, 100, 0, 0}, 17, 17},
        {"no arrows: 19 pixels at least", 200, 0, {0, 1000, 1, 0}, 0, 19},
        {"a range of none puts the thumb at the track start", 200, 17, {10, 5, 0, 7}, 17, 17},
        {"a position past the end stays in the track", 200, 17, {0, 99, 10, 500}, 200 - 17 - 17, 17},
        {"a page of half the range, at its end", 217, 17, {0, 99, 50, 50}, 17 + 91, 92},
    };
    for (const Case& c : cases) {
        const TScrollGeometry g = controls::ThumbGeometry(true, 17, c.length, c.arrow, c.range, true, adapted);
        EXPECT_EQ(g.Thumb.Top, c.thumbStart) << c.name;
        EXPECT_EQ(g.ThumbSize, c.thumbSize) << c.name;
        EXPECT_LE(g.Thumb.Bottom, c.length - g.Arrow) << c.name;
    }
}

TEST(SkScrollWnd, ABarShorterThanTwoArrowsSplitsIntoThemAndHasNoTrackParts) {
    TAdapterSkinFixture skin;
    THostWindow host;
    HWND list = host.AddChild(L"LISTBOX", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, 10, 10, 120, 34);
    for (int i = 0; i < 50; ++i) ::SendMessageW(list, LB_ADDSTRING, 0, LPARAM(L"item"));
    auto adapter = AttachEdit(list, skin.Manager);
    TSkScrollBar& bar = adapter->VertBar();
    ASSERT_TRUE(bar.Visible);
    const TRect rect = adapter->BarRect(bar);
    ASSERT_LT(rect.Height(), 2 * kBarWidth);
    const int half = rect.Height() / 2;
    EXPECT_EQ(adapter->PartAt(bar, {rect.Left + 5, rect.Top + half - 1}), controls::spFirstArrow);
    EXPECT_EQ(adapter->PartAt(bar, {rect.Left + 5, rect.Top + half + 1}), controls::spSecondArrow);
    EXPECT_EQ(adapter->PartAt(bar, {rect.Left + 5, rect.Bottom}), controls::spNone);
}

TEST(SkScrollWnd, TheBarsAreTheSkinsRightAfterTheControlChangesItsScrollInfo) {
    TAdapterSkinFixture skin;
    struct Case {
        const char* name;
        bool memo;
    };
    // The control's own scroll-info update draws the system's bar; the
    // skinned one goes over it at once.
    const Case cases[] = {{"memo: a replaced selection at the end scrolls there", true},
                          {"list box: an added item shortens the thumb", false}};
    for (const Case& c : cases) {
        THostWindow host;
        HWND wnd = c.memo ? AddMemo(host)
                          : host.AddChild(L"LISTBOX", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, 10, 10, 200, 150);
        for (int i = 0; !c.memo && i < 30; ++i) ::SendMessageW(wnd, LB_ADDSTRING, 0, LPARAM(L"item"));
        auto adapter = AttachEdit(wnd, skin.Manager);
        ad::test::PumpPending();
        TSkScrollBar& bar = adapter->VertBar();
        ASSERT_TRUE(bar.Visible) << c.name;
        const SCROLLINFO before = bar.ScrollInfo;
        if (c.memo) {
            const int length = ::GetWindowTextLengthW(wnd);
            ::SendMessageW(wnd, EM_SETSEL, length, length);
            ::SendMessageW(wnd, EM_REPLACESEL, FALSE, LPARAM(L"one more\r\n"));
        } else {
            ::SendMessageW(wnd, LB_ADDSTRING, 0, LPARAM(L"one more"));
        }
        const TRect rect = adapter->BarRect(bar);
        const TScrollGeometry g = adapter->Geometry(bar, rect);
        EXPECT_NE(std::make_pair(bar.ScrollInfo.nPos, bar.ScrollInfo.nMax), std::make_pair(before.nPos, before.nMax))
            << c.name << ": the bar's info is read again";
        if (c.memo) {
            EXPECT_EQ(g.Thumb.Bottom, g.Length - g.Arrow) << "the thumb is at the end";
        }
        EXPECT_EQ(WindowPixel(wnd, CentreOf(OnScreen(g.Thumb, rect))), kThumbNormal) << c.name;
        EXPECT_EQ(WindowPixel(wnd, {rect.Left + 2, rect.Top + 2}), kArrowNormal) << c.name;
        EXPECT_EQ(WindowPixel(wnd, {rect.Left + 2, rect.Bottom - 3}), kArrowNormal) << c.name;
        const TRect track = OnScreen(c.memo ? g.TrackBefore : g.TrackAfter, rect);
        EXPECT_EQ(WindowPixel(wnd, {track.Left + 2, c.memo ? track.Top + 20 : track.Bottom - 20}),
                  c.memo ? kTrackBefore : kTrackAfter)
            << c.name;
    }
}

TEST(SkScrollWnd, ALeftScrollBarLiesLeftOfTheClientAndTheUsualOneRightOfIt) {
    TAdapterSkinFixture skin;
    for (bool left : {false, true}) {
        SCOPED_TRACE(left ? "WS_EX_LEFTSCROLLBAR" : "bar at the right");
        THostWindow host;
        HWND memo = AddMemo(host);
        if (left) ::SetWindowLongPtrW(memo, GWL_EXSTYLE, ::GetWindowLongPtrW(memo, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
        auto adapter = AttachEdit(memo, skin.Manager);
        ad::test::PumpPending();
        const TRect bar = adapter->BarRect(adapter->VertBar());
        RECT window{}, client{};
        ::GetWindowRect(memo, &window);
        ::GetClientRect(memo, &client);
        POINT origin{0, 0};
        ::ClientToScreen(memo, &origin);
        EXPECT_EQ(bar.Width(), kBarWidth);
        if (left) {
            EXPECT_LT(bar.Left - window.left, window.right - bar.Right);
            EXPECT_GE(origin.x, bar.Right);
        } else {
            EXPECT_GT(bar.Left - window.left, window.right - bar.Right);
            EXPECT_LE(origin.x + client.right, bar.Left);
        }
        EXPECT_EQ(WindowPixel(memo, {bar.Left + 2, bar.Top + 2}), kArrowNormal);
    }
}

TEST(SkScrollWnd, AThumbDragTracksOnlyForwardWithinTheRangeThenEndsAtItsLastPosition) {
    TAdapterSkinFixture skin;
    struct Case {
        const char* name;
        bool memo;  // else a plain window whose range has no page
    };
    const Case cases[] = {{"memo, a page of lines", true}, {"no page: the end is nMax", false}};
    for (const Case& c : cases) {
        THostWindow host;
        HWND wnd = c.memo ? AddMemo(host) : host.AddChild(L"STATIC", WS_VSCROLL, WS_EX_CLIENTEDGE, 10, 10, 200, 150);
        if (!c.memo) {
            SCROLLINFO range{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 50, 0, 0, 0};
            ::SetScrollInfo(wnd, SB_VERT, &range, TRUE);
        }
        TSpy spy(wnd);
        auto adapter = AttachEdit(wnd, skin.Manager);
        ad::test::PumpPending();
        TSkScrollBar& bar = adapter->VertBar();
        const TRect rect = adapter->BarRect(bar);
        const TScrollGeometry g = adapter->Geometry(bar, rect);
        const SCROLLINFO info = bar.ScrollInfo;
        ASSERT_EQ(info.nPos, 0) << c.name;

        TPoint at = CentreOf(OnScreen(g.Thumb, rect));
        ::SendMessageW(wnd, WM_NCLBUTTONDOWN, HTVSCROLL, ScreenLParam(at));
        EXPECT_TRUE(adapter->Tracking()) << c.name;
        EXPECT_EQ(::GetCapture(), wnd) << c.name;
        for (; at.Y < rect.Bottom + 40; at.Y += 7) ::SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, ClientLParam(wnd, at));
        ::SendMessageW(wnd, WM_LBUTTONUP, 0, ClientLParam(wnd, at));

        const std::vector<TScrollCall> calls = ScrollCalls(spy);
        const int highest = info.nMax - std::max(int(info.nPage) - 1, 0);
        int previous = info.nPos;
        size_t i = 0;
        for (; i < calls.size() && calls[i].Code == SB_THUMBTRACK; ++i) {
            EXPECT_GT(calls[i].Pos, previous) << c.name << ", track " << i;
            EXPECT_GE(calls[i].Pos, info.nMin) << c.name;
            EXPECT_LE(calls[i].Pos, highest) << c.name;
            previous = calls[i].Pos;
        }
        EXPECT_GT(i, 3u) << c.name << ": a track message at each step";
        EXPECT_EQ(previous, highest) << c.name << ": dragged past the end";
        ASSERT_EQ(calls.size(), i + 2) << c.name;
        EXPECT_EQ(calls[i].Code, SB_THUMBPOSITION) << c.name;
        EXPECT_EQ(calls[i].Pos, highest) << c.name;
        EXPECT_EQ(calls[i + 1].Code, SB_ENDSCROLL) << c.name;
        EXPECT_FALSE(adapter->Tracking()) << c.name;
        EXPECT_NE(::GetCapture(), wnd) << c.name;
        if (c.memo) {
            EXPECT_GT(::SendMessageW(wnd, EM_GETFIRSTVISIBLELINE, 0, 0), 50);
        }
    }
}

TEST(SkScrollWnd, AnArrowPressRepeatsUntilItLosesItsCaptureOrItsWindow) {
    TAdapterSkinFixture skin;
    struct Case {
        const char* name;
        void (*lose)(HWND memo);
        bool windowGoes;
    };
    const Case cases[] = {
        {"capture taken", [](HWND) { ::ReleaseCapture(); }, false},
        {"cancel mode", [](HWND memo) { ::SendMessageW(memo, WM_CANCELMODE, 0, 0); }, false},
        {"window destroyed", [](HWND memo) { ::DestroyWindow(memo); }, true},
    };
    for (const Case& c : cases) {
        THostWindow host;
        HWND memo = AddMemo(host);
        TSpy spy(memo);
        auto adapter = AttachEdit(memo, skin.Manager);
        ad::test::PumpPending();
        const TRect rect = adapter->BarRect(adapter->VertBar());
        const TPoint arrow{rect.Left + 5, rect.Bottom - 3};
        ::SetCursorPos(arrow.X, arrow.Y);  // the repeat scrolls while the cursor stays on the part
        ::SendMessageW(memo, WM_NCLBUTTONDOWN, HTVSCROLL, ScreenLParam(arrow));
        EXPECT_EQ(ScrollMouse().PressedPart, controls::spSecondArrow) << c.name;
        EXPECT_NE(ScrollMouse().RepeatTimer, 0u) << c.name;
        EXPECT_EQ(CountCode(ScrollCalls(spy), SB_LINEDOWN), 1) << c.name << ": once at the press";
        ::SendMessageW(memo, WM_TIMER, kScrollFirstRepeatTimer, 0);
        ::SendMessageW(memo, WM_TIMER, kScrollRepeatTimer, 0);
        EXPECT_EQ(CountCode(ScrollCalls(spy), SB_LINEDOWN), 2) << c.name << ": again at the repeat";

        c.lose(memo);
        EXPECT_EQ(ScrollMouse().PressedPart, controls::spNone) << c.name;
        EXPECT_EQ(ScrollMouse().RepeatTimer, 0u) << c.name;
        if (c.windowGoes) {
            EXPECT_EQ(ScrollMouse().Window, nullptr) << c.name << ": the record forgets the window";
            continue;
        }
        EXPECT_EQ(CountCode(ScrollCalls(spy), SB_ENDSCROLL), 1) << c.name << ": ended as a release";
        ::SendMessageW(memo, WM_TIMER, kScrollRepeatTimer, 0);
        EXPECT_EQ(CountCode(ScrollCalls(spy), SB_LINEDOWN), 2) << c.name << ": no repeat";
    }
}

TEST(SkScrollWnd, HitTestsAnswerForTheBarsAndOtherButtonsOnThemNeverReachTheControl) {
    TAdapterSkinFixture skin;
    TSkAdapterUnitScope unit;
    THostWindow host;
    HWND memo = AddMemo(host);
    TSpy spy(memo);
    auto adapter = AttachEdit(memo, skin.Manager);
    const TRect rect = adapter->BarRect(adapter->VertBar());
    const LPARAM onBar = ScreenLParam(CentreOf(rect));
    EXPECT_EQ(::SendMessageW(memo, WM_NCHITTEST, 0, onBar), HTVSCROLL);
    const UINT swallowed[] = {WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCMBUTTONDOWN, WM_NCMBUTTONUP};
    for (UINT msg : swallowed) {
        spy.Seen.clear();
        ::SendMessageW(memo, msg, HTVSCROLL, onBar);
        EXPECT_FALSE(spy.Saw(msg)) << std::hex << msg;
    }
    ::EnableScrollBar(memo, SB_VERT, ESB_DISABLE_BOTH);
    EXPECT_EQ(::SendMessageW(memo, WM_NCHITTEST, 0, onBar), HTNOWHERE) << "a disabled bar";
}

TEST(SkScrollWnd, TheBaseAdapterKeepsFrameAndBarsCurrentAndLeavesTheCursorAlone) {
    TAdapterSkinFixture skin;
    THostWindow host;
    HWND list = host.AddChild(L"LISTBOX", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, 10, 10, 150, 150);
    for (int i = 0; i < 100; ++i) ::SendMessageW(list, LB_ADDSTRING, 0, LPARAM(L"item"));
    TSpy spy(list);
    TSkSkinParams params;
    params.VertScrollWidth = kBarWidth;
    params.SkinSection = "EDIT";
    auto adapter = TSkMainWnd::Create<TSkBaseWnd>(list, nullptr, &skin.Manager, params);
    ad::test::PumpPending();

    // The system paints its frame and bars first, the skinned bars go over them.
    ::SendMessageW(list, WM_NCPAINT, 1, 0);
    const TRect rect = adapter->BarRect(adapter->VertBar());
    EXPECT_EQ(WindowPixel(list, {rect.Left + 2, rect.Top + 2}), kArrowNormal);

    struct Case {
        const char* name;
        UINT msg;
        WPARAM wParam;
        UINT reaching;  // what reaches the control's procedure
    };
    const Case cases[] = {
        {"enabling repaints the frame", WM_ENABLE, TRUE, WM_NCPAINT},
        {"the cursor is the control's", WM_SETCURSOR, WPARAM(list), WM_SETCURSOR},
    };
    for (const Case& c : cases) {
        spy.Seen.clear();
        ::SendMessageW(list, c.msg, c.wParam, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_TRUE(spy.Saw(c.reaching)) << c.name;
    }
    spy.Seen.clear();
    ::SendMessageW(list, 0x2100, 0, 0);
    EXPECT_TRUE(spy.Seen.empty()) << "a foreign library's reflected notice is swallowed";
    adapter->SkinData()->BgChanged = false;
    ::SetWindowPos(list, nullptr, 0, 0, 160, 140, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(adapter->SkinData()->BgChanged || adapter->SkinData()->CacheImage->Width() == 160)
        << "a new size marks the background";
}

}  // namespace
}  // namespace ad::skin::adapters
