// The settings dialog: its controls, loading them once from the settings file,
// the live skin bars, Save (settings file first, then the registry entry),
// Cancel and Pin to Taskbar.
#include "app/forms/TfrmADSet.h"

#include <exception>

#include "framework/Controls.h"
#include "app/Launch.h"
#include "skin/engine/win/SkinManager.h"
#include "framework/SysUtils.h"

namespace ad {

TfrmADSet::TfrmADSet(TComponent* AOwner, ILauncherHost& host) : TForm(AOwner), host_(host) {
    Name = "frmADSet";
    SetCaption("Settings");
    BorderStyle = TFormBorderStyle::bsDialog;
    BorderIcons = biSystemMenu;
    Position = TPosition::poScreenCenter;
    KeyPreview = true;
    SetClientSize(430, 398);

    chkRO = MakeControl<TCheckBox>(this, this, "chkRO", 14, 10, 400, 17, "Run in \"Read Only\" Mode");
    chkBCM = MakeControl<TCheckBox>(this, this, "chkBCM", 14, 31, 400, 17, "Add Appdeck to \"Background Context Menu\"");

    grpLaunch = MakeControl<TGroupBox>(this, this, "grpLaunch", 8, 56, 414, 96, " \"Launch\" Options ");
    chkARAA = MakeControl<TCheckBox>(this, grpLaunch, "chkARAA", 12, 20, 390, 17,
                               "Automatically \"Run selected Program as Administrator\"");
    lblAfter = MakeControl<TLabel>(this, grpLaunch, "lblAfter", 12, 46, 80, 15, "After Launch :");
    RadioButton1 = MakeControl<TRadioButton>(this, grpLaunch, "RadioButton1", 100, 44, 140, 17, "Do Nothing");
    chkCAL = MakeControl<TRadioButton>(this, grpLaunch, "chkCAL", 250, 44, 150, 17, "Close Appdeck");
    chkMAL = MakeControl<TRadioButton>(this, grpLaunch, "chkMAL", 100, 68, 140, 17, "Minimize Appdeck");
    chkTMAL = MakeControl<TRadioButton>(this, grpLaunch, "chkTMAL", 250, 68, 150, 17, "Send to \"Tray Mode\"");
    RadioButton1->SetChecked(true);

    grpTray = MakeControl<TGroupBox>(this, this, "grpTray", 8, 158, 414, 72, " \"Tray Mode\" Options ");
    chkTMM = MakeControl<TCheckBox>(this, grpTray, "chkTMM", 12, 20, 390, 17, "Send to \"Tray Mode\" when minimized");
    chkRAM = MakeControl<TCheckBox>(this, grpTray, "chkRAM", 12, 45, 150, 17, "\"Optimize RAM\" Every");
    cmbRAM = MakeControl<TComboBox>(this, grpTray, "cmbRAM", 166, 42, 110, 21);
    cmbRAM->Style = TComboBoxStyle::csDropDownList;
    for (const char* item : RAMIntervalItems) cmbRAM->Items().Add(item);
    cmbRAM->SetItemIndex(0);
    chkRAM->OnClick = [this](TObject* s) { chkRAMClick(s); };

    grpOther = MakeControl<TGroupBox>(this, this, "grpOther", 8, 236, 414, 46, " Other ");
    chkSDCD = MakeControl<TCheckBox>(this, grpOther, "chkSDCD", 12, 20, 390, 17,
                               "Delete Confirmation Dialog ( View Style 2 && 3 )");
    chkSDCD->SetChecked(true);

    grpSkin = MakeControl<TGroupBox>(this, this, "grpSkin", 8, 288, 414, 70, " Skin Customization ");
    struct Bar {
        TLabel** label;
        TSkinScrollBar** bar;
        const char* labelName;
        const char* barName;
        const char* caption;
        int min, max;
    } bars[] = {
        {&lblHue, &trkHue, "lblHue", "trkHue", "Hue", 0, 360},
        {&lblSat, &trkSat, "lblSat", "trkSat", "Saturation", -100, 100},
        {&lblBrg, &trkBrg, "lblBrg", "trkBrg", "Brightness", -50, 25},
    };
    int y = 20;
    for (const Bar& b : bars) {
        *b.label = MakeControl<TLabel>(this, grpSkin, b.labelName, 12, y + 1, 70, 15, b.caption);
        *b.bar = MakeControl<TSkinScrollBar>(this, grpSkin, b.barName, 90, y, 310, 17);
        (*b.bar)->SetMin(b.min);
        (*b.bar)->SetMax(b.max);
        (*b.bar)->LargeChange = 10;
        (*b.bar)->SetPosition(0);
        (*b.bar)->OnMouseUp = [this](TObject* s, TMouseButton, TShiftState, int, int) { SkinBarMouseUp(s); };
        y += 24;
    }
    lblBrg->SetVisible(false);  // brightness is changed by nothing the user sees
    trkBrg->SetVisible(false);

    Button3 = MakeControl<TSkinBitBtn>(this, this, "Button3", 8, 366, 110, 25, "Pin to Taskbar");
    Button3->OnClick = [this](TObject* s) { Button3Click(s); };
    Button1 = MakeControl<TSkinBitBtn>(this, this, "Button1", 262, 366, 76, 25, "Save");
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    Button2 = MakeControl<TSkinBitBtn>(this, this, "Button2", 346, 366, 76, 25, "Cancel");
    Button2->Cancel = true;  // Esc cancels, restoring the skin as Cancel does
    Button2->OnClick = [this](TObject* s) { Button2Click(s); };

    OnActivate = [this](TObject* s) { FormActivate(s); };
}

// Loads once: a later activation (after a message box, or back from another
// program) keeps what the user has changed meanwhile.
void TfrmADSet::FormActivate(TObject*) {
    if (loaded_) return;
    loaded_ = true;
    skin::TSkinManager& skin = host_.SkinManager();
    restoreHue_ = skin.HueOffset();
    restoreSat_ = skin.Saturation();
    restoreBrightness_ = skin.Brightness();

    stored_ = ReadSettingsValues(SettingsFileName());
    chkTMM->SetChecked(stored_.Min2TrayMode);
    // When several are stored as on, the last one checked wins: tray mode, then minimise, then close.
    RadioButton1->SetChecked(true);
    if (stored_.CloseAfterLaunch) chkCAL->SetChecked(true);
    if (stored_.MinimizeAfterLaunch) chkMAL->SetChecked(true);
    if (stored_.TrayModeAfterLaunch) chkTMAL->SetChecked(true);
    chkARAA->SetChecked(stored_.RunAsAdmin);
    chkRO->SetChecked(stored_.ReadOnlyMode);
    chkBCM->SetChecked(stored_.BackgroundContextMenu);
    chkRAM->SetChecked(stored_.RAMOptimizer);
    chkRAMClick(chkRAM);
    cmbRAM->SetItemIndex(RAMIntervalItemIndex(stored_.RAMOptimizerInterval));
    chkSDCD->SetChecked(stored_.VS23DConfirm);
    trkHue->SetPosition(stored_.SkinHue);
    trkSat->SetPosition(stored_.SkinSat);
}

void TfrmADSet::chkRAMClick(TObject*) { cmbRAM->SetEnabled(chkRAM->Checked()); }

void TfrmADSet::SkinBarMouseUp(TObject* Sender) {
    skin::TSkinManager& skin = host_.SkinManager();
    if (Sender == trkHue) skin.SetHueOffset(trkHue->Position());
    else if (Sender == trkSat) skin.SetSaturation(trkSat->Position());
    else if (Sender == trkBrg) skin.SetBrightness(trkBrg->Position());
}

void TfrmADSet::Button1Click(TObject*) {
    TSettingsValues v = stored_;
    v.Min2TrayMode = chkTMM->Checked();
    v.CloseAfterLaunch = chkCAL->Checked();
    v.MinimizeAfterLaunch = chkMAL->Checked();
    v.TrayModeAfterLaunch = chkTMAL->Checked();
    v.ReadOnlyMode = chkRO->Checked();
    v.BackgroundContextMenu = chkBCM->Checked();
    v.VS23DConfirm = chkSDCD->Checked();
    v.RunAsAdmin = chkARAA->Checked();
    v.RAMOptimizer = chkRAM->Checked();
    // A stored interval that no item shows is kept as it is.
    if (int item = cmbRAM->ItemIndex(); item >= 0) v.RAMOptimizerInterval = RAMIntervalOfItem(item);
    v.SkinHue = trkHue->Position();
    v.SkinSat = trkSat->Position();

    std::exception_ptr failure;
    try {
        // The file first: a registry failure then loses no setting.
        WriteSettingsValues(SettingsFileName(), v);
        if (v.BackgroundContextMenu) RegisterBackgroundMenu(ModuleFileName(), BackgroundMenuKeyName);
        else RemoveBackgroundMenu(BackgroundMenuKeyName);
    } catch (...) {
        failure = std::current_exception();
    }
    host_.SetReadOnlyView(v.ReadOnlyMode);
    ModalResult = mrOk;
    Close();
    if (failure && Application) Application->HandleException(failure);
}

void TfrmADSet::Button2Click(TObject*) {
    skin::TSkinManager& skin = host_.SkinManager();
    skin.SetHueOffset(restoreHue_);
    skin.SetSaturation(restoreSat_);
    skin.SetBrightness(restoreBrightness_);
    ModalResult = mrCancel;
    Close();
}

void TfrmADSet::Button3Click(TObject*) { RunPinScript(Handle(), 1, ModuleFileName()); }

}  // namespace ad
