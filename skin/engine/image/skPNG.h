// The skin engine's PNG reader: every colour type and bit depth, Adam7
// interlace, palette, transparency, gamma and background chunks, CRC-checked
// chunks and image data inflated with zlib. Portable: the image is kept as
// one byte per pixel with a palette (grey and indexed images), blue-green-red
// or blue-green-red-alpha, and CopyPngAlphaToBitmap turns it into a 32-bit
// bitmap with per-pixel alpha.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/image/SkinTypes.h"

namespace ad::skin {

AD_DECLARE_EXCEPTION(EGraphicCompression, Exception);

// Streaming inflate over zlib with a fixed flush mode.
class TLZ77Decoder {
public:
    TLZ77Decoder(int flushMode = 1, bool autoReset = false);
    ~TLZ77Decoder();
    TLZ77Decoder(const TLZ77Decoder&) = delete;
    TLZ77Decoder& operator=(const TLZ77Decoder&) = delete;

    void DecodeInit();  // EGraphicCompression on failure
    // Inflates as much as fits; advances both pointers and lowers both sizes.
    void Decode(const uint8_t*& source, size_t& sourceSize, uint8_t*& dest, size_t& destSize);
    void DecodeEnd();
    int ZLibResult() const { return result_; }
    size_t AvailableInput() const;
    size_t AvailableOutput() const;

private:
    struct State;
    State* state_;
    int flushMode_;
    bool autoReset_;
    bool initialized_ = false;
    int result_ = 0;
};

class TPNGGraphic {
public:
    // Largest side and pixel count accepted (the decoder's memory budget).
    int MaxSide = 32768;
    int64_t MaxPixels = int64_t(1) << 28;

    // Reads a PNG starting at data; the image replaces the current one. Raises
    // EInvalidGraphic or EGraphicCompression, leaving the graphic empty.
    void LoadFromStream(const uint8_t* data, size_t size);
    // The same for a whole file; EFOpenError when it cannot be opened.
    void LoadFromFile(const std::string& fileName);
    bool Empty() const { return Width == 0 || Height == 0; }

    // Header values.
    uint32_t Width = 0, Height = 0;
    uint8_t BitDepth = 0, ColorType = 0, Compression = 0, Interlace = 0;
    bool HasGamma = false;  // the file has a gAMA chunk

    // The decoded image: bits per pixel of the bitmap (1, 4, 8 with Palette;
    // 24 blue-green-red; 32 blue-green-red-alpha) and its pixels, top-down,
    // one byte per pixel for the palette formats.
    int PixelBits = 0;
    std::vector<uint32_t> Palette;  // pixel order, alpha byte 0
    std::vector<uint8_t> Pixels;
    size_t BytesPerPixel() const { return PixelBits == 32 ? 4 : PixelBits == 24 ? 3 : 1; }
    const uint8_t* Row(uint32_t y) const { return Pixels.data() + size_t(y) * Width * BytesPerPixel(); }

    std::array<uint8_t, 256> AlphaTable{};  // indexed images, from tRNS
    bool HasAlphaTable = false;
    TColor BackgroundColor = 0xFFFFFF;
    TColor TransparentColor = skNoColor;
    bool Transparent = false;

private:
    void Clear();
};

// Gives the target the graphic's pixels as 32 bits with alpha: indexed images
// with a transparency table take their alphas; 32-bit (RGBA) images keep theirs;
// other images with a gAMA chunk become black with alpha 255 - red (the
// encoding of grey shadow images), without one opaque. Grey-with-alpha images
// are among the others: the reader drops their alpha samples.
void CopyPngAlphaToBitmap(TBitmap32& target, const TPNGGraphic& graphic);

// Loads a PNG from memory into a 32-bit bitmap with alpha; false (and an empty
// bitmap) when the data is not a readable PNG.
bool LoadPngToBitmap(TBitmap32& target, const uint8_t* data, size_t size);

}  // namespace ad::skin
