// The GIF codec's Windows side: registration, system bitmaps, frame drawing,
// the clipboard, icons and metafiles, and the painter's GDI host and thread.
#include "gif/GIFGraphics.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>

#include "framework/ExceptionBarrier.h"
#include "framework/WinGeometry.h"
#include "gif/GIFColorReduction.h"
#include "gif/GIFImport.h"
#include "gif/GIFRender.h"

namespace ad::gif {

// ---- Registration -----------------------------------------------------------

namespace {

struct TRegistration {
    UINT ClipboardFormat = 0;
    bool PaletteDisplay = false;
};

TGIFPalette PaletteEntries(HPALETTE palette) {
    TGIFPalette out;
    if (!palette) return out;
    PALETTEENTRY entries[256];
    UINT n = ::GetPaletteEntries(palette, 0, 256, entries);
    for (UINT i = 0; i < n; ++i) out.push_back({entries[i].peRed, entries[i].peGreen, entries[i].peBlue});
    return out;
}

OwnedPalette MakePalette(const TGIFPalette& colors) {
    if (colors.empty()) return {};
    std::vector<uint8_t> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * 256, 0);
    auto* lp = reinterpret_cast<LOGPALETTE*>(block.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = WORD(std::min<size_t>(colors.size(), 256));
    for (size_t i = 0; i < lp->palNumEntries; ++i)
        lp->palPalEntry[i] = {colors[i].Red, colors[i].Green, colors[i].Blue, PC_NOCOLLAPSE};
    return OwnedPalette(::CreatePalette(lp));
}

int SystemNearest(const TGIFPalette& palette, uint8_t r, uint8_t g, uint8_t b) {
    auto pal = MakePalette(palette);
    if (!pal) return 0;
    UINT index = ::GetNearestPaletteIndex(pal.Get(), RGB(r, g, b));
    return index == CLR_INVALID ? 0 : int(index);
}

const TRegistration& Registration() {
    static const TRegistration reg = [] {
        TRegistration r;
        TPicture::RegisterFileFormat("GIF", "GIF Image", [] { return std::make_unique<TGIFGraphic>(); });
        r.ClipboardFormat = ::RegisterClipboardFormatA("GIF Image");
        WindowDC screenDC(nullptr);
        if (HDC screen = screenDC.Get()) {
            int depth = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
            r.PaletteDisplay = depth < 9;
            TGIFSystemPalettes& sys = GIFSystemPalettes();
            TGIFPalette stock = PaletteEntries(static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE)));
            if (stock.size() >= 20) sys.Default20 = stock;
            OwnedPalette halftone(::CreateHalftonePalette(screen));
            TGIFPalette ht = PaletteEntries(halftone.Get());
            if (!ht.empty()) sys.Halftone = ht;
            sys.NearestIndex = &SystemNearest;
        }
        return r;
    }();
    return reg;
}

}  // namespace

void GIFRegister() { Registration(); }
UINT GIFClipboardFormat() { return Registration().ClipboardFormat; }
bool GIFPaletteDisplay() { return Registration().PaletteDisplay; }

void TGIFGraphic::Draw(HDC dc, const RECT& dest) { GIFDrawPicture(Picture, dc, dest); }

bool GIFDithers(const TGifPicture& picture) {
    return (picture.DrawFlags & gdDither) && (!(picture.DrawFlags & gdAutoDither) || GIFPaletteDisplay());
}

// ---- System bitmaps ---------------------------------------------------------

OwnedBitmap GIFWriterToBitmap(const TDIBWriter& writer) {
    const auto& info = writer.Info();
    if (info.empty()) throw GIFException(gifmsg::NoDIB);
    auto* bmi = reinterpret_cast<const BITMAPINFO*>(info.data());
    HBITMAP bmp = ::CreateDIBitmap(WindowDC(nullptr).Get(), &bmi->bmiHeader, CBM_INIT, writer.Bits().data(), bmi,
                                   DIB_RGB_COLORS);
    if (!bmp) throw EOutOfMemory(gifmsg::DIBAllocFailed);
    return OwnedBitmap(bmp);
}

TGIFDib GIFBitmapToDib(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return {};
    int bits = bm.bmBitsPixel * bm.bmPlanes;
    TGIFPixelFormat format = bits == 1 ? pf1bit : bits == 4 ? pf4bit : bits == 8 ? pf8bit : pf24bit;
    TGIFDib dib(bm.bmWidth, bm.bmHeight, format);
    std::vector<uint8_t> block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    auto* bmi = reinterpret_cast<BITMAPINFO*>(block.data());
    bmi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi->bmiHeader.biWidth = bm.bmWidth;
    bmi->bmiHeader.biHeight = -bm.bmHeight;  // top-down
    bmi->bmiHeader.biPlanes = 1;
    bmi->bmiHeader.biBitCount = WORD(GIFPixelFormatBits(format));
    bmi->bmiHeader.biCompression = BI_RGB;
    int rows = ::GetDIBits(WindowDC(nullptr).Get(), bitmap, 0, UINT(bm.bmHeight), dib.Bits.data(), bmi, DIB_RGB_COLORS);
    if (rows == 0) return {};
    if (format != pf24bit) {
        int colors = 1 << GIFPixelFormatBits(format);
        for (int i = 0; i < colors; ++i)
            dib.Palette.push_back({bmi->bmiColors[i].rgbRed, bmi->bmiColors[i].rgbGreen, bmi->bmiColors[i].rgbBlue});
    }
    return dib;
}

