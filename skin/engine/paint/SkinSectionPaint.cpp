// Section backgrounds: textures by draw mode, the fill, transparency over the
// background and the overlay texture; the border and corner variants and the
// nine-part copy of form borders.
#include "skin/engine/paint/SkinSectionPaint.h"

#include <algorithm>

#include "skin/engine/image/SkinGradients.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/image/SkinUtils.h"

namespace ad::skin {
namespace {

TRect FirstFrame(const TSkinMaskData& m) {
    const TPoint f = MaskFrameSize(m);
    return {m.R.Left, m.R.Top, m.R.Left + f.X, m.R.Top + f.Y};
}

TImageView32 ImageOf(const TSkinMaskData& mask, const TSkinTables& skin) {
    TBitmap32* image = skin.MaskImage(mask);
    return image ? image->View() : TImageView32{};
}

bool Inside(const TImageView32& v, int x, int y) { return x >= 0 && y >= 0 && x < v.Width && y < v.Height; }

// Copies source piece s to (x, y), clipped to both bitmaps and to clip.
void CopyPiece(const TImageView32& t, const TRect& clip, int x, int y, const TImageView32& src, const TRect& s) {
    for (int sy = s.Top; sy < s.Bottom; ++sy)
        for (int sx = s.Left; sx < s.Right; ++sx) {
            const int tx = x + sx - s.Left, ty = y + sy - s.Top;
            if (tx < clip.Left || ty < clip.Top || tx >= clip.Right || ty >= clip.Bottom) continue;
            if (!Inside(t, tx, ty) || !Inside(src, sx, sy)) continue;
            SetPixel32(t, tx, ty, GetPixel32(src, sx, sy));
        }
}

// Source piece s stretched over r (nearest pixel), clipped to the target.
void StretchPiece(const TImageView32& t, const TRect& r, const TImageView32& src, const TRect& s) {
    const int tw = RectWidth(r), th = RectHeight(r), sw = RectWidth(s), sh = RectHeight(s);
    if (tw <= 0 || th <= 0 || sw <= 0 || sh <= 0) return;
    const TRect v = IntersectRects(r, {0, 0, t.Width, t.Height});
    for (int y = v.Top; y < v.Bottom; ++y)
        for (int x = v.Left; x < v.Right; ++x) {
            const int sx = s.Left + int(int64_t(x - r.Left) * sw / tw), sy = s.Top + int(int64_t(y - r.Top) * sh / th);
            if (Inside(src, sx, sy)) SetPixel32(t, x, y, GetPixel32(src, sx, sy));
        }
}

// Tiles s over r; anchored at r's top-left, or at its bottom-right (the first
// row and column then cut).
void TilePieces(const TImageView32& t, const TRect& r, const TImageView32& src, const TRect& s, bool fromBottomRight) {
    const int sw = RectWidth(s), sh = RectHeight(s);
    if (sw <= 0 || sh <= 0 || IsEmpty(r)) return;
    const int startX = fromBottomRight ? r.Right - ((RectWidth(r) + sw - 1) / sw) * sw : r.Left;
    const int startY = fromBottomRight ? r.Bottom - ((RectHeight(r) + sh - 1) / sh) * sh : r.Top;
    for (int y = startY; y < r.Bottom; y += sh)
        for (int x = startX; x < r.Right; x += sw) CopyPiece(t, r, x, y, src, s);
}

// The alpha-part blend of one texture pixel over the target.
void BlendAlphaPixel(uint8_t* t, const uint8_t* s, const uint8_t* m) {
    for (int c = 0; c < 3; ++c) t[c] = uint8_t(((int(t[c]) - s[c]) * m[c] + s[c] * 256) >> 8);
}

// The fill of step 4: texture, gradient and colour by their shares.
void FillSection(const TImageView32& v, const TRect& rect, TColor color, int imagePercent, int gradientPercent,
                 int textureIndex, const TSkinGradArray* gradient, const TSkBgCacheRef& background,
                 const TSkinTables& skin, bool onePass = true) {
    const bool hasTexture = imagePercent > 0 && skin.IsValidMaskIndex(textureIndex);
    const bool hasGradient = gradient && !gradient->empty();
    if (onePass && hasTexture && imagePercent + gradientPercent == 100 && gradientPercent >= 1 && gradientPercent <= 99 &&
        hasGradient && (*gradient)[0].Mode <= 1 && (*gradient)[0].Mode >= 0) {
        const TSkinMaskData& m = skin.Mask(textureIndex);
        const TImageView32 image = ImageOf(m, skin);
        const TRect frame = IntersectRects(FirstFrame(m), {0, 0, image.Width, image.Height});
        if (m.DrawFlags == 0 && m.MaskType == 0 && !IsEmpty(frame)) {
            PaintGradientTextured(v, rect, *gradient, 255, imagePercent * 255 / 100, frame, image);
            return;
        }
    }
    bool textureDrawn = false;
    if (hasTexture) {
        const TSkinMaskData& m = skin.Mask(textureIndex);
        if (m.MaskType != 0) {
            DrawTextureAlpha(v, rect, m, background, skin);
        } else {
            const TRect rest = DrawTexture(v, rect, m, skin);
            if (!IsEmpty(rest)) FillRect32(v, rest, color, 255);
        }
        textureDrawn = true;
    }
    if (gradientPercent > 0) {
        if (textureDrawn) {
            TBitmap32 temp(RectWidth(rect), RectHeight(rect));
            const TImageView32 tv = temp.View();
            if (hasGradient) PaintGradient(tv, {0, 0, tv.Width, tv.Height}, *gradient, 0);
            else FillRect32(tv, {0, 0, tv.Width, tv.Height}, color, 255);
            BlendBitmapConst(v, tv, uint8_t(imagePercent * 255 / 100), {rect.Left, rect.Top},
                             {0, 0, tv.Width - 1, tv.Height - 1});
        } else if (hasGradient) {
            PaintGradient(v, rect, *gradient, 0);
        } else {
            FillRect32(v, rect, color, 255);
        }
    }
    const int shares = imagePercent + gradientPercent;
    if (shares > 0 && shares < 100)
        BlendRectColor(v, {rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1}, uint8_t(shares * 255 / 100), color);
    if (imagePercent <= 0 && gradientPercent <= 0) FillRect32(v, rect, color, 255);
}

// The background under rect: its pixels from a Ready bitmap, else its border
// strips and the fill colour. Only pixels inside both bitmaps are copied.
void PutBackground(const TImageView32& v, const TRect& rect, TPoint offset, const TSkBgCacheRef& bg) {
    const TRect r = IntersectRects(rect, {0, 0, v.Width, v.Height});
    if (!bg.Ready || bg.Bmp.Empty()) FillRect32(v, r, bg.FillColor, 255);
    if (bg.Bmp.Empty()) return;
    const TRect strips{bg.Borders.Left, bg.Borders.Top, bg.Bmp.Width - bg.Borders.Right,
                       bg.Bmp.Height - bg.Borders.Bottom};
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const int bx = offset.X + bg.X + x - rect.Left, by = offset.Y + bg.Y + y - rect.Top;
            if (!Inside(bg.Bmp, bx, by)) continue;
            const bool inStrip = bx < strips.Left || by < strips.Top || bx >= strips.Right || by >= strips.Bottom;
            if (bg.Ready || inStrip) SetPixel32(v, x, y, GetPixel32(bg.Bmp, bx, by));
        }
}


bool IsOwnBackground(const TSkBgCacheRef& bg, const TImageView32& v) { return bg.Ready && bg.Bmp.Row0 == v.Row0; }

// The background as seen from a rectangle at offset in it.
TSkBgCacheRef Shifted(const TSkBgCacheRef& bg, TPoint offset) {
    TSkBgCacheRef shifted = bg;
    shifted.X += offset.X;
    shifted.Y += offset.Y;
    return shifted;
}

// The state painted: below the section's count and at most 2.
int LimitState(const TSkinGeneralData& section, int state) { return std::clamp(std::min(state, section.States - 1), 0, 2); }

// What the fill of a state is made of.
struct TFill {
    TColor Color = 0;
    int T = 0, Img = 0, Grad = 0, Tex = -1;
    const TSkinGradArray* Gradient = nullptr;
};

TFill ChooseFill(const TSkinGenState& s, TColor customColor, int textureIndex) {
    TFill f;
    f.Color = customColor;
    if (customColor != kNoCustomColor) return f;
    f.Color = s.Color;
    f.T = std::clamp(s.Transparency, 0, 100);
    if (f.T < 100) {
        f.Img = std::clamp(s.ImagePercent, 0, 100);
        f.Grad = std::clamp(s.GradientPercent, 0, 100);
        f.Tex = textureIndex < 0 && f.Img > 0 ? s.TextureIndex : textureIndex;
        if (f.Grad > 0) f.Gradient = &s.GradientArray;
    }
    return f;
}

// The background into r (unless it is the bitmap itself), then the fill in
// temp over it, the background keeping t percent.
void BlendOverBackground(const TImageView32& v, const TRect& r, TPoint off, const TSkBgCacheRef& bg,
                         const TImageView32& temp, int t) {
    if (!IsOwnBackground(bg, v)) PutBackground(v, r, off, bg);
    BlendBitmapConst(v, temp, uint8_t(t * 255 / 100), {r.Left, r.Top}, {0, 0, temp.Width - 1, temp.Height - 1});
}

bool InsideBitmap(const TImageView32& v, const TRect& r) {
    return !v.Empty() && !IsEmpty(r) && r.Left >= 0 && r.Top >= 0 && r.Right <= v.Width && r.Bottom <= v.Height;
}

// One side of a nine-part copy: the part of the source between its borders
// laid over the target part by mode (tiled from the part's start, the last
// tile cut, or stretched); an empty source part paints nothing.
void CopyMiddle(const TImageView32& t, const TRect& into, const TImageView32& src, const TRect& from, int mode) {
    if (IsEmpty(from) || IsEmpty(into)) return;
    if (mode == kEdgeStretch) StretchPiece(t, into, src, from);
    else if (mode == kEdgeTile) TilePieces(t, into, src, from, false);
}

}  // namespace

