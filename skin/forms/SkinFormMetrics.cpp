// Frame sizes of skinned windows, from the window style, the system metrics
// and (with an extended-border window) the skin.
#include "skin/forms/SkinFormMetrics.h"

#include "skin/engine/win/skConst.h"
#include "skin/forms/SkBorderForm.h"
#include "skin/forms/SkinProvider.h"

namespace ad::skin::forms {

const TSkSystemFrame& SystemFrame() {
    static const TSkSystemFrame frame{::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CXDLGFRAME),
                                      ::GetSystemMetrics(SM_CYCAPTION), ::GetSystemMetrics(SM_CYSMCAPTION),
                                      ::GetSystemMetrics(SM_CXPADDEDBORDER)};
    return frame;
}

const TSkinTables* BorderSkin(const TSkBorderForm* border) { return border ? border->Skin() : nullptr; }

int FormBorderWidth(HWND wnd, const TSkBorderForm* border, bool useSkin) {
    const TSkinTables* skin = BorderSkin(border);
    if (useSkin && skin && skin->GlobalInfo.BorderWidth != 0) return skin->GlobalInfo.BorderWidth;
    const LONG_PTR style = ::GetWindowLongPtrW(wnd, GWL_STYLE);
    if (style & WS_THICKFRAME) {
        // Windows after 7 add the padded border to a sizeable window's frame.
        if (!border || !skin || OSVersionCode() <= 7) return SystemFrame().CxFrame;
        return SystemFrame().CxFrame + SystemFrame().CxPaddedBorder;
    }
    if (style & WS_BORDER) return SystemFrame().CxDlgFrame;
    return 0;
}

int FormTopBorder(HWND wnd, const TSkBorderForm* border, bool useSkin) {
    return border ? 0 : FormBorderWidth(wnd, border, useSkin);
}

int SysCaptionHeightFor(TFormBorderStyle style, bool iconic) {
    const bool tool = style == TFormBorderStyle::bsToolWindow || style == TFormBorderStyle::bsSizeToolWin;
    return tool && !iconic ? SystemFrame().CySmCaption : SystemFrame().CyCaption;
}

int SysCaptionHeight(TForm* form) {
    const bool iconic = form->HandleAllocated() && ::IsIconic(form->Handle());
    return SysCaptionHeightFor(form->BorderStyle, iconic);
}

int SkinTitleHeight(const TSkBorderForm* border, bool ownerZoomed) {
    const TSkinTables* skin = BorderSkin(border);
    if (!skin) return 0;
    return ownerZoomed ? skin->GlobalInfo.MaxHeight : skin->GlobalInfo.TitleHeight;
}

int SkinBorderWidth(const TSkBorderForm* border) {
    const TSkinTables* skin = BorderSkin(border);
    return skin ? skin->GlobalInfo.BorderWidth : 0;
}

// What a border window adds to the title and the sides; 0 without one.
int ExtraTitleHeight(const TSkBorderForm* border) {
    if (!border) return 0;
    TSkinProvider& owner = border->Owner();
    return owner.CaptionHeight(true) - owner.CaptionHeight(false) - FormBorderWidth(owner.Wnd(), border, false);
}

int ExtraBorderWidth(const TSkBorderForm* border) {
    if (!border) return 0;
    HWND wnd = border->Owner().Wnd();
    return FormBorderWidth(wnd, border, true) - FormBorderWidth(wnd, border, false);
}

int IconSizeFor(int h) {
    if (h <= 8) return h >= -100 ? 1 : 32;
    if (h <= 16) return 8;
    if (h <= 33) return 16;
    if (h <= 48) return 24;
    return 32;
}

LOGFONTW SystemCaptionFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font{};
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font = metrics.lfCaptionFont;
    else
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

}  // namespace ad::skin::forms
