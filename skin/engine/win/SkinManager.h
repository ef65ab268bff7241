// The skin manager: the one component that owns the active skin. It loads the
// skin by name (packed file, folder or stored skin), applies hue, saturation
// and brightness by reloading from the decoded images, tells every form of the
// thread through the private message when the skin appears, changes or goes,
// and installs the window-creation hook through which forms get skinned (its
// work is the engine links' creation hook). The first manager created is the
// default manager.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Controls.h"
#include "framework/Handles.h"
#include "framework/ListView.h"
#include "skin/engine/skinfile/SkinLoader.h"
#include "skin/engine/skinfile/SkinManagerSettings.h"
#include "skin/engine/image/SkinScaling.h"
#include "skin/engine/skinfile/SkinStoredSkins.h"
#include "skin/engine/skinfile/SkinTables.h"
#include "skin/engine/skinfile/SkinThirdParty.h"
#include "skin/engine/win/SkinMenuSupport.h"

namespace ad::skin {

class TSkinManager;
class TSkAppWindowHook;
using TSkinManagerEvent = std::function<void(TSkinManager* sender)>;
// Asked before a standard dialog is skinned; clearing AllowSkinning leaves it native.
using TSkSysDlgInitEvent = std::function<void(HWND window, bool& AllowSkinning)>;

// The scroll bars' thickness and arrow-button length of the skinned windows;
// -1 takes the system's size. A change reaches the skinned windows at once.
class TSkScrollBarsSupport {
public:
    explicit TSkScrollBarsSupport(TSkinManager& manager) : manager_(manager) {}
    int ScrollSize() const { return scrollSize_; }
    void SetScrollSize(int value);    // the forms recalculate their frames (SKC_FRAMECHANGED)
    int ButtonsSize() const { return buttonsSize_; }
    void SetButtonsSize(int value);   // the skinned windows repaint (RefreshAll)

private:
    TSkinManager& manager_;
    int scrollSize_ = -1;
    int buttonsSize_ = -1;
};

// The built-in shadows of extended borders and the blur image of generated
// outer effects, read once from the program's resources "skSHDA", "skSHDI"
// (PNG) and "BLUR5" (bitmap); null when the program has none.
const TBitmap32* BuiltInActiveShadow();
const TBitmap32* BuiltInInactiveShadow();
const TBitmap32* BuiltInBlurImage();

// Whether desktop composition is on, which decides how images are prepared for
// layered windows (the rule for the pixels near white differs): the system's
// answer (IsCompositionEnabled) unless a test puts another in.
extern bool (*SkinCompositionEnabled)();

// The manager every skinned control uses unless it names its own; null when none.
TSkinManager* DefaultManager();
// Set while a skin loads (painting code skips work meanwhile).
bool SkinLoading();

inline const char* const kSkinEngineVersion = "11.11";
inline const char* const kBuiltInSkinName = "Appdeck";

class TSkinManager;
// Adds the skin stored in the program (resource "ADSKIN") to the manager's
// stored skins as "Appdeck"; nothing when the program holds none.
void RegisterBuiltInSkin(TSkinManager& manager);

class TSkinManager : public TComponent {
public:
    explicit TSkinManager(TComponent* AOwner);
    ~TSkinManager() override;

    // ---- The skin ----
    bool Active() const { return active_; }
    void SetActive(bool value);
    const std::string& SkinName() const { return skinName_; }
    void SetSkinName(const std::string& value);
    const std::string& SkinDirectory() const { return skinDirectory_; }
    void SetSkinDirectory(const std::string& value);
    // The resolved skin folder with a trailing backslash.
    std::string SkinDirectoryPath() const;
    TSkinStoredSkins InternalSkins;
    // Overlay sections laid over every skin (INI text); setting reloads.
    const std::string& CommonSections() const { return commonSections_; }
    void SetCommonSections(const std::string& text);

    int HueOffset() const { return hueOffset_; }
    void SetHueOffset(int value);
    int Saturation() const { return saturation_; }
    void SetSaturation(int value);
    int Brightness() const { return brightness_; }
    void SetBrightness(int value);  // clamped to -100..100
    bool ExtendedBorders() const { return extendedBorders_; }
    void SetExtendedBorders(bool value);
    // Whether popup and system menus wear the skin. For the default manager a
    // change makes the skinned menus follow the skin (on) or switches them off.
    bool SkinnedPopups() const { return skinnedPopups_; }
    void SetSkinnedPopups(bool value);
    TSkMenuSupport MenuSupport;
    // The skinned-menus object (made through the engine links when first
    // asked, if it was not made with the manager); null without the link.
    TSkinMenusLink* SkinableMenus();
    // A skin is loaded and the manager is active.
    bool SkinActive() const { return active_ && skin_; }
    TSkSkinningRules SkinningRules = kAllSkinningRules;
    // The class names whose controls get window adapters on skinned forms.
    TSkThirdPartyList ThirdParty;