TRect DrawTexture(const TImageView32& t, const TRect& rect, const TSkinMaskData& mask, const TSkinTables& skin) {
    const TImageView32 src = ImageOf(mask, skin);
    const TRect s = IntersectRects(FirstFrame(mask), {0, 0, src.Width, src.Height});
    const int w = RectWidth(s), h = RectHeight(s);
    if (src.Empty() || w <= 0 || h <= 0 || IsEmpty(rect)) return rect;
    const TRect none{};
    auto strip = [&](TRect r, bool stretch) {
        r = IntersectRects(r, rect);
        if (stretch) StretchPiece(t, r, src, s);
        else TilePieces(t, r, src, s, false);
    };
    switch (mask.DrawFlags) {
        case 1: StretchPiece(t, rect, src, s); return none;
        case 2: strip({rect.Left, rect.Top, rect.Right, rect.Top + h}, false);
            return rect.Top + h < rect.Bottom ? TRect{rect.Left, rect.Top + h, rect.Right, rect.Bottom} : none;
        case 3: strip({rect.Left, rect.Top, rect.Left + w, rect.Bottom}, false);
            return rect.Left + w < rect.Right ? TRect{rect.Left + w, rect.Top, rect.Right, rect.Bottom} : none;
        case 4: strip({rect.Left, rect.Top, rect.Right, rect.Top + h}, true);
            return rect.Top + h < rect.Bottom ? TRect{rect.Left, rect.Top + h, rect.Right, rect.Bottom} : none;
        case 5: strip({rect.Left, rect.Top, rect.Left + w, rect.Bottom}, true);
            return rect.Left + w < rect.Right ? TRect{rect.Left + w, rect.Top, rect.Right, rect.Bottom} : none;
        case 6: strip({rect.Left, rect.Bottom - h, rect.Right, rect.Bottom}, false);
            return rect.Bottom - h > rect.Top ? TRect{rect.Left, rect.Top, rect.Right, rect.Bottom - h} : none;
        case 7: strip({rect.Right - w, rect.Top, rect.Right, rect.Bottom}, false);
            return rect.Right - w > rect.Left ? TRect{rect.Left, rect.Top, rect.Right - w, rect.Bottom} : none;
        case 11:
            for (int y = rect.Top; y < rect.Bottom; y += h) {
                const int rowH = std::min(h, rect.Bottom - y);
                StretchPiece(t, {rect.Left, y, rect.Right, y + rowH}, src, {s.Left, s.Top, s.Right, s.Top + rowH});
            }
            return none;
        case 12:
            for (int x = rect.Left; x < rect.Right; x += w) {
                const int colW = std::min(w, rect.Right - x);
                StretchPiece(t, {x, rect.Top, x + colW, rect.Bottom}, src, {s.Left, s.Top, s.Left + colW, s.Bottom});
            }
            return none;
        case 13: TilePieces(t, rect, src, s, true); return none;
        default: TilePieces(t, rect, src, s, false); return none;  // 0, 10 and the modes without a rule of their own
    }
}

