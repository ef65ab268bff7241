// The Support Us window: ways to support the maker (links, payment addresses
// to copy, donation pages with an amount) and the contributors, whose list the
// window keeps as tab-separated text, writes to "Contributor.txt" in the
// temporary folder and reads back into its grid.
#pragma once

#include <array>

#include "app/TIntEdit.h"
#include "app/forms/SkinnedControls.h"
#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "grid/GridWindow.h"
#include "unicode/UniStdCtrls.h"

namespace ad {

class TfrmSUS : public TForm {
public:
    explicit TfrmSUS(TComponent* AOwner);

    // The contributor grid's columns.
    enum { colName, colWebsite, colFacebook, colTwitter, colGPlus, colContribution };

    TPageControl* PageControl1;
    TTabSheet *tabHow, *tabContributor;
    // "How to Support Us?": the eight ways, their links, and the donation channels.
    std::array<TLabel*, 8> lblWays;
    std::array<TSkinBitBtn*, 4> btnWayLinks;
    TPageControl* pcDonate;
    TTabSheet *tabOnline, *tabCard, *tabWallet, *tabMobile;
    TIntEdit *txtAmount1, *txtAmount2;
    TImage *imgDonate1, *imgDonate2, *imgMobile;
    std::array<TSkinBitBtn*, 7> btnFixed;  // "$1" .. "$100"
    TSkinBitBtn* btnInfo;
    std::array<TSkinEdit*, 2> txtWallet;
    std::array<TSkinBitBtn*, 2> btnCopy;
    // "Contributor List".
    grid::TReportGridWindow* grdContributor;
    TGroupBox* GroupBox1;
    TLabel *lblCNameCaption, *lblCName, *lblContribution;
    TSkinBitBtn *cHome, *cFB, *cTwitter, *cGPlus;
    uni::TUniMemo* mContribution;
    uni::TUniMemo* mContributor;  // the list, hidden

    void FormActivate(TObject* Sender);
    void grdContributorSelectCell(int ACol, int ARow);
    // A link button, fixed-amount button or link image: opens its help keyword.
    void OpenHelpKeyword(TObject* Sender);
    // A donate image: opens its channel's page with the amount of its field.
    void DonateClick(TIntEdit* amount, const std::string& prefix, const std::string& suffix);
    void CopyClick(TEdit* source);
    void btnInfoClick(TObject* Sender);
    void imgMobileClick(TObject* Sender);

    // Where the list is written: "Contributor.txt" in the temporary folder.
    static std::string ListFileName();
};

}  // namespace ad