// ---- Frame bitmaps and drawing ----------------------------------------------

namespace {

struct TGIFFrameBitmaps : TGIFFrameCache {
    OwnedBitmap Bitmap;
    OwnedBitmap Mask;
};

TGIFFrameBitmaps* FrameCache(TGIFSubImage& frame) {
    std::lock_guard<std::recursive_mutex> lock(frame.Image->CacheLock);
    auto* cache = static_cast<TGIFFrameBitmaps*>(frame.RenderCache.get());
    if (cache && !(frame.IsTransparent && frame.MaskStale)) return cache;
    if (frame.Empty()) return nullptr;
    TGIFRenderedFrame r = GIFRenderFrame(frame, GIFDithers(*frame.Image), true);
    auto made = std::make_unique<TGIFFrameBitmaps>();
    made->Bitmap = GIFWriterToBitmap(*r.Dib);
    if (!r.Mask.empty()) made->Mask.Reset(::CreateBitmap(r.Width, r.Height, 1, 1, r.Mask.data()));
    frame.RenderCache = std::move(made);
    return static_cast<TGIFFrameBitmaps*>(frame.RenderCache.get());
}

struct SelectedDC {
    explicit SelectedDC(HGDIOBJ object) : DC(::CreateCompatibleDC(nullptr)) {
        if (!DC) throw EOutOfResources("Out of system resources");
        Old = ::SelectObject(DC.Get(), object);
    }
    ~SelectedDC() { ::SelectObject(DC.Get(), Old); }
    OwnedMemoryDC DC;
    HGDIOBJ Old;
};

}  // namespace

HBITMAP GIFFrameBitmap(TGIFSubImage& frame) {
    TGIFFrameBitmaps* cache = frame.Image ? FrameCache(frame) : nullptr;
    return cache ? cache->Bitmap.Get() : nullptr;
}

HBITMAP GIFFrameMask(TGIFSubImage& frame) {
    TGIFFrameBitmaps* cache = frame.Image ? FrameCache(frame) : nullptr;
    return cache ? cache->Mask.Get() : nullptr;
}

void GIFTransparentBlt(HDC dst, const RECT& d, HDC src, const RECT& s, HDC mask) {
    int dw = d.right - d.left, dh = d.bottom - d.top, sw = s.right - s.left, sh = s.bottom - s.top;
    if (dw == sw && dh == sh) {
        // The mask bitmap is lifted out of its DC for the call.
        OwnedBitmap stand(::CreateBitmap(1, 1, 1, 1, nullptr));
        HBITMAP maskBitmap = static_cast<HBITMAP>(::SelectObject(mask, stand.Get()));
        ::MaskBlt(dst, d.left, d.top, dw, dh, src, s.left, s.top, maskBitmap, s.left, s.top,
                  MAKEROP4(0x00AA0029, SRCCOPY));
        ::SelectObject(mask, maskBitmap);
        return;
    }
    OwnedBitmap inverted(::CreateBitmap(sw, sh, 1, 1, nullptr));
    SelectedDC inv(inverted.Get());
    ::BitBlt(inv.DC.Get(), 0, 0, sw, sh, mask, s.left, s.top, NOTSRCCOPY);
    OwnedBitmap memBitmap(::CreateCompatibleBitmap(dst, sw, sh));
    SelectedDC mem(memBitmap.Get());
    ::BitBlt(mem.DC.Get(), 0, 0, sw, sh, inv.DC.Get(), 0, 0, SRCCOPY);
    ::BitBlt(mem.DC.Get(), 0, 0, sw, sh, src, s.left, s.top, SRCAND);
    COLORREF text = ::SetTextColor(dst, RGB(0, 0, 0)), back = ::SetBkColor(dst, RGB(255, 255, 255));
    int mode = ::SetStretchBltMode(dst, COLORONCOLOR);
    ::StretchBlt(dst, d.left, d.top, dw, dh, mask, s.left, s.top, sw, sh, SRCAND);
    ::StretchBlt(dst, d.left, d.top, dw, dh, mem.DC.Get(), 0, 0, sw, sh, SRCPAINT);
    ::SetStretchBltMode(dst, mode);
    ::SetTextColor(dst, text);
    ::SetBkColor(dst, back);
}

