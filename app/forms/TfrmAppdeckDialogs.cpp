// The main window's secondary windows: each is created on demand, shown
// modally with the main window as its host, and freed when it closes.
#include "app/forms/TfrmAppdeck.h"

#include <memory>

#include "app/forms/TADImpro.h"
#include "app/forms/TADSC.h"
#include "app/forms/TfrmADS.h"
#include "app/forms/TfrmADAbout.h"
#include "app/forms/TfrmADAppPath.h"
#include "app/forms/TfrmADEdit.h"
#include "app/forms/TfrmADSet.h"
#include "app/forms/TfrmCShortcut.h"
#include "app/forms/TfrmMoreSoft.h"
#include "app/forms/TfrmSD.h"
#include "app/forms/TfrmSUS.h"
#include "app/forms/TfrmUCheck.h"
#include "base/StrUtils.h"

namespace ad {

namespace {

template <class T, class... Args>
void ShowModalForm(TForm* owner, Args&&... args) {
    std::unique_ptr<T> form(CreateForm<T>(owner, std::forward<Args>(args)...));
    form->ShowModal();
}

}  // namespace

void TfrmAppdeck::btnSettingsClick(TObject*) {
    ShowModalForm<TfrmADSet>(this, static_cast<ILauncherHost&>(*this));
    LoadViewOptions();  // the stored settings take effect at once
}

void TfrmAppdeck::btnAboutClick(TObject*) { ShowModalForm<TfrmADAbout>(this); }

void TfrmAppdeck::BitBtn1Click(TObject*) { ShowModalForm<TADImpro>(this, static_cast<ILauncherHost&>(*this)); }

void TfrmAppdeck::BitBtn8Click(TObject*) { ShowModalForm<TADSC>(this, static_cast<ILauncherHost&>(*this)); }

void TfrmAppdeck::SpeedButton1Click(TObject*) { ShowModalForm<TfrmSUS>(this); }

void TfrmAppdeck::btnMoreClick(TObject*) {
    std::unique_ptr<TfrmMoreSoft> form(CreateForm<TfrmMoreSoft>(this));
    form->HelpKeyword = "Appdeck";  // its own row is left out of the list
    form->ShowModal();
}

void TfrmAppdeck::btnUpdateClick(TObject*) {
    std::unique_ptr<TfrmUCheck> form(CreateForm<TfrmUCheck>(this));
    form->Tag = 39;  // the product's section of the update reply
    form->lblCurrent->SetCaption(Trim(Label4->Caption()));
    form->SetTitleColor(back->Color());
    form->ShowModal();
}

void TfrmAppdeck::btnAppPathClick(TObject*) {
    if (!RowSelected()) return;
    std::unique_ptr<TfrmADAppPath> form(CreateForm<TfrmADAppPath>(this));
    form->exeName->SetText(ExtractFileName(button5->HelpKeyword));
    form->exeLoc->SetText(button5->HelpKeyword);
    form->ShowModal();
}

// The shortcut takes the row's stored name: the preview label's caption has
// every "&" doubled.
void TfrmAppdeck::btnCSClick(TObject*) {
    int row = lv2->SelectedIndex();
    if (!RowSelected()) return;
    TShortcutSource source{button5->HelpKeyword, SelectedParam, ViewEntries[static_cast<size_t>(row)].Name};
    ShowModalForm<TfrmCShortcut>(this, std::move(source));
}

void TfrmAppdeck::Button20Click(TObject*) {
    std::vector<std::string> categories;
    for (int i = 0; i < lstCat->Count(); ++i) categories.push_back(lstCat->Items().Get(i));
    ShowModalForm<TfrmADS>(this, static_cast<ILauncherHost&>(*this), categories, RunElevated);
}

// The Application Manager asks for a reload through lv2's Tag when it changed
// the shown category.
void TfrmAppdeck::Button4Click(TObject*) {
    lv2->Tag = 0;
    ShowModalForm<TfrmSD>(this, static_cast<ILauncherHost&>(*this));
    if (lv2->Tag == 1) lstCatClick(this);
}

void TfrmAppdeck::lblavaClick(TObject* Sender) {
    std::string category = SelectedCategory();
    if (category.empty() || ReadOnlyView) return;
    bool available = Sender == lblava;
    lv2->Tag = 0;
    std::unique_ptr<TfrmSD> form(CreateForm<TfrmSD>(this, static_cast<ILauncherHost&>(*this)));
    form->Tag = available ? TfrmSD::mdAvailable : TfrmSD::mdNotAvailable;
    form->SetCaption("Application Manager : " + category +
                     (available ? " (Available Programs)" : " (Not Available Programs)"));
    form->cmbCat->SetItemIndex(form->cmbCat->Items().IndexOf(category));
    form->cmbCat->SetEnabled(false);
    form->ShowModal();
    if (lv2->Tag == 1) lstCatClick(this);
}

// In Read Only mode the button is hidden and its key (Ctrl+Enter) does nothing either.
void TfrmAppdeck::btneditClick(TObject*) {
    int row = lv2->SelectedIndex();
    if (!CanEdit() || row < 0 || row >= EntryCount) return;
    ViewEntry entry = ViewEntries[static_cast<size_t>(row)];  // the dialog's Save reloads the list
    ShowModalForm<TfrmADEdit>(this, static_cast<ILauncherHost&>(*this), entry.Name, entry.Desc);
}

}  // namespace ad
