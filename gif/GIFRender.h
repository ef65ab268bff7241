// Frame rendering without a window: a frame's indices written into an 8-bit
// device-independent bitmap with the frame's palette (or dithered to the
// 216-colour cube), its one-bit transparency mask, where a frame lands in a
// target rectangle, and a software compositor that shows every frame of an
// animation as the painter does (disposal, transparency). Portable.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/Bitmap32.h"
#include "base/Geometry.h"
#include "gif/GIFDIB.h"

namespace ad::gif {

namespace gifmsg {
constexpr const char* Rendering = "Rendering...";
}

// The platform's MulDiv: a * b / c rounded half away from zero; -1 when c is 0.
int GIFMulDiv(int a, int b, int c);

struct TGIFRenderedFrame {
    int Width = 0, Height = 0;
    TGIFPalette Palette;
    std::unique_ptr<TDIBWriter> Dib;  // none for an empty frame
    // One bit per pixel, most significant first, set where transparent; rows
    // top to bottom, MaskStride bytes each (padded to 16 bits). Empty: no mask.
    std::vector<uint8_t> Mask;
    int MaskStride = 0;

    bool MaskBit(int x, int y) const {
        return (Mask[size_t(y) * size_t(MaskStride) + size_t(x >> 3)] >> (7 - (x & 7))) & 1;
    }
};

// The colours of a frame's indices: its effective map's entries, entry 0 for
// an index past the map's end, black for an empty map.
std::vector<TGIFColor> GIFIndexColors(TGIFSubImage& frame);

// Renders a frame. dither: the 216-colour cube with Floyd-Steinberg; buildMask:
// make the mask of a transparent frame in the same pass (made only when some
// pixel is transparent). Progress goes through the owning picture.
TGIFRenderedFrame GIFRenderFrame(TGIFSubImage& frame, bool dither, bool buildMask);

// Where a frame lands when its picture (imageWidth x imageHeight) is drawn
// into target: its bounds scaled with MulDiv.
TRect GIFFrameTargetRect(const TGIFSubImage& frame, const TRect& target, int imageWidth, int imageHeight);

// The tile rectangles (Width x Height each) of a frame tiled over target:
// columns from the target's left plus the frame's Left stepping by the image
// width, rows likewise, while the tile's left or top is inside the target.
std::vector<TRect> GIFFrameTiles(const TGIFSubImage& frame, const TRect& target, int imageWidth,
                                 int imageHeight);

// A frame's delay as the painter counts it: in units of 12 ms.
constexpr int GIFDelayFactor = 12;

// Shows every non-empty frame on the logical screen in turn, as the animation
// does: transparent pixels keep what is below, disposal 2 clears the frame's
// area to the background after it was shown, 3 restores what was there before
// it, 0, 1 and 4-7 leave it. One 32-bit picture per non-empty frame.
struct TGIFComposedFrame {
    int Frame;  // index in the picture
    TBitmap32 Picture;
};
std::vector<TGIFComposedFrame> GIFComposeFrames(TGifPicture& picture, TGIFColor background);

}  // namespace ad::gif