void GIFDrawFrame(TGIFSubImage& frame, HDC dc, const RECT& target, bool tile, bool transparent) {
    TGifPicture* pic = frame.Image;
    if (!pic || frame.Empty()) return;
    std::lock_guard<std::recursive_mutex> lock(pic->CacheLock);
    TGIFFrameBitmaps* cache = FrameCache(frame);
    if (!cache) return;
    TRect t = FromRECT(target);
    std::vector<TRect> rects = tile ? GIFFrameTiles(frame, t, pic->Width(), pic->Height())
                                    : std::vector<TRect>{GIFFrameTargetRect(frame, t, pic->Width(), pic->Height())};
    SelectedDC src(cache->Bitmap.Get());
    RECT s{0, 0, frame.Width(), frame.Height()};
    if (transparent && frame.IsTransparent && cache->Mask) {
        SelectedDC mask(cache->Mask.Get());
        for (const TRect& r : rects) GIFTransparentBlt(dc, ToRECT(r), src.DC.Get(), s, mask.DC.Get());
        return;
    }
    int mode = ::SetStretchBltMode(dc, COLORONCOLOR);
    for (const TRect& r : rects)
        ::StretchBlt(dc, r.Left, r.Top, r.Width(), r.Height(), src.DC.Get(), 0, 0, s.right, s.bottom, SRCCOPY);
    ::SetStretchBltMode(dc, mode);
}

namespace {

// Where a Draw shows: the window of its DC (the same across the DCs of
// successive paints), else the DC itself; the rectangle also in the window's
// client coordinates.
void ShownWhere(TGIFImageBitmap& shown, HDC dc, const RECT& target) {
    shown.Target = target;
    shown.Window = ::WindowFromDC(dc);
    shown.KeyDC = shown.Window ? nullptr : dc;
    if (!shown.Window) return;
    RECT r = target;
    ::LPtoDP(dc, reinterpret_cast<POINT*>(&r), 2);
    POINT origin{};
    ::GetDCOrgEx(dc, &origin);
    ::OffsetRect(&r, origin.x, origin.y);
    ::MapWindowPoints(nullptr, shown.Window, reinterpret_cast<POINT*>(&r), 2);
    shown.WindowRect = r;
}

bool SameTarget(const TGIFImageBitmap& shown, HDC dc, const RECT& target) {
    HWND wnd = ::WindowFromDC(dc);
    return !shown.TargetGone && ::EqualRect(&shown.Target, &target) &&
           (wnd ? wnd == shown.Window : dc == shown.KeyDC);
}

std::shared_ptr<TGIFImageBitmap> ImageBitmapOf(TGifPicture& picture) {
    std::lock_guard<std::recursive_mutex> lock(picture.CacheLock);
    return std::dynamic_pointer_cast<TGIFImageBitmap>(picture.ImageBitmap);
}

// The image bitmap copied into the target: stretched, or tiled.
void CopyImageBitmap(TGifPicture& picture, TGIFImageBitmap& shown, HDC dc, const RECT& target, bool tile) {
    std::lock_guard<std::recursive_mutex> lock(picture.CacheLock);  // not while the painter draws into it
    const int w = shown.Width, h = shown.Height;
    if (!tile) {
        int mode = ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
                     shown.DC.Get(), 0, 0, w, h, SRCCOPY);
        ::SetStretchBltMode(dc, mode);
        return;
    }
    for (int y = target.top; y < target.bottom; y += h)
        for (int x = target.left; x < target.right; x += w)
            ::BitBlt(dc, x, y, std::min(w, int(target.right - x)), std::min(h, int(target.bottom - y)), shown.DC.Get(),
                     0, 0, SRCCOPY);
}

// Starts the picture's MainPainter painting into a new image bitmap whose
// background is what the target shows now, and waits for its first frame.
std::shared_ptr<TGIFImageBitmap> StartImageBitmapPainter(TGifPicture& picture, TGIFDrawFlags flags, HDC dc,
                                                         const RECT& target) {
    auto shown = std::make_shared<TGIFImageBitmap>();
    shown->Width = picture.Width();
    shown->Height = picture.Height();
    shown->DC.Reset(::CreateCompatibleDC(nullptr));
    shown->Bitmap.Reset(::CreateCompatibleBitmap(WindowDC(nullptr).Get(), shown->Width, shown->Height));
    if (!shown->DC || !shown->Bitmap) throw EOutOfResources("Out of system resources");
    shown->Old = ::SelectObject(shown->DC.Get(), shown->Bitmap.Get());
    int mode = ::SetStretchBltMode(shown->DC.Get(), COLORONCOLOR);
    ::StretchBlt(shown->DC.Get(), 0, 0, shown->Width, shown->Height, dc, target.left, target.top,
                 target.right - target.left, target.bottom - target.top, SRCCOPY);
    ::SetStretchBltMode(shown->DC.Get(), mode);
    ShownWhere(*shown, dc, target);
    {
        std::lock_guard<std::recursive_mutex> lock(picture.CacheLock);
        picture.ImageBitmap = shown;
        GIFStartBackgroundPainter(picture, flags, shown->DC.Get(), {0, 0, shown->Width, shown->Height}, true, shown);
    }
    for (;;) {
        {
            std::lock_guard<std::recursive_mutex> lock(picture.CacheLock);
            TGIFPainter* painter = picture.MainPainter;
            if (!painter || painter->HasPainted || painter->Terminated()) break;
        }
        GIFProcessSynchronize();
    }
    return shown;
}

}  // namespace

