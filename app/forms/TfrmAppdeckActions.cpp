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
    if (!button) return;
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

void TfrmAppdeck::btnPropClick(TObject*) { ShowFileProperties(button5->HelpKeyword); }

void TfrmAppdeck::btnFTClick(TObject*) { FindTarget(Handle(), button5->HelpKeyword); }

void TfrmAppdeck::btnCLocClick(TObject*) {
    SetClipboardText(Handle(), CopyLocationText(button5->HelpKeyword, SelectedParam));
}

void TfrmAppdeck::Button7Click(TObject* Sender) {
    auto* button = dynamic_cast<TComponent*>(Sender);
    if (!button) return;
    button5->HelpKeyword = CompleteLocation(button5->HelpKeyword, BaseDir);
    RunPinScript(Handle(), static_cast<int>(button->Tag), button5->HelpKeyword);
}

void TfrmAppdeck::btnVirTotClick(TObject*) { OpenScanPage(button5->HelpKeyword); }

void TfrmAppdeck::btnHashClick(TObject*) {
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
