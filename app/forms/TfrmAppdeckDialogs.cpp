// The main window's secondary windows: each is created on demand, shown
// modally with the main window as its host, and freed when it closes.
#include "app/forms/TfrmAppdeck.h"

#include <memory>

#include "app/forms/TADImpro.h"
#include "app/forms/TfrmADS.h"
#include "app/forms/TfrmADAbout.h"
#include "app/forms/TfrmADSet.h"

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

void TfrmAppdeck::Button20Click(TObject*) {
    std::vector<std::string> categories;
    for (int i = 0; i < lstCat->Count(); ++i) categories.push_back(lstCat->Items().Get(i));
    ShowModalForm<TfrmADS>(this, static_cast<ILauncherHost&>(*this), categories, RunElevated);
}

}  // namespace ad
