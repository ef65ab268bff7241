// The bound caption label of skinned edits.
#include "skin/engine/win/SkinBoundLabel.h"

#include <algorithm>

#include "framework/WinGeometry.h"

namespace ad::skin {

TSkinBoundLabel::TSkinBoundLabel(TSkinCommonData* data, TBoundLabelFactory factory)
    : data_(data), factory_(std::move(factory)), font_(std::make_unique<TFont>()) {}

TSkinBoundLabel::~TSkinBoundLabel() {
    active_ = false;  // the label may switch it off as it goes: nothing is rebuilt now
    label_.reset();
}

bool TSkinBoundLabel::LabelEnabled() const {
    TWinControl* edit = Edit();
    return (edit && edit->Enabled()) || enabledAlways_;
}

void TSkinBoundLabel::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    Rebuild();
    SetAllowClick(allowClick_);
}

void TSkinBoundLabel::Rebuild() {
    TWinControl* edit = Edit();
    if (!active_ || !edit) {
        if (label_) font_->Assign(label_->Font());
        label_.reset();
        return;
    }
    if (!label_) {
        label_ = factory_ ? factory_(*this) : std::make_unique<TLabel>(nullptr);
        label_->Name = edit->Name + "Label";
        label_->Font().Assign(*font_);
    }
    label_->SetVisible(false);
    label_->SetParent(edit->Parent());
    label_->SetAlignment(BoundLabelAlignment(layout_));
    label_->SetCaption(caption_.empty() ? edit->Name : caption_);
    label_->SetVisible(edit->Visible());
    label_->SetEnabled(LabelEnabled());
    LayoutLabel();
}

void TSkinBoundLabel::LayoutLabel() {
    TWinControl* edit = Edit();
    if (!label_ || !edit || !label_->Visible()) return;
    // The text's size wrapped at the largest width.
    const int limit = BoundLabelMaxWidth(maxWidth_);
    std::wstring text = label_->WideText();
    if (text.empty()) text = L" ";
    RECT r{0, 0, limit, 0};
    {
        WindowDC screen(nullptr);
        SelectObjectScope select(screen.Get(), label_->EffectiveFont().Handle());
        DrawTextW(screen.Get(), text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_WORDBREAK);
    }
    const TSize size{std::min<int>(limit, r.right), r.bottom};
    label_->SetAutoSize(false);
    label_->SetWordWrap(true);
    label_->SetEnabled(LabelEnabled());
    const RECT b = edit->BoundsRect();
    const TPoint at = BoundLabelPosition(layout_, FromRECT(b), size, indent_);
    if (layout_ == sclLeft && edit->Align() == TAlign::alLeft) label_->SetAlign(TAlign::alLeft);
    else label_->SetAlign(TAlign::alNone);
    label_->SetBounds(at.X, at.Y, size.cx, size.cy);
    label_->SetParent(edit->Parent());
}

void TSkinBoundLabel::HandleOwnerMessage(const TMessage& m, TWinControl* edit) {
    if (!label_ || !edit) return;
    switch (m.Msg) {
        case WM_SIZE:
        case WM_WINDOWPOSCHANGED: LayoutLabel(); break;
        case CM_VISIBLECHANGED:
        case WM_SHOWWINDOW:
            label_->SetVisible(m.Msg == WM_SHOWWINDOW ? m.WParam != 0 : edit->Visible());
            LayoutLabel();
            break;
        case CM_ENABLEDCHANGED:
        case WM_ENABLE:
            label_->SetEnabled((m.Msg == WM_ENABLE ? m.WParam != 0 : edit->Enabled()) || enabledAlways_);
            LayoutLabel();
            break;
        case CM_BIDIMODECHANGED: LayoutLabel(); break;
        default: break;
    }
}

void TSkinBoundLabel::SetIndent(int value) {
    if (value == indent_) return;
    indent_ = value;
    if (active_) LayoutLabel();
}

void TSkinBoundLabel::SetMaxWidth(int value) {
    if (value == maxWidth_) return;
    maxWidth_ = value;
    if (active_) LayoutLabel();
}

void TSkinBoundLabel::SetEnabledAlways(bool value) {
    if (value == enabledAlways_) return;
    enabledAlways_ = value;
    if (active_) LayoutLabel();
}

void TSkinBoundLabel::SetUseHTML(bool value) {
    if (value == useHTML_) return;
    useHTML_ = value;
    LayoutLabel();
}

void TSkinBoundLabel::SetLayout(TSkinCaptionLayout value) {
    if (value == layout_) return;
    layout_ = value;
    if (label_) label_->SetAlignment(BoundLabelAlignment(value));
    if (active_) LayoutLabel();
}

void TSkinBoundLabel::SetCaption(const std::string& value) {
    if (value == caption_) return;
    caption_ = value;
    if (!active_ || !label_) return;
    TWinControl* edit = Edit();
    label_->SetCaption(caption_.empty() && edit ? edit->Name : caption_);
    LayoutLabel();
}

void TSkinBoundLabel::SetFont(TFont& value) {
    font_->Assign(value);
    if (!label_) return;
    label_->Font().Assign(value);
    if (TWinControl* edit = Edit()) label_->SetParent(edit->Parent());
    LayoutLabel();
}

void TSkinBoundLabel::SetUseSkinColor(bool value) {
    if (value == useSkinColor_) return;
    useSkinColor_ = value;
    if (label_) label_->Invalidate();
}

void TSkinBoundLabel::SetAllowClick(bool value) {
    allowClick_ = value;
    if (!label_) return;
    TWinControl* edit = Edit();
    if (value && edit) {
        label_->OnClick = [edit](TObject*) { edit->Click(); };
        label_->OnDblClick = [edit](TObject*) { edit->Click(); };
    } else {
        label_->OnClick = nullptr;
        label_->OnDblClick = nullptr;
    }
}

}  // namespace ad::skin
