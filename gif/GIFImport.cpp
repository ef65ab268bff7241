// Importing bitmaps into frames.
#include "gif/GIFImport.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "gif/GIFColorReduction.h"

namespace ad::gif {

namespace {

// The colours of a 24-bit picture in order of first appearance; the last 8
// met are searched first (runs and small patterns hit there).
class TColorCollector {
public:
    explicit TColorCollector(TGIFColorMap& map) : map_(map) {}

    uint8_t IndexOf(uint8_t b, uint8_t g, uint8_t r) {
        uint32_t key = uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16;
        for (int k = 0, at = last_; k < count_; ++k, at = (at + 7) % 8)
            if (ring_[at].Key == key) {
                last_ = at;
                return ring_[at].Index;
            }
        int index = -1;
        for (int i = 0; i < map_.Count; ++i)
            if (GIFColorToTColor(map_.Entry(i)) == TColor(key)) {
                index = i;
                break;
            }
        if (index < 0) index = map_.Add(TColor(key));  // raises "Color table overflow" past 256
        last_ = (last_ + 1) % 8;
        ring_[last_] = {key, uint8_t(index)};
        count_ = std::min(count_ + 1, 8);
        return uint8_t(index);
    }

private:
    struct Entry {
        uint32_t Key;
        uint8_t Index;
    };
    TGIFColorMap& map_;
    Entry ring_[8] = {};
    int count_ = 0;
    int last_ = 0;
};

}  // namespace

void GIFImportBitmap(TGIFSubImage& frame, const TGIFDib& bitmap) {
    frame.Clear();
    if (bitmap.Empty()) return;
    TGifPicture* image = frame.Image;
    auto progress = [&](TProgressStage stage, int percent) {
        if (image) image->Progress(stage, percent, stage == psEnding, gifmsg::Converting);
    };
    TGIFDib reduced;
    const TGIFDib* source = &bitmap;
    int bits = GIFPixelFormatBits(bitmap.PixelFormat);
    if (bits != 1 && bits != 4 && bits != 8) {
        TGIFReductionMethod method = image ? image->ReductionMethod : GIFDefaultReductionMethod;
        TGIFDitherKind dither = image ? image->DitherKind : GIFDefaultDitherKind;
        int paletteBits = image ? image->PaletteBits : GIFDefaultPaletteBits;
        reduced = ReduceColors(bitmap, method, dither, nullptr, paletteBits);
        if (reduced.Empty()) return;
        source = &reduced;
    }
    frame.SetBounds(frame.Left(), frame.Top(), source->Width, source->Height);
    progress(psStarting, 0);
    try {
        TDIBReader reader(*source, source->PixelFormat);
        const int w = source->Width, h = source->Height;
        if (source->PixelFormat != pf24bit) {
            std::vector<uint8_t> quads;
            for (const TGIFColor& c : source->Palette) quads.insert(quads.end(), {c.Blue, c.Green, c.Red, 0});
            frame.ColorMap.LoadFromQuads(quads.data(), int(source->Palette.size()));
        }
        TColorCollector collector(frame.ColorMap);
        for (int y = 0; y < h; ++y) {
            if (y % 32 == 0) progress(psRunning, int(int64_t(y) * 100 / h));
            const uint8_t* src = reader.ScanLine(y);
            uint8_t* dst = frame.Row(y);
            switch (source->PixelFormat) {
            case pf1bit:
                for (int x = 0; x < w; ++x) dst[x] = (src[x >> 3] >> (7 - (x & 7))) & 1;
                break;
            case pf4bit:
                for (int x = 0; x < w; ++x) dst[x] = (x & 1) ? src[x >> 1] & 0x0F : src[x >> 1] >> 4;
                break;
            case pf8bit: std::memcpy(dst, src, size_t(w)); break;
            default:
                for (int x = 0; x < w; ++x) dst[x] = collector.IndexOf(src[x * 3], src[x * 3 + 1], src[x * 3 + 2]);
                break;
            }
        }
        frame.DropBitmap();
        if (!source->Mask.empty()) GIFAddMask(frame, source->Mask);
    } catch (...) {
        progress(psEnding, 0);
        throw;
    }
    progress(psEnding, 100);
}

void GIFAddMask(TGIFSubImage& frame, const std::vector<uint8_t>& mask) {
    if (frame.Empty() || mask.size() < frame.DataSize()) return;
    frame.ColorMap.SortByUse();
    if (frame.ColorMap.Count < 1 || frame.ColorMap.Count >= 256) return;
    int index = frame.ColorMap.Add(clBlack);
    bool any = false;
    for (size_t i = 0; i < frame.DataSize(); ++i)
        if (mask[i] != 0) {
            frame.Data()[i] = uint8_t(index);
            any = true;
        }
    if (!any) {
        frame.ColorMap.Delete(index);
        return;
    }
    auto* gce = new TGIFGraphicControlExtension(&frame);
    frame.Extensions.Add(gce);
    gce->TransparentIndex = uint8_t(index);
    gce->SetTransparent(true);
    frame.DropBitmap();
}

int GIFAddBitmap(TGifPicture& picture, const TGIFDib& bitmap) {
    std::unique_ptr<TGIFSubImage> frame(new TGIFSubImage(&picture));
    GIFImportBitmap(*frame, bitmap);
    int index = picture.Frames.Add(frame.release());
    picture.Changed();
    return index;
}

}  // namespace ad::gif
