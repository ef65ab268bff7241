// The grid's in-place edit controls over the system's EDIT: TRgCustomEdit
// with its info box (glyph and colour preview), inner margins, alignment,
// typed access to its UTF-16 text and the grid's editor interface; TRgEdit,
// the text column's editor; and TRgSmallButton, the small owner-drawn button
// of the spin editor.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/Bitmap32.h"
#include "framework/StdCtrls.h"
#include "grid/EditBase.h"
#include "grid/GridEditor.h"

namespace ad::grid {

class TRgCustomEdit;

// The edit's inner margins; a change re-creates the edit's window.
class TRgEditMargins {
public:
    int Left() const { return left_; }
    void SetLeft(int value);
    int Right() const { return right_; }
    void SetRight(int value);
    std::function<void()> OnChange;

private:
    int left_ = 0, right_ = 0;
};

// The box at the edit's left edge: the glyph, then the preview square.
class TRgEditInfo : public TWinControl {
public:
    TRgEditInfo(TComponent* AOwner, TRgCustomEdit& edit);

protected:
    bool PaintsItself() const override { return true; }
    void Paint(HDC dc, const RECT& clip) override;
    void WMMouseButton(TMessage& m) override;

private:
    TRgCustomEdit& edit_;
};

// The cursor shown over the strip where a click selects all text: the
// program's "REVERSEDARROW" cursor resource, or a mirrored arrow drawn once.
constexpr int crReversedArrow = 1000;
HCURSOR ReversedArrow();

class TRgCustomEdit : public TCustomEdit, public IGridEditor {
public:
    explicit TRgCustomEdit(TComponent* AOwner);
    ~TRgCustomEdit() override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TRgEditMargins EditMargins;
    const TBitmap32& Glyph() const { return glyph_; }
    // The glyph's bottom-left pixel's colour becomes transparent.
    void SetGlyph(const TBitmap32& value);
    bool PreviewBorder() const { return previewBorder_; }
    void SetPreviewBorder(bool value);
    bool ShowPreview() const { return showPreview_; }
    void SetShowPreview(bool value);
    bool WantTabs = false;
    // Rings in the edit's colour inside its border, taken from the client area.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    // Set for the editors that the grid uses; and while the grid prepares
    // the editor (a number editor then keeps its text).
    bool InPlace = false;
    bool Preparing = false;

    std::function<void(TObject* Sender, HDC DC, const TRect& PreviewRect)> OnCustomPreviewDraw;
    TNotifyEvent OnGlyphClick;

    // The text as values (empty text reads 0; a text that is no such value
    // raises EConvertError) and as UTF-16.
    virtual bool AsBoolean();
    virtual TDateTime AsDateTime();
    virtual double AsFloat();
    virtual int AsInteger();
    virtual void SetAsBoolean(bool value);
    virtual void SetAsDateTime(TDateTime value);
    virtual void SetAsFloat(double value);
    virtual void SetAsInteger(int value);

    virtual bool ErasesBackground() const { return true; }
    virtual TRect GetPreviewRect();
    virtual void DrawPreview(HDC dc, const TRect& rect);
    virtual void AdjustMargins(int& Left, int& Right);
    virtual void PrepareEdit() {}
    // The info box's right edge when it shows, else 0.
    int InfoBoxRight();
    TRgEditInfo& InfoBox() { return *info_; }
    // Margins and info box again (after a size, font or glyph change).
    void ApplyMargins();
    void PlaceInfoBox();
    void SetEnabled(bool enabled) override;

    // IGridEditor
    std::u16string GetAsString() const override;
    void SetAsString(const std::u16string& Value) override;
    void AttachToGrid(bool WantTabs, bool BiDiMode) override;
    void PrepareFor(const TRgCustomColumn& Column) override;
    void SetLooks(TColor Color, const FontSpec& Font) override;
    void AfterShow(const TRgCustomColumn& Column) override { (void)Column; }
    void PlaceAt(const TRect& Rect) override;
    void HideEditor() override;
    bool EditorVisible() const override;
    void SelectAll() override { TCustomEdit::SelectAll(); }
    void CaretToEnd() override;
    void TypeChar(char16_t Key) override;
    void RefreshText() override {}
    void Clear() override { SetAsString(std::u16string()); }
    void DetachFromGrid() override;
    bool EditorFocused() const override { return handle_ && ::GetFocus() == handle_; }

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWindowHandle() override;
    void FontChanged() override;
    void WMKeyDown(TMessage& m) override;
    void WMKeyUp(TMessage& m) override;
    void WMChar(TMessage& m) override;
    void WMSetFocus(TMessage& m) override;
    void WMKillFocus(TMessage& m) override;
    void WMSize(TMessage& m) override;
    void WMMove(TMessage& m) override;
    bool CNCommand(WORD code) override;
    // The text changed (the edit's change notice).
    virtual void Changed();
    // Re-creates the window, keeping its text, selection, font and focus.
    void RecreateKeeping();
    // The selection as (start, length).
    std::pair<int, int> Selection() const;
    bool hasBorder_ = true;

private:
    // The edit has no use for this arrow key where the caret stands.
    bool ArrowUnused(int key) const;
    TAlignment alignment_ = taLeftJustify;
    TBitmap32 glyph_;
    bool previewBorder_ = true;
    bool showPreview_ = false;
    bool biDiMode_ = false;
    TRgEditInfo* info_ = nullptr;
    int borderWidth_ = 0;
};

// The text column's editor: a press left of the text (over the info box and
// 2 pixels beyond) selects all, with the reversed arrow over that strip; the
// border-width rings are painted in the edit's colour.
class TRgEdit : public TRgCustomEdit {
public:
    explicit TRgEdit(TComponent* AOwner) : TRgCustomEdit(AOwner) {}
    void PrepareEdit() override { CaretToEnd(); }
    void PrepareFor(const TRgCustomColumn& Column) override;

protected:
    void WMMouseButton(TMessage& m) override;
    void WndProc(TMessage& m) override;
};

// A small owner-drawn button inside an edit: Down while pressed, Hot under
// the mouse; a press focuses the edit, a release over it clicks.
class TRgSmallButton : public TWinControl {
public:
    explicit TRgSmallButton(TComponent* AOwner);
    const std::u16string& ButtonCaption() const { return caption_; }
    void SetButtonCaption(const std::u16string& value);
    bool Down() const { return down_; }
    bool Hot() const { return hot_; }
    // The edit the button sits in (focused on a press).
    TWinControl* OwnerEdit = nullptr;
    TNotifyEvent OnPress;

protected:
    bool PaintsItself() const override { return true; }
    void WMEraseBkgnd(TMessage& m) override { m.Result = 1; }
    void WMMouseButton(TMessage& m) override;
    void WndProc(TMessage& m) override;
    bool down_ = false;
    bool hot_ = false;

private:
    std::u16string caption_;
    bool tracking_ = false;
};

}  // namespace ad::grid
