// Test support of the codec's Windows side: a 32-bit surface to draw on and
// read back, and pictures made of frames with given pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/Handles.h"
#include "gif/GifCodec.h"

namespace ad::gif::giftest {

// A 32-bit top-down DIB section with a DC.
struct Surface {
    Surface(int w, int h, COLORREF fill) : W(w), H(h), Bitmap(w, h) {
        DC.Reset(::CreateCompatibleDC(nullptr));
        Old = ::SelectObject(DC.Get(), Bitmap.Get());
        RECT all{0, 0, w, h};
        OwnedBrush brush(::CreateSolidBrush(fill));
        ::FillRect(DC.Get(), &all, brush.Get());
    }
    ~Surface() { ::SelectObject(DC.Get(), Old); }
    uint32_t At(int x, int y) const {
        ::GdiFlush();
        return Bitmap.Row(y)[x] & 0xFFFFFF;
    }
    int W, H;
    DibSection32 Bitmap;
    OwnedMemoryDC DC;
    HGDIOBJ Old;
};

inline uint32_t Rgb(const TGIFColor& c) { return uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue; }

inline TGIFSubImage* AddFrame(TGifPicture& pic, int left, int top, int w, int h, std::vector<uint8_t> px,
                       int transparent = -1, int disposal = -1) {
    auto* f = new TGIFSubImage(&pic);
    pic.Add(f);
    f->SetBounds(left, top, w, h);
    f->SetData(std::move(px));
    if (transparent >= 0 || disposal >= 0) {
        auto* gce = new TGIFGraphicControlExtension(f);
        f->Extensions.Add(gce);
        gce->SetDisposal(disposal < 0 ? 0 : disposal);
        gce->Delay = 3;
        if (transparent >= 0) {
            gce->TransparentIndex = uint8_t(transparent);
            gce->SetTransparent(true);
        }
    }
    return f;
}

inline void Colours(TGifPicture& pic) {
    for (TColor c : {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0x00FFFF}) pic.Header.ColorMap.Add(c);
}

}  // namespace ad::gif::giftest
