// The skinned labels. TSkinCustomLabel takes its text colour from the skin
// (the provider leaves it alone: it colours itself); TSkinLabel reads the
// colour of the section it lies on; TSkinLabelFX draws its text over a
// blurred drop shadow, optionally rotated, its bounds widened by the shadow's
// margins while the text keeps its place.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/StdCtrls.h"
#include "skin/engine/win/SkinBoundLabel.h"
#include "skin/engine/win/SkinCommonData.h"

namespace ad::skin::controls {

class TSkinCustomLabel : public TLabel {
public:
    explicit TSkinCustomLabel(TComponent* AOwner);
    // Null: the default manager.
    TSkinManager* SkinManager() const;
    void SetSkinManager(TSkinManager* manager);
    const std::string& SkinSection() const { return skinSection_; }
    void SetSkinSection(const std::string& value);
    TNotifyEvent OnMouseEnter, OnMouseLeave;

    // The colour the text is drawn in.
    virtual TColor GetLabelColor();
    void WndProc(TMessage& m) override;

protected:
    HBRUSH CNCtlColor(HDC dc) override;
    bool SkinActive() const;
    // The own section's index, -1 without one or without a skin.
    int SectionIndex() const;
    // color mixed with the parent's colour as disabled text is.
    TColor DisabledMix(TColor color);
    // The own section (SkinSection) painted over what lies beneath the label
    // onto dc; false, with nothing painted, without a section.
    bool PaintSectionBackground(HDC dc);

private:
    TSkinManager* manager_ = nullptr;
    std::string skinSection_;
};

class TSkinLabel : public TSkinCustomLabel {
public:
    using TSkinCustomLabel::TSkinCustomLabel;
    virtual bool UseSkinColor() const { return useSkinColor_; }
    void SetUseSkinColor(bool value);
    TColor GetLabelColor() override;

private:
    bool useSkinColor_ = true;
};

// The label a skinned edit's bound label makes: a skinned label without
// owner whose colour rule and focus control are the bound label's.
class TSkinEditLabel : public TSkinLabel {
public:
    explicit TSkinEditLabel(TSkinBoundLabel* bound);
    ~TSkinEditLabel() override;
    TSkinBoundLabel* Bound() const { return bound_; }
    TWinControl* FocusControl() const { return bound_ ? bound_->FocusControl() : nullptr; }
    bool UseSkinColor() const override { return bound_ ? bound_->UseSkinColor() : TSkinLabel::UseSkinColor(); }

private:
    TSkinBoundLabel* bound_;
};

// The shadow's margins that the label's bounds include: left-top
// min(0, distance - blur), right-bottom max(0, distance + blur).
struct TShadowMargins {
    int LeftTop = 0;
    int RightBottom = 0;
};
TShadowMargins ShadowMarginsFor(int distance, int blur);

// The blur of a text mask: the byte buffer holds (width + 2) x (height + 2)
// bytes with a one-byte border; each pass sets 255 under every mask pixel
// that is not 0, then replaces each inner byte by the mean of its four
// neighbours, in place, row by row.
void BlurShadowMask(std::vector<uint8_t>& buffer, const std::vector<uint8_t>& mask, int width, int height,
                    int passes);

enum class TSkinKindType { ktStandard, ktCustom, ktSkin };
enum class TSkinShadowMode { smNone, smCustom, smSkin1 };

class TSkinLabelFX : public TSkinCustomLabel {
public:
    explicit TSkinLabelFX(TComponent* AOwner);

    int Angle() const { return angle_; }
    void SetAngle(int value);  // a non-zero angle turns word wrapping off
    // Text colour: the skin's, a custom one, or the font's.
    TSkinKindType KindType = TSkinKindType::ktSkin;
    TColor KindColor = 0xFFFFFF;

    struct TShadow {
        uint8_t AlphaValue = 255;
        int BlurCount = 4;
        TColor Color = 0;
        int Distance = 1;
        TSkinShadowMode Mode = TSkinShadowMode::smSkin1;
    };
    const TShadow& Shadow() const { return shadow_; }
    // Applies the shadow; the bounds follow its margins.
    void SetShadow(const TShadow& shadow);
    // The margins the bounds include now.
    TShadowMargins OffsetKeeper() const { return keeper_; }
    // The shadow in effect: the skin's with smSkin1 when it has one, else Shadow.
    TShadow EffectiveShadow() const;
    // Sizes the label to its text plus the margins, the text keeping its place.
    void AdjustBounds();

    void WndProc(TMessage& m) override;

private:
    void PaintLabel(HDC dc);
    void UpdateMargins();
    SIZE TextSize();
    TColor TextColor();

    int angle_ = 0;
    TShadow shadow_;
    TShadowMargins keeper_;
    bool adjusting_ = false;
    std::vector<uint8_t> blur_;
};

}  // namespace ad::skin::controls
