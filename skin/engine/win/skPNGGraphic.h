// PNG files as a picture format: the graphic that TPicture holds for ".png"
// files (the skin engine's PNG reader behind it) and its drawing, which
// alpha-blends images with an alpha channel onto the target, with an optional
// fading reflection, and copies the others.
#pragma once

#include <windows.h>

#include "framework/Graphics.h"
#include "skin/engine/image/skPNG.h"

namespace ad::skin {

class TPNGPicture : public TGraphic {
public:
    // Images with alpha (RGBA) are blended over what the target shows,
    // stretched to dest when their size differs (colour and alpha apart);
    // at their own size they also get the reflection when Png.Reflection is
    // set. Other images are drawn as plain bitmaps.
    void Draw(HDC dc, const RECT& dest) override;
    int Width() const override { return int(Png.Width); }
    int Height() const override { return int(Png.Height); }
    bool Empty() const override { return Png.Empty(); }
    // Reads the rest of the stream as one PNG file.
    void LoadFromStream(TStream& stream) override;

    TPNGGraphic Png;
};

// Start-up; runs once: registers "png" with TPicture as "Portable network
// graphics (skin engine)".
void PNGRegister();

}  // namespace ad::skin
