// The GIF codec's Windows side: registration, system bitmaps, frame drawing,
// the clipboard, icons and metafiles, and the painter's GDI host and thread.
#include "gif/GIFGraphics.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>

#include "framework/ExceptionBarrier.h"
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

OwnedHandle<GdiObjectTraits<HPALETTE>> MakePalette(const TGIFPalette& colors) {
    if (colors.empty()) return {};
    std::vector<uint8_t> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * 256, 0);
    auto* lp = reinterpret_cast<LOGPALETTE*>(block.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = WORD(std::min<size_t>(colors.size(), 256));
    for (size_t i = 0; i < lp->palNumEntries; ++i)
        lp->palPalEntry[i] = {colors[i].Red, colors[i].Green, colors[i].Blue, PC_NOCOLLAPSE};
    return OwnedHandle<GdiObjectTraits<HPALETTE>>(::CreatePalette(lp));
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
            OwnedHandle<GdiObjectTraits<HPALETTE>> halftone(::CreateHalftonePalette(screen));
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
    TRect t{target.left, target.top, target.right, target.bottom};
    std::vector<TRect> rects = tile ? GIFFrameTiles(frame, t, pic->Width(), pic->Height())
                                    : std::vector<TRect>{GIFFrameTargetRect(frame, t, pic->Width(), pic->Height())};
    SelectedDC src(cache->Bitmap.Get());
    RECT s{0, 0, frame.Width(), frame.Height()};
    if (transparent && frame.IsTransparent && cache->Mask) {
        SelectedDC mask(cache->Mask.Get());
        for (const TRect& r : rects) GIFTransparentBlt(dc, {r.Left, r.Top, r.Right, r.Bottom}, src.DC.Get(), s, mask.DC.Get());
        return;
    }
    int mode = ::SetStretchBltMode(dc, COLORONCOLOR);
    for (const TRect& r : rects)
        ::StretchBlt(dc, r.Left, r.Top, r.Width(), r.Height(), src.DC.Get(), 0, 0, s.right, s.bottom, SRCCOPY);
    ::SetStretchBltMode(dc, mode);
}

void GIFDrawPicture(TGifPicture& picture, HDC dc, const RECT& target) {
    static thread_local const TGifPicture* drawing = nullptr;
    if (picture.Empty() || drawing == &picture || target.right <= target.left || target.bottom <= target.top) return;
    drawing = &picture;
    struct Reset {
        ~Reset() { drawing = nullptr; }
    } reset;
    TGIFDrawFlags flags = picture.DrawFlags;
    if (picture.Frames.Count() > 1 && (flags & gdAnimate)) {
        if (flags & gdAsync) {
            GIFStartBackgroundPainter(picture, flags, dc, target);
            return;
        }
        TGIFGdiPainterHost host(picture, flags, dc, target);
        TGIFPainter painter(&picture, flags, host);
        painter.Execute();
        return;
    }
    int index = picture.StillFrame >= 0 && picture.StillFrame < picture.Frames.Count() ? picture.StillFrame : 0;
    GIFDrawFrame(*picture.Frames.Frames(index), dc, target, flags & gdTile, flags & gdTransparent);
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
    // The bitmap: the picture's first frame on its logical screen.
    OwnedBitmap bmp(::CreateCompatibleBitmap(WindowDC(nullptr).Get(), picture.Width(), picture.Height()));
    {
        SelectedDC dc(bmp.Get());
        RECT all{0, 0, picture.Width(), picture.Height()};
        TColor bg = picture.Header.ColorMap.Count > 0 ? picture.BackgroundColor() : clWhite;
        OwnedBrush brush(::CreateSolidBrush(COLORREF(bg)));
        ::FillRect(dc.DC.Get(), &all, brush.Get());
        GIFDrawFrame(*picture.Frames.Frames(0), dc.DC.Get(), all, false, true);
    }
    format = CF_BITMAP;
    data = bmp.Release();
    palette = nullptr;
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

namespace {

// A 24-bit picture of width x height drawn by draw on a background colour.
TGIFDib DrawOn(int width, int height, COLORREF background, const std::function<void(HDC)>& draw) {
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    OwnedBitmap section(::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
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
    std::memcpy(dib.Bits.data(), bits, dib.Bits.size());
    return dib;
}

}  // namespace

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

TGIFGdiPainterHost::TGIFGdiPainterHost(TGifPicture& picture, TGIFDrawFlags options, HDC target, const RECT& rect)
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
    if (clear && (options & gdTransparent)) MakeBuffer(saved_, true);
    if (clear || restore) {
        MakeBuffer(compose_, true);
        MakeBuffer(scratch_, false);
    }
}

TGIFGdiPainterHost::~TGIFGdiPainterHost() {
    for (Buffer* b : {&saved_, &compose_, &scratch_})
        if (b->DC) ::SelectObject(b->DC.Get(), b->Old);
}

void TGIFGdiPainterHost::MakeBuffer(Buffer& b, bool copyTarget) {
    int w = rect_.right - rect_.left, h = rect_.bottom - rect_.top;
    b.DC.Reset(::CreateCompatibleDC(target_));
    b.Bitmap.Reset(::CreateCompatibleBitmap(target_, w, h));
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
            RECT r{a.Left, a.Top, a.Right, a.Bottom};
            ::FillRect(dc, &r, brush.Get());
        }
    }
}

void TGIFGdiPainterHost::PaintFrame(TGIFPainter& painter, TGIFSubImage& frame, bool clearFirst) {
    const bool tile = options_ & gdTile, transparent = options_ & gdTransparent;
    if ((options_ & gdCheckCanvas) && ::GetObjectType(target_) == 0) {
        painter.Stop();
        return;
    }
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

TGIFPainter* GIFStartBackgroundPainter(TGifPicture& picture, TGIFDrawFlags options, HDC target, const RECT& rect) {
    auto host = std::make_unique<TGIFGdiPainterHost>(picture, options | gdAsync, target, rect);
    auto painter = std::make_unique<TGIFPainter>(&picture, options | gdAsync, *host);
    TGIFPainter* result = painter.get();
    std::thread([p = painter.release(), h = host.release()] {
        Guarded([&] { p->Execute(); });
        delete p;  // takes itself off its picture
        delete h;
    }).detach();
    return result;
}

}  // namespace ad::gif
