// Test support: Windows bitmap files of 24 or 32 bits per pixel from pixel
// values (0xAARRGGBB), written bottom-up as the system writes them.
#pragma once

#include <cstdint>
#include <vector>

namespace ad::skin::bmptest {

inline void Put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// pixels: width * height values, top row first.
inline std::vector<uint8_t> Bmp(int width, int height, const std::vector<uint32_t>& pixels, int bits = 24) {
    const uint32_t stride = ((uint32_t(width) * uint32_t(bits) + 31) / 32) * 4;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put(out, 54 + stride * uint32_t(height), 4);
    Put(out, 0, 4);
    Put(out, 54, 4);
    Put(out, 40, 4);
    Put(out, uint32_t(width), 4);
    Put(out, uint32_t(height), 4);
    Put(out, 1, 2);
    Put(out, uint32_t(bits), 2);
    for (int i = 0; i < 6; ++i) Put(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        const size_t start = out.size();
        for (int x = 0; x < width; ++x) Put(out, pixels[size_t(y) * size_t(width) + size_t(x)], bits / 8);
        while (out.size() - start < stride) out.push_back(0);
    }
    return out;
}

// A bitmap of one colour.
inline std::vector<uint8_t> SolidBmp(int width, int height, uint32_t pixel, int bits = 24) {
    return Bmp(width, height, std::vector<uint32_t>(size_t(width) * size_t(height), pixel), bits);
}

}  // namespace ad::skin::bmptest
