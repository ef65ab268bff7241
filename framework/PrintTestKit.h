// Test kit: what a window paints into a DC it is given (WM_PRINT,
// WM_PRINTCLIENT, WM_PAINT with a DC), caught in a 32-bit DIB section that is
// filled with a marker colour first, and read back pixel by pixel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/Handles.h"

namespace ad::test {

constexpr COLORREF kUnpainted = RGB(1, 2, 3);

struct TPrintedImage {
    int Width = 0, Height = 0;
    std::vector<std::uint32_t> Pixels;  // top-down, 0x00RRGGBB
    // CLR_INVALID outside the image.
    COLORREF At(int x, int y) const {
        if (x < 0 || y < 0 || x >= Width || y >= Height) return CLR_INVALID;
        const std::uint32_t p = Pixels[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

// Sends msg (wParam: the DC, lParam: flags) to wnd with a width x height
// DIB section selected into a memory DC.
inline TPrintedImage PrintInto(HWND wnd, UINT msg, LPARAM flags, int width, int height) {
    TPrintedImage image{width, height, {}};
    WindowDC screen(nullptr);
    OwnedMemoryDC dc(::CreateCompatibleDC(screen.Get()));
    DibSection32 bitmap(width, height);
    if (!dc || !bitmap) return image;
    {
        SelectObjectScope select(dc.Get(), bitmap.Get());
        OwnedBrush marker(::CreateSolidBrush(kUnpainted));
        RECT all{0, 0, width, height};
        ::FillRect(dc.Get(), &all, marker.Get());
        ::SendMessageW(wnd, msg, reinterpret_cast<WPARAM>(dc.Get()), flags);
        ::GdiFlush();
    }
    image.Pixels.assign(bitmap.Bits(), bitmap.Bits() + bitmap.PixelCount());
    return image;
}

// Where an underlined text of one colour lies in a printed image: the
// underline is the row with the most pixels of that colour, the letters are
// those pixels in every other row. Left/right are inclusive columns, -1 when
// there is none.
struct TUnderlinedText {
    int TextLeft = -1, TextRight = -1;
    int UnderlineLeft = -1, UnderlineRight = -1;
};

inline TUnderlinedText FindUnderlinedText(const TPrintedImage& image, COLORREF color) {
    TUnderlinedText found;
    int underlineRow = -1, most = 0;
    for (int y = 0; y < image.Height; ++y) {
        int count = 0;
        for (int x = 0; x < image.Width; ++x) count += image.At(x, y) == color;
        if (count > most) {
            most = count;
            underlineRow = y;
        }
    }
    auto widen = [](int& left, int& right, int x) {
        if (left < 0 || x < left) left = x;
        if (x > right) right = x;
    };
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x)
            if (image.At(x, y) == color) {
                if (y == underlineRow) widen(found.UnderlineLeft, found.UnderlineRight, x);
                else widen(found.TextLeft, found.TextRight, x);
            }
    return found;
}

}  // namespace ad::test
