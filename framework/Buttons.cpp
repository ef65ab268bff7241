// The bitmap button: layout of glyph and caption, glyph drawing and the
// classic owner-drawn look.
#include "framework/Buttons.h"

#include <algorithm>
#include <cstring>

#include "base/Color.h"
#include "framework/Handles.h"

namespace ad {

TBitBtnPlacement BitBtnLayout(const RECT& client, SIZE glyph, SIZE caption, TButtonLayout layout, int margin,
                              int spacing) {
    const bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
    const int room = horizontal ? client.right - client.left : client.bottom - client.top;
    const int glyphSide = horizontal ? glyph.cx : glyph.cy;
    const int captionSide = horizontal ? caption.cx : caption.cy;
    if (glyphSide == 0 || captionSide == 0) spacing = 0;
    const int free = room - glyphSide - captionSide;
    if (margin < 0) {
        if (spacing < 0) {
            spacing = free / 3;
            margin = spacing;
        } else {
            margin = (free - spacing) / 2;
        }
    } else if (spacing < 0) {
        spacing = (free - margin) / 2;
    }
    TBitBtnPlacement p;
    // Along the layout's direction: the glyph at the margin, the caption after the spacing.
    int glyphAt = 0, captionAt = 0;
    const bool fromStart = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphTop;
    const int start = horizontal ? client.left : client.top;
    const int end = horizontal ? client.right : client.bottom;
    if (fromStart) {
        glyphAt = start + margin;
        captionAt = glyphAt + glyphSide + spacing;
    } else {
        glyphAt = end - margin - glyphSide;
        captionAt = glyphAt - spacing - captionSide;
    }
    // Across it: centred.
    const int crossStart = horizontal ? client.top : client.left;
    const int crossRoom = horizontal ? client.bottom - client.top : client.right - client.left;
    const int glyphCross = crossStart + (crossRoom - (horizontal ? glyph.cy : glyph.cx)) / 2;
    const int captionCross = crossStart + (crossRoom - (horizontal ? caption.cy : caption.cx)) / 2;
    if (horizontal) {
        p.Glyph = {glyphAt, glyphCross};
        p.Caption = {captionAt, captionCross, captionAt + caption.cx, captionCross + caption.cy};
    } else {
        p.Glyph = {glyphCross, glyphAt};
        p.Caption = {captionCross, captionAt, captionCross + caption.cx, captionAt + caption.cy};
    }
    return p;
}

bool GlyphIsKeyed(const TBitmap32& strip) {
    const uint8_t* px = strip.Data();
    const size_t count = size_t(strip.Width()) * size_t(strip.Height());
    for (size_t i = 0; i < count; ++i)
        if (px[4 * i + 3] != 0) return false;
    return true;
}

void DrawButtonCaption(HDC dc, const std::wstring& text, RECT r, UINT flags, bool disabled, COLORREF color) {
    ::SetBkMode(dc, TRANSPARENT);
    if (disabled) {
        RECT shadow = r;
        ::OffsetRect(&shadow, 1, 1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextW(dc, text.c_str(), -1, &shadow, flags);
        color = ::GetSysColor(COLOR_BTNSHADOW);
    }
    ::SetTextColor(dc, color);
    ::DrawTextW(dc, text.c_str(), -1, &r, flags);
}

void DrawGlyphImage(HDC dc, const TBitmap32& strip, int numGlyphs, int index, int x, int y) {
    numGlyphs = std::max(1, numGlyphs);
    const int w = strip.Width() / numGlyphs, h = strip.Height();
    if (w <= 0 || h <= 0 || index < 0 || index >= numGlyphs) return;
    DibSection32 cell(w, h);
    if (!cell) return;
    const uint8_t* src = strip.Data();
    const bool keyed = GlyphIsKeyed(strip);
    uint32_t key = 0;
    std::memcpy(&key, src + 4 * (size_t(h - 1) * size_t(strip.Width()) + size_t(index * w)), 4);
    key &= 0xFFFFFF;
    for (int row = 0; row < h; ++row) {
        uint32_t* out = cell.Row(row);
        for (int col = 0; col < w; ++col) {
            uint32_t v = 0;
            std::memcpy(&v, src + 4 * (size_t(row) * size_t(strip.Width()) + size_t(index * w + col)), 4);
            if (keyed) {
                out[col] = (v & 0xFFFFFF) == key ? 0 : (v | 0xFF000000u);
                continue;
            }
            // AlphaBlend wants premultiplied pixels.
            const uint32_t a = v >> 24;
            const uint32_t r = ((v >> 16) & 0xFF) * a / 255, g = ((v >> 8) & 0xFF) * a / 255, b = (v & 0xFF) * a / 255;
            out[col] = (a << 24) | (r << 16) | (g << 8) | b;
        }
    }
    OwnedMemoryDC mem(::CreateCompatibleDC(dc));
    if (!mem) return;
    SelectObjectScope selected(mem.Get(), cell.Get());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, x, y, w, h, mem.Get(), 0, 0, w, h, blend);
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {}

void TBitBtn::SetGlyph(const TBitmap32& glyph) {
    glyph_ = glyph;
    LookChanged();
}

void TBitBtn::SetNumGlyphs(int value) {
    value = std::clamp(value, 1, 4);
    if (value == numGlyphs_) return;
    numGlyphs_ = value;
    LookChanged();
}

void TBitBtn::SetLayout(TButtonLayout value) {
    if (value == layout_) return;
    layout_ = value;
    LookChanged();
}

void TBitBtn::SetMargin(int value) {
    value = std::max(-1, value);
    if (value == margin_) return;
    margin_ = value;
    LookChanged();
}

void TBitBtn::SetSpacing(int value) {
    if (value == spacing_) return;
    spacing_ = value;
    LookChanged();
}

void TBitBtn::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    LookChanged();
}

void TBitBtn::CreateParams(TCreateParams& p) {
    TButton::CreateParams(p);
    p.Style = (p.Style & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW;
}

bool TBitBtn::CNDrawItem(DRAWITEMSTRUCT* dis) {
    if (!dis || dis->CtlType != ODT_BUTTON) return false;
    DrawItem(*dis);
    return true;
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& dis) {
    HDC dc = dis.hDC;
    RECT r = dis.rcItem;
    const bool pressed = (dis.itemState & ODS_SELECTED) != 0;
    const bool disabled = (dis.itemState & ODS_DISABLED) != 0;
    const bool focused = (dis.itemState & ODS_FOCUS) != 0;
    if (Default || focused) {
        ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_WINDOWFRAME));
        ::InflateRect(&r, -1, -1);
    }
    UINT state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (pressed) state |= DFCS_PUSHED;
    if (disabled) state |= DFCS_INACTIVE;
    ::DrawFrameControl(dc, &r, DFC_BUTTON, state);
    if (pressed) ::OffsetRect(&r, 1, 1);

