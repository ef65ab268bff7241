// TUniApplication: the application's title and hint as wide text, kept beside
// the application's ANSI Title and Hint; hints show in the plain hint window,
// and a Unicode control's hint in the wide one. The layer's message loop is a wide one, so typed
// characters above 255 reach Unicode windows as they are, and the
// application's OnMessage sees them first. Windows only.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "framework/Forms.h"

namespace ad::uni {

class TUniApplication : public TComponent {
public:
    // Gives the application the plain hint window when it has none.
    explicit TUniApplication(TApplication* application);
    // Takes the plain hint window back out when it put it in.
    ~TUniApplication() override;

    // The wide title; the ANSI Title wins when code changed it meanwhile.
    std::wstring Title();
    // Sets the wide title, the ANSI Title and the application window's text.
    void SetTitle(std::wstring_view title);

    // The long part of the wide hint of the control under the mouse while the
    // application's ANSI Hint is its ANSI form; else the wide hint last set,
    // unless the ANSI Hint was changed meanwhile.
    std::wstring Hint();
    void SetHint(std::wstring_view hint);

private:
    TApplication* application_;
    std::u16string wideTitle_;
    std::u16string wideHint_;
    bool installedHintWindow_ = false;
};

}  // namespace ad::uni
