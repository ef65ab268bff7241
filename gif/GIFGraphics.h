// The GIF codec on Windows: start-up registration (the clipboard format "GIF
// Image", the palette-display flag, the system's palettes for colour
// reduction), system bitmaps from and to the codec's bitmaps, frame bitmaps
// and masks drawn with transparency, stretched or tiled, the clipboard, frames
// from icons and metafiles, and the painter's GDI side: the frame step with its
// work bitmaps and the background painter thread.
#pragma once

#include <windows.h>

#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "gif/GIFDIB.h"
#include "gif/GIFPainter.h"

namespace ad::gif {

namespace gifmsg {
constexpr const char* UnsupportedClipboardFormat = "Unsupported clipboard format";
constexpr const char* ClipboardStoreFailed = "Failed to store GIF on clipboard";
}  // namespace gifmsg

// A GIF picture as a graphic that TPicture holds; drawn as GIFDrawPicture
// draws it.
class TGIFGraphic : public TGraphic {
public:
    void Draw(HDC dc, const RECT& dest) override;
    int Width() const override { return Picture.Width(); }
    int Height() const override { return Picture.Height(); }
    bool Empty() const override { return Picture.Empty(); }
    void LoadFromStream(TStream& stream) override { Picture.LoadFromStream(stream); }

    TGifPicture Picture;
};

// Start-up; runs once, later calls do nothing: registers the file format
// "GIF" (TGIFGraphic) with TPicture and the clipboard format "GIF Image", and
// notes whether the screen is a palette display.
void GIFRegister();
UINT GIFClipboardFormat();  // registers on first use
// Whether the screen shows 8 bits or fewer (bits per pixel x planes < 9).
bool GIFPaletteDisplay();
// Whether frames of the picture are dithered to the 216-colour cube.
bool GIFDithers(const TGifPicture& picture);

// A system bitmap of a writer's pixels.
OwnedBitmap GIFWriterToBitmap(const TDIBWriter& writer);
// A system bitmap read at its own depth (1, 4 and 8 bits with their colour
// table) or, for any other, at 24 bits.
TGIFDib GIFBitmapToDib(HBITMAP bitmap);

// The frame's bitmap (made on demand and kept until the frame changes); none
// for an empty frame. The mask is made with it for a transparent frame.
HBITMAP GIFFrameBitmap(TGIFSubImage& frame);
HBITMAP GIFFrameMask(TGIFSubImage& frame);

// Copies src where the mask bit is 0 and leaves dst where it is 1.
void GIFTransparentBlt(HDC dst, const RECT& dstRect, HDC src, const RECT& srcRect, HDC mask);

// Draws a frame into target (the picture's whole logical screen maps onto it).
void GIFDrawFrame(TGIFSubImage& frame, HDC dc, const RECT& target, bool tile, bool transparent);

// Draws the picture: a still frame, or with gdAnimate and several frames an
// animation (gdAsync: on a painter thread, straight onto dc, which must stay
// valid until the painter is stopped; else here, until it ends).
void GIFDrawPicture(TGifPicture& picture, HDC dc, const RECT& target);

// The clipboard.
void GIFLoadFromClipboardFormat(TGifPicture& picture, UINT format, HANDLE data, HPALETTE palette);
void GIFSaveToClipboardFormat(TGifPicture& picture, UINT& format, HANDLE& data, HPALETTE& palette);
// Puts the picture on the (opened) clipboard as a bitmap and as GIF data.
void GIFCopyToClipboard(TGifPicture& picture, HWND owner);
// Reads the clipboard's GIF data, or else its bitmap.
void GIFPasteFromClipboard(TGifPicture& picture, HWND owner);

// Frames from icons and enhanced metafiles (drawn on 24 bits; the icon's mask,
// or where the metafile drawn on white and on black differs, is transparent).
void GIFImportIcon(TGIFSubImage& frame, HICON icon);
void GIFImportMetafile(TGIFSubImage& frame, HENHMETAFILE metafile);

// The painter's GDI side: draws into target's rect with the frame step
// (compose buffer for disposal 2 and 3, saved background, scratch buffer).
class TGIFGdiPainterHost : public TGIFPainterHost {
public:
    TGIFGdiPainterHost(TGifPicture& picture, TGIFDrawFlags options, HDC target, const RECT& rect);
    ~TGIFGdiPainterHost() override;

    int64_t Now() override;
    bool WaitForWake(int64_t ms) override;
    void YieldSlice() override;
    bool SleepAndPump(int ms) override;
    void Synchronize(const std::function<void()>& step) override;
    void Wake() override;
    void PrepareFrame(TGIFSubImage& frame) override;
    void PaintFrame(TGIFPainter& painter, TGIFSubImage& frame, bool clearFirst) override;

    TColor Background;  // RGB

private:
    struct Buffer {
        OwnedMemoryDC DC;
        OwnedBitmap Bitmap;
        HGDIOBJ Old = nullptr;
    };
    void MakeBuffer(Buffer& b, bool copyTarget);
    void RestoreBackground(TGIFSubImage& frame, HDC dc);

    TGifPicture& picture_;
    TGIFDrawFlags options_;
    HDC target_;
    RECT rect_;
    Buffer saved_, compose_, scratch_;
    OwnedKernelHandle wake_;
    HWND syncWindow_ = nullptr;
};

// Starts a painter on a thread of its own (it frees itself and its host when
// it ends); answers it. Synchronisation goes to the calling (GUI) thread.
TGIFPainter* GIFStartBackgroundPainter(TGifPicture& picture, TGIFDrawFlags options, HDC target, const RECT& rect);

}  // namespace ad::gif
