// Tests of the window animations and helpers: animations draw one frame per
// timer tick (the caller gets control back after the first), hand their
// frames to UpdateLayeredWindow (checked on the bitmap passed to a stand-in,
// not on screen), hold the animation-running flag only while they run and
// free it when dropped early; work areas, layered alpha and the hint popup.
#include "skin/engine/win/SkinWindowAnimation.h"

#include <gtest/gtest.h>

#include "skin/engine/testkit/PaintWindowTestWriter.h"
#include "skin/engine/win/SkinGdiPaint.h"
#include "testsupport/GuiTest.h"

namespace ad::skin {
namespace {

// What the stand-in for UpdateLayeredWindow was given.
struct TLayeredCall {
    BYTE Alpha;
    uint32_t Centre;  // the source bitmap's centre pixel
    int Width, Height;
};
std::vector<TLayeredCall> g_calls;
bool g_saveFrame = false;

// The pixels of the DIB selected into dc (taken out of the DC meanwhile:
// ViewOfDib finds the row order by selecting the bitmap itself).
TImageView32 SelectedDib(HDC dc) {
    OwnedBitmap placeholder(::CreateBitmap(1, 1, 1, 1, nullptr));
    HGDIOBJ bmp = ::SelectObject(dc, placeholder.Get());
    const TImageView32 v = ViewOfDib(static_cast<HBITMAP>(bmp));
    ::SelectObject(dc, bmp);
    return v;
}

BOOL WINAPI RecordingUpdateLayeredWindow(HWND, HDC, POINT*, SIZE* size, HDC source, POINT*, COLORREF,
                                         BLENDFUNCTION* blend, DWORD) {
    const TImageView32 v = SelectedDib(source);
    g_calls.push_back({blend->SourceConstantAlpha, v.Empty() ? 0 : GetPixel32(v, v.Width / 2, v.Height / 2),
                       size->cx, size->cy});
    if (g_saveFrame && g_calls.size() == 2)
        painttest::SaveImageShot(v.Row0, v.Distance, v.Width, v.Height, "AnimationFrame.bmp");
    return TRUE;
}

class AnimationTest : public testing::Test {
protected:
    TUpdateLayeredWindowFn saved = nullptr;
    HWND window = nullptr;
    TDibSection32 image{160, 100};

