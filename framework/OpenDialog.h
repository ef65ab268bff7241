// TOpenDialog: the system's "open file" dialog as a form component. Filter is
// given as "description|patterns|description|patterns...".
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "framework/Component.h"

namespace ad {

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

    std::string Title;
    std::string Filter;
    std::string DefaultExt;  // with or without the leading "."
    std::string InitialDir;
    std::string FileName;  // the chosen file's full path after Execute

    // Shows the dialog owned by owner; true with FileName set when a file was
    // chosen, false (FileName unchanged) on Cancel.
    bool Execute(HWND owner = nullptr);
    // A stand-in for the system dialog (tests answer through it): when set,
    // Execute returns what it returns, and it may set FileName.
    std::function<bool(TOpenDialog& Dialog)> OnExecute;
};

}  // namespace ad
