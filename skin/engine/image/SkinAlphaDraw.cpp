// Alpha image drawing: the sizes and negative origins shared by the image
// draws, one specialised loop per combination of transparency, tone and
// background, the fading reflection, keyed copies and PNG files.
#include "skin/engine/image/SkinAlphaDraw.h"

#include <algorithm>
#include <cstring>

#include "skin/engine/image/skPNG.h"

namespace ad::skin {

namespace {

uint32_t Load(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
void Store(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

// The channel blend: ((a - b) * w + b * 256) >> 8, never negative for w <= 256.
inline uint8_t Mix(int a, int b, int w) { return uint8_t(((a - b) * w + b * 256) >> 8); }

// The aligned block both rectangles share, inside both bitmaps.
struct TSpan {
    int TargetX, TargetY, SourceX, SourceY, Width, Height;
};

// Clips one axis: a length limited by both rectangles and the room in both
// bitmaps; a negative origin moves both origins right by the same amount.
bool ClipAxis(int64_t tStart, int64_t tEnd, int64_t sStart, int64_t sEnd, int64_t tSize, int64_t sSize,
              int& tOut, int& sOut, int& lenOut) {
    int64_t len = std::min({tEnd - tStart, sEnd - sStart, tSize - tStart, sSize - sStart});
    if (len < 1) return false;
    const int64_t lowest = std::min(tStart, sStart);
    if (lowest < 0) {
        tStart -= lowest;
        sStart -= lowest;
        len = std::min({len + lowest, tSize - tStart, sSize - sStart});
        if (len < 1) return false;
    }
    tOut = int(tStart);
    sOut = int(sStart);
    lenOut = int(len);
    return true;
}

bool ClipSpan(const TRect& tr, const TRect& sr, const TImageView32& target, const TImageView32& source,
              TSpan& span) {
    if (target.Empty() || source.Empty()) return false;
    return ClipAxis(tr.Left, tr.Right, sr.Left, sr.Right, target.Width, source.Width, span.TargetX,
                    span.SourceX, span.Width) &&
           ClipAxis(tr.Top, tr.Bottom, sr.Top, sr.Bottom, target.Height, source.Height, span.TargetY,
                    span.SourceY, span.Height);
}

// A tone's channels in pixel order, raised so that the largest is 255.
struct TTone {
    int B = 0, G = 0, R = 0;
};
TTone PrepareTone(TColor tone) {
    const uint32_t c = SkinColorToRGB(tone);
    int r = int(c & 0xFF), g = int((c >> 8) & 0xFF), b = int((c >> 16) & 0xFF);
    const int raise = 255 - std::max({r, g, b});
    return {b + raise, g + raise, r + raise};
}

// The toned colour of a pixel: each tone channel scaled by the pixel's grey.
inline void ToneOf(const uint8_t* s, const TTone& tone, int out[3]) {
    const int grey = s[2] / 4 + s[1] / 2 + s[0] / 4;
    out[0] = (tone.B * grey) >> 8;
    out[1] = (tone.G * grey) >> 8;
    out[2] = (tone.R * grey) >> 8;
}

inline bool Drawn(uint32_t pixel) { return pixel != skKeyColor && int(pixel >> 24) > skAlphaThreshold; }

enum TBgMode { bgNotReady, bgReady, bgReadyFill };

// One row loop per combination, so nothing fixed for the call is tested per pixel.
template <bool Transparent, bool Toned, TBgMode Bg>
void BlendSpan(const TSpan& sp, const TImageView32& target, const TImageView32& source, int opacity,
               const TTone& tone, const TSkBgCacheRef& background) {
    for (int row = 0; row < sp.Height; ++row) {
        const int ty = sp.TargetY + row;
        const uint8_t* s = source.Pixel(sp.SourceX, sp.SourceY + row);
        uint8_t* t = target.Pixel(sp.TargetX, ty);
        for (int col = 0; col < sp.Width; ++col, s += 4, t += 4) {
            if constexpr (Bg != bgNotReady) {
                if (!Drawn(Load(s))) {
                    uint32_t bg;
                    if constexpr (Bg == bgReadyFill)
                        if (BackgroundPixel(background, sp.TargetX + col, ty, bg)) std::memcpy(t, &bg, 3);
                    continue;
                }
            }
            const int a = Transparent ? opacity * s[3] / 100 : s[3];
            if constexpr (Toned) {
                int c[3];
                ToneOf(s, tone, c);
                for (int i = 0; i < 3; ++i) t[i] = Mix(c[i], t[i], a);
            } else {
                for (int i = 0; i < 3; ++i) t[i] = Mix(s[i], t[i], a);
                if constexpr (!Transparent) t[3] = std::max(t[3], s[3]);
            }
        }
    }
}

template <bool Transparent, bool Toned>
void BlendSpanBg(TBgMode mode, const TSpan& sp, const TImageView32& target, const TImageView32& source,
                 int opacity, const TTone& tone, const TSkBgCacheRef& background) {
    switch (mode) {
        case bgNotReady: BlendSpan<Transparent, Toned, bgNotReady>(sp, target, source, opacity, tone, background); break;
        case bgReady: BlendSpan<Transparent, Toned, bgReady>(sp, target, source, opacity, tone, background); break;
        case bgReadyFill: BlendSpan<Transparent, Toned, bgReadyFill>(sp, target, source, opacity, tone, background); break;
    }
}

// The mirrored copy under the target rectangle, fading towards its bottom.
void DrawReflection(const TRect& tr, const TRect& sr, const TSpan& sp, const TImageView32& target,
                    const TImageView32& source, int opacity, bool transparent, bool toned, const TTone& tone) {
    const int64_t sourceHeight = int64_t(sr.Bottom) - sr.Top;  // at least sp.Height, so >= 1
    const int64_t n = std::min(sourceHeight / 2, int64_t(target.Height) - tr.Bottom - 1);
    if (n < 1) return;
    const uint8_t fade = uint8_t(255 / sourceHeight);
    // Rows above the target's top are left out; k is where the first visible one lies.
    for (int64_t k = std::max<int64_t>(1, -int64_t(tr.Bottom)); k <= n; ++k) {
        const int64_t ty = int64_t(tr.Bottom) + k, sy = int64_t(sr.Bottom) - k - 1;
        if (ty >= target.Height) break;
        if (sy < 0 || sy >= source.Height) continue;
        const int f = uint8_t(255 - uint8_t((k - 1) * fade));  // 255, dropping by `fade` per row, as a byte
        const uint8_t* s = source.Pixel(sp.SourceX, int(sy));
        uint8_t* t = target.Pixel(sp.TargetX, int(ty));
        for (int col = 0; col < sp.Width; ++col, s += 4, t += 4) {
            if (!Drawn(Load(s))) continue;
            int64_t a = toned ? s[3] * (n - k) / n / 4 : s[3] * (n - k) / n * f / 512;
            if (transparent) a = opacity * a / 100;
            if (toned) {
                int c[3];
                ToneOf(s, tone, c);
                for (int i = 0; i < 3; ++i) t[i] = Mix(c[i], t[i], int(a));
            } else {
                for (int i = 0; i < 3; ++i) t[i] = Mix(s[i], t[i], int(a));
            }
        }
    }
}

// A colour value's three colour bytes in pixel order.
uint32_t PixelColorOf(TColor color) { return SwapRedBlue(SkinColorToRGB(color)) & 0x00FFFFFFu; }

}  // namespace

TSkBgCacheRef MakeBgCacheRefFromBitmap(const TImageView32& bmp, int x, int y) {
    TSkBgCacheRef r;
    r.Bmp = bmp;
    r.X = x;
    r.Y = y;
    r.FillColor = 0xFF00FF;
    r.Borders = {};
    r.Ready = true;
    return r;
}

bool BackgroundPixel(const TSkBgCacheRef& background, int x, int y, uint32_t& out) {
    const TImageView32& b = background.Bmp;
    if (b.Empty()) return false;
    const int64_t bx = int64_t(x) + background.X, by = int64_t(y) + background.Y;
    if (bx < 0 || by < 0 || bx >= b.Width || by >= b.Height) return false;
    out = Load(b.Pixel(int(bx), int(by)));
    return true;
}

void BlendImageRect(TRect targetRect, TRect sourceRect, const TImageView32& target, bool reflect,
                    int transparency, TColor tone, bool fillFromBackground, const TSkBgCacheRef& background,
                    const TImageView32& source) {
    TSpan sp;
    if (!ClipSpan(targetRect, sourceRect, target, source, sp)) return;
    transparency = std::clamp(transparency, 0, 100);
    const int opacity = 100 - transparency;
    const bool transparent = transparency != 0, toned = tone != skNoColor;
    const TTone t = toned ? PrepareTone(tone) : TTone{};
    const TBgMode mode = !background.Ready ? bgNotReady : fillFromBackground ? bgReadyFill : bgReady;
    if (transparent) {
        if (toned) BlendSpanBg<true, true>(mode, sp, target, source, opacity, t, background);
        else BlendSpanBg<true, false>(mode, sp, target, source, opacity, t, background);
    } else {
        if (toned) BlendSpanBg<false, true>(mode, sp, target, source, opacity, t, background);
        else BlendSpanBg<false, false>(mode, sp, target, source, opacity, t, background);
    }
    if (reflect) DrawReflection(targetRect, sourceRect, sp, target, source, opacity, transparent, toned, t);
}

void BlendRectOver(TRect targetRect, TRect sourceRect, const TImageView32& target, bool fillFromBackground,
                   const TSkBgCacheRef& background, const TImageView32& source) {
    TSpan sp;
    if (!ClipSpan(targetRect, sourceRect, target, source, sp)) return;
    const bool ready = background.Ready;
    for (int row = 0; row < sp.Height; ++row) {
        const int ty = sp.TargetY + row;
        const uint8_t* s = source.Pixel(sp.SourceX, sp.SourceY + row);
        uint8_t* t = target.Pixel(sp.TargetX, ty);
        for (int col = 0; col < sp.Width; ++col, s += 4, t += 4) {
            if (ready && Load(s) == skKeyColor) {
                uint32_t bg;
                if (fillFromBackground && BackgroundPixel(background, sp.TargetX + col, ty, bg)) {
                    std::memcpy(t, &bg, 3);
                    t[3] = 255;
                }
                continue;
            }
            const int a = s[3];
            for (int i = 0; i < 3; ++i) t[i] = Mix(s[i], t[i], a);
            if (a != 0) t[3] = uint8_t(t[3] + (((255 - t[3]) * a) >> 8));
        }
    }
}

void CopyBitmapKeyed(const TImageView32& target, const TImageView32& source, int x, TColor key, int y) {
    if (target.Empty() || source.Empty()) return;
    const uint32_t k = PixelColorOf(key);
    const int64_t x0 = std::max<int64_t>(0, -int64_t(x)), y0 = std::max<int64_t>(0, -int64_t(y));
    const int64_t x1 = std::min<int64_t>(source.Width, int64_t(target.Width) - x);
    const int64_t y1 = std::min<int64_t>(source.Height, int64_t(target.Height) - y);
    for (int64_t sy = y0; sy < y1; ++sy) {
        const uint8_t* s = source.Pixel(int(x0), int(sy));
        uint8_t* t = target.Pixel(int(x + x0), int(y + sy));
        for (int64_t sx = x0; sx < x1; ++sx, s += 4, t += 4) {
            const uint32_t v = Load(s);
            if ((v & 0x00FFFFFFu) != k) Store(t, v | 0xFF000000u);
        }
    }
}

void DrawKeyedPart(const TImageView32& target, const TImageView32& source, int x, bool fillFromBackground,
                   const TSkBgCacheRef& background, TColor key, TRect sourceRect, int y) {
    if (target.Empty() || source.Empty()) return;
    sourceRect.Left = std::max(sourceRect.Left, 0);
    sourceRect.Top = std::max(sourceRect.Top, 0);
    sourceRect.Right = std::min(sourceRect.Right, source.Width - 1);
    sourceRect.Bottom = std::min(sourceRect.Bottom, source.Height - 1);
    if (sourceRect.Left > sourceRect.Right || sourceRect.Top > sourceRect.Bottom) return;

    enum { fromBackground, intoBackground, keyLeft, keyFilled } mode;
    if (!background.Ready) mode = keyFilled;
    else if (fillFromBackground && !background.Bmp.Empty())
        mode = background.Bmp.Row0 == target.Row0 ? intoBackground : fromBackground;
    else mode = keyLeft;
    const uint32_t k = PixelColorOf(key);
    const uint32_t fill = PixelColorOf(background.FillColor) | uint32_t(target.Pixel(0, 0)[3]) << 24;

    // Only the part that lands inside the target is visited.
    const int64_t dx = int64_t(x) - sourceRect.Left, dy = int64_t(y) - sourceRect.Top;
    const int64_t sx0 = std::max<int64_t>(sourceRect.Left, -dx), sy0 = std::max<int64_t>(sourceRect.Top, -dy);
    const int64_t sx1 = std::min<int64_t>(sourceRect.Right, target.Width - 1 - dx);
    const int64_t sy1 = std::min<int64_t>(sourceRect.Bottom, target.Height - 1 - dy);
    for (int64_t sy = sy0; sy <= sy1; ++sy) {
        const int ty = int(sy + dy);
        const uint8_t* s = source.Pixel(int(sx0), int(sy));
        uint8_t* t = target.Pixel(int(sx0 + dx), ty);
        for (int64_t sx = sx0; sx <= sx1; ++sx, s += 4, t += 4) {
            const uint32_t v = Load(s);
            const bool isKey = (v & 0x00FFFFFFu) == k;
            switch (mode) {
                case fromBackground:
                    if (!isKey) Store(t, v);
                    else if (uint32_t bg; BackgroundPixel(background, int(sx + dx), ty, bg)) Store(t, bg);
                    break;
                case intoBackground:
                    if (!isKey) Store(t, v | 0xFF000000u);
                    break;
                case keyLeft:
                    if (!isKey) Store(t, v);
                    break;
                case keyFilled:
                    Store(t, isKey ? fill : v);
                    break;
            }
        }
    }
}

void LoadPngFileToBitmap(TBitmap32& bitmap, const std::string& fileName) {
    TPNGGraphic png;
    png.LoadFromFile(fileName);
    CopyPngAlphaToBitmap(bitmap, png);
}

}  // namespace ad::skin
