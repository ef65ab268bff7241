// Painting steps the adapters share.
#include "skin/adapters/SkAdapterPaint.h"

#include <algorithm>

#include "skin/adapters/SkMainWnd.h"
#include "skin/engine/paint/SkinDataRules.h"

namespace ad::skin::adapters {

TCacheCanvas::TCacheCanvas(TSkinCommonData& data, const TSkMainWnd& adapter)
    : font_(adapter),
      dc_(::CreateCompatibleDC(nullptr)),
      bitmap_(dc_.Get(), data.CacheImage ? data.CacheImage->Handle() : nullptr),
      selected_(dc_.Get(), font_.Get()) {
    ::SetBkMode(dc_.Get(), TRANSPARENT);
}

TRect ClientBounds(HWND wnd) {
    RECT r{};
    ::GetClientRect(wnd, &r);
    return TRect(0, 0, r.right, r.bottom);
}

void FillFromBackground(const TImageView32& image, const TRect& rect, const TSkBgCacheRef& background) {
    const uint32_t fill = 0xFF000000u | ((background.FillColor & 0xFF) << 16) | (background.FillColor & 0xFF00) |
                          ((background.FillColor >> 16) & 0xFF);
    for (int y = std::max(0, rect.Top); y < std::min(image.Height, rect.Bottom); ++y)
        for (int x = std::max(0, rect.Left); x < std::min(image.Width, rect.Right); ++x) {
            uint32_t pixel = fill;
            BackgroundPixel(background, x, y, pixel);
            *reinterpret_cast<uint32_t*>(image.Pixel(x, y)) = pixel;
        }
}

TColor SectionFontColor(const TSkinCommonData& data, int state) {
    const TSkinTables* skin = data.Skin();
    if (!skin || !skin->IsValidSectionIndex(data.SkinIndex)) return 0;
    return skin->Section(data.SkinIndex).Props[size_t(ClampSectionState(*skin, data.SkinIndex, state))].FontColor;
}

TUnmirroredDC::TUnmirroredDC(HDC dc) : dc_(dc) {
    const DWORD layout = dc ? ::GetLayout(dc) : GDI_ERROR;
    if (layout == GDI_ERROR || !(layout & LAYOUT_RTL)) {
        dc_ = nullptr;
        return;
    }
    layout_ = layout;
    ::SetLayout(dc_, 0);
}

TUnmirroredDC::~TUnmirroredDC() {
    if (dc_) ::SetLayout(dc_, layout_);
}

void CopyCache(TSkinCommonData& data, HWND wnd, HDC given) {
    if (!data.CacheImage) return;
    const TRect all(0, 0, data.CacheImage->Width(), data.CacheImage->Height());
    if (given) {
        const TUnmirroredDC unmirrored(given);
        data.CacheImage->Draw(given, 0, 0, all);
        return;
    }
    WindowDC dc(wnd);
    const TUnmirroredDC unmirrored(dc.Get());
    data.CacheImage->Draw(dc.Get(), 0, 0, all);
}

}  // namespace ad::skin::adapters
