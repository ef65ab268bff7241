// The fields of one program entry that the Application Manager and the edit
// dialog share: name, description, location with its note and browse button,
// parameters, category and HB command, each with its label, and what the two
// windows do with them alike (browse for a program, clean the name, Enter in
// an edit field runs the window's main action).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/LauncherHost.h"
#include "app/forms/ProgramEntries.h"
#include "app/forms/SkinnedControls.h"
#include "framework/OpenDialog.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace ad {

class TProgramDetailsForm : public TForm {
public:
    TLabel *lblName, *lblDesc, *lblLoc, *lblRel, *lblPar, *lblCat, *lblHB;
    TEdit *SDName, *SDDesc, *SDLoc, *txtPar, *txtHB;
    TComboBox* cmbCat;
    TSkinBitBtn* btnBrowse;  // "..."
    TOpenDialog* OD;

    // Browse: starts in the location's folder when it exists; the chosen file
    // goes into SDLoc relative to the program's folder when it lies under it.
    void btnBrowseClick(TObject* Sender);

protected:
    TProgramDetailsForm(TComponent* AOwner, ILauncherHost& host);
    // Places the fields in parent with their top left corner at (left, top);
    // they take 620 x 120 pixels.
    void BuildFields(TWinControl* parent, int left, int top);
    // The entry the fields describe. The name's "[" and "]" become "(" and ")",
    // and the cleaned name is written back into SDName.
    TProgramEntry TakeFields();
    void ShowFields(const TProgramEntry& entry);
    // The labels that take the window's mode colours.
    std::vector<TLabel*> FieldLabels() const { return {lblName, lblDesc, lblLoc, lblRel, lblCat, lblPar, lblHB}; }
    // The category names of the main window, in its order, into cmbCat.
    void ListCategories();

    // Run by Enter in any of the five edit fields.
    std::function<void()> OnEnterInField;

    ILauncherHost& host_;
    std::string baseDir_;  // the program's folder with "\", taken at creation
};

}  // namespace ad
