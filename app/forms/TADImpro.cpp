// The Import Programs dialog: its controls, the exclusion list kept in
// "ExcList.dat", and the import with its progress.
#include "app/forms/TADImpro.h"

#include "framework/Controls.h"
#include "app/forms/ImportSources.h"
#include "base/StrUtils.h"
#include "framework/SysUtils.h"

namespace ad {

TADImpro::TADImpro(TComponent* AOwner, ILauncherHost& host) : TForm(AOwner), host_(host) {
    Name = "ADImpro";
    SetCaption("Import Programs");
    BorderStyle = TFormBorderStyle::bsDialog;
    BorderIcons = biSystemMenu;
    Position = TPosition::poMainFormCenter;
    KeyPreview = true;
    SetClientSize(360, 300);

    grpFrom = MakeControl<TGroupBox>(this, this, "grpFrom", 8, 6, 344, 48, " Import From ... ");
    chkDesktop = MakeControl<TCheckBox>(this, grpFrom, "chkDesktop", 12, 21, 90, 17, "Desktop");
    chkMUI = MakeControl<TCheckBox>(this, grpFrom, "chkMUI", 110, 21, 90, 17, "MUI Cache");
    chkAP = MakeControl<TCheckBox>(this, grpFrom, "chkAP", 210, 21, 120, 17, "Application Path");
    grpExc = MakeControl<TGroupBox>(this, this, "grpExc", 8, 60, 344, 170, " Exclusion List ");
    lstExc = MakeControl<TMemo>(this, grpExc, "lstExc", 10, 20, 324, 140);
    lstExc->WordWrap = false;
    pbImport = MakeControl<TProgressBar>(this, this, "pbImport", 8, 238, 344, 17);
    pbImport->SetMax(12);
    skBitBtn1 = MakeControl<TSkinBitBtn>(this, this, "skBitBtn1", 196, 266, 76, 25, "Import");
    skBitBtn1->OnClick = [this](TObject* s) { skBitBtn1Click(s); };
    Button1 = MakeControl<TSkinBitBtn>(this, this, "Button1", 276, 266, 76, 25, "Cancel");
    Button1->Cancel = true;
    Button1->ModalResult = mrCancel;
    Button1->OnClick = [this](TObject*) { Close(); };

    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

std::string TADImpro::ExclusionFileName() const { return host_.BaseFolder() + ExclusionListFile; }

std::vector<std::string> TADImpro::Exclusions() {
    std::vector<std::string> lines;
    for (int i = 0; i < lstExc->Lines().Count(); ++i) lines.push_back(lstExc->Lines()[i]);
    return lines;
}

// Loads once: a later activation keeps the user's edits.
void TADImpro::FormActivate(TObject*) {
    if (loaded_) return;
    loaded_ = true;
    if (FileExists(ExclusionFileName())) lstExc->Lines().LoadFromFile(ExclusionFileName());
}

void TADImpro::FormClose(TObject*, TCloseAction&) { lstExc->Lines().SaveToFile(ExclusionFileName()); }

void TADImpro::skBitBtn1Click(TObject*) {
    pbImport->SetPosition(0);
    std::vector<std::string> exclusions = Exclusions();
    std::vector<std::string> files;
    bool any = false;
    struct Source {
        TCheckBox* box;
        std::vector<std::string> (*find)(const std::vector<std::string>&);
        int steps;  // the progress it stands for
    } sources[] = {{chkDesktop, &DesktopImports, 5}, {chkMUI, &MuiCacheImports, 4}, {chkAP, &AppPathImports, 3}};
    for (const Source& s : sources) {
        if (s.box->Checked()) {
            any = true;
            host_.ListAndSelectCategory(ImportCategory);
            for (std::string& f : s.find(exclusions)) files.push_back(std::move(f));
        }
        pbImport->StepBy(s.steps);
    }
    if (any) {
        host_.AddPrograms(files);  // the category file is written once
        host_.MarkCatalogueChanged();
        host_.SelectCategory();
    }
    pbImport->SetPosition(pbImport->Max());
    ModalResult = mrOk;
    Close();
}

}  // namespace ad
