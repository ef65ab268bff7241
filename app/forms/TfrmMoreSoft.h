// The More Software window: the maker's other programs, kept as tab-separated
// text in the window, written to "more.txt" in the temporary folder at every
// activation and read back into the grid without the launcher's own row. A
// selected program shows its icon and details, and its download (or share)
// page opens in the browser.
#pragma once

#include "app/forms/SkinnedControls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "grid/GridWindow.h"

namespace ad {

class TfrmMoreSoft : public TForm {
public:
    // The opener puts the launcher's own product name into HelpKeyword.
    explicit TfrmMoreSoft(TComponent* AOwner);

    // The grid's columns.
    enum { colName, colVersion, colDescription, colRating, colDownload, colID, colShare };

    grid::TReportGridWindow* grdMore;
    TGroupBox* GroupBox1;
    TImage* imgPIcon;
    TLabel *lblPName, *lblPDetails;
    TSkinBitBtn* msDownload;
    TCheckBox* chkShare;
    TMemo* lstMore;  // the list, hidden
    TSkinAlphaImageList* imgMore;  // the programs' icons, by the list's ID

    void FormActivate(TObject* Sender);
    void grdMoreSelectCell(int ACol, int ARow);
    void msDownloadClick(TObject* Sender);
    void chkShareClick(TObject* Sender);

    // Where the list is written: "more.txt" in the temporary folder.
    static std::string ListFileName();
};

}  // namespace ad