void DrawTextureAlpha(const TImageView32& t, const TRect& rect, const TSkinMaskData& mask,
                      const TSkBgCacheRef& background, const TSkinTables& skin) {
    const int mode = mask.DrawFlags;
    if (mode != 0 && mode != 10) return;
    const TImageView32 src = ImageOf(mask, skin);
    const TPoint frame = MaskFrameSize(mask);
    const int fw = frame.X, fh = (mask.R.Bottom - mask.R.Top) / 2, alphaOffset = fh;
    if (src.Empty() || fw <= 0 || fh <= 0) return;
    const int rows = RectHeight(rect) / fh;
    const int wholeCols = RectWidth(rect) / fw;
    const int cols = mode == 0 ? (RectWidth(rect) + fw - 1) / fw : wholeCols;
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < cols; ++col) {
            const int x0 = rect.Left + col * fw, y0 = rect.Top + row * fh;
            const int w = std::min(fw, rect.Right - x0);
            for (int y = 0; y < fh; ++y)
                for (int x = 0; x < w; ++x) {
                    const int sx = mask.R.Left + x, sy = mask.R.Top + y;
                    if (!Inside(t, x0 + x, y0 + y) || !Inside(src, sx, sy) || !Inside(src, sx, sy + alphaOffset)) continue;
                    BlendAlphaPixel(t.Pixel(x0 + x, y0 + y), src.Pixel(sx, sy), src.Pixel(sx, sy + alphaOffset));
                }
        }
    if (mode == 10) {
        const TRect right{rect.Left + wholeCols * fw, rect.Top, rect.Right, rect.Bottom};
        const TRect bottom{rect.Left, rect.Top + rows * fh, rect.Left + wholeCols * fw, rect.Bottom};
        for (const TRect& r : {right, bottom})
            if (!IsEmpty(r)) PutBackground(t, r, {r.Left - rect.Left, r.Top - rect.Top}, background);
    }
}

