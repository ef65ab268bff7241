// Combo box adapters: the combo's face and frame from its section, its
// drop-down button from the skin's combo-button section with the combo
// glyph (or a triangle), the selected text of a combo that draws none of
// its own; and the adapter of the drop-down list, made when the list first
// asks for its colours and freed with the combo's adapter.
#pragma once

#include <memory>

#include "framework/Handles.h"
#include "skin/adapters/SkEditWnd.h"

namespace ad::skin::adapters {

// The drop-down button in window coordinates: buttonWidth wide (0 for a
// simple combo, which has none), margin inside the window's edges, at the
// left for right-to-left reading.
TRect ComboButtonRect(int windowWidth, int windowHeight, int buttonWidth, int margin, bool rightToLeft);
// 2 while the list is shown, else 1 when hot, else 0.
inline int ComboButtonState(bool listVisible, bool hot) { return listVisible ? 2 : hot ? 1 : 0; }

class TSkComboListWnd;

class TSkComboBoxWnd : public TSkEditWnd {
public:
    bool IsSimple() const;
    // The button in window coordinates.
    TRect ButtonRect() const;
    int ButtonState() const;
    // The drop-down list as learnt from its first colour request; null before.
    HWND ListWnd() const { return listWnd_; }
    TSkComboListWnd* ListAdapter() const { return listAdapter_.get(); }
    // The button painted onto the window.
    void PaintButtonNow();
    // One item of a class-library combo (or its edit part with
    // ODS_COMBOBOXEDIT) painted into dc at rect: a selected item on the
    // skin's selection section, others on the combo's colour.
    void PaintComboItem(int index, const RECT& rect, HDC dc, UINT state);

protected:
    ~TSkComboBoxWnd() override;
    using TSkEditWnd::TSkEditWnd;
    friend class TSkMainWnd;
    void InitAdapter() override;
    void RestoreWindow() override;
    void WndProc(TMessage& m) override;

private:
    // The button painted into dc (window coordinates) over the cache.
    void PaintButton(HDC dc);
    // The selected item's text (or the window text) into the cache.
    void PaintComboText();
    // The whole combo composed in the cache, then copied to dc.
    void PrintInto(HDC dc);
    // The cache's frame, three pixels wide, copied to dc.
    void CopyFrame(HDC dc);
    // What the skin paints over the combo's own painting: frame and button
    // (a simple combo: the strip below its list instead of a button).
    void PaintOver(HDC dc);
    void AnswerListColors(TMessage& m);
    // A focusable class-library combo shows the focused colours (as its
    // frame does) while it has the focus.
    bool ShowsFocusColors();
    void FreeListAdapter();
    HBRUSH ListBrush(TColor color);

    HWND listWnd_ = nullptr;
    TSkAdapterPtr<TSkComboListWnd> listAdapter_;
    bool inCtlColor_ = false;
    // One brush for the list's colour replies, made again only when the colour changes.
    OwnedBrush listBrush_;
    TColor listBrushColor_ = 0;
};

class TSkComboListWnd : public TSkEditWnd {
public:
    bool SimpleList() const { return simpleList_; }
    // The colour of the drop-down list's 1-pixel frame (the skin's border colour).
    TColor FrameColor() const { return frameColor_; }

protected:
    ~TSkComboListWnd() override;
    using TSkEditWnd::TSkEditWnd;
    friend class TSkMainWnd;
    friend class TSkComboBoxWnd;
    void InitAdapter() override;
    void ApplySkinColors() override;
    void WndProc(TMessage& m) override;
    // The list box holds the capture of a drop-down list itself.
    bool KeepsCaptureOnRelease() const override { return !simpleList_; }

private:
    // A drop-down list's cache: its colour framed in one pixel of the frame colour.
    void PrepareListCache();

    bool simpleList_ = false;
    bool tracking_ = false;
    TColor frameColor_ = 0;
};

}  // namespace ad::skin::adapters