void GIFDrawPicture(TGifPicture& picture, HDC dc, const RECT& target) {
    static thread_local const TGifPicture* drawing = nullptr;
    if (picture.Empty() || drawing == &picture || target.right <= target.left || target.bottom <= target.top) return;
    drawing = &picture;
    struct Reset {
        ~Reset() { drawing = nullptr; }
    } reset;
    TGIFDrawFlags flags = picture.DrawFlags;
    if (picture.Frames.Count() > 1 && (flags & gdAnimate)) {
        if (!(flags & gdAsync)) {
            TGIFGdiPainterHost host(picture, flags, dc, target);
            TGIFPainter painter(&picture, flags, host);
            painter.Execute();
            return;
        }
        std::shared_ptr<TGIFImageBitmap> shown = ImageBitmapOf(picture);
        if (flags & gdDirectDraw) {
            // One painter on the caller's DC and rectangle: a repaint of the
            // same place leaves it running.
            if (shown && !shown->Bitmap && SameTarget(*shown, dc, target)) {
                std::lock_guard<std::recursive_mutex> lock(picture.CacheLock);
                if (picture.MainPainter) return;
            }
            picture.StopDrawing();
            shown = std::make_shared<TGIFImageBitmap>();
            ShownWhere(*shown, dc, target);
            std::lock_guard<std::recursive_mutex> lock(picture.CacheLock);
            picture.ImageBitmap = shown;
            GIFStartBackgroundPainter(picture, flags, dc, target, true, shown);
            return;
        }
        if (!shown || !shown->Bitmap || shown->TargetGone) {
            picture.StopDrawing();
            shown = StartImageBitmapPainter(picture, flags, dc, target);
        }
        CopyImageBitmap(picture, *shown, dc, target, flags & gdTile);
        return;
    }
    int index = picture.StillFrame >= 0 && picture.StillFrame < picture.Frames.Count() ? picture.StillFrame : 0;
    GIFDrawFrame(*picture.Frames.Frames(index), dc, target, flags & gdTile, flags & gdTransparent);
}

namespace {

// A 24-bit picture of width x height drawn by draw on a background colour.
TGIFDib DrawOn(int width, int height, COLORREF background, const std::function<void(HDC)>& draw) {
    DibSection32 section(width, height);
    if (!section) throw EOutOfMemory(gifmsg::DIBAllocFailed);
    {
        SelectedDC dc(section.Get());
        RECT all{0, 0, width, height};
        OwnedBrush brush(::CreateSolidBrush(background));
        ::FillRect(dc.DC.Get(), &all, brush.Get());
        draw(dc.DC.Get());
        ::GdiFlush();
    }
    TGIFDib dib(width, height, pf24bit);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* from = section.Row(y);
        uint8_t* to = dib.Row(y);
        for (int x = 0; x < width; ++x, to += 3) {  // blue, green, red
            to[0] = uint8_t(from[x]);
            to[1] = uint8_t(from[x] >> 8);
            to[2] = uint8_t(from[x] >> 16);
        }
    }
    return dib;
}

}  // namespace

// ---- Palettes and bitmaps ---------------------------------------------------

namespace {

TGIFPalette MapEntries(const TGIFColorMap& map) {
    TGIFPalette colors;
    for (int i = 0; i < map.Count; ++i) colors.push_back({map.Entry(i).Red, map.Entry(i).Green, map.Entry(i).Blue});
    return colors;
}

void LoadEntries(TGIFColorMap& map, const TGIFPalette& colors) {
    std::vector<uint8_t> quads;
    for (size_t i = 0; i < colors.size() && i < 256; ++i)
        quads.insert(quads.end(), {colors[i].Blue, colors[i].Green, colors[i].Red, 0});
    map.LoadFromQuads(quads.data(), int(quads.size() / 4));
}

struct TGIFPaletteCache : TGIFFrameCache {
    OwnedPalette Palette;
};

// A bitmap of the logical screen in the background colour with frame 0 drawn
// at its place (not tiled, not transparent).
OwnedBitmap FirstFrameBitmap(TGifPicture& picture) {
    OwnedBitmap bmp(::CreateCompatibleBitmap(WindowDC(nullptr).Get(), picture.Width(), picture.Height()));
    if (!bmp) throw EOutOfResources("Out of system resources");
    SelectedDC dc(bmp.Get());
    RECT all{0, 0, picture.Width(), picture.Height()};
    TColor bg = picture.Header.ColorMap.Count > 0 ? picture.BackgroundColor() : clWhite;
    OwnedBrush brush(::CreateSolidBrush(COLORREF(bg)));
    ::FillRect(dc.DC.Get(), &all, brush.Get());
    GIFDrawFrame(*picture.Frames.Frames(0), dc.DC.Get(), all, false, false);
    return bmp;
}

}  // namespace

