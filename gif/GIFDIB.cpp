// Bitmaps in memory for the codec: the portable bitmap, its reader at a pixel
// format, and the device-independent bitmap writer.
#include "gif/GIFDIB.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace ad::gif {

int GIFPixelFormatBits(TGIFPixelFormat format) {
    switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return 0;
    }
}

int64_t GIFDibRowSize(int width, int bits) {
    return (int64_t(width) * bits + 31) / 32 * 4;
}

// Checks a size against the budget and answers the pixel block's bytes.
static size_t CheckedBlockSize(int width, int height, int bits) {
    if (width <= 0 || height <= 0) throw GIFException(gifmsg::InvalidImageDimensions);
    int64_t bytes = GIFDibRowSize(width, bits) * height;
    if (bytes > GIFMaxDibBytes) throw EOutOfMemory(gifmsg::DIBAllocFailed);
    return size_t(bytes);
}

static std::vector<uint8_t> AllocateBlock(size_t bytes) {
    try {
        return std::vector<uint8_t>(bytes, 0);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(gifmsg::DIBAllocFailed);
    }
}

TGIFDib::TGIFDib(int width, int height, TGIFPixelFormat format) : Width(width), Height(height), PixelFormat(format) {
    int bits = GIFPixelFormatBits(format);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) throw GIFException(gifmsg::UnsupportedPixelFormat);
    Bits = AllocateBlock(CheckedBlockSize(width, height, bits));
    Stride = int(GIFDibRowSize(width, bits));
}

TGIFColor TGIFDib::ColorAt(int x, int y) const {
    const uint8_t* row = Row(y);
    int index;
    switch (PixelFormat) {
    case pf24bit: return {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]};
    case pf1bit: index = (row[x >> 3] >> (7 - (x & 7))) & 1; break;
    case pf4bit: index = (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4; break;
    default: index = row[x]; break;
    }
    if (Palette.empty()) return {};
    return Palette[size_t(index) < Palette.size() ? size_t(index) : 0];
}

TDIBReader::TDIBReader(const TGIFDib& bitmap, TGIFPixelFormat format) : dib_(&bitmap) {
    bool asIs = format == bitmap.PixelFormat &&
                (format == pf1bit || format == pf4bit || format == pf8bit || format == pf24bit);
    if (asIs || bitmap.Empty()) return;
    converted_ = TGIFDib(bitmap.Width, bitmap.Height, pf24bit);
    for (int y = 0; y < bitmap.Height; ++y) {
        uint8_t* out = converted_.Row(y);
        for (int x = 0; x < bitmap.Width; ++x) {
            TGIFColor c = bitmap.ColorAt(x, y);
            out[x * 3] = c.Blue;
            out[x * 3 + 1] = c.Green;
            out[x * 3 + 2] = c.Red;
        }
    }
    converted_.Mask = bitmap.Mask;
    dib_ = &converted_;
}

const uint8_t* TDIBReader::ScanLine(int row) const {
    if (row < 0 || row >= dib_->Height) throw EInvalidGraphicOperation(gifmsg::ScanLineOutOfRange);
    return dib_->Row(row);
}

TDIBWriter::TDIBWriter(const TGIFPalette* palette, int height, int width, TGIFPixelFormat format)
    : width_(width), height_(height), format_(format), hasPalette_(palette != nullptr) {
    if (format != pf8bit && format != pf24bit) throw GIFException(gifmsg::UnsupportedPixelFormat);
    if (width <= 0 || height <= 0) throw GIFException(gifmsg::InvalidImageDimensions);
    // A palette never has more than 256 entries.
    if (palette) palette_.assign(palette->begin(), palette->begin() + long(std::min<size_t>(palette->size(), 256)));
}

static void PutLE(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

void TDIBWriter::MakeMemory() {
    int bits = GIFPixelFormatBits(format_);
    size_t block = CheckedBlockSize(width_, height_, bits);
    bool indexed = format_ == pf8bit;
    info_.assign(40 + (indexed ? 256 * 4 : 0), 0);
    PutLE(info_, 0, 40, 4);
    PutLE(info_, 4, uint32_t(width_), 4);
    PutLE(info_, 8, uint32_t(height_), 4);  // positive: rows bottom-up
    PutLE(info_, 12, 1, 2);
    PutLE(info_, 14, uint32_t(bits), 2);
    if (indexed) {
        PutLE(info_, 32, 256, 4);
        PutLE(info_, 36, hasPalette_ ? uint32_t(palette_.size()) : 0, 4);
        for (size_t i = 0; i < palette_.size(); ++i) {
            info_[40 + i * 4] = palette_[i].Blue;
            info_[40 + i * 4 + 1] = palette_[i].Green;
            info_[40 + i * 4 + 2] = palette_[i].Red;
        }
    }
    try {
        bits_ = AllocateBlock(block);
    } catch (...) {
        info_.clear();
        throw;
    }
}

uint8_t* TDIBWriter::ScanLine(int row) {
    if (bits_.empty()) MakeMemory();
    if (row < 0 || row >= height_) throw EInvalidGraphicOperation(gifmsg::ScanLineOutOfRange);
    return bits_.data() + size_t(height_ - row - 1) * size_t(RowSize());
}

std::vector<uint8_t> TDIBWriter::BitmapFile() const {
    if (bits_.empty()) throw GIFException(gifmsg::NoDIB);
    std::vector<uint8_t> file(14 + info_.size() + bits_.size());
    file[0] = 'B';
    file[1] = 'M';
    PutLE(file, 2, uint32_t(file.size()), 4);
    PutLE(file, 10, uint32_t(14 + info_.size()), 4);
    std::memcpy(file.data() + 14, info_.data(), info_.size());
    std::memcpy(file.data() + 14 + info_.size(), bits_.data(), bits_.size());
    return file;
}

TGIFDib TDIBWriter::ToDib() const {
    if (bits_.empty()) throw GIFException(gifmsg::NoDIB);
    TGIFDib dib(width_, height_, format_);
    for (int y = 0; y < height_; ++y)
        std::memcpy(dib.Row(y), bits_.data() + size_t(height_ - y - 1) * size_t(RowSize()), size_t(dib.Stride));
    if (format_ == pf8bit) {
        dib.Palette = palette_;
    }
    return dib;
}

}  // namespace ad::gif
