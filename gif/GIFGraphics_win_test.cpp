// The codec's Windows side: registration, frames drawn through GDI against the
// software rendering and compositor, the clipboard, icons and metafiles, and
// stopping a background painter.
#include "gif/GIFGraphics.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "gif/GIFImport.h"
#include "gif/GIFRender.h"
#include "gif/GIFTestSupport.h"
#include "gif/GIFWinTestSupport.h"
#include "testsupport/TempFolder.h"

namespace ad::gif {
namespace {

using giftest::AddFrame;
using giftest::Colours;
using giftest::Rgb;
using giftest::Surface;

TEST(GIFRegistration, ClipboardFormatAndPaletteFlag) {
    GIFRegister();
    UINT format = GIFClipboardFormat();
    EXPECT_NE(format, 0u);
    EXPECT_EQ(::RegisterClipboardFormatA("GIF Image"), format);
    char name[32] = {};
    EXPECT_EQ(std::string(name, size_t(::GetClipboardFormatNameA(format, name, sizeof name))), "GIF Image");
    // The test display shows 24 bits: no palette device, so no automatic dithering.
    EXPECT_FALSE(GIFPaletteDisplay());
    TGifPicture pic;
    EXPECT_FALSE(GIFDithers(pic));
    pic.DrawFlags = gdDither;
    EXPECT_TRUE(GIFDithers(pic));
}

TEST(GIFRegistration, GifFilesLoadIntoPicturesByExtensionAndDrawTheirFirstFrame) {
    GIFRegister();
    auto format = TPicture::FindFileFormat("gif");
    ASSERT_TRUE(format);
    EXPECT_EQ(format->Extension, "GIF");
    EXPECT_EQ(format->Description, "GIF Image");

    TGifPicture source;
    Colours(source);
    AddFrame(source, 0, 0, 4, 4, std::vector<uint8_t>(16, 1));
    AddFrame(source, 0, 0, 4, 4, std::vector<uint8_t>(16, 2));
    const giftest::Bytes bytes = giftest::Save(source);
    test::TempDir dir;
    const std::string file = dir.Write("two frames.Gif", std::string(bytes.begin(), bytes.end()));
    const std::string damaged = dir.Write("damaged.gif", std::string(bytes.begin(), bytes.begin() + 8));

    TPicture picture;
    picture.LoadFromFile(file);
    auto* gif = dynamic_cast<TGIFGraphic*>(picture.Graphic());
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->Picture.Frames.Count(), 2);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Height(), 4);
    EXPECT_THROW(picture.LoadFromFile(damaged), GIFException);
    EXPECT_EQ(picture.Graphic(), gif);

    // A still drawing shows the first frame, stretched onto the target.
    gif->Picture.DrawFlags = TGIFDrawFlags(gif->Picture.DrawFlags & ~(gdAnimate | gdAsync));
    Surface s(10, 10, RGB(1, 2, 3));
    picture.Draw(s.DC.Get(), RECT{1, 1, 9, 9});
    const uint32_t first = Rgb(source.Header.ColorMap.Entry(1));
    EXPECT_EQ(s.At(1, 1), first);
    EXPECT_EQ(s.At(8, 8), first);
    EXPECT_EQ(s.At(0, 0), 0x010203u);
    EXPECT_EQ(s.At(9, 9), 0x010203u);
}

TEST(GIFDrawFrame, GdiMatchesTheSoftwareRenderingWithAndWithoutTransparency) {
    TGifPicture pic;
    Colours(pic);
    std::mt19937 rng(3);
    std::vector<uint8_t> px(7 * 5);
    for (auto& p : px) p = uint8_t(rng() % 6);
    TGIFSubImage* f = AddFrame(pic, 0, 0, 7, 5, px, 4);
    std::vector<TGIFColor> colors = GIFIndexColors(*f);
    const uint32_t fill = 0x123456;
    for (bool transparent : {false, true})
        for (int scale : {1, 2}) {  // 1:1 masked blit, and the stretched AND/PAINT path
            Surface s(7 * scale, 5 * scale, RGB(0x12, 0x34, 0x56));
            GIFDrawFrame(*f, s.DC.Get(), {0, 0, 7 * scale, 5 * scale}, false, transparent);
            for (int y = 0; y < 5 * scale; ++y)
                for (int x = 0; x < 7 * scale; ++x) {
                    uint8_t index = px[size_t(y / scale) * 7 + size_t(x / scale)];
                    uint32_t want = transparent && index == 4 ? fill : Rgb(colors[index]);
                    ASSERT_EQ(s.At(x, y), want) << x << "," << y << " transparent " << transparent << " x" << scale;
                }
        }
}