OwnedPalette GIFMakePalette(const TGIFColorMap& map) { return MakePalette(MapEntries(map)); }

void GIFLoadFromPalette(TGIFColorMap& map, HPALETTE palette) { LoadEntries(map, PaletteEntries(palette)); }

void GIFLoadFromDeviceColors(TGIFColorMap& map, HDC dc) {
    RGBQUAD table[256];
    UINT n = dc ? ::GetDIBColorTable(dc, 0, 256, table) : 0;
    TGIFPalette colors;
    for (UINT i = 0; i < n; ++i) colors.push_back({table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue});
    LoadEntries(map, colors);
}

OwnedPalette GIFFramePalette(TGIFSubImage& frame) {
    if (frame.Image && GIFDithers(*frame.Image)) return MakePalette(GIFNetscapePalette());
    if (frame.ColorMap.Count > 0) return GIFMakePalette(frame.ColorMap);
    if (!frame.Image) return {};
    HPALETTE shared = GIFGetPalette(*frame.Image);
    return shared ? MakePalette(PaletteEntries(shared)) : OwnedPalette();
}

HPALETTE GIFGetPalette(TGifPicture& picture) {
    static thread_local const TGifPicture* fetching = nullptr;
    if (fetching == &picture) throw GIFException(gifmsg::NoColorTable);
    if (auto* cache = dynamic_cast<TGIFPaletteCache*>(picture.PaletteCache.get())) return cache->Palette.Get();
    fetching = &picture;
    struct Reset {
        ~Reset() { fetching = nullptr; }
    } reset;
    OwnedPalette made;
    if (GIFDithers(picture)) made = MakePalette(GIFNetscapePalette());
    else if (picture.Header.ColorMap.Count > 0) made = GIFMakePalette(picture.Header.ColorMap);
    else if (picture.Frames.Count() > 0)
        made = GIFFramePalette(*picture.Frames.Frames(0));  // without a local map: asks again, and raises
    if (!made) return nullptr;
    auto cache = std::make_shared<TGIFPaletteCache>();
    cache->Palette = std::move(made);
    picture.PaletteCache = cache;
    return cache->Palette.Get();
}

void GIFSetPalette(TGifPicture& picture, OwnedPalette palette) {
    picture.PaletteCache.reset();
    if (palette) {
        auto cache = std::make_shared<TGIFPaletteCache>();
        cache->Palette = std::move(palette);
        picture.PaletteCache = cache;
    }
    if (ImageBitmapOf(picture)) {
        picture.StopDrawing();
        picture.Changed();
    }
}

OwnedBitmap GIFPictureBitmap(TGifPicture& picture) {
    if (picture.Empty()) return {};
    if (std::shared_ptr<TGIFImageBitmap> shown = ImageBitmapOf(picture); shown && shown->Bitmap) {
        std::lock_guard<std::recursive_mutex> lock(picture.CacheLock);
        OwnedBitmap copy(::CreateCompatibleBitmap(WindowDC(nullptr).Get(), shown->Width, shown->Height));
        if (!copy) throw EOutOfResources("Out of system resources");
        SelectedDC dc(copy.Get());
        ::BitBlt(dc.DC.Get(), 0, 0, shown->Width, shown->Height, shown->DC.Get(), 0, 0, SRCCOPY);
        return copy;
    }
    TGIFSubImage& first = *picture.Frames.Frames(0);
    if (first.Width() == picture.Width() && first.Height() == picture.Height() && !first.IsTransparent) {
        if (HBITMAP rendered = GIFFrameBitmap(first))
            return OwnedBitmap(static_cast<HBITMAP>(::CopyImage(rendered, IMAGE_BITMAP, 0, 0, 0)));
    }
    return FirstFrameBitmap(picture);
}

OwnedBitmap GIFFrameToBitmap(TGIFSubImage& frame) {
    HBITMAP rendered = GIFFrameBitmap(frame);
    return rendered ? OwnedBitmap(static_cast<HBITMAP>(::CopyImage(rendered, IMAGE_BITMAP, 0, 0, 0))) : OwnedBitmap();
}

void GIFAssignPicture(TGifPicture& picture, const TPicture& source) {
    if (auto* gif = dynamic_cast<TGIFGraphic*>(source.Graphic())) {
        picture.Assign(&gif->Picture);
        return;
    }
    if (source.Bitmap()) {
        TGIFDib dib = GIFBitmapToDib(source.Bitmap());
        picture.Clear();
        if (!dib.Empty()) GIFAddBitmap(picture, dib);
        return;
    }
    if (source.Icon()) {
        picture.Clear();
        auto frame = std::make_unique<TGIFSubImage>(&picture);
        GIFImportIcon(*frame, source.Icon());
        if (!frame->Empty()) picture.Add(frame.release());
        return;
    }
    if (source.Graphic() && !source.Graphic()->Empty()) {
        // Any other graphic: drawn on 24 bits, then imported.
        const int w = source.Graphic()->Width(), h = source.Graphic()->Height();
        TGIFDib dib = DrawOn(w, h, RGB(255, 255, 255), [&](HDC dc) { source.Graphic()->Draw(dc, RECT{0, 0, w, h}); });
        picture.Clear();
        GIFAddBitmap(picture, dib);
        return;
    }
    picture.Clear();
}

