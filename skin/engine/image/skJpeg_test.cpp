// Tests of the JPEG reader over files made by libjpeg's compressor: colour,
// grey and CMYK pictures against their samples, limits, and damaged input.
#include "skin/engine/image/skJpeg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>

#include "skin/engine/testkit/JpegTestWriter.h"
#include "testsupport/AllocationMeter.h"

namespace ad::skin {
namespace {

using jpegtest::Bytes;

// The picture's colour of pixel (x, y) as blue, green, red.
void ExpectedBgr(const jpegtest::Image& img, int x, int y, int bgr[3]) {
    const uint8_t* s = img.Samples.data() + (size_t(y) * size_t(img.Width) + size_t(x)) * size_t(img.Components);
    if (img.Components == 1) {
        bgr[0] = bgr[1] = bgr[2] = s[0];
    } else if (img.Components == 3) {
        bgr[0] = s[2], bgr[1] = s[1], bgr[2] = s[0];
    } else {  // inverted inks: the stored value is what is left of white
        bgr[0] = s[2] * s[3] / 255, bgr[1] = s[1] * s[3] / 255, bgr[2] = s[0] * s[3] / 255;
    }
}

// Compares a decoded bitmap with its source: largest and mean channel error.
void ExpectClose(const TBitmap32& bmp, const jpegtest::Image& img, int maxError, double meanError,
                 const std::string& what) {
    ASSERT_EQ(bmp.Width(), img.Width) << what;
    ASSERT_EQ(bmp.Height(), img.Height) << what;
    int worst = 0;
    double sum = 0;
    for (int y = 0; y < img.Height; ++y) {
        for (int x = 0; x < img.Width; ++x) {
            const uint8_t* p = bmp.Data() + (size_t(y) * size_t(img.Width) + size_t(x)) * 4;
            int want[3];
            ExpectedBgr(img, x, y, want);
            for (int c = 0; c < 3; ++c) {
                int d = std::abs(int(p[c]) - want[c]);
                worst = std::max(worst, d);
                sum += d;
            }
            ASSERT_EQ(p[3], 255) << what << " at " << x << "," << y;
            if (img.Components == 1) {
                ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << what;
            }
        }
    }
    EXPECT_LE(worst, maxError) << what;
    EXPECT_LE(sum / (3.0 * img.Width * img.Height), meanError) << what;
}

std::string DecodeError(const Bytes& data, const TJpegLimits& limits = {}) {
    TBitmap32 bmp(3, 3);  // replaced even when decoding fails
    try {
        DecodeJpegToBitmap(bmp, data.data(), data.size(), limits);
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(bmp.Width(), 0);
        EXPECT_EQ(bmp.Height(), 0);
        return e.Message;
    }
    return "";
}

TEST(skJpeg, ColourGreyAndCmykMatchTheirSamples) {
    const std::pair<int, int> sizes[] = {{1, 1}, {16, 16}, {17, 9}, {33, 65}, {200, 3}, {64, 48}};
    for (int components : {3, 1, 4}) {
        for (auto [w, h] : sizes) {
            for (bool progressive : {false, true}) {
                jpegtest::Image img = jpegtest::Smooth(w, h, components);
                img.Progressive = progressive;
                // Pictures a few pixels high change too fast for 4:2:0 chroma.
                img.FullChroma = components == 3 && std::min(w, h) < 16;
                Bytes jpeg = jpegtest::Encode(img);
                std::string what = std::to_string(components) + " components " + std::to_string(w) + "x" +
                                   std::to_string(h) + (progressive ? " progressive" : "");
                TBitmap32 bmp;
                ASSERT_NO_THROW(DecodeJpegToBitmap(bmp, jpeg.data(), jpeg.size())) << what;
                ExpectClose(bmp, img, 12, 2.5, what);
            }
        }
    }
}

TEST(skJpeg, SharpColoursStayApart) {
    // Blocks of pure colours at full chroma: a swapped channel would show at once.
    jpegtest::Image img;
    img.Width = 32;
    img.Height = 8;
    img.FullChroma = true;
    const uint8_t colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 32; ++x)
            for (int c = 0; c < 3; ++c) img.Samples.push_back(colours[x / 8][c]);
    Bytes jpeg = jpegtest::Encode(img);
    TBitmap32 bmp;
    DecodeJpegToBitmap(bmp, jpeg.data(), jpeg.size());
    ExpectClose(bmp, img, 8, 2, "colour blocks");
    EXPECT_TRUE(LoadJpegToBitmap(bmp, jpeg.data(), jpeg.size()));
}

TEST(skJpeg, TruncatedDataIsAnError) {
    for (bool progressive : {false, true}) {
        jpegtest::Image img = jpegtest::Smooth(64, 48, 3);
        img.Progressive = progressive;
        Bytes jpeg = jpegtest::Encode(img);
        // Inside the header, inside the image data, just before the end marker.
        for (size_t keep : {size_t(2), size_t(20), jpeg.size() / 2, jpeg.size() - 2}) {
            Bytes cut(jpeg.begin(), jpeg.begin() + ptrdiff_t(keep));
            std::string message = DecodeError(cut);
            EXPECT_NE(message.find("Premature end of JPEG file"), std::string::npos)
                << keep << " of " << jpeg.size() << ": " << message;
            TBitmap32 bmp(2, 2);
            EXPECT_FALSE(LoadJpegToBitmap(bmp, cut.data(), cut.size()));
            EXPECT_EQ(bmp.Width(), 0);
        }
    }
}

TEST(skJpeg, GarbageIsAnError) {
    std::mt19937 rng(7);
    Bytes noise(4000);
    for (auto& b : noise) b = uint8_t(rng());
    Bytes soiThenNoise = noise;
    soiThenNoise[0] = 0xFF, soiThenNoise[1] = 0xD8, soiThenNoise[2] = 0xFF;
    const Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13};
    for (const Bytes& data : {Bytes{}, Bytes{0xFF}, Bytes{0xFF, 0xD8}, Bytes{0xFF, 0xD8, 0xFF, 0xD9}, noise,
                              soiThenNoise, png}) {
        EXPECT_NE(DecodeError(data), "") << data.size() << " bytes";
    }
    EXPECT_NE(DecodeError(png).find("Not a JPEG file"), std::string::npos) << DecodeError(png);
    TBitmap32 bmp;
    EXPECT_THROW(DecodeJpegToBitmap(bmp, nullptr, 0), EInvalidGraphic);
}

