// Control borders painted from the skin: the border of a skinned control's
// section into its cache image (over the parent's background), with an extra
// frame in the background colour; window regions from key-colour runs; and
// re-making a control's window when a flag it is created with changes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/Handles.h"
#include "skin/engine/paint/SkinBorderPieces.h"
#include "skin/engine/win/SkinCommonData.h"

namespace ad::skin {

// Paints the border of data's control for the state into its cache image and
// gives the rectangle inside it. extraWidth > 0 adds a frame of that width in
// the background colour inside rect (copied to dc as well); without a border
// mask that frame goes straight into dc.
void PaintControlBorder(HDC dc, const TRect& rect, int extraWidth, TRect& innerRect, int state,
                        TSkinCommonData& data);

// A region of the rectangles (runs of CopyMaskPiece); empty for none.
OwnedRegion RegionFromRuns(const std::vector<TRect>& runs);

// Sets the flag and makes the control's window again when the value changed.
void SetFlagAndRecreate(TWinControl* control, uint8_t& flag, uint8_t value);

}  // namespace ad::skin
