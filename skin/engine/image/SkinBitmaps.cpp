// Creation, access, fills, blends, colour adjustments and premultiplication of
// the skin engine's 32-bit bitmaps.
#include "skin/engine/image/SkinBitmaps.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "skin/engine/image/SkinUtils.h"

namespace ad::skin {

namespace {

// The rectangle clipped to the view; false when nothing is left.
bool ClipToView(const TImageView32& v, TRect& r) {
    if (v.Empty()) return false;
    r.Left = std::max(r.Left, 0);
    r.Top = std::max(r.Top, 0);
    r.Right = std::min(r.Right, v.Width);
    r.Bottom = std::min(r.Bottom, v.Height);
    return r.Left < r.Right && r.Top < r.Bottom;
}

// Calls f(pixel) for every pixel of the clipped rectangle, row by row.
template <class F>
void ForRect(const TImageView32& v, TRect r, F f) {
    if (!ClipToView(v, r)) return;
    for (int y = r.Top; y < r.Bottom; ++y) {
        uint8_t* p = v.Pixel(r.Left, y);
        for (int x = r.Left; x < r.Right; ++x, p += 4) f(p);
    }
}

uint32_t Load(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
void Store(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

// Colour channels in pixel order: blue, green, red.
struct Bgr {
    int B, G, R;
};
Bgr ChannelsOf(TColor color) {
    uint32_t c = SkinColorToRGB(color);
    return {int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF)};
}

uint8_t Grey(const uint8_t* p) {
    return uint8_t(std::nearbyint(0.299 * p[2] + 0.587 * p[1] + 0.114 * p[0]));
}

}  // namespace

std::unique_ptr<TBitmap32> NewBitmap32(int width, int height) {
    return std::make_unique<TBitmap32>(width, height);
}
std::unique_ptr<TBitmap32> NewBitmap32OfRect(const TRect& r) {
    return NewBitmap32(r.Right - r.Left, r.Bottom - r.Top);
}
std::unique_ptr<TBitmap32> NewBitmap32OfSize(const TPoint& size) { return NewBitmap32(size.X, size.Y); }
std::unique_ptr<TBitmap32> NewBitmap32Like(const TImageView32& v) { return NewBitmap32(v.Width, v.Height); }

void CopyBitmapFrom(TBitmap32& target, const TImageView32& source) {
    if (source.Empty()) {
        target.SetSize(0, 0);
        return;
    }
    if (!target.SetSize(source.Width, source.Height)) return;
    TImageView32 t = target.View();
    for (int y = 0; y < source.Height; ++y)
        std::memcpy(t.Pixel(0, y), source.Pixel(0, y), size_t(source.Width) * 4);
}

bool GetBitmapRows(const TImageView32& v, uint8_t*& row0, ptrdiff_t& distance) {
    if (v.Empty()) return false;
    row0 = v.Row0;
    distance = v.Height > 1 ? v.Distance : 0;
    return true;
}

uint32_t GetPixel32(const TImageView32& v, int x, int y) { return Load(v.Pixel(x, y)); }
void SetPixel32(const TImageView32& v, int x, int y, uint32_t value) { Store(v.Pixel(x, y), value); }
void PutPixel32(const TImageView32& v, int x, int y, uint32_t value) { Store(v.Pixel(x, y), value); }

void CopyAlphaChannel(const TImageView32& v32, const TImageView8& v8, int channel, int direction) {
    if (v32.Empty() || v8.Empty() || v32.Width != v8.Width || v32.Height != v8.Height) return;
    if (channel < 0 || channel > 3) return;
    for (int y = 0; y < v32.Height; ++y) {
        uint8_t* p = v32.Pixel(0, y) + channel;
        uint8_t* q = v8.Pixel(0, y);
        for (int x = 0; x < v32.Width; ++x, p += 4, ++q) {
            if (direction == 1) *q = *p;
            else *p = *q;
        }
    }
}

void FillRect32(const TImageView32& v, const TRect& r, TColor color, uint8_t alpha) {
    Bgr c = ChannelsOf(color);
    uint8_t px[4] = {uint8_t(c.B), uint8_t(c.G), uint8_t(c.R), alpha};
    ForRect(v, r, [&](uint8_t* p) { std::memcpy(p, px, 4); });
}

void TintRect32(const TImageView32& v, const TRect& r, TColor color, uint8_t alpha, int percent) {
    Bgr c = ChannelsOf(color);
    int cc[3] = {c.B, c.G, c.R};
    ForRect(v, r, [&](uint8_t* p) {
        for (int i = 0; i < 3; ++i) p[i] = uint8_t(p[i] - percent * (p[i] - cc[i]) / 100);
        p[3] = alpha;
    });
}

void BlendRectColor(const TImageView32& v, const TRect& r, uint8_t weight, TColor color) {
    Bgr c = ChannelsOf(color);
    int cc[3] = {c.B, c.G, c.R};
    TRect inclusive{r.Left, r.Top, r.Right + 1, r.Bottom + 1};
    ForRect(v, inclusive, [&](uint8_t* p) {
        for (int i = 0; i < 3; ++i) p[i] = uint8_t((p[i] * weight + cc[i] * (255 - weight)) >> 8);
    });
}

void SetRectAlpha(const TImageView32& v, const TRect& r, uint8_t alpha, uint32_t key) {
    bool keyed = key != uint32_t(skNoColor);
    ForRect(v, r, [&](uint8_t* p) {
        if (!keyed || Load(p) != key) p[3] = alpha;
    });
}

void ClearWhitePixels(const TImageView32& v) {
    ForRect(v, {0, 0, v.Width, v.Height}, [](uint8_t* p) {
        if (Load(p) == 0x00FFFFFFu) Store(p, 0);
    });
}

uint32_t BlendTwoColors(uint32_t a, uint32_t b, uint8_t w) {
    uint32_t r = a & 0xFF000000u;
    for (int s = 0; s < 24; s += 8) {
        uint32_t x = (a >> s) & 0xFF, y = (b >> s) & 0xFF;
        r |= (((x * w + y * (255u - w)) >> 8) & 0xFF) << s;
    }
    return r;
}

void TintBitmap(const TImageView32& v, uint8_t weight, TColor color) {
    Bgr c = ChannelsOf(color);
    int cc[3] = {c.B, c.G, c.R};
    ForRect(v, {0, 0, v.Width, v.Height}, [&](uint8_t* p) {
        if (Load(p) == skKeyColor) return;
        for (int i = 0; i < 3; ++i) p[i] = uint8_t((p[i] * weight + cc[i] * (255 - weight)) >> 8);
    });
}

void BlendBitmapConst(const TImageView32& target, const TImageView32& source, uint8_t weight,
                      TPoint tp, TRect sr) {
    if (target.Empty() || source.Empty()) return;
    // Source rectangle inclusive of its right and bottom; clipping in this order.
    if (tp.X < 0) {
        sr.Left -= tp.X;
        tp.X = 0;
    }
    if (tp.Y < 0) {
        sr.Top -= tp.Y;
        tp.Y = 0;
    }
    if (sr.Left < 0) {
        tp.X -= sr.Left;
        sr.Left = 0;
        if (tp.X < 0) {
            sr.Left -= tp.X;
            tp.X = 0;
        }
    }
    if (sr.Top < 0) {
        tp.Y -= sr.Top;
        sr.Top = 0;
        if (tp.Y < 0) {
            sr.Top -= tp.Y;
            tp.Y = 0;
        }
    }
    if (sr.Right < sr.Left || sr.Bottom < sr.Top) return;
    if (sr.Left >= source.Width || sr.Top >= source.Height) return;
    if (tp.X >= target.Width || tp.Y >= target.Height) return;
    sr.Right = std::min({sr.Right, source.Width - 1, sr.Left + (target.Width - 1 - tp.X)});
    sr.Bottom = std::min({sr.Bottom, source.Height - 1, sr.Top + (target.Height - 1 - tp.Y)});
    if (sr.Right < sr.Left || sr.Bottom < sr.Top) return;
    const uint32_t w = weight;
    for (int y = sr.Top; y <= sr.Bottom; ++y) {
        const uint8_t* s = source.Pixel(sr.Left, y);
        uint8_t* t = target.Pixel(tp.X, tp.Y + (y - sr.Top));
        for (int n = (sr.Right - sr.Left + 1) * 4; n > 0; --n, ++s, ++t)
            *t = uint8_t((w * uint32_t(*t - *s) + uint32_t(*s) * 256u) >> 8);
    }
}

void BlendRectKeyed(const TImageView32& target, int targetX, int targetY, uint32_t key, uint8_t weight,
                    const TRect& sourceRect, const TImageView32& source) {
    if (target.Empty() || source.Empty()) return;
    TRect sr = sourceRect;
    if (!ClipToView(source, sr)) return;
    for (int y = sr.Top; y < sr.Bottom; ++y) {
        int ty = targetY + (y - sourceRect.Top);
        if (ty < 0 || ty >= target.Height) continue;
        for (int x = sr.Left; x < sr.Right; ++x) {
            int tx = targetX + (x - sourceRect.Left);
            if (tx < 0 || tx >= target.Width) continue;
            const uint8_t* s = source.Pixel(x, y);
            if (Load(s) == key) continue;
            uint8_t* t = target.Pixel(tx, ty);
            for (int i = 0; i < 3; ++i) t[i] = uint8_t(((255 - weight) * s[i] + weight * t[i]) >> 8);
        }
    }
}

void MaskMixColor(const TImageView32& target, const TImageView32& mask, TColor color) {
    if (target.Empty() || mask.Empty() || target.Width != mask.Width || target.Height != mask.Height) return;
    Bgr c = ChannelsOf(color);
    uint32_t cc[3] = {uint32_t(c.B), uint32_t(c.G), uint32_t(c.R)};
    for (int y = 0; y < target.Height; ++y) {
        uint8_t* t = target.Pixel(0, y);
        const uint8_t* m = mask.Pixel(0, y);
        for (int x = 0; x < target.Width; ++x, t += 4, m += 4)
            for (int i = 0; i < 3; ++i) t[i] = uint8_t(((t[i] - cc[i]) * m[i] + cc[i] * 256u) >> 8);
    }
}

uint32_t AdjustBrightness(uint32_t value, int amount) {
    if (amount == 0) return value;
    uint8_t p[4];
    std::memcpy(p, &value, 4);
    const int64_t a = amount;  // any int amount without overflow
    for (int i = 0; i < 3; ++i) {
        const int64_t c = p[i];
        p[i] = uint8_t(a > 0 ? std::min<int64_t>(255, c + ((c * a) >> 8)) : std::max<int64_t>(0, c - ((c * -a) >> 8)));
    }
    std::memcpy(&value, p, 4);
    return value;
}

uint32_t AdjustSaturation(int amount, uint32_t value) {
    if (amount == 0) return value;
    uint8_t p[4];
    std::memcpy(p, &value, 4);
    int grey = Grey(p);
    for (int i = 0; i < 3; ++i) {
        int64_t c = (255 + int64_t(amount)) * p[i] - int64_t(amount) * grey;
        p[i] = uint8_t(std::clamp<int64_t>(c, 0, 65535) >> 8);
    }
    std::memcpy(&value, p, 4);
    return value;
}

uint32_t AdjustSaturationOpt(uint32_t value, int amount) { return amount == 0 ? value : AdjustSaturation(amount, value); }

uint32_t ShiftHue(int degrees, uint32_t value) {
    const double b = value & 0xFF, g = (value >> 8) & 0xFF, r = (value >> 16) & 0xFF;
    const double v = std::max({r, g, b}), mn = std::min({r, g, b});
    if (v == 0 || v == mn) return value;  // black or grey: no hue
    const double s = (v - mn) / v, delta = v - mn;
    double h;
    if (r == v) h = (g - b) / delta;
    else if (g == v) h = 2 + (b - r) / delta;
    else h = 4 + (r - g) / delta;
    h *= 60;
    if (h < 0) h += 360;
    // Any offset, negative ones included, lands in 0..359.
    int hi = int((int64_t(h) + degrees) % 360);
    if (hi < 0) hi += 360;
    double hh = hi;
    int sector = int(hh / 60);
    double f = hh / 60 - sector;
    auto lim = [](double x) { return std::clamp(x, 0.0, 255.0); };
    double p = lim(v * (1 - s)), q = lim(v * (1 - f * s)), t = lim(v * (1 - (1 - f) * s));
    double R, G, B;
    switch (sector) {
        case 0: R = v; G = t; B = p; break;
        case 1: R = q; G = v; B = p; break;
        case 2: R = p; G = v; B = t; break;
        case 3: R = p; G = q; B = v; break;
        case 4: R = t; G = p; B = v; break;
        default: R = v; G = p; B = q; break;
    }
    return (value & 0xFF000000u) | (uint32_t(R) << 16) | (uint32_t(G) << 8) | uint32_t(B);
}

TColor ShiftColorHue(int degrees, TColor color) {
    if (degrees == 0) return color;
    return TColor(SwapRedBlue(ShiftHue(degrees, SwapRedBlue(uint32_t(color)))));
}

uint32_t ToneColor(uint32_t value, uint32_t tone) {
    uint32_t v = std::max({value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF});
    uint32_t c0 = (v * ((tone >> 16) & 0xFF)) >> 8, c1 = (v * ((tone >> 8) & 0xFF)) >> 8, c2 = (v * (tone & 0xFF)) >> 8;
    return (value & 0xFF000000u) | (c2 << 16) | (c1 << 8) | c0;
}

TColor AdjustControlColor(TColor color, TColor colorTone, int hueOffset, int saturation) {
    uint32_t c = uint32_t(color);
    if (colorTone != skNoColor) c = ToneColor(c, SwapRedBlue(SkinColorToRGB(colorTone)));
    c = uint32_t(ShiftColorHue(hueOffset, TColor(c)));
    c = AdjustSaturationOpt(c, ClampToInt(int64_t(saturation) * 256 / 100));
    return TColor(SkinColorToRGB(TColor(c)));
}

void ForEachPixel(const TImageView32& v, TPixelProc procedure, int value, TColor key) {
    bool keyed = key != skNoColor;
    uint32_t k = SwapRedBlue(uint32_t(key));
    ForRect(v, {0, 0, v.Width, v.Height}, [&](uint8_t* p) {
        if (!keyed || Load(p) != k) procedure(p, value);
    });
}

void BrightnessProc(uint8_t* pixel, int amount) { Store(pixel, AdjustBrightness(Load(pixel), amount)); }
void SaturationProc(uint8_t* pixel, int amount) { Store(pixel, AdjustSaturation(amount, Load(pixel))); }
void HueProc(uint8_t* pixel, int degrees) { Store(pixel, ShiftHue(degrees, Load(pixel))); }
void ToneProc(uint8_t* pixel, int tone) { Store(pixel, ToneColor(Load(pixel), uint32_t(tone))); }

void GrayscaleBitmap(const TImageView32& v) {
    ForRect(v, {0, 0, v.Width, v.Height}, [](uint8_t* p) { p[0] = p[1] = p[2] = Grey(p); });
}

void GrayscaleBitmapKeyed(const TImageView32& v, uint32_t key) {
    ForRect(v, {0, 0, v.Width, v.Height}, [&](uint8_t* p) {
        if (Load(p) != key) p[0] = p[1] = p[2] = Grey(p);
    });
}

void PremultiplyRect(const TImageView32& v, const TRect& r, bool composition) {
    ForRect(v, r, [&](uint8_t* p) {
        if (Load(p) == 0x00FFFFFFu) {
            Store(p, 0);
            return;
        }
        const unsigned a = p[3];
        if (!composition && p[0] >= 245 && p[1] >= 245 && p[2] >= 245) {
            for (int i = 0; i < 3; ++i) p[i] = uint8_t(std::min(244u, (p[i] * a) >> 8));
        } else {
            for (int i = 0; i < 3; ++i) p[i] = uint8_t((p[i] * a) >> 8);
        }
    });
}

void PremultiplyBitmap(const TImageView32& v, bool composition) {
    PremultiplyRect(v, {0, 0, v.Width, v.Height}, composition);
}

}  // namespace ad::skin
