// PNG reading: chunk walk with CRC checks, image data inflated row by row,
// the five row filters, Adam7 passes and the sample conversions into the
// graphic's pixel formats.
#include "skin/engine/image/skPNG.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "base/Files.h"

namespace ad::skin {

namespace {

const char* const kInvalidFormat = "Cannot load image. Invalid or unexpected PNG image format.";
const char* const kCrcError = "Cannot load image. CRC error found in PNG file.";
const char* const kBadPalette = "Cannot load image. Palette in PNG file is invalid.";
const char* const kCriticalChunk = "Cannot load PNG image. Unexpected but critical chunk detected.";
const char* const kBadColorFormat = "Invalid color format in PNG file.";
const char* const kCompressionError = "Cannot load image. Compression error found in PNG file.";
const char* const kExtraData = "Cannot load image. Extra compressed data found in PNG file.";
const char* const kNoCompressionScheme = "Cannot load image. The compression scheme is not supported for PNG files.";
const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

[[noreturn]] void Fail(const char* message) { throw EInvalidGraphic(message); }

uint32_t BE32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }
uint32_t BE16(const uint8_t* p) { return uint32_t(p[0]) << 8 | p[1]; }

struct ChunkInfo {
    uint32_t Length = 0;
    char Type[5] = {};  // upper case
    bool Critical = false;
    const uint8_t* Type4 = nullptr;  // as written, followed by the data
    const uint8_t* Data = nullptr;

    bool Is(const char* t) const { return std::memcmp(Type, t, 4) == 0; }
};

// Walks the chunks of a buffer; every length is checked against what is left.
class ChunkReader {
public:
    ChunkReader(const uint8_t* data, size_t size, size_t pos) : data_(data), size_(size), pos_(pos) {}

