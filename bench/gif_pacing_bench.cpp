// GIF painter pacing under Wine: a 60-frame animation of 5-unit (60 ms) delays
// played by a background and by a synchronous painter onto a memory bitmap;
// prints the mean frame interval against the ideal. Never part of the tests.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <vector>

#include "gif/GIFGraphics.h"

using namespace ad;
using namespace ad::gif;

static double NowMs() {
    LARGE_INTEGER f, c;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&c);
    return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

int main() {
    TGifPicture pic;
    for (int i = 0; i < 4; ++i) pic.Header.ColorMap.Add(TColor(i * 0x404040));
    for (int i = 0; i < 60; ++i) {
        auto* f = new TGIFSubImage(&pic);
        pic.Add(f);
        f->SetBounds(0, 0, 64, 64);
        std::fill(f->Data(), f->Data() + f->DataSize(), uint8_t(i % 4));
        auto* gce = new TGIFGraphicControlExtension(f);
        f->Extensions.Add(gce);
        gce->Delay = 5;
    }
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, 64, 64);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    const double ideal = 5.0 * GIFDelayUnitMs;
    for (bool background : {true, false}) {
        std::vector<double> at;
        std::atomic<bool> done{false};
        pic.OnAfterFrame = [&](TGIFPainter*) { at.push_back(NowMs()); };
        pic.OnFinishPaint = [&](TGIFPainter*) { done = true; };
        TGIFDrawFlags flags = gdAnimate | gdTransparent;
        pic.DrawFlags = flags;
        if (background) {
            GIFStartBackgroundPainter(pic, flags, dc, {0, 0, 64, 64});
            MSG msg;
            while (!done) {
                if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT) == WAIT_OBJECT_0)
                    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
                ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
            }
            pic.StopPainters();
        } else {
            GIFDrawPicture(pic, dc, {0, 0, 64, 64});
        }
        double mean = (at.back() - at.front()) / double(at.size() - 1);
        std::printf("%-12s %zu frames, mean interval %.2f ms (ideal %.0f ms, %+.2f%%)\n",
                    background ? "background" : "synchronous", at.size(), mean, ideal, (mean / ideal - 1) * 100);
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return 0;
}
