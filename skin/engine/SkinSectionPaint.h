// Painting a skin section's background into a rectangle of a 32-bit bitmap:
// its colour, gradient and texture mixed by their shares, over the parent's
// background by the state's transparency, then an overlay texture. Textures
// are laid by their draw mode. Portable.
#pragma once

#include "skin/engine/SkinAlphaDraw.h"
#include "skin/engine/SkinTables.h"

namespace ad::skin {

// Marks "use the section's own colour" where a custom colour is asked for.
constexpr TColor kNoCustomColor = 0xFF00FF;

// Lays a key-colour texture (the mask's first frame) over rect by its draw
// mode and gives back the part still to be filled with the colour (an empty
// rectangle when none). Modes 8, 9, 14 and unknown ones tile like mode 0.
TRect DrawTexture(const TImageView32& target, const TRect& rect, const TSkinMaskData& mask, const TSkinTables& skin);
// Lays a texture with an alpha part (modes 0 and 10; others paint nothing);
// in mode 10 the strips left at the right and bottom take the background.
void DrawTextureAlpha(const TImageView32& target, const TRect& rect, const TSkinMaskData& mask,
                      const TSkBgCacheRef& background, const TSkinTables& skin);

// The section's background for the state in rect; offset is rect's position
// in the background. customColor other than kNoCustomColor paints that colour
// alone, opaque. A textureIndex below 0 takes the state's texture.
void PaintSectionBackground(const TImageView32& bitmap, const TRect& rect, TPoint offset,
                            const TSkBgCacheRef& background, int sectionIndex, int state, TColor customColor,
                            int hotTextureIndex, int textureIndex, const TSkinTables& skin);

}  // namespace ad::skin
