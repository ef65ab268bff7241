// Push button, check box and group box adapters.
#include "skin/adapters/SkButtonWnds.h"

#include "skin/adapters/SkAdapterPaint.h"

#include <algorithm>

#include "base/WinText.h"
#include "framework/Handles.h"
#include "framework/Messages.h"
#include "skin/engine/image/SkinFadeMath.h"
#include "skin/engine/paint/SkinDataRules.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/win/SkinDataPaint.h"
#include "skin/engine/win/SkinDataText.h"
#include "skin/engine/win/SkThreadedTimer.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinGdiPaint.h"

namespace ad::skin::adapters {

namespace {

// The cache sized to the window with the section of the state over the parent.
bool PaintSectionIntoCache(TSkinCommonData& data, HWND wnd, int state, const TRect& rect) {
    data.PrepareCacheImage();
    if (!data.CacheImage || data.CacheImage->Empty()) return false;
    const TSkBgCacheRef background = GetWindowParentBgRef(wnd);
    const TImageView32 image = data.CacheImage->View();
    FillFromBackground(image, TRect(0, 0, image.Width, image.Height), background);
    PaintStateCorners(data, background, true, data.HotPatternIndex, data.PatternIndex, image, {0, 0}, rect, state);
    return true;
}

LONG_PTR StyleOf(HWND wnd) { return ::GetWindowLongPtrW(wnd, GWL_STYLE); }

}  // namespace

int ButtonSectionState(int paintState, int sectionStates) {
    if (paintState == 3 && sectionStates < 4) return 1;
    return std::clamp(paintState, 0, std::max(0, sectionStates - 1));
}

// ---- Shared by the push button and the check box ----

bool TSkCachedButtonWnd::SeeThrough(int state) const {
    const TSkinCommonData& data = *SkinData();
    const TSkinTables* skin = data.Skin();
    if (!skin || !skin->IsValidSectionIndex(data.SkinIndex)) return false;
    return skin->Section(data.SkinIndex).Props[size_t(ClampSectionState(*skin, data.SkinIndex, state))].Transparency > 0;
}

void TSkCachedButtonWnd::Repaint() {
    SkinData()->BgChanged = true;
    ::RedrawWindow(WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

bool TSkCachedButtonWnd::HandleCachedPaint(TMessage& m) {
    // Without the skin the control is left to itself.
    if (!SkinActive() || Destroyed()) {
        TSkMainWnd::WndProc(m);
        return true;
    }
    switch (m.Msg) {
        case WM_PAINT:
            PaintForMessage(WindowHandle(), m, [&](HDC dc) { Paint(dc); });
            return true;
        case WM_PRINT: Paint(reinterpret_cast<HDC>(m.WParam)); return true;
        case WM_ERASEBKGND: m.Result = 1; return true;
        case WM_NCPAINT:
        case WM_UPDATEUISTATE: m.Result = 0; return true;
        case SKM_SKINCMD:
            switch (SkinCommandOf(m.WParam)) {
                case SKC_CACHEVALID: PrepareCache(); return true;
                case SKC_MOUSEENTER:
                case SKC_MOUSELEAVE:
                    SkinData()->MouseAbove = SkinCommandOf(m.WParam) == SKC_MOUSEENTER;
                    Repaint();
                    return true;
                default: return false;
            }
        default: return false;
    }
}

// ---- Push button ----

void TSkBtnWnd::InitAdapter() {
    if (SkinData()->SkinSection().empty()) SkinData()->SetSkinSection("BUTTON");
    TSkMainWnd::InitAdapter();
}

int TSkBtnWnd::SharedState() {
    HWND wnd = WindowHandle();
    if (Pressed()) {
        HideGlow(SkinData()->GlowIndex, false);  // the pressed look shows at once, with no glow over it
        return 2;
    }
    if (!::IsWindowEnabled(wnd)) return 0;
    if (Control()) return SkinData()->IsHighlighted() ? 1 : -1;
    const bool hot = ::GetFocus() == wnd || (SkinManager() && SkinManager()->HoverWindow() == wnd) ||
                     SkinData()->Focused;
    return hot ? 1 : -1;
}

int TSkBtnWnd::CurrentState() {
    if (const int state = SharedState(); state >= 0) return state;
    if ((StyleOf(WindowHandle()) & 0xF) == BS_DEFPUSHBUTTON) return Control() ? 1 : 3;
    return 0;
}

bool TSkBtnWnd::Pressed() { return ::SendMessageW(WindowHandle(), BM_GETSTATE, 0, 0) & BST_PUSHED; }

bool TSkBtnWnd::ShiftsWhenPressed() { return !SkinActive() || SkinManager()->ButtonsOptions.ShiftContentOnClick; }

int TSkBtnWnd::MaxCaptionWidth() {
    if (Caption().empty()) return 0;
    const int width = ClientBounds(WindowHandle()).Right;
    const TPoint glyph = GlyphSize();
    return glyph.X == 0 ? width + 1 : std::max(0, width - glyph.X);
}

TPoint TSkBtnWnd::CaptionSize(HDC dc, int maxWidth) {
    if (Caption().empty()) return {0, 0};
    UINT format = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_CENTER;
    if (StyleOf(WindowHandle()) & BS_MULTILINE) format |= DT_WORDBREAK;
    const std::wstring text = Widen(Caption());
    RECT r{0, 0, maxWidth, 0};
    ::DrawTextW(dc, text.c_str(), int(text.size()), &r, format);
    return {int(r.right - r.left), int(r.bottom - r.top)};
}

TRect TSkBtnWnd::CaptionRect(HDC dc) {
    const TRect bounds = ClientBounds(WindowHandle());
    const int width = bounds.Right, height = bounds.Bottom;
    const TPoint size = CaptionSize(dc, MaxCaptionWidth() + 2);
    const int left = (width - size.X) / 2, top = (height - size.Y) / 2;
    TRect rect(left, top, width - left + 1, height - top);
    if (Pressed() && ShiftsWhenPressed()) rect = Offset(rect, 1, 1);
    return rect;
}

void TSkBtnWnd::PrepareCache() {
    TSkinCommonData& data = *SkinData();
    const TSkinTables* skin = data.Skin();
    if (!skin || !skin->IsValidSectionIndex(data.SkinIndex)) return;
    HWND wnd = WindowHandle();
    const int paintState = CurrentState();
    const int state = ButtonSectionState(paintState, skin->Section(data.SkinIndex).States);
    if (!PaintSectionIntoCache(data, wnd, state, ClientBounds(wnd))) return;
    TCacheCanvas canvas(data, *this);
    const TRect caption = CaptionRect(canvas.Get());
    UINT format = DT_CENTER | DT_EXPANDTABS;
    if (StyleOf(wnd) & BS_MULTILINE) format |= DT_WORDBREAK;
    if (::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_RTLREADING) format |= DT_RTLREADING;
    const bool enabled = ::IsWindowEnabled(wnd);
    if (!Caption().empty()) DrawDataText(canvas.Get(), Caption(), enabled, false, data, format, caption, std::min(state, 2));
    const bool focused = ::SendMessageW(wnd, BM_GETSTATE, 0, 0) & BST_FOCUS;
    if (enabled && focused && !Caption().empty() && SkinManager()->ButtonsOptions.ShowFocusRect) {
        TRect frame = caption;
        frame.Left -= 2;
        frame.Right += 2;
        frame.Top = std::max(frame.Top - 1, 3);
        frame.Bottom = std::min(frame.Bottom + 1, data.CacheImage->Height() - 3);
        const TColor ink = SectionFontColor(data, 1);
        DrawDottedFrame(canvas.Get(), frame, ink, ink);
    }
    ::GdiFlush();
    DrawGlyph(paintState);
    data.BgChanged = false;
}

void TSkBtnWnd::Paint(HDC given) {
    if (!SkinActive()) return;
    if (!ColorsApplied()) ApplySkinColors();
    TSkinCommonData& data = *SkinData();
    if (data.FadeRunning() && data.FadeTimer->WorkImage) {
        // A running fade shows its current frame.
        const TSkinCacheImage& frame = *data.FadeTimer->WorkImage;
        const TRect all(0, 0, frame.Width(), frame.Height());
        if (given) {
            const TUnmirroredDC unmirrored(given);
            frame.Draw(given, 0, 0, all);
        } else {
            WindowDC dc(WindowHandle());
            const TUnmirroredDC unmirrored(dc.Get());
            frame.Draw(dc.Get(), 0, 0, all);
        }
        return;
    }
    data.Updating = !given && data.QueryUpdating();
    if (data.Updating) return;
    data.BgChanged = true;
    PrepareCache();
    CopyCache(data, WindowHandle(), given);
}

void TSkBtnWnd::WndProc(TMessage& m) {
    HWND wnd = WindowHandle();
    if (m.Msg == SKM_SKINCMD && SkinActive() && !Destroyed()) {
        // Hover changes fade between the looks.
        TSkinCommonData& data = *SkinData();
        const int command = SkinCommandOf(m.WParam);
        if (command == SKC_MOUSEENTER && !data.MouseAbove && SkinManager()->HoverWindow() == wnd &&
            !SkinManager()->Options.NoMouseHover) {
            if (data.IsMouseOverWindow()) AnimateHover(true);
            return;
        }
        if (command == SKC_MOUSELEAVE && data.MouseAbove) {
            if (!data.IsMouseOverWindow()) AnimateHover(false);
            return;
        }
    }
    if (HandleCachedPaint(m)) return;
    switch (m.Msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (!::IsWindowEnabled(wnd)) break;
            // A control going away loses the focus with nothing to repaint.
            if (m.Msg == WM_KILLFOCUS && Control() && Control()->Destroying()) break;
            CallOldProcSilently(m);
            SkinData()->Focused = m.Msg == WM_SETFOCUS;
            Repaint();
            return;
        case WM_ENABLE:
        case WM_SETTEXT:
        case BM_SETSTATE:
        case BM_SETSTYLE:
            if (!::IsWindowVisible(wnd)) break;
            if (m.Msg == WM_SETTEXT) TSkMainWnd::WndProc(m);  // keeps the caption
            else CallOldProcSilently(m);
            Repaint();
            return;
        case WM_MOVE:
            // A see-through look shows the parent anew at the new place.
            if (SeeThrough(0) || (SeeThrough(1) && SkinData()->IsHighlighted())) Repaint();
            break;
        case WM_MOUSEHOVER:
            SendSkinCommand(wnd, SKC_MOUSEENTER);
            break;
        case WM_MOUSELEAVE:
            if (SkinManager()->HoverWindow() == wnd) SkinManager()->SetHoverWindow(nullptr);
            break;
        case WM_LBUTTONUP:
            if (SkinData()->MouseAbove) {
                SkinData()->StopFade();
                SkinData()->MouseAbove = false;
                TSkMainWnd::WndProc(m);
                if (::IsWindowVisible(wnd)) SendSkinCommand(wnd, SKC_MOUSEENTER);
            } else {
                TSkMainWnd::WndProc(m);
                SkinData()->StopFade();
                AnimateHover(false);
            }
            return;
        default: break;
    }
    TSkMainWnd::WndProc(m);
}

void TSkBtnWnd::AnimateHover(bool entering) {
    TSkinCommonData& data = *SkinData();
    data.Updating = false;
    data.BgChanged = false;
    data.MouseAbove = entering;
    AnimateStateChange(&data, entering ? kFadeIn : kFadeOut, FadeStep, false, false, true);
}

// ---- Check box and radio button ----

void TSkCheckBoxWnd::InitAdapter() {
    ownerDraw_ = (StyleOf(WindowHandle()) & 0xB) == BS_OWNERDRAW;
    SkinData()->ControlKind = 32;
    if (SkinData()->SkinSection().empty()) SkinData()->SetSkinSection("CHECKBOX");
    TSkMainWnd::InitAdapter();
}

int TSkCheckBoxWnd::CheckState() {
    const LRESULT state = ::SendMessageW(WindowHandle(), BM_GETSTATE, 0, 0);
    if (state & BST_INDETERMINATE) return 2;
    return (state & BST_CHECKED) ? 1 : 0;
}

bool TSkCheckBoxWnd::IsRadio() const {
    const LONG_PTR type = StyleOf(WindowHandle()) & 0xF;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

int TSkCheckBoxWnd::GlyphMask() {
    const TSkinTables* skin = SkinData()->Skin();
    if (!skin) return -1;
    const TSkinCommonMasks& masks = skin->CommonMasks;
    const int check = CheckState();
    if (IsRadio()) return check == 1 ? masks.RadioChecked : masks.RadioUnchecked;
    return check == 2 ? masks.BoxGrayed : check == 1 ? masks.BoxChecked : masks.BoxUnchecked;
}

TRect TSkCheckBoxWnd::GlyphRect() {
    const TRect bounds = ClientBounds(WindowHandle());
    const TSkinTables* skin = SkinData()->Skin();
    TPoint size{16, 16};
    if (skin) {
        const int checked = IsRadio() ? skin->CommonMasks.RadioChecked : skin->CommonMasks.BoxChecked;
        if (skin->IsValidMaskIndex(checked)) size = MaskFrameSize(skin->Mask(checked));
    }
    const int top = (bounds.Bottom - size.Y) / 2;
    const int left = (StyleOf(WindowHandle()) & BS_LEFTTEXT) ? bounds.Right - size.X : 0;
    return TRect(left, top, left + size.X, top + size.Y);
}

void TSkCheckBoxWnd::PrepareCache() {
    if (ownerDraw_) return;
    TSkinCommonData& data = *SkinData();
    HWND wnd = WindowHandle();
    const int sectionState = data.IsHighlighted() ? 1 : 0;
    if (!PaintSectionIntoCache(data, wnd, sectionState, ClientBounds(wnd))) return;
    const TRect bounds = ClientBounds(wnd);
    const TRect glyph = GlyphRect();
    const LONG_PTR style = StyleOf(wnd);
    const bool leftText = style & BS_LEFTTEXT;
    const LRESULT buttonState = ::SendMessageW(wnd, BM_GETSTATE, 0, 0);
    if (!Caption().empty()) {
        TCacheCanvas canvas(data, *this);
        const int g = glyph.Width();
        TRect text = leftText ? TRect(2, 0, bounds.Right - g - 4, bounds.Bottom) : TRect(g + 4, 0, bounds.Right, bounds.Bottom);
        UINT format = (style & BS_MULTILINE) ? UINT(DT_WORDBREAK) : UINT(DT_SINGLELINE | DT_VCENTER);
        if (leftText && (::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_RTLREADING)) format |= DT_RIGHT;
        DrawDataText(canvas.Get(), Caption(), ::IsWindowEnabled(wnd), false, data, format, text, sectionState);
        if (buttonState & BST_FOCUS) {
            RECT measured{text.Left, text.Top, text.Right, text.Bottom};
            const std::wstring wide = Widen(Caption());
            ::DrawTextW(canvas.Get(), wide.c_str(), int(wide.size()), &measured, format | DT_CALCRECT);
            const int height = measured.bottom - measured.top;
            TRect frame(text.Left - 2, (bounds.Bottom - height) / 2, text.Left + (measured.right - measured.left) + 2,
                        (bounds.Bottom - height) / 2 + height);
            const TColor ink = SectionFontColor(data, 1);
            DrawDottedFrame(canvas.Get(), frame, ink, ink);
        }
        ::GdiFlush();
    }
    const TSkinTables* skin = data.Skin();
    const int mask = GlyphMask();
    if (skin && skin->IsValidMaskIndex(mask)) {
        int glyphState = 0;
        if (buttonState & BST_PUSHED) glyphState = 2;
        else if ((buttonState & BST_FOCUS) || SkinManager()->HoverWindow() == wnd) glyphState = 1;
        DrawMaskState(data.CacheImage->View(), {glyph.Left, glyph.Top}, glyphState, GetWindowParentBgRef(wnd),
                      skin->Mask(mask), 1, *skin);
    }
    data.BgChanged = false;
}

void TSkCheckBoxWnd::Paint(HDC given) {
    TSkinCommonData& data = *SkinData();
    if (ownerDraw_ || (!given && (!::IsWindowVisible(WindowHandle()) || data.QueryUpdating()))) return;
    PrepareCache();
    CopyCache(data, WindowHandle(), given);
}

void TSkCheckBoxWnd::WndProc(TMessage& m) {
    if (HandleCachedPaint(m)) return;
    HWND wnd = WindowHandle();
    switch (m.Msg) {
        case WM_ENABLE:
        case BM_SETCHECK:
        case BM_SETSTATE:
        case CM_TEXTCHANGED:
            if (!::IsWindowVisible(wnd)) break;
            CallOldProcSilently(m);
            Repaint();
            return;
        case WM_SETTEXT:
            if (!::IsWindowVisible(wnd)) break;
            SetRedraw(false);
            TSkMainWnd::WndProc(m);
            SetRedraw(true);
            Repaint();
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            CallOldProcSilently(m);
            Repaint();
            return;
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (m.WParam != VK_SPACE) break;
            CallOldProcSilently(m);
            Repaint();
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: SkinData()->StopFade(); break;
        case WM_NCHITTEST:
            // The mouse over the box makes it the hovered one (its glyph lights up).
            TSkMainWnd::WndProc(m);
            if (::IsWindowEnabled(wnd) && SkinManager()->HoverWindow() != wnd) SkinManager()->SetHoverWindow(wnd);
            return;
        default: break;
    }
    TSkMainWnd::WndProc(m);
}

// ---- Group box ----

void TSkGroupBoxWnd::InitAdapter() {
    if (SkinData()->SkinSection().empty()) SkinData()->SetSkinSection("GROUPBOX");
    TSkMainWnd::InitAdapter();
}

TRect TSkGroupBoxWnd::CaptionRect() {
    HWND wnd = WindowHandle();
    const TRect bounds = ClientBounds(wnd);
    RECT r{0, 0, 0, 0};
    if (!Caption().empty()) {
        const TSkAdapterFont adapterFont(*this);
        OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
        SelectObjectScope font(dc.Get(), adapterFont.Get());
        const std::wstring text = Widen(Caption());
        ::DrawTextW(dc.Get(), text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_CENTER);
    }
    const int textWidth = r.right - r.left, textHeight = r.bottom - r.top;
    const int left = (::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_RTLREADING) ? bounds.Right - textWidth - 14 : 6;
    return TRect(left, 0, std::min(left + textWidth + 8, bounds.Right - 1), std::max(4, textHeight) + 2);
}

void TSkGroupBoxWnd::PrepareCache() {
    TSkinCommonData& data = *SkinData();
    HWND wnd = WindowHandle();
    const TRect bounds = ClientBounds(wnd);
    const TRect caption = CaptionRect();
    TRect body = bounds;
    body.Top = caption.Height() / 2;
    if (!PaintSectionIntoCache(data, wnd, 0, body)) return;
    if (!Caption().empty()) {
        FillFromBackground(data.CacheImage->View(), caption, GetWindowParentBgRef(wnd));
        TCacheCanvas canvas(data, *this);
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
        if (::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_RTLREADING) format |= DT_RTLREADING;
        DrawDataText(canvas.Get(), Caption(), ::IsWindowEnabled(wnd), false, data, format, caption, 0);
        ::GdiFlush();
    }
    data.BgChanged = false;
}

void TSkGroupBoxWnd::Paint(HDC given) {
    TSkinCommonData& data = *SkinData();
    HWND wnd = WindowHandle();
    if (!given && data.QueryUpdating()) return;
    PrepareCache();
    if (!data.CacheImage) return;
    const TRect all(0, 0, data.CacheImage->Width(), data.CacheImage->Height());
    if (given) {
        data.BlitCacheExcludingWindows(wnd, all, 0, 0, false, given);
    } else {
        WindowDC dc(wnd);
        data.BlitCacheExcludingWindows(wnd, all, 0, 0, false, dc.Get());
    }
    RepaintChildWindows(wnd);
}

void TSkGroupBoxWnd::WndProc(TMessage& m) {
    HWND wnd = WindowHandle();
    if (!SkinActive() || Destroyed()) {
        TSkMainWnd::WndProc(m);
        return;
    }
    switch (m.Msg) {
        case WM_PAINT:
            PaintForMessage(wnd, m, [&](HDC dc) { Paint(dc); });
            return;
        case WM_PRINT:
            SkinData()->Updating = false;
            SkinData()->BgChanged = true;
            Paint(reinterpret_cast<HDC>(m.WParam));
            return;
        case WM_ERASEBKGND:
            if (m.WParam) {
                PrepareCache();
                if (SkinData()->CacheImage) CopyCache(*SkinData(), wnd, reinterpret_cast<HDC>(m.WParam));
            }
            m.Result = 1;
            return;
        case WM_SETTEXT:
            TSkMainWnd::WndProc(m);
            SkinData()->BgChanged = true;
            ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
            return;
        case SKM_SKINCMD:
            if (SkinCommandOf(m.WParam) == SKC_GETHEADERHEIGHT) {
                m.Result = CaptionRect().Height();
                return;
            }
            break;
        default: break;
    }
    TSkMainWnd::WndProc(m);
}

}  // namespace ad::skin::adapters