void PaintSectionBackground(const TImageView32& v, const TRect& rect, TPoint offset, const TSkBgCacheRef& bg,
                            int sectionIndex, int state, TColor customColor, int hotTextureIndex, int textureIndex,
                            const TSkinTables& skin) {
    if (v.Empty() || !skin.IsValidSectionIndex(sectionIndex) || IsEmpty(rect)) return;
    state = LimitState(skin.Section(sectionIndex), state);
    const TSkinGenState& s = skin.Section(sectionIndex).Props[size_t(state)];

    TFill f = ChooseFill(s, customColor, textureIndex);
    const TRect r = IntersectRects(rect, {0, 0, v.Width, v.Height});
    if (IsEmpty(r)) return;
    const TPoint off{offset.X + r.Left - rect.Left, offset.Y + r.Top - rect.Top};
    const TSkBgCacheRef shifted = Shifted(bg, off);
    const TColor color = f.Color;
    const int t = f.T, img = f.Img, grad = f.Grad;
    auto fill = [&](const TImageView32& target, const TRect& into) {
        FillSection(target, into, color, img, grad, f.Tex, f.Gradient, shifted, skin);
    };

    const bool known = bg.Ready || bg.FillColor != TColor(0xFF00FF);
    if (!known || t == 0) {
        fill(v, r);
    } else if (t == 100) {
        if (!IsOwnBackground(bg, v)) PutBackground(v, r, off, bg);
    } else if (bg.Ready || img > 0 || grad > 0) {
        TBitmap32 temp(RectWidth(r), RectHeight(r));
        const TImageView32 tv = temp.View();
        fill(tv, {0, 0, tv.Width, tv.Height});
        BlendOverBackground(v, r, off, bg, tv, t);
    } else {
        const uint32_t mixed = BlendTwoColors(SkinColorToRGB(bg.FillColor), SkinColorToRGB(color), uint8_t(t * 255 / 100));
        FillRect32(v, r, TColor(mixed & 0xFFFFFF), 255);
    }

    const int overlay = state > 0 ? hotTextureIndex : textureIndex;
    if (skin.IsValidMaskIndex(overlay)) {
        const TSkinMaskData& m = skin.Mask(overlay);
        if (m.MaskType != 0 && m.DrawFlags == 10) DrawTextureAlpha(v, r, m, shifted, skin);
    }
}

