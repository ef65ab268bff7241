// Skin mask painting: nine-part draws, state frames, keyed corners, disabled look.
#include "skin/engine/paint/SkinMaskPaint.h"

#include <algorithm>

#include "skin/engine/image/SkinUtils.h"

namespace ad::skin {
namespace {

constexpr uint32_t kKeyRgb = 0xFF00FF;  // clFuchsia, the same in colour and pixel order

bool IsKey(uint32_t pixel) { return (pixel & 0xFFFFFFu) == kKeyRgb; }

constexpr int kFilterHermite = 2;
constexpr int kFilterMitchell = 6;

TRect Bounds(const TImageView32& v) { return {0, 0, v.Width, v.Height}; }

// Draws pieces of one mask frame into the target.
class TMaskPieces {
public:
    // keepAlpha: the target's alpha is meaningful and is built from the pieces.
    // opacity (0..255, layered-window images) weighs every alpha piece; -1: none.
    TMaskPieces(const TImageView32& target, const TImageView32& source, const TSkinMaskData& m,
                const TSkBgCacheRef& background, bool fillCorners, bool keepAlpha = false, int opacity = -1)
        : t_(target), s_(source), alpha_(m.MaskType != 0), alphaOffset_((m.R.Bottom - m.R.Top) / 2),
          bg_(background), fillCorners_(fillCorners), keepAlpha_(keepAlpha), opacity_(opacity) {}

    // A corner: key pixels may take the background.
    void Corner(int x, int y, const TRect& s) {
        if (IsEmpty(s)) return;
        if (!alpha_) {
            DrawKeyedPart(t_, s_, x, fillCorners_, bg_, TColor(kKeyRgb), {s.Left, s.Top, s.Right - 1, s.Bottom - 1}, y);
            return;
        }
        AlphaPiece(x, y, s, fillCorners_, bg_);
    }

    // An edge or centre tile, copied as it is.
    void Tile(int x, int y, const TRect& s) {
        if (IsEmpty(s)) return;
        if (alpha_) {
            AlphaPiece(x, y, s, false, skNoBackground);
            return;
        }
        Visit(x, y, s, [&](uint8_t* t, const uint8_t* p, int, int, int, int) { std::copy(p, p + 4, t); });
    }

    // Tiles s over the target rectangle, whole tiles first, then cut ones taken
    // from the start of s.
    void TileOver(const TRect& target, const TRect& s) {
        const int sw = RectWidth(s), sh = RectHeight(s);
        if (sw <= 0 || sh <= 0) return;
        for (int y = target.Top; y < target.Bottom; y += sh) {
            const int h = std::min(sh, target.Bottom - y);
            for (int x = target.Left; x < target.Right; x += sw) {
                const int w = std::min(sw, target.Right - x);
                Tile(x, y, {s.Left, s.Top, s.Left + w, s.Top + h});
            }
        }
    }

