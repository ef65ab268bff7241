// Gradient descriptions of skin sections: the ";"-separated text form, and
// painting bands (vertical, horizontal) into 32-bit bitmaps, plain or mixed
// with a tiled texture. The four-corner form computes its vertices here and
// leaves the triangle fill to a platform routine (GradientFill on Windows).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/image/SkinTypes.h"

namespace ad::skin {

struct TSkinGradient {
    int32_t Color1;   // RGB at the start of the band
    int32_t Color2;   // RGB at its end
    uint8_t Percent;  // the band's share of the length, 0..100
    int32_t Mode;     // 0 vertical, 1 horizontal, 2 four corners (first entry's counts)
};
using TSkinGradArray = std::vector<TSkinGradient>;

// Five words per entry (Color1, Color2, Percent, Mode, unused); a trailing
// incomplete group is dropped. A malformed number raises EConvertError.
void ParseGradientText(const char* text, TSkinGradArray& out);

// One vertex of the four-corner gradient: position and 16-bit channels.
struct TGradientVertex {
    int X, Y;
    uint16_t Red, Green, Blue, Alpha;
};
// The five vertices (top-left, centre, top-right, bottom-right, bottom-left)
// and the four triangles over them as vertex indexes.
struct TFourCornerMesh {
    std::array<TGradientVertex, 5> Vertices;
    std::array<std::array<uint32_t, 3>, 4> Triangles;
};
TFourCornerMesh FourCornerMesh(const TRect& r, const TSkinGradArray& a);

// Fills triangles by Gouraud shading; installed by the Windows side (nothing
// is painted in mode 2 without one).
using TTriangleGradientFill = bool (*)(const TImageView32& v, const TFourCornerMesh& mesh);
void SetTriangleGradientFill(TTriangleGradientFill fill);

void PaintGradient(const TImageView32& v, const TRect& rect, const TSkinGradArray& a, int offset);
void PaintGradientTextured(const TImageView32& v, const TRect& rect, const TSkinGradArray& a, uint8_t alpha,
                           int textureWeight, const TRect& textureRect, const TImageView32& texture);

}  // namespace ad::skin
