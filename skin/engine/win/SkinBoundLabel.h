// The caption label a skinned edit can carry: TSkinBoundLabel creates it
// beside the edit (in the edit's parent), lays it out by one of eight
// layouts, and keeps it in step with the edit's size, visibility and enabled
// state. The label itself comes from the factory the edit gives (the controls
// library's skinned edit label); without one it is a plain label.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/StdCtrls.h"
#include "skin/engine/paint/SkinBoundLabelLayout.h"
#include "skin/engine/win/SkinCommonData.h"

namespace ad::skin {

class TSkinBoundLabel;

// Makes the label of a bound label (without owner; the bound label keeps it).
using TBoundLabelFactory = std::function<std::unique_ptr<TLabel>(TSkinBoundLabel& bound)>;

class TSkinBoundLabel {
public:
    // data's owner control is the edit.
    explicit TSkinBoundLabel(TSkinCommonData* data, TBoundLabelFactory factory = {});
    ~TSkinBoundLabel();
    TSkinBoundLabel(const TSkinBoundLabel&) = delete;
    TSkinBoundLabel& operator=(const TSkinBoundLabel&) = delete;

    int Indent() const { return indent_; }
    void SetIndent(int value);
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value);
    bool UseHTML() const { return useHTML_; }
    void SetUseHTML(bool value);
    bool EnabledAlways() const { return enabledAlways_; }
    void SetEnabledAlways(bool value);
    TFont& Font() { return label_ ? label_->Font() : *font_; }
    void SetFont(TFont& value);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    TSkinCaptionLayout Layout() const { return layout_; }
    void SetLayout(TSkinCaptionLayout value);
    bool AllowClick() const { return allowClick_; }
    void SetAllowClick(bool value);
    bool Active() const { return active_; }
    void SetActive(bool value);
    // The label takes its text colour from the skin.
    bool UseSkinColor() const { return useSkinColor_; }
    void SetUseSkinColor(bool value);
    // The control a click on the label focuses: the edit.
    TWinControl* FocusControl() const { return Edit(); }

    // The label while active, else null.
    TLabel* Label() const { return label_.get(); }
    void Rebuild();
    void LayoutLabel();
    // The edit's window procedure hands its messages here.
    void HandleOwnerMessage(const TMessage& m, TWinControl* edit);

private:
    TWinControl* Edit() const { return data_ ? data_->OwnerControl.Get() : nullptr; }
    bool LabelEnabled() const;

    TSkinCommonData* data_;
    TBoundLabelFactory factory_;
    std::unique_ptr<TLabel> label_;
    std::unique_ptr<TFont> font_;
    int indent_ = 0;
    int maxWidth_ = 0;
    bool useHTML_ = false;
    bool enabledAlways_ = false;
    std::string caption_;
    TSkinCaptionLayout layout_ = sclLeft;
    bool allowClick_ = false;
    bool active_ = false;
    bool useSkinColor_ = true;
};

}  // namespace ad::skin