    // The next chunk without moving past it; false at the end of the data.
    bool Peek(ChunkInfo& c) const {
        if (size_ - pos_ < 12) return false;
        const uint8_t* p = data_ + pos_;
        c.Length = BE32(p);
        if (c.Length > 0x7FFFFFFFu || c.Length > size_ - pos_ - 12) return false;
        for (int i = 0; i < 4; ++i) {
            uint8_t ch = p[4 + i];
            c.Type[i] = char(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
        }
        c.Critical = (p[4] & 0x20) == 0;
        c.Type4 = p + 4;
        c.Data = p + 8;
        return true;
    }
    // The next chunk, moved past; the format error when it is cut short.
    ChunkInfo Next() {
        ChunkInfo c;
        if (!Peek(c)) Fail(kInvalidFormat);
        pos_ += 12 + size_t(c.Length);
        return c;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_;
};

void CheckCrc(const ChunkInfo& c) {
    uint32_t crc = uint32_t(crc32(0, c.Type4, uInt(4)));
    crc = uint32_t(crc32(crc, c.Data, uInt(c.Length)));
    if (crc != BE32(c.Data + c.Length)) Fail(kCrcError);
}

bool ValidFormat(int colorType, int depth) {
    switch (colorType) {
        case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case 2:
        case 4:
        case 6: return depth == 8 || depth == 16;
        default: return false;
    }
}

int Samples(int colorType) { return colorType == 2 ? 3 : colorType == 4 ? 2 : colorType == 6 ? 4 : 1; }

uint8_t Reduce16(uint32_t v) { return uint8_t(v * 255 / 65535); }

const int kPasses[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

}  // namespace

// ---------------------------------------------------------------------------

struct TLZ77Decoder::State {
    z_stream Stream{};
};

TLZ77Decoder::TLZ77Decoder(int flushMode, bool autoReset)
    : state_(new State), flushMode_(flushMode), autoReset_(autoReset) {}

TLZ77Decoder::~TLZ77Decoder() {
    if (initialized_) inflateEnd(&state_->Stream);
    delete state_;
}

void TLZ77Decoder::DecodeInit() {
    if (initialized_) inflateEnd(&state_->Stream);
    state_->Stream = z_stream{};
    initialized_ = inflateInit(&state_->Stream) == Z_OK;
    if (!initialized_) throw EGraphicCompression("LZ77 decompression error.");
}

void TLZ77Decoder::Decode(const uint8_t*& source, size_t& sourceSize, uint8_t*& dest, size_t& destSize) {
    z_stream& z = state_->Stream;
    z.next_in = const_cast<Bytef*>(source);
    z.avail_in = uInt(std::min<size_t>(sourceSize, 0x40000000));
    z.next_out = dest;
    z.avail_out = uInt(std::min<size_t>(destSize, 0x40000000));
    uInt inBefore = z.avail_in, outBefore = z.avail_out;
    result_ = inflate(&z, flushMode_);
    source += inBefore - z.avail_in;
    sourceSize -= inBefore - z.avail_in;
    dest += outBefore - z.avail_out;
    destSize -= outBefore - z.avail_out;
    if (autoReset_ && result_ == Z_STREAM_END) inflateReset(&z);
}

void TLZ77Decoder::DecodeEnd() {
    if (initialized_ && inflateEnd(&state_->Stream) != Z_OK) {
        initialized_ = false;
        throw EGraphicCompression("LZ77 decompression error.");
    }
    initialized_ = false;
}

size_t TLZ77Decoder::AvailableInput() const { return state_->Stream.avail_in; }
size_t TLZ77Decoder::AvailableOutput() const { return state_->Stream.avail_out; }

// ---------------------------------------------------------------------------

namespace {

// One load: the header, chunk state and the row decoding.
class PngLoader {
public:
    PngLoader(TPNGGraphic& g, const uint8_t* data, size_t size) : g_(g), data_(data), size_(size) {}
    void Run();

private:
    void ReadHeader(const ChunkInfo& c);
    void ReadPalette(const ChunkInfo& c);
    void ReadGamma(const ChunkInfo& c);
    void ReadBackground(const ChunkInfo& c);
    void ReadTransparency(const ChunkInfo& c);
    void DecodeImage(ChunkReader& reader, const ChunkInfo& first);
    void PrepareBitmap();
    void FillBackground(uint32_t firstRow);
    void Unfilter(uint8_t* row, const uint8_t* prev, size_t bytes, int filter) const;
    void ConvertRow(const uint8_t* row, uint32_t y, uint32_t x0, uint32_t dx, uint32_t count);
    uint32_t Sample(const uint8_t* row, size_t index) const;
    uint8_t Gamma(uint8_t v) const { return gammaOn_ ? gamma_[v] : v; }

    TPNGGraphic& g_;
    const uint8_t* data_;
    size_t size_;
    std::vector<uint32_t> plte_;
    bool gammaOn_ = false;
    uint8_t gamma_[256] = {};
    int backgroundIndex_ = -1;  // palette formats; -1: nearest to the colour
    uint8_t fill_[4] = {};      // the background as one pixel of the bitmap
    bool decoded_ = false;
};

void PngLoader::Run() {
    // Pre-check: signature, IHDR first, a size, and whether a gAMA chunk exists.
    if (size_ < 8 || std::memcmp(data_, kSignature, 8) != 0) Fail(kInvalidFormat);
    ChunkReader scan(data_, size_, 8);
    ChunkInfo c;
    if (!scan.Peek(c) || !c.Is("IHDR") || c.Length < 13) Fail(kInvalidFormat);
    uint32_t w = BE32(c.Data), h = BE32(c.Data + 4);
    if (w == 0 || h == 0 || w > uint32_t(g_.MaxSide) || h > uint32_t(g_.MaxSide) ||
        int64_t(w) * int64_t(h) > g_.MaxPixels)
        Fail(kInvalidFormat);
    for (;;) {
        if (!scan.Peek(c)) break;
        scan.Next();
        if (c.Is("GAMA")) g_.HasGamma = true;
        if (c.Is("IEND")) break;
    }

    ChunkReader reader(data_, size_, 8);
    ReadHeader(reader.Next());
    for (;;) {
        ChunkInfo chunk;
        if (!reader.Peek(chunk)) Fail(kInvalidFormat);
        if (chunk.Is("IDAT")) {
            if (decoded_) {  // a second run of image data after other chunks
                CheckCrc(reader.Next());
                continue;
            }
            DecodeImage(reader, chunk);
            continue;
        }
        reader.Next();
        if (chunk.Is("IEND")) break;
        if (chunk.Is("PLTE")) {
            CheckCrc(chunk);
            ReadPalette(chunk);
        } else if (chunk.Is("GAMA")) {
            CheckCrc(chunk);
            ReadGamma(chunk);
        } else if (chunk.Is("BKGD")) {
            CheckCrc(chunk);
            ReadBackground(chunk);
        } else if (chunk.Is("TRNS")) {
            CheckCrc(chunk);
            ReadTransparency(chunk);
        } else if (chunk.Critical) {
            Fail(kCriticalChunk);
        }
    }
    if (!decoded_) Fail(kInvalidFormat);
}

void PngLoader::ReadHeader(const ChunkInfo& c) {
    CheckCrc(c);
    g_.Width = BE32(c.Data);
    g_.Height = BE32(c.Data + 4);
    g_.BitDepth = c.Data[8];
    g_.ColorType = c.Data[9];
    g_.Compression = c.Data[10];
    g_.Interlace = c.Data[12];
    if (g_.Compression != 0) Fail(kNoCompressionScheme);
    if (!ValidFormat(g_.ColorType, g_.BitDepth)) Fail(kBadColorFormat);
    if (c.Data[11] != 0 || g_.Interlace > 1) Fail(kInvalidFormat);
    switch (g_.ColorType) {
        case 0:
        case 3: g_.PixelBits = g_.BitDepth == 1 ? 1 : g_.BitDepth <= 4 ? 4 : 8; break;
        case 4: g_.PixelBits = 8; break;  // grey with alpha: the grey only, its alpha samples are dropped
        case 2: g_.PixelBits = 24; break;
        default: g_.PixelBits = 32; break;
    }
}

void PngLoader::ReadPalette(const ChunkInfo& c) {
    size_t entries = c.Length / 3;
    if (c.Length % 3 != 0 || entries == 0 || entries > 256) Fail(kBadPalette);
    if (g_.ColorType != 3) return;
    if (entries > (size_t(1) << g_.BitDepth)) Fail(kBadPalette);
    plte_.clear();
    for (size_t i = 0; i < entries; ++i) {
        const uint8_t* p = c.Data + 3 * i;
        plte_.push_back(uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16);
    }
}

void PngLoader::ReadGamma(const ChunkInfo& c) {
    if (c.Length < 4) return;
    uint32_t v = BE32(c.Data);
    if (v == 0 || v > 0x7FFFFFFF) return;  // no usable exponent
    const double fileGamma = v / 100000.0, displayGamma = 2.2;
    const double exponent = 1.0 / (fileGamma * displayGamma);
    for (int i = 0; i < 256; ++i)
        gamma_[i] = uint8_t(std::clamp(std::lround(std::pow(i / 255.0, exponent) * 255), 0L, 255L));
    gammaOn_ = true;
}

void PngLoader::ReadBackground(const ChunkInfo& c) {
    switch (g_.ColorType) {
        case 0:
        case 4: {
            if (c.Length < 2) return;
            uint32_t v = BE16(c.Data);
            if (g_.BitDepth == 16) v = Reduce16(v);
            else if (g_.BitDepth == 2) v = v * 15 / 3;
            v = std::min<uint32_t>(v, 255);
            backgroundIndex_ = int(std::min<uint32_t>(v, (1u << g_.PixelBits) - 1));
            g_.BackgroundColor = TColor(v | v << 8 | v << 16);
            break;
        }
        case 2:
        case 6: {
            if (c.Length < 6) return;
            uint32_t rgb[3];
            for (int i = 0; i < 3; ++i) {
                uint32_t v = BE16(c.Data + 2 * i);
                rgb[i] = g_.BitDepth == 16 ? Reduce16(v) : std::min<uint32_t>(v, 255);
            }
            g_.BackgroundColor = TColor(rgb[0] | rgb[1] << 8 | rgb[2] << 16);
            break;
        }
        case 3:
            if (c.Length < 1) return;
            backgroundIndex_ = c.Data[0];
            break;
    }
}

void PngLoader::ReadTransparency(const ChunkInfo& c) {
    switch (g_.ColorType) {
        case 0: {
            if (c.Length < 2) return;
            uint32_t v = BE16(c.Data);
            if (g_.BitDepth == 16) v = Reduce16(v);
            else if (g_.BitDepth == 2) v = v * 15 / 3;
            v = std::min<uint32_t>(v, 255);
            g_.TransparentColor = TColor(v | v << 8 | v << 16);
            g_.Transparent = true;
            break;
        }
        case 2: {
            if (c.Length < 6) return;
            uint32_t rgb[3];
            for (int i = 0; i < 3; ++i) {
                uint32_t v = BE16(c.Data + 2 * i);
                rgb[i] = g_.BitDepth == 16 ? Reduce16(v) : std::min<uint32_t>(v, 255);
            }
            g_.TransparentColor = TColor(rgb[0] | rgb[1] << 8 | rgb[2] << 16);
            g_.Transparent = true;
            break;
        }
        case 3: {
            g_.AlphaTable.fill(255);
            size_t n = std::min<size_t>(c.Length, 256);
            std::memcpy(g_.AlphaTable.data(), c.Data, n);
            g_.HasAlphaTable = true;
            break;
        }
        default: break;  // ignored for grey with alpha and RGBA
    }
}

void PngLoader::PrepareBitmap() {
    const size_t bpp = g_.BytesPerPixel();
    try {
        g_.Pixels.assign(size_t(g_.Width) * g_.Height * bpp, 0);
    } catch (const std::bad_alloc&) {
        Fail(kInvalidFormat);
    }
    uint8_t fill[4] = {0, 0, 0, 0};
    if (g_.PixelBits <= 8) {
        const size_t n = size_t(1) << g_.PixelBits;
        g_.Palette.assign(n, 0);
        if (g_.ColorType == 3) {
            std::copy(plte_.begin(), plte_.end(), g_.Palette.begin());
        } else {
            for (size_t k = 0; k < n; ++k) {
                uint8_t level = Gamma(uint8_t(k * 255 / (n - 1)));
                g_.Palette[k] = uint32_t(level) * 0x010101u;
            }
        }
        int index = backgroundIndex_;
        if (index < 0 || size_t(index) >= n) {
            // The entry nearest to the background colour.
            uint32_t bg = SwapRedBlue(uint32_t(g_.BackgroundColor));
            int64_t best = INT64_MAX;
            for (size_t k = 0; k < n; ++k) {
                int64_t d = 0;
                for (int s = 0; s < 24; s += 8) {
                    int64_t e = int64_t((g_.Palette[k] >> s) & 0xFF) - int64_t((bg >> s) & 0xFF);
                    d += e * e;
                }
                if (d < best) {
                    best = d;
                    index = int(k);
                }
            }
        }
        fill[0] = uint8_t(index);
        uint32_t c = g_.Palette[size_t(index)];
        g_.BackgroundColor = TColor(SwapRedBlue(c));
    } else {
        uint32_t c = uint32_t(g_.BackgroundColor);
        fill[0] = uint8_t(c >> 16);
        fill[1] = uint8_t(c >> 8);
        fill[2] = uint8_t(c);
    }
    std::memcpy(fill_, fill, sizeof fill_);
}

// Rows from firstRow on take the background (pixels no image data reached).
void PngLoader::FillBackground(uint32_t firstRow) {
    if (firstRow >= g_.Height) return;
    const size_t bpp = g_.BytesPerPixel(), rowBytes = size_t(g_.Width) * bpp;
    uint8_t* start = g_.Pixels.data() + size_t(firstRow) * rowBytes;
    uint8_t* end = g_.Pixels.data() + g_.Pixels.size();
    if (std::all_of(fill_ + 1, fill_ + bpp, [&](uint8_t b) { return b == fill_[0]; })) {
        std::memset(start, fill_[0], size_t(end - start));
        return;
    }
    for (size_t i = 0; i < rowBytes; i += bpp) std::memcpy(start + i, fill_, bpp);
    for (uint8_t* row = start + rowBytes; row < end; row += rowBytes) std::memcpy(row, start, rowBytes);
}

// The filters with the pixel distance D (bytes per complete pixel, at least
// one) known to the compiler; the first D bytes, which have no left
// neighbour, are done apart, so the loops carry no bounds tests.
template <size_t D>
void UnfilterRow(uint8_t* row, const uint8_t* prev, size_t bytes, int filter) {
    const size_t head = std::min(D, bytes);
    switch (filter) {
        case 0: break;
        case 1:
            for (size_t i = D; i < bytes; ++i) row[i] = uint8_t(row[i] + row[i - D]);
            break;
        case 2:
            for (size_t i = 0; i < bytes; ++i) row[i] = uint8_t(row[i] + prev[i]);
            break;
        case 3:
            for (size_t i = 0; i < head; ++i) row[i] = uint8_t(row[i] + (prev[i] >> 1));
            for (size_t i = D; i < bytes; ++i) row[i] = uint8_t(row[i] + ((unsigned(row[i - D]) + prev[i]) >> 1));
            break;
        case 4:
            for (size_t i = 0; i < head; ++i) row[i] = uint8_t(row[i] + prev[i]);  // a = c = 0: b wins
            for (size_t i = D; i < bytes; ++i) {
                const int a = row[i - D], b = prev[i], c = prev[i - D];
                const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
                const int pred = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
                row[i] = uint8_t(row[i] + pred);
            }
            break;
        default: Fail(kInvalidFormat);
    }
}

void PngLoader::Unfilter(uint8_t* row, const uint8_t* prev, size_t bytes, int filter) const {
    switch (std::max<size_t>(1, size_t(g_.BitDepth) * Samples(g_.ColorType) / 8)) {
        case 1: UnfilterRow<1>(row, prev, bytes, filter); break;
        case 2: UnfilterRow<2>(row, prev, bytes, filter); break;
        case 3: UnfilterRow<3>(row, prev, bytes, filter); break;
        case 4: UnfilterRow<4>(row, prev, bytes, filter); break;
        case 6: UnfilterRow<6>(row, prev, bytes, filter); break;
        default: UnfilterRow<8>(row, prev, bytes, filter); break;
    }
}

// Sample `index` of a row (samples counted across pixels), at the file's depth.
uint32_t PngLoader::Sample(const uint8_t* row, size_t index) const {
    switch (g_.BitDepth) {
        case 16: return BE16(row + 2 * index);
        case 8: return row[index];
        default: {
            const size_t bit = index * g_.BitDepth;
            const unsigned shift = 8 - g_.BitDepth - unsigned(bit % 8);
            return (row[bit / 8] >> shift) & ((1u << g_.BitDepth) - 1);
        }
    }
}

void PngLoader::ConvertRow(const uint8_t* row, uint32_t y, uint32_t x0, uint32_t dx, uint32_t count) {
    const size_t bpp = g_.BytesPerPixel();
    uint8_t* out = g_.Pixels.data() + (size_t(y) * g_.Width + x0) * bpp;
    const size_t step = size_t(dx) * bpp;
    const bool wide = g_.BitDepth == 16;
    auto eight = [&](size_t index) { return wide ? Reduce16(Sample(row, index)) : uint8_t(Sample(row, index)); };
    if (g_.BitDepth == 8) {  // the common depth, without the per-sample dispatch
        switch (g_.ColorType) {
            case 0:
            case 3:
                if (dx == 1) std::memcpy(out, row, count);
                else
                    for (uint32_t i = 0; i < count; ++i, out += step) *out = row[i];
                return;
            case 2:
                if (gammaOn_) {
                    for (uint32_t i = 0; i < count; ++i, out += step, row += 3)
                        out[0] = gamma_[row[2]], out[1] = gamma_[row[1]], out[2] = gamma_[row[0]];
                } else {
                    for (uint32_t i = 0; i < count; ++i, out += step, row += 3)
                        out[0] = row[2], out[1] = row[1], out[2] = row[0];
                }
                return;
            case 4:
                for (uint32_t i = 0; i < count; ++i, out += step, row += 2) *out = row[0];
                return;
            case 6:
                if (gammaOn_) {
                    for (uint32_t i = 0; i < count; ++i, out += step, row += 4)
                        out[0] = gamma_[row[2]], out[1] = gamma_[row[1]], out[2] = gamma_[row[0]], out[3] = row[3];
                } else {
                    for (uint32_t i = 0; i < count; ++i, out += step, row += 4) {
                        uint32_t v;
                        std::memcpy(&v, row, 4);  // R G B A -> B G R A: swap bytes 0 and 2
                        v = (v & 0xFF00FF00u) | (v >> 16 & 0xFFu) | (v & 0xFFu) << 16;
                        std::memcpy(out, &v, 4);
                    }
                }
                return;
        }
    }
    switch (g_.ColorType) {
        case 0:
            for (uint32_t i = 0; i < count; ++i, out += step) {
                uint32_t v = Sample(row, i);
                if (wide) v = Reduce16(v);
                else if (g_.BitDepth == 2) v *= 5;  // onto the 16 levels of the 4-bit palette
                *out = uint8_t(v);
            }
            break;
        case 3:
            for (uint32_t i = 0; i < count; ++i, out += step) *out = uint8_t(Sample(row, i));
            break;
        case 2:
            for (uint32_t i = 0; i < count; ++i, out += step) {
                out[2] = Gamma(eight(3 * size_t(i)));
                out[1] = Gamma(eight(3 * size_t(i) + 1));
                out[0] = Gamma(eight(3 * size_t(i) + 2));
            }
            break;
        case 4:
            for (uint32_t i = 0; i < count; ++i, out += step) *out = eight(2 * size_t(i));
            break;
        case 6:
            for (uint32_t i = 0; i < count; ++i, out += step) {
                out[2] = Gamma(eight(4 * size_t(i)));
                out[1] = Gamma(eight(4 * size_t(i) + 1));
                out[0] = Gamma(eight(4 * size_t(i) + 2));
                out[3] = eight(4 * size_t(i) + 3);
            }
            break;
    }
}

void PngLoader::DecodeImage(ChunkReader& reader, const ChunkInfo&) {
    decoded_ = true;
    PrepareBitmap();
    // Interlaced pictures are filled in pass by pass: the background goes in
    // first. Plain ones fill rows in order; only those after the last decoded
    // row need it.
    uint32_t rowsDone = 0;
    if (g_.Interlace) FillBackground(0);
    TLZ77Decoder decoder;
    decoder.DecodeInit();

    const uint8_t* in = nullptr;
    size_t avail = 0;
    // The next IDAT chunk's data, CRC-checked; false when the run of IDAT ends.
    auto refill = [&]() {
        ChunkInfo c;
        while (reader.Peek(c) && c.Is("IDAT")) {
            reader.Next();
            CheckCrc(c);
            in = c.Data;
            avail = c.Length;
            if (avail > 0) return true;
        }
        return false;
    };

    const int bitsPerPixel = g_.BitDepth * Samples(g_.ColorType);
    std::vector<uint8_t> row, prev;
    bool streamEnded = false, dataOver = false;
    for (int pass = 0; pass < (g_.Interlace ? 7 : 1) && !dataOver; ++pass) {
        uint32_t x0 = 0, y0 = 0, dx = 1, dy = 1;
        if (g_.Interlace) {
            x0 = uint32_t(kPasses[pass][0]);
            y0 = uint32_t(kPasses[pass][1]);
            dx = uint32_t(kPasses[pass][2]);
            dy = uint32_t(kPasses[pass][3]);
        }
        if (x0 >= g_.Width || y0 >= g_.Height) continue;  // pass empty in columns or rows
        const uint32_t count = (g_.Width - x0 + dx - 1) / dx;
        const size_t bytes = (uint64_t(count) * uint64_t(bitsPerPixel) + 7) / 8;
        row.assign(bytes + 1, 0);
        prev.assign(bytes + 1, 0);
        for (uint32_t y = y0; y < g_.Height; y += dy) {
            uint8_t* out = row.data();
            size_t left = row.size();
            while (left > 0) {
                if (avail == 0 && !refill()) {
                    dataOver = true;
                    break;
                }
                decoder.Decode(in, avail, out, left);
                int r = decoder.ZLibResult();
                if (r == Z_STREAM_END) {
                    streamEnded = true;
                    if (avail > 0) Fail(kExtraData);
                    if (left > 0) dataOver = true;
                    break;
                }
                if (r != Z_OK && r != Z_BUF_ERROR) Fail(kCompressionError);
            }
            if (dataOver) break;  // the rest keeps the background
            Unfilter(row.data() + 1, prev.data() + 1, bytes, row[0]);
            ConvertRow(row.data() + 1, y, x0, dx, count);
            std::swap(row, prev);
            rowsDone = y + 1;
        }
    }
    if (!g_.Interlace) FillBackground(rowsDone);
    // Finish the stream over the remaining image data: data after its end is
    // an error; surplus pixels are ignored.
    uint8_t scratch[256];
    while (!streamEnded && (avail > 0 || refill())) {
        uint8_t* out = scratch;
        size_t left = sizeof scratch;
        decoder.Decode(in, avail, out, left);
        int r = decoder.ZLibResult();
        if (r == Z_STREAM_END) {
            streamEnded = true;
            if (avail > 0) Fail(kExtraData);
        } else if (r != Z_OK && r != Z_BUF_ERROR) {
            Fail(kCompressionError);
        }
        if (left < sizeof scratch) break;
    }
    while (refill()) {
    }
    decoder.DecodeEnd();
}

}  // namespace

void TPNGGraphic::Clear() {
    Width = Height = 0;
    BitDepth = ColorType = Compression = Interlace = 0;
    HasGamma = false;
    PixelBits = 0;
    Palette.clear();
    Pixels.clear();
    AlphaTable.fill(255);
    HasAlphaTable = false;
    BackgroundColor = 0xFFFFFF;
    TransparentColor = skNoColor;
    Transparent = false;
}

void TPNGGraphic::LoadFromStream(const uint8_t* data, size_t size) {
    Clear();
    try {
        PngLoader(*this, data, size).Run();
    } catch (...) {
        Clear();
        throw;
    }
}

void TPNGGraphic::LoadFromFile(const std::string& fileName) {
    const std::vector<uint8_t> bytes = ReadFileBytes(fileName);
    LoadFromStream(bytes.data(), bytes.size());
}

void CopyPngAlphaToBitmap(TBitmap32& target, const TPNGGraphic& g) {
    if (g.Empty() || !target.SetSize(int(g.Width), int(g.Height))) {
        target.SetSize(0, 0);
        return;
    }
    TImageView32 v = target.View();
    const size_t bpp = g.BytesPerPixel();
    const bool alphaTable = g.ColorType == 3 && g.HasAlphaTable;
    const bool shadow = !alphaTable && g.HasGamma;  // grey shadow images: black, alpha 255 - red
    auto put = [shadow](uint8_t* t, uint32_t c, uint8_t alpha) {
        if (shadow) {
            alpha = uint8_t(255 - ((c >> 16) & 0xFF));
            c = 0;
        }
        t[0] = uint8_t(c);
        t[1] = uint8_t(c >> 8);
        t[2] = uint8_t(c >> 16);
        t[3] = alpha;
    };
    if (bpp == 4) {
        for (uint32_t y = 0; y < g.Height; ++y) std::memcpy(v.Pixel(0, int(y)), g.Row(y), size_t(g.Width) * 4);
    } else if (bpp == 3) {
        for (uint32_t y = 0; y < g.Height; ++y) {
            const uint8_t* s = g.Row(y);
            uint8_t* t = v.Pixel(0, int(y));
            if (shadow) {
                for (uint32_t x = 0; x < g.Width; ++x, s += 3, t += 4)
                    put(t, uint32_t(s[0]) | uint32_t(s[1]) << 8 | uint32_t(s[2]) << 16, 255);
            } else {
                for (uint32_t x = 0; x < g.Width; ++x, s += 3, t += 4) t[0] = s[0], t[1] = s[1], t[2] = s[2], t[3] = 255;
            }
        }
    } else {
        // One 32-bit pixel per possible index.
        uint8_t lut[256][4];
        for (size_t i = 0; i < 256; ++i)
            put(lut[i], i < g.Palette.size() ? g.Palette[i] : 0, alphaTable ? g.AlphaTable[i] : 255);
        for (uint32_t y = 0; y < g.Height; ++y) {
            const uint8_t* s = g.Row(y);
            uint8_t* t = v.Pixel(0, int(y));
            for (uint32_t x = 0; x < g.Width; ++x, t += 4) std::memcpy(t, lut[s[x]], 4);
        }
    }
}

bool LoadPngToBitmap(TBitmap32& target, const uint8_t* data, size_t size) {
    TPNGGraphic g;
    try {
        g.LoadFromStream(data, size);
    } catch (const Exception&) {
        target.SetSize(0, 0);
        return false;
    }
    CopyPngAlphaToBitmap(target, g);
    return !target.View().Empty();
}

}  // namespace ad::skin
