// System colours that follow the skin: which system colour indexes (and
// which pen colours) the skin's palette answers instead of the system.
// Portable tables; the Windows side routes the colour queries of our own
// painting through them (SkinSysColorService.h).
#pragma once

#include <optional>

#include "skin/engine/skinfile/SkinRecords.h"

namespace ad::skin {

// The skin's answer for a system colour index (colour order), or nothing
// when the system's own colour stays. frameColor is the skin data's frame
// colour (the system's inactive border as it was at start-up).
std::optional<TColor> SubstituteSysColor(int index, const TSkinPalette& palette, TColor frameColor);
// The colour a pen of that colour value is made with.
TColor SubstitutePenColor(TColor color, const TSkinPalette& palette, TColor frameColor);

}  // namespace ad::skin
