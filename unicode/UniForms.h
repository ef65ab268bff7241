// TUniApplication: the application's title as wide text, kept beside the
// application's ANSI Title. The layer's message loop is a wide one, so typed
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
    explicit TUniApplication(TApplication* application);

    // The wide title; the ANSI Title wins when code changed it meanwhile.
    std::wstring Title();
    // Sets the wide title, the ANSI Title and the application window's text.
    void SetTitle(std::wstring_view title);

private:
    TApplication* application_;
    std::u16string wideTitle_;
};

}  // namespace ad::uni
