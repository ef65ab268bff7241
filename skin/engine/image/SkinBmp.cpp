// Decoding of Windows bitmap files into 32-bit bitmaps.
#include "skin/engine/image/SkinBmp.h"

#include <array>
#include <bit>

namespace ad::skin {
namespace {

uint32_t U16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t U32(const uint8_t* p) { return U16(p) | U16(p + 2) << 16; }

// One channel through a bit-field mask, scaled to 8 bits.
uint8_t Channel(uint32_t value, uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask >> shift);
    const uint32_t v = (value & mask) >> shift;
    if (bits >= 8) return uint8_t(v >> (bits - 8));
    const uint32_t max = (1u << bits) - 1;
    return uint8_t((v * 255 + max / 2) / max);
}

}  // namespace

bool DecodeBmpToBitmap(TBitmap32& target, const uint8_t* data, size_t size, int* bitCount) {
    target.SetSize(0, 0);
    if (bitCount) *bitCount = 0;
    if (!data || size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return false;
    const size_t pixelOffset = U32(data + 10);
    const uint8_t* h = data + 14;
    const uint32_t headerSize = U32(h);
    if (headerSize < 12 || 14 + size_t(headerSize) > size) return false;

    int64_t width, height;
    uint32_t bits, compression = 0, colorsUsed = 0;
    if (headerSize == 12) {
        width = U16(h + 4);
        height = int16_t(U16(h + 6));
        bits = U16(h + 10);
    } else {
        if (headerSize < 40) return false;
        width = int32_t(U32(h + 4));
        height = int32_t(U32(h + 8));
        bits = U16(h + 14);
        compression = U32(h + 16);
        colorsUsed = U32(h + 32);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > TBitmap32::MaxSide || height > TBitmap32::MaxSide ||
        width * height > TBitmap32::MaxPixels)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;

    // Bit fields: in the header from version 4 on, else the three words after a 40-byte one.
    uint32_t masks[4] = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u};
    if (bits == 16) masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F, masks[3] = 0;
    if (compression == 3) {
        if (bits != 16 && bits != 32) return false;
        const size_t at = 14 + (headerSize >= 52 ? 40 : size_t(headerSize));
        if (at + 12 > size) return false;
        for (int i = 0; i < 3; ++i) masks[i] = U32(data + at + 4 * size_t(i));
        masks[3] = headerSize >= 56 ? U32(h + 52) : 0;
    } else if (compression != 0) {
        return false;
    }

    std::array<uint32_t, 256> palette{};
    if (bits <= 8) {
        const size_t entrySize = headerSize == 12 ? 3 : 4;
        size_t count = colorsUsed == 0 || colorsUsed > (1u << bits) ? size_t(1) << bits : colorsUsed;
        const size_t at = 14 + headerSize;
        if (at + count * entrySize > size) count = (size - at) / entrySize;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* p = data + at + i * entrySize;
            palette[i] = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
        }
    }

    const size_t stride = ((size_t(width) * bits + 31) / 32) * 4;
    if (pixelOffset > size || (size - pixelOffset) / stride < size_t(height)) return false;
    if (!target.SetSize(int(width), int(height))) return false;
    const TImageView32 v = target.View();
    for (int64_t row = 0; row < height; ++row) {
        const uint8_t* s = data + pixelOffset + size_t(row) * stride;
        uint8_t* d = v.Pixel(0, int(topDown ? row : height - 1 - row));
        for (int64_t x = 0; x < width; ++x, d += 4) {
            uint32_t px;
            switch (bits) {
            case 1: px = palette[(s[x >> 3] >> (7 - (x & 7))) & 1]; break;
            case 4: px = palette[(s[x >> 1] >> (x & 1 ? 0 : 4)) & 15]; break;
            case 8: px = palette[s[x]]; break;
            case 24: px = uint32_t(s[3 * x]) | uint32_t(s[3 * x + 1]) << 8 | uint32_t(s[3 * x + 2]) << 16; break;
            default: {
                const uint32_t raw = bits == 16 ? U16(s + 2 * x) : U32(s + 4 * x);
                px = uint32_t(Channel(raw, masks[2])) | uint32_t(Channel(raw, masks[1])) << 8 |
                     uint32_t(Channel(raw, masks[0])) << 16;
                if (bits == 32) px |= uint32_t(compression == 3 ? Channel(raw, masks[3]) : raw >> 24) << 24;
            }
            }
            d[0] = uint8_t(px), d[1] = uint8_t(px >> 8), d[2] = uint8_t(px >> 16), d[3] = uint8_t(px >> 24);
        }
    }
    if (bitCount) *bitCount = int(bits);
    return true;
}

}  // namespace ad::skin
