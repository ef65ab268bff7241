// The provider's side of a form's title bar component: the area it hands the
// bar, the items' hit codes (2000 + index), their painting into the window
// image (section by style, content, drop-down arrow, a disabled item at half
// strength) and the mouse routed to them.
#include <algorithm>

#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/paint/SkinDataRules.h"
#include "skin/engine/paint/SkinSectionPaint.h"
#include "skin/engine/paint/SkinSmallPaint.h"
#include "skin/engine/win/SkinText.h"
#include "skin/engine/win/SkinWindowAnimation.h"
#include "skin/forms/SkinProvider.h"
#include "skin/forms/SkinTitleBar.h"

namespace ad::skin::forms {

namespace {

constexpr UINT kItemTextFlags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;

// The section an item paints with: its own when the skin has it, else by style.
int ItemSection(const TSkinTables& skin, const TSkTitleBarItem& item) {
    if (!item.SkinSection().empty())
        if (const int own = skin.SectionIndexOf(item.SkinSection()); own >= 0) return own;
    switch (item.Style()) {
        case bsButton: {
            const int index = skin.SectionIndexOf("TB_BTN");
            return index >= 0 ? index : skin.SectionIndexOf("TOOLBUTTON");
        }
        case bsMenu: return skin.SectionIndexOf("TB_MENUBTN");
        case bsTab: {
            const int index = skin.SectionIndexOf("TB_TAB");
            return index >= 0 ? index : skin.SectionIndexOf("TABTOP");
        }
        default: return skin.SectionIndexOf("TB_BTN");
    }
}

}  // namespace

TSkTitleBarItem* TSkinProvider::TitleBarItemOf(int code) const {
    TSkinTitleBar* bar = titleBar_.Get();
    const int index = code - kHitTitleBarItem;
    if (!bar || code < kHitTitleBarItem || index >= bar->ItemCount()) return nullptr;
    return bar->Items(index);
}

bool TSkinProvider::TitleBarShowsCaption() const {
    TSkinTitleBar* bar = titleBar_.Get();
    return !bar || bar->ShowCaption();
}

void TSkinProvider::ArrangeTitleBar(int right, int fullRight) {
    TSkinTitleBar* bar = titleBar_.Get();
    if (!bar) return;
    bool leftItems = false;
    for (int i = 0; i < bar->ItemCount(); ++i)
        leftItems = leftItems || (bar->Items(i)->Visible() && bar->Items(i)->Align() == tbaLeft);
    TSkTitleBarArea area;
    area.Left = iconRect_.Right + (ShowsTitleIcon() && leftItems ? 6 : 0);
    area.Right = right - 6;
    area.Top = TitleTopOffset();
    area.Bottom = titleBottom_;
    area.CentreY = titleCentreY_;
    area.TitleWidth = fullRight;
    bar->ArrangeItems(area);
    // The caption text runs between the left items and the right ones.
    int leftEnd = area.Left, rightStart = area.Right;
    for (int i = 0; i < bar->ItemCount(); ++i) {
        const TSkTitleBarItem& item = *bar->Items(i);
        if (!item.Visible()) continue;
        if (item.Align() == tbaLeft) leftEnd = std::max(leftEnd, item.Rect.Right);
        if (item.Align() == tbaRight) rightStart = std::min(rightStart, item.Rect.Left);
    }
    titleBarTextLeft_ = leftEnd + bar->ItemsSpacing + 8;
    titleBarTextRight_ = rightStart - bar->ItemsSpacing - 8;
}

int TSkinProvider::TitleBarHitTest(TPoint point) const {
    TSkinTitleBar* bar = titleBar_.Get();
    if (!bar) return HTCLIENT;
    for (int i = 0; i < bar->ItemCount(); ++i) {
        const TSkTitleBarItem& item = *bar->Items(i);
        if (!item.Visible() || !Contains(item.Rect, point)) continue;
        if (item.Style() == bsSpacing || item.Style() == bsInfo) continue;
        if (!item.Enabled() || (item.Style() == bsTab && item.Down())) return HTCLIENT;
        return kHitTitleBarItem + i;
    }
    return HTCLIENT;
}

void TSkinProvider::PaintTitleBarItems(const TImageView32& image) {
    TSkinTitleBar* bar = titleBar_.Get();
    if (!bar) return;
    const TRect whole{0, 0, image.Width, image.Height};
    auto inside = [&](const TRect& r) { return !IsEmpty(r) && IntersectRects(r, whole) == r; };
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < bar->ItemCount(); ++i) {
            TSkTitleBarItem& item = *bar->Items(i);
            const bool pressedTab = item.Style() == bsTab && item.State() == 2;
            if (item.Visible() && pressedTab == (pass == 1) && inside(item.Rect)) PaintTitleBarItem(item, image);
        }
}

