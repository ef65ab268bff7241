// The About dialog's controls and its link labels.
#include "app/forms/TfrmADAbout.h"

#include <utility>

#include "framework/Controls.h"
#include "framework/ShellIcon.h"
#include "framework/SysUtils.h"

namespace ad {

namespace {

const char* const kLinkCaptions[] = {"Homepage        :", "Forum                :", "Fanpage            :"};
const char* const kLinkAddresses[] = {"https://appdeck.example.org/", "https://forum.appdeck.example.org/",
                                      "https://fans.appdeck.example.org/", "https://www.appdeck.example.org/"};

}  // namespace

TfrmADAbout::TfrmADAbout(TComponent* AOwner) : TForm(AOwner) {
    Name = "frmADAbout";
    SetCaption("About");
    BorderStyle = TFormBorderStyle::bsDialog;
    BorderIcons = biSystemMenu;
    Position = TPosition::poMainFormCenter;
    KeyPreview = true;
    SetClientSize(400, 262);

    imgLogo = MakeControl<TImage>(this, this, "imgLogo", 16, 14, 32, 32);
    if (Application && Application->Icon) imgLogo->Picture().SetIcon(Application->Icon);
    else if (OwnedIcon icon = ShellIcon(ModuleFileName(), TShellIconSize::Large)) imgLogo->Picture().SetIcon(std::move(icon));
    // The name and the date over soft shadows; each text keeps its place as
    // the bounds take in the shadow's margins.
    lblName = MakeControl<TSkinLabelFX>(this, this, "lblName", 60, 10, 0, 0, "Appdeck");
    lblName->Font().SetSize(16);
    lblName->Font().SetStyle(fsBold);
    lblUpdated = MakeControl<TSkinLabelFX>(this, this, "lblUpdated", 62, 40, 0, 0, "Last Updated : August 2016");
    for (auto [label, alpha] : {std::pair{lblName, 175}, std::pair{lblUpdated, 150}}) {
        TSkinLabelFX::TShadow shadow = label->Shadow();
        shadow.AlphaValue = uint8_t(alpha);
        shadow.BlurCount = 2;
        label->SetShadow(shadow);
    }

    PageControl1 = MakeControl<TPageControl>(this, this, "PageControl1", 8, 66, 384, 152);
    tabAbout = new TTabSheet(this);
    tabAbout->Name = "tabAbout";
    tabAbout->SetCaption("About Us");
    tabAbout->SetPageControl(PageControl1);
    for (size_t i = 0; i < lblLinks.size(); ++i) {
        int y = 14 + static_cast<int>(i) * 26;
        int x = 12;
        if (i < lblCaptions.size()) {
            lblCaptions[i] = MakeControl<TLabel>(this, tabAbout, "lblCaption" + std::to_string(i + 1), x, y, 0, 0,
                                           kLinkCaptions[i]);
            x = 110;
        }
        TLabel* link = MakeControl<TLabel>(this, tabAbout, "lblLink" + std::to_string(i + 1), x, y, 0, 0, kLinkAddresses[i]);
        link->Font().SetColor(clBlue);
        link->Font().SetStyle(fsUnderline);
        link->OnClick = [this](TObject* s) { LinkClick(s); };
        lblLinks[i] = link;
    }

    btnClose = MakeControl<TSkinBitBtn>(this, this, "btnClose", 316, 228, 76, 25, "Close");
    btnClose->Cancel = true;
    btnClose->ModalResult = mrClose;
    btnClose->OnClick = [this](TObject*) { Close(); };
}

void TfrmADAbout::LinkClick(TObject* Sender) {
    if (auto* link = dynamic_cast<TLabel*>(Sender)) OpenURL(link->Caption());
}

}  // namespace ad
