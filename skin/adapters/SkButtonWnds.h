// Button adapters: push buttons (section "BUTTON"), check boxes and radio
// buttons ("CHECKBOX" with the skin's box and radio glyphs) and group boxes
// ("GROUPBOX" with a caption band). Each paints the whole control into its
// skin data's cache and copies it; clicks, checking and keys stay with the
// window's own procedure.
#pragma once

#include "skin/adapters/SkMainWnd.h"

namespace ad::skin::adapters {

// The section state a button's paint state is drawn in (0 normal, 1 hot,
// 2 pressed, 3 default): the default look needs a fourth state, else it
// is drawn hot.
int ButtonSectionState(int paintState, int sectionStates);

class TSkBtnWnd : public TSkMainWnd {
public:
    // 0 normal, 1 hot, 2 pressed, 3 default button.
    virtual int CurrentState();
    // The caption's rectangle inside the button.
    virtual TRect CaptionRect(HDC dc);
    // Renders the button into the cache.
    virtual void PrepareCache();

protected:
    using TSkMainWnd::TSkMainWnd;
    friend class TSkMainWnd;
    void InitAdapter() override;
    void WndProc(TMessage& m) override;
    void Paint(HDC given);
    void Repaint();
};

class TSkCheckBoxWnd : public TSkMainWnd {
public:
    // 0 unchecked, 1 checked, 2 indeterminate.
    int CheckState();
    bool IsRadio() const;
    // Where the check glyph goes in the window (left edge, or right with BS_LEFTTEXT).
    TRect GlyphRect();
    void PrepareCache();

protected:
    using TSkMainWnd::TSkMainWnd;
    friend class TSkMainWnd;
    void InitAdapter() override;
    void WndProc(TMessage& m) override;

private:
    int GlyphMask();
    void Paint(HDC given);
    void Repaint();
    bool ownerDraw_ = false;
};

class TSkGroupBoxWnd : public TSkMainWnd {
public:
    // The caption band: height max(4, text height) + 2 at the top.
    TRect CaptionRect();
    void PrepareCache();

protected:
    using TSkMainWnd::TSkMainWnd;
    friend class TSkMainWnd;
    void InitAdapter() override;
    void WndProc(TMessage& m) override;

private:
    void Paint(HDC given);
};

}  // namespace ad::skin::adapters
