// The PNG reader's sample converter: one row of pixels at a time from a
// source colour scheme and depth into a target one (indexed, grey, RGB, BGR
// with or without alpha, CMYK, CIE L*a*b*, YCbCr and PhotoYCC sources), with
// gamma, byte swapping and an interlace pixel mask. The converter is chosen
// once per change of settings; the per-sample transform once per row.
// Portable.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/Exception.h"

namespace ad::skin {

AD_DECLARE_EXCEPTION(EColorConversionError, Exception);

// Colour schemes, in this order; samples stand in the order of the name
// (PhotoYCC: luma, then C1, then C2), an alpha sample last.
enum class TColorScheme : uint8_t {
    None, Indexed, Grey, GreyAlpha, RGB, RGBA, BGR, BGRA, CMY, CMYK, CIELab, YCbCr, PhotoYCC,
};

// Samples of one pixel of the scheme (0 for None).
int SamplesOfScheme(TColorScheme scheme);
bool SchemeHasAlpha(TColorScheme scheme);

struct TSourceOptions {
    bool Alpha = false;         // set from the scheme by the choice
    bool ByteSwap = false;      // 16-bit samples are stored in the other byte order
    bool LRange = false;        // an 8-bit L* runs 0..255 for 0..100
    bool ChromaOffset = false;  // a* and b* are unsigned with 128 for zero
};
struct TTargetOptions {
    bool Alpha = false;       // set from the scheme by the choice
    bool ApplyGamma = false;  // colour samples go through the gamma table
};

class TColorManager {
public:
    TColorManager();

    // ---- Settings (any change makes the next row choose its converter again) ----
    int SourceBitsPerSample() const { return sourceBits_; }
    void SetSourceBitsPerSample(int bits);  // 1, 2, 4, 8 or 16, else EColorConversionError
    int TargetBitsPerSample() const { return targetBits_; }
    void SetTargetBitsPerSample(int bits);
    TColorScheme SourceScheme() const { return sourceScheme_; }
    void SetSourceScheme(TColorScheme scheme);
    TColorScheme TargetScheme() const { return targetScheme_; }
    void SetTargetScheme(TColorScheme scheme);
    const TSourceOptions& SourceOptions() const { return sourceOptions_; }
    void SetSourceOptions(const TSourceOptions& options);
    const TTargetOptions& TargetOptions() const { return targetOptions_; }
    void SetTargetOptions(const TTargetOptions& options);
    // Gamma of the file and of the display; the table is rebuilt at once.
    void SetGamma(double displayGamma, double fileGamma);
    double DisplayGamma() const { return displayGamma_; }
    double FileGamma() const { return fileGamma_; }
    uint8_t GammaTable(uint8_t i) const { return gamma_[i]; }

    // Luma coefficients of YCbCr and PhotoYCC (fixed).
    static constexpr float Kr = 0.299f, Kg = 0.587f, Kb = 0.114f;

    // ---- Rows ----
    // Bytes one plane must hold for a row (planes: 1 interleaved, else one
    // plane per sample) and bytes the target row covers.
    size_t SourceRowBytes(uint32_t count, uint8_t mask, size_t planes) const;
    size_t TargetRowBytes(uint32_t count) const;

    // Converts count target pixels. One source pointer is interleaved input;
    // more are planes, one per sample (CMYK: planes only with exactly four).
    // Pixel i is converted when bit 7 - i % 8 of mask is set and then takes
    // the next source pixel; other target pixels keep their bytes. Raises
    // EColorConversionError when no converter serves the settings.
    void ConvertRow(std::span<const uint8_t* const> source, uint8_t* target, uint32_t count, uint8_t mask);
    // The same for rows from outside: false, and nothing written, when the
    // plane count does not fit the scheme or a plane or the target is shorter
    // than the row needs.
    bool ConvertRowChecked(std::span<const std::span<const uint8_t>> planes, std::span<uint8_t> target,
                           uint32_t count, uint8_t mask);

private:
    struct Row {
        std::span<const uint8_t* const> Source;
        uint8_t* Target;
        uint32_t Count;
        uint8_t Mask;
    };
    using Converter = void (TColorManager::*)(const Row& row);

    void Choose();
    void BuildYccTables(int redOffset, int blueOffset);
    void ConvertChannels(const Row& row);
    void ConvertCmyk(const Row& row);
    void ConvertLab(const Row& row);
    void ConvertYcc(const Row& row);
    void ConvertIndexed(const Row& row);

    int sourceBits_ = 8, targetBits_ = 8;
    TColorScheme sourceScheme_ = TColorScheme::RGB, targetScheme_ = TColorScheme::BGR;
    TSourceOptions sourceOptions_;
    TTargetOptions targetOptions_;
    double displayGamma_ = 2.2, fileGamma_ = 1;
    std::array<uint8_t, 256> gamma_{};
    std::array<int32_t, 256> yccRed_{}, yccBlue_{}, yccGreenR_{}, yccGreenB_{};
    Converter converter_ = nullptr;
    bool reverseOrder_ = false;
    bool changed_ = true;
};

}  // namespace ad::skin
