// Test support: JPEG files made by libjpeg's own compressor from pixels given
// as interleaved samples (grey, RGB or CMYK), baseline or progressive.
#pragma once

#include <cstdint>
#include <cstdio>  // before jpeglib.h, which uses FILE
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace ad::skin::jpegtest {

using Bytes = std::vector<uint8_t>;

struct Image {
    int Width = 1, Height = 1;
    int Components = 3;  // 1 grey, 3 RGB, 4 CMYK (stored inverted, as Adobe does)
    std::vector<uint8_t> Samples;  // Width * Height * Components, top-down
    int Quality = 95;
    bool Progressive = false;
    bool FullChroma = false;  // 4:4:4 instead of the default 4:2:0
};

inline Bytes Encode(const Image& img) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&c, &out, &outSize);
    c.image_width = JDIMENSION(img.Width);
    c.image_height = JDIMENSION(img.Height);
    c.input_components = img.Components;
    c.in_color_space = img.Components == 1 ? JCS_GRAYSCALE : img.Components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, img.Quality, TRUE);
    if (img.FullChroma)
        for (int i = 0; i < c.num_components; ++i) c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
    if (img.Progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    const size_t stride = size_t(img.Width) * size_t(img.Components);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(img.Samples.data() + stride * c.next_scanline);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    Bytes result(out, out + outSize);
    jpeg_destroy_compress(&c);
    std::free(out);
    return result;
}

// A smooth picture (gradients that JPEG keeps well): sample c of pixel (x, y).
inline uint8_t SmoothSample(int x, int y, int c, int w, int h) {
    const int fx = w > 1 ? x * 255 / (w - 1) : 128, fy = h > 1 ? y * 255 / (h - 1) : 64;
    switch (c) {
        case 0: return uint8_t(fx);
        case 1: return uint8_t(fy);
        case 2: return uint8_t((fx + 2 * (255 - fy)) / 3);
        default: return uint8_t(200 + (fx + fy) / 10);
    }
}

inline Image Smooth(int w, int h, int components) {
    Image img;
    img.Width = w;
    img.Height = h;
    img.Components = components;
    img.Samples.resize(size_t(w) * size_t(h) * size_t(components));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < components; ++c)
                img.Samples[(size_t(y) * size_t(w) + size_t(x)) * size_t(components) + size_t(c)] =
                    SmoothSample(x, y, c, w, h);
    return img;
}

// The file with the size in its frame header changed (the image data stays
// that of the picture encoded); unchanged when it has no baseline or
// progressive frame header.
inline Bytes Claiming(Bytes jpeg, int width, int height) {
    for (size_t i = 2; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            jpeg[i + 5] = uint8_t(height >> 8), jpeg[i + 6] = uint8_t(height);
            jpeg[i + 7] = uint8_t(width >> 8), jpeg[i + 8] = uint8_t(width);
            break;
        }
    }
    return jpeg;
}

}  // namespace ad::skin::jpegtest