    void SetUp() override {
        // Time stands still: every frame is drawn, one per tick.
        TSkLayeredAnimation::Clock = +[] { return uint64_t(0); };
        saved = std::exchange(MutableSkinBoundFunctions().UpdateLayeredWindow, &RecordingUpdateLayeredWindow);
        g_calls.clear();
        window = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP, 100, 100, 160, 100,
                                   nullptr, nullptr, nullptr, nullptr);
        // A form-like picture: a title band over a light body with a frame.
        FillRect32(image.View(), {0, 0, 160, 100}, TColor(0xF0E8E0), 255);
        FillRect32(image.View(), {0, 0, 160, 24}, TColor(0x9C5A1E), 255);
        FillRect32(image.View(), {12, 40, 148, 64}, TColor(0x50A050), 255);
    }
    void TearDown() override {
        TSkLayeredAnimation::Clock = nullptr;
        MutableSkinBoundFunctions().UpdateLayeredWindow = saved;
        ::DestroyWindow(window);
    }
};

TEST_F(AnimationTest, AHideAnimationDrawsOneFramePerTickAndReturnsAtOnce) {
    int finished = 0;
    auto animation = RunHideAnimation(window, image.View(), 50, amFade, 255, [&] { ++finished; });
    ASSERT_TRUE(animation);
    EXPECT_EQ(animation->FramesShown(), 1u);  // the caller has control back after one frame
    EXPECT_TRUE(SkinAnimationRunning());
    EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    ASSERT_TRUE(test::PumpUntil([&] { return finished > 0; }));
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(SkinAnimationRunning());
    ASSERT_EQ(g_calls.size(), 5u);
    for (size_t i = 1; i < g_calls.size(); ++i) EXPECT_LT(g_calls[i].Alpha, g_calls[i - 1].Alpha);
    EXPECT_EQ(g_calls.back().Alpha, 0);
    EXPECT_EQ(g_calls[0].Centre, GetPixel32(image.View(), 80, 50));
}

TEST_F(AnimationTest, LateTicksSkipFramesButNeverTheLast) {
    static uint64_t now = 0;
    now = 0;
    TSkLayeredAnimation::Clock = +[] { return now; };
    bool finished = false;
    auto animation = RunHideAnimation(window, image.View(), 100, amFade, 255, [&] { finished = true; });
    ASSERT_TRUE(animation);
    const size_t planned = HideAnimationFrames(100, 255, amFade, {160, 100}).size();
    // Each tick comes 30 ms after the one before: two of every three frames are late.
    while (!finished) {
        now += 30;
        animation->RunToEnd();  // the remaining frames at the clock's pace
    }
    EXPECT_LT(animation->FramesShown(), planned);
    EXPECT_EQ(g_calls.back().Alpha, 0);  // the last frame is always drawn
}

TEST_F(AnimationTest, AShowAnimationZoomsInAndEndsAtFullSizeAndAlpha) {
    g_saveFrame = true;
    bool finished = false;
    auto animation = RunShowAnimation(window, image.View(), 40, amGrow, 230, false, [&] { finished = true; });
    ASSERT_TRUE(test::PumpUntil([&] { return finished; }));
    g_saveFrame = false;  // the second frame (half the size) was saved for people to look at
    ASSERT_EQ(g_calls.size(), 6u);  // steps + 1 and the final frame
    EXPECT_EQ(g_calls[0].Centre, 0u);  // the first frame is the image at size 0
    EXPECT_EQ(g_calls[1].Centre, 0u);  // the second fills the top-left quarter only
    EXPECT_EQ(g_calls.back().Alpha, 230);
    EXPECT_EQ(g_calls.back().Centre, GetPixel32(image.View(), 80, 50));
    EXPECT_EQ(g_calls.back().Width, 160);
}

TEST_F(AnimationTest, NoStepsMeansNoAnimationAndAnAnimationDroppedEarlyFreesTheFlag) {
    bool finished = false;
    EXPECT_FALSE(RunHideAnimation(window, image.View(), 9, amFade, 255, [&] { finished = true; }));
    EXPECT_TRUE(finished);
    EXPECT_TRUE(g_calls.empty());
    {
        auto animation = RunHideAnimation(window, image.View(), 500, amZoom, 255, nullptr);
        EXPECT_TRUE(SkinAnimationRunning());
    }
    EXPECT_FALSE(SkinAnimationRunning());  // dropped mid-way: the flag goes with it
    test::PumpPending();               // and no tick reaches it afterwards
}

TEST(WindowHelpers, WorkAreasAlphaAndClassNames) {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(GetWorkAreaAt({work.left + 5, work.top + 5}), (TRect{work.left, work.top, work.right, work.bottom}));
    EXPECT_EQ(GetWorkAreaAt({-100000, -100000}), TRect{});  // outside every monitor
    HWND wnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(GetWndClassName(wnd), "Static");
    EXPECT_TRUE(SetWindowAlpha(wnd, true, 128));   // made layered now
    EXPECT_FALSE(SetWindowAlpha(wnd, true, 200));  // already layered
    BYTE alpha = 0;
    DWORD flags = 0;
    ::GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags);
    EXPECT_EQ(alpha, 200);
    EXPECT_FALSE(SetWindowAlpha(wnd, false, 0));
    EXPECT_FALSE(::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    ::DestroyWindow(wnd);
}

// A hint window that only records where it was shown.
class TRecordingHint : public TAppHintWindow {
public:
    static inline TRect Shown;
    TRect CalcHintRect(int maxWidth, const std::string& hint, void*) override {
        return {0, 0, std::min(maxWidth, int(hint.size()) * 7), 18};
    }
    void ActivateHintData(const TRect& rect, const std::string&, void*) override { Shown = rect; }
    void ReleaseHint() override {}
    HWND WindowHandle() override { return nullptr; }
};

TEST(WindowHelpers, AHintNearTheRightEdgeEndsAtTheWorkAreasRightEdge) {
    const THintWindowClass saved = std::exchange(Application->HintWindowClass,
                                                 [] { return std::unique_ptr<TAppHintWindow>(new TRecordingHint); });
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    auto hint = PopupHintText("A hint near the edge", {work.right - 10, work.top + 50});
    ASSERT_TRUE(hint);
    EXPECT_EQ(TRecordingHint::Shown.Right, work.right);
    EXPECT_EQ(TRecordingHint::Shown.Width(), 140);
    EXPECT_EQ(TRecordingHint::Shown.Height(), 22);  // an unskinned hint is 4 pixels taller
    EXPECT_FALSE(PopupHintText("", {0, 0}));
    auto wide = PopupHintText(std::string(500, 'x'), {work.left, work.top});
    EXPECT_EQ(TRecordingHint::Shown.Width(), 800);  // at most 800 pixels
    Application->HintWindowClass = saved;
}

}  // namespace
}  // namespace ad::skin
