// Test support: Windows bitmap files of 24 or 32 bits per pixel from pixel
// values (0xAARRGGBB), written bottom-up as the system writes them.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/engine/tools/ImageFileWriters.h"

namespace ad::skin::bmptest {

using tools::PutLE;
inline void Put(std::vector<uint8_t>& out, uint32_t v, int bytes) { PutLE(out, v, bytes); }

// pixels: width * height values, top row first.
inline std::vector<uint8_t> Bmp(int width, int height, const std::vector<uint32_t>& pixels, int bits = 24) {
    return tools::BmpFile(width, height, pixels, bits);
}

// A bitmap of one colour.
inline std::vector<uint8_t> SolidBmp(int width, int height, uint32_t pixel, int bits = 24) {
    return Bmp(width, height, std::vector<uint32_t>(size_t(width) * size_t(height), pixel), bits);
}

}  // namespace ad::skin::bmptest