    // s stretched over the target rectangle. Key masks take the nearest
    // pixel; masks with an alpha part scale their colour and alpha parts apart
    // and blend them (a centre piece is resampled).
    void Stretch(const TRect& target, const TRect& s, bool centre = false) {
        const int tw = RectWidth(target), th = RectHeight(target), sw = RectWidth(s), sh = RectHeight(s);
        if (tw <= 0 || th <= 0 || sw <= 0 || sh <= 0) return;
        if (alpha_) {
            StretchAlpha(target, s, centre);
            return;
        }
        const TRect visible = IntersectRects(target, Bounds(t_));
        for (int y = visible.Top; y < visible.Bottom; ++y) {
            const int sy = s.Top + int(int64_t(y - target.Top) * sh / th);
            for (int x = visible.Left; x < visible.Right; ++x) {
                const int sx = s.Left + int(int64_t(x - target.Left) * sw / tw);
                if (!InSource(sx, sy)) continue;
                const uint8_t* p = s_.Pixel(sx, sy);
                std::copy(p, p + 4, t_.Pixel(x, y));
            }
        }
    }

private:
    // The colour and alpha parts of s, each scaled to w x h: resampled (colour
    // by Mitchell; alpha by Mitchell, or Hermite when the target keeps alpha)
    // for a centre piece or one that shrinks one way only, else the nearest
    // pixel. Then blended into the target; a source piece outside its image
    // draws nothing, a target piece 1 pixel wide or high neither.
    void StretchAlpha(const TRect& target, const TRect& s, bool centre) {
        const int w = RectWidth(target), h = RectHeight(target), sw = RectWidth(s), sh = RectHeight(s);
        if (w <= 1 || h <= 1) return;
        if (s.Left < 0 || s.Top < 0 || s.Right > s_.Width || s.Bottom + alphaOffset_ > s_.Height) return;
        const bool resample = centre || (w < sw && h == sh) || (w == sw && h < sh);
        TBitmap32 colour = Scaled(s, w, h, resample, kFilterMitchell);
        TBitmap32 alpha = Scaled({s.Left, s.Top + alphaOffset_, s.Right, s.Bottom + alphaOffset_}, w, h, resample,
                                  keepAlpha_ ? kFilterHermite : kFilterMitchell);
        if (colour.Width() != w || colour.Height() != h || alpha.Width() != w || alpha.Height() != h) return;
        const TRect visible = IntersectRects(target, Bounds(t_));
        for (int y = visible.Top; y < visible.Bottom; ++y)
            for (int x = visible.Left; x < visible.Right; ++x) {
                uint8_t* t = t_.Pixel(x, y);
                const uint8_t* p = colour.View().Pixel(x - target.Left, y - target.Top);
                const uint8_t* m = alpha.View().Pixel(x - target.Left, y - target.Top);
                if (!keepAlpha_) {
                    for (int c = 0; c < 3; ++c) t[c] = uint8_t(((int(t[c]) - p[c]) * m[c] + p[c] * 256) >> 8);
                    t[3] = 255;
                    continue;
                }
                const int v = m[2];
                if (opacity_ >= 0) {
                    BlendLayered(t, p, m);
                    continue;
                }
                if (v == 255) continue;
                if (v == 0) {
                    t[0] = p[0], t[1] = p[1], t[2] = p[2], t[3] = 255;
                    continue;
                }
                const int u = std::min<int>(v, t[3]);
                for (int c = 0; c < 3; ++c) t[c] = uint8_t((u * t[c] + (255 - u) * p[c]) >> 8);
                t[3] = std::max<uint8_t>(t[3], uint8_t(255 - v));
            }
    }

    // Piece s of the source scaled to w x h (see StretchAlpha).
    TBitmap32 Scaled(const TRect& s, int w, int h, bool resample, int filter) const {
        const int sw = RectWidth(s), sh = RectHeight(s);
        TBitmap32 piece(sw, sh);
        for (int y = 0; y < sh; ++y) std::copy(s_.Pixel(s.Left, s.Top + y), s_.Pixel(s.Left, s.Top + y) + 4 * sw,
                                               piece.View().Pixel(0, y));
        if (resample) {
            if (sw == 1 || sh == 1) piece = Nearest(piece.View(), std::max(sw, 2), std::max(sh, 2));
            TBitmap32 out;
            ResampleBitmap(piece.View(), out, w, filter, h);
            return out;
        }
        return Nearest(piece.View(), w, h);
    }

    static TBitmap32 Nearest(const TImageView32& src, int w, int h) {
        TBitmap32 out(w, h);
        if (out.Width() != w) return out;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint8_t* p = src.Pixel(int(int64_t(x) * src.Width / w), int(int64_t(y) * src.Height / h));
                std::copy(p, p + 4, out.View().Pixel(x, y));
            }
        return out;
    }

    bool InSource(int x, int y) const {
        return x >= 0 && y >= 0 && x < s_.Width && y < s_.Height && (!alpha_ || y + alphaOffset_ < s_.Height);
    }

    // Calls f(target pixel, source pixel, tx, ty, sx, sy) for the part of s at
    // (x, y) that lies in both bitmaps.
    template <class F>
    void Visit(int x, int y, const TRect& s, F f) {
        for (int sy = s.Top; sy < s.Bottom; ++sy) {
            const int ty = y + sy - s.Top;
            if (ty < 0 || ty >= t_.Height) continue;
            for (int sx = s.Left; sx < s.Right; ++sx) {
                const int tx = x + sx - s.Left;
                if (tx < 0 || tx >= t_.Width || !InSource(sx, sy)) continue;
                f(t_.Pixel(tx, ty), s_.Pixel(sx, sy), tx, ty, sx, sy);
            }
        }
    }

