// Glows of hot controls and caption buttons: a soft image from a skin mask,
// shown around the control in a layered glow form that lets the mouse
// through. Every glow lives in one process-wide list; a control keeps only
// its glow's index, which stays valid until the list is cleared.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "skin/engine/win/SkinCommonData.h"
#include "skin/engine/win/SkinDib.h"
#include "skin/engine/win/SkinEngineLinks.h"

namespace ad::skin::forms {

class TSkGlowForm;

class TSkGlowEffect {
public:
    TSkGlowEffect(TSkinCommonData* ownerData, TSkinManager* manager);
    ~TSkGlowEffect();
    TSkGlowEffect(const TSkGlowEffect&) = delete;
    TSkGlowEffect& operator=(const TSkGlowEffect&) = delete;

    // Shows the glow around rect (screen) at the opacity; nothing when shown.
    void Show(const TRect& rect, HWND ownerWindow, int alpha);
    // A transparent W x H image with the glow mask drawn nine-grid over it.
    void MakeBitmap(int width, int height);

    int Margin = 0;
    int MaskIndex = -1;
    std::unique_ptr<TSkGlowForm> GlowForm;
    std::unique_ptr<TDibSection32> GlowBitmap;
    bool Destroying = false;
    TSkinManager* Manager = nullptr;
    TSkinCommonData* OwnerData = nullptr;
};

// The glow list's own operations; the engine reaches them through its links
// (GlowServices), everything else calls the engine's functions of the same names.
namespace glow {

// The glow of a control: its index in the list, or -1 (no layered windows,
// no owner data, a captured mouse, or no "<mask>0" mask in the section).
int CreateGlow(const TRect& rect, const std::string& section, const std::string& mask, TSkinCommonData* ownerData,
               HWND ownerWindow, int alpha, int margin);
// The same with the mask given as the first entry of a list; -1 when the
// list is empty or its first entry is negative.
int CreateGlowFromFrames(const TRect& rect, const std::vector<int>& masks, TSkinCommonData* ownerData,
                         HWND ownerWindow, int alpha, int margin);
// Removes the glow whose index index holds (index becomes -1), or, with fade
// and animations allowed, fades it out first.
void HideGlow(int& index, bool fade);
void SetGlowAlpha(int index, int alpha);
// Removes every glow (each owner's index becomes -1); with freeForms the
// glow forms are freed at once. Does nothing while a glow form is being freed.
void ClearAllGlows(bool freeForms);
// Glows in the list (leak checks) and the effect at an index (null when none).
int LiveGlowCount();
TSkGlowEffect* GlowAt(int index);

}  // namespace glow

// The glow services of the engine links.
TSkinGlowServices GlowServices();

}  // namespace ad::skin::forms
