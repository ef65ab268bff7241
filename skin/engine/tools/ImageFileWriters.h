// Image files written by the build's skin tools: 24-bit bitmap files and
// 8-bit RGBA PNG files from 0xAARRGGBB pixels, top row first. zlib only.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ad::skin::tools {

using Bytes = std::vector<uint8_t>;

inline void PutLE(Bytes& out, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
inline void PutBE(Bytes& out, uint32_t v) {
    for (int i = 3; i >= 0; --i) out.push_back(uint8_t(v >> (8 * i)));
}

// A bitmap file of 24 or 32 bits per pixel, written bottom-up.
inline Bytes BmpFile(int w, int h, const std::vector<uint32_t>& px, int bits = 24) {
    const uint32_t stride = ((uint32_t(w) * uint32_t(bits) + 31) / 32) * 4;
    Bytes out = {'B', 'M'};
    PutLE(out, 54 + stride * uint32_t(h), 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4);
    PutLE(out, 40, 4);
    PutLE(out, uint32_t(w), 4);
    PutLE(out, uint32_t(h), 4);
    PutLE(out, 1, 2);
    PutLE(out, uint32_t(bits), 2);
    for (int i = 0; i < 6; ++i) PutLE(out, 0, 4);
    for (int y = h - 1; y >= 0; --y) {
        const size_t start = out.size();
        for (int x = 0; x < w; ++x) PutLE(out, px[size_t(y) * size_t(w) + size_t(x)], bits / 8);
        while (out.size() - start < stride) out.push_back(0);
    }
    return out;
}
inline Bytes BmpFile24(int w, int h, const std::vector<uint32_t>& px) { return BmpFile(w, h, px, 24); }

inline void PngChunk(Bytes& out, const char* type, const Bytes& data) {
    PutBE(out, uint32_t(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBE(out, uint32_t(crc32(0, body.data(), uInt(body.size()))));
}

inline Bytes PngFileRgba(int w, int h, const std::vector<uint32_t>& px) {
    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes ihdr;
    PutBE(ihdr, uint32_t(w));
    PutBE(ihdr, uint32_t(h));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    PngChunk(out, "IHDR", ihdr);
    Bytes raw;
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);
        for (int x = 0; x < w; ++x) {
            const uint32_t p = px[size_t(y) * size_t(w) + size_t(x)];
            raw.insert(raw.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
        }
    }
    uLongf size = compressBound(uLong(raw.size()));
    Bytes z(size);
    compress2(z.data(), &size, raw.data(), uLong(raw.size()), 9);
    z.resize(size);
    PngChunk(out, "IDAT", z);
    PngChunk(out, "IEND", {});
    return out;
}

}  // namespace ad::skin::tools