void PaintSectionArea(const TImageView32& v, const TRect& rect, TPoint offset, const TSkBgCacheRef& bg,
                      int sectionIndex, int state, int textureIndex, const TSkinTables& skin) {
    if (v.Empty() || !skin.IsValidSectionIndex(sectionIndex)) return;
    const TSkinGenState& s = skin.Section(sectionIndex).Props[size_t(LimitState(skin.Section(sectionIndex), state))];
    TFill f = ChooseFill(s, kNoCustomColor, textureIndex);
    const TRect r = IntersectRects(rect, {0, 0, v.Width, v.Height});
    if (IsEmpty(r)) return;
    const TPoint off{offset.X + r.Left - rect.Left, offset.Y + r.Top - rect.Top};
    const TSkBgCacheRef shifted = Shifted(bg, off);
    if (f.Img + f.Grad > 100) f.Img = f.Grad = 0;  // shares beyond the whole: the plain colour
    // Nothing to mix: the colour, or the background's own colour when it shows through wholly.
    if (f.Img == 0 && f.Grad == 0 && f.T == 100 && !bg.Ready && bg.FillColor != kNoCustomColor) f.Color = bg.FillColor;
    auto fill = [&](const TImageView32& target, const TRect& into) {
        FillSection(target, into, f.Color, f.Img, f.Grad, f.Tex, f.Gradient, shifted, skin, false);
    };
    if (bg.Ready && f.T == 100) {
        if (!IsOwnBackground(bg, v)) PutBackground(v, r, off, bg);
    } else if (bg.Ready && f.T > 0) {
        TBitmap32 temp(RectWidth(r), RectHeight(r));
        const TImageView32 tv = temp.View();
        fill(tv, {0, 0, tv.Width, tv.Height});
        BlendOverBackground(v, r, off, bg, tv, f.T);
    } else {
        fill(v, r);
    }
}

void PaintSectionWithMask(const TImageView32& v, const TRect& rect, TPoint offset, const TSkBgCacheRef& bg,
                          int sectionIndex, int state, int maskIndex, int textureIndex, const TSkinTables& skin) {
    PaintSectionArea(v, rect, offset, bg, sectionIndex, state, textureIndex, skin);
    if (v.Empty() || !skin.IsValidSectionIndex(sectionIndex) || !skin.IsValidMaskIndex(maskIndex)) return;
    DrawMaskNineGrid(v, rect, Shifted(bg, {offset.X - rect.Left, offset.Y - rect.Top}), true, state,
                     skin.Mask(maskIndex), skin);
}

