// The launcher's main window.
#include "app/TfrmAppdeck.h"

namespace ad {

TfrmAppdeck* frmAppdeck = nullptr;

TfrmAppdeck::TfrmAppdeck(TComponent* AOwner) : TForm(AOwner) {
    Name = "frmAppdeck";
    SetCaption("Appdeck");
    BorderStyle = TFormBorderStyle::bsSingle;
    BorderIcons = biSystemMenu | biMinimize;
    Position = TPosition::poScreenCenter;
    KeyPreview = true;
    SetClientSize(850, 574);
}

}  // namespace ad