    SelectObjectScope font(dc, EffectiveFont().Handle());
    const std::wstring text = WideText();
    RECT measure{0, 0, r.right - r.left, 0};
    const SIZE glyph{glyph_.Width() / numGlyphs_, glyph_.Height()};
    UINT flags = DT_CALCRECT | DT_EXPANDTABS | DT_CENTER | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
    if (!text.empty()) ::DrawTextW(dc, text.c_str(), -1, &measure, flags);
    const SIZE caption{text.empty() ? 0 : measure.right, text.empty() ? 0 : measure.bottom};
    const TBitBtnPlacement place = BitBtnLayout(r, glyph, caption, layout_, margin_, spacing_);
    if (glyph.cx > 0) {
        const int index = disabled && numGlyphs_ > 1 ? 1 : pressed && numGlyphs_ > 2 ? 2 : 0;
        DrawGlyphImage(dc, glyph_, numGlyphs_, index, place.Glyph.x, place.Glyph.y);
    }
    if (!text.empty()) {
        const UINT drawFlags = DT_EXPANDTABS | DT_CENTER | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
        DrawButtonCaption(dc, text, place.Caption, drawFlags, disabled, ColorToRGB(EffectiveFont().Color()));
    }
    if (focused) {
        RECT fr = dis.rcItem;
        ::InflateRect(&fr, -4, -4);
        ::DrawFocusRect(dc, &fr);
    }
}

}  // namespace ad
