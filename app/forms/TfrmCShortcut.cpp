// The Create Shortcut dialog: two toggles (flipped by Alt+D and Alt+S through
// their buttons), the Explore buttons, and OK making the shortcuts asked for.
#include "app/forms/TfrmCShortcut.h"

#include <shlobj.h>

#include "app/Launch.h"
#include "app/forms/ImportSources.h"
#include "app/forms/ShellLinks.h"

namespace ad {

namespace {

constexpr int kFolderIds[] = {CSIDL_DESKTOP, CSIDL_SENDTO};

}  // namespace

TfrmCShortcut::TfrmCShortcut(TComponent* AOwner, TShortcutSource source) : TForm(AOwner), source_(std::move(source)) {
    Name = "frmCShortcut";
    SetCaption("Create Shortcut to ...");
    BorderStyle = TFormBorderStyle::bsDialog;
    BorderIcons = biSystemMenu;
    Position = TPosition::poMainFormCenter;
    KeyPreview = true;
    SetClientSize(300, 132);

    GroupBox1 = Make<TGroupBox>(this, "GroupBox1", 8, 6, 284, 84, " Create Shortcut to ");
    spdDesktop = Make<TSpeedButton>(GroupBox1, "spdDesktop", 12, 20, 110, 26, "Desktop");
    spdSendto = Make<TSpeedButton>(GroupBox1, "spdSendto", 12, 50, 110, 26, "SendTo");
    spdDesktop->GroupIndex = 1;
    spdSendto->GroupIndex = 2;
    for (TSpeedButton* b : {spdDesktop, spdSendto}) b->AllowAllUp = true;
    spdDesktop->Hint = "Press \"D\" to set this Button \"Up\" or \"Down\"";
    spdSendto->Hint = "Press \"S\" to set this Button \"Up\" or \"Down\"";
    // The accelerator buttons sit out of sight: Alt+D and Alt+S press them.
    chkDesktop = Make<TSkinBitBtn>(GroupBox1, "chkDesktop", -200, 20, 10, 10, "&Desktop");
    chkSendto = Make<TSkinBitBtn>(GroupBox1, "chkSendto", -200, 50, 10, 10, "&SendTo");
    for (TSkinBitBtn* b : {chkDesktop, chkSendto}) b->SetTabStop(false);
    expDesktop = Make<TSkinBitBtn>(GroupBox1, "expDesktop", 130, 20, 70, 26, "Explore");
    expSendTo = Make<TSkinBitBtn>(GroupBox1, "expSendTo", 130, 50, 70, 26, "Explore");
    expDesktop->Tag = 0;
    expSendTo->Tag = 1;
    btnOK = Make<TSkinBitBtn>(this, "btnOK", 136, 98, 76, 26, "OK");
    btnOK->Default = true;
    btnCancel = Make<TSkinBitBtn>(this, "btnCancel", 216, 98, 76, 26, "Cancel");
    btnCancel->Cancel = true;
    btnCancel->ModalResult = mrCancel;

    ExploreFolder = [this](const std::string& folder) {
        ShellOpen(Handle(), "explorer.exe", folder, "", SW_SHOWNORMAL);
    };
    chkDesktop->OnClick = [this](TObject*) { spdDesktop->SetDown(!spdDesktop->Down()); };
    chkSendto->OnClick = [this](TObject*) { spdSendto->SetDown(!spdSendto->Down()); };
    expDesktop->OnClick = [this](TObject* s) { ExploreClick(s); };
    expSendTo->OnClick = [this](TObject* s) { ExploreClick(s); };
    btnOK->OnClick = [this](TObject* s) { btnOKClick(s); };
    btnCancel->OnClick = [this](TObject*) { Close(); };
    OnKeyPress = [this](TObject* s, wchar_t& k) { FormKeyPress(s, k); };
}

void TfrmCShortcut::btnOKClick(TObject*) {
    const bool wanted[] = {spdDesktop->Down(), spdSendto->Down()};
    for (int i = 0; i < 2; ++i)
        if (wanted[i]) CreateShellLink(source_.Target, source_.Params, source_.Name, kFolderIds[i]);
    Close();
}

void TfrmCShortcut::ExploreClick(TObject* Sender) {
    auto* button = dynamic_cast<TComponent*>(Sender);
    if (!button || button->Tag < 0 || button->Tag > 1) return;
    std::string folder = GetSpecialFolder(kFolderIds[button->Tag]);
    if (folder != "\\" && ExploreFolder) ExploreFolder(folder);
}

void TfrmCShortcut::FormKeyPress(TObject*, wchar_t& Key) {
    if (Key != 27) return;
    Key = 0;
    Close();
}

}  // namespace ad