// ---- Clipboard --------------------------------------------------------------

void GIFLoadFromClipboardFormat(TGifPicture& picture, UINT format, HANDLE data, HPALETTE /*palette*/) {
    if (!data) data = ::GetClipboardData(format);
    if (data && format == GIFClipboardFormat()) {
        // Foreign bytes: read through the same checked reader as files.
        SIZE_T size = ::GlobalSize(data);
        const void* p = ::GlobalLock(data);
        if (!p) throw GIFException(gifmsg::UnsupportedClipboardFormat);
        std::vector<uint8_t> bytes;
        try {
            bytes.assign(static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + size);
        } catch (...) {
            ::GlobalUnlock(data);
            throw;
        }
        ::GlobalUnlock(data);
        TMemoryStream stream(std::move(bytes));
        picture.LoadFromStream(stream);
        return;
    }
    if (data && format == CF_BITMAP) {
        TGIFDib dib = GIFBitmapToDib(static_cast<HBITMAP>(data));
        picture.Clear();
        if (!dib.Empty()) GIFAddBitmap(picture, dib);
        return;
    }
    throw GIFException(gifmsg::UnsupportedClipboardFormat);
}

void GIFSaveToClipboardFormat(TGifPicture& picture, UINT& format, HANDLE& data, HPALETTE& palette) {
    if (picture.Empty()) return;
    // The bitmap: the picture's logical screen as rendered.
    OwnedBitmap bmp = GIFPictureBitmap(picture);
    TMemoryStream stream;
    picture.SaveToStream(stream);
    const auto& bytes = stream.Bytes();
    HGLOBAL block = ::GlobalAlloc(GHND, bytes.size());
    if (!block) throw GIFException(gifmsg::ClipboardStoreFailed);
    void* p = ::GlobalLock(block);
    if (!p) {
        ::GlobalFree(block);
        throw GIFException(gifmsg::ClipboardStoreFailed);
    }
    std::memcpy(p, bytes.data(), bytes.size());
    ::GlobalUnlock(block);
    if (!::SetClipboardData(GIFClipboardFormat(), block)) {
        ::GlobalFree(block);
        throw GIFException(gifmsg::ClipboardStoreFailed);
    }
    // The bitmap is handed out only now that nothing can fail any more.
    format = CF_BITMAP;
    data = bmp.Release();
    palette = nullptr;
}

namespace {
struct ClipboardScope {
    explicit ClipboardScope(HWND owner) {
        for (int i = 0; i < 10 && !open; ++i) {
            open = ::OpenClipboard(owner) != 0;
            if (!open) ::Sleep(10);
        }
        if (!open) throw GIFException(gifmsg::ClipboardStoreFailed);
    }
    ~ClipboardScope() { ::CloseClipboard(); }
    bool open = false;
};
}  // namespace

void GIFCopyToClipboard(TGifPicture& picture, HWND owner) {
    ClipboardScope clip(owner);
    ::EmptyClipboard();
    UINT format = 0;
    HANDLE data = nullptr;
    HPALETTE palette = nullptr;
    GIFSaveToClipboardFormat(picture, format, data, palette);
    if (data && !::SetClipboardData(format, data)) ::DeleteObject(data);
}

void GIFPasteFromClipboard(TGifPicture& picture, HWND owner) {
    ClipboardScope clip(owner);
    UINT format = ::IsClipboardFormatAvailable(GIFClipboardFormat()) ? GIFClipboardFormat() : CF_BITMAP;
    GIFLoadFromClipboardFormat(picture, format, nullptr, nullptr);
}

// ---- Icons and metafiles ----------------------------------------------------


void GIFImportIcon(TGIFSubImage& frame, HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) return;
    OwnedBitmap maskBitmap(info.hbmMask), colorBitmap(info.hbmColor);
    BITMAP bm{};
    ::GetObjectA(info.hbmMask, sizeof bm, &bm);
    int w = bm.bmWidth, h = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    TGIFDib dib = DrawOn(w, h, RGB(0, 0, 0), [&](HDC dc) { ::DrawIconEx(dc, 0, 0, icon, w, h, 0, nullptr, DI_NORMAL); });
    TGIFDib mask = GIFBitmapToDib(info.hbmMask);
    dib.Mask.assign(size_t(w) * size_t(h), 0);
    for (int y = 0; y < h && y < mask.Height; ++y)
        for (int x = 0; x < w; ++x) dib.Mask[size_t(y) * size_t(w) + size_t(x)] = mask.ColorAt(x, y).Red != 0;
    GIFImportBitmap(frame, dib);
}

