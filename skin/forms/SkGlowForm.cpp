// The overlay form of the skinning and the snapshot form of hide animations.
#include "skin/forms/SkGlowForm.h"

#include <algorithm>
#include <cstring>

#include "skin/engine/win/SkinDib.h"
#include "skin/engine/win/SkinGdiPaint.h"
#include "skin/engine/win/SkinWindowAnimation.h"
#include "skin/forms/SkinProvider.h"

namespace ad::skin::forms {

namespace {
// Hidden without moving, sizing, redrawing, activating or re-ordering owners.
constexpr UINT kHideFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_HIDEWINDOW |
                            SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;
}  // namespace

TSkGlowForm::TSkGlowForm(TComponent* owner) : TForm(owner) {
    Tag = kNoSkinTag;
    BorderStyle = TFormBorderStyle::bsNone;
}

void TSkGlowForm::CreateParams(TCreateParams& params) {
    TForm::CreateParams(params);
    params.ExStyle |= WS_EX_LAYERED | WS_EX_TOOLWINDOW;
    params.ExStyle &= ~DWORD(WS_EX_APPWINDOW);
    params.ClassStyle &= ~UINT(CS_DROPSHADOW);
    params.WinClassName = L"TSkGlowForm";
    // Without a main form to own it, the application's overlay owner does.
    if (!params.WndParent && Application) params.WndParent = Application->OverlayOwner();
}

void TSkGlowForm::WndProc(TMessage& m) {
    if (m.Msg == WM_NCHITTEST) {
        m.Result = HTTRANSPARENT;
        return;
    }
    if ((m.Msg == WM_SHOWWINDOW || m.Msg == CM_VISIBLECHANGED) && m.WParam == 0 && HandleAllocated())
        ::SetWindowPos(handle_, nullptr, 0, 0, 0, 0, kHideFlags);
    TForm::WndProc(m);
}

std::unique_ptr<TSkGlowForm> CreateSnapshotForm(HWND wnd) {
    if (!wnd || !::IsWindow(wnd) || !LayeredWindowsAvailable()) return nullptr;
    RECT r{};
    ::GetWindowRect(wnd, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return nullptr;
    TDibSection32 image(width, height);
    if (image.View().Empty()) return nullptr;
    std::unique_ptr<TSkinCacheImage> copy;
    if (TSkinProvider* provider = TSkinProvider::OfWindow(wnd)) copy = provider->CopyFormImage();
    if (copy && !copy->Empty()) {
        const TImageView32 from = copy->View(), to = image.View();
        for (int y = 0; y < std::min(from.Height, to.Height); ++y)
            std::memcpy(to.Pixel(0, y), from.Pixel(0, y), size_t(std::min(from.Width, to.Width)) * 4);
    } else {
        // No provider: the window prints itself, opaque.
        OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
        HGDIOBJ old = ::SelectObject(dc.Get(), image.Handle());
        ::PrintWindow(wnd, dc.Get(), 0);
        ::SelectObject(dc.Get(), old);
        const TImageView32 to = image.View();
        for (int y = 0; y < to.Height; ++y)
            for (int x = 0; x < to.Width; ++x) to.Pixel(x, y)[3] = 255;
    }
    auto form = std::make_unique<TSkGlowForm>(nullptr);
    form->SetBounds(r.left, r.top, width, height);
    HWND snapshot = form->Handle();
    ::SetWindowPos(snapshot, HWND_TOPMOST, r.left, r.top, width, height, SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    SetLayeredImage(snapshot, &image, 255);
    form->ShowNoActivate();
    return form;
}

}  // namespace ad::skin::forms