    bool IsDefault() const { return DefaultManager() == this; }
    void SetIsDefault(bool value);
    // The loaded skin's version ("." as separator), "N/A" without a skin.
    std::string SkinInfo() const;
    std::string Version() const { return kSkinEngineVersion; }

    // The loaded skin; null when none is loaded.
    const TSkinTables* Skin() const { return skin_.get(); }
    TSkinTables* Skin() { return skin_.get(); }
    TColor FormColor() const;
    // The skins' thumbnails, the manager's own list (an alpha image list where
    // the controls are linked in), made on first use at the size given then.
    TImageList& SkinThumbnails(int width, int height);

    // ---- Operations ----
    void ApplySkinToAll(bool animate);
    void UnskinAll();
    void RefreshAll(bool animate);
    void ReloadSkin();
    void InstallHooks();
    void UninstallHooks();
    bool HooksInstalled() const { return bool(hook_); }
    void BeginBatch() { batch_ = true; }
    void EndBatch(bool animate);

    // ---- Scaling ----
    TSkScaleMode ScaleMode() const { return scaleMode_; }
    void SetScaleMode(TSkScaleMode mode);
    int ScaleLevel() const { return ScaleLevelOf(scaleMode_, autoScaleLevel_); }
    int ScaleInt(int value, int index = 0) const { return ScaleIntFor(scaleMode_, ScaleLevel(), value, index); }

    // ---- Effects, animations and options that skinned controls read ----
    TSkSkinEffects Effects;
    TSkAnimEffects AnimEffects;
    TSkOptions Options;
    TSkScrollBarsSupport ScrollsOptions{*this};
    TSkButtonsSupport ButtonsOptions;
    TSkLabelsSupport LabelsOptions;

    // ScrollsOptions.ScrollSize when 0 or more, else the system's vertical
    // scroll-bar width; EffectiveScrollWidth the larger of that and the system's.
    int ScrollBarWidth() const;
    int EffectiveScrollWidth() const;

    // Brings a control (a form when it is shown) from oldPercent (or the
    // scale it reports) to the manager's scale: new size, SKC_SETSCALE.
    void ScaleControl(TWinControl* control, int oldPercent);
    // Every skinned form to the manager's scale.
    void RescaleAll();

    // ---- Hover tracking ----
    // The window under the mouse (null: none): the old one hears
    // SKC_MOUSELEAVE and the new one SKC_MOUSEENTER. While one is set, a
    // 100 ms check lets it go once the cursor has left its rectangle.
    void SetHoverWindow(HWND window);
    HWND HoverWindow() const { return hoverWindow_; }
    // The control under the mouse inside the hover window (null: none); a
    // control whose skin data still sees the mouse stays on a null.
    void SetHoverControl(TWinControl* control);
    TWinControl* HoverControl() const { return hoverControl_; }
    // The check the timer runs, with the cursor position it read.
    void CheckHover(POINT cursor);

    // ---- Events ----
    TSkinManagerEvent OnActivate, OnDeactivate, OnAfterChange, OnBeforeChange, OnSkinLoading;
    TSkSysDlgInitEvent OnSysDlgInit;
    TSkGetExtraLineData OnGetMenuExtraLineData;
    TSkGetPopupItemData OnGetPopupItemData;

private:
    friend class TSkScrollBarsSupport;
    void LoadByName(const std::string& oldName);  // the SkinName sequence
    bool LoadInto(bool keepCache);  // builds the skin aside and swaps it in; false when none exists
    void FreeSkin();
    void SendToForms(int command);

    bool active_ = true;
    std::string skinName_;
    std::string skinDirectory_ = "c:\\Skins";
    std::string commonSections_;
    int hueOffset_ = 0, saturation_ = 0, brightness_ = 0;
    bool extendedBorders_ = false;
    bool skinnedPopups_ = true;
    bool batch_ = false;
    bool removing_ = false;
    TSkScaleMode scaleMode_ = smOldMode;
    int autoScaleLevel_ = 0;
    std::unique_ptr<TSkinTables> skin_;
    std::string skinPath_;
    TSkinImageCache cache_;
    OwnedHook hook_;
    std::unique_ptr<TSkAppWindowHook> appHook_;  // the default manager's, on the application window
    HWND hoverWindow_ = nullptr;
    TComponentLink<TWinControl> hoverControl_;
    TComponent* hoverTimer_ = nullptr;  // owned (a framework timer), made with the first hover window
    std::unique_ptr<TImageList> thumbnails_;
    std::unique_ptr<TSkinMenusLink> menus_;
};

}  // namespace ad::skin
