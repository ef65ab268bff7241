// Gradient text parsing and band painting.
#include "skin/engine/image/SkinGradients.h"

#include <algorithm>
#include <cmath>

#include "base/Exception.h"
#include "base/StrUtils.h"
#include "skin/engine/image/SkinUtils.h"

namespace ad::skin {

namespace {

TTriangleGradientFill triangleFill = nullptr;

int ParseInt(const std::string& word) {
    int v;
    if (!TryStrToInt(word, v)) throw EConvertError(Format("'%s' is not a valid integer value", word.c_str()));
    return v;
}

// The colour of step k of n from c1 to c2 (colour order), as a pixel.
struct Ramp {
    int From[3], Delta[3];  // blue, green, red
    Ramp(int32_t c1, int32_t c2) {
        uint32_t a = uint32_t(c1), b = uint32_t(c2);
        for (int i = 0; i < 3; ++i) {
            int s = 16 - 8 * i;
            From[i] = int((a >> s) & 0xFF);
            Delta[i] = int((b >> s) & 0xFF) - From[i];
        }
    }
    // Step k of a ramp that moves by Delta over `steps` steps (halves to even).
    void At(int k, int steps, uint8_t* px) const {
        for (int i = 0; i < 3; ++i)
            px[i] = uint8_t(steps < 1 ? From[i] : From[i] + int(std::nearbyint(double(Delta[i]) * k / steps)));
        px[3] = 255;
    }
};

// Bands along one axis of length `length` starting at `start`: calls
// band(entry, first, endExclusive, steps) for each non-empty band. A band runs
// from its start to where the next one starts, which shows its end colour
// only there, so it moves by (Color2 - Color1) / its length per row; the band
// that reaches the last row (the last one, or one cut there) ends on Color2.
template <class F>
void ForBands(const TSkinGradArray& a, int start, int end, int length, bool rounded, F band) {
    int pos = start;
    for (size_t i = 0; i < a.size() && pos < end; ++i) {
        int stop;
        if (i + 1 == a.size()) stop = end;
        else if (rounded) stop = pos + int(std::nearbyint(double(a[i].Percent) * (end - start) / 100));
        else stop = pos + length * a[i].Percent / 100;
        int steps = stop - pos;
        if (stop >= end - 1) {
            stop = end;
            steps = end - 1 - pos;
        }
        if (stop > pos) band(a[i], pos, stop, steps);
        pos = std::max(pos, stop);
    }
}

bool Clip(const TImageView32& v, TRect& r) {
    if (v.Empty() || IsEmpty(r)) return false;
    r.Left = std::max(r.Left, 0);
    r.Top = std::max(r.Top, 0);
    r.Right = std::min(r.Right, v.Width);
    r.Bottom = std::min(r.Bottom, v.Height);
    return r.Left < r.Right && r.Top < r.Bottom;
}

// Paints modes 0 and 1 through pixel(x, y, gradient pixel).
template <class P>
void PaintBands(const TImageView32& v, const TRect& r, const TSkinGradArray& a, int offset, P put) {
    uint8_t px[4];
    if (a[0].Mode == 0) {
        int top = r.Top + offset;
        ForBands(a, top, r.Bottom, (r.Bottom - r.Top) + offset, false,
                 [&](const TSkinGradient& g, int y0, int y1, int steps) {
            Ramp ramp(g.Color1, g.Color2);
            for (int y = y0; y < y1; ++y) {
                if (y < r.Top) continue;
                ramp.At(y - y0, steps, px);
                for (int x = r.Left; x < r.Right; ++x) put(x, y, px);
            }
        });
    } else if (a[0].Mode == 1) {
        ForBands(a, r.Left, r.Right, r.Right - r.Left, true, [&](const TSkinGradient& g, int x0, int x1, int steps) {
            Ramp ramp(g.Color1, g.Color2);
            for (int x = x0; x < x1; ++x) {
                ramp.At(x - x0, steps, px);
                for (int y = r.Top; y < r.Bottom; ++y) put(x, y, px);
            }
        });
    }
    (void)v;
}

}  // namespace

void ParseGradientText(const char* text, TSkinGradArray& out) {
    if (!text) {
        out.clear();
        return;
    }
    const int entries = CountWords(text, ";") / 5;
    TSkinGradArray result;
    for (int i = 0; i < entries; ++i) {
        TSkinGradient g;
        g.Color1 = int32_t(SkinColorToRGB(ParseInt(NthWord(i * 5 + 1, text, ";"))));
        g.Color2 = int32_t(SkinColorToRGB(ParseInt(NthWord(i * 5 + 2, text, ";"))));
        g.Percent = uint8_t(std::clamp(ParseInt(NthWord(i * 5 + 3, text, ";")), 0, 100));
        g.Mode = ParseInt(NthWord(i * 5 + 4, text, ";"));
        result.push_back(g);
    }
    out = std::move(result);
}

TFourCornerMesh FourCornerMesh(const TRect& r, const TSkinGradArray& a) {
    TFourCornerMesh m{};
    const TPoint at[5] = {{r.Left, r.Top}, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}, {r.Right, r.Top},
                          {r.Right, r.Bottom}, {r.Left, r.Bottom}};
    uint32_t colour = a.empty() ? 0 : uint32_t(a[0].Color1);
    for (size_t i = 0; i < 5; ++i) {
        if (i < a.size()) colour = uint32_t(a[i].Color1);
        m.Vertices[i] = {at[i].X, at[i].Y, uint16_t((colour & 0xFF) << 8), uint16_t(((colour >> 8) & 0xFF) << 8),
                         uint16_t(((colour >> 16) & 0xFF) << 8), 0xFF00};
    }
    m.Triangles = {{{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}}};
    return m;
}

void SetTriangleGradientFill(TTriangleGradientFill fill) { triangleFill = fill; }

void PaintGradient(const TImageView32& v, const TRect& rect, const TSkinGradArray& a, int offset) {
    TRect r = rect;
    if (!Clip(v, r) || a.empty()) return;
    if (a[0].Mode == 2) {
        if (triangleFill) triangleFill(v, FourCornerMesh(r, a));
        return;
    }
    PaintBands(v, r, a, offset, [&](int x, int y, const uint8_t* px) {
        uint8_t* p = v.Pixel(x, y);
        p[0] = px[0];
        p[1] = px[1];
        p[2] = px[2];
        p[3] = px[3];
    });
}

void PaintGradientTextured(const TImageView32& v, const TRect& rect, const TSkinGradArray& a, uint8_t alpha,
                           int textureWeight, const TRect& textureRect, const TImageView32& texture) {
    TRect r = rect;
    if (!Clip(v, r) || a.empty() || a[0].Mode > 1 || a[0].Mode < 0 || texture.Empty()) return;
    TRect t = textureRect;
    if (IsEmpty(t)) t = {0, 0, texture.Width, texture.Height};
    if (!Clip(texture, t)) return;
    const int tw = t.Right - t.Left, th = t.Bottom - t.Top;
    PaintBands(v, r, a, 0, [&](int x, int y, const uint8_t* g) {
        const uint8_t* s = texture.Pixel(t.Left + (x - r.Left) % tw, t.Top + (y - r.Top) % th);
        uint8_t* p = v.Pixel(x, y);
        for (int i = 0; i < 3; ++i) p[i] = uint8_t(g[i] + (s[i] - g[i]) * textureWeight / 256);
        p[3] = alpha;
    });
}

}  // namespace ad::skin
