// Row converters of the sample converter: channel copies between RGB and BGR
// orders, CMYK, CIE L*a*b*, YCbCr and PhotoYCC to RGB or BGR, and indexed and
// grey rows at any depth; the choice between them and the size rules of rows.
#include "skin/engine/image/skColorManager.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace ad::skin {

namespace {

const char* const kBadDepth = "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
const char* const kIndexedMix = "Conversion between indexed and non-indexed pixel formats is not supported.";
const char* const kNoMethod = "Color conversion failed. Could not find a proper method.";

bool ValidDepth(int bits) { return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16; }
bool IsPaletteScheme(TColorScheme s) { return s == TColorScheme::Indexed || s == TColorScheme::Grey || s == TColorScheme::GreyAlpha; }
bool IsRgbOrder(TColorScheme s) { return s == TColorScheme::RGB || s == TColorScheme::RGBA; }
bool IsColourTarget(TColorScheme s) { return s >= TColorScheme::RGB && s <= TColorScheme::BGRA; }
bool Converted(uint8_t mask, uint32_t i) { return (mask >> (7 - (i & 7))) & 1; }

uint32_t CountConverted(uint32_t count, uint8_t mask) {
    const uint32_t perByte = uint32_t(std::popcount(mask));
    uint32_t n = count / 8 * perByte;
    for (uint32_t i = count / 8 * 8; i < count; ++i) n += Converted(mask, i);
    return n;
}

uint16_t Swap16(uint32_t v) { return uint16_t((v >> 8 & 0xFF) | (v & 0xFF) << 8); }
uint32_t Reduce16(uint32_t v) { return v * 255 / 65535; }
uint32_t Widen8(uint32_t v) { return v * 257; }
int Clamp255(long v) { return v < 0 ? 0 : v > 255 ? 255 : int(v); }
int Clamp65535(long v) { return v < 0 ? 0 : v > 65535 ? 65535 : int(v); }
// To the nearest integer, halves to even (the default rounding mode).
long RoundEven(double v) { return std::lrint(v); }

uint32_t Read16(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
void Write16(uint8_t* p, uint32_t v) {
    const uint16_t w = uint16_t(v);
    std::memcpy(p, &w, 2);
}
uint32_t ReadSample(const uint8_t* p, int bits) { return bits == 16 ? Read16(p) : *p; }
void WriteSample(uint8_t* p, int bits, uint32_t v) {
    if (bits == 16) Write16(p, v);
    else *p = uint8_t(v);
}

// The source pixels of a row: interleaved at one pointer, or one plane per sample.
class SourceCursor {
public:
    SourceCursor(std::span<const uint8_t* const> source, int samples, int bits, bool planar)
        : planar_(planar), sampleBytes_(size_t(bits / 8)), samples_(samples) {
        const size_t n = planar ? std::min<size_t>(source.size(), 4) : 1;
        for (size_t i = 0; i < n; ++i) p_[i] = source[i];
    }
    const uint8_t* At(int sample) const { return planar_ ? p_[sample] : p_[0] + size_t(sample) * sampleBytes_; }
    void Next() {
        if (!planar_) p_[0] += size_t(samples_) * sampleBytes_;
        else
            for (int i = 0; i < samples_; ++i) p_[i] += sampleBytes_;
    }

private:
    const uint8_t* p_[4] = {};
    bool planar_;
    size_t sampleBytes_;
    int samples_;
};

// Channel copy with the transform fixed for the row (S and T the depths).
template <int S, int T, bool Swap, bool Gamma>
void ChannelRow(SourceCursor src, uint8_t* target, uint32_t count, uint8_t mask, bool reverse, bool sourceAlpha,
                bool targetAlpha, const uint8_t* gamma) {
    auto colour = [gamma](uint32_t v) -> uint32_t {
        (void)gamma;  // read only by the gamma variants
        if constexpr (S == 16) {
            if constexpr (Swap) v = Swap16(v);
            if constexpr (T == 16) return v;
            v = Reduce16(v);
            if constexpr (Gamma) v = gamma[v];
            return v;
        } else {
            if constexpr (Gamma) v = gamma[v];
            if constexpr (T == 16) {
                v = Widen8(v);
                if constexpr (Swap) v = Swap16(v);
            }
            return v;
        }
    };
    auto alpha = [](uint32_t v) -> uint32_t {
        if constexpr (S == 16 && Swap) v = Swap16(v);
        if constexpr (S == 16 && T == 8) v = Reduce16(v);
        if constexpr (S == 8 && T == 16) {
            v = Widen8(v);
            if constexpr (Swap) v = Swap16(v);
        }
        return v;
    };
    constexpr size_t tb = T / 8;
    const size_t pixelBytes = (targetAlpha ? 4 : 3) * tb;
    const int first = reverse ? 2 : 0, last = reverse ? 0 : 2;
    for (uint32_t i = 0; i < count; ++i, target += pixelBytes) {
        if (!Converted(mask, i)) continue;
        WriteSample(target, T, colour(ReadSample(src.At(first), S)));
        WriteSample(target + tb, T, colour(ReadSample(src.At(1), S)));
        WriteSample(target + 2 * tb, T, colour(ReadSample(src.At(last), S)));
        if (sourceAlpha && targetAlpha) WriteSample(target + 3 * tb, T, alpha(ReadSample(src.At(3), S)));
        src.Next();
    }
}

template <int S, int T>
void ChannelRowFor(bool swap, bool gamma, SourceCursor src, uint8_t* target, uint32_t count, uint8_t mask,
                   bool reverse, bool sourceAlpha, bool targetAlpha, const uint8_t* table) {
    if (swap && gamma) ChannelRow<S, T, true, true>(src, target, count, mask, reverse, sourceAlpha, targetAlpha, table);
    else if (swap) ChannelRow<S, T, true, false>(src, target, count, mask, reverse, sourceAlpha, targetAlpha, table);
    else if (gamma) ChannelRow<S, T, false, true>(src, target, count, mask, reverse, sourceAlpha, targetAlpha, table);
    else ChannelRow<S, T, false, false>(src, target, count, mask, reverse, sourceAlpha, targetAlpha, table);
}

// Writes three 8- or 16-bit results in the target's order; the alpha slot stays.
void WriteColour(uint8_t* target, int bits, bool rgbOrder, uint32_t r, uint32_t g, uint32_t b) {
    const size_t tb = size_t(bits / 8);
    WriteSample(target, bits, rgbOrder ? r : b);
    WriteSample(target + tb, bits, g);
    WriteSample(target + 2 * tb, bits, rgbOrder ? b : r);
}

}  // namespace

int SamplesOfScheme(TColorScheme scheme) {
    switch (scheme) {
        case TColorScheme::None: return 0;
        case TColorScheme::Indexed:
        case TColorScheme::Grey: return 1;
        case TColorScheme::GreyAlpha: return 2;
        case TColorScheme::RGBA:
        case TColorScheme::BGRA:
        case TColorScheme::CMYK: return 4;
        default: return 3;
    }
}

bool SchemeHasAlpha(TColorScheme scheme) {
    return scheme == TColorScheme::GreyAlpha || scheme == TColorScheme::RGBA || scheme == TColorScheme::BGRA;
}

TColorManager::TColorManager() { SetGamma(2.2, 1); }

void TColorManager::SetSourceBitsPerSample(int bits) {
    if (!ValidDepth(bits)) throw EColorConversionError(kBadDepth);
    sourceBits_ = bits;
    changed_ = true;
}

void TColorManager::SetTargetBitsPerSample(int bits) {
    if (!ValidDepth(bits)) throw EColorConversionError(kBadDepth);
    targetBits_ = bits;
    changed_ = true;
}

void TColorManager::SetSourceScheme(TColorScheme scheme) {
    sourceScheme_ = scheme;
    changed_ = true;
}

void TColorManager::SetTargetScheme(TColorScheme scheme) {
    targetScheme_ = scheme;
    changed_ = true;
}

void TColorManager::SetSourceOptions(const TSourceOptions& options) {
    sourceOptions_ = options;
    changed_ = true;
}

void TColorManager::SetTargetOptions(const TTargetOptions& options) {
    targetOptions_ = options;
    changed_ = true;
}

void TColorManager::SetGamma(double displayGamma, double fileGamma) {
    displayGamma_ = displayGamma;
    fileGamma_ = fileGamma;
    const double product = displayGamma * fileGamma;
    const double exponent = product > 0 ? 1 / product : 1;
    for (int i = 0; i < 256; ++i) gamma_[size_t(i)] = uint8_t(Clamp255(std::lround(std::pow(i / 255.0, exponent) * 255)));
    changed_ = true;
}

void TColorManager::BuildYccTables(int redOffset, int blueOffset) {
    const float ar = 2 - 2 * Kr, ab = 2 - 2 * Kb;
    const float gr = Kr * ar / Kg, gb = Kb * ab / Kg;
    for (int i = 0; i < 256; ++i) {
        const size_t k = size_t(i);
        yccRed_[k] = int32_t(RoundEven(double(ar) * (i - redOffset)));
        yccBlue_[k] = int32_t(RoundEven(double(ab) * (i - blueOffset)));
        yccGreenR_[k] = -int32_t(RoundEven(double(gr) * (i - redOffset)));
        yccGreenB_[k] = -int32_t(RoundEven(double(gb) * (i - blueOffset)));
    }
}

void TColorManager::Choose() {
    sourceOptions_.Alpha = SchemeHasAlpha(sourceScheme_);
    targetOptions_.Alpha = SchemeHasAlpha(targetScheme_);
    const TColorScheme s = sourceScheme_, t = targetScheme_;
    if (s == TColorScheme::None || s == TColorScheme::CMY || t == TColorScheme::None) throw EColorConversionError(kNoMethod);
    const bool paletteSource = IsPaletteScheme(s), paletteTarget = IsPaletteScheme(t);
    if (paletteSource != paletteTarget) throw EColorConversionError(kIndexedMix);
    if (paletteSource) {
        if (t == TColorScheme::GreyAlpha) throw EColorConversionError(kNoMethod);
        converter_ = &TColorManager::ConvertIndexed;
    } else {
        if (!IsColourTarget(t)) throw EColorConversionError(kNoMethod);
        switch (s) {
            case TColorScheme::RGB:
            case TColorScheme::RGBA:
            case TColorScheme::BGR:
            case TColorScheme::BGRA:
                converter_ = &TColorManager::ConvertChannels;
                reverseOrder_ = IsRgbOrder(s) != IsRgbOrder(t);
                break;
            case TColorScheme::CMYK: converter_ = &TColorManager::ConvertCmyk; break;
            case TColorScheme::CIELab: converter_ = &TColorManager::ConvertLab; break;
            case TColorScheme::YCbCr:
                BuildYccTables(128, 128);
                converter_ = &TColorManager::ConvertYcc;
                break;
            case TColorScheme::PhotoYCC:
                BuildYccTables(137, 156);  // C2 in red's place, C1 in blue's
                converter_ = &TColorManager::ConvertYcc;
                break;
            default: throw EColorConversionError(kNoMethod);
        }
    }
    changed_ = false;
}

size_t TColorManager::SourceRowBytes(uint32_t count, uint8_t mask, size_t planes) const {
    const uint64_t n = CountConverted(count, mask);
    const uint64_t perPixel = planes > 1 ? 1 : uint64_t(SamplesOfScheme(sourceScheme_));
    return size_t((n * perPixel * uint64_t(sourceBits_) + 7) / 8);
}

size_t TColorManager::TargetRowBytes(uint32_t count) const {
    const uint64_t samples = IsPaletteScheme(targetScheme_) ? 1 : SchemeHasAlpha(targetScheme_) ? 4 : 3;
    return size_t((uint64_t(count) * samples * uint64_t(targetBits_) + 7) / 8);
}

void TColorManager::ConvertRow(std::span<const uint8_t* const> source, uint8_t* target, uint32_t count, uint8_t mask) {
    if (changed_) Choose();
    if (source.empty() || target == nullptr || count == 0) return;
    (this->*converter_)(Row{source, target, count, mask});
}

bool TColorManager::ConvertRowChecked(std::span<const std::span<const uint8_t>> planes, std::span<uint8_t> target,
                                      uint32_t count, uint8_t mask) {
    if (changed_) Choose();
    if (planes.empty()) return false;
    const size_t samples = size_t(SamplesOfScheme(sourceScheme_));
    // CMYK reads planes only when there are exactly four; any other count is
    // interleaved input at the first.
    const bool cmykInterleaved = sourceScheme_ == TColorScheme::CMYK && planes.size() != 4;
    const size_t used = cmykInterleaved ? 1 : planes.size();
    if (used > 1 && used != samples) return false;
    const size_t need = SourceRowBytes(count, mask, used);
    std::array<const uint8_t*, 4> pointers{};
    for (size_t i = 0; i < used; ++i) {
        if (planes[i].size() < need) return false;
        pointers[i] = planes[i].data();
    }
    if (target.size() < TargetRowBytes(count)) return false;
    ConvertRow(std::span<const uint8_t* const>(pointers.data(), used), target.data(), count, mask);
    return true;
}

// ---- Converters ----

void TColorManager::ConvertChannels(const Row& row) {
    const int s = sourceBits_, t = targetBits_;
    const bool planar = row.Source.size() > 1;
    if ((s != 8 && s != 16) || (t != 8 && t != 16)) return;
    if (planar && row.Source.size() < size_t(SamplesOfScheme(sourceScheme_))) return;
    const SourceCursor src(row.Source, SamplesOfScheme(sourceScheme_), s, planar);
    const bool swap = sourceOptions_.ByteSwap, gamma = targetOptions_.ApplyGamma;
    const bool sa = sourceOptions_.Alpha, ta = targetOptions_.Alpha;
    if (s == 8 && t == 8) ChannelRowFor<8, 8>(false, gamma, src, row.Target, row.Count, row.Mask, reverseOrder_, sa, ta, gamma_.data());
    else if (s == 16 && t == 8) ChannelRowFor<16, 8>(swap, gamma, src, row.Target, row.Count, row.Mask, reverseOrder_, sa, ta, gamma_.data());
    else if (s == 8) ChannelRowFor<8, 16>(swap, gamma, src, row.Target, row.Count, row.Mask, reverseOrder_, sa, ta, gamma_.data());
    else ChannelRowFor<16, 16>(swap, false, src, row.Target, row.Count, row.Mask, reverseOrder_, sa, ta, gamma_.data());
}

void TColorManager::ConvertCmyk(const Row& row) {
    const int s = sourceBits_, t = targetBits_;
    if ((s != 8 && s != 16) || (t != 8 && t != 16)) return;
    SourceCursor src(row.Source, 4, s, row.Source.size() == 4);
    const bool rgb = IsRgbOrder(targetScheme_);
    const size_t pixelBytes = size_t(targetOptions_.Alpha ? 4 : 3) * size_t(t / 8);
    uint8_t* out = row.Target;
    for (uint32_t i = 0; i < row.Count; ++i, out += pixelBytes) {
        if (!Converted(row.Mask, i)) continue;
        const uint32_t k = ReadSample(src.At(3), s);
        uint32_t c[3];
        for (int j = 0; j < 3; ++j) {
            const uint32_t x = ReadSample(src.At(j), s);
            if (s == 8) {
                const uint32_t v = uint32_t(Clamp255(255 - long(x) - long(k) + long(x * k / 255)));
                c[j] = t == 8 ? v : Widen8(v);
            } else {
                const uint64_t ink = uint64_t(x) + k - uint64_t(x) * k / 65535;
                c[j] = t == 16 ? uint32_t(65535 - ink) : uint32_t(Clamp255(255 - long(ink * 255 / 65535)));
            }
        }
        WriteColour(out, t, rgb, c[0], c[1], c[2]);
        src.Next();
    }
}

void TColorManager::ConvertLab(const Row& row) {
    const int s = sourceBits_, t = targetBits_;
    const bool planar = row.Source.size() > 1;
    if ((s != 8 && s != 16) || (t != 8 && t != 16) || (planar && row.Source.size() < 3)) return;
    SourceCursor src(row.Source, 3, s, planar);
    const bool rgb = IsRgbOrder(targetScheme_);
    const size_t pixelBytes = size_t(targetOptions_.Alpha ? 4 : 3) * size_t(t / 8);
    uint8_t* out = row.Target;
    for (uint32_t i = 0; i < row.Count; ++i, out += pixelBytes) {
        if (!Converted(row.Mask, i)) continue;
        const uint32_t l0 = ReadSample(src.At(0), s), a0 = ReadSample(src.At(1), s), b0 = ReadSample(src.At(2), s);
        double l, a, b;
        if (s == 8) {
            l = sourceOptions_.LRange ? l0 / 2.55 : l0;
            a = sourceOptions_.ChromaOffset ? int(a0) - 128 : int8_t(uint8_t(a0));
            b = sourceOptions_.ChromaOffset ? int(b0) - 128 : int8_t(uint8_t(b0));
        } else {  // 16-bit: L* over the full range, a* and b* in 1/256 steps
            l = l0 * 100.0 / 65535;
            a = sourceOptions_.ChromaOffset ? a0 / 257.0 - 128 : int16_t(uint16_t(a0)) / 256.0;
            b = sourceOptions_.ChromaOffset ? b0 / 257.0 - 128 : int16_t(uint16_t(b0)) / 256.0;
        }
        double x, y, z;
        if (l < 7.9996) {
            y = l / 903.3;
            x = y + a / 3893.5;
            z = y - b / 1557.4;
        } else {
            const double f = (l + 16) / 116;
            x = std::pow(f + a / 500, 3);
            y = f * f * f;
            z = std::pow(f - b / 200, 3);
        }
        uint32_t r = uint32_t(Clamp255(RoundEven((2.998 * x - 1.458 * y - 0.541 * z) * 255)));
        uint32_t g = uint32_t(Clamp255(RoundEven((-0.952 * x + 1.893 * y + 0.059 * z) * 255)));
        uint32_t bl = uint32_t(Clamp255(RoundEven((0.099 * x - 0.198 * y + 1.099 * z) * 255)));
        if (t == 16) r = Widen8(r), g = Widen8(g), bl = Widen8(bl);
        WriteColour(out, t, rgb, r, g, bl);
        src.Next();
    }
}

void TColorManager::ConvertYcc(const Row& row) {
    const int s = sourceBits_, t = targetBits_;
    const bool planar = row.Source.size() > 1;
    if ((s != 8 && s != 16) || (t != 8 && t != 16) || (planar && row.Source.size() < 3)) return;
    SourceCursor src(row.Source, 3, s, planar);
    const bool rgb = IsRgbOrder(targetScheme_);
    const bool photo = sourceScheme_ == TColorScheme::PhotoYCC;
    const size_t pixelBytes = size_t(targetOptions_.Alpha ? 4 : 3) * size_t(t / 8);
    uint8_t* out = row.Target;
    for (uint32_t i = 0; i < row.Count; ++i, out += pixelBytes) {
        if (!Converted(row.Mask, i)) continue;
        uint32_t y = ReadSample(src.At(0), s), cb = ReadSample(src.At(1), s), cr = ReadSample(src.At(2), s);
        uint32_t r, g, b;
        if (s == 16 && t == 16) {
            if (photo) {
                const float l = float(y) * 1.3584f;
                const double c1 = double(cb) - 40092, c2 = double(cr) - 35209;
                r = uint32_t(Clamp65535(RoundEven(l + 1.8215 * c2)));
                g = uint32_t(Clamp65535(RoundEven(l - 0.9271435 * c2 - 0.4302726 * c1)));
                b = uint32_t(Clamp65535(RoundEven(l + 2.2179 * c1)));
            } else {  // the 8-bit formula on 16-bit values (offsets 128 * 257)
                const double ar = 2 - 2 * double(Kr), ab = 2 - 2 * double(Kb);
                const double dr = double(cr) - 32896, db = double(cb) - 32896;
                r = uint32_t(Clamp65535(RoundEven(y + ar * dr)));
                g = uint32_t(Clamp65535(RoundEven(y - double(Kr) * ar / double(Kg) * dr - double(Kb) * ab / double(Kg) * db)));
                b = uint32_t(Clamp65535(RoundEven(y + ab * db)));
            }
        } else {
            if (s == 16) y = Reduce16(y), cb = Reduce16(cb), cr = Reduce16(cr);
            r = uint32_t(Clamp255(long(y) + yccRed_[cr]));
            g = uint32_t(Clamp255(long(y) + yccGreenB_[cb] + yccGreenR_[cr]));
            b = uint32_t(Clamp255(long(y) + yccBlue_[cb]));
            if (t == 16) r = Widen8(r), g = Widen8(g), b = Widen8(b);
        }
        WriteColour(out, t, rgb, r, g, b);
        src.Next();
    }
}

// Indexed and grey rows at any depth: values unpacked from the most
// significant bits down (only over converted pixels), rescaled between
// depths (grey always; indexed values only to or from 16 bits, else kept)
// and packed at the target pixel's own position.
void TColorManager::ConvertIndexed(const Row& row) {
    const int s = sourceBits_, t = targetBits_;
    const bool swap = sourceOptions_.ByteSwap;
    const uint8_t* src = row.Source[0];
    if (s == 16 && t == 16 && !swap && row.Mask == 0xFF && sourceScheme_ == TColorScheme::Indexed) {
        std::memcpy(row.Target, src, size_t(row.Count) * 2);
        return;
    }
    const bool rescale = sourceScheme_ != TColorScheme::Indexed || s == 16 || t == 16;
    const uint32_t sourceMax = (1u << s) - 1, targetMax = (1u << t) - 1;
    // Interleaved grey with alpha steps over the alpha; planar input has it in a plane of its own.
    const int stepSamples = row.Source.size() > 1 ? 1 : SamplesOfScheme(sourceScheme_);
    uint64_t sourceBit = 0;
    for (uint32_t i = 0; i < row.Count; ++i) {
        if (!Converted(row.Mask, i)) continue;
        uint32_t v;
        if (s >= 8) {
            v = ReadSample(src + sourceBit / 8, s);
            if (s == 16 && swap) v = Swap16(v);
        } else {
            const unsigned shift = unsigned(8 - s - int(sourceBit % 8));
            v = (src[sourceBit / 8] >> shift) & sourceMax;
        }
        sourceBit += uint64_t(stepSamples) * uint64_t(s);
        if (s != t) v = rescale ? uint32_t(uint64_t(v) * targetMax / sourceMax) : v & targetMax;
        const uint64_t targetBit = uint64_t(i) * uint64_t(t);
        uint8_t* out = row.Target + targetBit / 8;
        if (t == 16) Write16(out, swap && s != 16 ? Swap16(v) : v);  // 16 to 16: swapped once, on reading
        else if (t == 8) *out = uint8_t(v);
        else {
            const unsigned shift = unsigned(8 - t - int(targetBit % 8));
            *out = uint8_t((*out & ~(targetMax << shift)) | (v << shift));
        }
    }
}

}  // namespace ad::skin
