// The Application Manager: the catalogue's program entries in a report grid
// (all of them, or the selected category's available or missing ones, by the
// form's Tag), adding, removing and replacing entries, and registering their
// commands with Hopbar. The grid fills when the window next handles its
// messages, so the opener can set the mode first.
#pragma once

#include <string>
#include <vector>

#include "app/forms/HopbarCommands.h"
#include "app/forms/ProgramDetailsForm.h"
#include "app/forms/SkinnedControls.h"
#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "grid/GridWindow.h"

namespace ad {

// A skinned panel whose edge is a one-pixel line in a colour of its own,
// drawn over the skin's look as over the native one.
class TOutlinePanel : public TSkinPanel {
public:
    using TSkinPanel::TSkinPanel;
    TColor OutlineColor() const { return outline_; }
    void SetOutlineColor(TColor c);

protected:
    void Paint(HDC dc, const RECT& clip) override;

private:
    TColor outline_ = clGray;
};

class TfrmSD : public TProgramDetailsForm {
public:
    // Tag: 0 every entry of every category; 1 the selected category's entries
    // whose file exists; 2 those whose file does not.
    enum TMode { mdAll = 0, mdAvailable = 1, mdNotAvailable = 2 };
    enum TColumn { colName, colDesc, colCategory, colLoc, colParam, colHB };

    TfrmSD(TComponent* AOwner, ILauncherHost& host);

    TOutlinePanel* Shape1;   // outline around the grid
    grid::TReportGridWindow* SDGrid;
    TOutlinePanel* Panel6;   // the frame of the fields and buttons
    TSkinBitBtn *SDAdd, *SDRem, *SDRep, *btnRegHB;
    TSkinBitBtn* spdOEC;  // a toggle: its Down state is the overwrite choice
    TCheckBox* chkOEC;

    // Asks for a fill once the window handles its messages; several asks
    // before then make one fill.
    void ReadAppz();
    void FillGrid();
    void SDAddClick(TObject* Sender);
    void SDRemClick(TObject* Sender);
    void SDRepClick(TObject* Sender);
    void SDGridSelectCell(int ARow);
    void spdOECClick(TObject* Sender);
    void btnRegHBClick(TObject* Sender);

    // A row's text, in the 8-bit code page.
    std::string RowText(int column, int row);

protected:
    void WndProc(TMessage& m) override;

private:
    TMode Mode() const;
    void ApplyModeColours();
    // lv2.Tag's rule: the main window reloads when the category it shows is
    // one of those an operation touched.
    void RequestReloadFor(const std::string& category, const std::string& other = std::string());
    // The selected row with its name and category; false without one.
    bool SelectedRow(int& row, std::string& name, std::string& category);
    void AddRowTexts(int row, const std::string& category, const TProgramEntry& entry);

    bool fillPosted_ = false;
};

}  // namespace ad
