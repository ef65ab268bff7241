// Tests of the PNG reader over generated files: every colour type and depth,
// Adam7 against plain rows, chunk rules, transparency, gamma and bad input.
#include "skin/engine/image/skPNG.h"

#include <gtest/gtest.h>

#include <cmath>

#include "skin/engine/testkit/PngTestWriter.h"
#include "testsupport/AllocationMeter.h"

AD_DEFINE_ALLOCATION_METER()

namespace ad::skin {
namespace {

using pngtest::Bytes;

uint32_t Px(int b, int g, int r, int a) { return uint32_t(b) | uint32_t(g) << 8 | uint32_t(r) << 16 | uint32_t(a) << 24; }

// Palette used for indexed pictures: entry i is (i*3, 255-i, i*7) in RGB.
uint32_t PaletteRgb(int i) { return uint32_t(i * 3 % 256) << 16 | uint32_t(255 - i) << 8 | uint32_t(i * 7 % 256); }

Bytes PaletteChunk(int entries) {
    std::vector<uint32_t> rgb;
    for (int i = 0; i < entries; ++i) rgb.push_back(PaletteRgb(i));
    return pngtest::Palette(rgb);
}

// Loads and converts to 32 bits; fails the test on an exception.
TBitmap32 Load(const Bytes& png, TPNGGraphic* keep = nullptr) {
    TPNGGraphic g;
    g.LoadFromStream(png.data(), png.size());
    TBitmap32 bmp;
    CopyPngAlphaToBitmap(bmp, g);
    if (keep) *keep = g;
    return bmp;
}

std::string LoadError(const Bytes& png) {
    TPNGGraphic g;
    try {
        g.LoadFromStream(png.data(), png.size());
    } catch (const Exception& e) {
        EXPECT_TRUE(g.Empty());
        return e.Message;
    }
    return "";
}

// The 32-bit pixel a picture's samples should give (no gamma).
uint32_t Expected(const pngtest::Image& img, int x, int y) {
    const int d = img.BitDepth;
    const uint32_t mask = d == 16 ? 0xFFFF : (1u << d) - 1;
    auto s = [&](int c) {
        uint32_t v = img.Sample(x, y, c) & mask;
        return d == 16 ? int(v * 255 / 65535) : int(v);
    };
    switch (img.ColorType) {
        case 0: {
            int level = d == 1 ? s(0) * 255 : d == 2 ? s(0) * 85 : d == 4 ? s(0) * 17 : s(0);
            return Px(level, level, level, 255);
        }
        case 3: {
            uint32_t rgb = PaletteRgb(s(0));
            return Px(int(rgb & 0xFF), int(rgb >> 8 & 0xFF), int(rgb >> 16), 255);
        }
        case 2: return Px(s(2), s(1), s(0), 255);
        case 4: return Px(s(0), s(0), s(0), 255);  // the alpha samples are dropped
        default: return Px(s(2), s(1), s(0), s(3));
    }
}

TEST(skPNG, EveryFormatAndInterlace) {
    const struct {
        int type, depth;
    } formats[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1}, {3, 2},
                   {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
    const std::pair<int, int> sizes[] = {{1, 1}, {3, 2}, {9, 9}, {13, 6}, {2, 17}};
    for (const auto& f : formats) {
        for (auto [w, h] : sizes) {
            for (int filter : {-1, 0, 4}) {
                pngtest::Image img;
                img.Width = w;
                img.Height = h;
                img.ColorType = f.type;
                img.BitDepth = f.depth;
                img.Filter = filter;
                img.Sample = [&](int x, int y, int c) {
                    return uint32_t(x * 2654435761u + y * 40503u + c * 977u) >> (f.depth == 16 ? 8 : 13);
                };
                pngtest::Extras extras;
                if (f.type == 3) extras.Before.push_back(PaletteChunk(1 << f.depth));
                for (int interlace : {0, 1}) {
                    img.Interlace = interlace;
                    SCOPED_TRACE(testing::Message() << "type " << f.type << " depth " << f.depth << " "
                                                    << w << "x" << h << " filter " << filter
                                                    << " interlace " << interlace);
                    TPNGGraphic g;
                    TBitmap32 bmp = Load(pngtest::Write(img, extras), &g);
                    ASSERT_EQ(bmp.Width(), w);
                    ASSERT_EQ(bmp.Height(), h);
                    EXPECT_EQ(g.PixelBits, f.type == 2 ? 24 : f.type == 6 ? 32 : f.type == 4 ? 8
                                               : f.depth == 1 ? 1 : f.depth <= 4 ? 4 : 8);
                    for (int y = 0; y < h; ++y)
                        for (int x = 0; x < w; ++x)
                            ASSERT_EQ(GetPixel32(bmp.View(), x, y), Expected(img, x, y)) << x << "," << y;
                }
            }
        }
    }
}

pngtest::Image Rgb(int w, int h) {
    pngtest::Image img;
    img.Width = w;
    img.Height = h;
    img.ColorType = 2;
    return img;
}

TEST(skPNG, ChunkRules) {
    pngtest::Image img = Rgb(4, 3);
    Bytes z = pngtest::Deflate(pngtest::ScanLines(img));
    auto assemble = [&](std::vector<Bytes> chunks) {
        Bytes out = pngtest::Signature();
        Bytes h = pngtest::Header(img);
        out.insert(out.end(), h.begin(), h.end());
        for (const Bytes& c : chunks) out.insert(out.end(), c.begin(), c.end());
        return out;
    };
    const uint32_t corner = Expected(img, 3, 2);
    // Lower-case types, a text chunk, image data split into one-byte chunks.
    Bytes lower = assemble({pngtest::Chunk("tEXt", {'a', 0, 'b'}), pngtest::Chunk("idat", z),
                            pngtest::Chunk("iend", {})});
    EXPECT_EQ(GetPixel32(Load(lower).View(), 3, 2), corner);
    pngtest::Extras split;
    split.Split = 1;
    EXPECT_EQ(GetPixel32(Load(pngtest::Write(img, split)).View(), 3, 2), corner);

    const struct {
        std::vector<Bytes> chunks;
        const char* message;
    } bad[] = {
        {{pngtest::Chunk("cHNK", {}), pngtest::Chunk("IDAT", z), pngtest::Chunk("IEND", {})}, ""},
        {{pngtest::Chunk("CHNK", {}), pngtest::Chunk("IDAT", z), pngtest::Chunk("IEND", {})},
         "Cannot load PNG image. Unexpected but critical chunk detected."},
        {{pngtest::Chunk("IDAT", z, true), pngtest::Chunk("IEND", {})},
         "Cannot load image. CRC error found in PNG file."},
        {{pngtest::Chunk("PLTE", Bytes(10, 1)), pngtest::Chunk("IDAT", z), pngtest::Chunk("IEND", {})},
         "Cannot load image. Palette in PNG file is invalid."},
        {{pngtest::Chunk("PLTE", Bytes(3 * 257, 1)), pngtest::Chunk("IDAT", z), pngtest::Chunk("IEND", {})},
         "Cannot load image. Palette in PNG file is invalid."},
        {{pngtest::Chunk("IEND", {})}, "Cannot load image. Invalid or unexpected PNG image format."},
        {{pngtest::Chunk("IDAT", z)}, "Cannot load image. Invalid or unexpected PNG image format."},
        {{pngtest::Chunk("IDAT", Bytes{0x78, 0x9C, 0xFF, 0xFF, 0xFF}), pngtest::Chunk("IEND", {})},
         "Cannot load image. Compression error found in PNG file."},
    };
    for (const auto& c : bad) EXPECT_EQ(LoadError(assemble(c.chunks)), c.message);

    // Data after the end of the compressed stream.
    Bytes extra = z;
    extra.push_back(0);
    extra.push_back(0);
    EXPECT_EQ(LoadError(assemble({pngtest::Chunk("IDAT", extra), pngtest::Chunk("IEND", {})})),
              "Cannot load image. Extra compressed data found in PNG file.");

    // A chunk whose length runs past the end of the file.
    Bytes lying = assemble({pngtest::Chunk("IDAT", z), pngtest::Chunk("IEND", {})});
    lying[33] = 0x7F;
    EXPECT_EQ(LoadError(lying), "Cannot load image. Invalid or unexpected PNG image format.");
}

TEST(skPNG, HeaderErrors) {
    auto withHeader = [](int w, int h, int depth, int type, int compression, int interlace) {
        Bytes out = pngtest::Signature();
        Bytes d;
        pngtest::PutU32(d, uint32_t(w));
        pngtest::PutU32(d, uint32_t(h));
        for (int v : {depth, type, compression, 0, interlace}) d.push_back(uint8_t(v));
        for (const Bytes& c : {pngtest::Chunk("IHDR", d), pngtest::Chunk("IEND", {})}) out.insert(out.end(), c.begin(), c.end());
        return out;
    };
    const char* invalid = "Cannot load image. Invalid or unexpected PNG image format.";
    const struct {
        Bytes png;
        const char* message;
    } cases[] = {
        {{}, invalid},
        {pngtest::Signature(), invalid},
        {withHeader(0, 5, 8, 2, 0, 0), invalid},
        {withHeader(5, 0, 8, 2, 0, 0), invalid},
        {withHeader(40000, 1, 8, 2, 0, 0), invalid},
        {withHeader(30000, 30000, 8, 2, 0, 0), invalid},
        {withHeader(-1, -1, 8, 2, 0, 0), invalid},
        {withHeader(5, 5, 8, 2, 0, 2), invalid},
        {withHeader(5, 5, 16, 3, 0, 0), "Invalid color format in PNG file."},
        {withHeader(5, 5, 4, 2, 0, 0), "Invalid color format in PNG file."},
        {withHeader(5, 5, 8, 5, 0, 0), "Invalid color format in PNG file."},
        {withHeader(5, 5, 8, 2, 1, 0), "Cannot load image. The compression scheme is not supported for PNG files."},
    };
    for (const auto& c : cases) EXPECT_EQ(LoadError(c.png), c.message);
    Bytes notPng = pngtest::Write(Rgb(2, 2));
    notPng[1] = 'Q';
    EXPECT_EQ(LoadError(notPng), invalid);
}

TEST(skPNG, TruncatedStreamKeepsBackground) {
    pngtest::Image img = Rgb(8, 8);
    img.Filter = 0;
    Bytes raw = pngtest::ScanLines(img);
    Bytes half(raw.begin(), raw.begin() + long(raw.size() / 2));  // four complete rows
    Bytes bkgd;
    for (int v : {0, 10, 0, 20, 0, 30}) bkgd.push_back(uint8_t(v));
    for (bool withBackground : {false, true}) {
        Bytes out = pngtest::Signature();
        std::vector<Bytes> chunks = {pngtest::Header(img)};
        if (withBackground) chunks.push_back(pngtest::Chunk("bKGD", bkgd));
        chunks.push_back(pngtest::Chunk("IDAT", pngtest::Deflate(half)));
        chunks.push_back(pngtest::Chunk("IEND", {}));
        for (const Bytes& c : chunks) out.insert(out.end(), c.begin(), c.end());
        TBitmap32 bmp = Load(out);
        EXPECT_EQ(GetPixel32(bmp.View(), 7, 3), Expected(img, 7, 3));
        EXPECT_EQ(GetPixel32(bmp.View(), 0, 4), withBackground ? Px(30, 20, 10, 255) : Px(255, 255, 255, 255));
    }
}

TEST(skPNG, TinyFileClaimingAHugeImageIsRefusedBeforeAllocating) {
    // 16384 x 16384 RGB from one deflated zero byte: under 70 bytes.
    pngtest::Image huge;
    huge.Width = huge.Height = 16384;
    huge.ColorType = 2;
    for (int interlace : {0, 1}) {
        huge.Interlace = interlace;
        Bytes tiny = pngtest::Claiming(huge);
        ASSERT_LE(tiny.size(), 70u);
        std::string message;
        {
            test::AllocationMeter meter;
            message = LoadError(tiny);
            EXPECT_LT(meter.Bytes(), 4u << 20) << "interlace " << interlace;
        }
        EXPECT_NE(message.find("cannot fill a 16384 x 16384 image"), std::string::npos) << message;
        EXPECT_NE(message.find("1032:1"), std::string::npos) << message;
    }
    // The best that deflate does on real pictures still loads: a uniform
    // picture compressed at the highest level.
    pngtest::Image flat;
    flat.Width = flat.Height = 1024;
    flat.Sample = [](int, int, int) { return 0u; };
    flat.Filter = 0;
    Bytes tight = pngtest::Signature();
    for (const Bytes& c : {pngtest::Header(flat), pngtest::Chunk("IDAT", pngtest::Deflate(pngtest::ScanLines(flat), 9)),
                           pngtest::Chunk("IEND", {})})
        tight.insert(tight.end(), c.begin(), c.end());
    EXPECT_EQ(LoadError(tight), "") << tight.size() << " bytes";
}

TEST(skPNG, Transparency) {
    // Indexed with three alphas: the rest opaque, read at the image's depth.
    for (int depth : {8, 4, 2}) {
        pngtest::Image img;
        img.Width = 6;
        img.Height = 1;
        img.ColorType = 3;
        img.BitDepth = depth;
        img.Sample = [](int x, int, int) { return uint32_t(x % 4); };
        pngtest::Extras extras;
        extras.Before = {PaletteChunk(4), pngtest::Chunk("tRNS", {0, 100, 200})};
        TBitmap32 bmp = Load(pngtest::Write(img, extras));
        const int alphas[] = {0, 100, 200, 255, 0, 100};
        for (int x = 0; x < 6; ++x) EXPECT_EQ(GetPixel32(bmp.View(), x, 0) >> 24, uint32_t(alphas[x])) << depth;
        EXPECT_EQ(GetPixel32(bmp.View(), 3, 0) & 0xFFFFFF, Expected(img, 3, 0) & 0xFFFFFF);
    }
    // Transparent colours of grey and RGB images are recorded.
    pngtest::Image grey;
    grey.ColorType = 0;
    pngtest::Extras t;
    t.Before = {pngtest::Chunk("tRNS", {0, 77})};
    TPNGGraphic g;
    Load(pngtest::Write(grey, t), &g);
    EXPECT_TRUE(g.Transparent);
    EXPECT_EQ(g.TransparentColor, 0x4D4D4D);
    // An index beyond the palette gives black, not a read past it.
    pngtest::Image idx;
    idx.ColorType = 3;
    idx.Sample = [](int, int, int) { return 200u; };
    pngtest::Extras small;
    small.Before = {PaletteChunk(2)};
    EXPECT_EQ(GetPixel32(Load(pngtest::Write(idx, small)).View(), 0, 0), Px(0, 0, 0, 255));
}

TEST(skPNG, GammaAndShadowEncoding) {
    // Grey, and grey with alpha whose alpha samples are dropped (the image is
    // drawn from its grey alone): without gAMA opaque grey; with a neutral gAMA
    // black with alpha 255 - grey, whatever the alpha samples said.
    const struct {
        int type, depth;
    } greys[] = {{0, 8}, {4, 8}, {4, 16}};
    for (const auto& f : greys) {
        SCOPED_TRACE(testing::Message() << "type " << f.type << " depth " << f.depth);
        pngtest::Image grey;
        grey.Width = 4;
        grey.ColorType = f.type;
        grey.BitDepth = f.depth;
        grey.Sample = [&](int x, int, int c) {
            const uint32_t v = c == 1 ? uint32_t(40 + x * 50) : uint32_t(x * 80);  // alpha differs from grey
            return f.depth == 16 ? v * 257 : v;
        };
        TBitmap32 plain = Load(pngtest::Write(grey));
        pngtest::Extras gamma;
        gamma.Before = {pngtest::Gamma(45455)};
        TPNGGraphic g;
        TBitmap32 shadow = Load(pngtest::Write(grey, gamma), &g);
        EXPECT_TRUE(g.HasGamma);
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(GetPixel32(plain.View(), x, 0), Px(x * 80, x * 80, x * 80, 255)) << x;
            EXPECT_EQ(GetPixel32(shadow.View(), x, 0), Px(0, 0, 0, 255 - x * 80)) << x;
        }
    }
    // RGB goes through the gamma table; alpha never does.
    pngtest::Image rgba = Rgb(1, 1);
    rgba.ColorType = 6;
    rgba.Sample = [](int, int, int c) { return c == 3 ? 128u : 64u; };
    pngtest::Extras g1;
    g1.Before = {pngtest::Gamma(100000)};
    const int expected = int(std::lround(std::pow(64 / 255.0, 1 / 2.2) * 255));
    EXPECT_EQ(GetPixel32(Load(pngtest::Write(rgba, g1)).View(), 0, 0), Px(expected, expected, expected, 128));
    pngtest::Extras zero;
    zero.Before = {pngtest::Gamma(0)};
    EXPECT_EQ(GetPixel32(Load(pngtest::Write(rgba, zero)).View(), 0, 0), Px(64, 64, 64, 128));
}

TEST(skPNG, LoadPngToBitmap) {
    Bytes png = pngtest::Write(Rgb(3, 2));
    TBitmap32 bmp;
    EXPECT_TRUE(LoadPngToBitmap(bmp, png.data(), png.size()));
    EXPECT_EQ(bmp.Width(), 3);
    png.resize(png.size() - 20);
    EXPECT_FALSE(LoadPngToBitmap(bmp, png.data(), png.size()));
    EXPECT_EQ(bmp.Width(), 0);
}

}  // namespace
}  // namespace ad::skin
