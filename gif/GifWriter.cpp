// Writing the object model as a GIF file: header, frames with their
// extensions, descriptors, colour tables and compressed data, and the trailer.
#include <memory>

#include "gif/GIFEncoders.h"
#include "gif/GifCodec.h"

namespace ad::gif {

void TGIFHeader::SaveToStream(TStream& stream) {
    int version = Image ? Image->FormatVersion() : FormatVersion();
    if (version == 0) throw GIFException(gifmsg::UnsupportedVersion);
    stream.Write(version == 1 ? "GIF87a" : "GIF89a", 6);
    UpdateFlags();
    uint8_t lsd[7] = {uint8_t(Width), uint8_t(Width >> 8), uint8_t(Height), uint8_t(Height >> 8),
                      Packed,         BackgroundColorIndex, AspectRatio};
    stream.Write(lsd, 7);
    if (Packed & 0x80) ColorMap.SaveToStream(stream);
}

void TGIFSubImage::SaveToStream(TStream& stream) {
    Extensions.SaveToStream(stream);
    if (Empty()) return;
    if (ColorMap.Count > 0) {
        Packed = uint8_t((Packed & 0x18) | 0x80 | (ColorMap.Sorted ? 0x20 : 0) |
                         ((ColorMap.BitsPerPixel() - 1) & 7));
    } else {
        Packed &= 0x58;
    }
    uint8_t d[10] = {0x2C,
                     uint8_t(left_), uint8_t(left_ >> 8), uint8_t(top_), uint8_t(top_ >> 8),
                     uint8_t(width_), uint8_t(width_ >> 8), uint8_t(height_), uint8_t(height_ >> 8),
                     Packed};
    stream.Write(d, 10);
    ColorMap.SaveToStream(stream);
    Encode(stream);
}

void TGIFSubImage::Encode(TStream& stream) {
    std::unique_ptr<TGIFEncoder> encoder;
    if (Image && Image->CodecKind == gcRLE)
        encoder = std::make_unique<TRLEEncoder>();
    else
        encoder = std::make_unique<TLZWEncoder>();
    encoder->OnWarning = [this](const std::string& message) { ReportWarning(message); };
    int bits, limit;
    if (ColorMap.Count > 0) {
        bits = ColorMap.BitsPerPixel();
        limit = ColorMap.Count;
    } else {
        bits = Image ? Image->BitsPerPixel() : 8;
        limit = 1 << bits;
    }
    encoder->Compress(stream, data_.data(), width_, height_, Interlaced(), bits, limit);
}

void TGifPicture::SaveToStream(TStream& stream) {
    Progress(psStarting, 0, false, gifmsg::Saving);
    try {
        Header.SaveToStream(stream);
        int n = Frames.Count();
        for (int i = 0; i < n; ++i) {
            Frames.Frames(i)->SaveToStream(stream);
            Progress(psRunning, (i + 1) * 100 / n, false, gifmsg::Saving);
        }
        TGIFTrailer trailer(this);
        trailer.SaveToStream(stream);
    } catch (...) {
        Progress(psEnding, 0, true, gifmsg::Saving);
        throw;
    }
    Progress(psEnding, 100, true, gifmsg::Saving);
}

}  // namespace ad::gif
