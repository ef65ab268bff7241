// The Software Center: a read-only catalogue of downloadable software from
// "SWCenter.db" beside the program, listed by suggested category in a report
// grid with ratings. A selected entry shows its details and five stars, and
// its download and product pages open in the browser.
#pragma once

#include <array>

#include "app/LauncherHost.h"
#include "app/forms/SkinnedControls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "grid/GridWindow.h"

namespace ad {

class TADSC : public TForm {
public:
    TADSC(TComponent* AOwner, ILauncherHost& host);

    // The grid's columns.
    enum { colName, colDescription, colCategory, colDLink, colHLink, colRating, colLastUpdated, colSize };

    grid::TReportGridWindow* grdSCList;
    TGroupBox* GroupBox1;
    TLabel *Label1, *Label2, *Label3, *lblSize, *Label4;
    std::array<TImage*, 5> r;  // r1 .. r5
    TImage *ryellow, *rgrey;   // the star templates, hidden
    TSkinBitBtn* BitBtn1;

    void FormCreate(TObject* Sender);
    void grdSCListSelectCell(int ACol, int ARow);
    // Download button and product-page label: open the target kept in the help keyword.
    void OpenTarget(TObject* Sender);

private:
    ILauncherHost& host_;
};

}  // namespace ad
