// Colours, fonts, pictures and a thin canvas over a device context.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "framework/Component.h"
#include "framework/Handles.h"

namespace ad {

// 0x00BBGGRR; a set high byte names a system colour by its low byte.
using TColor = int32_t;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(index)); }

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE), clWindow = SystemColor(COLOR_WINDOW),
                 clWindowText = SystemColor(COLOR_WINDOWTEXT), clBtnText = SystemColor(COLOR_BTNTEXT),
                 clHighlight = SystemColor(COLOR_HIGHLIGHT), clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT),
                 clGrayText = SystemColor(COLOR_GRAYTEXT), clBtnShadow = SystemColor(COLOR_BTNSHADOW),
                 clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT), clInfoBk = SystemColor(COLOR_INFOBK),
                 clHotLight = SystemColor(COLOR_HOTLIGHT);

COLORREF ColorToRGB(TColor color);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

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

    HFONT Handle();

    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_ = "Tahoma";
    int height_ = -11;  // 8 points at 96 dpi
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    OwnedFont handle_;
};

int ScreenPixelsPerInch();

// An opaque 32-bit bitmap of an icon on a background colour (menus show these).
OwnedBitmap IconToBitmap(HICON icon, int size, TColor background = clWhite);

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
    void DrawIcon(int x, int y, HICON icon, int size = 0);

private:
    HDC dc_;
};

// A picture that holds an icon or a bitmap it owns (or borrows a shared icon).
class TPicture {
public:
    void SetIcon(HICON icon, bool owned = true);
    void SetBitmap(HBITMAP bitmap);  // takes ownership
    void Clear();
    bool Empty() const { return !icon_ && !bitmap_; }
    HICON Icon() const { return icon_; }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    int Width() const;
    int Height() const;
    void Draw(HDC dc, const RECT& dest) const;

    std::function<void()> OnChange;

private:
    HICON icon_ = nullptr;
    OwnedIcon ownedIcon_;
    OwnedBitmap bitmap_;
};

}  // namespace ad
