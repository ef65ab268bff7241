// The skinned scroll bar: its parts' geometry, page clicks and their repeats
// driven by WM_TIMER, the range rule, a press ended by a lost capture, and
// the system scroll bar it becomes again when the skin goes.
#include "skin/controls/skScrollBar.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>

#include <string>
#include <utility>
#include <vector>

#include "framework/ExtCtrls.h"
#include "skin/controls/SkinControlsTestKit.h"
#include "skin/engine/win/SkinManager.h"

namespace ad::skin::controls {
namespace {

using namespace test;

LPARAM At(TPoint p) { return MAKELPARAM(p.X, p.Y); }
TPoint Middle(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

std::wstring ClassOf(HWND wnd) {
    wchar_t name[128] = {};
    GetClassNameW(wnd, name, 128);
    return name;
}

TEST(ScrollParts, ThumbGeometry) {
    // 200 long, arrows 17: track 166.
    const TScrollGeometry noPage = ThumbGeometry(false, 200, 17, 17, {0, 100, 0, 0}, true);
    EXPECT_EQ(noPage.ThumbSize, kMinThumbSize);
    EXPECT_EQ(noPage.Thumb.Left, 17);  // at Min the thumb follows the first arrow
    const TScrollGeometry end = ThumbGeometry(false, 200, 17, 17, {0, 100, 0, 100}, true);
    EXPECT_EQ(end.Thumb.Right, 200 - 17);  // at Max it reaches the second arrow
    const TScrollGeometry same = ThumbGeometry(false, 200, 17, 17, {10, 10, 0, 10}, true);
    EXPECT_EQ(same.Thumb.Left, 17);
    const TScrollGeometry paged = ThumbGeometry(true, 17, 200, 17, {0, 99, 50, 0}, true);
    EXPECT_EQ(paged.ThumbSize, 83);  // half of the track for half of the range
    EXPECT_EQ(paged.Thumb.Top, 17);
    const TScrollGeometry tiny = ThumbGeometry(false, 20, 17, 17, {0, 10, 0, 0}, true);
    EXPECT_EQ(tiny.FirstArrow.Right, 10);  // arrows cut to half the bar
    EXPECT_EQ(PartAtPoint(noPage, {5, 8}), spFirstArrow);
    EXPECT_EQ(PartAtPoint(noPage, {195, 8}), spSecondArrow);
    EXPECT_EQ(PartAtPoint(noPage, {25, 8}), spThumb);
    EXPECT_EQ(PartAtPoint(noPage, {100, 8}), spTrackAfter);
    EXPECT_EQ(ValueAtPoint(noPage, {0, 100, 0, 0}, {17 + 8, 8}, true), 0);
    EXPECT_EQ(ValueAtPoint(noPage, {0, 100, 0, 0}, {200 - 17 - 8, 8}, true), 100);
}

struct TBarFixture : TControlsFormFixture {
    TBarFixture() {
        Bar = Add<TSkinScrollBar>(nullptr, 10, 10, 300, 17);
        Bar->SetMax(360);
        Bar->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { ++MouseUps; };
    }
    TSkinScrollBar* Bar;
    int MouseUps = 0;
};

TEST(SkinScrollBar, APageClickAddsAPageAndRepeatsOnItsTimer) {
    TBarFixture f;
    ASSERT_TRUE(f.Bar->SkinnedWindow());
    const TPoint track = Middle(f.Bar->Geometry().TrackAfter);
    SendMessageW(f.Bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At({track.X + 60, track.Y}));
    EXPECT_EQ(f.Bar->Position(), 1);  // max(PageSize 0, 1)
    EXPECT_EQ(f.Bar->RepeatInterval(), 500);
    SendMessageW(f.Bar->Handle(), WM_TIMER, 1, 0);
    EXPECT_EQ(f.Bar->Position(), 2);
    EXPECT_EQ(f.Bar->RepeatInterval(), 50);
    SendMessageW(f.Bar->Handle(), WM_TIMER, 1, 0);
    EXPECT_EQ(f.Bar->Position(), 3);
    SendMessageW(f.Bar->Handle(), WM_LBUTTONUP, 0, At(track));
    EXPECT_EQ(f.Bar->RepeatInterval(), 0);
    EXPECT_EQ(f.MouseUps, 1);

    f.Bar->SetPageSize(30);
    SendMessageW(f.Bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At({290 - 20, 8}));
    EXPECT_EQ(f.Bar->Position(), 33);
    SendMessageW(f.Bar->Handle(), WM_LBUTTONUP, 0, At({290 - 20, 8}));
}

TEST(SkinScrollBar, ARangeBelowItsMinimumBecomesNothing) {
    TBarFixture f;
    SCROLLINFO si{sizeof si, SIF_RANGE, 10, 5, 0, 0, 0};
    SendMessageW(f.Bar->Handle(), SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
    EXPECT_EQ(f.Bar->Min(), 0);
    EXPECT_EQ(f.Bar->Max(), 0);
    SCROLLINFO back{sizeof back, SIF_ALL, -1, -1, 9, -1, -1};
    SendMessageW(f.Bar->Handle(), SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(back.nMin, 0);
    EXPECT_EQ(back.nMax, 0);
    EXPECT_EQ(back.nPage, 0u);
}

// The system's readers of a bar's window get the control's values.
TEST(SkinScrollBar, GetScrollPosAndRangeReadTheSkinnedWindow) {
    TBarFixture f;
    ASSERT_TRUE(f.Bar->SkinnedWindow());
    f.Bar->SetMin(-100);
    f.Bar->SetMax(25);
    f.Bar->SetPosition(-40);
    EXPECT_EQ(GetScrollPos(f.Bar->Handle(), SB_CTL), -40);
    int low = 0, high = 0;
    ASSERT_TRUE(GetScrollRange(f.Bar->Handle(), SB_CTL, &low, &high));
    EXPECT_EQ(low, -100);
    EXPECT_EQ(high, 25);
}

// The press ends once whether the button comes up or the capture goes.
TEST(SkinScrollBar, CaptureLostMidDragEndsThePress) {
    TBarFixture f;
    if (Application) Application->ShowHint = true;
    const TPoint thumb = Middle(f.Bar->Geometry().Thumb);
    SendMessageW(f.Bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(thumb));
    ASSERT_EQ(f.Bar->PressedPart(), spThumb);
    SendMessageW(f.Bar->Handle(), WM_MOUSEMOVE, MK_LBUTTON, At({thumb.X + 40, thumb.Y}));
    const int dragged = f.Bar->Position();
    EXPECT_GT(dragged, 0);
    if (Application) {
        EXPECT_FALSE(Application->ShowHint);
    }
    SendMessageW(f.Bar->Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_EQ(f.Bar->PressedPart(), spNone);
    EXPECT_EQ(f.MouseUps, 1);
    if (Application) {
        EXPECT_TRUE(Application->ShowHint);
    }
    SendMessageW(f.Bar->Handle(), WM_LBUTTONUP, 0, At(thumb));  // a late release changes nothing
    EXPECT_EQ(f.MouseUps, 1);
    EXPECT_EQ(f.Bar->Position(), dragged);
}

TEST(SkinScrollBar, WithoutTheSkinItIsTheSystemsBarAtTheSamePosition) {
    TBarFixture f;
    f.Bar->SetPosition(120);
    const std::wstring skinnedClass = ClassOf(f.Bar->Handle());
    EXPECT_NE(skinnedClass.find(L".Skinned"), std::wstring::npos);
    f.Manager->SetActive(false);
    SendMessageW(f.Bar->Handle(), SKM_SKINCMD, SkinCommandWParam(SKC_SKINREMOVED),
                 reinterpret_cast<LPARAM>(f.Manager.get()));
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_FALSE(f.Bar->SkinnedWindow());
    EXPECT_EQ(ClassOf(f.Bar->Handle()).find(L".Skinned"), std::wstring::npos);
    EXPECT_EQ(SendMessageW(f.Bar->Handle(), SBM_GETPOS, 0, 0), 120);
    EXPECT_EQ(f.Bar->Position(), 120);
}

// What a bound control hears of the bar, through a spy below its window procedure.
std::vector<std::pair<UINT, WPARAM>> gHeard;
LRESULT CALLBACK HearScrolls(HWND wnd, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
    if (msg == WM_HSCROLL || msg == WM_VSCROLL) gHeard.emplace_back(msg, w);
    return DefSubclassProc(wnd, msg, w, l);
}

TEST(SkinScrollBar, ABoundControlHearsEachScrollAndTheEnd) {
    TBarFixture f;
    auto* panel = f.Add<TPanel>(nullptr, 10, 40, 200, 100);
    f.Bar->SetBoundControl(panel);
    gHeard.clear();
    ASSERT_TRUE(SetWindowSubclass(panel->Handle(), HearScrolls, 1, 0));
    const TPoint track = Middle(f.Bar->Geometry().TrackAfter);
    SendMessageW(f.Bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At({track.X + 60, track.Y}));
    SendMessageW(f.Bar->Handle(), WM_LBUTTONUP, 0, At({track.X + 60, track.Y}));
    RemoveWindowSubclass(panel->Handle(), HearScrolls, 1);
    ASSERT_EQ(gHeard.size(), 2u);
    EXPECT_EQ(gHeard[0], std::make_pair(UINT(WM_HSCROLL), WPARAM(SB_PAGEDOWN)));
    EXPECT_EQ(gHeard[1], std::make_pair(UINT(WM_HSCROLL), WPARAM(SB_ENDSCROLL)));
    EXPECT_EQ(f.Bar->Position(), 1);  // the echo through the control moved nothing more
    EXPECT_EQ(f.MouseUps, 1);
}

// The thumb follows the pointer on the drag timer while the bar holds the mouse.
TEST(SkinScrollBar, TheDragTimerRunsOnlyWhileTheThumbIsHeld) {
    TBarFixture f;
    const TPoint thumb = Middle(f.Bar->Geometry().Thumb);
    SendMessageW(f.Bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(thumb));
    EXPECT_TRUE(f.Bar->Dragging());
    SendMessageW(f.Bar->Handle(), WM_TIMER, 2, 0);  // the pointer is not over it: nothing moves
    EXPECT_EQ(f.Bar->Position(), 0);
    SendMessageW(f.Bar->Handle(), WM_LBUTTONUP, 0, At(thumb));
    EXPECT_FALSE(f.Bar->Dragging());
    SendMessageW(f.Bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(Middle(f.Bar->Geometry().TrackAfter)));
    EXPECT_FALSE(f.Bar->Dragging());  // a page press has no drag timer
    SendMessageW(f.Bar->Handle(), WM_LBUTTONUP, 0, At(thumb));
}

// On a panel of a colour the tracks show the panel: greyed they lose its colour, blended they keep some.
// The arrow's triangle is in the section's (red) font colour: greyed it loses its colour, blended it keeps some.
TEST(SkinScrollBar, ADisabledBarLooksAsItsDisabledKindSays) {
    TBarFixture f;
    f.Bar->SetEnabled(false);
    const TRect arrow = f.Bar->Geometry().FirstArrow;
    // The most colour a pixel of the arrow has: how far apart its channels lie.
    auto colourful = [&] {
        const auto image = Printed(f.Bar);
        int most = 0;
        for (int y = arrow.Top; y < arrow.Bottom; ++y)
            for (int x = arrow.Left; x < arrow.Right; ++x) {
                const COLORREF c = image.At(x, y);
                const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
                most = std::max(most, std::max({r, g, b}) - std::min({r, g, b}));
            }
        return most;
    };
    const int blended = colourful();  // blended by default
    EXPECT_GT(blended, 30);
    f.Bar->SetDisabledKind(dkGrayed);
    EXPECT_LT(colourful() * 3, blended);
}

TEST(SkinScrollBar, PaintsItsPartsFromTheSkin) {
    TBarFixture f;
    const auto image = Printed(f.Bar);
    const TScrollGeometry g = f.Bar->Geometry();
    const TPoint thumb = Middle(g.Thumb);
    // No scroll sections in the fixture: arrows and thumb take BUTTON, the tracks the form's background.
    EXPECT_EQ(image.At(thumb.X, 2), Rgb(kButtonNormal));
    EXPECT_EQ(image.At(2, 2), Rgb(kButtonNormal));
}

}  // namespace
}  // namespace ad::skin::controls
