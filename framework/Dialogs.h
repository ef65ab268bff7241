// The input box of the class library: a small modal form asking for one line of
// text. Tests answer it through the application's OnInputQuery. And the
// system's dialog for choosing a file to open.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "framework/Component.h"

namespace ad {

// Shows the box with value as the default; true with the entered text in value
// when the user pressed OK, false (value unchanged) on Cancel or Esc.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);

// The system's open-file dialog as a component of a form: one existing file.
class TOpenDialog : public TComponent {
public:
    using TComponent::TComponent;

    std::string Title;
    // Pairs of description and patterns, all separated by "|":
    // "Application (*.exe)|*.exe;*.ex".
    std::string Filter;
    std::string DefaultExt;  // with or without its dot
    std::string InitialDir;
    std::string FileName;    // the chosen file's full name after Execute

    // Shows the dialog modally over owner; true with FileName set when a file
    // was chosen, false (FileName unchanged) on Cancel.
    bool Execute(HWND owner);
    // When set, Execute calls it instead of showing the dialog (tests answer
    // through it; it sees InitialDir and sets FileName).
    std::function<bool(TOpenDialog& dialog)> OnExecuteStandIn;
};

}  // namespace ad
