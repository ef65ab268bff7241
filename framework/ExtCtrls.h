// Panel, image and timer.
#pragma once

#include <memory>

#include "base/TextStyle.h"
#include "framework/Controls.h"
#include "framework/UtilityWindow.h"

namespace ad {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// A container that paints its colour, an optional bevel and a centred caption.
class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* AOwner);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut v);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut v);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v);  // at least 1
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);  // at least 0
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    bool ShowCaption = true;
    // The client rectangle inside the bevels and the border.
    RECT InnerRect();

protected:
    void CreateParams(TCreateParams& p) override;
    bool PaintsItself() const override { return true; }
    void Paint(HDC dc, const RECT& clip) override;

private:
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    TBevelCut bevelInner_ = TBevelCut::bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
};

// Shows a picture (icon or bitmap), stretched, centred or at the top left.
class TImage : public TWinControl {
public:
    explicit TImage(TComponent* AOwner);
    TPicture& Picture() { return picture_; }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool v);
    bool Center() const { return center_; }
    void SetCenter(bool v);

protected:
    bool PaintsItself() const override { return true; }
    bool ShowsParentBackground() const override { return ParentColor(); }
    void Paint(HDC dc, const RECT& clip) override;

private:
    TPicture picture_;
    bool stretch_ = false;
    bool center_ = false;
};

// Fires OnTimer every Interval milliseconds while Enabled.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);
    TNotifyEvent OnTimer;

private:
    void UpdateTimer();
    std::unique_ptr<TUtilityWindow> window_;
    bool enabled_ = true;
    unsigned interval_ = 1000;
};

}  // namespace ad
