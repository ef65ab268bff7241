// The About dialog: the product's logo, name and date, and the web addresses
// of its pages as link labels that open through the shell.
#pragma once

#include <array>

#include "app/forms/SkinnedControls.h"
#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace ad {

class TfrmADAbout : public TForm {
public:
    explicit TfrmADAbout(TComponent* AOwner);

    TImage* imgLogo;
    TSkinLabelFX *lblName, *lblUpdated;
    TPageControl* PageControl1;
    TTabSheet* tabAbout;
    std::array<TLabel*, 3> lblCaptions;  // "Homepage :", "Forum :", "Fanpage :"
    std::array<TLabel*, 4> lblLinks;     // each shows the address it opens
    TSkinBitBtn* btnClose;

    // A link label's click: opens its caption through the shell.
    void LinkClick(TObject* Sender);
};

}  // namespace ad