void TSkinProvider::PaintTitleBarItem(TSkTitleBarItem& item, const TImageView32& image) {
    const TSkinTables* skin = Skin();
    TSkinTitleBar* bar = titleBar_.Get();
    if (!skin || !bar) return;
    TRect rect = item.Rect;
    if (item.Style() == bsTab) rect.Top = std::max(rect.Top, rect.Bottom - (titleBottom_ - TitleTopOffset() - 2));
    const bool disabled = !item.Enabled() || !form_->Enabled();
    std::unique_ptr<TBitmap32> before;
    if (disabled) {
        before = NewBitmap32(rect.Width(), rect.Height());
        BlendBitmapConst(before->View(), image, 0, {0, 0}, {rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1});
    }
    const int section = ItemSection(*skin, item);
    int state = item.State();
    if (item.Style() == bsTab) state = std::min(state, 1);
    const int titleSection = TitleSectionIndex();
    int textSection = titleSection, textState = ClampSectionState(*skin, titleSection, formActive_);
    if (item.Style() != bsSpacing && skin->IsValidSectionIndex(section)) {
        const int shown = ClampSectionState(*skin, section, state);
        PaintSectionBackground(image, rect, {0, 0}, MakeBgCacheRefFromBitmap(image, 0, 0), section, shown,
                               kNoCustomColor, -1, -1, *skin);
        // A normal item without an image keeps the title's text look.
        if (state != 0 || item.ImageIndex() >= 0 || item.Glyph()) {
            textSection = section;
            textState = shown;
        }
    }

    // The content: glyph (or image-list image), caption, drop-down arrow.
    int x = rect.Left + bar->ItemsMargin + (item.Style() == bsMenu ? 4 : 0);
    TImageList* images = bar->Images();
    const int imageIndex = disabled && item.DisabledImageIndex() >= 0 ? item.DisabledImageIndex()
                           : state == 2 && item.PressedImageIndex() >= 0 ? item.PressedImageIndex()
                           : state == 1 && item.HotImageIndex() >= 0     ? item.HotImageIndex()
                                                                          : item.ImageIndex();
    if (images && imageIndex >= 0 && imageIndex < images->Count()) {
        // Image lists draw through GDI, into the cache image's bitmap.
        if (SkinData->CacheImage && SkinData->CacheImage->Handle()) {
            OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
            SelectObjectScope select(dc.Get(), SkinData->CacheImage->Handle());
            images->Draw(dc.Get(), imageIndex, x, rect.Top + (rect.Height() - images->Height()) / 2);
            ::GdiFlush();
        }
        x += images->Width() + item.Spacing();
    } else if (const auto& glyph = item.Glyph(); glyph && glyph->Width() > 0) {
        const int w = glyph->Width() / std::max(1, item.NumGlyphs()), h = glyph->Height();
        const int frame = std::min(item.NumGlyphs() - 1, disabled ? 1 : state >= 1 ? std::min(state + 1, 3) - 1 : 0);
        const int y = rect.Top + (rect.Height() - h) / 2;
        BlendRectOver({x, y, x + w, y + h}, {frame * w, 0, frame * w + w, h}, image, false, skNoBackground,
                      glyph->View());
        x += w + item.Spacing();
    }
    const bool arrow = (item.Style() == bsButton || item.Style() == bsMenu) && item.DropdownMenu;
    const int arrowWidth = arrow ? 8 : 0;
    const int right = rect.Right - bar->ItemsMargin - (arrow ? arrowWidth + (item.Style() == bsMenu ? 4 : 1) : 0);
    if (!item.Caption().empty() && right > x) {
        UINT flags = kItemTextFlags;
        if (item.Alignment() == taRightJustify) flags |= DT_RIGHT;
        else if (item.Alignment() == taCenter || item.Style() == bsTab) flags |= DT_CENTER;
        WriteSectionText(image, item.Caption(), true, skin, textState, textSection, flags, {x, rect.Top, right, rect.Bottom},
                         item.FontData.UsedFont(bar->ScalePercent()), skin->GlobalInfo.FontColor);
    }
    if (arrow) {
        TColor color = skin->GlobalInfo.FontColor;
        if (skin->IsValidSectionIndex(textSection))
            color = skin->Section(textSection).Props[size_t(std::clamp(textState, 0, 1))].FontColor;
        const int cy = (rect.Top + rect.Bottom) / 2;
        DrawArrowTriangle(image, color, {rect.Right - bar->ItemsMargin - arrowWidth, cy - 2, rect.Right - bar->ItemsMargin, cy + 3},
                          0);
    }
    // A disabled item shows at half strength over what was there before.
    if (before)
        BlendBitmapConst(image, before->View(), 127, {rect.Left, rect.Top}, {0, 0, rect.Width() - 1, rect.Height() - 1});
}