void DrawSectionCorners(const TImageView32& v, const TRect& rect, int sectionIndex, int state, const TSkinTables& skin) {
    if (!skin.IsValidSectionIndex(sectionIndex)) return;
    const TSkinGeneralData& section = skin.Section(sectionIndex);
    // The corners are drawn against the bitmap itself.
    const TSkBgCacheRef own = MakeBgCacheRefFromBitmap(v, 0, 0);
    const struct {
        int index;
        bool right, bottom;
    } corners[] = {{section.ImgTopLeft, false, false},
                   {section.ImgTopRight, true, false},
                   {section.ImgBottomLeft, false, true},
                   {section.ImgBottomRight, true, true}};
    for (const auto& c : corners) {
        if (!skin.IsValidMaskIndex(c.index)) continue;
        const TSkinMaskData& m = skin.Mask(c.index);
        const TPoint size = MaskFrameSize(m);
        const TPoint at{c.right ? rect.Right - size.X : rect.Left, c.bottom ? rect.Bottom - size.Y : rect.Top};
        DrawMaskState(v, at, state, own, m, 1, skin);
    }
}

void PaintSectionBorders(const TImageView32& v, const TRect& rect, TPoint offset, const TSkBgCacheRef& bg,
                         int sectionIndex, int state, int hotTextureIndex, int textureIndex, const TSkinTables& skin,
                         TColor customColor, bool fillBorder) {
    if (!InsideBitmap(v, rect) || !skin.IsValidSectionIndex(sectionIndex)) return;
    const TSkinGeneralData& section = skin.Section(sectionIndex);
    state = std::max(0, std::min(state, section.States - 1));
    PaintSectionBackground(v, rect, offset, bg, sectionIndex, state, customColor, hotTextureIndex, textureIndex, skin);
    DrawSectionCorners(v, rect, sectionIndex, state, skin);
    if (skin.IsValidMaskIndex(section.BorderIndex))
        DrawMaskNineGrid(v, rect, Shifted(bg, {offset.X - rect.Left, offset.Y - rect.Top}), fillBorder, state,
                         skin.Mask(section.BorderIndex), skin);
}

void PaintSectionBgOverOwn(const TImageView32& v, const TRect& rect, int sectionIndex, int state, TColor customColor,
                           const TSkinTables& skin) {
    const TRect r = IntersectRects(rect, {0, 0, v.Width, v.Height});
    if (IsEmpty(r) || !skin.IsValidSectionIndex(sectionIndex)) return;
    const TSkinGenState& s = skin.Section(sectionIndex).Props[size_t(std::clamp(state, 0, 2))];
    const bool wholeBitmap = r.Left == 0 && r.Top == 0 && r.Right == v.Width && r.Bottom == v.Height;
    TFill f = ChooseFill(s, customColor, -1);
    if (f.T == 100) {
        if (wholeBitmap) FillRect32(v, r, 0, 0);
        return;
    }
    if (f.Img > 0 || f.Grad > 0) {
        FillSection(v, r, f.Color, f.Img, f.Grad, f.Tex, f.Gradient, skNoBackground, skin);
        return;
    }
    const uint32_t corner = GetPixel32(v, r.Left, r.Top);
    const uint8_t opacity = uint8_t((100 - f.T) * 255 / 100);
    if (corner == 0) FillRect32(v, r, f.Color, opacity);
    else if (f.T == 0) FillRect32(v, r, f.Color, 255);
    else TintRect32(v, r, f.Color, std::max(uint8_t(corner >> 24), opacity), 100 - f.T);
}

void PaintSectionWithBorder(const TImageView32& v, const TRect& rect, int sectionIndex, int state, bool composition,
                            const TSkinTables& skin) {
    if (!InsideBitmap(v, rect) || !skin.IsValidSectionIndex(sectionIndex)) return;
    const TSkinGeneralData& section = skin.Section(sectionIndex);
    state = std::max(0, std::min(state, section.States - 1));
    // What the bitmap held, one pixel wider and higher than rect where it has them.
    const TRect saved = IntersectRects({rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1}, {0, 0, v.Width, v.Height});
    TBitmap32 before(RectWidth(saved), RectHeight(saved));
    CopyPiece(before.View(), {0, 0, before.Width(), before.Height()}, 0, 0, v, saved);
    PaintSectionBgOverOwn(v, rect, sectionIndex, std::min(state, 2), kNoCustomColor, skin);
    if (skin.IsValidMaskIndex(section.BorderIndex))
        DrawMaskNineGridAlpha(v, rect, MakeBgCacheRefFromBitmap(before.View(), -rect.Left, -rect.Top), state,
                              skin.Mask(section.BorderIndex), skin);
    if (rect.Left == 0 && rect.Top == 0 && rect.Right == v.Width && rect.Bottom == v.Height)
        PremultiplyRect(v, rect, composition);
}

