// The skin engine's JPEG reader: libjpeg decodes JPEG bytes held in memory
// into a 32-bit bitmap (blue, green, red, alpha 255). Grey, colour (YCbCr or
// RGB) and CMYK/YCCK images are read; CMYK is converted to colour. Portable.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/Exception.h"
#include "skin/engine/image/SkinBitmaps.h"

namespace ad::skin {

// What a JPEG may ask of the decoder.
struct TJpegLimits {
    int MaxSide = TBitmap32::MaxSide;
    int64_t MaxPixels = TBitmap32::MaxPixels;
    // Progressive files may hold any number of scans, each a pass over the
    // whole picture; more than this are refused.
    int MaxScans = 500;
};

// Decodes a JPEG into target, which is replaced. Raises EInvalidGraphic naming
// the reason (libjpeg's own text, a size over the limits, data cut short),
// leaving target empty. Warnings about damaged entropy data are tolerated, as
// image viewers do; a file that ends before its image does is an error.
void DecodeJpegToBitmap(TBitmap32& target, const uint8_t* data, size_t size, const TJpegLimits& limits = {});

// The same, false (and an empty bitmap) instead of the exception.
bool LoadJpegToBitmap(TBitmap32& target, const uint8_t* data, size_t size);

}  // namespace ad::skin
