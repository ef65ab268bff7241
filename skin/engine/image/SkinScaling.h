// The skin manager's scaling rules and its start-up command-line switch, apart
// from the manager so they can be checked alone. Portable.
#pragma once

#include <string>
#include <vector>

namespace ad::skin {

enum TSkScaleMode : int { sm100, sm125, sm150, smAuto, smOldMode };

// Scale level of a screen's "AppliedDPI": 0 below 120, 1 up to 143, 2 from 144 (0 when missing).
int ScaleLevelOfDpi(int dpi);
// The level a mode gives: smOldMode 0, smAuto the automatic level, else the mode's own.
int ScaleLevelOf(TSkScaleMode mode, int autoLevel);
// A size at the level: index 0 adds a quarter (level 1) or a half (level 2);
// an index above 0 and below the level takes that index's percentage (100,
// 125, 150); otherwise, and always with smOldMode, the value itself.
int ScaleIntFor(TSkScaleMode mode, int level, int value, int index);

// Whether the arguments ask for the skin engine's version ("/skver" in any case).
bool AsksSkinVersion(const std::vector<std::string>& arguments);

}  // namespace ad::skin
