// TfrmCShortcut, "Create Shortcut to ...": shortcut files for the program
// selected in the main window, on the desktop and in the Send To folder. The
// opener hands over the program's location, parameters and display name.
#pragma once

#include <functional>
#include <string>

#include "app/forms/SkinnedControls.h"
#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace ad {

// What a shortcut points at: the selected row's resolved location, its
// parameters and its display name (as stored, no "&" doubled).
struct TShortcutSource {
    std::string Target;
    std::string Params;
    std::string Name;
};

class TfrmCShortcut : public TForm {
public:
    TfrmCShortcut(TComponent* AOwner, TShortcutSource source);

    TGroupBox* GroupBox1;
    TSpeedButton *spdDesktop, *spdSendto;
    TSkinBitBtn *chkDesktop, *chkSendto;
    TSkinBitBtn *expDesktop, *expSendTo;
    TSkinBitBtn *btnOK, *btnCancel;

    // Opens a folder in Explorer (tests record it instead).
    std::function<void(const std::string& folder)> ExploreFolder;

    void btnOKClick(TObject* Sender);
    void ExploreClick(TObject* Sender);  // Tag 0 desktop, 1 Send To
    void FormKeyPress(TObject* Sender, wchar_t& Key);

private:
    template <class T>
    T* Make(TWinControl* parent, const char* name, int x, int y, int w, int h, const std::string& caption = "") {
        return MakeControl<T>(this, parent, name, x, y, w, h, caption);
    }
    TShortcutSource source_;
};

}  // namespace ad
