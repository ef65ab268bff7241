// Reading GIF files into the object model. Tolerant: a 4-byte prefix before the
// signature, padding between blocks, a missing trailer and unknown blocks are
// accepted; most damage is a warning and what was read is kept.
#include <algorithm>
#include <cctype>
#include <memory>

#include "gif/GIFLZWDecoder.h"
#include "gif/GifCodec.h"

namespace ad::gif {

// Reads one byte, skipping zero bytes; false at the end of the stream.
static bool ReadNonZero(TStream& stream, uint8_t& b) {
    while (stream.ReadByte(b))
        if (b != 0) return true;
    return false;
}

static bool IsSignature(const uint8_t* b) {
    return std::toupper(b[0]) == 'G' && std::toupper(b[1]) == 'I' && std::toupper(b[2]) == 'F';
}

void TGIFHeader::LoadFromStream(TStream& stream) {
    int64_t start = stream.Position();
    uint8_t sig[6];
    GIFReadExact(stream, sig, 6);
    if (!IsSignature(sig)) {
        stream.SetPosition(start + 4);
        GIFReadExact(stream, sig, 6);
        if (!IsSignature(sig)) throw GIFException(gifmsg::InvalidSignature);
    }
    uint8_t lsd[7];
    GIFReadExact(stream, lsd, 7);
    Width = uint16_t(lsd[0] | lsd[1] << 8);
    Height = uint16_t(lsd[2] | lsd[3] << 8);
    Packed = lsd[4];
    BackgroundColorIndex = lsd[5];
    AspectRatio = lsd[6];
    if (Packed & 0x80)
        ColorMap.LoadFromStream(stream, 2 << (Packed & 7));
    else
        ColorMap.Clear();
}

void TGifPictureList::LoadFromStream(TStream& stream, TGifPicture* parent) {
    uint8_t b;
    if (!ReadNonZero(stream, b)) return;
    while (b != 0x3B) {
        stream.Seek(-1, soCurrent);
        if (b != 0x21 && b != 0x2C) {
            ReportWarning(gifmsg::UnknownBlockType);
            return;
        }
        std::unique_ptr<TGIFSubImage> frame(new TGIFSubImage(parent));
        frame->LoadFromStream(stream);
        Add(frame.release());
        int64_t size = stream.Size();
        parent->Progress(psRunning, size > 0 ? int(stream.Position() * 100 / size) : 0, false, gifmsg::Loading);
        if (!ReadNonZero(stream, b)) return;
    }
    stream.Seek(-1, soCurrent);
}

void TGIFExtensionList::LoadFromStream(TStream& stream, TGIFSubImage* parent) {
    uint8_t b;
    if (!stream.ReadByte(b)) return;
    while (b != 0x2C && b != 0x3B) {
        if (b != 0x21) {
            ReportWarning(gifmsg::InvalidExtensionIntroducer);
            return;
        }
        const TGIFExtensionClass* cls = FindExtension(stream);
        if (!cls) throw GIFException(gifmsg::UnknownExtension);
        stream.Seek(-1, soCurrent);
        std::unique_ptr<TGIFExtension> ext(cls->Create(parent));
        ext->LoadFromStream(stream);
        Add(ext.release());
        if (!stream.ReadByte(b)) return;
    }
    stream.Seek(-1, soCurrent);
}

void TGIFSubImage::LoadFromStream(TStream& stream) {
    Clear();
    Extensions.LoadFromStream(stream, this);
    uint8_t b;
    if (!stream.ReadByte(b)) return;
    stream.Seek(-1, soCurrent);
    if (b == 0x3B || b == 0) return;

    uint8_t d[10];
    GIFReadExact(stream, d, 10);
    int left = d[1] | d[2] << 8, top = d[3] | d[4] << 8;
    int width = d[5] | d[6] << 8, height = d[7] | d[8] << 8;
    Packed = d[9];
    if (width == 0 || height == 0) {
        width = Image ? Image->Width() : 0;
        height = Image ? Image->Height() : 0;
        ReportWarning(gifmsg::ExceedsScreen);
    }
    // The frame is taken as stored; only what the budgets and the 16-bit
    // screen allow is allocated.
    if (int64_t(left) + width > 65535 || int64_t(top) + height > 65535)
        throw GIFException(gifmsg::FrameOutsideScreen);
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (Packed & 0x80) ColorMap.LoadFromStream(stream, 2 << (Packed & 7));
    Decode(stream);
}

void TGIFSubImage::Decode(TStream& stream) {
    AllocateData();
    if (IsTransparent && GraphicControlExtension)
        std::fill(data_.begin(), data_.end(), GraphicControlExtension->TransparentIndex);
    GIFDecodeImageData(stream, data_.data(), width_, height_, Interlaced(),
                       [this](const std::string& message) { ReportWarning(message); });
}

void TGifPicture::LoadFromStream(TStream& stream) {
    Progress(psStarting, 0, false, gifmsg::Loading);
    int64_t start = 0;
    try {
        Clear();
        start = stream.Position();
        Header.LoadFromStream(stream);
        Frames.LoadFromStream(stream, this);
        GrowScreenToFrames();
        TGIFTrailer trailer(this);
        trailer.LoadFromStream(stream);
    } catch (...) {
        try {
            stream.SetPosition(start);
        } catch (...) {
        }
        Progress(psEnding, 0, true, gifmsg::Loading);
        throw;
    }
    Progress(psEnding, 100, true, gifmsg::Loading);
    Changed();
}

}  // namespace ad::gif
