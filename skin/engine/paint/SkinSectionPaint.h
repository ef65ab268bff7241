// Painting a skin section's background into a rectangle of a 32-bit bitmap:
// its colour, gradient and texture mixed by their shares, over the parent's
// background by the state's transparency, then an overlay texture. Textures
// are laid by their draw mode. Also the simpler area fill of control parts,
// the variants with a border mask and corners, and the nine-part copy of form
// borders. Portable.
#pragma once

#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/skinfile/SkinTables.h"

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

// The simpler form for parts of controls: no custom colour, no one-pass
// textured gradient and no overlay texture. Transparency 100 over a Ready
// background copies it; partial transparency blends only over a Ready one;
// otherwise the fill goes straight in (shares that add up beyond 100 give the
// plain colour).
void PaintSectionArea(const TImageView32& bitmap, const TRect& rect, TPoint offset, const TSkBgCacheRef& background,
                      int sectionIndex, int state, int textureIndex, const TSkinTables& skin);

// PaintSectionArea, then the border mask maskIndex laid over rect in nine
// parts, its key-colour corners taking the background.
void PaintSectionWithMask(const TImageView32& bitmap, const TRect& rect, TPoint offset,
                          const TSkBgCacheRef& background, int sectionIndex, int state, int maskIndex,
                          int textureIndex, const TSkinTables& skin);

// The section's four corner masks (ImgTopLeft ...) for the state at rect's
// corners, drawn against the bitmap itself.
void DrawSectionCorners(const TImageView32& bitmap, const TRect& rect, int sectionIndex, int state,
                        const TSkinTables& skin);

// The section's background, its four corner masks at rect's corners and its
// border mask. Nothing when rect does not lie wholly inside the bitmap.
// customColor as for PaintSectionBackground; fillBorder lets the border
// mask's key pixels take the background.
void PaintSectionBorders(const TImageView32& bitmap, const TRect& rect, TPoint offset,
                         const TSkBgCacheRef& background, int sectionIndex, int state, int hotTextureIndex,
                         int textureIndex, const TSkinTables& skin, TColor customColor = kNoCustomColor,
                         bool fillBorder = true);

// The section's background over the bitmap's own content, for bitmaps whose
// alpha is meaningful. Transparency 100 clears rect (colour and alpha) when it
// covers the whole bitmap and otherwise leaves it. customColor other than
// kNoCustomColor paints that colour alone, opaque. A plain colour goes over by
// the pixel at rect's top-left: over an empty pixel it is filled with the
// state's opacity; else an opaque state fills, a translucent one tints.
void PaintSectionBgOverOwn(const TImageView32& bitmap, const TRect& rect, int sectionIndex, int state,
                           TColor customColor, const TSkinTables& skin);

// PaintSectionBgOverOwn, then the section's border mask drawn keeping alpha
// against what the bitmap held before; a rectangle covering the whole bitmap
// is premultiplied last (composition as for layered windows). Nothing when
// rect does not lie wholly inside the bitmap.
void PaintSectionWithBorder(const TImageView32& bitmap, const TRect& rect, int sectionIndex, int state,
                            bool composition, const TSkinTables& skin);

// Edge modes of TileOrStretchRect.
constexpr int kEdgeTile = 0;
constexpr int kEdgeStretch = 1;

// Nine-part copy of sourceRect into targetRect (form borders). borders are the
// source's left, top, right and bottom border widths; each strip drawn is at
// most as thick as the matching side of limits. Corners are copied as they
// are; each edge between them is tiled or stretched by the matching side of
// edgeModes (other values leave the edge); the centre, when asked, is
// stretched as one piece or tiled. Clipped to both bitmaps.
void TileOrStretchRect(const TImageView32& target, const TImageView32& source, const TRect& targetRect,
                       bool paintCentre, bool stretchCentre, const TRect& edgeModes, const TRect& limits,
                       const TRect& borders, const TRect& sourceRect);

}  // namespace ad::skin
