// Helpers of the GIF codec's tests: hand-made code streams, sub-block framing,
// tiny GIF files and random pictures.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "gif/GifCodec.h"

namespace ad::gif::giftest {

using Bytes = std::vector<uint8_t>;

// Packs (code, width) pairs least significant bit first.
inline Bytes PackCodes(const std::vector<std::pair<int, int>>& codes) {
    Bytes out;
    uint32_t acc = 0;
    int bits = 0;
    for (auto [code, width] : codes) {
        acc |= uint32_t(code) << bits;
        bits += width;
        while (bits >= 8) {
            out.push_back(uint8_t(acc));
            acc >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0) out.push_back(uint8_t(acc));
    return out;
}

// Frames data as sub-blocks of at most blockSize bytes and a terminator.
inline Bytes SubBlocks(const Bytes& data, size_t blockSize = 255) {
    Bytes out;
    for (size_t at = 0; at < data.size(); at += blockSize) {
        size_t n = std::min(blockSize, data.size() - at);
        out.push_back(uint8_t(n));
        out.insert(out.end(), data.begin() + long(at), data.begin() + long(at + n));
    }
    out.push_back(0);
    return out;
}

inline void Append(Bytes& to, const Bytes& more) { to.insert(to.end(), more.begin(), more.end()); }
inline void AppendWord(Bytes& to, int w) {
    to.push_back(uint8_t(w));
    to.push_back(uint8_t(w >> 8));
}

// "GIF89a", a screen of w x h with a global table of 2^bits grey entries.
inline Bytes Header(int w, int h, int bits = 2, const char* sig = "GIF89a") {
    Bytes b(sig, sig + 6);
    AppendWord(b, w);
    AppendWord(b, h);
    b.push_back(uint8_t(bits > 0 ? 0x80 | (bits - 1) : 0));
    b.push_back(0);
    b.push_back(0);
    for (int i = 0; bits > 0 && i < (1 << bits); ++i) b.insert(b.end(), 3, uint8_t(i * 255 / ((1 << bits) - 1)));
    return b;
}

inline Bytes Descriptor(int left, int top, int w, int h, uint8_t packed = 0) {
    Bytes b{0x2C};
    AppendWord(b, left);
    AppendWord(b, top);
    AppendWord(b, w);
    AppendWord(b, h);
    b.push_back(packed);
    return b;
}

// Image data of literal pixels (each followed by a clear, so the width stays).
inline Bytes LiteralImageData(int minCodeSize, const Bytes& pixels, size_t blockSize = 255) {
    int clear = 1 << minCodeSize, width = minCodeSize + 1;
    std::vector<std::pair<int, int>> codes;
    for (uint8_t p : pixels) {
        codes.push_back({clear, width});
        codes.push_back({p, width});
    }
    codes.push_back({clear + 1, width});
    Bytes out{uint8_t(minCodeSize)};
    Append(out, SubBlocks(PackCodes(codes), blockSize));
    return out;
}

// A complete one-frame file: screen and frame w x h, 2^bits colours.
inline Bytes OneFrameGif(int w, int h, const Bytes& pixels, int bits = 2) {
    Bytes b = Header(w, h, bits);
    Append(b, Descriptor(0, 0, w, h));
    Append(b, LiteralImageData(bits < 2 ? 2 : bits, pixels));
    b.push_back(0x3B);
    return b;
}

struct Warnings {
    std::vector<std::string> List;
    void Attach(TGifPicture& p) {
        p.OnWarning = [this](TGIFPersistent*, int, const std::string& m) { List.push_back(m); };
    }
    bool Has(const std::string& m) const {
        for (auto& s : List)
            if (s == m) return true;
        return false;
    }
};

inline void Load(TGifPicture& pic, const Bytes& bytes) {
    TMemoryStream s(bytes);
    pic.LoadFromStream(s);
}

inline Bytes Save(TGifPicture& pic) {
    TMemoryStream s;
    pic.SaveToStream(s);
    return s.Bytes();
}

// Fills a frame's pixels: a mix of runs and noise, the kind that exercises
// both table growth and clears.
inline void FillPixels(TGIFSubImage& f, int colors, std::mt19937& rng, int style) {
    std::uniform_int_distribution<int> color(0, colors - 1);
    std::uniform_int_distribution<int> runLength(1, 40);
    uint8_t* p = f.Data();
    size_t n = f.DataSize();
    for (size_t i = 0; i < n;) {
        int c = color(rng);
        size_t run = style == 0 ? 1 : style == 1 ? size_t(runLength(rng)) : size_t(runLength(rng)) * 20;
        for (size_t k = 0; k < run && i < n; ++k) p[i++] = uint8_t(c);
    }
}

// A random picture of 1-3 frames, 1-256 colours, with or without local maps
// and interlace.
inline void RandomPicture(TGifPicture& pic, std::mt19937& rng, int maxSide = 300) {
    std::uniform_int_distribution<int> side(1, maxSide), colorsD(1, 256), coin(0, 1), frames(1, 3), style(0, 2);
    int globalColors = colorsD(rng);
    for (int i = 0; i < globalColors; ++i) pic.Header.ColorMap.Add(TColor(rng() & 0xFFFFFF));
    int n = frames(rng);
    for (int i = 0; i < n; ++i) {
        auto* f = new TGIFSubImage(&pic);
        pic.Add(f);
        int w = side(rng), h = side(rng);
        f->SetBounds(coin(rng) ? 0 : side(rng) / 4, coin(rng) ? 0 : side(rng) / 4, w, h);
        int colors = globalColors;
        if (coin(rng)) {
            colors = colorsD(rng);
            for (int c = 0; c < colors; ++c) f->ColorMap.Add(TColor(rng() & 0xFFFFFF));
        }
        f->SetInterlaced(coin(rng) != 0);
        FillPixels(*f, colors, rng, style(rng));
    }
}

}  // namespace ad::gif::giftest
