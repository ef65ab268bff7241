// Painting steps the adapters share: a memory DC on a skin data's cache with
// the adapter's font, a cache rectangle filled with what the parent shows,
// a section state's font colour, and the cache copied out to a window.
#pragma once

#include <windows.h>

#include "framework/Handles.h"
#include "skin/adapters/SkAdapterUtils.h"
#include "skin/engine/win/SkinCommonData.h"

namespace ad::skin::adapters {

class TSkMainWnd;

// A memory DC on the data's cache with the adapter's font selected and a
// transparent background mode.
class TCacheCanvas {
public:
    TCacheCanvas(TSkinCommonData& data, const TSkMainWnd& adapter);
    HDC Get() const { return dc_.Get(); }

private:
    TSkAdapterFont font_;
    OwnedMemoryDC dc_;
    SelectObjectScope bitmap_;
    SelectObjectScope selected_;
};

// The window's client rectangle at (0, 0).
TRect ClientBounds(HWND wnd);

// Pixels of rect take what the parent shows under them.
void FillFromBackground(const TImageView32& image, const TRect& rect, const TSkBgCacheRef& background);

// The font colour of a section's state (the state limited to the section's).
TColor SectionFontColor(const TSkinCommonData& data, int state);

// A mirrored DC (right-to-left layout) draws unmirrored while the scope
// lives: the cache already holds the control as it looks. The layout is put
// back afterwards, so that whoever gave the DC keeps painting mirrored.
class TUnmirroredDC {
public:
    explicit TUnmirroredDC(HDC dc);
    ~TUnmirroredDC();
    TUnmirroredDC(const TUnmirroredDC&) = delete;
    TUnmirroredDC& operator=(const TUnmirroredDC&) = delete;

private:
    HDC dc_;
    DWORD layout_ = 0;
};

// The cache copied to the DC given, or to the window's client DC.
void CopyCache(TSkinCommonData& data, HWND wnd, HDC given);

// A WM_PAINT answered by paint(dc): into the DC the message carries (a
// print), else between BeginPaint and EndPaint. The answer is 0.
template <class F>
void PaintForMessage(HWND wnd, TMessage& m, F paint) {
    if (m.WParam) {
        paint(reinterpret_cast<HDC>(m.WParam));
    } else {
        PaintDC dc(wnd);
        paint(dc.Get());
    }
    m.Result = 0;
}

}  // namespace ad::skin::adapters
