// Tests of the sample converter: a table of rows through every converter
// family (masks, orders, depths, gamma and alpha handling, CMYK, L*a*b*,
// YCbCr and PhotoYCC reference values, indexed packing), the choice's errors
// and the checked entry for rows from outside.
#include "skin/engine/image/skColorManager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace ad::skin {
namespace {

using Bytes = std::vector<uint8_t>;
using S = TColorScheme;

// 16-bit samples in the host's byte order.
Bytes Words(std::initializer_list<int> values) {
    Bytes out;
    for (int v : values) {
        const uint16_t w = uint16_t(v);
        uint8_t b[2];
        std::memcpy(b, &w, 2);
        out.insert(out.end(), b, b + 2);
    }
    return out;
}

struct RowCase {
    const char* Name;
    S Source, Target;
    int SourceBits, TargetBits;
    TSourceOptions SourceOptions;
    bool ApplyGamma;
    Bytes Input;
    uint32_t Count;
    uint8_t Mask;
    Bytes TargetBefore;
    Bytes Expected;
};

std::vector<RowCase> RowCases() {
    const TSourceOptions none{}, swap{.ByteSwap = true}, lrange{.LRange = true};
    return {
        {"Mask128Count8ConvertsOnlyTheFirstPixel", S::RGB, S::BGR, 8, 8, none, false, {1, 2, 3, 4, 5, 6}, 8, 0x80,
         Bytes(24, 0xEE), [] { Bytes b(24, 0xEE); b[0] = 3, b[1] = 2, b[2] = 1; return b; }()},
        {"Mask128Count9TakesTheSecondSourcePixelForTheNinth", S::RGB, S::BGR, 8, 8, none, false, {1, 2, 3, 4, 5, 6}, 9, 0x80,
         Bytes(27, 0xEE),
         [] { Bytes b(27, 0xEE); b[0] = 3, b[1] = 2, b[2] = 1, b[24] = 6, b[25] = 5, b[26] = 4; return b; }()},
        {"BgrToBgrCopiesUnchanged", S::BGR, S::BGR, 8, 8, none, false, {10, 20, 30}, 1, 0xFF, Bytes(3), {10, 20, 30}},
        {"BgrToRgbReverses", S::BGR, S::RGB, 8, 8, none, false, {10, 20, 30}, 1, 0xFF, Bytes(3), {30, 20, 10}},
        {"RgbaToRgbaSixteenBitTargetsKeepTheOrder", S::RGBA, S::RGBA, 8, 16, none, false, {1, 2, 3, 4}, 1, 0xFF, Bytes(8),
         Words({257, 514, 771, 1028})},
        {"BgrToRgbAtSixteenBitsWritesTheThirdSampleFirst", S::BGR, S::RGB, 16, 16, none, false,
         Words({100, 200, 300}), 1, 0xFF, Bytes(6), Words({300, 200, 100})},
        {"SixteenToSixteenSwapsWithByteSwap", S::RGB, S::RGB, 16, 16, swap, false, Words({0x0102, 0x0304, 0x0506}), 1,
         0xFF, Bytes(6), Words({0x0201, 0x0403, 0x0605})},
        {"SixteenToEightSwapsThenReduces", S::RGB, S::BGR, 16, 8, swap, false, Words({0xFFFF, 0x0080, 0x0000}), 1, 0xFF,
         Bytes(3), {0, 127, 255}},
        {"SourceAlphaWithoutTargetAlphaIsSteppedOver", S::RGBA, S::BGR, 8, 8, none, false, {1, 2, 3, 9, 4, 5, 6, 9}, 2,
         0xFF, Bytes(6), {3, 2, 1, 6, 5, 4}},
        {"TargetAlphaWithoutSourceAlphaIsLeft", S::RGB, S::BGRA, 8, 8, none, false, {1, 2, 3}, 1, 0xFF,
         {0, 0, 0, 77}, {3, 2, 1, 77}},
        {"FourBitRgbLeavesTheTargetAsItWas", S::RGB, S::RGB, 4, 8, none, false, {0x12, 0x34}, 1, 0xFF, {7, 8, 9}, {7, 8, 9}},
        {"CmykNothingIsWhite", S::CMYK, S::RGB, 8, 8, none, false, {0, 0, 0, 0}, 1, 0xFF, Bytes(3), {255, 255, 255}},
        {"CmykFullBlackIsBlack", S::CMYK, S::RGB, 8, 8, none, false, {0, 0, 0, 255}, 1, 0xFF, Bytes(3), {0, 0, 0}},
        {"CmykHalfCyanHalfBlack", S::CMYK, S::RGB, 8, 8, none, false, {128, 0, 0, 128}, 1, 0xFF, Bytes(3), {63, 127, 127}},
        {"CmykToBgrWritesBlueFirst", S::CMYK, S::BGR, 8, 8, none, false, {128, 0, 0, 128}, 1, 0xFF, Bytes(3), {127, 127, 63}},
        {"CmykSixteenToSixteenNothingIsWhite", S::CMYK, S::RGB, 16, 16, none, false, Words({0, 0, 0, 0}), 1, 0xFF,
         Bytes(6), Words({65535, 65535, 65535})},
        {"CmykSixteenToEightFullBlack", S::CMYK, S::RGB, 16, 8, none, false, Words({0, 0, 0, 65535}), 1, 0xFF, Bytes(3),
         {0, 0, 0}},
        {"CmykEightToSixteenWidens", S::CMYK, S::RGB, 8, 16, none, false, {0, 0, 0, 0}, 1, 0xFF, Bytes(6),
         Words({65535, 65535, 65535})},
        {"LabWhite", S::CIELab, S::RGB, 8, 8, none, false, {100, 0, 0}, 1, 0xFF, Bytes(3), {255, 255, 255}},
        {"LabWithLRangeFullSampleIsWhite", S::CIELab, S::RGB, 8, 8, lrange, false, {255, 0, 0}, 1, 0xFF, Bytes(3),
         {255, 255, 255}},
        {"LabHalfLightnessIsLinearGrey", S::CIELab, S::RGB, 8, 8, none, false, {50, 0, 0}, 1, 0xFF, Bytes(3), {47, 47, 47}},
        {"LabBlack", S::CIELab, S::BGR, 8, 8, none, false, {0, 0, 0}, 1, 0xFF, Bytes(3), {0, 0, 0}},
        {"LabSixteenBitTargetsWidenTheEightBitResult", S::CIELab, S::RGB, 8, 16, none, false, {50, 0, 0}, 1, 0xFF,
         Bytes(6), Words({47 * 257, 47 * 257, 47 * 257})},
        {"YCbCrNeutralStaysGrey", S::YCbCr, S::RGB, 8, 8, none, false, {128, 128, 128}, 1, 0xFF, Bytes(3), {128, 128, 128}},
        {"YCbCrFullLumaIsWhite", S::YCbCr, S::RGB, 8, 8, none, false, {255, 128, 128}, 1, 0xFF, Bytes(3), {255, 255, 255}},
        {"YCbCrPureRedChroma", S::YCbCr, S::RGB, 8, 8, none, false, {76, 85, 255}, 1, 0xFF, Bytes(3), {254, 0, 0}},
        {"PhotoYccNeutralChromaGivesLuma", S::PhotoYCC, S::RGB, 8, 8, none, false, {90, 156, 137}, 1, 0xFF, Bytes(3),
         {90, 90, 90}},
        {"YccToRgbaLeavesAlphaAndWritesColoursTogether", S::YCbCr, S::RGBA, 8, 8, none, false, {255, 128, 128, 0, 128, 128},
         2, 0xFF, {1, 1, 1, 41, 1, 1, 1, 42}, {255, 255, 255, 41, 0, 0, 0, 42}},
        {"PhotoYccSixteenToSixteenNeutral", S::PhotoYCC, S::RGB, 16, 16, none, false, Words({10000, 40092, 35209}), 1,
         0xFF, Bytes(6), Words({13584, 13584, 13584})},
        {"IndexedOneBitToSixteenIsZeroOrFull", S::Indexed, S::Indexed, 1, 16, none, false, {0xA0}, 4, 0xFF, Bytes(8),
         Words({65535, 0, 65535, 0})},
        {"IndexedSixteenToFourBitsPacksFromTheTop", S::Indexed, S::Indexed, 16, 4, none, false,
         Words({65535, 0x1111 * 5}), 2, 0xFF, {0x00}, {0xF5}},
        {"IndexedSixteenToFourBitsKeepsUnmaskedNibbles", S::Indexed, S::Indexed, 16, 4, none, false, Words({65535}), 2,
         0x40, {0xAB}, {0xAF}},
        {"IndexedSixteenBlockCopy", S::Indexed, S::Indexed, 16, 16, none, false, Words({1, 2, 3}), 3, 0xFF, Bytes(6),
         Words({1, 2, 3})},
        {"IndexedSixteenSwapped", S::Indexed, S::Grey, 16, 16, swap, false, Words({0x0102}), 1, 0xFF, Bytes(2),
         Words({0x0201})},
        {"IndexedTwoBitsToSixteenUnpacksOnlyConvertedPixels", S::Indexed, S::Indexed, 2, 16, none, false, {0xE4}, 3, 0xA0,
         Bytes(6, 0x55), [] { Bytes b = Words({65535, 0, 0}); b[2] = b[3] = 0x55; b[4] = 0xAA, b[5] = 0xAA; return b; }()},
        {"GreyWithAlphaStepsOverTheAlpha", S::GreyAlpha, S::Grey, 8, 8, none, false, {10, 99, 20, 99}, 2, 0xFF, Bytes(2),
         {10, 20}},
        {"GreyTwoBitsToFourBitsRescales", S::Grey, S::Grey, 2, 4, none, false, {0x1B}, 4, 0xFF, Bytes(2), {0x05, 0xAF}},
    };
}

class ColorManagerRows : public testing::TestWithParam<RowCase> {};

TEST_P(ColorManagerRows, ConvertsAsSpecified) {
    const RowCase& c = GetParam();
    TColorManager m;
    m.SetSourceScheme(c.Source);
    m.SetTargetScheme(c.Target);
    m.SetSourceBitsPerSample(c.SourceBits);
    m.SetTargetBitsPerSample(c.TargetBits);
    m.SetSourceOptions(c.SourceOptions);
    m.SetTargetOptions({.ApplyGamma = c.ApplyGamma});
    Bytes target = c.TargetBefore;
    const uint8_t* src[] = {c.Input.data()};
    m.ConvertRow(src, target.data(), c.Count, c.Mask);
    EXPECT_EQ(target, c.Expected);
    // The checked entry agrees whenever the buffers are large enough.
    Bytes checked = c.TargetBefore;
    const std::span<const uint8_t> planes[] = {c.Input};
    if (m.ConvertRowChecked(planes, checked, c.Count, c.Mask)) {
        EXPECT_EQ(checked, c.Expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ColorManagerRows, testing::ValuesIn(RowCases()),
                         [](const testing::TestParamInfo<RowCase>& info) { return std::string(info.param.Name); });

TEST(ColorManager, GammaGoesOverColoursButNeverOverAlpha) {
    TColorManager m;
    m.SetSourceScheme(S::BGRA);
    m.SetTargetScheme(S::BGRA);
    m.SetGamma(2.2, 1);
    m.SetTargetOptions({.ApplyGamma = true});
    const Bytes in{64, 64, 64, 64};
    Bytes out(4);
    const uint8_t* src[] = {in.data()};
    m.ConvertRow(src, out.data(), 1, 0xFF);
    EXPECT_EQ(out[0], m.GammaTable(64));
    EXPECT_GT(out[0], 64);  // 1 / 2.2 lifts the darks
    EXPECT_EQ(out[3], 64);
}

TEST(ColorManager, PlanarInputTakesOneSamplePerPlane) {
    TColorManager m;
    m.SetSourceScheme(S::RGBA);
    m.SetTargetScheme(S::BGRA);
    const Bytes r{1, 2}, g{3, 4}, b{5, 6}, a{7, 8};
    const uint8_t* src[] = {r.data(), g.data(), b.data(), a.data()};
    Bytes out(8);
    m.ConvertRow(src, out.data(), 2, 0xFF);
    EXPECT_EQ(out, (Bytes{5, 3, 1, 7, 6, 4, 2, 8}));
}

TEST(ColorManager, GreyWithAlphaInPlanesReadsTheGreyPlaneOnly) {
    TColorManager m;
    m.SetSourceScheme(S::GreyAlpha);
    m.SetTargetScheme(S::Indexed);
    m.SetSourceBitsPerSample(16);
    m.SetTargetBitsPerSample(16);
    const Bytes grey = Words({1, 2, 3, 4}), alpha = Words({9, 9, 9, 9});
    const std::span<const uint8_t> planes[] = {grey, alpha};
    Bytes out(8);
    ASSERT_TRUE(m.ConvertRowChecked(planes, out, 4, 0xFF));  // found by fuzzing: read past the grey plane
    EXPECT_EQ(out, Words({1, 2, 3, 4}));
}

TEST(ColorManager, CmykReadsPlanesOnlyWithExactlyFour) {
    TColorManager m;
    m.SetSourceScheme(S::CMYK);
    m.SetTargetScheme(S::RGB);
    const Bytes interleaved{0, 0, 0, 255, 0, 0, 0, 0};
    const Bytes other{9, 9};
    const uint8_t* three[] = {interleaved.data(), other.data(), other.data()};
    Bytes out(6);
    m.ConvertRow(three, out.data(), 2, 0xFF);  // three pointers: interleaved at the first
    EXPECT_EQ(out, (Bytes{0, 0, 0, 255, 255, 255}));
}

TEST(ColorManager, TheChoiceRefusesPairsWithoutAConverter) {
    struct Case {
        S Source, Target;
        const char* Message;
    } cases[] = {
        {S::CMY, S::RGB, "Color conversion failed. Could not find a proper method."},
        {S::RGB, S::Grey, "Conversion between indexed and non-indexed pixel formats is not supported."},
        {S::YCbCr, S::Indexed, "Conversion between indexed and non-indexed pixel formats is not supported."},
        {S::Grey, S::RGB, "Conversion between indexed and non-indexed pixel formats is not supported."},
        {S::RGB, S::CMYK, "Color conversion failed. Could not find a proper method."},
        {S::None, S::RGB, "Color conversion failed. Could not find a proper method."},
    };
    for (const Case& c : cases) {
        TColorManager m;
        m.SetSourceScheme(c.Source);
        m.SetTargetScheme(c.Target);
        const Bytes in(8);
        Bytes out(8, 3);
        const uint8_t* src[] = {in.data()};
        try {
            m.ConvertRow(src, out.data(), 1, 0xFF);
            ADD_FAILURE() << int(c.Source) << " -> " << int(c.Target) << " converted";
        } catch (const EColorConversionError& e) {
            EXPECT_EQ(std::string(e.what()), c.Message);
        }
        EXPECT_EQ(out, Bytes(8, 3));
    }
    TColorManager m;
    EXPECT_THROW(m.SetSourceBitsPerSample(3), EColorConversionError);
    EXPECT_THROW(m.SetTargetBitsPerSample(32), EColorConversionError);
}

TEST(ColorManager, CheckedRowsRefuseShortBuffersAndOddPlaneCounts) {
    TColorManager m;
    m.SetSourceScheme(S::RGB);
    m.SetTargetScheme(S::BGR);
    const Bytes in(5), full(6);
    Bytes out(6, 1), shortOut(5, 1);
    const std::span<const uint8_t> shortPlane[] = {in};
    EXPECT_FALSE(m.ConvertRowChecked(shortPlane, out, 2, 0xFF));
    EXPECT_EQ(out, Bytes(6, 1));
    // Half the pixels masked: five bytes are not enough for two pixels but plenty for one.
    EXPECT_TRUE(m.ConvertRowChecked(shortPlane, out, 2, 0x80));
    const std::span<const uint8_t> fullPlane[] = {full};
    EXPECT_FALSE(m.ConvertRowChecked(fullPlane, shortOut, 2, 0xFF));
    const std::span<const uint8_t> twoPlanes[] = {full, full};
    EXPECT_FALSE(m.ConvertRowChecked(twoPlanes, out, 2, 0xFF));
    EXPECT_EQ(m.SourceRowBytes(9, 0x80, 1), 6u);
    EXPECT_EQ(m.TargetRowBytes(9), 27u);
}

}  // namespace
}  // namespace ad::skin
