// How the skin engine reaches what sits above it and the system's services:
// one set of links, installed once by the program at start-up (tests install
// theirs the same way). The form and control skinning fill in the window-
// creation hook, the form provider behind a provider's skin data, the hover
// glows, the container class whose instances carry skin data of their own,
// the controls they skin themselves and what happens when the hooks come off;
// the program adds the Windows services of the portable pixel core. Beside
// them, the two process-wide flags that hold back painting and state fades (an
// animation is running; the provider asked for no animation).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "framework/Controls.h"
#include "framework/ListView.h"
#include "skin/engine/image/SkinGradients.h"
#include "skin/engine/image/SkinTypes.h"
#include "skin/engine/skinfile/SkinSectionReader.h"

namespace ad::skin {

class TSkinCommonData;
class TSkinManager;
class TSkinMenusLink;

// The form provider that owns a skin data object.
class TSkinProviderLink {
public:
    virtual ~TSkinProviderLink() = default;
    virtual TWinControl* Form() = 0;
    // The provider paints a title bar of its own.
    virtual bool PaintsOwnTitleBar() const { return false; }
    // The form is an MDI main form.
    virtual bool IsMDIForm() const { return false; }
    // The provider's message handler (SKC_BEGINUPDATE and SKC_ENDUPDATE go through it).
    virtual void HandleMessage(TMessage& m) = 0;
    // The form wears an extended border (a border window with shadows).
    virtual bool HasExtendedBorder() const { return false; }
    // Where the form's client area starts in the provider's whole-window image.
    virtual TPoint ClientOffset() const { return {}; }
};

// Glows over controls. The defaults make none: Create answers -1.
struct TSkinGlowServices {
    // screen rectangle, section, mask name, the control's data, parent window, alpha, margin -> glow index
    std::function<int(const TRect& screenRect, const std::string& section, const std::string& mask,
                      TSkinCommonData* data, HWND parent, int alpha, int margin)>
        Create;
    // Removes the glow whose index slot holds and sets slot to -1 (nothing for
    // -1); an animated removal may keep the index until the glow has faded.
    std::function<void(int& slot, bool animated)> Hide;
    std::function<void(int index, int alpha)> SetAlpha;
    // Removes every glow (each owner's index becomes -1); with freeForms the
    // glow windows go too.
    std::function<void(bool freeForms)> ClearAll;
};

// Sees each call of the thread's window-creation (WH_CBT) hook with the
// system's code, wParam and lParam, after the next hook has answered; the hook
// returns that answer. Runs through the exception barrier.
using TWindowCreationHook = std::function<void(int code, WPARAM wParam, LPARAM lParam)>;
// The container class tested when sections are resolved, see-through is
// worked out and the mouse enters a control: true for its instances.
using TSkinContainerTest = std::function<bool(const TWinControl* control)>;
// Controls an outside party skins itself: the broadcast does not descend into them.
using TBroadcastClaim = std::function<bool(TWinControl* control)>;

// The Windows services of the portable pixel core. Without them four-corner
// gradients paint nothing and the frame width is 4. (System colours need none:
// base's SysColorToRGB answers them, through the skin's palette while the
// colour substitution is on.)
struct TSkinPixelServices {
    TTriangleGradientFill GradientFill = nullptr;
    TSkinMetricLookup FrameWidth = nullptr;  // the default of FORMOFFSET
};
// GradientFill through GDI and the system's frame width.
TSkinPixelServices SystemPixelServices();

struct TSkinEngineLinks {
    TWindowCreationHook CreationHook;  // empty: the hook only passes calls on
    TSkinGlowServices Glows;
    TSkinContainerTest ContainerTest;
    TBroadcastClaim BroadcastClaim;
    TSkinPixelServices Pixels;
    // Called after the default manager has taken its hooks off.
    std::function<void()> OnHooksRemoved;
    // Gives every alpha image list (they sit above the engine) the scale in percent.
    std::function<void(int percent)> RescaleImageLists;
    // An alpha image list of images of the size (the manager's skin thumbnails), and
    // the image of a PNG file's bytes added to such a list (false when they are none).
    std::function<std::unique_ptr<TImageList>(int width, int height)> NewAlphaImageList;
    std::function<bool(TImageList& list, const std::vector<uint8_t>& png)> AddPngImage;
    // Makes a manager's skinned-menus object (the form skinning's); empty: none.
    std::function<std::unique_ptr<TSkinMenusLink>(TSkinManager& manager)> MakeSkinableMenus;
};
// Replaces every link at once; until the first call all are empty.
void InstallSkinEngineLinks(TSkinEngineLinks links);
const TSkinEngineLinks& SkinEngineLinks();

int CreateGlow(const TRect& screenRect, const std::string& section, const std::string& mask, TSkinCommonData* data,
               HWND parent, int alpha, int margin);
void HideGlow(int& slot, bool animated);
void SetGlowAlpha(int index, int alpha);
void ClearAllGlows(bool freeForms);
bool IsSkinContainer(const TWinControl* control);
bool IsBroadcastClaimed(TWinControl* control);

// Set while a form, dialog or skin-change animation runs: child repaints wait.
bool SkinAnimationRunning();
void SetSkinAnimationRunning(bool running);
// The provider's no-animation flag: no state fades while it is set.
bool ProviderNoAnimation();
void SetProviderNoAnimation(bool on);

}  // namespace ad::skin
