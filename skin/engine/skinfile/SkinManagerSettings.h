// The skin manager's effect, animation and option settings that skinned
// controls read: glowing, state animations, outer effects, hover, the
// memory-or-speed choice and the button events that animate. Portable.
#pragma once

#include "skin/engine/image/SkinFadeMath.h"

namespace ad::skin {

struct TSkSkinEffects {
    bool AllowGlowing = true;
    bool AllowAnimation = true;
    bool AllowAeroBluring = true;
    bool AllowOuterEffects = false;
    bool DiscoloredGlyphs = false;
};

enum TSkAnimType : int { atFading, atAero, atDropDown };

struct TSkFormAnimation {
    bool Active = true;
    int Time = 0;
    TSkAnimType Mode = atAero;
};

struct TSkBlendOnMoving {
    bool Active = false;
    int BlendValue = 170;
    int Time = 1000;
};

struct TSkButtonsAnimation {
    TSkButtonEvents Events = kAllButtonEvents;
};

struct TSkAnimEffects {
    TSkFormAnimation FormShow, FormHide, DialogShow, DialogHide, PageChange;
    TSkFormAnimation Minimizing{true, 120, atAero};
    TSkFormAnimation SkinChanging{true, 100, atFading};
    TSkBlendOnMoving BlendOnMoving;
    TSkButtonsAnimation Buttons;
};

enum TSkOptimizingPriority : int { opSpeed, opMemory };

// Which windows the creation hook skins: the program's forms, standard
// dialogs (and the message dialog form), and foreign controls inside forms.
enum TSkSkinningRule : unsigned { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };
using TSkSkinningRules = unsigned;
constexpr TSkSkinningRules kAllSkinningRules = srStdForms | srStdDialogs | srThirdParty;

struct TSkButtonsSupport {
    bool ShowFocusRect = true;
    bool ShiftContentOnClick = true;
};

struct TSkLabelsSupport {
    bool TransparentAlways = true;
};

struct TSkOptions {
    bool CheckEmptyAlpha = false;
    bool NoMouseHover = false;
    bool NativeBordersMaximized = false;
    bool StdGlyphsOrder = false;
    bool ChangeSysColors = false;
    TSkOptimizingPriority OptimizingPriority = opSpeed;
};

}  // namespace ad::skin
