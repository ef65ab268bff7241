// Fade step arithmetic and the button animation events.
#include "skin/engine/image/SkinFadeMath.h"

#include <algorithm>
#include <cmath>

namespace ad::skin {

void StartFadeMath(TFadeState& f, int stepsLeft, bool fast, int kind, bool hasWorkImage) {
    const int oldKind = f.Kind;
    if (std::isnan(f.Level) || f.Level < 0) f.Level = 0;
    else if (f.Level > 255) f.Level = 255;
    f.StepCount = fast ? 5 : 10;
    if (kind == kFadeOut) {
        f.StepCount *= 2;
        f.Step = f.Level / f.StepCount;
    } else if (kind == kFadeToState) {
        f.Step = f.Level / f.StepCount;
    } else {
        f.StepCount = oldKind < kFadeIn ? int(std::lround((255 - f.Level) * 10 / 255)) : 10;
        f.StepCount = std::max(1, f.StepCount);
        f.Step = (255 - f.Level) / f.StepCount;
    }
    f.AlphaStep = 255.0 / f.StepCount;
    if (kind == kFadeIn && oldKind < kFadeIn)
        f.Counter = int(std::lround(f.Level * 10 / 255));
    else if (kind == kFadeOut && oldKind == kFadeIn)
        f.Counter = f.Level != 0 ? int(std::lround((255 - f.Level) * f.StepCount / 255)) : 0;
    else
        f.Counter = hasWorkImage ? 0 : stepsLeft;
    f.PrevKind = oldKind;
    f.Kind = kind;
}

int FadeStepsLeft(const TFadeState& f) { return std::max(0, (f.Kind == kFadeOut ? 20 : 10) - f.Counter); }

TFadeStepResult AdvanceFadeLevel(TFadeState& f) {
    if (f.Kind == kFadeOut || f.Kind == kFadeToState) f.Level -= f.Step;
    else if (f.Kind == kFadeIn) f.Level += f.Step;
    else f.Level = 255 - double(f.Counter) / std::max(1, f.StepCount) * 255;
    const double rounded = std::isnan(f.Level) ? 0 : std::round(f.Level);
    const int a = int(std::clamp(rounded, 0.0, 255.0));
    return {a, uint8_t(f.Kind == kFadeIn ? 255 - a : a)};
}

bool ButtonEffectEnabled(int event, TSkAnimatEvents events, TSkButtonEvents managerButtons) {
    if (event < 0 || event > 7) return false;
    if (events & (1u << event)) return true;
    if (!(events & (1u << aeGlobalDef))) return false;
    int button = beMouseUp;  // aeMouseUp and aeGlobalDef
    switch (event) {
        case aeMouseEnter: button = beMouseEnter; break;
        case aeMouseLeave: button = beMouseLeave; break;
        case aeMouseDown: button = beMouseDown; break;
        case aeMouseUp:
        case aeGlobalDef: break;
        default: return false;
    }
    return (managerButtons & (1u << button)) != 0;
}

}  // namespace ad::skin