    // The alpha-part blend: white alpha keeps the target, black shows the source.
    static void BlendAlpha(uint8_t* t, const uint8_t* s, const uint8_t* m, const TSkBgCacheRef& bg) {
        for (int c = 0; c < 3; ++c) t[c] = uint8_t(((int(t[c]) - s[c]) * m[c] + s[c] * 256) >> 8);
        if (bg.Ready) t[3] = 255;
    }

    // The layered blend: the source weighs opacity * (255 - m) / 256, the
    // target's alpha grows as in BlendKeepingAlpha.
    void BlendLayered(uint8_t* t, const uint8_t* s, const uint8_t* m) const {
        const int keep = m[2];
        const int u = (opacity_ * (255 - keep)) >> 8;
        for (int c = 0; c < 3; ++c) t[c] = uint8_t((t[c] * (255 - u) + s[c] * u) >> 8);
        const uint8_t cover = uint8_t(255 - keep);
        if (t[3] < 255) t[3] = t[3] == 0 ? cover : std::max(t[3], cover);
    }

    // The blend that builds the target's alpha: the alpha part's red m weighs
    // the target, and the target's alpha grows to at least 255 - m.
    static void BlendKeepingAlpha(uint8_t* t, const uint8_t* s, const uint8_t* m) {
        const int keep = m[2];
        for (int c = 0; c < 3; ++c) t[c] = uint8_t((t[c] * keep + s[c] * (255 - keep)) >> 8);
        const uint8_t cover = uint8_t(255 - keep);
        if (t[3] < 255) t[3] = t[3] == 0 ? cover : std::max(t[3], cover);
    }

    void AlphaPiece(int x, int y, const TRect& s, bool fill, const TSkBgCacheRef& bg) {
        if (keepAlpha_) {
            AlphaPieceKeepingAlpha(x, y, s, bg);
            return;
        }
        Visit(x, y, s, [&](uint8_t* t, const uint8_t* p, int tx, int ty, int sx, int sy) {
            const uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
            if (!IsKey(v)) {
                BlendAlpha(t, p, s_.Pixel(sx, sy + alphaOffset_), bg);
                return;
            }
            if (fill && bg.Ready) {
                uint32_t under;
                if (BackgroundPixel(bg, tx, ty, under))
                    for (int c = 0; c < 4; ++c) t[c] = uint8_t(under >> (8 * c));
            } else if (fill) {
                const uint32_t f = SwapRedBlue(uint32_t(bg.FillColor));
                for (int c = 0; c < 4; ++c) t[c] = uint8_t(f >> (8 * c));
            } else if (bg.Ready) {
                t[3] = 255;
            }
        });
    }

    // Key pixels take a Ready background, else become fully transparent.
    void AlphaPieceKeepingAlpha(int x, int y, const TRect& s, const TSkBgCacheRef& bg) {
        Visit(x, y, s, [&](uint8_t* t, const uint8_t* p, int tx, int ty, int sx, int sy) {
            const uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
            if (!IsKey(v)) {
                if (opacity_ >= 0) BlendLayered(t, p, s_.Pixel(sx, sy + alphaOffset_));
                else BlendKeepingAlpha(t, p, s_.Pixel(sx, sy + alphaOffset_));
                return;
            }
            uint32_t under;
            if (bg.Ready && BackgroundPixel(bg, tx, ty, under))
                for (int c = 0; c < 4; ++c) t[c] = uint8_t(under >> (8 * c));
            else if (!bg.Ready)
                t[3] = 0;
        });
    }

    const TImageView32& t_;
    TImageView32 s_;
    bool alpha_;
    int alphaOffset_;
    const TSkBgCacheRef& bg_;
    bool fillCorners_;
    bool keepAlpha_;
    int opacity_;
};

// Tiles along one edge: whole tiles while they fit before the far border, then one cut tile.
void TileEdge(TMaskPieces& p, bool vertical, int fixed, int from, int to, const TRect& middle) {
    const int len = vertical ? RectHeight(middle) : RectWidth(middle);
    if (len <= 0) return;
    int pos = from;
    while (pos < to - len) {
        if (vertical) p.Tile(fixed, pos, middle);
        else p.Tile(pos, fixed, middle);
        pos += len;
    }
    const int rest = to - pos;
    if (rest <= 0) return;
    if (vertical) p.Tile(fixed, pos, {middle.Left, middle.Top, middle.Right, middle.Top + rest});
    else p.Tile(pos, fixed, {middle.Left, middle.Top, middle.Left + rest, middle.Bottom});
}

TImageView32 ImageOf(const TSkinMaskData& mask, const TSkinTables& skin) {
    TBitmap32* image = skin.MaskImage(mask);
    return image ? image->View() : TImageView32{};
}

}  // namespace

