// Nine-grid painting with a key colour.
#include "skin/forms/SkinStretch.h"

#include <cstdint>
#include <cstring>

namespace ad::skin::forms {

namespace {

constexpr uint32_t kKeyColour = 0xFF00FF;  // the same in RGB and BGR order

uint32_t PixelAt(const TImageView32& v, int x, int y) {
    uint32_t value;
    std::memcpy(&value, v.Pixel(x, y), 4);
    return value;
}

bool Inside(const TImageView32& v, int x, int y) { return x >= 0 && y >= 0 && x < v.Width && y < v.Height; }

// Source cell s mapped onto target cell t (nearest pixel), key pixels skipped.
void StretchCell(const TImageView32& target, const TImageView32& source, const TRect& t, const TRect& s) {
    const int tw = t.Width(), th = t.Height(), sw = s.Width(), sh = s.Height();
    if (tw <= 0 || th <= 0 || sw <= 0 || sh <= 0) return;
    for (int y = 0; y < th; ++y) {
        const int sy = s.Top + int(int64_t(y) * sh / th), ty = t.Top + y;
        for (int x = 0; x < tw; ++x) {
            const int sx = s.Left + int(int64_t(x) * sw / tw), tx = t.Left + x;
            if (!Inside(source, sx, sy) || !Inside(target, tx, ty)) continue;
            const uint32_t value = PixelAt(source, sx, sy);
            if ((value & 0xFFFFFF) != kKeyColour) std::memcpy(target.Pixel(tx, ty), &value, 4);
        }
    }
}

}  // namespace

void StretchNineGridKeyed(const TImageView32& target, const TImageView32& source, const TRect& d, int left, int top,
                          int right, int bottom, const TRect& s) {
    if (target.Empty() || source.Empty()) return;
    // Columns and rows of both grids: outer edge, inner edge, inner edge, outer edge.
    const int dx[4] = {d.Left, d.Left + left, d.Right - right, d.Right};
    const int dy[4] = {d.Top, d.Top + top, d.Bottom - bottom, d.Bottom};
    const int sx[4] = {s.Left, s.Left + left, s.Right - right, s.Right};
    const int sy[4] = {s.Top, s.Top + top, s.Bottom - bottom, s.Bottom};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const TRect t{dx[col], dy[row], dx[col + 1], dy[row + 1]};
            const TRect from{sx[col], sy[row], sx[col + 1], sy[row + 1]};
            // Corners keep their size (the destination cell is as big as the source's).
            const bool corner = col != 1 && row != 1;
            StretchCell(target, source, corner ? TRect{t.Left, t.Top, t.Left + from.Width(), t.Top + from.Height()} : t,
                        from);
        }
}

}  // namespace ad::skin::forms
