// Child windows printed into a device context, the provider's window image
// with its children painted in, and the skinned parent's background beneath
// a stand-in control.
#include "skin/forms/SkinFormServices.h"

#include <cstring>

#include "framework/Handles.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinGdiPaint.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/forms/SkinProvider.h"
#include "skin/forms/SkBorderForm.h"

namespace ad::skin::forms {

void PrintChildWindows(HWND wnd, HDC dc) {
    for (HWND child = ::GetTopWindow(wnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int saved = ::SaveDC(dc);
        RECT r{};
        ::GetWindowRect(child, &r);
        POINT topLeft{r.left, r.top};
        ::ScreenToClient(wnd, &topLeft);
        POINT origin{};
        ::GetWindowOrgEx(dc, &origin);
        ::SetWindowOrgEx(dc, origin.x - topLeft.x, origin.y - topLeft.y, nullptr);
        const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
        if ((style & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE)) {
            SendSkinCommand(child, SKC_SETPRINTDC, reinterpret_cast<LPARAM>(dc));
            ::SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                           PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
            SendSkinCommand(child, SKC_SETPRINTDC, 0);
            PrintChildWindows(child, dc);
        }
        ::RestoreDC(dc, saved);
    }
}

bool PaintSkinnedParentBackground(TWinControl& control, HDC dc, const RECT& rect) {
    if (!dc || !control.HandleAllocated() || IsEmpty(TRect{rect.left, rect.top, rect.right, rect.bottom})) return false;
    const HWND parent = ::GetParent(control.Handle());
    if (!parent || !IsSkinnedWindow(parent)) return false;
    const TSkBgCacheRef ref = GetWindowParentBgRef(control.Handle());
    if (ref.Ready && !ref.Bmp.Empty()) {
        const TRect source = Intersect(Offset(TRect{rect.left, rect.top, rect.right, rect.bottom}, ref.X, ref.Y),
                                       TRect{0, 0, ref.Bmp.Width, ref.Bmp.Height});
        if (IsEmpty(source)) return false;
        TSkinCacheImage part(source.Width(), source.Height());
        const TImageView32 to = part.View();
        if (to.Empty()) return false;
        for (int y = 0; y < to.Height; ++y)
            std::memcpy(to.Pixel(0, y), ref.Bmp.Pixel(source.Left, source.Top + y), size_t(to.Width) * 4);
        part.Draw(dc, source.Left - ref.X, source.Top - ref.Y, TRect{0, 0, to.Width, to.Height});
        return true;
    }
    if (ref.FillColor == clFuchsia) return false;
    PaintSolidRect(dc, TRect{rect.left, rect.top, rect.right, rect.bottom}, ref.FillColor);
    return true;
}

std::unique_ptr<TSkinCacheImage> TSkinProvider::CopyFormImage() {
    HWND wnd = Wnd();
    if (!wnd || !SkinData) return nullptr;
    if (!SkinData->CacheImage || SkinData->CacheImage->Empty() || SkinData->BgChanged || CacheSizeChanged())
        PrepareCache();
    if (!SkinData->CacheImage || SkinData->CacheImage->Empty()) return nullptr;
    auto image = std::make_unique<TSkinCacheImage>();
    image->Assign(*SkinData->CacheImage);
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    HGDIOBJ old = ::SelectObject(dc.Get(), image->Handle());
    ::SetWindowOrgEx(dc.Get(), -ClientOffsetX(), -ClientOffsetY(), nullptr);
    PrintChildWindows(wnd, dc.Get());
    ::SelectObject(dc.Get(), old);
    if (!borderForm_) {
        const TImageView32 view = image->View();
        for (int y = 0; y < view.Height; ++y)
            for (int x = 0; x < view.Width; ++x) view.Pixel(x, y)[3] = 255;
    }
    return image;
}

}  // namespace ad::skin::forms
