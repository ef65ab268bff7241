// Outline passes, glow blur and mix, ink into 32-bit bitmaps, ellipsis
// cutting and glyph placement of skinned text.
#include "skin/engine/paint/SkinTextRules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace ad::skin {

namespace {

// The channels of a colour in pixel order (blue, green, red).
std::array<int, 3> PixelChannels(TColor color) {
    const uint32_t rgb = SkinColorToRGB(color);
    return {int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)};
}

}  // namespace

std::vector<TTextPass> SectionTextPasses(const TSkinGenState* state, const TSkinGenState* normalState, bool enabled,
                                         TColor fallbackColor) {
    if (!state || !normalState) return {{0, 0, enabled ? fallbackColor : clGrayText}};
    if (!enabled) {
        const uint32_t blended = BlendTwoColors(SkinColorToRGB(normalState->FontColor), SkinColorToRGB(normalState->Color), 100);
        return {{0, 0, TColor(blended & 0x00FFFFFFu)}};
    }
    std::vector<TTextPass> passes;
    const std::pair<TColor, TPoint> outlines[] = {{state->OutlineLeft, {-1, 0}},
                                                   {state->OutlineTop, {0, -1}},
                                                   {state->OutlineRight, {1, 0}},
                                                   {state->OutlineBottom, {0, 1}}};
    for (const auto& [color, shift] : outlines)
        if (color != -1) passes.push_back({shift.X, shift.Y, color});
    passes.push_back({0, 0, state->FontColor});
    return passes;
}

void BlurMask8(const TImageView8& mask, double radius) {
    if (mask.Empty() || !(radius > 0)) return;
    constexpr int kTaps = 16;
    std::array<double, 2 * kTaps + 1> w{};
    double sum = 0;
    for (int o = -kTaps; o <= kTaps; ++o) {
        const double x = o / radius;
        sum += w[size_t(o + kTaps)] = std::nearbyint(std::exp(-x * x / 2));
    }
    for (double& v : w) v /= sum;
    // The smallest half-width whose dropped tails weigh less than 1/510.
    int half = 1;
    for (; half < kTaps; ++half) {
        double dropped = 0;
        for (int o = half + 1; o <= kTaps; ++o) dropped += w[size_t(kTaps + o)] + w[size_t(kTaps - o)];
        if (dropped < 1.0 / 510) break;
    }
    double kept = 0;
    for (int o = -half; o <= half; ++o) kept += w[size_t(o + kTaps)];
    for (double& v : w) v /= kept;

    auto pass = [&](uint8_t* first, ptrdiff_t step, int count, std::vector<uint8_t>& line) {
        line.resize(size_t(count));
        for (int i = 0; i < count; ++i) line[size_t(i)] = first[i * step];
        for (int i = 0; i < count; ++i) {
            double acc = 0;
            for (int o = -half; o <= half; ++o)
                acc += w[size_t(o + kTaps)] * line[size_t(std::clamp(i + o, 0, count - 1))];
            first[i * step] = uint8_t(std::clamp<long>(std::lround(acc), 0, 255));
        }
    };
    std::vector<uint8_t> line;
    for (int y = 0; y < mask.Height; ++y) pass(mask.Pixel(0, y), 1, mask.Width, line);
    for (int x = 0; x < mask.Width; ++x) pass(mask.Pixel(x, 0), mask.Distance, mask.Height, line);
}

void MixGlowMask(const TImageView32& target, const TImageView8& mask, TPoint origin, TColor color) {
    if (target.Empty() || mask.Empty()) return;
    const std::array<int, 3> c = PixelChannels(color);
    for (int y = 0; y < mask.Height; ++y) {
        const int ty = y + origin.Y;
        if (ty < 0 || ty >= target.Height) continue;
        for (int x = 0; x < mask.Width; ++x) {
            const int tx = x + origin.X;
            const int v = *mask.Pixel(x, y);
            if (tx < 0 || tx >= target.Width || v >= 255) continue;
            uint8_t* t = target.Pixel(tx, ty);
            t[3] = uint8_t(t[3] + ((255 - t[3]) * (255 - v) >> 8));
            for (int i = 0; i < 3; ++i) t[i] = uint8_t(((255 - v) * c[size_t(i)] + v * t[i]) >> 8);
        }
    }
}

