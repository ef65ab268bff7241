// The provider's painting: the whole window image (frame, title, icon,
// caption text, grip and caption buttons) composed once into the cache of
// its skin data, and the handlers' copying of that image to the window. A
// caption button that changes state is repainted alone from the saved
// button-row background, directly or as a short fade on the engine's timer.
#include "skin/forms/SkinProvider.h"
#include "skin/forms/SkBorderForm.h"

#include <algorithm>

#include "base/Geometry.h"
#include "framework/Menus.h"

#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/image/SkinUtils.h"
#include "skin/engine/paint/SkinDataRules.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/paint/SkinSectionPaint.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinControlBorder.h"
#include "skin/engine/win/SkinDataPaint.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/win/SkinText.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkinFormMetrics.h"
#include "skin/forms/SkinFormServices.h"
#include "skin/forms/SkinTitleBar.h"

namespace ad::skin::forms {

namespace {

// The caption text's DrawText flags: one line, centred vertically, cut with
// an ellipsis, no prefix characters.
constexpr UINT kCaptionTextFlags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
// Steps of a caption button's fade and their interval.
constexpr int kButtonFadeSteps = 10;
constexpr unsigned kButtonFadeInterval = 10;

// A memory DC with a cache image's bitmap selected, for the GDI drawing into it.
class TImageDC {
public:
    explicit TImageDC(const TSkinCacheImage& image)
        : dc_(::CreateCompatibleDC(nullptr)), select_(dc_.Get(), image.Handle()) {}
    HDC Get() const { return dc_.Get(); }

private:
    OwnedMemoryDC dc_;
    SelectObjectScope select_;
};

// sourceRect of source copied as it is (alpha too) to target at point; clipped to both.
void CopyPixels(const TImageView32& target, TPoint point, const TImageView32& source, const TRect& sourceRect) {
    for (int y = sourceRect.Top; y < sourceRect.Bottom; ++y) {
        const int ty = point.Y + y - sourceRect.Top;
        if (y < 0 || y >= source.Height || ty < 0 || ty >= target.Height) continue;
        for (int x = sourceRect.Left; x < sourceRect.Right; ++x) {
            const int tx = point.X + x - sourceRect.Left;
            if (x < 0 || x >= source.Width || tx < 0 || tx >= target.Width) continue;
            SetPixel32(target, tx, ty, GetPixel32(source, x, y));
        }
    }
}

// The icon the title shows for a form window: its own, the application
// window's, else the system's application icon.
HICON TitleIconOf(HWND wnd, bool big) {
    const WPARAM kind = big ? ICON_BIG : ICON_SMALL;
    auto ask = [&](HWND w) -> HICON {
        if (!w) return nullptr;
        DWORD_PTR answer = 0;
        if (!::SendMessageTimeoutW(w, WM_GETICON, kind, 0, SMTO_ABORTIFHUNG, 100, &answer) || !answer)
            if (!::SendMessageTimeoutW(w, WM_GETICON, big ? ICON_SMALL : ICON_BIG, 0, SMTO_ABORTIFHUNG, 100, &answer))
                return nullptr;
        return reinterpret_cast<HICON>(answer);
    };
    if (HICON icon = ask(wnd)) return icon;
    if (Application)
        if (HICON icon = ask(Application->Handle())) return icon;
    return ::LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
}

}  // namespace

// ---- Helpers of the painting ----

int TSkinProvider::TitleSectionIndex() {
    const TSkinTables* skin = Skin();
    if (!skin) return -1;
    return skin->IsValidSectionIndex(titleSkinIndex_) ? titleSkinIndex_ : skin->CommonIndexes[csFormTitle];
}

HFONT TSkinProvider::CaptionFont() {
    const TSkinTables* skin = SkinData ? SkinData->Skin() : nullptr;
    const int level = skin ? skin->ScaleLevel : 0;
    if (captionFont_ && captionFontLevel_ == level) return captionFont_.Get();
    LOGFONTW font = SystemCaptionFont();
    font.lfHeight = ScaleIntAtLevel(font.lfHeight, level);
    captionFont_.Reset(::CreateFontIndirectW(&font));
    captionFontLevel_ = level;
    return captionFont_.Get();
}

TRect TSkinProvider::ButtonAreaRect() {
    const int width = FormBorderWidth(form_->Handle(), borderForm_.get(), true) + ButtonsWidth() + ShadowMargins().Right + 10;
    const int imageWidth = SkinData->CacheImage ? SkinData->CacheImage->Width() : ImageWidth();
    const int height = TopBorderTotal(false) + CaptionHeight(true) + MenuLineHeight() * std::max(0, MenuLineCount()) +
                       ShadowMargins().Top;
    return {std::max(0, imageWidth - width), 0, imageWidth, height};
}

bool TSkinProvider::PlainSection() const {
    return SkinData && (SkinData->StateFlags & kSeeThrough) && !(SkinData->StateFlags & kSeeThroughUnknown);
}

bool TSkinProvider::CacheUsable() const {
    return SkinData && SkinData->CacheImage && !SkinData->CacheImage->Empty();
}

// ---- The cache image ----

bool TSkinProvider::CacheSizeChanged() {
    if (!SkinData || !SkinData->CacheImage) return true;
    return SkinData->CacheImage->Width() != ImageWidth() || SkinData->CacheImage->Height() != ImageHeight();
}

bool TSkinProvider::PrepareCache() {
    if (!form_ || !SkinData || form_->Destroying() || !form_->HandleAllocated()) return true;
    if (formState_ & (kFsBlendMoving | kFsHideImage)) return true;
    const TSkinTables* skin = SkinData->Skin();
    if (!skin || !skin->IsValidSectionIndex(SkinData->SkinIndex)) return true;
    HWND wnd = form_->Handle();

    // 1. Geometry.
    const int top = FormTopBorder(wnd, borderForm_.get(), false);
    const int caption = CaptionHeight(true);
    const TSkShadowMargins shadow = ShadowMargins();
    const int titleBottom = top + caption + shadow.Top;
    const int w = ImageWidth(), h = ImageHeight();
    const int state = ClampSectionState(*skin, SkinData->SkinIndex, formActive_);
    const bool softBorders = borderForm_ && skin->GlobalInfo.BorderMode == 1;

    // 2. The image, made or resized.
    if (!SkinData->CacheImage) {
        SkinData->CacheImage = std::make_unique<TSkinCacheImage>();
        SkinData->StateFlags |= kSeeThroughUnknown;
        SkinData->UpdateSeeThrough(false);
        if (!SkinData->Loading) {
            TMessage m{SKM_SKINCMD, SkinCommandWParam(SKC_SKINSTATE), 1, 0};
            BroadcastToChildren(form_, m);
        }
    }
    if (SkinData->CacheImage->Width() != w || SkinData->CacheImage->Height() != h) {
        SkinData->CacheImage->SetSize(w, h);
        SkinData->BgChanged = true;
    }
    const TImageView32 image = SkinData->CacheImage->View();
    if (image.Empty()) return true;

    // 4. The composition, when the background changed.
    if (SkinData->BgChanged) {
        LayoutTitle();
        TSkBgCacheRef background = skNoBackground;
        if (form_->Parent()) {
            const TSkParentBgRequest request = SkinData->AskParentBg();
            if (request.Kind == pbNotReady) {
                SkinData->Updating = true;
                return false;
            }
            background = MakeBgCacheRef(request);
        }
        const TRect inner{shadow.Left, shadow.Top, w - shadow.Right, h - shadow.Bottom};
        const int formSection = SkinData->SkinIndex;
        if (PlainSection()) {
            // A form of a plain section: its colour (the client area is filled
            // with it too, so the image stays the window's) and its border.
            FillRect32(image, inner, FormColor(), 255);
            TRect unused;
            if (!softBorders) PaintControlBorder(nullptr, inner, BorderWidthTotal(true), unused, state, *SkinData);
        } else if (HasBorder() || form_->Parent()) {
            PaintStateCorners(*SkinData, background, true, SkinData->HotPatternIndex, SkinData->PatternIndex, image,
                              {0, 0}, inner, state);
        } else {
            // A borderless form: its section's body, no frame.
            PaintDataSectionBody(*SkinData, background, state, image, {0, 0}, inner);
        }

        if (!softBorders && caption > 0) {
            const int titleSection = TitleSectionIndex();
            const bool iconicSmall = IsIconic() && !IsMainForm();
            const TRect title{inner.Left, inner.Top, inner.Right, iconicSmall ? inner.Bottom : titleBottom};
            PaintSectionBorders(image, title, {0, 0}, background, titleSection,
                                ClampSectionState(*skin, titleSection, formActive_), -1, -1, *skin);
            if (FormHeader.AdditionalHeight > 0 && skin->IsValidSectionIndex(headerSkinIndex_))
                PaintSectionBackground(image, {inner.Left, inner.Top, inner.Right,
                                               std::min(inner.Bottom, titleBottom + FormHeader.AdditionalHeight)},
                                       {0, 0}, background, headerSkinIndex_,
                                       ClampSectionState(*skin, headerSkinIndex_, formActive_), kNoCustomColor, -1, -1,
                                       *skin);
            PaintTitleIcon();
            if (SysButtonCount() > 0)
                if (const int bar = skin->FindMaskInSection(formSection, "TITLEBAR"); skin->IsValidMaskIndex(bar)) {
                    const TSkinMaskData& mask = skin->Mask(bar);
                    DrawMaskNineGrid(image, {w - (mask.WL + mask.WR + ButtonsWidth()), 0, w, top + caption},
                                     skNoBackground, false, state, mask, *skin);
                }
        }
        if (HasMenuLine() && MenuVisible() && MenuLineHeight() > 0 && drawNonClientArea_) {
            int lineSection = skin->SectionIndexOf(menuLineSkin_.empty() ? "MENULINE" : menuLineSkin_);
            if (lineSection < 0) lineSection = skin->CommonIndexes[csMenuLine];
            const int lines = std::max(0, MenuLineCount());
            PaintSectionBackground(image, {inner.Left, titleBottom, inner.Right,
                                           std::min(inner.Bottom, titleBottom + lines * MenuLineHeight() + 1)},
                                   {0, 0}, background, lineSection, 0, kNoCustomColor, -1, -1, *skin);
            PaintMenuLineItems(image, lineSection);
        }
        if (caption > 0) PaintCaptionText(image, ClampSectionState(*skin, TitleSectionIndex(), formActive_));
        if (borderForm_) borderForm_->PaintBorderImage(image, formActive_);
        if (GripMode == gmRightBottom && !IsZoomed() && IsSizeable() && !SkinData->Updating)
            if (const int grip = skin->CommonMasks.GripImage; skin->IsValidMaskIndex(grip))
                DrawMaskState(image, GripPosition(), 0, MakeBgCacheRefFromBitmap(image, 0, 0), skin->Mask(grip), 1,
                              *skin);
        if (caption > 0 && drawNonClientArea_) {
            SaveButtonArea(w, false);
            PaintCaptionButtons(w);
        }
    }

    // 5. The form's own painting, once, on the image.
    framePending_ = false;
    SkinData->BgChanged = false;
    if (form_->OnPaint && !SkinData->Updating) {
        TImageDC dc(*SkinData->CacheImage);
        ::SetViewportOrgEx(dc.Get(), ClientOffsetX(), ClientOffsetY(), nullptr);
        form_->Canvas.SetHandle(dc.Get());
        form_->OnPaint(form_);
        form_->Canvas.SetHandle(nullptr);
        ::GdiFlush();
    }
    // 6. The children's outer effects.
    if (TSkinManager* manager = SkinData->SkinManager(); manager && manager->Effects.AllowOuterEffects)
        SkinData->PaintChildShadows(form_, {ClientOffsetX(), ClientOffsetY()});
    imageReady_ = true;
    SkinData->Updating = false;
    return true;
}

void TSkinProvider::PaintCaptionText(const TImageView32& image, int state) {
    const TSkinTables* skin = SkinData->Skin();
    if (!skin) return;
    const bool withBar = TitleBar() != nullptr;
    const bool showCaption = withBar ? TitleBarShowsCaption() : AddedTitle.ShowMainCaption;
    const std::string text = showCaption ? form_->Caption() : std::string();
    if (text.empty() && AddedTitle.Text.empty()) return;
    const TSkShadowMargins shadow = ShadowMargins();
    const int titleSection = TitleSectionIndex();
    const bool textSection = skin->IsValidSectionIndex(captionSkinIndex_);
    TRect rect{iconRect_.Right + 4 + (textSection ? 2 : 0), 0, image.Width - ButtonsWidth() - shadow.Right - 12, 0};
    if (withBar) rect = TRect{titleBarTextLeft_, 0, titleBarTextRight_, 0};
    if (rect.Right <= rect.Left) return;

    HFONT font = CaptionFont();
    const TSize textSize = MeasureFontText(font, text.empty() ? std::string("W") : text, kCaptionTextFlags, 0, false);
    int textHeight = textSize.cy;
    TSize addedSize{};
    if (!AddedTitle.Text.empty()) {
        addedSize = MeasureFontText(AddedTitle.Font.Handle(), AddedTitle.Text, kCaptionTextFlags, 0, false);
        textHeight = std::max(textHeight, addedSize.cy);
    }
    rect.Top = titleCentreY_ - textHeight / 2;
    rect.Bottom = rect.Top + textHeight;

    // Alignment within the rectangle (the text keeps its start when it does not
    // fit), mirrored on a right-to-left form.
    TAlignment alignment = captionAlignment_;
    if (form_->UseRightToLeftAlignment() && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    const UINT flags = kCaptionTextFlags | (form_->UseRightToLeftReading() ? DT_RTLREADING : 0);
    const int available = rect.Right - rect.Left;
    const int wanted = (text.empty() ? 0 : textSize.cx) + (addedSize.cx > 0 ? addedSize.cx + 4 : 0);
    if (alignment == taRightJustify && wanted < available)
        rect.Left = rect.Right - wanted;
    else if (alignment == taCenter && wanted < available)
        rect.Left = std::max(rect.Left, (image.Width - wanted) / 2);

    if (!text.empty()) {
        TRect textRect = rect;
        if (textSection)
            PaintSectionBackground(image, {textRect.Left - 4, textRect.Top - 2, textRect.Right + 4, textRect.Bottom + 2},
                                   {0, 0}, MakeBgCacheRefFromBitmap(image, 0, 0), captionSkinIndex_,
                                   ClampSectionState(*skin, captionSkinIndex_, formActive_), kNoCustomColor, -1, -1, *skin);
        if (skin->IsValidSectionIndex(titleSection)) {
            const TSkinGenState& look = skin->Section(titleSection).Props[size_t(state)];
            if (look.GlowSize > 0)
                PaintTextGlow(image, text, textRect, captionGlowMasks_[size_t(std::clamp(state, 0, 1))], look.GlowColor,
                              std::min(look.GlowSize, 48), 0, flags, font);
        }
        WriteSectionText(image, text, true, skin, state, titleSection, flags, textRect, font,
                         skin->GlobalInfo.FontColor);
    }
    if (!AddedTitle.Text.empty()) {
        const int left = text.empty() ? rect.Left : std::min(rect.Right, rect.Left + textSize.cx + 4);
        TColor color = AddedTitle.Font.Color();
        if (skin->IsValidSectionIndex(titleSection)) {
            const auto& props = skin->Section(titleSection).Props;
            if (color == TColor(0x1FFFFFFF) || color == clWindowText)
                color = props[size_t(state)].FontColor;
            else if (state == 0)
                color = TColor(BlendTwoColors(uint32_t(color), uint32_t(props[0].Color), 127));
        }
        WriteTextToBitmap(image, AddedTitle.Text, true, false, color, flags, {left, rect.Top, rect.Right, rect.Bottom},
                          AddedTitle.Font.Handle());
    }
}

void TSkinProvider::PaintMenuLineItems(const TImageView32& image, int lineSection) {
    TMainMenu* menu = form_->Menu();
    HWND wnd = Wnd();
    if (!menu || !wnd) return;
    HMENU bar = menu->Handle();
    if (!bar) return;
    if (!menuFont_) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            menuFont_.Reset(::CreateFontIndirectW(&metrics.lfMenuFont));
    }
    const TSkinTables& skin = *Skin();
    const TPoint origin = WindowOrigin();
    const TSkShadowMargins shadow = ShadowMargins();
    TMenuItem& items = menu->Items();
    // A maximised MDI child's system menu sits in front of the items (a bitmap entry).
    int first = 0;
    for (; first < 2; ++first) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        if (!::GetMenuItemInfoW(bar, UINT(first), TRUE, &info) || !(info.fType & MFT_BITMAP)) break;
    }
    // Each top item's caption where the system places it on the bar, in the
    // line's colours (greyed when disabled).
    for (int i = 0; i < items.Count(); ++i) {
        RECT r{};
        if (!::GetMenuItemRect(wnd, bar, UINT(first + i), &r)) continue;
        const TRect rect{r.left - origin.X + shadow.Left, r.top - origin.Y + shadow.Top, r.right - origin.X + shadow.Left,
                         r.bottom - origin.Y + shadow.Top};
        const TMenuItem* item = items.Items(i);
        if (item->Caption.empty() || item->Caption == "-") continue;
        WriteSectionText(image, item->Caption, true, &skin, 0, item->Enabled ? lineSection : -1,
                         DT_SINGLELINE | DT_VCENTER | DT_CENTER, rect, menuFont_.Get(),
                         item->Enabled ? skin.GlobalInfo.FontColor : clGrayText);
    }
}

