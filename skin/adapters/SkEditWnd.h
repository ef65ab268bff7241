// TSkEditWnd: skins edit-like windows (single- and multi-line edits, memos,
// list boxes) of the class library and of other programs. The frame and the
// scroll bars come from the skin's "EDIT" section (or the section given),
// the control's background and text colours follow the section's state
// (hot while focused), and the whole control paints into print DCs. The
// list-view, grid, tree-view and combo adapters build on it.
#pragma once

#include <memory>

#include "skin/adapters/SkBaseWnd.h"

namespace ad::skin::adapters {

class TSkEditWnd : public TSkBaseWnd {
public:
    // The background colour in use (the section's, or the window colour).
    TColor BackColor() const { return backColor_; }
    // The manager's outline colour for a window without a class-library control.
    TColor OutlineColor() const { return outlineColor_; }
    // A class-library edit whose window is single-line.
    bool SingleLine() const { return singleLine_; }
    // New child windows appeared: the form adapts them when redrawing is on again.
    bool AdaptChildren() const { return adaptChildren_; }

protected:
    TSkEditWnd(HWND wnd, TSkinCommonData* skinData, TSkinManager* manager, const TSkSkinParams& params);
    friend class TSkMainWnd;

    void InitAdapter() override;
    std::unique_ptr<TSkinCommonData> CreateSkinData() override;
    // Keeps the control's Color, Font.Color and a published "FocusColor" for RestoreWindow.
    void SaveColors() override;
    // Puts back the colours saved when the adapter came.
    void RestoreWindow() override;
    // The section's colours for the state (hot while focused) into the control.
    void ApplySkinColors() override;
    void WndProc(TMessage& m) override;

    // The whole window into a print DC: frame, bars, background, content.
    void PrintWindow(TMessage& m);
    // The section state the colours follow: 1 when highlighted and the section has it.
    int ColorState() const;
    void SetAdaptChildren(bool on) { adaptChildren_ = on; }

private:
    void RestoreColors();
    void PaintFrame(HDC dc);
    void SkinCommand(TMessage& m);

    TSkSkinParams params_;
    TColor savedColor_ = skNoColor, savedFontColor_ = skNoColor;
    bool hasFocusColor_ = false;  // the control publishes "FocusColor"
    TColor savedFocusColor_ = skNoColor;
    TColor backColor_ = skNoColor;
    TColor outlineColor_ = 0;
    bool singleLine_ = false;
    bool adaptChildren_ = false;
    bool applying_ = false;
};

// The edit adapter of a scrolling control of the engine: with the data's
// skin active, a missing or destroyed adapter is made anew; without it the
// adapter is freed.
void UpdateEditAdapter(TSkinScrollWndData& data, TSkAdapterPtr<TSkEditWnd>& adapter);

}  // namespace ad::skin::adapters
