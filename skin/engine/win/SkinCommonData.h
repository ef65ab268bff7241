// TSkinCommonData: the skin data object that every skinned control, form
// provider and window adapter owns. It ties its owner to a skin manager and a
// section, keeps the resolved section and mask indexes, the cache image (the
// owner painted from the skin, reused until out of date), the state flags
// (repaint needed, paint-locked, seeing through to the parent), the fade
// timer, the glow and the colours to restore; it is stored on the owner's
// window as the property "SKSDATA" while the window lives. Its message
// handling is in SkinDataMessages.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Messages.h"
#include "framework/MouseHover.h"
#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/win/SkinCacheImage.h"
#include "skin/engine/paint/SkinDataRules.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinMessaging.h"

namespace ad::skin {

class TSkinManager;
class TSkThreadedTimer;
class TSkinCommonData;

// Bits of StateFlags.
constexpr uint16_t kSeeThrough = 0x0001;        // the parent shows through
constexpr uint16_t kSeeThroughUnknown = 0x0002; // not yet worked out
constexpr uint16_t kPrinting = 0x0200;          // a WM_PRINT runs (PrintDC)
constexpr uint16_t kPaintLocked = 0x0800;
constexpr uint16_t kChangingFontColor = 0x2000; // the engine itself sets the font colour

enum TSkOuterVisibility : int { ovNone = 0, ovAlways = 1 };

// Outer effects (the shadow a control paints into its parent's image).
class TSkOuterEffects {
public:
    explicit TSkOuterEffects(TSkinCommonData* data) : data_(data) {}
    TSkOuterVisibility Visibility() const { return visibility_; }
    // A change repaints the owner's parent window and invalidates the owner.
    void SetVisibility(TSkOuterVisibility value);

private:
    TSkinCommonData* data_;
    TSkOuterVisibility visibility_ = ovNone;
};

class TSkinCommonData : public TSkinWindowData {
public:
    // The owner is a control, a form provider or a bare window (an adapter's).
    TSkinCommonData(TWinControl* control, bool makeCache);
    TSkinCommonData(TSkinProviderLink* provider, bool makeCache);
    TSkinCommonData(HWND window, bool makeCache);
    ~TSkinCommonData() override;
    TSkinCommonData(const TSkinCommonData&) = delete;
    TSkinCommonData& operator=(const TSkinCommonData&) = delete;

    // ---- Published properties ----
    bool CustomColor() const { return customColor_; }
    void SetCustomColor(bool value);
    bool CustomFont() const { return customFont_; }
    void SetCustomFont(bool value);
    // ManagerRef, or the default manager when that is null.
    TSkinManager* SkinManager() const;
    // The default manager is stored as null.
    void SetSkinManager(TSkinManager* manager);
    const std::string& SkinSection() const { return skinSection_; }
    // Stored upper-cased; the same text again changes nothing.
    void SetSkinSection(const std::string& value);
    TSkOuterEffects OuterEffects{this};

    // ---- State (read and written by the owners and the message handling) ----
    std::unique_ptr<TSkinCacheImage> OuterImage;
    TColor SavedColor = skNoColor;
    TColor SavedFontColor = skNoColor;
    bool Focused = false;
    bool Updating = false;
    bool MouseAbove = false;
    TMouseHover MouseHover;  // enter and leave of a bare owner window
    bool ChildPainting = true;
    bool Loading = true;
    int32_t ControlKind = 0;
    int32_t GlowIndex = -1;
    int32_t PatternIndex = -1;
    int32_t HUEOffset = 0;
    int32_t Saturation = 0;
    int32_t BorderIndex = -1;
    int32_t ScalePercent = 100;
    int32_t PaintLockCount = 0;
    int32_t HotPatternIndex = -1;
    HDC PrintDC = nullptr;
    // The owner painted from the skin; null until made (PrepareCacheImage).
    std::unique_ptr<TSkinCacheImage> CacheImage;
    TColor ColorTone = skNoColor;
    HWND OwnerWindow = nullptr;
    void* OwnerObject = nullptr;
    TSkinManager* ManagerRef = nullptr;
    std::unique_ptr<TSkThreadedTimer> FadeTimer;  // made on the first fade (EnsureFadeTimer)
    // The owner's message entry point, called directly by SendAdapterMessage.
    std::function<void(TMessage&)> SavedWndProc;
    uint16_t MaskFlags = 0;
    uint16_t StateFlags = kSeeThroughUnknown;
    bool BgChanged = true;
    int32_t SkinIndex = -1;
    // The owner control; null once it is freed (a layer's data may outlive it).
    // The owner's parent is read through it (OwnerParent).
    TComponentLink<TWinControl> OwnerControl;
    TSkinProviderLink* Provider = nullptr;