// ---- Title icon ----

void TSkinProvider::PaintTitleIcon() {
    if (!CacheUsable() || !ShowsTitleIcon() || IsEmpty(iconRect_)) return;
    const TImageView32 image = SkinData->CacheImage->View();
    const TRect r = iconRect_;
    if (TitleIcon.Glyph && !(TitleIcon.Glyph->Width() == 0)) {
        const TImageView32 glyph = TitleIcon.Glyph->View();
        BlendRectOver(r, {0, 0, std::min(glyph.Width, r.Right - r.Left), std::min(glyph.Height, r.Bottom - r.Top)},
                      image, false, skNoBackground, glyph);
        return;
    }
    // The icon drawn by the system; the pixels it changed become opaque.
    const int iw = r.Right - r.Left, ih = r.Bottom - r.Top;
    std::vector<uint32_t> before(size_t(iw) * size_t(ih));
    for (int y = 0; y < ih; ++y)
        for (int x = 0; x < iw; ++x)
            if (r.Left + x < image.Width && r.Top + y < image.Height && r.Top + y >= 0)
                before[size_t(y * iw + x)] = GetPixel32(image, r.Left + x, r.Top + y);
    {
        TImageDC dc(*SkinData->CacheImage);
        ::DrawIconEx(dc.Get(), r.Left, r.Top, TitleIconOf(form_->Handle(), ih > 16), iw, ih, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
    }
    for (int y = 0; y < ih; ++y)
        for (int x = 0; x < iw; ++x) {
            const int px = r.Left + x, py = r.Top + y;
            if (px < 0 || py < 0 || px >= image.Width || py >= image.Height) continue;
            if (GetPixel32(image, px, py) != before[size_t(y * iw + x)]) image.Pixel(px, py)[3] = 255;
        }
}

// ---- Caption buttons ----

bool TSkinProvider::ElementEnabled(const TSkCaptionElement& element) {
    if (!systemMenu_) return true;
    if (&element == &elements_[ceClose]) return systemMenu_->CloseEnabled();
    if (&element == &elements_[ceMax]) return IsZoomed() ? systemMenu_->RestoreEnabled() : systemMenu_->MaxEnabled();
    if (&element == &elements_[ceMin]) return IsIconic() ? systemMenu_->RestoreEnabled() : systemMenu_->MinEnabled();
    return true;
}

int TSkinProvider::GlyphMaskOf(int glyphKind) {
    const TSkinTables* skin = SkinData ? SkinData->Skin() : nullptr;
    if (!skin || glyphKind < 0 || glyphKind >= kSkinTitleButtonCount) return -1;
    if (glyphKind == tbTitleButton && skin->IsValidMaskIndex(titleButtonMask_)) return titleButtonMask_;
    const int mask = skin->CommonMasks.TitleButtons[size_t(glyphKind)];
    return skin->IsValidMaskIndex(mask) ? mask : -1;
}

void TSkinProvider::DrawCaptionElement(const TImageView32& image, const TRect& rect, int glyphKind, int state,
                                       bool running, bool enabled) {
    const int maskIndex = GlyphMaskOf(glyphKind);
    if (maskIndex < 0 || IsEmpty(rect)) return;
    const TSkinTables& skin = *SkinData->Skin();
    const int drawn = running ? 0 : state;
    const bool inactiveLook = (drawn == 0 || running) && (!formActive_ || !enabled);
    DrawMaskState(image, {rect.Left, rect.Top}, drawn, MakeBgCacheRefFromBitmap(image, 0, 0), skin.Mask(maskIndex),
                  inactiveLook ? 0 : 1, skin);
}

void TSkinProvider::DrawTitleButtonGlyph(const TImageView32& image, const TSkinTitleButton& button) {
    if (!button.Glyph || (button.Glyph->Width() == 0) || IsEmpty(button.Rect)) return;
    const TImageView32 glyph = button.Glyph->View();
    const int shift = button.State == 2 ? 1 : 0;
    const int x = button.Rect.Left + (button.Rect.Right - button.Rect.Left - glyph.Width) / 2 + shift;
    const int y = button.Rect.Top + (button.Rect.Bottom - button.Rect.Top - glyph.Height) / 2 + shift;
    BlendRectOver({x, y, x + glyph.Width, y + glyph.Height}, {0, 0, glyph.Width, glyph.Height}, image, false,
                  skNoBackground, glyph);
}

void TSkinProvider::PaintCaptionButtons(int imageWidth) {
    (void)imageWidth;
    if (!CacheUsable() || !SkinData->Skin()) return;
    const TImageView32 image = SkinData->CacheImage->View();
    for (TSkCaptionElementId id : {ceClose, ceMax, ceMin, ceHelp}) {
        TSkCaptionElement& e = elements_[size_t(id)];
        const bool running = e.Animation && e.Animation->Enabled();
        DrawCaptionElement(image, e.Rect, e.GlyphKind, e.State, running, ElementEnabled(e));
    }
    for (TSkinTitleButton& b : TitleButtons) {
        if (!b.Visible || IsEmpty(b.Rect)) continue;
        const bool running = b.Animation && b.Animation->Enabled();
        if (b.UseSkinData) DrawCaptionElement(image, b.Rect, tbTitleButton, b.State, running, b.Enabled);
        DrawTitleButtonGlyph(image, b);
    }
    PaintTitleBarItems(image);
    PaintMDIButtons(image);
}

void TSkinProvider::SaveButtonArea(int imageWidth, bool flag) {
    (void)imageWidth;
    (void)flag;
    if (!CacheUsable()) return;
    buttonAreaRect_ = ButtonAreaRect();
    CopyImageRect(buttonArea_, *SkinData->CacheImage, buttonAreaRect_);
}

void TSkinProvider::RestoreButtonArea(int imageWidth) {
    (void)imageWidth;
    if (!CacheUsable() || !buttonArea_ || buttonArea_->Empty()) return;
    RestoreButtonBackground(buttonAreaRect_);
}

void TSkinProvider::RestoreButtonBackground(const TRect& rect) {
    if (!CacheUsable() || !buttonArea_ || buttonArea_->Empty()) return;
    const TRect r = IntersectRects(rect, buttonAreaRect_);
    if (IsEmpty(r)) return;
    CopyPixels(SkinData->CacheImage->View(), {r.Left, r.Top}, buttonArea_->View(),
               OffsetRectXY(r, -buttonAreaRect_.Left, -buttonAreaRect_.Top));
}

bool TSkinProvider::CaptionElementOf(int id, TRect& rect, int& glyphKind, int& state, bool& enabled,
                                     std::unique_ptr<TSkThreadedTimer>*& animation) {
    if (TSkCaptionElement* e = ElementByCode(id)) {
        if (id >= kHitMdiClose && id <= kHitMdiMinimize) return false;  // the MDI line's buttons
        rect = e->Rect;
        glyphKind = e->GlyphKind;
        if (e == &elements_[ceMax] && IsZoomed()) glyphKind = LargeCaptionButtons() ? tbNorm : tbSmallNorm;
        state = e->State;
        enabled = ElementEnabled(*e);
        animation = &e->Animation;
        return true;
    }
    const int index = id - kHitTitleButton;
    if (id >= kHitTitleButton && index < int(TitleButtons.size())) {
        TSkinTitleButton& b = TitleButtons[size_t(index)];
        if (!b.Visible) return false;
        rect = b.Rect;
        glyphKind = b.UseSkinData ? tbTitleButton : tbUnused;
        state = b.State;
        enabled = b.Enabled;
        animation = &b.Animation;
        return true;
    }
    return false;
}

bool TSkinProvider::CaptionFadeAllowed(int id) {
    if (id >= kHitMdiClose && id <= kHitMdiMinimize) return false;
    TSkinManager* manager = SkinData ? SkinData->SkinManager() : nullptr;
    if (!manager || !manager->Effects.AllowAnimation || ProviderNoAnimation()) return false;
    return (manager->Effects.AllowGlowing || borderForm_) && formState_ == 0 && !form_->Parent();
}

void TSkinProvider::PaintCaptionButton(int id) {
    if (!CacheUsable() || !SkinData->Skin() || !form_->HandleAllocated()) return;
    TRect rect;
    int glyphKind = tbUnused, state = 0;
    bool enabled = true;
    std::unique_ptr<TSkThreadedTimer>* animation = nullptr;
    if (!CaptionElementOf(id, rect, glyphKind, state, enabled, animation) || IsEmpty(rect)) return;
    if (rect.Left < iconRect_.Right) return;

    if (CaptionFadeAllowed(id) && animation) {
        StartCaptionFade(id, rect, glyphKind, state, enabled, *animation);
    } else {
        if (animation && *animation) (*animation)->SetEnabled(false);
        const TImageView32 image = SkinData->CacheImage->View();
        RestoreButtonBackground(rect);
        DrawCaptionElement(image, rect, glyphKind, state, false, enabled);
        if (id >= kHitTitleButton && id - kHitTitleButton < int(TitleButtons.size()))
            DrawTitleButtonGlyph(image, TitleButtons[size_t(id - kHitTitleButton)]);
        CopyElementToWindow(rect);
    }
    UpdateCaptionGlow(id, rect, glyphKind, state);
}

void TSkinProvider::CopyElementToWindow(const TRect& rect) {
    if (!form_->HandleAllocated() || !::IsWindowVisible(form_->Handle())) return;
    if (borderForm_) {
        // The caption lies on the border window: it shows the image again.
        borderForm_->ShowImage(255);
        return;
    }
    WindowDC dc(form_->Handle(), WindowDC::WholeWindow{});
    if (!dc.Get()) return;
    const TSkShadowMargins shadow = ShadowMargins();
    const int dx = borderForm_ ? ExtraBorderWidth(borderForm_.get()) + shadow.Left : 0;
    const int dy = borderForm_ ? ExtraTitleHeight(borderForm_.get()) + shadow.Top : 0;
    SkinData->CacheImage->Draw(dc.Get(), rect.Left - dx, rect.Top - dy, rect);
}

void TSkinProvider::StartCaptionFade(int id, const TRect& rect, int glyphKind, int state, bool enabled,
                                     std::unique_ptr<TSkThreadedTimer>& animation) {
    TSkinCacheImage& cache = *SkinData->CacheImage;
    if (!animation) {
        animation = std::make_unique<TSkThreadedTimer>(nullptr);
        animation->SetInterval(kButtonFadeInterval);
    }
    TSkThreadedTimer& timer = *animation;
    timer.SetEnabled(false);
    // The look now (a running fade's last step included) is where the fade starts.
    CopyImageRect(timer.StartImage, cache, rect);
    RestoreButtonBackground(rect);
    DrawCaptionElement(cache.View(), rect, glyphKind, state, false, enabled);
    if (id >= kHitTitleButton && id - kHitTitleButton < int(TitleButtons.size()))
        DrawTitleButtonGlyph(cache.View(), TitleButtons[size_t(id - kHitTitleButton)]);
    CopyImageRect(timer.TargetImage, cache, rect);
    timer.Fade.Counter = 0;
    timer.Fade.StepCount = state == 2 ? 1 : kButtonFadeSteps;
    TSkThreadedTimer* self = &timer;
    timer.SetOnTimer([this, self, rect](TObject*) { CaptionFadeStep(*self, rect); });
    CaptionFadeStep(timer, rect);
    if (timer.Fade.Counter < timer.Fade.StepCount) timer.SetEnabled(true);
}

void TSkinProvider::CaptionFadeStep(TSkThreadedTimer& timer, const TRect& rect) {
    if (!CacheUsable() || !timer.StartImage || !timer.TargetImage) {
        timer.SetEnabled(false);
        return;
    }
    ++timer.Fade.Counter;
    const TImageView32 image = SkinData->CacheImage->View();
    const TRect all{0, 0, rect.Right - rect.Left, rect.Bottom - rect.Top};
    const bool last = timer.Fade.Counter >= timer.Fade.StepCount;
    if (last) {
        // The fade ends exactly on the new look.
        CopyPixels(image, {rect.Left, rect.Top}, timer.TargetImage->View(), all);
    } else {
        BlendImageRect(rect, all, image, false, 0, skNoColor, false, skNoBackground, timer.StartImage->View());
        const int transparency = 100 - 100 * timer.Fade.Counter / std::max(1, timer.Fade.StepCount);
        BlendImageRect(rect, all, image, false, transparency, skNoColor, false, skNoBackground,
                       timer.TargetImage->View());
    }
    CopyElementToWindow(rect);
    if (last) timer.SetEnabled(false);
}

void TSkinProvider::UpdateCaptionGlow(int id, const TRect& rect, int glyphKind, int state) {
    TSkCaptionElement* e = ElementByCode(id);
    if (!e || (id != HTCLOSE && id != HTMAXBUTTON && id != HTMINBUTTON)) return;
    const TSkinTables* skin = SkinData->Skin();
    TSkinManager* manager = SkinData->SkinManager();
    const bool glows = state == 1 && skin && manager && manager->Effects.AllowGlowing && !form_->Parent() &&
                       glyphKind >= 0 && glyphKind < 5 && !skin->CommonMasks.TitleGlows[size_t(glyphKind)].Masks.empty();
    if (!glows) {
        HideGlow(e->GlowIndex, false);
        return;
    }
    RECT window{};
    ::GetWindowRect(form_->Handle(), &window);
    const TRect screen = OffsetRectXY(rect, window.left, window.top);
    HideGlow(e->GlowIndex, false);
    e->GlowIndex = CreateGlow(screen, "GLOBALINFO", kSkinTitleButtonNames[size_t(glyphKind)], SkinData.get(),
                              form_->Handle(), 255, skin->CommonMasks.TitleGlows[size_t(glyphKind)].Margin);
}

void TSkinProvider::RepaintElement(int id) {
    if (TitleBarItemOf(id)) {
        // An item sits on the title's own background: the title is composed again.
        if (SkinData) SkinData->BgChanged = true;
        RepaintFrame();
    } else if (id >= 1) {
        PaintCaptionButton(id);
    }
}

void TSkinProvider::SetHotElement(int id, bool repaint) {
    if (id == hotElement_ || !drawNonClientArea_) return;
    const int previous = hotElement_;
    if (previous > 0) {
        if (TSkCaptionElement* e = ElementByCode(previous)) {
            if (e->State != 2 || !pressed_) e->State = 0;
        } else if (previous >= kHitTitleButton && previous - kHitTitleButton < int(TitleButtons.size())) {
            TitleButtons[size_t(previous - kHitTitleButton)].State = 0;
        } else if (TSkTitleBarItem* item = TitleBarItemOf(previous)) {
            item->MouseState = 0;
            StopTitleItemHint();
            if (item->OnMouseLeave) item->OnMouseLeave(item);
        }
        if (repaint) RepaintElement(previous);
    }
    hotElement_ = id;
    if (pressed_ || id < 1) return;
    if (TSkCaptionElement* e = ElementByCode(id)) {
        e->State = 1;
    } else if (id >= kHitTitleButton && id - kHitTitleButton < int(TitleButtons.size())) {
        TitleButtons[size_t(id - kHitTitleButton)].State = 1;
    } else if (TSkTitleBarItem* item = TitleBarItemOf(id)) {
        item->MouseState = 1;
        if (item->OnMouseEnter) item->OnMouseEnter(item);
        if (TSkTitleBarItem* still = TitleBarItemOf(id)) StartTitleItemHint(*still);
    } else {
        return;
    }
    if (repaint) RepaintElement(id);
}

void TSkinProvider::SetPressedElement(int id) {
    const int previous = hotElement_;
    if (previous != id && previous > 0) {
        if (TSkCaptionElement* e = ElementByCode(previous)) e->State = 0;
        else if (previous >= kHitTitleButton && previous - kHitTitleButton < int(TitleButtons.size()))
            TitleButtons[size_t(previous - kHitTitleButton)].State = 0;
        RepaintElement(previous);
    }
    bool allowed = true;
    if (systemMenu_) {
        if (id == HTMAXBUTTON)
            allowed = systemMenu_->MaxEnabled() || (IsZoomed() && systemMenu_->RestoreEnabled());
        else if (id == HTCLOSE)
            allowed = systemMenu_->CloseEnabled();
    }
    // A maximised child's buttons act on the child: its own style decides.
    if (id == kHitMdiRestore || id == kHitMdiMinimize) allowed = MDIButtonAllowed(id);
    if (id >= kHitTitleButton && id - kHitTitleButton < int(TitleButtons.size()))
        allowed = TitleButtons[size_t(id - kHitTitleButton)].Enabled;
    if (!allowed || id < 1) {
        hotElement_ = 0;
        pressed_ = false;
        return;
    }
    hotElement_ = id;
    if (TSkCaptionElement* e = ElementByCode(id)) e->State = 2;
    else if (id >= kHitTitleButton && id - kHitTitleButton < int(TitleButtons.size()))
        TitleButtons[size_t(id - kHitTitleButton)].State = 2;
    pressed_ = true;
    RepaintElement(id);
}

void TSkinProvider::StopButtonAnimations() {
    for (TSkCaptionElement& e : elements_) e.Animation.reset();
    for (TSkinTitleButton& b : TitleButtons) b.Animation.reset();
}

// ---- Copying the image to the window ----

void TSkinProvider::PaintNonClient() {
    if (!drawNonClientArea_ || !SkinData || !form_->HandleAllocated() || SkinAnimationRunning()) return;
    if (SkinData->PaintLockCount > 0 || (SkinData->StateFlags & kPaintLocked)) return;
    if (!CacheUsable() || SkinData->BgChanged || CacheSizeChanged()) {
        SkinData->BgChanged = true;
        if (!PrepareCache()) return;
    }
    HWND wnd = form_->Handle();
    const LONG style = ::GetWindowLongW(wnd, GWL_STYLE);
    if (regionPending_ && !regionBusy_ && (HasBorder() || (style & WS_CHILD) || IsIconic())) {
        if (!borderForm_) CollectMaskRects();
        UpdateFormRegion(false, true);
    }
    WindowDC dc(wnd, WindowDC::WholeWindow{});
    if (dc.Get()) PaintFrameFromCache(dc.Get());
}

void TSkinProvider::PaintFrameFromCache(HDC dc) {
    if (!SkinData || !dc) return;
    if (framePending_ || !CacheUsable() || SkinData->BgChanged || CacheSizeChanged()) {
        SkinData->BgChanged = true;
        if (!PrepareCache()) return;
    }
    if (!CacheUsable()) return;
    const TSkinCacheImage& cache = *SkinData->CacheImage;
    const int w = cache.Width(), h = cache.Height();
    if (IsIconic() || !form_->HandleAllocated()) {
        cache.Draw(dc, 0, 0, {0, 0, w, h});
        return;
    }
    // With a border window the image is larger than the window: image point
    // (LeftOffset, TopOffset) is the window's origin.
    SavedDCState saved(dc);
    if (borderForm_) ::OffsetViewportOrgEx(dc, -borderForm_->LeftOffset(), -borderForm_->TopOffset(), nullptr);
    // The four strips around the client area, from one memory DC.
    const int cx = ClientOffsetX(), cy = ClientOffsetY();
    const int cw = form_->ClientWidth(), ch = form_->ClientHeight();
    const TRect strips[] = {{0, 0, w, cy}, {0, cy, cx, cy + ch}, {cx + cw, cy, w, cy + ch}, {0, cy + ch, w, h}};
    TImageDC image(cache);
    for (const TRect& s : strips)
        if (!IsEmpty(s))
            ::BitBlt(dc, s.Left, s.Top, s.Right - s.Left, s.Bottom - s.Top, image.Get(), s.Left, s.Top, SRCCOPY);
}

void TSkinProvider::PaintClient(HDC dc, bool repaintChildren) {
    if (!SkinData || !dc) return;
    const int cw = form_->ClientWidth(), ch = form_->ClientHeight();
    if (PlainSection()) {
        // A plain section: its colour (cheaper than the copy), the grip over it.
        TCanvas(dc).FillRect(RECT{0, 0, cw, ch}, FormColor());
        if (GripMode == gmRightBottom && CacheUsable()) {
            SavedDCState saved(dc);
            ::OffsetViewportOrgEx(dc, -ClientOffsetX(), -ClientOffsetY(), nullptr);
            PaintGrip(dc);
        }
        return;
    }
    if (!CacheUsable() || SkinData->BgChanged || CacheSizeChanged()) {
        SkinData->BgChanged = true;
        if (!PrepareCache()) return;
    }
    if (!CacheUsable()) return;
    const int cx = ClientOffsetX(), cy = ClientOffsetY();
    SkinData->CacheImage->Draw(dc, 0, 0, {cx, cy, cx + cw, cy + ch});
    if (repaintChildren && ctrlAdapter_) SendSkinCommand(form_->Handle(), SKC_ENDUPDATEREDRAW);
}

void TSkinProvider::PaintClientMessage(TMessage& m) {
    if (!form_->HandleAllocated()) return;
    if (noPaint_) {
        // Nothing shows while the form is animated away or back, but the paint
        // is taken: a window left invalid gets WM_PAINT again at once, for
        // ever, and the timer that ends the animation would never tick. The
        // animation's end repaints the form.
        if (!m.WParam) ::ValidateRect(form_->Handle(), nullptr);
        return;
    }
    if (m.WParam) {
        PaintClient(reinterpret_cast<HDC>(m.WParam), true);
        return;
    }
    PaintDC paint(form_->Handle());
    // A form showing through its animation is drawn again when the last frame
    // is shown; a paint left unvalidated would come back at once, without end.
    if (showAnimation_) return;
    if (form_->Parent()) SkinData->RefreshUpdating(false);
    if (!paint.Get()) return;
    PaintClient(paint.Get(), true);
    // The form's own painting sees every paint of its window, as it does
    // unskinned (the image holds it only as of its last rebuild).
    if (form_->OnPaint) {
        form_->Canvas.SetHandle(paint.Get());
        form_->OnPaint(form_);
        form_->Canvas.SetHandle(nullptr);
    }
}

void TSkinProvider::PaintClientTo(HDC dc) {
    if (noPaint_ || !dc || form_->Destroying() || !form_->HandleAllocated()) return;
    RECT clip{};
    if (::GetClipBox(dc, &clip) == NULLREGION) return;
    PaintClient(dc, true);  // the grip with it
    PrintChildWindows(form_->Handle(), dc);
}

void TSkinProvider::PaintGrip(HDC dc) {
    const TSkinTables* skin = SkinData ? SkinData->Skin() : nullptr;
    if (!dc || !CacheUsable() || !skin || GripMode != gmRightBottom) return;
    const int grip = skin->CommonMasks.GripImage;
    if (!skin->IsValidMaskIndex(grip)) return;
    const TPoint at = GripPosition();
    const TPoint size = MaskFrameSize(skin->Mask(grip));
    SkinData->CacheImage->Draw(dc, at.X, at.Y, {at.X, at.Y, at.X + size.X, at.Y + size.Y});
}

void TSkinProvider::RepaintFrame() {
    if (!form_ || !SkinData || !form_->HandleAllocated() || !drawNonClientArea_) return;
    if (!::IsWindowVisible(form_->Handle()) || (formState_ & (kFsHideImage | kFsShowing))) return;
    if (!SkinData->IsSkinActive() || SkinData->PaintLockCount > 0) return;
    captionGlowMasks_ = {};
    SkinData->BgChanged = true;
    WindowDC dc(form_->Handle(), WindowDC::WholeWindow{});
    if (dc.Get()) PaintFrameFromCache(dc.Get());
}

// ---- Title cover ----

void TSkinProvider::ShowTitleCover() {
    if (!drawNonClientArea_ || !form_ || !form_->HandleAllocated() || !CacheUsable()) return;
    HWND wnd = form_->Handle();
    if (::IsIconic(wnd) || !::IsWindowVisible(wnd) || (borderForm_ && !HasMenuLine())) return;
    if (SkinData->PaintLockCount > 0 || titleCover_) return;
    titleCover_ = std::make_unique<TSkGlowForm>(Application);
    titleCover_->Tag = kNoSkinTag;
    HWND cover = titleCover_->Handle();
    titleCoverSubclass_ = std::make_unique<TWindowSubclass>(cover, [this](TMessage& m) {
        if (m.Msg != WM_ERASEBKGND && m.Msg != WM_NCPAINT && m.Msg != WM_PAINT) return false;
        if (CacheUsable() && titleCover_) {
            HWND w = titleCover_->Handle();
            if (m.Msg == WM_PAINT) {
                PaintDC paint(w);
                SkinData->CacheImage->Draw(paint.Get(), 0, 0,
                                           {0, 0, SkinData->CacheImage->Width(), SkinData->CacheImage->Height()});
            } else {
                WindowDC dc(w);
                SkinData->CacheImage->Draw(dc.Get(), 0, 0,
                                           {0, 0, SkinData->CacheImage->Width(), SkinData->CacheImage->Height()});
            }
        }
        m.Result = 1;
        return true;
    });
    RECT window{};
    ::GetWindowRect(wnd, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    // The cover shows the frame only: the window less its client area.
    OwnedRegion region(::CreateRectRgn(0, 0, w, h));
    const int cx = ClientOffsetX(), cy = ClientOffsetY();
    OwnedRegion client(::CreateRectRgn(cx, cy, cx + form_->ClientWidth(), cy + form_->ClientHeight()));
    ::CombineRgn(region.Get(), region.Get(), client.Get(), RGN_DIFF);
    if (::SetWindowRgn(cover, region.Get(), FALSE)) region.Release();
    const bool topmost = (::GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    ::SetWindowPos(cover, topmost ? HWND_TOPMOST : HWND_TOP, window.left, window.top, w, h,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    ::RedrawWindow(cover, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void TSkinProvider::HideTitleCover() {
    titleCoverSubclass_.reset();
    titleCover_.reset();
}

}  // namespace ad::skin::forms