void TileOrStretchRect(const TImageView32& t, const TImageView32& src, const TRect& tr, bool paintCentre,
                       bool stretchCentre, const TRect& edgeModes, const TRect& limits, const TRect& borders,
                       const TRect& sr) {
    if (t.Empty() || src.Empty() || IsEmpty(tr) || IsEmpty(sr)) return;
    const int bl = std::max(0, borders.Left), bt = std::max(0, borders.Top);
    const int br = std::max(0, borders.Right), bb = std::max(0, borders.Bottom);
    // The drawn thickness of each strip.
    const int ll = std::min(bl, std::max(0, limits.Left)), lt = std::min(bt, std::max(0, limits.Top));
    const int lr = std::min(br, std::max(0, limits.Right)), lb = std::min(bb, std::max(0, limits.Bottom));
    auto copy = [&](int x, int y, const TRect& s) {
        if (!IsEmpty(s)) CopyPiece(t, tr, x, y, src, s);
    };
    // Corners as L shapes: the corner's full width at the strip's thickness,
    // then the rest of its height at the side strip's thickness.
    copy(tr.Left, tr.Top, {sr.Left, sr.Top, sr.Left + bl, sr.Top + lt});
    copy(tr.Left, tr.Top + lt, {sr.Left, sr.Top + lt, sr.Left + ll, sr.Top + bt});
    copy(tr.Right - br, tr.Top, {sr.Right - br, sr.Top, sr.Right, sr.Top + lt});
    copy(tr.Right - lr, tr.Top + lt, {sr.Right - lr, sr.Top + lt, sr.Right, sr.Top + bt});
    copy(tr.Left, tr.Bottom - lb, {sr.Left, sr.Bottom - lb, sr.Left + bl, sr.Bottom});
    copy(tr.Left, tr.Bottom - bb, {sr.Left, sr.Bottom - bb, sr.Left + ll, sr.Bottom - lb});
    copy(tr.Right - br, tr.Bottom - lb, {sr.Right - br, sr.Bottom - lb, sr.Right, sr.Bottom});
    copy(tr.Right - lr, tr.Bottom - bb, {sr.Right - lr, sr.Bottom - bb, sr.Right, sr.Bottom - lb});
    // Edges between the corners, from the source's middle part.
    const int midW = std::max(0, RectWidth(sr) - bl - br), midH = std::max(0, RectHeight(sr) - bt - bb);
    const TRect inner{tr.Left + bl, tr.Top + bt, tr.Right - br, tr.Bottom - bb};
    if (midW > 0) {
        CopyMiddle(t, {inner.Left, tr.Top, inner.Right, tr.Top + lt}, src,
                   {sr.Left + bl, sr.Top, sr.Left + bl + midW, sr.Top + lt}, edgeModes.Top);
        CopyMiddle(t, {inner.Left, tr.Bottom - lb, inner.Right, tr.Bottom}, src,
                   {sr.Left + bl, sr.Bottom - lb, sr.Left + bl + midW, sr.Bottom}, edgeModes.Bottom);
    }
    if (midH > 0) {
        CopyMiddle(t, {tr.Left, inner.Top, tr.Left + ll, inner.Bottom}, src,
                   {sr.Left, sr.Top + bt, sr.Left + ll, sr.Top + bt + midH}, edgeModes.Left);
        CopyMiddle(t, {tr.Right - lr, inner.Top, tr.Right, inner.Bottom}, src,
                   {sr.Right - lr, sr.Top + bt, sr.Right, sr.Top + bt + midH}, edgeModes.Right);
    }
    if (paintCentre && midW > 0 && midH > 0)
        CopyMiddle(t, inner, src, {sr.Left + bl, sr.Top + bt, sr.Left + bl + midW, sr.Top + bt + midH},
                   stretchCentre ? kEdgeStretch : kEdgeTile);
}

}  // namespace ad::skin
