// Common controls: page control with tab sheets, up-down, status bar, and the
// speed button and bevel of the class library.
#pragma once

#include <string>
#include <vector>

#include "base/Bitmap32.h"
#include "framework/Buttons.h"
#include "framework/Controls.h"
#include "framework/StdCtrls.h"

namespace ad {

class TPageControl;

// One page of a page control; its controls are its children.
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* pc);
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool v);
    void SetText(const std::string& s) override;

protected:
    void CreateParams(TCreateParams& p) override;
    bool PaintsItself() const override { return true; }

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
};

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(static_cast<size_t>(index)); }
    TTabSheet* ActivePage() const { return active_; }
    void SetActivePage(TTabSheet* page);
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& p) override;
    void AfterCreateWnd() override;
    void WMSize(TMessage& m) override;
    bool CNNotify(NMHDR* hdr, LRESULT& result) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void UpdateTabs();
    void LayoutPages();
    RECT PageRect();
    std::vector<TTabSheet*> pages_;
    std::vector<TTabSheet*> tabs_;  // the pages whose tabs are shown, in tab order
    TTabSheet* active_ = nullptr;
};

enum class TUDBtnType { btNext, btPrev };
using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;

// Up-down arrows with a position between Min and Max, shown in an associated edit.
class TUpDown : public TWinControl {
public:
    explicit TUpDown(TComponent* AOwner);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMin(int v);
    void SetMax(int v);
    int Position();
    void SetPosition(int v);  // kept within Min..Max
    void SetAssociate(TWinControl* edit);
    TUDClickEvent OnClick;

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWindowHandle() override;
    bool CNNotify(NMHDR* hdr, LRESULT& result) override;
    bool CNScroll(UINT msg, WORD code) override;

private:
    void UpdateAssociate();
    int min_ = 0, max_ = 100, position_ = 0;
    TWinControl* associate_ = nullptr;
    int lastDelta_ = 0;
};

struct TStatusPanel {
    std::string Text;
    int Width = 50;
    bool Centered = false;
};

// A status bar along the bottom of its parent, with panels.
class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* AOwner);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    void AddPanel(int width, bool centered = false);
    std::string PanelText(int index) const { return panels_.at(static_cast<size_t>(index)).Text; }
    void SetPanelText(int index, const std::string& text);

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWindowHandle() override;

private:
    void ApplyPanels();
    void ShowPanelText(size_t index);
    std::vector<TStatusPanel> panels_;
};

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// A push button that stays down: buttons with the same non-zero GroupIndex and
// parent work like radio buttons.
class TSpeedButton : public TButtonControl {
public:
    explicit TSpeedButton(TComponent* AOwner);
    bool Down() const { return checked_; }
    void SetDown(bool v);
    int GroupIndex = 0;
    bool AllowAllUp = false;
    void Click() override;
    // What the button shows now: held down (bsExclusive), pressed by the
    // mouse or a key (bsDown), unusable (bsDisabled) or up.
    TButtonState State();

    // The looks a skin paints the button with; the system's own button
    // shows only the caption.
    bool Flat = false;
    TBitmap32 Glyph;    // NumGlyphs images side by side
    int NumGlyphs = 1;
    TButtonLayout Layout = TButtonLayout::blGlyphLeft;
    int Margin = -1;    // -1: glyph and caption centred together
    int Spacing = 4;    // between glyph and caption

protected:
    bool CNCommand(WORD code) override;
    // It stands for a control drawn on its parent: the parent always shows around it.
    bool ShowsParentBackground() const override { return true; }
};

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

// An etched line or box.
class TBevel : public TWinControl {
public:
    explicit TBevel(TComponent* AOwner);
    TBevelShape Shape = TBevelShape::bsBox;
    TBevelStyle Style = TBevelStyle::bsLowered;

protected:
    bool PaintsItself() const override { return true; }
    bool ShowsParentBackground() const override { return ParentColor(); }
    void Paint(HDC dc, const RECT& clip) override;
};

// The system's progress bar: Position within Min..Max.
class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* AOwner);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    void SetMin(int v);
    void SetMax(int v);
    void SetPosition(int v);
    void StepBy(int delta) { SetPosition(position_ + delta); }

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWindowHandle() override;

private:
    void ApplyRange();
    int min_ = 0, max_ = 100, position_ = 0;
};

}  // namespace ad