    // ---- Operations ----
    bool IsSkinActive(bool needLoaded = false) const;
    // The loaded skin of the manager when it is usable (null otherwise).
    const TSkinTables* Skin() const;
    void ChooseSection();
    void PickFirstSection(const std::vector<std::string>& names);
    void ResolveSectionIndexes(bool ask);
    void ComputeMaskFlags();
    void UpdateSeeThrough(bool recurse);
    int SeeThroughKind() const;
    bool IsHighlighted() const;
    bool CacheReusable() const;
    bool OuterEffectsOn() const;
    bool QueryUpdating();
    bool RefreshUpdating(bool reset);
    void BeginPaintLock();
    void EndPaintLock(bool invalidate);
    void InvalidateOwner(bool now);
    void FinishLoading(bool invalidate);
    void RefreshColors(bool invalidate);
    void ApplySectionColors(bool keepVisible);
    // Makes the cache image when missing and sizes it to the owner.
    void PrepareCacheImage();
    // Empties the cache image (it stays, 0 x 0) when there is one.
    void EmptyCacheImage();
    int MaxBorderWidth() const;
    TColor BackgroundColor(int state, HWND window = nullptr) const;
    TSkBgCacheRef GetParentBgRef();
    // The request as the parent answered it (Kind 0 when no parent was asked).
    TSkParentBgRequest AskParentBg(bool paintIntoDC = false, HDC dc = nullptr, const TRect& dest = {});
    void NotifyParentBgChanged();
    // Tone, hue and saturation over the bitmap, then the border corners of
    // cornersState painted again into the cache (none for a negative state).
    void ApplyColorAdjust(const TImageView32& bitmap, int cornersState);
    static void ClearMaskCorners(int sectionIndex, const TImageView32& bitmap, const TSkinTables& skin);
    // The cache rectangle at (offsetX, offsetY) copied to destRect of dc,
    // leaving out the child controls (windows) that paint themselves.
    void BlitCacheExcludingControls(TWinControl* control, const TRect& destRect, int offsetX, int offsetY,
                                    bool corners, HDC dc);
    void BlitCacheExcludingWindows(HWND window, const TRect& destRect, int offsetX, int offsetY, bool corners,
                                   HDC dc);
    bool IsMouseOverWindow();
    void StopFade();
    bool FadeRunning() const;
    void AttachToWindow();
    void DetachFromWindow();
    HWND OwnerHandle() const;
    void ForgetOwner();

    // The message handling (SkinDataMessages.cpp).
    void AnswerBgRequest(TSkParentBgRequest& request, int state, HWND window);
    // True when children of this owner ask it (or through it) for their background.
    static bool UsesParentBg(TSkinCommonData* data);
    void PaintChildShadows(TWinControl* container, TPoint offset);

    // SKC_ADAPTCHILDREN to the control's form (it gives adapters to new controls).
    static void AskFormToAdaptControls(TWinControl* control);

    // The owner's colour and font colour (a provider's form's), for the rules above.
    TColor OwnerColor() const;
    void SetOwnerColor(TColor color);
    TColor OwnerFontColor() const;
    void SetOwnerFontColor(TColor color);
    // The owner's window when it has one now (a provider's form's).
    HWND OwnerWindowHandle() const;
    TWinControl* OwnerParent() const;
    bool OwnerDestroying() const;

    // TSkinWindowData
    bool CallSavedWindowProc(TMessage& m) override;

private:
    // The owner control, else a provider's form; null when there is neither.
    TWinControl* OwnerOrForm() const {
        if (TWinControl* control = OwnerControl) return control;
        return Provider ? Provider->Form() : nullptr;
    }
    void InitCommon(bool makeCache);
    void SendToOwner(int command, unsigned lowWord, LPARAM lParam);

    bool customColor_ = false;
    bool customFont_ = false;
    std::string skinSection_;
    HWND attachedWindow_ = nullptr;  // the window "SKSDATA" was set on
};

// Carries colour tone, hue offset and saturation for the owner's images.
class TSkinCtrlSkinData : public TSkinCommonData {
public:
    using TSkinCommonData::TSkinCommonData;
    void SetColorTone(TColor value);
    void SetHUEOffset(int value);
    void SetSaturation(int value);
};

class TSkinScrollWndData;

// Scroll-bar sizes of a scrolling control (-1: the manager's setting).
class TSkScrollData {
public:
    explicit TSkScrollData(TSkinScrollWndData* data) : data_(data) {}
    int ScrollWidth() const { return scrollWidth_; }
    void SetScrollWidth(int value);  // recomputes the owner's frame
    int ButtonsSize() const { return buttonsSize_; }
    void SetButtonsSize(int value);  // repaints the owner's non-client area

private:
    TSkinScrollWndData* data_;
    int scrollWidth_ = -1;
    int buttonsSize_ = -1;
};

class TSkinScrollWndData : public TSkinCommonData {
public:
    using TSkinCommonData::TSkinCommonData;
    TSkScrollData VertScrollData{this};
    TSkScrollData HorzScrollData{this};
};

// The skin data stored on a window, null when none.
TSkinCommonData* SkinDataOfWindow(HWND wnd);

// The frame-change flags of SetWindowPos used by the skin data.
constexpr UINT kFrameChangeFlags = SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE | SWP_NOMOVE |
                                   SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | SWP_NOCOPYBITS;

}  // namespace ad::skin
