// The GIF codec on Windows: start-up registration (the clipboard format "GIF
// Image", the palette-display flag, the system's palettes for colour
// reduction), system bitmaps from and to the codec's bitmaps, frame bitmaps
// and masks drawn with transparency, stretched or tiled, the clipboard, frames
// from icons and metafiles, and the painter's GDI side: the frame step with its
// work bitmaps and the background painter thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>

#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "gif/GIFDIB.h"
#include "gif/GIFPainter.h"

namespace ad::gif {

// A logical palette the caller owns.
using OwnedPalette = OwnedHandle<GdiObjectTraits<HPALETTE>>;

namespace gifmsg {
constexpr const char* UnsupportedClipboardFormat = "Unsupported clipboard format";
constexpr const char* ClipboardStoreFailed = "Failed to store GIF on clipboard";
constexpr const char* NoColorTable = "No global or local color table defined";
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

// The picture's image bitmap (the logical screen as shown) with a memory DC
// that holds it, and where the painter filling it shows it: the window of the
// DC that Draw was given (or that DC when it has no window) and the rectangle.
struct TGIFImageBitmap : TGIFFrameCache {
    TGIFImageBitmap() = default;
    ~TGIFImageBitmap() override {
        if (DC && Old) ::SelectObject(DC.Get(), Old);
    }
    OwnedMemoryDC DC;
    OwnedBitmap Bitmap;
    HGDIOBJ Old = nullptr;
    int Width = 0, Height = 0;
    HWND Window = nullptr;   // the window shown in (none: a DC without window)
    HDC KeyDC = nullptr;     // the DC shown on when there is no window
    RECT Target{};           // the rectangle Draw was given
    RECT WindowRect{};       // the same in the window's client coordinates
    std::atomic<bool> TargetGone{false};  // the window went: the next Draw starts again
};

// Draws the picture: a still frame, or with gdAnimate and several frames an
// animation. With gdAsync one painter per picture (MainPainter) paints on a
// thread of its own into the picture's image bitmap and invalidates the window
// it shows in; Draw starts it when there is no image bitmap yet (or it was
// drawn for another window or rectangle), waits for its first frame, and
// otherwise only copies the bitmap (stretched, or tiled with gdTile). With
// gdDirectDraw that painter paints straight onto dc (which must stay valid
// until it is stopped). Without gdAsync the animation runs here, until it ends.
void GIFDrawPicture(TGifPicture& picture, HDC dc, const RECT& target);

// Palettes of colour maps: a logical palette (version 0x300, entries marked
// PC_NOCOLLAPSE; none for an empty map), and a map loaded from up to 256
// entries of a palette or of the colour table of the bitmap selected into dc.
OwnedPalette GIFMakePalette(const TGIFColorMap& map);
void GIFLoadFromPalette(TGIFColorMap& map, HPALETTE palette);
void GIFLoadFromDeviceColors(TGIFColorMap& map, HDC dc);
// The picture's palette, made on first use and kept until the global map
// changes (the picture owns it): the 216-colour cube when the picture dithers,
// else from the global map, else from frame 0's map; none without colours.
// Asked again while it is being made: GIFException "No global or local color
// table defined".
HPALETTE GIFGetPalette(TGifPicture& picture);
// Replaces the picture's palette (it takes the handle); a shown image bitmap
// is dropped and the picture changed.
void GIFSetPalette(TGifPicture& picture, OwnedPalette palette);
// A frame's palette: the cube when dithering, else its local map's, else the
// picture's.
OwnedPalette GIFFramePalette(TGIFSubImage& frame);

// The picture's bitmap: the logical screen as shown (a copy of the image
// bitmap while an animation paints it; else frame 0 at its place on the
// background colour); none for an empty picture. A picture assigned to a
// bitmap gets this; a frame assigned to one gets its own rendering.
OwnedBitmap GIFPictureBitmap(TGifPicture& picture);
OwnedBitmap GIFFrameToBitmap(TGIFSubImage& frame);
// A picture assigned from a TPicture: a GIF is copied, a bitmap, an icon or
// any other graphic (drawn on white) becomes its single frame; an empty one
// clears it.
void GIFAssignPicture(TGifPicture& picture, const TPicture& source);

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
    // Makes a work bitmap compatible with the target (tests make one fail).
    using TWorkBitmapMaker = std::function<HBITMAP(HDC target, int width, int height)>;

    // Raises EOutOfResources when a work bitmap cannot be made (those made
    // before it are freed).
    TGIFGdiPainterHost(TGifPicture& picture, TGIFDrawFlags options, HDC target, const RECT& rect,
                       const TWorkBitmapMaker& makeBitmap = {});
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

    // Where the painted frames show when the target is an image bitmap: its
    // window is invalidated after each frame, and the painter stops once the
    // window has gone. The host keeps the bitmap alive while it paints.
    std::shared_ptr<TGIFImageBitmap> Shown;

private:
    // A work bitmap selected into its DC; put back out again when it goes,
    // also when a later buffer of the host fails to be made.
    struct Buffer {
        Buffer() = default;
        Buffer(const Buffer&) = delete;
        Buffer& operator=(const Buffer&) = delete;
        ~Buffer() {
            if (DC && Old) ::SelectObject(DC.Get(), Old);
        }
        OwnedMemoryDC DC;
        OwnedBitmap Bitmap;
        HGDIOBJ Old = nullptr;
    };
    void MakeBuffer(Buffer& b, bool copyTarget, const TWorkBitmapMaker& makeBitmap);
    void RestoreBackground(TGIFSubImage& frame, HDC dc);
    void PaintFrameOnTarget(TGIFPainter& painter, TGIFSubImage& frame, bool clearFirst);

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
// main: it becomes the picture's MainPainter; shown: the image bitmap it
// paints into (target is its DC).
TGIFPainter* GIFStartBackgroundPainter(TGifPicture& picture, TGIFDrawFlags options, HDC target, const RECT& rect,
                                       bool main = false, std::shared_ptr<TGIFImageBitmap> shown = {});

}  // namespace ad::gif