TEST(GIFDrawFrame, TilesAndPlacement) {
    TGifPicture pic;
    Colours(pic);
    pic.SetWidth(4);
    pic.SetHeight(2);
    AddFrame(pic, 2, 0, 2, 2, {1, 2, 3, 1});
    Surface tiled(8, 4, RGB(0, 0, 0));
    GIFDrawFrame(*pic.Frames.Frames(0), tiled.DC.Get(), {0, 0, 8, 4}, true, true);
    for (int ty = 0; ty < 2; ++ty)
        for (int tx = 0; tx < 2; ++tx) {  // four copies, each at the frame's place in its tile
            EXPECT_EQ(tiled.At(tx * 4 + 2, ty * 2), 0xFF0000u);
            EXPECT_EQ(tiled.At(tx * 4 + 3, ty * 2 + 1), 0xFF0000u);
            EXPECT_EQ(tiled.At(tx * 4, ty * 2), 0u);
        }
    // Left 2 of 4, drawn 8 wide: starts at x 4.
    Surface wide(8, 2, RGB(0, 0, 0));
    GIFDrawFrame(*pic.Frames.Frames(0), wide.DC.Get(), {0, 0, 8, 2}, false, false);
    EXPECT_EQ(wide.At(3, 0), 0u);
    EXPECT_EQ(wide.At(4, 0), 0xFF0000u);
    EXPECT_EQ(wide.At(7, 1), 0xFF0000u);
}

TEST(GIFDrawFrame, MaskFollowsTheTransparentIndex) {
    TGifPicture pic;
    Colours(pic);
    TGIFSubImage* f = AddFrame(pic, 0, 0, 2, 1, {1, 2}, 1);
    Surface a(2, 1, RGB(0, 0, 0));
    GIFDrawFrame(*f, a.DC.Get(), {0, 0, 2, 1}, false, true);
    EXPECT_EQ(a.At(0, 0), 0u);
    f->GraphicControlExtension->SetTransparentColorIndex(2);
    Surface b(2, 1, RGB(0, 0, 0));
    GIFDrawFrame(*f, b.DC.Get(), {0, 0, 2, 1}, false, true);
    EXPECT_EQ(b.At(0, 0), 0xFF0000u);
    EXPECT_EQ(b.At(1, 0), 0u);
}

// Random animations played by a synchronous painter onto a surface: after
// every frame the surface shows what the software compositor shows.
TEST(GIFPainterGdi, DisposalCompositingMatchesTheSoftwareCompositor) {
    std::mt19937 rng(8);
    for (int round = 0; round < 25; ++round) {
        TGifPicture pic;
        Colours(pic);
        pic.Header.BackgroundColorIndex = uint8_t(rng() % 6);
        int w = 3 + int(rng() % 6), h = 3 + int(rng() % 6);
        pic.SetWidth(w);
        pic.SetHeight(h);
        int frames = 2 + int(rng() % 5);
        for (int i = 0; i < frames; ++i) {
            int fw = 1 + int(rng() % unsigned(w)), fh = 1 + int(rng() % unsigned(h));
            std::vector<uint8_t> px(size_t(fw * fh));
            for (auto& p : px) p = uint8_t(rng() % 6);
            AddFrame(pic, int(rng() % unsigned(w - fw + 1)), int(rng() % unsigned(h - fh + 1)), fw, fh, px,
                     rng() % 2 ? int(rng() % 6) : -1, int(rng() % 8));
        }
        pic.SpeedPercent = 100000;
        TGIFColor bg = pic.Header.ColorMap.Entry(pic.Header.BackgroundColorIndex);
        Surface target(w, h, RGB(bg.Red, bg.Green, bg.Blue));
        std::vector<std::vector<uint32_t>> seen;
        pic.OnAfterFrame = [&](TGIFPainter*) {
            std::vector<uint32_t> now;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) now.push_back(target.At(x, y));
            seen.push_back(now);
        };
        TGIFDrawFlags flags = gdAnimate | gdTransparent;
        TGIFGdiPainterHost host(pic, flags, target.DC.Get(), {0, 0, w, h});
        TGIFPainter painter(&pic, flags, host);
        painter.Execute();
        auto expected = GIFComposeFrames(pic, bg);
        ASSERT_EQ(seen.size(), expected.size()) << round;
        for (size_t i = 0; i < seen.size(); ++i)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const uint8_t* p = expected[i].Picture.Data() + (size_t(y) * size_t(w) + size_t(x)) * 4;
                    uint32_t want = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
                    ASSERT_EQ(seen[i][size_t(y * w + x)], want) << "round " << round << " frame " << i;
                }
    }
}

