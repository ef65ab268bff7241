// The standard dialog's adapter: frame, title band and caption buttons.
#include "skin/forms/SkDialogWnd.h"

#include <algorithm>
#include <array>

#include "skin/adapters/SkAdapterUtils.h"
#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/paint/SkinSectionPaint.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinText.h"
#include "skin/forms/SkinFormMetrics.h"
#include "skin/forms/SkinHook.h"

namespace ad::skin::forms {

namespace {

constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr int kDefaultButtonSize = 21;

struct TCaptionButton {
    int Code;       // hit-test code
    int GlyphKind;  // title-button mask
};

}  // namespace

TSkDialogWnd::TSkDialogWnd(HWND wnd, TSkinCommonData* skinData, TSkinManager* manager,
                           const adapters::TSkSkinParams& params)
    : TSkScrollWnd(wnd, skinData, manager, params) {}

void TSkDialogWnd::InitAdapter() {
    TSkScrollWnd::InitAdapter();
    SkipClientPaint = LOBYTE(LOWORD(::GetVersion())) > 5;
    isActive_ = true;
    hotButton_ = 0;
    cacheValid_ = false;
}

void TSkDialogWnd::UpdateFromWindow() {
    HWND wnd = WindowHandle();
    style_ = ::GetWindowLongPtrW(wnd, GWL_STYLE);
    exStyle_ = ::GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    if (style_ & WS_SYSMENU) hadSysMenu_ = true;
    if (hadSysMenu_) style_ |= WS_SYSMENU;
    if ((style_ & LONG_PTR(0x80C00000)) == LONG_PTR(WS_POPUP)) BorderKind = 2;
    else if (style_ & WS_THICKFRAME) BorderKind = 3;
    else if (style_ & DS_MODALFRAME) BorderKind = 0;
    else BorderKind = 3;
    captionFont_.Reset();
    cacheValid_ = false;
    // The system draws no buttons of its own over the skinned title.
    const LONG_PTR current = ::GetWindowLongPtrW(wnd, GWL_STYLE);
    if (current & WS_SYSMENU) {
        ::SetWindowLongPtrW(wnd, GWL_STYLE, current & ~LONG_PTR(WS_SYSMENU));
        if (::IsWindowVisible(wnd))
            ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void TSkDialogWnd::RestoreWindow() {
    HWND wnd = WindowHandle();
    if (regionSet_ && ::IsWindow(wnd)) ::SetWindowRgn(wnd, nullptr, FALSE);
    if (hadSysMenu_ && ::IsWindow(wnd))
        ::SetWindowLongPtrW(wnd, GWL_STYLE, ::GetWindowLongPtrW(wnd, GWL_STYLE) | WS_SYSMENU);
    TSkScrollWnd::RestoreWindow();
}

bool TSkDialogWnd::CanClose() const {
    return (style_ & WS_SYSMENU) && !(::GetClassLongPtrW(WindowHandle(), GCL_STYLE) & CS_NOCLOSE);
}

int TSkDialogWnd::BorderWidth() const {
    RECT wr{}, cr{};
    ::GetWindowRect(WindowHandle(), &wr);
    ::GetClientRect(WindowHandle(), &cr);
    return std::max(0, int((wr.right - wr.left) - cr.right) / 2);
}

int TSkDialogWnd::TopOffset() const {
    RECT wr{};
    POINT origin{0, 0};
    ::GetWindowRect(WindowHandle(), &wr);
    ::ClientToScreen(WindowHandle(), &origin);
    return std::max(0, int(origin.y - wr.top));
}

namespace {

// The caption buttons present, from the right edge inward.
std::array<TCaptionButton, 4> ButtonsOf(LONG_PTR style, LONG_PTR exStyle, int borderKind, int& count) {
    const bool big = borderKind == 1 || borderKind == 3;
    const bool boxes = style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    std::array<TCaptionButton, 4> buttons{};
    count = 0;
    if (!(style & WS_SYSMENU)) return buttons;
    buttons[size_t(count++)] = {HTCLOSE, big ? (boxes ? tbClose : tbCloseAlone) : tbSmallClose};
    if (style & WS_MAXIMIZEBOX) buttons[size_t(count++)] = {HTMAXBUTTON, big ? tbMax : tbSmallMax};
    if (style & WS_MINIMIZEBOX) buttons[size_t(count++)] = {HTMINBUTTON, big ? tbMin : tbSmallMin};
    if (exStyle & WS_EX_CONTEXTHELP) buttons[size_t(count++)] = {HTHELP, big ? tbHelp : tbSmallHelp};
    return buttons;
}

const TSkinMaskData* GlyphMask(const TSkinTables* skin, int glyphKind) {
    if (!skin) return nullptr;
    const int mask = skin->CommonMasks.TitleButtons[size_t(glyphKind)];
    return skin->IsValidMaskIndex(mask) ? &skin->Mask(mask) : nullptr;
}

}  // namespace

// Each button's rectangle relative to the window, by hit code.
static TRect ButtonRectOf(const TSkDialogWnd& dialog, const TSkinTables* skin, int windowWidth, LONG_PTR style,
                          LONG_PTR exStyle, int code, int* glyphKind) {
    int count = 0;
    const auto buttons = ButtonsOf(style, exStyle, dialog.BorderKind, count);
    int right = windowWidth - (skin ? skin->GlobalInfo.BIRight : 0) - std::max(4, dialog.BorderWidth());
    const int top = dialog.TopOffset();
    for (int i = 0; i < count; ++i) {
        const TSkinMaskData* mask = GlyphMask(skin, buttons[size_t(i)].GlyphKind);
        const TPoint size = mask ? MaskFrameSize(*mask) : TPoint{kDefaultButtonSize, kDefaultButtonSize};
        const int w = size.X > 0 ? size.X : kDefaultButtonSize, h = size.Y > 0 ? size.Y : kDefaultButtonSize;
        const TRect r{right - w, (top - h) / 2, right, (top - h) / 2 + h};
        if (buttons[size_t(i)].Code == code) {
            if (glyphKind) *glyphKind = buttons[size_t(i)].GlyphKind;
            return r;
        }
        right -= w + (skin ? std::max<int>(0, skin->GlobalInfo.BISpace) : 0);
    }
    return {};
}

TRect TSkDialogWnd::CloseRect() const {
    RECT wr{};
    ::GetWindowRect(WindowHandle(), &wr);
    const TSkinTables* skin = SkinManager() ? SkinManager()->Skin() : nullptr;
    return ButtonRectOf(*this, skin, wr.right - wr.left, style_, exStyle_, HTCLOSE, nullptr);
}

LRESULT TSkDialogWnd::HitTest(TPoint point) {
    HWND wnd = WindowHandle();
    RECT wr{};
    ::GetWindowRect(wnd, &wr);
    const int width = wr.right - wr.left, height = wr.bottom - wr.top;
    if (::IsZoomed(wnd) && (point.X < 2 || point.Y < 2 || point.X >= width - 2 || point.Y >= height - 2))
        return HTERROR;
    if (!(style_ & WS_CAPTION) || point.Y >= TopOffset()) return 0;
    const TSkinTables* skin = SkinManager() ? SkinManager()->Skin() : nullptr;
    const int border = BorderWidth();
    if ((style_ & WS_SYSMENU) && point.X >= border && point.X < border + ::GetSystemMetrics(SM_CXSMICON))
        return HTSYSMENU;
    for (int code : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTHELP}) {
        const TRect r = ButtonRectOf(*this, skin, width, style_, exStyle_, code, nullptr);
        if (IsEmpty(r) || !Contains(r, point)) continue;
        LRESULT hit = 0;
        switch (code) {
            case HTCLOSE: hit = CanClose() ? HTCLOSE : 0; break;
            case HTMAXBUTTON: {
                const bool canMaximize = !::IsZoomed(wnd) && (BorderKind == 1 || BorderKind == 3 || BorderKind == 5);
                hit = canMaximize || ::IsZoomed(wnd) || ::IsIconic(wnd) ? HTMAXBUTTON : HTCAPTION;
                break;
            }
            case HTMINBUTTON: hit = HTMINBUTTON; break;  // the box is there; an iconic window restores
            default: hit = HTHELP; break;
        }
        if (hit != HTCAPTION && hit != 0) SetHotButton(int(hit));
        return hit;
    }
    return 0;
}

void TSkDialogWnd::SetHotButton(int code) {
    if (hotButton_ == code) return;
    hotButton_ = code;
    cacheValid_ = false;
    if (::IsWindowVisible(WindowHandle())) PaintFrame();
}

HFONT TSkDialogWnd::CaptionFont() {
    if (!captionFont_) {
        LOGFONTW font = SystemCaptionFont();
        captionFont_.Reset(::CreateFontIndirectW(&font));
    }
    return captionFont_.Get();
}

void TSkDialogWnd::PaintCaption(const TImageView32& image, int titleSection, int state) {
    const TSkinTables* skin = SkinManager()->Skin();
    HWND wnd = WindowHandle();
    const int border = BorderWidth(), top = TopOffset();
    int left = border + 4;
    HICON icon = reinterpret_cast<HICON>(::SendMessageW(wnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(wnd, WM_GETICON, ICON_BIG, 0));
    if (icon && (style_ & WS_SYSMENU)) {
        const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
        OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
        SelectObjectScope bitmap(dc.Get(), SkinData()->CacheImage->Handle());
        ::DrawIconEx(dc.Get(), border, (border + top - cy) / 2, icon, cx, cy, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
        left += cx;
    }
    int buttonsWidth = 0;
    if (style_ & WS_SYSMENU) {
        int count = 0;
        const auto buttons = ButtonsOf(style_, exStyle_, BorderKind, count);
        for (int i = 0; i < count; ++i) {
            const TSkinMaskData* mask = GlyphMask(skin, buttons[size_t(i)].GlyphKind);
            const int w = mask ? MaskFrameSize(*mask).X : 0;
            buttonsWidth += (w > 0 ? w : kDefaultButtonSize) +
                            std::max<int>(0, skin->GlobalInfo.BISpace);
        }
    }
    const std::string text = adapters::GetWndText(wnd);
    const TRect rect{left, border / 2, image.Width - buttonsWidth - std::max(4, border) - 6, top};
    if (text.empty() || IsEmpty(rect)) return;
    UINT format = kCaptionFormat;
    if (exStyle_ & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) format |= DT_RIGHT | DT_RTLREADING;
    WriteSectionText(image, text, true, skin, state, titleSection, format, rect, CaptionFont(), clCaptionText);
}

bool TSkDialogWnd::PrepareCache() {
    TSkinCommonData* data = SkinData();
    const TSkinTables* skin = data ? data->Skin() : nullptr;
    if (!skin) return false;
    RECT wr{};
    ::GetWindowRect(WindowHandle(), &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    if (w <= 0 || h <= 0) return false;
    if (!data->CacheImage) data->CacheImage = std::make_unique<TSkinCacheImage>();
    if (data->CacheImage->Width() != w || data->CacheImage->Height() != h) cacheValid_ = false;
    if (cacheValid_ && !data->BgChanged) return true;
    if (!data->CacheImage->SetSize(w, h)) return false;
    const TImageView32 image = data->CacheImage->View();
    const int section = skin->IsValidSectionIndex(data->SkinIndex) ? data->SkinIndex : skin->SectionIndexOf("FORM");
    if (section >= 0)
        PaintSectionBorders(image, {0, 0, w, h}, {}, skNoBackground, section, 0, -1, -1, *skin);
    else
        FillRect32(image, {0, 0, w, h}, SkinManager()->FormColor(), 255);
    const int top = TopOffset();
    if ((style_ & WS_CAPTION) && top > 0) {
        int titleSection = skin->SectionIndexOf("DIALOGTITLE");
        if (titleSection < 0) titleSection = skin->CommonIndexes[csFormTitle];
        const int state = isActive_ ? 1 : 0;
        if (titleSection >= 0)
            PaintSectionBorders(image, {0, 0, w, top}, {}, skNoBackground, titleSection, state, -1, -1, *skin);
        PaintCaption(image, titleSection, state);
        for (int code : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTHELP}) {
            int glyphKind = -1;
            const TRect r = ButtonRectOf(*this, skin, w, style_, exStyle_, code, &glyphKind);
            const TSkinMaskData* mask = IsEmpty(r) ? nullptr : GlyphMask(skin, glyphKind);
            if (!mask) continue;
            const int buttonState = hotButton_ == code ? (pressed_ ? 2 : 1) : 0;
            DrawMaskState(image, {r.Left, r.Top}, buttonState, MakeBgCacheRefFromBitmap(image, 0, 0), *mask,
                          isActive_ ? 1 : 0, *skin);
        }
    }
    data->BgChanged = false;
    cacheValid_ = true;
    UpdateRegion();
    return true;
}

// The frame's key-coloured corner pixels are cut out of the window.
void TSkDialogWnd::UpdateRegion() {
    const TImageView32 image = SkinData()->CacheImage->View();
    const int w = image.Width, h = image.Height;
    if (w == regionSize_.X && h == regionSize_.Y) return;
    constexpr int kCorner = 8;
    OwnedRegion region(::CreateRectRgn(0, 0, w, h));
    bool cut = false;
    for (const TPoint corner : {TPoint{0, 0}, TPoint{w - kCorner, 0}, TPoint{0, h - kCorner}, TPoint{w - kCorner, h - kCorner}})
        for (int y = std::max(0, corner.Y); y < std::min(h, corner.Y + kCorner); ++y)
            for (int x = std::max(0, corner.X); x < std::min(w, corner.X + kCorner); ++x) {
                if ((GetPixel32(image, x, y) & 0xFFFFFF) != 0xFF00FF) continue;
                OwnedRegion pixel(::CreateRectRgn(x, y, x + 1, y + 1));
                ::CombineRgn(region.Get(), region.Get(), pixel.Get(), RGN_DIFF);
                cut = true;
            }
    regionSize_ = {w, h};
    if (!cut && !regionSet_) return;
    regionSet_ = cut;
    ::SetWindowRgn(WindowHandle(), cut ? region.Release() : nullptr, ::IsWindowVisible(WindowHandle()));
}

void TSkDialogWnd::PaintFrame() {
    HWND wnd = WindowHandle();
    if (!PrepareCache()) return;
    const TSkinCacheImage& cache = *SkinData()->CacheImage;
    WindowDC dc(wnd, WindowDC::WholeWindow{});
    const int border = BorderWidth(), top = TopOffset();
    RECT cr{};
    ::GetClientRect(wnd, &cr);
    ::ExcludeClipRect(dc.Get(), border, top, border + cr.right, top + cr.bottom);
    cache.Draw(dc.Get(), 0, 0, {0, 0, cache.Width(), cache.Height()});
}

void TSkDialogWnd::WndProc(TMessage& m) {
    HWND wnd = WindowHandle();
    // The dialog section may be missing from the skin (the form's then serves).
    if (!SkinManager() || !SkinManager()->SkinActive() || Destroyed()) {
        TSkScrollWnd::WndProc(m);
        return;
    }
    switch (m.Msg) {
        case WM_NCPAINT:
            if (::IsWindowVisible(wnd)) PaintFrame();
            m.Result = 0;
            return;
        case WM_NCACTIVATE:
            if (::IsWindowVisible(wnd)) {
                CallOldProcSilently(m);
                isActive_ = m.WParam != 0;
                cacheValid_ = false;
                PaintFrame();
                m.Result = 1;
                return;
            }
            break;
        case WM_SETTEXT:
        case WM_ENABLE:
            if (::IsWindowVisible(wnd)) {
                CallOldProcSilently(m);
                cacheValid_ = false;
                PaintFrame();
                return;
            }
            break;
        case WM_SHOWWINDOW:
            // The dialog's children exist once it shows (after WM_INITDIALOG).
            if (m.WParam && Provider) Provider->AdaptChildrenOnce();
            break;
        case WM_SIZE:
            cacheValid_ = false;
            CallOldProc(m);
            if (::IsWindowVisible(wnd)) PaintFrame();
            return;
        case WM_PAINT:
            if (SkipClientPaint) {
                PaintDC paint(wnd);
                m.Result = 0;
                return;
            }
            break;
        case WM_ERASEBKGND: {
            HDC dc = reinterpret_cast<HDC>(m.WParam);
            if (dc && PrepareCache()) {
                RECT cr{};
                ::GetClientRect(wnd, &cr);
                const int border = BorderWidth(), top = TopOffset();
                SkinData()->CacheImage->Draw(dc, 0, 0, {border, top, border + cr.right, top + cr.bottom});
                m.Result = 1;
                return;
            }
            break;
        }
        case WM_CTLCOLORDLG: {
            const TColor color = SkinManager()->FormColor();
            if (!brush_ || color != brushColor_) {
                brush_.Reset(::CreateSolidBrush(ColorToRGB(color)));
                brushColor_ = color;
                ++brushesMade_;
            }
            m.Result = reinterpret_cast<LRESULT>(brush_.Get());
            return;
        }
        case WM_NCHITTEST: {
            RECT wr{};
            ::GetWindowRect(wnd, &wr);
            const LRESULT hit = HitTest({short(LOWORD(m.LParam)) - wr.left, short(HIWORD(m.LParam)) - wr.top});
            if (hit == 0 || hit == HTCAPTION) {
                SetHotButton(0);
                CallOldProc(m);
                return;
            }
            m.Result = hit;
            return;
        }
        case WM_NCLBUTTONDOWN:
            if (m.WParam == HTCLOSE || m.WParam == HTMAXBUTTON || m.WParam == HTMINBUTTON || m.WParam == HTHELP) {
                pressed_ = true;
                hotButton_ = int(m.WParam);
                cacheValid_ = false;
                PaintFrame();
                m.Result = 0;
                return;
            }
            break;
        case WM_NCLBUTTONUP:
            if (pressed_) {
                pressed_ = false;
                const int code = int(m.WParam);
                cacheValid_ = false;
                PaintFrame();
                WPARAM command = 0;
                if (code == HTCLOSE && hotButton_ == HTCLOSE) command = SC_CLOSE;
                else if (code == HTMAXBUTTON && hotButton_ == HTMAXBUTTON) command = ::IsZoomed(wnd) ? SC_RESTORE : SC_MAXIMIZE;
                else if (code == HTMINBUTTON && hotButton_ == HTMINBUTTON) command = ::IsIconic(wnd) ? SC_RESTORE : SC_MINIMIZE;
                else if (code == HTHELP && hotButton_ == HTHELP) command = SC_CONTEXTHELP;
                if (command) ::PostMessageW(wnd, WM_SYSCOMMAND, command, 0);
                m.Result = 0;
                return;
            }
            break;
        case WM_NCMOUSELEAVE:
        case WM_MOUSELEAVE:
            pressed_ = false;
            SetHotButton(0);
            break;
        case SKM_SKINCMD:
            if (SkinCommandOf(m.WParam) == SKC_GETBORDERWIDTH) {
                m.Result = BorderWidth();
                return;
            }
            if (SkinCommandOf(m.WParam) == SKC_SKINLOADED) {
                cacheValid_ = false;
                captionFont_.Reset();
            }
            break;
        default: break;
    }
    TSkScrollWnd::WndProc(m);
}

}  // namespace ad::skin::forms
