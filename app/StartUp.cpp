// The program's start-up before its main form.
#include "app/StartUp.h"

#include "framework/ParentBackground.h"
#include "skin/controls/skAlphaImageList.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/forms/SkinFormServices.h"
#include "skin/forms/SkinHook.h"

namespace ad {

void StartUpProgram() {
    skin::TSkinEngineLinks links;
    links.Pixels = skin::SystemPixelServices();
    // Every form gets its skin provider through the window-creation hook.
    skin::forms::AddFormSkinningLinks(links);
    // A new scale reaches every alpha image list.
    skin::controls::AddImageListLinks(links);
    skin::InstallSkinEngineLinks(std::move(links));
    // Labels and other stand-ins show a skinned form's background beneath them.
    SetParentBackgroundPainter(skin::forms::PaintSkinnedParentBackground);
}

void SetLauncherSkinEffects(skin::TSkinManager& manager) {
    manager.Effects.AllowAnimation = false;
    manager.Effects.AllowGlowing = false;
    manager.Effects.AllowAeroBluring = false;
    skin::TSkAnimEffects& anim = manager.AnimEffects;
    for (skin::TSkFormAnimation* a : {&anim.FormShow, &anim.FormHide, &anim.DialogShow, &anim.DialogHide,
                                      &anim.PageChange, &anim.Minimizing, &anim.SkinChanging})
        a->Active = false;
    anim.BlendOnMoving.Active = false;
    anim.Buttons.Events = 0;
}

void SetLauncherClassLists(skin::TSkinManager& manager) {
    skin::TSkThirdPartyList& lists = manager.ThirdParty;
    lists.SetText(skin::akEdit, "TEdit\nTMemo\nTListBox\nTCheckListBox\nTIntEdit");
    lists.SetText(skin::akCheckBox, "TCheckBox\nTRadioButton");
    lists.SetText(skin::akComboBox, "TComboBox");
    lists.SetText(skin::akGroupBox, "TGroupBox");
    lists.SetText(skin::akListView, "TListView");
    lists.SetText(skin::akPageControl, "TPageControl");
    lists.SetText(skin::akStatusBar, "TStatusBar");
    lists.SetText(skin::akUpDown, "TUpDown");
    lists.SetText(skin::akSpeedButton, "TSpeedButton");
    lists.SetText(skin::akPanel, "TPanel\nTOutlinePanel");
    lists.SetText(skin::akGrid, "TReportGridWindow");
}

}  // namespace ad