TEST(GIFPainterGdi, StoppingABackgroundPainterWaitingInSynchronizeDoesNotDeadlock) {
    for (int round = 0; round < 5; ++round) {
        auto pic = std::make_unique<TGifPicture>();
        Colours(*pic);
        for (int i = 0; i < 3; ++i) AddFrame(*pic, 0, 0, 2, 2, {1, 2, 3, 4}, -1, 1);
        pic->SpeedPercent = -1;  // no waits: the thread keeps asking the GUI thread to draw
        Surface target(2, 2, RGB(0, 0, 0));
        std::atomic<int> painted{0};
        pic->OnAfterFrame = [&](TGIFPainter*) { ++painted; };
        GIFStartBackgroundPainter(*pic, gdAnimate | gdLoop | gdLoopForever, target.DC.Get(), {0, 0, 2, 2});
        MSG msg;
        while (painted < 3) {
            ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
            ::Sleep(1);
        }
        pic->StopPainters();  // returns only once the thread has let go of the picture
        EXPECT_TRUE(pic->Painters.empty());
        pic.reset();
    }
}

// A work bitmap that cannot be made after others were: making the host fails
// and the buffers made before are put back out of their DCs and freed.
TEST(GIFPainterGdi, AWorkBitmapThatCannotBeMadeFreesTheOnesMadeBefore) {
    TGifPicture pic;
    Colours(pic);
    // Disposal 2 with transparency needs all three: saved background, compose
    // and scratch buffer.
    AddFrame(pic, 0, 0, 2, 2, {1, 2, 3, 4}, 0, 2);
    AddFrame(pic, 1, 1, 2, 2, {4, 3, 2, 1}, -1, 3);
    Surface target(4, 4, RGB(9, 9, 9));
    const TGIFDrawFlags flags = gdAnimate | gdTransparent;
    for (int failing : {1, 2, 3}) {
        std::vector<HBITMAP> made;
        int calls = 0;
        auto maker = [&](HDC dc, int w, int h) -> HBITMAP {
            if (++calls == failing) return nullptr;
            made.push_back(::CreateCompatibleBitmap(dc, w, h));
            return made.back();
        };
        const long before = LiveGdiObjects();
        EXPECT_THROW(TGIFGdiPainterHost(pic, flags, target.DC.Get(), {0, 0, 4, 4}, maker), EOutOfResources);
        EXPECT_EQ(calls, failing);
        EXPECT_EQ(LiveGdiObjects(), before) << "bitmap " << failing << " failing";
        for (HBITMAP b : made) EXPECT_EQ(::GetObjectType(b), 0u) << "bitmap " << failing << " failing";
    }
    // Made whole: three bitmaps and their DCs, freed with the host.
    const long before = LiveGdiObjects();
    {
        TGIFGdiPainterHost host(pic, flags, target.DC.Get(), {0, 0, 4, 4});
        EXPECT_EQ(LiveGdiObjects(), before + 6);
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

std::vector<TGIFColor> Entries(const TGIFColorMap& map) { return {map.Data.begin(), map.Data.begin() + map.Count}; }

TEST(GIFPalette, MakeLoadAndThePicturesPalette) {
    TGifPicture pic;
    Colours(pic);
    OwnedPalette made = GIFMakePalette(pic.Header.ColorMap);
    ASSERT_TRUE(made);
    PALETTEENTRY entries[8];
    ASSERT_EQ(::GetPaletteEntries(made.Get(), 0, 8, entries), 6u);
    EXPECT_EQ(entries[1].peRed, 255);
    EXPECT_EQ(entries[1].peFlags, PC_NOCOLLAPSE);
    TGIFColorMap back(nullptr);
    GIFLoadFromPalette(back, made.Get());
    EXPECT_EQ(Entries(back), Entries(pic.Header.ColorMap));
    EXPECT_FALSE(GIFMakePalette(TGIFColorMap(nullptr)));

    // The colour table of the bitmap selected into a DC.
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colors[3];
    } bmi{{sizeof(BITMAPINFOHEADER), 2, 2, 1, 8, BI_RGB, 0, 0, 0, 3, 0}, {{30, 20, 10, 0}, {0, 0, 255, 0}, {1, 2, 3, 0}}};
    void* bits = nullptr;
    OwnedBitmap eight(::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bmi), DIB_RGB_COLORS, &bits, nullptr, 0));
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    HGDIOBJ old = ::SelectObject(dc.Get(), eight.Get());
    TGIFColorMap device(nullptr);
    GIFLoadFromDeviceColors(device, dc.Get());
    ::SelectObject(dc.Get(), old);
    ASSERT_GE(device.Count, 3);
    EXPECT_EQ(device.Entry(0), (TGIFColor{10, 20, 30}));
    EXPECT_EQ(device.Entry(1), (TGIFColor{255, 0, 0}));

    // The picture's palette: from the global map, kept until the map changes.
    pic.DrawFlags = TGIFDrawFlags(pic.DrawFlags & ~gdDither);
    HPALETTE palette = GIFGetPalette(pic);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(GIFGetPalette(pic), palette);
    TGIFColorMap fromPicture(nullptr);
    GIFLoadFromPalette(fromPicture, palette);
    EXPECT_EQ(Entries(fromPicture), Entries(pic.Header.ColorMap));
    pic.Header.ColorMap.Add(0x123456);
    fromPicture.Clear();
    GIFLoadFromPalette(fromPicture, GIFGetPalette(pic));
    EXPECT_EQ(fromPicture.Count, 7);
    // Dithering: the 216-colour cube.
    pic.DrawFlags = TGIFDrawFlags(pic.DrawFlags | gdDither);
    pic.DrawFlags = TGIFDrawFlags(pic.DrawFlags & ~gdAutoDither);
    GIFSetPalette(pic, {});
    EXPECT_EQ(::GetPaletteEntries(GIFGetPalette(pic), 0, 0, nullptr), 216u);
    // Without any colour table there is none to give.
    TGifPicture bare;
    bare.DrawFlags = TGIFDrawFlags(bare.DrawFlags & ~gdDither);
    AddFrame(bare, 0, 0, 1, 1, {0});
    EXPECT_THROW(GIFGetPalette(bare), GIFException);
}

