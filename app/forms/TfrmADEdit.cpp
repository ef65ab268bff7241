// The Edit Program Details dialog: its controls, the entry it opens on, and
// Save, which writes the new section before it takes the old one out.
#include "app/forms/TfrmADEdit.h"

#include <exception>

#include "app/Catalogue.h"

namespace ad {

TfrmADEdit::TfrmADEdit(TComponent* AOwner, ILauncherHost& host, const std::string& itemName,
                       const std::string& itemDesc)
    : TProgramDetailsForm(AOwner, host), itemName_(itemName), category_(host.SelectedCategory()) {
    Name = "frmADEdit";
    SetCaption("Edit Program Details");
    SetClientSize(644, 176);
    BuildFields(this, 12, 12);
    OnEnterInField = [this] { SDAddClick(SDAdd); };
    SDAdd = MakeControl<TSkinBitBtn>(this, this, "SDAdd", 476, 142, 76, 25, "Save");
    SDAdd->OnClick = [this](TObject* s) { SDAddClick(s); };
    SDRem = MakeControl<TSkinBitBtn>(this, this, "SDRem", 556, 142, 76, 25, "Cancel");
    SDRem->Cancel = true;
    SDRem->OnClick = [this](TObject* s) { SDRemClick(s); };

    ListCategories();
    if (cmbCat->Items().Count() == 0) return;  // nothing to edit: the fields stay empty
    TProgramEntry stored = ReadProgramEntry(CategoryFileName(baseDir_, category_), itemName_);
    stored.Desc = itemDesc;
    ShowFields(stored);
    cmbCat->SetItemIndex(cmbCat->Items().IndexOf(category_));
}

void TfrmADEdit::SDAddClick(TObject*) {
    TProgramEntry entry = TakeFields();
    std::string category = cmbCat->Text();
    std::exception_ptr failure;
    if (EntryComplete(entry, category) && !category_.empty()) {
        // The placeholder is what the list shows for no description: nothing to store.
        bool writeDesc = entry.Desc != NoDescription;
        try {
            MoveProgramEntry(CategoryFileName(baseDir_, category_), itemName_, CategoryFileName(baseDir_, category),
                             entry, writeDesc);
        } catch (...) {
            failure = std::current_exception();  // the stored entry is as it was, or in both files
        }
        host_.MarkCatalogueChanged();
    }
    // Whatever happened, the main window shows the files as they are and the dialog closes.
    host_.ReloadCategory();
    ModalResult = mrOk;
    Close();
    if (failure && Application) Application->HandleException(failure);
}

void TfrmADEdit::SDRemClick(TObject*) {
    ModalResult = mrCancel;
    Close();
}

}  // namespace ad
