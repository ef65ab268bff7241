// The main window's actions on one program: launching with the after-launch
// settings, properties, find target, copy location, taskbar pins, the online
// scan, the file hash dialog, the quick links and the web addresses.
#include "app/forms/TfrmAppdeck.h"

#include <memory>

#include "app/Launch.h"
#include "app/forms/TfrmGHash.h"
#include "framework/SysUtils.h"

namespace ad {

void TfrmAppdeck::RunAppz(TObject* Sender) {
    auto* button = dynamic_cast<TButton*>(Sender);
    if (!button || (button == button5 && !RowSelected())) return;
    std::string params = GetPar(button->Name);
    bool started = false;
    button->HelpKeyword = LaunchProgram(Handle(), button->HelpKeyword, params, BaseDir, RunElevated, &started);
    // Closing or hiding the launcher after a start that failed would only lose
    // the user's place: the after-launch actions follow a successful start.
    if (started) ApplyAfterLaunchActions();
}

void TfrmAppdeck::ApplyAfterLaunchActions() {
    TAfterLaunchActions actions = ReadAfterLaunchActions(SettingsFileName());
    if (actions.Close) Close();
    if (actions.Minimize) Application->Minimize();
    if (actions.TrayMode) Button6->Click();
}

// The actions of the list's toolbar act on the selected row only (button5
// keeps its location); without one they do nothing.
void TfrmAppdeck::btnPropClick(TObject*) {
    if (RowSelected()) ShowFileProperties(button5->HelpKeyword);
}

void TfrmAppdeck::btnFTClick(TObject*) {
    if (RowSelected()) FindTarget(Handle(), button5->HelpKeyword);
}

void TfrmAppdeck::btnCLocClick(TObject*) {
    if (RowSelected()) SetClipboardText(Handle(), CopyLocationText(button5->HelpKeyword, SelectedParam));
}

void TfrmAppdeck::Button7Click(TObject* Sender) {
    auto* button = dynamic_cast<TComponent*>(Sender);
    if (!button || !RowSelected()) return;
    button5->HelpKeyword = CompleteLocation(button5->HelpKeyword, BaseDir);
    RunPinScript(Handle(), static_cast<int>(button->Tag), button5->HelpKeyword);
}

// The whole file is hashed for the scan page: on trdOnlineScan, so that a
// large program never freezes the window. A click while it runs adds nothing.
void TfrmAppdeck::btnVirTotClick(TObject*) {
    if (!RowSelected() || trdOnlineScan->IsWorking()) return;
    onlineScanFile_ = button5->HelpKeyword;
    onlineScanAddress_.clear();
    trdOnlineScan->Start();
}

void TfrmAppdeck::trdOnlineScanWorkComplete(bool Cancelled) {
    if (!Cancelled && !onlineScanAddress_.empty()) OpenURL(onlineScanAddress_);
}

void TfrmAppdeck::CancelOnlineScan() {
    trdOnlineScan->CancelAndWait();
}

void TfrmAppdeck::btnHashClick(TObject*) {
    if (!RowSelected()) return;
    std::unique_ptr<TfrmGHash> dialog(CreateForm<TfrmGHash>(nullptr, button5->HelpKeyword));
    dialog->ShowModal();
}

void TfrmAppdeck::PinClick(TObject* Sender) {
    auto* button = dynamic_cast<TButton*>(Sender);
    if (!button) return;
    for (int k = 0; k < 5; ++k) {
        if (pinButtons[2 * k] == button || pinButtons[2 * k + 1] == button) {
            RunPinScript(Handle(), static_cast<int>(button->Tag), CompleteLocation(run[k]->HelpKeyword, BaseDir));
            return;
        }
    }
}

void TfrmAppdeck::QLClick(TObject* Sender) {
    if (auto* b = dynamic_cast<TComponent*>(Sender)) RunQuickLink(b->HelpKeyword);
}

void TfrmAppdeck::OpenHelpKeyword(TObject* Sender) {
    if (auto* b = dynamic_cast<TComponent*>(Sender)) OpenURL(b->HelpKeyword);
}

void TfrmAppdeck::Label4DblClick(TObject*) { ShellOpen(Handle(), BaseDir, "", "", SW_SHOWNORMAL); }

}  // namespace ad
