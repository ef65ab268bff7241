// The provider's metrics: caption and border sizes, where the client area
// lies in the window image, the title layout (icon, caption buttons from the
// right, user title buttons) and the non-client hit test computed from it.
// The hit test runs for every mouse move over the form: it reads the window
// rectangle and cached values only (no cursor or capture queries, no
// allocation).
#include <algorithm>

#include "skin/forms/SkBorderForm.h"
#include "skin/forms/SkinFormMetrics.h"
#include "skin/forms/SkinProvider.h"
#include "skin/forms/SkinTitleBar.h"

namespace ad::skin::forms {

namespace {
constexpr int kFallbackButtonSize = 21;
constexpr int kFallbackMdiButtonSize = 16;

TRect WindowRectOf(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return TRect{r.left, r.top, r.right, r.bottom};
}

int MaskFrameWidth(const TSkinTables* skin, int maskIndex, int fallback) {
    if (!skin || !skin->IsValidMaskIndex(maskIndex)) return fallback;
    return MaskFrameSize(skin->Mask(maskIndex)).X;
}

int MaskFrameHeight(const TSkinTables* skin, int maskIndex, int fallback) {
    if (!skin || !skin->IsValidMaskIndex(maskIndex)) return fallback;
    return MaskFrameSize(skin->Mask(maskIndex)).Y;
}
}  // namespace

HWND TSkinProvider::Wnd() const { return form_ && form_->HandleAllocated() ? form_->Handle() : nullptr; }

LONG_PTR TSkinProvider::Style() const {
    HWND wnd = Wnd();
    return wnd ? ::GetWindowLongPtrW(wnd, GWL_STYLE) : 0;
}

bool TSkinProvider::IsZoomed() {
    HWND wnd = Wnd();
    return wnd && ::IsZoomed(wnd);
}

bool TSkinProvider::IsIconic() {
    HWND wnd = Wnd();
    return wnd && ::IsIconic(wnd);
}

bool TSkinProvider::IsMainForm() { return Application && Application->MainForm == form_; }

bool TSkinProvider::IsSizeable() { return (Style() & WS_THICKFRAME) != 0; }

bool TSkinProvider::HasBorder() {
    return form_ && (form_->BorderStyle != TFormBorderStyle::bsNone || (Style() & WS_CHILD));
}

bool TSkinProvider::HelpShown() const { return form_ && (form_->BorderIcons & biHelp); }

int TSkinProvider::CaptionHeight(bool useSkin) {
    if (!form_) return 0;
    if ((!HasBorder() || (Style() & WS_CAPTION) != WS_CAPTION) && !IsIconic()) return 0;
    const int system = SysCaptionHeight(form_);
    if (!useSkin) return system;
    int h = SkinTitleHeight(borderForm_.get(), IsZoomed());
    if (extendedTitle_) h = std::max(h, system + 4);
    else if (h == 0) h = system;
    return h;
}

int TSkinProvider::TitleHeightOfSkin(bool maximised) {
    const TSkinTables* skin = Skin();
    if (!skin) return SysCaptionHeight(form_);
    const TSkinGlobalInfo& info = skin->GlobalInfo;
    const int maxHeight = info.MaxHeight > 0 ? info.MaxHeight : info.TitleHeight;
    if (maximised || (info.MaxHeight != 0 && IsZoomed())) return maxHeight;
    return info.TitleHeight;
}

int TSkinProvider::ExtraCaptionHeight(bool maximised) {
    return std::max(0, TitleHeightOfSkin(maximised) - SysCaptionHeight(form_) - 4);
}

int TSkinProvider::TitleTopOffset() {
    const TSkShadowMargins shadow = ShadowMargins();
    if (!borderForm_) return IsZoomed() ? 6 : 0;
    const TSkinTables* skin = Skin();
    return shadow.Top + (IsZoomed() ? 4 : (skin ? skin->GlobalInfo.BITop : 0));
}

int TSkinProvider::BorderWidthTotal(bool useSkin) { return FormBorderWidth(Wnd(), borderForm_.get(), useSkin); }

int TSkinProvider::TopBorderTotal(bool useSkin) { return FormTopBorder(Wnd(), borderForm_.get(), useSkin); }

bool TSkinProvider::ExtBordersAllowed() {
    TSkinManager* manager = Manager();
    return manager && manager->ExtendedBorders() && allowExtBorders_ && !IsZoomed();
}

TSkShadowMargins TSkinProvider::ShadowMargins() {
    // Where layered alpha does not blend a shadow would show as an opaque band: none.
    if (!borderForm_ || !TSkBorderForm::LayeredAlphaShows()) return {};
    const TSkinTables* skin = Skin();
    if (!skin) return {};
    const TRect& insets = skin->ExtBorderInsets;
    return {insets.Left, insets.Top, insets.Right, insets.Bottom};
}

int TSkinProvider::ImageWidth() {
    HWND wnd = Wnd();
    if (!wnd) return 0;
    const TSkShadowMargins shadow = ShadowMargins();
    const int own = IsIconic() && !IsMainForm() ? 160 : WindowRectOf(wnd).Width() + 2 * ExtraBorderWidth(borderForm_.get());
    return own + shadow.Left + shadow.Right;
}

int TSkinProvider::ImageHeight() {
    HWND wnd = Wnd();
    if (!wnd) return 0;
    int h = IsIconic() && !IsMainForm() ? TopBorderTotal(false) + CaptionHeight() + 2 : WindowRectOf(wnd).Height();
    if (borderForm_) {
        const TSkShadowMargins shadow = ShadowMargins();
        h += ExtraTitleHeight(borderForm_.get()) + ExtraBorderWidth(borderForm_.get()) + shadow.Top + shadow.Bottom;
    }
    return h;
}

int TSkinProvider::ClientOffsetX() {
    HWND wnd = Wnd();
    if (!wnd) return 0;
    if (borderForm_) return BorderWidthTotal() + ShadowMargins().Left;
    RECT client{};
    ::GetClientRect(wnd, &client);
    return (WindowRectOf(wnd).Width() - client.right) / 2;
}

TPoint TSkinProvider::ClientOffset() const {
    auto* self = const_cast<TSkinProvider*>(this);  // the offsets only read the window and the skin
    return {self->ClientOffsetX(), self->ClientOffsetY()};
}

int TSkinProvider::ClientOffsetY() {
    HWND wnd = Wnd();
    if (!wnd) return 0;
    if (borderForm_)
        return CaptionHeight() + MenuLineCount() * MenuLineHeight() + ShadowMargins().Top +
               (MenuLineHeight() != 0 ? 1 : 0);
    RECT client{};
    ::GetClientRect(wnd, &client);
    int y = WindowRectOf(wnd).Height() - client.bottom;
    if (Style() & WS_BORDER) y -= BorderWidthTotal();
    return y;
}

int TSkinProvider::TitleAreaHeight() {
    HWND wnd = Wnd();
    if (!wnd) return 0;
    if (borderForm_) return CaptionHeight();
    RECT client{};
    ::GetClientRect(wnd, &client);
    int h = WindowRectOf(wnd).Height() - client.bottom;
    if (CaptionHeight() > 0 || (Style() & WS_BORDER)) h -= TopBorderTotal();
    h = std::max(h, 0);
    if (IsIconic()) h += TopBorderTotal();
    return h;
}

bool TSkinProvider::HasMenuLine() {
    if (!form_ || form_->FormStyle() == TFormStyle::fsMDIChild || form_->BorderStyle == TFormBorderStyle::bsDialog)
        return false;
    TMainMenu* menu = form_->Menu();
    return menu && menu->Items().Count() > 0;
}

int TSkinProvider::MenuLineHeight() { return HasMenuLine() ? ::GetSystemMetrics(SM_CYMENU) - 1 : 0; }

bool TSkinProvider::MenuVisible() { return HasMenuLine(); }

int TSkinProvider::MenuLineCount() {
    if (menuLineCount_ >= 0) return menuLineCount_;
    HWND wnd = Wnd();
    TMainMenu* menu = form_ ? form_->Menu() : nullptr;
    if (!wnd || !menu || IsIconic()) return 0;  // not kept: it changes with the state
    RECT item{};
    if (!::GetMenuItemRect(wnd, menu->Handle(), 0, &item)) return 0;
    RECT window{}, client{};
    ::GetWindowRect(wnd, &window);
    ::GetClientRect(wnd, &client);
    // Where the client area starts on the screen, less the frame below it.
    const int t = window.top + (window.bottom - window.top) - client.bottom - TopBorderTotal(false);
    const int b = item.bottom;
    menuLineCount_ = b < t ? (t - b) / (::GetSystemMetrics(SM_CYMENU) - 2) + 1 : 1;
    return menuLineCount_;
}

bool TSkinProvider::ShowsTitleIcon() {
    if (!form_ || !TitleIcon.Visible || !showAppIcon_) return false;
    const bool large = form_->BorderStyle == TFormBorderStyle::bsSingle ||
                       form_->BorderStyle == TFormBorderStyle::bsSizeable;
    return large && systemMenu_ && systemMenu_->HasSystemMenu();
}

int TSkinProvider::TitleIconWidth() {
    if (!ShowsTitleIcon()) return 0;
    if (TitleIcon.Width != 0) return TitleIcon.Width;
    const TSkinTables* skin = Skin();
    const int caption = CaptionHeight();
    const int size = IconSizeFor(caption - (skin ? skin->GlobalInfo.BITop : 0));
    if (TitleIcon.Glyph && TitleIcon.Glyph->Height() > 0 && caption > 0)
        return (size * TitleIcon.Glyph->Width() + caption / 2) / caption;
    return size;
}

int TSkinProvider::TitleIconHeight() {
    if (!ShowsTitleIcon()) return 0;
    if (TitleIcon.Height != 0) return TitleIcon.Height;
    const TSkinTables* skin = Skin();
    return IconSizeFor(CaptionHeight() - (skin ? skin->GlobalInfo.BITop : 0));
}

int TSkinProvider::ButtonWidth(const TSkCaptionElement& element) {
    const TSkinTables* skin = Skin();
    if (!skin || element.GlyphKind < 0 || element.GlyphKind >= kSkinTitleButtonCount) return kFallbackButtonSize;
    return MaskFrameWidth(skin, skin->CommonMasks.TitleButtons[size_t(element.GlyphKind)], kFallbackButtonSize);
}

int TSkinProvider::ButtonHeight() {
    const TSkinTables* skin = Skin();
    return skin ? MaskFrameHeight(skin, skin->CommonMasks.TitleButtons[tbClose], kFallbackButtonSize)
                : kFallbackButtonSize;
}

int TSkinProvider::MDIButtonWidth() {
    const TSkinTables* skin = Skin();
    return skin ? MaskFrameWidth(skin, skin->CommonMasks.TitleButtons[tbSmallClose], kFallbackMdiButtonSize)
                : kFallbackMdiButtonSize;
}

int TSkinProvider::MDIButtonHeight() {
    const TSkinTables* skin = Skin();
    return skin ? MaskFrameHeight(skin, skin->CommonMasks.TitleButtons[tbSmallClose], kFallbackMdiButtonSize)
                : kFallbackMdiButtonSize;
}

int TSkinProvider::TitleButtonWidth(const TSkinTitleButton& button) {
    const int glyph = button.Glyph && button.Glyph->Width() > 0 ? button.Glyph->Width() + 2 : 0;
    const TSkinTables* skin = Skin();
    int mask = kFallbackButtonSize;
    if (skin && skin->IsValidMaskIndex(titleButtonMask_)) {
        const TSkinMaskData& m = skin->Mask(titleButtonMask_);
        mask = m.R.Width() / std::max<int>(1, m.ImageCount);
    }
    return std::max(glyph, mask);
}

int TSkinProvider::SysButtonCount() {
    if (!systemMenu_ || !systemMenu_->HasSystemMenu()) return 0;
    return 3 + (HelpShown() ? 1 : 0) - (systemMenu_->MaxVisible() ? 0 : 1) - (systemMenu_->MinVisible() ? 0 : 1);
}

int TSkinProvider::ButtonsWidth() {
    const TSkinTables* skin = Skin();
    const int space = skin && largeCaptionButtons_ ? skin->GlobalInfo.BISpace : 0;
    int w = (skin ? skin->GlobalInfo.BIRight : 0) + ButtonWidth(Element(ceClose));
    if (systemMenu_ && systemMenu_->MaxVisible()) w += space + ButtonWidth(Element(ceMax));
    if (systemMenu_ && systemMenu_->MinVisible()) w += space + ButtonWidth(Element(ceMin));
    if (HelpShown()) w += space + ButtonWidth(Element(ceHelp));
    if (!TitleButtons.empty()) w += 6;
    // Hidden user buttons count too: the caption text keeps their room free.
    for (const TSkinTitleButton& button : TitleButtons) w += space + TitleButtonWidth(button);
    return w;
}

TPoint TSkinProvider::GripPosition() {
    const TSkinTables* skin = Skin();
    if (!SkinData || !SkinData->CacheImage || SkinData->CacheImage->Empty() || !skin) return TPoint{0, 0};
    const TPoint grip = skin->IsValidMaskIndex(skin->CommonMasks.GripImage)
                            ? MaskFrameSize(skin->Mask(skin->CommonMasks.GripImage))
                            : TPoint{0, 0};
    const TSkShadowMargins shadow = ShadowMargins();
    const int border = BorderWidthTotal();
    return TPoint{SkinData->CacheImage->Width() - grip.X - border - shadow.Right - 1,
                  SkinData->CacheImage->Height() - grip.Y - border - shadow.Bottom - 1};
}

TPoint TSkinProvider::WindowOrigin() {
    HWND wnd = Wnd();
    if (!wnd) return TPoint{0, 0};
    const TRect r = WindowRectOf(wnd);
    return TPoint{r.Left, r.Top};
}

TSkCaptionElement* TSkinProvider::ElementByCode(int code) {
    for (TSkCaptionElement& e : elements_)
        if (e.HitCode == code) return &e;
    return nullptr;
}

// ---- Title layout ----------------------------------------------------------------------

void TSkinProvider::InitCaptionElements() {
    const TSkinTables* skin = Skin();
    if (!skin || !form_) return;
    largeCaptionButtons_ = form_->BorderStyle == TFormBorderStyle::bsSingle ||
                           form_->BorderStyle == TFormBorderStyle::bsSizeable;
    Element(ceMin).HitCode = HTMINBUTTON;
    Element(ceMax).HitCode = HTMAXBUTTON;
    Element(ceClose).HitCode = HTCLOSE;
    Element(ceHelp).HitCode = HTHELP;
    if (largeCaptionButtons_) {
        const bool withOthers = systemMenu_ && (systemMenu_->MaxVisible() || systemMenu_->MinVisible());
        Element(ceMin).GlyphKind = tbMin;
        Element(ceMax).GlyphKind = tbMax;
        Element(ceClose).GlyphKind = withOthers ? tbClose : tbCloseAlone;
        Element(ceHelp).GlyphKind = tbHelp;
    } else {
        Element(ceClose).GlyphKind = tbSmallClose;
        Element(ceMin).GlyphKind = tbSmallMin;
        Element(ceMax).GlyphKind = tbSmallMax;
        Element(ceHelp).GlyphKind = tbSmallHelp;
    }
    for (TSkCaptionElementId id : {ceClose, ceMax, ceMin, ceHelp}) Element(id).Large = largeCaptionButtons_;
    Element(ceMdiClose).HitCode = kHitMdiClose;
    Element(ceMdiRestore).HitCode = kHitMdiRestore;
    Element(ceMdiMin).HitCode = kHitMdiMinimize;
    Element(ceMdiClose).GlyphKind = tbSmallClose;
    Element(ceMdiRestore).GlyphKind = tbSmallMax;
    Element(ceMdiMin).GlyphKind = tbSmallMin;
    titleButtonMask_ = skin->IsValidSectionIndex(titleSkinIndex_)
                           ? skin->FindMaskInSection(titleSkinIndex_, "TITLEBUTTON")
                           : skin->CommonMasks.TitleButtons[tbTitleButton];
}

void TSkinProvider::PlaceElement(TRect& rect, int width, bool large, int& x) {
    const TSkinTables* skin = Skin();
    const int height = ButtonHeight();
    rect.Right = x;
    rect.Left = x - width;
    rect.Top = large && skin && skin->GlobalInfo.BIVAlign == 1 ? titleTop_ : titleCentreY_ - height / 2;
    rect.Bottom = rect.Top + height;
    x = rect.Left - (skin && largeCaptionButtons_ ? skin->GlobalInfo.BISpace : 0);
}

void TSkinProvider::LayoutTitle() {
    if (!form_ || !Wnd()) return;
    const TSkinTables* skin = Skin();
    const TSkinGlobalInfo info = skin ? skin->GlobalInfo : TSkinGlobalInfo{};
    const TSkShadowMargins shadow = ShadowMargins();
    const bool zoomed = IsZoomed();
    const int border = BorderWidthTotal();
    if (borderForm_) {
        titleTop_ = TitleTopOffset();
        titleBottom_ = CaptionHeight() + shadow.Top;
        titleCentreY_ = titleBottom_ - TitleHeightOfSkin(false) / 2;
        if (!zoomed || info.TitleHeight == info.MaxHeight) titleCentreY_ += info.CenterOffset;
    } else {
        titleCentreY_ = CaptionHeight() / 2;
        titleTop_ = zoomed ? SystemFrame().CxFrame - 1 : 0;
        titleBottom_ = TopBorderTotal() + CaptionHeight();
        titleCentreY_ += border / 2;
    }
    if (zoomed) titleCentreY_ += 2;

    iconRect_.Left = border + info.BILeft + shadow.Left;
    if (ShowsTitleIcon()) {
        iconRect_.Right = iconRect_.Left + TitleIconWidth();
        iconRect_.Top = titleCentreY_ - TitleIconHeight() / 2;
        iconRect_.Bottom = iconRect_.Top + TitleIconHeight();
        if (borderForm_ && zoomed && info.TitleHeight != info.MaxHeight)
            iconRect_ = Offset(iconRect_, 0, (info.TitleHeight - info.MaxHeight) / 2 - 2);
    } else {
        iconRect_ = TRect{iconRect_.Left, 0, iconRect_.Left, 0};
    }

    int x = ImageWidth() - info.BIRight - shadow.Right - std::max(4, border);
    if (!largeCaptionButtons_) x += std::min(0, ExtraBorderWidth(borderForm_.get()) - 2);
    const int fullRight = x;
    auto hide = [&](TSkCaptionElementId id) { Element(id).Rect = TRect{x, 0, x, 0}; };
    if (systemMenu_ && systemMenu_->HasSystemMenu()) {
        PlaceElement(Element(ceClose).Rect, ButtonWidth(Element(ceClose)), Element(ceClose).Large, x);
        if (systemMenu_->MaxVisible()) {
            Element(ceMax).GlyphKind = largeCaptionButtons_ ? (zoomed ? tbNorm : tbMax) : (zoomed ? tbSmallNorm : tbSmallMax);
            PlaceElement(Element(ceMax).Rect, ButtonWidth(Element(ceMax)), Element(ceMax).Large, x);
        } else {
            hide(ceMax);
        }
        if (systemMenu_->MinVisible()) {
            const bool iconicSmall = IsIconic() && !IsMainForm();
            Element(ceMin).GlyphKind = largeCaptionButtons_ ? (iconicSmall ? tbNorm : tbMin)
                                                            : (iconicSmall ? tbSmallNorm : tbSmallMin);
            PlaceElement(Element(ceMin).Rect, ButtonWidth(Element(ceMin)), Element(ceMin).Large, x);
        } else {
            hide(ceMin);
        }
        if (HelpShown()) {
            x -= 6;
            PlaceElement(Element(ceHelp).Rect, ButtonWidth(Element(ceHelp)), Element(ceHelp).Large, x);
        } else {
            hide(ceHelp);
        }
    } else {
        for (TSkCaptionElementId id : {ceClose, ceMax, ceMin, ceHelp}) hide(id);
    }
    if (!TitleButtons.empty()) {
        x -= 6;
        for (TSkinTitleButton& button : TitleButtons) {
            if (!button.Visible) {
                button.Rect = TRect{x, 0, x, 0};
                continue;
            }
            button.GlyphKind = button.UseSkinData ? tbTitleButton : tbUnused;
            PlaceElement(button.Rect, TitleButtonWidth(button), largeCaptionButtons_, x);
        }
    }
    titleTextRight_ = x;
    ArrangeTitleBar(x, fullRight);
}

// ---- Hit test --------------------------------------------------------------------------

int TSkinProvider::HitTest(TPoint screenPoint) {
    HWND wnd = Wnd();
    if (!wnd) return HTNOWHERE;
    const TPoint origin = WindowOrigin();
    const int x = screenPoint.X - origin.X, y = screenPoint.Y - origin.Y;
    const TRect window = WindowRectOf(wnd);
    const int width = window.Width(), height = window.Height();
    const bool iconic = IsIconic(), zoomed = IsZoomed();

    if (!borderForm_ && systemMenu_) {
        const TSkinSystemMenu& menu = *systemMenu_;
        auto inside = [&](const TRect& r) { return Contains(r, TPoint{x, y}); };
        int code = HTCLIENT;
        if (inside(Element(ceClose).Rect)) {
            code = menu.CloseEnabled() ? HTCLOSE : HTCAPTION;
        } else if (menu.MaxVisible() && inside(Element(ceMax).Rect)) {
            code = menu.MaxEnabled() || (menu.RestoreEnabled() && !iconic) ? HTMAXBUTTON : HTCAPTION;
        } else if ((menu.MinVisible() || iconic) && inside(Element(ceMin).Rect)) {
            code = menu.MinEnabled() || iconic ? HTMINBUTTON : HTCAPTION;
        } else if (HelpShown() && inside(Element(ceHelp).Rect)) {
            code = HTHELP;
        } else {
            for (size_t i = 0; i < TitleButtons.size(); ++i) {
                const TSkinTitleButton& button = TitleButtons[i];
                if (button.Visible && inside(button.Rect)) {
                    code = button.Enabled ? kHitTitleButton + int(i) : HTCLIENT;
                    break;
                }
            }
            if (code == HTCLIENT) code = TitleBarHitTest(TPoint{x, y});
        }
        if (code != HTCLIENT) return code;
    }

    if (!zoomed && IsSizeable() && !borderForm_) {
        const int b = BorderWidthTotal(true), t = TopBorderTotal(false);
        int code = HTCLIENT;
        if (y > height - b) code = HTBOTTOM;
        else if (y < t) code = HTTOP;
        if (x < b) code = code == HTTOP ? HTTOPLEFT : code == HTBOTTOM ? HTBOTTOMLEFT : HTLEFT;
        else if (x > width - b) code = code == HTTOP ? HTTOPRIGHT : code == HTBOTTOM ? HTBOTTOMRIGHT : HTRIGHT;
        if (code != HTCLIENT) return code;
    }

    const int top = TopBorderTotal(true);
    const int sysCaption = SysCaptionHeight(form_);
    const int caption = CaptionHeight();
    const int menuHeight = MenuLineHeight();
    // The caption band ends where the client (or the menu line) begins: its
    // last row is the menu's only with a menu line, else already the client's.
    if (caption > 0 && y >= 0 && y <= sysCaption + top) {
        const int bandStart = TopBorderTotal(false) + sysCaption;
        if (menuHeight > 0 && y >= bandStart && y <= TopBorderTotal(false) + CaptionHeight(false) + menuHeight)
            return MenuLineHit(TPoint{x, y});
        if (y < top + caption) {
            return Contains(iconRect_, TPoint{x, y}) ? HTSYSMENU : HTCAPTION;
        }
    }
    if (menuHeight > 0 && y >= top + caption && y <= top + caption + MenuLineCount() * menuHeight)
        return MenuLineHit(TPoint{x, y});

    if (GripMode == gmRightBottom && !zoomed && IsSizeable()) {
        const TSkinTables* skin = Skin();
        if (skin && skin->IsValidMaskIndex(skin->CommonMasks.GripImage)) {
            const TPoint grip = GripPosition();
            const TSkShadowMargins shadow = ShadowMargins();
            const int gx = borderForm_ ? grip.X - ExtraBorderWidth(borderForm_.get()) - shadow.Left : grip.X;
            const int gy = borderForm_ ? grip.Y - ExtraTitleHeight(borderForm_.get()) - shadow.Top : grip.Y;
            if (x > gx && y > gy) return HTBOTTOMRIGHT;
        }
    }
    return HTCLIENT;
}

// ---- Limits of a maximised form --------------------------------------------------------

void TSkinProvider::GetMinMaxInfo(MINMAXINFO& info) {
    HWND wnd = Wnd();
    if (!wnd || !drawNonClientArea_ || form_->BorderStyle == TFormBorderStyle::bsNone || form_->Parent()) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const int a = FormBorderWidth(wnd, nullptr, false);
    int h = 0;
    if (borderForm_ && !(IsZoomed() && !ExtBordersAllowed()) && (Style() & WS_CAPTION) == WS_CAPTION) {
        extendedTitle_ = (formState_ & kFsMaximizing) && TitleHeightOfSkin(true) > SysCaptionHeight(form_) + 4;
        h = ExtraCaptionHeight(true);
    }
    const RECT& work = monitor.rcWork;
    info.ptMaxPosition = POINT{-a, h - a};
    info.ptMaxSize = POINT{work.right - work.left + 2 * a, work.bottom - work.top + 2 * a - h};
}

}  // namespace ad::skin::forms