std::pair<int, int> CutBorders(int length, int first, int second) {
    if (length >= first + second) return {first, second};
    const int excess = first + second - length, half = excess / 2;
    const int drawnFirst = std::max(0, first - half);
    // What the first border cannot give up the second gives up as well, so the
    // two never reach outside the length.
    return {drawnFirst, std::clamp(second - half - excess % 2, 0, std::max(0, length - drawnFirst))};
}

namespace {

// limits (layered images): the drawn border widths at most its left, top,
// right and bottom, the outer part of each border kept; opacity -1 for none.
void DrawNineGrid(const TImageView32& target, const TRect& rect, const TSkBgCacheRef& background,
                  bool fillFromBackground, int state, const TSkinMaskData& mask, const TSkinTables& skin,
                  bool keepAlpha, const TRect* limits = nullptr, int opacity = -1) {
    if (state == 0 && (mask.DrawFlags & kMaskNoNormalImage)) return;
    const int w = RectWidth(rect), h = RectHeight(rect);
    if (w < 2 || h < 2 || target.Empty()) return;
    const TImageView32 source = ImageOf(mask, skin);
    if (source.Empty()) return;
    const std::pair<int, int> horizontal = CutBorders(w, mask.WL, mask.WR);
    const std::pair<int, int> vertical = CutBorders(h, mask.WT, mask.WB);
    const int l = horizontal.first, r = horizontal.second, t = vertical.first, b = vertical.second;
    state = std::clamp(state, 0, std::max(0, mask.ImageCount - 1));
    const TPoint frame = MaskFrameSize(mask);
    const int fw = frame.X, fh = frame.Y;
    const int sx = mask.R.Left + state * fw, sy = mask.R.Top;
    const int mw = fw - l - r, mh = fh - t - b;
    if (mw < 0 || mh < 0) return;
    // Limited borders: the target's strips are thinner, the source's middle stays.
    const int dl = limits ? std::clamp(limits->Left, 0, l) : l, dt = limits ? std::clamp(limits->Top, 0, t) : t;
    const int dr = limits ? std::clamp(limits->Right, 0, r) : r, db = limits ? std::clamp(limits->Bottom, 0, b) : b;

    TMaskPieces p(target, source, mask, background,
                  fillFromBackground || (mask.MaskType != 0 && mask.CornerType > 0), keepAlpha, opacity);
    const bool stretch = mask.DrawFlags & kMaskStretch;
    const TRect leftMid{sx, sy + t, sx + dl, sy + t + mh}, rightMid{sx + fw - dr, sy + t, sx + fw, sy + t + mh};
    const TRect topMid{sx + l, sy, sx + l + mw, sy + dt}, bottomMid{sx + l, sy + fh - db, sx + l + mw, sy + fh};
    const TRect centre{sx + l, sy + t, sx + l + mw, sy + t + mh};

    auto edge = [&](bool vertical, int fixed, const TRect& middle) {
        if (stretch) {
            const TRect to = vertical ? TRect{fixed, rect.Top + dt, fixed + RectWidth(middle), rect.Bottom - db}
                                      : TRect{rect.Left + dl, fixed, rect.Right - dr, fixed + RectHeight(middle)};
            p.Stretch(to, middle);
        } else {
            TileEdge(p, vertical, fixed, vertical ? rect.Top + dt : rect.Left + dl,
                     vertical ? rect.Bottom - db : rect.Right - dr, middle);
        }
    };

    p.Corner(rect.Left, rect.Top, {sx, sy, sx + dl, sy + dt});
    edge(true, rect.Left, leftMid);
    edge(false, rect.Top, topMid);
    p.Corner(rect.Left, rect.Bottom - db, {sx, sy + fh - db, sx + dl, sy + fh});
    edge(false, rect.Bottom - db, bottomMid);
    p.Corner(rect.Right - dr, rect.Bottom - db, {sx + fw - dr, sy + fh - db, sx + fw, sy + fh});
    p.Corner(rect.Right - dr, rect.Top, {sx + fw - dr, sy, sx + fw, sy + dt});
    edge(true, rect.Right - dr, rightMid);
    if (mask.DrawFlags & kMaskPaintCentre) {
        const TRect inner{rect.Left + dl, rect.Top + dt, rect.Right - dr, rect.Bottom - db};
        if (stretch) p.Stretch(inner, centre, true);
        else p.TileOver(inner, centre);
    }
}

}  // namespace

