// Fuzz target: the skin engine's PNG reader and the 32-bit conversion on
// arbitrary bytes, and the reader's sample converter: the first bytes choose
// schemes, depths, options, pixel count, mask and planes, the rest is the row.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "skin/engine/image/skColorManager.h"
#include "skin/engine/image/skPNG.h"

namespace {

void FuzzPng(const uint8_t* data, size_t size) {
    ad::skin::TPNGGraphic g;
    g.MaxSide = 4096;
    g.MaxPixels = int64_t(1) << 20;
    try {
        g.LoadFromStream(data, size);
    } catch (const ad::Exception&) {
        if (!g.Empty() || !g.Pixels.empty()) __builtin_trap();
        return;
    }
    if (g.Pixels.size() != size_t(g.Width) * g.Height * g.BytesPerPixel()) __builtin_trap();
    if (g.PixelBits <= 8 && g.Palette.size() != (size_t(1) << g.PixelBits)) __builtin_trap();
    ad::TBitmap32 bmp;
    ad::skin::CopyPngAlphaToBitmap(bmp, g);
    if (bmp.Width() != int(g.Width) || bmp.Height() != int(g.Height)) __builtin_trap();
}

void FuzzColorRow(const uint8_t* data, size_t size) {
    if (size < 7) return;
    using ad::skin::TColorScheme;
    static const int kDepths[] = {1, 2, 4, 8, 16};
    ad::skin::TColorManager m;
    m.SetSourceScheme(TColorScheme(data[0] % 13));
    m.SetTargetScheme(TColorScheme(data[1] % 13));
    m.SetSourceBitsPerSample(kDepths[data[2] % 5]);
    m.SetTargetBitsPerSample(kDepths[(data[2] >> 4) % 5]);
    m.SetSourceOptions({.ByteSwap = bool(data[3] & 1), .LRange = bool(data[3] & 2), .ChromaOffset = bool(data[3] & 4)});
    m.SetTargetOptions({.ApplyGamma = bool(data[3] & 8)});
    const uint32_t count = data[4];
    const uint8_t mask = data[5];
    const size_t planeCount = size_t(data[6] % 5);
    const uint8_t* rest = data + 7;
    const size_t restSize = size - 7;
    // The row split evenly into the planes (one plane: all of it).
    std::vector<std::vector<uint8_t>> copies;
    std::vector<std::span<const uint8_t>> planes;
    const size_t each = planeCount ? restSize / planeCount : 0;
    copies.reserve(planeCount);
    for (size_t i = 0; i < planeCount; ++i) {
        copies.emplace_back(rest + i * each, rest + (i + 1) * each);  // exact-size copies let ASan see overreads
        planes.emplace_back(copies.back());
    }
    std::vector<uint8_t> target(m.TargetRowBytes(count));
    try {
        m.ConvertRowChecked(planes, target, count, mask);
    } catch (const ad::skin::EColorConversionError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzPng(data, size);
    FuzzColorRow(data, size);
    return 0;
}
