// Frame rendering into device-independent bitmaps and masks, placement of a
// frame in a target, and the software compositor.
#include "gif/GIFRender.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "gif/GIFColorReduction.h"

namespace ad::gif {

int GIFMulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    int64_t p = int64_t(a) * b;
    int64_t q = c;
    bool negative = (p < 0) != (q < 0);
    p = std::llabs(p);
    q = std::llabs(q);
    int64_t r = (p + q / 2) / q;
    return int(negative ? -r : r);
}

std::vector<TGIFColor> GIFIndexColors(TGIFSubImage& frame) {
    TGIFColorMap& map = frame.EffectiveColorMap();
    std::vector<TGIFColor> colors(256);
    if (map.Count == 0) return colors;
    for (int i = 0; i < 256; ++i) colors[size_t(i)] = map.Entry(i < map.Count ? i : 0);
    return colors;
}

TGIFRenderedFrame GIFRenderFrame(TGIFSubImage& frame, bool dither, bool buildMask) {
    TGIFRenderedFrame out;
    out.Width = frame.Width();
    out.Height = frame.Height();
    TGIFColorMap& map = frame.EffectiveColorMap();
    out.Palette = dither ? GIFNetscapePalette() : TGIFPalette(map.Data.begin(), map.Data.begin() + map.Count);
    if (frame.Empty()) return out;

    TGifPicture* image = frame.Image;
    auto progress = [&](TProgressStage stage, int percent) {
        if (image) image->Progress(stage, percent, false, gifmsg::Rendering);
    };
    progress(psStarting, 0);
    const int w = frame.Width(), h = frame.Height();
    const int transparent = frame.TransparentIndex();
    const bool mask = buildMask && transparent >= 0;
    std::vector<uint8_t> maskBits;
    const int maskStride = (w + 15) / 16 * 2;
    if (mask) maskBits.assign(size_t(maskStride) * size_t(h), 0);
    bool anyTransparent = false;

    out.Dib = std::make_unique<TDIBWriter>(&out.Palette, h, w, pf8bit);
    std::vector<TGIFColor> colors;
    TNetscapeColorLookup lookup;
    std::unique_ptr<TFloydSteinbergDitherer> ditherer;
    uint8_t fill = 0;
    if (dither) {
        colors = GIFIndexColors(frame);
        ditherer = std::make_unique<TFloydSteinbergDitherer>(w, lookup);
        if (mask) {
            // The value under the mask; the mask hides it whatever it is.
            const TGIFColor& t = colors[size_t(transparent)];
            fill = uint8_t(t.Blue / 51 + GIFMulDiv(6, t.Green, 51) + GIFMulDiv(36, t.Red, 51) + 1);
        }
    }
    for (int y = 0; y < h; ++y) {
        if (y % 32 == 0) progress(psRunning, int(int64_t(y) * 100 / h));
        const uint8_t* src = frame.Data() + size_t(y) * size_t(w);
        uint8_t* dst = out.Dib->ScanLine(y);
        uint8_t* maskRow = mask ? maskBits.data() + size_t(y) * size_t(maskStride) : nullptr;
        if (!dither) {
            std::memcpy(dst, src, size_t(w));
            if (mask)
                for (int x = 0; x < w; ++x)
                    if (src[x] == transparent) {
                        maskRow[x >> 3] |= uint8_t(0x80 >> (x & 7));
                        anyTransparent = true;
                    }
            continue;
        }
        if (mask) std::memset(dst, fill, size_t(w));
        uint8_t r, g, b;
        while (ditherer->Column >= 0 && ditherer->Column < w) {
            int x = ditherer->Column;
            if (mask && src[x] == transparent) {
                maskRow[x >> 3] |= uint8_t(0x80 >> (x & 7));
                anyTransparent = true;
                ditherer->Column += ditherer->Direction;
                continue;
            }
            const TGIFColor& c = colors[src[x]];
            dst[x] = uint8_t(ditherer->Dither(c.Red, c.Green, c.Blue, r, g, b));
        }
        ditherer->NextLine();
    }
    if (anyTransparent) {
        out.Mask = std::move(maskBits);
        out.MaskStride = maskStride;
    }
    frame.MaskStale = false;
    progress(psEnding, 100);
    return out;
}

TRect GIFFrameTargetRect(const TGIFSubImage& frame, const TRect& target, int imageWidth, int imageHeight) {
    int tw = target.Width(), th = target.Height();
    return {target.Left + GIFMulDiv(frame.Left(), tw, imageWidth), target.Top + GIFMulDiv(frame.Top(), th, imageHeight),
            target.Left + GIFMulDiv(frame.Left() + frame.Width(), tw, imageWidth),
            target.Top + GIFMulDiv(frame.Top() + frame.Height(), th, imageHeight)};
}

std::vector<TRect> GIFFrameTiles(const TGIFSubImage& frame, const TRect& target, int imageWidth, int imageHeight) {
    std::vector<TRect> tiles;
    if (imageWidth <= 0 || imageHeight <= 0) return tiles;
    for (int y = target.Top + frame.Top(); y < target.Bottom; y += imageHeight)
        for (int x = target.Left + frame.Left(); x < target.Right; x += imageWidth)
            tiles.push_back({x, y, x + frame.Width(), y + frame.Height()});
    return tiles;
}

// ---- Software compositor ----------------------------------------------------

static void FillArea(TBitmap32& bmp, const TRect& r, TGIFColor c) {
    TImageView32 v = bmp.View();
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, v.Height); ++y)
        for (int x = std::max(r.Left, 0); x < std::min(r.Right, v.Width); ++x) {
            uint8_t* p = v.Pixel(x, y);
            p[0] = c.Blue;
            p[1] = c.Green;
            p[2] = c.Red;
            p[3] = 0xFF;
        }
}

std::vector<TGIFComposedFrame> GIFComposeFrames(TGifPicture& picture, TGIFColor background) {
    std::vector<TGIFComposedFrame> out;
    TBitmap32 screen(picture.Width(), picture.Height()), saved;
    FillArea(screen, {0, 0, picture.Width(), picture.Height()}, background);
    int pending = 0;  // disposal of the frame shown last
    TRect pendingRect;
    for (int i = 0; i < picture.Frames.Count(); ++i) {
        TGIFSubImage& f = *picture.Frames.Frames(i);
        if (f.Empty()) continue;
        if (pending == dmBackground) FillArea(screen, pendingRect, background);
        if (pending == dmPrevious) screen = saved;
        int disposal = f.Disposal();
        if (disposal > dmPrevious) disposal = dmNoDisposal;
        if (disposal == dmPrevious) saved = screen;
        std::vector<TGIFColor> colors = GIFIndexColors(f);
        int transparent = f.TransparentIndex();
        TImageView32 v = screen.View();
        for (int y = 0; y < f.Height(); ++y) {
            int sy = f.Top() + y;
            if (sy >= v.Height) break;
            const uint8_t* row = f.Data() + size_t(y) * size_t(f.Width());
            for (int x = 0; x < f.Width(); ++x) {
                int sx = f.Left() + x;
                if (sx >= v.Width) break;
                if (row[x] == transparent) continue;
                const TGIFColor& c = colors[row[x]];
                uint8_t* p = v.Pixel(sx, sy);
                p[0] = c.Blue;
                p[1] = c.Green;
                p[2] = c.Red;
                p[3] = 0xFF;
            }
        }
        out.push_back({i, screen});
        pending = disposal;
        pendingRect = f.BoundsRect();
    }
    return out;
}

}  // namespace ad::gif
