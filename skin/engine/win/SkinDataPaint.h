// Painting a control's look from its skin data: the body of its section (its
// custom colour honoured), the body with the section's corner and border
// masks for a state, and the border mask's corners repainted into the
// control's cache over what its parent shows.
#pragma once

#include "skin/engine/win/SkinCommonData.h"

namespace ad::skin {

// The section's background for the state in rect, with the data's textures;
// with CustomColor on, the owner's colour (a provider's form's) alone.
void PaintDataSectionBody(TSkinCommonData& data, const TSkBgCacheRef& background, int state,
                          const TImageView32& bitmap, TPoint offset, const TRect& rect);

// The body, the section's four corner masks and its border mask for the
// state; then the data's colour tone, hue and saturation over the bitmap
// (clFuchsia left alone) unless the state is see-through where no border
// mask is drawn. Nothing without a skin, a bitmap or a section, or when rect
// does not lie in the bitmap. fillBorder lets the border's key pixels take the
// background.
void PaintStateCorners(TSkinCommonData& data, const TSkBgCacheRef& background, bool fillBorder, int hotTextureIndex,
                       int textureIndex, const TImageView32& bitmap, TPoint offset, const TRect& rect, int state);

// The same over the background control's parent answers for it; false, with
// nothing painted, while the parent's background is not ready.
bool PaintStateCornersWnd(TSkinCommonData& data, TWinControl* control, int hotTextureIndex, int textureIndex,
                          bool fillBorder, const TImageView32& bitmap, TPoint offset, const TRect& rect, int state);

// The chosen corners (TSkinCornerBit) of the data's border mask for the state,
// repainted into its cache over its parent's background. Nothing without a
// cache, a border mask or a parent.
void PaintBorderCorners(TSkinCommonData& data, int state, int corners);

}  // namespace ad::skin
