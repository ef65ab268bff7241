// Row access to bitmaps for the codec: TGIFDib is the portable bitmap the codec
// reads and makes (1, 4, 8 or 24 bits per pixel, rows top to bottom, each
// padded to 4 bytes, with a palette of up to 256 colours); TDIBReader reads one
// at a chosen pixel format; TDIBWriter builds a device-independent bitmap
// (bottom-up rows, 256 palette entries at 8 bits) and hands it over as the
// bytes of a bitmap file. Portable: the Windows half turns these into system
// bitmaps and back.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gif/GifCodec.h"

namespace ad::gif {

AD_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);
AD_DECLARE_EXCEPTION(EOutOfMemory, Exception);
AD_DECLARE_EXCEPTION(EOutOfResources, Exception);

namespace gifmsg {
constexpr const char* UnsupportedPixelFormat = "Unsupported PixelFormat";
constexpr const char* InvalidImageDimensions = "Invalid image dimensions";
constexpr const char* ScanLineOutOfRange = "Scan line index out of range";
constexpr const char* NoDIB = "Image has no DIB";
constexpr const char* DIBAllocFailed = "Failed to allocate memory for GIF DIB";
}  // namespace gifmsg

// The platform's pixel formats, by their values there.
enum TGIFPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

int GIFPixelFormatBits(TGIFPixelFormat format);  // 0 for device and custom

using TGIFPalette = std::vector<TGIFColor>;

// Largest pixel block a bitmap of the codec may take (bytes).
constexpr int64_t GIFMaxDibBytes = int64_t(1) << 30;

// Bytes of one row padded to 4 bytes, computed in 64 bits.
int64_t GIFDibRowSize(int width, int bits);

// A bitmap in memory: rows top to bottom, Stride bytes each.
struct TGIFDib {
    TGIFDib() = default;
    // Zeroed pixels; an impossible size raises like TDIBWriter.
    TGIFDib(int width, int height, TGIFPixelFormat format);

    bool Empty() const { return Width <= 0 || Height <= 0; }
    uint8_t* Row(int y) { return Bits.data() + size_t(y) * size_t(Stride); }
    const uint8_t* Row(int y) const { return Bits.data() + size_t(y) * size_t(Stride); }
    // The colour of pixel (x, y), whatever the format (palette entry 0 for an
    // index outside the palette, black without one).
    TGIFColor ColorAt(int x, int y) const;

    int Width = 0, Height = 0;
    TGIFPixelFormat PixelFormat = pf24bit;
    int Stride = 0;
    std::vector<uint8_t> Bits;
    TGIFPalette Palette;
    // A monochrome mask of the same size (set: transparent); empty when the
    // bitmap has none. One byte per pixel, rows top to bottom.
    std::vector<uint8_t> Mask;
};

// Reads a bitmap at a pixel format: 1, 4, 8 and 24 bits as they are; any
// other format (or a request for another) reads as 24 bits.
class TDIBReader {
public:
    TDIBReader(const TGIFDib& bitmap, TGIFPixelFormat format);
    const uint8_t* ScanLine(int row) const;
    int Width() const { return dib_->Width; }
    int Height() const { return dib_->Height; }
    TGIFPixelFormat PixelFormat() const { return dib_->PixelFormat; }
    const TGIFPalette& Palette() const { return dib_->Palette; }

private:
    const TGIFDib* dib_;
    TGIFDib converted_;
};

class TDIBWriter {
public:
    // 8 or 24 bits, else "Unsupported PixelFormat"; a width or height of 0
    // (or below) gives "Invalid image dimensions". The memory is made on the
    // first scan line.
    TDIBWriter(const TGIFPalette* palette, int height, int width, TGIFPixelFormat format);

    // Row r counted from the top; raises EInvalidGraphicOperation out of range.
    uint8_t* ScanLine(int row);
    int Width() const { return width_; }
    int Height() const { return height_; }
    TGIFPixelFormat PixelFormat() const { return format_; }
    int64_t RowSize() const { return GIFDibRowSize(width_, GIFPixelFormatBits(format_)); }
    bool HasMemory() const { return !bits_.empty(); }

    // The information block: the 40-byte header, then for 8 bits the 256
    // colour-table entries (blue, green, red, 0).
    const std::vector<uint8_t>& Info() const { return info_; }
    const std::vector<uint8_t>& Bits() const { return bits_; }
    // A complete bitmap file: "BM" header, information block, pixels. Raises
    // "Image has no DIB" before any row was used.
    std::vector<uint8_t> BitmapFile() const;
    // The pixels as a portable bitmap (rows top to bottom).
    TGIFDib ToDib() const;

private:
    void MakeMemory();

    int width_, height_;
    TGIFPixelFormat format_;
    TGIFPalette palette_;
    bool hasPalette_;
    std::vector<uint8_t> info_;
    std::vector<uint8_t> bits_;
};

}  // namespace ad::gif
