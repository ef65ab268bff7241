// The skinned labels: colours, the shadow's margins, its blur and the
// painting of the shadowed label.
#include "skin/controls/SkinControlPaint.h"
#include "skin/controls/skLabel.h"

#include <algorithm>
#include <cmath>

#include "base/Color.h"
#include "framework/Handles.h"
#include "framework/ParentBackground.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/win/SkinSectionPaintWin.h"
#include "skin/engine/win/SkinText.h"

namespace ad::skin::controls {

namespace {
constexpr uint8_t kDisabledTextWeight = 100;
constexpr double kPi = 3.14159265358979323846;
}  // namespace

// ---- TSkinCustomLabel --------------------------------------------------------------------

TSkinCustomLabel::TSkinCustomLabel(TComponent* AOwner) : TLabel(AOwner) {
    // The label colours itself: the form's provider leaves it alone.
    Tag |= kNoSkinTag;
    SetParentColor(true);
}

TSkinManager* TSkinCustomLabel::SkinManager() const { return manager_ ? manager_ : DefaultManager(); }

void TSkinCustomLabel::SetSkinManager(TSkinManager* manager) {
    if (manager == manager_) return;
    manager_ = manager;
    Invalidate();
}

void TSkinCustomLabel::SetSkinSection(const std::string& value) {
    if (value == skinSection_) return;
    skinSection_ = value;
    Invalidate();
}

bool TSkinCustomLabel::SkinActive() const {
    const TSkinManager* manager = SkinManager();
    return manager && manager->Active() && manager->Skin();
}

int TSkinCustomLabel::SectionIndex() const {
    if (skinSection_.empty() || !SkinActive()) return -1;
    return SkinManager()->Skin()->SectionIndexOf(skinSection_);
}

TColor TSkinCustomLabel::DisabledMix(TColor color) {
    const TColor parent = Parent() ? GetControlColor(Parent()) : TColor(clBtnFace);
    return TColor(BlendTwoColors(ColorToRGB(color), ColorToRGB(parent), kDisabledTextWeight));
}

TColor TSkinCustomLabel::GetLabelColor() {
    if (Enabled() && SkinActive()) return SkinManager()->Skin()->LabelTextColor();
    return DisabledMix(Font().Color());
}

HBRUSH TSkinCustomLabel::CNCtlColor(HDC dc) {
    if (SkinActive() && PaintSectionBackground(dc)) {
        // The section lies under the text: the control paints no background of its own.
        ::SetTextColor(dc, ColorToRGB(GetLabelColor()));
        ::SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    HBRUSH brush = TLabel::CNCtlColor(dc);
    if (SkinActive()) ::SetTextColor(dc, ColorToRGB(GetLabelColor()));
    return brush;
}

bool TSkinCustomLabel::PaintSectionBackground(HDC dc) {
    const int index = SectionIndex();
    if (index < 0 || !HandleAllocated()) return false;
    const TSkinTables& skin = *SkinManager()->Skin();
    if (!skin.IsValidSectionIndex(index)) return false;
    RECT client;
    ::GetClientRect(handle_, &client);
    const TColor parentColour = Parent() ? GetControlColor(Parent()) : Color();
    if (!PaintParentBackground(*this, dc, client)) {
        OwnedBrush brush(::CreateSolidBrush(ColorToRGB(parentColour)));
        ::FillRect(dc, &client, brush.Get());
    }
    const TRect rect{0, 0, client.right, client.bottom};
    TDibSection32 bitmap(std::max(1, rect.Width()), std::max(1, rect.Height()));
    if (PaintSectionOverDC(bitmap, index, -1, dc, parentColour, rect, 0, skin) < 0) return false;
    OwnedMemoryDC memory(::CreateCompatibleDC(dc));
    SelectObjectScope selected(memory.Get(), bitmap.Handle());
    ::BitBlt(dc, 0, 0, rect.Width(), rect.Height(), memory.Get(), 0, 0, SRCCOPY);
    return true;
}

void TSkinCustomLabel::WndProc(TMessage& m) {
    if (m.Msg == CM_MOUSEENTER && OnMouseEnter) OnMouseEnter(this);
    if (m.Msg == SKM_SKINCMD && !Destroying()) {
        const int command = SkinCommandOf(m.WParam);
        if (command == SKC_FINDBGSECTION && SkinActive() && Parent() && skinSection_.empty()) {
            m.Result = ForwardSectionQuery(Parent(), *reinterpret_cast<TSkSectionQuery*>(m.LParam));
            return;
        }
        if (command == SKC_SKINREMOVED || command == SKC_SKINREFRESH || command == SKC_SKINLOADED) Invalidate();
    }
    TLabel::WndProc(m);
    if (m.Msg == CM_MOUSELEAVE && OnMouseLeave) OnMouseLeave(this);
}

// ---- TSkinLabel ----------------------------------------------------------------------------

void TSkinLabel::SetUseSkinColor(bool value) {
    if (value == useSkinColor_) return;
    useSkinColor_ = value;
    Invalidate();
}

TColor TSkinLabel::GetLabelColor() {
    if (!UseSkinColor() || !SkinActive()) return Font().Color();
    TSkinManager* manager = SkinManager();
    const TSkinTables* skin = manager->Skin();
    const int index = ParentSectionForState(this, SectionIndex(), manager, 0);
    const TColor color = skin->IsValidSectionIndex(index) ? skin->Section(index).Props[0].FontColor
                                                          : skin->LabelTextColor();
    return Enabled() ? color : DisabledMix(color);
}

// ---- TSkinEditLabel ------------------------------------------------------------------------

TSkinEditLabel::TSkinEditLabel(TSkinBoundLabel* bound) : TSkinLabel(nullptr), bound_(bound) {}

TSkinEditLabel::~TSkinEditLabel() {
    // A label that goes switches its bound label off.
    if (bound_) bound_->SetActive(false);
}

// ---- Shadow ------------------------------------------------------------------------------

TShadowMargins ShadowMarginsFor(int distance, int blur) {
    return {std::min(0, distance - blur), std::max(0, distance + blur)};
}

void BlurShadowMask(std::vector<uint8_t>& buffer, const std::vector<uint8_t>& mask, int width, int height,
                    int passes) {
    const size_t stride = size_t(width) + 2;
    const size_t need = stride * (size_t(height) + 2);
    if (buffer.size() < need) buffer.resize(2 * need);
    std::fill(buffer.begin(), buffer.end(), uint8_t(0));
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (mask[size_t(y) * size_t(width) + size_t(x)] != 0) buffer[(size_t(y) + 1) * stride + size_t(x) + 1] = 255;
        for (size_t y = 1; y <= size_t(height); ++y)
            for (size_t x = 1; x <= size_t(width); ++x) {
                const size_t i = y * stride + x;
                buffer[i] = uint8_t((buffer[i - stride] + buffer[i + stride] + buffer[i - 1] + buffer[i + 1]) / 4);
            }
    }
}

// ---- TSkinLabelFX --------------------------------------------------------------------------

TSkinLabelFX::TSkinLabelFX(TComponent* AOwner) : TSkinCustomLabel(AOwner) {
    SetAutoSize(false);  // the shadow's margins take part in the size: AdjustBounds
}

void TSkinLabelFX::SetAngle(int value) {
    if (value == angle_) return;
    angle_ = value;
    if (angle_ != 0) SetWordWrap(false);
    AdjustBounds();
    Invalidate();
}

void TSkinLabelFX::SetShadow(const TShadow& shadow) {
    shadow_ = shadow;
    UpdateMargins();
    Invalidate();
}

TSkinLabelFX::TShadow TSkinLabelFX::EffectiveShadow() const {
    if (shadow_.Mode == TSkinShadowMode::smNone) return {0, 0, skNoColor, 0, TSkinShadowMode::smNone};
    // The skin's shadow when it has one (a blur of 0 or more), with the label's strength.
    if (shadow_.Mode == TSkinShadowMode::smSkin1 && SkinActive()) {
        const TSkinGlobalInfo& info = SkinManager()->Skin()->GlobalInfo;
        if (info.Shadow1Blur >= 0)
            return {shadow_.AlphaValue, info.Shadow1Blur, info.Shadow1Color, info.Shadow1Offset, shadow_.Mode};
    }
    return shadow_;
}

SIZE TSkinLabelFX::TextSize() {
    std::wstring text = WideText();
    if (text.empty() || (text == L"&" && ShowAccelChar)) text += L" ";
    WindowDC screen(nullptr);
    SelectObjectScope font(screen.Get(), EffectiveFont().Handle());
    RECT r{0, 0, WordWrap() ? Width() : 0, 0};
    ::DrawTextW(screen.Get(), text.c_str(), -1, &r,
                DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (WordWrap() ? DT_WORDBREAK : 0));
    SIZE size{r.right, r.bottom};
    if (angle_ != 0) {
        const double a = angle_ * kPi / 180;
        size = {LONG(std::lround(std::fabs(std::sin(a)) * r.bottom + std::fabs(std::cos(a)) * r.right)),
                LONG(std::lround(std::fabs(std::cos(a)) * r.bottom + std::fabs(std::sin(a)) * r.right))};
    }
    return size;
}

void TSkinLabelFX::AdjustBounds() {
    if (adjusting_) return;
    const TShadow s = EffectiveShadow();
    const TShadowMargins margins = ShadowMarginsFor(s.Distance, s.BlurCount);
    // The text's place: the bounds less the margins they hold now.
    const int textLeft = Left() - keeper_.LeftTop, textTop = Top() - keeper_.LeftTop;
    const SIZE text = TextSize();
    const int grow = margins.RightBottom - margins.LeftTop;
    adjusting_ = true;
    SetBounds(textLeft + margins.LeftTop, textTop + margins.LeftTop, text.cx + grow, text.cy + grow);
    adjusting_ = false;
    keeper_ = margins;
}

void TSkinLabelFX::UpdateMargins() {
    const TShadow s = EffectiveShadow();
    const TShadowMargins margins = ShadowMarginsFor(s.Distance, s.BlurCount);
    if (margins.LeftTop == keeper_.LeftTop && margins.RightBottom == keeper_.RightBottom) return;
    AdjustBounds();
}

TColor TSkinLabelFX::TextColor() {
    switch (KindType) {
        case TSkinKindType::ktCustom: return KindColor;
        case TSkinKindType::ktStandard: return Font().Color();
        case TSkinKindType::ktSkin: break;
    }
    if (!SkinActive()) return KindColor;
    const TSkinTables* skin = SkinManager()->Skin();
    const int index = SectionIndex();
    return skin->IsValidSectionIndex(index) ? skin->Section(index).Props[0].FontColor : skin->LabelTextColor();
}

void TSkinLabelFX::PaintLabel(HDC target) {
    const int w = Width(), h = Height();
    DibSection32 image(w, h);
    OwnedMemoryDC dc(::CreateCompatibleDC(target));
    if (!image || !dc) return;
    SelectObjectScope selected(dc.Get(), image.Get());
    const RECT all{0, 0, w, h};
    if (!PaintParentBackground(*this, dc.Get(), all)) {
        OwnedBrush brush(::CreateSolidBrush(ColorToRGB(Parent() ? GetControlColor(Parent()) : Color())));
        ::FillRect(dc.Get(), &all, brush.Get());
    }
    const TShadow s = EffectiveShadow();
    const SIZE text = TextSize();
    // The text lies inside the margins, at the top left.
    RECT r{-keeper_.LeftTop, -keeper_.LeftTop, -keeper_.LeftTop + text.cx, -keeper_.LeftTop + text.cy};
    std::wstring caption = WideText();
    const UINT flags = DT_NOCLIP | DT_EXPANDTABS | (WordWrap() ? DT_WORDBREAK : 0) | (ShowAccelChar ? 0 : DT_NOPREFIX);
    SelectObjectScope font(dc.Get(), EffectiveFont().Handle());
    ::SetBkMode(dc.Get(), TRANSPARENT);
    // Rotated text starts inside its turned box.
    int ox = 0, oy = 0;
    if (angle_ != 0) {
        WindowDC screen(nullptr);
        SelectObjectScope f2(screen.Get(), EffectiveFont().Handle());
        RECT plain{0, 0, 0, 0};
        ::DrawTextW(screen.Get(), caption.c_str(), -1, &plain, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
        const double a = angle_ * kPi / 180, cw = plain.right, ch = plain.bottom;
        ox = int(std::lround((cw - std::cos(a) * cw - std::sin(a) * ch) / 2)) + (text.cx - plain.right) / 2;
        oy = int(std::lround(((1 - std::cos(a)) * ch + cw * std::sin(a)) / 2)) + (text.cy - plain.bottom) / 2;
    }
    auto drawText = [&](HDC into, RECT at, COLORREF colour) {
        ::SetTextColor(into, colour);
        if (angle_ != 0) {
            TRotatedFontSelection rotated(into, EffectiveFont(), angle_ * 10);
            ::SetTextColor(into, colour);
            ::ExtTextOutW(into, at.left + ox, at.top + oy, 0, nullptr, caption.c_str(), UINT(caption.size()), nullptr);
        } else {
            ::DrawTextW(into, caption.c_str(), -1, &at, flags);
        }
    };
    if (!Enabled()) {
        RECT moved = r;
        ::OffsetRect(&moved, 1, 1);
        drawText(dc.Get(), moved, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        drawText(dc.Get(), r, ::GetSysColor(COLOR_BTNSHADOW));
    } else {
        if (s.Color != skNoColor && s.BlurCount > 0 && !caption.empty()) {
            // The text's mask, white on black, where the shadow falls.
            DibSection32 maskImage(w, h);
            OwnedMemoryDC maskDC(::CreateCompatibleDC(target));
            std::vector<uint8_t> mask(size_t(w) * size_t(h));
            {
                SelectObjectScope maskSelected(maskDC.Get(), maskImage.Get());
                SelectObjectScope maskFont(maskDC.Get(), EffectiveFont().Handle());
                ::SetBkMode(maskDC.Get(), TRANSPARENT);
                RECT shadowAt = r;
                ::OffsetRect(&shadowAt, s.Distance, s.Distance);
                drawText(maskDC.Get(), shadowAt, RGB(255, 255, 255));
                ::GdiFlush();
                for (size_t i = 0; i < mask.size(); ++i) mask[i] = uint8_t(maskImage.Bits()[i] & 0xFF);
            }
            BlurShadowMask(blur_, mask, w, h, s.BlurCount);
            ::GdiFlush();
            const uint32_t shadowColour = ColorToRGB(s.Color);
            const int sr = int(shadowColour & 0xFF), sg = int((shadowColour >> 8) & 0xFF),
                      sb = int((shadowColour >> 16) & 0xFF);
            for (int y = 0; y < h; ++y) {
                uint32_t* row = image.Row(y);
                for (int x = 0; x < w; ++x) {
                    const int a = blur_[(size_t(y) + 1) * (size_t(w) + 2) + size_t(x) + 1] * s.AlphaValue / 256;
                    const uint32_t px = row[x];
                    const int b = int(px & 0xFF), g = int((px >> 8) & 0xFF), rr = int((px >> 16) & 0xFF);
                    row[x] = uint32_t((b * (255 - a) + sb * a) / 256) | (uint32_t((g * (255 - a) + sg * a) / 256) << 8) |
                             (uint32_t((rr * (255 - a) + sr * a) / 256) << 16);
                }
            }
        }
        drawText(dc.Get(), r, ColorToRGB(TextColor()));
    }
    ::GdiFlush();
    ::BitBlt(target, 0, 0, w, h, dc.Get(), 0, 0, SRCCOPY);
}

void TSkinLabelFX::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT: PaintOnMessage(m, handle_, [this](HDC dc) { PaintLabel(dc); }); return;
        case WM_PRINTCLIENT:
            PaintLabel(reinterpret_cast<HDC>(m.WParam));
            m.Result = 0;
            return;
        case WM_ERASEBKGND: m.Result = 1; return;
        case CM_TEXTCHANGED:
        case CM_FONTCHANGED:
            TSkinCustomLabel::WndProc(m);
            AdjustBounds();
            Invalidate();
            return;
        case SKM_SKINCMD: {
            TSkinCustomLabel::WndProc(m);
            // The skin's shadow came or went: the margins follow it.
            const int command = SkinCommandOf(m.WParam);
            if (!Destroying() && (command == SKC_SKINLOADED || command == SKC_SKINREMOVED)) UpdateMargins();
            return;
        }
        default: break;
    }
    TSkinCustomLabel::WndProc(m);
}

}  // namespace ad::skin::controls
