// TfrmADAppPath, "Application Path": the App Paths entries under
// HKEY_LOCAL_MACHINE in a report grid, with Add, Remove and Replace. The
// opener fills the two fields from the selected program before showing it.
#pragma once

#include <string>

#include "app/forms/SkinnedControls.h"
#include "framework/Forms.h"
#include "framework/OpenDialog.h"
#include "framework/StdCtrls.h"
#include "grid/GridWindow.h"

namespace ad {

class TfrmADAppPath : public TForm {
public:
    explicit TfrmADAppPath(TComponent* AOwner);

    TLabel *lblName, *lblLoc;
    TEdit *exeName, *exeLoc;
    TSkinBitBtn* btnBrowse;
    TSkinBitBtn *SDAdd, *SDRem, *SDRep;
    grid::TReportGridWindow* grdAppPath;
    TOpenDialog* OpenDialog1;

    // Lists the entries again (the grid keeps registry order).
    void GetAppPath();
    void SDAddClick(TObject* Sender);
    void SDRemClick(TObject* Sender);
    void SDRepClick(TObject* Sender);
    void btnBrowseClick(TObject* Sender);
    void grdAppPathSelectCell(int ARow);
    // The listed name of the selected row, "" when no row is selected.
    std::string SelectedName();
    // Selects the row listing the key name (any case); false when none does.
    bool SelectName(const std::string& keyName);

private:
    template <class T>
    T* Make(TWinControl* parent, const char* name, int x, int y, int w, int h, const std::string& caption = "") {
        return MakeControl<T>(this, parent, name, x, y, w, h, caption);
    }
    std::string CellText(int col, int row);
};

}  // namespace ad
