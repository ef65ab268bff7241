// Animated pictures on screen: one painter per picture painting into its
// image bitmap, which Draw copies; the painter ends with the window it shows in.
#include "gif/GIFGraphics.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <memory>
#include <set>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "gif/GIFWinTestSupport.h"
#include "testsupport/GuiTest.h"

namespace ad::gif {
namespace {

using giftest::AddFrame;
using giftest::Colours;
using giftest::Rgb;
using giftest::Surface;

// Threads of this process (painter threads among them).
int ThreadCount() {
    OwnedKernelHandle snap(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 e{};
    e.dwSize = sizeof e;
    int n = 0;
    for (BOOL ok = ::Thread32First(snap.Get(), &e); ok; ok = ::Thread32Next(snap.Get(), &e))
        if (e.th32OwnerProcessID == ::GetCurrentProcessId()) ++n;
    return n;
}

size_t PainterCount(TGifPicture& pic) {
    std::lock_guard<std::recursive_mutex> lock(pic.CacheLock);
    return pic.Painters.size();
}

// Three frames of 4 x 4 in colours 1, 2 and 3, 36 ms each, looping for ever.
void Animation(TGifPicture& pic) {
    Colours(pic);
    for (uint8_t c : {1, 2, 3}) AddFrame(pic, 0, 0, 4, 4, std::vector<uint8_t>(16, c), -1, 1);
    auto* loop = new TGIFAppExtNSLoop(pic.Frames.Frames(0));
    pic.Frames.Frames(0)->Extensions.Insert(0, loop);
    pic.DrawFlags = TGIFDrawFlags(gdAsync | gdAnimate | gdLoop);
}

uint32_t ImagePixel(TGifPicture& pic) {
    std::lock_guard<std::recursive_mutex> lock(pic.CacheLock);
    auto* shown = dynamic_cast<TGIFImageBitmap*>(pic.ImageBitmap.get());
    if (!shown) return 0xFFFFFFFF;
    COLORREF c = ::GetPixel(shown->DC.Get(), 1, 1);
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

TEST(GIFDrawPicture, AnImageControlRepaintedAHundredTimesHasOnePainterThatGoesWithIt) {
    GIFRegister();
    const int threadsBefore = ThreadCount();
    auto form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(120, 90);
    auto* image = new TImage(form.get());
    image->SetParent(form.get());
    image->SetBounds(10, 10, 40, 40);
    image->SetStretch(true);
    auto graphic = std::make_unique<TGIFGraphic>();
    TGifPicture& pic = graphic->Picture;
    Animation(pic);
    image->Picture().SetGraphic(std::move(graphic));
    form->Show();
    ASSERT_TRUE(test::PumpUntil([&] { return ImagePixel(pic) != 0xFFFFFFFF; }));
    for (int i = 0; i < 100; ++i) ::RedrawWindow(image->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(PainterCount(pic), 1u);
    EXPECT_LE(ThreadCount(), threadsBefore + 2);  // the painter (and Wine's own helpers, at most one)

    // The painter paints into the image bitmap: the frames' colours follow
    // one another there, and the control shows them.
    std::set<uint32_t> seen;
    test::PumpUntil([&] {
        seen.insert(ImagePixel(pic));
        return seen.size() >= 3;
    });
    for (uint8_t c : {1, 2, 3}) EXPECT_TRUE(seen.count(Rgb(pic.Header.ColorMap.Entry(c)))) << int(c);
    test::SaveClientScreenshot(form->Handle(), "GIFImageControl.bmp");

    // A Draw onto a memory DC copies the frame the bitmap holds now.
    Surface s(8, 8, RGB(0, 0, 0));
    TGraphic* shownGraphic = image->Picture().Graphic();
    shownGraphic->Draw(s.DC.Get(), RECT{0, 0, 8, 8});
    EXPECT_EQ(s.At(3, 3), ImagePixel(pic));
    EXPECT_EQ(PainterCount(pic), 1u);

    // The control goes with its picture: its painter ends, no thread is left.
    delete image;
    EXPECT_TRUE(test::PumpUntil([&] { return ThreadCount() <= threadsBefore + 1; }, 3000))
        << ThreadCount() << " threads, " << threadsBefore << " before";
}

// A window that draws a picture it does not own.
TGifPicture* g_shownPicture = nullptr;
LRESULT CALLBACK ShowPictureProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(wnd, &ps);
        if (g_shownPicture) GIFDrawPicture(*g_shownPicture, dc, RECT{0, 0, 20, 20});
        ::EndPaint(wnd, &ps);
        return 0;
    }
    return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

TEST(GIFDrawPicture, APainterStopsWhenItsWindowGoesAndTheNextDrawStartsAgain) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &ShowPictureProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "GifShowPictureTest";
    ::RegisterClassA(&wc);
    TGifPicture pic;
    Animation(pic);
    g_shownPicture = &pic;
    for (int round = 0; round < 2; ++round) {
        HWND wnd = ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 30, 30, nullptr, nullptr,
                                     wc.hInstance, nullptr);
        ::UpdateWindow(wnd);
        ASSERT_TRUE(test::PumpUntil([&] { return PainterCount(pic) == 1; })) << round;
        ::DestroyWindow(wnd);
        // At its next frame the painter finds the window gone and ends.
        EXPECT_TRUE(test::PumpUntil([&] { return PainterCount(pic) == 0; }, 3000)) << round;
        const uint32_t last = ImagePixel(pic);
        test::PumpUntil([] { return false; }, 150);  // four frames' time: nothing paints
        EXPECT_EQ(ImagePixel(pic), last);
    }
    g_shownPicture = nullptr;
}

TEST(GIFDrawPicture, DirectDrawingKeepsOnePainterPerPlace) {
    TGifPicture pic;
    Animation(pic);
    pic.DrawFlags = TGIFDrawFlags(pic.DrawFlags | gdDirectDraw);
    Surface s(16, 8, RGB(0, 0, 0));
    GIFDrawPicture(pic, s.DC.Get(), RECT{0, 0, 8, 8});
    TGIFPainter* first = nullptr;
    {
        std::lock_guard<std::recursive_mutex> lock(pic.CacheLock);
        first = pic.MainPainter;
    }
    ASSERT_NE(first, nullptr);
    for (int i = 0; i < 20; ++i) GIFDrawPicture(pic, s.DC.Get(), RECT{0, 0, 8, 8});  // the same place
    EXPECT_EQ(PainterCount(pic), 1u);
    {
        std::lock_guard<std::recursive_mutex> lock(pic.CacheLock);
        EXPECT_EQ(pic.MainPainter, first);
    }
    // It paints on the DC itself, at the place given.
    const uint32_t colours[] = {Rgb(pic.Header.ColorMap.Entry(1)), Rgb(pic.Header.ColorMap.Entry(2)),
                                Rgb(pic.Header.ColorMap.Entry(3))};
    EXPECT_TRUE(test::PumpUntil([&] {
        const uint32_t c = s.At(4, 4);
        return c == colours[0] || c == colours[1] || c == colours[2];
    }));
    // Another place: the painter there replaces the first.
    GIFDrawPicture(pic, s.DC.Get(), RECT{8, 0, 16, 8});
    EXPECT_EQ(PainterCount(pic), 1u);
    pic.StopPainters();
    EXPECT_EQ(PainterCount(pic), 0u);
}

}  // namespace
}  // namespace ad::gif
