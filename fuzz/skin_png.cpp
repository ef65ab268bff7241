// Fuzz target: the skin engine's PNG reader and the 32-bit conversion on
// arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "skin/engine/skPNG.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ad::skin::TPNGGraphic g;
    g.MaxSide = 4096;
    g.MaxPixels = int64_t(1) << 20;
    try {
        g.LoadFromStream(data, size);
    } catch (const ad::Exception&) {
        if (!g.Empty() || !g.Pixels.empty()) __builtin_trap();
        return 0;
    }
    if (g.Pixels.size() != size_t(g.Width) * g.Height * g.BytesPerPixel()) __builtin_trap();
    if (g.PixelBits <= 8 && g.Palette.size() != (size_t(1) << g.PixelBits)) __builtin_trap();
    ad::TBitmap32 bmp;
    ad::skin::CopyPngAlphaToBitmap(bmp, g);
    if (bmp.Width() != int(g.Width) || bmp.Height() != int(g.Height)) __builtin_trap();
    return 0;
}
