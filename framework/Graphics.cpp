// Colours, fonts, pictures and the canvas.
#include "framework/Graphics.h"

#include <mutex>
#include <utility>
#include <vector>

#include "base/StrUtils.h"
#include "framework/FileStreams.h"
#include "framework/SysUtils.h"

namespace ad {

int ScreenPixelsPerInch() {
    WindowDC dc(nullptr);
    return ::GetDeviceCaps(dc.Get(), LOGPIXELSY);
}

OwnedBitmap IconToBitmap(IconRef icon, int size, TColor background) {
    DibSection32 dib(size, size);
    if (!dib) return OwnedBitmap();
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    {
        SelectObjectScope sel(dc.Get(), dib.Get());
        RECT r{0, 0, size, size};
        OwnedBrush brush(::CreateSolidBrush(ColorToRGB(background)));
        ::FillRect(dc.Get(), &r, brush.Get());
        if (icon) ::DrawIconEx(dc.Get(), 0, 0, icon.Get(), size, size, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
    }
    std::uint32_t* px = dib.Bits();
    for (size_t i = 0; i < dib.PixelCount(); ++i) px[i] |= 0xFF000000u;  // opaque
    return dib.Release();
}

TFont::TFont() : height_(-::MulDiv(8, ScreenPixelsPerInch(), 72)) {}

void TFont::Assign(const TFont& other) {
    const bool sameShape = name_ == other.name_ && height_ == other.height_ && style_ == other.style_ &&
                           pitch_ == other.pitch_;
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    pitch_ = other.pitch_;
    if (!sameShape) Changed();
    else if (OnChange) OnChange();
}

void TFont::SetName(const std::string& name) {
    if (name == name_) return;
    name_ = name;
    Changed();
}

int TFont::Size() const { return -::MulDiv(height_, 72, ScreenPixelsPerInch()); }
void TFont::SetSize(int points) { SetHeight(-::MulDiv(points, ScreenPixelsPerInch(), 72)); }

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    if (OnChange) OnChange();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == pitch_) return;
    pitch_ = pitch;
    Changed();
}

void TFont::Changed() {
    handle_.Reset();
    ++generation_;
    if (OnChange) OnChange();
}

HFONT TFont::Handle() {
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = height_;
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
        lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        switch (pitch_) {
            case TFontPitch::fpDefault: lf.lfPitchAndFamily = DEFAULT_PITCH; break;
            case TFontPitch::fpVariable: lf.lfPitchAndFamily = VARIABLE_PITCH; break;
            case TFontPitch::fpFixed: lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN; break;
        }
        std::wstring face = Widen(name_);
        lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
        handle_.Reset(::CreateFontIndirectW(&lf));
    }
    return handle_.Get();
}

void TCanvas::FillRect(const RECT& r, TColor color) {
    OwnedBrush brush(::CreateSolidBrush(ColorToRGB(color)));
    ::FillRect(dc_, &r, brush.Get());
}

void TCanvas::FrameRect(const RECT& r, TColor color) {
    OwnedBrush brush(::CreateSolidBrush(ColorToRGB(color)));
    ::FrameRect(dc_, &r, brush.Get());
}

void TCanvas::TextOut(int x, int y, const std::string& text, TFont& font) {
    SelectObjectScope sel(dc_, font.Handle());
    ::SetTextColor(dc_, ColorToRGB(font.Color()));
    ::SetBkMode(dc_, TRANSPARENT);
    std::wstring w = Widen(text);
    ::TextOutW(dc_, x, y, w.c_str(), static_cast<int>(w.size()));
}

void TCanvas::TextRect(const RECT& r, const std::string& text, TFont& font, UINT dtFormat) {
    SelectObjectScope sel(dc_, font.Handle());
    ::SetTextColor(dc_, ColorToRGB(font.Color()));
    ::SetBkMode(dc_, TRANSPARENT);
    std::wstring w = Widen(text);
    RECT rc = r;
    ::DrawTextW(dc_, w.c_str(), static_cast<int>(w.size()), &rc, dtFormat);
}

SIZE TCanvas::TextExtent(const std::string& text, TFont& font) {
    SelectObjectScope sel(dc_, font.Handle());
    std::wstring w = Widen(text);
    SIZE s{0, 0};
    ::GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &s);
    return s;
}