TEST(GIFPictureBitmap, TheLogicalScreenWithTheFirstFrameComposed) {
    TGifPicture pic;
    Colours(pic);
    pic.Header.BackgroundColorIndex = 4;
    pic.SetWidth(4);
    pic.SetHeight(3);
    AddFrame(pic, 1, 1, 2, 1, {1, 2}, -1, 2);  // restore to background after it
    AddFrame(pic, 0, 0, 4, 3, std::vector<uint8_t>(12, 3), -1, 1);
    OwnedBitmap bitmap = GIFPictureBitmap(pic);
    ASSERT_TRUE(bitmap);
    TGIFColor bg = pic.Header.ColorMap.Entry(4);
    auto composed = GIFComposeFrames(pic, bg);
    Surface s(4, 3, RGB(0, 0, 0));
    {
        OwnedMemoryDC src(::CreateCompatibleDC(nullptr));
        HGDIOBJ old = ::SelectObject(src.Get(), bitmap.Get());
        ::BitBlt(s.DC.Get(), 0, 0, 4, 3, src.Get(), 0, 0, SRCCOPY);
        ::SelectObject(src.Get(), old);
    }
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const uint8_t* p = composed[0].Picture.Data() + (size_t(y) * 4 + size_t(x)) * 4;
            EXPECT_EQ(s.At(x, y), uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]) << x << "," << y;
        }
    EXPECT_FALSE(GIFPictureBitmap(*std::make_unique<TGifPicture>()));

    // Assigned from pictures: a GIF is copied, a bitmap becomes one frame.
    TPicture holder;
    auto graphic = std::make_unique<TGIFGraphic>();
    graphic->Picture.Assign(&pic);
    holder.SetGraphic(std::move(graphic));
    TGifPicture copy;
    GIFAssignPicture(copy, holder);
    EXPECT_EQ(copy.Frames.Count(), 2);
    holder.SetBitmap(std::move(bitmap));
    GIFAssignPicture(copy, holder);
    ASSERT_EQ(copy.Frames.Count(), 1);
    EXPECT_EQ(copy.Width(), 4);
}

