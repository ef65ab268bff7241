// Shared by the GIF fuzz targets: a picture with small budgets.
#pragma once

#include "gif/GifCodec.h"

namespace ad::fuzz {

// 16 M pixels per picture keeps every run far below the memory limit.
inline void Bound(gif::TGifPicture& pic) {
    pic.MaxFramePixels = int64_t(1) << 24;
    pic.MaxImagePixels = int64_t(1) << 24;
}

}  // namespace ad::fuzz
