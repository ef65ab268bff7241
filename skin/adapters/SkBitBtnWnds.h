// Push buttons with more than a caption: the class library's bitmap button
// (its glyph strip placed by Layout, Margin and Spacing as the control
// places it itself) or a foreign button carrying an image, and split buttons
// with their drop-down arrow at the right.
#pragma once

#include "skin/adapters/SkButtonWnds.h"

namespace ad {
class TBitBtn;
}

namespace ad::skin::adapters {

class TSkBitBtnWnd : public TSkBtnWnd {
public:
    int CurrentState() override;
    void DrawGlyph(int state) override;
    TPoint GlyphSize() override;
    TRect CaptionRect(HDC dc) override;
    int MaxCaptionWidth() override;
    // Where the image goes inside the button.
    TRect GlyphRect();

protected:
    using TSkBtnWnd::TSkBtnWnd;
    friend class TSkMainWnd;

private:
    TBitBtn* BitBtn() const;
    HBITMAP ForeignImage() const;
};

class TSkSplitBtnWnd : public TSkBtnWnd {
public:
    static constexpr int ArrowWidth = 8;
    TRect CaptionRect(HDC dc) override;
    void PrepareCache() override;
    // The band at the right that holds the arrow.
    TRect ArrowRect();

protected:
    using TSkBtnWnd::TSkBtnWnd;
    friend class TSkMainWnd;
};

// Whether a focused window takes the default look from a form's default
// button: a push or owner-draw button (not an edit that happens to share a
// style bit with them).
bool IsFocusedPushButton(HWND focused);

}  // namespace ad::skin::adapters
