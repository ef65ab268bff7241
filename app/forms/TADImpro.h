// Import Programs: gathers program files from the desktop shortcuts, the shell's
// MUI cache and the App Paths key into the category "( IMPORTED )" through the
// main window's add routine, leaving out the files the exclusion list names.
#pragma once

#include "app/LauncherHost.h"
#include "app/forms/SkinnedControls.h"
#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace ad {

class TADImpro : public TForm {
public:
    TADImpro(TComponent* AOwner, ILauncherHost& host);

    TGroupBox* grpFrom;
    TCheckBox *chkDesktop, *chkMUI, *chkAP;
    TGroupBox* grpExc;
    TMemo* lstExc;
    TSkinBitBtn *skBitBtn1, *Button1;
    TProgressBar* pbImport;

    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void skBitBtn1Click(TObject* Sender);  // Import

private:
    std::string ExclusionFileName() const;
    std::vector<std::string> Exclusions();
    ILauncherHost& host_;
    bool loaded_ = false;
};

}  // namespace ad
