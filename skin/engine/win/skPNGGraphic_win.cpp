// PNG pictures: registration with TPicture, loading from a stream and the
// drawing of images with and without alpha.
#include "skin/engine/win/skPNGGraphic.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/win/SkinDib.h"

namespace ad::skin {

namespace {

// A memory DC with a bitmap selected for the DC's lifetime.
struct SelectedDib {
    SelectedDib(HDC compatible, HBITMAP bitmap) : DC(::CreateCompatibleDC(compatible)) {
        if (DC) Old = ::SelectObject(DC.Get(), bitmap);
    }
    ~SelectedDib() {
        if (DC && Old) ::SelectObject(DC.Get(), Old);
    }
    OwnedMemoryDC DC;
    HGDIOBJ Old = nullptr;
};

// The image's pixels as 32 bits, alpha 255 for images without an alpha channel.
bool PlainPixels(const TPNGGraphic& png, const TImageView32& out) {
    if (out.Empty() || out.Width != int(png.Width) || out.Height != int(png.Height)) return false;
    const size_t bpp = png.BytesPerPixel();
    for (uint32_t y = 0; y < png.Height; ++y) {
        const uint8_t* s = png.Row(y);
        uint8_t* t = out.Pixel(0, int(y));
        for (uint32_t x = 0; x < png.Width; ++x, t += 4) {
            if (bpp == 4) {
                std::memcpy(t, s + 4 * x, 4);
            } else if (bpp == 3) {
                t[0] = s[3 * x], t[1] = s[3 * x + 1], t[2] = s[3 * x + 2], t[3] = 255;
            } else {
                const uint32_t c = s[x] < png.Palette.size() ? png.Palette[s[x]] : 0;
                t[0] = uint8_t(c), t[1] = uint8_t(c >> 8), t[2] = uint8_t(c >> 16), t[3] = 255;
            }
        }
    }
    return true;
}

// Stretches a 32-bit picture to w x h, its colours and (as a grey picture)
// its alpha apart, so that neither bleeds into the other.
bool StretchWithAlpha(HDC dc, const TDibSection32& source, TDibSection32& out) {
    const TImageView32 s = source.View(), o = out.View();
    TDibSection32 alpha(s.Width, s.Height), alphaOut(o.Width, o.Height);
    if (alpha.View().Empty() || alphaOut.View().Empty()) return false;
    for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x) {
            const uint8_t a = s.Pixel(x, y)[3];
            uint8_t* t = alpha.View().Pixel(x, y);
            t[0] = t[1] = t[2] = a;
        }
    auto stretch = [&](HBITMAP from, HBITMAP to) {
        SelectedDib src(dc, from), dst(dc, to);
        ::SetStretchBltMode(dst.DC.Get(), COLORONCOLOR);
        ::StretchBlt(dst.DC.Get(), 0, 0, o.Width, o.Height, src.DC.Get(), 0, 0, s.Width, s.Height, SRCCOPY);
        ::GdiFlush();
    };
    stretch(source.Handle(), out.Handle());
    stretch(alpha.Handle(), alphaOut.Handle());
    for (int y = 0; y < o.Height; ++y)
        for (int x = 0; x < o.Width; ++x) o.Pixel(x, y)[3] = alphaOut.View().Pixel(x, y)[0];
    return true;
}

}  // namespace

void TPNGPicture::LoadFromStream(TStream& stream) {
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    for (size_t n; (n = stream.Read(buffer, sizeof buffer)) > 0;) bytes.insert(bytes.end(), buffer, buffer + n);
    // A damaged file leaves the picture as it was.
    TPNGGraphic loaded;
    loaded.Reflection = Png.Reflection;
    loaded.LoadFromStream(bytes.data(), bytes.size());
    Png = std::move(loaded);
}

void TPNGPicture::Draw(HDC dc, const RECT& dest) {
    const int w = dest.right - dest.left, h = dest.bottom - dest.top;
    if (Png.Empty() || w <= 0 || h <= 0) return;
    TDibSection32 image(int(Png.Width), int(Png.Height));
    if (!PlainPixels(Png, image.View())) return;
    ::GdiFlush();
    if (Png.PixelBits != 32) {
        SelectedDib src(dc, image.Handle());
        int mode = ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, dest.left, dest.top, w, h, src.DC.Get(), 0, 0, int(Png.Width), int(Png.Height), SRCCOPY);
        ::SetStretchBltMode(dc, mode);
        return;
    }
    const bool ownSize = w == int(Png.Width) && h == int(Png.Height);
    const bool reflect = Png.Reflection && ownSize;
    const int height = reflect ? h + h / 2 : h;
    // What the target shows, the image blended over it, and back.
    TDibSection32 work(w, height);
    if (work.View().Empty()) return;
    {
        SelectedDib target(dc, work.Handle());
        ::BitBlt(target.DC.Get(), 0, 0, w, height, dc, dest.left, dest.top, SRCCOPY);
        ::GdiFlush();
        if (ownSize) {
            BlendImageRect({0, 0, w, h}, {0, 0, w, h}, work.View(), reflect, 0, skNoColor, false, skNoBackground,
                           image.View());
        } else {
            TDibSection32 stretched(w, h);
            if (stretched.View().Empty() || !StretchWithAlpha(dc, image, stretched)) return;
            BlendImageRect({0, 0, w, h}, {0, 0, w, h}, work.View(), false, 0, skNoColor, false, skNoBackground,
                           stretched.View());
        }
        ::BitBlt(dc, dest.left, dest.top, w, height, target.DC.Get(), 0, 0, SRCCOPY);
    }
}

void PNGRegister() {
    static const bool registered = [] {
        TPicture::RegisterFileFormat("png", "Portable network graphics (skin engine)",
                                     [] { return std::make_unique<TPNGPicture>(); });
        return true;
    }();
    (void)registered;
}

}  // namespace ad::skin
