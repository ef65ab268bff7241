// GIF painter pacing under Wine: a 60-frame animation of 5-unit (60 ms) delays
// played by a background painter onto a memory bitmap, by the picture's own
// painter through Draw (into its image bitmap) and by a synchronous painter;
// prints the mean frame interval against the ideal, the longest interval and
// the CPU time of the process per shown frame (painter thread and its steps in
// the GUI thread).
// Never part of the tests.
#include <windows.h>

#include <algorithm>
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

// User and kernel time of the process so far, in milliseconds.
static double ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) { return double(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0; };
    return ms(kernel) + ms(user);
}

// Handles messages (the painter's synchronisation requests) until done.
static void PumpUntil(const std::atomic<bool>& done) {
    MSG msg;
    while (!done) {
        if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT) == WAIT_OBJECT_0)
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
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
    enum Mode { Background, ImageBitmap, Synchronous };
    for (int round = 0; round < 2; ++round) {
        for (Mode mode : {Background, ImageBitmap, Synchronous}) {
            std::vector<double> at;
            at.reserve(64);
            std::atomic<bool> done{false};
            pic.OnAfterFrame = [&](TGIFPainter*) { at.push_back(NowMs()); };
            pic.OnFinishPaint = [&](TGIFPainter*) { done = true; };
            const double cpu0 = ProcessCpuMs();
            if (mode == Background) {
                pic.DrawFlags = gdAnimate | gdTransparent;
                GIFStartBackgroundPainter(pic, pic.DrawFlags, dc, {0, 0, 64, 64});
                PumpUntil(done);
                pic.StopPainters();
            } else if (mode == ImageBitmap) {
                pic.DrawFlags = gdAsync | gdAnimate | gdTransparent;
                GIFDrawPicture(pic, dc, {0, 0, 64, 64});
                PumpUntil(done);
                pic.StopPainters();
            } else {
                pic.DrawFlags = gdAnimate | gdTransparent;
                GIFDrawPicture(pic, dc, {0, 0, 64, 64});
            }
            const double cpu = ProcessCpuMs() - cpu0;
            const double mean = (at.back() - at.front()) / double(at.size() - 1);
            double longest = 0;
            for (size_t i = 1; i < at.size(); ++i) longest = std::max(longest, at[i] - at[i - 1]);
            static const char* const names[] = {"background", "image bitmap", "synchronous"};
            std::printf("%-13s %zu frames, mean interval %.2f ms (ideal %.0f ms, %+.2f%%), longest %.1f ms, "
                        "CPU %.3f ms per frame\n",
                        names[mode], at.size(), mean, ideal, (mean / ideal - 1) * 100, longest, cpu / double(at.size()));
        }
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return 0;
}
