// Run-time bound functions and the device-context painting routines.
#include "skin/engine/win/SkinGdiPaint.h"

#include "framework/WinGeometry.h"

namespace ad::skin {

namespace {

struct BoundLibraries {
    OwnedModule Gdi, User;
    TSkinBoundFunctions Functions;

    BoundLibraries() {
        Gdi.Reset(::LoadLibraryW(L"gdi32.dll"));
        User.Reset(::LoadLibraryW(L"user32.dll"));
        if (Gdi) {
            Functions.SetLayout = reinterpret_cast<TSetLayoutFn>(reinterpret_cast<void*>(::GetProcAddress(Gdi.Get(), "SetLayout")));
            Functions.GetLayout = reinterpret_cast<TGetLayoutFn>(reinterpret_cast<void*>(::GetProcAddress(Gdi.Get(), "GetLayout")));
        }
        if (User) {
            Functions.UpdateLayeredWindow = reinterpret_cast<TUpdateLayeredWindowFn>(
                reinterpret_cast<void*>(::GetProcAddress(User.Get(), "UpdateLayeredWindow")));
            Functions.SetLayeredWindowAttributes = reinterpret_cast<TSetLayeredWindowAttributesFn>(
                reinterpret_cast<void*>(::GetProcAddress(User.Get(), "SetLayeredWindowAttributes")));
        }
    }
};

BoundLibraries& Bound() {
    static BoundLibraries libraries;
    return libraries;
}

}  // namespace

const TSkinBoundFunctions& SkinBoundFunctions() { return Bound().Functions; }
TSkinBoundFunctions& MutableSkinBoundFunctions() { return Bound().Functions; }

bool LayeredWindowsAvailable() { return SkinBoundFunctions().UpdateLayeredWindow != nullptr; }

void SetDCLayout(HDC dc, DWORD layout) {
    if (auto f = SkinBoundFunctions().SetLayout) f(dc, layout);
}

DWORD GetDCLayout(HDC dc) {
    auto f = SkinBoundFunctions().GetLayout;
    return f ? f(dc) : 0;
}

TSize CheckBoxGlyphSize() {
    static const TSize size = [] {
        OwnedBitmap bmp(::LoadBitmapW(nullptr, MAKEINTRESOURCEW(32759)));  // OBM_CHECKBOXES
        BITMAP info{};
        if (!bmp || !::GetObjectW(bmp.Get(), sizeof info, &info)) return TSize{};
        return TSize{info.bmWidth / 4, info.bmHeight / 3};
    }();
    return size;
}

void PaintSolidRect(HDC dc, const TRect& rect, TColor color) {
    SavedDCState state(dc);
    OwnedBrush brush(::CreateSolidBrush(ColorToRGB(color)));
    const RECT r = ToRECT(rect);
    ::FillRect(dc, &r, brush.Get());
}

void PaintSolidBorder(HDC dc, const TRect& rect, TColor color, int left, int top, int right, int bottom) {
    PaintSolidRect(dc, {rect.Left, rect.Top, rect.Right, rect.Top + top}, color);
    PaintSolidRect(dc, {rect.Left, rect.Top + top, rect.Left + left, rect.Bottom - bottom}, color);
    PaintSolidRect(dc, {rect.Right - right, rect.Top + top, rect.Right, rect.Bottom - bottom}, color);
    PaintSolidRect(dc, {rect.Left, rect.Bottom - bottom, rect.Right, rect.Bottom}, color);
}

void CopyFrameStrips(HDC source, HDC target, const TRect& rect, int width) {
    const int w = rect.Width(), h = rect.Height();
    ::BitBlt(target, rect.Left, rect.Top, w, width, source, rect.Left, rect.Top, SRCCOPY);
    ::BitBlt(target, rect.Left, rect.Bottom - width, w, width, source, rect.Left, rect.Bottom - width, SRCCOPY);
    ::BitBlt(target, rect.Left, rect.Top + width, width, h - 2 * width, source, rect.Left, rect.Top + width, SRCCOPY);
    ::BitBlt(target, rect.Right - width, rect.Top + width, width, h - 2 * width, source, rect.Right - width,
             rect.Top + width, SRCCOPY);
}

void DrawBevelFrame(HDC dc, TRect rect, TColor light, int thickness, TColor dark) {
    OwnedPen lightPen(::CreatePen(PS_SOLID, 1, ColorToRGB(light)));
    OwnedPen darkPen(::CreatePen(PS_SOLID, 1, ColorToRGB(dark)));
    SelectObjectScope keep(dc, lightPen.Get());
    for (; thickness > 0; --thickness) {
        ::SelectObject(dc, lightPen.Get());
        ::MoveToEx(dc, rect.Left, rect.Bottom - 1, nullptr);
        ::LineTo(dc, rect.Left, rect.Top);
        ::LineTo(dc, rect.Right - 1, rect.Top);
        ::SelectObject(dc, darkPen.Get());
        ::LineTo(dc, rect.Right - 1, rect.Bottom - 1);
        ::LineTo(dc, rect.Left - 1, rect.Bottom - 1);
        rect = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    }
}

void DrawDottedFrame(HDC dc, const TRect& rect, TColor second, TColor first) {
    const COLORREF a = ColorToRGB(first), b = ColorToRGB(second);
    auto dot = [&](int x, int y, int i) {
        const TColor c = i % 2 ? first : second;
        if (c != clNone) ::SetPixelV(dc, x, y, i % 2 ? a : b);
    };
    for (int x = rect.Left; x < rect.Right; ++x) {
        dot(x, rect.Top, x - rect.Left);
        dot(x, rect.Bottom - 1, x - rect.Left);
    }
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        dot(rect.Left, y, y - rect.Top);
        dot(rect.Right - 1, y, y - rect.Top);
    }
}

}  // namespace ad::skin
