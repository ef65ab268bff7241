// Where a skinned speed button puts its glyph and its caption: along the
// layout's side at Margin pixels from the edge, or centred together when
// Margin is -1, with Spacing between them; across, centred. Pressed content
// may move by a pixel. Window-free.
#pragma once

#include "base/Geometry.h"

namespace ad::skin::adapters {

// The layouts in the class library's order.
enum TSkGlyphLayout : int { glLeft = 0, glRight = 1, glTop = 2, glBottom = 3 };

struct TSkSpeedButtonPlacement {
    TRect Glyph;    // empty (0 wide) without a glyph
    TRect Caption;  // the text's own size
};

// size: the button; glyph and text: their sizes ((0, 0) when absent); shift
// moves both by (1, 1).
TSkSpeedButtonPlacement SpeedButtonLayout(TSize size, TSize glyph, TSize text, int layout, int margin, int spacing,
                                          bool shift);

}  // namespace ad::skin::adapters
