// Colours, fonts, pictures and a thin canvas over a device context.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "base/Color.h"
#include "base/TextStyle.h"
#include "framework/Component.h"
#include "framework/Handles.h"

namespace ad {

COLORREF ColorToRGB(TColor color);


enum class TFontPitch { fpDefault, fpVariable, fpFixed };

// A logical font; the GDI font is made on first use and re-made after a change.
class TFont {
public:
    TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    void Assign(const TFont& other);

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Size() const;  // points; from Height at the screen's resolution
    void SetSize(int points);
    int Height() const { return height_; }  // negative: character height in pixels
    void SetHeight(int height);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    // Fixed pitch: without the named face the system picks another of fixed width.
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);

    HFONT Handle();

    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_ = "Tahoma";
    int height_ = -11;  // 8 points at 96 dpi
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    TFontPitch pitch_ = TFontPitch::fpDefault;
    OwnedFont handle_;
};

int ScreenPixelsPerInch();

// An opaque 32-bit bitmap of an icon on a background colour (menus show these).
OwnedBitmap IconToBitmap(IconRef icon, int size, TColor background = clWhite);

// Drawing on a device context that someone else owns (a paint or memory DC).
class TCanvas {
public:
    explicit TCanvas(HDC dc = nullptr) : dc_(dc) {}
    HDC Handle() const { return dc_; }
    void SetHandle(HDC dc) { dc_ = dc; }

    void FillRect(const RECT& r, TColor color);
    void FrameRect(const RECT& r, TColor color);
    void TextOut(int x, int y, const std::string& text, TFont& font);
    void TextRect(const RECT& r, const std::string& text, TFont& font, UINT dtFormat);
    SIZE TextExtent(const std::string& text, TFont& font);
    void DrawIcon(int x, int y, IconRef icon, int size = 0);

private:
    HDC dc_;
};

// A picture that holds an icon or a bitmap it owns, or an icon it borrows.
class TPicture {
public:
    void SetIcon(OwnedIcon&& icon);  // the picture keeps it
    void SetIcon(IconRef icon);      // borrowed: the caller keeps it alive
    void SetBitmap(OwnedBitmap&& bitmap);
    void Clear();
    bool Empty() const { return !icon_ && !bitmap_; }
    HICON Icon() const { return icon_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    int Width() const;
    int Height() const;
    void Draw(HDC dc, const RECT& dest) const;

    std::function<void()> OnChange;

private:
    HeldIcon icon_;
    OwnedBitmap bitmap_;
};

}  // namespace ad
