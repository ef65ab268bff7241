// Colour reduction: fixed palettes, lookups, dither engines and the reduction
// of a bitmap to a palette.
#include "gif/GIFColorReduction.h"

#include <algorithm>
#include <cstdlib>

#include "gif/GIFQuantizer.h"

namespace ad::gif {

TGIFPalette GIFNetscapePalette() {
    TGIFPalette p;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) p.push_back({uint8_t(51 * r), uint8_t(51 * g), uint8_t(51 * b)});
    return p;
}

static TGIFPalette Grays(std::initializer_list<int> levels) {
    TGIFPalette p;
    for (int v : levels) p.push_back({uint8_t(v), uint8_t(v), uint8_t(v)});
    return p;
}

TGIFPalette GIFMonochromePalette() { return Grays({0, 255}); }
TGIFPalette GIFWindowsGrayPalette() { return Grays({0, 128, 192, 255}); }
TGIFPalette GIFGrayScalePalette() {
    TGIFPalette p(256);
    for (int i = 0; i < 256; ++i) p[size_t(i)] = {uint8_t(i), uint8_t(i), uint8_t(i)};
    return p;
}

static int NearestBySquares(const TGIFPalette& palette, uint8_t r, uint8_t g, uint8_t b) {
    int best = 0;
    long bestDistance = -1;
    for (size_t i = 0; i < palette.size(); ++i) {
        long dr = palette[i].Red - r, dg = palette[i].Green - g, db = palette[i].Blue - b;
        long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = int(i);
        }
    }
    return best;
}

