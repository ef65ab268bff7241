// The grid's canvas over a Windows device context.
#include "grid/GdiCanvas.h"

#include <algorithm>

#include "framework/Handles.h"
#include "grid/DrawRoutines.h"

namespace ad::grid {

namespace {
const wchar_t* W(std::u16string_view s) { return reinterpret_cast<const wchar_t*>(s.data()); }
int Len(std::u16string_view s) { return static_cast<int>(s.size()); }

// A 32-bit top-down DIB section of w x h, selected into its own memory DC.
struct TWorkBitmap {
    TWorkBitmap(HDC like, int w, int h) : dc(::CreateCompatibleDC(like)), bitmap(w, h) {
        if (bitmap && dc) old = ::SelectObject(dc.Get(), bitmap.Get());
    }
    ~TWorkBitmap() {
        if (old) ::SelectObject(dc.Get(), old);
    }
    bool Ok() const { return dc && bitmap; }
    OwnedMemoryDC dc;
    DibSection32 bitmap;
    HGDIOBJ old = nullptr;
};
}  // namespace

UINT TextFlagsToDT(unsigned flags) {
    UINT dt = DT_LEFT;
    if (flags & tfCenter) dt |= DT_CENTER;
    if (flags & tfRight) dt |= DT_RIGHT;
    if (flags & tfVCenter) dt |= DT_VCENTER;
    if (flags & tfBottom) dt |= DT_BOTTOM;
    if (flags & tfSingleLine) dt |= DT_SINGLELINE;
    if (flags & tfNoPrefix) dt |= DT_NOPREFIX;
    if (flags & tfNoClip) dt |= DT_NOCLIP;
    if (flags & tfEndEllipsis) dt |= DT_END_ELLIPSIS;
    if (flags & tfRtlReading) dt |= DT_RTLREADING;
    if (flags & tfWordBreak) dt |= DT_WORDBREAK;
    if (flags & tfPathEllipsis) dt |= DT_PATH_ELLIPSIS;
    if (flags & tfEditControl) dt |= DT_EDITCONTROL;
    if (flags & tfCalcRect) dt |= DT_CALCRECT;
    return dt;
}

TGdiCanvas::TGdiCanvas(HDC dc) : dc_(dc) {
    textColor_ = static_cast<TColor>(::GetTextColor(dc_));
}

TGdiCanvas::~TGdiCanvas() {
    if (oldFont_) ::SelectObject(dc_, oldFont_);
}

void TGdiCanvas::SetFont(std::u16string_view name, int height, std::uint8_t style) {
    if (font_ && name == fontName_ && height == fontHeight_ && style == fontStyle_) return;
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = (style & 1) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style & 2) ? TRUE : FALSE;
    lf.lfUnderline = (style & 4) ? TRUE : FALSE;
    lf.lfStrikeOut = (style & 8) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    size_t n = std::min(name.size(), static_cast<size_t>(LF_FACESIZE - 1));
    std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(n), lf.lfFaceName);
    OwnedFont made(::CreateFontIndirectW(&lf));
    if (!made) return;
    HGDIOBJ previous = ::SelectObject(dc_, made.Get());
    if (!oldFont_) oldFont_ = previous;
    font_ = std::move(made);  // the font selected before is no longer in the DC
    fontName_ = name;
    fontHeight_ = height;
    fontStyle_ = style;
}

void TGdiCanvas::SetTextColor(TColor color) {
    textColor_ = color;
    ::SetTextColor(dc_, static_cast<COLORREF>(ColorToRGBValue(color)));
}

void TGdiCanvas::Line(int x1, int y1, int x2, int y2, TColor color) {
    TColor rgb = ColorToRGBValue(color);
    if (!penCache_ || penColor_ != rgb) {
        penCache_ = OwnedPen(::CreatePen(PS_SOLID, 1, static_cast<COLORREF>(rgb)));
        penColor_ = rgb;
    }
    // Selected for this line only: the DC never holds the cached pen when it goes.
    SelectObjectScope select(dc_, penCache_.Get());
    ::MoveToEx(dc_, x1, y1, nullptr);
    ::LineTo(dc_, x2, y2);
}

void TGdiCanvas::Polygon(const std::vector<TPoint>& points, TColor fill, TColor outline) {
    if (points.empty()) return;
    std::vector<POINT> pts;
    pts.reserve(points.size());
    for (const TPoint& p : points) pts.push_back(ToPOINT(p));
    OwnedPen pen(::CreatePen(PS_SOLID, 1, static_cast<COLORREF>(ColorToRGBValue(outline))));
    OwnedBrush brush(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGBValue(fill))));
    SelectObjectScope selectPen(dc_, pen.Get());
    SelectObjectScope selectBrush(dc_, brush.Get());
    ::Polygon(dc_, pts.data(), static_cast<int>(pts.size()));
}

