// Bitmap button and split button adapters.
#include "skin/adapters/SkBitBtnWnds.h"

#include <algorithm>

#include "base/WinText.h"
#include "framework/Buttons.h"
#include "framework/Handles.h"
#include "skin/adapters/SkAdapterPaint.h"
#include "skin/controls/skGlyphPaint.h"
#include "skin/engine/paint/SkinSmallPaint.h"

namespace ad::skin::adapters {

bool IsFocusedPushButton(HWND focused) {
    if (!focused) return false;
    if (!(::SendMessageW(focused, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) return false;
    const LONG_PTR type = ::GetWindowLongPtrW(focused, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

// ---- Bitmap buttons ----

TBitBtn* TSkBitBtnWnd::BitBtn() const { return dynamic_cast<TBitBtn*>(Control()); }

HBITMAP TSkBitBtnWnd::ForeignImage() const {
    return reinterpret_cast<HBITMAP>(::SendMessageW(WindowHandle(), BM_GETIMAGE, IMAGE_BITMAP, 0));
}

TPoint TSkBitBtnWnd::GlyphSize() {
    if (TBitBtn* button = BitBtn()) {
        if (button->Glyph().Width() <= 0) return {0, 0};
        return {button->Glyph().Width() / std::max(1, button->NumGlyphs()), button->Glyph().Height()};
    }
    // The bitmap's own size (its "dimension" is only a note a program may set).
    BITMAP info{};
    if (HBITMAP image = ForeignImage(); image && ::GetObjectW(image, sizeof(info), &info))
        return {int(info.bmWidth), std::abs(int(info.bmHeight))};
    return {0, 0};
}

int TSkBitBtnWnd::CurrentState() {
    if (const int state = SharedState(); state >= 0) return state;
    if (TBitBtn* button = BitBtn(); button && button->Default) return IsFocusedPushButton(::GetFocus()) ? 0 : 3;
    return 0;
}

int TSkBitBtnWnd::MaxCaptionWidth() {
    TBitBtn* button = BitBtn();
    if (!button) return TSkBtnWnd::MaxCaptionWidth();
    if (Caption().empty()) return 0;
    int width = ClientBounds(WindowHandle()).Right - 2 * std::max(0, button->Margin());
    const TPoint glyph = GlyphSize();
    const bool sideways =
        button->Layout() == TButtonLayout::blGlyphLeft || button->Layout() == TButtonLayout::blGlyphRight;
    if (sideways && glyph.Y != 0) width -= glyph.X + button->Spacing();
    return std::max(0, width);
}

namespace {

// The control's own placement of glyph and caption, moved when pressed.
TBitBtnPlacement PlaceBitBtn(TBitBtn& button, const TRect& bounds, TPoint glyph, TPoint caption, bool shift) {
    const RECT client{bounds.Left, bounds.Top, bounds.Right, bounds.Bottom};
    TBitBtnPlacement place = BitBtnLayout(client, SIZE{glyph.X, glyph.Y}, SIZE{caption.X, caption.Y},
                                          button.Layout(), button.Margin(), button.Spacing());
    if (shift) {
        place.Glyph.x += 1;
        place.Glyph.y += 1;
        ::OffsetRect(&place.Caption, 1, 1);
    }
    return place;
}

}  // namespace

TRect TSkBitBtnWnd::GlyphRect() {
    const TPoint glyph = GlyphSize();
    const TRect bounds = ClientBounds(WindowHandle());
    const bool shift = Pressed() && ShiftsWhenPressed();
    const TSkAdapterFont font(*this);
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    SelectObjectScope selected(dc.Get(), font.Get());
    if (TBitBtn* button = BitBtn()) {
        const TBitBtnPlacement place =
            PlaceBitBtn(*button, bounds, glyph, CaptionSize(dc.Get(), MaxCaptionWidth()), shift);
        return TRect(place.Glyph.x, place.Glyph.y, place.Glyph.x + glyph.X, place.Glyph.y + glyph.Y);
    }
    // A foreign image ends two pixels left of the caption, centred across.
    const TRect caption = CaptionRect(dc.Get());
    const int right = caption.Width() <= 0 ? (bounds.Right + glyph.X) / 2 : caption.Left - 2;
    const int top = (bounds.Bottom - glyph.Y) / 2 + (Pressed() ? 1 : 0);
    return TRect(right - glyph.X, top, right, top + glyph.Y);
}

TRect TSkBitBtnWnd::CaptionRect(HDC dc) {
    if (TBitBtn* button = BitBtn()) {
        const TPoint caption = CaptionSize(dc, MaxCaptionWidth());
        const TBitBtnPlacement place = PlaceBitBtn(*button, ClientBounds(WindowHandle()), GlyphSize(), caption,
                                                   Pressed() && ShiftsWhenPressed());
        return TRect(place.Caption.left, place.Caption.top, place.Caption.right, place.Caption.bottom);
    }
    TRect rect = TSkBtnWnd::CaptionRect(dc);
    if (const int width = GlyphSize().X) rect = Offset(rect, width / 2 + 1, 0);
    return rect;
}

void TSkBitBtnWnd::DrawGlyph(int state) {
    TSkinCommonData& data = *SkinData();
    if (!data.CacheImage) return;
    const TRect rect = GlyphRect();
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    if (TBitBtn* button = BitBtn()) {
        controls::TSkGlyphDrawParams params;
        params.State = state;
        controls::FillGlyphBackground(data, params);
        params.Glyph = &button->Glyph();
        params.NumGlyphs = button->NumGlyphs();
        params.Enabled = ::IsWindowEnabled(WindowHandle());
        params.Down = state == 2;
        params.ImgRect = rect;
        controls::DrawImageListGlyph(params);
        return;
    }
    // A foreign button's image is copied as it is.
    OwnedMemoryDC target(::CreateCompatibleDC(nullptr)), source(::CreateCompatibleDC(nullptr));
    SelectObjectScope cache(target.Get(), data.CacheImage->Handle());
    SelectObjectScope image(source.Get(), ForeignImage());
    ::BitBlt(target.Get(), rect.Left, rect.Top, rect.Width(), rect.Height(), source.Get(), 0, 0, SRCCOPY);
    ::GdiFlush();
}

// ---- Split buttons ----

TRect TSkSplitBtnWnd::CaptionRect(HDC dc) { return Offset(TSkBtnWnd::CaptionRect(dc), -ArrowWidth, 0); }

TRect TSkSplitBtnWnd::ArrowRect() {
    const TRect bounds = ClientBounds(WindowHandle());
    return TRect(bounds.Right - 2 * ArrowWidth - 6, 0, bounds.Right, bounds.Bottom);
}

void TSkSplitBtnWnd::PrepareCache() {
    TSkBtnWnd::PrepareCache();
    TSkinCommonData& data = *SkinData();
    if (!data.CacheImage || data.CacheImage->Empty()) return;
    DrawArrowTriangle(data.CacheImage->View(), SectionFontColor(data, std::min(CurrentState(), 2)), ArrowRect(), 3);
}

}  // namespace ad::skin::adapters