void TCanvas::DrawIcon(int x, int y, IconRef icon, int size) {
    if (icon) ::DrawIconEx(dc_, x, y, icon.Get(), size, size, 0, nullptr, DI_NORMAL);
}

void TGraphic::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

namespace {

struct TFileFormats {
    std::mutex Lock;
    std::vector<TFileFormat> List;
};

TFileFormats& FileFormats() {
    static TFileFormats formats;
    return formats;
}

}  // namespace

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  TGraphicFactory create) {
    TFileFormats& formats = FileFormats();
    std::lock_guard<std::mutex> lock(formats.Lock);
    std::string key = AsciiLowerCase(extension);
    std::erase_if(formats.List, [&](const TFileFormat& f) { return AsciiLowerCase(f.Extension) == key; });
    formats.List.push_back({extension, description, std::move(create)});
}

std::optional<TFileFormat> TPicture::FindFileFormat(const std::string& extension) {
    TFileFormats& formats = FileFormats();
    std::lock_guard<std::mutex> lock(formats.Lock);
    std::string key = AsciiLowerCase(extension);
    for (const TFileFormat& f : formats.List)
        if (AsciiLowerCase(f.Extension) == key) return f;
    return std::nullopt;
}

void TPicture::LoadFromFile(const std::string& fileName) {
    std::string ext = ExtractFileExt(fileName);
    std::optional<TFileFormat> format;
    if (ext.size() > 1) format = FindFileFormat(ext.substr(1));
    if (!format || !format->Create) throw EInvalidGraphic(Format("Unknown picture file extension (%s)", ext.c_str()));
    std::unique_ptr<TGraphic> graphic = format->Create();
    graphic->LoadFromFile(fileName);
    SetGraphic(std::move(graphic));
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    Clear();
    graphic_ = std::move(graphic);
    if (OnChange) OnChange();
}

void TPicture::SetIcon(OwnedIcon&& icon) {
    Clear();
    icon_ = std::move(icon);
    if (OnChange) OnChange();
}

void TPicture::SetIcon(IconRef icon) {
    Clear();
    icon_ = icon;
    if (OnChange) OnChange();
}

void TPicture::SetBitmap(OwnedBitmap&& bitmap) {
    Clear();
    bitmap_ = std::move(bitmap);
    if (OnChange) OnChange();
}

void TPicture::Clear() {
    icon_ = HeldIcon();
    bitmap_.Reset();
    graphic_.reset();
}

static SIZE PictureSize(HICON icon, HBITMAP bitmap) {
    SIZE s{0, 0};
    if (bitmap) {
        BITMAP bm{};
        if (::GetObjectW(bitmap, sizeof bm, &bm)) s = {bm.bmWidth, bm.bmHeight};
    } else if (icon) {
        ICONINFO ii{};
        if (::GetIconInfo(icon, &ii)) {
            BITMAP bm{};
            HBITMAP b = ii.hbmColor ? ii.hbmColor : ii.hbmMask;
            if (::GetObjectW(b, sizeof bm, &bm)) s = {bm.bmWidth, ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
            if (ii.hbmColor) ::DeleteObject(ii.hbmColor);
            if (ii.hbmMask) ::DeleteObject(ii.hbmMask);
        }
    }
    return s;
}

int TPicture::Width() const { return graphic_ ? graphic_->Width() : PictureSize(icon_.Get(), bitmap_.Get()).cx; }
int TPicture::Height() const { return graphic_ ? graphic_->Height() : PictureSize(icon_.Get(), bitmap_.Get()).cy; }

void TPicture::Draw(HDC dc, const RECT& dest) const {
    int w = dest.right - dest.left, h = dest.bottom - dest.top;
    if (w <= 0 || h <= 0) return;
    if (graphic_) {
        graphic_->Draw(dc, dest);
    } else if (icon_) {
        ::DrawIconEx(dc, dest.left, dest.top, icon_.Get(), w, h, 0, nullptr, DI_NORMAL);
    } else if (bitmap_) {
        OwnedMemoryDC mem(::CreateCompatibleDC(dc));
        SelectObjectScope sel(mem.Get(), bitmap_.Get());
        SIZE s = PictureSize(nullptr, bitmap_.Get());
        ::SetStretchBltMode(dc, HALFTONE);
        ::StretchBlt(dc, dest.left, dest.top, w, h, mem.Get(), 0, 0, s.cx, s.cy, SRCCOPY);
    }
}

}  // namespace ad