void TSkinProvider::StartTitleItemHint(const TSkTitleBarItem& item) {
    StopTitleItemHint();
    if (item.Hint.empty() || !form_->HandleAllocated()) return;
    const TPoint origin = WindowOrigin();
    itemHintRect_ = OffsetRectXY(item.Rect, origin.X, origin.Y);
    itemHintText_ = item.Hint;
    auto show = [this](bool checkCursor) {
        if (itemHintTimer_) itemHintTimer_->SetEnabled(false);
        POINT cursor{};
        ::GetCursorPos(&cursor);
        if (checkCursor && !Contains(itemHintRect_, TPoint{cursor.x, cursor.y})) return;
        itemHint_ = PopupHintText(itemHintText_, {cursor.x, cursor.y});
    };
    const int pause = Application ? Application->HintPause : 500;
    if (pause <= 0) {
        show(false);
        return;
    }
    itemHintTimer_ = std::make_unique<TTimer>(nullptr);
    itemHintTimer_->SetInterval(unsigned(pause));
    itemHintTimer_->OnTimer = [show](TObject*) { show(true); };
    itemHintTimer_->SetEnabled(true);
}

void TSkinProvider::StopTitleItemHint() {
    itemHintTimer_.reset();
    itemHint_.reset();
}

void TSkinProvider::TitleBarItemDown(int code, TPoint screenPoint, TMouseButton button) {
    TSkTitleBarItem* item = TitleBarItemOf(code);
    TSkinTitleBar* bar = titleBar_.Get();
    if (!item || !bar) return;
    const TPoint origin = WindowOrigin();
    const TPoint point{screenPoint.X - origin.X, screenPoint.Y - origin.Y};
    const std::weak_ptr<int> alive = aliveToken_;
    StopTitleItemHint();
    if (button == TMouseButton::mbLeft) hotElement_ = code;
    bar->ItemMouseDown(*item, button, point, origin);
    if (alive.expired() || button != TMouseButton::mbLeft) return;
    if (TSkTitleBarItem* still = TitleBarItemOf(code)) pressed_ = still->Pressed;
    RepaintElement(code);
}

void TSkinProvider::TitleBarItemUp(int code, TPoint screenPoint, TMouseButton button) {
    TSkTitleBarItem* item = TitleBarItemOf(code);
    TSkinTitleBar* bar = titleBar_.Get();
    if (!item || !bar) return;
    const TPoint origin = WindowOrigin();
    item->MouseState = 0;
    bar->ItemMouseUp(*item, button, {screenPoint.X - origin.X, screenPoint.Y - origin.Y});
}

}  // namespace ad::skin::forms
