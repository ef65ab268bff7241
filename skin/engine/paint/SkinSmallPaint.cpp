// Arrows, border strips, glyph strips and their reflection, cross-fades,
// smoothing, region runs and word helpers over 32-bit pixel views.
#include "skin/engine/paint/SkinSmallPaint.h"

#include <algorithm>
#include <cstring>

namespace ad::skin {

namespace {

int g_arrowWidth = 7;
int g_arrowLength = 4;

// Sets columns [x0, x1) of row y (relative to the box), opaque, where inside the view.
void Span(const TImageView32& v, int left, int top, int y, int x0, int x1, TColor color) {
    FillRect32(v, {left + x0, top + y, left + x1, top + y + 1}, color, 255);
}

bool SameSize(const TImageView32& a, const TImageView32& b) { return a.Width == b.Width && a.Height == b.Height; }

}  // namespace

int ArrowWidth() { return g_arrowWidth; }
int ArrowLength() { return g_arrowLength; }
void SetArrowWidth(int width) {
    g_arrowWidth = std::max(1, width);
    g_arrowLength = g_arrowWidth / 2 + g_arrowWidth % 2;
}

void DrawArrowTriangle(const TImageView32& bitmap, TColor color, const TRect& rect, int direction) {
    if (bitmap.Empty() || direction < adLeft || direction > adDown) return;
    const int w = g_arrowWidth, l = g_arrowLength;
    const bool vertical = direction == adUp || direction == adDown;
    const int boxW = vertical ? w : l, boxH = vertical ? l : w;
    const int left = rect.Left + (rect.Width() - boxW) / 2, top = rect.Top + (rect.Height() - boxH) / 2;
    if (left < 0 || top < 0 || left + boxW >= bitmap.Width || top + boxH >= bitmap.Height) return;
    switch (direction) {
        case adLeft:
            for (int k = 0; k <= w; ++k) {
                if (k < l) Span(bitmap, left, top, k, boxW - k, boxW, color);
                else Span(bitmap, left, top, k, k - l, boxW, color);
            }
            break;
        case adRight:
            for (int k = 0; k <= w; ++k) {
                if (k < l) Span(bitmap, left, top, k, 0, k, color);
                else Span(bitmap, left, top, k, 0, boxW - (k - l), color);
            }
            break;
        case adUp:
            for (int j = 0; j < l; ++j) Span(bitmap, left, top, l - 1 - j, j, w - j, color);
            break;
        case adDown:
            for (int j = 0; j < l; ++j) Span(bitmap, left, top, j, j, w - j, color);
            break;
    }
}

void PaintBorderStrips32(const TImageView32& bitmap, const TRect& rect, int left, TColor color, int bottom, int right,
                         int top) {
    FillRect32(bitmap, {rect.Left, rect.Top, rect.Right, rect.Top + top}, color, 255);
    FillRect32(bitmap, {rect.Left, rect.Top + top, rect.Left + left, rect.Bottom - bottom}, color, 255);
    FillRect32(bitmap, {rect.Left, rect.Bottom - bottom, rect.Right, rect.Bottom}, color, 255);
    FillRect32(bitmap, {rect.Right - right, rect.Top + top, rect.Right, rect.Bottom - bottom}, color, 255);
}

void CopyKeyedRect(const TImageView32& target, const TImageView32& source, int x, const TSkBgCacheRef& background,
                   TColor key, const TRect& sourceRect, int y) {
    if (background.Ready) {
        DrawKeyedPart(target, source, x, true, background, key, sourceRect, y);
        return;
    }
    TSkBgCacheRef leaveKeys;  // Ready without an image: key pixels stay as they are
    leaveKeys.Ready = true;
    DrawKeyedPart(target, source, x, false, leaveKeys, key, sourceRect, y);
}

int GlyphImageIndex(int kind, bool enabled, int state, int imageCount, bool stdOrder, bool fourBit) {
    const int count = std::max(1, imageCount);
    if (count == 1) kind = 0;
    if (kind < 0 || kind > 3) return -1;
    if (!enabled || kind == 0) return 0;
    const bool secondImage = !stdOrder && !fourBit;
    switch (kind) {
        case 1: return secondImage ? 1 : 0;
        case 2:
            if (state + 2 < count && state >= 0) return state + 2;
            return secondImage ? std::min(1, count - 1) : 0;
        default: return count >= 3 ? 2 : 0;
    }
}

void DrawStateGlyph(const TImageView32& target, const TImageView32& strip, TRect rect, const TGlyphDraw& glyph) {
    if (target.Empty() || strip.Empty()) return;
    // A strip of no images is one image (the count divides the strip's width).
    const int count = std::max(1, glyph.ImageCount);
    const int kind = count == 1 ? 0 : glyph.Kind;
    const int blend = kind > 0 ? 0 : glyph.Blend;
    const int index = GlyphImageIndex(kind, glyph.Enabled, glyph.State, count, glyph.StdOrder, glyph.FourBit);
    if (index < 0) return;
    const int width = strip.Width / count;
    if (width <= 0) return;
    if (glyph.Reflect) {
        const int lift = rect.Height() / 8;
        rect.Top -= lift;
        rect.Bottom -= lift;
    }
    const TRect image{index * width, 0, index * width + width, strip.Height};
    const uint32_t keyPixel = GetPixel32(strip, image.Left, strip.Height - 1);
    const TColor key = TColor(SwapRedBlue(keyPixel) & 0x00FFFFFFu);
    if (glyph.Enabled || blend == 0)
        CopyKeyedRect(target, strip, rect.Left, skNoBackground, key,
                      {image.Left, image.Top, image.Right - 1, image.Bottom - 1}, rect.Top);
    else
        BlendRectKeyed(target, rect.Left, rect.Top, skKeyColor, uint8_t(std::clamp(blend, 0, 255)), {0, 0, width, strip.Height},
                       strip);
    if (glyph.Reflect)
        DrawKeyedReflection(target, strip, {rect.Left, rect.Top, rect.Left + width, rect.Top + strip.Height}, 0,
                            keyPixel & 0x00FFFFFFu, image);
}

void DrawKeyedReflection(const TImageView32& target, const TImageView32& source, const TRect& rect, int transparency,
                         uint32_t key, const TRect& sourceRect) {
    if (target.Empty() || source.Empty()) return;
    const int top = rect.Bottom;
    const int n = std::min(sourceRect.Height() * 2 / 3 - 1, target.Height - 1 - top);
    // Fewer than two rows: no reflection (the weight divides by N).
    if (n < 1) return;
    int f = 255;
    for (int k = 0; k <= n; ++k, f -= 255 / n) {
        const int sy = sourceRect.Bottom - 1 - k, ty = top + k;
        if (sy < 0 || sy >= source.Height || ty < 0 || ty >= target.Height) continue;
        const int w = (100 - transparency) * ((n - k) * 255 / n * std::max(f, 0) / 512) / 100;
        if (w <= 0) continue;
        for (int i = 0; i < sourceRect.Width(); ++i) {
            const int sx = sourceRect.Left + i, tx = rect.Left + i;
            if (sx < 0 || sx >= source.Width || tx < 0 || tx >= target.Width) continue;
            const uint8_t* s = source.Pixel(sx, sy);
            if ((GetPixel32(source, sx, sy) & 0x00FFFFFFu) == (key & 0x00FFFFFFu)) continue;
            uint8_t* t = target.Pixel(tx, ty);
            for (int c = 0; c < 3; ++c) t[c] = uint8_t((s[c] * w + t[c] * (256 - w)) >> 8);
        }
    }
}

void CrossFadeBitmaps(const TImageView32& result, const TImageView32& from, const TImageView32& to, int level,
                      const TImageView32* mask) {
    if (result.Empty() || !SameSize(result, from) || !SameSize(result, to)) return;
    if (mask && !SameSize(result, *mask)) return;
    for (int y = 0; y < result.Height; ++y) {
        uint8_t* r = result.Pixel(0, y);
        const uint8_t* a = from.Pixel(0, y);
        const uint8_t* b = to.Pixel(0, y);
        const uint8_t* m = mask ? mask->Pixel(0, y) : nullptr;
        for (int i = 0; i < result.Width * 4; ++i) {
            const int fromV = a[i], toV = b[i];
            const int v = m ? ((fromV - toV) * m[i] + toV * 256) >> 8 : toV - ((level * (toV - fromV) + 255) >> 8);
            r[i] = uint8_t(std::clamp(v, 0, 255));
        }
    }
}

namespace {

// One line of the smoothing: count pixels step bytes apart.
void SmoothLine(uint8_t* first, ptrdiff_t step, int count, std::vector<uint8_t>& scratch) {
    scratch.assign(size_t(count) * 4, 0);
    auto at = [&](int i) { return first + i * step; };
    auto solid = [&](int i) { return i >= 0 && i < count && at(i)[3] > skAlphaThreshold; };
    for (int i = 0; i < count; ++i) {
        int sum[4] = {}, contributors = 0;
        for (int d = -1; d <= 1; ++d) {
            if (!solid(i + d)) continue;
            const uint8_t* p = at(i + d);
            for (int c = 0; c < 3; ++c) sum[c] += p[c] / 3;
            sum[3] += p[3] / 3 + 1;
            ++contributors;
        }
        // Holes beside an opaque pixel take the average of what contributed;
        // a transparent pixel keeps only the thirds its neighbours give.
        if (solid(i) && contributors < 3)
            for (int c = 0; c < 4; ++c) sum[c] += (3 - contributors) * sum[c] / contributors;
        uint8_t* out = scratch.data() + size_t(i) * 4;
        if (sum[3] <= skAlphaThreshold) continue;
        for (int c = 0; c < 4; ++c) out[c] = uint8_t(std::min(sum[c], 255));
    }
    for (int i = 0; i < count; ++i) std::memcpy(at(i), scratch.data() + size_t(i) * 4, 4);
}

}  // namespace

void SmoothBitmap32(const TImageView32& bitmap) {
    if (bitmap.Empty()) return;
    std::vector<uint8_t> scratch;
    for (int y = 0; y < bitmap.Height; ++y) SmoothLine(bitmap.Pixel(0, y), 4, bitmap.Width, scratch);
    for (int x = 0; x < bitmap.Width; ++x) SmoothLine(bitmap.Pixel(x, 0), bitmap.Distance, bitmap.Height, scratch);
}

void CollectMaskRegionRuns(std::vector<TRect>& runs, int windowWidth, const TSkinMaskData& mask, bool bottom,
                           int rowOffset, const TSkinTables& skin) {
    TBitmap32* image = skin.MaskImage(mask);
    if (!image || image->Width() == 0) return;
    const TImageView32 v = image->View();
    const TPoint frame = MaskFrameSize(mask);
    const int fw = frame.X, fh = mask.R.Height() / (mask.MaskType + 1 > 0 ? mask.MaskType + 1 : 1);
    const int rows = bottom ? mask.WB : mask.WT;
    const int firstRow = bottom ? mask.R.Top + fh - rows : mask.R.Top;
    if (rows <= 0 || firstRow < 0 || firstRow + rows > v.Height || mask.R.Left < 0 || mask.R.Left + fw > v.Width) return;
    auto scan = [&](int row, int c0, int c1, int shift) {
        int runStart = -1;
        for (int c = c0; c <= c1; ++c) {
            const bool key = c < c1 && GetPixel32(v, mask.R.Left + c, firstRow + row) == skKeyColor;
            if (key && runStart < 0) runStart = c;
            if (!key && runStart >= 0) {
                runs.push_back({runStart + shift, rowOffset + row, c + shift, rowOffset + row + 1});
                runStart = -1;
            }
        }
    };
    const int wl = std::clamp<int>(mask.WL, 0, fw), wr = std::clamp<int>(mask.WR, 0, fw);
    for (int row = 0; row < rows; ++row) {
        scan(row, 0, wl, 0);
        scan(row, fw - wr, fw, windowWidth - fw);
    }
}

uint32_t SwapDword(uint32_t value) {
    return (value >> 24) | (value >> 8 & 0xFF00u) | (value << 8 & 0xFF0000u) | (value << 24);
}

void SwapDwords(uint32_t* values, size_t count) {
    for (size_t i = 0; i < count; ++i) values[i] = SwapDword(values[i]);
}

void FillInts(int32_t* values, size_t count, int32_t value) { std::fill(values, values + count, value); }

}  // namespace ad::skin
