// Tests of the animation arithmetic: step counts, the frames of show and hide
// animations per mode, the old look's faster fade, the alpha cross-blend with
// clipping, and hint placement at the work area's edges.
#include "skin/engine/skinfile/SkinAnimation.h"

#include <gtest/gtest.h>

namespace ad::skin {
namespace {

TEST(Animation, StepsAreTenMillisecondsEachAndNoneBelowTen) {
    const std::pair<int, int> cases[] = {{0, 0}, {9, 0}, {10, 1}, {19, 1}, {200, 20}, {-5, 0}};
    for (auto [time, steps] : cases) EXPECT_EQ(AnimationSteps(time), steps) << time;
    // Below 10 ms the window appears at once: only the final frame.
    EXPECT_EQ(ShowAnimationFrames(9, 200, amZoom, {64, 32}, false),
              (std::vector<TAnimationFrame>{{200, false, {0, 0, 64, 32}}}));
    EXPECT_TRUE(HideAnimationFrames(9, 200, amFade, {64, 32}).empty());
}

TEST(Animation, ShowFramesPerMode) {
    const TSize image{64, 32};
    auto alphas = [](const std::vector<TAnimationFrame>& frames) {
        std::vector<int> a;
        for (const auto& f : frames) a.push_back(f.Alpha);
        return a;
    };
    const auto fade = ShowAnimationFrames(30, 255, amFade, image, false);
    EXPECT_EQ(alphas(fade), (std::vector<int>{85, 170, 255, 255, 255}));
    EXPECT_FALSE(fade[0].Stretch);
    EXPECT_EQ(alphas(ShowAnimationFrames(30, 255, amFade, image, true)), (std::vector<int>{64, 128, 191, 255, 255}));

    const auto zoom = ShowAnimationFrames(30, 255, amZoom, image, false);
    EXPECT_EQ(zoom[0].Rect, (TRect{2, 1, 62, 31}));  // inset by 1/32 of each side
    EXPECT_EQ(zoom[3].Rect, (TRect{0, 0, 64, 32}));
    const auto grow = ShowAnimationFrames(30, 255, amGrow, image, false);
    EXPECT_EQ(grow[0].Rect, (TRect{0, 0, 0, 0}));
    EXPECT_EQ(grow[1].Rect, (TRect{0, 0, 32, 16}));
    EXPECT_EQ(grow[2].Rect, (TRect{0, 0, 48, 24}));
    EXPECT_FALSE(ShowAnimationFrames(30, 255, amGrow, image, true)[1].Stretch);  // dialogs only zoom
}

TEST(Animation, HideFramesFadeToNothing) {
    const auto frames = HideAnimationFrames(20, 200, amZoom, {64, 32});
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].Alpha, 100);
    EXPECT_EQ(frames[0].Rect, (TRect{0, 0, 64, 32}));
    EXPECT_EQ(frames[1].Alpha, 0);
    EXPECT_EQ(frames[1].Rect.Left, 1);
    EXPECT_EQ(OldLookAlpha(255, 0), 255);
    EXPECT_EQ(OldLookAlpha(100, 80), 60);
    EXPECT_EQ(OldLookAlpha(100, 200), 0);
}

TEST(Animation, BlendImageAtWeighsAlphaAndClips) {
    TBitmap32 target(4, 1), source(2, 1);
    FillRect32(target.View(), {0, 0, 4, 1}, clWhite, 255);
    SetPixel32(source.View(), 0, 0, 0xFF000000u);  // black, opaque
    SetPixel32(source.View(), 1, 0, 0x00000000u);  // alpha 0: left out
    BlendImageAt(target.View(), {1, 0, 3, 1}, source.View(), 255, {0, 0});
    EXPECT_EQ(GetPixel32(target.View(), 1, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(GetPixel32(target.View(), 2, 0), 0xFFFFFFFFu);
    EXPECT_EQ(GetPixel32(target.View(), 0, 0), 0xFFFFFFFFu);
    FillRect32(target.View(), {0, 0, 4, 1}, clWhite, 255);
    BlendImageAt(target.View(), {0, 0, 4, 1}, source.View(), 128, {-1, 0});  // the source starts one pixel in
    EXPECT_EQ(GetPixel32(target.View(), 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(GetPixel32(target.View(), 1, 0) & 0xFF, 127u);  // half weight
    BlendImageAt(target.View(), {-10, -10, 40, 40}, source.View(), 255, {50, 50});  // nothing overlaps
}

TEST(Animation, HintsStayInsideTheWorkArea) {
    const TRect work{0, 0, 1920, 1040};
    EXPECT_EQ(PlaceHintRect({100, 20}, {500, 500}, work), (TRect{508, 516, 608, 536}));
    EXPECT_EQ(PlaceHintRect({100, 20}, {1900, 500}, work), (TRect{1820, 516, 1920, 536}));
    EXPECT_EQ(PlaceHintRect({100, 20}, {500, 1030}, work), (TRect{508, 1020, 608, 1040}));
    EXPECT_TRUE(HintFadesIn(99, true, true));
    EXPECT_FALSE(HintFadesIn(100, true, true));
    EXPECT_FALSE(HintFadesIn(5, true, false));
}

}  // namespace
}  // namespace ad::skin
