// Shared by the GIF fuzz targets: a picture with small budgets.
#pragma once

#include "gif/GifCodec.h"

namespace ad::fuzz {

// Small damaged inputs declare large frames, and every frame commits its whole
// raster: with the picture's real budgets a run spends its time clearing
// megabytes. 64 K pixels per frame and 256 K per picture keep every target at
// thousands of runs a second and still cover multi-frame pictures.
inline void Bound(gif::TGifPicture& pic) {
    pic.MaxFramePixels = int64_t(1) << 16;
    pic.MaxImagePixels = int64_t(1) << 18;
}

}  // namespace ad::fuzz
