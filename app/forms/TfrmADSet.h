// The settings dialog: shows and stores the keys of "Appdeck.ini" section
// "Settings", changes the skin's hue and saturation live (restored on Cancel),
// keeps the folder-background context-menu entry, and pins the launcher itself.
#pragma once

#include <string>

#include "app/LauncherHost.h"
#include "app/forms/SettingsFile.h"
#include "app/forms/SkinnedControls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace ad {

class TfrmADSet : public TForm {
public:
    TfrmADSet(TComponent* AOwner, ILauncherHost& host);

    TCheckBox *chkRO, *chkBCM;
    TGroupBox* grpLaunch;
    TCheckBox* chkARAA;
    TLabel* lblAfter;
    TRadioButton *chkCAL, *chkMAL, *RadioButton1, *chkTMAL;
    TGroupBox* grpTray;
    TCheckBox *chkTMM, *chkRAM;
    TComboBox* cmbRAM;
    TGroupBox* grpOther;
    TCheckBox* chkSDCD;
    TGroupBox* grpSkin;
    TLabel *lblHue, *lblSat, *lblBrg;
    TSkinScrollBar *trkHue, *trkSat, *trkBrg;
    TSkinBitBtn *Button1, *Button2, *Button3;

    // Where Save keeps the folder-background entry, below HKEY_CLASSES_ROOT.
    std::string BackgroundMenuKeyName = BackgroundMenuKey;

    void FormActivate(TObject* Sender);
    void chkRAMClick(TObject* Sender);
    void SkinBarMouseUp(TObject* Sender);
    void Button1Click(TObject* Sender);  // Save
    void Button2Click(TObject* Sender);  // Cancel
    void Button3Click(TObject* Sender);  // Pin to Taskbar

private:
    std::string SettingsFileName() const { return host_.BaseFolder() + "Appdeck.ini"; }
    ILauncherHost& host_;
    bool loaded_ = false;
    TSettingsValues stored_;  // as read when the dialog opened
    int restoreHue_ = 0, restoreSat_ = 0, restoreBrightness_ = 0;
};

}  // namespace ad
