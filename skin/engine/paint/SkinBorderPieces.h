// The window-free parts of control border painting: a whole bitmap painted
// from a border mask by the nine-part rule, one piece of a mask copied into a
// target (blended by the mask's alpha part, or with its key-colour pixels
// collected as runs for a window region). Portable.
#pragma once

#include <vector>

#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/skinfile/SkinTables.h"

namespace ad::skin {

// The whole bitmap from the mask for the state: nothing for a bitmap of 1
// pixel or less either way or a mask without image; borders that do not fit
// give up the excess half each (the left or top one the smaller half); a mask
// without image count counts as one image; the state is limited to the last image.
void DrawMaskToBitmap(const TImageView32& bitmap, const TSkBgCacheRef& background, int state,
                      const TSkinMaskData& mask, const TSkinTables& skin);

// sourceRect of the mask's image copied to target at position, clipped to
// both. A mask with an alpha part (type 1) blends each pixel by the alpha
// part below it (black: opaque). With regionRuns, key-colour (clFuchsia)
// pixels are left out of the copy and added, one rectangle per run of a row,
// in target coordinates.
void CopyMaskPiece(const TSkinMaskData& mask, const TSkinTables& skin, const TImageView32& target, TPoint position,
                   const TRect& sourceRect, std::vector<TRect>* regionRuns = nullptr);

}  // namespace ad::skin
