// Colours, fonts, pictures and a thin canvas over a device context.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/Color.h"
#include "base/Streams.h"
#include "base/TextStyle.h"
#include "framework/Component.h"
#include "framework/Handles.h"

namespace ad {

// Colour values (ColorToRGB and the system-colour resolver) are base's: base/Color.h.

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
    // Counts the changes that give another GDI font (all but the colour):
    // a control re-measures its text only when it moved on.
    unsigned Generation() const { return generation_; }

    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_ = "Tahoma";
    int height_;  // 8 points at the screen's resolution (-11 at 96 dpi)
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    TFontPitch pitch_ = TFontPitch::fpDefault;
    unsigned generation_ = 0;
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

// An image of a file format that a picture can hold (GIF pictures, say).
class TGraphic {
public:
    TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;
    virtual ~TGraphic() = default;

    virtual void Draw(HDC dc, const RECT& dest) = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    virtual void LoadFromStream(TStream& stream) = 0;
    // Opens the file for reading (others may read too) and reads it.
    virtual void LoadFromFile(const std::string& fileName);
};

using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

// A registered picture file format.
struct TFileFormat {
    std::string Extension;  // without the dot, e.g. "GIF"
    std::string Description;
    TGraphicFactory Create;
};

// A picture that holds an icon or a bitmap it owns, an icon it borrows, or a
// graphic of a registered file format.
class TPicture {
public:
    // The file formats that LoadFromFile knows, by extension (any case); a
    // later registration of the same extension replaces the earlier one.
    static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                   TGraphicFactory create);
    static std::optional<TFileFormat> FindFileFormat(const std::string& extension);

    void SetIcon(OwnedIcon&& icon);  // the picture keeps it
    void SetIcon(IconRef icon);      // borrowed: the caller keeps it alive
    void SetBitmap(OwnedBitmap&& bitmap);
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // Reads the file with the graphic class registered for its extension; an
    // unknown extension raises EInvalidGraphic. On failure the picture keeps
    // what it held.
    void LoadFromFile(const std::string& fileName);
    void Clear();
    bool Empty() const { return !icon_ && !bitmap_ && (!graphic_ || graphic_->Empty()); }
    TGraphic* Graphic() const { return graphic_.get(); }
    HICON Icon() const { return icon_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    int Width() const;
    int Height() const;
    void Draw(HDC dc, const RECT& dest) const;

    std::function<void()> OnChange;

private:
    HeldIcon icon_;
    OwnedBitmap bitmap_;
    std::unique_ptr<TGraphic> graphic_;
};

}  // namespace ad
