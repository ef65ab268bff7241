// Edit Program Details: edits one entry of the selected category (its name,
// description, location, parameters, HB command) or moves it to another
// category. Save writes the entry under its new name before the old section
// goes, so the entry is never lost; the main window then reloads.
#pragma once

#include <string>

#include "app/forms/ProgramDetailsForm.h"
#include "app/forms/SkinnedControls.h"

namespace ad {

class TfrmADEdit : public TProgramDetailsForm {
public:
    // itemName and itemDesc: the selected row of the program list as it shows
    // them (the description may be the "( No Description )" placeholder).
    TfrmADEdit(TComponent* AOwner, ILauncherHost& host, const std::string& itemName, const std::string& itemDesc);

    TSkinBitBtn *SDAdd, *SDRem;  // Save, Cancel

    void SDAddClick(TObject* Sender);
    void SDRemClick(TObject* Sender);

private:
    std::string itemName_;  // the entry's name when the dialog opened
    std::string category_;  // the category it was in
};

}  // namespace ad
