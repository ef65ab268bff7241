// The arithmetic of state fades (hover, press, focus, glow): how many steps a
// fade takes, where it starts after another fade, how its level moves per
// step and the weight each step blends with; and which button events animate.
// Portable: the fade timer applies it to real images.
#pragma once

#include <cstdint>

namespace ad::skin {

// Fade kinds.
constexpr int kFadeNone = -1;
constexpr int kFadeOut = 0;
constexpr int kFadeIn = 1;
constexpr int kFadeToState = 2;

// The numbers of one running fade.
struct TFadeState {
    double Level = 0;     // 0..255
    double Step = 0;      // change of Level per step
    double AlphaStep = 0; // 255 / StepCount
    int Kind = kFadeNone;
    int PrevKind = kFadeNone;
    int Counter = 0;      // steps done
    int StepCount = 10;
};

// Starts a fade of kind over the running one: level limited to 0..255 (not a
// number: 0), the step count (10, 5 when fast, doubled for a fade out, shorter
// for a fade in from part-way), the step and the counter. hasWorkImage: an
// earlier fade left its blend image (the new one starts from it).
void StartFadeMath(TFadeState& fade, int stepsLeft, bool fast, int kind, bool hasWorkImage);

// The steps a running fade still has (20 for a fade out, else 10, less those done).
int FadeStepsLeft(const TFadeState& fade);

// Moves the level by one step and gives the blend weight of the new look:
// a = round(level) in 0..255; kind 1 blends with 255 - a, others with a.
struct TFadeStepResult {
    int Alpha = 0;
    uint8_t TargetWeight = 0;
};
TFadeStepResult AdvanceFadeLevel(TFadeState& fade);

// Animation events of a control and the manager's button event set.
enum TSkAnimatEvent : int { aeMouseEnter = 0, aeMouseLeave = 1, aeMouseDown = 2, aeMouseUp = 3, aeGlobalDef = 4 };
enum TSkButtonEvent : int { beMouseEnter = 0, beMouseLeave = 1, beMouseDown = 2, beMouseUp = 3 };
using TSkAnimatEvents = uint8_t;  // bit n: event n
using TSkButtonEvents = uint8_t;  // bit n: button event n
constexpr TSkButtonEvents kAllButtonEvents = 0x0F;

// True when event is in events; else, with aeGlobalDef in events, when the
// event's button event is in the manager's set.
bool ButtonEffectEnabled(int event, TSkAnimatEvents events, TSkButtonEvents managerButtons);

}  // namespace ad::skin
