// The program entry fields shared by the Application Manager and the edit
// dialog (see ProgramDetailsForm.h).
#include "app/forms/ProgramDetailsForm.h"

#include "app/Catalogue.h"
#include "base/StrUtils.h"
#include "framework/SysUtils.h"

namespace ad {

TProgramDetailsForm::TProgramDetailsForm(TComponent* AOwner, ILauncherHost& host)
    : TForm(AOwner), host_(host), baseDir_(host.BaseFolder()) {
    BorderStyle = TFormBorderStyle::bsDialog;
    BorderIcons = biSystemMenu;
    Position = TPosition::poMainFormCenter;
    KeyPreview = true;
    OD = new TOpenDialog(this);
    OD->Name = "OD";
    OD->Title = "Browse Application...";
    OD->Filter = "Application (*.exe)|*.exe;*.ex";
    OD->DefaultExt = ".exe";
}

void TProgramDetailsForm::BuildFields(TWinControl* parent, int x, int y) {
    auto label = [&](const char* name, int dx, int dy, const char* caption) {
        return MakeControl<TLabel>(this, parent, name, x + dx, y + dy + 3, 0, 0, caption);
    };
    auto edit = [&](const char* name, int dx, int dy, int w) {
        return MakeControl<TEdit>(this, parent, name, x + dx, y + dy, w, 21);
    };
    // Each label comes right before its field: its accelerator moves the focus there.
    lblName = label("lblName", 0, 0, "&Name");
    SDName = edit("SDName", 90, 0, 230);
    lblCat = label("lblCat", 340, 0, "&Category");
    cmbCat = MakeControl<TComboBox>(this, parent, "cmbCat", x + 420, y, 200, 21);
    cmbCat->Style = TComboBoxStyle::csDropDownList;
    cmbCat->DropDownCount = 16;
    lblDesc = label("lblDesc", 0, 28, "&Description ");
    SDDesc = edit("SDDesc", 90, 28, 530);
    lblLoc = label("lblLoc", 0, 56, "&Location");
    SDLoc = edit("SDLoc", 90, 56, 502);
    btnBrowse = MakeControl<TSkinBitBtn>(this, parent, "btnBrowse", x + 596, y + 56, 24, 21, "...");
    btnBrowse->Hint = "Browse Application...";
    btnBrowse->OnClick = [this](TObject* s) { btnBrowseClick(s); };
    lblRel = MakeControl<TLabel>(this, parent, "lblRel", x + 90, y + 79, 0, 0, "( Relative Path Allowed )");
    lblPar = label("lblPar", 0, 98, "&Parameter");
    txtPar = edit("txtPar", 90, 98, 230);
    lblHB = label("lblHB", 340, 98, "&HB Command");
    txtHB = edit("txtHB", 420, 98, 200);
    txtHB->Hint = "A command that integrates this program with Hopbar, the quick-launch companion";
    for (TEdit* e : {SDName, SDDesc, SDLoc, txtPar, txtHB}) {
        e->OnKeyPress = [this](TObject*, wchar_t& key) {
            if (key != L'\r') return;
            key = 0;
            if (OnEnterInField) OnEnterInField();
        };
    }
}

TProgramEntry TProgramDetailsForm::TakeFields() {
    std::string name = BracketsToParens(SDName->Text());
    SDName->SetText(name);
    return TProgramEntry{name, SDDesc->Text(), SDLoc->Text(), txtPar->Text(), txtHB->Text()};
}

void TProgramDetailsForm::ShowFields(const TProgramEntry& entry) {
    SDName->SetText(entry.Name);
    SDDesc->SetText(entry.Desc);
    SDLoc->SetText(entry.Loc);
    txtPar->SetText(entry.Param);
    txtHB->SetText(entry.HBcmd);
}

void TProgramDetailsForm::ListCategories() {
    cmbCat->Items().Clear();
    for (const std::string& name : host_.CategoryNames()) cmbCat->Items().Add(name);
}

void TProgramDetailsForm::btnBrowseClick(TObject*) {
    std::string folder = ExtractFilePath(SDLoc->Text());
    OD->InitialDir = !folder.empty() && DirectoryExists(folder) ? folder : std::string();
    if (OD->Execute(Handle())) SDLoc->SetText(RelativeToBase(OD->FileName, baseDir_));
}

}  // namespace ad