void GIFImportMetafile(TGIFSubImage& frame, HENHMETAFILE metafile) {
    ENHMETAHEADER header{};
    if (!metafile || !::GetEnhMetaFileHeader(metafile, sizeof header, &header)) return;
    int w = header.rclBounds.right - header.rclBounds.left + 1, h = header.rclBounds.bottom - header.rclBounds.top + 1;
    if (w <= 0 || h <= 0) return;
    RECT r{0, 0, w, h};
    auto play = [&](HDC dc) { ::PlayEnhMetaFile(dc, metafile, &r); };
    TGIFDib white = DrawOn(w, h, RGB(255, 255, 255), play), black = DrawOn(w, h, RGB(0, 0, 0), play);
    white.Mask.assign(size_t(w) * size_t(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (std::memcmp(white.Row(y) + x * 3, black.Row(y) + x * 3, 3) != 0)
                white.Mask[size_t(y) * size_t(w) + size_t(x)] = 1;
    GIFImportBitmap(frame, white);
}

// ---- Painter host -----------------------------------------------------------

namespace {

// Synchronisation requests from painter threads to the GUI thread.
constexpr UINT WM_GIF_SYNCHRONIZE = WM_APP + 0x47;

LRESULT CALLBACK SyncWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GIF_SYNCHRONIZE) {
        auto* step = reinterpret_cast<const std::function<void()>*>(lParam);
        Guarded([&] { (*step)(); });
        return 0;
    }
    return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

// One message-only window per GUI thread, made on first use.
HWND SyncWindow() {
    static thread_local HWND wnd = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &SyncWindowProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "ADGifPainterSync";
        ::RegisterClassA(&wc);
        return ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }();
    return wnd;
}

void ProcessSynchronize() {
    MSG msg;
    // Peeking handles the messages other threads sent to this thread.
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    ::Sleep(1);
}

int64_t MonotonicMs() {
    static const int64_t frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return int64_t(f.QuadPart);
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return int64_t(now.QuadPart) * 1000 / frequency;
}

}  // namespace

TGIFGdiPainterHost::TGIFGdiPainterHost(TGifPicture& picture, TGIFDrawFlags options, HDC target, const RECT& rect,
                                       const TWorkBitmapMaker& makeBitmap)
    : picture_(picture), options_(options), target_(target), rect_(rect) {
    GIFProcessSynchronize = &ProcessSynchronize;
    syncWindow_ = SyncWindow();
    TColor bg = picture.BackgroundOverride != clNone ? picture.BackgroundOverride
                : picture.Header.ColorMap.Count == 0 ? clWindow
                                                     : picture.BackgroundColor();
    Background = IsSystemColor(bg) ? TColor(ColorToRGB(bg)) : bg;
    if ((options & gdAsync) && (options & gdAnimate) && picture.Frames.Count() > 1 && picture.SpeedPercent >= 0)
        wake_.Reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    bool clear = (options & gdClearOnLoop) != 0, restore = false;
    for (int i = 0; i < picture.Frames.Count(); ++i) {
        int d = picture.Frames.Frames(i)->Disposal();
        clear = clear || d == dmBackground;
        restore = restore || d == dmPrevious;
    }
    if (clear && (options & gdTransparent)) MakeBuffer(saved_, true, makeBitmap);
    if (clear || restore) {
        MakeBuffer(compose_, true, makeBitmap);
        MakeBuffer(scratch_, false, makeBitmap);
    }
}

TGIFGdiPainterHost::~TGIFGdiPainterHost() = default;

void TGIFGdiPainterHost::MakeBuffer(Buffer& b, bool copyTarget, const TWorkBitmapMaker& makeBitmap) {
    int w = rect_.right - rect_.left, h = rect_.bottom - rect_.top;
    b.DC.Reset(::CreateCompatibleDC(target_));
    b.Bitmap.Reset(makeBitmap ? makeBitmap(target_, w, h) : ::CreateCompatibleBitmap(target_, w, h));
    if (!b.DC || !b.Bitmap) throw EOutOfResources("Out of system resources");
    b.Old = ::SelectObject(b.DC.Get(), b.Bitmap.Get());
    RECT all{0, 0, w, h};
    OwnedBrush brush(::CreateSolidBrush(COLORREF(Background)));
    ::FillRect(b.DC.Get(), &all, brush.Get());
    if (copyTarget) ::BitBlt(b.DC.Get(), 0, 0, w, h, target_, rect_.left, rect_.top, SRCCOPY);
}

int64_t TGIFGdiPainterHost::Now() { return MonotonicMs(); }

bool TGIFGdiPainterHost::WaitForWake(int64_t ms) {
    if (!wake_) {
        ::Sleep(ms < 0 ? INFINITE : DWORD(ms));
        return false;
    }
    return ::WaitForSingleObject(wake_.Get(), ms < 0 ? INFINITE : DWORD(ms)) == WAIT_OBJECT_0;
}

void TGIFGdiPainterHost::YieldSlice() { ::Sleep(0); }

