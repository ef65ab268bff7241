// TSkinBitBtn: the skinned push button. It paints its section ("BUTTON")
// through its skin data into a cached 32-bit image that is rebuilt only when
// its background, layout or state changed, takes a window region from a
// border mask with key-coloured corners, can be latched down (Down), fades
// between states, and falls back to its own owner-drawn look without a skin.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/Buttons.h"
#include "framework/Handles.h"
#include "framework/ListView.h"
#include "skin/controls/SkinDisabledKinds.h"
#include "skin/engine/image/SkinFadeMath.h"
#include "skin/engine/win/SkinCommonData.h"

namespace ad::skin::controls {


using TBmpPaintEvent = std::function<void(TObject* Sender, const TImageView32& Bmp)>;

// No colour tone for the glyph.
constexpr TColor kNoGlyphTone = 0x1FFFFFFF;

// The classic face of a push button in rect: the window-frame line of a
// default or focused button, the raised edge (a flat shadow frame when
// selected), the focus rectangle of a focused default button when asked.
void DrawClassicButtonFace(HDC dc, const RECT& rect, bool selected, bool disabled, bool isDefault, bool focused,
                           bool showFocusRect);

class TSkinBitBtn : public TBitBtn {
public:
    explicit TSkinBitBtn(TComponent* AOwner);
    ~TSkinBitBtn() override;

    TSkinCtrlSkinData SkinData{this, true};

    // ---- Properties (a change repaints unless said otherwise) ----
    // The latched pressed look; a change repaints at once and clicks nothing.
    bool Down() const { return down_; }
    void SetDown(bool value);
    int Blend() const { return blend_; }
    void SetBlend(int value);  // stored within 0..100
    // Also true while the manager's DiscoloredGlyphs effect is on.
    bool Grayed() const;
    void SetGrayed(bool value);
    TColor GlyphColorTone() const { return glyphColorTone_; }
    void SetGlyphColorTone(TColor value);
    // The glyph from an image list (an alpha image list or a plain one): used
    // while 0 <= ImageIndex < the list's count. The button hears the list's changes.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* list);
    bool ImageListGlyph() const;
    // Where the block of glyph and caption lies.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TVerticalAlignment VerticalAlignment() const { return verticalAlignment_; }
    void SetVerticalAlignment(TVerticalAlignment value);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool value);
    bool Reflected() const { return reflected_; }
    void SetReflected(bool value);
    bool DrawOverBorder() const { return drawOverBorder_; }
    void SetDrawOverBorder(bool value);
    int TextOffset() const { return textOffset_; }
    void SetTextOffset(int value);
    TAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(TAlignment value);
    uint8_t DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(uint8_t value);
    uint8_t DisabledGlyphKind() const { return disabledGlyphKind_; }
    void SetDisabledGlyphKind(uint8_t value);
    int FocusMargin = 1;  // stored only
    TSkAnimatEvents AnimatEvents = 1u << aeGlobalDef;  // which state changes fade
    TNotifyEvent OnMouseEnter, OnMouseLeave;
    TBmpPaintEvent OnPaint;  // with the cache after caption and glyph

    // ---- Painting state and layout ----
    // 0 normal, 1 hot, 2 pressed, 3 default.
    int CurrentState();
    // CurrentState within the section's states (3 on a section of fewer than 4 states paints 1).
    int PaintState();
    int GlyphWidth() const;
    int GlyphHeight() const;
    int MaxCaptionWidth();
    SIZE CaptionSize();
    TRect GlyphRect();
    TRect CaptionRect() const { return captionRect_; }
    // Rebuilds the cache image; false while the parent's background is not ready.
    bool PrepareCache();
    // The region the last rebuild made and has not handed to the window yet (null: none).
    HRGN PendingRegion() const { return region_.Get(); }
    // True while the child controls sit one pixel down and right (the button paints pressed).
    bool ChildrenShifted() const { return childrenShifted_; }

    void WndProc(TMessage& m) override;
    void Click() override;

protected:
    void CreateParams(TCreateParams& p) override;
    void DrawItem(const DRAWITEMSTRUCT& dis) override;
    void LookChanged() override;

private:
    bool SkinnedNow() const { return SkinData.IsSkinActive(true) && HandleAllocated(); }
    void PaintWindow(HDC dc);
    void DrawCaptionInto(HDC dc, int state);
    void DoLayout();
    void ShiftChildren(int by);
    // The cache's four corner pieces (the mask's border sizes) onto dc.
    void PaintCornersTo(HDC dc);
    // The look without a skin: visual styles when on, else the classic frame.
    void DrawUnskinned(const DRAWITEMSTRUCT& dis);
    void MouseDown(TMessage& m);
    void MouseUp(TMessage& m);
    bool HandleOwnSkinCommand(TMessage& m);
    void Changed(bool now = false);
    void AnimateTo(int event);

    bool down_ = false;
    int imageIndex_ = -1;
    TComponentLink<TImageList> images_;
    TChangeLink imagesLink_;
    TAlignment alignment_ = taCenter;
    TVerticalAlignment verticalAlignment_ = taVerticalCenter;
    int blend_ = 0;
    bool grayed_ = false;
    TColor glyphColorTone_ = kNoGlyphTone;
    bool showCaption_ = true;
    bool showFocus_ = true;
    bool reflected_ = false;
    bool drawOverBorder_ = true;
    int textOffset_ = 0;
    TAlignment textAlignment_ = taCenter;
    uint8_t disabledKind_ = dkBlended;
    uint8_t disabledGlyphKind_ = 0;

    bool regionChanged_ = true;
    bool regionPending_ = true;  // made, not yet shaped: the first region is applied with redraw
    OwnedRegion region_;
    bool mouseClicked_ = false;
    bool childrenShifted_ = false;
    RECT lastRegionBounds_{};
    bool partlyOutside_ = false;
    int lastSpacing_ = 4;
    TPoint glyphPos_{};
    TRect captionRect_{};
};

}  // namespace ad::skin::controls