void TGdiCanvas::InvertRect(const TRect& r) {
    RECT rc = ToRECT(r);
    ::InvertRect(dc_, &rc);
}

TSize TGdiCanvas::TextExtent(std::u16string_view text) {
    SIZE s{};
    if (!::GetTextExtentPoint32W(dc_, W(text), Len(text), &s)) return TSize{};
    return TSize{s.cx, s.cy};
}

TRect TGdiCanvas::CalcTextRect(std::u16string_view text, const TRect& r, unsigned flags) {
    RECT rc = ToRECT(r);
    ::DrawTextW(dc_, W(text), Len(text), &rc, TextFlagsToDT(flags) | DT_CALCRECT);
    return FromRECT(rc);
}

void TGdiCanvas::DrawText(std::u16string_view text, const TRect& r, unsigned flags) {
    RECT rc = ToRECT(r);
    ::DrawTextW(dc_, W(text), Len(text), &rc, TextFlagsToDT(flags));
}

void TGdiCanvas::DrawTurnedText(std::u16string_view text, const TRect& r, unsigned flags) {
    LOGFONTW lf{};
    HGDIOBJ current = ::GetCurrentObject(dc_, OBJ_FONT);
    if (!current || !::GetObjectW(current, sizeof(lf), &lf)) return;
    lf.lfEscapement = 900;
    lf.lfOrientation = 900;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    OwnedFont turned(::CreateFontIndirectW(&lf));
    if (!turned) return;
    // The scope selects the turned font out again before the font is deleted.
    SelectObjectScope select(dc_, turned.Get());
    RECT rc = ToRECT(r);
    ::DrawTextW(dc_, W(text), Len(text), &rc, TextFlagsToDT(flags));
}

void TGdiCanvas::SetBrushStyle(TBrushStyle style) {
    brush_ = style;
    ::SetBkMode(dc_, style == bsClear ? TRANSPARENT : OPAQUE);
}

HBRUSH TGdiCanvas::BrushOf(TColor color) {
    TColor rgb = ColorToRGBValue(color);
    if (!brushCache_ || brushColor_ != rgb) {
        brushCache_ = OwnedBrush(::CreateSolidBrush(static_cast<COLORREF>(rgb)));
        brushColor_ = rgb;
    }
    return brushCache_.Get();
}

void TGdiCanvas::FillRect(const TRect& r, TColor color) {
    RECT rc = ToRECT(r);
    ::FillRect(dc_, &rc, BrushOf(color));
}

void TGdiCanvas::FrameRect(const TRect& r, TColor color) {
    RECT rc = ToRECT(r);
    ::FrameRect(dc_, &rc, BrushOf(color));
}

void TGdiCanvas::DrawFocusRect(const TRect& r) {
    COLORREF bk = ::SetBkColor(dc_, RGB(0, 0, 0));
    COLORREF text = ::SetTextColor(dc_, RGB(255, 255, 255));
    RECT rc = ToRECT(r);
    ::DrawFocusRect(dc_, &rc);
    ::SetBkColor(dc_, bk);
    ::SetTextColor(dc_, text);
}

void TGdiCanvas::ClipToRect(const TRect& r, bool shiftByOrigin) {
    POINT origin{0, 0};
    if (shiftByOrigin) ::GetWindowOrgEx(dc_, &origin);
    OwnedRegion region(::CreateRectRgn(r.Left - origin.x, r.Top - origin.y, r.Right - origin.x, r.Bottom - origin.y));
    if (region) ::SelectClipRgn(dc_, region.Get());  // the DC keeps its own copy
}

std::vector<std::uint32_t> TGdiCanvas::ReadPixels(const TRect& r) {
    int w = r.Width(), h = r.Height();
    if (w <= 0 || h <= 0) return {};
    TWorkBitmap work(dc_, w, h);
    if (!work.Ok()) return {};
    ::BitBlt(work.dc.Get(), 0, 0, w, h, dc_, r.Left, r.Top, SRCCOPY);
    ::GdiFlush();
    const std::uint32_t* p = work.bitmap.Bits();
    std::vector<std::uint32_t> out(p, p + static_cast<size_t>(w) * static_cast<size_t>(h));
    for (auto& px : out) px &= 0xFFFFFF;
    return out;
}

void TGdiCanvas::WritePixels(const TRect& r, const std::vector<std::uint32_t>& pixels) {
    int w = r.Width(), h = r.Height();
    if (w <= 0 || h <= 0 || pixels.size() != static_cast<size_t>(w) * static_cast<size_t>(h)) return;
    TWorkBitmap work(dc_, w, h);
    if (!work.Ok()) return;
    std::copy(pixels.begin(), pixels.end(), work.bitmap.Bits());
    ::BitBlt(dc_, r.Left, r.Top, w, h, work.dc.Get(), 0, 0, SRCCOPY);
}

}  // namespace ad::grid
