// Windows bitmap files (".bmp") held in memory, decoded into 32-bit bitmaps
// without the system's help: uncompressed images of 1, 4, 8, 16, 24 and 32 bits
// per pixel (bit-field masks included), bottom-up or top-down. Skins ship their
// master bitmap and many images in this format. Portable.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/Bitmap32.h"

namespace ad::skin {

// Decodes a bitmap file into target (replaced). Pixels come out blue, green,
// red and, for 32-bit files, the file's fourth byte; other depths leave alpha
// 0 (the caller decides how they become opaque). BitCount receives the file's
// bits per pixel. False, with target empty, for data that is not a bitmap file
// this reader handles (compressed, cut short, too large).
bool DecodeBmpToBitmap(TBitmap32& target, const uint8_t* data, size_t size, int* bitCount = nullptr);

}  // namespace ad::skin
