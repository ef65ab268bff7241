// Colour reduction: the fixed palettes, the colour lookups that map a colour to
// a palette index, the dither engines that spread each pixel's error over its
// neighbours (serpentine rows), and the reduction of a true-colour bitmap to
// an 8-bit one with a chosen palette. Portable: the system's palettes and its
// nearest-colour call are handed in (the Windows half installs the system's).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "gif/GIFDIB.h"

namespace ad::gif {

TGIFPalette GIFNetscapePalette();     // the 216-colour cube: entry 36 r + 6 g + b is (51 r, 51 g, 51 b)
TGIFPalette GIFMonochromePalette();   // 0 and 255
TGIFPalette GIFWindowsGrayPalette();  // 0, 128, 192, 255
TGIFPalette GIFGrayScalePalette();    // 256 grays

// What the reduction needs of the system: its stock default palette (20
// colours: 10 static ones at each end), its halftone palette, and its
// nearest-palette-index call. Portable defaults stand in until the Windows
// half installs the system's at start-up.
struct TGIFSystemPalettes {
    TGIFPalette Default20;
    TGIFPalette Halftone;
    std::function<int(const TGIFPalette& palette, uint8_t r, uint8_t g, uint8_t b)> NearestIndex;
};
TGIFSystemPalettes& GIFSystemPalettes();

class TColorLookup {
public:
    virtual ~TColorLookup() = default;
    // The palette index for the colour; r, g, b receive the colour chosen.
    virtual int Lookup(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g, uint8_t& b) = 0;
    int Colors() const { return colors_; }

protected:
    int colors_ = 0;
};

// A 32K-cell cache by the top 5 bits of each channel; a miss searches for the
// smallest sum of absolute differences and fills the cell.
class TFastColorLookup : public TColorLookup {
public:
    explicit TFastColorLookup(const TGIFPalette& palette);
    int Lookup(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g, uint8_t& b) override;

private:
    TGIFPalette palette_;
    std::vector<int16_t> cache_;
};

// The system's nearest-palette-index call.
class TSlowColorLookup : public TColorLookup {
public:
    explicit TSlowColorLookup(const TGIFPalette& palette);
    int Lookup(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g, uint8_t& b) override;

private:
    TGIFPalette palette_;
};

class TNetscapeColorLookup : public TColorLookup {
public:
    TNetscapeColorLookup() { colors_ = 216; }
    int Lookup(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g, uint8_t& b) override;
};

class TGrayScaleLookup : public TColorLookup {
public:
    TGrayScaleLookup() { colors_ = 256; }
    int Lookup(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g, uint8_t& b) override;
};

class TMonochromeLookup : public TColorLookup {
public:
    TMonochromeLookup() { colors_ = 2; }
    int Lookup(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g, uint8_t& b) override;
};

// No diffusion: each pixel is looked up alone. Rows run serpentine: the first
// left to right, the next right to left, and so on.
class TDitherEngine {
public:
    TDitherEngine(int width, TColorLookup& lookup) : Width(width), lookup_(lookup) {}
    virtual ~TDitherEngine() = default;
    // Answers the index for the pixel at Column and steps Column in Direction.
    virtual int Dither(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g, uint8_t& b);
    // Flips the direction; Column goes to the row's first pixel in it.
    virtual void NextLine();

    int Width;
    int Direction = 1;
    int Column = 0;

protected:
    TColorLookup& lookup_;
};

// One weight of a diffusion kernel: Row 0 is this row (offsets ahead only),
// 1 the next; Offset counts along the row in the current direction.
struct TDitherWeight {
    int Row, Offset, Weight;
};
struct TDitherKernel {
    int Divisor;
    std::vector<TDitherWeight> Weights;
};

// Error diffusion with a kernel; errors are kept as integer sums per channel
// in rows with a margin of 3 cells on each side.
class TErrorDiffusionDitherer : public TDitherEngine {
public:
    TErrorDiffusionDitherer(int width, TColorLookup& lookup, const TDitherKernel& kernel);
    int Dither(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g, uint8_t& b) override;
    void NextLine() override;

private:
    static constexpr int Margin = 3;
    int32_t& Cell(int row, int channel, int column);

    const TDitherKernel& kernel_;
    int rows_;
    std::vector<int32_t> errors_;  // rows_ x 3 channels x (Width + 2 Margin)
};

const TDitherKernel& FloydSteinbergKernel();
const TDitherKernel& StuckiKernel();
const TDitherKernel& SierraKernel();
const TDitherKernel& JaJuNiKernel();
const TDitherKernel& SteveArcheKernel();
const TDitherKernel& BurkesKernel();

class TFloydSteinbergDitherer : public TErrorDiffusionDitherer {
public:
    TFloydSteinbergDitherer(int width, TColorLookup& lookup)
        : TErrorDiffusionDitherer(width, lookup, FloydSteinbergKernel()) {}
};
class TStuckiDitherer : public TErrorDiffusionDitherer {
public:
    TStuckiDitherer(int width, TColorLookup& lookup) : TErrorDiffusionDitherer(width, lookup, StuckiKernel()) {}
};
class TSierraDitherer : public TErrorDiffusionDitherer {
public:
    TSierraDitherer(int width, TColorLookup& lookup) : TErrorDiffusionDitherer(width, lookup, SierraKernel()) {}
};
class TJaJuNiDitherer : public TErrorDiffusionDitherer {
public:
    TJaJuNiDitherer(int width, TColorLookup& lookup) : TErrorDiffusionDitherer(width, lookup, JaJuNiKernel()) {}
};
class TSteveArcheDitherer : public TErrorDiffusionDitherer {
public:
    TSteveArcheDitherer(int width, TColorLookup& lookup)
        : TErrorDiffusionDitherer(width, lookup, SteveArcheKernel()) {}
};
class TBurkesDitherer : public TErrorDiffusionDitherer {
public:
    TBurkesDitherer(int width, TColorLookup& lookup) : TErrorDiffusionDitherer(width, lookup, BurkesKernel()) {}
};

// The engine of a dither kind; nullptr for an unknown kind.
std::unique_ptr<TDitherEngine> GIFMakeDitherer(int kind, int width, TColorLookup& lookup);

// Reduces a bitmap: crNone copies it at 24 bits; the other methods answer an
// 8-bit bitmap with the method's palette. An unknown method, a lookup without
// colours or an unknown dither kind answer an empty bitmap. bits (crQuantize)
// is clamped to 1..8.
TGIFDib ReduceColors(const TGIFDib& bitmap, int method, int ditherKind, const TGIFPalette* customPalette,
                     int bits);

}  // namespace ad::gif