void DrawMaskCorners(const TImageView32& target, const TRect& rect, const TSkBgCacheRef& background, int state,
                     int corners, const TSkinMaskData& mask, const TSkinTables& skin) {
    const int w = RectWidth(rect), h = RectHeight(rect);
    if (w < 2 || h < 2 || target.Empty() || !(corners & cbAllCorners)) return;
    const TImageView32 source = ImageOf(mask, skin);
    if (source.Empty()) return;
    const auto [l, r] = CutBorders(w, mask.WL, mask.WR);
    const auto [t, b] = CutBorders(h, mask.WT, mask.WB);
    state = std::clamp(state, 0, std::max(0, mask.ImageCount - 1));
    const TPoint frame = MaskFrameSize(mask);
    const int sx = mask.R.Left + state * frame.X, sy = mask.R.Top;
    TMaskPieces p(target, source, mask, background, true);
    if (corners & cbTopLeft) p.Corner(rect.Left, rect.Top, {sx, sy, sx + l, sy + t});
    if (corners & cbBottomLeft) p.Corner(rect.Left, rect.Bottom - b, {sx, sy + frame.Y - b, sx + l, sy + frame.Y});
    if (corners & cbTopRight) p.Corner(rect.Right - r, rect.Top, {sx + frame.X - r, sy, sx + frame.X, sy + t});
    if (corners & cbBottomRight)
        p.Corner(rect.Right - r, rect.Bottom - b, {sx + frame.X - r, sy + frame.Y - b, sx + frame.X, sy + frame.Y});
}

void DrawMaskNineGrid(const TImageView32& target, const TRect& rect, const TSkBgCacheRef& background,
                      bool fillFromBackground, int state, const TSkinMaskData& mask, const TSkinTables& skin) {
    DrawNineGrid(target, rect, background, fillFromBackground, state, mask, skin, false);
}

void DrawMaskNineGridAlpha(const TImageView32& target, const TRect& rect, const TSkBgCacheRef& background, int state,
                           const TSkinMaskData& mask, const TSkinTables& skin) {
    DrawNineGrid(target, rect, background, true, state, mask, skin, true);
}

void DrawMaskNineGridLayered(const TImageView32& target, const TRect& rect, const TSkBgCacheRef& background,
                             int opacity, const TRect& borderLimits, int state, const TSkinMaskData& mask,
                             const TSkinTables& skin) {
    DrawNineGrid(target, rect, background, true, state, mask, skin, true, &borderLimits, std::clamp(opacity, 0, 255));
}