TGIFSystemPalettes& GIFSystemPalettes() {
    static TGIFSystemPalettes palettes = [] {
        TGIFSystemPalettes p;
        // The system's 20 static colours, in the order of its default palette.
        p.Default20 = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
                       {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
                       {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
                       {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
        p.Halftone = GIFNetscapePalette();
        p.Halftone.insert(p.Halftone.end(), p.Default20.begin(), p.Default20.end());
        p.NearestIndex = &NearestBySquares;
        return p;
    }();
    return palettes;
}

// ---- Lookups ----------------------------------------------------------------

static int CacheCell(uint8_t r, uint8_t g, uint8_t b) { return (r >> 3) | (g >> 3) << 5 | (b >> 3) << 10; }

TFastColorLookup::TFastColorLookup(const TGIFPalette& palette)
    : palette_(palette.begin(), palette.begin() + long(std::min<size_t>(palette.size(), 256))),
      cache_(32768, int16_t(-1)) {
    colors_ = int(palette_.size());
    for (size_t i = 0; i < palette_.size(); ++i) {
        int16_t& cell = cache_[size_t(CacheCell(palette_[i].Red, palette_[i].Green, palette_[i].Blue))];
        if (cell < 0) cell = int16_t(i);
    }
}

int TFastColorLookup::Lookup(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g, uint8_t& b) {
    int16_t& cell = cache_[size_t(CacheCell(red, green, blue))];
    if (cell < 0) {
        int best = 0, bestDistance = 1 << 30;
        for (size_t i = 0; i < palette_.size(); ++i) {
            int d = std::abs(palette_[i].Red - red) + std::abs(palette_[i].Green - green) +
                    std::abs(palette_[i].Blue - blue);
            if (d < bestDistance) {
                bestDistance = d;
                best = int(i);
            }
        }
        cell = int16_t(best);
    }
    const TGIFColor& c = palette_[size_t(cell)];
    r = c.Red;
    g = c.Green;
    b = c.Blue;
    return cell;
}

TSlowColorLookup::TSlowColorLookup(const TGIFPalette& palette) : palette_(palette) {
    if (palette_.size() > 256) palette_.resize(256);
    colors_ = int(palette_.size());
}

int TSlowColorLookup::Lookup(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g, uint8_t& b) {
    auto& nearest = GIFSystemPalettes().NearestIndex;
    int index = nearest ? nearest(palette_, red, green, blue) : NearestBySquares(palette_, red, green, blue);
    if (index < 0 || size_t(index) >= palette_.size()) index = 0;
    const TGIFColor& c = palette_[size_t(index)];
    r = c.Red;
    g = c.Green;
    b = c.Blue;
    return index;
}

int TNetscapeColorLookup::Lookup(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g, uint8_t& b) {
    int lr = (red + 3) / 51, lg = (green + 3) / 51, lb = (blue + 3) / 51;
    r = uint8_t(lr * 51);
    g = uint8_t(lg * 51);
    b = uint8_t(lb * 51);
    return 36 * lr + 6 * lg + lb;
}

int TGrayScaleLookup::Lookup(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g, uint8_t& b) {
    int gray = (77 * red + 150 * green + 29 * blue) / 256;
    r = g = b = uint8_t(gray);
    return gray;
}

int TMonochromeLookup::Lookup(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g, uint8_t& b) {
    bool white = 77 * red + 150 * green + 29 * blue >= 32513;
    r = g = b = white ? 255 : 0;
    return white ? 1 : 0;
}

// ---- Dither engines ---------------------------------------------------------

int TDitherEngine::Dither(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g, uint8_t& b) {
    int index = lookup_.Lookup(red, green, blue, r, g, b);
    Column += Direction;
    return index;
}

void TDitherEngine::NextLine() {
    Direction = -Direction;
    Column = Direction > 0 ? 0 : Width - 1;
}

const TDitherKernel& FloydSteinbergKernel() {
    static const TDitherKernel k{16, {{0, 1, 7}, {1, -1, 3}, {1, 0, 5}, {1, 1, 1}}};
    return k;
}
const TDitherKernel& StuckiKernel() {
    static const TDitherKernel k{42,
                                 {{0, 1, 8}, {0, 2, 4},                                     //
                                  {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2},  //
                                  {2, -2, 1}, {2, -1, 2}, {2, 0, 4}, {2, 1, 2}, {2, 2, 1}}};
    return k;
}
const TDitherKernel& SierraKernel() {
    static const TDitherKernel k{32,
                                 {{0, 1, 5}, {0, 2, 3},                                     //
                                  {1, -2, 2}, {1, -1, 4}, {1, 0, 5}, {1, 1, 4}, {1, 2, 2},  //
                                  {2, -1, 2}, {2, 0, 3}, {2, 1, 2}}};
    return k;
}
const TDitherKernel& JaJuNiKernel() {
    static const TDitherKernel k{48,
                                 {{0, 1, 7}, {0, 2, 5},                                     //
                                  {1, -2, 3}, {1, -1, 5}, {1, 0, 7}, {1, 1, 5}, {1, 2, 3},  //
                                  {2, -2, 1}, {2, -1, 3}, {2, 0, 5}, {2, 1, 3}, {2, 2, 1}}};
    return k;
}
const TDitherKernel& SteveArcheKernel() {
    static const TDitherKernel k{200,
                                 {{0, 2, 32},                                     //
                                  {1, -3, 12}, {1, -1, 26}, {1, 1, 30}, {1, 3, 16},  //
                                  {2, -2, 12}, {2, 0, 26}, {2, 2, 12},               //
                                  {3, -3, 5}, {3, -1, 12}, {3, 1, 12}, {3, 3, 5}}};
    return k;
}
const TDitherKernel& BurkesKernel() {
    static const TDitherKernel k{32,
                                 {{0, 1, 8}, {0, 2, 4},  //
                                  {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2}}};
    return k;
}

TErrorDiffusionDitherer::TErrorDiffusionDitherer(int width, TColorLookup& lookup, const TDitherKernel& kernel)
    : TDitherEngine(width, lookup), kernel_(kernel) {
    rows_ = 1;
    for (const TDitherWeight& w : kernel.Weights) rows_ = std::max(rows_, w.Row + 1);
    errors_.assign(size_t(rows_) * 3 * size_t(std::max(width, 0) + 2 * Margin), 0);
}

int32_t& TErrorDiffusionDitherer::Cell(int row, int channel, int column) {
    size_t rowSize = size_t(Width + 2 * Margin);
    return errors_[(size_t(row) * 3 + size_t(channel)) * rowSize + size_t(column + Margin)];
}

int TErrorDiffusionDitherer::Dither(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g, uint8_t& b) {
    if (Column < 0 || Column >= Width) return TDitherEngine::Dither(red, green, blue, r, g, b);
    const int half = kernel_.Divisor / 2;
    const uint8_t in[3] = {red, green, blue};
    uint8_t value[3];
    for (int c = 0; c < 3; ++c) {
        int v = in[c] + (Cell(0, c, Column) + half) / kernel_.Divisor;
        value[c] = uint8_t(std::clamp(v, 0, 255));
    }
    int index = lookup_.Lookup(value[0], value[1], value[2], r, g, b);
    const uint8_t chosen[3] = {r, g, b};
    for (int c = 0; c < 3; ++c) {
        int e = value[c] - chosen[c];
        if (e == 0) continue;
        for (const TDitherWeight& w : kernel_.Weights) {
            int at = Column + w.Offset * Direction;
            if (at >= -Margin && at < Width + Margin) Cell(w.Row, c, at) += e * w.Weight;
        }
    }
    Column += Direction;
    return index;
}

void TErrorDiffusionDitherer::NextLine() {
    size_t channelRows = size_t(3) * size_t(Width + 2 * Margin);
    // The finished row is dropped; the others move up and a zeroed one comes last.
    std::move(errors_.begin() + long(channelRows), errors_.end(), errors_.begin());
    std::fill(errors_.end() - long(channelRows), errors_.end(), 0);
    TDitherEngine::NextLine();
}

std::unique_ptr<TDitherEngine> GIFMakeDitherer(int kind, int width, TColorLookup& lookup) {
    switch (kind) {
    case dtNearest: return std::make_unique<TDitherEngine>(width, lookup);
    case dtFloydSteinberg: return std::make_unique<TFloydSteinbergDitherer>(width, lookup);
    case dtStucki: return std::make_unique<TStuckiDitherer>(width, lookup);
    case dtSierra: return std::make_unique<TSierraDitherer>(width, lookup);
    case dtJaJuNi: return std::make_unique<TJaJuNiDitherer>(width, lookup);
    case dtSteveArche: return std::make_unique<TSteveArcheDitherer>(width, lookup);
    case dtBurkes: return std::make_unique<TBurkesDitherer>(width, lookup);
    default: return nullptr;
    }
}

// ---- Reduction --------------------------------------------------------------

TGIFDib ReduceColors(const TGIFDib& bitmap, int method, int ditherKind, const TGIFPalette* customPalette,
                     int bits) {
    if (method == crNone) {
        TDIBReader reader(bitmap, pf24bit);
        TGIFDib copy(bitmap.Width, bitmap.Height, pf24bit);
        for (int y = 0; y < bitmap.Height; ++y) std::copy_n(reader.ScanLine(y), copy.Stride, copy.Row(y));
        copy.Mask = bitmap.Mask;
        return copy;
    }
    if (method < 0 || method > crCustom || bitmap.Empty()) return {};
    TDIBReader reader(bitmap, pf24bit);
    TGIFPalette palette;
    switch (method) {
    case crWindows20: palette = GIFSystemPalettes().Default20; break;
    case crWindowsHalftone: palette = GIFSystemPalettes().Halftone; break;
    case crWindowsGray: palette = GIFWindowsGrayPalette(); break;
    case crMonochrome: palette = GIFMonochromePalette(); break;
    case crGrayScale: palette = GIFGrayScalePalette(); break;
    case crNetscape: palette = GIFNetscapePalette(); break;
    case crQuantize:
        palette = CreateOptimizedPaletteFromSingleBitmap(reader, 1 << std::clamp(bits, 1, 8), 8, false);
        break;
    case crQuantizeWindows: palette = CreateOptimizedPaletteFromSingleBitmap(reader, 256, 8, true); break;
    case crCustom:
        if (customPalette) palette = *customPalette;
        break;
    }
    std::unique_ptr<TColorLookup> lookup;
    switch (method) {
    case crMonochrome: lookup = std::make_unique<TMonochromeLookup>(); break;
    case crGrayScale: lookup = std::make_unique<TGrayScaleLookup>(); break;
    case crNetscape: lookup = std::make_unique<TNetscapeColorLookup>(); break;
    case crQuantize: lookup = std::make_unique<TFastColorLookup>(palette); break;
    default: lookup = std::make_unique<TSlowColorLookup>(palette); break;
    }
    if (lookup->Colors() == 0) return {};
    std::unique_ptr<TDitherEngine> engine = GIFMakeDitherer(ditherKind, bitmap.Width, *lookup);
    if (!engine) return {};

    TDIBWriter writer(&palette, bitmap.Height, bitmap.Width, pf8bit);
    uint8_t r, g, b;
    for (int y = 0; y < bitmap.Height; ++y) {
        const uint8_t* src = reader.ScanLine(y);
        uint8_t* dst = writer.ScanLine(y);
        while (engine->Column >= 0 && engine->Column < bitmap.Width) {
            int x = engine->Column;
            dst[x] = uint8_t(engine->Dither(src[x * 3 + 2], src[x * 3 + 1], src[x * 3], r, g, b));
        }
        engine->NextLine();
    }
    TGIFDib result = writer.ToDib();
    result.Mask = bitmap.Mask;
    return result;
}

}  // namespace ad::gif