TEST(skJpeg, DamagedImageDataStillDecodes) {
    // Flipped bits in the entropy-coded data give a damaged picture and
    // libjpeg's warnings, not a failure (as viewers show such files).
    jpegtest::Image img = jpegtest::Smooth(64, 64, 3);
    Bytes jpeg = jpegtest::Encode(img);
    for (size_t i = jpeg.size() - 200; i < jpeg.size() - 150; i += 7) jpeg[i] ^= 0x55;
    TBitmap32 bmp;
    ASSERT_NO_THROW(DecodeJpegToBitmap(bmp, jpeg.data(), jpeg.size()));
    EXPECT_EQ(bmp.Width(), 64);
}

TEST(skJpeg, TinyFileClaimingAHugeImageIsRefusedBeforeAllocating) {
    for (bool progressive : {false, true}) {
        jpegtest::Image img = jpegtest::Smooth(8, 8, 1);
        img.Progressive = progressive;
        Bytes tiny = jpegtest::Claiming(jpegtest::Encode(img), 16384, 16384);
        std::string message;
        {
            test::AllocationMeter meter;
            message = DecodeError(tiny);
            EXPECT_LT(meter.Bytes(), 4u << 20) << tiny.size() << " bytes";
        }
        EXPECT_NE(message.find("cannot fill a 16384 x 16384 image: it needs at least"), std::string::npos)
            << message;
    }
    // A uniform picture, the best case of the entropy coder, still decodes.
    jpegtest::Image flat = jpegtest::Smooth(512, 512, 3);
    std::fill(flat.Samples.begin(), flat.Samples.end(), uint8_t(90));
    flat.Quality = 50;
    for (bool progressive : {false, true}) {
        flat.Progressive = progressive;
        EXPECT_EQ(DecodeError(jpegtest::Encode(flat)), "") << progressive;
    }
}

TEST(skJpeg, LimitsRefuseLargeImagesAndManyScans) {
    Bytes wide = jpegtest::Encode(jpegtest::Smooth(100, 10, 1));
    TJpegLimits limits;
    limits.MaxSide = 99;
    EXPECT_NE(DecodeError(wide, limits).find("too large (100 x 10)"), std::string::npos);
    limits = {};
    limits.MaxPixels = 999;
    EXPECT_NE(DecodeError(wide, limits).find("too large"), std::string::npos);
    limits.MaxPixels = 1000;
    EXPECT_EQ(DecodeError(wide, limits), "");

    jpegtest::Image img = jpegtest::Smooth(16, 16, 3);
    img.Progressive = true;  // libjpeg's simple progression: ten scans for colour
    Bytes progressive = jpegtest::Encode(img);
    limits = {};
    limits.MaxScans = 3;
    EXPECT_NE(DecodeError(progressive, limits).find("More than 3 scans"), std::string::npos);
    limits.MaxScans = 10;
    EXPECT_EQ(DecodeError(progressive, limits), "");
}

}  // namespace
}  // namespace ad::skin