void DrawMaskState(const TImageView32& target, TPoint point, int state, const TSkBgCacheRef& background,
                   const TSkinMaskData& mask, int mode, const TSkinTables& skin) {
    if (target.Empty()) return;
    if (mask.Bmp && (mask.Bmp->Width() < mask.R.Right || mask.Bmp->Height() < mask.R.Bottom)) return;
    if (!mask.Bmp && mask.ImageCount <= 0) return;
    const TImageView32 source = ImageOf(mask, skin);
    if (source.Empty()) return;
    state = std::clamp(state, 0, std::max(0, mask.ImageCount - 1));
    const TPoint frame = MaskFrameSize(mask);
    TRect s{mask.R.Left + state * frame.X, mask.R.Top, mask.R.Left + (state + 1) * frame.X, mask.R.Top + frame.Y};
    if (point.X < 0) s.Left -= point.X, point.X = 0;
    if (point.Y < 0) s.Top -= point.Y, point.Y = 0;
    s = IntersectRects(s, Bounds(source));
    if (IsEmpty(s)) return;

    if (mask.MaskType == 0) {
        if (mode == 1)
            DrawKeyedPart(target, source, point.X, true, background, TColor(kKeyRgb), {s.Left, s.Top, s.Right - 1, s.Bottom - 1},
                          point.Y);
        else
            BlendRectKeyed(target, point.X, point.Y, kKeyRgb, 127, s, source);
        return;
    }
    const int alphaOffset = (mask.R.Bottom - mask.R.Top) / (mask.MaskType + 1);
    for (int y = s.Top; y < s.Bottom; ++y) {
        const int ty = point.Y + y - s.Top;
        if (ty < 0 || ty >= target.Height || y + alphaOffset >= source.Height) continue;
        for (int x = s.Left; x < s.Right; ++x) {
            const int tx = point.X + x - s.Left;
            if (tx < 0 || tx >= target.Width) continue;
            const uint8_t* p = source.Pixel(x, y);
            const uint8_t* m = source.Pixel(x, y + alphaOffset);
            if (IsKey(GetPixel32(source, x, y)) || m[2] == 255) continue;
            uint8_t* t = target.Pixel(tx, ty);
            for (int c = 0; c < 3; ++c) {
                const int weight = mode == 1 ? m[c] : std::min(m[c] + 100, 255);
                t[c] = uint8_t(((int(t[c]) - p[c]) * weight + p[c] * 256) >> 8);
            }
            t[3] = uint8_t(t[3] + (((int(t[3]) - 255) * (int(m[2]) - 255)) >> 8));
        }
    }
}

void FillKeyedFromBackground(const TImageView32& target, const TImageView32& background, const TRect& rect,
                             int cornerKind, const TSkinMaskData* mask, const TSkinTables* skin, TPoint point) {
    const TRect r = IntersectRects(rect, Bounds(target));
    if (IsEmpty(r) || background.Empty()) return;
    auto under = [&](int x, int y, uint32_t& out) {
        const int bx = point.X + x - rect.Left, by = point.Y + y - rect.Top;
        if (bx < 0 || by < 0 || bx >= background.Width || by >= background.Height) return false;
        out = GetPixel32(background, bx, by);
        return true;
    };
    if (!mask) {
        SetRectAlpha(target, r, 0);
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                uint32_t b;
                if (IsKey(GetPixel32(target, x, y)) && under(x, y, b)) SetPixel32(target, x, y, b);
            }
        return;
    }
    if (!skin) return;
    const TImageView32 source = ImageOf(*mask, *skin);
    if (source.Empty()) return;
    const TPoint frame = MaskFrameSize(*mask);
    int cx = mask->R.Left, cy = mask->R.Top;
    if (cornerKind == ckTopRight || cornerKind == ckBottomRight) cx = mask->R.Left + frame.X - mask->WR;
    if (cornerKind == ckBottomLeft || cornerKind == ckBottomRight) cy = mask->R.Top + frame.Y - mask->WB;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const int sx = cx + x - rect.Left, sy = cy + y - rect.Top;
            if (sx < 0 || sy < 0 || sx >= source.Width || sy >= source.Height) continue;
            uint32_t b;
            if (IsKey(GetPixel32(source, sx, sy)) && under(x, y, b)) SetPixel32(target, x, y, b);
        }
}

void ApplyDisabledEffects(const TImageView32& bitmap, int effects, TPoint point, const TSkBgCacheRef& background,
                          TColor controlColor) {
    if (bitmap.Empty()) return;
    if (effects & kDisabledGrey) {
        if (kDisabledSaturation == -100) GrayscaleBitmap(bitmap);
        else ForEachPixel(bitmap, SaturationProc, kDisabledSaturation * 255 / 100, TColor(kKeyRgb));
    }
    if (effects & kDisabledFade) {
        if (background.Ready && !background.Bmp.Empty()) {
            // The background over the bitmap: each bitmap pixel keeps its share, key pixels of the background are left.
            const TRect under{background.X + point.X, background.Y + point.Y, background.X + point.X + bitmap.Width,
                              background.Y + point.Y + bitmap.Height};
            BlendRectKeyed(bitmap, 0, 0, kKeyRgb, kDisabledBlend, under, background.Bmp);
        } else {
            const TColor fill = background.FillColor == TColor(kKeyRgb) ? controlColor : background.FillColor;
            BlendRectColor(bitmap, {0, 0, bitmap.Width - 1, bitmap.Height - 1}, kDisabledBlend, fill);
        }
    }
}

}  // namespace ad::skin