bool TGIFGdiPainterHost::SleepAndPump(int ms) {
    ::Sleep(DWORD(std::max(ms, 0)));
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(int(msg.wParam));
            return false;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return true;
}

void TGIFGdiPainterHost::Synchronize(const std::function<void()>& step) {
    if (options_ & gdAsync)
        ::SendMessageA(syncWindow_, WM_GIF_SYNCHRONIZE, 0, reinterpret_cast<LPARAM>(&step));
    else
        step();
}

void TGIFGdiPainterHost::Wake() {
    if (wake_) ::SetEvent(wake_.Get());
}

void TGIFGdiPainterHost::PrepareFrame(TGIFSubImage& frame) { GIFFrameBitmap(frame); }

void TGIFGdiPainterHost::RestoreBackground(TGIFSubImage& frame, HDC dc) {
    int w = rect_.right - rect_.left, h = rect_.bottom - rect_.top;
    TRect all{0, 0, w, h};
    std::vector<TRect> areas = (options_ & gdTile) ? GIFFrameTiles(frame, all, picture_.Width(), picture_.Height())
                                                   : std::vector<TRect>{GIFFrameTargetRect(frame, all, picture_.Width(), picture_.Height())};
    OwnedBrush brush(::CreateSolidBrush(COLORREF(Background)));
    for (const TRect& a : areas) {
        if ((options_ & gdTransparent) && saved_.DC) {
            ::BitBlt(dc, a.Left, a.Top, a.Width(), a.Height(), saved_.DC.Get(), a.Left, a.Top, SRCCOPY);
        } else {
            RECT r = ToRECT(a);
            ::FillRect(dc, &r, brush.Get());
        }
    }
}

void TGIFGdiPainterHost::PaintFrame(TGIFPainter& painter, TGIFSubImage& frame, bool clearFirst) {
    if ((Shown && Shown->Window && !::IsWindow(Shown->Window)) ||
        ((options_ & gdCheckCanvas) && ::GetObjectType(target_) == 0)) {
        // Nothing shows what it would paint any more.
        if (Shown) Shown->TargetGone = true;
        painter.Stop();
        return;
    }
    PaintFrameOnTarget(painter, frame, clearFirst);
    if (Shown && Shown->Window && Shown->Bitmap) ::InvalidateRect(Shown->Window, &Shown->WindowRect, FALSE);
}

void TGIFGdiPainterHost::PaintFrameOnTarget(TGIFPainter& painter, TGIFSubImage& frame, bool clearFirst) {
    const bool tile = options_ & gdTile, transparent = options_ & gdTransparent;
    if (!compose_.DC) {
        GIFDrawFrame(frame, target_, rect_, tile, transparent);
        return;
    }
    int w = rect_.right - rect_.left, h = rect_.bottom - rect_.top;
    RECT all{0, 0, w, h};
    HDC canvas = compose_.DC.Get();
    bool copy = true;
    if (painter.CurDisposal == dmPrevious) {
        if (painter.PrevDisposal == dmBackground || painter.PrevDisposal == dmPrevious) {
            ::BitBlt(scratch_.DC.Get(), 0, 0, w, h, compose_.DC.Get(), 0, 0, SRCCOPY);
            canvas = scratch_.DC.Get();
        } else {
            canvas = target_;
            copy = false;
        }
    }
    if (clearFirst) RestoreBackground(frame, canvas == target_ ? compose_.DC.Get() : canvas);
    if (canvas == target_) {
        // Drawn straight onto the target over what the compose buffer holds.
        ::BitBlt(target_, rect_.left, rect_.top, w, h, compose_.DC.Get(), 0, 0, SRCCOPY);
        GIFDrawFrame(frame, target_, rect_, tile, transparent);
    } else {
        GIFDrawFrame(frame, canvas, all, tile, transparent);
    }
    if (copy) ::BitBlt(target_, rect_.left, rect_.top, w, h, canvas, 0, 0, SRCCOPY);
    if (painter.CurDisposal == dmBackground) RestoreBackground(frame, compose_.DC.Get());
}

// ---- Background painters ----------------------------------------------------

TGIFPainter* GIFStartBackgroundPainter(TGifPicture& picture, TGIFDrawFlags options, HDC target, const RECT& rect,
                                       bool main, std::shared_ptr<TGIFImageBitmap> shown) {
    auto host = std::make_unique<TGIFGdiPainterHost>(picture, options | gdAsync, target, rect);
    host->Shown = std::move(shown);
    std::lock_guard<std::recursive_mutex> lock(picture.CacheLock);
    auto painter = std::make_unique<TGIFPainter>(&picture, options | gdAsync, *host);
    TGIFPainter* result = painter.get();
    std::thread([p = painter.get(), h = host.get()] {
        Guarded([&] { p->Execute(); });
        delete p;  // takes itself off its picture
        delete h;
    }).detach();
    painter.release();
    host.release();
    if (main) picture.MainPainter = result;
    return result;
}

}  // namespace ad::gif
