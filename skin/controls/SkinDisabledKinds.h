// How a disabled skinned control and its glyph look: blended towards what
// lies beneath, greyed, or both.
#pragma once

#include <cstdint>

#include "skin/engine/paint/SkinMaskPaint.h"

namespace ad::skin::controls {

enum TSkinDisabledGlyphKindFlag : uint8_t { dgBlended = 1, dgGrayed = 2 };
enum TSkinDisabledKindFlag : uint8_t { dkBlended = 1, dkGrayed = 2 };

// The effects ApplyDisabledEffects takes for a set of dkBlended and dkGrayed.
inline int DisabledEffectsOf(uint8_t kind) {
    return ((kind & dkBlended) ? kDisabledFade : 0) | ((kind & dkGrayed) ? kDisabledGrey : 0);
}

}  // namespace ad::skin::controls