TEST(GIFClipboard, RoundTripAndBitmapOnly) {
    TGifPicture pic;
    Colours(pic);
    AddFrame(pic, 0, 0, 3, 1, {1, 2, 3});
    AddFrame(pic, 0, 0, 3, 1, {3, 2, 1});
    GIFCopyToClipboard(pic, nullptr);
    TGifPicture back;
    GIFPasteFromClipboard(back, nullptr);
    ASSERT_EQ(back.Frames.Count(), 2);
    EXPECT_EQ(std::vector<uint8_t>(back.Frames.Frames(1)->Data(), back.Frames.Frames(1)->Data() + 3),
              (std::vector<uint8_t>{3, 2, 1}));

    // A clipboard with only a bitmap gives a one-frame picture.
    Surface s(4, 3, RGB(10, 20, 30));
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HBITMAP copy = static_cast<HBITMAP>(::CopyImage(s.Bitmap.Get(), IMAGE_BITMAP, 0, 0, 0));
    ::SetClipboardData(CF_BITMAP, copy);
    ::CloseClipboard();
    TGifPicture fromBitmap;
    fromBitmap.ReductionMethod = crNone;
    GIFPasteFromClipboard(fromBitmap, nullptr);
    ASSERT_EQ(fromBitmap.Frames.Count(), 1);
    EXPECT_EQ(fromBitmap.Width(), 4);
    EXPECT_EQ(fromBitmap.Frames.Frames(0)->ColorMap.Colors(0), TColor(RGB(10, 20, 30)));

    // Damaged GIF data on the clipboard is reported, not trusted.
    HGLOBAL junk = ::GlobalAlloc(GHND, 16);
    std::memcpy(::GlobalLock(junk), "GIF89a\xFF\xFF\xFF\xFF\x80\0\0", 13);
    ::GlobalUnlock(junk);
    TGifPicture damaged;
    EXPECT_THROW(GIFLoadFromClipboardFormat(damaged, GIFClipboardFormat(), junk, nullptr), Exception);
    ::GlobalFree(junk);
    EXPECT_THROW(GIFLoadFromClipboardFormat(damaged, CF_TEXT, junk, nullptr), GIFException);

    // A clipboard that refuses the GIF data (here: it is not open) gets
    // nothing, and no bitmap is handed out to leak.
    UINT format = 0;
    HANDLE data = nullptr;
    HPALETTE palette = nullptr;
    EXPECT_THROW(GIFSaveToClipboardFormat(pic, format, data, palette), GIFException);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(format, 0u);
}

TEST(GIFImportWin, IconAndMetafileMasks) {
    // An icon whose left half is transparent.
    std::vector<uint8_t> andBits(32 * 4, 0), xorBits(32 * 4, 0);
    for (int y = 0; y < 32; ++y) andBits[size_t(y) * 4] = 0xFF, andBits[size_t(y) * 4 + 1] = 0xFF;  // x < 16
    OwnedBitmap mask(::CreateBitmap(32, 32, 1, 1, andBits.data())), color(::CreateBitmap(32, 32, 1, 1, xorBits.data()));
    Surface colour(32, 32, RGB(200, 0, 0));
    ICONINFO ii{TRUE, 0, 0, mask.Get(), colour.Bitmap.Get()};
    HICON icon = ::CreateIconIndirect(&ii);
    ASSERT_NE(icon, nullptr);
    TGifPicture pic;
    pic.ReductionMethod = crNone;
    TGIFSubImage f(&pic);
    GIFImportIcon(f, icon);
    ::DestroyIcon(icon);
    ASSERT_TRUE(f.IsTransparent);
    EXPECT_EQ(f.Pixels(3, 5), f.TransparentIndex());
    EXPECT_NE(f.Pixels(20, 5), f.TransparentIndex());

    // A metafile that fills only its left half.
    HDC rec = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    OwnedBrush brush(::CreateSolidBrush(RGB(0, 128, 0)));
    RECT left{0, 0, 10, 20}, all{0, 0, 20, 20};
    ::FillRect(rec, &left, brush.Get());
    ::SetPixel(rec, 19, 19, RGB(1, 2, 3));  // makes the bounds 20 x 20
    HENHMETAFILE emf = ::CloseEnhMetaFile(rec);
    TGIFSubImage m(&pic);
    GIFImportMetafile(m, emf);
    ::DeleteEnhMetaFile(emf);
    (void)all;
    ASSERT_TRUE(m.IsTransparent);
    EXPECT_NE(m.Pixels(2, 2), m.TransparentIndex());
    EXPECT_EQ(m.Pixels(15, 5), m.TransparentIndex());
}

}  // namespace
}  // namespace ad::gif
