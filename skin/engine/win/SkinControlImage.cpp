// Controls painted into images and DCs.
#include "skin/engine/win/SkinControlImage.h"

#include "base/Color.h"
#include "framework/Handles.h"
#include "framework/WinGeometry.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/win/SkinMessaging.h"

namespace ad::skin {

namespace {

bool gPaintingChildren = false;

// The parent's background under the control, at (x, y) of the bitmap.
void PaintParentBackground(HDC dc, const TImageView32& view, TWinControl* control, int x, int y) {
    TSkParentBgRequest r;
    GetParentBg(r, control->Parent(), false);
    const TRect at{x, y, x + control->Width(), y + control->Height()};
    if (r.Kind == pbImage && !r.Bmp.Empty()) {
        const int sx = r.OffsetX + control->Left(), sy = r.OffsetY + control->Top();
        for (int row = std::max(0, at.Top); row < std::min(view.Height, at.Bottom); ++row) {
            const int srcY = sy + row - y;
            if (srcY < 0 || srcY >= r.Bmp.Height) continue;
            for (int col = std::max(0, at.Left); col < std::min(view.Width, at.Right); ++col) {
                const int srcX = sx + col - x;
                if (srcX >= 0 && srcX < r.Bmp.Width) SetPixel32(view, col, row, GetPixel32(r.Bmp, srcX, srcY));
            }
        }
        return;
    }
    if (r.Kind == pbNotReady) return;
    OwnedBrush brush(::CreateSolidBrush(ColorToRGB(r.Color)));
    const RECT fill = ToRECT(at);
    ::FillRect(dc, &fill, brush.Get());
}

void PaintOne(HDC dc, const TImageView32& view, TWinControl* control, int x, int y, TSkinProviderLink* provider) {
    if (!control || control->Destroying() || !control->HandleAllocated()) return;
    const HWND wnd = control->Handle();
    const int saved = ::SaveDC(dc);
    if (!provider && control->Parent()) PaintParentBackground(dc, view, control, x, y);
    if (!provider || !provider->HasExtendedBorder())
        ::IntersectClipRect(dc, x, y, x + control->Width(), y + control->Height());
    ::SetViewportOrgEx(dc, x, y, nullptr);
    try {
        if (IsSkinnedWindow(wnd)) {
            SendSkinCommand(wnd, SKC_SETPRINTDC, reinterpret_cast<LPARAM>(dc));
            ::SendMessageW(wnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
            SendSkinCommand(wnd, SKC_SETPRINTDC, 0);
        } else {
            OwnedBrush brush(::CreateSolidBrush(ColorToRGB(control->EffectiveColor())));
            const RECT all{0, 0, control->Width(), control->Height()};
            ::FillRect(dc, &all, brush.Get());
            ::SendMessageW(wnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
        }
    } catch (...) {
        // A control that cannot paint itself leaves what is under it.
    }
    ::RestoreDC(dc, saved);
}

void PaintChildren(HDC dc, const TImageView32& view, TWinControl* container, TPoint origin,
                   TSkinProviderLink* provider);

void PaintWithChildren(HDC dc, const TImageView32& view, TWinControl* control, int x, int y,
                       TSkinProviderLink* provider) {
    PaintOne(dc, view, control, x, y, provider);
    if (!control->HandleAllocated()) return;
    // The children sit in the client area, which the frame may push in.
    POINT client{0, 0};
    ::ClientToScreen(control->Handle(), &client);
    RECT window{};
    ::GetWindowRect(control->Handle(), &window);
    PaintChildren(dc, view, control, {x + client.x - window.left, y + client.y - window.top}, provider);
}

void PaintChildren(HDC dc, const TImageView32& view, TWinControl* container, TPoint origin,
                   TSkinProviderLink* provider) {
    for (int i = 0; i < container->ControlCount(); ++i) {
        TWinControl* child = container->Controls(i);
        if (!child->HandleAllocated() || !child->Visible() || !::IsWindowVisible(child->Handle())) continue;
        PaintWithChildren(dc, view, child, origin.X + child->Left(), origin.Y + child->Top(), provider);
    }
}

}  // namespace

void PaintControlToBitmap(TDibSection32& bitmap, TWinControl* control, int x, int y, TSkinProviderLink* provider) {
    if (!control || !bitmap.Handle()) return;
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    if (!dc) return;
    {
        SelectObjectScope selected(dc.Get(), bitmap.Handle());
        PaintWithChildren(dc.Get(), bitmap.View(), control, x, y, provider);
        ::GdiFlush();
    }
    if (provider && provider->HasExtendedBorder() && control->HandleAllocated()) {
        const TPoint offset = provider->ClientOffset();
        RECT client{};
        ::GetClientRect(control->Handle(), &client);
        const TImageView32 view = bitmap.View();
        SetRectAlpha(view,
                     {x + offset.X, y + offset.Y, x + offset.X + client.right,
                      std::min(view.Height, y + offset.Y + int(client.bottom))},
                     255);
    }
}

void PaintWindowedChildren(TWinControl* container, TDibSection32& bitmap, TPoint clientOrigin,
                           TSkinProviderLink* provider) {
    if (!container || !bitmap.Handle()) return;
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    if (!dc) return;
    SelectObjectScope selected(dc.Get(), bitmap.Handle());
    PaintChildren(dc.Get(), bitmap.View(), container, clientOrigin, provider);
    ::GdiFlush();
}

std::unique_ptr<TDibSection32> CaptureControlImage(TWinControl* control) {
    if (!control || control->Destroying() || !control->HandleAllocated()) return nullptr;
    const HWND wnd = control->Handle();
    if (!::IsWindowVisible(wnd) || ::IsIconic(::GetAncestor(wnd, GA_ROOT))) return nullptr;
    RECT r{};
    ::GetWindowRect(wnd, &r);
    auto image = std::make_unique<TDibSection32>(r.right - r.left, r.bottom - r.top);
    if (!image->Handle()) return nullptr;
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    if (!dc) return nullptr;
    {
        SelectObjectScope selected(dc.Get(), image->Handle());
        WindowDC screen(nullptr);
        ::BitBlt(dc.Get(), 0, 0, r.right - r.left, r.bottom - r.top, screen.Get(), r.left, r.top, SRCCOPY);
        ::GdiFlush();
    }
    return image;
}

void PaintChildrenToDC(HDC dc, TWinControl* container, bool withBackground, HWND window, TPoint offset) {
    (void)withBackground, (void)window, (void)offset;
    if (gPaintingChildren || !dc || !container || container->ControlCount() == 0) return;
    gPaintingChildren = true;
    RECT clip{};
    const int kind = ::GetClipBox(dc, &clip);
    if ((kind == NULLREGION || clip.right <= clip.left || clip.bottom <= clip.top) && container->HandleAllocated())
        SendSkinCommand(container->Handle(), SKC_SETCHILDPAINTING);
    gPaintingChildren = false;
}

}  // namespace ad::skin
