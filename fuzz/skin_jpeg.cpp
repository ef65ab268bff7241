// Fuzz target: the skin engine's JPEG reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "skin/engine/image/skJpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ad::skin::TJpegLimits limits;
    limits.MaxSide = 4096;
    limits.MaxPixels = int64_t(1) << 20;
    limits.MaxScans = 100;
    ad::TBitmap32 bmp;
    try {
        ad::skin::DecodeJpegToBitmap(bmp, data, size, limits);
    } catch (const ad::Exception&) {
        if (bmp.Width() != 0 || bmp.Height() != 0) __builtin_trap();
        return 0;
    }
    if (bmp.Width() <= 0 || bmp.Height() <= 0 || int64_t(bmp.Width()) * bmp.Height() > limits.MaxPixels)
        __builtin_trap();
    const uint8_t* p = bmp.Data();
    for (int64_t i = 0, n = int64_t(bmp.Width()) * bmp.Height(); i < n; ++i)
        if (p[4 * i + 3] != 255) __builtin_trap();
    return 0;
}
