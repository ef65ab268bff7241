// TSkinTitleBar: a component on a form that adds items to the form's skinned
// title (buttons, menu buttons, tabs, spacers and information texts). The
// bar holds the items and their settings, measures them and lays them out in
// the area the form's provider hands it; the provider paints them and routes
// the mouse to them. Every change is told to the form (SKC_TITLEBARCHANGED)
// so that its provider rebuilds the title.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Bitmap32.h"
#include "base/Exception.h"
#include "base/Geometry.h"
#include "base/TextStyle.h"
#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "framework/ListView.h"
#include "framework/Menus.h"

namespace ad::skin::forms {

// Raised when the bar is put on anything but a form.
AD_DECLARE_EXCEPTION(EAbort, Exception);

enum TSkItemAlign { tbaLeft, tbaRight, tbaCenter, tbaCenterInSpace };
enum TSkBtnStyle { bsButton, bsMenu, bsTab, bsSpacing, bsInfo };

class TSkinTitleBar;
class TSkTitleBarItem;

// The font of an item: the system caption font with what the item overrides.
class TSkFontData {
public:
    enum TUseSys { usColor, usFontName, usGlowing, usSize, usStyle };

    explicit TSkFontData(TSkTitleBarItem* item) : item_(item) {}
    TFont Font;
    TColor GlowColor() const { return glowColor_; }
    void SetGlowColor(TColor value);
    int GlowSize() const { return glowSize_; }
    void SetGlowSize(int value);
    bool UseSys(TUseSys which) const { return useSys_[size_t(which)]; }
    void SetUseSys(TUseSys which, bool value);

    // The font the item is measured and painted with (made on demand).
    HFONT UsedFont(int scalePercent);
    void FreeUsedFont() { usedFont_.Reset(); }

private:
    TSkTitleBarItem* item_;
    TColor glowColor_ = 0x808080;
    int glowSize_ = 0;
    std::array<bool, 5> useSys_{true, true, true, true, true};
    OwnedFont usedFont_;
};

class TSkTitleBarItem : public TObject {
public:
    explicit TSkTitleBarItem(TSkinTitleBar* bar);
    TSkTitleBarItem(const TSkTitleBarItem&) = delete;
    TSkTitleBarItem& operator=(const TSkTitleBarItem&) = delete;

    TSkinTitleBar* Bar() const { return bar_; }
    int Index() const;

    TSkItemAlign Align() const { return align_; }
    void SetAlign(TSkItemAlign value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    TPopupMenu* DropdownMenu = nullptr;
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    TSkFontData FontData;
    const std::shared_ptr<TBitmap32>& Glyph() const { return glyph_; }
    void SetGlyph(std::shared_ptr<TBitmap32> value);
    int Height() const { return height_; }
    void SetHeight(int value);
    std::string Hint;
    int ImageIndex() const { return imageIndex_[0]; }
    void SetImageIndex(int value) { SetImageIndexOf(0, value); }
    int HotImageIndex() const { return imageIndex_[1]; }
    void SetHotImageIndex(int value) { SetImageIndexOf(1, value); }
    int PressedImageIndex() const { return imageIndex_[2]; }
    void SetPressedImageIndex(int value) { SetImageIndexOf(2, value); }
    int DisabledImageIndex() const { return imageIndex_[3]; }
    void SetDisabledImageIndex(int value) { SetImageIndexOf(3, value); }
    // The item's name; an empty one reads as the class name.
    std::string Name() const { return name_.empty() ? std::string("TSkTitleBarItem") : name_; }
    void SetName(const std::string& value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    bool ShowHint = false;
    const std::string& SkinSection() const { return skinSection_; }
    void SetSkinSection(const std::string& value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    TSkBtnStyle Style() const { return style_; }
    void SetStyle(TSkBtnStyle value);
    intptr_t Tag = 0;
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TNotifyEvent OnClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

    // Tabs of one non-zero group exclude each other when Down.
    int GroupIndex = 0;

    // ---- Run-time state, kept by the provider's title code ----
    TRect Rect;            // in the form's window image
    int MouseState = 0;    // 0 normal, 1 hot
    bool Pressed = false;  // a left button went down on it
    bool MenuShown = false;
    // 2 while its menu is shown or it is Down, else the mouse state.
    int State() const { return MenuShown || down_ ? 2 : MouseState; }

    // Re-measures an auto-sized item (only when visible); measureOnly keeps
    // Width and Height and only answers the content size.
    TSize Measure(bool measureOnly = false);
    // The change step: re-measure (when asked and auto-sized) and tell the form.
    void Changed(bool remeasure);

private:
    void SetImageIndexOf(int which, int value);

    TSkinTitleBar* bar_;
    TSkItemAlign align_ = tbaLeft;
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    std::string caption_;
    bool down_ = false;
    bool enabled_ = true;
    std::shared_ptr<TBitmap32> glyph_;
    int height_ = 18;
    std::array<int, 4> imageIndex_{-1, -1, -1, -1};
    std::string name_;
    int numGlyphs_ = 1;
    std::string skinSection_;
    int spacing_ = 4;
    TSkBtnStyle style_ = bsButton;
    bool visible_ = true;
    int width_ = 22;
};

// The area of the title the provider gives the items (window-image coordinates).
struct TSkTitleBarArea {
    int Left = 0, Right = 0;  // the items' edges
    int Top = 0, Bottom = 0;
    int CentreY = 0;
    int TitleWidth = 0;  // the full right edge (before the caption buttons)
};

class TSkinTitleBar : public TComponent {
public:
    // owner must be a form (EAbort otherwise).
    explicit TSkinTitleBar(TComponent* owner);
    ~TSkinTitleBar() override;

    TForm* OwnerForm() const { return form_; }

    // ---- Items ----
    TSkTitleBarItem* AddItem();
    int ItemCount() const { return int(items_.size()); }
    TSkTitleBarItem* Items(int index) const { return items_.at(size_t(index)).get(); }
    void DeleteItem(int index);

    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);
    int ItemsMargin = 3;
    int ItemsSpacing = 0;
    int RightSpacing = 0;
    int ScalePercent() const { return scale_; }

    // Re-measures every auto-sized item (after the items were set up).
    void AfterLoad();
    // Scales the items' fonts and spacings (and the sizes of items not auto-sized).
    void ScaleItems(int percent);
    // Lays the visible items out in the area.
    void ArrangeItems(const TSkTitleBarArea& area);

    // Changes made between BeginUpdate and EndUpdate send no notice; EndUpdate sends one.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();
    bool Updating() const { return updating_ > 0; }
    // Tells the form's provider that the title must be rebuilt (unless updating).
    void NotifyChanged();

    // ---- The mouse on an item (called by the provider) ----
    // origin: the screen point of the window image's top-left corner.
    void ItemMouseDown(TSkTitleBarItem& item, TMouseButton button, TPoint point, TPoint origin);
    void ItemMouseUp(TSkTitleBarItem& item, TMouseButton button, TPoint point);

    // Where drop-down menus open (tests replace the modal menu loop).
    static inline std::function<void(TPopupMenu&, TPoint)> PopupSeam;

private:
    TForm* form_ = nullptr;
    std::vector<std::unique_ptr<TSkTitleBarItem>> items_;
    TComponentLink<TImageList> images_;
    bool showCaption_ = true;
    int scale_ = 100;
    int updating_ = 0;
};

// The size an auto-sized item takes for a content size (zero: 16 x 16 with margin 3).
TSize AutoSizeOfItem(TSkBtnStyle style, TSize content, int itemsMargin);

}  // namespace ad::skin::forms