void InkTextIntoBitmap(const TImageView32& target, TPoint origin, const TImageView32& work, TColor color, bool smooth) {
    if (target.Empty() || work.Empty()) return;
    const std::array<int, 3> c = PixelChannels(color);
    for (int y = 0; y < work.Height; ++y) {
        const int ty = y + origin.Y;
        if (ty < 0 || ty >= target.Height) continue;
        for (int x = 0; x < work.Width; ++x) {
            const int tx = x + origin.X;
            if (tx < 0 || tx >= target.Width) continue;
            const uint8_t* w = work.Pixel(x, y);
            uint32_t value;
            std::memcpy(&value, w, 4);
            if ((value & 0x00FFFFFFu) == 0x00FFFFFFu) continue;
            uint8_t* t = target.Pixel(tx, ty);
            if (smooth) {
                const int g = int(std::lround(0.299 * w[2] + 0.587 * w[1] + 0.114 * w[0]));
                const int alpha = std::max((t[3] + 255) >> 1, 255 - g);
                for (int i = 0; i < 3; ++i) {
                    const int ci = c[size_t(i)];
                    t[i] = uint8_t((((t[i] - ci) * g + ci * 256) * alpha) >> 16);
                }
                t[3] = uint8_t(alpha);
            } else {
                for (int i = 0; i < 3; ++i) {
                    const int ci = c[size_t(i)];
                    t[i] = uint8_t(((t[i] - ci) * w[i] + ci * 256) >> 8);
                }
                t[3] = 255;
            }
        }
    }
}

std::string EllipsisToWidth(const std::string& text, int width, const TTextMeasure& measure) {
    if (width <= 0) return {};
    if (measure(text) <= width) return text;
    std::string cut = text;
    while (!cut.empty()) {
        cut.pop_back();
        if (!cut.empty() && measure(cut + "...") <= width) return cut + "...";
    }
    return {};
}

TGlyphTextPlacement CalcGlyphTextLayout(const TRect& client, TSize glyph, TSize caption, int layout, int margin,
                                        int spacing, int flags, TAlignment alignment,
                                        TVerticalAlignment verticalAlignment) {
    if (flags & kLayoutRightToLeft) {
        if (layout == glGlyphLeft) layout = glGlyphRight;
        else if (layout == glGlyphRight) layout = glGlyphLeft;
        if (alignment == taLeftJustify) alignment = taRightJustify;
        else if (alignment == taRightJustify) alignment = taLeftJustify;
    }
    const bool horizontal = layout == glGlyphLeft || layout == glGlyphRight;
    const int extent = horizontal ? client.Width() : client.Height();
    const int cross = horizontal ? client.Height() : client.Width();
    const int glyphMain = horizontal ? glyph.cx : glyph.cy, textMain = horizontal ? caption.cx : caption.cy;
    const int glyphCross = horizontal ? glyph.cy : glyph.cx, textCross = horizontal ? caption.cy : caption.cx;
    // 0 start, 1 end, 2 centre, along and across the layout.
    const int alongAlign = horizontal ? int(alignment) : int(verticalAlignment);
    const int acrossAlign = horizontal ? int(verticalAlignment) : int(alignment);
    if (glyphMain == 0 || textMain == 0) spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (extent - glyphMain - textMain) / 3;
            spacing = margin;
        } else {
            const int free = extent - glyphMain - spacing - textMain;
            margin = alongAlign == 2 ? free / 2 : 0;
            const bool glyphFirst = layout == glGlyphLeft || layout == glGlyphTop;
            // The block at the end: the margin on the glyph's side takes all the free space.
            if (alongAlign == 1 && glyphFirst) margin = free;
            else if (alongAlign == 0 && !glyphFirst) margin = free;
        }
    } else if (spacing == -1) {
        spacing = (extent - margin - glyphMain - textMain) / 2;
    }
    const bool glyphFirst = layout == glGlyphLeft || layout == glGlyphTop;
    const int glyphAt = glyphFirst ? margin : extent - margin - glyphMain;
    const int textAt = glyphFirst ? margin + glyphMain + spacing : extent - margin - glyphMain - spacing - textMain;
    auto acrossAt = [&](int size) {
        return acrossAlign == 0 ? 0 : acrossAlign == 1 ? cross - size : (cross - size) / 2;
    };
    const int glyphAcross = acrossAt(glyphCross), textAcross = acrossAt(textCross);
    TGlyphTextPlacement p;
    if (horizontal) {
        p.Glyph = {client.Left + glyphAt, client.Top + glyphAcross};
        p.Caption = {client.Left + textAt, client.Top + textAcross, client.Left + textAt + caption.cx,
                     client.Top + textAcross + caption.cy};
    } else {
        p.Glyph = {client.Left + glyphAcross, client.Top + glyphAt};
        p.Caption = {client.Left + textAcross, client.Top + textAt, client.Left + textAcross + caption.cx,
                     client.Top + textAt + caption.cy};
    }
    return p;
}

}  // namespace ad::skin
