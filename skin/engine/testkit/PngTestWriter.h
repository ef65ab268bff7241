// Test support: writes small PNG files of every colour type, bit depth and
// interlace method, with any filter per row, optional palette, transparency,
// gamma and background chunks, split image data and hand-made chunks. Used by
// the PNG reader's tests and the fuzz seeds; deflates with zlib.
#pragma once

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace ad::skin::pngtest {

using Bytes = std::vector<uint8_t>;

inline void PutU32(Bytes& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}

// One chunk: length, type, data and the CRC over type and data.
inline Bytes Chunk(const std::string& type, const Bytes& data, bool badCrc = false) {
    Bytes out;
    PutU32(out, uint32_t(data.size()));
    Bytes body(type.begin(), type.end());
    body.insert(body.end(), data.begin(), data.end());
    uint32_t crc = uint32_t(crc32(0, body.data(), uInt(body.size())));
    out.insert(out.end(), body.begin(), body.end());
    PutU32(out, badCrc ? crc ^ 1 : crc);
    return out;
}

inline Bytes Signature() { return {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}; }

inline Bytes Deflate(const Bytes& raw, int level = 6) {
    uLongf size = compressBound(uLong(raw.size()));
    Bytes out(size);
    compress2(out.data(), &size, raw.data(), uLong(raw.size()), level);
    out.resize(size);
    return out;
}

inline int SamplesOf(int colorType) {
    switch (colorType) {
        case 2: return 3;
        case 4: return 2;
        case 6: return 4;
        default: return 1;
    }
}

// Sample (x, y, channel) of the picture, 0 .. 2^depth - 1.
using SampleFn = std::function<uint32_t(int x, int y, int channel)>;

struct Image {
    int Width = 1, Height = 1, BitDepth = 8, ColorType = 0, Interlace = 0;
    SampleFn Sample = [](int x, int y, int c) { return uint32_t(x * 7 + y * 13 + c * 29); };
    int Filter = -1;  // 0..4 for every row, -1 to cycle through all five
};

inline uint8_t Paeth(int a, int b, int c) {
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Filtered scan lines of the picture (all passes for Adam7), not yet deflated.
inline Bytes ScanLines(const Image& img) {
    const int samples = SamplesOf(img.ColorType), bits = img.BitDepth * samples;
    const size_t bpp = size_t(std::max(1, bits / 8));
    const uint32_t mask = img.BitDepth == 16 ? 0xFFFF : (1u << img.BitDepth) - 1;
    static const int pass[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                   {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    Bytes out;
    int rowIndex = 0;
    for (int p = 0; p < (img.Interlace ? 7 : 1); ++p) {
        int x0 = img.Interlace ? pass[p][0] : 0, y0 = img.Interlace ? pass[p][1] : 0;
        int dx = img.Interlace ? pass[p][2] : 1, dy = img.Interlace ? pass[p][3] : 1;
        if (x0 >= img.Width || y0 >= img.Height) continue;
        int w = (img.Width - x0 + dx - 1) / dx;
        size_t rowBytes = (size_t(w) * bits + 7) / 8;
        Bytes prev(rowBytes, 0);
        for (int y = y0; y < img.Height; y += dy) {
            Bytes raw(rowBytes, 0);
            size_t bit = 0;
            for (int i = 0; i < w; ++i) {
                for (int c = 0; c < samples; ++c) {
                    uint32_t v = img.Sample(x0 + i * dx, y, c) & mask;
                    if (img.BitDepth == 16) {
                        raw[bit / 8] = uint8_t(v >> 8);
                        raw[bit / 8 + 1] = uint8_t(v);
                    } else if (img.BitDepth == 8) {
                        raw[bit / 8] = uint8_t(v);
                    } else {
                        raw[bit / 8] |= uint8_t(v << (8 - img.BitDepth - bit % 8));
                    }
                    bit += size_t(img.BitDepth);
                }
            }
            int f = img.Filter >= 0 ? img.Filter : rowIndex % 5;
            ++rowIndex;
            out.push_back(uint8_t(f));
            for (size_t i = 0; i < rowBytes; ++i) {
                int a = i >= bpp ? raw[i - bpp] : 0, b = prev[i], c = i >= bpp ? prev[i - bpp] : 0;
                int pred = f == 1 ? a : f == 2 ? b : f == 3 ? (a + b) / 2 : f == 4 ? Paeth(a, b, c) : 0;
                out.push_back(uint8_t(raw[i] - pred));
            }
            prev = raw;
        }
    }
    return out;
}

inline Bytes Header(const Image& img) {
    Bytes h;
    PutU32(h, uint32_t(img.Width));
    PutU32(h, uint32_t(img.Height));
    h.push_back(uint8_t(img.BitDepth));
    h.push_back(uint8_t(img.ColorType));
    h.push_back(0);
    h.push_back(0);
    h.push_back(uint8_t(img.Interlace));
    return Chunk("IHDR", h);
}

// Chunks placed before the image data (PLTE, tRNS, gAMA, bKGD, others) and
// after it; the deflated data split into IDAT chunks of at most split bytes.
struct Extras {
    std::vector<Bytes> Before, After;
    size_t Split = 0;
};

inline Bytes Write(const Image& img, const Extras& extras = {}) {
    Bytes out = Signature();
    Bytes h = Header(img);
    out.insert(out.end(), h.begin(), h.end());
    for (const Bytes& c : extras.Before) out.insert(out.end(), c.begin(), c.end());
    Bytes z = Deflate(ScanLines(img));
    size_t split = extras.Split ? extras.Split : z.size();
    for (size_t at = 0; at < z.size(); at += split) {
        Bytes part(z.begin() + long(at), z.begin() + long(std::min(z.size(), at + split)));
        Bytes c = Chunk("IDAT", part);
        out.insert(out.end(), c.begin(), c.end());
    }
    for (const Bytes& c : extras.After) out.insert(out.end(), c.begin(), c.end());
    Bytes e = Chunk("IEND", {});
    out.insert(out.end(), e.begin(), e.end());
    return out;
}

// A file with the picture's header whose image data is one deflated zero
// byte: tiny, whatever size the header claims.
inline Bytes Claiming(const Image& img) {
    Bytes out = Signature();
    for (const Bytes& c : {Header(img), Chunk("IDAT", Deflate(Bytes(1, 0))), Chunk("IEND", {})})
        out.insert(out.end(), c.begin(), c.end());
    return out;
}

inline Bytes Palette(const std::vector<uint32_t>& rgb) {
    Bytes d;
    for (uint32_t c : rgb) {
        d.push_back(uint8_t(c >> 16));
        d.push_back(uint8_t(c >> 8));
        d.push_back(uint8_t(c));
    }
    return Chunk("PLTE", d);
}

inline Bytes Gamma(uint32_t value) {
    Bytes d;
    PutU32(d, value);
    return Chunk("gAMA", d);
}

}  // namespace ad::skin::pngtest
