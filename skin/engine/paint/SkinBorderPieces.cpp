// Nine-part painting of a whole bitmap and copies of mask pieces.
#include "skin/engine/paint/SkinBorderPieces.h"

#include <algorithm>

#include "skin/engine/paint/SkinMaskPaint.h"

namespace ad::skin {

void DrawMaskToBitmap(const TImageView32& bitmap, const TSkBgCacheRef& background, int state,
                      const TSkinMaskData& mask, const TSkinTables& skin) {
    if (bitmap.Empty() || bitmap.Width <= 1 || bitmap.Height <= 1 || !skin.MaskImage(mask)) return;
    TSkinMaskData m = mask;
    m.ImageCount = std::max<int16_t>(1, m.ImageCount);
    DrawMaskNineGrid(bitmap, {0, 0, bitmap.Width, bitmap.Height}, background, true,
                     std::clamp(state, 0, m.ImageCount - 1), m, skin);
}

void CopyMaskPiece(const TSkinMaskData& mask, const TSkinTables& skin, const TImageView32& target, TPoint position,
                   const TRect& sourceRect, std::vector<TRect>* regionRuns) {
    TBitmap32* image = skin.MaskImage(mask);
    if (!image || target.Empty()) return;
    const TImageView32 source = image->View();
    const bool alphaPart = mask.MaskType == 1;
    const int alphaOffset = alphaPart ? (mask.R.Bottom - mask.R.Top) / 2 : 0;
    // The piece clipped to the source (its alpha rows included) and to the target.
    TRect s = sourceRect;
    s.Left = std::max(s.Left, 0);
    s.Top = std::max(s.Top, 0);
    s.Right = std::min(s.Right, source.Width);
    s.Bottom = std::min(s.Bottom, source.Height - alphaOffset);
    const int dx = position.X - sourceRect.Left, dy = position.Y - sourceRect.Top;
    s.Left = std::max(s.Left, -dx);
    s.Top = std::max(s.Top, -dy);
    s.Right = std::min(s.Right, target.Width - dx);
    s.Bottom = std::min(s.Bottom, target.Height - dy);
    for (int y = s.Top; y < s.Bottom; ++y) {
        int runStart = -1;
        for (int x = s.Left; x <= s.Right; ++x) {
            const bool inside = x < s.Right;
            const uint32_t p = inside ? GetPixel32(source, x, y) : 0;
            const bool key = inside && regionRuns && (p & 0xFFFFFFu) == skKeyColor;
            if (key && runStart < 0) runStart = x;
            if (!key && runStart >= 0) {
                regionRuns->push_back({runStart + dx, y + dy, x + dx, y + dy + 1});
                runStart = -1;
            }
            if (!inside || key) continue;
            if (!alphaPart) {
                SetPixel32(target, x + dx, y + dy, p);
                continue;
            }
            const int w = 255 - int(GetPixel32(source, x, y + alphaOffset) >> 16 & 0xFF);
            const uint32_t t = GetPixel32(target, x + dx, y + dy);
            uint32_t out = t & 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const int tc = int(t >> shift & 0xFF), sc = int(p >> shift & 0xFF);
                out |= uint32_t(std::clamp(tc + (sc - tc) * w / 256, 0, 255)) << shift;
            }
            SetPixel32(target, x + dx, y + dy, out);
        }
    }
}

}  // namespace ad::skin
