// Tests of the fade arithmetic: level limits, step counts after earlier
// fades, counters, the level per step and blend weights, a fade out that
// reaches 0, and which button events animate.
#include "skin/engine/image/SkinFadeMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ad::skin {
namespace {

TFadeState After(int kind, double level, int counter = 0) {
    TFadeState f;
    f.Kind = kind;
    f.Level = level;
    f.Counter = counter;
    return f;
}

TEST(SkinFadeMath, StartLimitsTheLevelAndCountsSteps) {
    struct Case {
        int oldKind;
        double level;
        bool fast;
        int kind;
        double level2;  // level after the start
        int steps;
    } cases[] = {
        {kFadeNone, 300, false, kFadeToState, 255, 10},
        {kFadeNone, -5, false, kFadeToState, 0, 10},
        {kFadeNone, std::numeric_limits<double>::quiet_NaN(), false, kFadeToState, 0, 10},
        {kFadeNone, 100, true, kFadeToState, 100, 5},
        {kFadeNone, 255, false, kFadeOut, 255, 20},
        {kFadeNone, 255, true, kFadeOut, 255, 10},
        {kFadeOut, 0, false, kFadeIn, 0, 10},      // a fade in from nothing after a fade out: all steps
        {kFadeOut, 255, false, kFadeIn, 255, 1},   // ... from the full level: one step
        {kFadeOut, 127.5, false, kFadeIn, 127.5, 5},
        {kFadeIn, 200, true, kFadeIn, 200, 10},    // after a fade in: always 10
    };
    for (const Case& c : cases) {
        TFadeState f = After(c.oldKind, c.level);
        StartFadeMath(f, 0, c.fast, c.kind, false);
        EXPECT_DOUBLE_EQ(f.Level, c.level2) << c.level << " kind " << c.kind;
        EXPECT_EQ(f.StepCount, c.steps) << c.level << " kind " << c.kind;
        EXPECT_DOUBLE_EQ(f.AlphaStep, 255.0 / c.steps);
        EXPECT_EQ(f.Kind, c.kind);
        EXPECT_EQ(f.PrevKind, c.oldKind);
    }
}

TEST(SkinFadeMath, StepsAndCountersContinueTheEarlierFade) {
    TFadeState out = After(kFadeNone, 255);
    StartFadeMath(out, 0, false, kFadeOut, false);
    EXPECT_DOUBLE_EQ(out.Step, 255.0 / 20);

    TFadeState in = After(kFadeOut, 127.5);
    StartFadeMath(in, 7, false, kFadeIn, true);
    EXPECT_EQ(in.Counter, 5);  // round(127.5 * 10 / 255)
    EXPECT_DOUBLE_EQ(in.Step, 127.5 / 5);

    TFadeState back = After(kFadeIn, 51);
    StartFadeMath(back, 7, false, kFadeOut, false);
    EXPECT_EQ(back.Counter, 16);  // round(204 * 20 / 255)
    TFadeState fromZero = After(kFadeIn, 0);
    StartFadeMath(fromZero, 7, false, kFadeOut, false);
    EXPECT_EQ(fromZero.Counter, 0);

    TFadeState plain = After(kFadeNone, 255);
    StartFadeMath(plain, 7, false, kFadeToState, false);
    EXPECT_EQ(plain.Counter, 7);  // the steps left
    TFadeState reused = After(kFadeNone, 255);
    StartFadeMath(reused, 7, false, kFadeToState, true);
    EXPECT_EQ(reused.Counter, 0);

    EXPECT_EQ(FadeStepsLeft(After(kFadeOut, 0, 5)), 15);
    EXPECT_EQ(FadeStepsLeft(After(kFadeIn, 0, 4)), 6);
    EXPECT_EQ(FadeStepsLeft(After(kFadeIn, 0, 12)), 0);
}

TEST(SkinFadeMath, LevelPerStepAndBlendWeights) {
    TFadeState in = After(kFadeOut, 0);
    StartFadeMath(in, 0, false, kFadeIn, false);
    TFadeStepResult r = AdvanceFadeLevel(in);
    EXPECT_EQ(r.Alpha, 26);  // 25.5 rounded
    EXPECT_EQ(r.TargetWeight, 255 - 26);

    TFadeState to = After(kFadeNone, 255);
    StartFadeMath(to, 0, false, kFadeToState, false);
    r = AdvanceFadeLevel(to);
    EXPECT_EQ(r.Alpha, 230);  // 229.5 rounded
    EXPECT_EQ(r.TargetWeight, 230);

    TFadeState other = After(kFadeNone, 0);
    other.Kind = 5;
    other.StepCount = 10;
    other.Counter = 4;
    r = AdvanceFadeLevel(other);
    EXPECT_EQ(r.Alpha, 153);

    // A fade out reaches 0 exactly after its steps and never goes below.
    TFadeState out = After(kFadeNone, 255);
    StartFadeMath(out, 0, false, kFadeOut, false);
    for (int i = 0; i < out.StepCount; ++i) r = AdvanceFadeLevel(out);
    EXPECT_EQ(r.Alpha, 0);
    r = AdvanceFadeLevel(out);
    EXPECT_EQ(r.Alpha, 0);
}

TEST(SkinFadeMath, ButtonEffectEnabled) {
    constexpr TSkAnimatEvents enter = 1u << aeMouseEnter, global = 1u << aeGlobalDef;
    constexpr TSkButtonEvents buttonsDown = 1u << beMouseDown, buttonsUp = 1u << beMouseUp;
    struct Case {
        int event;
        TSkAnimatEvents events;
        TSkButtonEvents buttons;
        bool enabled;
    } cases[] = {
        {aeMouseEnter, enter, 0, true},
        {aeMouseLeave, enter, kAllButtonEvents, false},       // not listed, no global default
        {aeMouseDown, global, buttonsDown, true},
        {aeMouseDown, global, buttonsUp, false},
        {aeMouseUp, global, buttonsUp, true},
        {aeGlobalDef, global, buttonsUp, true},               // the default itself asks for mouse-up
        {aeMouseEnter, global, kAllButtonEvents, true},
        {6, global, kAllButtonEvents, false},                  // no button event of its own
        {7, 1u << 7, 0, true},
        {8, 0xFF, kAllButtonEvents, false},
        {-1, 0xFF, kAllButtonEvents, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ButtonEffectEnabled(c.event, c.events, c.buttons), c.enabled) << "event " << c.event;
}

}  // namespace
}  // namespace ad::skin
