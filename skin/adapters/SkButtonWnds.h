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

// What the push button and check box adapters share: the whole control
// rendered into the cache and copied to the window or a given DC; the
// control neither erases nor paints a frame; hover changes repaint.
class TSkCachedButtonWnd : public TSkMainWnd {
public:
    // Renders the control into the cache.
    virtual void PrepareCache() = 0;

protected:
    using TSkMainWnd::TSkMainWnd;
    // Paints into the DC given (printing), or into the window's.
    virtual void Paint(HDC given) = 0;
    void Repaint();
    // The section's state lets the parent show through.
    bool SeeThrough(int state) const;
    // True when the message is taken: passed on as it is while the skin is
    // off, or one of the shared ones answered.
    bool HandleCachedPaint(TMessage& m);
};

class TSkBtnWnd : public TSkCachedButtonWnd {
public:
    // 0 normal, 1 hot, 2 pressed, 3 default button.
    virtual int CurrentState();
    // The button's image drawn into the cache (none here).
    virtual void DrawGlyph(int state) { (void)state; }
    // The image's size; (0, 0) without one.
    virtual TPoint GlyphSize() { return {0, 0}; }
    // The caption's rectangle inside the button (dc holds the caption's font).
    virtual TRect CaptionRect(HDC dc);
    // The width the caption may take: 0 without text.
    virtual int MaxCaptionWidth();
    void PrepareCache() override;

protected:
    using TSkCachedButtonWnd::TSkCachedButtonWnd;
    friend class TSkMainWnd;
    void InitAdapter() override;
    void WndProc(TMessage& m) override;
    void Paint(HDC given) override;
    // The caption's size in dc's font, measured in maxWidth (0, 0 without text).
    TPoint CaptionSize(HDC dc, int maxWidth);
    bool Pressed();
    // The states every push button shares: 2 pressed, 0 disabled, 1 hot or
    // focused; -1 when none of them holds.
    int SharedState();
    // Pressed content moves by a pixel unless the skin keeps it still.
    bool ShiftsWhenPressed();

private:
    // Starts the fade to the look of the mouse's state (or repaints at once).
    void AnimateHover(bool entering);
};

class TSkCheckBoxWnd : public TSkCachedButtonWnd {
public:
    // 0 unchecked, 1 checked, 2 indeterminate.
    int CheckState();
    bool IsRadio() const;
    // Where the check glyph goes in the window (left edge, or right with BS_LEFTTEXT).
    TRect GlyphRect();
    void PrepareCache() override;

protected:
    using TSkCachedButtonWnd::TSkCachedButtonWnd;
    friend class TSkMainWnd;
    void InitAdapter() override;
    void WndProc(TMessage& m) override;
    void Paint(HDC given) override;

private:
    int GlyphMask();
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
